#include "app/calc/keypad_keys.h"

#include <algorithm>
#include <vector>

#include "engine/builtin_table.h"
#include "engine/complex_eval.h"
#include "platform/codepage.h"

namespace {

// The help line of a built-in as a key hint; the angle unit is named by the assistant when it
// shows the line, so the hint leaves it open.
QString HelpHint(int Tag) {
  if (Tag < 0 || Tag >= BuiltinCount) return {};
  QString S = FromCp1252(BuiltinHelp[static_cast<size_t>(Tag)]).trimmed();
  S.replace("%A", "...");
  return S;
}

TKeyDef Fn(const char* Name, const QString& Caption, int Tag, const QString& Hint = {}) {
  return {Name, Caption, Tag, Hint.isEmpty() ? HelpHint(Tag) : Hint, TKeyAction::Function, {}};
}

TKeyDef Tx(const char* Name, const QString& Caption, const QString& Text,
           const QString& Hint = {}) {
  return {Name, Caption, 0, Hint, TKeyAction::Text, Text};
}

// Digits, point, previous result, the arithmetic operators and the postfix powers; both pages
// have them, the second page's names end in "2".
void AddCommonKeys(std::vector<TKeyDef>& Keys, bool Second) {
  static const char* const Names[2][10] = {
      {"bt0", "bt1", "bt2", "bt3", "bt4", "bt5", "bt6", "bt7", "bt8", "bt9"},
      {"bt02", "bt12", "bt22", "bt32", "bt42", "bt52", "bt62", "bt72", "bt82", "bt92"}};
  for (int D = 0; D < 10; ++D)
    Keys.push_back(Tx(Names[Second][D], QString::number(D), QString::number(D)));
  Keys.push_back(Tx(Second ? "btPoint2" : "btPoint", ".", "."));
  Keys.push_back(Tx(Second ? "sbLast2" : "sbLast", "?", "?", "Last Result"));
  Keys.push_back(Tx(Second ? "sbPlus2" : "sbPlus", "+", "+", "Add"));
  Keys.push_back(Tx(Second ? "sbMinus2" : "sbMinus", "-", "-", "Subtract"));
  Keys.push_back(Tx(Second ? "sbMult2" : "sbMult", "*", "*", "Multiply"));
  Keys.push_back(Tx(Second ? "sbDiv2" : "sbDiv", "/", "/", "Divide"));
  Keys.push_back(Tx(Second ? "sbPower2" : "sbPower", "^", "^", "Power"));
  Keys.push_back(
      Tx(Second ? "sbSqr2" : "sbSqr", QString(QChar(0xB2)), QString(QChar(0xB2)), "Square"));
  Keys.push_back(
      Tx(Second ? "sbCube2" : "sbCube", QString(QChar(0xB3)), QString(QChar(0xB3)), "Cube"));
  Keys.push_back(
      Tx(Second ? "sbRoot2" : "sbRoot", QString(QChar(0xBD)), QString(QChar(0xBD)), "Square root"));
}

std::vector<TKeyDef> MakeCalculatorKeys() {
  std::vector<TKeyDef> K = {
      Fn("sbSIN", "sin", 1),
      Fn("sbCOS", "cos", 12),
      Fn("sbTAN", "tan", 13),
      Fn("sbASIN", "asin", 2),
      Fn("sbACOS", "acos", 3),
      Fn("sbATAN", "atan", 4),
      Fn("sbLOG", "log", 17, "Logarithm (..)"),
      Fn("sbLN", "ln", 16),
      Fn("sb10A", QString("10") + QChar(0xAA), 87),
      Fn("sbEXP", "exp", 14),
      Fn("sbSQR", QString("a") + QChar(0xB2), 40),
      Fn("sbSQRT", QString(QChar(0x221A)), 15),
      // Drawn as a capital G in a symbol font: the gamma function.
      Fn("sbGAMMA", QString(QChar(0x393)), 26),
      Fn("sbSi", "Si", 24),
      Fn("sbCi", "Ci", 23),
      Fn("sbSOLV", "solv", 22),
      Fn("sbERF", "erf", 25),
      Fn("sbSINH", "sinh", 8),
      Fn("sbCOSH", "cosh", 9),
      Fn("sbTANH", "tanh", 10),
      Fn("sbASNH", "asnh", 5),
      Fn("sbACSH", "acsh", 6),
      Fn("sbATNH", "atnh", 7),
      Fn("sbIn", "In", 20),
      Fn("sbYn", "Yn", 19),
      Fn("sbJn", "Jn", 18),
      Fn("sbKn", "Kn", 21),
      Fn("sbNf", "n!", 31),
      Fn("sbeFD", "eFD", 32),
      Fn("sbMax", "max", 37),
      Fn("sbRand", "rand", 11),
      Fn("sbAbs", "abs", 33),
      Fn("sbMean", "mean", 38),
      Fn("sbSx", "std", 39),
      Fn("sbIntegral", QString(QChar(0x222B)), 27),
      Fn("sbRound", "round", 34),
      Fn("sbFrac", "frac", 35),
      Fn("sbSum", "sum", 41),
      Fn("sbGauss", "gauss", 42),
      Fn("sbPoly", "poly", 43),
      Fn("sbStat", "stat", 44),
  };
  AddCommonKeys(K, false);
  K.push_back(Tx("sbPersent", "%", "%", "Percent"));
  K.push_back(Tx("sbAnd", "and", "&", "Bitwise and"));
  K.push_back(Tx("sbOr", "or", "|", "Bitwise or"));
  K.push_back(Tx("sbXOR", "xor", "\\", "Bitwise exclusive or"));
  K.push_back(Tx("sbLoop", "Loop", "for J to K step M do(?)", "Loop J to K step M"));
  static const char* const LetterNames[10] = {"btX", "btY", "btZ", "btV", "btW",
                                              "btI", "btJ", "btK", "btM", "btN"};
  const QString Letters = "XYZVWIJKMN";
  for (int I = 0; I < 10; ++I)
    K.push_back({LetterNames[I],
                 QString(Letters[I]),
                 I + 1,
                 "Variable " + QString(Letters[I]),
                 TKeyAction::Letter,
                 {}});
  K.push_back(
      {"sbClMem", "Clear All", 0, "Clear variables and histories", TKeyAction::ClearAll, {}});
  K.push_back({"sbHelp", "Help", 0, "Help", TKeyAction::Help, {}});
  return K;
}

std::vector<TKeyDef> MakeExCalcKeys() {
  std::vector<TKeyDef> K = {
      Fn("sbtAtn2", "atn2", 89),    Fn("sbtCtan", "ctan", 92),    Fn("sbtDist", "dist", 102),
      Fn("sbtCeil", "ceil", 90),    Fn("sbtFloor", "floor", 91),  Fn("sbtMant", "mant", 95),
      Fn("sbtIG", "iG", 104),       Fn("sbtB", "B", 106),         Fn("sbtHmn", "hmn", 94),
      Fn("sbtGmn", "gmn", 107),     Fn("sbtIB", "iB", 113),       Fn("sbtSec", "sec", 108),
      Fn("sbtSG", "sG", 120),       Fn("sbtErfc", "erfc", 114),   Fn("sbtCsc", "csc", 111),
      Fn("sbtPsned", "psned", 126), Fn("sbtPkhi2", "pkhi2", 125), Fn("sbtNorm", "norm", 97),
      Fn("sbtPsd", "psd", 98),      Fn("sbtPnv", "pnv", 99),      Fn("sbtSos", "sos", 100),
      Fn("sbtVar", "var", 101),     Fn("sbtBnml", "bnml", 103),   Fn("sbtLogN", "logN", 93),
      Fn("sbtGcd", "gcd", 118),     Fn("sbtLog2", "log2", 121),   Fn("sbtLcm", "lcm", 117),
      Fn("sbtPerm", "perm", 123),   Fn("sbtLexp", "lexp", 122),   Fn("sbtVG", "VG", 105),
      Fn("sbtSech", "sech", 112),   Fn("sbtSx", "sx", 128),       Fn("sbtFrac", "frac", 35),
      Fn("sbtLG", "lG", 115),       Fn("sbtCsch", "csch", 116),   Fn("sbtTrunc", "trunc", 36),
      Fn("sbtExpon", "expon", 96),  Fn("sbtPnorm", "pnorm", 109), Fn("sbtEi", "ei", 129),
      Fn("sbtSign", "sign", 119),   Fn("sbtCx", "cx", 127),       Fn("sbtPstud", "pstud", 110),
  };
  // Carries the number of "if(" for the assistant but inserts the whole form.
  K.push_back({"sbtIf", "if", idIf, HelpHint(idIf), TKeyAction::Text, "if()then()else()"});
  AddCommonKeys(K, true);
  K.push_back(
      {"SpeedButton79", "Clear All", 0, "Clear variables and histories", TKeyAction::ClearAll, {}});
  K.push_back({"sbHelp2", "Help", 0, "Help", TKeyAction::Help, {}});
  return K;
}

}  // namespace

