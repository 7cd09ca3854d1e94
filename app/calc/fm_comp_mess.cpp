#include "app/calc/fm_comp_mess.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>

TfmCompMess* fmCompMess = nullptr;

TfmCompMess::TfmCompMess(QWidget* Parent) : TForm(Parent) {
  setObjectName("fmCompMess");
  setWindowTitle("Complex Numbers");
  auto* L = new QVBoxLayout(this);
  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName("Memo1");
  Memo1->setReadOnly(true);
  Memo1->setPlainText(
      "In complex mode a complex number is written as comp(Real, Image).\n"
      "\n"
      "Examples:\n"
      "  comp(3,4)\tthe number 3+4i\n"
      "  comp(1,-2)*comp(0,1)\ta product of two complex numbers\n"
      "  sin(comp(0,1))+?\ta function of a complex number plus the last result\n"
      "\n"
      "Results are shown in one of two forms:\n"
      "  Rect   - algebraic form, real part and imaginary part: 3.0+4.0i\n"
      "  Polar  - exponential form, modulus and argument: 5.0*exp(0.927295218i)\n"
      "In Polar form comp(a,b) also reads a as the modulus and b as the argument.");
  // The examples' explanations line up at one tab stop (blanks do not, in a proportional font).
  Memo1->setTabStopDistance(Memo1->fontMetrics().horizontalAdvance("  comp(1,-2)*comp(0,1)   "));
  Memo1->setMinimumSize(Memo1->fontMetrics().horizontalAdvance(QString(64, 'n')),
                        Memo1->fontMetrics().lineSpacing() * 14);
  L->addWidget(Memo1, 1);
  auto* Row = new QHBoxLayout;
  chShow = new QCheckBox("Display this message every time", this);
  chShow->setObjectName("chShow");
  chShow->setChecked(true);
  Button1 = new QPushButton("OK", this);
  Button1->setObjectName("Button1");
  Button1->setDefault(true);
  Row->addWidget(chShow);
  Row->addStretch();
  Row->addWidget(Button1);
  L->addLayout(Row);
  SetButtonModalResult(Button1, mrOk);
}
