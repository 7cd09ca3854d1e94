// The metafile writers, checked by independent readers: each picture is turned into SVG by an
// external converter and the SVG is searched for the primitives, colours and texts drawn.
#include <climits>
#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include "gfx_test_support.h"
#include "platform/bitmap.h"
#include "platform/codepage.h"
#include "platform/metafile_writer.h"
#include "test_util.h"

namespace {

constexpr int PicW = 400;
constexpr int PicH = 300;

// The colours of the test picture, one per primitive, so that the SVG shows which arrived.
constexpr TColor cLine = RGB(0xFF, 0x00, 0x00);        // red
constexpr TColor cDash = RGB(0x00, 0x00, 0xFF);        // blue
constexpr TColor cWide = RGB(0x00, 0x80, 0x00);        // green
constexpr TColor cPolyAlt = RGB(0xFF, 0xD7, 0x00);     // gold
constexpr TColor cPolyWind = RGB(0xDA, 0x70, 0xD6);    // orchid
constexpr TColor cRect = RGB(0x00, 0x80, 0x80);        // teal
constexpr TColor cRound = RGB(0x9A, 0xCD, 0x32);       // yellowgreen
constexpr TColor cEllipse = RGB(0x48, 0x3D, 0x8B);     // darkslateblue
constexpr TColor cArc = RGB(0xA5, 0x2A, 0x2A);         // brown
constexpr TColor cChord = RGB(0x2E, 0x8B, 0x57);       // seagreen
constexpr TColor cPie = RGB(0x55, 0x6B, 0x2F);         // darkolivegreen
constexpr TColor cHatch = RGB(0x46, 0x82, 0xB4);       // steelblue
constexpr TColor cFrameOnly = RGB(0x19, 0x19, 0x70);   // midnightblue
constexpr TColor cFill = RGB(0x8B, 0x45, 0x13);        // saddlebrown
constexpr TColor cText = RGB(0x00, 0x00, 0xCD);        // mediumblue
constexpr TColor cOpaqueBack = RGB(0x98, 0xFB, 0x98);  // palegreen
constexpr TColor cClipped = RGB(0xAD, 0xD8, 0xE6);     // lightblue
constexpr TColor cRegion = RGB(0xFF, 0x8C, 0x00);      // darkorange
constexpr TColor cPixel = RGB(0xDC, 0x14, 0x3C);       // crimson

void PaintTestPicture(TCanvas& C) {
  C.Brush()->SetColor(clWhite);
  C.FillRect(Rect(0, 0, PicW, PicH));
  C.Pen()->SetColor(cLine);
  C.MoveTo(10, 10);
  C.LineTo(190, 10);

  C.Pen()->SetColor(cDash);
  C.Pen()->SetStyle(psDash);
  const std::vector<TPoint> Zig = {{10, 20}, {100, 40}, {190, 20}};
  C.Polyline(Zig);

  C.Pen()->SetStyle(psSolid);
  C.Pen()->SetColor(cWide);
  C.Pen()->SetWidth(5);
  C.MoveTo(10, 50);
  C.LineTo(190, 50);

  C.Pen()->SetWidth(1);
  C.Pen()->SetColor(clBlack);
  C.Brush()->SetColor(cPolyAlt);
  const std::vector<TPoint> Star = {{220, 10}, {250, 80}, {200, 35}, {260, 35}, {210, 80}};
  C.SetPolyFillMode(pfAlternate);
  C.Polygon(Star);
  C.Brush()->SetColor(cPolyWind);
  std::vector<TPoint> Star2 = Star;
  for (TPoint& P : Star2) P.X += 80;
  C.SetPolyFillMode(pfWinding);
  C.Polygon(Star2);

  C.Pen()->SetColor(clNavy);
  C.Brush()->SetColor(cRect);
  C.Rectangle(10, 100, 60, 140);
  C.Brush()->SetColor(cRound);
  C.RoundRect(70, 100, 130, 140, 16, 12);
  C.Brush()->SetColor(cEllipse);
  C.Ellipse(140, 100, 200, 140);
  C.Pen()->SetColor(cArc);
  C.Arc(210, 100, 260, 140, 260, 120, 210, 120);
  C.Pen()->SetColor(clBlack);
  C.Brush()->SetColor(cChord);
  C.Chord(270, 100, 320, 140, 320, 100, 270, 140);
  C.Brush()->SetColor(cPie);
  C.Pie(330, 100, 380, 140, 380, 120, 355, 100);

  C.Brush()->SetColor(cHatch);
  C.Brush()->SetStyle(bsCross);
  C.Rectangle(10, 150, 60, 190);
  C.Brush()->SetStyle(bsClear);
  C.Pen()->SetColor(cFrameOnly);
  C.Rectangle(70, 150, 130, 190);
  C.Brush()->SetColor(cFill);
  C.FillRect(Rect(140, 150, 200, 190));

  C.Font()->SetName(QStringLiteral("Arial"));
  C.Font()->SetHeight(-16);
  C.Font()->SetColor(cText);
  C.Brush()->SetStyle(bsClear);
  C.TextOut(10, 200, QStringLiteral("Hello metafile"));
  C.Brush()->SetColor(cOpaqueBack);
  C.TextOut(10, 225, QStringLiteral("Opaque"));
  C.Brush()->SetStyle(bsClear);
  C.SetTextAlign(TA_CENTER | TA_BASELINE);
  C.TextOut(300, 220, QStringLiteral("Grüße €"));
  C.SetTextAlign(TA_LEFT | TA_TOP);
  C.Font()->SetEscapement(900);
  C.TextOut(380, 290, QStringLiteral("Up"));
  C.Font()->SetEscapement(0);
  C.Font()->SetStyle({fsBold, fsItalic});
  C.TextOut(200, 270, QStringLiteral("Bold"));
  C.Font()->SetStyle({});

  C.SetClipRect(Rect(210, 150, 240, 170));
  C.Brush()->SetColor(cClipped);
  C.Pen()->SetStyle(psClear);
  C.Rectangle(200, 140, 260, 200);
  QRegion Two(QRect(10, 240, 20, 20));
  Two += QRect(50, 250, 20, 20);
  C.SelectClipRgn(&Two);
  C.Brush()->SetColor(cRegion);
  C.Rectangle(0, 230, 100, 280);
  C.ResetClip();

  QImage Image(8, 4, QImage::Format_RGB32);
  Image.fill(qRgb(0xFF, 0, 0));
  for (int X = 4; X < 8; ++X)
    for (int Y = 0; Y < 4; ++Y) Image.setPixel(X, Y, qRgb(0, 0, 0xFF));
  C.StretchDrawImage(Rect(270, 150, 350, 190), Image);
  C.SetPixels(390, 10, cPixel);
}

QString Tool(const char* Name) {
  const QString Path = QStandardPaths::findExecutable(QString::fromLatin1(Name));
  if (Path.isEmpty())
    ADD_FAILURE() << Name << " is not installed (see tools/packages.txt); it reads the pictures";
  return Path;
}

// Runs a converter and answers the SVG it wrote; empty when it failed.
QString ToSvg(TMetafileFormat Format, const QString& File) {
  const QString Svg = File + QStringLiteral(".svg");
  QProcess P;
  if (Format == TMetafileFormat::Emf) {
    const QString Exe = Tool("emf2svg-conv");
    if (Exe.isEmpty()) return {};
    P.start(Exe, {QStringLiteral("-i"), File, QStringLiteral("-o"), Svg});
  } else {
    const QString Exe = Tool("wmf2svg");
    if (Exe.isEmpty()) return {};
    P.start(Exe, {QStringLiteral("--inline"), QStringLiteral("-o"), Svg, File});
  }
  if (!P.waitForFinished(60000) || P.exitCode() != 0) {
    ADD_FAILURE() << "converter failed: " << P.readAllStandardError().toStdString();
    return {};
  }
  return QString::fromUtf8(ReadBytes(Svg));
}

// ---- the files themselves ----

struct TRecord {
  unsigned Type = 0;
  qsizetype At = 0;
  qsizetype Size = 0;
};

quint32 U32(const QByteArray& B, qsizetype At) {
  quint32 V = 0;
  for (int I = 3; I >= 0; --I) V = (V << 8) | static_cast<unsigned char>(B[At + I]);
  return V;
}
quint16 U16(const QByteArray& B, qsizetype At) {
  return static_cast<quint16>(static_cast<unsigned char>(B[At]) |
                              (static_cast<unsigned char>(B[At + 1]) << 8));
}
qint16 S16(const QByteArray& B, qsizetype At) { return static_cast<qint16>(U16(B, At)); }

// The records of an enhanced metafile; empty unless their sizes add up to the file exactly.
std::vector<TRecord> EmfRecords(const QByteArray& B) {
  std::vector<TRecord> R;
  qsizetype At = 0;
  while (At + 8 <= B.size()) {
    const quint32 Size = U32(B, At + 4);
    if (Size < 8 || Size % 4 != 0 || At + Size > B.size()) return {};
    R.push_back({U32(B, At), At, static_cast<qsizetype>(Size)});
    At += Size;
  }
  if (At != B.size()) return {};
  return R;
}

// The records after the placeable and the standard header; empty unless they fill the file.
std::vector<TRecord> WmfRecords(const QByteArray& B) {
  std::vector<TRecord> R;
  qsizetype At = 22 + 18;
  while (At + 6 <= B.size()) {
    const qsizetype Size = 2 * static_cast<qsizetype>(U32(B, At));
    if (Size < 6 || At + Size > B.size()) return {};
    R.push_back({U16(B, At + 4), At, Size});
    At += Size;
  }
  if (At != B.size()) return {};
  return R;
}

std::vector<TRecord> OfType(const std::vector<TRecord>& All, unsigned Type) {
  std::vector<TRecord> R;
  for (const TRecord& X : All)
    if (X.Type == Type) R.push_back(X);
  return R;
}

// EMF record types and WMF functions the checks look for.
enum : unsigned {
  EMR_HEADER = 1,
  EMR_EOF = 14,
  EMR_SETPIXELV = 15,
  EMR_SETBKMODE = 18,
  EMR_SETPOLYFILLMODE = 19,
  EMR_SETBKCOLOR = 25,
  EMR_EXCLUDECLIPRECT = 29,
  EMR_INTERSECTCLIPRECT = 30,
  EMR_SAVEDC = 33,
  EMR_RESTOREDC = 34,
  EMR_CREATEBRUSHINDIRECT = 39,
  EMR_POLYLINE = 4,
  EMR_STRETCHDIBITS = 81,
  EMR_EXTTEXTOUTW = 84,
  EMR_CREATEDIBPATTERNBRUSHPT = 94,
  EMR_EXTCREATEPEN = 95,
  META_EOF = 0x0000,
  META_SAVEDC = 0x001E,
  META_SETBKMODE = 0x0102,
  META_SETPOLYFILLMODE = 0x0106,
  META_RESTOREDC = 0x0127,
  META_SETBKCOLOR = 0x0201,
  META_CREATEBRUSHINDIRECT = 0x02FC,
  META_POLYGON = 0x0324,
  META_POLYLINE = 0x0325,
  META_EXCLUDECLIPRECT = 0x0415,
  META_INTERSECTCLIPRECT = 0x0416,
  META_SETPIXEL = 0x041F,
  META_EXTTEXTOUT = 0x0A32,
  META_STRETCHDIB = 0x0F43,
};

QRgb ColorRefAt(const QByteArray& B, qsizetype At) {
  return qRgb(static_cast<unsigned char>(B[At]), static_cast<unsigned char>(B[At + 1]),
              static_cast<unsigned char>(B[At + 2]));
}
QRgb Rgb(TColor C) { return ToQColor(C).rgb(); }

// The strings of the text records, decoded as the format stores them.
QStringList EmfTexts(const QByteArray& B, const std::vector<TRecord>& All) {
  QStringList Texts;
  for (const TRecord& R : OfType(All, EMR_EXTTEXTOUTW)) {
    const qsizetype Emt = R.At + 8 + 16 + 12;
    const quint32 N = U32(B, Emt + 8);
    const quint32 Off = U32(B, Emt + 12);
    QString T;
    for (quint32 I = 0; I < N; ++I) T += QChar(U16(B, R.At + Off + 2 * I));
    Texts << T;
  }
  return Texts;
}

QList<QByteArray> WmfTexts(const QByteArray& B, const std::vector<TRecord>& All) {
  QList<QByteArray> Texts;
  for (const TRecord& R : OfType(All, META_EXTTEXTOUT)) {
    const int N = S16(B, R.At + 10);
    const unsigned Options = U16(B, R.At + 12);
    const qsizetype Text = R.At + 14 + ((Options & (ETO_OPAQUE | ETO_CLIPPED)) ? 8 : 0);
    Texts << B.mid(Text, N);
  }
  return Texts;
}

// ---- the SVG the readers make of them ----

struct TSvgElement {
  QString Name;
  QMap<QString, QString> Attr;  // attributes and the properties of the style attribute
  QString Text;
};

std::vector<TSvgElement> ParseSvg(const QString& Svg) {
  std::vector<TSvgElement> All;
  QXmlStreamReader X(Svg);
  // One reader writes "xlink:href" without declaring the prefix.
  X.setNamespaceProcessing(false);
  int Open = -1;
  while (!X.atEnd()) {
    X.readNext();
    if (X.isStartElement()) {
      TSvgElement E;
      E.Name = X.qualifiedName().toString();
      for (const QXmlStreamAttribute& A : X.attributes())
        E.Attr[A.qualifiedName().toString().remove(QStringLiteral("xlink:"))] =
            A.value().toString().trimmed();
      for (const QString& Prop : E.Attr.value(QStringLiteral("style")).split(u';')) {
        const qsizetype Colon = Prop.indexOf(u':');
        if (Colon > 0) E.Attr[Prop.left(Colon).trimmed()] = Prop.mid(Colon + 1).trimmed();
      }
      All.push_back(E);
      Open = static_cast<int>(All.size()) - 1;
    } else if (X.isCharacters() && Open >= 0) {
      All[static_cast<size_t>(Open)].Text += X.text();
    } else if (X.isEndElement()) {
      Open = -1;
    }
  }
  EXPECT_FALSE(X.hasError()) << X.errorString().toStdString();
  return All;
}

bool Painted(const TSvgElement& E, const char* Prop, TColor C) {
  const QColor Q = QColor::fromString(E.Attr.value(QString::fromLatin1(Prop)));
  return Q.isValid() && Q.rgb() == Rgb(C);
}

const TSvgElement* Find(const std::vector<TSvgElement>& All, const char* Prop, TColor C) {
  for (const TSvgElement& E : All)
    if (E.Name != u"text" && Painted(E, Prop, C)) return &E;
  return nullptr;
}

double Num(const TSvgElement& E, const char* Name) {
  return E.Attr.value(QString::fromLatin1(Name)).toDouble();
}

QList<double> Numbers(const QString& S) {
  QList<double> R;
  static const QRegularExpression Re(QStringLiteral(R"(-?\d+(\.\d+)?)"));
  for (const QRegularExpressionMatch& M : Re.globalMatch(S)) R << M.captured().toDouble();
  return R;
}

// Where an element starts: the corner of a rectangle, the centre of an ellipse, the first point
// of a line or path.
QPointF Anchor(const TSvgElement& E) {
  if (E.Name == u"rect") return {Num(E, "x"), Num(E, "y")};
  if (E.Name == u"ellipse") return {Num(E, "cx"), Num(E, "cy")};
  const QList<double> N = Numbers(E.Name == u"path" ? E.Attr.value(QStringLiteral("d"))
                                                    : E.Attr.value(QStringLiteral("points")));
  return N.size() >= 2 ? QPointF(N[0], N[1]) : QPointF(-1e9, -1e9);
}

// Picture to SVG coordinates, taken from the white background that fills the picture: the
// readers fit the drawing to their own view box.
struct TView {
  double X0 = 0, Y0 = 0, Sx = 1, Sy = 1;
  QPointF Map(double X, double Y) const { return {X0 + Sx * X, Y0 + Sy * Y}; }
};

TView ViewOf(const std::vector<TSvgElement>& All) {
  const TSvgElement* Back = Find(All, "fill", clWhite);
  EXPECT_TRUE(Back && Back->Name == u"rect") << "no background";
  if (!Back) return {};
  // The background fills one pixel more each way than it covers, as a rectangle without outline.
  return {Num(*Back, "x"), Num(*Back, "y"), Num(*Back, "width") / (PicW + 1),
          Num(*Back, "height") / (PicH + 1)};
}

#define EXPECT_NEAR_POINT(P, Q, Tol)    \
  do {                                  \
    EXPECT_NEAR((P).x(), (Q).x(), Tol); \
    EXPECT_NEAR((P).y(), (Q).y(), Tol); \
  } while (0)

QByteArray WritePicture(TMetafileFormat F, const QString& Name,
                        const std::function<void(TCanvas&)>& Paint, int W = PicW, int H = PicH) {
  auto Writer = CreateMetafileWriter(F, Name, W, H);
  {
    TCanvas C(Writer.get());
    Paint(C);
  }
  EXPECT_TRUE(Writer->Finish());
  return ReadBytes(Name);
}

// The checks that both readers support alike.
void CheckCommonPrimitives(const std::vector<TSvgElement>& Svg) {
  const TView V = ViewOf(Svg);
  const double Tol = 3;
  struct TExpect {
    const char* What;
    const char* Prop;
    TColor Color;
    const char* Kinds;
    double X, Y;  // the anchor; X < 0 when the reader's geometry is not checked
  };
  const TExpect Expected[] = {
      {"line", "stroke", cLine, "polyline path", 10, 10},
      {"dashed polyline", "stroke", cDash, "polyline path", 10, 20},
      {"wide line", "stroke", cWide, "polyline path", 10, 50},
      {"alternate polygon", "fill", cPolyAlt, "polygon path", 220, 10},
      {"winding polygon", "fill", cPolyWind, "polygon path", 300, 10},
      {"rectangle", "fill", cRect, "rect", 10, 100},
      {"round rectangle", "fill", cRound, "rect path", -1, 0},
      {"ellipse", "fill", cEllipse, "ellipse", 170, 120},
      {"arc", "stroke", cArc, "path ellipse", -1, 0},
      {"chord", "fill", cChord, "path", -1, 0},
      {"pie", "fill", cPie, "path", -1, 0},
      {"hatched rectangle", "fill", cHatch, "rect", 10, 150},
      {"clear rectangle", "stroke", cFrameOnly, "rect", 70, 150},
      {"filled rectangle", "fill", cFill, "rect", 140, 150},
      {"clipped rectangle", "fill", cClipped, "rect", -1, 0},
      {"region-clipped rectangle", "fill", cRegion, "rect", -1, 0},
  };
  for (const TExpect& X : Expected) {
    SCOPED_TRACE(X.What);
    const TSvgElement* E = Find(Svg, X.Prop, X.Color);
    ASSERT_NE(E, nullptr);
    EXPECT_TRUE(QString::fromLatin1(X.Kinds).split(u' ').contains(E->Name))
        << E->Name.toStdString();
    if (X.X >= 0) EXPECT_NEAR_POINT(Anchor(*E), V.Map(X.X, X.Y), Tol);
  }
  EXPECT_NEAR(Num(*Find(Svg, "stroke", cWide), "stroke-width") / V.Sx, 5, 0.5);
  EXPECT_NEAR(Num(*Find(Svg, "stroke", cLine), "stroke-width") / V.Sx, 1, 0.5);
  const QString Dashes = Find(Svg, "stroke", cDash)->Attr.value(QStringLiteral("stroke-dasharray"));
  EXPECT_GE(Numbers(Dashes).size(), 2) << Dashes.toStdString();
  EXPECT_TRUE(Find(Svg, "stroke", cLine)
                  ->Attr.value(QStringLiteral("stroke-dasharray"), QStringLiteral("none")) ==
              u"none");
  const TSvgElement& Rect = *Find(Svg, "fill", cRect);
  EXPECT_NEAR(Num(Rect, "width"), 50 * V.Sx, Tol);
  EXPECT_NEAR(Num(Rect, "height"), 40 * V.Sy, Tol);
  EXPECT_TRUE(Painted(Rect, "stroke", clNavy));
  EXPECT_GT(Num(*Find(Svg, "fill", cRound), "rx"), 0);
  EXPECT_NEAR(Num(*Find(Svg, "fill", cEllipse), "rx"), 30 * V.Sx, Tol);
  EXPECT_EQ(Find(Svg, "stroke", cFrameOnly)->Attr.value(QStringLiteral("fill")), u"none");
  const TSvgElement& Fill = *Find(Svg, "fill", cFill);
  EXPECT_NEAR(Num(Fill, "width"), 60 * V.Sx, Tol);
  EXPECT_NEAR(Num(Fill, "height"), 40 * V.Sy, Tol);

  // Texts: in the text colour, bold and italic where asked, the rotated one turned.
  QString All;
  bool Bold = false;
  bool Italic = false;
  bool Turned = false;
  for (const TSvgElement& E : Svg) {
    if (E.Name != u"text" || !Painted(E, "fill", cText)) continue;
    All += E.Text;
    const QString Weight = E.Attr.value(QStringLiteral("font-weight"));
    if (E.Text.startsWith(u'B')) {
      Bold = Weight == u"700" || Weight == u"bold";
      Italic = E.Attr.value(QStringLiteral("font-style")) != u"normal" &&
               !E.Attr.value(QStringLiteral("font-style")).isEmpty();
    }
    if (E.Text.startsWith(u'U')) {
      const QString T = E.Attr.value(QStringLiteral("transform"));
      const QList<double> M = Numbers(T);
      Turned =
          T.contains(QStringLiteral("rotate(-90")) ||
          (T.startsWith(QStringLiteral("matrix")) && M.size() >= 2 && std::abs(M[1] + 1) < 0.01);
    }
  }
  for (const char* Text : {"Hello metafile", "Opaque", "Grüße €", "Up", "Bold"})
    EXPECT_TRUE(All.contains(QString::fromUtf8(Text))) << Text << " not in " << All.toStdString();
  EXPECT_TRUE(Bold);
  EXPECT_TRUE(Italic);
  EXPECT_TRUE(Turned);

  // The image: stored as a bitmap, shown with its left half red and its right half blue.
  const TSvgElement* Image = nullptr;
  for (const TSvgElement& E : Svg)
    if (E.Name == u"image") Image = &E;
  ASSERT_NE(Image, nullptr);
  QString Href = Image->Attr.value(QStringLiteral("href"));
  Href.remove(QRegularExpression(QStringLiteral(R"(\s)")));
  ASSERT_TRUE(Href.startsWith(QStringLiteral("data:image/png;base64,")));
  const QImage Png = QImage::fromData(QByteArray::fromBase64(Href.mid(22).toLatin1()));
  ASSERT_EQ(Png.size(), QSize(8, 4));
  EXPECT_EQ(Png.pixel(0, 0) & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(Png.pixel(7, 3) & 0xFFFFFF, 0x0000FFu);
}

class MetafileFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureGuiApp();
    ASSERT_TRUE(Dir.isValid());
  }
  QString Path(const char* Name) const { return Dir.filePath(QString::fromLatin1(Name)); }
  QTemporaryDir Dir;
};

