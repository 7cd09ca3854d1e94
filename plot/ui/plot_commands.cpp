// The plot control's commands: redraw, the dialogs, pictures, zoom, ticks and clearing.
#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QScrollBar>

#include "platform/canvas.h"
#include "platform/cursors.h"
#include "platform/dialogs.h"
#include "platform/metafile_writer.h"
#include "platform/text_file.h"
#include "plot/ui/plot.h"
#include "plot/ui/plot_dialog_entries.h"

void TPlot::Redraw() {
  LayoutChildren();
  PaintGraph();
  if (FLegendPanel->isVisibleTo(this)) {
    // Laid out and painted anew.
    FLegendPanel->hide();
    FLegendPanel->show();
  }
}

void TPlot::ShowProperties() { ExecutePlotProperties(*this); }

void TPlot::Print() { ExecutePlotPrint(*this); }

void TPlot::ImportData() {
  if (ExecutePlotImport(*this)) Redraw();
}

void TPlot::ExportData() { ExecutePlotExport(*this); }

void TPlot::ShowAnnotateTools() { ShowPlotAnnotateTools(*this); }

// --- Pictures -----------------------------------------------------------------------------------

void TPlot::SaveAs() {
  TSaveDialog D;
  D.Title = QStringLiteral("Save to file");
  D.Filter =
      QStringLiteral("BMP files (*.BMP)|*.BMP|WMF files (*.WMF)|*.WMF|EMF files (*.EMF)|*.EMF");
  D.DefaultExt = QStringLiteral("BMP");
  D.OverwritePrompt = true;
  if (!D.Execute()) return;
  QString Error;
  if (!SavePicture(D.FileName, D.FilterIndex, &Error)) ::ShowError(Error);
}

bool TPlot::SavePicture(const QString& FileName, int FilterIndex, QString* Error) {
  TBusyCursor Busy;
  TFileStatus S{TFileError::NotMade, TFileOp::Write, FileName, 0,
                QStringLiteral("the picture could not be made")};
  if (FilterIndex == 2 || FilterIndex == 3) {
    const int W = std::max(FImage->width(), 1), H = std::max(FImage->height(), 1);
    std::unique_ptr<TMetafileSink> Sink = CreateMetafileWriter(
        FilterIndex == 3 ? TMetafileFormat::Emf : TMetafileFormat::Wmf, FileName, W, H);
    if (Sink) {
      {
        TCanvas C(Sink.get());
        FGraph->PaintToPicture(&C, {0, 0, W, H});
      }
      S = Sink->Finish();
    }
    // The graph laid itself out for the picture; the image gets its own layout back.
    PaintGraph();
  } else {
    S = FImage->Backing()->SaveToFile(FileName);
  }
  if (!S.Ok() && Error) *Error = FileFailureText(S);
  return S.Ok();
}

void TPlot::CopyToClipboard() {
  QClipboard* Board = qobject_cast<QGuiApplication*>(QCoreApplication::instance())
                          ? QGuiApplication::clipboard()
                          : nullptr;
  if (!Board) return;
  const QImage& Picture = FImage->Backing()->Image();
  auto* Data = new QMimeData;
  Data->setImageData(Picture);
  QByteArray Png;
  {
    QBuffer B(&Png);
    B.open(QIODevice::WriteOnly);
    Picture.save(&B, "PNG");
  }
  Data->setData(QStringLiteral("image/png"), Png);
  Data->setData(QStringLiteral("image/bmp"), FImage->Backing()->SaveToData());
  Board->setMimeData(Data);
}

// --- Zoom ---------------------------------------------------------------------------------------

bool TPlot::ZoomPrevious() {
  const bool Remains = FGraph->Zoom.ZoomOut();
  FImage->update();
  return Remains;
}

void TPlot::ZoomOut() {
  FGraph->Zoom.Reset();
  FImage->update();
  Zoom->SetEnabled(false);
}

void TPlot::ZoomIn() {
  Zoom->SetEnabled(true);
  FGraph->ZoomAnimated = false;
}

void TPlot::AnimatedZoom() {
  Zoom->SetEnabled(true);
  FGraph->ZoomAnimated = true;
}

// --- Ticks --------------------------------------------------------------------------------------

void TPlot::SetTicks3D() {
  for (TPlotAxis* A : {XAxis.get(), YAxis.get()}) {
    A->Ticks.SetMinorVisible(false);
    A->Ticks.SetDirection(tdIN);
    A->Ticks.SetMajorLength(Frame->GetWidth());
  }
  FGraph->XAxis->MajorLineVisible = false;
  FGraph->YAxis->MajorLineVisible = false;
}

void TPlot::SetTicks2D() {
  for (TPlotAxis* A : {XAxis.get(), XAxis2.get()}) {
    A->Ticks.SetMinorVisible(true);
    A->Ticks.SetDirection(tdOut);
    A->Ticks.SetMajorLength(4);
  }
  for (TPlotAxis* A : {YAxis.get(), YAxis2.get()}) {
    A->Ticks.SetMinorVisible(true);
    A->Ticks.SetDirection(tdOut);
    A->Ticks.SetMinorLength(2);
  }
  for (TPlotAxis* A : {XAxis.get(), YAxis.get(), XAxis2.get(), YAxis2.get()})
    A->SetMajorLineVisible(true);
}

// --- Layers -------------------------------------------------------------------------------------

void TPlot::ClearGraph() { FGraph->Clear(); }

TColor TPlot::AutoScale() const {
  static constexpr TColor Standard[16] = {
      0x0000FF, 0xFF0000, 0x008000, 0x808000, 0x000080, 0x800000, 0x800080, 0x008080,
      0xC0C0C0, 0x808080, 0x000000, 0xFF00FF, 0x00FF00, 0xFFFF00, 0x00FFFF, 0xA8C1CE};
  for (TColor C : Standard) {
    bool Used = false;
    for (int I = 0; I < FGraph->LayerCount() && !Used; ++I)
      Used = FGraph->GetLayer(I)->GetColor() == C;
    if (!Used) return C;
  }
  return Standard[0];
}

void TPlot::UpdateGraph() {
  TZoom& Z = FGraph->Zoom;
  Z.Enabled = Zoom->GetEnabled();
  Z.ZoomAutoStop = Zoom->GetZoomAutoStop();
  Z.Steps = Zoom->GetSteps();
  Z.ChangePerStep = Zoom->GetChangePerStep();
  Z.Style = Zoom->GetStyle();
}

TLayer* TPlot::AddSeries(std::unique_ptr<TLayer> Layer) {
  return Layer ? FGraph->AddLayer(std::move(Layer)) : nullptr;
}
