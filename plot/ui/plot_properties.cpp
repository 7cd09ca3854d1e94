#include "plot/ui/plot_properties.h"

#include "plot/ui/plot.h"

void TPlotPersistent::Changed() const {
  if (FPlot->AutoApply) FPlot->PaintGraph();
}

// --- Axis ---------------------------------------------------------------------------------------

TPlotAxis::TPlotAxis(TPlot* APlot, TAxis* AAxis)
    : TPlotPersistent(APlot), Ticks(APlot, this, AAxis), FAxis(AAxis) {
  for (TFont* F : {&FAxis->Font, &FAxis->NameFont}) {
    F->SetName(QStringLiteral("Arial"));
    F->SetColor(clBlack);
  }
  FAxis->SetVisible(true);
}

void TPlotAxis::SetVisible(bool V) {
  if (FAxis->GetVisible() == V) return;
  FAxis->SetVisible(V);
  Changed();
}

void TPlotAxis::SetLog(bool V) {
  if (FAxis->Log == V) return;
  FAxis->SetLog(V);
  Changed();
}

void TPlotAxis::SetColor(TColor V) {
  if (FAxis->GetColor() == V) return;
  FAxis->SetColor(V);
  Changed();
}

void TPlotAxis::SetFont(const TFont& V) {
  FAxis->Font.Assign(V);
  Changed();
}

void TPlotAxis::SetNameFont(const TFont& V) {
  FAxis->NameFont.Assign(V);
  Changed();
}

void TPlotAxis::SetLabelsFrequency(int V) {
  if (FAxis->LabelsFrequency == V) return;
  FAxis->LabelsFrequency = V;
  FPlot->PaintGraph();
}

// --- Titles -------------------------------------------------------------------------------------

QString TPlotTitles::GetText() const {
  QString S;
  for (const QString& L : FTitle->Lines) S += L + u'#';
  return S;
}

void TPlotTitles::SetText(const QString& V) {
  FTitle->Clear();
  if (V.isEmpty()) Changed();
  // Walked by position: removing each line from the front would be quadratic in a long text.
  qsizetype At = 0;
  while (At < V.size()) {
    qsizetype Hash = V.indexOf(u'#', At);
    if (Hash < 0) Hash = V.size();
    if (!FTitle->AddLine(V.mid(At, Hash - At))) break;
    At = Hash + 1;
    Changed();
  }
}

void TPlotTitles::SetFont(const TFont& V) {
  FTitle->Font.Assign(V);
  Changed();
}

// --- Zoom ---------------------------------------------------------------------------------------

TPlotZoom::TPlotZoom(TPlot* APlot, TZoom* AZoom) : TPlotPersistent(APlot), FZoom(AZoom) {
  FZoom->Enabled = FEnabled;
  FZoom->ZoomAutoStop = FZoomAutoStop;
  FZoom->Steps = FSteps;
  FZoom->ChangePerStep = FChangePerStep;
  FZoom->Style = FStyle;
}

// --- Info ---------------------------------------------------------------------------------------

void TPlotInfo::SetVisible(bool V) {
  if (FInfo->GetVisible() == V) return;
  FInfo->SetVisible(V);
  Changed();
}

// --- Picture ------------------------------------------------------------------------------------

void TPlotPicture::SetPictureFileName(const QString& V) {
  // Compared as the file system compares names: "a.bmp" and "A.BMP" are two files here.
  if (FPicture->PictureFileName == V) return;
  FPicture->PictureFileName = V;
  FPicture->LoadPicture();
  if (!FPlot->Creating) FPlot->PaintGraph();
  Changed();
}

void TPlotPicture::SetVisible(bool V) {
  if (FPicture->GetVisible() == V) return;
  FPicture->SetVisible(V);
  Changed();
}

// --- Frame --------------------------------------------------------------------------------------

void TPlotFrame::SetVisible(bool V) {
  if (FFrame->GetVisible() == V) return;
  FFrame->SetVisible(V);
  Changed();
}
