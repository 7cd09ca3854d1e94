#pragma once
// Helpers shared by the drawing tests: a GUI application for fonts and widgets, and a white
// image with a canvas on it.
#include <QApplication>
#include <QImage>
#include <QRect>

#include "platform/bitmap.h"
#include "platform/canvas.h"

inline void EnsureGuiApp() {
  if (QCoreApplication::instance()) return;
  static int Argc = 1;
  static char Name[] = "platform_tests";
  static char* Argv[] = {Name, nullptr};
  static QApplication App(Argc, Argv);
}

// A bitmap of the given size, filled white, with a black pen and a clear brush.
inline TBitmap& WhiteBitmap(TBitmap& B, int W, int H) {
  EnsureGuiApp();
  B.SetSize(W, H);
  TCanvas* C = B.Canvas();
  C->Brush()->SetColor(clWhite);
  C->FillRect(Rect(0, 0, W, H));
  C->Brush()->SetStyle(bsClear);
  C->Pen()->SetData(TPenData{});
  return B;
}

// The smallest rectangle holding every pixel that is not Background; null when there is none.
inline QRect InkBox(const QImage& Image, QRgb Background = 0xFFFFFFFF) {
  QRect Box;
  for (int Y = 0; Y < Image.height(); ++Y)
    for (int X = 0; X < Image.width(); ++X)
      if (Image.pixel(X, Y) != Background) Box |= QRect(X, Y, 1, 1);
  return Box;
}
