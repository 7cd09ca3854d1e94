#include "chart/editors/chart_axis_page.h"

#include <functional>

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "chart/editors/axis_dialogs.h"
#include "chart/editors/axis_texts.h"
#include "chart/editors/pen_dialogs.h"
#include "chart/engine/chart_exceptions.h"
#include "chart/engine/chart_format.h"
#include "chart/engine/chart_utils.h"
#include "platform/controls.h"
#include "platform/flag_guard.h"

namespace {
// What the spins hand the axis is held where drawing stays sensible: a tick, label or title room
// wider than any window would only squeeze the plot away, and every minor tick is drawn between
// every two labels.
constexpr int MaxAxisRoom = 500;
constexpr int MaxMinorTickCount = 100;
constexpr int MaxLabelsSeparation = 500;
// The axis line may be moved across the plot and as far again outside it.
constexpr int MaxPositionPercent = 100;

QLabel* Label(QWidget* Parent, const char* Name) {
  auto* L = new QLabel(Parent);
  L->setObjectName(QLatin1String(Name));
  L->setMinimumWidth(90);
  return L;
}

QLineEdit* LineEdit(QWidget* Parent, const char* Name) {
  auto* E = new QLineEdit(Parent);
  E->setObjectName(QLatin1String(Name));
  return E;
}

QWidget* Tab(TPageControl* Pages, const QString& Caption) {
  auto* W = new QWidget(Pages);
  Pages->AddPage(W, Caption);
  return W;
}

// An end of the range as the labels show it: date and time on a date-time axis (the time alone
// below one day), else the number in the axis' format.
QString EndText(const TChartAxis& A, bool DateTime, double Value) {
  if (!DateTime) return FormatFloat(A.AxisValuesFormat(), Value);
  return Value >= 1 ? DateText(Value) + u' ' + TimeText(Value) : TimeText(Value);
}
}  // namespace

