// The "Contour" page of the properties dialog: the levels, labels and colours of a line contour.
// The numbers of the level range, count and interval reach the layer together, when an edit is
// left, Enter is pressed or Apply is clicked, and only when they make a range the levels can
// take; the layer keeps what it had otherwise.
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "platform/app_services.h"
#include "platform/dialogs.h"
#include "platform/flag_guard.h"
#include "platform/font_dialog.h"
#include "platform/number_text.h"
#include "plot/core/graph.h"
#include "plot/core/graph_utils.h"
#include "plot/layers/contour.h"
#include "plot/ui/graph_properties.h"
#include "plot/ui/graph_properties_widgets.h"
#include "plot/ui/plot.h"

namespace {
// Magnitudes the interval is written fixed for; others in general format.
constexpr double FixedFrom = 1e-5, FixedTo = 100000;
}  // namespace

void TfmGraphProperties::BuildContourPage(QWidget* Page) {
  auto* Grid = new QGridLayout(Page);

  // Levels: range, count or interval.
  auto* Levels = Named(new QGroupBox(QStringLiteral("Contour in range"), Page), "gbRange");
  auto* L = new QGridLayout(Levels);
  chLowLab = Named(new QCheckBox(QStringLiteral("Fixed"), Levels), "chLowLab");
  chUpLab = Named(new QCheckBox(QStringLiteral("Fixed"), Levels), "chUpLab");
  rbNum = Named(new QRadioButton(QStringLiteral("Number of contours"), Levels), "rbNum");
  rbInt = Named(new QRadioButton(QStringLiteral("Contours Interval"), Levels), "rbInt");
  chkAuto = Named(new QCheckBox(QStringLiteral("Automatic"), Levels), "chkAuto");
  Button1 = Named(new QPushButton(QStringLiteral("Apply"), Levels), "Button1");
  for (QLineEdit* E : {static_cast<QLineEdit*>(edMin), static_cast<QLineEdit*>(edMax), edRMin,
                       edRMax, static_cast<QLineEdit*>(edNum), static_cast<QLineEdit*>(edInt)})
    E->setParent(Levels);
  L->addWidget(new QLabel(QStringLiteral("Minimum"), Levels), 0, 0);
  L->addWidget(edMin, 0, 1);
  L->addWidget(chLowLab, 0, 2);
  L->addWidget(new QLabel(QStringLiteral("Maximum"), Levels), 1, 0);
  L->addWidget(edMax, 1, 1);
  L->addWidget(chUpLab, 1, 2);
  L->addWidget(new QLabel(QStringLiteral("Real Min."), Levels), 2, 0);
  L->addWidget(edRMin, 2, 1);
  L->addWidget(new QLabel(QStringLiteral("Real Max."), Levels), 3, 0);
  L->addWidget(edRMax, 3, 1);
  L->addWidget(rbNum, 4, 0);
  L->addWidget(edNum, 4, 1);
  L->addWidget(rbInt, 5, 0);
  L->addWidget(edInt, 5, 1);
  L->addWidget(chkAuto, 6, 0);
  L->addWidget(Button1, 6, 1, 1, 2, Qt::AlignRight);
  L->setColumnStretch(1, 1);
  edRMin->setReadOnly(true);
  edRMax->setReadOnly(true);
  Grid->addWidget(Levels, 0, 0, 2, 1);

  auto* Labels = Named(new QGroupBox(QStringLiteral("Labels"), Page), "gbLabels");
  auto* LL = new QGridLayout(Labels);
  chLabVisible = Named(new QCheckBox(QStringLiteral("Visible"), Labels), "chLabVisible");
  btLabelFont = Named(new QPushButton(QStringLiteral("Font ..."), Labels), "btLabelFont");
  edLblInt->setParent(Labels);
  edPos->setParent(Labels);
  LL->addWidget(chLabVisible, 0, 0);
  LL->addWidget(btLabelFont, 0, 1);
  LL->addWidget(new QLabel(QStringLiteral("Labels interval"), Labels), 1, 0);
  LL->addWidget(edLblInt, 1, 1);
  LL->addWidget(new QLabel(QStringLiteral("Decimal places"), Labels), 2, 0);
  LL->addWidget(edPos, 2, 1);
  Grid->addWidget(Labels, 0, 1);

  auto* Colors = Named(new QGroupBox(QStringLiteral("Color Style"), Page), "gbColorStyle");
  auto* CL = new QHBoxLayout(Colors);
  cbColorStyle = Named(new QComboBox(Colors), "cbColorStyle");
  cbColorStyle->addItems({QStringLiteral("Color Shading"), QStringLiteral("Mono Color")});
  btContourColor = Named(new QPushButton(QStringLiteral("Color..."), Colors), "btContourColor");
  CL->addWidget(cbColorStyle, 1);
  CL->addWidget(btContourColor);
  Grid->addWidget(Colors, 1, 1);

  auto* Manual = Named(new QGroupBox(QStringLiteral("Manual Levels"), Page), "gbManual");
  auto* ML = new QGridLayout(Manual);
  mmLevels = Named(new QPlainTextEdit(Manual), "mmLevels");
  chkManual = Named(new QCheckBox(QStringLiteral("Visible"), Manual), "chkManual");
  btManualApply = Named(new QPushButton(QStringLiteral("Apply"), Manual), "btManualApply");
  ML->addWidget(mmLevels, 0, 0, 1, 2);
  ML->addWidget(chkManual, 1, 0);
  ML->addWidget(btManualApply, 1, 1, Qt::AlignRight);
  Grid->addWidget(Manual, 2, 0, 1, 2);
  Grid->setRowStretch(2, 1);

  // The range, count and interval: the count and interval are shown from each other as typed;
  // each reaches the layer when left, the count or interval typed choosing how levels are made.
  for (TNumberEdit* E : {edMin, edMax, edNum, edInt}) {
    HelpOnF1(E);
    connect(E, &QLineEdit::textChanged, this, Guarded([this] {
              if (Loading) return;
              ContourCountChanged();
              SetModified();
            }));
    E->OnApply = [this, E](double V) {
      TContour* C = LineContour();
      if (!C) return;
      if (E == edNum || E == edInt) {
        TFlagGuard Quiet(Loading);
        (E == edNum ? rbNum : rbInt)->setChecked(true);
      }
      if (E == edMin) C->LevelStart = V;
      if (E == edMax) C->LevelEnd = V;
      if (E == edNum) C->LevelCount = static_cast<int>(V);
      if (E == edInt) C->LevelStep = V;
    };
    connect(E, &TNumberEdit::Applied, this, Guarded([this] {
              if (Loading || !LineContour() || !ContourCommit()) return;
              RebuildLevels();
              Changed();
            }));
  }
  edMin->OnCheck = [this](double V) { return V < edMax->Value() ? QString() : RangeRefusal(); };
  edMax->OnCheck = [this](double V) { return edMin->Value() < V ? QString() : RangeRefusal(); };
  // An interval makes its count, which is held to the count's range.
  edInt->OnCheck = [this](double V) {
    const TNumberRule& R = edNum->Rule();
    const double Count = LevelCountFor(V);
    return R.Accepts(Count) ? QString()
                            : GraphValidates::IntRangeText(R.Caption, int(R.Min), int(R.Max));
  };
  // Choosing how the levels are counted reaches the layer at once, with the count and interval.
  for (QRadioButton* B : {rbNum, rbInt})
    connect(B, &QRadioButton::toggled, this, Guarded([this](bool On) {
              if (!On || Loading) return;
              ContourCountChanged();
              if (LineContour() && ContourCommit())
                Changed();
              else
                SetModified();
            }));
  for (QCheckBox* B : {chLowLab, chUpLab})
    connect(B, &QCheckBox::toggled, this, Guarded([this, B](bool On) {
              TContour* C = LineContour();
              if (!Begin() || !C) return;
              const bool Low = B == chLowLab;
              TNumberEdit* E = Low ? edMin : edMax;
              E->setEnabled(On);
              (Low ? C->UseLevelStart : C->UseLevelEnd) = On;
              if (On) (Low ? C->LevelStart : C->LevelEnd) = E->Value();
              ContourCountChanged();
              Changed();
            }));
  BindCheck(chkAuto, [this](bool On) {
    if (TContour* C = LineContour()) {
      C->AutoLevels = On;
      RebuildLevels();
    }
  });
  BindCheck(chkManual, [this](bool On) {
    if (TContour* C = LineContour()) {
      C->UseLevelList = On;
      RebuildLevels();
    }
  });
  BindCheck(chLabVisible, [this](bool On) {
    if (TContour* C = LineContour()) C->ShowLabels = On;
  });
  // Decimal places and the labelling interval reach the layer as typed.
  for (TNumberEdit* E : {edPos, edLblInt}) {
    BindField(
        E,
        [this, E] {
          const TContour* C = LineContour();
          return !C ? 0.0 : E == edPos ? C->LabelDigits : C->LabelEvery;
        },
        [this, E](double V) {
          TContour* C = LineContour();
          if (!C) return;
          if (E == edPos) {
            C->LabelDigits = static_cast<int>(V);
            C->BuildLevelTexts();
            ContourCountChanged();
          } else {
            C->LabelEvery = static_cast<int>(V);
          }
        },
        amLive);
  }
  BindCombo(cbColorStyle, [this](int I) {
    btContourColor->setEnabled(I == 1);
    if (TContour* C = LineContour()) C->OneColor = I == 1;
  });
  BindColor(
      btContourColor, [this] { return LineContour() ? LineContour()->GetColor() : clBlack; },
      [this](unsigned Color) {
        if (TContour* C = LineContour()) C->SetColor(Color);
      });
  connect(btLabelFont, &QPushButton::clicked, this, Guarded([this] {
            TContour* C = LineContour();
            if (!Begin() || !C) return;
            TFont Copy;
            Copy.SetData(C->LabelFont);
            if (!EditFont(Copy) || !LineContour()) return;
            C->LabelFont = Copy.Data();
            Changed();
          }));
  connect(Button1, &QPushButton::clicked, this, Guarded([this] { ContourApplyClick(); }));
  connect(btManualApply, &QPushButton::clicked, this, Guarded([this] { ManualApplyClick(); }));
}

