// The surface and contour series: cell colours at their centroids, the wire frame, the painting
// order for each side the chart is seen from, every cell of a large grid, holes of null and
// non-finite points, the grid size check and the contour levels.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <map>
#include <optional>
#include <set>
#include <vector>

#include "chart/engine/chart.h"
#include "chart/engine/chart_registry.h"
#include "chart/engine/series_gallery.h"
#include "chart/engine/series_types.h"
#include "chart/engine/surface_series.h"
#include "chart/engine/view3d_options.h"
#include "platform/canvas_targets.h"
#include "platform/memory_check.h"
#include "platform/number_text.h"

namespace {

struct TSurfaceChart {
  TChart Chart;
  TSurfaceSeries S;
  TSurfaceChart() {
    Chart.resize(600, 450);
    Chart.SetBevelOuter(bvNone);
    Chart.Legend()->SetVisible(false);
    Chart.SetView3D(true);
    TView3DOptions* V = Chart.View3DOptions();
    V->SetOrthogonal(false);
    V->SetPerspective(0);
    V->SetElevation(340);
    V->SetRotation(345);
    V->SetZoom(70);
    S.Pen()->SetColor(clBlack);
    S.SetParentChart(&Chart);
  }
  void Fill(int NX, int NZ, const std::function<double(int, int)>& F) {
    for (int x = 1; x <= NX; ++x)
      for (int z = 1; z <= NZ; ++z) S.AddXYZ(x, F(x, z), z);
  }
  TPoint Screen(double X, double Y, double Z) const {
    return Chart.Canvas3D()->Calculate3DPosition(Chart.BottomAxis()->CalcPosValue(X),
                                                 Chart.LeftAxis()->CalcPosValue(Y),
                                                 Chart.DepthAxis()->CalcPosValue(Z));
  }
  TColor At(TPoint P) {
    const QImage& I = Chart.Backing()->Image();
    EXPECT_TRUE(I.valid(P.X, P.Y)) << P.X << "," << P.Y;
    return FromQColor(I.pixelColor(P.X, P.Y));
  }
};

// The centroid of the cell between columns x-1..x and rows z-1..z.
TPoint Centroid(const TSurfaceChart& T, const std::function<double(int, int)>& F, int x, int z) {
  double SX = 0, SY = 0;
  for (auto [X, Z] : {std::pair{x, z}, {x - 1, z}, {x - 1, z - 1}, {x, z - 1}}) {
    const TPoint P = T.Screen(X, F(X, Z), Z);
    SX += P.X;
    SY += P.Y;
  }
  return {int(std::lround(SX / 4)), int(std::lround(SY / 4))};
}

// Counts the polygons in one brush colour without keeping them.
class TPolygonCounter : public TRecordingTarget {
 public:
  using TRecordingTarget::TRecordingTarget;
  TColor Brush = clNone;
  long long Polygons = 0;
  void Execute(const TCanvasOp& Op) override {
    if (Op.Kind == coPolygon && Op.State.Brush.Style == bsSolid && Op.State.Brush.Color == Brush)
      ++Polygons;
  }
};

long long CountCells(TChart& Chart, TColor Brush) {
  TPolygonCounter Target(600, 450);
  Target.Brush = Brush;
  TCanvas C(&Target);
  Chart.DrawToMetaCanvas(&C, {0, 0, 600, 450});
  return Target.Polygons;
}

}  // namespace

TEST(SurfaceSeries, DepthOfItsSlotsStaysWithinTheChart) {
  TSurfaceChart T;
  T.Fill(5, 4, [](int x, int z) { return double(x * z); });
  TChart& C = T.Chart;
  TView3DOptions* V = C.View3DOptions();
  // Without axes a rotated view keeps the rectangle the depth was measured on.
  C.SetAxisVisible(false);
  // Rotated at a large percent: four slots of twice the percent would be 7.2 chart widths; the
  // slots share the chart's smaller side instead.
  C.SetChart3DPercent(90);
  C.Repaint();
  const int W = C.ChartWidth(), H = C.ChartHeight();
  ASSERT_GT(W, H);
  ASSERT_GT(H, 100);
  EXPECT_EQ(C.MaxZOrder(), 3);
  EXPECT_EQ(C.SeriesWidth3D(), H / 4);
  EXPECT_EQ(C.Width3D(), 4 * (H / 4));
  EXPECT_EQ(C.Height3D(), C.Width3D());
  EXPECT_EQ(T.S.StartZ(), 3 * (H / 4));
  EXPECT_EQ(T.S.EndZ(), C.Width3D());
  EXPECT_EQ(C.DepthAxis()->CalcPosValue(4), C.Width3D());
  // The window's designed view: the perspective does not fold the box over, the near and far
  // bottom edges both run left to right, and all of it is on the picture.
  V->SetRotation(324);
  V->SetElevation(345);
  V->SetPerspective(26);
  V->SetZoom(60);
  V->SetVertOffset(-20);
  C.Repaint();
  const TRect R = C.ChartRect();
  for (int Z : {0, C.Width3D()}) {
    const TPoint L = C.Canvas3D()->Calculate3DPosition(R.Left, R.Bottom, Z);
    const TPoint Rt = C.Canvas3D()->Calculate3DPosition(R.Right, R.Bottom, Z);
    EXPECT_LT(L.X, Rt.X) << "depth " << Z;
    for (TPoint P : {L, Rt}) {
      EXPECT_GE(P.X, 0);
      EXPECT_LT(P.X, 600);
      EXPECT_GE(P.Y, 0);
      EXPECT_LT(P.Y, 450);
    }
  }
  // A small percent keeps its own depth: twice the percent when rotated, times the four slots.
  C.SetChart3DPercent(5);
  C.Repaint();
  EXPECT_EQ(C.SeriesWidth3D(), 2 * RoundInt(W * 0.05));
  EXPECT_EQ(C.Width3D(), 4 * C.SeriesWidth3D());
  // A front view takes the depth off the plot: the slots share half its smaller side, so that
  // the front keeps the rest at any percent.
  V->SetOrthogonal(true);
  for (int Percent : {20, 90}) {
    C.SetChart3DPercent(Percent);
    C.Repaint();
    EXPECT_EQ(C.SeriesWidth3D(), H / 2 / 4) << Percent;
    EXPECT_EQ(C.Width3D(), 4 * C.SeriesWidth3D());
    EXPECT_EQ(C.ChartWidth(), W - C.Width3D());
    EXPECT_EQ(C.ChartHeight(), H - C.Height3D());
  }
  // A chart too small for its labels still keeps a plot.
  C.SetAxisVisible(true);
  C.resize(60, 40);
  C.Repaint();
  EXPECT_GT(C.ChartRect().Right, C.ChartRect().Left);
  EXPECT_GT(C.ChartRect().Bottom, C.ChartRect().Top);
  C.resize(600, 450);
  C.SetAxisVisible(false);
  // Ordinary series share the bound too.
  V->SetOrthogonal(false);
  T.S.SetActive(false);
  TChartSeries Line;
  Line.AddY(1);
  Line.SetParentChart(&C);
  C.SetChart3DPercent(100);
  C.Repaint();
  EXPECT_EQ(C.MaxZOrder(), 0);
  EXPECT_EQ(C.Width3D(), H);
  C.SetChart3DPercent(10);
  C.Repaint();
  EXPECT_EQ(C.Width3D(), 2 * RoundInt(W * 0.1));
  Line.SetParentChart(nullptr);
}

