// The "Axis", "Axis (2)" and "Titles" pages of the properties dialog.
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>
#include <limits>

#include "platform/app_services.h"
#include "plot/ui/graph_properties.h"
#include "plot/ui/graph_ticks.h"
#include "plot/ui/plot.h"

namespace {
constexpr double Infinity = std::numeric_limits<double>::infinity();

// The controls' names: "X" or "Y", and "" or "2" for the secondary axes.
struct TGroupNames {
  const char* Letter;
  const char* Two;
  const char* Caption;
  const char* TicksButton;
  const char* LabelsEdit;
};
constexpr TGroupNames GroupNames[4] = {{"X", "", "XAxis", "Button3", "edXDEML"},
                                       {"Y", "", "YAxis", "Button4", "edYDML"},
                                       {"X", "2", "XAxis2", "Button8", "edXDEML2"},
                                       {"Y", "2", "YAxis2", "Button12", "edYDML2"}};

template <class W>
W* Named(W* Widget, const QString& Name) {
  Widget->setObjectName(Name);
  return Widget;
}
}  // namespace

void TfmGraphProperties::BuildAxisPage(QWidget* Page, int First) {
  auto* Layout = new QVBoxLayout(Page);
  auto* Row = new QHBoxLayout;
  BuildAxisGroup(Page, First);
  BuildAxisGroup(Page, First + 1);
  Row->addWidget(AxisGroups[First].Group);
  Row->addWidget(AxisGroups[First + 1].Group);
  Layout->addLayout(Row);
  if (First == agX) {
    auto* LogRow = new QHBoxLayout;
    LogRow->addWidget(
        new QLabel(QStringLiteral("Minimum positive value to show for  logarithmic scale"), Page));
    edMinLog = Named(new TNumberEdit(Page), QStringLiteral("edMinLog"));
    LogRow->addWidget(edMinLog);
    Layout->addLayout(LogRow);
    BindReal(
        edMinLog, 0, Infinity, QStringLiteral("Min Logarith scale"),
        [this] { return Plot->GetMinimumLogValue(); },
        [this](double V) { Plot->SetMinimumLogValue(V); });
    // log10(0) is not a number the axes can show.
    edMinLog->Rule().OpenMin = true;
  }
  Layout->addStretch(1);
}

