#include "chart/engine/chart.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "platform/app_services.h"

Qt::MouseButton ChartZoomMouseButton = Qt::LeftButton;
Qt::MouseButton ChartPanningMouseButton = Qt::RightButton;
TShiftState ChartZoomKeyShift = 0;
TShiftState ChartPanningKeyShift = 0;
double AnimatedZoomFactor = 3.0;

TCustomChart::TCustomChart(QWidget* Parent)
    : TCustomAxisPanel(Parent),
      FTitle(std::make_unique<TChartTitle>(this)),
      FFoot(std::make_unique<TChartTitle>(this)),
      FBackWall(std::make_unique<TChartWall>(this, clChartAuto)),
      FLeftWall(std::make_unique<TChartWall>(this, static_cast<TColor>(0x80FFFF))),
      FBottomWall(std::make_unique<TChartWall>(this, clWhite)),
      FLegend(std::make_unique<TChartLegend>(this)) {
  FBackWall->Brush()->SetStyle(bsClear);
  setMouseTracking(true);
}

TCustomChart::~TCustomChart() = default;

void TCustomChart::SetBackImageInside(bool Value) {
  if (FBackImageInside == Value) return;
  FBackImageInside = Value;
  Invalidate();
}

void TCustomChart::SetBackColor(TColor Value) {
  FBackWall->SetColor(Value);
  FBackWall->Brush()->SetStyle(bsSolid);
}

int TCustomChart::CalcWallSize(const TChartAxis* Axis) const {
  if (!View3D() || !View3DWalls()) return 0;
  if (Axis == LeftAxis()) return FLeftWall->Size();
  if (Axis == BottomAxis()) return FBottomWall->Size();
  return 0;
}

void TCustomChart::DrawBackImage(const TRect& R) {
  if (!FBackImageInside) TCustomAxisPanel::DrawBackImage(R);
}

void TCustomChart::DrawTitlesAndLegend() {
  TChartCanvas3D* C = Canvas3D();
  C->DisableRotation();
  auto Titles = [this] {
    if (FTitle->Visible()) FTitle->DrawTitle(true);
    if (FFoot->Visible()) FFoot->DrawTitle(false);
  };
  if (!FLegend->Visible() || SeriesCount() == 0) {
    Titles();
  } else if (FLegend->Vertical()) {
    FLegend->DrawLegend();
    Titles();
  } else {
    Titles();
    FLegend->DrawLegend();
  }
  C->EnableRotation();
}

void TCustomChart::CalcAxisRect() {
  for (TChartAxis* A : Axes()) A->AdjustMaxMin();
  TRect R = ChartRect();
  // The label step, and so the labels' width, depends on the axis' length: measure along the
  // rectangle before it shrinks.
  for (TChartAxis* A : Axes()) A->InternalCalcPositions(R);
  for (TChartAxis* A : Axes())
    if (IsAxisVisible(A)) A->CalcRect(R, true, CalcWallSize(A));
  if (View3D() && View3DOptions()->Orthogonal()) {
    const int Back = View3DWalls() ? FBackWall->Size() : 0;
    // On a chart too small for its labels the plot still keeps a pixel.
    R.Right = std::max(R.Left + 1, R.Right - Width3D() - Back);
    R.Top = std::min(R.Bottom - 1, R.Top + Back + Height3D());
  }
  SetChartRect(R);
  RecalcWidthHeight();
  for (TChartAxis* A : Axes()) {
    A->InternalCalcPositions(ChartRect());
    TRect Placed = ChartRect();
    A->CalcRect(Placed, false, CalcWallSize(A));
  }
  // Room for the series at the edges narrows the axes, not the walls.
  int Left = 0, Right = 0, Top = 0, Bottom = 0;
  for (TChartSeries* S : SeriesList())
    if (S->Active()) {
      S->CalcHorizMargins(Left, Right);
      S->CalcVerticalMargins(Top, Bottom);
    }
  if (Left + Right + Top + Bottom == 0) return;
  const TRect CR = ChartRect();
  const TRect H{CR.Left + Left, CR.Top, CR.Right - Right, CR.Bottom};
  const TRect V{CR.Left, CR.Top + Top, CR.Right, CR.Bottom - Bottom};
  // A plot too small for the room keeps its whole width or height.
  for (TChartAxis* A : Axes())
    if (A->IsDepthAxis())
      continue;
    else if (A->Horizontal())
      A->InternalCalcPositions(H.Right > H.Left ? H : CR);
    else
      A->InternalCalcPositions(V.Bottom > V.Top ? V : CR);
}

