// The Operations page and the small dialogs beside the properties dialog: series arithmetic,
// derivative and fit through the page's controls, the symbol style dialog and the format help.
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <cctype>
#include <cmath>
#include <numbers>

#include "plot/core/graph_value_format.h"
#include "plot/ui/graph_format_help.h"
#include "plot/ui/graph_properties.h"
#include "plot/ui/marker_style.h"
#include "plot_fixture.h"

namespace {

struct TOperationsFixture : TPlotFixture {
  std::unique_ptr<TfmGraphProperties> D;

  TSeries* Add(const QString& Name, double X0, double X1, double Step,
               const std::function<double(double)>& Y) {
    auto S = std::make_unique<TSeries>(Plot->Graph(), clBlue, 2, Name);
    for (int I = 0; X0 + I * Step <= X1 + 1e-9; ++I) {
      const double X = X0 + I * Step;
      S->AddPoint(clBlue, QString(), X, Y(X));
    }
    return static_cast<TSeries*>(Plot->AddSeries(std::move(S)));
  }
  void Open() {
    Plot->Redraw();
    D.reset(CreateForm<TfmGraphProperties>(Form.get()));
    D->Load(Plot, Plot->Graph());
  }
  void Select(const QString& Name) {
    const auto Items = D->tbSeries->findItems(Name, Qt::MatchExactly);
    ASSERT_EQ(Items.size(), 1) << Name.toStdString();
    D->tbSeries->setCurrentItem(Items[0]);
  }
  void Operands(const QString& A, const QString& B) {
    Select(A);
    D->SpeedButton7->click();
    Select(B);
    D->SpeedButton8->click();
  }
  TSeries* Last() const {
    return dynamic_cast<TSeries*>(Graph().GetLayer(Graph().LayerCount() - 1));
  }
};

TEST(SeriesOperations, ArithmeticAtTheFirstSeriesXValues) {
  TOperationsFixture F;
  F.Add("a", 0, 10, 1, [](double X) { return X; });
  F.AddContour();  // a layer that is no series sits between them in the list
  F.Add("b", -1, 11, 0.5, [](double X) { return 2 * X + 1; });
  F.Add("short", 0, 5, 1, [](double X) { return X; });
  F.Add("zeros", 0, 10, 1, [](double X) { return X - 3; });
  F.Open();
  // The list holds the series, top-most first, and no contour.
  ASSERT_EQ(F.D->tbSeries->count(), 4);
  EXPECT_EQ(F.D->tbSeries->item(0)->text(), "zeros");
  EXPECT_EQ(F.D->tbSeries->item(3)->text(), "a");
  EXPECT_FALSE(F.D->sbAdd->isEnabled());
  F.Operands("a", "b");
  EXPECT_TRUE(F.D->sbSubtract->isEnabled());
  const int Layers = F.Graph().LayerCount();
  F.D->sbSubtract->click();
  TSeries* R = F.Last();
  ASSERT_EQ(F.Graph().LayerCount(), Layers + 1);
  ASSERT_NE(R, nullptr);
  EXPECT_EQ(R->Name, "a-b");
  EXPECT_EQ(R->Kind(), 2);
  ASSERT_NE(R->Legend(), nullptr);
  EXPECT_EQ(R->Legend()->Text, "a-b");
  ASSERT_EQ(R->Count(), 11);
  for (int I = 0; I < 11; ++I) {
    EXPECT_EQ(R->PointAt(I)->X, I);
    EXPECT_NEAR(R->PointAt(I)->Y, I - (2.0 * I + 1), 1e-12) << I;
  }
  // The new series joins both lists at the top.
  EXPECT_EQ(F.D->tbSeries->item(0)->text(), "a-b");
  EXPECT_EQ(F.D->clSeries->item(0)->text(), "a-b");
  F.D->sbMultiply->click();
  EXPECT_EQ(F.Last()->Name, "axb");
  EXPECT_NEAR(F.Last()->PointAt(3)->Y, 3 * 7.0, 1e-12);
  F.D->sbAdd->click();
  EXPECT_EQ(F.Last()->Name, "a+b");

  // Where the second series has no value, the point is left out: no missing value as a number.
  F.Operands("a", "short");
  F.D->sbAdd->click();
  R = F.Last();
  EXPECT_EQ(R->Name, "a+short");
  EXPECT_LT(R->Count(), 11);
  EXPECT_GE(R->Count(), 6);
  for (int I = 0; I < R->Count(); ++I) {
    EXPECT_FALSE(IsMissingValue(R->PointAt(I)->Y - R->PointAt(I)->X));
    EXPECT_LT(std::fabs(R->PointAt(I)->Y), 100) << I;
  }

  // A zero divisor skips its point, with the warning.
  F.Operands("a", "zeros");
  F.Script.Requests.clear();
  F.D->sbDivide->click();
  R = F.Last();
  EXPECT_EQ(R->Name, "a/zeros");
  EXPECT_EQ(R->Count(), 10);
  for (int I = 0; I < R->Count(); ++I) EXPECT_TRUE(std::isfinite(R->PointAt(I)->Y));
  ASSERT_EQ(F.Script.Requests.size(), 1u);
  EXPECT_EQ(F.Script.Requests[0].Text, "Devision by zero. Point ignored.");
  EXPECT_EQ(F.Script.Requests[0].Type, mtWarning);
}

TEST(SeriesOperations, ADeletedOperandIsNoLongerUsed) {
  TOperationsFixture F;
  F.Add("a", 0, 10, 1, [](double X) { return X; });
  F.Add("b", 0, 10, 1, [](double X) { return X; });
  F.Open();
  F.Operands("a", "b");
  TGraph& G = F.Graph();
  G.DeleteLayer(0);  // "a"
  const int Layers = G.LayerCount();
  F.D->sbAdd->click();
  EXPECT_EQ(G.LayerCount(), Layers);
  EXPECT_TRUE(F.D->edFirst->text().isEmpty());
  EXPECT_FALSE(F.D->sbAdd->isEnabled());
  // A row whose series went answers none.
  EXPECT_EQ(F.D->SeriesOfRow(1), nullptr);
}

TEST(SeriesOperations, DerivativeOfSinIsCosWithinTheSamplingError) {
  TOperationsFixture F;
  const double H = 2 * std::numbers::pi / 200;
  F.Add("sin", 0, 2 * std::numbers::pi, H, [](double X) { return std::sin(X); });
  auto* Steps = F.Add("steps", 0, 0, 1, [](double) { return 0.0; });
  Steps->AddPoint(clBlue, QString(), 1, 1);
  Steps->AddPoint(clBlue, QString(), 1, 2);  // the same X twice: no slope there
  Steps->AddPoint(clBlue, QString(), 2, 3);
  F.Open();
  EXPECT_FALSE(F.D->btDeriv2->isEnabled());
  F.Select("sin");
  EXPECT_TRUE(F.D->btDeriv2->isEnabled());
  EXPECT_TRUE(F.D->btFit->isEnabled());
  const int Before = F.Paints;
  F.D->btDeriv2->click();
  EXPECT_EQ(F.Paints, Before + 1);
  // Put first in the layers: drawn under the others, last in the list.
  auto* R = dynamic_cast<TSeries*>(F.Graph().GetLayer(0));
  ASSERT_NE(R, nullptr);
  EXPECT_EQ(R->Name, "sin'");
  EXPECT_EQ(F.D->tbSeries->item(F.D->tbSeries->count() - 1)->text(), "sin'");
  EXPECT_EQ(F.D->clSeries->item(F.D->clSeries->count() - 1)->text(), "sin'");
  ASSERT_EQ(R->Count(), 200);
  for (int I = 0; I < R->Count(); ++I)
    EXPECT_NEAR(R->PointAt(I)->Y, std::cos(R->PointAt(I)->X), H * H / 20) << I;

  F.Select("steps");
  F.D->btDeriv2->click();
  R = dynamic_cast<TSeries*>(F.Graph().GetLayer(0));
  ASSERT_EQ(R->Count(), 2);
  EXPECT_EQ(R->PointAt(0)->X, 0.5);
  EXPECT_EQ(R->PointAt(1)->X, 1.5);
  EXPECT_EQ(R->PointAt(1)->Y, 1);
}

TEST(SeriesOperations, FitOfACubicAndAFitThatFails) {
  TOperationsFixture F;
  auto Cubic = [](double X) { return X * X * X - 2 * X + 1; };
  F.Add("cubic", -2, 2, 0.1, Cubic);
  F.Add("flat", 1, 1, 1, [](double) { return 1.0; });
  auto* Flat = dynamic_cast<TSeries*>(F.Graph().GetLayer(1));
  for (int I = 0; I < 4; ++I) Flat->AddPoint(clBlue, QString(), 1, I);
  F.Open();
  F.Select("cubic");
  TypeInto(F.D->edDegree, "41", false);
  F.D->btFit->click();
  ASSERT_FALSE(F.Script.Messages().isEmpty());
  EXPECT_EQ(F.Script.Messages().back(), "Polynomial degree must be in the range [1..40]");
  TypeInto(F.D->edDegree, "3");
  int Layers = F.Graph().LayerCount();
  F.D->btFit->click();
  ASSERT_EQ(F.Graph().LayerCount(), Layers + 1);
  TSeries* R = F.Last();
  EXPECT_EQ(R->Name, "cubicFit3");
  EXPECT_EQ(F.D->clSeries->item(0)->text(), "cubicFit3");
  ASSERT_NE(R->Legend(), nullptr);
  ASSERT_EQ(R->Count(), 200);
  for (int I = 0; I < R->Count(); I += 7)
    EXPECT_NEAR(R->PointAt(I)->Y, Cubic(R->PointAt(I)->X), 1e-6) << I;

  // All X the same: no fit, an error box, nothing added.
  F.Select("flat");
  F.Script.Requests.clear();
  Layers = F.Graph().LayerCount();
  F.D->btFit->click();
  EXPECT_EQ(F.Graph().LayerCount(), Layers);
  ASSERT_EQ(F.Script.Requests.size(), 1u);
  EXPECT_EQ(F.Script.Requests[0].Type, mtError);
}

TEST(MarkerStyle, IconsAreTheMarkersOwnDrawing) {
  QImage Last;
  for (int K = 0; K < TfmMarkerStyle::StyleCount; ++K) {
    const QImage I = MarkerStyleImage(K, 24, clBlack, clWhite);
    const int Ink = 24 * 24 - CountColor(I, qRgb(255, 255, 255));
    if (K == 0)
      EXPECT_EQ(Ink, 0);
    else
      EXPECT_GT(Ink, 4) << K;
    if (K > 1) {
      EXPECT_NE(I, Last) << K;
    }
    Last = I;
  }
}

TEST(MarkerStyle, ThePreviewAtTwiceThePixelsIsTheSameSquareWithStraightEdges) {
  // Columns of the first and last ink of every inked row.
  auto Rows = [](const QImage& I) {
    std::vector<std::pair<int, int>> R;
    for (int Y = 0; Y < I.height(); ++Y) {
      int L = -1, Right = -1;
      for (int X = 0; X < I.width(); ++X) {
        if ((I.pixel(X, Y) & 0xFFFFFF) == 0xFFFFFF) continue;
        if (L < 0) L = X;
        Right = X;
      }
      if (L >= 0) R.emplace_back(L, Right);
    }
    return R;
  };
  const auto One = Rows(MarkerStyleImage(1, 64, clBlack, clRed));
  const auto Two = Rows(MarkerStyleImage(1, 64, clBlack, clRed, 2));
  ASSERT_FALSE(One.empty());
  EXPECT_NEAR(Two.size(), 2 * One.size(), 1);
  for (const auto& R : Two) EXPECT_EQ(R, Two.front());
  EXPECT_EQ(Two.front().first, 2 * One.front().first);
  EXPECT_NEAR(Two.front().second, 2 * One.front().second, 1);
}

TEST(MarkerStyle, LiveModeEditsTheSeriesAndValueModeOnlyItsCopies) {
  TPlotFixture F;
  TSeries* A = F.AddLine();
  TSeries* B = F.AddLine(clBlue);
  F.Plot->Redraw();
  std::unique_ptr<TfmMarkerStyle> D(CreateForm<TfmMarkerStyle>(F.Form.get()));
  D->Load(A, {TLayerHandle(A), TLayerHandle(B)});
  EXPECT_FALSE(D->btCancel->isVisibleTo(D.get()));
  int Before = F.Paints;
  D->Markers->setCurrentRow(5);
  EXPECT_EQ(A->MarkerStyle, 5);
  EXPECT_EQ(B->MarkerStyle, 5);  // several selected: all follow
  EXPECT_EQ(F.Paints, Before + 1);
  TypeInto(D->edSize, "12");
  EXPECT_EQ(A->FMarkerSize, 12);
  EXPECT_EQ(B->FMarkerSize, 12);
  F.Script.AnswerColor(clRed);
  D->btPenColor->click();
  EXPECT_EQ(A->MarkerPenColor, clRed);
  F.Script.AnswerColor(clLime);
  D->btFillColor->click();
  EXPECT_EQ(A->MarkerFillColor, clLime);

  std::unique_ptr<TfmMarkerStyle> V(CreateForm<TfmMarkerStyle>(F.Form.get()));
  V->LoadValues(3, 7, clBlack, clWhite);
  EXPECT_TRUE(V->btCancel->isVisibleTo(V.get()));
  EXPECT_EQ(V->btClose->text(), "&OK");
  V->Markers->setCurrentRow(9);
  TypeInto(V->edSize, "20");
  EXPECT_EQ(V->Style, 9);
  EXPECT_EQ(V->Size, 20);
  EXPECT_EQ(A->MarkerStyle, 5);  // no series in value mode
}

TEST(FormatHelp, DescribesOnlyTheFormatsTheBubblesAccept) {
  const QString Text = GraphFormatHelpText();
  EXPECT_TRUE(Text.startsWith("Description"));
  // Every quoted example is a format the bubbles take.
  const QRegularExpression Quoted(QStringLiteral("\"([^\"]*%[^\"]*)\""));
  int Examples = 0;
  for (auto M = Quoted.globalMatch(Text); M.hasNext(); ++Examples) {
    const QString F = M.next().captured(1);
    EXPECT_TRUE(IsSafeValueFormat(F)) << F.toStdString();
  }
  EXPECT_GE(Examples, 3);
  // The types it lists, and only those, are taken in either case; no "*" width is promised.
  QString Types;
  const QRegularExpression Type(QStringLiteral("^  ([a-z])   "),
                                QRegularExpression::MultilineOption);
  for (auto M = Type.globalMatch(Text); M.hasNext();) Types += M.next().captured(1);
  EXPECT_EQ(Types, QStringLiteral("efgn"));
  for (char C = 'A'; C <= 'z'; ++C)
    EXPECT_EQ(IsSafeValueFormat(QStringLiteral("%") + QLatin1Char(C)),
              std::isalpha(C) && Types.contains(QLatin1Char(static_cast<char>(std::tolower(C)))))
        << C;
  EXPECT_FALSE(Text.contains(u'*'));
}

}  // namespace
