#pragma once
// Small layers for the graph tests: one holding points it draws as a polyline, and a stand-in
// series with a kind, a number and bar answers.
#include <cmath>
#include <vector>

#include "plot/core/graph.h"
#include "plot/core/graph_text_file.h"

class TTestLayer : public TLayer {
 public:
  using TLayer::TLayer;
  std::vector<TDoublePoint> Points;
  int Draws = 0;
  int ExtentCalls = 0;
  QString ClassName() const override { return QStringLiteral("TTestLayer"); }
  int ItemCount() const override { return static_cast<int>(Points.size()); }
  void GetExtent(double& XMin, double& XMax, double& YMin, double& YMax) override {
    ++ExtentCalls;
    TLayer::GetExtent(XMin, XMax, YMin, YMax);
    for (const TDoublePoint& P : Points) {
      if (!std::isfinite(P.X) || !std::isfinite(P.Y)) continue;
      WidenRange(XMin, XMax, P.X);
      WidenRange(YMin, YMax, P.Y);
    }
  }
  void Draw() override {
    ++Draws;
    Graph->SetPenColor(GetColor());
    for (size_t I = 1; I < Points.size(); ++I)
      Graph->Line(Points[I - 1].X, Points[I - 1].Y, Points[I].X, Points[I].Y);
  }
  // Its own block: the points after the base block.
  void Save(TGraphTextWriter& F) const override {
    F.WriteLine(ClassName());
    SaveBase(F);
    F.WriteLine(QString::number(Points.size()));
    for (const TDoublePoint& P : Points)
      F.WriteLine(GraphFileReal(P.X).trimmed() + QLatin1Char(' ') + GraphFileReal(P.Y).trimmed());
  }
  void Load(TGraphTextReader& F) override {
    F.ReadClosingLine(ClassName());
    LoadBase(F);
    int N = F.ReadIntegers(1)[0];
    if (N < 0) F.Fail(QStringLiteral("Invalid number"));
    for (int I = 0; I < N; ++I) {
      QStringList S = F.ReadLine().split(QLatin1Char(' '), Qt::SkipEmptyParts);
      TDoublePoint P;
      if (S.size() < 2 || !ParseGraphFileReal(S[0], P.X) || !ParseGraphFileReal(S[1], P.Y))
        F.Fail(QStringLiteral("Invalid number"));
      Points.push_back(P);
    }
  }
};

class TFakeSeries : public TTestLayer, public TGraphSeries {
 public:
  TFakeSeries(TGraph* G, int AKind, int ANumber = 1)
      : TTestLayer(G), FKind(AKind), FNumber(ANumber) {}
  TGraphSeries* AsSeries() override { return this; }
  int Kind() const override { return FKind; }
  void SetKind(int V) override { FKind = V; }
  int SeriesNumber() const override { return FNumber; }
  double BarWidth() const override { return Width; }
  int BarPixelWidth(int C8, int C10) const override { return C8 * 10 + C10; }
  bool OwnMarkerColor() const override { return OwnMarker; }
  double Width = 0.7;
  bool OwnMarker = true;

 private:
  int FKind;
  int FNumber;
};