TEST(SurfaceSeries, CellColourFollowsRangeAndPaletteAndClicks) {
  TSurfaceChart T;
  auto F = [](int x, int z) { return double(x + 2 * z); };
  T.Fill(5, 4, F);
  T.Chart.Repaint();
  // The depth axis spans the rows, and the surface claims three depth slots.
  EXPECT_EQ(T.Chart.DepthAxis()->IMinimum(), 1);
  EXPECT_EQ(T.Chart.DepthAxis()->IMaximum(), 4);
  EXPECT_EQ(T.Chart.MaxZOrder(), 3);
  // White to navy over 3 .. 13, each cell in the colour of its corner at the higher column and
  // row (the corner the painting starts each cell from in this view).
  for (int x = 2; x <= 5; ++x)
    for (int z = 2; z <= 4; ++z) {
      const double t = (F(x, z) - 3) / 10.0;
      const TColor Want =
          RGB(255 + RoundInt(t * -255), 255 + RoundInt(t * -255), 255 + RoundInt(t * -127));
      const TPoint P = Centroid(T, F, x, z);
      EXPECT_EQ(T.At(P), Want) << x << "," << z;
      EXPECT_EQ(T.S.Clicked(P.X, P.Y), (x - 1) * 4 + (z - 1));
    }
  EXPECT_EQ(T.S.Clicked(-50, -50), -1);

  // The palette: the first entry above the value.
  T.S.SetUseColorRange(false);
  T.S.ClearPalette();
  T.S.AddPalette(100, clBlue);
  T.S.AddPalette(6, clRed);
  T.S.AddPalette(9, clLime);
  T.S.SetUsePalette(true);
  ASSERT_EQ(T.S.Palette().size(), 3u);
  EXPECT_EQ(T.S.Palette()[0].UpToValue, 6);
  T.Chart.Repaint();
  for (int x = 2; x <= 5; ++x)
    for (int z = 2; z <= 4; ++z) {
      const double V = F(x, z);
      const TColor Want = V < 6 ? clRed : V < 9 ? clLime : clBlue;
      EXPECT_EQ(T.At(Centroid(T, F, x, z)), Want) << x << "," << z;
    }

  // All values equal: every cell in the start colour.
  TSurfaceChart Flat;
  Flat.Fill(3, 3, [](int, int) { return 7.0; });
  Flat.S.SetStartColor(clYellow);
  Flat.Chart.Repaint();
  EXPECT_EQ(Flat.At(Centroid(
                Flat, [](int, int) { return 7.0; }, 3, 3)),
            clYellow);
}

TEST(SurfaceSeries, WireFrameLeavesCellInteriorsInTheBackground) {
  auto F = [](int x, int z) { return std::sin(x * 0.7) + z * 0.3; };
  TSurfaceChart Wire, Empty;
  Wire.Fill(5, 5, F);
  Empty.Fill(5, 5, F);
  Wire.S.SetDotFrame(true);
  Wire.S.SetWireFrame(true);
  EXPECT_FALSE(Wire.S.DotFrame());
  // The reference draws the same chart with neither pen nor brush.
  Empty.S.SetUseColorRange(false);
  Empty.S.Brush()->SetStyle(bsClear);
  Empty.S.Pen()->SetVisible(false);
  Wire.Chart.Repaint();
  Empty.Chart.Repaint();
  int Black = 0;
  for (int x = 2; x <= 5; ++x)
    for (int z = 2; z <= 5; ++z) {
      const TPoint P = Centroid(Wire, F, x, z);
      EXPECT_EQ(Wire.At(P), Empty.At(P)) << x << "," << z;
      // The edges are drawn: the middle of the cell's front edge is black nearby.
      const TPoint A = Wire.Screen(x, F(x, z - 1), z - 1),
                   B = Wire.Screen(x - 1, F(x - 1, z - 1), z - 1);
      bool Found = false;
      for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy)
          Found = Found || Wire.At({(A.X + B.X) / 2 + dx, (A.Y + B.Y) / 2 + dy}) == clBlack;
      Black += Found;
    }
  EXPECT_EQ(Black, 16);
  // Filled, the same centroids take the cells' colours.
  Wire.S.SetWireFrame(false);
  Wire.Chart.Repaint();
  int Differ = 0;
  for (int x = 2; x <= 5; ++x)
    for (int z = 2; z <= 5; ++z) {
      const TPoint P = Centroid(Wire, F, x, z);
      Differ += Wire.At(P) != Empty.At(P);
    }
  EXPECT_GT(Differ, 12);

  // Dots: only the four corners of each cell, each in its point's colour.
  Wire.S.SetDotFrame(true);
  EXPECT_FALSE(Wire.S.WireFrame());
  TRecordingTarget Target(600, 450);
  TCanvas C(&Target);
  Wire.Chart.DrawToMetaCanvas(&C, {0, 0, 600, 450});
  int Dots = 0;
  for (const TCanvasOp& Op : Target.Ops()) {
    if (Op.Kind != coPixel || Op.Color == clBlack) continue;
    ++Dots;
    bool Corner = false;
    for (int i = 0; i < Wire.S.Count() && !Corner; ++i) {
      const TPoint P = Wire.Screen(Wire.S.XValue(i), Wire.S.YValue(i), Wire.S.ZValue(i));
      Corner =
          P.X == Op.Points[0].X && P.Y == Op.Points[0].Y && Op.Color == Wire.S.GetValueColor(i);
    }
    EXPECT_TRUE(Corner) << Op.Points[0].X << "," << Op.Points[0].Y;
  }
  EXPECT_EQ(Dots, 4 * 16);
}

