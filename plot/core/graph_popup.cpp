// The graph's popup menu and its commands.
#include <QAction>
#include <QFile>
#include <QMenu>

#include "platform/app_services.h"
#include "plot/core/graph.h"

void TGraph::SetPopupMenuItems(unsigned Items) {
  FPopupMenuItems = Items & AllPopupMenuItems;
  FPopupMenu.reset();
}

QMenu* TGraph::PopupMenu() {
  if (!FPopupMenu) CreatePopupMenu();
  return FPopupMenu.get();
}

void TGraph::CreatePopupMenu() {
  FPopupMenu = std::make_unique<QMenu>();
  struct TItem {
    TPopupMenuItem Item;
    const char* Caption;
    const char* Name;
    void (TGraph::*Handler)();
  };
  static const TItem Items[] = {
      {piCopyToClipboard, "&Copy to Clipboard", "miCopyToClipboardGraph", &TGraph::CopyToClipboard},
      {piSaveAs, "&Save As...", "miSaveAsGraph", &TGraph::SaveAs},
      {piPrint, "&Print", "miPrintGraph", &TGraph::Print},
      // A name of its own: sharing the print item's would find the wrong item by name.
      {piHelp, "&Help", "miHelpGraph", &TGraph::ShowPlotHelp},
      {piZoomIn, "&Zoom In", "miZoomInGraph", &TGraph::ZoomInClick},
      {piZoomOut, "&Zoom Out", "miZoomOutGraph", &TGraph::ZoomOutClick},
  };
  auto Add = [&](const char* Caption, const char* Name, void (TGraph::*Handler)()) {
    QAction* A = FPopupMenu->addAction(QString::fromUtf8(Caption));
    A->setObjectName(QString::fromUtf8(Name));
    QObject::connect(A, &QAction::triggered, [this, Handler] { (this->*Handler)(); });
  };
  bool Others = false;
  for (const TItem& I : Items) {
    if (!(FPopupMenuItems & (1u << I.Item))) continue;
    Add(I.Caption, I.Name, I.Handler);
    Others = true;
  }
  if (FPopupMenuItems & (1u << piProperties)) {
    if (Others) FPopupMenu->addSeparator()->setObjectName(QStringLiteral("miGraphN1"));
    Add("&Properties", "miPropertiesGraph", &TGraph::PropertiesClick);
  }
}

void TGraph::CopyToClipboard() { Owner->CopyToClipboard(); }
void TGraph::SaveAs() { Owner->SaveAs(); }

void TGraph::Print() {
  Owner->Print();
  PrepareLayout();
}

void TGraph::ShowPlotHelp() {
  const QString File = ProgramDir() + QStringLiteral("/Plot.HLP");
  if (!QFile::exists(File)) return;
  const QString Saved = HelpFile();
  SetHelpFile(File);
  ShowHelpContext(0);
  SetHelpFile(Saved);
}

void TGraph::ZoomInClick() {
  Zoom.Enabled = true;
  ZoomAnimated = false;
}

void TGraph::ZoomOutClick() {
  Zoom.Reset();
  Zoom.Enabled = false;
}

void TGraph::PropertiesClick() { Owner->Properties(); }
