#include "platform/cursors.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QWidget>

#include <map>

namespace {

std::map<TCursor, QCursor>& Registered() {
  static std::map<TCursor, QCursor> M;
  return M;
}

TCursor CurrentScreen = crDefault;
bool OverridePushed = false;

Qt::CursorShape StandardShape(TCursor C) {
  switch (C) {
    case crNone:
      return Qt::BlankCursor;
    case crCross:
      return Qt::CrossCursor;
    case crIBeam:
      return Qt::IBeamCursor;
    case crSizeNESW:
      return Qt::SizeBDiagCursor;
    case crSizeNS:
      return Qt::SizeVerCursor;
    case crSizeNWSE:
      return Qt::SizeFDiagCursor;
    case crSizeWE:
      return Qt::SizeHorCursor;
    case crUpArrow:
      return Qt::UpArrowCursor;
    case crHourGlass:
    case crSQLWait:
      return Qt::WaitCursor;
    case crDrag:
    case crMultiDrag:
      return Qt::DragCopyCursor;
    case crNoDrop:
    case crNo:
      return Qt::ForbiddenCursor;
    case crHSplit:
      return Qt::SplitHCursor;
    case crVSplit:
      return Qt::SplitVCursor;
    case crAppStart:
      return Qt::BusyCursor;
    case crHelp:
      return Qt::WhatsThisCursor;
    case crHandPoint:
      return Qt::PointingHandCursor;
    case crSizeAll:
      return Qt::SizeAllCursor;
    default:
      return Qt::ArrowCursor;
  }
}

// Black outlines on white, 32 x 32, so they show on any background.
QImage Canvas() {
  QImage Img(32, 32, QImage::Format_ARGB32_Premultiplied);
  Img.fill(Qt::transparent);
  return Img;
}

void Outline(QPainter& P) {
  P.setRenderHint(QPainter::Antialiasing, false);
  P.setPen(QPen(Qt::black, 1));
  P.setBrush(Qt::white);
}

QCursor Hand(bool Closed) {
  QImage Img = Canvas();
  QPainter P(&Img);
  Outline(P);
  QPainterPath Path;
  if (Closed) {
    // A fist: knuckles along the top, palm below.
    Path.addRoundedRect(7, 10, 18, 15, 4, 4);
    for (int i = 0; i < 4; ++i) Path.addRoundedRect(8 + i * 4, 7, 5, 7, 2, 2);
  } else {
    // A pointing hand: the index finger up, the others folded.
    Path.addRoundedRect(11, 1, 5, 16, 2, 2);
    Path.addRoundedRect(8, 12, 18, 14, 4, 4);
    Path.addRoundedRect(5, 14, 5, 7, 2, 2);
  }
  P.drawPath(Path.simplified());
  P.end();
  return Closed ? QCursor(QPixmap::fromImage(Img), 16, 14)
                : QCursor(QPixmap::fromImage(Img), 13, 1);
}

QCursor Magnifier() {
  QImage Img = Canvas();
  QPainter P(&Img);
  Outline(P);
  P.setPen(QPen(Qt::black, 3));
  P.drawLine(18, 18, 28, 28);
  P.setPen(QPen(Qt::black, 1));
  P.drawEllipse(2, 2, 18, 18);
  P.drawLine(7, 11, 15, 11);
  P.drawLine(11, 7, 11, 15);
  P.end();
  return QCursor(QPixmap::fromImage(Img), 11, 11);
}

QCursor Aim() {
  QImage Img = Canvas();
  QPainter P(&Img);
  Outline(P);
  P.setBrush(Qt::NoBrush);
  P.drawEllipse(8, 8, 16, 16);
  P.drawLine(16, 2, 16, 13);
  P.drawLine(16, 19, 16, 30);
  P.drawLine(2, 16, 13, 16);
  P.drawLine(19, 16, 30, 16);
  P.end();
  return QCursor(QPixmap::fromImage(Img), 16, 16);
}

QCursor Eraser() {
  QImage Img = Canvas();
  QPainter P(&Img);
  Outline(P);
  const QPoint Body[] = {{2, 22}, {16, 8}, {26, 18}, {12, 30}};
  P.drawPolygon(Body, 4);
  P.setBrush(Qt::black);
  const QPoint Tip[] = {{2, 22}, {8, 16}, {16, 24}, {12, 30}};
  P.drawPolygon(Tip, 4);
  P.end();
  return QCursor(QPixmap::fromImage(Img), 3, 24);
}

// The arrow with a sign in a box beside it: what a click adds (+) or deletes (x).
QCursor SignedArrow(bool Add) {
  QImage Img = Canvas();
  QPainter P(&Img);
  Outline(P);
  const QPoint Arrow[] = {{1, 1}, {1, 17}, {5, 13}, {8, 20}, {11, 19}, {8, 12}, {13, 12}};
  P.drawPolygon(Arrow, 7);
  P.drawRect(15, 15, 14, 14);
  P.setPen(QPen(Qt::black, 2));
  if (Add) {
    P.drawLine(18, 22, 26, 22);
    P.drawLine(22, 18, 22, 26);
  } else {
    P.drawLine(18, 18, 26, 26);
    P.drawLine(18, 26, 26, 18);
  }
  P.end();
  return QCursor(QPixmap::fromImage(Img), 1, 1);
}

// Four arrow heads around a cross: what a drag or a click moves.
QCursor MoveArrows() {
  QImage Img = Canvas();
  QPainter P(&Img);
  Outline(P);
  const QPoint Cross[] = {{14, 4},  {18, 4},  {18, 14}, {28, 14}, {28, 18}, {18, 18},
                          {18, 28}, {14, 28}, {14, 18}, {4, 18},  {4, 14},  {14, 14}};
  P.drawPolygon(Cross, 12);
  P.setBrush(Qt::black);
  const QPoint Up[] = {{16, 0}, {21, 5}, {11, 5}};
  const QPoint Down[] = {{16, 31}, {21, 26}, {11, 26}};
  const QPoint Left[] = {{0, 16}, {5, 11}, {5, 21}};
  const QPoint Right[] = {{31, 16}, {26, 11}, {26, 21}};
  for (const QPoint* Head : {Up, Down, Left, Right}) P.drawPolygon(Head, 3);
  P.end();
  return QCursor(QPixmap::fromImage(Img), 16, 16);
}

void ApplyScreenCursor() {
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
  if (CurrentScreen == crDefault) {
    if (OverridePushed) QGuiApplication::restoreOverrideCursor();
    OverridePushed = false;
  } else if (OverridePushed) {
    QGuiApplication::changeOverrideCursor(CursorShape(CurrentScreen));
  } else {
    QGuiApplication::setOverrideCursor(CursorShape(CurrentScreen));
    OverridePushed = true;
  }
}

}  // namespace