TEST_F(MetafileFiles, EnhancedPictureReadByAnotherProgram) {
  const QString File = Path("picture.emf");
  const QByteArray B = WritePicture(TMetafileFormat::Emf, File, PaintTestPicture);
  const QString Svg = ToSvg(TMetafileFormat::Emf, File);
  ASSERT_FALSE(Svg.isEmpty());
  const std::vector<TSvgElement> Elements = ParseSvg(Svg);
  ASSERT_FALSE(Elements.empty());
  EXPECT_DOUBLE_EQ(Num(Elements[0], "width"), PicW);
  EXPECT_DOUBLE_EQ(Num(Elements[0], "height"), PicH);
  CheckCommonPrimitives(Elements);
  for (TColor C : {cClipped, cRegion})
    EXPECT_TRUE(Find(Elements, "fill", C)->Attr.contains(QStringLiteral("clip-path")));
  for (const TSvgElement& E : Elements)
    if (E.Name == u"text") {
      EXPECT_EQ(E.Attr.value(QStringLiteral("font-family")), u"Arial");
    }

  // What this reader leaves out is checked in the records.
  const std::vector<TRecord> R = EmfRecords(B);
  ASSERT_FALSE(R.empty());
  EXPECT_EQ(EmfTexts(B, R),
            QStringList({QStringLiteral("Hello metafile"), QStringLiteral("Opaque"),
                         QStringLiteral("Grüße €"), QStringLiteral("Up"), QStringLiteral("Bold")}));
  std::vector<quint32> FillModes;
  for (const TRecord& X : OfType(R, EMR_SETPOLYFILLMODE)) FillModes.push_back(U32(B, X.At + 8));
  EXPECT_EQ(FillModes, (std::vector<quint32>{1, 2}));  // alternate, then winding
  const std::vector<TRecord> Pixels = OfType(R, EMR_SETPIXELV);
  ASSERT_EQ(Pixels.size(), 1u);
  EXPECT_EQ(U32(B, Pixels[0].At + 8), 390u);
  EXPECT_EQ(ColorRefAt(B, Pixels[0].At + 16), Rgb(cPixel));
  bool Hatched = false;
  for (const TRecord& X : OfType(R, EMR_CREATEBRUSHINDIRECT))
    Hatched |= U32(B, X.At + 12) == 2 && U32(B, X.At + 20) == 4;  // BS_HATCHED, HS_CROSS
  EXPECT_TRUE(Hatched);
  bool OpaqueBack = false;
  for (const TRecord& X : OfType(R, EMR_SETBKCOLOR))
    OpaqueBack |= ColorRefAt(B, X.At + 8) == Rgb(cOpaqueBack);
  EXPECT_TRUE(OpaqueBack);
  EXPECT_FALSE(OfType(R, EMR_EXTCREATEPEN).empty());
  EXPECT_EQ(OfType(R, EMR_INTERSECTCLIPRECT).size(), 2u);
  EXPECT_FALSE(OfType(R, EMR_EXCLUDECLIPRECT).empty());
  EXPECT_EQ(OfType(R, EMR_SAVEDC).size(), OfType(R, EMR_RESTOREDC).size());
  const std::vector<TRecord> Dibs = OfType(R, EMR_STRETCHDIBITS);
  ASSERT_EQ(Dibs.size(), 1u);
  const qsizetype Bmi = Dibs[0].At + U32(B, Dibs[0].At + 48);
  EXPECT_EQ(U32(B, Bmi), 40u);
  EXPECT_EQ(U16(B, Bmi + 14), 24u);
}