void TCustomChart::DrawWallsAndBack() {
  TChartCanvas3D* C = Canvas3D();
  const TRect CR = ChartRect();
  const int L = CR.Left, T = CR.Top, R = CR.Right, B = CR.Bottom;
  const int W3 = Width3D();
  auto Prepare = [&](const TChartWall& Wall) {
    C->AssignVisiblePen(*Wall.Pen());
    if (Wall.Brush()->HasBitmap()) {
      C->Brush()->Assign(*Wall.Brush());
    } else if ((IsChartAuto(Wall.Color()) || Wall.Color() == clNone) &&
               Wall.Brush()->Style() == bsSolid) {
      C->Brush()->SetStyle(bsClear);
    } else if (IsChartAuto(Wall.Color()) || Wall.Color() == clNone) {
      C->Brush()->SetStyle(bsClear);
    } else {
      SetBrushCanvas(Wall.Color(), Wall.Brush()->Style(), Wall.Brush()->Color());
    }
  };
  const bool Walls3D = View3D() && View3DWalls();
  Prepare(*FBackWall);
  if (View3D()) {
    if (!View3DWalls() || FBackWall->Size() < 1)
      C->RectangleWithZ({L + 1, T - 1, R, B}, W3);
    else
      C->Cube(L - FLeftWall->Size(), R, T, B + FBottomWall->Size(), W3, W3 + FBackWall->Size(),
              FBackWall->DarkSides());
  } else {
    C->Rectangle(L, T, R + 1, B);
  }
  if (FBackImageInside && BackImage()) {
    TRect IR = CR;
    if (FBackWall->Pen()->Visible()) {
      ++IR.Top;
      --IR.Bottom;
    }
    DrawBackImage3D(IR, W3);
  }
  if (Walls3D) {
    const int BS = FBottomWall->Size();
    Prepare(*FLeftWall);
    if (FLeftWall->Size() < 1)
      C->RectangleZ(L, T, B + BS, 0, W3 + 1);
    else
      C->Cube(L - FLeftWall->Size(), L, T, B + BS, 0, W3 + 1, FLeftWall->DarkSides());
    Prepare(*FBottomWall);
    if (BS < 1)
      C->RectangleY(L, B, R, 0, W3);
    else
      C->Cube(L, R, B, B + BS, 0, W3, FBottomWall->DarkSides());
  }
}

void TCustomChart::SaveAxesRanges() {
  if (FRangesSaved) return;
  const TChartAxis* A[4] = {LeftAxis(), RightAxis(), TopAxis(), BottomAxis()};
  for (int i = 0; i < 4; ++i)
    FSavedRanges[i] = {A[i]->Automatic(), A[i]->AutomaticMinimum(), A[i]->AutomaticMaximum(),
                       A[i]->Minimum(), A[i]->Maximum()};
  FRangesSaved = true;
}

void TCustomChart::UndoZoom() {
  if (FRangesSaved) {
    TChartAxis* A[4] = {LeftAxis(), RightAxis(), TopAxis(), BottomAxis()};
    for (int i = 0; i < 4; ++i) {
      const TSavedRange& S = FSavedRanges[i];
      A[i]->RestoreRange(S.Automatic, S.AutomaticMinimum, S.AutomaticMaximum, S.Min, S.Max);
    }
    FRangesSaved = false;
  }
  TCustomAxisPanel::UndoZoom();
}

