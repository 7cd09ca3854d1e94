// Annotation figures and their layer: what each figure draws, XOR outlines, hit tests and
// cursors, logarithmic axes, note sizes, metafiles, and the mouse that makes and edits figures.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPdfWriter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <tuple>

#include <gtest/gtest.h>

#include "platform/canvas.h"
#include "platform/canvas_targets.h"
#include "platform/controls.h"
#include "platform/shift_state.h"
#include "plot/core/graph.h"
#include "plot/ui/figs_properties.h"
#include "plot/ui/graph_annotate.h"
#include "plot/ui/marker_style.h"
#include "plot_fixture.h"
#include "tests/support/metafile_svg.h"

namespace {

struct TRecordingOwner : TGraphOwner {
  std::vector<TCursor> Cursors;
  int Popups = 0;
  void SetCursor(TCursor C) override { Cursors.push_back(C); }
  void ShowPopupMenu(QMenu*, int, int) override { ++Popups; }
};

// A target that records like a printer page: no raster operations there.
struct TPageRecording : TRecordingTarget {
  using TRecordingTarget::TRecordingTarget;
  TCanvasTargetKind Kind() const override { return tkPrinter; }
};
struct TMetafileRecording : TRecordingTarget {
  using TRecordingTarget::TRecordingTarget;
  TCanvasTargetKind Kind() const override { return tkMetafile; }
};

// A graph of 400 x 300 with the annotation layer, X 0..10 and Y 0..10 (or 1..1000 logarithmic).
template <class TTarget>
struct TScene {
  TTarget Target;
  TCanvas Canvas{&Target};
  TRecordingOwner Owner;
  std::unique_ptr<TGraph> Graph;
  int Paints = 0;
  template <class... A>
  explicit TScene(bool Log, A&&... Args) : Target(std::forward<A>(Args)...) {
    RegisterGraphAnnotation();
    Graph = std::make_unique<TGraph>(&Canvas, 400, 300, &Owner);
    SetGraphAnnotationFactory(nullptr);
    for (TAxis* Ax :
         {static_cast<TAxis*>(Graph->XAxis.get()), static_cast<TAxis*>(Graph->YAxis.get())}) {
      Ax->Log = Log;
      Ax->AutoMin = Ax->AutoMax = false;
      Ax->Min = Log ? 1 : 0;
      Ax->Max = Log ? 1000 : 10;
    }
    Graph->OnAfterDraw = [this](TGraph*) { ++Paints; };
    Graph->Paint();
    Paints = 0;
  }
  TGraphAnnotate& Layer() const { return *static_cast<TGraphAnnotate*>(Graph->Annotate.get()); }
  template <class T, class... A>
  T* Add(A&&... Args) {
    auto F = std::make_unique<T>(Graph.get(), std::forward<A>(Args)...);
    T* P = F.get();
    Layer().Add(std::move(F));
    return P;
  }
  TPoint Px(double X, double Y) const { return {Graph->XToPixel(X), Graph->YToPixel(Y)}; }
};

struct TImageHolder {
  QImage Image{400, 300, QImage::Format_RGB32};
};
struct TImageScene : TImageHolder, TScene<TImageTarget> {
  TImageScene() : TScene<TImageTarget>(false, &Image) {}
  QRgb At(int X, int Y) const { return Image.pixel(X, Y); }
};

std::vector<const TCanvasOp*> OpsOf(const TRecordingTarget& T, TCanvasOpKind Kind) {
  std::vector<const TCanvasOp*> R;
  for (const TCanvasOp& Op : T.Ops())
    if (Op.Kind == Kind) R.push_back(&Op);
  return R;
}

TEST(Annotate, EachFigureDrawsItsPrimitives) {
  TScene<TRecordingTarget> S(false, 400, 300);
  auto* Line = S.Add<TMonoLine>(TDoublePoint{1, 1}, TDoublePoint{4, 2}, 0x0000FF, 2);
  auto* Arrow = S.Add<TArrow>(TDoublePoint{0, 5}, TDoublePoint{10, 5}, 0x00FF00, 1);
  auto* Rect = S.Add<TRectangle>(TDoublePoint{2, 8}, TDoublePoint{4, 6}, 0xFF0000, 3);
  Rect->FillMode = 2;
  Rect->FillColor = 0x00FFFF;
  S.Add<TCircle>(TDoublePoint{6, 8}, TDoublePoint{8, 6}, 0xFF0000, 1);
  auto* Note = S.Add<TNoteText>();
  Note->Text = QStringLiteral("Peak");
  Note->X = 5;
  Note->Y = 9;
  auto* Stroke = S.Add<TPencil>(clBlack, 3);
  for (double X : {1.0, 2.0, 3.0}) Stroke->AddPoint(X, X);
  S.Target.Clear();
  S.Graph->Paint();

  const auto Lines = OpsOf(S.Target, coLine);
  auto Has = [&](TPoint A, TPoint B, TColor C, int W) {
    return std::any_of(Lines.begin(), Lines.end(), [&](const TCanvasOp* Op) {
      return Op->Points[0] == A && Op->Points[1] == B && Op->State.Pen.Color == C &&
             Op->State.Pen.Width == W && Op->State.Pen.Mode == pmCopy;
    });
  };
  EXPECT_TRUE(Has(S.Px(1, 1), S.Px(4, 2), Line->Color, 2));
  // The head is 0.3 of the line long and 0.05 of it wide each side, in world units.
  TDoublePoint A, B;
  Arrow->HeadPoints(A, B);
  EXPECT_DOUBLE_EQ(A.X, 7);
  EXPECT_DOUBLE_EQ(A.Y, 4.5);
  EXPECT_DOUBLE_EQ(B.Y, 5.5);
  EXPECT_TRUE(Has(S.Px(10, 5), S.Px(A.X, A.Y), 0x00FF00, 1));
  EXPECT_TRUE(Has(S.Px(A.X, A.Y), S.Px(B.X, B.Y), 0x00FF00, 1));
  EXPECT_TRUE(Has(S.Px(1, 1), S.Px(2, 2), clBlack, 3));
  EXPECT_TRUE(Has(S.Px(2, 2), S.Px(3, 3), clBlack, 3));

  const auto Rects = OpsOf(S.Target, coRectangle);
  const auto R = std::find_if(Rects.begin(), Rects.end(), [&](const TCanvasOp* Op) {
    return Op->State.Brush.Color == 0x00FFFF;
  });
  ASSERT_NE(R, Rects.end());
  EXPECT_EQ((*R)->State.Brush.Style, bsSolid);
  EXPECT_EQ((*R)->State.Pen.Width, 3);
  EXPECT_EQ((*R)->Rect.Left, S.Graph->XToPixel(2));
  EXPECT_TRUE((*R)->State.Clipped);  // the plot area clips every figure
  const auto Ellipses = OpsOf(S.Target, coEllipse);
  ASSERT_FALSE(Ellipses.empty());
  EXPECT_EQ(Ellipses.back()->State.Brush.Style, bsClear);  // "Clear" by default
  const auto Texts = OpsOf(S.Target, coText);
  const auto T = std::find_if(Texts.begin(), Texts.end(),
                              [](const TCanvasOp* Op) { return Op->Text == "Peak"; });
  ASSERT_NE(T, Texts.end());
  EXPECT_EQ((*T)->Points[0], S.Px(5, 9));
  EXPECT_EQ((*T)->State.Font.Name, QStringLiteral("Arial"));
  EXPECT_EQ((*T)->State.TextAlign, TA_LEFT | TA_TOP);
  EXPECT_EQ((*T)->State.Brush.Style, bsClear);  // no background behind the note
  EXPECT_EQ((*T)->State.BackMode, bmTransparent);

  // Hidden, the layer draws nothing.
  S.Layer().SetVisible(false);
  S.Target.Clear();
  S.Graph->Paint();
  EXPECT_TRUE(OpsOf(S.Target, coText).empty() ||
              std::none_of(OpsOf(S.Target, coText).begin(), OpsOf(S.Target, coText).end(),
                           [](const TCanvasOp* Op) { return Op->Text == "Peak"; }));
}

TEST(Annotate, NotesLeaveThePlotVisibleAroundTheirLetters) {
  // A clear rectangle in the note's colour drawn first, as the figures before a note often are.
  TImageScene S;
  S.Add<TRectangle>(TDoublePoint{1, 1}, TDoublePoint{2, 2}, clRed, 1);
  auto* Note = S.Add<TNoteText>();
  Note->Text = QStringLiteral("Peak");
  Note->Font.SetColor(clRed);
  Note->X = 5;
  Note->Y = 9;
  Note->ComputeFrame();
  S.Graph->Paint();
  const TPoint TL = S.Px(Note->X, Note->Y);
  const TPoint BR = S.Px(Note->Frame.GetX(3), Note->Frame.GetY(3));
  int Red = 0, Plot = 0;
  for (int Y = TL.Y; Y < BR.Y; ++Y)
    for (int X = TL.X; X < BR.X; ++X) {
      const QRgb C = S.At(X, Y) & 0xFFFFFF;
      Red += C == 0xFF0000;
      Plot += C == 0xFFFFFF;
    }
  EXPECT_GT(Red, 0);  // the letters
  EXPECT_GT(Plot, Red);
}

TEST(Annotate, SemiTransparentFillMasksOnImagesTintsPagesAndHatchesMetafiles) {
  auto FillOf = [](auto& S) {
    auto* R = S.template Add<TRectangle>(TDoublePoint{2, 8}, TDoublePoint{4, 6}, 0xFF0000, 1);
    R->FillMode = 1;
    R->FillColor = 0x00FFFF;
    S.Target.Clear();
    S.Graph->Paint();
    EXPECT_EQ(S.Canvas.Brush()->Opacity(), 1.0);  // nothing drawn later is see-through
    for (const TCanvasOp& Op : S.Target.Ops())
      if (Op.Kind == coRectangle && Op.State.Brush.Color == 0x00FFFF) return Op.State;
    return TCanvasState{};
  };
  TScene<TRecordingTarget> Screen(false, 400, 300);
  const TCanvasState OnScreen = FillOf(Screen);
  EXPECT_EQ(OnScreen.Pen.Mode, pmMask);
  EXPECT_EQ(OnScreen.Brush.Style, bsSolid);
  EXPECT_EQ(OnScreen.Brush.Opacity, 1.0);
  TScene<TPageRecording> Page(false, 400, 300);
  const TCanvasState OnPage = FillOf(Page);
  EXPECT_EQ(OnPage.Pen.Mode, pmCopy);
  EXPECT_EQ(OnPage.Brush.Style, bsSolid);
  EXPECT_GT(OnPage.Brush.Opacity, 0.2);
  EXPECT_LT(OnPage.Brush.Opacity, 0.8);
  TScene<TMetafileRecording> Meta(false, 400, 300);
  const TCanvasState InMetafile = FillOf(Meta);
  EXPECT_EQ(InMetafile.Pen.Mode, pmCopy);
  EXPECT_EQ(InMetafile.Brush.Style, bsDiagCross);
  EXPECT_EQ(InMetafile.BackMode, bmTransparent);
}

struct TPdfHolder {
  QTemporaryDir Dir;
  QPdfWriter Writer{Dir.filePath(QStringLiteral("plot.pdf"))};
  TPdfHolder() {
    // One device pixel to the point, so that a page rendered at 72 dpi matches it pixel for pixel.
    Writer.setResolution(72);
    Writer.setPageSize(QPageSize(QSizeF(400, 300), QPageSize::Point));
    Writer.setPageMargins(QMarginsF(0, 0, 0, 0));
  }
};
struct TPdfScene : TPdfHolder, TScene<TPrinterTarget> {
  TPdfScene() : TScene<TPrinterTarget>(false, &Writer) {}
};

TEST(Annotate, SemiTransparentFillOnAPdfPageTintsThePlotUnderIt) {
  const QString Pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
  if (Pdftoppm.isEmpty()) GTEST_SKIP() << "pdftoppm is not installed";
  TPdfScene S;
  auto Curve = std::make_unique<TSeries>(S.Graph.get(), clRed, 2, QStringLiteral("Line"));
  for (int I = 0; I <= 10; ++I) Curve->AddPoint(clRed, QString(), I, I);
  Curve->SetLineWidth(5);
  S.Graph->AddLayer(std::move(Curve));
  auto* R = S.Add<TRectangle>(TDoublePoint{2, 8}, TDoublePoint{7, 3}, clBlack, 1);
  R->FillMode = 1;
  R->FillColor = clBlue;
  S.Graph->Paint();
  S.Target.EndDoc();
  const QString Prefix = S.Dir.filePath(QStringLiteral("page"));
  ASSERT_EQ(QProcess::execute(Pdftoppm, {"-png", "-r", "72", "-singlefile",
                                         S.Dir.filePath(QStringLiteral("plot.pdf")), Prefix}),
            0);
  const QImage Img(Prefix + QStringLiteral(".png"));
  ASSERT_FALSE(Img.isNull());
  auto At = [&](double X, double Y) {
    const TPoint P = S.Px(X, Y);
    return Img.pixelColor(P.X, P.Y);
  };
  auto Near = [](int V, int Want) { return std::abs(V - Want) <= 50; };
  const QColor CurveOutside = At(9, 9);
  EXPECT_TRUE(CurveOutside.red() > 200 && CurveOutside.green() < 60 && CurveOutside.blue() < 60)
      << CurveOutside.name().toStdString();
  // Red under blue: both show, neither whole.
  const QColor CurveInside = At(5, 5);
  EXPECT_TRUE(Near(CurveInside.red(), 128) && CurveInside.green() < 60 &&
              Near(CurveInside.blue(), 128))
      << CurveInside.name().toStdString();
  // White under blue: tinted, neither white nor the bare fill colour.
  const QColor BackInside = At(2.5, 7.5);
  EXPECT_TRUE(Near(BackInside.red(), 128) && Near(BackInside.green(), 128) &&
              BackInside.blue() > 200)
      << BackInside.name().toStdString();
  const QColor BackOutside = At(8.5, 2.5);
  EXPECT_TRUE(BackOutside.red() > 200 && BackOutside.green() > 200 && BackOutside.blue() > 200)
      << BackOutside.name().toStdString();
}

TEST(Annotate, SelectionOutlinesAndHandlesEraseThemselves) {
  TImageScene S;
  auto* Line = S.Add<TMonoLine>(TDoublePoint{3, 5}, TDoublePoint{7, 5}, 0x0000FF, 4);
  auto* Rect = S.Add<TRectangle>(TDoublePoint{2, 9}, TDoublePoint{5, 7}, 0x0000FF, 2);
  S.Graph->Paint();
  const QImage Before = S.Image.copy();
  const TPoint P = S.Px(3, 5);
  for (TFig* F : {static_cast<TFig*>(Line), static_cast<TFig*>(Rect)}) {
    F->Selected = true;
    F->Draw();
    EXPECT_NE(S.Image, Before);
    // The handle reaches 5 pixels from the point and no further.
    if (F == Line) {
      EXPECT_NE(S.At(P.X - 5, P.Y - 3), Before.pixel(P.X - 5, P.Y - 3));
      EXPECT_EQ(S.At(P.X - 6, P.Y - 3), Before.pixel(P.X - 6, P.Y - 3));
    }
    F->Draw();
    EXPECT_EQ(S.Image, Before);
    F->DrawXor();
    F->DrawXor();
    EXPECT_EQ(S.Image, Before);
    F->Selected = false;
  }
}

TEST(Annotate, GrabbedLinesMarkTheirHandlesWithTheirOwnPen) {
  TScene<TRecordingTarget> S(false, 400, 300);
  auto* Line = S.Add<TMonoLine>(TDoublePoint{3, 5}, TDoublePoint{7, 5}, 0x0000FF, 3);
  auto* Rect = S.Add<TRectangle>(TDoublePoint{2, 9}, TDoublePoint{5, 7}, 0x0000FF, 2);
  Line->PenStyle = 1;
  Rect->PenStyle = 2;
  for (auto [F, Handles, Width, Style] :
       {std::tuple<TFig*, size_t, int, TPenStyle>{Line, 2, 3, psDash}, {Rect, 4, 2, psDot}}) {
    S.Target.Clear();
    F->DrawXor();
    const auto Lines = OpsOf(S.Target, coLine);
    ASSERT_EQ(Lines.size(), 4 * Handles);
    for (const TCanvasOp* Op : Lines) {
      EXPECT_EQ(Op->State.Pen.Width, Width);
      EXPECT_EQ(Op->State.Pen.Style, Style);
      EXPECT_EQ(Op->State.Pen.Mode, pmNotXor);
    }
    // The outline of a grabbed figure keeps thin solid handles.
    S.Target.Clear();
    F->Selected = true;
    F->Draw();
    F->Selected = false;
    for (const TCanvasOp* Op : OpsOf(S.Target, coLine)) EXPECT_EQ(Op->State.Pen.Width, 1);
  }
  // A stroke marks its own first and last points, not the world's origin.
  auto* Stroke = S.Add<TPencil>(0x0000FF, 3);
  for (double X : {2.0, 4.0, 6.0}) Stroke->AddPoint(X, 3);
  S.Target.Clear();
  Stroke->DrawXor();
  const auto Lines = OpsOf(S.Target, coLine);
  ASSERT_EQ(Lines.size(), 8u);
  for (size_t I = 0; I < Lines.size(); ++I) {
    const TPoint End = S.Px(I < 4 ? 2 : 6, 3);
    for (const TPoint& P : Lines[I]->Points) {
      EXPECT_LE(std::abs(P.X - End.X), FigHandleReach);
      EXPECT_LE(std::abs(P.Y - End.Y), FigHandleReach);
    }
  }
}

TEST(Annotate, HitTestsFindPartsAndTheOldestFigure) {
  TScene<TRecordingTarget> S(false, 400, 300);
  auto* Old = S.Add<TRectangle>(TDoublePoint{2, 8}, TDoublePoint{6, 4}, clRed, 1);
  S.Add<TRectangle>(TDoublePoint{3, 7}, TDoublePoint{7, 3}, clRed, 1);
  auto* Line = S.Add<TMonoLine>(TDoublePoint{8, 1}, TDoublePoint{9, 2}, clRed, 1);
  const TPoint TL = S.Px(2, 8), BR = S.Px(6, 4);
  const struct {
    int X, Y, Part;
  } Cases[] = {{TL.X + 4, TL.Y - 5, 1}, {BR.X, BR.Y, 2},           {BR.X, TL.Y, 3},
               {TL.X, BR.Y + 5, 4},     {TL.X + 10, TL.Y + 10, 0}, {TL.X - 6, TL.Y, -1}};
  for (const auto& C : Cases) {
    EXPECT_EQ(Old->HitTest(C.X, C.Y), C.Part != -1) << C.Part;
    EXPECT_EQ(Old->HitPart, C.Part);
  }
  const TPoint A = S.Px(8, 1), B = S.Px(9, 2);
  EXPECT_TRUE(Line->HitTest((A.X + B.X) / 2, (A.Y + B.Y) / 2 + 3));
  EXPECT_EQ(Line->HitPart, 0);
  EXPECT_FALSE(Line->HitTest((A.X + B.X) / 2, (A.Y + B.Y) / 2 + 12));

  // Where both rectangles lie, the first one drawn is the one under the mouse; the cursor says
  // what a click would do, Shift and Ctrl change only the cursor.
  TGraphAnnotate& L = S.Layer();
  const TPoint Mid = S.Px(4, 6);
  const struct {
    int Shift;
    TCursor Cursor;
  } Keys[] = {{0, 101}, {ssShift, 109}, {ssCtrl, 103}};
  for (const auto& K : Keys) {
    L.MouseMove(K.Shift, Mid.X, Mid.Y);
    EXPECT_EQ(L.SelectedIndex, 0);
    EXPECT_EQ(S.Owner.Cursors.back(), K.Cursor);
  }
  L.MouseMove(0, BR.X, BR.Y);
  EXPECT_EQ(S.Owner.Cursors.back(), 105);  // on a handle: reshape
  EXPECT_EQ(L.Count(), 3);
  L.MouseMove(0, 1, 1);
  EXPECT_EQ(L.SelectedIndex, -1);
  EXPECT_EQ(S.Owner.Cursors.back(), crDefault);
  // With a tool the cursor is the tool's and nothing is under the mouse.
  L.Tool = atCircle;
  L.MouseMove(0, Mid.X, Mid.Y);
  EXPECT_EQ(S.Owner.Cursors.back(), 117);
  EXPECT_EQ(L.SelectedIndex, -1);
  EXPECT_EQ(L.GetFigure(3), nullptr);
  EXPECT_EQ(L.GetFigure(-1), nullptr);
}

TEST(Annotate, FiguresOnLogarithmicAxesKeepWorldValues) {
  TScene<TRecordingTarget> S(true, 400, 300);
  TGraphAnnotate& L = S.Layer();
  const TPoint P = S.Px(10, 100);
  L.Tool = atLine;
  L.MouseDown(mbLeft, ssLeft, P.X, P.Y);
  L.MouseMove(ssLeft, P.X + 60, P.Y - 40);
  L.MouseUp(mbLeft, 0, P.X + 60, P.Y - 40);
  auto* Line = dynamic_cast<TMonoLine*>(L.GetFigure(0));
  ASSERT_NE(Line, nullptr);
  EXPECT_EQ(S.Px(Line->X1, Line->Y1), P);
  EXPECT_NEAR(Line->X1, 10, 1);
  EXPECT_EQ(S.Px(Line->X2, Line->Y2), (TPoint{P.X + 60, P.Y - 40}));
  // Grabbed by its body and moved, both ends follow the mouse on the screen.
  L.Tool = atNone;
  const TPoint M{P.X + 30, P.Y - 20};
  L.MouseMove(0, M.X, M.Y);
  L.MouseDown(mbLeft, ssLeft, M.X, M.Y);
  L.MouseMove(ssLeft, M.X + 15, M.Y + 25);
  L.MouseUp(mbLeft, 0, M.X + 15, M.Y + 25);
  EXPECT_EQ(S.Px(Line->X1, Line->Y1), (TPoint{P.X + 15, P.Y + 25}));
  EXPECT_EQ(S.Px(Line->X2, Line->Y2), (TPoint{P.X + 75, P.Y - 15}));
  EXPECT_GT(Line->X1, 1);  // a value, not its decade
}

TEST(Annotate, ScaledNotesFollowTheZoomWithinBounds) {
  TScene<TRecordingTarget> S(false, 400, 300);
  auto* Fixed = S.Add<TNoteText>();
  auto* Scaled = S.Add<TNoteText>();
  Scaled->TextStyle = 1;
  EXPECT_EQ(Scaled->EffectiveSize(), 10);  // not zoomed
  S.Graph->Zoom.PushPrimary({0, 0, 10, 20});
  S.Graph->Zoom.PushSecondary({0, 0, 1, 1});
  EXPECT_EQ(Scaled->EffectiveSize(), 20);  // half the first range shown: twice the size
  EXPECT_EQ(Fixed->EffectiveSize(), 10);
  S.Graph->Exaggerate = 1.5;
  EXPECT_EQ(Scaled->EffectiveSize(), 30);
  S.Graph->Exaggerate = 1e30;
  EXPECT_EQ(Scaled->EffectiveSize(), TNoteText::MaxFontSize);
  // A first state without height would divide by zero.
  TScene<TRecordingTarget> Flat(false, 400, 300);
  auto* Note = Flat.Add<TNoteText>();
  Note->TextStyle = 1;
  Flat.Graph->Zoom.PushPrimary({0, 5, 10, 5});
  Flat.Graph->Zoom.PushSecondary({0, 0, 1, 1});
  const int Size = Note->EffectiveSize();
  EXPECT_GE(Size, TNoteText::MinFontSize);
  EXPECT_LE(Size, TNoteText::MaxFontSize);
}

TEST(Annotate, MetafileCarriesNotesAndOutlines) {
  RegisterGraphAnnotation();
  TPlotFixture F;
  SetGraphAnnotationFactory(nullptr);
  auto& L = *static_cast<TGraphAnnotate*>(F.Graph().Annotate.get());
  auto Note = std::make_unique<TNoteText>(&F.Graph());
  Note->Text = QStringLiteral("Remark");
  Note->X = 1.5;  // an empty graph shows 1 .. 2
  Note->Y = 1.5;
  L.Add(std::move(Note));
  L.Add(std::make_unique<TRectangle>(&F.Graph(), TDoublePoint{1.2, 1.8}, TDoublePoint{1.6, 1.3},
                                     TColor(0x00FF00), 2));
  const QString File = F.Dir.filePath(QStringLiteral("a.emf"));
  QString Error;
  ASSERT_TRUE(F.Plot->SavePicture(File, 3, &Error)) << Error.toStdString();
  const QString Svg = MetafileToSvg(true, File);
  EXPECT_TRUE(SvgTexts(Svg).contains(QStringLiteral("Remark"))) << SvgTexts(Svg).toStdString();
  QString Flat = Svg;
  Flat.remove(u' ');
  EXPECT_TRUE(Flat.contains(QStringLiteral("#00ff00"), Qt::CaseInsensitive) ||
              Flat.contains(QStringLiteral("rgb(0,255,0)")));
}

TEST(AnnotateMouse, EachToolStretchesOutItsFigure) {
  for (bool Auto : {false, true}) {
    TImageScene S;
    TGraphAnnotate& L = S.Layer();
    L.AutoRefresh = Auto;
    S.Graph->Paint();
    S.Paints = 0;
    const QImage Clean = S.Image.copy();
    const TAnnotateTool Tools[] = {atLine, atArrow, atRect, atCircle};
    const char* Names[] = {"TMonoLine", "TArrow", "TRectangle", "TCircle"};
    for (int I = 0; I < 4; ++I) {
      L.Tool = Tools[I];
      const int X = 60 + 70 * I, Y = 60;
      L.MouseDown(mbLeft, ssLeft, X, Y);
      auto* F = dynamic_cast<TMonoLine*>(L.GetFigure(I));
      ASSERT_NE(F, nullptr);
      EXPECT_EQ(F->ClassName(), QLatin1String(Names[I]));
      EXPECT_TRUE(F->Creating);
      EXPECT_EQ(F->X1, F->X2);  // both ends start at the press
      EXPECT_EQ(L.SelectedIndex, I);
      L.MouseMove(ssLeft, X + 20, Y + 30);
      L.MouseMove(ssLeft, X + 40, Y + 50);
      L.MouseUp(mbLeft, 0, X + 40, Y + 50);
      EXPECT_FALSE(F->Creating || F->Selected);
      EXPECT_EQ(S.Px(F->X1, F->Y1), (TPoint{X, Y}));
      EXPECT_EQ(S.Px(F->X2, F->Y2), (TPoint{X + 40, Y + 50}));
    }
    // Without Autorefresh the last outlines stay in the image until the graph is painted.
    EXPECT_EQ(S.Paints, Auto ? 4 : 0);
    if (!Auto) {
      EXPECT_NE(S.Image, Clean);
    }
  }
}

TEST(AnnotateMouse, PencilKeepsOnlyNewPointsAndMovesAsOne) {
  TImageScene S;
  TGraphAnnotate& L = S.Layer();
  L.Tool = atPencil;
  L.MouseDown(mbLeft, ssLeft, 100, 100);
  auto* P = dynamic_cast<TPencil*>(L.GetFigure(0));
  ASSERT_NE(P, nullptr);
  EXPECT_EQ(P->Width, 3);
  for (TPoint M : {TPoint{100, 100}, TPoint{110, 105}, TPoint{110, 105}, TPoint{120, 100}})
    L.MouseMove(ssLeft, M.X, M.Y);
  L.MouseUp(mbLeft, 0, 120, 100);
  EXPECT_EQ(P->PointCount(), 3);  // a still mouse adds nothing
  L.Tool = atNone;
  L.MouseMove(0, 110, 105);
  ASSERT_EQ(L.SelectedIndex, 0);
  L.MouseDown(mbLeft, ssLeft, 110, 105);
  L.MouseMove(ssLeft, 115, 125);
  L.MouseUp(mbLeft, 0, 115, 125);
  EXPECT_EQ(S.Px(P->Points->GetItem(0), P->Points->GetItem(1)), (TPoint{105, 120}));
  EXPECT_EQ(S.Px(P->Points->GetItem(4), P->Points->GetItem(5)), (TPoint{125, 120}));
}

TEST(AnnotateMouse, GrabMoveReshapeAndDelete) {
  TScene<TRecordingTarget> S(false, 400, 300);
  TGraphAnnotate& L = S.Layer();
  auto* R = S.Add<TRectangle>(TDoublePoint{2, 8}, TDoublePoint{4, 6}, clRed, 1);
  auto* Line = S.Add<TMonoLine>(TDoublePoint{6, 2}, TDoublePoint{9, 2}, clRed, 1);
  const TPoint TL = S.Px(2, 8), BR = S.Px(4, 6);
  // A press where nothing lies changes nothing.
  L.MouseDown(mbLeft, ssLeft, 5, 5);
  EXPECT_EQ(L.SelectedIndex, -1);
  EXPECT_EQ(S.Px(R->X1, R->Y1), TL);
  // Grabbed inside: the whole rectangle moves.
  const TPoint In{(TL.X + BR.X) / 2, (TL.Y + BR.Y) / 2};
  L.MouseDown(mbLeft, ssLeft, In.X, In.Y);
  EXPECT_TRUE(R->Selected);
  L.MouseMove(ssLeft, In.X + 10, In.Y + 5);
  L.MouseUp(mbLeft, 0, In.X + 10, In.Y + 5);
  EXPECT_EQ(S.Px(R->X1, R->Y1), (TPoint{TL.X + 10, TL.Y + 5}));
  EXPECT_EQ(S.Px(R->X2, R->Y2), (TPoint{BR.X + 10, BR.Y + 5}));
  // By the corner (X2, Y1) only that corner's values move.
  const TPoint C = S.Px(R->X2, R->Y1);
  const double X1 = R->X1, Y2 = R->Y2;
  L.MouseDown(mbLeft, ssLeft, C.X, C.Y);
  L.MouseMove(ssLeft, C.X + 20, C.Y - 10);
  L.MouseUp(mbLeft, 0, C.X + 20, C.Y - 10);
  EXPECT_EQ(S.Px(R->X2, R->Y1), (TPoint{C.X + 20, C.Y - 10}));
  EXPECT_EQ(R->X1, X1);
  EXPECT_EQ(R->Y2, Y2);

  // The popup's Delete removes the figure it was opened on, even when the mouse has since moved
  // to another, and nothing once that one is gone.
  const TPoint OnLine = S.Px(7, 2);
  L.MouseDown(mbRight, ssRight, OnLine.X, OnLine.Y);
  EXPECT_EQ(S.Owner.Popups, 1);
  L.MouseMove(0, In.X + 10, In.Y + 5);
  EXPECT_EQ(L.GetFigure(L.SelectedIndex), R);
  const int Before = S.Paints;
  L.EraseClick();
  ASSERT_EQ(L.Count(), 1);
  EXPECT_EQ(L.GetFigure(0), R);
  EXPECT_EQ(S.Paints, Before + 1);
  L.EraseClick();
  EXPECT_EQ(L.Count(), 1);
  (void)Line;
  // With a tool chosen a right click opens no popup.
  L.Tool = atLine;
  L.MouseDown(mbRight, ssRight, In.X + 10, In.Y + 5);
  EXPECT_EQ(S.Owner.Popups, 1);
}

TEST(AnnotateMouse, TheGraphForwardsToTheLayerAndNotesNeedText) {
  TImageScene S;
  TGraphAnnotate& L = S.Layer();
  L.Tool = atText;
  const TPoint P = S.Px(3, 3);
  for (const char* Text : {"", "Minimum"}) {
    QTimer::singleShot(0, [&] {
      auto* D = qobject_cast<TfmFigsProperties*>(QApplication::activeModalWidget());
      ASSERT_NE(D, nullptr);
      EXPECT_EQ(D->Page(), TfmFigsProperties::fpText);
      EXPECT_FALSE(D->btApply->isVisibleTo(D));  // no Apply for a new note
      D->edText->setText(QString::fromLatin1(Text));
      D->cbStyle->setCurrentIndex(1);
      D->btOk->click();
    });
    S.Graph->MouseDown(mbLeft, ssLeft, P.X, P.Y);
    S.Graph->MouseUp(mbLeft, 0, P.X, P.Y);
  }
  ASSERT_EQ(L.Count(), 1);  // the note without text was dropped
  auto* N = dynamic_cast<TNoteText*>(L.GetFigure(0));
  ASSERT_NE(N, nullptr);
  EXPECT_EQ(N->Text, QStringLiteral("Minimum"));
  EXPECT_EQ(N->TextStyle, 1);
  EXPECT_EQ(S.Px(N->X, N->Y), P);
  // The note is grabbed by its outline.
  L.Tool = atNone;
  EXPECT_TRUE(N->HitTest(P.X + 3, P.Y + 3));
  EXPECT_FALSE(N->HitTest(P.X - 3, P.Y + 3));
}

TEST(AnnotateMouse, SymbolToolAndPopupPropertiesRunTheirDialogs) {
  TImageScene S;
  TGraphAnnotate& L = S.Layer();
  L.Tool = atShape;
  const TPoint P = S.Px(5, 5);
  for (bool Ok : {false, true}) {
    QTimer::singleShot(0, [&] {
      auto* D = qobject_cast<TfmMarkerStyle*>(QApplication::activeModalWidget());
      ASSERT_NE(D, nullptr);
      D->StyleClick(3);
      (Ok ? D->btClose : D->btCancel)->click();
    });
    L.MouseDown(mbLeft, ssLeft, P.X, P.Y);
    L.MouseUp(mbLeft, 0, P.X, P.Y);
  }
  ASSERT_EQ(L.Count(), 1);  // the cancelled symbol was dropped
  auto* Sym = dynamic_cast<GraphFigs::TShape*>(L.GetFigure(0));
  ASSERT_NE(Sym, nullptr);
  EXPECT_EQ(Sym->Style, 3);
  EXPECT_EQ(Sym->Marker.Style, 3);
  EXPECT_EQ(S.Px(Sym->X, Sym->Y), P);
  EXPECT_NE(S.At(P.X, P.Y), qRgb(255, 255, 255));  // drawn at once

  // Properties from the popup edits the figure it was opened on.
  L.Tool = atNone;
  auto* Line = S.Add<TMonoLine>(TDoublePoint{1, 1}, TDoublePoint{3, 1}, clRed, 1);
  const TPoint On = S.Px(2, 1);
  L.MouseDown(mbRight, ssRight, On.X, On.Y);
  EXPECT_EQ(S.Owner.Popups, 1);
  QTimer::singleShot(0, [&] {
    auto* D = qobject_cast<TfmFigsProperties*>(QApplication::activeModalWidget());
    ASSERT_NE(D, nullptr);
    TypeInto(D->edThickness, QStringLiteral("5"), false);
    D->btOk->click();
  });
  L.PropertiesClick();
  EXPECT_EQ(Line->Width, 5);
}

}  // namespace
