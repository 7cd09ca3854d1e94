#include "app/calc/assistant.h"

#include <QFont>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>

#include "engine/builtin_table.h"
#include "engine/complex_eval.h"
#include "platform/codepage.h"

namespace {

// Letters that occur in built-in names.
bool IsWordChar(QChar C) {
  const char16_t U = C.unicode();
  return (U >= 'a' && U <= 'z') || U == 'C' || U == 'I' || U == 'J' || U == 'K' || U == 'S' ||
         U == 'Y' || U == '_';
}

bool IsWordCharOpen(QChar C) { return IsWordChar(C) || C == QLatin1Char('('); }

// T[P] with 1-based P; a character outside T is no word character.
QChar At(const QString& T, int P) { return P >= 1 && P <= T.size() ? T[P - 1] : QChar(); }

constexpr int NoHelpId = idE;

}  // namespace

void InsertAtCaret(QLineEdit* Edit, const QString& S) {
  if (Edit->hasSelectedText()) Edit->del();
  const int P = Edit->cursorPosition();
  Edit->insert(S);
  int Caret = -1;
  for (const char* Pair : {"()", "(,)", "(,,)"}) {
    const qsizetype At = S.indexOf(QLatin1String(Pair));
    if (At >= 0) Caret = P + static_cast<int>(At) + 1;
  }
  if (Caret >= 0) Edit->setCursorPosition(Caret);
  Edit->setFocus();
}

QString WordAtCaret(const QString& T, int P) {
  if (T.isEmpty()) return {};
  P = std::clamp(P, 0, static_cast<int>(T.size()));
  if (!IsWordCharOpen(At(T, P))) {
    if (P < T.size()) ++P;
    if (!IsWordCharOpen(At(T, P))) {
      if (P > 2) P -= 2;
      if (!IsWordCharOpen(At(T, P))) return {};
    }
  }
  QString W(At(T, P));
  if (At(T, P) != QLatin1Char('(')) {
    for (int I = P + 1; I <= T.size() && IsWordCharOpen(At(T, I)); ++I) {
      W += At(T, I);
      if (At(T, I) == QLatin1Char('(')) break;
    }
  }
  for (int I = P - 1; I >= 1 && IsWordChar(At(T, I)); --I) W.prepend(At(T, I));
  return W;
}

int FindFunctionId(const QString& W, bool Complex) {
  if (W.isEmpty()) return -1;
  // The complex table is shorter than the real one; numbers beyond it have no complex name.
  const int Count = Complex ? ComplexNameCount : BuiltinCount;
  for (int I = 0; I < Count; ++I) {
    if (I == NoHelpId) continue;
    if (Complex) {
      if (W.contains(FromCp1252(ComplexNameTable[static_cast<size_t>(I)].Name))) return I;
    } else if (FromCp1252(BuiltinTable[static_cast<size_t>(I)].Name)
                   .compare(W, Qt::CaseInsensitive) == 0) {
      return I;
    }
  }
  return -1;
}

QString FunctionHelpLine(int Id, bool Complex, int AngleMode) {
  if (Id < 0 || Id == NoHelpId) return {};
  std::string_view Line;
  if (Complex) {
    if (Id >= ComplexHelpCount) return {};
    Line = ComplexBuiltinHelp[static_cast<size_t>(Id)];
  } else {
    if (Id >= BuiltinCount) return {};
    Line = BuiltinHelp[static_cast<size_t>(Id)];
  }
  QString S = FromCp1252(Line);
  const qsizetype A = S.indexOf("%A");
  if (A >= 0) S.replace(A, 2, AngleMode == 1 ? "degree" : "radian");
  return S;
}

// The panel is as wide as its line in the font it draws with (a width taken from another font
// cut long lines off); the window's layout may still narrow it when the window is narrower.
void ShowAssistantText(QLabel* Panel, const QString& S) {
  Panel->setMinimumWidth(0);
  Panel->setMaximumWidth(Panel->fontMetrics().horizontalAdvance(S + "     ") +
                         2 * Panel->frameWidth() + 2 * Panel->margin());
  Panel->setText(" " + S + " ");
}

void ShowFunctionHelp(QLabel* Panel, const QLineEdit* Input, int Id, bool Complex, int AngleMode) {
  if (Input->text().isEmpty()) {
    Panel->setMinimumWidth(0);
    Panel->setMaximumWidth(0);
    Panel->setText(QString());
    return;
  }
  const QString S = FunctionHelpLine(Id, Complex, AngleMode);
  if (!S.isEmpty()) ShowAssistantText(Panel, S);
}