TEST_F(MetafileFiles, OldStylePictureReadByAnotherProgram) {
  const QString File = Path("picture.wmf");
  const QByteArray B = WritePicture(TMetafileFormat::Wmf, File, PaintTestPicture);
  const QString Svg = ToSvg(TMetafileFormat::Wmf, File);
  ASSERT_FALSE(Svg.isEmpty());
  // This reader copies the text bytes as they are, so its SVG is code page 1252 too.
  const std::vector<TSvgElement> Elements =
      ParseSvg(FromCp1252(ReadBytes(File + ".svg").toStdString()));
  ASSERT_FALSE(Elements.empty());
  EXPECT_DOUBLE_EQ(Num(Elements[0], "width"), PicW);
  EXPECT_DOUBLE_EQ(Num(Elements[0], "height"), PicH);
  CheckCommonPrimitives(Elements);
  EXPECT_EQ(Find(Elements, "fill", cPolyAlt)->Attr.value(QStringLiteral("fill-rule")), u"evenodd");
  EXPECT_EQ(Find(Elements, "fill", cPolyWind)->Attr.value(QStringLiteral("fill-rule")), u"nonzero");
  const TSvgElement* Pixel = Find(Elements, "fill", cPixel);
  ASSERT_NE(Pixel, nullptr);
  EXPECT_NEAR_POINT(Anchor(*Pixel), ViewOf(Elements).Map(390, 10), 3);

  const std::vector<TRecord> R = WmfRecords(B);
  ASSERT_FALSE(R.empty());
  EXPECT_EQ(WmfTexts(B, R), (QList<QByteArray>{"Hello metafile", "Opaque",
                                               "Gr\xFC\xDF"
                                               "e \x80",
                                               "Up", "Bold"}));
  EXPECT_EQ(OfType(R, META_INTERSECTCLIPRECT).size(), 2u);
  EXPECT_FALSE(OfType(R, META_EXCLUDECLIPRECT).empty());
  EXPECT_EQ(OfType(R, META_SAVEDC).size(), OfType(R, META_RESTOREDC).size());
  EXPECT_EQ(OfType(R, META_SETPOLYFILLMODE).size(), 2u);
  bool OpaqueBack = false;
  for (const TRecord& X : OfType(R, META_SETBKCOLOR))
    OpaqueBack |= ColorRefAt(B, X.At + 6) == Rgb(cOpaqueBack);
  EXPECT_TRUE(OpaqueBack);
  EXPECT_EQ(OfType(R, META_STRETCHDIB).size(), 1u);
}

