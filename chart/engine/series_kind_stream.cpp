// The stored properties that each series kind publishes beside those of every series: its pens,
// brushes, pointer, extra value lists and settings, each stored when it differs from a new
// series of the kind. Names that only repeat another one (StartValues for XValues, PieValues for
// YValues) and values kept elsewhere (an arrow's size is its pointer's) are not stored twice.
#include "chart/engine/bar_series.h"
#include "chart/engine/chart_stream_props.h"
#include "chart/engine/custom_series.h"
#include "chart/engine/pie_series.h"
#include "chart/engine/point_types.h"
#include "chart/engine/polar_series.h"
#include "chart/engine/shape_series.h"
#include "chart/engine/surface_series.h"

namespace ChartStreamProps {
namespace {
// A pen, brush, font, pointer or value list of K under its published name.
template <class K, class Sub, class P, class B>
void AddPart(TPropTable<K>& R, const char* Name, P* (B::*Get)() const,
             const TPropTable<Sub>& Table) {
  AddSub<K, Sub>(
      R, QString::fromLatin1(Name), [Get](const K& X) -> Sub* { return (X.*Get)(); }, Table);
}

// A kind's table: those of the classes it derives from, then its own, each under no prefix.
template <class... K>
TPropTable<TChartSeries> Kind(const TPropTable<K>&... Tables) {
  TPropTable<TChartSeries> R;
  (AddSub<TChartSeries, K>(
       R, QString(),
       [](const TChartSeries& S) { return const_cast<K*>(static_cast<const K*>(&S)); }, Tables),
   ...);
  return R;
}

template <class K>
TPropTable<K> Pick(const TPropTable<K>& All, const QStringList& Names) {
  TPropTable<K> R;
  for (const TPropDef<K>& D : All)
    if (Names.contains(D.Name.section(QLatin1Char('.'), 0, 0))) R.push_back(D);
  return R;
}

template <class K, class E>
TPropDef<K> Enum(const char* Name, E (K::*Get)() const, void (K::*Set)(E), QStringList Names) {
  return EnumProp<K, E>(
      Name, [Get](const K& X) { return (X.*Get)(); }, [Set](K& X, E V) { (X.*Set)(V); }, Names);
}

template <class K, class B>
TPropDef<K> Color(const char* Name, TColor (B::*Get)() const, void (B::*Set)(TColor)) {
  return ColorProp<K>(
      Name, [Get](const K& X) { return (X.*Get)(); }, [Set](K& X, TColor C) { (X.*Set)(C); });
}

const TPropTable<TSeriesPointer>& PointerTable() {
  static const TPropTable<TSeriesPointer> T = [] {
    using P = TSeriesPointer;
    TPropTable<P> R;
    AddPart(R, "Brush", &P::Brush, BrushTable());
    R.push_back(Prop("Dark3D", &P::Dark3D, &P::SetDark3D));
    R.push_back(Prop("Draw3D", &P::Draw3D, &P::SetDraw3D));
    R.push_back(Prop("HorizSize", &P::HorizSize, &P::SetHorizSize, 1, 10000));
    R.push_back(Prop("InflateMargins", &P::InflateMargins, &P::SetInflateMargins));
    AddPart(R, "Pen", &P::Pen, PenTable());
    R.push_back(Enum("Style", &P::Style, &P::SetStyle,
                     {"psRectangle", "psCircle", "psTriangle", "psDownTriangle", "psCross",
                      "psDiagCross", "psStar", "psDiamond", "psSmallDot"}));
    R.push_back(Prop("VertSize", &P::VertSize, &P::SetVertSize, 1, 10000));
    R.push_back(Prop("Visible", &P::Visible, &P::SetVisible));
    return R;
  }();
  return T;
}

// Everything a line, point or area series may publish; each kind picks its own.
TPropTable<TCustomSeries> CustomSeriesTable() {
  using C = TCustomSeries;
  TPropTable<C> R;
  R.push_back(Enum("AreaBrush", &C::AreaBrush, &C::SetAreaBrush, BrushStyleNames));
  R.push_back(Color<C>("AreaColor", &C::AreaColor, &C::SetAreaColor));
  AddPart(R, "AreaLinesPen", &C::AreaLinesPen, PenTable());
  R.push_back(Prop("Dark3D", &C::Dark3D, &C::SetDark3D));
  R.push_back(Prop("DrawArea", &C::DrawArea, &C::SetDrawArea));
  R.push_back(Prop("InvertedStairs", &C::InvertedStairs, &C::SetInvertedStairs));
  R.push_back(Enum("LineBrush", &C::LineBrush, &C::SetLineBrush, BrushStyleNames));
  R.push_back(Prop("LineHeight", &C::LineHeight, &C::SetLineHeight, 0, 10000));
  AddPart(R, "LinePen", &C::LinePen, PenTable());
  AddPart(R, "Pointer", &C::Pointer, PointerTable());
  R.push_back(Prop("Stairs", &C::Stairs, &C::SetStairs));
  return R;
}

TPropTable<TCustomSeries> PointTable() { return Pick(CustomSeriesTable(), {"Pointer"}); }

TPropTable<TChartSeries> LineKinds(bool Area) {
  if (!Area)
    return Kind(Pick(CustomSeriesTable(), {"Dark3D", "InvertedStairs", "LineBrush", "LineHeight",
                                           "LinePen", "Pointer", "Stairs"}));
  TPropTable<TAreaSeries> Own;
  Own.push_back(Enum("MultiArea", &TAreaSeries::MultiArea, &TAreaSeries::SetMultiArea,
                     {"maNone", "maStacked", "maStacked100"}));
  return Kind(Pick(CustomSeriesTable(), {"AreaBrush", "AreaColor", "AreaLinesPen", "Dark3D",
                                         "DrawArea", "InvertedStairs", "LinePen", "Stairs"}),
              Own);
}

TPropTable<TChartSeries> GanttKind() {
  using G = TGanttSeries;
  TPropTable<G> Own;
  AddPart(Own, "ConnectingPen", &G::ConnectingPen, PenTable());
  AddPart(Own, "EndValues", &G::EndValues, ValueListTable());
  AddPart(Own, "NextTask", &G::NextTask, ValueListTable());
  return Kind(PointTable(), Own);
}

TPropTable<TChartSeries> ArrowKind() {
  using A = TArrowSeries;
  TPropTable<A> Own;
  AddPart(Own, "EndXValues", &A::EndXValues, ValueListTable());
  AddPart(Own, "EndYValues", &A::EndYValues, ValueListTable());
  return Kind(PointTable(), Own);
}

TPropTable<TChartSeries> BubbleKind() {
  using B = TBubbleSeries;
  TPropTable<B> Own;
  AddPart(Own, "RadiusValues", &B::RadiusValues, ValueListTable());
  Own.push_back(Prop("Squared", &B::Squared, &B::SetSquared));
  return Kind(PointTable(), Own);
}

TPropTable<TChartSeries> FastLineKind() {
  using F = TFastLineSeries;
  TPropTable<F> Own;
  Own.push_back(Prop("AutoRepaint", &F::AutoRepaint, &F::SetAutoRepaint));
  AddPart(Own, "LinePen", &F::LinePen, PenTable());
  return Kind(Own);
}

// The custom size goes by the name of the bars' direction.
TPropTable<TChartSeries> BarKinds(bool Horizontal) {
  using B = TCustomBarSeries;
  TPropTable<B> Own;
  Own.push_back(Prop("AutoBarSize", &B::AutoBarSize, &B::SetAutoBarSize));
  Own.push_back(Prop("AutoMarkPosition", &B::AutoMarkPosition, &B::SetAutoMarkPosition));
  AddPart(Own, "BarBrush", &B::BarBrush, BrushTable());
  AddPart(Own, "BarPen", &B::BarPen, PenTable());
  Own.push_back(Enum("BarStyle", &B::BarStyle, &B::SetBarStyle,
                     {"bsRectangle", "bsPyramid", "bsInvPyramid", "bsCilinder", "bsEllipse",
                      "bsArrow", "bsRectGradient"}));
  Own.push_back(Prop("BarWidthPercent", &B::BarWidthPercent, &B::SetBarWidthPercent));
  Own.push_back(Prop(Horizontal ? "CustomBarHeight" : "CustomBarWidth", &B::CustomBarSize,
                     &B::SetCustomBarSize, 0, 10000));
  Own.push_back(Prop("Dark3D", &B::Dark3D, &B::SetDark3D));
  Own.push_back(Enum("MultiBar", &B::MultiBar, &B::SetMultiBar,
                     {"mbNone", "mbSide", "mbStacked", "mbStacked100"}));
  Own.push_back(Prop("OffsetPercent", &B::OffsetPercent, &B::SetOffsetPercent));
  Own.push_back(Prop("SideMargins", &B::SideMargins, &B::SetSideMargins));
  Own.push_back(Prop("UseYOrigin", &B::UseYOrigin, &B::SetUseYOrigin));
  Own.push_back(Prop("YOrigin", &B::YOrigin, &B::SetYOrigin));
  return Kind(Own);
}

// What pies, polar and radar series share.
TPropTable<TCircledSeries> CircledTable() {
  using C = TCircledSeries;
  TPropTable<C> R;
  R.push_back(Color<C>("CircleBackColor", &C::CircleBackColor, &C::SetCircleBackColor));
  R.push_back(Prop("Circled", &C::Circled, &C::SetCircled));
  R.push_back(Prop("CustomXRadius", &C::CustomXRadius, &C::SetCustomXRadius, 0, 100000));
  R.push_back(Prop("CustomYRadius", &C::CustomYRadius, &C::SetCustomYRadius, 0, 100000));
  R.push_back(Prop("RotationAngle", &C::RotationAngle, &C::SetRotationAngle, 0, 359));
  return R;
}

TPropTable<TChartSeries> PieKind() {
  using P = TPieSeries;
  TPropTable<P> Own;
  Own.push_back(Prop("Dark3D", &P::Dark3D, &P::SetDark3D));
  Own.push_back(Prop("ExplodeBiggest", &P::ExplodeBiggest, &P::SetExplodeBiggest, 0, 1000));
  TPropTable<TPieOtherSlice> Other;
  Other.push_back(Enum("Style", &TPieOtherSlice::Style, &TPieOtherSlice::SetStyle,
                       {"poNone", "poBelowPercent", "poBelowValue"}));
  Other.push_back(Prop("Text", &TPieOtherSlice::Text, &TPieOtherSlice::SetText));
  Other.push_back(Prop("Value", &TPieOtherSlice::Value, &TPieOtherSlice::SetValue));
  AddPart(Own, "OtherSlice", &P::OtherSlice, Other);
  AddPart(Own, "PiePen", &P::PiePen, PenTable());
  Own.push_back(Prop("UsePatterns", &P::UsePatterns, &P::SetUsePatterns));
  return Kind(CircledTable(), Own);
}

// The increments are the axes' and are stored with them.
TPropTable<TChartSeries> PolarKinds() {
  using P = TCustomPolarSeries;
  TPropTable<P> Own;
  AddPart(Own, "Brush", &P::Brush, BrushTable());
  Own.push_back(Prop("CircleLabels", &P::CircleLabels, &P::SetCircleLabels));
  AddPart(Own, "CircleLabelsFont", &P::CircleLabelsFont, FontTable());
  Own.push_back(Prop("CircleLabelsRotated", &P::CircleLabelsRotated, &P::SetCircleLabelsRotated));
  AddPart(Own, "CirclePen", &P::CirclePen, PenTable());
  Own.push_back(Prop("CloseCircle", &P::CloseCircle, &P::SetCloseCircle));
  AddPart(Own, "Pen", &P::Pen, PenTable());
  AddPart(Own, "Pointer", &P::Pointer, PointerTable());
  return Kind(CircledTable(), Own);
}

// The corners are the values of the shape's two points.
TPropTable<TChartSeries> ShapeKind() {
  using S = TChartShape;
  TPropTable<S> Own;
  Own.push_back(Enum("Alignment", &S::Alignment, &S::SetAlignment,
                     {"taLeftJustify", "taRightJustify", "taCenter"}));
  AddPart(Own, "Brush", &S::Brush, BrushTable());
  AddPart(Own, "Font", &S::Font, FontTable());
  AddPart(Own, "Pen", &S::Pen, PenTable());
  Own.push_back(Prop("RoundRectangle", &S::RoundRectangle, &S::SetRoundRectangle));
  Own.push_back(
      Enum("Style", &S::Style, &S::SetStyle,
           {"chasRectangle", "chasCircle", "chasVertLine", "chasHorizLine", "chasTriangle",
            "chasInvertTriangle", "chasLine", "chasDiamond", "chasCube", "chasCross",
            "chasDiagCross", "chasStar", "chasPyramid", "chasInvertPyramid"}));
  Own.push_back({QStringLiteral("Text.Strings"), [](const S& X) { return NamesValue(X.Text()); },
                 [](S& X, const TChartStreamValue& V) {
                   X.SetText(AsNames(V, QStringLiteral("Text.Strings")));
                 },
                 nullptr});
  Own.push_back(Prop("Transparent", &S::Transparent, &S::SetTransparent));
  Own.push_back(
      Enum("XYStyle", &S::XYStyle, &S::SetXYStyle, {"xysPixels", "xysAxis", "xysAxisOrigin"}));
  Own.push_back(Prop("X0", &S::X0, &S::SetX0));
  Own.push_back(Prop("X1", &S::X1, &S::SetX1));
  Own.push_back(Prop("Y0", &S::Y0, &S::SetY0));
  Own.push_back(Prop("Y1", &S::Y1, &S::SetY1));
  return Kind(Own);
}

TPropTable<TChartSeries> GridKinds(bool Contour) {
  using G = TCustom3DGridSeries;
  TPropTable<G> Own;
  Own.push_back(BaseProp<G>("TimesZOrder", &G::TimesZOrder, &G::SetTimesZOrder, 0, 10000));
  AddPart(Own, "ZValues", &G::ZValues, ValueListTable());
  Own.push_back(Color<G>("EndColor", &G::EndColor, &G::SetEndColor));
  Own.push_back(Prop("NumXValues", &G::NumXValues, &G::SetNumXValues, 1));
  Own.push_back(Prop("NumZValues", &G::NumZValues, &G::SetNumZValues, 1));
  Own.push_back(Prop("PaletteSteps", &G::PaletteSteps, &G::SetPaletteSteps, 1, 10000));
  Own.push_back(Color<G>("StartColor", &G::StartColor, &G::SetStartColor));
  Own.push_back(Prop("UseColorRange", &G::UseColorRange, &G::SetUseColorRange));
  Own.push_back(Prop("UsePalette", &G::UsePalette, &G::SetUsePalette));
  if (Contour) {
    using C = TContourSeries;
    TPropTable<C> Levels;
    Levels.push_back(Prop("NumLevels", &C::NumLevels, &C::SetNumLevels, 1, C::MaxLevels));
    AddPart(Levels, "Pen", &C::Pen, PenTable());
    Levels.push_back(Prop("YPosition", &C::YPosition, &C::SetYPosition));
    Levels.push_back(Prop("YPositionLevel", &C::YPositionLevel, &C::SetYPositionLevel));
    return Kind(Own, Levels);
  }
  using S = TSurfaceSeries;
  TPropTable<S> Faces;
  AddPart(Faces, "Brush", &S::Brush, BrushTable());
  Faces.push_back(Prop("DotFrame", &S::DotFrame, &S::SetDotFrame));
  AddPart(Faces, "Pen", &S::Pen, PenTable());
  Faces.push_back(Prop("WireFrame", &S::WireFrame, &S::SetWireFrame));
  return Kind(Own, Faces);
}
}  // namespace

const TPropTable<TChartSeries>& SeriesKindTable(const TChartSeries& Series) {
  static const TPropTable<TChartSeries> Gantt = GanttKind(), Arrow = ArrowKind(),
                                        Bubble = BubbleKind(), Point = Kind(PointTable()),
                                        Line = LineKinds(false), Area = LineKinds(true),
                                        FastLine = FastLineKind(), Bar = BarKinds(false),
                                        HorizBar = BarKinds(true), Pie = PieKind(),
                                        Polar = PolarKinds(), Shape = ShapeKind(),
                                        Surface = GridKinds(false), Contour = GridKinds(true), None;
  const TChartSeries* S = &Series;
  if (dynamic_cast<const TGanttSeries*>(S)) return Gantt;
  if (dynamic_cast<const TArrowSeries*>(S)) return Arrow;
  if (dynamic_cast<const TBubbleSeries*>(S)) return Bubble;
  if (dynamic_cast<const TPointSeries*>(S)) return Point;
  if (dynamic_cast<const TAreaSeries*>(S)) return Area;
  if (dynamic_cast<const TLineSeries*>(S)) return Line;
  if (dynamic_cast<const TFastLineSeries*>(S)) return FastLine;
  if (dynamic_cast<const THorizBarSeries*>(S)) return HorizBar;
  if (dynamic_cast<const TBarSeries*>(S)) return Bar;
  if (dynamic_cast<const TPieSeries*>(S)) return Pie;
  if (dynamic_cast<const TCustomPolarSeries*>(S)) return Polar;
  if (dynamic_cast<const TChartShape*>(S)) return Shape;
  if (dynamic_cast<const TContourSeries*>(S)) return Contour;
  if (dynamic_cast<const TSurfaceSeries*>(S)) return Surface;
  return None;
}
}  // namespace ChartStreamProps
