#include "platform/paint_context.h"

#include <QPrinter>

TPaintContext TPaintContext::Print(TCanvas* Page, const QPrinter& Printer) {
  return Print(Page, Printer.colorMode() == QPrinter::GrayScale);
}