TFormChartAxis::TFormChartAxis(QWidget* Owner, TCustomChart* Chart, TChartAxis* Axis)
    : TChartEditorPage(Owner), FChart(Chart), FAxis(Axis) {
  setObjectName(QStringLiteral("FormChartAxis"));
  auto* Main = new QHBoxLayout(this);
  auto* Left = new QVBoxLayout;
  CBShow = CheckBox(this, QStringLiteral("&Show Axis"), "CBShow");
  RGWhichAxis =
      RadioGroup(this, "RGWhichAxis", QStringLiteral("Axis:"),
                 {QStringLiteral("&Left"), QStringLiteral("&Right"), QStringLiteral("&Top"),
                  QStringLiteral("&Bottom"), QStringLiteral("&Depth")});
  CBVisible = CheckBox(this, QStringLiteral("&Visible"), "CBVisible");
  Left->addWidget(CBShow);
  Left->addWidget(RGWhichAxis);
  Left->addWidget(CBVisible);
  Left->addStretch(1);
  Main->addLayout(Left);
  PageControl1 = new TPageControl(this);
  PageControl1->setObjectName(QStringLiteral("PageControl1"));
  Main->addWidget(PageControl1, 1);

  // "Scales"
  QWidget* Scales = Tab(PageControl1, QStringLiteral("Scales"));
  auto* SG = new QGridLayout(Scales);
  CBAutomatic = CheckBox(Scales, QStringLiteral("&Automatic"), "CBAutomatic");
  CBLogarithmic = CheckBox(Scales, QStringLiteral("Logarith&mic"), "CBLogarithmic");
  CBInverted = CheckBox(Scales, QStringLiteral("&Inverted"), "CBInverted");
  SG->addWidget(CBAutomatic, 0, 0);
  SG->addWidget(CBLogarithmic, 0, 1);
  SG->addWidget(CBInverted, 0, 2);
  LAxisMax = Label(Scales, "LAxisMax");
  LAxisMin = Label(Scales, "LAxisMin");
  LAxisIncre = Label(Scales, "LAxisIncre");
  CBAutoMax = CheckBox(Scales, QStringLiteral("A&uto"), "CBAutoMax");
  CBAutoMin = CheckBox(Scales, QStringLiteral("Aut&o"), "CBAutoMin");
  BAxisMax = Button(Scales, QStringLiteral("C&hange..."), "BAxisMax");
  BAxisMin = Button(Scales, QStringLiteral("Chan&ge..."), "BAxisMin");
  BAxisIncre = Button(Scales, QStringLiteral("&Change..."), "BAxisIncre");
  const struct {
    const char* Caption;
    QLabel* Value;
    QCheckBox* Auto;
    QPushButton* Change;
  } Rows[] = {{"Maximum:", LAxisMax, CBAutoMax, BAxisMax},
              {"Minimum:", LAxisMin, CBAutoMin, BAxisMin},
              {"Desired Increment:", LAxisIncre, nullptr, BAxisIncre}};
  int Row = 1;
  for (const auto& R : Rows) {
    auto* Box = new QGroupBox(QLatin1String(R.Caption), Scales);
    auto* BoxRow = new QHBoxLayout(Box);
    BoxRow->addWidget(R.Value, 1);
    if (R.Auto) BoxRow->addWidget(R.Auto);
    BoxRow->addWidget(R.Change);
    SG->addWidget(Box, Row++, 0, 1, 3);
  }
  SG->setRowStretch(Row, 1);

  // "Title"
  QWidget* Title = Tab(PageControl1, QStringLiteral("Title"));
  auto* TG = new QGridLayout(Title);
  ETitle = LineEdit(Title, "ETitle");
  AddLabelled(TG, 0, QStringLiteral("T&itle:"), ETitle);
  SETitleAngle = SpinEdit(Title, "SETitleAngle", 0, 360, 90);
  ChartRule(SETitleAngle).RangeMessage =
      (QString::fromStdString(ChartMessages::Angle("Axis Title")));
  AddLabelled(TG, 1, QStringLiteral("&Angle:"), SETitleAngle);
  SETitleSize = SpinEdit(Title, "SETitleSize", 0, MaxAxisRoom, 1);
  AddLabelled(TG, 2, QStringLiteral("Si&ze:"), SETitleSize);
  BTitleFont = Button(Title, QStringLiteral("F&ont..."), "BTitleFont");
  TG->addWidget(BTitleFont, 3, 1, Qt::AlignLeft);
  TG->setRowStretch(4, 1);
  TG->setColumnStretch(1, 1);

  // "Labels"
  QWidget* Labels = Tab(PageControl1, QStringLiteral("Labels"));
  auto* LG = new QGridLayout(Labels);
  CBLabels = CheckBox(Labels, QStringLiteral("V&isible"), "CBLabels");
  CBOnAxis = CheckBox(Labels, QStringLiteral("Label On A&xis"), "CBOnAxis");
  CBRoundFirst = CheckBox(Labels, QStringLiteral("Ro&und First"), "CBRoundFirst");
  CBMultiline = CheckBox(Labels, QStringLiteral("Multi-lin&e"), "CBMultiline");
  LG->addWidget(CBLabels, 0, 0, 1, 2);
  LG->addWidget(CBOnAxis, 1, 0, 1, 2);
  LG->addWidget(CBRoundFirst, 2, 0, 1, 2);
  LG->addWidget(CBMultiline, 3, 0, 1, 2);
  SESepar = SpinEdit(Labels, "SESepar", 0, MaxLabelsSeparation, 1);
  ChartRule(SESepar).BelowMessage = (QLatin1String(AxisMessages::Separation));
  AddLabelled(LG, 4, QStringLiteral("Min. Se&paration %:"), SESepar);
  SELabelsSize = SpinEdit(Labels, "SELabelsSize", 0, MaxAxisRoom, 1);
  AddLabelled(LG, 5, QStringLiteral("Si&ze:"), SELabelsSize);
  SELabelsAngle = SpinEdit(Labels, "SELabelsAngle", 0, 360, 90);
  ChartRule(SELabelsAngle).RangeMessage =
      (QString::fromStdString(ChartMessages::Angle("Axis Labels")));
  AddLabelled(LG, 6, QStringLiteral("&Angle:"), SELabelsAngle);
  RGLabelStyle =
      RadioGroup(Labels, "RGLabelStyle", QStringLiteral("St&yle:"),
                 {QStringLiteral("Auto"), QStringLiteral("None"), QStringLiteral("Value"),
                  QStringLiteral("Mark"), QStringLiteral("Text")});
  LG->addWidget(RGLabelStyle, 0, 2, 5, 1);
  auto* FormatRow = new QHBoxLayout;
  LFormat = new QLabel(Labels);
  LFormat->setObjectName(QStringLiteral("LFormat"));
  EFormat = LineEdit(Labels, "EFormat");
  LFormat->setBuddy(EFormat);
  BLabelsFont = Button(Labels, QStringLiteral("F&ont..."), "BLabelsFont");
  FormatRow->addWidget(LFormat);
  FormatRow->addWidget(EFormat, 1);
  FormatRow->addWidget(BLabelsFont);
  LG->addLayout(FormatRow, 7, 0, 1, 3);
  LG->setRowStretch(8, 1);
  LG->setColumnStretch(2, 1);

  // "Ticks"
  QWidget* Ticks = Tab(PageControl1, QStringLiteral("Ticks"));
  auto* KG = new QGridLayout(Ticks);
  BAxisPen = Button(Ticks, QStringLiteral("&Axis Border..."), "BAxisPen");
  BGridPen = Button(Ticks, QStringLiteral("&Grid Border..."), "BGridPen");
  BTickPen = Button(Ticks, QStringLiteral("T&icks..."), "BTickPen");
  BTickInner = Button(Ticks, QStringLiteral("I&nner..."), "BTickInner");
  BMinorTicks = Button(Ticks, QStringLiteral("&Minor..."), "BMinorTicks");
  SETickLength = SpinEdit(Ticks, "SETickLength", 0, MaxAxisRoom, 1);
  SEInnerLength = SpinEdit(Ticks, "SEInnerLength", 0, MaxAxisRoom, 1);
  SEMinorLength = SpinEdit(Ticks, "SEMinorLength", 0, MaxAxisRoom, 1);
  SEMinorCount = SpinEdit(Ticks, "SEMinorCount", 0, MaxMinorTickCount, 1);
  KG->addWidget(BAxisPen, 0, 0);
  KG->addWidget(BGridPen, 1, 0);
  const std::pair<QPushButton*, TNumberEdit*> Lengths[] = {
      {BTickPen, SETickLength}, {BTickInner, SEInnerLength}, {BMinorTicks, SEMinorLength}};
  Row = 2;
  for (const auto& [B, E] : Lengths) {
    KG->addWidget(B, Row, 0);
    auto* L = new QLabel(QStringLiteral("Len:"), Ticks);
    L->setBuddy(E);
    KG->addWidget(L, Row, 1);
    KG->addWidget(E, Row++, 2);
  }
  auto* CountLabel = new QLabel(QStringLiteral("&Count:"), Ticks);
  CountLabel->setBuddy(SEMinorCount);
  KG->addWidget(CountLabel, Row, 1);
  KG->addWidget(SEMinorCount, Row++, 2);
  CBTickOnLabels = CheckBox(Ticks, QStringLiteral("At Labels Onl&y"), "CBTickOnLabels");
  CBGridCentered = CheckBox(Ticks, QStringLiteral("C&entered"), "CBGridCentered");
  KG->addWidget(CBTickOnLabels, 0, 3);
  KG->addWidget(CBGridCentered, 1, 3);
  KG->setRowStretch(Row, 1);
  KG->setColumnStretch(4, 1);

  // "Position"
  QWidget* Position = Tab(PageControl1, QStringLiteral("Position"));
  auto* PG = new QGridLayout(Position);
  SEAxisPosition = SpinEdit(Position, "SEAxisPosition", -MaxPositionPercent, MaxPositionPercent, 1);
  SEStartPosition = SpinEdit(Position, "SEStartPosition", 0, 100, 1);
  SEEndPosition = SpinEdit(Position, "SEEndPosition", 0, 100, 1);
  AddLabelled(PG, 0, QStringLiteral("&Position %:"), SEAxisPosition);
  AddLabelled(PG, 1, QStringLiteral("St&art %:"), SEStartPosition);
  AddLabelled(PG, 2, QStringLiteral("&End %:"), SEEndPosition);
  PG->setRowStretch(3, 1);
  PG->setColumnStretch(2, 1);

  // Which axis, and the whole chart's axes.
  On(CBShow, &QCheckBox::clicked, this, [this](bool On) {
    if (FChart) FChart->SetAxisVisible(On);
  });
  On(RGWhichAxis, &TRadioGroup::Click, this, [this] {
    if (Updating || !FChart || RGWhichAxis->ItemIndex() < 0) return;
    FAxis = AxisAt(RGWhichAxis->ItemIndex());
    TFlagGuard Loading(Updating);
    CBVisible->setChecked(FAxis->Visible());
    ShowTab();
  });
  On(CBVisible, &QCheckBox::clicked, this, [this](bool On) { FAxis->SetVisible(On); });
  On(PageControl1, &TPageControl::Change, this, [this] {
    if (!Updating) ShowTab();
  });

  // "Scales"
  // The ends that stop being automatic are fixed where they are in force.
  On(CBAutomatic, &QCheckBox::clicked, this, [this](bool On) { SetRange(On, On); });
  On(CBAutoMax, &QCheckBox::clicked, this,
     [this](bool On) { SetRange(FAxis->AutomaticMinimum(), On); });
  On(CBAutoMin, &QCheckBox::clicked, this,
     [this](bool On) { SetRange(On, FAxis->AutomaticMaximum()); });
  On(CBLogarithmic, &QCheckBox::clicked, this, [this](bool On) { SetLogarithmic(On); });
  On(BAxisMax, &QPushButton::clicked, this, [this] { ChangeEnd(true); });
  On(BAxisMin, &QPushButton::clicked, this, [this] { ChangeEnd(false); });
  On(BAxisIncre, &QPushButton::clicked, this, [this] { ChangeIncrement(); });

  // "Title"
  On(ETitle, &QLineEdit::textEdited, this,
     [this](const QString& Text) { FAxis->SetTitleCaption(Text); });
  OnNumber(
      SETitleAngle, [this](int V) { FAxis->Title()->SetAngle(V); },
      [this] { return FAxis->Title()->Angle(); });
  On(BTitleFont, &QPushButton::clicked, this,
     [this] { EditChartFont(this, *FAxis->Title()->Font()); });

  BindNumber(SETitleSize, &TChartAxis::SetTitleSize, &TChartAxis::TitleSize);

  // "Labels"
  BindFlag(CBLabels, &TChartAxis::SetLabels);
  BindFlag(CBOnAxis, &TChartAxis::SetLabelsOnAxis);
  BindFlag(CBRoundFirst, &TChartAxis::SetRoundFirstLabel);
  BindFlag(CBMultiline, &TChartAxis::SetLabelsMultiLine);
  BindNumber(SESepar, &TChartAxis::SetLabelsSeparation, &TChartAxis::LabelsSeparation);
  BindNumber(SELabelsSize, &TChartAxis::SetLabelsSize, &TChartAxis::LabelsSize);
  BindNumber(SELabelsAngle, &TChartAxis::SetLabelsAngle, &TChartAxis::LabelsAngle);
  On(RGLabelStyle, &TRadioGroup::Click, this, [this] {
    const int I = RGLabelStyle->ItemIndex();
    if (!Updating && I >= 0) FAxis->SetLabelStyle(TAxisLabelStyle(I));
  });
  On(EFormat, &QLineEdit::textEdited, this, [this] { FormatEdited(); });
  On(BLabelsFont, &QPushButton::clicked, this,
     [this] { EditChartFont(this, *FAxis->LabelsFont()); });

  // "Ticks"
  BindPen(BAxisPen, &TChartAxis::AxisPen);
  BindPen(BGridPen, &TChartAxis::Grid);
  BindPen(BTickPen, &TChartAxis::Ticks);
  BindPen(BTickInner, &TChartAxis::TicksInner);
  BindPen(BMinorTicks, &TChartAxis::MinorTicks);
  BindNumber(SETickLength, &TChartAxis::SetTickLength, &TChartAxis::TickLength);
  BindNumber(SEInnerLength, &TChartAxis::SetTickInnerLength, &TChartAxis::TickInnerLength);
  BindNumber(SEMinorLength, &TChartAxis::SetMinorTickLength, &TChartAxis::MinorTickLength);
  BindNumber(SEMinorCount, &TChartAxis::SetMinorTickCount, &TChartAxis::MinorTickCount);
  BindFlag(CBTickOnLabels, &TChartAxis::SetTickOnLabelsOnly);
  BindFlag(CBGridCentered, &TChartAxis::SetGridCentered);
  BindFlag(CBInverted, &TChartAxis::SetInverted);

  // "Position"
  OnNumber(
      SEAxisPosition, [this](int V) { FAxis->SetPositionPercent(V); },
      [this] { return int(FAxis->PositionPercent()); });
  OnNumber(
      SEStartPosition, [this](int V) { FAxis->SetStartPosition(V); },
      [this] { return int(FAxis->StartPosition()); });
  OnNumber(
      SEEndPosition, [this](int V) { FAxis->SetEndPosition(V); },
      [this] { return int(FAxis->EndPosition()); });
  // The axis must keep some length: a start at or past the end is refused, and the other way.
  SEStartPosition->OnCheck = [this](double V) {
    return V < FAxis->EndPosition() ? QString()
                                    : QStringLiteral("Axis Start must be below its End");
  };
  SEEndPosition->OnCheck = [this](double V) {
    return V > FAxis->StartPosition() ? QString()
                                      : QStringLiteral("Axis End must be above its Start");
  };
}