TEST_F(MetafileFiles, HeadersDescribeThePicture) {
  for (const QSize Size : {QSize(PicW, PicH), QSize(1, 1), QSize(1000, 700)}) {
    SCOPED_TRACE(Size.width());
    const int W = Size.width();
    const int H = Size.height();

    const QByteArray E = WritePicture(TMetafileFormat::Emf, Path("h.emf"), PaintTestPicture, W, H);
    ASSERT_GE(E.size(), 108);
    EXPECT_EQ(E.mid(40, 4), QByteArray(" EMF"));
    EXPECT_EQ(U32(E, 0), EMR_HEADER);
    EXPECT_EQ(U32(E, 48), static_cast<quint32>(E.size()));  // nBytes
    const std::vector<TRecord> R = EmfRecords(E);
    ASSERT_FALSE(R.empty()) << "record sizes do not add up to the file size";
    EXPECT_EQ(U32(E, 52), R.size());  // nRecords
    EXPECT_EQ(R.back().Type, EMR_EOF);
    EXPECT_GE(U16(E, 56), 4u);  // handles: the reserved one, pen, brush, font
    // Frame in hundredths of a millimetre at 96 pixels per inch; device size in pixels.
    EXPECT_EQ(static_cast<qint32>(U32(E, 24 + 8)), qRound(W * 2540 / 96.0));
    EXPECT_EQ(static_cast<qint32>(U32(E, 24 + 12)), qRound(H * 2540 / 96.0));
    EXPECT_EQ(U32(E, 72), static_cast<quint32>(W));
    EXPECT_EQ(U32(E, 76), static_cast<quint32>(H));
    EXPECT_EQ(U32(E, 100), static_cast<quint32>(qRound(W * 25400 / 96.0)));  // micrometres

    const QByteArray M = WritePicture(TMetafileFormat::Wmf, Path("h.wmf"), PaintTestPicture, W, H);
    ASSERT_GE(M.size(), 40);
    EXPECT_EQ(U32(M, 0), 0x9AC6CDD7u);
    quint16 Sum = 0;
    for (int I = 0; I < 20; I += 2) Sum ^= U16(M, I);
    EXPECT_EQ(U16(M, 20), Sum);
    EXPECT_EQ(S16(M, 6), 0);
    EXPECT_EQ(S16(M, 8), 0);
    EXPECT_EQ(S16(M, 10), W);
    EXPECT_EQ(S16(M, 12), H);
    EXPECT_EQ(U16(M, 14), 96u);     // units per inch
    EXPECT_EQ(U16(M, 22 + 2), 9u);  // header size in words
    EXPECT_EQ(2 * static_cast<qsizetype>(U32(M, 22 + 6)), M.size() - 22);
    const std::vector<TRecord> WR = WmfRecords(M);
    ASSERT_FALSE(WR.empty()) << "record sizes do not add up to the file size";
    EXPECT_EQ(WR.back().Type, META_EOF);
    qsizetype Largest = 0;
    for (const TRecord& X : WR) Largest = std::max(Largest, X.Size / 2);
    EXPECT_EQ(static_cast<qsizetype>(U32(M, 22 + 12)), Largest);
    EXPECT_GE(U16(M, 22 + 10), 3u);  // objects: pen, brush and font at once
  }
}