void TCustomChart::ZoomFromRect() {
  TZoomPanningRecord& Z = Zoom();
  Z.Check();
  TChartAxis* Axes4[4] = {BottomAxis(), TopAxis(), LeftAxis(), RightAxis()};
  double Target[4][2];
  for (int i = 0; i < 4; ++i) {
    const TChartAxis* A = Axes4[i];
    if (A->Horizontal()) {
      Target[i][0] = A->CalcPosPoint(Z.X0);
      Target[i][1] = A->CalcPosPoint(Z.X1);
    } else {
      Target[i][0] = A->CalcPosPoint(Z.Y1);
      Target[i][1] = A->CalcPosPoint(Z.Y0);
    }
  }
  SaveAxesRanges();
  if (AnimatedZoom() && AnimatedZoomFactor > 1) {
    for (int Step = 1; Step < AnimatedZoomSteps(); ++Step) {
      for (int i = 0; i < 4; ++i) {
        TChartAxis* A = Axes4[i];
        const double Min = A->IMinimum(), Max = A->IMaximum();
        A->SetMinMax(Min + (Target[i][0] - Min) / AnimatedZoomFactor,
                     Max - (Max - Target[i][1]) / AnimatedZoomFactor);
      }
      Repaint();
    }
  }
  for (int i = 0; i < 4; ++i) Axes4[i]->SetMinMax(Target[i][0], Target[i][1]);
  SetZoomed(true);
  if (OnZoom) OnZoom(this);
}

void TCustomChart::ZoomRect(const TRect& R) {
  TZoomPanningRecord& Z = Zoom();
  Z.X0 = R.Left;
  Z.Y0 = R.Top;
  Z.X1 = R.Right;
  Z.Y1 = R.Bottom;
  ZoomFromRect();
}

void TCustomChart::NextPage() {
  if (MaxPointsPerPage() > 0 && Page() < NumPages()) SetPage(Page() + 1);
}

void TCustomChart::PreviousPage() {
  if (MaxPointsPerPage() >= 1 && Page() >= 2) SetPage(Page() - 1);
}

void TCustomChart::ExchangeSeries(int A, int B) {
  auto& L = SeriesList();
  if (A < 0 || B < 0 || A >= int(L.size()) || B >= int(L.size()) || A == B) return;
  std::swap(L[size_t(A)], L[size_t(B)]);
  Invalidate();
}

TChartSeries* TCustomChart::FirstActiveSeries() const {
  for (int i = 0; i < SeriesCount(); ++i)
    if (GetSeries(i)->Active()) return GetSeries(i);
  return nullptr;
}

QString TCustomChart::GetAxisTitle(const TChartAxis* Axis) const {
  if (!Axis) return {};
  if (!Axis->TitleCaption().isEmpty()) return Axis->TitleCaption();
  if (Axis->IsDepthAxis()) return QStringLiteral("Depth Axis");
  if (!Axis->Horizontal())
    return Axis->OtherSide() ? QStringLiteral("Right Axis") : QStringLiteral("Left Axis");
  return Axis->OtherSide() ? QStringLiteral("Top Axis") : QStringLiteral("Bottom Axis");
}

void TCustomChart::FillSeriesSourceItems(TChartSeries* Series,
                                         const std::function<void(TChartSeries*)>& Proc) {
  if (!Series || !Proc) return;
  for (TChartSeries* S : std::vector<TChartSeries*>(Series->DataSources())) Proc(S);
}

TChartClickedPart TCustomChart::CalcClickedPart(TPoint P) const {
  TChartClickedPart R;
  for (int i = SeriesCount() - 1; i >= 0; --i) {
    TChartSeries* S = GetSeries(i);
    if (!S->Active()) continue;
    const int Index = S->Clicked(P.X, P.Y);
    if (Index >= 0) {
      R.Part = cpSeries;
      R.PointIndex = Index;
      R.ASeries = S;
      return R;
    }
  }
  for (TChartAxis* A : Axes())
    if (IsAxisVisible(A) && A->Clicked(P.X, P.Y)) {
      R.Part = cpAxis;
      R.AAxis = A;
      return R;
    }
  if (FTitle->Visible() && FTitle->Clicked(P.X, P.Y)) {
    R.Part = cpTitle;
    return R;
  }
  if (FFoot->Visible() && FFoot->Clicked(P.X, P.Y)) {
    R.Part = cpFoot;
    return R;
  }
  const TRect CR = ChartRect();
  if (SeriesCount() > 0 && P.X >= CR.Left && P.X < CR.Right && P.Y >= CR.Top && P.Y < CR.Bottom)
    R.Part = cpChartRect;
  if (FLegend->Visible()) {
    const int Item = FLegend->Clicked(P.X, P.Y);
    if (Item >= 0) {
      R.Part = cpLegend;
      R.PointIndex = Item;
    }
  }
  return R;
}

