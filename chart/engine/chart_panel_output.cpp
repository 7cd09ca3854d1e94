// The panel's pictures and printing.
#include <algorithm>
#include <cmath>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPrinter>

#include "chart/engine/chart_exceptions.h"
#include "chart/engine/chart_panel.h"
#include "platform/canvas_targets.h"
#include "platform/clipboard.h"
#include "platform/flag_guard.h"
#include "platform/metafile_writer.h"
#include "platform/number_text.h"
#include "platform/print_job_target.h"
#include "platform/printer.h"
#include "platform/text_file.h"

void TCustomChartPanel::DrawToMetaCanvas(TCanvas* Canvas, const TRect& R) {
  TChartCanvas3D* C = FCanvas3D.get();
  const bool Buffer = C->GetUseBuffer();
  // A print draws through here too and stays a print.
  TValueGuard Device(FDevice, FDevice.Printing ? FDevice : TPaintContext::Picture(Canvas).Traits);
  C->SetUseBuffer(false);
  try {
    Draw(Canvas, R);
  } catch (...) {
    C->SetUseBuffer(Buffer);
    C->SetCanvas(this->Canvas());
    throw;
  }
  C->SetUseBuffer(Buffer);
  C->SetCanvas(this->Canvas());
}

namespace {
std::unique_ptr<TBitmap> FilledBitmap(TColor BackColor, int Width, int Height) {
  auto B = std::make_unique<TBitmap>(std::max(Width, 1), std::max(Height, 1));
  // A new bitmap is white already.
  if (BackColor != clWhite) {
    B->Canvas()->Brush()->SetData(TBrushData{BackColor, bsSolid, {}});
    B->Canvas()->FillRect({0, 0, B->Width(), B->Height()});
  }
  return B;
}
}  // namespace

std::unique_ptr<TBitmap> TCustomChartPanel::CreatePrintBitmap(TColor BackColor) {
  TRect R = ClientRect();
  const TSize Extent = CalcPrintExtents(R).WindowExt;
  // One pixel per logical unit at the screen's resolution, as the printed drawing has.
  auto B = FilledBitmap(BackColor, Extent.cx, Extent.cy);
  TValueGuard Device(FDevice, TPaintContext::Print(B->Canvas(), false).Traits);
  DrawToMetaCanvas(B->Canvas(), {0, 0, Extent.cx, Extent.cy});
  return B;
}

std::unique_ptr<TBitmap> TCustomChartPanel::CreateBitmap(TColor BackColor, const TRect& R) {
  auto B = FilledBitmap(BackColor, R.Width(), R.Height());
  // R is in the panel's image pixels, so the picture has the image's resolution too.
  B->SetPixelsPerInch(Backing()->PixelsPerInch());
  TChartCanvas3D* C = FCanvas3D.get();
  const bool Buffer = C->GetUseBuffer();
  C->SetUseBuffer(false);
  Draw(B->Canvas(), {0, 0, R.Width(), R.Height()});
  C->SetUseBuffer(Buffer);
  C->SetCanvas(Canvas());
  return B;
}

TFileStatus TCustomChartPanel::SaveToBitmapFile(const QString& FileName) {
  return CreateBitmap(clWhite, GetRectangle())->SaveToFile(FileName);
}

void TCustomChartPanel::CopyToClipboardBitmap() {
  SetClipboardImage(CreateBitmap(clWhite, GetRectangle())->Image());
}

namespace {
// A metafile of the rectangle is one pixel narrower and lower, and never of no size.
TSize MetafileSize(const TRect& R) {
  return {std::max(1, R.Right - R.Left - 1), std::max(1, R.Bottom - R.Top - 1)};
}
}  // namespace

QByteArray TCustomChartPanel::MetafileData(bool Enhanced, const TRect& R) {
  const TSize S = MetafileSize(R);
  return MetafileBytes(Enhanced ? TMetafileFormat::Emf : TMetafileFormat::Wmf, S.cx, S.cy,
                       [&](TCanvas& C) { DrawToMetaCanvas(&C, R); });
}

TFileStatus TCustomChartPanel::SaveToMetafileRect(bool Enhanced, const QString& FileName,
                                                  const TRect& R) {
  const TSize S = MetafileSize(R);
  std::unique_ptr<TMetafileSink> Sink = CreateMetafileWriter(
      Enhanced ? TMetafileFormat::Emf : TMetafileFormat::Wmf, FileName, S.cx, S.cy);
  if (Sink) {
    TCanvas C(Sink.get());
    DrawToMetaCanvas(&C, R);
  }
  if (!Sink)
    return {TFileError::NotMade, TFileOp::Write, FileName, 0,
            QStringLiteral("the picture could not be made")};
  return Sink->Finish();
}

TFileStatus TCustomChartPanel::SaveToMetafile(const QString& FileName) {
  return SaveToMetafileRect(false, FileName, ClientRect());
}

TFileStatus TCustomChartPanel::SaveToMetafileEnh(const QString& FileName) {
  return SaveToMetafileRect(true, FileName, ClientRect());
}