// The bindings follow the axis in hand, whichever it is by now.
void TFormChartAxis::BindNumber(TNumberEdit* Edit, void (TChartAxis::*Set)(int),
                                int (TChartAxis::*Get)() const) {
  OnNumber(
      Edit, [this, Set](int V) { std::invoke(Set, FAxis, V); },
      [this, Get] { return std::invoke(Get, FAxis); });
}

void TFormChartAxis::BindFlag(QCheckBox* Box, void (TChartAxis::*Set)(bool)) {
  On(Box, &QCheckBox::clicked, this,
     [this, Set](bool Checked) { std::invoke(Set, FAxis, Checked); });
}

template <class TPenGetter>
void TFormChartAxis::BindPen(QPushButton* Button, TPenGetter Get) {
  On(Button, &QPushButton::clicked, this,
     [this, Get] { EditChartPen(this, *std::invoke(Get, FAxis)); });
}

TChartAxis* TFormChartAxis::AxisAt(int Index) const {
  TChartAxis* Axes[] = {FChart->LeftAxis(), FChart->RightAxis(), FChart->TopAxis(),
                        FChart->BottomAxis(), FChart->DepthAxis()};
  return Axes[std::clamp(Index, 0, 4)];
}

void TFormChartAxis::PageShow() {
  if (!FChart) return;
  {
    TFlagGuard Loading(Updating);
    for (int i = 0; i < 5; ++i)
      if (AxisAt(i) == FAxis) RGWhichAxis->SetItemIndex(i);
    CBShow->setChecked(FChart->AxisVisible());
    CBVisible->setChecked(FAxis->Visible());
    PageControl1->SetActivePageIndex(atScales);
    ShowTab();
  }
  Updating = false;
}