std::span<const TKeyDef> CalculatorKeys() {
  static const std::vector<TKeyDef> Keys = MakeCalculatorKeys();
  return Keys;
}

std::span<const TKeyDef> ExCalcKeys() {
  static const std::vector<TKeyDef> Keys = MakeExCalcKeys();
  return Keys;
}

QString FunctionKeyText(int Tag, bool Complex) {
  const TBuiltinEntry* E = nullptr;
  if (Complex) {
    if (Tag >= 0 && Tag < ComplexNameCount) E = &ComplexNameTable[static_cast<size_t>(Tag)];
  } else if (Tag >= 0 && Tag < BuiltinCount) {
    E = &BuiltinTable[static_cast<size_t>(Tag)];
  }
  if (!E || E->Kind < 0 || E->Kind > 3) return {};
  std::string S = std::string(E->Name) + ArgTemplates[static_cast<size_t>(E->Kind)];
  if (S.size() > MaxFunctionKeyText) S.resize(MaxFunctionKeyText);
  return FromCp1252(S);
}

// --- Shortcuts ------------------------------------------------------------------------

std::span<const TShortcut> Shortcuts() {
  static const TShortcut Table[] = {
      {false, '1', TShortcutAction::Key, "sb10A"},
      {false, '4', TShortcutAction::Key, "sbIntegral"},
      {false, 'A', TShortcutAction::Key, "sbASIN"},
      {false, 'C', TShortcutAction::Key, "sbCOS"},
      {false, 'D', TShortcutAction::Key, "sbSx"},
      {false, 'E', TShortcutAction::Text, "e"},
      {false, 'F', TShortcutAction::Key, "sbERF"},
      {false, 'R', TShortcutAction::Key, "sbERF"},
      {false, 'G', TShortcutAction::Key, "sbLOG"},
      {false, 'I', TShortcutAction::Key, "sbIn"},
      {false, 'J', TShortcutAction::Key, "sbJn"},
      {false, 'K', TShortcutAction::Key, "sbKn"},
      {false, 'L', TShortcutAction::Key, "sbLN"},
      {false, 'M', TShortcutAction::Key, "sbMean"},
      {false, 'N', TShortcutAction::Key, "sbATAN"},
      {false, 'O', TShortcutAction::Key, "sbACOS"},
      {false, 'P', TShortcutAction::Text, "\xB6"},
      {false, 'Q', TShortcutAction::Key, "sbSQRT"},
      {false, 'S', TShortcutAction::Key, "sbSIN"},
      {false, 'T', TShortcutAction::Key, "sbTAN"},
      {false, 'Y', TShortcutAction::Key, "sbYn"},
      {true, 'A', TShortcutAction::Key, "sbASNH"},
      {true, 'C', TShortcutAction::Key, "sbCOSH"},
      {true, 'E', TShortcutAction::Key, "sbEXP"},
      {true, 'G', TShortcutAction::Key, "sbGAMMA"},
      {true, 'H', TShortcutAction::Key, "sbACSH"},
      {true, 'O', TShortcutAction::Key, "sbSOLV"},
      {true, 'Q', TShortcutAction::Key, "sbSQR"},
      {true, 'R', TShortcutAction::Key, "sbRand"},
      {true, 'S', TShortcutAction::Key, "sbSINH"},
      {true, 'T', TShortcutAction::Key, "sbTANH"},
      {true, 'I', TShortcutAction::Letter, "I"},
      {true, 'J', TShortcutAction::Letter, "J"},
      {true, 'K', TShortcutAction::Letter, "K"},
      {true, 'M', TShortcutAction::Letter, "M"},
      {true, 'N', TShortcutAction::Letter, "N"},
      {true, 'V', TShortcutAction::Letter, "V"},
      {true, 'W', TShortcutAction::Letter, "W"},
      {true, 'X', TShortcutAction::Letter, "X"},
      {true, 'Y', TShortcutAction::Letter, "Y"},
      {true, 'Z', TShortcutAction::Letter, "Z"},
  };
  return Table;
}

