// The road from the input line to the result line, and the controls that change how results are
// shown.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>

#include <exception>

#include "app/calc/calc_engine_bridge.h"
#include "app/calc/fm_calc.h"
#include "app/calc/fm_comp_mess.h"
#include "app/common/calc_controls.h"
#include "app/common/calc_platform.h"
#include "app/common/engine_idle.h"
#include "app/common/engine_text.h"
#include "app/graphics/graphics_page.h"
#include "engine/complex_eval.h"
#include "engine/engine_busy.h"
#include "engine/engine_scopes.h"
#include "engine/format.h"
#include "engine/numeric_procedures.h"
#include "engine/side_eval.h"
#include "engine/variables.h"
#include "platform/app_services.h"
#include "platform/codepage.h"
#include "platform/cursors.h"
#include "platform/dialogs.h"
#include "widgets/nx_label.h"

namespace {

// The 1-based span [Pos, Pos+Len) of the engine text as a range of the line's characters: each
// engine byte stands for one character, which may take two UTF-16 units.
std::pair<int, int> LineSpan(const QString& Line, int Pos, int Len) {
  std::vector<int> Start;
  for (qsizetype I = 0; I < Line.size(); ++I) {
    Start.push_back(static_cast<int>(I));
    if (Line[I].isHighSurrogate() && I + 1 < Line.size() && Line[I + 1].isLowSurrogate()) ++I;
  }
  const int Chars = static_cast<int>(Start.size());
  auto At = [&](int Index) {
    return Index >= Chars ? static_cast<int>(Line.size()) : Start[static_cast<size_t>(Index)];
  };
  const int First = std::clamp(Pos - 1, 0, Chars);
  const int Last = std::clamp(Pos - 1 + std::max(Len, 0), First, Chars);
  return {At(First), At(Last) - At(First)};
}

}  // namespace

void TfmCalc::SelectInputSpan(int Pos, int Len) {
  const auto [From, Count] = LineSpan(Edit1->text(), Pos, Len);
  Edit1->setSelection(From, Count);
}

void TfmCalc::ShowEvalError(const TSideResult& Error) {
  QPalette P = Edit2->palette();
  P.setColor(QPalette::Text, Qt::red);
  Edit2->setPalette(P);
  Edit2->setText(FromCp1252(Error.Message));
  Edit1->setFocus();
  SelectInputSpan(Error.ErrPos, Error.ErrLen);
}

void TfmCalc::ShowResultText(const QString& Text) {
  QPalette P = Edit2->palette();
  P.setColor(QPalette::Text, Qt::blue);
  Edit2->setPalette(P);
  Edit2->setText(Text);
}

bool TfmCalc::Redisplay() {
  if (ComplexMode) {
    ShowResultText(FromCp1252(CompToStr(ComplexAnswer, Digits)));
    return true;
  }
  TSideResult Error;
  const std::string Text = FormatAside(Digits, EngineState.Ans, ToCp1252(Edit1->text()), Error);
  if (!Error.Ok) {
    // A value that this radix or notation cannot show is reported, never shown as "0.0".
    ShowEvalError(Error);
    return false;
  }
  ShowResultText(FromCp1252(Text));
  return true;
}

