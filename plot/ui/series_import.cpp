#include "plot/ui/series_import.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/app_services.h"
#include "platform/clipboard.h"
#include "platform/codepage.h"
#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/number_text.h"
#include "platform/string_grid.h"
#include "platform/text_file.h"
#include "plot/core/graph.h"
#include "plot/core/graph_validates.h"
#include "plot/layers/series.h"
#include "plot/ui/marker_style.h"
#include "plot/ui/plot.h"
#include "plot/ui/series_import_fields.h"
#include "plot/ui/series_import_file.h"

// --- Fields ------------------------------------------------------------------------------------

namespace {
bool IsBlank(QChar C) { return C == u' ' || C == u'\t'; }

// Walks a line field by field as GetFirstField takes them, but finds each delimiter's next place
// once rather than searching the rest of the line again for every field, so that a far column
// costs one pass over the line.
class TFieldCursor {
 public:
  // OneKind: blanks and TABs split the line when the first table entry found in it is one of
  // them, else only the other entries do.
  TFieldCursor(QStringView Line, const TDelimiterTable& Table, bool OneKind)
      : FLine(Line), FCount(std::clamp(Table.Count, 0, static_cast<int>(Table.Chars.size()))) {
    FChars = Table.Chars;
    FNext.fill(-1);
    if (!OneKind) return;
    const auto Found = std::find_if(FChars.begin(), FChars.begin() + FCount,
                                    [this](QChar D) { return !D.isNull() && FLine.contains(D); });
    if (Found == FChars.begin() + FCount) return;
    const bool Blanks = IsBlank(*Found);
    for (int I = 0; I < FCount; ++I)
      if (IsBlank(FChars[I]) != Blanks) FChars[I] = QChar();
  }

  bool AtEnd() const { return FPos >= FLine.size(); }
  qsizetype Pos() const { return FPos; }

  QStringView Next() {
    QStringView Field;
    for (int I = 0; I < FCount; ++I) {
      const QChar D = FChars[I];
      if (D.isNull()) continue;
      qsizetype& P = FNext[I];
      if (P < FPos) {
        P = FLine.indexOf(D, FPos);
        if (P < 0) P = FLine.size();  // none in the rest: never searched again
      }
      if (P >= FLine.size()) continue;
      Field = FLine.sliced(FPos, P - FPos);
      FPos = P + 1;
      while (FPos < FLine.size() && FLine[FPos] == D) ++FPos;
      break;
    }
    if (Field.isEmpty()) {
      Field = FLine.sliced(FPos);
      FPos = FLine.size();
    }
    return Field;
  }

 private:
  QStringView FLine;
  qsizetype FPos = 0;
  int FCount;
  std::array<QChar, 10> FChars;
  std::array<qsizetype, 10> FNext;
};

// Indented or padded column files are common; their outer blanks are no empty field.
QStringView TrimBlanks(QStringView Line) {
  qsizetype I = 0, N = Line.size();
  while (I < N && IsBlank(Line[I])) ++I;
  while (N > I && IsBlank(Line[N - 1])) --N;
  return Line.sliced(I, N - I);
}

// The non-empty lines of a paste, cut at any line ending.
QStringList PastedLines(const QString& Text) {
  QStringList Rows;
  for (const QString& L : SplitLines(PastedWholeLines(Text)))
    if (!L.trimmed().isEmpty()) Rows << L;
  return Rows;
}
}  // namespace

QString GetFirstField(QString& Line, const TDelimiterTable& Table) {
  TFieldCursor C(Line, Table, false);
  const QString Field = C.Next().toString();
  Line.remove(0, C.Pos());
  return Field;
}

QString GetField(const QString& Line, int N, const TDelimiterTable& Table) {
  TFieldCursor C(TrimBlanks(Line), Table, true);
  QStringView Field;
  for (int I = 0; I < N; ++I) {
    // Once the line is used up every further field is empty: a far column ends here.
    if (C.AtEnd()) return QString();
    Field = C.Next();
  }
  return Field.toString();
}

QStringList SplitFields(const QString& Line, const TDelimiterTable& Table) {
  QStringList Fields;
  TFieldCursor C(TrimBlanks(Line), Table, true);
  while (!C.AtEnd()) Fields << C.Next().toString();
  return Fields;
}

// --- Files ---------------------------------------------------------------------------------------