bool TCustomChart::IsFreeSeriesColor(TColor Color, bool CheckBackground) const {
  for (int i = 0; i < SeriesCount(); ++i)
    if (GetSeries(i)->SeriesColor() == Color) return false;
  if (!CheckBackground) return true;
  if (Color == this->Color() || Color == BackColor()) return false;
  // What the series are drawn on, as the screen shows it: a back wall of its own colour, else
  // the gradient or the panel seen through the clear wall.
  std::vector<TColor> Behind;
  if (!IsChartAuto(BackColor()) && BackColor() != clNone && FBackWall->Brush()->Style() != bsClear)
    Behind = {BackColor()};
  else if (Gradient()->Visible())
    Behind = {Gradient()->StartColor(), Gradient()->EndColor()};
  else
    Behind = {this->Color()};
  if (IsChartAuto(Color) || Color == clNone) return true;
  for (TColor B : Behind)
    if (!IsChartAuto(B) && B != clNone && ColorToRGB(B) == ColorToRGB(Color)) return false;
  return true;
}

void TCustomChart::StartZoomOrPan(Qt::MouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == ChartZoomMouseButton && (Shift & ChartZoomKeyShift) == ChartZoomKeyShift &&
      AllowZoom()) {
    SetControlCursor(this, crDefault);
    Zoom().Activate(X, Y);
    DrawZoomRectangle();
  } else if (Button == ChartPanningMouseButton &&
             (Shift & ChartPanningKeyShift) == ChartPanningKeyShift && AllowPanning() != pmNone) {
    Panning().Activate(X, Y);
  }
}

void TCustomChart::MouseDown(Qt::MouseButton Button, TShiftState Shift, int X, int Y) {
  if (Zoom().Active || Panning().Active || CancelMouse) return;
  const TChartClickedPart Part = CalcClickedPart({X, Y});
  // A handler that clears CancelMouse lets the default processing go on.
  auto Fire = [this](const auto& Handler, auto&&... Args) {
    if (!Handler) return false;
    CancelMouse = true;
    Handler(Args...);
    return CancelMouse;
  };
  bool Handled = false;
  switch (Part.Part) {
    case cpLegend:
      Handled = Fire(OnClickLegend, this, Button, Shift, X, Y);
      break;
    case cpAxis:
      Handled = Fire(OnClickAxis, this, Part.AAxis, Button, Shift, X, Y);
      if (!Handled) StartZoomOrPan(Button, Shift, X, Y);
      break;
    case cpSeries: {
      const bool BySeries = Part.ASeries->Clicked(Part.PointIndex, Button, Shift, X, Y);
      CancelMouse = false;
      Handled =
          Fire(OnClickSeries, this, Part.ASeries, Part.PointIndex, Button, Shift, X, Y) || BySeries;
      if (!Handled) StartZoomOrPan(Button, Shift, X, Y);
      break;
    }
    case cpChartRect:
      Handled = Fire(OnClickBackground, this, Button, Shift, X, Y);
      if (!Handled) StartZoomOrPan(Button, Shift, X, Y);
      Handled = true;  // the background event has had its turn
      break;
    default:
      StartZoomOrPan(Button, Shift, X, Y);
      break;
  }
  if (!Handled) Fire(OnClickBackground, this, Button, Shift, X, Y);
  CancelMouse = false;
}

void TCustomChart::ScrollAxis(TChartAxis* Axis, int OldPos, int NewPos) {
  const double Delta = Axis->CalcPosPoint(OldPos) - Axis->CalcPosPoint(NewPos);
  double Min = Axis->IMinimum() + Delta, Max = Axis->IMaximum() + Delta;
  bool Allow = true;
  if (OnAllowScroll) OnAllowScroll(Axis, Min, Max, Allow);
  if (Allow) Axis->SetMinMax(Min, Max);
}