bool TfmCalc::ReturnClick() {
  if (Busy()) return false;  // one engine state: evaluations never nest by accident
  if (!FitsTheEngine(Edit1->text())) return false;
  TSideEvaluation Side(TSideMode::Input);
  if (!Side.Started()) return false;
  FEvaluating = true;
  bool Shown = false;
  LockPages();
  if (!Edit1->text().isEmpty()) {
    const TBusyCursor Hourglass;
    const QString Input = Edit1->text();
    FTypedText = ToCp1252(Input);
    Edit1->setReadOnly(true);
    const TControlsLock Lists({cbHistory, cbResults});
    try {
      TSideResult R;
      TComplex Z;
      // A line of blanks holds nothing to evaluate, as an empty one.
      if (Side.Prepare(FTypedText, R))
        R = ComplexMode ? Side.EvaluatePreparedComplex(Z) : Side.EvaluatePrepared();
      std::string Text;
      if (R.Ok) {
        // A value the formatter cannot show is an error: it is reported as one and enters
        // neither the previous result nor the histories.
        Text = ComplexMode ? CompToStr(Z, Digits) : FormatAside(Digits, R.Value, FTypedText, R);
        Edit2->selectAll();
        Edit2->clear();
      }
      if (R.Ok) {
        const QString Result = FromCp1252(Text);
        ShowResultText(Result);
        Edit1->selectAll();
        if (ComplexMode)
          Side.SetAnswer(Z);
        else
          Side.SetAnswer(R.Value);
        if (InputModified && !Input.isEmpty()) UpdateHistories(Input, Result);
        if (!ComplexMode && (Input.contains("min") || Input.contains("max"))) {
          // Where the extremum lies goes to the assistant line, beside the value itself.
          const QString Which = Input.contains("min") ? " Xmin=" : " Xmax=";
          bool Unshown = false;
          const std::string At = FormatAside(Digits, ExtremumX, &Unshown);
          if (!Unshown) ShowAssistantText(Which + FromCp1252(At));
        }
        Shown = true;
      } else if (!R.Empty) {
        ShowEvalError(R);
      }
    } catch (const std::exception& E) {
      ShowError(QString::fromUtf8(E.what()));
    } catch (...) {
      ShowError("Unexpected error");
    }
    Edit1->setReadOnly(false);
  }
  UnlockPages();
  FinishEvaluation();
  return Shown;
}

void TfmCalc::FinishEvaluation() { FEvaluating = false; }

void TfmCalc::UpdateHistories(const QString& Input, const QString& Result) {
  cbResults->insertItem(0, Result);
  PutIntoExpressionHistory(Input);
  cbResults->setCurrentIndex(-1);

  QString Note = "; ";
  const auto Log = calceng::AssignmentLogEntries();
  if (Log.size() < 10)
    for (const auto& [Name, Value] : Log) {
      if (Name.empty() || Name == std::string(1, '\0')) continue;
      const QString Key = FromCp1252(Name) + "=";
      if (Note.contains(Key)) continue;
      Note += Key + FromCp1252(Value) + "; ";
    }
  InsertTapeLine(Input + " = " + Result + Note);
}

// ---- display controls ----

namespace {
// Keeps the other group of a pair equal to the one clicked, without running its handler again.
void CopyToPartner(TRadioGroup* Sender, TRadioGroup* First, TRadioGroup* Second) {
  TRadioGroup* Other = Sender == Second ? First : Second;
  SetItemIndexQuietly(Other, Sender->ItemIndex());
}

void ShowIndex(std::initializer_list<TRadioGroup*> Groups, int Index) {
  for (TRadioGroup* G : Groups)
    if (G && Index >= 0 && Index < ItemCount(G)) SetItemIndexQuietly(G, Index);
}

// A display control used while an evaluation runs, of this window or of another one: that
// evaluation reads and formats with the settings it started with (a radix changed in the middle
// of the matrix window's A*B read 10 as 16), so the change is refused and the controls show the
// settings in force again.
bool RefusedWhileBusy(TfmCalc& W) {
  if (!W.Busy()) return false;
  ShowIndex({W.rgNotation, W.rgNotation2}, EngineSettings.DisplayMode);
  ShowIndex({W.rgBase, W.rgBase2}, EngineSettings.Radix);
  ShowIndex({W.rgAngle, W.rgAngle2}, EngineSettings.AngleMode == 1 ? 1 : 0);
  ShowIndex({W.rgReal, W.rgReal2}, W.ComplexMode ? 1 : 0);
  ShowIndex({W.rgComplexForm, W.rgComplexForm2}, ComplexDisplayForm);
  for (TUpDown* U : {W.udDigits, W.UpDown2})
    U->SetPosition(EngineSettings.Radix == 2 ? W.Bits : W.Digits);
  return true;
}
}  // namespace