bool ReadImportLines(const QString& FileName, QStringList& Lines, QString& Error) {
  QByteArray Bytes;
  const TReadStatus Status = ReadFileBytes(FileName, Bytes, MaxImportFileSize);
  if (!Status.Ok()) {
    Error = Status.Code == TFileError::TooLarge
                ? QStringLiteral("The file %1 is larger than %2 MB and is not imported.")
                      .arg(FileName)
                      .arg(MaxImportFileSize / (1024 * 1024))
                : Status.Text();
    return false;
  }
  // Decoded first: UTF-16 holds NUL bytes in every ASCII character, its text none.
  const QString Text =
      DecodeText(std::string_view(Bytes.constData(), static_cast<size_t>(Bytes.size())));
  if (Text.contains(QChar(u'\0'))) {
    Error = QStringLiteral("The file %1 is not a text file.").arg(FileName);
    return false;
  }
  // Nothing but blanks and line ends holds no row: said here, not by an empty grid.
  if (std::ranges::all_of(
          Text, [](QChar C) { return C == u'\n' || C == u'\r' || C == u' ' || C == u'\t'; })) {
    Error = QStringLiteral("The file %1 is empty and is not imported.").arg(FileName);
    return false;
  }
  // Lines are counted before any of them is made; a last line without its line end counts too.
  qsizetype Count = Text.count(u'\n');
  for (qsizetype I = 0; I < Text.size(); ++I)
    if (Text[I] == u'\r' && (I + 1 == Text.size() || Text[I + 1] != u'\n')) ++Count;
  if (Text.back() != u'\n' && Text.back() != u'\r') ++Count;
  if (Count > MaxImportLines) {
    Error = QStringLiteral("The file %1 has more than %2 lines and is not imported.")
                .arg(FileName)
                .arg(MaxImportLines);
    return false;
  }
  const QStringList Read = SplitLines(Text);
  for (const QString& L : Read)
    if (L.size() > MaxImportLineLength) {
      Error = QStringLiteral("The file %1 has lines longer than %2 characters and is not imported.")
                  .arg(FileName)
                  .arg(MaxImportLineLength);
      return false;
    }
  Lines = Read;
  return true;
}

// --- The dialog ------------------------------------------------------------------------------

TfmGraphImport::TfmGraphImport(QWidget* Owner) : TForm(Owner) {
  setObjectName(QStringLiteral("fmGraphImport"));
  SetBorderStyle(bsDialog);
}

TfmGraphImport::~TfmGraphImport() = default;