TEST(SurfaceSeries, CellsBackToFrontFromEverySide) {
  TSurfaceChart T;
  auto F = [](int x, int z) { return std::cos(x * 0.9) * std::sin(z * 0.8); };
  const int NX = 6, NZ = 5;
  T.Fill(NX, NZ, F);
  // Each point's colour names it, so each polygon tells its cell.
  T.S.OnGetColor = [](TChartSeries*, int i, TColor& C) { C = RGB(i & 0xFF, 0x11, 0x37); };
  for (int Rotation : {30, 120, 210, 300, 345}) {
    T.Chart.View3DOptions()->SetRotation(Rotation);
    TRecordingTarget Target(600, 450);
    TCanvas C(&Target);
    T.Chart.DrawToMetaCanvas(&C, {0, 0, 600, 450});
    std::vector<int> Order;
    for (const TCanvasOp& Op : Target.Ops())
      if (Op.Kind == coPolygon && Op.State.Brush.Style == bsSolid &&
          GetBValue(Op.State.Brush.Color) == 0x37 && GetGValue(Op.State.Brush.Color) == 0x11)
        Order.push_back(GetRValue(Op.State.Brush.Color));
    ASSERT_EQ(int(Order.size()), (NX - 1) * (NZ - 1)) << Rotation;
    EXPECT_EQ(std::set<int>(Order.begin(), Order.end()).size(), Order.size());
    // The distance from the eye grows with cE * sR along x and cR * cE along the depth; of two
    // cells sharing an edge the nearer one is painted later.
    const double R = Rotation * M_PI / 180, E = 340 * M_PI / 180;
    auto Far = [&](int i) {
      const double X = T.Chart.BottomAxis()->CalcPosValue(T.S.XValue(i));
      const double Z = T.Chart.DepthAxis()->CalcPosValue(T.S.ZValue(i));
      return X * std::cos(E) * std::sin(R) + Z * std::cos(R) * std::cos(E);
    };
    for (size_t a = 0; a < Order.size(); ++a)
      for (size_t b = a + 1; b < Order.size(); ++b) {
        const int I = Order[a], J = Order[b];
        const int DX = std::abs(int(T.S.XValue(I) - T.S.XValue(J)));
        const int DZ = std::abs(int(T.S.ZValue(I) - T.S.ZValue(J)));
        if (DX + DZ != 1) continue;
        EXPECT_LE(Far(J), Far(I) + 1e-9) << "rotation " << Rotation << ": " << I << " before " << J;
      }
  }
  // Inverting the horizontal axis turns the order round along x.
  T.Chart.View3DOptions()->SetRotation(345);
  T.Chart.BottomAxis()->SetInverted(true);
  TRecordingTarget Target(600, 450);
  TCanvas C(&Target);
  T.Chart.DrawToMetaCanvas(&C, {0, 0, 600, 450});
  int FirstCell = -1;
  for (const TCanvasOp& Op : Target.Ops())
    if (Op.Kind == coPolygon && GetBValue(Op.State.Brush.Color) == 0x37 && FirstCell < 0)
      FirstCell = GetRValue(Op.State.Brush.Color);
  ASSERT_GE(FirstCell, 0);
  EXPECT_EQ(T.S.XValue(FirstCell), NX - 1);

  // Inside the axes' ranges the cells need no clip; a zoomed axis cuts them at the chart's box.
  auto CellsClipped = [&T] {
    TRecordingTarget Target(600, 450);
    TCanvas C(&Target);
    T.Chart.DrawToMetaCanvas(&C, {0, 0, 600, 450});
    int Clipped = 0, Cells = 0;
    for (const TCanvasOp& Op : Target.Ops())
      if (Op.Kind == coPolygon && GetBValue(Op.State.Brush.Color) == 0x37) {
        ++Cells;
        Clipped += Op.State.Clipped;
      }
    return std::pair{Cells, Clipped};
  };
  EXPECT_EQ(CellsClipped(), std::pair(20, 0));
  T.Chart.LeftAxis()->SetMinMax(-0.2, 0.2);
  EXPECT_EQ(CellsClipped(), std::pair(20, 20));
}

TEST(SurfaceSeries, LargeGridDrawsEveryCell) {
  TSurfaceChart T;
  T.S.SetUseColorRange(false);
  T.S.Brush()->SetColor(RGB(1, 2, 3));
  const int N = 1000;
  T.S.SetNumXValues(N);
  T.S.SetNumZValues(N);
  for (int x = 1; x <= N; ++x)
    for (int z = 1; z <= N; ++z) T.S.AddXYZ(x, std::sin(x * 0.01) * std::cos(z * 0.01), z);
  EXPECT_EQ(CountCells(T.Chart, RGB(1, 2, 3)), (N - 1LL) * (N - 1LL));
  EXPECT_EQ(T.S.GridColumns(), N);
  EXPECT_EQ(T.S.GridRows(), N);

  // A 1 by n grid has no cells.
  TSurfaceChart Thin;
  Thin.S.SetUseColorRange(false);
  Thin.S.Brush()->SetColor(RGB(1, 2, 3));
  Thin.Fill(1, 8, [](int, int z) { return z; });
  EXPECT_EQ(CountCells(Thin.Chart, RGB(1, 2, 3)), 0);
}

