// The plot's look in its settings file: one section per plot, every key in a fixed order. Saving
// and loading walk the same list, so the two can never disagree about a key or its place.
#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/dialogs.h"
#include "platform/text_file.h"
#include "plot/core/graph_mem_ini_file.h"
#include "plot/ui/plot.h"

namespace {
// Counts read from the file are capped, so that a hostile file cannot make the plot allocate
// or loop without end.
constexpr int MaxAxisLabels = 1000;
constexpr int MaxFontSize = 500;

// One key after the other: writes the current value, or reads the key with the current value as
// its default and hands what it read (held to its range) to the setter.
class TSettingsWalk {
 public:
  TSettingsWalk(TGraphMemIniFile& Ini, const QString& Section, bool Saving)
      : FIni(Ini), FSection(Section), FSaving(Saving) {}
  bool Saving() const { return FSaving; }

  template <class F>
  void Str(const QString& Key, const QString& Current, F Set) {
    if (FSaving)
      FIni.WriteString(FSection, Key, Current);
    else
      Set(FIni.ReadString(FSection, Key, Current));
  }

  template <class F>
  void Int(const QString& Key, int Current, F Set, int Lo = std::numeric_limits<int>::min(),
           int Hi = std::numeric_limits<int>::max()) {
    if (FSaving)
      FIni.WriteInteger(FSection, Key, Current);
    else
      Set(std::clamp(FIni.ReadInteger(FSection, Key, Current), Lo, Hi));
  }

  // Colours are stored as signed integers.
  template <class F>
  void Color(const QString& Key, TColor Current, F Set) {
    Int(Key, static_cast<int>(Current), [&](int V) { Set(static_cast<TColor>(V)); });
  }

  template <class F>
  void Bool(const QString& Key, bool Current, F Set) {
    if (FSaving)
      FIni.WriteBool(FSection, Key, Current);
    else
      Set(FIni.ReadBool(FSection, Key, Current));
  }

  // A value that is not a number, or not a finite one, keeps the current value; one out of its
  // range is held to it.
  template <class F>
  void Float(const QString& Key, double Current, F Set, double Lo = -1e300, double Hi = 1e300) {
    if (FSaving) {
      FIni.WriteFloat(FSection, Key, Current);
      return;
    }
    double V = FIni.ReadFloat(FSection, Key, Current);
    if (!std::isfinite(V)) V = Current;
    Set(std::clamp(V, Lo, Hi));
  }

  // Name, size, colour, character set and style letters under Prefix + "Font_...".
  void Font(const QString& Prefix, TFont& Font) {
    Str(Prefix + QStringLiteral("Font_Name"), Font.Name(), [&](const QString& V) {
      if (!V.isEmpty()) Font.SetName(V);
    });
    Int(
        Prefix + QStringLiteral("Font_Size"), Font.Size(), [&](int V) { Font.SetSize(V); }, 1,
        MaxFontSize);
    Color(Prefix + QStringLiteral("Font_Color"), Font.Color(), [&](TColor V) { Font.SetColor(V); });
    Int(
        Prefix + QStringLiteral("Font_CharSet"), Font.Charset(), [&](int V) { Font.SetCharset(V); },
        0, 255);
    const QString Key = Prefix + QStringLiteral("Font_Style");
    if (FSaving) {
      QString S;
      const TFontStyles St = Font.Style();
      if (St.Contains(fsBold)) S += u'B';
      if (St.Contains(fsItalic)) S += u'I';
      if (St.Contains(fsUnderline)) S += u'U';
      if (St.Contains(fsStrikeOut)) S += u'S';
      FIni.WriteString(FSection, Key, S);
      return;
    }
    // "T" (the default) leaves the style alone.
    const QString S = FIni.ReadString(FSection, Key, QStringLiteral("T"));
    if (S == u"T") return;
    TFontStyles St;
    if (S.contains(u'B')) St << fsBold;
    if (S.contains(u'I')) St << fsItalic;
    if (S.contains(u'U')) St << fsUnderline;
    if (S.contains(u'S')) St << fsStrikeOut;
    Font.SetStyle(St);
  }

  TGraphMemIniFile& Ini() { return FIni; }
  const QString& Section() const { return FSection; }

