#include "app/graphics/chart_window_tools.h"

#include <QAction>
#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>

#include "chart/engine/chart.h"
#include "platform/app_services.h"
#include "platform/controls.h"
#include "platform/dialogs.h"

QScrollBar* AddViewBar(QGridLayout* Grid, int Column, const QString& Caption, const char* Name,
                       TView3DRange Range, int Position, std::function<void(int)> OnChange) {
  QWidget* Parent = Grid->parentWidget();
  auto* Label = new QLabel(Caption, Parent);
  Label->setObjectName(QStringLiteral("lb") + QLatin1String(Name));
  auto* Bar = new QScrollBar(Qt::Horizontal, Parent);
  Bar->setObjectName(QLatin1String(Name));
  Bar->setRange(Range.Min, Range.Max);
  Bar->setValue(Position);
  Bar->setMinimumWidth(90);
  Label->setBuddy(Bar);
  Grid->addWidget(Label, 0, Column);
  Grid->addWidget(Bar, 1, Column);
  QObject::connect(Bar, &QScrollBar::valueChanged, Parent, Guarded(std::move(OnChange)));
  return Bar;
}

TSpeedButton* AddToolButton(QWidget* Bar, const char* Name, const QString& Caption,
                            const QString& Hint, int GroupIndex) {
  auto* B = new TSpeedButton(Bar);
  B->setObjectName(QLatin1String(Name));
  B->SetCaption(Caption);
  B->SetHint(Hint);
  B->SetGroupIndex(GroupIndex);
  return B;
}

TSpeedButton* AddPartnerButton(QWidget* Bar, const char* Name, int GroupIndex) {
  auto* B = new TSpeedButton(Bar);
  B->setObjectName(QLatin1String(Name));
  B->SetGroupIndex(GroupIndex);
  B->setVisible(false);
  return B;
}

void ShowToggle(TSpeedButton* Toggle, TSpeedButton* Partner, bool Down) {
  (Down ? Toggle : Partner)->SetDown(true);
}

QAction* AddItem(QMenu* Menu, const char* Name, const QString& Caption, QObject* Context,
                 std::function<void()> Handler, bool Checkable) {
  QAction* A = Menu->addAction(Caption);
  A->setObjectName(QLatin1String(Name));
  A->setCheckable(Checkable);
  // A checkable item keeps the check its command sets, not the one Qt toggled on the click.
  QObject::connect(A, &QAction::triggered, Context,
                   Guarded([A, Checkable, Handler = std::move(Handler)] {
                     if (Checkable) A->setChecked(!A->isChecked());
                     Handler();
                   }));
  return A;
}

void SaveChartAs(TCustomChartPanel& Chart, TSaveDialog& Dialog) {
  static const char* const Extensions[] = {"BMP", "WMF", "EMF"};
  Dialog.DefaultExt = QStringLiteral("BMP");
  Dialog.Filter =
      QStringLiteral("Windows Bitmap|*.BMP|Windows Metafile|*.WMF|Windows Enhanced Metafile|*.EMF");
  if (!Dialog.Execute()) return;
  // The file type chosen in the dialog sets the default extension, which picks the writer.
  if (Dialog.FilterIndex >= 1 && Dialog.FilterIndex <= 3)
    Dialog.DefaultExt = QLatin1String(Extensions[Dialog.FilterIndex - 1]);
  TFileStatus S;
  if (Dialog.DefaultExt == QLatin1String("WMF"))
    S = Chart.SaveToMetafile(Dialog.FileName);
  else if (Dialog.DefaultExt == QLatin1String("EMF"))
    S = Chart.SaveToMetafileEnh(Dialog.FileName);
  else
    S = Chart.SaveToBitmapFile(Dialog.FileName);
  if (!S.Ok()) ShowError(FileFailureText(S));
}

bool ToggleChartGrid(TChart& Chart) {
  const bool On = !Chart.LeftAxis()->Grid()->Visible();
  for (TChartAxis* A : {Chart.LeftAxis(), Chart.BottomAxis(), Chart.DepthAxis()})
    A->Grid()->SetVisible(On);
  Chart.Invalidate();
  return On;
}

bool ToggleChartLegend(TChart& Chart) {
  const bool On = !Chart.Legend()->Visible();
  Chart.Legend()->SetVisible(On);
  return On;
}