void TfmGraphProperties::BuildAxisGroup(QWidget* Page, int Index) {
  const TGroupNames& N = GroupNames[Index];
  const QString L = QString::fromLatin1(N.Letter), T = QString::fromLatin1(N.Two);
  auto Name = [&](const char* Pattern) { return QString::fromLatin1(Pattern).arg(L, T); };
  TAxisGroup& G = AxisGroups[Index];
  G.Group = Named(new QGroupBox(QString::fromLatin1(N.Caption), Page), Name("gb%1Axis%2"));
  auto* Grid = new QGridLayout(G.Group);
  auto Label = [&](const QString& Text, int Row) {
    Grid->addWidget(new QLabel(Text, G.Group), Row, 0);
  };
  auto Check = [&](const QString& Caption, const QString& ObjectName) {
    return Named(new QCheckBox(Caption, G.Group), ObjectName);
  };
  auto Button = [&](const QString& Caption, const QString& ObjectName) {
    return Named(new QPushButton(Caption, G.Group), ObjectName);
  };
  const bool Odd = Index == agY2;  // its labels read so
  G.edName = Named(new QLineEdit(G.Group), Name("ed%1Axis%2Name"));
  G.edMin = Named(new TNumberEdit(G.Group), Name("ed%1Min%2"));
  G.edMax = Named(new TNumberEdit(G.Group), Name("ed%1Max%2"));
  G.chAutoMin = Check(QStringLiteral("AutoMin"), Name("ch%1Axis%2AutoMin"));
  G.chAutoMax = Check(QStringLiteral("AutoMax"), Name("ch%1Axis%2AutoMax"));
  G.chVisible = Check(QStringLiteral("Visible"), Name("ch%1Axis%2Visible"));
  G.chLog = Check(QStringLiteral("Logarithm"), Name("ch%1Axis%2Logarithm"));
  G.chInvert = Check(QStringLiteral("Inverted"), Name("ch%1Axis%2Invert"));
  G.chGrid = Check(QStringLiteral("Grid"), Name("ch%1Grid%2"));
  G.chPos = Check(QStringLiteral("Inside Position"), Name("chb%1Pos%2"));
  G.edPos = Named(new TNumberEdit(G.Group), Name("ed%1Pos%2"));
  G.edLabels = Named(new QLineEdit(G.Group), QString::fromLatin1(N.LabelsEdit));
  G.edLabels->setReadOnly(true);
  G.sbLabelsDown = Named(new TSpeedButton(G.Group), Name("sb%1Labels%2Down"));
  G.sbLabelsUp = Named(new TSpeedButton(G.Group), Name("sb%1Labels%2Up"));
  G.sbLabelsDown->setArrowType(Qt::DownArrow);
  G.sbLabelsUp->setArrowType(Qt::UpArrow);
  G.btColor = Button(QStringLiteral("Color..."), Name("bt%1Axis%2Color"));
  G.btFont = Button(QStringLiteral("Label Font..."), Name("bt%1Axis%2Font"));
  G.btNameFont = Button(QStringLiteral("Name Font..."), Name("bt%1Axis%2NameFont"));
  G.btTicks = Button(QStringLiteral("Ticks..."), QString::fromLatin1(N.TicksButton));

  Label(QStringLiteral("Name"), 0);
  Grid->addWidget(G.edName, 0, 1, 1, 2);
  Label(Odd ? QStringLiteral("Minimum") : QStringLiteral("Minimun"), 1);
  Grid->addWidget(G.edMin, 1, 1);
  Grid->addWidget(G.chAutoMin, 1, 2);
  Label(Odd ? QStringLiteral("Maximun") : QStringLiteral("Maximum"), 2);
  Grid->addWidget(G.edMax, 2, 1);
  Grid->addWidget(G.chAutoMax, 2, 2);
  Grid->addWidget(G.chVisible, 3, 0);
  Grid->addWidget(G.chLog, 3, 1);
  Grid->addWidget(G.chInvert, 3, 2);
  Grid->addWidget(G.chGrid, 4, 0);
  Grid->addWidget(G.chPos, 4, 1);
  Grid->addWidget(G.edPos, 4, 2);
  Label(QStringLiteral("Tick label frequency"), 5);
  auto* Freq = new QHBoxLayout;
  Freq->addWidget(G.edLabels, 1);
  Freq->addWidget(G.sbLabelsDown);
  Freq->addWidget(G.sbLabelsUp);
  Grid->addLayout(Freq, 5, 1, 1, 2);
  Grid->addWidget(G.btColor, 6, 0);
  Grid->addWidget(G.btTicks, 6, 1, 1, 2);
  Grid->addWidget(G.btFont, 7, 0);
  Grid->addWidget(G.btNameFont, 7, 1, 1, 2);
  Grid->setRowStretch(8, 1);

  // Each handler finds its axis through the group: the plot is known only once loaded.
  auto Axis = [this, Index] { return AxisGroups[Index].Axis; };
  connect(G.edName, &QLineEdit::textChanged, this, Guarded([this, Axis](const QString& Text) {
            if (!Begin()) return;
            Axis()->SetName(Text);
            SetModified();
          }));
  connect(G.edName, &QLineEdit::editingFinished, this, Guarded([this] {
            if (!Begin()) return;
            Changed();
          }));
  HelpOnF1(G.edName);
  const bool Y = Index == agY;
  for (bool Maximum : {false, true}) {
    TNumberEdit* E = BindReal(
        Maximum ? G.edMax : G.edMin, -1e30, 1e30,
        Maximum ? (Y ? QStringLiteral("YMax") : QStringLiteral("Max"))
                : (Y ? QStringLiteral("YMin") : QStringLiteral("Min")),
        [this, Index, Maximum] { return AxisEndShown(Index, Maximum); },
        [this, Index, Maximum](double V) { AxisRangeChanged(Index, Maximum, V); }, amDeferred);
    E->OnCheck = [this, Index, Maximum](double V) { return AxisEndRefusal(Index, Maximum, V); };
  }
  connect(G.chAutoMin, &QCheckBox::toggled, this,
          Guarded([this, Index] { AxisAutoClick(Index, false); }));
  connect(G.chAutoMax, &QCheckBox::toggled, this,
          Guarded([this, Index] { AxisAutoClick(Index, true); }));
  BindCheck(G.chVisible, [Axis](bool On) { Axis()->SetVisible(On); });
  connect(G.chLog, &QCheckBox::toggled, this, Guarded([this, Axis](bool On) {
            if (!Begin()) return;
            Axis()->SetLog(On);
            Changed();
            // Unpainted, the graph still holds the ends of the other scale, which read as
            // nothing the axis will show: it is laid out for the new one, as Apply will paint it.
            if (!cbAutoApply->isChecked() && !Graph->Busy) Graph->PrepareLayout();
            LoadAxisRanges();
          }));
  BindCheck(G.chInvert, [Axis](bool On) { Axis()->SetInverted(On); });
  BindCheck(G.chGrid, [Axis](bool On) { Axis()->SetGrid(On); });
  BindCheck(G.chPos, [Axis](bool On) { Axis()->SetLocation(On ? alInside : alOutside); });
  BindReal(
      G.edPos, -Infinity, Infinity, QStringLiteral("Inside Position"),
      [Axis] { return Axis()->GetPosition(); }, [Axis](double V) { Axis()->SetPosition(V); });
  BindColor(
      G.btColor, [Axis] { return Axis()->GetColor(); },
      [Axis](unsigned C) { Axis()->SetColor(C); });
  BindFont(
      G.btFont, [Axis]() -> const TFont& { return Axis()->GetFont(); },
      [Axis](const TFont& F) { Axis()->SetFont(F); });
  BindFont(
      G.btNameFont, [Axis]() -> const TFont& { return Axis()->GetNameFont(); },
      [Axis](const TFont& F) { Axis()->SetNameFont(F); });
  connect(G.sbLabelsDown, &TSpeedButton::Click, this,
          Guarded([this, Index] { AxisLabelsStep(Index, -1); }));
  connect(G.sbLabelsUp, &TSpeedButton::Click, this,
          Guarded([this, Index] { AxisLabelsStep(Index, +1); }));
  connect(G.btTicks, &QPushButton::clicked, this, Guarded([this, Index] { TicksClick(Index); }));
}