 private:
  TGraphMemIniFile& FIni;
  QString FSection;
  bool FSaving;
};

template <class E>
auto Ord(E V) {
  return static_cast<int>(V);
}

void WalkAxis(TSettingsWalk& W, TPlotAxis& A) {
  const QString P = QStringLiteral("Plot_") + A.KeyName;
  TAxis& Ax = *A.Axis();
  W.Str(P + QStringLiteral("_Name"), A.GetName(), [&](const QString& V) { A.SetName(V); });
  // Saved as "no bound": the window sets its own bounds after loading.
  W.Float(P + QStringLiteral("_Minimum"), W.Saving() ? MissingValue : A.GetMinimum(),
          [&](double V) { A.SetMinimum(V); });
  W.Float(P + QStringLiteral("_Maximum"), W.Saving() ? MissingValue : A.GetMaximum(),
          [&](double V) { A.SetMaximum(V); });
  W.Color(P + QStringLiteral("_Color"), A.GetColor(), [&](TColor V) { A.SetColor(V); });
  W.Bool(P + QStringLiteral("_Visible"), A.GetVisible(), [&](bool V) { A.SetVisible(V); });
  W.Bool(P + QStringLiteral("_Grid"), A.GetGrid(), [&](bool V) { A.SetGrid(V); });
  W.Bool(P + QStringLiteral("_AutoMin"), A.GetAutoMin(), [&](bool V) { A.SetAutoMin(V); });
  W.Bool(P + QStringLiteral("_AutoMax"), A.GetAutoMax(), [&](bool V) { A.SetAutoMax(V); });
  W.Bool(P + QStringLiteral("_Log"), A.GetLog(), [&](bool V) { A.SetLog(V); });
  W.Bool(P + QStringLiteral("_Invert"), A.GetInverted(), [&](bool V) { A.SetInverted(V); });
  W.Bool(P + QStringLiteral("_RegularLabelsVisible"), W.Saving() ? Ax.RegularLabelsVisible : true,
         [&](bool V) { Ax.RegularLabelsVisible = V; });
  int Count = static_cast<int>(std::min<size_t>(Ax.Labels.size(), MaxAxisLabels));
  W.Int(
      P + QStringLiteral("_LabelCount"), W.Saving() ? Count : 0, [&](int V) { Count = V; }, 0,
      MaxAxisLabels);
  for (int I = 0; I < Count; ++I) {
    const QString N = QString::number(I);
    if (W.Saving()) {
      W.Str(P + QStringLiteral("_LabelLegend") + N, Ax.Labels[I].Legend, [](const QString&) {});
      W.Float(P + QStringLiteral("_LabelValue") + N, Ax.Labels[I].Value, [](double) {});
      continue;
    }
    // Read in the order written: the text, then the value.
    QString Text;
    double Value = 0;
    W.Str(P + QStringLiteral("_LabelLegend") + N, QString(), [&](const QString& V) { Text = V; });
    W.Float(P + QStringLiteral("_LabelValue") + N, 0, [&](double V) { Value = V; });
    Ax.AddLabel(Text, Value);
  }
  TFont Label, Name;
  Label.Assign(A.GetFont());
  Name.Assign(A.GetNameFont());
  W.Font(P + QStringLiteral("_Label_"), Label);
  W.Font(P + QStringLiteral("_Name_"), Name);
  if (!W.Saving()) {
    A.SetFont(Label);
    A.SetNameFont(Name);
  }
  TPlotTicks& T = A.Ticks;
  W.Int(
      P + QStringLiteral("_Ticks_Direction"), Ord(T.GetDirection()),
      [&](int V) { T.SetDirection(static_cast<TTicksDirection>(V)); }, 0, 1);
  W.Int(
      P + QStringLiteral("_Ticks_MajorLength"), T.GetMajorLength(),
      [&](int V) { T.SetMajorLength(V); }, 0, 3000);
  W.Int(
      P + QStringLiteral("_Ticks_MinorLength"), T.GetMinorLength(),
      [&](int V) { T.SetMinorLength(V); }, 0, 3000);
  W.Bool(P + QStringLiteral("_Ticks_MajorVisible"), T.GetMajorVisible(),
         [&](bool V) { T.SetMajorVisible(V); });
  W.Bool(P + QStringLiteral("_Ticks_MinorVisible"), T.GetMinorVisible(),
         [&](bool V) { T.SetMinorVisible(V); });
}

void WalkTitle(TSettingsWalk& W, TPlotTitles& T) {
  const QString P = QStringLiteral("Plot_") + T.KeyName;
  W.Str(P + QStringLiteral("_Text"), T.GetText(), [&](const QString& V) { T.SetText(V); });
  W.Int(
      P + QStringLiteral("_Style"), Ord(T.GetStyle()),
      [&](int V) { T.SetStyle(static_cast<TTitleStyle>(V)); }, 0, 2);
  W.Int(
      P + QStringLiteral("_Alignment"), Ord(T.GetAlignment()),
      [&](int V) { T.SetAlignment(static_cast<TAlignment>(V)); }, 0, 2);
  W.Bool(P + QStringLiteral("_Visible"), T.GetVisible(), [&](bool V) { T.SetVisible(V); });
  TFont F;
  F.Assign(T.GetFont());
  W.Font(P + u'_', F);
  if (!W.Saving()) T.SetFont(F);
}

void WalkLegend(TSettingsWalk& W, TPlotAbstractLegend& L, const QString& P) {
  W.Int(
      P + QStringLiteral("Style"), Ord(L.GetStyle()),
      [&](int V) { L.SetStyle(static_cast<TLegendStyle>(V)); }, 0, 4);
  W.Color(P + QStringLiteral("Color"), L.GetColor(), [&](TColor V) { L.SetColor(V); });
  W.Color(P + QStringLiteral("ShadowColor"), L.GetShadowColor(),
          [&](TColor V) { L.SetShadowColor(V); });
  W.Int(
      P + QStringLiteral("ShadowThickness"), L.GetShadowThickness(),
      [&](int V) { L.SetShadowThickness(V); }, 1, 8);
  W.Bool(P + QStringLiteral("ShadowVisible"), L.GetShadowVisible(),
         [&](bool V) { L.SetShadowVisible(V); });
  W.Color(P + QStringLiteral("FrameColor"), L.GetFrameColor(),
          [&](TColor V) { L.SetFrameColor(V); });
  W.Int(
      P + QStringLiteral("FrameThickness"), L.GetFrameThickness(),
      [&](int V) { L.SetFrameThickness(V); }, 1, 8);
  W.Int(
      P + QStringLiteral("FrameStyle"), Ord(L.GetFrameStyle()),
      [&](int V) { L.SetFrameStyle(static_cast<TPenStyle>(V)); }, 0, psInsideFrame);
  W.Bool(P + QStringLiteral("FrameVisible"), L.GetFrameVisible(),
         [&](bool V) { L.SetFrameVisible(V); });
  W.Bool(P + QStringLiteral("Visible"), L.GetVisible(), [&](bool V) { L.SetVisible(V); });
  W.Bool(P + QStringLiteral("TransparentBackGround"), L.GetTransparentBackGround(),
         [&](bool V) { L.SetTransparentBackGround(V); });
}

void WalkPlot(TSettingsWalk& W, TPlot& Plot) {
  W.Color(QStringLiteral("Plot_Color"), Plot.GetColor(), [&](TColor V) { Plot.SetColor(V); });
  W.Color(QStringLiteral("Plot_BackColor"), Plot.GetBackColor(),
          [&](TColor V) { Plot.SetBackColor(V); });
  W.Float(
      QStringLiteral("Plot_Exaggerate"), Plot.GetExaggerate(),
      [&](double V) { Plot.SetExaggerate(V); }, 0, 1e30);
  W.Bool(QStringLiteral("Plot_ClipMarkers"), Plot.GetClipMarkers(),
         [&](bool V) { Plot.SetClipMarkers(V); });
  W.Bool(QStringLiteral("Plot_StatusBarVisible"), Plot.GetStatusBarVisible(),
         [&](bool V) { Plot.SetStatusBarVisible(V); });
  // Applies the tick look of its depth; the tick keys read later override it.
  W.Float(
      QStringLiteral("Plot_View3D"), Plot.GetView3D(), [&](double V) { Plot.SetView3D(V); }, 0,
      100);
  W.Bool(QStringLiteral("Plot_StatusBarGrip"), Plot.GetStatusBarGrip(),
         [&](bool V) { Plot.SetStatusBarGrip(V); });
  // Stored straight into the graph; a bound of 0 or below has no logarithm and keeps the old one.
  W.Float(W.Saving() ? QStringLiteral("Plot_MinLogVAlue") : QStringLiteral("Plot_MinLogValue"),
          Plot.GetMinimumLogValue(), [&](double V) {
            if (V > 0) Plot.Graph()->MinimumLogValue = V;
          });

  WalkAxis(W, *Plot.XAxis);
  WalkAxis(W, *Plot.YAxis);
  WalkTitle(W, *Plot.Title);
  WalkTitle(W, *Plot.Foot);

  TPlotGradient& G = *Plot.Gradient;
  W.Int(
      QStringLiteral("Plot_Gradient_Style"), Ord(G.GetStyle()),
      [&](int V) { G.SetStyle(static_cast<TGradientStyle>(V)); }, 0, 2);
  W.Color(QStringLiteral("Plot_Gradient_StartColor"), G.GetStartColor(),
          [&](TColor V) { G.SetStartColor(V); });
  W.Color(QStringLiteral("Plot_Gradient_EndColor"), G.GetEndColor(),
          [&](TColor V) { G.SetEndColor(V); });
  W.Bool(QStringLiteral("Plot_Gradient_Visible"), G.GetVisible(), [&](bool V) { G.SetVisible(V); });

  TPlotZoom& Z = *Plot.Zoom;
  W.Int(
      QStringLiteral("Plot_Zoom_Style"), Ord(Z.GetStyle()),
      [&](int V) { Z.SetStyle(static_cast<TZoomStyle>(V)); }, 0, 1);
  W.Bool(QStringLiteral("Plot_Zoom_ZoomAutoStop"), Z.GetZoomAutoStop(),
         [&](bool V) { Z.SetZoomAutoStop(V); });
  W.Int(
      QStringLiteral("Plot_Zoom_Steps"), Z.GetSteps(), [&](int V) { Z.SetSteps(V); }, 0, 1000);
  // This key holds the change per step; the zoom colour is not stored.
  W.Float(
      QStringLiteral("Plot_Zoom_Color"), Z.GetChangePerStep(),
      [&](double V) { Z.SetChangePerStep(V); }, 0, 1000);

  TPlotInfo& I = *Plot.Info;
  W.Int(
      QStringLiteral("Plot_Info_Style"), Ord(I.GetStyle()),
      [&](int V) { I.SetStyle(static_cast<TInfoStyle>(V)); }, 0, isNoBubble);
  W.Int(
      QStringLiteral("Plot_Info_Position"), Ord(I.GetPosition()),
      [&](int V) { I.SetPosition(static_cast<TInfoPosition>(V)); }, 0, ipLeftBottom);
  W.Color(QStringLiteral("Plot_Info_Color"), I.GetColor(), [&](TColor V) { I.SetColor(V); });
  W.Bool(QStringLiteral("Plot_Info_Visible"), I.GetVisible(), [&](bool V) { I.SetVisible(V); });
  // No separator: the name is under "Plot_Info_FontFont_Name".
  TFont InfoFont;
  InfoFont.Assign(I.GetFont());
  W.Font(QStringLiteral("Plot_Info_Font"), InfoFont);
  if (!W.Saving()) I.SetFont(InfoFont);

  WalkLegend(W, *Plot.Legend, QStringLiteral("Plot_Legend_"));
  WalkLegend(W, *Plot.ColorLegend, QStringLiteral("Plot_Color_Legend_"));

  TPlotPicture& Pic = *Plot.Picture;
  W.Int(
      QStringLiteral("Plot_Picture_Style"), Ord(Pic.GetStyle()),
      [&](int V) { Pic.SetStyle(static_cast<TPictureStyle>(V)); }, 0, 3);
  // This key holds the picture's file name.
  W.Str(QStringLiteral("Plot_Picture_Color"), Pic.GetPictureFileName(),
        [&](const QString& V) { Pic.SetPictureFileName(V); });
  W.Bool(QStringLiteral("Plot_Picture_Visible"), Pic.GetVisible(),
         [&](bool V) { Pic.SetVisible(V); });

  TPlotFrame& F = *Plot.Frame;
  W.Int(
      QStringLiteral("Plot_Frame_Style"), F.GetStyle(), [&](int V) { F.SetStyle(V); }, 0, 255);
  W.Color(QStringLiteral("Plot_Frame_Color"), F.GetColor(), [&](TColor V) { F.SetColor(V); });
  W.Int(
      QStringLiteral("Plot_Frame_Width"), F.GetWidth(), [&](int V) { F.SetWidth(V); }, 0, 100);
  W.Bool(QStringLiteral("Plot_Frame_Visible"), F.GetVisible(), [&](bool V) { F.SetVisible(V); });
}
}  // namespace

