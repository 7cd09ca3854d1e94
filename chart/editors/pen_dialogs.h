#pragma once
// The small editors every chart editor page uses for one colour, font, pen or brush of a chart
// part. Pen and brush changes apply at once, so the chart shows them live; Cancel puts back what
// the dialog changed.
#include <functional>
#include <memory>

#include <QList>

#include "platform/form.h"
#include "platform/graphics.h"

class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;
class QWidget;
class TChartPen;
class TNumberEdit;
class TRadioGroup;
class TUpDown;

// The colour the user chose, or Color when the dialog was cancelled.
TColor EditColor(QWidget* Owner, TColor Color);
// The colour dialog over one colour of a part: Set runs only when another colour was chosen.
template <class FSet>
void PickColor(QWidget* Owner, TColor Old, FSet Set) {
  const TColor New = EditColor(Owner, Old);
  if (New != Old) Set(New);
}
// On OK the chosen font (and colour) goes into Font.
TFont& EditChartFont(QWidget* Owner, TFont& Font);
void EditChartPen(QWidget* Owner, TChartPen& Pen);
void EditPen(QWidget* Owner, TPen& Pen);
void EditChartBrush(QWidget* Owner, TBrush& Brush);

// The helpers of the editor pages: a list of controls shown or hidden, enabled or disabled.
void ShowControls(bool Show, const QList<QWidget*>& Controls);
void EnableControls(bool Enable, const QList<QWidget*>& Controls);

// The clickable colour sample of the dialogs.
class TColorSwatch : public QWidget {
  Q_OBJECT
 public:
  explicit TColorSwatch(QWidget* Parent = nullptr);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);

 signals:
  void Clicked();

 protected:
  void paintEvent(QPaintEvent* Event) override;
  void mousePressEvent(QMouseEvent* Event) override;

 private:
  TColor FColor = clBlack;
};

class TPenDialog : public TForm {
  Q_OBJECT
 public:
  TPenDialog(QWidget* Owner, TPen& Pen);
  ~TPenDialog() override;

  TPen& ThePen;
  bool Updating = true;
  QCheckBox* CBVisible;
  TNumberEdit* SEWidth;
  TUpDown* UDWidth;
  TRadioGroup* RGStyle;
  TColorSwatch* SHColor;
  QPushButton *BColor, *Button1, *Button3;

  void RGStyleClick();
  void SEWidthChange(int Width);
  void CBVisibleClick();
  void BColorClick();
  void Button3Click();

 protected:
  void FormShow() override;
  void FormClose(TCloseAction& Action) override;

 private:
  TChartPen* ChartPen() const;
  // Puts the backup back, once: by Cancel, or by closing the dialog otherwise than with OK.
  void RollBack();
  std::unique_ptr<TChartPen> FBackup;
};

class TBrushDialog : public TForm {
  Q_OBJECT
 public:
  TBrushDialog(QWidget* Owner, TBrush& Brush);
  ~TBrushDialog() override;

  TBrush& TheBrush;
  TRadioGroup* RGStyle;
  TColorSwatch* SHColor;
  QPushButton *BColor, *Button2, *Button3;

  void RGStyleClick();
  void BColorClick();
  void Button3Click();
  void RefreshControls();

 protected:
  void FormShow() override;
  void FormClose(TCloseAction& Action) override;

 private:
  void RollBack();
  std::unique_ptr<TBrush> FBackup;
};

// How the editors run a modal form: Form.ShowModal(), unless tests install a runner that drives
// the shown form; the form is then closed and its modal result answered.
using TChartModalRunner = std::function<void(TForm& Form)>;
void SetChartModalRunner(TChartModalRunner Runner);
int RunChartModal(TForm& Form);
