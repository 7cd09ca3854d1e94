#include "plot/ui/graph_ticks.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/app_services.h"
#include "plot/ui/graph_properties.h"
#include "plot/ui/plot.h"

namespace {
constexpr int MaxLength = 3000;
}

TfmGraphTicks::TfmGraphTicks(QWidget* Owner) : TForm(Owner) {
  setObjectName(QStringLiteral("fmGraphTicks"));
  SetBorderStyle(bsDialog);
}

TfmGraphTicks::~TfmGraphTicks() = default;

void TfmGraphTicks::FormCreate() {
  Loading = true;
  setWindowTitle(QStringLiteral("Ticks Properties"));
  auto* Layout = new QGridLayout(this);
  auto Group = [&](const QString& Caption, QCheckBox*& Visible, TNumberEdit*& Length,
                   TSpeedButton*& Up, TSpeedButton*& Down, const QString& Key) {
    auto* G = new QGroupBox(Caption, this);
    auto* L = new QGridLayout(G);
    Visible = new QCheckBox(QStringLiteral("Visible"), G);
    Visible->setObjectName(QStringLiteral("ch%1Visible").arg(Key));
    Length = new TNumberEdit(G);
    Length->setObjectName(QStringLiteral("ed%1Length").arg(Key));
    Up = new TSpeedButton(G);
    Up->setObjectName(QStringLiteral("sb%1Up").arg(Key));
    Up->setArrowType(Qt::UpArrow);
    Down = new TSpeedButton(G);
    Down->setObjectName(QStringLiteral("sb%1Down").arg(Key));
    Down->setArrowType(Qt::DownArrow);
    L->addWidget(Visible, 0, 0, 1, 4);
    L->addWidget(new QLabel(QStringLiteral("Length"), G), 1, 0);
    L->addWidget(Length, 1, 1);
    L->addWidget(Up, 1, 2);
    L->addWidget(Down, 1, 3);
    return G;
  };
  Layout->addWidget(Group(QStringLiteral("Major Ticks"), chMjVisible, edMjLength, sbMjUp, sbMjDown,
                          QStringLiteral("Mj")),
                    0, 0, 1, 2);
  Layout->addWidget(Group(QStringLiteral("Minor Ticks"), chMiVisible, edMiLength, sbMiUp, sbMiDown,
                          QStringLiteral("Mi")),
                    1, 0, 1, 2);
  cbDir = new QComboBox(this);
  cbDir->setObjectName(QStringLiteral("cbDir"));
  cbDir->addItems({QStringLiteral("Out"), QStringLiteral("In")});
  Layout->addWidget(new QLabel(QStringLiteral("Direction:"), this), 2, 0);
  Layout->addWidget(cbDir, 2, 1);
  btApplay = new QPushButton(QStringLiteral("&Apply"), this);
  btApplay->setObjectName(QStringLiteral("btApplay"));
  btApplay->setAutoDefault(false);
  Layout->addWidget(btApplay, 3, 1);

  auto Visible = [this](QCheckBox* Box, bool Major) {
    connect(Box, &QCheckBox::toggled, this, Guarded([this, Major](bool On) {
              if (Loading) return;
              if (Major)
                FAxis->Ticks.SetMajorVisible(On);
              else
                FAxis->Ticks.SetMinorVisible(On);
              Changed();
            }));
  };
  Visible(chMjVisible, true);
  Visible(chMiVisible, false);
  auto Length = [this](TNumberEdit* Edit, bool Major) {
    // The range message names the field as the user sees it, not the edit's own name.
    Edit->SetRule(std::make_unique<GraphValidates::TIntRule>(
        0, MaxLength, Major ? QStringLiteral("Major Length") : QStringLiteral("Minor Length")));
    Edit->SetLive(true);
    Edit->SetIncrement(1);
    Edit->OnRead = [this, Major] {
      return Major ? FAxis->Ticks.GetMajorLength() : FAxis->Ticks.GetMinorLength();
    };
    Edit->OnApply = [this, Major](double L) {
      if (Major)
        FAxis->Ticks.SetMajorLength(static_cast<int>(L));
      else
        FAxis->Ticks.SetMinorLength(static_cast<int>(L));
    };
    connect(Edit, &TNumberEdit::Applied, this, Guarded([this] {
              if (!Loading) Changed();
            }));
  };
  Length(edMjLength, true);
  Length(edMiLength, false);
  connect(sbMjUp, &TSpeedButton::Click, this, Guarded([this] { StepLength(edMjLength, 1); }));
  connect(sbMjDown, &TSpeedButton::Click, this, Guarded([this] { StepLength(edMjLength, -1); }));
  connect(sbMiUp, &TSpeedButton::Click, this, Guarded([this] { StepLength(edMiLength, 1); }));
  connect(sbMiDown, &TSpeedButton::Click, this, Guarded([this] { StepLength(edMiLength, -1); }));
  connect(cbDir, &QComboBox::currentIndexChanged, this, Guarded([this](int I) {
            if (Loading || I < 0) return;
            FAxis->Ticks.SetDirection(static_cast<TTicksDirection>(I));
            Changed();
          }));
  connect(btApplay, &QPushButton::clicked, this, Guarded([this] {
            if (FProperties) FProperties->ApplyClick();
          }));
}

void TfmGraphTicks::Load(TfmGraphProperties* Properties, TPlotAxis* Axis) {
  Loading = true;
  FProperties = Properties;
  FAxis = Axis;
  chMjVisible->setChecked(Axis->Ticks.GetMajorVisible());
  chMiVisible->setChecked(Axis->Ticks.GetMinorVisible());
  edMjLength->Load();
  edMiLength->Load();
  cbDir->setCurrentIndex(Axis->Ticks.GetDirection());
  btApplay->setEnabled(!Properties->cbAutoApply->isChecked());
  Loading = false;
}

void TfmGraphTicks::Execute(TfmGraphProperties* Properties, TPlotAxis* Axis) {
  Load(Properties, Axis);
  ShowModal();
}

void TfmGraphTicks::StepLength(TNumberEdit* Edit, int Delta) { Edit->Step(Delta); }

void TfmGraphTicks::Changed() {
  if (!FProperties) return;
  FProperties->SetModified();
  FProperties->LiveApply();
}
