#include "chart/engine/chart_stream.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstring>
#include <functional>
#include <string>

#include <QWidget>

#include "chart/engine/axis_panel.h"
#include "chart/engine/chart.h"
#include "chart/engine/chart_exceptions.h"
#include "chart/engine/chart_function.h"
#include "chart/engine/chart_legend.h"
#include "chart/engine/chart_parts.h"
#include "chart/engine/chart_series.h"
#include "chart/engine/chart_stream_props.h"
#include "chart/engine/series_types.h"

const TChartStreamProperty* FindStreamProperty(const TChartStreamObject& Object,
                                               const QString& PropertyName) {
  for (const TChartStreamProperty& P : Object.Properties)
    if (P.Name == PropertyName) return &P;
  return nullptr;
}

using namespace ChartStreamProps;

namespace {
[[noreturn]] void Invalid(const std::string& What) {
  throw ChartException("Invalid chart stream: " + What);
}

// A stream is refused whole when any number in it is not finite.
void CheckFinite(const std::vector<TChartStreamProperty>& Properties);
void CheckFinite(const TChartStreamValue& V) {
  if (V.Kind == skFloat && !std::isfinite(V.Float)) Invalid("a number is not finite");
  for (const TChartStreamValue& I : V.Items) CheckFinite(I);
  for (const auto& E : V.Elements) CheckFinite(E);
}
void CheckFinite(const std::vector<TChartStreamProperty>& Properties) {
  for (const TChartStreamProperty& P : Properties) CheckFinite(P.Value);
}
void CheckFinite(const TChartStreamObject& O) {
  CheckFinite(O.Properties);
  for (const TChartStreamObject& C : O.Children) CheckFinite(C);
}

const TPropTable<TChartGradient>& GradientTable() {
  static const TPropTable<TChartGradient> T = [] {
    using G = TChartGradient;
    TPropTable<G> R;
    R.push_back(Prop("Visible", &G::Visible, &G::SetVisible));
    R.push_back(EnumProp<G, TGradientDirection>(
        "Direction", [](const G& X) { return X.Direction(); },
        [](G& X, TGradientDirection D) { X.SetDirection(D); },
        {"gdTopBottom", "gdBottomTop", "gdLeftRight", "gdRightLeft", "gdFromCenter",
         "gdFromTopLeft", "gdFromBottomLeft"}));
    R.push_back(ColorProp<G>(
        "StartColor", [](const G& X) { return X.StartColor(); },
        [](G& X, TColor C) { X.SetStartColor(C); }));
    R.push_back(ColorProp<G>(
        "EndColor", [](const G& X) { return X.EndColor(); },
        [](G& X, TColor C) { X.SetEndColor(C); }));
    return R;
  }();
  return T;
}

const TPropTable<TChartWall>& WallTable() {
  static const TPropTable<TChartWall> T = [] {
    using W = TChartWall;
    TPropTable<W> R;
    AddBrushAndColor(R);
    R.push_back(Prop("Dark3D", &W::Dark3D, &W::SetDark3D));
    AddSub<W, TChartPen>(
        R, "Pen", [](const W& X) { return X.Pen(); }, PenTable());
    R.push_back(Prop("Size", &W::Size, &W::SetSize, 0, 1000));
    return R;
  }();
  return T;
}

// The title's text and visibility are the chart's: their defaults differ between title and foot.
const TPropTable<TChartTitle>& TitleTable() {
  static const TPropTable<TChartTitle> T = [] {
    using P = TChartTitle;
    TPropTable<P> R;
    R.push_back(EnumProp<P, TAlignment>(
        "Alignment", [](const P& X) { return X.Alignment(); },
        [](P& X, TAlignment A) { X.SetAlignment(A); },
        {"taLeftJustify", "taRightJustify", "taCenter"}));
    R.push_back(Prop("AdjustFrame", &P::AdjustFrame, &P::SetAdjustFrame));
    AddBrushAndColor(R);
    AddSub<P, TChartPen>(
        R, "Frame", [](const P& X) -> TChartPen* { return X.Frame(); }, PenTable());
    AddPartFont<P>(R, QStringLiteral("Font"), [](const P& X) { return &X; });
    return R;
  }();
  return T;
}

// Visibility is the chart's, with the titles'.
const TPropTable<TCustomChartLegend>& LegendTable() {
  static const TPropTable<TCustomChartLegend> T = [] {
    using L = TCustomChartLegend;
    TPropTable<L> R;
    R.push_back(EnumProp<L, TLegendAlignment>(
        "Alignment", [](const L& X) { return X.Alignment(); },
        [](L& X, TLegendAlignment A) { X.SetAlignment(A); },
        {"laLeft", "laRight", "laTop", "laBottom"}));
    AddBrushAndColor(R);
    R.push_back(Prop("ColorWidth", &L::ColorWidth, &L::SetColorWidth, 0, 100));
    AddSub<L, TChartPen>(
        R, "DividingLines", [](const L& X) -> TChartPen* { return X.DividingLines(); }, PenTable());
    R.push_back(Prop("FirstValue", &L::FirstValue, &L::SetFirstValue, 0));
    AddPartFont<L>(R, QStringLiteral("Font"), [](const L& X) { return &X; });
    AddSub<L, TChartPen>(
        R, "Frame", [](const L& X) { return X.Frame(); }, PenTable());
    R.push_back(Prop("HorizMargin", &L::HorizMargin, &L::SetHorizMargin, 0, 1000));
    R.push_back(Prop("Inverted", &L::Inverted, &L::SetInverted));
    R.push_back(EnumProp<L, ChartLegend::TLegendStyle>(
        "LegendStyle", [](const L& X) { return X.LegendStyle(); },
        [](L& X, ChartLegend::TLegendStyle S) { X.SetLegendStyle(S); },
        {"lsAuto", "lsSeries", "lsValues", "lsLastValues"}));
    R.push_back(Prop("MaxNumRows", &L::MaxNumRows, &L::SetMaxNumRows, 0, 10000));
    R.push_back(Prop("ResizeChart", &L::ResizeChart, &L::SetResizeChart));
    R.push_back(ColorProp<L>(
        "ShadowColor", [](const L& X) { return X.ShadowColor(); },
        [](L& X, TColor C) { X.SetShadowColor(C); }));
    R.push_back(Prop("ShadowSize", &L::ShadowSize, &L::SetShadowSize, -1000, 1000));
    R.push_back(EnumProp<L, TLegendTextStyle>(
        "TextStyle", [](const L& X) { return X.TextStyle(); },
        [](L& X, TLegendTextStyle S) { X.SetTextStyle(S); },
        {"ltsPlain", "ltsLeftValue", "ltsRightValue", "ltsLeftPercent", "ltsRightPercent",
         "ltsXValue"}));
    R.push_back(Prop("TopPos", &L::TopPos, &L::SetTopPos, 0, 100));
    R.push_back(Prop("VertMargin", &L::VertMargin, &L::SetVertMargin, 0, 1000));
    return R;
  }();
  return T;
}

const TPropTable<TChartAxis>& AxisTable() {
  static const TPropTable<TChartAxis> T = [] {
    using A = TChartAxis;
    TPropTable<A> R;
    R.push_back(Prop("Automatic", &A::Automatic, &A::SetAutomatic));
    R.push_back(Prop("AutomaticMaximum", &A::AutomaticMaximum, &A::SetAutomaticMaximum));
    R.push_back(Prop("AutomaticMinimum", &A::AutomaticMinimum, &A::SetAutomaticMinimum));
    R.push_back(Prop("Maximum", &A::Maximum, &A::SetMaximum));
    R.back().Stored = [](const A& X) { return !X.Automatic() && !X.AutomaticMaximum(); };
    R.push_back(Prop("Minimum", &A::Minimum, &A::SetMinimum));
    R.back().Stored = [](const A& X) { return !X.Automatic() && !X.AutomaticMinimum(); };
    R.push_back(Prop("Increment", &A::Increment, &A::SetIncrement));
    R.push_back(Prop("Logarithmic", &A::Logarithmic, &A::SetLogarithmic));
    R.push_back(Prop("LogarithmicBase", &A::LogarithmicBase, &A::SetLogarithmicBase));
    R.push_back(Prop("Inverted", &A::Inverted, &A::SetInverted));
    R.push_back(Prop("Visible", &A::Visible, &A::SetVisible));
    R.push_back(Prop("Labels", &A::Labels, &A::SetLabels));
    R.push_back(Prop("LabelsAngle", &A::LabelsAngle, &A::SetLabelsAngle));
    R.push_back(Prop("LabelsMultiLine", &A::LabelsMultiLine, &A::SetLabelsMultiLine));
    R.push_back(Prop("LabelsOnAxis", &A::LabelsOnAxis, &A::SetLabelsOnAxis));
    R.push_back(
        Prop("LabelsSeparation", &A::LabelsSeparation, &A::SetLabelsSeparation, INT32_MIN, 10000));
    R.push_back(Prop("LabelsSize", &A::LabelsSize, &A::SetLabelsSize, 0, 10000));
    R.push_back(Prop("TitleSize", &A::TitleSize, &A::SetTitleSize, 0, 10000));
    R.push_back(EnumProp<A, TAxisLabelStyle>(
        "LabelStyle", [](const A& X) { return X.LabelStyle(); },
        [](A& X, TAxisLabelStyle S) { X.SetLabelStyle(S); },
        {"talAuto", "talNone", "talValue", "talMark", "talText"}));
    R.push_back(Prop("AxisValuesFormat", &A::AxisValuesFormat, &A::SetAxisValuesFormat));
    R.push_back(Prop("DateTimeFormat", &A::DateTimeFormat, &A::SetDateTimeFormat));
    R.push_back(Prop("ExactDateTime", &A::ExactDateTime, &A::SetExactDateTime));
    R.push_back(Prop("RoundFirstLabel", &A::RoundFirstLabel, &A::SetRoundFirstLabel));
    R.push_back(Prop("TickOnLabelsOnly", &A::TickOnLabelsOnly, &A::SetTickOnLabelsOnly));
    R.push_back(Prop("TickLength", &A::TickLength, &A::SetTickLength, -10000, 10000));
    R.push_back(
        Prop("TickInnerLength", &A::TickInnerLength, &A::SetTickInnerLength, -10000, 10000));
    R.push_back(Prop("MinorTickCount", &A::MinorTickCount, &A::SetMinorTickCount, 0, 1000));
    R.push_back(
        Prop("MinorTickLength", &A::MinorTickLength, &A::SetMinorTickLength, -10000, 10000));
    R.push_back(Prop("GridCentered", &A::GridCentered, &A::SetGridCentered));
    R.push_back(Prop("StartPosition", &A::StartPosition, &A::SetStartPosition));
    R.push_back(Prop("EndPosition", &A::EndPosition, &A::SetEndPosition));
    R.push_back(Prop("PositionPercent", &A::PositionPercent, &A::SetPositionPercent));
    R.push_back({"Title.Caption", [](const A& X) { return ToValue(X.TitleCaption()); },
                 [](A& X, const TChartStreamValue& V) { X.SetTitleCaption(V.Text); }, nullptr});
    R.push_back({"Title.Angle", [](const A& X) { return ToValue(X.Title()->Angle()); },
                 [](A& X, const TChartStreamValue& V) { X.Title()->SetAngle(AsInt(V)); },
                 [](const A& X) { return X.Title()->Angle() != X.DefaultTitleAngle(); }});
    AddSub<A, TFont>(
        R, "Title.Font", [](const A& X) { return X.Title()->Font(); }, FontTable());
    AddSub<A, TFont>(
        R, "LabelsFont", [](const A& X) { return X.LabelsFont(); }, FontTable());
    AddSub<A, TChartPen>(
        R, "Axis", [](const A& X) -> TChartPen* { return X.AxisPen(); }, PenTable());
    AddSub<A, TChartPen>(
        R, "Grid", [](const A& X) -> TChartPen* { return X.Grid(); }, PenTable());
    AddSub<A, TChartPen>(
        R, "Ticks", [](const A& X) -> TChartPen* { return X.Ticks(); }, PenTable());
    AddSub<A, TChartPen>(
        R, "TicksInner", [](const A& X) -> TChartPen* { return X.TicksInner(); }, PenTable());
    AddSub<A, TChartPen>(
        R, "MinorTicks", [](const A& X) -> TChartPen* { return X.MinorTicks(); }, PenTable());
    return R;
  }();
  return T;
}

}  // namespace

