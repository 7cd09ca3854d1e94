#pragma once
// The property tables through which the chart's parts are written to and read from a stream:
// each entry names a property, reads and sets it, and says when it is stored. Shared by the
// chart's writer and the tables of the series kinds.
#include <climits>
#include <functional>
#include <type_traits>
#include <vector>

#include <QString>
#include <QStringList>

#include "chart/engine/chart_exceptions.h"
#include "chart/engine/chart_panel.h"
#include "chart/engine/chart_parts.h"
#include "chart/engine/chart_pen.h"
#include "chart/engine/chart_stream.h"

class TChartValueList;

namespace ChartStreamProps {
[[noreturn]] inline void Refuse(const QString& What) { throw ChartException(What.toStdString()); }

// Values in and out of the stream's typed form; the kind is checked before a setter sees one.
inline TChartStreamValue ToValue(bool V) { return TStreamValue::OfBool(V); }
inline TChartStreamValue ToValue(int V) { return TStreamValue::OfInt(V); }
inline TChartStreamValue ToValue(double V) { return TStreamValue::OfFloat(V); }
inline TChartStreamValue ToValue(const QString& V) { return TStreamValue::OfString(V); }
// Colours with a name are written by it, as an identifier.
inline TChartStreamValue ColorValue(TColor C) {
  const QString N = ColorToIdent(C);
  return N.isEmpty() ? TStreamValue::OfInt(C) : TStreamValue::OfIdent(N);
}
inline TColor AsColor(const TChartStreamValue& V) {
  TColor C = TColor(V.Int);
  if (V.Kind == skIdent && !IdentToColor(V.Text, C))
    Refuse(QStringLiteral("Unknown colour %1").arg(V.Text));
  return C;
}
inline int AsInt(const TChartStreamValue& V) { return int(V.Int); }

inline const char* const FontStyleNames[] = {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};

inline TChartStreamValue FontStyleValue(TFontStyles Style) {
  QStringList Names;
  for (int i = 0; i < 4; ++i)
    if (Style.Contains(TFontStyle(i))) Names.append(QLatin1String(FontStyleNames[i]));
  return TStreamValue::OfSet(Names);
}
inline TFontStyles AsFontStyle(const TChartStreamValue& V) {
  TFontStyles R;
  for (const QString& N : V.Names) {
    int i = 0;
    while (i < 4 && N != QLatin1String(FontStyleNames[i])) ++i;
    if (i == 4) Refuse(QStringLiteral("Invalid value %1 of Font.Style").arg(N));
    R << TFontStyle(i);
  }
  return R;
}

template <class V>
V FromValue(const TChartStreamValue& X);
template <>
inline bool FromValue<bool>(const TChartStreamValue& X) {
  return X.Bool;
}
template <>
inline int FromValue<int>(const TChartStreamValue& X) {
  return int(X.Int);
}
template <>
inline double FromValue<double>(const TChartStreamValue& X) {
  return X.Float;
}
template <>
inline QString FromValue<QString>(const TChartStreamValue& X) {
  return X.Text;
}

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
  // Colours come as numbers or as identifiers.
  bool IsColor = false;
};

template <class T>
using TPropTable = std::vector<TPropDef<T>>;

// T may be a class derived from the one that declares the accessors.
template <class T, class B, class G, class S>
TPropDef<T> BaseProp(const char* Name, G (B::*Get)() const, void (B::*Set)(S), int Min = INT32_MIN,
                     int Max = INT32_MAX) {
  using V = std::decay_t<S>;
  return {QString::fromLatin1(Name),
          [Get](const T& O) { return ToValue(V((O.*Get)())); },
          [Set](T& O, const TChartStreamValue& X) { (O.*Set)(FromValue<V>(X)); },
          nullptr,
          Min,
          Max};
}

template <class T, class G, class S>
TPropDef<T> Prop(const char* Name, G (T::*Get)() const, void (T::*Set)(S), int Min = INT32_MIN,
                 int Max = INT32_MAX) {
  return BaseProp<T>(Name, Get, Set, Min, Max);
}