TContour* TfmGraphProperties::LineContour() const {
  return dynamic_cast<TContour*>(CurrentContour.Get());
}

void TfmGraphProperties::LoadContourPage() {
  CurrentContour.Reset();
  for (int I = 0; I < Graph->LayerCount() && !CurrentContour.Get(); ++I)
    if (auto* C = dynamic_cast<TContour*>(Graph->GetLayer(I)); C && !C->GetShaded())
      CurrentContour = TLayerHandle(C);
  TContour* C = LineContour();
  PageControl1->SetTabVisible(piContour, C != nullptr);
  if (!C) return;
  const bool WasLoading = Loading;
  Loading = true;
  edMin->ShowValue(C->LevelStart);
  edMax->ShowValue(C->LevelEnd);
  edRMin->setText(PropertiesNumberText(C->GetZMin()));
  edRMax->setText(PropertiesNumberText(C->GetZMax()));
  chLowLab->setChecked(C->UseLevelStart);
  chUpLab->setChecked(C->UseLevelEnd);
  edMin->setEnabled(C->UseLevelStart);
  edMax->setEnabled(C->UseLevelEnd);
  edPos->ShowValue(C->LabelDigits);
  edLblInt->ShowValue(C->LabelEvery);
  edNum->ShowValue(C->LevelCount);
  (C->UseLevelStep ? rbInt : rbNum)->setChecked(true);
  if (C->UseLevelStep) edInt->setText(IntervalText(C->LevelStep));
  ContourCountChanged();
  chkAuto->setChecked(C->AutoLevels);
  chkManual->setChecked(C->UseLevelList);
  chLabVisible->setChecked(C->ShowLabels);
  cbColorStyle->setCurrentIndex(C->OneColor ? 1 : 0);
  btContourColor->setEnabled(C->OneColor);
  mmLevels->setPlainText(C->LevelList.join(u'\n'));
  Loading = WasLoading;
}