void TfmGraphProperties::LoadAxes() {
  for (TAxisGroup& G : AxisGroups) {
    TPlotAxis* A = G.Axis;
    G.edName->setText(A->GetName());
    G.chAutoMin->setChecked(A->GetAutoMin());
    G.chAutoMax->setChecked(A->GetAutoMax());
    G.chVisible->setChecked(A->GetVisible());
    G.chLog->setChecked(A->GetLog());
    G.chInvert->setChecked(A->GetInverted());
    G.chGrid->setChecked(A->GetGrid());
    G.chPos->setChecked(A->GetLocation() == alInside);
    G.edPos->Load();
    G.edLabels->setText(QString::number(A->GetLabelsFrequency()));
  }
  LoadAxisRanges();
}

double TfmGraphProperties::AxisEndShown(int Index, bool Maximum) const {
  const TAxis* A = AxisGroups[Index].Axis->Axis();
  double Lo = A->LowerEnd(), Hi = A->UpperEnd();
  if (A->Log) {
    Lo = std::pow(10.0, Lo);
    Hi = std::pow(10.0, Hi);
  }
  return Maximum ? std::max(Lo, Hi) : std::min(Lo, Hi);
}

void TfmGraphProperties::LoadAxisRanges() {
  const bool WasLoading = Loading;
  Loading = true;
  for (int I = 0; I < 4; ++I) {
    TAxisGroup& G = AxisGroups[I];
    if (!G.Axis) continue;
    const TAxis* A = G.Axis->Axis();
    G.edMin->Load();
    G.edMax->Load();
    G.edMin->setEnabled(!A->AutoMin);
    G.edMax->setEnabled(!A->AutoMax);
  }
  Loading = WasLoading;
}

