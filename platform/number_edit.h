#pragma once
// The one number field of the dialogs: a line edit, or a spin edit with its up-down, that knows
// the value in force and, once left, shows no other.
//
// It vets characters as they are typed; where the field applies live it applies each whole
// value its rule takes as it is typed. Leaving the field by any route (Tab, Shift+Tab, Enter,
// Escape, a click on another control or on a tab of a tab bar, the up-down's arrows, the Up and
// Down keys, the wheel over the field or over another control, or the window closing) finishes
// the typing: a finished text the rule refuses, an empty one too, gets its message, once, and the
// value in force before the typing began comes back, in the edit and in what it applies to. The
// press or wheel turn that left the field goes no further then, but for one on the window's
// cancel button, which cancels after the message; no later one is held back. The up-down steps
// from the value in force, also from an emptied field. Loading the field forgets the typing.
#include <QLineEdit>
#include <QList>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class TUpDown;

// What a field takes: how its text reads, which characters may be typed, which values it holds
// and what it says of a refused text. Bounds are in the unit the field shows.
class TNumberRule {
 public:
  TNumberRule(bool AWhole, double AMin, double AMax, const QString& ACaption = {})
      : Whole(AWhole), Min(AMin), Max(AMax), Caption(ACaption) {}
  virtual ~TNumberRule() = default;

  bool Whole;
  double Min, Max;
  // An open end is not taken itself.
  bool OpenMin = false, OpenMax = false;
  // The field's name in the range message.
  QString Caption;
  // Said of every refused text in place of the range message.
  QString Message;
  // Said of a text that reads as no number (an empty one among them), in place of either.
  QString NotANumber;

  // 0 for text that may stand while typing (a number, or the start of one), else the 1-based
  // position of the first character that may not.
  virtual int BadCharPos(const QString& Text) const;
  // The whole text as a number; false for none (empty, cut short, too large to hold).
  virtual bool Parse(const QString& Text, double& Value) const;
  virtual bool Accepts(double Value) const;
  // What a refused finished text gets told; never empty, for a refusal put back without a word
  // would look as if nothing had been asked.
  virtual QString RefusalText(const QString& Text) const;
  // A value as the field shows it.
  virtual QString Format(double Value) const;

 protected:
  // "<Caption> must be in the range [Min..Max]", "[Min ... Max]" for reals ("[ > Min ..." for an
  // open lower end).
  virtual QString RangeText() const;
  virtual QString BoundText(double Value) const;
};

class TNumberEdit : public QLineEdit {
  Q_OBJECT
 public:
  explicit TNumberEdit(QWidget* Parent = nullptr);
  ~TNumberEdit() override;

  // The rule, by default a closed range of whole numbers from 0 to 100.
  TNumberRule& Rule() { return *FRule; }
  const TNumberRule& Rule() const { return *FRule; }
  void SetRule(std::unique_ptr<TNumberRule> Rule);
  void SetWhole(double Min, double Max);
  void SetReal(double Min, double Max, bool OpenMin = false, bool OpenMax = false);
  void SetCaption(const QString& Caption) { FRule->Caption = Caption; }
  QString Caption() const { return FRule->Caption; }
  // A fixed message for every refusal, in place of the range message.
  void SetMessage(const QString& Text) { FRule->Message = Text; }

  // Reads the value in force, in the stored unit; Load shows it.
  std::function<double()> OnRead;
  // Applies a value taken, in the stored unit. It refuses one by throwing: the exception's text
  // is the message, and the value in force before the typing comes back.
  std::function<void(double)> OnApply;
  // Checks that span fields: the message refusing a value (stored unit), empty when taken.
  std::function<QString(double)> OnCheck;

  // Live: each whole value the rule takes is applied as it is typed; else only when left.
  bool Live() const { return FLive; }
  void SetLive(bool Value) { FLive = Value; }

  // The field shows Value / StoredPerShown (rounded for whole rules); a shown value is stored
  // as Shown * StoredPerShown, rounded when StoredWhole. Millimetres stored and tenths of an
  // inch shown: SetUnit(2.54, true).
  void SetUnit(double StoredPerShown, bool StoredWhole);
  double StoredPerShown() const { return FFactor; }

  // The value in force, in the stored unit.
  double Value() const { return FValue; }
  int IntValue() const;
  // Applies Value (stored unit) through OnApply and shows it; forgets the typing.
  void SetValue(double Value);
  // Shows Value as the one in force without applying it; forgets the typing.
  void ShowValue(double Value);
  // Shows what OnRead answers; forgets the typing. Text set by the program (setText) is a load
  // too: the value it reads as is in force.
  void Load();
  // Text typed and not yet finished.
  bool Typing() const { return FBefore.has_value(); }

  // Finishes the typing as leaving the field does; false when it was refused (its message has
  // been shown and the value in force before the typing is back).
  bool Finish();

  // The spin form: an up-down that steps by Increment from the value in force. Without
  // UpDown, one is made inside the edit's right end; a given one is taken over (it no longer
  // reads the edit's text).
  TUpDown* SetSpin(double Increment, TUpDown* UpDown = nullptr);
  TUpDown* UpDown() const { return FUpDown; }
  // Stepping by the Up and Down keys and the wheel alone, for a field whose arrows are buttons
  // of the dialog's own (they call Step).
  void SetIncrement(double Increment);
  bool Steps() const { return FSteps; }
  double Increment() const { return FIncrement; }
  // One step up (+1) or down (-1), as the arrows, the Up and Down keys and the wheel do: the
  // typing is finished first, and a refusal takes the step's place.
  void Step(int Direction);

  // Every number edit in Root (Root included); the dialogs' own list of their number fields.
  static QList<TNumberEdit*> EditsIn(const QWidget* Root);
  // Finishes the typing of every number edit in Root; false when any was refused.
  static bool FinishAll(const QWidget* Root);

 signals:
  // A value was applied: typed, stepped, set, or put back after a refusal (stored unit).
  void Applied(double Value);

 protected:
  void keyPressEvent(QKeyEvent* Event) override;
  void focusInEvent(QFocusEvent* Event) override;
  void focusOutEvent(QFocusEvent* Event) override;
  void hideEvent(QHideEvent* Event) override;
  void wheelEvent(QWheelEvent* Event) override;
  void resizeEvent(QResizeEvent* Event) override;

 private:
  class TClickWatch;
  friend class TClickWatch;
  void TextEdited();
  double ToShown(double Stored) const;
  double ToStored(double Shown) const;
  // Applies Stored when OnCheck and OnApply take it; else the message.
  QString TryApply(double Stored);
  // Back to the value in force before the typing, then Message when there is one.
  void Refuse(const QString& Message);
  void Show(double Stored);
  // Whether a press on W lies within this field (the edit or its up-down).
  bool Owns(const QWidget* W) const;

  std::unique_ptr<TNumberRule> FRule;
  TUpDown* FUpDown = nullptr;
  bool FOwnUpDown = false;
  bool FSteps = false;
  double FIncrement = 1;
  double FValue = 0;
  double FFactor = 1;
  bool FStoredWhole = false;
  bool FLive = false;
  bool FBusy = false;
  // Own changes of the text, and a change the user has just made.
  bool FSelf = false, FUserEdit = false;
  // The value in force when the typing began, until it is finished.
  std::optional<double> FBefore;
  QString FLastGood;
};