const TShortcut* FindShortcut(bool Alt, int Key) {
  for (const TShortcut& S : Shortcuts())
    if (S.Alt == Alt && S.Key == Key) return &S;
  return nullptr;
}

// --- Key names --------------------------------------------------------------------------

QString KeyName(int Key) {
  struct TName {
    int Code;
    const char* Name;
  };
  static const TName Names[] = {
      {1, "vk_LButton"},     {2, "vk_RButton"},    {3, "vk_Cancel"},     {4, "vk_MButton"},
      {8, "vk_Back"},        {9, "vk_Tab"},        {12, "vk_Clear"},     {13, "vk_Return"},
      {16, "vk_Shift"},      {17, "vk_Control"},   {18, "vk_Menu"},      {19, "vk_Pause"},
      {20, "vk_Capital"},    {27, "vk_Escape"},    {32, "vk_Space"},     {33, "vk_Prior"},
      {34, "vk_Next"},       {35, "vk_End"},       {36, "vk_Home"},      {37, "vk_Left"},
      {38, "vk_Up"},         {39, "vk_Right"},     {40, "vk_Down"},      {41, "vk_Select"},
      {42, "vk_Print"},      {43, "vk_Execute"},   {44, "vk_SnapShot"},  {45, "vk_Insert"},
      {46, "vk_Delete"},     {47, "vk_Help"},      {106, "vk_Multiply"}, {107, "vk_vkAdd"},
      {108, "vk_Separator"}, {109, "vk_Subtract"}, {110, "vk_Decimal"},  {111, "vk_Divide"},
      {144, "vk_NumLock"},   {145, "vk_Scroll"},
  };
  if (Key >= 96 && Key <= 105) return "vk_NumPad" + QString::number(Key - 96);
  if (Key >= 112 && Key <= 135) return "vk_F" + QString::number(Key - 111);
  for (const TName& N : Names)
    if (N.Code == Key) return N.Name;
  return QString(QChar(static_cast<char16_t>(Key & 0xFFFF)));
}

