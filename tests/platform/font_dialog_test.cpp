// The font dialog on our fonts: what the dialog shows and what comes back, the colour included;
// what it cannot show stays.
#include <gtest/gtest.h>

#include "platform/dialogs.h"
#include "platform/font_dialog.h"

namespace {

TEST(FontDialog, OffersPointsAndColourAndKeepsWhatItCannotShow) {
  TScriptedDialogService Script;
  TScopedDialogService Scope(Script);
  TFont F;
  F.SetName(QStringLiteral("Arial"));
  F.SetPixelsPerInch(120);
  F.SetSize(10);
  F.SetColor(clRed);
  F.SetCharset(2);
  F.SetPitch(fpFixed);
  F.SetEscapement(900);
  F.SetStyle({fsItalic});

  // Cancelled: nothing changes.
  Script.AnswerCancel();
  const TFontData Before = F.Data();
  EXPECT_FALSE(EditFont(F));
  EXPECT_EQ(F.Data(), Before);
  ASSERT_EQ(Script.Requests.size(), 1u);
  EXPECT_EQ(Script.Requests[0].Kind, TDialogRequest::rkFont);
  EXPECT_EQ(Script.Requests[0].Font.pointSize(), 10);  // points, whatever the resolution
  EXPECT_TRUE(Script.Requests[0].Font.italic());
  EXPECT_EQ(Script.Requests[0].Color, clRed);

  QFont Chosen(QStringLiteral("Liberation Serif"), 14);
  Chosen.setBold(true);
  Script.AnswerFont(Chosen, clBlue);
  EXPECT_TRUE(EditFont(F));
  EXPECT_EQ(F.Name(), "Liberation Serif");
  EXPECT_EQ(F.Size(), 14);
  EXPECT_EQ(F.PixelsPerInch(), 120);
  EXPECT_TRUE(F.Style().Contains(fsBold));
  EXPECT_FALSE(F.Style().Contains(fsItalic));
  EXPECT_EQ(F.Color(), clBlue);
  EXPECT_EQ(F.Charset(), 2);
  EXPECT_EQ(F.Pitch(), fpFixed);
  EXPECT_EQ(F.Escapement(), 900);
}

}  // namespace