void TfmGraphImport::FormCreate() {
  setWindowTitle(QStringLiteral("Paste Series from Clipboard"));
  auto* Top = new QVBoxLayout(this);
  auto Act = [this](const char* Text, void (TfmGraphImport::*Handler)()) {
    auto* A = new QAction(QString::fromLatin1(Text), this);
    connect(A, &QAction::triggered, this, Guarded([this, Handler] { (this->*Handler)(); }));
    return A;
  };
  miPaste = Act("&As Is", &TfmGraphImport::PasteAsIs);
  miPasteByField = Act("&Use Fields Name", &TfmGraphImport::PasteByFieldName);
  miOpen = Act("Open", &TfmGraphImport::OpenFile);
  miInsertRow = Act("Insert &Row", &TfmGraphImport::InsertRow);
  miDeleteRow = Act("D&elete Row", &TfmGraphImport::DeleteRow);
  miEraseAll = Act("Erase &All", &TfmGraphImport::EraseAll);
  miEraseColumn = Act("Erase &Column", &TfmGraphImport::EraseColumn);
  miExit = new QAction(QStringLiteral("E&xit"), this);
  connect(miExit, &QAction::triggered, this, [this] { SetModalResult(mrCancel); });

  auto* Bar = new QMenuBar(this);
  QMenu* File = Bar->addMenu(QStringLiteral("&File"));
  File->addAction(miOpen);
  File->addSeparator();
  File->addAction(miExit);
  QMenu* Paste = Bar->addMenu(QStringLiteral("&Paste"));
  Paste->addAction(miPaste);
  Paste->addAction(miPasteByField);
  QMenu* Edit = Bar->addMenu(QStringLiteral("&Edit"));
  for (QAction* A : {miInsertRow, miDeleteRow, miEraseAll, miEraseColumn}) Edit->addAction(A);
  Top->setMenuBar(Bar);

  auto* Tools = new QToolBar(this);
  auto Tool = [this, Tools](const char* Name, const char* Hint, QAction* A) {
    auto* B = new QToolButton(Tools);
    B->setObjectName(QString::fromLatin1(Name));
    B->setDefaultAction(A);
    B->setToolTip(QString::fromLatin1(Hint));
    Tools->addWidget(B);
    return B;
  };
  tbPaste = Tool("tbPaste", "Paste", miPaste);
  tbPastebyField = Tool("tbPastebyField", "Paste by Field Name", miPasteByField);
  tbAnimatedZoom = Tool("tbAnimatedZoom", "Load from ASCII file", miOpen);
  Top->addWidget(Tools);

  auto* Body = new QHBoxLayout;
  Top->addLayout(Body, 1);
  auto* Left = new QGridLayout;
  Body->addLayout(Left, 1);
  edP2 = new QLineEdit(this);
  edP2->setObjectName(QStringLiteral("edP2"));
  edP3 = new QLineEdit(this);
  edP3->setObjectName(QStringLiteral("edP3"));
  for (QLineEdit* E : {edP2, edP3}) E->setReadOnly(true);
  sgMain = new TStringGrid(this);
  sgMain->setObjectName(QStringLiteral("sgMain"));
  sgMain->SetColCount(2);
  sgMain->SetFixedCols(0);
  sgMain->SetFixedRows(0);
  sgMain->SetRowCount(InitialRows);
  sgMain->SetDefaultColWidth(120);
  sgMain->SetNumberCells();
  sgMain->SetEditing(true);
  sgMain->setMinimumSize(280, 320);
  sgMain->setContextMenuPolicy(Qt::ActionsContextMenu);
  pmPaste = new QAction(QStringLiteral("&Paste"), sgMain);
  connect(pmPaste, &QAction::triggered, this, Guarded([this] { PasteAsIs(); }));
  pmPasteByField = new QAction(QStringLiteral("Paste by &Field Name"), sgMain);
  connect(pmPasteByField, &QAction::triggered, this, Guarded([this] { PasteByFieldName(); }));
  sgMain->addAction(pmPaste);
  sgMain->addAction(pmPasteByField);
  Left->addWidget(edP2, 0, 0);
  Left->addWidget(edP3, 0, 1);
  Left->addWidget(sgMain, 1, 0, 1, 2);

  auto* Right = new QGridLayout;
  Body->addLayout(Right);
  edName = new QLineEdit(this);
  edName->setObjectName(QStringLiteral("edName"));
  cbStyle = new QComboBox(this);
  cbStyle->setObjectName(QStringLiteral("cbStyle"));
  cbStyle->addItems({QStringLiteral("Points"), QStringLiteral("Line"),
                     QStringLiteral("Line and Point "), QStringLiteral("Volume"),
                     QStringLiteral("Arrow"), QStringLiteral("Piecewise Constant"),
                     QStringLiteral("Area"), QStringLiteral("Bar")});
  cbLineStyle = new QComboBox(this);
  cbLineStyle->setObjectName(QStringLiteral("cbLineStyle"));
  cbLineStyle->addItems({QStringLiteral("Solid"), QStringLiteral("Dash "), QStringLiteral("Dot"),
                         QStringLiteral("DashDot"), QStringLiteral("DashDotDot "),
                         QStringLiteral("Clear")});
  edWidth = new TNumberEdit(this);
  edWidth->setObjectName(QStringLiteral("edWidth"));
  edWidth->SetRule(std::make_unique<GraphValidates::TIntRule>(1, MaxSeriesLineWidth,
                                                              QStringLiteral("Line Width")));
  udWidth = new TUpDown(this);
  udWidth->setObjectName(QStringLiteral("udWidth"));
  udWidth->SetMin(1);
  udWidth->SetMax(MaxSeriesLineWidth);
  edWidth->SetSpin(1, udWidth);
  btSymbols = new QPushButton(QStringLiteral("Symbols..."), this);
  btSymbols->setObjectName(QStringLiteral("btSymbols"));
  btColor = new QPushButton(QStringLiteral("Color..."), this);
  btColor->setObjectName(QStringLiteral("btColor"));
  chShowInLegend = new QCheckBox(QStringLiteral("Show In Legend"), this);
  chShowInLegend->setObjectName(QStringLiteral("chShowInLegend"));
  BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  btCancel = new QPushButton(QStringLiteral("Cancel"), this);
  btCancel->setObjectName(QStringLiteral("btCancel"));
  int Row = 0;
  auto Labelled = [&](const char* Text, QWidget* W) {
    Right->addWidget(new QLabel(QString::fromLatin1(Text), this), Row, 0);
    Right->addWidget(W, Row++, 1, 1, 2);
  };
  Labelled("Name", edName);
  Labelled("Style", cbStyle);
  Labelled("Line Style", cbLineStyle);
  Right->addWidget(new QLabel(QStringLiteral("Line Width"), this), Row, 0);
  Right->addWidget(edWidth, Row, 1);
  Right->addWidget(udWidth, Row++, 2);
  Right->addWidget(btSymbols, Row++, 0, 1, 3);
  Right->addWidget(btColor, Row++, 0, 1, 3);
  Right->addWidget(chShowInLegend, Row++, 0, 1, 3);
  Right->setRowStretch(Row++, 1);
  Right->addWidget(BitBtn1, Row, 0, 1, 2);
  Right->addWidget(btCancel, Row, 2);
  for (QPushButton* B : {btSymbols, btColor, btCancel}) B->setAutoDefault(false);
  SetButtonModalResult(btCancel, mrCancel);

  connect(edName, &QLineEdit::textChanged, this, Guarded([this] { NameChange(); }));
  connect(btSymbols, &QPushButton::clicked, this, Guarded([this] { SymbolsClick(); }));
  connect(btColor, &QPushButton::clicked, this, Guarded([this] { ColorClick(); }));
  // The dialog ends only once OK has succeeded: a result set before Apply would end it while
  // Apply's message box runs, and the grid would go with it.
  connect(BitBtn1, &QPushButton::clicked, this, Guarded([this] {
            if (Apply()) SetModalResult(mrOk);
          }));
  if (auto* App = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
    connect(App->clipboard(), &QClipboard::dataChanged, this, [this] { UpdatePasteEnabled(); });
  UpdatePasteEnabled();
}

void TfmGraphImport::UpdatePasteEnabled() {
  const bool Has = ClipboardHasText();
  for (QAction* A : {miPaste, miPasteByField, pmPaste, pmPasteByField}) A->setEnabled(Has);
}

struct TfmGraphImport::TLoadedPoint {
  TGraphData Data;
  QString X, Y;
};

// A new series' first marker: style 0 draws none, and "Line and Point" is to show its points.
constexpr int NewSeriesMarkerStyle = 1;

void TfmGraphImport::Load(TGraph* AGraph, TSeries* ASeries) {
  Graph = AGraph;
  NewSeries = ASeries == nullptr;
  FNew.reset();
  FLoaded.clear();
  FRowPoint.clear();
  Delimiters = {};
  edP2->setText(Graph->XAxis->Name.isEmpty() ? QStringLiteral("X") : Graph->XAxis->Name);
  edP3->setText(Graph->YAxis->Name.isEmpty() ? QStringLiteral("Y") : Graph->YAxis->Name);
  sgMain->ClearCells();
  sgMain->SetRowCount(InitialRows);
  if (NewSeries) {
    FNew = std::make_unique<TSeries>(Graph, Graph->FreeColor(), 3, QStringLiteral("New Series"));
    FNew->SetMarkerStyle(NewSeriesMarkerStyle);
    ASeries = FNew.get();
    cbStyle->setCurrentIndex(2);
    cbLineStyle->setCurrentIndex(0);
    edName->setText(QStringLiteral("Series ") + QString::number(Graph->LayerCount() + 1));
    setWindowTitle(QStringLiteral("Add Series - [ New Series ]"));
    edWidth->ShowValue(1);
    chShowInLegend->setChecked(true);
  } else {
    const int Kind = ASeries->Kind() - 1;
    cbStyle->setCurrentIndex(Kind < cbStyle->count() ? Kind : -1);
    cbLineStyle->setCurrentIndex(ASeries->LineStyle < cbLineStyle->count() ? ASeries->LineStyle
                                                                           : -1);
    edName->setText(ASeries->Name);
    setWindowTitle(QStringLiteral("Edit Series - [ ") + ASeries->Name + QStringLiteral(" ]"));
    edWidth->ShowValue(ASeries->LineWidth);
    chShowInLegend->setChecked(ASeries->Legend() != nullptr);
    EnsureRows(ASeries->Count());
    FLoaded.reserve(static_cast<size_t>(ASeries->Count()));
    for (int I = 0; I < ASeries->Count(); ++I) {
      const TGraphData* P = ASeries->PointAt(I);
      FLoaded.push_back({*P, QString::fromStdString(FormatGeneral(P->X, 7)),
                         QString::fromStdString(FormatGeneral(P->Y, 7))});
      sgMain->SetCell(0, I, FLoaded.back().X);
      sgMain->SetCell(1, I, FLoaded.back().Y);
      FRowPoint.push_back({I});
    }
  }
  Series = TLayerHandle(ASeries);
  FLoadedColor = Color = ASeries->GetColor();
  FLoadedMarkerStyle = MarkerStyle = ASeries->MarkerStyle;
  FLoadedMarkerSize = MarkerSize = ASeries->FMarkerSize;
  FLoadedPenColor = MarkerPenColor = ASeries->MarkerPenColor;
  FLoadedFillColor = MarkerFillColor = ASeries->MarkerFillColor;
  FLoadedStyle = cbStyle->currentIndex();
  FLoadedLineStyle = cbLineStyle->currentIndex();
  FLoadedWidth = edWidth->IntValue();
}

bool TfmGraphImport::Execute(TGraph* AGraph, TSeries* ASeries) {
  Load(AGraph, ASeries);
  const bool Ok = ShowModal() == mrOk && Changed;
  FNew.reset();  // a new series the graph did not take
  return Ok;
}

void TfmGraphImport::NameChange() {
  QString Caption = windowTitle();
  const qsizetype P = Caption.indexOf(u'[');
  if (P >= 0) Caption.truncate(P);
  setWindowTitle(Caption + QStringLiteral("[ ") + edName->text() + QStringLiteral(" ]"));
}

const TfmGraphImport::TLoadedPoint* TfmGraphImport::RowPoint(int Row,
                                                             std::array<bool, 2>& Cells) const {
  if (Row < 0 || Row >= static_cast<int>(FRowPoint.size())) return nullptr;
  const TRowOrigin& O = FRowPoint[static_cast<size_t>(Row)];
  if (O.Point < 0 || O.Point >= static_cast<int>(FLoaded.size())) return nullptr;
  const TLoadedPoint& P = FLoaded[static_cast<size_t>(O.Point)];
  Cells = {!O.Replaced[0] && sgMain->GetCell(0, Row).trimmed() == P.X,
           !O.Replaced[1] && sgMain->GetCell(1, Row).trimmed() == P.Y};
  return &P;
}

bool TfmGraphImport::Apply() {
  Changed = false;
  if (!CheckEdits()) return false;
  // Everything is read before the series is touched, so a bad row loses nothing. A cell that
  // still shows its loaded text keeps the loaded value, which the text gives only to 7 digits.
  struct TRow {
    double X = 0, Y = 0;
    const TLoadedPoint* From = nullptr;
    bool Same = false;  // both cells as loaded
  };
  std::vector<TRow> Rows;
  QStringList Bad;
  for (int R = 0; R < sgMain->RowCount(); ++R) {
    const QString X = sgMain->GetCell(0, R).trimmed(), Y = sgMain->GetCell(1, R).trimmed();
    if (X.isEmpty() && Y.isEmpty()) continue;
    std::array<bool, 2> Kept{};
    TRow Row{0, 0, RowPoint(R, Kept)};
    const bool SameX = Row.From && Kept[0], SameY = Row.From && Kept[1];
    Row.Same = SameX && SameY;
    if (SameX) Row.X = Row.From->Data.X;
    if (SameY) Row.Y = Row.From->Data.Y;
    if ((SameX || TryTextToFloat(X.toStdString(), Row.X)) &&
        (SameY || TryTextToFloat(Y.toStdString(), Row.Y)))
      Rows.push_back(Row);
    else
      Bad << QString::number(R + 1);
  }
  if (!Bad.isEmpty()) {
    constexpr int Named = 10;
    QString List = QStringList(Bad.mid(0, Named)).join(QStringLiteral(", "));
    if (Bad.size() > Named) List += QStringLiteral(" and %1 more").arg(Bad.size() - Named);
    ShowError(QStringLiteral("These rows do not hold two numbers: %1.").arg(List));
    return false;
  }
  auto* S = static_cast<TSeries*>(Series.Get());
  if (Rows.empty()) {
    if (NewSeries || !S) return true;  // a new series without points is dropped
    ShowError(QStringLiteral("The table holds no points; the series keeps its own."));
    return false;
  }
  if (!S) return true;  // the edited series left the graph meanwhile
  S->Clear();
  for (size_t K = 0; K < Rows.size(); ++K) {
    const TRow& Row = Rows[K];
    TGraphData* P = S->AddPoint(Color, QString(), Row.X, Row.Y);
    if (!Row.From) continue;
    // A loaded point keeps its name, colour and marker; its start too where it still follows
    // the point it followed, or where the points are segments of their own.
    const double StartX = P->StartX, StartY = P->StartY;
    *P = Row.From->Data;
    P->X = Row.X;
    P->Y = Row.Y;
    const auto Index = [this](const TRow& R) { return R.From ? R.From - FLoaded.data() : -2; };
    const bool Follows = K > 0 ? Index(Rows[K - 1]) == Index(Row) - 1 && Rows[K - 1].Same
                               : Index(Row) == 0 && Row.Same;
    if (!S->Segments && !Follows) {
      P->StartX = StartX;
      P->StartY = StartY;
    }
  }
  if (Color != FLoadedColor) S->SetColor(Color);
  if (cbStyle->currentIndex() >= 0 && cbStyle->currentIndex() != FLoadedStyle)
    S->SetSeriesKind(cbStyle->currentIndex() + 1);
  if (cbLineStyle->currentIndex() >= 0 && cbLineStyle->currentIndex() != FLoadedLineStyle)
    S->SetLineStyle(cbLineStyle->currentIndex());
  S->Name = edName->text();
  if (edWidth->IntValue() != FLoadedWidth) S->SetLineWidth(edWidth->IntValue());
  if (MarkerStyle != FLoadedMarkerStyle) S->SetMarkerStyle(MarkerStyle);
  if (MarkerSize != FLoadedMarkerSize) S->SetMarkerSize(MarkerSize);
  if (MarkerPenColor != FLoadedPenColor) S->SetMarkerPenColor(MarkerPenColor);
  if (MarkerFillColor != FLoadedFillColor) S->SetMarkerFillColor(MarkerFillColor);
  if (NewSeries && FNew) Graph->AddLayer(std::move(FNew));
  S->SetHasLegend(chShowInLegend->isChecked());
  Graph->DataChanged();
  Changed = true;
  return true;
}

// --- Grid ----------------------------------------------------------------------------------------

void TfmGraphImport::EnsureRows(int Rows) {
  if (sgMain->RowCount() < Rows) sgMain->SetRowCount(Rows);
}

void TfmGraphImport::PutCell(int ACol, int ARow, const QString& Text) {
  // Fields beyond the grid's columns have nowhere to go.
  if (ACol < 0 || ACol >= sgMain->ColCount() || ARow < 0) return;
  EnsureRows(ARow + 1);
  sgMain->SetCell(ACol, ARow, Text);
  // Pasted or read data is new data, also where its text matches what the cell showed.
  if (ARow < static_cast<int>(FRowPoint.size()))
    FRowPoint[static_cast<size_t>(ARow)].Replaced[static_cast<size_t>(ACol)] = true;
}

void TfmGraphImport::PasteText(const QString& Text) {
  const QStringList Rows = PastedLines(Text);
  const int Col0 = std::max(sgMain->Col(), 0), Row0 = std::max(sgMain->Row(), 0);
  EnsureRows(Row0 + static_cast<int>(Rows.size()));
  for (int R = 0; R < Rows.size(); ++R) {
    const QStringList Fields = SplitFields(Rows[R], Delimiters);
    for (int K = 0; K < Fields.size() && Col0 + K < sgMain->ColCount(); ++K)
      PutCell(Col0 + K, Row0 + R, Fields[K]);
  }
  Lines.clear();
}

void TfmGraphImport::PasteAsIs() {
  if (!ClipboardHasText()) {
    ShowInformation(QStringLiteral("There is no data on the Clipboard"));
    return;
  }
  PasteText(ClipboardText());
}

void TfmGraphImport::ReadHeader(const QString& Text) {
  Lines = PastedLines(Text);
  FieldNames.clear();
  if (Lines.isEmpty()) return;
  const QString& Header = Lines.first();
  const QChar Sep = Header.contains(u'\t')  ? QChar(u'\t')
                    : Header.contains(u',') ? QChar(u',')
                                            : QChar(u' ');
  Delimiters.Chars[0] = Sep;
  FieldNames = SplitFields(Header, Delimiters);
  Delimiters.Chars[0] = QLatin1Char(' ');
}

void TfmGraphImport::PasteByFieldName() {
  if (!ClipboardHasText()) {
    ShowWarning(QStringLiteral("Clipboard not contents text information"));
    return;
  }
  ReadHeader(ClipboardText());
  std::unique_ptr<TfmFields> D(CreateForm<TfmFields>(this));
  D->Load({QStringLiteral("X"), QStringLiteral("Y")}, FieldNames);
  if (D->ShowModal() == mrOk) PasteLinked(D->LinkIndexes());
  Lines.clear();
}

void TfmGraphImport::PasteLinked(const std::array<int, 2>& Links) {
  const int Row0 = std::max(sgMain->Row(), 0);
  EnsureRows(Row0 + static_cast<int>(Lines.size()) - 1);
  for (int I = 1; I < Lines.size(); ++I) {
    const QStringList Fields = SplitFields(Lines[I], Delimiters);
    for (int C = 0; C < 2; ++C)
      if (Links[C] >= 0 && Links[C] < Fields.size()) PutCell(C, Row0 + I - 1, Fields[Links[C]]);
  }
}

void TfmGraphImport::OpenFile() {
  TOpenDialog O;
  O.Title = QStringLiteral("ASCII Data File Selection");
  O.Filter = QStringLiteral("Any ASCII files (*.*)|*.*");
  if (!O.Execute()) return;
  QStringList FileLines;
  QString Error;
  if (!ReadImportLines(O.FileName, FileLines, Error)) {
    ShowError(Error);
    return;
  }
  std::unique_ptr<TfmFileData> D(CreateForm<TfmFileData>(this));
  D->Load(FileLines);
  if (D->ShowModal() != mrOk) return;
  ReadColumns(FileLines, D->edXColumn->text(), D->edYColumn->text(),
              {D->chSpace->isChecked(), D->chComma->isChecked(), D->chTab->isChecked(),
               D->chSlash->isChecked()},
              D->chUserDefine->isChecked(), D->edUserDefine->text());
}

bool TfmGraphImport::ReadColumns(const QStringList& FileLines, const QString& XColumn,
                                 const QString& YColumn, const std::array<bool, 4>& Boxes,
                                 bool UserDefine, const QString& UserText) {
  int Cols[2] = {0, 0};
  for (int C = 0; C < 2; ++C) {
    const QString Axis = C == 0 ? QStringLiteral("X") : QStringLiteral("Y");
    if (!GraphValidates::ParseInt((C == 0 ? XColumn : YColumn).trimmed(), Cols[C])) {
      ShowError(ColumnUndefinedText(Axis));
      return false;
    }
    if (Cols[C] < 1 || Cols[C] > MaxImportColumns) {
      ShowError(
          GraphValidates::IntRangeText(Axis + QStringLiteral(" Column"), 1, MaxImportColumns));
      return false;
    }
  }
  // "(none)" is the edit's placeholder, not six delimiters.
  const QString User = UserText == QLatin1String("(none)") ? QString() : UserText;
  if (UserDefine && User.size() > 6) {
    ShowError(QStringLiteral("The number of User Define charakters must be <=6."));
    return false;
  }
  const QChar Standard[4] = {u' ', u',', u'\t', u'/'};
  for (int I = 0; I < 4; ++I) Delimiters.Chars[I] = Boxes[I] ? Standard[I] : QChar();
  // Characters of an earlier user choice do not split once the box is off.
  for (size_t I = 4; I < Delimiters.Chars.size(); ++I) Delimiters.Chars[I] = QChar();
  if (UserDefine) {
    for (int I = 0; I < User.size(); ++I) Delimiters.Chars[4 + I] = User[I];
    Delimiters.Count = 4 + static_cast<int>(User.size());
  }
  std::vector<std::array<QString, 2>> Rows;
  for (const QString& Line : FileLines) {
    const QStringView Text = TrimBlanks(Line);
    // Empty lines and comment lines hold no point.
    if (Text.isEmpty() || Text.startsWith(u'#')) continue;
    Rows.push_back({GetField(Line, Cols[0], Delimiters), GetField(Line, Cols[1], Delimiters)});
  }
  // Lines before the first row and after the last one whose fields start as numbers are text
  // about the data (a name, a title, the axes' names, a footer, as the export writes them). Rows
  // between them stay, so that OK names a bad one.
  const auto Numeric = [](const std::array<QString, 2>& Row) {
    return std::ranges::all_of(Row, [](const QString& F) {
      const QString T = F.trimmed();
      return !T.isEmpty() && (T[0].isDigit() || T[0] == u'-' || T[0] == u'+' || T[0] == u'.');
    });
  };
  const auto First = std::ranges::find_if(Rows, Numeric);
  if (First != Rows.end()) {
    Rows.erase(std::find_if(Rows.rbegin(), Rows.rend(), Numeric).base(), Rows.end());
    Rows.erase(Rows.begin(), First);
  }
  // A file read replaces the table: rows left over from earlier data would become points.
  EraseAll();
  // The grid grows once, not row by row.
  EnsureRows(static_cast<int>(Rows.size()));
  for (int R = 0; R < static_cast<int>(Rows.size()); ++R)
    for (int C = 0; C < 2; ++C) PutCell(C, R, Rows[static_cast<size_t>(R)][C]);
  return true;
}

void TfmGraphImport::InsertRow() {
  const int Cur = std::max(sgMain->Row(), 0), Last = sgMain->RowCount() - 1;
  // The last row's text moves into a new row rather than off the grid.
  if (!sgMain->GetCell(0, Last).isEmpty() || !sgMain->GetCell(1, Last).isEmpty())
    EnsureRows(Last + 2);
  for (int R = sgMain->RowCount() - 2; R >= Cur; --R)
    for (int C = 0; C < sgMain->ColCount(); ++C) sgMain->SetCell(C, R + 1, sgMain->GetCell(C, R));
  for (int C = 0; C < sgMain->ColCount(); ++C) sgMain->SetCell(C, Cur, QString());
  if (Cur < static_cast<int>(FRowPoint.size())) FRowPoint.insert(FRowPoint.begin() + Cur, {});
}

void TfmGraphImport::DeleteRow() {
  const int Cur = std::max(sgMain->Row(), 0), Last = sgMain->RowCount() - 1;
  for (int R = Cur; R < Last; ++R)
    for (int C = 0; C < sgMain->ColCount(); ++C) sgMain->SetCell(C, R, sgMain->GetCell(C, R + 1));
  for (int C = 0; C < sgMain->ColCount(); ++C) sgMain->SetCell(C, Last, QString());
  if (Cur < static_cast<int>(FRowPoint.size())) FRowPoint.erase(FRowPoint.begin() + Cur);
}

void TfmGraphImport::EraseAll() {
  sgMain->ClearCells();
  FRowPoint.clear();
}

void TfmGraphImport::EraseColumn() {
  const int C = std::max(sgMain->Col(), 0);
  for (int R = 0; R < sgMain->RowCount(); ++R) sgMain->SetCell(C, R, QString());
}

void TfmGraphImport::SymbolsClick() {
  std::unique_ptr<TfmMarkerStyle> D(CreateForm<TfmMarkerStyle>(this));
  D->ExecuteValues(MarkerStyle, MarkerSize, MarkerPenColor, MarkerFillColor);
}

void TfmGraphImport::ColorClick() {
  TColorDialog D;
  D.Color = Color;
  if (D.Execute()) Color = D.Color;
}

bool ShowSeriesImportDialog(TPlot& Plot) {
  std::unique_ptr<TfmGraphImport> D(CreateForm<TfmGraphImport>(Plot.window()));
  return D->Execute(Plot.Graph(), nullptr);
}

void InstallSeriesDataEditor() {
  SetSeriesDataEditor([](TSeries& S) {
    std::unique_ptr<TfmGraphImport> D(CreateForm<TfmGraphImport>(QApplication::activeWindow()));
    return D->Execute(S.Graph, &S);
  });
}