TEST(SurfaceSeries, NullAndNonFinitePointsAreHolesOutsideTheRange) {
  TSurfaceChart T;
  const double Inf = std::numeric_limits<double>::infinity();
  for (int x = 1; x <= 5; ++x)
    for (int z = 1; z <= 5; ++z) {
      if (x == 3 && z == 3)
        T.S.AddXYZ(x, 1000, z, {}, clNone);
      else if (x == 5 && z == 5)
        T.S.AddXYZ(x, std::nan(""), z);
      else if (x == 1 && z == 1)
        T.S.AddXYZ(x, -Inf, z);
      else
        T.S.AddXYZ(x, x + z, z);
    }
  EXPECT_EQ(T.S.MinYValue(), 3);
  EXPECT_EQ(T.S.MaxYValue(), 9);
  // The holes take the four cells round the null point and one cell at each corner.
  T.S.OnGetColor = [](TChartSeries*, int, TColor& C) {
    if (C != clNone) C = RGB(9, 9, 9);
  };
  EXPECT_EQ(CountCells(T.Chart, RGB(9, 9, 9)), 16 - 4 - 2);
  T.S.OnGetColor = nullptr;
  // The colours span the finite values only: 9 is the end colour, 3 the start colour.
  EXPECT_EQ(T.S.GetValueColorValue(9), T.S.EndColor());
  EXPECT_EQ(T.S.GetValueColorValue(3), T.S.StartColor());
  EXPECT_EQ(T.S.GetValueColorValue(std::nan("")), T.S.StartColor());
  EXPECT_EQ(T.S.GetValueColorValue(Inf), T.S.EndColor());
  // The default palette over such a grid, and a palette lookup of NaN, stay finite.
  T.S.SetUseColorRange(false);
  T.S.SetUsePalette(true);
  ASSERT_EQ(int(T.S.Palette().size()), T.S.PaletteSteps());
  for (const TSurfacePaletteEntry& E : T.S.Palette()) EXPECT_TRUE(std::isfinite(E.UpToValue));
  EXPECT_EQ(T.S.GetPaletteColor(std::nan("")), T.S.Palette().back().Color);
  T.Chart.Repaint();

  // A grid of nothing but huge and non-finite values draws without trouble.
  TSurfaceChart Wild;
  Wild.Fill(4, 4, [](int x, int z) { return (x + z) % 2 ? 1e308 : -1e308; });
  Wild.S.AddXYZ(5, Inf, 1);
  Wild.S.SetUsePalette(true);
  Wild.Chart.Repaint();
  Wild.S.SetUseColorRange(false);
  Wild.Chart.Repaint();
  // The infinite point has no place in the grid.
  EXPECT_EQ(Wild.S.GridColumns(), 4);
}

