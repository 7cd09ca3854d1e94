#pragma once
// The field-link dialog of a paste by field names: each required field (a grid column) is
// linked to one field of the pasted header.
#include <QStringList>
#include <array>
#include <memory>

#include "platform/form.h"

class QListWidget;
class QPushButton;

// The input field a required field is linked to.
struct TFieldPos {
  int Index = 0;
};

class TfmFields : public TForm {
  Q_OBJECT
 public:
  static constexpr const char* Arrow = "   <--Copy---   ";

  explicit TfmFields(QWidget* Owner = nullptr);
  ~TfmFields() override;

  void Load(const QStringList& Required, const QStringList& Inputs);
  void LinkClick();
  // The input field linked to each required field, -1 for none.
  std::array<int, 2> LinkIndexes() const;

  QListWidget *lbRequired = nullptr, *lbInput = nullptr, *Memo = nullptr;
  QPushButton *btLink = nullptr, *btOK = nullptr, *btCancel = nullptr;
  std::array<std::unique_ptr<TFieldPos>, 2> Links;

 protected:
  void FormCreate() override;
};