TEST_F(MetafileFiles, FailedWritesAreReported) {
  for (TMetafileFormat F : {TMetafileFormat::Emf, TMetafileFormat::Wmf}) {
    auto Missing = CreateMetafileWriter(F, Path("no/such/dir/p.emf"), 10, 10);
    {
      TCanvas C(Missing.get());
      C.Rectangle(1, 1, 5, 5);
    }
    EXPECT_FALSE(Missing->Finish());
    EXPECT_FALSE(Missing->Finish());
    EXPECT_FALSE(QFileInfo::exists(Path("no")));

    // A directory in the place of the file: nothing is written and the directory stays.
    ASSERT_TRUE(QDir(Dir.path()).mkpath(QStringLiteral("taken")));
    auto Taken = CreateMetafileWriter(F, Path("taken"), 10, 10);
    EXPECT_FALSE(Taken->Finish());
    EXPECT_TRUE(QFileInfo(Path("taken")).isDir());

    // An existing picture is replaced only by a whole new one.
    const QString File = Path("kept.pic");
    ASSERT_TRUE(PutBytes(File, "old"));
    auto Good = CreateMetafileWriter(F, File, 10, 10);
    {
      TCanvas C(Good.get());
      C.Ellipse(0, 0, 9, 9);
    }
    ASSERT_TRUE(Good->Finish());
    const QByteArray New = ReadBytes(File);
    EXPECT_GT(New.size(), 40);
    // Finishing again writes nothing more; what is drawn afterwards is not recorded.
    {
      TCanvas C(Good.get());
      C.Rectangle(0, 0, 5, 5);
    }
    EXPECT_TRUE(Good->Finish());
    EXPECT_EQ(ReadBytes(File), New);
  }
}

