#pragma once
// The chart editors driven offscreen: scripted dialogs, and modal forms run by a queue of steps
// (each step gets the form just shown; nested forms take the next step).
#include <deque>
#include <functional>
#include <memory>

#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

#include "chart/editors/chart_editor.h"
#include "chart/editors/editor_controls.h"
#include "chart/editors/pen_dialogs.h"
#include "chart/engine/chart.h"
#include "chart/engine/chart_registry.h"
#include "chart/engine/point_types.h"
#include "platform/bitmap.h"
#include "platform/dialogs.h"

// The user types Text over a number edit's text, key by key.
inline void Keys(TNumberEdit* E, const QString& Text) {
  E->selectAll();
  QTest::keyClick(E, Qt::Key_Backspace);
  QTest::keyClicks(E, Text);
}
// The same, and the user leaves the edit.
inline void Type(TNumberEdit* E, const QString& Text) {
  Keys(E, Text);
  E->Finish();
}

inline void PrintTo(const QString& S, std::ostream* Out) { *Out << '"' << S.toStdString() << '"'; }
inline void PrintTo(const QStringList& L, std::ostream* Out) {
  *Out << '"' << L.join(QStringLiteral("\" \"")).toStdString() << '"';
}

class ChartEditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterChartClasses();
    RegisterChartEditors();
    SetDialogService(&Dialogs);
    SetChartModalRunner([this](TForm& Form) {
      ++Modals;
      ASSERT_FALSE(Steps.empty()) << "no step for " << Form.objectName().toStdString();
      auto Step = std::move(Steps.front());
      Steps.pop_front();
      Step(Form);
    });
    Chart = std::make_unique<TChart>();
    Chart->setObjectName(QStringLiteral("Chart1"));
    Chart->resize(400, 300);
  }
  void TearDown() override {
    EXPECT_TRUE(Steps.empty()) << Steps.size() << " modal steps left";
    Chart.reset();
    SetChartModalRunner(nullptr);
    SetDialogService(nullptr);
  }
  // A line series with a few points that the chart owns.
  TChartSeries* AddLine(const QString& Title, TColor Color) {
    auto S = std::make_unique<TLineSeries>();
    S->SetTitle(Title);
    S->SetSeriesColor(Color);
    for (int i = 0; i < 5; ++i) S->AddXY(i, (i * 7 + Title.size()) % 5);
    return Chart->AdoptSeries(std::move(S));
  }
  template <class F>
  void Then(F Step) {
    Steps.push_back([Step](TForm& Form) { Step(Form); });
  }
  QImage Picture() const {
    return Chart->CreateBitmap(clWhite, {0, 0, 400, 300})
        ->Image()
        .convertToFormat(QImage::Format_RGB32);
  }
  static int CountColor(const QImage& I, TColor Color) {
    const QRgb C = ToQColor(Color).rgb();
    int N = 0;
    for (int y = 0; y < I.height(); ++y)
      for (int x = 0; x < I.width(); ++x) N += I.pixel(x, y) == C;
    return N;
  }

  TScriptedDialogService Dialogs;
  std::deque<std::function<void(TForm&)>> Steps;
  int Modals = 0;
  std::unique_ptr<TChart> Chart;
};
