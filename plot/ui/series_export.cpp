#include "plot/ui/series_export.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <memory>

#include "platform/app_services.h"
#include "platform/clipboard.h"
#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/number_text.h"
#include "platform/text_file.h"
#include "plot/core/graph.h"
#include "plot/core/graph_validates.h"
#include "plot/layers/series.h"
#include "plot/ui/plot.h"

namespace {
const QString ColumnsMessage =
    QStringLiteral("X Column, Y Column must be in range[1..2] and X Colunm not equal Y Column");
}  // namespace

namespace {
const QString NoUserDelimiter = QStringLiteral("(none)");

QString PointText(double V) { return QString::fromStdString(FormatGeneral(V, 9)); }
}  // namespace

QString ExportPad(const QString& S) {
  const qsizetype L = S.size();
  if (L >= 10) return S.leftJustified(16, QLatin1Char(' '));
  // (10 - L) * 2 blanks, then more up to (10 - L) * 2 + 10 characters in all.
  return S.leftJustified(30 - 2 * L, QLatin1Char(' '));
}

TfmExports::TfmExports(QWidget* Owner) : TForm(Owner) {
  setObjectName(QStringLiteral("fmExports"));
  SetBorderStyle(bsDialog);
}

TfmExports::~TfmExports() = default;

void TfmExports::FormCreate() {
  setWindowTitle(QStringLiteral("Export"));
  auto* Top = new QHBoxLayout(this);
  auto* Left = new QVBoxLayout;
  auto* Right = new QVBoxLayout;
  Top->addLayout(Left);
  Top->addLayout(Right, 1);

  clSeries = new QListWidget(this);
  clSeries->setObjectName(QStringLiteral("clSeries"));
  clSeries->setSelectionMode(QAbstractItemView::ExtendedSelection);
  Left->addWidget(clSeries, 1);

  auto* Columns = new QGridLayout;
  // The two columns are the first and the second, in either order.
  for (TNumberEdit** E : {&edXColumn, &edYColumn}) {
    const bool X = E == &edXColumn;
    *E = new TNumberEdit(this);
    (*E)->setObjectName(X ? QStringLiteral("edXColumn") : QStringLiteral("edYColumn"));
    (*E)->SetRule(std::make_unique<GraphValidates::TIntRule>(
        1, 2, X ? QStringLiteral("X Column") : QStringLiteral("Y Column")));
    (*E)->SetMessage(ColumnsMessage);
    (*E)->ShowValue(X ? 1 : 2);
  }
  Columns->addWidget(new QLabel(QStringLiteral("X column"), this), 0, 0);
  Columns->addWidget(edXColumn, 0, 1);
  Columns->addWidget(new QLabel(QStringLiteral("Y column"), this), 1, 0);
  Columns->addWidget(edYColumn, 1, 1);
  Left->addLayout(Columns);

  auto Check = [this](const char* Name, const char* Text) {
    auto* B = new QCheckBox(QString::fromLatin1(Text), this);
    B->setObjectName(QString::fromLatin1(Name));
    return B;
  };
  chName = Check("chName", "Name");
  chTitle = Check("chTitle", "Title");
  chXAxis = Check("chXAxis", "X Axis");
  chYAxis = Check("chYAxis", "Y Axis");
  chFoot = Check("chFoot", "Foot");
  for (QCheckBox* B : {chName, chTitle, chXAxis, chYAxis, chFoot}) Left->addWidget(B);

  rgDelimiters = new TRadioGroup(this);
  rgDelimiters->setObjectName(QStringLiteral("rgDelimiters"));
  rgDelimiters->SetCaption(QStringLiteral("Delimiters"));
  rgDelimiters->SetItems({QStringLiteral("Automatic"), QStringLiteral("Space"),
                          QStringLiteral("Comma"), QStringLiteral("Tab"), QStringLiteral("Slash"),
                          QStringLiteral("User define")});
  rgDelimiters->SetItemIndex(diAutomatic);
  Left->addWidget(rgDelimiters);
  Left->addWidget(new QLabel(QStringLiteral("User delimiters"), this));
  edUserDefine = new QLineEdit(NoUserDelimiter, this);
  edUserDefine->setObjectName(QStringLiteral("edUserDefine"));
  edUserDefine->setEnabled(false);
  Left->addWidget(edUserDefine);

  Memo1 = new QListWidget(this);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setMinimumSize(360, 300);
  QFont Fixed(QStringLiteral("Courier New"));
  Fixed.setStyleHint(QFont::Monospace);
  Memo1->setFont(Fixed);
  Right->addWidget(Memo1, 1);
  auto* Buttons = new QHBoxLayout;
  btClipboard = new QPushButton(QStringLiteral("Copy to &Clipboard"), this);
  btClipboard->setObjectName(QStringLiteral("btClipboard"));
  btFile = new QPushButton(QStringLiteral("Copy to &file"), this);
  btFile->setObjectName(QStringLiteral("btFile"));
  btClose = new QPushButton(QStringLiteral("C&lose"), this);
  btClose->setObjectName(QStringLiteral("btClose"));
  chClearClipboard = Check("chClearClipboard", "Clear clipboard");
  for (QPushButton* B : {btClipboard, btFile, btClose}) {
    B->setAutoDefault(false);
    Buttons->addWidget(B);
  }
  Right->addWidget(chClearClipboard);
  Right->addLayout(Buttons);
  SetButtonModalResult(btClose, mrCancel);

  connect(clSeries, &QListWidget::itemSelectionChanged, this, Guarded([this] { BuildListing(); }));
  for (TNumberEdit* E : {edXColumn, edYColumn})
    connect(E, &TNumberEdit::Applied, this, Guarded([this] { BuildListing(); }));
  for (QCheckBox* B : {chName, chTitle, chXAxis, chYAxis, chFoot})
    connect(B, &QCheckBox::clicked, this, Guarded([this] { BuildListing(); }));
  connect(rgDelimiters, &TRadioGroup::Click, this, Guarded([this] { DelimitersClick(); }));
  connect(edUserDefine, &QLineEdit::editingFinished, this, Guarded([this] { UserDefineExit(); }));
  connect(btClipboard, &QPushButton::clicked, this, Guarded([this] { CopyToClipboardClick(); }));
  connect(btFile, &QPushButton::clicked, this, Guarded([this] { CopyToFileClick(); }));
}

