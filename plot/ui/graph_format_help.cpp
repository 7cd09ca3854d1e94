#include "plot/ui/graph_format_help.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "plot/core/graph_value_format.h"

QString GraphFormatHelpText() {
  // The limits are the formatter's own, so that the text cannot drift from what it takes.
  return QStringLiteral(
             "Description\n"
             "\n"
             "A value format is text with exactly one conversion for the value:\n"
             "\n"
             "  %[-][width][.precision]type\n"
             "\n"
             "  -           left justify the value within the width\n"
             "  width       the least number of characters written (at most %1)\n"
             "  .precision  the digits written, as the type counts them\n"
             "\n"
             "type, in either case (E is e, and so on):\n"
             "  e   scientific, for example 1.23450000000000E+003: the exponent\n"
             "      with its sign and at least three digits; the precision\n"
             "      counts significant digits (15 by default, at most %2)\n"
             "  f   fixed, for example 1234.50; the precision counts decimals\n"
             "      (2 by default, at most %3)\n"
             "  g   general, for example 1234.5 or 1.5E20: the shorter of fixed\n"
             "      and scientific, with trailing zeros removed; fixed only while\n"
             "      the integer digits fit the precision and the value is at\n"
             "      least 0.00001; the precision counts significant digits (15\n"
             "      by default, at most %2)\n"
             "  n   number: as f, with the integer digits in groups of three,\n"
             "      for example 1,234,567.50\n"
             "\n"
             "Larger widths and precisions are taken as the most. The decimal\n"
             "separator is a point and the thousand separator a comma. A value\n"
             "that is not a number is written INF, -INF or NAN. %% writes a\n"
             "percent sign; any other text is written as it is. Examples:\n"
             "\"%.3f\", \"X = %8.2e m\", \"%-12n|\", \"%g %%\".\n"
             "\n"
             "An empty format writes the value in general format with the\n"
             "default number of digits; a format that does not follow these\n"
             "rules is not taken.")
      .arg(MaxValueFormatWidth)
      .arg(MaxValueFormatSignificant)
      .arg(MaxValueFormatDecimals);
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