void TfmGraphProperties::ShowMinimumLogValue() {
  const bool WasLoading = Loading;
  Loading = true;
  edMinLog->Load();
  Loading = WasLoading;
}

QString TfmGraphProperties::AxisEndRefusal(int Index, bool Maximum, double V) const {
  const TAxisGroup& G = AxisGroups[Index];
  // A log axis shows only ends above zero.
  if (G.Axis->Axis()->Log && V <= 0)
    return GraphValidates::RealRangeText((Maximum ? G.edMax : G.edMin)->Caption(), 0, 1e30, true);
  const double Other = AxisEndShown(Index, !Maximum);
  if (Maximum ? V <= Other : V >= Other)
    return QStringLiteral("Minimum must be less than Maximum.");
  return {};
}

void TfmGraphProperties::AxisRangeChanged(int Index, bool Maximum, double V) {
  TAxisGroup& G = AxisGroups[Index];
  TAxis* A = G.Axis->Axis();
  double Stored = V;
  if (A->Log) {
    if (V < Plot->GetMinimumLogValue()) {
      Plot->SetMinimumLogValue(V);
      ShowMinimumLogValue();
    }
    Stored = Graph->LogValue(V);
  }
  const bool Lower = Maximum == A->Inverted;
  (Lower ? A->LowerEnd() : A->UpperEnd()) = Stored;
  if (Maximum && !A->AutoMax) G.Axis->SetMaximum(V);
  if (!Maximum && !A->AutoMin) G.Axis->SetMinimum(V);
}

void TfmGraphProperties::AxisAutoClick(int Index, bool Maximum) {
  if (!Begin()) return;
  TAxisGroup& G = AxisGroups[Index];
  const bool On = (Maximum ? G.chAutoMax : G.chAutoMin)->isChecked();
  if (Maximum)
    G.Axis->SetAutoMax(On);
  else
    G.Axis->SetAutoMin(On);
  Changed();
  LoadAxisRanges();
  const double User = Maximum ? G.Axis->GetMaximum() : G.Axis->GetMinimum();
  if (!On && User != MissingValue && std::isfinite(User))
    (Maximum ? G.edMax : G.edMin)->ShowValue(User);
}

void TfmGraphProperties::AxisLabelsStep(int Index, int Delta) {
  if (!Begin()) return;
  TAxisGroup& G = AxisGroups[Index];
  const int V = std::max(G.Axis->GetLabelsFrequency() + Delta, 1);
  setEnabled(false);
  G.Axis->SetLabelsFrequency(V);
  G.edLabels->setText(QString::number(V));
  setEnabled(true);
}

void TfmGraphProperties::TicksClick(int Index) {
  if (!Begin()) return;
  std::unique_ptr<TfmGraphTicks> T(CreateForm<TfmGraphTicks>(this));
  T->Execute(this, AxisGroups[Index].Axis);
}

// --- Titles -------------------------------------------------------------------------------------