void TfmExports::Load(TPlot* APlot) {
  Plot = APlot;
  clSeries->clear();
  FSeries.clear();
  TGraph* G = Plot ? Plot->Graph() : nullptr;
  if (!G) return;
  for (int I = G->LayerCount() - 1; I >= 0; --I)
    if (auto* S = dynamic_cast<TSeries*>(G->GetLayer(I))) {
      FSeries.emplace_back(S);
      clSeries->addItem(S->Name);
    }
}

void TfmExports::Execute(TPlot* APlot) {
  Load(APlot);
  ShowModal();
}

void TfmExports::FormShow() {
  if (clSeries->count() == 0) return;
  clSeries->setCurrentRow(0, QItemSelectionModel::ClearAndSelect);
  BuildListing();
}

QString TfmExports::Delimiter() const {
  switch (rgDelimiters->ItemIndex()) {
    case diComma:
      return QStringLiteral(",");
    case diTab:
      return QStringLiteral("\t");
    case diSlash:
      return QStringLiteral("/");
    case diUserDefine:
      return edUserDefine->text();
    default:
      return QStringLiteral(" ");
  }
}

void TfmExports::BuildListing() {
  if (!Plot || clSeries->selectedItems().isEmpty()) return;
  Memo1->clear();
  TGraph* G = Plot->Graph();
  const bool Automatic = rgDelimiters->ItemIndex() == diAutomatic;
  auto Pad = [Automatic](const QString& S) { return Automatic ? ExportPad(S) : S; };
  const QString D = Delimiter();
  const QString XCol = edXColumn->text(), YCol = edYColumn->text();
  const bool XFirst = XCol == QLatin1String("1") && YCol == QLatin1String("2");
  const bool YFirst = XCol == QLatin1String("2") && YCol == QLatin1String("1");
  for (int P = 0; P < clSeries->count(); ++P) {
    if (!clSeries->item(P)->isSelected() || P >= static_cast<int>(FSeries.size())) continue;
    auto* S = static_cast<TSeries*>(FSeries[P].Get());
    if (!S) continue;
    if (chName->isChecked()) Memo1->addItem(S->Name);
    if (chTitle->isChecked()) Memo1->addItems(G->Title.Lines);
    const QString XName = G->XAxis->Name, YName = G->YAxis->Name;
    if (chXAxis->isChecked() && chYAxis->isChecked()) {
      if (!XFirst && !YFirst) {
        ShowError(ColumnsMessage);
        edXColumn->setFocus();
        return;
      }
      Memo1->addItem(XFirst ? Pad(XName) + D + YName : Pad(YName) + D + XName);
    } else if (chXAxis->isChecked()) {
      Memo1->addItem(XName);
    } else if (chYAxis->isChecked()) {
      Memo1->addItem(YName);
    }
    if (XFirst || YFirst)
      for (int I = 0; I < S->Count(); ++I) {
        const TGraphData* Pt = S->PointAt(I);
        const QString X = PointText(Pt->X), Y = PointText(Pt->Y);
        Memo1->addItem(XFirst ? Pad(X) + D + Y : Pad(Y) + D + X);
      }
    if (chFoot->isChecked()) Memo1->addItems(G->Foot.Lines);
    Memo1->addItem(QString());
  }
}

void TfmExports::DelimitersClick() {
  if (rgDelimiters->ItemIndex() == diUserDefine) {
    edUserDefine->clear();
    edUserDefine->setEnabled(true);
    edUserDefine->setFocus();
    return;
  }
  edUserDefine->setText(NoUserDelimiter);
  edUserDefine->setEnabled(false);
  BuildListing();
}

void TfmExports::UserDefineExit() {
  if (rgDelimiters->ItemIndex() != diUserDefine) return;
  if (edUserDefine->text().isEmpty()) {
    rgDelimiters->SetItemIndex(diComma);  // its click rebuilds
    return;
  }
  BuildListing();
}

QStringList TfmExports::Listing() const {
  QStringList L;
  for (int I = 0; I < Memo1->count(); ++I) L << Memo1->item(I)->text();
  return L;
}

void TfmExports::CopyToClipboardClick() {
  if (chClearClipboard->isChecked()) ClearClipboard();
  QString Text;
  for (const QString& Line : Listing()) Text += Line + QStringLiteral("\r\n");
  SetClipboardText(Text);
}

void TfmExports::CopyToFileClick() {
  TSaveDialog D;
  D.Title = QStringLiteral("Save to file");
  D.Filter = QStringLiteral("TEXT files (*.*)|*.*");
  // Replacing a file asks first.
  D.OverwritePrompt = true;
  if (D.Execute()) SaveListing(D.FileName);
}

bool TfmExports::SaveListing(const QString& FileName) {
  QString Why;
  if (WriteTextLines(FileName, Listing(), &Why)) return true;
  ShowError(QStringLiteral("Can not create file ") + FileName +
            (Why.isEmpty() ? QString() : QStringLiteral("\n") + Why));
  return false;
}

void ShowSeriesExportDialog(TPlot& Plot) {
  std::unique_ptr<TfmExports> D(CreateForm<TfmExports>(Plot.window()));
  D->Execute(&Plot);
}
