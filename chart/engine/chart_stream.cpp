#include "chart/engine/chart_stream.h"

#include <climits>
#include <cmath>
#include <cstring>
#include <functional>
#include <string>

#include "chart/engine/axis_panel.h"
#include "chart/engine/chart_exceptions.h"
#include "chart/engine/chart_function.h"
#include "chart/engine/chart_series.h"
#include "chart/engine/series_types.h"

const TChartStreamProperty* TChartStreamObject::Find(const QString& PropertyName) const {
  for (const TChartStreamProperty& P : Properties)
    if (P.Name == PropertyName) return &P;
  return nullptr;
}

namespace {
constexpr char Signature[4] = {'N', 'X', 'C', 'S'};
constexpr quint16 Version = 1;
enum TTag : quint8 { tgFalse = 0, tgTrue = 1, tgInt = 2, tgDouble = 3, tgText = 4, tgList = 5 };

[[noreturn]] void Invalid(const std::string& What) {
  throw ChartException("Invalid chart stream: " + What);
}

[[noreturn]] void Refuse(const QString& What) { throw ChartException(What.toStdString()); }

// --- the byte layout: little-endian integers, IEEE doubles, UTF-8 texts with a length ---------

class TEncoder {
 public:
  QByteArray Data;
  void U8(quint8 V) { Data.append(char(V)); }
  void U32(quint32 V) {
    for (int i = 0; i < 4; ++i) U8(quint8(V >> (8 * i)));
  }
  void F64(double V) {
    quint64 Bits;
    std::memcpy(&Bits, &V, sizeof Bits);
    for (int i = 0; i < 8; ++i) U8(quint8(Bits >> (8 * i)));
  }
  void Text(const QString& S) {
    const QByteArray B = S.toUtf8();
    U32(quint32(B.size()));
    Data.append(B);
  }
  void Value(const TChartStreamValue& V) {
    if (const bool* B = std::get_if<bool>(&V)) {
      U8(*B ? tgTrue : tgFalse);
    } else if (const int* I = std::get_if<int>(&V)) {
      U8(tgInt);
      U32(quint32(*I));
    } else if (const double* D = std::get_if<double>(&V)) {
      U8(tgDouble);
      F64(*D);
    } else if (const QString* S = std::get_if<QString>(&V)) {
      U8(tgText);
      Text(*S);
    } else {
      const QStringList& L = std::get<QStringList>(V);
      U8(tgList);
      U32(quint32(L.size()));
      for (const QString& S : L) Text(S);
    }
  }
  void Object(const TChartStreamObject& O) {
    Text(O.ClassName);
    Text(O.Name);
    U32(quint32(O.Properties.size()));
    for (const TChartStreamProperty& P : O.Properties) {
      Text(P.Name);
      Value(P.Value);
    }
    U32(quint32(O.Children.size()));
    for (const TChartStreamObject& C : O.Children) Object(C);
  }
};

class TDecoder {
 public:
  explicit TDecoder(const QByteArray& D) : Data(D) {}
  const QByteArray& Data;
  qsizetype Pos = 0;

