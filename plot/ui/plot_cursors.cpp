#include "plot/ui/plot_cursors.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>

namespace {
const TPlotCursorEntry Table[17] = {
    {100, "ZOOM_IN"},   {101, "MOVEIT"},    {102, "SERADD"}, {103, "SERDEL"}, {104, "SERSEL"},
    {105, "TRANSFORM"}, {106, "ANIZOOM"},   {107, "PANREA"}, {108, "PANPRO"}, {109, "SERINF"},
    {113, "ANTEXTCR"},  {114, "CRARROWAN"}, {115, "LINECR"}, {116, "RECTCR"}, {117, "CIRCLECR"},
    {118, "SHAPEANCR"}, {119, "ANPENCIL"},
};

enum TBase { bArrow, bCross, bMagnifier, bMove, bPencil, bIBeam };
enum TMark {
  mNone,
  mPlus,
  mMinus,
  mBox,
  mCurve,
  mSpin,
  mHand,
  mHandCross,
  mInfo,
  mLetter,
  mArrow,
  mLine,
  mRect,
  mCircle,
  mShape
};

struct TLook {
  TBase Base;
  TMark Mark;
};

TLook LookOf(const QString& N) {
  static const struct {
    const char* Name;
    TLook Look;
  } Looks[] = {
      {"ZOOM_IN", {bMagnifier, mPlus}}, {"MOVEIT", {bMove, mNone}},
      {"SERADD", {bArrow, mPlus}},      {"SERDEL", {bArrow, mMinus}},
      {"SERSEL", {bArrow, mBox}},       {"TRANSFORM", {bArrow, mCurve}},
      {"ANIZOOM", {bMagnifier, mSpin}}, {"PANREA", {bArrow, mHand}},
      {"PANPRO", {bArrow, mHandCross}}, {"SERINF", {bArrow, mInfo}},
      {"ANTEXTCR", {bIBeam, mLetter}},  {"CRARROWAN", {bCross, mArrow}},
      {"LINECR", {bCross, mLine}},      {"RECTCR", {bCross, mRect}},
      {"CIRCLECR", {bCross, mCircle}},  {"SHAPEANCR", {bCross, mShape}},
      {"ANPENCIL", {bPencil, mNone}},
  };
  for (const auto& L : Looks)
    if (N.compare(QLatin1String(L.Name), Qt::CaseInsensitive) == 0) return L.Look;
  return {bArrow, mNone};
}

// Black outlines on white, so that every cursor shows on any background.
void Base(QPainter& P, TBase B, QPoint& Hot) {
  P.setPen(QPen(Qt::black, 1));
  P.setBrush(Qt::white);
  switch (B) {
    case bArrow: {
      const QPoint A[] = {{0, 0}, {0, 16}, {4, 12}, {7, 19}, {9, 18}, {6, 11}, {11, 11}};
      P.drawPolygon(A, 7);
      Hot = {0, 0};
      break;
    }
    case bCross:
      P.drawLine(8, 0, 8, 16);
      P.drawLine(0, 8, 16, 8);
      Hot = {8, 8};
      break;
    case bMagnifier:
      P.drawEllipse(1, 1, 14, 14);
      P.setPen(QPen(Qt::black, 3));
      P.drawLine(14, 14, 21, 21);
      P.setPen(QPen(Qt::black, 1));
      Hot = {8, 8};
      break;
    case bMove: {
      P.drawLine(11, 1, 11, 21);
      P.drawLine(1, 11, 21, 11);
      const QPoint Heads[4][3] = {{{11, 0}, {8, 4}, {14, 4}},
                                  {{11, 22}, {8, 18}, {14, 18}},
                                  {{0, 11}, {4, 8}, {4, 14}},
                                  {{22, 11}, {18, 8}, {18, 14}}};
      P.setBrush(Qt::black);
      for (const auto& H : Heads) P.drawPolygon(H, 3);
      Hot = {11, 11};
      break;
    }
    case bPencil: {
      const QPoint Body[] = {{0, 21}, {2, 15}, {16, 1}, {20, 5}, {6, 19}};
      P.drawPolygon(Body, 5);
      P.drawLine(2, 15, 6, 19);
      Hot = {0, 21};
      break;
    }
    case bIBeam:
      P.drawLine(4, 0, 4, 16);
      P.drawLine(1, 0, 7, 0);
      P.drawLine(1, 16, 7, 16);
      Hot = {4, 8};
      break;
  }
}

// The small sign at the bottom right that tells the cursors of one base apart.
void Mark(QPainter& P, TMark M) {
  P.setPen(QPen(Qt::black, 1));
  P.setBrush(Qt::NoBrush);
  switch (M) {
    case mNone:
      break;
    case mPlus:
      P.drawLine(22, 26, 30, 26);
      P.drawLine(26, 22, 26, 30);
      break;
    case mMinus:
      P.drawLine(22, 26, 30, 26);
      break;
    case mBox:
      P.drawRect(21, 21, 8, 8);
      break;
    case mCurve:
      P.drawArc(18, 20, 12, 10, 0, 180 * 16);
      P.drawLine(18, 25, 18, 30);
      break;
    case mSpin:
      P.drawArc(20, 20, 10, 10, 30 * 16, 300 * 16);
      P.drawLine(29, 21, 29, 25);
      break;
    case mHand:
    case mHandCross:
      P.drawRoundedRect(20, 22, 9, 8, 2, 2);
      for (int I = 0; I < 3; ++I) P.drawLine(21 + I * 3, 18, 21 + I * 3, 22);
      if (M == mHandCross) P.drawLine(18, 31, 31, 18);
      break;
    case mInfo:
      P.drawEllipse(19, 19, 12, 12);
      P.drawLine(25, 24, 25, 29);
      P.drawPoint(25, 22);
      break;
    case mLetter: {
      const QPoint A[] = {{20, 30}, {25, 19}, {30, 30}};
      P.drawPolyline(A, 3);
      P.drawLine(22, 26, 28, 26);
      break;
    }
    case mArrow:
      P.drawLine(19, 30, 30, 19);
      P.drawLine(30, 19, 25, 19);
      P.drawLine(30, 19, 30, 24);
      break;
    case mLine:
      P.drawLine(19, 30, 30, 19);
      break;
    case mRect:
      P.drawRect(19, 21, 11, 8);
      break;
    case mCircle:
      P.drawEllipse(19, 20, 11, 10);
      break;
    case mShape: {
      const QPoint S[] = {{19, 30}, {22, 19}, {30, 22}, {27, 30}};
      P.drawPolygon(S, 4);
      break;
    }
  }
}
}  // namespace

const TPlotCursorEntry (&PlotCursorTable())[17] { return Table; }

QCursor PlotCursorImage(const QString& Name) {
  const TLook L = LookOf(Name);
  QImage Img(32, 32, QImage::Format_ARGB32_Premultiplied);
  Img.fill(Qt::transparent);
  QPoint Hot;
  {
    QPainter P(&Img);
    P.setRenderHint(QPainter::Antialiasing, false);
    Base(P, L.Base, Hot);
    Mark(P, L.Mark);
  }
  return QCursor(QPixmap::fromImage(Img), Hot.x(), Hot.y());
}

void RegisterPlotCursors() {
  for (const TPlotCursorEntry& E : Table)
    RegisterCursor(E.Id, PlotCursorImage(QString::fromLatin1(E.Name)));
}