void TFormChartAxis::ShowTab() {
  if (!FChart) return;
  TFlagGuard Loading(Updating);
  switch (PageControl1->ActivePageIndex()) {
    case atScales:
      ShowScales();
      break;
    case atTitle:
      ShowTitle();
      break;
    case atLabels:
      ShowLabels();
      break;
    case atTicks:
      ShowTicks();
      break;
    case atPosition:
      ShowPosition();
      break;
    default:
      break;
  }
}

void TFormChartAxis::ShowScales() {
  const TChartAxis& A = *FAxis;
  const bool DateTime = A.IsDateTime();
  LAxisIncre->setText(
      IncrementText(DateTime, A.ExactDateTime(), A.Increment(), A.AxisValuesFormat()));
  // An automatic end shows the value the chart takes from its series.
  LAxisMax->setText(EndText(A, DateTime, A.AutomaticMaximum() ? A.IMaximum() : A.Maximum()));
  LAxisMin->setText(EndText(A, DateTime, A.AutomaticMinimum() ? A.IMinimum() : A.Minimum()));
  CBAutomatic->setChecked(A.Automatic());
  CBAutoMax->setChecked(A.AutomaticMaximum());
  CBAutoMin->setChecked(A.AutomaticMinimum());
  CBAutoMax->setEnabled(!A.Automatic());
  CBAutoMin->setEnabled(!A.Automatic());
  BAxisMax->setEnabled(!A.Automatic() && !A.AutomaticMaximum());
  BAxisMin->setEnabled(!A.Automatic() && !A.AutomaticMinimum());
  CBLogarithmic->setChecked(A.Logarithmic());
  CBLogarithmic->setEnabled(!A.IsDepthAxis());
  CBInverted->setChecked(A.Inverted());
}