TEST_F(MetafileFiles, ClipboardBytesAreThePicture) {
  for (TMetafileFormat F : {TMetafileFormat::Emf, TMetafileFormat::Wmf}) {
    const QByteArray File = WritePicture(F, Path("c.pic"), PaintTestPicture);
    EXPECT_EQ(MetafileBytes(F, PicW, PicH, PaintTestPicture), File);
  }
  // Nothing drawn and no size still make a valid, empty picture of one pixel.
  const QByteArray E = MetafileBytes(TMetafileFormat::Emf, 0, -5, nullptr);
  ASSERT_FALSE(EmfRecords(E).empty());
  EXPECT_EQ(U32(E, 72), 1u);
  EXPECT_EQ(U32(E, 76), 1u);
  const QByteArray M = MetafileBytes(TMetafileFormat::Wmf, 0, 0, [](TCanvas&) {});
  ASSERT_FALSE(WmfRecords(M).empty());
  EXPECT_EQ(S16(M, 10), 1);
}

// Coordinates at the ends of the integer range, huge pens, fonts and pictures, and lines longer
// than one record holds: every file stays well formed, within its format's coordinate range, and
// readable.
void PaintExtremes(TCanvas& C) {
  constexpr int Big = INT_MAX;
  constexpr int Small = INT_MIN;
  C.Pen()->SetColor(cLine);
  C.MoveTo(10, 10);
  C.LineTo(Big, 10);
  const std::vector<TPoint> Wild = {
      {Small, Small}, {Big, Big}, {Small, Big}, {50, 50}, {Big, Small}};
  C.Polyline(Wild);
  C.Brush()->SetColor(cPolyAlt);
  C.Polygon(std::vector<TPoint>{{10, 10}, {Big, 10}, {10, Big}});
  C.Rectangle(Small, Small, Big, Big);
  C.Ellipse(Small, Small, Big, Big);
  C.RoundRect(Small, 0, Big, 10, Big, Big);
  C.Arc(Small, Small, Big, Big, Big, 0, Small, 0);
  C.Pie(0, 0, Big, Big, Small, Small, Big, Big);
  C.FillRect(Rect(Small, Small, Big, Big));
  C.FrameRect(Rect(Small, Small, Big, Big));
  C.Pen()->SetWidth(Big);
  C.LineTo(0, 0);
  C.Pen()->SetWidth(1);
  C.Font()->SetHeight(Small);
  C.TextOut(Big, Small, QStringLiteral("far"));
  C.Font()->SetHeight(-12);
  C.TextRect(Rect(Small, Small, Big, Big), Big, Big, QStringLiteral("cut"));
  C.TextOut(5, 5, QString(20000, u'x'));
  C.SetPixels(Big, Big, cPixel);
  QImage Image(2, 2, QImage::Format_ARGB32);
  Image.fill(qRgba(255, 0, 0, 0));
  C.StretchDrawImage(Rect(Small, Small, Big, Big), Image);
  QRegion Far(QRect(Big - 10, Big - 10, 10, 10));
  Far += QRect(0, 0, 5, 5);
  C.SelectClipRgn(&Far);
  C.Rectangle(0, 0, 20, 20);
  C.ResetClip();
  std::vector<TPoint> Zig;
  for (int I = 0; I < 40000; ++I) Zig.push_back({I % 400, (I % 2) * 100 + I / 400});
  C.Polyline(Zig);
  C.Polygon(Zig);
}

