#include "plot/ui/annotate_tools.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGridLayout>

#include "platform/app_services.h"
#include "platform/controls.h"
#include "platform/flag_guard.h"
#include "plot/core/graph.h"
#include "plot/ui/plot_cursors.h"

namespace {
QPointer<TfmAnnotateTools> GTools;

QString CursorName(TCursor Id) {
  for (const TPlotCursorEntry& E : PlotCursorTable())
    if (E.Id == Id) return QString::fromLatin1(E.Name);
  return {};
}
}  // namespace

TfmAnnotateTools::TfmAnnotateTools(QWidget* Owner) : TForm(Owner) {
  setObjectName(QStringLiteral("fmAnnotateTools"));
  SetBorderStyle(bsToolWindow);
}

TfmAnnotateTools::~TfmAnnotateTools() = default;

void TfmAnnotateTools::FormCreate() {
  setWindowTitle(QStringLiteral("Annotate Tools"));
  auto* Grid = new QGridLayout(this);
  Grid->setSpacing(2);
  auto Button = [this](const char* Name, const char* Hint, int Group) {
    auto* B = new TSpeedButton(this);
    B->setObjectName(QString::fromLatin1(Name));
    B->SetHint(QString::fromLatin1(Hint));
    B->SetGroupIndex(Group);
    B->setIconSize({24, 24});
    return B;
  };
  struct TToolButton {
    TSpeedButton*& Button;
    const char* Name;
    const char* Hint;
    TAnnotateTool Tool;
  };
  const TToolButton Tools[] = {{sbNone, "sbNone", "Select (right button click)", atNone},
                               {sbShap, "sbShap", "Draw symbol", atShape},
                               {sbLine, "sbLine", "Draw line", atLine},
                               {sbArrow, "sbArrow", "Draw arrow", atArrow},
                               {sbRect, "sbRect", "Draw rectangle", atRect},
                               {sbText, "sbText", "Draw text", atText},
                               {sbCircle, "sbCircle", "Draw circle", atCircle},
                               {sbPencil, "sbPencil", "Pencil", atPencil}};
  int Slot = 0;
  for (const TToolButton& T : Tools) {
    T.Button = Button(T.Name, T.Hint, 1);
    const TCursor C = AnnotateToolCursor(T.Tool);
    if (C != crDefault)
      T.Button->setIcon(QIcon(PlotCursorImage(CursorName(C)).pixmap()));
    else
      T.Button->setText(QStringLiteral("\u2196"));
    const TAnnotateTool Tool = T.Tool;
    connect(T.Button, &TSpeedButton::Click, this, Guarded([this, Tool] { ToolClick(Tool); }));
    Grid->addWidget(T.Button, Slot / 4, Slot % 4);
    ++Slot;
  }
  sbNone->SetDown(true);
  sbtRefresh = Button("sbtRefresh", "Refresh graph", 0);
  sbtRefresh->setText(QStringLiteral("\u21BB"));
  SpeedButton2 = Button("SpeedButton2", "Delete all", 0);
  SpeedButton2->setText(QStringLiteral("\u2715"));
  Grid->addWidget(sbtRefresh, 2, 0);
  Grid->addWidget(SpeedButton2, 2, 1);
  chbAuto = new QCheckBox(QStringLiteral("Autorefresh"), this);
  chbAuto->setObjectName(QStringLiteral("chbAuto"));
  cbVisible = new QCheckBox(QStringLiteral("All Visible"), this);
  cbVisible->setObjectName(QStringLiteral("cbVisible"));
  cbVisible->setChecked(true);
  Grid->addWidget(chbAuto, 3, 0, 1, 4);
  Grid->addWidget(cbVisible, 4, 0, 1, 4);
  connect(sbtRefresh, &TSpeedButton::Click, this, Guarded([this] { RefreshClick(); }));
  connect(SpeedButton2, &TSpeedButton::Click, this, Guarded([this] { DeleteAllClick(); }));
  connect(chbAuto, &QCheckBox::toggled, this, Guarded([this] { AutoClick(); }));
  connect(cbVisible, &QCheckBox::toggled, this, Guarded([this] { VisibleClick(); }));
}

TGraphAnnotate* TfmAnnotateTools::Layer() const {
  return static_cast<TGraphAnnotate*>(FLayer.Get());
}

void TfmAnnotateTools::Bind(TGraphAnnotate* ALayer, QWidget* OwnerForm) {
  FLayer = ALayer ? ALayer->Handle() : TLayerHandle();
  FOwnerForm = OwnerForm;
  if (ALayer) {
    TFlagGuard Guard(FBinding);
    chbAuto->setChecked(ALayer->AutoRefresh);
    cbVisible->setChecked(ALayer->GetVisible());
    sbtRefresh->setEnabled(!ALayer->AutoRefresh);
  }
  // A tool window of the plot's window stays above it while the user draws in the plot.
  if (OwnerForm && parentWidget() != OwnerForm) {
    setParent(OwnerForm, windowFlags());
    // The one window outlives every plot window it serves.
    connect(OwnerForm, &QObject::destroyed, this, [this, OwnerForm] {
      if (parentWidget() == OwnerForm) setParent(nullptr, windowFlags());
    });
  }
  // Placed once shown, when the window knows its own size, and again once it has its frame.
  show();
  if (OwnerForm)
    KeepFrameOnScreen(this, [Owner = QPointer<QWidget>(OwnerForm)](const QSize& Frame) {
      const QRect F = WindowFrame(Owner);
      return QPoint(F.left() + F.width() - Frame.width(), F.top() + 20);
    });
  raise();
}

void TfmAnnotateTools::Repaint() {
  if (TGraphAnnotate* L = Layer()) L->Graph->Repaint();
}

void TfmAnnotateTools::ToolClick(TAnnotateTool Tool) {
  TGraphAnnotate* L = Layer();
  if (!L) return;
  L->Tool = Tool;
  L->Graph->Owner->SetCursor(AnnotateToolCursor(Tool));
  if (Tool != atNone) {
    // Drawing and zooming both want the left button.
    L->Graph->Zoom.Enabled = false;
    L->Graph->ZoomAnimated = false;
  }
}

void TfmAnnotateTools::RefreshClick() { Repaint(); }

void TfmAnnotateTools::AutoClick() {
  sbtRefresh->setEnabled(!chbAuto->isChecked());
  if (FBinding) return;
  if (TGraphAnnotate* L = Layer()) L->AutoRefresh = chbAuto->isChecked();
}

void TfmAnnotateTools::VisibleClick() {
  if (FBinding) return;
  if (TGraphAnnotate* L = Layer()) {
    L->SetVisible(cbVisible->isChecked());
    Repaint();
  }
}

void TfmAnnotateTools::DeleteAllClick() {
  if (TGraphAnnotate* L = Layer()) {
    L->Clear();
    Repaint();
  }
}

void TfmAnnotateTools::FormClose(TCloseAction& Action) {
  if (TGraphAnnotate* L = Layer()) L->Tool = atNone;
  sbNone->SetDown(true);
  Action = caHide;
}

TfmAnnotateTools* AnnotateTools() {
  if (!GTools) {
    GTools = new TfmAnnotateTools(nullptr);
    GTools->DoCreate();
    QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit,
                     [] { FreeAnnotateTools(); });
  }
  return GTools;
}

void FreeAnnotateTools() { delete GTools.data(); }