TEST(SurfaceSeries, GridSizeCheckedBeforeItIsFilled) {
  // A machine with 8 GB to spare, whatever this one has.
  struct TMemory {
    TMemory() {
      SetAvailableMemorySource([] { return std::optional<std::uint64_t>(8'000'000'000); });
    }
    ~TMemory() { SetAvailableMemorySource(nullptr); }
  } Memory;
  TSurfaceSeries S;
  S.OnGetYValue = [](TChartSeries*, int X, int Z) { return double(X * Z); };
  S.CreateValues(4, 3);
  EXPECT_EQ(S.Count(), 12);
  EXPECT_EQ(S.YValue(11), 12);
  S.SetNumXValues(40000);
  EXPECT_EQ(S.Count(), 40000 * 3);
  try {
    S.SetNumZValues(40000);
    FAIL() << "a grid of 1.6e9 points was accepted";
  } catch (const ChartException& E) {
    EXPECT_STREQ(E.what(), "Not enough memory for a grid of 40000 x 40000 points");
  }
  EXPECT_EQ(S.NumZValues(), 3);
  EXPECT_EQ(S.Count(), 40000 * 3);
  EXPECT_THROW(S.CreateValues(100000, 100000), ChartException);
  EXPECT_EQ(S.Count(), 40000 * 3);
  EXPECT_NO_THROW(TCustom3DGridSeries::CheckGridSize(1000, 1000));
  // A hundred million points take more than half of it; twice as much memory holds them.
  EXPECT_THROW(TCustom3DGridSeries::CheckGridSize(10000, 10000), ChartException);
  SetAvailableMemorySource([] { return std::optional<std::uint64_t>(16'000'000'000); });
  EXPECT_NO_THROW(TCustom3DGridSeries::CheckGridSize(10000, 10000));

  // Sample values: at most 500 by 500.
  TSurfaceSeries Sample;
  Sample.FillSampleValues(1000);
  EXPECT_EQ(Sample.NumXValues(), 500);
  EXPECT_EQ(Sample.Count(), 500 * 500);
}

TEST(SurfaceSeries, RegisteredOnTheExtendedPage) {
  RegisterChartClasses();
  const TChartSeriesTypes& L = ChartSeriesTypes();
  std::map<QString, QString> Pages;
  for (int i = 0; i < L.Count(); ++i)
    Pages[L.GetSeriesType(i).Description] = L.GetSeriesType(i).GalleryPage;
  for (const char* D : {"Surface", "Contour", "Polar", "Radar"}) EXPECT_EQ(Pages[D], "Extended");
  std::unique_ptr<TChartSeries> S(CreateSeriesByName("TSurfaceSeries"));
  ASSERT_NE(S, nullptr);
  EXPECT_EQ(SeriesEditorClassName(S.get()), "TSurfaceSeriesEditor");
  std::unique_ptr<TChartSeries> C(CreateSeriesByName("TContourSeries"));
  ASSERT_NE(C, nullptr);
  EXPECT_EQ(SeriesEditorClassName(C.get()), "TContourSeriesEditor");
  // The gallery's picture: a 10 by 10 sample grid in palette colours, grey when disabled.
  auto* Surface = static_cast<TSurfaceSeries*>(S.get());
  Surface->PrepareForGallery(false);
  EXPECT_EQ(Surface->Count(), 100);
  EXPECT_FALSE(Surface->UsePalette());
  EXPECT_EQ(Surface->Pen()->Color(), RGB(128, 128, 128));
  Surface->PrepareForGallery(true);
  EXPECT_TRUE(Surface->UsePalette());
  EXPECT_FALSE(Surface->UseColorRange());
  Surface->SetUseColorRange(true);
  Surface->Clear();
  // Changed into a contour series, the grid keeps its depths and its settings.
  Surface->SetStartColor(clRed);
  for (int x = 1; x <= 3; ++x)
    for (int z = 1; z <= 4; ++z) Surface->AddXYZ(x, x * z, z);
  ChangeSeriesClass(
      S, {"TContourSeries", [] { return static_cast<TChartSeries*>(new TContourSeries); }});
  auto* Contour = dynamic_cast<TContourSeries*>(S.get());
  ASSERT_NE(Contour, nullptr);
  ASSERT_EQ(Contour->Count(), 12);
  EXPECT_EQ(Contour->ZValue(11), 4);
  EXPECT_EQ(Contour->StartColor(), clRed);
  Contour->FillGridIndex();
  EXPECT_EQ(Contour->GridRows(), 4);
  EXPECT_EQ(Contour->GridIndex(3, 4), 11);
}

TEST(ContourSeries, LevelsOnTheirLines) {
  TChart Chart;
  Chart.resize(600, 450);
  Chart.SetBevelOuter(bvNone);
  Chart.Legend()->SetVisible(false);
  Chart.SetView3D(true);
  TContourSeries S;
  S.SetParentChart(&Chart);
  S.SetNumLevels(0);
  EXPECT_EQ(S.NumLevels(), 1);
  S.SetNumLevels(1000);
  EXPECT_EQ(S.NumLevels(), TContourSeries::MaxLevels);
  S.SetNumLevels(8);
  for (int x = 1; x <= 5; ++x)
    for (int z = 1; z <= 3; ++z) S.AddXYZ(x, x, z);
  S.SetYPosition(2);
  // Each level's lines in a colour of its own.
  S.OnGetLevel = [](TContourSeries*, int i, double&, TColor& C) { C = RGB(i + 1, 0x21, 0x43); };
  TRecordingTarget Target(600, 450);
  TCanvas C(&Target);
  Chart.DrawToMetaCanvas(&C, {0, 0, 600, 450});
  ASSERT_EQ(S.LevelCount(), 8);
  for (int k = 0; k < 8; ++k) EXPECT_DOUBLE_EQ(S.LevelValue(k), 1 + k * 0.5);
  // Y = X: level L crosses where X = L, on the plane at YPosition, all along the depth.
  std::map<int, int> Lines;
  const TChartCanvas3D* C3 = Chart.Canvas3D();
  for (const TCanvasOp& Op : Target.Ops()) {
    if (Op.Kind != coLine || GetBValue(Op.State.Pen.Color) != 0x43) continue;
    const int k = GetRValue(Op.State.Pen.Color) - 1;
    ASSERT_TRUE(k >= 0 && k < 8);
    ++Lines[k];
    const int XP = Chart.BottomAxis()->CalcPosValue(S.LevelValue(k));
    const int YP = Chart.LeftAxis()->CalcPosValue(2);
    const TPoint A = C3->Calculate3DPosition(XP, YP, 0),
                 B = C3->Calculate3DPosition(XP, YP, Chart.Width3D());
    for (const TPoint& P : Op.Points) {
      // The distance from the projected line of X = L.
      const double DX = B.X - A.X, DY = B.Y - A.Y;
      const double D = std::fabs(DY * (P.X - A.X) - DX * (P.Y - A.Y)) / std::hypot(DX, DY);
      EXPECT_LE(D, 1.5) << "level " << k;
    }
  }
  for (int k = 0; k < 8; ++k) EXPECT_GE(Lines[k], 2) << "level " << k;
  // The legend lists the levels from the top.
  EXPECT_EQ(S.CountLegendItems(), 8);
  EXPECT_EQ(S.LegendString(0, ltsPlain), "4.5");
  EXPECT_EQ(S.LegendItemColor(0), RGB(8, 0x21, 0x43));
}

TEST(ContourSeries, HugeAndNonFiniteValuesDrawWithoutTrouble) {
  TChart Chart;
  Chart.resize(400, 300);
  Chart.SetView3D(true);
  TContourSeries S;
  S.SetParentChart(&Chart);
  const double Inf = std::numeric_limits<double>::infinity();
  for (int x = 1; x <= 4; ++x)
    for (int z = 1; z <= 4; ++z) S.AddXYZ(x, (x + z) % 2 ? 1e308 : -1e308, z);
  S.AddXYZ(5, Inf, 1);
  S.AddXYZ(5, std::nan(""), 2);
  TRecordingTarget Target(400, 300);
  TCanvas C(&Target);
  Chart.DrawToMetaCanvas(&C, {0, 0, 400, 300});
  // The levels span the finite values only, and the legend lists them.
  ASSERT_EQ(S.LevelCount(), S.NumLevels());
  for (int k = 0; k < S.LevelCount(); ++k) EXPECT_TRUE(std::isfinite(S.LevelValue(k))) << k;
  EXPECT_EQ(Chart.Legend()->TotalLegendItems(), S.NumLevels());
}

namespace {
std::vector<TCanvasOp> Record(TChart& Chart) {
  TRecordingTarget Target(600, 450);
  TCanvas C(&Target);
  Chart.DrawToMetaCanvas(&C, {0, 0, 600, 450});
  return Target.Ops();
}
}  // namespace

TEST(SurfaceSeries, HugeValuesWriteShortLabelsAndKeepTheChartsRoom) {
  TSurfaceChart T;
  T.Fill(10, 10, [](int x, int z) { return x * z * 1e298; });
  int Exponents = 0;
  for (const TCanvasOp& Op : Record(T.Chart))
    if (Op.Kind == coText) {
      EXPECT_LE(Op.Text.size(), 12) << Op.Text.toStdString();
      Exponents += Op.Text.contains(QStringLiteral("E+"));
    }
  EXPECT_GE(Exponents, 2);
  EXPECT_GT(T.Chart.ChartRect().Right - T.Chart.ChartRect().Left, 300);
}

TEST(ContourSeries, LevelsThatNoCellCrossesDrawNothing) {
  TSurfaceChart T;
  TContourSeries S;
  S.SetParentChart(&T.Chart);
  S.SetNumLevels(TContourSeries::MaxLevels);
  S.OnGetLevel = [](TContourSeries*, int, double&, TColor& C) { C = RGB(1, 2, 3); };
  auto Lines = [&](double Step) {
    S.Clear();
    for (int x = 1; x <= 30; ++x)
      for (int z = 1; z <= 30; ++z) S.AddXYZ(x, x > 15 ? 4 + Step : 4, z);
    long long N = 0;
    for (const TCanvasOp& Op : Record(T.Chart))
      N += Op.Kind == coLine && Op.State.Pen.Color == RGB(1, 2, 3);
    return N;
  };
  // A constant grid: every level touches every cell, none crosses one.
  EXPECT_EQ(Lines(0), 0);
  EXPECT_GE(Lines(1), 29);
}

TEST(SurfaceSeries, AConstantSurfaceLiesAtMidHeight) {
  TSurfaceChart T;
  T.S.SetStartColor(clRed);  // a flat range takes the start colour
  T.Fill(5, 5, [](int, int) { return 1.0; });
  T.Chart.Repaint();
  const TChartAxis* Left = T.Chart.LeftAxis();
  const int Mid = (Left->IStartPos() + Left->IEndPos()) / 2;
  double SX = 0, SY = 0;
  for (auto [X, Z] : {std::pair{3, 3}, {2, 3}, {2, 2}, {3, 2}}) {
    const TPoint P = T.Chart.Canvas3D()->Calculate3DPosition(
        T.Chart.BottomAxis()->CalcPosValue(X), Mid, T.Chart.DepthAxis()->CalcPosValue(Z));
    SX += P.X;
    SY += P.Y;
  }
  EXPECT_EQ(T.At({int(std::lround(SX / 4)), int(std::lround(SY / 4))}), clRed);
}

// What depends only on the points and the settings is made when they change: a repaint, or a
// turn of the view, draws what is kept; the grid form fills the points in one pass.
TEST(GridSeries, IndexAndContourLinesAreKeptBetweenDrawings) {
  TSurfaceChart T;
  T.Fill(6, 5, [](int x, int z) { return double(x * z); });
  T.Chart.Repaint();
  T.Chart.Repaint();
  EXPECT_EQ(T.S.GridIndexBuilds(), 1);
  // Drawing changes no setting.
  EXPECT_EQ(T.S.NumXValues(), 10);
  T.S.AddXYZ(7, 1, 1);
  T.Chart.Repaint();
  EXPECT_EQ(T.S.GridIndexBuilds(), 2);
  EXPECT_EQ(T.S.GridColumns(), 7);

  TChart Chart;
  Chart.resize(600, 450);
  Chart.SetView3D(true);
  TContourSeries C;
  C.SetParentChart(&Chart);
  for (int x = 1; x <= 5; ++x)
    for (int z = 1; z <= 4; ++z) C.AddXYZ(x, x + z, z);
  auto Lines = [&] {
    TRecordingTarget Target(600, 450);
    TCanvas Canvas(&Target);
    Chart.DrawToMetaCanvas(&Canvas, {0, 0, 600, 450});
    int N = 0;
    for (const TCanvasOp& Op : Target.Ops()) N += Op.Kind == coLine;
    return N;
  };
  const int First = Lines();
  EXPECT_GT(First, 0);
  EXPECT_EQ(Lines(), First);
  Chart.View3DOptions()->SetRotation(Chart.View3DOptions()->Rotation() + 10);
  EXPECT_EQ(Lines(), First);
  EXPECT_EQ(C.TraceCount(), 1);
  // A setting the lines depend on traces them again, once.
  C.SetNumLevels(4);
  Lines();
  Lines();
  EXPECT_EQ(C.TraceCount(), 2);
  C.SetYPosition(3);
  Lines();
  EXPECT_EQ(C.TraceCount(), 3);
  C.AddXYZ(6, 1, 1);
  Lines();
  EXPECT_EQ(C.TraceCount(), 4);
}

TEST(GridSeries, AGridGoesInWholeWithItsHolesAsNullPoints) {
  TValueGrid G(3, 2);
  for (int I = 0; I < 3; ++I) {
    G.SetX(I, I * 0.5);
    for (int J = 0; J < 2; ++J) G.Set(I, J, I * 10 + J);
  }
  G.Set(1, 1, std::numeric_limits<double>::quiet_NaN());
  TSurfaceChart T;
  T.S.AddXYZ(1, 2, 3);
  T.S.AssignGrid(G);
  ASSERT_EQ(T.S.Count(), 6);
  EXPECT_EQ(T.S.NumXValues(), 3);
  EXPECT_EQ(T.S.NumZValues(), 2);
  // Column I, row J is the point at X = I + 1, Z = J + 1.
  EXPECT_EQ(T.S.XValue(5), 3);
  EXPECT_EQ(T.S.ZValue(5), 2);
  EXPECT_EQ(T.S.YValue(5), 21);
  EXPECT_TRUE(T.S.IsNull(3));
  EXPECT_EQ(T.S.GridIndex(2, 2), -1);
  EXPECT_EQ(T.S.GridIndex(3, 1), 4);
  EXPECT_EQ(T.S.MaxYValue(), 21);
  // A grid that cannot be held is refused, and the points stay.
  SetAvailableMemorySource([] { return std::optional<std::uint64_t>(0); });
  EXPECT_THROW(T.S.AssignGrid(TValueGrid(5, 5)), ChartException);
  SetAvailableMemorySource(nullptr);
  EXPECT_EQ(T.S.Count(), 6);
}

namespace {
// A grid of F over NX columns and NZ rows, with NaN where F gives it.
TSharedGrid MakeGrid(int NX, int NZ, const std::function<double(int, int)>& F) {
  auto G = std::make_shared<TValueGrid>(NX, NZ);
  for (int I = 0; I < NX; ++I)
    for (int J = 0; J < NZ; ++J) G->Set(I, J, F(I + 1, J + 1));
  return G;
}

// The grid point by point, holes as null points.
void AddPoints(TCustom3DGridSeries& S, const TValueGrid& G) {
  for (int I = 0; I < G.NX(); ++I)
    for (int J = 0; J < G.NY(); ++J) {
      const double V = G.At(I, J);
      if (std::isfinite(V))
        S.AddXYZ(I + 1, V, J + 1);
      else
        S.AddXYZ(I + 1, 0, J + 1, {}, clNone);
    }
}

QImage Picture(TSurfaceChart& T) {
  T.Chart.Invalidate();
  T.Chart.Repaint();
  return T.Chart.Backing()->Image().copy();
}
}  // namespace

TEST(GridSeries, ASharedGridDrawsAndReadsAsItsPointsWouldAndHoldsThemBeforeAChange) {
  const double NaN = std::numeric_limits<double>::quiet_NaN();
  // Holes inside, and a first column and last row without any value.
  auto F = [NaN](int x, int z) {
    if (x == 1 || z == 24 || (x == 7 && z == 5) || (x > 12 && x < 15 && z > 10 && z < 14))
      return NaN;
    return std::sin(x * 0.4) * std::cos(z * 0.3) * 3;
  };
  const TSharedGrid G = MakeGrid(20, 24, F);
  for (bool Palette : {false, true}) {
    TSurfaceChart Held, Shared;
    for (TSurfaceChart* T : {&Held, &Shared}) {
      T->S.SetUsePalette(Palette);
      T->S.SetUseColorRange(!Palette);
    }
    AddPoints(Held.S, *G);
    Shared.S.AssignGrid(G);
    ASSERT_EQ(Shared.S.SharedGrid(), G);
    ASSERT_EQ(Shared.S.Count(), Held.S.Count());
    for (int i = 0; i < Held.S.Count(); i += 7) {
      EXPECT_EQ(Shared.S.XValue(i), Held.S.XValue(i));
      EXPECT_EQ(Shared.S.YValue(i), Held.S.YValue(i));
      EXPECT_EQ(Shared.S.ZValue(i), Held.S.ZValue(i));
      EXPECT_EQ(Shared.S.IsNull(i), Held.S.IsNull(i)) << i;
      EXPECT_EQ(Shared.S.PointColor(i), Held.S.PointColor(i)) << i;
    }
    EXPECT_EQ(Shared.S.MinYValue(), Held.S.MinYValue());
    EXPECT_EQ(Shared.S.MaxYValue(), Held.S.MaxYValue());
    EXPECT_EQ(Shared.S.GridColumns(), Held.S.GridColumns());
    EXPECT_EQ(Shared.S.GridRows(), Held.S.GridRows());
    EXPECT_EQ(Shared.S.GridMinX(), 2);
    for (int x = 0; x <= 21; ++x)
      for (int z = 0; z <= 25; ++z) EXPECT_EQ(Shared.S.GridIndex(x, z), Held.S.GridIndex(x, z));
    const QImage A = Picture(Held), B = Picture(Shared);
    EXPECT_EQ(A, B) << "palette " << Palette;
    // A click finds the same cell.
    const TPoint P = Held.Screen(10.5, F(10, 10), 10.5);
    EXPECT_EQ(Shared.S.Clicked(P.X, P.Y), Held.S.Clicked(P.X, P.Y));
  }
  // A change holds the points first, leaves the shared grid alone and reads as the held form.
  TSurfaceChart Held, Shared;
  AddPoints(Held.S, *G);
  Shared.S.AssignGrid(G);
  for (TSurfaceChart* T : {&Held, &Shared}) {
    T->S.YValues()->SetValue(30, 9);
    T->S.Delete(2);
    T->S.AddXYZ(30, 1, 1);
  }
  EXPECT_EQ(Shared.S.SharedGrid(), nullptr);
  EXPECT_EQ(G->At(1, 6), F(2, 7));
  ASSERT_EQ(Shared.S.Count(), Held.S.Count());
  for (int i = 0; i < Held.S.Count(); ++i) {
    ASSERT_EQ(Shared.S.YValue(i), Held.S.YValue(i)) << i;
    ASSERT_EQ(Shared.S.IsNull(i), Held.S.IsNull(i)) << i;
  }
  EXPECT_EQ(Picture(Shared), Picture(Held));
  // A series that reads the grid copies it point by point into another one.
  TSurfaceChart Copy;
  Shared.S.AssignGrid(G);
  Copy.S.Assign(Shared.S);
  ASSERT_EQ(Copy.S.Count(), Shared.S.Count());
  EXPECT_EQ(Copy.S.ZValue(25), Shared.S.ZValue(25));
  EXPECT_TRUE(Copy.S.IsNull(24 * 6 + 4));
  // Clearing lets go of the grid.
  Shared.S.Clear();
  EXPECT_EQ(Shared.S.Count(), 0);
  EXPECT_EQ(G.use_count(), 1);
}

TEST(GridSeries, CellsFarBelowAPixelAreDrawnInBlocksThatLookLikeTheWholeGrid) {
  auto F = [](int x, int z) { return std::sin(x * 0.01) * std::cos(z * 0.008); };
  TSurfaceChart T;
  T.S.Pen()->SetVisible(false);
  // The default grid draws every cell.
  T.S.AssignGrid(MakeGrid(301, 301, F));
  Picture(T);
  EXPECT_EQ(T.S.CellStep(), 1);
  EXPECT_EQ(T.S.CellsVisited(), 300 * 300);
  // In a small chart, so that the whole grid is quickly drawn too.
  T.Chart.resize(100, 75);
  const int N = 801;
  T.S.AssignGrid(MakeGrid(N, N, F));
  const QImage Blocks = Picture(T);
  const int Step = T.S.CellStep();
  EXPECT_GE(Step, 2);
  const int Sides = (N - 2) / Step + 1;
  EXPECT_EQ(T.S.CellsVisited(), Sides * Sides);
  SurfaceCellsInBlocks = false;
  const QImage Whole = Picture(T);
  SurfaceCellsInBlocks = true;
  EXPECT_EQ(T.S.CellsVisited(), (N - 1) * (N - 1));
  // Compared in squares of 8 pixels: the mean colours stay close.
  int Far = 0, Squares = 0;
  for (int Y = 0; Y + 8 <= Whole.height(); Y += 8)
    for (int X = 0; X + 8 <= Whole.width(); X += 8) {
      int D[3] = {0, 0, 0};
      for (int y = Y; y < Y + 8; ++y)
        for (int x = X; x < X + 8; ++x) {
          const QRgb A = Blocks.pixel(x, y), B = Whole.pixel(x, y);
          D[0] += qRed(A) - qRed(B);
          D[1] += qGreen(A) - qGreen(B);
          D[2] += qBlue(A) - qBlue(B);
        }
      ++Squares;
      if (std::max({std::abs(D[0]), std::abs(D[1]), std::abs(D[2])}) > 64 * 24) ++Far;
    }
  EXPECT_LT(Far, Squares / 100);
}

TEST(GridSeries, AContourSeriesOnASharedGridDrawsTheLinesOfItsPoints) {
  const double NaN = std::numeric_limits<double>::quiet_NaN();
  const TSharedGrid G = MakeGrid(15, 12, [NaN](int x, int z) {
    return x == 4 && z == 6 ? NaN : std::sin(x * 0.5) * std::cos(z * 0.4);
  });
  QImage Pictures[2];
  for (int Shared = 0; Shared < 2; ++Shared) {
    TSurfaceChart T;
    T.S.SetActive(false);
    TContourSeries C;
    C.SetParentChart(&T.Chart);
    if (Shared)
      C.AssignGrid(G);
    else
      AddPoints(C, *G);
    Pictures[Shared] = Picture(T);
    EXPECT_EQ(C.TraceCount(), 1);
    C.SetParentChart(nullptr);
  }
  EXPECT_EQ(Pictures[1], Pictures[0]);
}

TEST(GridSeries, KeptCellColoursFollowEveryChangeAndDirectFillsMatchThePainter) {
  // A slope, whose cells never hide one another; hills for the comparison at the end.
  auto F = [](int x, int z) { return x * 0.02 + z * 0.01; };
  auto Hills = [](int x, int z) { return std::sin(x * 0.15) * std::cos(z * 0.12) + z * 0.01; };
  TSurfaceChart T;
  T.S.Pen()->SetVisible(false);
  T.S.AssignGrid(MakeGrid(61, 61, F));
  const QImage First = Picture(T);
  // A step of the view and back gives the same picture from the colours kept meanwhile.
  TView3DOptions* V = T.Chart.View3DOptions();
  V->SetRotation(346);
  const QImage Turned = Picture(T);
  EXPECT_NE(Turned, First);
  V->SetRotation(345);
  EXPECT_EQ(Picture(T), First);

  // Each setting the colours depend on shows at once in the next picture.
  const TPoint Cell = Centroid(T, F, 30, 30);
  const TColor Before = T.At(Cell);
  T.S.SetStartColor(clRed);
  Picture(T);
  EXPECT_NE(T.At(Cell), Before);
  T.S.SetUseColorRange(false);
  T.S.SetUsePalette(true);
  T.S.ClearPalette();
  T.S.AddPalette(100, clLime);
  Picture(T);
  EXPECT_EQ(T.At(Cell), clLime);
  // An entry above the cell's four corners, whichever of them the cell takes its colour from.
  T.S.AddPalette(std::max({F(29, 29), F(29, 30), F(30, 29), F(30, 30)}) + 1e-9, clFuchsia);
  Picture(T);
  EXPECT_EQ(T.At(Cell), clFuchsia);
  // OnGetColor may answer otherwise each time: it is asked at each picture.
  TColor Asked = clAqua;
  T.S.OnGetColor = [&Asked](TChartSeries*, int, TColor& C) { C = Asked; };
  Picture(T);
  EXPECT_EQ(T.At(Cell), clAqua);
  Asked = clOlive;
  Picture(T);
  EXPECT_EQ(T.At(Cell), clOlive);
  T.S.OnGetColor = nullptr;
  // New values of the same size, above every entry: the last entry's colour.
  auto High = [](int x, int z) { return 500.0 + x * 0.01 + z * 0.02; };
  T.S.AssignGrid(MakeGrid(61, 61, High));
  Picture(T);
  EXPECT_EQ(T.At(Centroid(T, High, 30, 30)), clLime);

  // The whole picture is the same with the cells filled by the painter, outlined or not, whole
  // or clipped by the chart's box (values beyond the axis' range).
  T.S.SetUsePalette(false);
  T.S.SetUseColorRange(true);
  T.S.AssignGrid(MakeGrid(61, 61, Hills));
  auto* Target = dynamic_cast<TPainterTarget*>(T.Chart.Backing()->Canvas()->Target());
  ASSERT_NE(Target, nullptr);
  for (int Case = 0; Case < 3; ++Case) {
    T.S.Pen()->SetVisible(Case == 1);
    if (Case == 2) {
      T.Chart.LeftAxis()->SetAutomatic(false);
      T.Chart.LeftAxis()->SetMinMax(-0.5, 0.5);
    }
    const QImage Direct = Picture(T);
    Target->SetDirectPixels(false);
    const QImage Painted = Picture(T);
    Target->SetDirectPixels(true);
    EXPECT_EQ(Direct, Painted) << "case " << Case;
  }
}