TEST_F(MetafileFiles, ExtremeInputStaysWithinTheFormat) {
  const QString Emf = Path("x.emf");
  const QByteArray E = WritePicture(TMetafileFormat::Emf, Emf, PaintExtremes);
  const std::vector<TRecord> ER = EmfRecords(E);
  ASSERT_FALSE(ER.empty());
  EXPECT_FALSE(ToSvg(TMetafileFormat::Emf, Emf).isEmpty());
  // The first line keeps its direction when it is cut at the limit.
  const TRecord First = OfType(ER, EMR_POLYLINE).at(0);
  EXPECT_EQ(U32(E, First.At + 24), 2u);
  EXPECT_EQ(static_cast<qint32>(U32(E, First.At + 28 + 4)), 10);
  EXPECT_EQ(static_cast<qint32>(U32(E, First.At + 28 + 12)), 10);
  EXPECT_EQ(static_cast<qint32>(U32(E, First.At + 28 + 8)), (1 << 27) - 1);

  const QString Wmf = Path("x.wmf");
  const QByteArray M = WritePicture(TMetafileFormat::Wmf, Wmf, PaintExtremes);
  const std::vector<TRecord> MR = WmfRecords(M);
  ASSERT_FALSE(MR.empty());
  EXPECT_FALSE(ToSvg(TMetafileFormat::Wmf, Wmf).isEmpty());
  const std::vector<TRecord> Lines = OfType(MR, META_POLYLINE);
  ASSERT_FALSE(Lines.empty());
  EXPECT_EQ(S16(M, Lines[0].At + 6), 2);
  EXPECT_EQ(S16(M, Lines[0].At + 8), 10);
  EXPECT_EQ(S16(M, Lines[0].At + 10), 10);
  EXPECT_EQ(S16(M, Lines[0].At + 12), 32767);
  EXPECT_EQ(S16(M, Lines[0].At + 14), 10);
  // The long zig-zag is split into pieces that meet; together they hold every point.
  int Points = 0;
  int Pieces = 0;
  for (const TRecord& L : Lines) {
    const int N = S16(M, L.At + 6);
    if (N < 1000) continue;
    ++Pieces;
    Points += N;
  }
  EXPECT_GE(Pieces, 3);
  EXPECT_EQ(Points, 40000 + Pieces - 1);
  for (const TRecord& P : OfType(MR, META_POLYGON)) EXPECT_GT(S16(M, P.At + 6), 2);
}

