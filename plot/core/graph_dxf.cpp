#include "plot/core/graph_dxf.h"

#include <QBuffer>
#include <cmath>

#include "platform/codepage.h"
#include "platform/number_text.h"
#include "platform/text_file.h"

namespace {
QString F4(double V) { return QString::fromStdString(FormatFixed(V, 4)); }
QString E(double V) { return QString::fromStdString(StrReal(V, 23)); }
QString ColorLine(TColor C) { return QStringLiteral("     ") + QString::number(ColorToDXF(C)); }
bool Finite(std::initializer_list<double> Values) {
  for (double V : Values)
    if (!std::isfinite(V)) return false;
  return true;
}
}  // namespace

int ColorToDXF(TColor Color) {
  switch (static_cast<std::uint32_t>(Color)) {
    case 0x000000:
    case 0xFFFFFFFF:
      return 0;
    case 0x000080:
    case 0x0000FF:
      return 1;
    case 0x008080:
    case 0x00FFFF:
      return 2;
    case 0x008000:
    case 0x00FF00:
      return 3;
    case 0x808000:
    case 0xFFFF00:
      return 4;
    case 0x800000:
    case 0xFF0000:
      return 5;
    case 0x800080:
    case 0xFF00FF:
      return 6;
    case 0xFFFFFF:
      return 7;
    default:
      return 8;
  }
}

TDxfTarget::TDxfTarget(QIODevice* F, int Mode, int Width, int Height)
    : FWidth(Width), FHeight(Height) {
  FWriter.F = F;
  FWriter.Mode = Mode;
}

QString TDXF::LayerName(const QString& Name) {
  QString S = Name.left(255).toUpper();
  S.replace(u' ', u'_');
  S.replace(u'/', u'_');
  return S;
}

void TDXF::Put(const QString& Line) {
  if (FFailed) return;
  if (!F) {
    FFailed = true;
    FError = QStringLiteral("No DXF file is open");
    return;
  }
  std::string Bytes = ToCp1252(Line);
  Bytes += '\n';
  if (F->write(Bytes.data(), static_cast<qint64>(Bytes.size())) !=
      static_cast<qint64>(Bytes.size())) {
    FFailed = true;
    FError = F->errorString();
  }
}

void TDXF::WriteLine(const QString& Layer, TColor Color, double X1, double Y1, double X2,
                     double Y2) {
  if (!Finite({X1, Y1, X2, Y2})) return;
  switch (Mode) {
    case 0:
      Put(QStringLiteral("LINE,1"));
      Put(F4(X1) + u',' + F4(Y1) + u',' + F4(X2) + u',' + F4(Y2));
      break;
    case 1:
    case 2:
      Put(QStringLiteral("0"));
      Put(QStringLiteral("LINE"));
      Put(QStringLiteral("8"));
      Put(LayerName(Layer));
      Put(QStringLiteral(" 62"));
      Put(ColorLine(Color));
      Put(QStringLiteral("10"));
      Put(F4(X1));
      Put(QStringLiteral("20"));
      Put(F4(Y1));
      if (Mode == 2) {
        Put(QStringLiteral("30"));
        Put(QStringLiteral("0.0"));
      }
      Put(QStringLiteral("11"));
      Put(F4(X2));
      Put(QStringLiteral("21"));
      Put(F4(Y2));
      if (Mode == 2) {
        Put(QStringLiteral("31"));
        Put(QStringLiteral("0.0"));
      }
      break;
    case 3:
      Put(QStringLiteral("10"));
      Put(F4(X1) + u',' + F4(Y1));
      Put(F4(X2) + u',' + F4(Y2));
      Put(QStringLiteral("END"));
      break;
    default:
      break;
  }
}

void TDXF::WriteRectangle(const TDoubleRect& R, const QString& Layer, TColor Color) {
  if (!Finite({R.Left, R.Top, R.Right, R.Bottom})) return;
  WriteLine(Layer, Color, R.Left, R.Top, R.Right, R.Top);
  WriteLine(Layer, Color, R.Right, R.Top, R.Right, R.Bottom);
  WriteLine(Layer, Color, R.Right, R.Bottom, R.Left, R.Bottom);
  WriteLine(Layer, Color, R.Left, R.Bottom, R.Left, R.Top);
}

void TDXF::WriteCircle(const QString& Layer, TColor Color, double X, double Y, double Radius) {
  if ((Mode != 1 && Mode != 2) || !Finite({X, Y, Radius})) return;
  Put(QStringLiteral("0"));
  Put(QStringLiteral("CIRCLE"));
  Put(QStringLiteral("8"));
  Put(LayerName(Layer));
  Put(QStringLiteral(" 62"));
  Put(ColorLine(Color));
  Put(QStringLiteral("10"));
  Put(F4(X));
  Put(QStringLiteral("20"));
  Put(F4(Y));
  if (Mode == 2) {
    Put(QStringLiteral("30"));
    Put(QStringLiteral("0.0"));
  }
  Put(QStringLiteral("40"));
  Put(E(Radius));
}

void TDXF::WriteSolid(const TDoubleRect& R, const QString& Layer, TColor Color) {
  if ((Mode != 1 && Mode != 2) || !Finite({R.Left, R.Top, R.Right, R.Bottom})) return;
  Put(QStringLiteral("  0"));
  Put(QStringLiteral("SOLID"));
  Put(QStringLiteral("  8"));
  Put(LayerName(Layer));
  Put(QStringLiteral(" 62"));
  Put(ColorLine(Color));
  const std::pair<const char*, double> Corners[] = {
      {" 10", R.Left},  {" 20", R.Bottom}, {" 11", R.Left},  {" 21", R.Top},
      {" 12", R.Right}, {" 22", R.Bottom}, {" 13", R.Right}, {" 23", R.Top}};
  for (const auto& [Code, V] : Corners) {
    Put(QString::fromLatin1(Code));
    Put(E(V));
  }
}

TFileStatus ExportDXF(const QString& FileName, int Mode,
                      const std::function<void(TCanvas&)>& Draw) {
  QByteArray Bytes;
  QBuffer Buffer(&Bytes);
  Buffer.open(QIODevice::WriteOnly);
  TDxfTarget Target(&Buffer, Mode);
  const bool Dxf = Mode == 1 || Mode == 2;
  auto Frame = [&](std::initializer_list<const char*> Lines) {
    if (!Dxf) return;
    for (const char* L : Lines) Buffer.write(QByteArray(L) + '\n');
  };
  Frame({"0", "SECTION", "2", "ENTITIES"});
  {
    TCanvas C(&Target);
    if (Draw) Draw(C);
  }
  Frame({"0", "ENDSEC", "0", "EOF"});
  const TDXF& W = Target.Writer();
  if (W.Failed()) return {TFileError::NotMade, TFileOp::Write, FileName, 0, W.Error()};
  return WriteFileBytes(FileName, Bytes);
}