QString ShiftText(TShiftState Shift) {
  static const char* const Names[] = {"ssShift", "ssAlt",    "ssCtrl",  "ssLeft",
                                      "ssRight", "ssMiddle", "ssDouble"};
  QString S;
  for (int I = 0; I < 7; ++I)
    if (Shift & (1u << I)) S += QString(" ") + Names[I];
  return S;
}

int VirtualKeyOf(int QtKey, bool Keypad) {
  if (Keypad && QtKey >= Qt::Key_0 && QtKey <= Qt::Key_9) return 96 + (QtKey - Qt::Key_0);
  if (Keypad) {
    switch (QtKey) {
      case Qt::Key_Asterisk:
        return 106;
      case Qt::Key_Plus:
        return 107;
      case Qt::Key_Minus:
        return 109;
      case Qt::Key_Period:
        return 110;
      case Qt::Key_Slash:
        return 111;
      default:
        break;
    }
  }
  if (QtKey >= Qt::Key_F1 && QtKey <= Qt::Key_F24) return 112 + (QtKey - Qt::Key_F1);
  switch (QtKey) {
    case Qt::Key_Backspace:
      return 8;
    case Qt::Key_Tab:
      return 9;
    case Qt::Key_Clear:
      return 12;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return 13;
    case Qt::Key_Shift:
      return 16;
    case Qt::Key_Control:
      return 17;
    case Qt::Key_Alt:
      return 18;
    case Qt::Key_Pause:
      return 19;
    case Qt::Key_CapsLock:
      return 20;
    case Qt::Key_Escape:
      return 27;
    case Qt::Key_Space:
      return 32;
    case Qt::Key_PageUp:
      return 33;
    case Qt::Key_PageDown:
      return 34;
    case Qt::Key_End:
      return 35;
    case Qt::Key_Home:
      return 36;
    case Qt::Key_Left:
      return 37;
    case Qt::Key_Up:
      return 38;
    case Qt::Key_Right:
      return 39;
    case Qt::Key_Down:
      return 40;
    case Qt::Key_Select:
      return 41;
    case Qt::Key_Print:
      return 42;
    case Qt::Key_Execute:
      return 43;
    case Qt::Key_Insert:
      return 45;
    case Qt::Key_Delete:
      return 46;
    case Qt::Key_Help:
      return 47;
    case Qt::Key_NumLock:
      return 144;
    case Qt::Key_ScrollLock:
      return 145;
    default:
      break;
  }
  // Letters and digits: Qt's codes are the upper-case characters, as the virtual keys are.
  if ((QtKey >= Qt::Key_0 && QtKey <= Qt::Key_9) || (QtKey >= Qt::Key_A && QtKey <= Qt::Key_Z))
    return QtKey;
  return QtKey & 0xFFFF;
}
