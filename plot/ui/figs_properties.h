#pragma once
// The properties dialog of an annotation figure: a line page (lines, arrows, strokes), a
// rectangle page (rectangles, circles, with the fill) and a text page (notes). The colour and font
// dialogs work on copies that the figure takes over only on OK or Apply.
#include <memory>

#include "platform/colors.h"
#include "platform/form.h"
#include "platform/graphics.h"
#include "platform/number_edit.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TFig;
class TUpDown;

class TfmFigsProperties : public TForm {
  Q_OBJECT
 public:
  enum TPage { fpLine, fpRectangle, fpText };

  explicit TfmFigsProperties(QWidget* Owner = nullptr);
  ~TfmFigsProperties() override;

  // Shows Fig's values on the page of its class; a new note has no Apply.
  void LoadFig(TFig* Fig, bool NewNote);
  // Writes the page's values into the figure and repaints its graph; false, with the range
  // message shown and nothing written, for a thickness out of range.
  bool StoreValues();
  TPage Page() const { return FPage; }

  void ColorClick();
  void BackColorClick();
  void FontClick();
  void OkClick();
  void ApplyClick();

  QLabel *lbStyle = nullptr, *lbWidth = nullptr, *lbText = nullptr;
  QComboBox *cbStyle = nullptr, *cbAppearance = nullptr;
  TNumberEdit* edThickness = nullptr;
  QLineEdit* edText = nullptr;
  TUpDown* udThickness = nullptr;
  QPushButton *btColor = nullptr, *btBackColor = nullptr, *btFont = nullptr, *btOk = nullptr,
              *btCancel = nullptr, *btApply = nullptr;
  // The copies the colour and font dialogs edit.
  TColor EditColor = clBlack, EditFillColor = clWhite;
  TFont FontCopy;

 protected:
  void FormCreate() override;

 private:
  TFig* FFig = nullptr;
  TPage FPage = fpLine;
};

// Runs the dialog on Fig; true when closed with OK.
bool EditFigProperties(TFig& Fig, bool NewNote = false);