void TCustomChart::MouseMove(TShiftState, int X, int Y) {
  TZoomPanningRecord& Z = Zoom();
  TZoomPanningRecord& P = Panning();
  if (Z.Active) {
    if (X != Z.X1 || Y != Z.Y1) {
      DrawZoomRectangle();
      Z.X1 = X;
      Z.Y1 = Y;
      DrawZoomRectangle();
    }
    return;
  }
  if (P.Active) {
    const TRect CR = ChartRect();
    if (X < CR.Left || X >= CR.Right || Y < CR.Top || Y >= CR.Bottom) {
      P.Active = false;
      return;
    }
    const TPanningMode Mode = AllowPanning();
    bool Moved = false;
    if ((Mode == pmHorizontal || Mode == pmBoth) && X != P.X0) {
      SaveAxesRanges();
      ScrollAxis(BottomAxis(), P.X0, X);
      ScrollAxis(TopAxis(), P.X0, X);
      Moved = true;
    }
    if ((Mode == pmVertical || Mode == pmBoth) && Y != P.Y0) {
      SaveAxesRanges();
      ScrollAxis(LeftAxis(), P.Y0, Y);
      ScrollAxis(RightAxis(), P.Y0, Y);
      Moved = true;
    }
    P.X0 = P.X1 = X;
    P.Y0 = P.Y1 = Y;
    if (Moved) {
      if (OnScroll) OnScroll(this);
      Invalidate();
    }
    return;
  }
  TCursor Cursor = FOriginalCursor;
  for (int i = 0; i < SeriesCount(); ++i) {
    TChartSeries* S = GetSeries(i);
    if (S->Active() && S->Cursor() != crDefault && S->Clicked(X, Y) >= 0) {
      Cursor = S->Cursor();
      break;
    }
  }
  SetControlCursor(this, Cursor);
}

void TCustomChart::MouseUp(Qt::MouseButton Button, TShiftState Shift, int X, int Y) {
  for (TChartSeries* S : std::vector<TChartSeries*>(SeriesList())) S->MouseUp(Button, Shift, X, Y);
  TZoomPanningRecord& Z = Zoom();
  if (Z.Active && Button == ChartZoomMouseButton) {
    DrawZoomRectangle();
    Z.X1 = X;
    Z.Y1 = Y;
    Z.Active = false;
    if (std::abs(Z.X1 - Z.X0) > ChartMinZoomDrag && std::abs(Z.Y1 - Z.Y0) > ChartMinZoomDrag) {
      if (Z.X1 > Z.X0 && Z.Y1 > Z.Y0)
        ZoomFromRect();
      else
        UndoZoom();
    }
    Invalidate();
  }
  Panning().Active = false;
}

void TCustomChart::mousePressEvent(QMouseEvent* E) {
  const TPoint P = ToBacking(E->position());
  RunGuarded([&] { MouseDown(E->button(), ShiftStateOf(E->modifiers()), P.X, P.Y); });
}

void TCustomChart::mouseDoubleClickEvent(QMouseEvent* E) {
  const QPoint P = E->position().toPoint();
  RunGuarded(
      [&] { MouseDown(E->button(), ShiftStateOf(E->modifiers()) | ssDouble, P.x(), P.y()); });
}

void TCustomChart::mouseMoveEvent(QMouseEvent* E) {
  const TPoint P = ToBacking(E->position());
  RunGuarded([&] { MouseMove(ShiftStateOf(E->modifiers()), P.X, P.Y); });
}

void TCustomChart::mouseReleaseEvent(QMouseEvent* E) {
  const TPoint P = ToBacking(E->position());
  RunGuarded([&] { MouseUp(E->button(), ShiftStateOf(E->modifiers()), P.X, P.Y); });
}

void TCustomChart::Assign(const TCustomChart& Source) {
  FBackImageInside = Source.FBackImageInside;
  FBackWall->Assign(*Source.FBackWall);
  FBottomWall->Assign(*Source.FBottomWall);
  FLeftWall->Assign(*Source.FLeftWall);
  FLegend->Assign(*Source.FLegend);
  FFoot->Assign(*Source.FFoot);
  FTitle->Assign(*Source.FTitle);
  TCustomAxisPanel::Assign(Source);
}