QString TfmGraphProperties::IntervalText(double Value) const {
  const int Digits = std::clamp(edPos->IntValue(), 0, 10);
  const double A = std::fabs(Value);
  if (!(A >= FixedFrom && A <= FixedTo)) return QString::number(Value, 'g', 12).toUpper();
  QString T = QString::number(Value, 'f', Digits).trimmed();
  if (T.contains(u'.'))
    while (T.endsWith(u'0') && !T.endsWith(QStringLiteral(".0"))) T.chop(1);
  return T;
}

double TfmGraphProperties::LevelCountFor(double Interval) const {
  const double Range = edMax->Value() - edMin->Value();
  return Interval > 0 ? std::round(Range / Interval) + 1 : 0;
}

QString TfmGraphProperties::RangeRefusal() {
  return QStringLiteral("Minimum must be less than Maximum.");
}

// Shows the count for the interval, or the interval for the count: as typed, or in force.
void TfmGraphProperties::ContourCountChanged() {
  double Min, Max;
  if (!edMin->Rule().Parse(edMin->text(), Min) || !edMax->Rule().Parse(edMax->text(), Max)) return;
  const double Range = Max - Min;
  const bool WasLoading = Loading;
  Loading = true;
  double V;
  if (rbNum->isChecked()) {
    if (edNum->Rule().Parse(edNum->text(), V)) {
      const int N = static_cast<int>(V);
      const double I = N == 0 ? 0 : N == 1 ? Range * 2 : N == 2 ? Range / 2 : Range / N;
      if (!edInt->Typing()) edInt->setText(N == 0 ? QStringLiteral("0") : IntervalText(I));
    }
  } else if (edInt->Rule().Parse(edInt->text(), V) && !edNum->Typing()) {
    const double Count = V > 0 ? std::round(Range / V) + 1 : 0;
    // A count too large for an integer is still shown, as what the range refuses.
    edNum->setText(std::fabs(Count) < 1e9 ? QString::number(static_cast<long long>(Count))
                                          : QString::number(Count, 'g', 12).toUpper());
  }
  Loading = WasLoading;
}