void TfmGraphProperties::BuildTitlesPage(QWidget* Page) {
  auto* Layout = new QHBoxLayout(Page);
  auto Build = [&](bool Foot) {
    const QString Which = Foot ? QStringLiteral("Foot") : QStringLiteral("Title");
    auto* Box =
        Named(new QGroupBox(Foot ? QStringLiteral("Footer") : QStringLiteral("Title"), Page),
              QStringLiteral("gb") + Which);
    auto* Grid = new QGridLayout(Box);
    auto* Memo =
        Named(new QPlainTextEdit(Box), Foot ? QStringLiteral("mmFoot") : QStringLiteral("mmTitle"));
    auto* Align = Named(new QComboBox(Box), QStringLiteral("cb%1Alignment").arg(Which));
    Align->addItems({QStringLiteral("Left Justify"), QStringLiteral("Right Justify"),
                     QStringLiteral("Center")});
    auto* Style = Named(new QComboBox(Box), QStringLiteral("cb%1Style").arg(Which));
    Style->addItems({QStringLiteral("None"), QStringLiteral("Lowered"), QStringLiteral("Raised")});
    auto* Visible = Named(new QCheckBox(QStringLiteral("Visible"), Box),
                          QStringLiteral("ch%1Visible").arg(Which));
    auto* Font = Named(new QPushButton(QStringLiteral("Font..."), Box),
                       QStringLiteral("bt%1Font").arg(Which));
    Grid->addWidget(Memo, 0, 0, 1, 2);
    Grid->addWidget(new QLabel(QStringLiteral("Alignment"), Box), 1, 0);
    Grid->addWidget(Align, 1, 1);
    Grid->addWidget(new QLabel(QStringLiteral("Shadow"), Box), 2, 0);
    Grid->addWidget(Style, 2, 1);
    Grid->addWidget(Visible, 3, 0);
    Grid->addWidget(Font, 3, 1);
    Layout->addWidget(Box);
    auto Titles = [this, Foot] { return Foot ? Plot->Foot.get() : Plot->Title.get(); };
    BindCombo(Align, [Titles](int I) { Titles()->SetAlignment(static_cast<TAlignment>(I)); });
    BindCombo(Style, [Titles](int I) { Titles()->SetStyle(static_cast<TTitleStyle>(I)); });
    BindCheck(Visible, [Titles](bool On) { Titles()->SetVisible(On); });
    BindFont(
        Font, [Titles]() -> const TFont& { return Titles()->GetFont(); },
        [Titles](const TFont& F) { Titles()->SetFont(F); });
    connect(Memo, &QPlainTextEdit::textChanged, this, Guarded([this] {
              if (Begin()) SetModified();
            }));
    // The memo has no editing-finished signal: leaving it is its focus going elsewhere.
    Memo->installEventFilter(this);
    (Foot ? mmFoot : mmTitle) = Memo;
    (Foot ? cbFootAlignment : cbTitleAlignment) = Align;
    (Foot ? cbFootStyle : cbTitleStyle) = Style;
    (Foot ? chFootVisible : chTitleVisible) = Visible;
    (Foot ? btFootFont : btTitleFont) = Font;
  };
  Build(false);
  Build(true);
}

void TfmGraphProperties::LoadTitles() {
  for (bool Foot : {false, true}) {
    TPlotTitles* T = Foot ? Plot->Foot.get() : Plot->Title.get();
    (Foot ? mmFoot : mmTitle)->setPlainText(T->Title()->Lines.join(u'\n'));
    (Foot ? cbFootAlignment : cbTitleAlignment)->setCurrentIndex(T->GetAlignment());
    (Foot ? cbFootStyle : cbTitleStyle)->setCurrentIndex(T->GetStyle());
    (Foot ? chFootVisible : chTitleVisible)->setChecked(T->GetVisible());
  }
}

void TfmGraphProperties::TitleExit(bool Foot) {
  if (!Begin() || !Modified) return;
  TPlotTitles* T = Foot ? Plot->Foot.get() : Plot->Title.get();
  QString Text;
  for (const QString& Line : (Foot ? mmFoot : mmTitle)->toPlainText().split(u'\n'))
    Text += Line + u'#';
  // An empty memo is no line at all, not one empty line.
  if ((Foot ? mmFoot : mmTitle)->toPlainText().isEmpty()) Text.clear();
  T->Title()->Clear();
  T->SetText(Text);
  LiveApply();
}
