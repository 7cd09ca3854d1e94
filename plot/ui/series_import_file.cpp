#include "plot/ui/series_import_file.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/app_services.h"

TfmFileData::TfmFileData(QWidget* Owner) : TForm(Owner) {
  setObjectName(QStringLiteral("fmFileData"));
  SetBorderStyle(bsDialog);
}

TfmFileData::~TfmFileData() = default;

void TfmFileData::FormCreate() {
  setWindowTitle(QStringLiteral("Show data"));
  auto* Top = new QHBoxLayout(this);
  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setReadOnly(true);
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  Memo1->setMinimumSize(360, 280);
  Top->addWidget(Memo1, 1);
  auto* Side = new QVBoxLayout;
  Top->addLayout(Side);

  auto* Columns = new QGridLayout;
  // A far column would walk every line field by field: only columns in range are taken.
  for (TNumberEdit** E : {&edXColumn, &edYColumn}) {
    const bool X = E == &edXColumn;
    *E = new TNumberEdit(this);
    (*E)->setObjectName(X ? QStringLiteral("edXColumn") : QStringLiteral("edYColumn"));
    (*E)->SetRule(std::make_unique<GraphValidates::TIntRule>(
        1, MaxImportColumns, X ? QStringLiteral("X Column") : QStringLiteral("Y Column")));
    (*E)->Rule().NotANumber = ColumnUndefinedText(X ? QStringLiteral("X") : QStringLiteral("Y"));
    (*E)->ShowValue(X ? 1 : 2);
  }
  Columns->addWidget(new QLabel(QStringLiteral("X column"), this), 0, 0);
  Columns->addWidget(edXColumn, 0, 1);
  Columns->addWidget(new QLabel(QStringLiteral("Y column"), this), 1, 0);
  Columns->addWidget(edYColumn, 1, 1);
  Side->addLayout(Columns);

  auto* Group = new QGroupBox(QStringLiteral("Delimiters"), this);
  auto* G = new QGridLayout(Group);
  auto Check = [Group](const char* Name, const char* Text, bool On) {
    auto* B = new QCheckBox(QString::fromLatin1(Text), Group);
    B->setObjectName(QString::fromLatin1(Name));
    B->setChecked(On);
    return B;
  };
  chSpace = Check("chSpace", "Space", true);
  chComma = Check("chComma", "Comma", true);
  chTab = Check("chTab", "Tab", true);
  chSlash = Check("chSlash", "Slash", false);
  chUserDefine = Check("chUserDefine", "User define", false);
  edUserDefine = new QLineEdit(QStringLiteral("(none)"), Group);
  edUserDefine->setObjectName(QStringLiteral("edUserDefine"));
  G->addWidget(chSpace, 0, 0);
  G->addWidget(chComma, 1, 0);
  G->addWidget(chTab, 2, 0);
  G->addWidget(chSlash, 3, 0);
  G->addWidget(chUserDefine, 4, 0);
  G->addWidget(edUserDefine, 5, 0);
  Side->addWidget(Group);
  chNull = Check("chNull", "Null", false);
  chNull->setParent(this);
  Side->addWidget(chNull);
  Side->addStretch();
  btOK = new QPushButton(QStringLiteral("OK"), this);
  btOK->setObjectName(QStringLiteral("btOK"));
  btCancel = new QPushButton(QStringLiteral("Cancel"), this);
  btCancel->setObjectName(QStringLiteral("btCancel"));
  auto* Buttons = new QHBoxLayout;
  Buttons->addWidget(btOK);
  Buttons->addWidget(btCancel);
  Side->addLayout(Buttons);
  SetButtonModalResult(btOK, mrOk);
  SetButtonModalResult(btCancel, mrCancel);
}

void TfmFileData::Load(const QStringList& Lines) { Memo1->setPlainText(Lines.join(u'\n')); }

bool TfmFileData::ColumnsInRange() { return CheckEdits(); }