// The levels from the values in force, counted as chosen; false, told, for a count from the
// interval that the count's range refuses.
bool TfmGraphProperties::ContourCommit() {
  TContour* C = LineContour();
  if (!C) return false;
  ContourCountChanged();
  const bool ByInterval = rbInt->isChecked();
  if (ByInterval) {
    const QString Why = edInt->OnCheck(edInt->Value());
    if (!Why.isEmpty()) {
      MessageDlg(Why, mtError, mbOK);
      return false;
    }
  }
  C->LevelStart = edMin->Value();
  C->LevelEnd = edMax->Value();
  C->LevelCount = edNum->IntValue();
  C->UseLevelStep = ByInterval;
  if (ByInterval) C->LevelStep = edInt->Value();
  return true;
}

void TfmGraphProperties::RebuildLevels() {
  TContour* C = LineContour();
  if (!C) return;
  C->MakeLevels();
  C->BuildLevelTexts();
  if (!C->LevelErrors.isEmpty()) MessageDlg(C->LevelErrors.join(u'\n'), mtError, mbOK);
}

void TfmGraphProperties::ContourApplyClick() {
  if (!Begin() || !CheckEdits() || !ContourCommit()) return;
  RebuildLevels();
  Changed();
}

void TfmGraphProperties::ManualApplyClick() {
  TContour* C = LineContour();
  if (!Begin() || !C) return;
  const QStringList Lines = mmLevels->toPlainText().split(u'\n');
  QStringList Levels;
  for (int I = 0; I < Lines.size(); ++I) {
    const QString T = Lines[I].trimmed();
    // Blank lines, a last empty one above all, are no levels.
    if (T.isEmpty()) continue;
    double V = 0;
    const QByteArray B = T.toUtf8();
    if (!TryTextToFloat(std::string_view(B.constData(), B.size()), V) || !std::isfinite(V)) {
      MessageDlg(QStringLiteral("Line ") + QString::number(I + 1) + QStringLiteral(" error."),
                 mtError, mbOK);
      mmLevels->setFocus();
      return;
    }
    Levels.append(T);
  }
  // The memo is the whole list: what it no longer holds is no level any more.
  C->LevelList = Levels;
  RebuildLevels();
  Changed();
}