void TfmCalc::ApplyDigitRange() {
  const bool Binary = EngineSettings.Radix == 2;
  if (!Binary) Digits = std::clamp(Digits, FDigitMin, FDigitMax);
  for (TUpDown* U : {udDigits, UpDown2}) {
    U->SetMin(Binary ? 7 : FDigitMin);
    U->SetMax(Binary ? 32 : FDigitMax);
    U->SetPosition(Binary ? Bits : Digits);
  }
  for (TNxLabel* L : {lbDigits, lbDigits2}) L->SetCaption(Binary ? "Bits" : "Digits");
}

void TfmCalc::rgNotationClick(TRadioGroup* Sender) {
  if (RefusedWhileBusy(*this)) return;
  CopyToPartner(Sender, rgNotation, rgNotation2);
  const int Index = std::max(Sender->ItemIndex(), 0);
  SetDisplayMode(Index);
  switch (Index) {
    case 0:
      MinDigits = 8, FDigitMin = 8, FDigitMax = 21;
      break;
    case 1:
      MinDigits = 3, FDigitMin = 3, FDigitMax = 20;
      break;
    case 2:
      MinDigits = 11, FDigitMin = 11, FDigitMax = 21;
      break;
    default:
      break;
  }
  if (Digits < MinDigits) Digits = MinDigits;
  ApplyDigitRange();
  if (!Loading) Redisplay();
}

void TfmCalc::ApplyRadix(int Radix) {
  SelectRadix(static_cast<std::uint8_t>(Radix));
  ApplyDigitRange();
}

void TfmCalc::rgBaseClick(TRadioGroup* Sender) {
  // Refused whole: its own evaluation would be refused, and the radix must not change alone.
  if (RefusedWhileBusy(*this)) return;
  CopyToPartner(Sender, rgBase, rgBase2);
  const int Radix = std::max(Sender->ItemIndex(), 0);
  // The input is evaluated once more in the radix it was typed in.
  const bool Evaluated = ReturnClick();
  ApplyRadix(Radix);
  const bool Shown = Redisplay();
  static const char* const Bases[] = {"10", "16", "2"};
  // An empty input line has nothing to evaluate, and the change of radix is still noted.
  if ((Evaluated || Edit1->text().isEmpty()) && Shown)
    InsertTapeLine(Edit1->text() + " = " + Edit2->text() + "; Base=" + Bases[std::min(Radix, 2)]);
}

void TfmCalc::rgAngleClick(TRadioGroup* Sender) {
  if (RefusedWhileBusy(*this)) return;
  CopyToPartner(Sender, rgAngle, rgAngle2);
  if (!Loading) SetAngleMode(std::max(Sender->ItemIndex(), 0));
}

void TfmCalc::rgComplexFormClick(TRadioGroup* Sender) {
  if (RefusedWhileBusy(*this)) return;
  CopyToPartner(Sender, rgComplexForm, rgComplexForm2);
  ComplexDisplayForm = static_cast<std::uint8_t>(std::max(Sender->ItemIndex(), 0));
  if (Loading) return;
  ShowResultText(FromCp1252(CompToStr(ComplexAnswer, Digits)));
  InsertTapeLine(Edit1->text() + " = " + Edit2->text());
}

int TfmCalc::SnapBits(int P) {
  if (P == 31) return 16;
  if (P == 15) return 8;
  if (P < 7) return 7;
  if (P == 9) return 16;
  if (P == 17) return 32;
  return P;
}

void TfmCalc::udDigitsChanging(TUpDown* /*Sender*/, bool& AllowChange, int NewPosition) {
  if (RefusedWhileBusy(*this)) {
    AllowChange = false;
    return;
  }
  if (EngineSettings.Radix != 2) return;
  // The bit count moves between the group widths only: the step lands on the snapped count.
  AllowChange = false;
  Bits = SnapBits(std::min(NewPosition, 32));
  ApplyDigitRange();
  Redisplay();
}

