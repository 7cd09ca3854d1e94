#pragma once
// A plot control as the curve window holds it: the plot "Chart" in the window "fmPlot2D",
// offscreen, with a red line series and a contour layer on request, the dialogs scripted and the
// program's files in a folder of the test's own.
#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include <gtest/gtest.h>

#include "platform/app_services.h"
#include "platform/dialogs.h"
#include "platform/form.h"
#include "platform/number_edit.h"
#include "plot/layers/contour.h"
#include "plot/layers/series.h"
#include "plot/ui/plot.h"
#include "tests/plot/core/print_qstring.h"

// Typed over the field's text key by key, as the user does; then, with Leave, left as Tab leaves
// a number field (a plain edit finishes its editing).
inline void TypeInto(QLineEdit* Edit, const QString& Text, bool Leave = true) {
  Edit->selectAll();
  if (Text.isEmpty())
    QTest::keyClick(Edit, Qt::Key_Delete);
  else
    QTest::keyClicks(Edit, Text);
  if (!Leave) return;
  if (auto* N = qobject_cast<TNumberEdit*>(Edit))
    N->Finish();
  else
    emit Edit->editingFinished();
}

struct TPlotFixture {
  QTemporaryDir Dir;
  TScriptedDialogService Script;
  TScopedDialogService Scope{Script};
  std::unique_ptr<TForm> Form;
  TPlot* Plot = nullptr;
  int Paints = 0;

  explicit TPlotFixture(int W = 400, int H = 300) {
    SetProgramDir(Dir.path());
    Form = std::make_unique<TForm>();
    Form->setObjectName(QStringLiteral("fmPlot2D"));
    Plot = new TPlot(Form.get());
    Plot->setObjectName(QStringLiteral("Chart"));
    Plot->SetOnAfterDraw([this](TGraph*) { ++Paints; });
    Form->resize(W, H);
    Plot->setGeometry(0, 0, W, H);
    Form->show();
    QApplication::processEvents();
  }
  ~TPlotFixture() {
    Form.reset();
    SetProgramDir(QString());
  }
  TGraph& Graph() const { return *Plot->Graph(); }

  TSeries* AddLine(TColor Color = clRed) {
    auto S = std::make_unique<TSeries>(Plot->Graph(), Color, 2, QStringLiteral("Line"));
    for (int I = 0; I <= 10; ++I) S->AddPoint(Color, QString(), I, I);
    S->SetLineWidth(3);
    return static_cast<TSeries*>(Plot->AddSeries(std::move(S)));
  }

  TContour* AddContour() {
    GraphMatrix::TVector X{11}, Y{11};
    GraphMatrix::TMatrix Z{11, 11};
    for (int I = 1; I <= 11; ++I) {
      X.SetValue(I, I - 1);
      Y.SetValue(I, I - 1);
    }
    for (int I = 1; I <= 11; ++I)
      for (int J = 1; J <= 11; ++J) Z.SetValue(I, J, (I - 1) + 10.0 * (J - 1));
    auto C = std::make_unique<TContour>(Plot->Graph(), X, Y, Z, 5, false, false);
    C->Name = QStringLiteral("Height");
    return static_cast<TContour*>(Plot->AddSeries(std::move(C)));
  }

  const QImage& Picture() const { return Plot->Image()->Backing()->Image(); }
  // What the screen shows of the image.
  QImage Screen() const {
    return Plot->Image()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  }
};

inline int CountColor(const QImage& Img, QRgb C) {
  int N = 0;
  for (int Y = 0; Y < Img.height(); ++Y)
    for (int X = 0; X < Img.width(); ++X)
      if ((Img.pixel(X, Y) & 0xFFFFFF) == (C & 0xFFFFFF)) ++N;
  return N;
}