// Enumerations are stored by the names of their values.
template <class T, class E>
TPropDef<T> EnumProp(const char* Name, std::function<E(const T&)> Get,
                     std::function<void(T&, E)> Set, QStringList Names) {
  const QString N = QString::fromLatin1(Name);
  return {N,
          [Get, Names](const T& O) {
            const int I = int(Get(O));
            return TStreamValue::OfIdent(I >= 0 && I < Names.size() ? Names[I] : QString());
          },
          [Set, Names, N](T& O, const TChartStreamValue& X) {
            const int I = int(Names.indexOf(X.Text));
            if (I < 0) Refuse(QStringLiteral("Invalid value %1 of %2").arg(X.Text, N));
            Set(O, E(I));
          },
          nullptr};
}

// The properties of a sub-object (pen, font, value list) under a prefix, reached from the owner;
// with no prefix, those of the owner seen as another class (a series as its own kind).
template <class T, class Sub>
void AddSub(TPropTable<T>& Table, const QString& Prefix, std::function<Sub*(const T&)> Reach,
            const TPropTable<Sub>& SubTable) {
  for (const TPropDef<Sub>& D : SubTable) {
    TPropDef<T> P;
    P.Name = Prefix.isEmpty() ? D.Name : Prefix + QLatin1Char('.') + D.Name;
    P.Get = [Reach, G = D.Get](const T& O) { return G(*Reach(O)); };
    P.Set = [Reach, S = D.Set](T& O, const TChartStreamValue& X) { S(*Reach(O), X); };
    if (D.Stored) P.Stored = [Reach, St = D.Stored](const T& O) { return St(*Reach(O)); };
    P.Min = D.Min;
    P.Max = D.Max;
    P.IsColor = D.IsColor;
    Table.push_back(std::move(P));
  }
}

inline const QStringList PenStyleNames = {"psSolid",      "psDash",  "psDot",        "psDashDot",
                                          "psDashDotDot", "psClear", "psInsideFrame"};

inline const TPropTable<TChartPen>& PenTable() {
  static const TPropTable<TChartPen> T = [] {
    TPropTable<TChartPen> R;
    R.push_back({"Color", [](const TChartPen& P) { return ColorValue(P.Color()); },
                 [](TChartPen& P, const TChartStreamValue& V) { P.SetColor(AsColor(V)); },
                 nullptr});
    R.back().IsColor = true;
    R.push_back({"Width", [](const TChartPen& P) { return ToValue(P.Width()); },
                 [](TChartPen& P, const TChartStreamValue& V) { P.SetWidth(AsInt(V)); }, nullptr, 0,
                 100});
    R.push_back(EnumProp<TChartPen, TPenStyle>(
        "Style", [](const TChartPen& P) { return P.Style(); },
        [](TChartPen& P, TPenStyle S) { P.SetStyle(S); }, PenStyleNames));
    R.push_back(Prop("Visible", &TChartPen::Visible, &TChartPen::SetVisible));
    R.push_back(Prop("SmallDots", &TChartPen::SmallDots, &TChartPen::SetSmallDots));
    return R;
  }();
  return T;
}

template <class T>
TPropDef<T> ColorProp(const char* Name, std::function<TColor(const T&)> Get,
                      std::function<void(T&, TColor)> Set) {
  TPropDef<T> P{QString::fromLatin1(Name), [Get](const T& O) { return ColorValue(Get(O)); },
                [Set](T& O, const TChartStreamValue& V) { Set(O, AsColor(V)); }, nullptr};
  P.IsColor = true;
  return P;
}

inline const QStringList BrushStyleNames = {"bsSolid",    "bsClear",     "bsHorizontal",
                                            "bsVertical", "bsFDiagonal", "bsBDiagonal",
                                            "bsCross",    "bsDiagCross"};