// Raster modes draw as copy outside images, "no operation" draws nothing; a bitmap brush is kept
// as a device-independent pattern.
TEST_F(MetafileFiles, PenModesAndPatternBrushes) {
  auto Paint = [](TCanvas& C) {
    C.Pen()->SetMode(pmNop);
    C.Rectangle(0, 0, 10, 10);
    C.Pen()->SetMode(pmNotXor);
    C.Rectangle(0, 0, 20, 20);
    C.Pen()->SetMode(pmCopy);
    QImage Pattern(8, 8, QImage::Format_RGB32);
    Pattern.fill(qRgb(0, 0x80, 0));
    C.Brush()->SetBitmapImage(Pattern);
    C.Rectangle(20, 20, 60, 60);
  };
  const QString Emf = Path("m.emf");
  const QByteArray E = WritePicture(TMetafileFormat::Emf, Emf, Paint);
  const std::vector<TRecord> R = EmfRecords(E);
  EXPECT_EQ(OfType(R, 43).size(), 2u);  // EMR_RECTANGLE
  EXPECT_TRUE(OfType(R, 20).empty());   // EMR_SETROP2
  ASSERT_EQ(OfType(R, EMR_CREATEDIBPATTERNBRUSHPT).size(), 1u);
  EXPECT_TRUE(ToSvg(TMetafileFormat::Emf, Emf).contains(QStringLiteral("<pattern")));

  const QByteArray M = WritePicture(TMetafileFormat::Wmf, Path("m.wmf"), Paint);
  const std::vector<TRecord> WR = WmfRecords(M);
  EXPECT_EQ(OfType(WR, 0x041B).size(), 2u);  // META_RECTANGLE
  EXPECT_TRUE(OfType(WR, 0x0104).empty());   // META_SETROP2
  EXPECT_EQ(OfType(WR, 0x0142).size(), 1u);  // META_DIBCREATEPATTERNBRUSH
}

}  // namespace

namespace {
// Texts turned upright with three alignments, and where their baselines start on the device:
// the alignment's offsets are taken along and across the turned line.
struct TTurnedText {
  const char* Text;
  unsigned Align;
  int X, Y;
};
const TTurnedText TurnedTexts[] = {{"CenterTop", TA_CENTER | TA_TOP, 50, 150},
                                   {"LeftBase", TA_LEFT | TA_BASELINE, 150, 250},
                                   {"RightBottom", TA_RIGHT | TA_BOTTOM, 250, 250}};

void SetTurnedFont(TCanvas& C) {
  C.Font()->SetName(QStringLiteral("Arial"));
  C.Font()->SetHeight(-20);
  C.Font()->SetEscapement(900);
}

void PaintTurnedTexts(TCanvas& C) {
  C.Brush()->SetColor(clWhite);
  C.FillRect(Rect(0, 0, PicW, PicH));
  C.Brush()->SetStyle(bsClear);
  SetTurnedFont(C);
  for (const TTurnedText& T : TurnedTexts) {
    C.SetTextAlign(T.Align);
    C.TextOut(T.X, T.Y, QString::fromLatin1(T.Text));
  }
}
}  // namespace

// The old-format reader turns each character on its own; the first one stands where the line's
// baseline starts, whatever the alignment the canvas was given.
TEST_F(MetafileFiles, TurnedTextStartsWhereItsAlignmentPutsIt) {
  const QString File = Path("turned.wmf");
  WritePicture(TMetafileFormat::Wmf, File, PaintTurnedTexts);
  ASSERT_FALSE(ToSvg(TMetafileFormat::Wmf, File).isEmpty());
  const std::vector<TSvgElement> Svg = ParseSvg(FromCp1252(ReadBytes(File + ".svg").toStdString()));
  const TView V = ViewOf(Svg);
  TBitmap Measure(10, 10);
  TCanvas& M = *Measure.Canvas();
  SetTurnedFont(M);
  const int Ascent = M.TextAscent(), Descent = M.TextHeight(QStringLiteral("Hg")) - Ascent;
  for (const TTurnedText& T : TurnedTexts) {
    SCOPED_TRACE(T.Text);
    const int W = M.TextWidth(QString::fromLatin1(T.Text));
    const int Across = (T.Align & TA_VERTMASK) == TA_TOP      ? Ascent
                       : (T.Align & TA_VERTMASK) == TA_BOTTOM ? -Descent
                                                              : 0;
    const int Along = (T.Align & TA_HORZMASK) == TA_CENTER  ? W / 2
                      : (T.Align & TA_HORZMASK) == TA_RIGHT ? W
                                                            : 0;
    // Upright: along the line is up the page, across it to the right.
    const QPointF Start = V.Map(T.X + Across, T.Y + Along);
    // The first character of the text, turned: its matrix moves it to where it stands.
    const QString First = QString(QChar::fromLatin1(T.Text[0]));
    const TSvgElement* Found = nullptr;
    for (const TSvgElement& E : Svg)
      if (E.Name == u"text" && E.Text.trimmed() == First &&
          E.Attr.value(QStringLiteral("transform")).startsWith(QStringLiteral("matrix"))) {
        const QList<double> N = Numbers(E.Attr.value(QStringLiteral("transform")));
        if (N.size() == 6 && std::abs(N[4] - Start.x()) < 40 && std::abs(N[5] - Start.y()) < 60)
          Found = &E;
      }
    ASSERT_NE(Found, nullptr);
    const QList<double> N = Numbers(Found->Attr.value(QStringLiteral("transform")));
    EXPECT_NEAR(N[1], -1, 0.01);  // turned a quarter counter-clockwise
    EXPECT_NEAR_POINT(QPointF(N[4], N[5]), Start, 3);
  }
}