const TPropTable<TChartValueList>& ChartStreamProps::ValueListTable() {
  static const TPropTable<TChartValueList> T = [] {
    using L = TChartValueList;
    TPropTable<L> R;
    R.push_back({"Name", [](const L& X) { return ToValue(X.Name()); },
                 [](L& X, const TChartStreamValue& V) { X.SetName(V.Text); }, nullptr});
    R.push_back(EnumProp<L, TChartListOrder>(
        "Order", [](const L& X) { return X.Order(); },
        [](L& X, TChartListOrder O) { X.SetOrder(O); }, {"loNone", "loAscending", "loDescending"}));
    R.push_back(Prop("DateTime", &L::DateTime, &L::SetDateTime));
    R.push_back(Prop("Multiplier", &L::Multiplier, &L::SetMultiplier));
    R.push_back(Prop("ValueSource", &L::ValueSource, &L::SetValueSource));
    return R;
  }();
  return T;
}

namespace {

const TPropTable<TChartSeries>& SeriesTable() {
  static const TPropTable<TChartSeries> T = [] {
    using S = TChartSeries;
    TPropTable<S> R;
    R.push_back(Prop("Active", &S::Active, &S::SetActive));
    R.push_back(Prop("ColorEachPoint", &S::ColorEachPoint, &S::SetColorEachPoint));
    R.push_back(Prop("Cursor", &S::Cursor, &S::SetCursor, -32768, 32767));
    R.push_back(EnumProp<S, THorizAxis>(
        "HorizAxis", [](const S& X) { return X.HorizAxis(); },
        [](S& X, THorizAxis A) { X.SetHorizAxis(A); },
        {"aTopAxis", "aBottomAxis", "aBothHorizAxis"}));
    R.push_back(EnumProp<S, TVertAxis>(
        "VertAxis", [](const S& X) { return X.VertAxis(); },
        [](S& X, TVertAxis A) { X.SetVertAxis(A); }, {"aLeftAxis", "aRightAxis", "aBothVertAxis"}));
    R.push_back(Prop("PercentFormat", &S::PercentFormat, &S::SetPercentFormat));
    R.push_back({"SeriesColor", [](const S& X) { return ColorValue(X.SeriesColor()); },
                 [](S& X, const TChartStreamValue& V) { X.SetSeriesColor(AsColor(V)); }, nullptr});
    R.back().IsColor = true;
    R.push_back(Prop("ShowInLegend", &S::ShowInLegend, &S::SetShowInLegend));
    R.push_back(Prop("Title", &S::Title, &S::SetTitle));
    R.push_back(Prop("ValueFormat", &S::ValueFormat, &S::SetValueFormat));
    R.push_back(Prop("ZOrder", &S::ZOrder, &S::SetZOrder, -1, 10000));
    // The value lists are reached through the owner's non-const access.
    AddSub<S, TChartValueList>(
        R, "XValues", [](const S& X) { return const_cast<S&>(X).XValues(); }, ValueListTable());
    AddSub<S, TChartValueList>(
        R, "YValues", [](const S& X) { return const_cast<S&>(X).YValues(); }, ValueListTable());
    R.push_back({"Marks.Visible", [](const S& X) { return ToValue(X.Marks()->Visible()); },
                 [](S& X, const TChartStreamValue& V) { X.Marks()->SetVisible(V.Bool); }, nullptr});
    R.push_back(EnumProp<S, TSeriesMarksStyle>(
        "Marks.Style", [](const S& X) { return X.Marks()->Style(); },
        [](S& X, TSeriesMarksStyle M) { X.Marks()->SetStyle(M); },
        {"smsValue", "smsPercent", "smsLabel", "smsLabelPercent", "smsLabelValue", "smsLegend",
         "smsPercentTotal", "smsLabelPercentTotal", "smsXValue"}));
    R.push_back({"Marks.ArrowLength", [](const S& X) { return ToValue(X.Marks()->ArrowLength()); },
                 [](S& X, const TChartStreamValue& V) { X.Marks()->SetArrowLength(AsInt(V)); },
                 nullptr, -10000, 10000});
    R.push_back({"Marks.Clip", [](const S& X) { return ToValue(X.Marks()->Clip()); },
                 [](S& X, const TChartStreamValue& V) { X.Marks()->SetClip(V.Bool); }, nullptr});
    R.push_back({"Marks.Transparent", [](const S& X) { return ToValue(X.Marks()->Transparent()); },
                 [](S& X, const TChartStreamValue& V) { X.Marks()->SetTransparent(V.Bool); },
                 nullptr});
    R.push_back({"Marks.BackColor", [](const S& X) { return ColorValue(X.Marks()->BackColor()); },
                 [](S& X, const TChartStreamValue& V) { X.Marks()->SetBackColor(AsColor(V)); },
                 nullptr});
    R.back().IsColor = true;
    AddSub<S, TChartPen>(
        R, "Marks.Arrow", [](const S& X) -> TChartPen* { return X.Marks()->Arrow(); }, PenTable());
    AddSub<S, TChartPen>(
        R, "Marks.Frame", [](const S& X) { return X.Marks()->Frame(); }, PenTable());
    AddSub<S, TFont>(
        R, "Marks.Font", [](const S& X) { return X.Marks()->Font(); }, FontTable());
    R.push_back(Prop("Identifier", &S::Identifier, &S::SetIdentifier));
    R.push_back(Prop("Style", &S::StyleFlags, &S::SetStyleFlags, 0, 63));
    return R;
  }();
  return T;
}

const TPropTable<TChartFunction>& FunctionTable() {
  static const TPropTable<TChartFunction> T = [] {
    using F = TChartFunction;
    TPropTable<F> R;
    R.push_back(Prop("Period", &F::Period, &F::SetPeriod));
    R.push_back(EnumProp<F, TFunctionPeriodStyle>(
        "PeriodStyle", [](const F& X) { return X.PeriodStyle(); },
        [](F& X, TFunctionPeriodStyle P) { X.SetPeriodStyle(P); }, {"psNumPoints", "psRange"}));
    R.push_back(EnumProp<F, TFunctionPeriodAlign>(
        "PeriodAlign", [](const F& X) { return X.PeriodAlign(); },
        [](F& X, TFunctionPeriodAlign P) { X.SetPeriodAlign(P); },
        {"paFirst", "paCenter", "paLast"}));
    return R;
  }();
  return T;
}

// Default: null writes every property (no object of the kind to compare with).
template <class T>
std::vector<TChartStreamProperty> WriteTable(const TPropTable<T>& Table, const T& Object,
                                             const T* Default) {
  std::vector<TChartStreamProperty> R;
  for (const TPropDef<T>& D : Table) {
    const TChartStreamValue V = D.Get(Object);
    const bool Stored = D.Stored ? D.Stored(Object) : (!Default || !(V == D.Get(*Default)));
    if (Stored) R.push_back({D.Name, V});
  }
  return R;
}

template <class T>
void ReadTable(const TPropTable<T>& Table, T& Object, const TChartStreamProperty& P,
               const QString& Owner) {
  for (const TPropDef<T>& D : Table) {
    if (D.Name != P.Name) continue;
    const TStreamKind Kind = P.Value.Kind;
    const bool Fits =
        Kind == D.Get(Object).Kind || (D.IsColor && (Kind == skInteger || Kind == skIdent));
    if (!Fits)
      Refuse(QStringLiteral("Property %1 of %2 has the wrong kind of value").arg(P.Name, Owner));
    if (Kind == skInteger && (P.Value.Int < D.Min || P.Value.Int > D.Max))
      Refuse(QStringLiteral("Invalid value %1 of %2").arg(P.Value.Int).arg(P.Name));
    D.Set(Object, P.Value);
    return;
  }
  Refuse(QStringLiteral("Unknown property %1 of %2").arg(P.Name, Owner));
}

const TChartSeriesClass* FindSeriesClass(const QString& Name) {
  const TChartSeriesTypes& T = ChartSeriesTypes();
  for (int i = 0; i < T.Count(); ++i) {
    const TChartSeriesClass& C = T.GetSeriesType(i).SeriesClass;
    if (!C.IsNull() && C.Name.compare(Name, Qt::CaseInsensitive) == 0) return &C;
  }
  return nullptr;
}

const QString AxisNames[] = {"BottomAxis", "TopAxis", "LeftAxis", "RightAxis", "DepthAxis"};

// A picture as the class library streams it: the graphic's class name as a short string, then
// the graphic's own data, for a bitmap its size in four bytes and the BMP file.
TChartStreamValue PictureValue(const TBitmap* Image) {
  TChartStreamValue V;
  V.Kind = skBinary;
  if (!Image || Image->Empty()) return V;
  const QByteArray Bmp = Image->SaveToData();
  V.Bytes.append(char(7));
  V.Bytes.append("TBitmap", 7);
  for (int i = 0; i < 4; ++i) V.Bytes.append(char(std::uint32_t(Bmp.size()) >> (8 * i)));
  V.Bytes.append(Bmp);
  return V;
}

void ReadPicture(TCustomChartPanelExtended& Panel, const QByteArray& Data) {
  if (Data.isEmpty()) {
    Panel.SetBackImage(nullptr);
    return;
  }
  const auto Byte = [&Data](qsizetype I) { return std::uint32_t(std::uint8_t(Data[I])); };
  const qsizetype N = Byte(0);
  if (Data.size() < 1 + N + 4 || Data.mid(1, N) != "TBitmap")
    Refuse(QStringLiteral("The back image is not a bitmap"));
  const std::uint32_t Size = Byte(N + 1) | Byte(N + 2) << 8 | Byte(N + 3) << 16 | Byte(N + 4) << 24;
  TBitmap B;
  QString Error = QStringLiteral("its size is wrong");
  if (Size != std::uint64_t(Data.size() - N - 5) || !B.LoadFromData(Data.mid(N + 5), &Error))
    Refuse(QStringLiteral("The back image cannot be read: %1").arg(Error));
  Panel.SetBackImage(&B);
}

// Left, top, width and height.
std::array<int, 4> PlaceOf(const QRect& G) { return {G.x(), G.y(), G.width(), G.height()}; }

// The view as the user turned, moved and zoomed it, in the ranges the view takes.
const TPropTable<TView3DOptions>& View3DTable() {
  static const TPropTable<TView3DOptions> T = [] {
    using V = TView3DOptions;
    using W = TView3DValue;
    const auto Ranged = [](const char* Name, int (V::*Get)() const, void (V::*Set)(int), W Which) {
      return Prop(Name, Get, Set, View3DRange(Which).Min, View3DRange(Which).Max);
    };
    TPropTable<V> R;
    R.push_back(Ranged("Elevation", &V::Elevation, &V::SetElevation, W::Elevation));
    R.push_back(Ranged("HorizOffset", &V::HorizOffset, &V::SetHorizOffset, W::HorizOffset));
    R.push_back(Prop("Orthogonal", &V::Orthogonal, &V::SetOrthogonal));
    R.push_back(Ranged("Perspective", &V::Perspective, &V::SetPerspective, W::Perspective));
    R.push_back(Ranged("Rotation", &V::Rotation, &V::SetRotation, W::Rotation));
    R.push_back(Ranged("Tilt", &V::Tilt, &V::SetTilt, W::Tilt));
    R.push_back(Ranged("VertOffset", &V::VertOffset, &V::SetVertOffset, W::VertOffset));
    R.push_back(Ranged("Zoom", &V::Zoom, &V::SetZoom, W::Zoom));
    R.push_back(Prop("ZoomText", &V::ZoomText, &V::SetZoomText));
    return R;
  }();
  return T;
}

// Stored only when not the value of a new panel.
const TPropTable<TCustomAxisPanel>& PanelTable() {
  static const TPropTable<TCustomAxisPanel> T = [] {
    using C = TCustomAxisPanel;
    TPropTable<C> R;
    auto Unless = [&R](auto Default, auto Get) {
      R.back().Stored = [Default, Get](const C& X) { return Get(X) != Default; };
    };
    // The control's place and size come first and always, as for any control on a form; the
    // window that reads them back places the panel there. A size is held to one whose picture
    // can still be made.
    const char* const Place[] = {"Left", "Top", "Width", "Height"};
    for (int i = 0; i < 4; ++i)
      R.push_back({QString::fromLatin1(Place[i]),
                   [i](const C& X) { return ToValue(PlaceOf(X.geometry())[size_t(i)]); },
                   [i](C& X, const TChartStreamValue& V) {
                     std::array<int, 4> P = PlaceOf(X.geometry());
                     P[size_t(i)] = AsInt(V);
                     X.setGeometry(P[0], P[1], P[2], P[3]);
                   },
                   [](const C&) { return true; }, i < 2 ? -32768 : 0, i < 2 ? 32767 : 8192});
    R.push_back(EnumProp<C, TAlign>(
        "Align", [](const C& X) { return X.Align(); }, [](C& X, TAlign A) { X.SetAlign(A); },
        {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"}));
    // The order among the window's controls, which is the window's to keep: written for a panel
    // in a window, taken as read.
    R.push_back({QStringLiteral("TabOrder"),
                 [](const C& X) {
                   const QWidget* P = X.parentWidget();
                   const QList<const QWidget*> Siblings =
                       P ? P->findChildren<const QWidget*>(Qt::FindDirectChildrenOnly)
                         : QList<const QWidget*>();
                   return ToValue(int(std::max<qsizetype>(Siblings.indexOf(&X), 0)));
                 },
                 [](C&, const TChartStreamValue&) {},
                 [](const C& X) { return X.parentWidget() != nullptr; }, 0, 32767});
    // The back image goes as a bitmap, whatever file it was read from.
    R.push_back({QStringLiteral("BackImage.Data"),
                 [](const C& X) { return PictureValue(X.BackImage()); },
                 [](C& X, const TChartStreamValue& V) { ReadPicture(X, V.Bytes); },
                 [](const C& X) { return X.BackImage() && !X.BackImage()->Empty(); }});
    R.push_back(BaseProp<C>("AxisVisible", &C::AxisVisible, &C::SetAxisVisible));
    Unless(true, [](const C& X) { return X.AxisVisible(); });
    // From here on what has no rule of its own is stored when it differs from a new chart.
    R.push_back(EnumProp<C, TPanningMode>(
        "AllowPanning", [](const C& X) { return X.AllowPanning(); },
        [](C& X, TPanningMode M) { X.SetAllowPanning(M); },
        {"pmNone", "pmHorizontal", "pmVertical", "pmBoth"}));
    R.push_back(BaseProp<C>("AllowZoom", &C::AllowZoom, &C::SetAllowZoom));
    R.push_back(BaseProp<C>("AnimatedZoom", &C::AnimatedZoom, &C::SetAnimatedZoom));
    R.push_back(BaseProp<C>("AnimatedZoomSteps", &C::AnimatedZoomSteps, &C::SetAnimatedZoomSteps, 0,
                            C::MaxAnimatedZoomSteps));
    R.push_back(EnumProp<C, TPanelBackImageMode>(
        "BackImageMode", [](const C& X) { return X.BackImageMode(); },
        [](C& X, TPanelBackImageMode M) { X.SetBackImageMode(M); },
        {"pbmStretch", "pbmTile", "pbmCenter"}));
    const QStringList Bevels = {"bvNone", "bvLowered", "bvRaised", "bvSpace"};
    R.push_back(EnumProp<C, TPanelBevel>(
        "BevelInner", [](const C& X) { return X.BevelInner(); },
        [](C& X, TPanelBevel B) { X.SetBevelInner(B); }, Bevels));
    R.push_back(EnumProp<C, TPanelBevel>(
        "BevelOuter", [](const C& X) { return X.BevelOuter(); },
        [](C& X, TPanelBevel B) { X.SetBevelOuter(B); }, Bevels));
    R.push_back(BaseProp<C>("BevelWidth", &C::BevelWidth, &C::SetBevelWidth, 1, 100));
    Unless(1, [](const C& X) { return X.BevelWidth(); });
    R.push_back(EnumProp<C, TFormBorderStyle>(
        "BorderStyle", [](const C& X) { return X.BorderStyle(); },
        [](C& X, TFormBorderStyle B) { X.SetBorderStyle(B); },
        {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"}));
    R.push_back(BaseProp<C>("BorderWidth", &C::BorderWidth, &C::SetBorderWidth, 0, 100));
    Unless(0, [](const C& X) { return X.BorderWidth(); });
    R.push_back(BaseProp<C>("Chart3DPercent", &C::Chart3DPercent, &C::SetChart3DPercent));
    Unless(15, [](const C& X) { return X.Chart3DPercent(); });
    R.push_back(BaseProp<C>("ClipPoints", &C::ClipPoints, &C::SetClipPoints));
    Unless(true, [](const C& X) { return X.ClipPoints(); });
    R.push_back(ColorProp<C>(
        "Color", [](const C& X) { return X.Color(); }, [](C& X, TColor V) { X.SetColor(V); }));
    AddSub<C, TChartGradient>(
        R, "Gradient", [](const C& X) { return X.Gradient(); }, GradientTable());
    R.push_back(BaseProp<C>("MarginBottom", &C::MarginBottom, &C::SetMarginBottom, 0, 100));
    Unless(4, [](const C& X) { return X.MarginBottom(); });
    R.push_back(BaseProp<C>("MarginLeft", &C::MarginLeft, &C::SetMarginLeft, 0, 100));
    Unless(3, [](const C& X) { return X.MarginLeft(); });
    R.push_back(BaseProp<C>("MarginRight", &C::MarginRight, &C::SetMarginRight, 0, 100));
    Unless(3, [](const C& X) { return X.MarginRight(); });
    R.push_back(BaseProp<C>("MarginTop", &C::MarginTop, &C::SetMarginTop, 0, 100));
    Unless(4, [](const C& X) { return X.MarginTop(); });
    R.push_back(BaseProp<C>("MaxPointsPerPage", &C::MaxPointsPerPage, &C::SetMaxPointsPerPage));
    Unless(0, [](const C& X) { return X.MaxPointsPerPage(); });
    R.push_back(BaseProp<C>("Monochrome", &C::Monochrome, &C::SetMonochrome));
    R.push_back(BaseProp<C>("PrintProportional", &C::PrintProportional, &C::SetPrintProportional));
    Unless(true, [](const C& X) { return X.PrintProportional(); });
    R.push_back(
        BaseProp<C>("PrintResolution", &C::PrintResolution, &C::SetPrintResolution, -100, 0));
    Unless(0, [](const C& X) { return X.PrintResolution(); });
    R.push_back(BaseProp<C>("ScaleLastPage", &C::ScaleLastPage, &C::SetScaleLastPage));
    Unless(true, [](const C& X) { return X.ScaleLastPage(); });
    R.push_back(BaseProp<C>("View3D", &C::View3D, &C::SetView3D));
    Unless(true, [](const C& X) { return X.View3D(); });
    AddSub<C, TView3DOptions>(
        R, "View3DOptions", [](const C& X) { return X.View3DOptions(); }, View3DTable());
    R.push_back(BaseProp<C>("View3DWalls", &C::View3DWalls, &C::SetView3DWalls));
    Unless(true, [](const C& X) { return X.View3DWalls(); });
    return R;
  }();
  return T;
}

// The chart's titles and legend, stored when they differ from a new chart's.
const TPropTable<TCustomChart>& ChartPartsTable() {
  static const TPropTable<TCustomChart> T = [] {
    using C = TCustomChart;
    TPropTable<C> R;
    for (const bool Foot : {false, true}) {
      const QString Part = Foot ? QStringLiteral("Foot") : QStringLiteral("Title");
      auto Of = [Foot](const C& X) { return Foot ? X.Foot() : X.Title(); };
      R.push_back({Part + QStringLiteral(".Text.Strings"),
                   [Of](const C& X) { return NamesValue(Of(X)->Text()); },
                   [Of, Part](C& X, const TChartStreamValue& V) {
                     Of(X)->SetText(AsNames(V, Part + QStringLiteral(".Text.Strings")));
                   },
                   [Of, Foot](const C& X) {
                     static const QStringList New = TChart().Title()->Text();
                     return Of(X)->Text() != (Foot ? QStringList() : New);
                   }});
      R.push_back({Part + QStringLiteral(".Visible"),
                   [Of](const C& X) { return ToValue(Of(X)->Visible()); },
                   [Of](C& X, const TChartStreamValue& V) { Of(X)->SetVisible(V.Bool); },
                   [Of](const C& X) { return !Of(X)->Visible(); }});
      AddSub<C, TChartTitle>(R, Part, Of, TitleTable());
    }
    const std::pair<const char*, TChartWall* (C::*)() const> Walls[] = {
        {"BackWall", &C::BackWall}, {"LeftWall", &C::LeftWall}, {"BottomWall", &C::BottomWall}};
    for (const auto& [Name, Wall] : Walls)
      AddSub<C, TChartWall>(
          R, QString::fromLatin1(Name), [Wall](const C& X) { return (X.*Wall)(); }, WallTable());
    R.push_back(Prop("BackImageInside", &C::BackImageInside, &C::SetBackImageInside));
    AddSub<C, TCustomChartLegend>(
        R, "Legend", [](const C& X) -> TCustomChartLegend* { return X.Legend(); }, LegendTable());
    R.push_back({QStringLiteral("Legend.Visible"),
                 [](const C& X) { return ToValue(X.Legend()->Visible()); },
                 [](C& X, const TChartStreamValue& V) { X.Legend()->SetVisible(V.Bool); },
                 [](const C& X) { return !X.Legend()->Visible(); }});
    return R;
  }();
  return T;
}

template <class T>
bool HasProp(const TPropTable<T>& Table, const QString& Name) {
  return std::any_of(Table.begin(), Table.end(),
                     [&Name](const TPropDef<T>& D) { return D.Name == Name; });
}

// A name may be both a series' own and its kind's (a shape's Style beside the style flags): the
// kind of the value decides.
template <class T>
bool Takes(const TPropTable<T>& Table, const T& Object, const TChartStreamProperty& P) {
  return std::any_of(Table.begin(), Table.end(), [&](const TPropDef<T>& D) {
    return D.Name == P.Name && (D.IsColor || D.Get(Object).Kind == P.Value.Kind);
  });
}

// Every value of the table, defaults included, to put back when a stream is refused.
template <class T>
std::vector<TChartStreamValue> Snapshot(const TPropTable<T>& Table, const T& Object) {
  std::vector<TChartStreamValue> R;
  for (const TPropDef<T>& D : Table) R.push_back(D.Get(Object));
  return R;
}

// In table order (a brush's colour before its style); only what differs is set again, so that a
// refused stream costs no repaints.
template <class T>
void Restore(const TPropTable<T>& Table, T& Object, const std::vector<TChartStreamValue>& Saved) {
  for (size_t i = 0; i < Table.size(); ++i)
    if (!(Table[i].Get(Object) == Saved[i])) Table[i].Set(Object, Saved[i]);
}

QStringList ExpectNames(const TChartStreamProperty& P, const QString& Owner) {
  QStringList R;
  bool Fits = P.Value.Kind == skList;
  for (const TChartStreamValue& I : P.Value.Items) {
    Fits = Fits && I.Kind == skString;
    R.append(I.Text);
  }
  if (!Fits)
    Refuse(QStringLiteral("Property %1 of %2 has the wrong kind of value").arg(P.Name, Owner));
  return R;
}

TStreamLimits ChartLimits() {
  TStreamLimits L;
  L.MaxDepth = MaxStreamDepth;
  L.MaxItems = MaxStreamItems;
  L.MaxText = MaxStreamText;
  return L;
}
}  // namespace

QByteArray EncodeChartStream(const TChartStreamObject& Root) {
  try {
    return WriteComponentStream(Root);
  } catch (const EComponentStreamError& E) {
    throw ChartException(E.what());
  }
}

TChartStreamObject DecodeChartStream(const QByteArray& Data, qsizetype& Pos) {
  TChartStreamObject Root;
  try {
    Root = ReadComponentStream(Data, Pos, ChartLimits());
  } catch (const EComponentStreamError& E) {
    Invalid(E.what());
  }
  CheckFinite(Root);
  return Root;
}

TChartStreamObject DecodeChartStream(const QByteArray& Data) {
  qsizetype Pos = 0;
  TChartStreamObject Root = DecodeChartStream(Data, Pos);
  if (Pos != Data.size()) Invalid("bytes after the end");
  return Root;
}

std::vector<TChartStreamProperty> WriteAxisProperties(const TChartAxis& Axis) {
  const TChartAxis Default(nullptr, Axis.Horizontal(), Axis.OtherSide(), Axis.IsDepthAxis());
  return WriteTable(AxisTable(), Axis, &Default);
}

void ReadAxisProperties(TChartAxis& Axis, const std::vector<TChartStreamProperty>& Properties) {
  const bool Was = Axis.Loading();
  Axis.SetLoading(true);
  try {
    for (const TChartStreamProperty& P : Properties)
      ReadTable(AxisTable(), Axis, P, QStringLiteral("an axis"));
  } catch (...) {
    Axis.SetLoading(Was);
    throw;
  }
  // The ends were read apart; ending the loading checks them together.
  Axis.SetLoading(Was);
}

TChartStreamObject WriteSeriesObject(const TChartSeries& Series) {
  TChartStreamObject O;
  O.ClassName = Series.ClassName();
  O.Name = Series.Name();
  const TChartSeriesClass* C = FindSeriesClass(O.ClassName);
  std::unique_ptr<TChartSeries> Default(C && C->Create ? C->Create() : nullptr);
  O.Properties = WriteTable(SeriesTable(), Series, Default.get());
  for (TChartStreamProperty& P : WriteTable(SeriesKindTable(Series), Series, Default.get()))
    O.Properties.push_back(std::move(P));
  if (!Series.DataSources().empty()) {
    QStringList Names;
    for (const TChartSeries* S : Series.DataSources()) Names.append(S->Name());
    std::vector<TChartStreamValue> Items;
    for (const QString& N : Names) Items.push_back(TStreamValue::OfString(N));
    O.Properties.push_back({QStringLiteral("DataSources"), TStreamValue::OfList(Items)});
  }
  if (const TChartFunction* F = Series.Function()) {
    TChartStreamObject FO;
    FO.ClassName = F->ClassName();
    const std::unique_ptr<TChartFunction> FD = F->NewInstance();
    FO.Properties = WriteTable(FunctionTable(), *F, FD.get());
    O.Children.push_back(std::move(FO));
  }
  return O;
}

QStringList ReadSeriesObject(TChartSeries& Series, const TChartStreamObject& Object) {
  const QString Owner = Object.Name.isEmpty() ? Object.ClassName : Object.Name;
  QStringList Sources;
  Series.SetName(Object.Name);
  for (const TChartStreamProperty& P : Object.Properties) {
    if (P.Name == QLatin1String("DataSources"))
      Sources = ExpectNames(P, Owner);
    else if (Takes(SeriesKindTable(Series), Series, P))
      ReadTable(SeriesKindTable(Series), Series, P, Owner);
    else
      ReadTable(SeriesTable(), Series, P, Owner);
  }
  if (Object.Children.size() > 1)
    Refuse(QStringLiteral("Series %1 has more than one function").arg(Owner));
  if (!Object.Children.empty()) {
    const TChartStreamObject& FO = Object.Children.front();
    std::unique_ptr<TChartFunction> F = CreateChartFunctionByName(FO.ClassName);
    if (!F) Refuse(QStringLiteral("Unknown function class %1").arg(FO.ClassName));
    for (const TChartStreamProperty& P : FO.Properties)
      ReadTable(FunctionTable(), *F, P, FO.ClassName);
    Series.SetFunction(std::move(F));
  }
  return Sources;
}

TChartStreamObject ChartComponent(const TCustomAxisPanel& Chart) {
  TChartStreamObject Root;
  Root.ClassName = QString::fromLatin1(Chart.metaObject()->className());
  Root.Name = Chart.Name();
  const TChart New;
  Root.Properties = WriteTable(PanelTable(), Chart, static_cast<const TCustomAxisPanel*>(&New));
  if (const auto* C = qobject_cast<const TCustomChart*>(&Chart))
    for (TChartStreamProperty& P :
         WriteTable(ChartPartsTable(), *C, static_cast<const TCustomChart*>(&New)))
      Root.Properties.push_back(std::move(P));
  for (int i = 0; i < 5; ++i)
    for (TChartStreamProperty& P : WriteAxisProperties(*Chart.Axes()[size_t(i)])) {
      P.Name = AxisNames[i] + QLatin1Char('.') + P.Name;
      Root.Properties.push_back(std::move(P));
    }
  for (int i = 0; i < Chart.SeriesCount(); ++i)
    Root.Children.push_back(WriteSeriesObject(*Chart.GetSeries(i)));
  return Root;
}

QByteArray WriteChartComponents(const TCustomAxisPanel& Chart) {
  return EncodeChartStream(ChartComponent(Chart));
}

std::vector<std::unique_ptr<TChartSeries>> ReadChartComponents(TCustomAxisPanel& Chart,
                                                               const QByteArray& Data) {
  const TChartStreamObject Root = DecodeChartStream(Data);
  // What the chart had, to put back when anything in the stream is refused.
  auto* Parts = qobject_cast<TCustomChart*>(&Chart);
  const std::vector<TChartStreamValue> SavedPanel = Snapshot(PanelTable(), Chart);
  const std::vector<TChartStreamValue> SavedParts =
      Parts ? Snapshot(ChartPartsTable(), *Parts) : std::vector<TChartStreamValue>();
  std::vector<std::unique_ptr<TChartAxis>> SavedAxes;
  for (const TChartAxis* A : Chart.Axes()) {
    SavedAxes.push_back(
        std::make_unique<TChartAxis>(nullptr, A->Horizontal(), A->OtherSide(), A->IsDepthAxis()));
    SavedAxes.back()->Assign(*A);
  }
  std::vector<std::unique_ptr<TChartSeries>> Created;
  try {
    const QString Owner = QStringLiteral("the chart");
    std::vector<TChartStreamProperty> AxisProperties[5];
    for (const TChartStreamProperty& Q : Root.Properties) {
      const qsizetype Dot = Q.Name.indexOf(QLatin1Char('.'));
      int I = 0;
      while (I < 5 && (Dot < 0 || AxisNames[I] != Q.Name.left(Dot))) ++I;
      if (I < 5)
        AxisProperties[I].push_back({Q.Name.mid(Dot + 1), Q.Value});
      else if (Parts && HasProp(ChartPartsTable(), Q.Name))
        ReadTable(ChartPartsTable(), *Parts, Q, Owner);
      else
        ReadTable(PanelTable(), Chart, Q, Owner);
    }
    for (int I = 0; I < 5; ++I) ReadAxisProperties(*Chart.Axes()[size_t(I)], AxisProperties[I]);
    const std::vector<TChartStreamObject>& SeriesObjects = Root.Children;
    std::vector<QStringList> Sources;
    for (const TChartStreamObject& O : SeriesObjects) {
      const TChartSeriesClass* C = FindSeriesClass(O.ClassName);
      if (!C || !C->Create) Refuse(QStringLiteral("Unknown series class %1").arg(O.ClassName));
      if (!O.Name.isEmpty())
        for (const auto& S : Created)
          if (S->Name() == O.Name) Refuse(QStringLiteral("Two series are named %1").arg(O.Name));
      Created.emplace_back(C->Create());
      Sources.push_back(ReadSeriesObject(*Created.back(), O));
      Created.back()->SetParentChart(&Chart);
    }
    // The sources are bound once every series exists, by name: among the series read, then
    // among those the chart had.
    auto Named = [&](const QString& Name) -> TChartSeries* {
      if (Name.isEmpty()) return nullptr;
      for (const auto& S : Created)
        if (S->Name() == Name) return S.get();
      for (int k = 0; k < Chart.SeriesCount(); ++k)
        if (Chart.GetSeries(k)->Name() == Name) return Chart.GetSeries(k);
      return nullptr;
    };
    for (size_t i = 0; i < Created.size(); ++i) {
      std::vector<TChartSeries*> List;
      for (const QString& Name : Sources[i]) {
        TChartSeries* Found = Named(Name);
        if (!Found) Refuse(QStringLiteral("Unknown data source %1").arg(Name));
        List.push_back(Found);
      }
      if (!List.empty()) Created[i]->Loaded(List);
    }
  } catch (...) {
    Created.clear();
    for (size_t i = 0; i < SavedAxes.size(); ++i) Chart.Axes()[i]->Assign(*SavedAxes[i]);
    Restore(PanelTable(), Chart, SavedPanel);
    if (Parts) Restore(ChartPartsTable(), *Parts, SavedParts);
    throw;
  }
  return Created;
}
