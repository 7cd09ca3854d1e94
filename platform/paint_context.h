#pragma once
// What a draw is handed: the canvas and what the device it draws on is like. The traits come
// from the canvas target; the entry point that starts a paint adds what the target cannot know
// (a print that goes to an image for a preview, a black-only printer, a page drawing). Nothing
// else decides the device, so two paints onto different targets never influence each other.
#include "platform/canvas.h"

class QPrinter;

struct TPaintTraits {
  TCanvasTargetKind Target = tkImage;
  // The print path: paper colours, printer resolution for marker and line sizes. Set for a
  // printer target, and by the print entry points whatever the target (a preview's image).
  bool Printing = false;
  // Colours are kept black: only ever while printing, taken from the printer when the print
  // starts.
  bool BlackOnly = false;
  // A picture file of the screen's drawing (a metafile).
  bool Picture = false;
  // Drawn onto a page of its own by a page drawer: white background, black axes.
  bool PageDrawing = false;

  bool Dxf() const { return Target == tkDxf; }
  bool KeepsBlack() const { return Printing && BlackOnly; }
  // White paper under the drawing instead of the screen's background.
  bool Paper() const { return Printing || PageDrawing; }
  // The drawing is a page or a picture, placed where its rectangle says rather than at 0, 0.
  bool Placed() const { return Printing || Picture; }

  // What the target alone says.
  static TPaintTraits Of(const TCanvas* Canvas) {
    TPaintTraits T;
    if (!Canvas) return T;
    T.Target = Canvas->TargetKind();
    T.Printing = T.Target == tkPrinter;
    T.Picture = T.Target == tkMetafile;
    return T;
  }
};

struct TPaintContext {
  TCanvas* Canvas = nullptr;
  TPaintTraits Traits;

  // The canvas as its target makes it: the screen's image, a picture, a DXF drawing, a page.
  static TPaintContext On(TCanvas* Canvas) { return {Canvas, TPaintTraits::Of(Canvas)}; }
  // A print onto Page, which may be a printer page or an image that previews it.
  static TPaintContext Print(TCanvas* Page, bool BlackOnly) {
    TPaintContext C = On(Page);
    C.Traits.Printing = true;
    C.Traits.BlackOnly = BlackOnly;
    return C;
  }
  // A print with what the printer says when the print starts: a printer set to grey scale
  // prints only black, whatever it is set to later in the print.
  static TPaintContext Print(TCanvas* Page, const QPrinter& Printer);
  // A picture file drawn like the screen.
  static TPaintContext Picture(TCanvas* Canvas) {
    TPaintContext C = On(Canvas);
    C.Traits.Printing = false;
    C.Traits.Picture = true;
    return C;
  }
  // A drawing onto a page that a page drawer lays out itself, as part of a print or not.
  static TPaintContext PageDrawing(TCanvas* Page, bool Printing, bool BlackOnly = false) {
    TPaintContext C = Printing ? Print(Page, BlackOnly) : On(Page);
    if (!Printing) C.Traits.Printing = false;
    C.Traits.PageDrawing = true;
    return C;
  }
};