QString TPlot::SettingsSection() const { return FormName() + PlotName(); }

void TPlot::SaveSettings() {
  if (FIniFileName.isEmpty()) return;
  TGraphMemIniFile Ini(FIniFileName);
  if (Ini.ReadFailed()) {
    // A settings file that cannot be read is never replaced by one with only our section.
    ::ShowError(QStringLiteral("The plot settings could not be saved: %1 cannot be read.")
                    .arg(FIniFileName));
    return;
  }
  TSettingsWalk W(Ini, SettingsSection(), true);
  Ini.WriteString(W.Section(), QStringLiteral("Plot_Saved"), QStringLiteral("Yes"));
  WalkPlot(W, *this);
  if (const TFileStatus S = Ini.UpdateFile(); !S.Ok()) {
    Ini.DiscardChanges();
    ::ShowError(FileFailureText(S));
  }
}

void TPlot::LoadSettings() {
  if (FIniFileName.isEmpty()) return;
  TGraphMemIniFile Ini(FIniFileName);
  const QString Section = SettingsSection();
  // Exactly "No" (the default for a missing key or section) loads nothing.
  if (Ini.ReadString(Section, QStringLiteral("Plot_Saved"), QStringLiteral("No")) == u"No") return;
  TSettingsWalk W(Ini, Section, false);
  WalkPlot(W, *this);
  // Loading writes nothing, so the file is left exactly as it was.
}