void TfmCalc::udDigitsClick(TUpDown* Sender) {
  if (RefusedWhileBusy(*this)) return;
  if (EngineSettings.Radix != 2) {
    Digits = Sender->Position();
    TGraphicsPage::SetBubbleDigits(Digits);
  } else
    Bits = SnapBits(std::min(Sender->Position(), 32));
  ApplyDigitRange();
  Redisplay();
}

void TfmCalc::rgRealClick(TRadioGroup* Sender) {
  if (RefusedWhileBusy(*this)) return;
  CopyToPartner(Sender, rgReal, rgReal2);
  if (Sender->ItemIndex() == 1) {
    if (NoticeCount == 0 && ShowComplexNotice) {
      TfmCompMess* Notice = CompMess();
      Notice->chShow->setChecked(true);
      calcpf::RunModal(*Notice);
      ++NoticeCount;
      ShowComplexNotice = Notice->chShow->isChecked();
    }
    if (ItemCount(rgBase) == 1) return;
    // Items that are about to go must not stay chosen: fall back to the first of each group.
    if (rgBase->ItemIndex() != 0) {
      SetItemIndexQuietly(rgBase, 0);
      SetItemIndexQuietly(rgBase2, 0);
      ApplyRadix(0);
    }
    // Complex functions work in radians; the real mode's unit comes back with the real mode.
    FRealAngleMode = EngineSettings.AngleMode;
    if (rgAngle->ItemIndex() != 0) {
      SetItemIndexQuietly(rgAngle, 0);
      SetItemIndexQuietly(rgAngle2, 0);
      SetAngleMode(0);
    }
    if (rgNotation->ItemIndex() == 3) {
      SetItemIndexQuietly(rgNotation, 0);
      SetItemIndexQuietly(rgNotation2, 0);
    }
    for (TRadioGroup* G : {rgBase, rgBase2}) {
      DeleteItem(G, 2);
      DeleteItem(G, 1);
    }
    for (TRadioGroup* G : {rgAngle, rgAngle2}) DeleteItem(G, 1);
    for (TRadioGroup* G : {rgNotation, rgNotation2}) DeleteItem(G, 3);
    Graphics->SetComplexKinds(true);
    if (sbLOG) {
      sbLOG->SetCaption("comp");
      sbLOG->SetHint("Complex number of (..,..)");
    }
    if (sbGAMMA) {
      sbGAMMA->SetCaption("LnGm");
      sbGAMMA->setFont(QFont("Arial", sbGAMMA->font().pointSize()));
    }
    ComplexMode = true;
    pnlComp->show();
    pnlComp2->show();
    pnlBase->hide();
    pnlBase2->hide();
    EnableRealKeys(false);
    rgNotationClick(rgNotation);
    return;
  }
  if (sbGAMMA) {
    sbGAMMA->SetCaption(QString(QChar(0x393)));
    sbGAMMA->setFont(QFont("Arial", sbGAMMA->font().pointSize()));
  }
  if (sbLOG) sbLOG->SetHint("Logarithm (..)");
  Graphics->SetComplexKinds(false);
  pnlComp->hide();
  pnlComp2->hide();
  pnlBase->show();
  pnlBase2->show();
  ComplexMode = false;
  pcCalc->SetTabVisible(3, true);
  if (ItemCount(rgBase) == 3) return;
  for (TRadioGroup* G : {rgBase, rgBase2}) {
    AddItem(G, "hex");
    AddItem(G, "bin");
  }
  for (TRadioGroup* G : {rgAngle, rgAngle2}) {
    AddItem(G, "Deg");
    SetItemIndexQuietly(G, FRealAngleMode);
  }
  SetAngleMode(FRealAngleMode);
  for (TRadioGroup* G : {rgNotation, rgNotation2}) AddItem(G, "Sxg");
  if (sbLOG) sbLOG->SetCaption("log");
  EnableRealKeys(true);
  rgNotationClick(rgNotation);
}