QCursor CursorShape(TCursor Cursor) {
  auto it = Registered().find(Cursor);
  if (it != Registered().end()) return it->second;
  return QCursor(StandardShape(Cursor));
}

void RegisterCursor(TCursor Cursor, const QCursor& Shape) {
  Registered()[Cursor] = Shape;
  if (Cursor == CurrentScreen) ApplyScreenCursor();
}

void UnregisterCursor(TCursor Cursor) { Registered().erase(Cursor); }
bool CursorRegistered(TCursor Cursor) { return Registered().count(Cursor) != 0; }

QCursor OwnCursor(const QString& ResourceName) {
  const QString N = ResourceName.toUpper();
  if (N == u"NX_HANDCUR" || N == u"CHART_CURSOR_HAND") return Hand(false);
  if (N == u"NX_DRAGCUR") return Hand(true);
  if (N == u"ZOOMIN") return Magnifier();
  if (N == u"AIM") return Aim();
  if (N == u"ERAZE") return Eraser();
  if (N == u"MOVEIT") return MoveArrows();
  if (N == u"SERADD") return SignedArrow(true);
  if (N == u"SERDEL") return SignedArrow(false);
  return QCursor(Qt::ArrowCursor);
}

const QList<TCursorName>& CursorNames() {
  static const QList<TCursorName> Names = {
      {crDefault, "crDefault"},     {crNone, "crNone"},           {crArrow, "crArrow"},
      {crCross, "crCross"},         {crIBeam, "crIBeam"},         {crSizeNESW, "crSizeNESW"},
      {crSizeNS, "crSizeNS"},       {crSizeNWSE, "crSizeNWSE"},   {crSizeWE, "crSizeWE"},
      {crUpArrow, "crUpArrow"},     {crHourGlass, "crHourGlass"}, {crDrag, "crDrag"},
      {crNoDrop, "crNoDrop"},       {crHSplit, "crHSplit"},       {crVSplit, "crVSplit"},
      {crMultiDrag, "crMultiDrag"}, {crSQLWait, "crSQLWait"},     {crNo, "crNo"},
      {crAppStart, "crAppStart"},   {crHelp, "crHelp"},           {crHandPoint, "crHandPoint"},
      {crSizeAll, "crSizeAll"}};
  return Names;
}

QString CursorToIdent(TCursor Cursor) {
  for (const auto& N : CursorNames())
    if (N.Cursor == Cursor) return QString::fromLatin1(N.Name);
  return {};
}

bool IdentToCursor(const QString& Ident, TCursor& Cursor) {
  for (const auto& N : CursorNames())
    if (Ident.compare(QLatin1String(N.Name), Qt::CaseInsensitive) == 0) {
      Cursor = N.Cursor;
      return true;
    }
  return false;
}

TCursor ScreenCursor() { return CurrentScreen; }

void SetScreenCursor(TCursor Cursor) {
  if (Cursor == CurrentScreen) return;
  CurrentScreen = Cursor;
  ApplyScreenCursor();
}

void SetControlCursor(QWidget* Control, TCursor Cursor) {
  if (!Control) return;
  if (Cursor == crDefault)
    Control->unsetCursor();
  else
    Control->setCursor(CursorShape(Cursor));
}

TBusyCursor::TBusyCursor(TCursor Cursor) : FPrevious(ScreenCursor()) { SetScreenCursor(Cursor); }
TBusyCursor::~TBusyCursor() { SetScreenCursor(FPrevious); }