// The brush's picture has no stored form; only its colour and style are kept.
inline const TPropTable<TBrush>& BrushTable() {
  static const TPropTable<TBrush> T = [] {
    TPropTable<TBrush> R;
    // Through the brush data: SetColor would make a clear brush solid, and the style read after
    // it (or left at its default) must win.
    R.push_back(ColorProp<TBrush>(
        "Color", [](const TBrush& B) { return B.Color(); },
        [](TBrush& B, TColor C) {
          TBrushData D = B.Data();
          D.Color = C;
          B.SetData(D);
        }));
    R.push_back(EnumProp<TBrush, TBrushStyle>(
        "Style", [](const TBrush& B) { return B.Style(); },
        [](TBrush& B, TBrushStyle S) { B.SetStyle(S); }, BrushStyleNames));
    return R;
  }();
  return T;
}

// A font is stored whole, or not at all when it is the chart's default.
inline const TPropTable<TFont>& FontTable() {
  static const TPropTable<TFont> T = [] {
    TPropTable<TFont> R;
    auto Stored = [](const TFont& F) { return !IsChartDefaultFont(F); };
    R.push_back({"Name", [](const TFont& F) { return ToValue(F.Name()); },
                 [](TFont& F, const TChartStreamValue& V) { F.SetName(V.Text); }, Stored});
    R.push_back({"Size", [](const TFont& F) { return ToValue(F.Size()); },
                 [](TFont& F, const TChartStreamValue& V) { F.SetSize(AsInt(V)); }, Stored, 1,
                 1000});
    R.push_back({"Color", [](const TFont& F) { return ColorValue(F.Color()); },
                 [](TFont& F, const TChartStreamValue& V) { F.SetColor(AsColor(V)); }, Stored});
    R.back().IsColor = true;
    R.push_back({"Style", [](const TFont& F) { return FontStyleValue(F.Style()); },
                 [](TFont& F, const TChartStreamValue& V) { F.SetStyle(AsFontStyle(V)); }, Stored,
                 0, 15});
    return R;
  }();
  return T;
}

// A part's font is stored whole when the part finds it differs from its own default.
template <class T>
void AddPartFont(TPropTable<T>& Table, const QString& Prefix,
                 std::function<const TChartFontObject*(const T&)> Part) {
  const size_t First = Table.size();
  AddSub<T, TFont>(
      Table, Prefix, [Part](const T& X) { return Part(X)->Font(); }, FontTable());
  for (size_t i = First; i < Table.size(); ++i)
    Table[i].Stored = [Part](const T& X) { return Part(X)->IsFontStored(); };
}

// The brush and the colour that the walls, titles and legend keep side by side.
template <class T>
void AddBrushAndColor(TPropTable<T>& Table) {
  AddSub<T, TBrush>(
      Table, "Brush", [](const T& X) -> TBrush* { return X.Brush(); }, BrushTable());
  Table.push_back(ColorProp<T>(
      "Color", [](const T& X) { return X.Color(); }, [](T& X, TColor C) { X.SetColor(C); }));
}

inline TChartStreamValue NamesValue(const QStringList& Names) {
  std::vector<TChartStreamValue> Items;
  for (const QString& N : Names) Items.push_back(TStreamValue::OfString(N));
  return TStreamValue::OfList(std::move(Items));
}

inline QStringList AsNames(const TChartStreamValue& V, const QString& Name) {
  QStringList R;
  for (const TChartStreamValue& I : V.Items) {
    if (I.Kind != skString)
      Refuse(QStringLiteral("Property %1 of the chart has the wrong kind of value").arg(Name));
    R.append(I.Text);
  }
  return R;
}

// The series' value lists (a list of a series kind is stored like XValues and YValues).
const TPropTable<TChartValueList>& ValueListTable();

// The properties that the series' own kind publishes beside those of every series; empty for a
// kind that adds none.
const TPropTable<TChartSeries>& SeriesKindTable(const TChartSeries& Series);
}  // namespace ChartStreamProps
