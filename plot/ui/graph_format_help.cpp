#include "plot/ui/graph_format_help.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

QString GraphFormatHelpText() {
  return QStringLiteral(
      "Description\n"
      "\n"
      "A value format is text with exactly one conversion for the value:\n"
      "\n"
      "  %[-][width][.precision]type\n"
      "\n"
      "  -           left justify the value within the width\n"
      "  width       the least number of characters written (up to two digits)\n"
      "  .precision  the number of digits (up to two digits)\n"
      "\n"
      "type:\n"
      "  e   scientific notation, for example 1.234500e+03; the default\n"
      "      precision is 6 decimals; E writes the exponent with a capital E\n"
      "  f   fixed notation, for example 1234.500000; the default precision\n"
      "      is 6 decimals\n"
      "  g   general: the shorter of fixed and scientific, with trailing\n"
      "      zeros removed; the precision counts significant digits (6 by\n"
      "      default); G writes a capital E\n"
      "\n"
      "The decimal separator is always a point. %% writes a percent sign;\n"
      "any other text is written as it is. Examples: \"%.3f\", \"X = %8.2e m\",\n"
      "\"%g %%\".\n"
      "\n"
      "A format that is empty or that does not follow these rules is not\n"
      "used: the value is written in general format with the default number\n"
      "of digits.");
}

TfmGraphFormatHelp::TfmGraphFormatHelp(QWidget* Owner) : TForm(Owner) {
  setObjectName(QStringLiteral("fmGraphFormatHelp"));
}

void TfmGraphFormatHelp::FormCreate() {
  setWindowTitle(QStringLiteral("Format Help"));
  auto* Layout = new QVBoxLayout(this);
  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setReadOnly(true);
  Memo1->setPlainText(GraphFormatHelpText());
  QFont Fixed(QStringLiteral("Liberation Mono"));
  Fixed.setStyleHint(QFont::Monospace);
  Memo1->setFont(Fixed);
  Layout->addWidget(Memo1);
  auto* Close = new QPushButton(QStringLiteral("Close"), this);
  Close->setObjectName(QStringLiteral("btClose"));
  connect(Close, &QPushButton::clicked, this, [this] { this->Close(); });
  Layout->addWidget(Close, 0, Qt::AlignRight);
  const QFontMetrics M(Fixed);
  resize(M.horizontalAdvance(QLatin1Char('x')) * 76, M.lineSpacing() * 32);
}
