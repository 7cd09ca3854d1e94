// The annotation tools window and the figure properties dialog, driven by their handlers.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/canvas_targets.h"
#include "platform/controls.h"
#include "plot/core/graph.h"
#include "plot/ui/annotate_tools.h"
#include "plot/ui/figs_properties.h"
#include "plot_fixture.h"

namespace {

TEST(AnnotateTools, OneWindowServesThePlotThroughAHandle) {
  TfmAnnotateTools* T = nullptr;
  {
    RegisterGraphAnnotation();
    TPlotFixture F;
    SetGraphAnnotationFactory(nullptr);
    auto* L = dynamic_cast<TGraphAnnotate*>(F.Graph().Annotate.get());
    ASSERT_NE(L, nullptr);
    L->AutoRefresh = true;
    F.Plot->ShowAnnotateTools();
    T = AnnotateTools();
    EXPECT_TRUE(F.Script.Messages().isEmpty());
    EXPECT_TRUE(T->isVisible());
    EXPECT_EQ(T->windowTitle(), QStringLiteral("Annotate Tools"));
    EXPECT_EQ(T->Layer(), L);
    EXPECT_TRUE(T->chbAuto->isChecked());
    EXPECT_FALSE(T->sbtRefresh->isEnabled());
    EXPECT_EQ(T->sbNone->Hint(), QStringLiteral("Select (right button click)"));
    EXPECT_EQ(T->sbShap->Hint(), QStringLiteral("Draw symbol"));
    EXPECT_EQ(T->sbPencil->Hint(), QStringLiteral("Pencil"));
    EXPECT_EQ(T->sbtRefresh->Hint(), QStringLiteral("Refresh graph"));
    EXPECT_EQ(T->SpeedButton2->Hint(), QStringLiteral("Delete all"));
    const QRect Form = F.Form->frameGeometry();
    EXPECT_EQ(T->frameGeometry().right(), Form.right());
    EXPECT_EQ(T->frameGeometry().top(), Form.top() + 20);
    F.Plot->ShowAnnotateTools();
    EXPECT_EQ(AnnotateTools(), T);  // one window for the program's life

    // A tool switches the zoom off; the check boxes set the layer.
    F.Plot->ZoomIn();
    T->sbLine->click();
    EXPECT_EQ(L->Tool, atLine);
    EXPECT_FALSE(F.Graph().Zoom.Enabled);
    T->chbAuto->setChecked(false);
    EXPECT_FALSE(L->AutoRefresh);
    EXPECT_TRUE(T->sbtRefresh->isEnabled());
    T->cbVisible->setChecked(false);
    EXPECT_FALSE(L->GetVisible());
    L->Add(
        std::make_unique<TMonoLine>(&F.Graph(), TDoublePoint{0, 0}, TDoublePoint{1, 1}, clRed, 1));
    const int Paints = F.Paints;
    T->SpeedButton2->click();
    EXPECT_EQ(L->Count(), 0);
    EXPECT_GT(F.Paints, Paints);
    T->close();
    EXPECT_EQ(L->Tool, atNone);
  }
  // The graph has gone: the window is bound to nothing and its buttons do nothing.
  EXPECT_EQ(T->Layer(), nullptr);
  T->sbRect->click();
  T->SpeedButton2->click();
  T->cbVisible->setChecked(true);
  FreeAnnotateTools();
}

TEST(FigsProperties, PagesTakeValuesOnlyOnOkOrApply) {
  TScriptedDialogService Script;
  TScopedDialogService Scope{Script};
  TRecordingTarget Target{400, 300};
  TCanvas Canvas{&Target};
  TGraph G(&Canvas, 400, 300);
  int Paints = 0;
  G.OnAfterDraw = [&](TGraph*) { ++Paints; };
  TArrow Arrow(&G, {1, 1}, {2, 2}, clRed, 1);
  {
    TfmFigsProperties D;
    D.DoCreate();
    D.LoadFig(&Arrow, false);
    EXPECT_EQ(D.Page(), TfmFigsProperties::fpLine);
    EXPECT_EQ(D.cbStyle->count(), 5);
    EXPECT_EQ(D.cbStyle->itemText(4), QStringLiteral("DashDotDot"));
    EXPECT_FALSE(D.cbAppearance->isVisibleTo(&D));
    EXPECT_FALSE(D.btFont->isVisibleTo(&D));
    D.cbStyle->setCurrentIndex(2);
    TypeInto(D.edThickness, QStringLiteral("4"), false);
    Script.AnswerColor(0x00FF00);
    D.ColorClick();
    EXPECT_EQ(Arrow.Color, clRed);  // nothing until Apply
    D.ApplyClick();
    EXPECT_EQ(Arrow.PenStyle, 2);
    EXPECT_EQ(Arrow.Width, 4);
    EXPECT_EQ(Arrow.Color, 0x00FF00u);
    EXPECT_EQ(Paints, 1);
    // A thickness out of range is refused aloud and nothing is taken over, not the old one kept.
    D.cbStyle->setCurrentIndex(0);
    TypeInto(D.edThickness, QStringLiteral("21"), false);
    D.OkClick();
    EXPECT_EQ(Script.Messages().last(), QStringLiteral("Thickness must be in the range [1..20]"));
    EXPECT_EQ(Arrow.PenStyle, 2);
    EXPECT_NE(D.ModalResult(), mrOk);
  }
  TCircle Circle(&G, {1, 1}, {2, 2}, clRed, 1);
  {
    TfmFigsProperties D;
    D.DoCreate();
    D.LoadFig(&Circle, false);
    EXPECT_EQ(D.Page(), TfmFigsProperties::fpRectangle);
    EXPECT_TRUE(D.cbAppearance->isVisibleTo(&D));
    EXPECT_EQ(D.btBackColor->text(), QStringLiteral("Back Color..."));
    Script.AnswerColor(0x00FFFF);
    D.BackColorClick();
    D.cbAppearance->setCurrentIndex(1);
    D.StoreValues();
    EXPECT_EQ(Circle.FillMode, 1);
    EXPECT_EQ(Circle.FillColor, 0x00FFFFu);
  }
  TNoteText Note(&G);
  Note.Text = QStringLiteral("a");
  {
    TfmFigsProperties D;
    D.DoCreate();
    D.LoadFig(&Note, false);
    EXPECT_EQ(D.lbStyle->text(), QStringLiteral("Text Style"));
    EXPECT_EQ(D.cbStyle->itemText(1), QStringLiteral("Scaled"));
    EXPECT_FALSE(D.edThickness->isVisibleTo(&D));
    EXPECT_FALSE(D.btColor->isVisibleTo(&D));
    EXPECT_TRUE(D.btApply->isVisibleTo(&D));  // only a new note has none
    EXPECT_EQ(D.edText->text(), QStringLiteral("a"));
    D.edText->setText(QStringLiteral("a much longer text"));
    D.ApplyClick();
  }
  // The outline follows the new text, so the note is grabbed along all of it.
  EXPECT_EQ(Note.Text, QStringLiteral("a much longer text"));
  EXPECT_TRUE(Note.HitTest(G.XToPixel(Note.X) + 60, G.YToPixel(Note.Y) + 4));
}

}  // namespace