void TFormChartAxis::ShowTitle() {
  ETitle->setText(FAxis->TitleCaption());
  SETitleAngle->ShowValue(FAxis->Title()->Angle());
  SETitleSize->ShowValue(FAxis->TitleSize());
}

void TFormChartAxis::ShowLabels() {
  const TChartAxis& A = *FAxis;
  CBLabels->setChecked(A.Labels());
  CBOnAxis->setChecked(A.LabelsOnAxis());
  CBRoundFirst->setChecked(A.RoundFirstLabel());
  CBMultiline->setChecked(A.LabelsMultiLine());
  SESepar->ShowValue(A.LabelsSeparation());
  SELabelsSize->ShowValue(A.LabelsSize());
  SELabelsAngle->ShowValue(A.LabelsAngle());
  RGLabelStyle->SetItemIndex(int(A.LabelStyle()));
  if (A.IsDateTime()) {
    LFormat->setText(QStringLiteral("DateTime For&mat:"));
    EFormat->setText(A.DateTimeFormat().isEmpty()
                         ? DateTimeFormatForStep(A.IMaximum() - A.IMinimum())
                         : A.DateTimeFormat());
  } else {
    LFormat->setText(QStringLiteral("Values For&mat:"));
    const QString F = A.AxisValuesFormat();
    EFormat->setText(NumberFormatToLocal(F.isEmpty() ? QLatin1String(DefaultAxisValuesFormat) : F));
  }
}