  void Need(qsizetype N) {
    if (N < 0 || Data.size() - Pos < N) Invalid("it ends too early");
  }
  quint8 U8() {
    Need(1);
    return quint8(Data[Pos++]);
  }
  quint32 U32() {
    quint32 V = 0;
    for (int i = 0; i < 4; ++i) V |= quint32(U8()) << (8 * i);
    return V;
  }
  double F64() {
    quint64 Bits = 0;
    for (int i = 0; i < 8; ++i) Bits |= quint64(U8()) << (8 * i);
    double V;
    std::memcpy(&V, &Bits, sizeof V);
    if (!std::isfinite(V)) Invalid("a number is not finite");
    return V;
  }
  // A count of items that each take at least one byte: never more than the stream can hold.
  int Count() {
    const quint32 N = U32();
    if (N > quint32(MaxStreamItems)) Invalid("too many items");
    Need(qsizetype(N));
    return int(N);
  }
  QString Text() {
    const quint32 N = U32();
    if (N > quint32(MaxStreamText)) Invalid("a text is too long");
    Need(qsizetype(N));
    const QString S = QString::fromUtf8(Data.constData() + Pos, qsizetype(N));
    Pos += qsizetype(N);
    return S;
  }
  TChartStreamValue Value() {
    switch (U8()) {
      case tgFalse:
        return false;
      case tgTrue:
        return true;
      case tgInt:
        return int(qint32(U32()));
      case tgDouble:
        return F64();
      case tgText:
        return Text();
      case tgList: {
        const int N = Count();
        QStringList L;
        for (int i = 0; i < N; ++i) L.append(Text());
        return L;
      }
      default:
        Invalid("unknown kind of value");
    }
  }
  TChartStreamObject Object(int Depth) {
    if (Depth > MaxStreamDepth) Invalid("objects nested too deep");
    TChartStreamObject O;
    O.ClassName = Text();
    O.Name = Text();
    const int NP = Count();
    for (int i = 0; i < NP; ++i) {
      TChartStreamProperty P;
      P.Name = Text();
      P.Value = Value();
      O.Properties.push_back(std::move(P));
    }
    const int NC = Count();
    for (int i = 0; i < NC; ++i) O.Children.push_back(Object(Depth + 1));
    return O;
  }
};

// --- property tables -------------------------------------------------------------------------

template <class T>
struct TPropDef {
  QString Name;
  std::function<TChartStreamValue(const T&)> Get;
  std::function<void(T&, const TChartStreamValue&)> Set;
  // Null: stored when it differs from a new object of the kind.
  std::function<bool(const T&)> Stored;
  // Integers outside this range are refused.
  int Min = INT32_MIN, Max = INT32_MAX;
};

template <class T>
using TPropTable = std::vector<TPropDef<T>>;

template <class T, class G, class S>
TPropDef<T> Prop(const char* Name, G (T::*Get)() const, void (T::*Set)(S), int Min = INT32_MIN,
                 int Max = INT32_MAX) {
  using V = std::decay_t<S>;
  return {QString::fromLatin1(Name),
          [Get](const T& O) { return TChartStreamValue(V((O.*Get)())); },
          [Set](T& O, const TChartStreamValue& X) { (O.*Set)(std::get<V>(X)); },
          nullptr,
          Min,
          Max};
}

// Enumerations are stored by the names of their values.
template <class T, class E>
TPropDef<T> EnumProp(const char* Name, std::function<E(const T&)> Get,
                     std::function<void(T&, E)> Set, QStringList Names) {
  const QString N = QString::fromLatin1(Name);
  return {N,
          [Get, Names](const T& O) {
            const int I = int(Get(O));
            return TChartStreamValue(I >= 0 && I < Names.size() ? Names[I] : QString());
          },
          [Set, Names, N](T& O, const TChartStreamValue& X) {
            const int I = int(Names.indexOf(std::get<QString>(X)));
            if (I < 0)
              Refuse(QStringLiteral("Invalid value %1 of %2").arg(std::get<QString>(X), N));
            Set(O, E(I));
          },
          nullptr};
}

// The properties of a sub-object (pen, font, value list) under a prefix, reached from the owner.
template <class T, class Sub>
void AddSub(TPropTable<T>& Table, const QString& Prefix, std::function<Sub*(const T&)> Reach,
            const TPropTable<Sub>& SubTable) {
  for (const TPropDef<Sub>& D : SubTable) {
    TPropDef<T> P;
    P.Name = Prefix + QLatin1Char('.') + D.Name;
    P.Get = [Reach, G = D.Get](const T& O) { return G(*Reach(O)); };
    P.Set = [Reach, S = D.Set](T& O, const TChartStreamValue& X) { S(*Reach(O), X); };
    if (D.Stored) P.Stored = [Reach, St = D.Stored](const T& O) { return St(*Reach(O)); };
    P.Min = D.Min;
    P.Max = D.Max;
    Table.push_back(std::move(P));
  }
}

const QStringList PenStyleNames = {"psSolid",      "psDash",  "psDot",        "psDashDot",
                                   "psDashDotDot", "psClear", "psInsideFrame"};

const TPropTable<TChartPen>& PenTable() {
  static const TPropTable<TChartPen> T = [] {
    TPropTable<TChartPen> R;
    R.push_back({"Color", [](const TChartPen& P) { return TChartStreamValue(int(P.Color())); },
                 [](TChartPen& P, const TChartStreamValue& V) { P.SetColor(std::get<int>(V)); },
                 nullptr});
    R.push_back({"Width", [](const TChartPen& P) { return TChartStreamValue(P.Width()); },
                 [](TChartPen& P, const TChartStreamValue& V) { P.SetWidth(std::get<int>(V)); },
                 nullptr, 0, 100});
    R.push_back(EnumProp<TChartPen, TPenStyle>(
        "Style", [](const TChartPen& P) { return P.Style(); },
        [](TChartPen& P, TPenStyle S) { P.SetStyle(S); }, PenStyleNames));
    R.push_back(Prop("Visible", &TChartPen::Visible, &TChartPen::SetVisible));
    R.push_back(Prop("SmallDots", &TChartPen::SmallDots, &TChartPen::SetSmallDots));
    return R;
  }();
  return T;
}

// A font is stored whole, or not at all when it is the chart's default.
const TPropTable<TFont>& FontTable() {
  static const TPropTable<TFont> T = [] {
    TPropTable<TFont> R;
    auto Stored = [](const TFont& F) { return !IsChartDefaultFont(F); };
    R.push_back({"Name", [](const TFont& F) { return TChartStreamValue(F.Name()); },
                 [](TFont& F, const TChartStreamValue& V) { F.SetName(std::get<QString>(V)); },
                 Stored});
    R.push_back({"Size", [](const TFont& F) { return TChartStreamValue(F.Size()); },
                 [](TFont& F, const TChartStreamValue& V) { F.SetSize(std::get<int>(V)); }, Stored,
                 1, 1000});
    R.push_back({"Color", [](const TFont& F) { return TChartStreamValue(int(F.Color())); },
                 [](TFont& F, const TChartStreamValue& V) { F.SetColor(std::get<int>(V)); },
                 Stored});
    R.push_back({"Style", [](const TFont& F) { return TChartStreamValue(int(F.Style().ToByte())); },
                 [](TFont& F, const TChartStreamValue& V) {
                   F.SetStyle(TFontStyles::FromByte(std::uint8_t(std::get<int>(V))));
                 },
                 Stored, 0, 15});
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
    R.push_back({"Title.Caption", [](const A& X) { return TChartStreamValue(X.TitleCaption()); },
                 [](A& X, const TChartStreamValue& V) { X.SetTitleCaption(std::get<QString>(V)); },
                 nullptr});
    R.push_back({"Title.Angle", [](const A& X) { return TChartStreamValue(X.Title()->Angle()); },
                 [](A& X, const TChartStreamValue& V) { X.Title()->SetAngle(std::get<int>(V)); },
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

const TPropTable<TChartValueList>& ValueListTable() {
  static const TPropTable<TChartValueList> T = [] {
    using L = TChartValueList;
    TPropTable<L> R;
    R.push_back({"Name", [](const L& X) { return TChartStreamValue(X.Name()); },
                 [](L& X, const TChartStreamValue& V) { X.SetName(std::get<QString>(V)); },
                 nullptr});
    R.push_back(EnumProp<L, TChartListOrder>(
        "Order", [](const L& X) { return X.Order(); },
        [](L& X, TChartListOrder O) { X.SetOrder(O); }, {"loNone", "loAscending", "loDescending"}));
    R.push_back(Prop("DateTime", &L::DateTime, &L::SetDateTime));
    R.push_back(Prop("Multiplier", &L::Multiplier, &L::SetMultiplier));
    return R;
  }();
  return T;
}

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
    R.push_back({"SeriesColor", [](const S& X) { return TChartStreamValue(int(X.SeriesColor())); },
                 [](S& X, const TChartStreamValue& V) { X.SetSeriesColor(std::get<int>(V)); },
                 nullptr});
    R.push_back(Prop("ShowInLegend", &S::ShowInLegend, &S::SetShowInLegend));
    R.push_back(Prop("Title", &S::Title, &S::SetTitle));
    R.push_back(Prop("ValueFormat", &S::ValueFormat, &S::SetValueFormat));
    R.push_back(Prop("ZOrder", &S::ZOrder, &S::SetZOrder, -1, 10000));
    // The value lists are reached through the owner's non-const access.
    AddSub<S, TChartValueList>(
        R, "XValues", [](const S& X) { return const_cast<S&>(X).XValues(); }, ValueListTable());
    AddSub<S, TChartValueList>(
        R, "YValues", [](const S& X) { return const_cast<S&>(X).YValues(); }, ValueListTable());
    R.push_back({"Marks.Visible",
                 [](const S& X) { return TChartStreamValue(X.Marks()->Visible()); },
                 [](S& X, const TChartStreamValue& V) { X.Marks()->SetVisible(std::get<bool>(V)); },
                 nullptr});
    R.push_back(EnumProp<S, TSeriesMarksStyle>(
        "Marks.Style", [](const S& X) { return X.Marks()->Style(); },
        [](S& X, TSeriesMarksStyle M) { X.Marks()->SetStyle(M); },
        {"smsValue", "smsPercent", "smsLabel", "smsLabelPercent", "smsLabelValue", "smsLegend",
         "smsPercentTotal", "smsLabelPercentTotal", "smsXValue"}));
    R.push_back(
        {"Marks.ArrowLength",
         [](const S& X) { return TChartStreamValue(X.Marks()->ArrowLength()); },
         [](S& X, const TChartStreamValue& V) { X.Marks()->SetArrowLength(std::get<int>(V)); },
         nullptr, -10000, 10000});
    R.push_back({"Marks.Clip", [](const S& X) { return TChartStreamValue(X.Marks()->Clip()); },
                 [](S& X, const TChartStreamValue& V) { X.Marks()->SetClip(std::get<bool>(V)); },
                 nullptr});
    R.push_back(
        {"Marks.Transparent",
         [](const S& X) { return TChartStreamValue(X.Marks()->Transparent()); },
         [](S& X, const TChartStreamValue& V) { X.Marks()->SetTransparent(std::get<bool>(V)); },
         nullptr});
    R.push_back(
        {"Marks.BackColor",
         [](const S& X) { return TChartStreamValue(int(X.Marks()->BackColor())); },
         [](S& X, const TChartStreamValue& V) { X.Marks()->SetBackColor(std::get<int>(V)); },
         nullptr});
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
    if (P.Value.index() != D.Get(Object).index())
      Refuse(QStringLiteral("Property %1 of %2 has the wrong kind of value").arg(P.Name, Owner));
    if (const int* I = std::get_if<int>(&P.Value); I && (*I < D.Min || *I > D.Max))
      Refuse(QStringLiteral("Invalid value %1 of %2").arg(*I).arg(P.Name));
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

// The panel's own settings; each written always (there is no panel of defaults to compare with).
struct TPanelSettings {
  bool AxisVisible, ClipPoints, View3DWalls, ScaleLastPage;
  int MaxPointsPerPage;
  explicit TPanelSettings(const TCustomAxisPanel& C)
      : AxisVisible(C.AxisVisible()),
        ClipPoints(C.ClipPoints()),
        View3DWalls(C.View3DWalls()),
        ScaleLastPage(C.ScaleLastPage()),
        MaxPointsPerPage(C.MaxPointsPerPage()) {}
  void ApplyTo(TCustomAxisPanel& C) const {
    C.SetAxisVisible(AxisVisible);
    C.SetClipPoints(ClipPoints);
    C.SetView3DWalls(View3DWalls);
    C.SetScaleLastPage(ScaleLastPage);
    C.SetMaxPointsPerPage(MaxPointsPerPage);
  }
};

template <class V>
V Expect(const TChartStreamProperty& P, const QString& Owner) {
  if (const V* X = std::get_if<V>(&P.Value)) return *X;
  Refuse(QStringLiteral("Property %1 of %2 has the wrong kind of value").arg(P.Name, Owner));
}
}  // namespace

QByteArray EncodeChartStream(const TChartStreamObject& Root) {
  TEncoder E;
  E.Data.append(Signature, 4);
  E.U8(quint8(Version & 0xFF));
  E.U8(quint8(Version >> 8));
  E.Object(Root);
  return E.Data;
}

TChartStreamObject DecodeChartStream(const QByteArray& Data) {
  TDecoder D(Data);
  D.Need(6);
  if (std::memcmp(Data.constData(), Signature, 4) != 0) Invalid("no chart stream signature");
  D.Pos = 4;
  const quint16 V = quint16(D.U8() | (D.U8() << 8));
  if (V != Version) Invalid("unknown version " + std::to_string(V));
  TChartStreamObject Root = D.Object(0);
  if (D.Pos != Data.size()) Invalid("bytes after the end");
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
  Axis.SetLoading(Was);
  // The ends were read apart; together they must still be in order.
  if (Axis.Minimum() > Axis.Maximum()) throw AxisException(AxisMessages::Minimum);
}

TChartStreamObject WriteSeriesObject(const TChartSeries& Series) {
  TChartStreamObject O;
  O.ClassName = Series.ClassName();
  O.Name = Series.Name();
  const TChartSeriesClass* C = FindSeriesClass(O.ClassName);
  std::unique_ptr<TChartSeries> Default(C && C->Create ? C->Create() : nullptr);
  O.Properties = WriteTable(SeriesTable(), Series, Default.get());
  if (!Series.DataSources().empty()) {
    QStringList Names;
    for (const TChartSeries* S : Series.DataSources()) Names.append(S->Name());
    O.Properties.push_back({QStringLiteral("DataSources"), Names});
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
      Sources = Expect<QStringList>(P, Owner);
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

QByteArray WriteChartComponents(const TCustomAxisPanel& Chart) {
  TChartStreamObject Root;
  Root.ClassName = QString::fromLatin1(Chart.metaObject()->className());
  Root.Name = Chart.Name();
  const TPanelSettings P(Chart);
  Root.Properties = {{"AxisVisible", P.AxisVisible},
                     {"ClipPoints", P.ClipPoints},
                     {"View3DWalls", P.View3DWalls},
                     {"ScaleLastPage", P.ScaleLastPage},
                     {"MaxPointsPerPage", P.MaxPointsPerPage}};
  for (int i = 0; i < 5; ++i) {
    const TChartAxis* A = Chart.Axes()[size_t(i)];
    TChartStreamObject AO;
    AO.ClassName =
        A->IsDepthAxis() ? QStringLiteral("TChartDepthAxis") : QStringLiteral("TChartAxis");
    AO.Name = AxisNames[i];
    AO.Properties = WriteAxisProperties(*A);
    Root.Children.push_back(std::move(AO));
  }
  for (int i = 0; i < Chart.SeriesCount(); ++i)
    Root.Children.push_back(WriteSeriesObject(*Chart.GetSeries(i)));
  return EncodeChartStream(Root);
}

std::vector<std::unique_ptr<TChartSeries>> ReadChartComponents(TCustomAxisPanel& Chart,
                                                               const QByteArray& Data) {
  const TChartStreamObject Root = DecodeChartStream(Data);
  // What the chart had, to put back when anything in the stream is refused.
  const TPanelSettings Saved(Chart);
  std::vector<std::unique_ptr<TChartAxis>> SavedAxes;
  for (const TChartAxis* A : Chart.Axes()) {
    SavedAxes.push_back(
        std::make_unique<TChartAxis>(nullptr, A->Horizontal(), A->OtherSide(), A->IsDepthAxis()));
    SavedAxes.back()->Assign(*A);
  }
  std::vector<std::unique_ptr<TChartSeries>> Created;
  try {
    TPanelSettings P = Saved;
    const QString Owner = QStringLiteral("the chart");
    for (const TChartStreamProperty& Q : Root.Properties) {
      if (Q.Name == QLatin1String("AxisVisible"))
        P.AxisVisible = Expect<bool>(Q, Owner);
      else if (Q.Name == QLatin1String("ClipPoints"))
        P.ClipPoints = Expect<bool>(Q, Owner);
      else if (Q.Name == QLatin1String("View3DWalls"))
        P.View3DWalls = Expect<bool>(Q, Owner);
      else if (Q.Name == QLatin1String("ScaleLastPage"))
        P.ScaleLastPage = Expect<bool>(Q, Owner);
      else if (Q.Name == QLatin1String("MaxPointsPerPage"))
        P.MaxPointsPerPage = Expect<int>(Q, Owner);
      else
        Refuse(QStringLiteral("Unknown property %1 of %2").arg(Q.Name, Owner));
    }
    P.ApplyTo(Chart);
    std::vector<const TChartStreamObject*> SeriesObjects;
    for (const TChartStreamObject& C : Root.Children) {
      if (C.ClassName == QLatin1String("TChartAxis") ||
          C.ClassName == QLatin1String("TChartDepthAxis")) {
        int I = 0;
        while (I < 5 && AxisNames[I] != C.Name) ++I;
        if (I == 5 || (I == 4) != (C.ClassName == QLatin1String("TChartDepthAxis")))
          Refuse(QStringLiteral("Unknown axis %1").arg(C.Name));
        if (!C.Children.empty()) Refuse(QStringLiteral("Axis %1 holds objects").arg(C.Name));
        ReadAxisProperties(*Chart.Axes()[size_t(I)], C.Properties);
        continue;
      }
      SeriesObjects.push_back(&C);
    }
    std::vector<QStringList> Sources;
    for (const TChartStreamObject* O : SeriesObjects) {
      const TChartSeriesClass* C = FindSeriesClass(O->ClassName);
      if (!C || !C->Create) Refuse(QStringLiteral("Unknown series class %1").arg(O->ClassName));
      if (!O->Name.isEmpty())
        for (const auto& S : Created)
          if (S->Name() == O->Name) Refuse(QStringLiteral("Two series are named %1").arg(O->Name));
      Created.emplace_back(C->Create());
      Sources.push_back(ReadSeriesObject(*Created.back(), *O));
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
    Saved.ApplyTo(Chart);
    throw;
  }
  return Created;
}