void TCustomChartPanel::CopyToClipboardMetafile(bool Enhanced) {
  // The picture as metafile bytes beside the bitmap, for programs that take either.
  auto* Data = new QMimeData;
  Data->setImageData(CreateBitmap(clWhite, GetRectangle())->Image());
  Data->setData(Enhanced ? QStringLiteral("image/x-emf") : QStringLiteral("image/x-wmf"),
                MetafileData(Enhanced, ClientRect()));
  if (QClipboard* C = QGuiApplication::clipboard())
    C->setMimeData(Data);
  else
    delete Data;
}

TRect TCustomChartPanel::ProportionalPrintMargins(int PageWidth, int PageHeight, int DpiX,
                                                  int DpiY) const {
  // A panel or page of no size still prints: every extent counts as at least one pixel.
  const double W = std::max(width(), 1), H = std::max(height(), 1);
  const double PW = std::max(PageWidth, 1), PH = std::max(PageHeight, 1);
  const double Ratio = double(std::max(DpiX, 1)) / std::max(DpiY, 1);
  if (H >= W) {
    const int M = RoundInt((PW - 0.6 * PH * (W / H) * Ratio) * 100 / PW) / 2;
    return {M, 15, M, 15};
  }
  const int M = RoundInt((PH - 0.6 * PW * (H / W) * Ratio) * 100 / PH) / 2;
  return {15, M, 15, M};
}

TRect TCustomChartPanel::GetPrintRect(int PW, int PH, int DpiX, int DpiY) {
  if (FPrintProportional) {
    const TRect M = ProportionalPrintMargins(PW, PH, DpiX, DpiY);
    SetPrintMargins(M.Left, M.Top, M.Right, M.Bottom);
  }
  return {RoundInt(PW * FPrintMargins[0] / 100.0), RoundInt(PH * FPrintMargins[1] / 100.0),
          PW - RoundInt(PW * FPrintMargins[2] / 100.0),
          PH - RoundInt(PH * FPrintMargins[3] / 100.0)};
}

TRect TCustomChartPanel::GetPrintRect() {
  QPrinter& P = Printer();
  return GetPrintRect(P.width(), P.height(), P.logicalDpiX(), P.logicalDpiY());
}

TCanvasMapping TCustomChartPanel::CalcPrintExtents(TRect& R) const {
  const int W = std::max(width(), 1), H = std::max(height(), 1);
  const int LW = std::max(W - MulDiv(W, FPrintResolution, 100), 1);
  const int LH = std::max(H - MulDiv(H, FPrintResolution, 100), 1);
  const int RW = std::max(R.Width(), 1), RH = std::max(R.Height(), 1);
  TCanvasMapping M;
  M.WindowExt = {LW, LH};
  M.ViewportExt = {RW, RH};
  R = {MulDiv(R.Left, LW, RW), MulDiv(R.Top, LH, RH), MulDiv(R.Right, LW, RW),
       MulDiv(R.Bottom, LH, RH)};
  if (R.Right <= R.Left) R.Right = R.Left + 1;
  if (R.Bottom <= R.Top) R.Bottom = R.Top + 1;
  return M;
}

void TCustomChartPanel::PrintPartialCanvas(TCanvas* Canvas, TRect R) {
  if (!Canvas) return;
  if (R.Left > R.Right) std::swap(R.Left, R.Right);
  if (R.Top > R.Bottom) std::swap(R.Top, R.Bottom);
  const TCanvasMapping M = CalcPrintExtents(R);
  Canvas->SetMapping(M);
  // The drawing keeps the panel's own pixel size and the mapping scales it onto the page, so
  // fonts are measured at the screen's resolution to keep their proportion to the lines.
  Canvas->Font()->SetPixelsPerInch(96);
  TValueGuard Device(FDevice, TPaintContext::Print(Canvas, false).Traits);
  try {
    if (CanClip()) ClipCanvas(*Canvas, R);
    DrawToMetaCanvas(Canvas, R);
  } catch (...) {
    Canvas->ResetClip();
    Canvas->ResetMapping();
    throw;
  }
  Canvas->ResetClip();
  Canvas->ResetMapping();
}

void TCustomChartPanel::PrintPartial(const TRect& R) {
  // Only within a job (PrintRect); outside one there is no page to draw on.
  if (FJobCanvas) PrintPartialCanvas(FJobCanvas, R);
}

void TCustomChartPanel::PrintRect(const TRect& R) {
  TPrintJob Job(Name());
  QString Error;
  if (!Job.BeginDoc(&Error)) {
    if (Error.isEmpty()) return;  // the user cancelled the file choice
    throw ChartException(Error.toStdString());
  }
  try {
    TPrintJobTarget Target(Job);
    TCanvas C(&Target);
    FJobCanvas = &C;
    PrintPartial(R);
    FJobCanvas = nullptr;
  } catch (...) {
    FJobCanvas = nullptr;
    Job.Abort();
    throw;
  }
  if (!Job.EndDoc(&Error)) throw ChartException(Error.toStdString());
}

void TCustomChartPanel::Print() { PrintRect(GetPrintRect()); }