void TFormChartAxis::ShowTicks() {
  const TChartAxis& A = *FAxis;
  SETickLength->ShowValue(A.TickLength());
  SEInnerLength->ShowValue(A.TickInnerLength());
  SEMinorLength->ShowValue(A.MinorTickLength());
  SEMinorCount->ShowValue(A.MinorTickCount());
  CBTickOnLabels->setChecked(A.TickOnLabelsOnly());
  CBGridCentered->setChecked(A.GridCentered());
}

void TFormChartAxis::ShowPosition() {
  const TChartAxis& A = *FAxis;
  SEAxisPosition->ShowValue(int(A.PositionPercent()));
  SEStartPosition->ShowValue(int(A.StartPosition()));
  SEEndPosition->ShowValue(int(A.EndPosition()));
  // The depth axis runs the depth of the series, wherever the plot lies.
  for (TNumberEdit* E : {SEAxisPosition, SEStartPosition, SEEndPosition})
    E->setEnabled(!A.IsDepthAxis());
}

void TFormChartAxis::SetLogarithmic(bool On) {
  try {
    FAxis->SetLogarithmic(On);
  } catch (...) {
    FAxis->SetLogarithmic(false);
    CBLogarithmic->setChecked(false);
    throw;
  }
}

void TFormChartAxis::SetRange(bool AutomaticMinimum, bool AutomaticMaximum) {
  FAxis->AdjustMaxMin();
  try {
    FAxis->SetRange(AutomaticMinimum, AutomaticMaximum, FAxis->IMinimum(), FAxis->IMaximum());
  } catch (...) {
    // The boxes go back to what the axis keeps.
    TFlagGuard Loading(Updating);
    ShowScales();
    throw;
  }
  FAxis->AdjustMaxMin();
  TFlagGuard Loading(Updating);
  ShowScales();
}

void TFormChartAxis::ChangeEnd(bool Maximum) {
  TAxisMaxMin D(this);
  D.setWindowTitle((Maximum ? QStringLiteral("Maximum") : QStringLiteral("Minimum")) + u' ' +
                   FChart->GetAxisTitle(FAxis));
  D.IsDateTime = FAxis->IsDateTime();
  D.MaxMin = Maximum ? FAxis->Maximum() : FAxis->Minimum();
  if (RunChartModal(D) != mrOk) return;
  if (Maximum) {
    FAxis->SetMaximum(D.MaxMin);
    FAxis->SetAutomaticMaximum(false);
  } else {
    FAxis->SetMinimum(D.MaxMin);
    FAxis->SetAutomaticMinimum(false);
  }
  FAxis->AdjustMaxMin();
  TFlagGuard Loading(Updating);
  ShowScales();
}

void TFormChartAxis::ChangeIncrement() {
  bool Exact = FAxis->ExactDateTime();
  double Step = FAxis->Increment();
  if (!EditAxisIncrement(this,
                         QStringLiteral("Desired %1 Increment").arg(FChart->GetAxisTitle(FAxis)),
                         FAxis->IsDateTime(), Exact, Step))
    return;
  FAxis->SetIncrement(Step);
  FAxis->SetExactDateTime(Exact);
  TFlagGuard Loading(Updating);
  ShowScales();
}

void TFormChartAxis::FormatEdited() {
  if (Updating) return;
  if (FAxis->IsDateTime())
    FAxis->SetDateTimeFormat(EFormat->text());
  else
    FAxis->SetAxisValuesFormat(LocalToNumberFormat(EFormat->text()));
}
