#include "chart/editors/series_tab.h"

#include <algorithm>

#include <QBitmap>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "chart/editors/chart_editor.h"
#include "chart/editors/chart_gallery.h"
#include "chart/editors/function_period.h"
#include "chart/editors/pen_dialogs.h"
#include "chart/engine/chart_exceptions.h"
#include "chart/engine/chart_function.h"
#include "chart/engine/series_gallery.h"
#include "chart/engine/series_types.h"
#include "platform/controls.h"
#include "platform/cursors.h"
#include "platform/dialogs.h"
#include "platform/flag_guard.h"

namespace {
constexpr int SeriesRole = Qt::UserRole;

QVariant SeriesData(TChartSeries* S) { return QVariant::fromValue(quintptr(S)); }

// Whether Source, or any series it is computed from, is Target.
bool Reaches(const TChartSeries* Source, const TChartSeries* Target) {
  std::vector<const TChartSeries*> Todo{Source}, Seen;
  while (!Todo.empty()) {
    const TChartSeries* C = Todo.back();
    Todo.pop_back();
    if (C == Target) return true;
    if (std::find(Seen.begin(), Seen.end(), C) != Seen.end()) continue;
    Seen.push_back(C);
    for (const TChartSeries* D : C->DataSources()) Todo.push_back(D);
  }
  return false;
}

QListWidget* SeriesList(QWidget* Parent, const char* Name) {
  auto* L = new QListWidget(Parent);
  L->setObjectName(QLatin1String(Name));
  L->setSelectionMode(QAbstractItemView::ExtendedSelection);
  return L;
}
}  // namespace

// --- Sources -----------------------------------------------------------------------------------

TChartEditSources::TChartEditSources() { Reset(); }
TChartEditSources::~TChartEditSources() = default;

void TChartEditSources::Reset() {
  FItems.clear();
  for (int i = 0; i < MaxLists; ++i) FItems.push_back(std::make_unique<TChartEditSource>());
  LabelsField.clear();
}

// --- Page --------------------------------------------------------------------------------------

TFormChartSeries::TFormChartSeries(QWidget* Owner, TCustomChart* Chart)
    : TChartEditorPage(Owner), FChart(Chart) {
  setObjectName(QStringLiteral("FormChartSeries"));
  auto* Main = new QVBoxLayout(this);
  auto* Top = new QHBoxLayout;
  CBSeries = ComboBox(this, "CBSeries", {});
  CBSeries->setMinimumWidth(160);
  ImageSeries = new QLabel(this);
  ImageSeries->setObjectName(QStringLiteral("ImageSeries"));
  ImageSeries->setFixedSize(48, 36);
  LabelSeriesClass = new QLabel(this);
  LabelSeriesClass->setObjectName(QStringLiteral("LabelSeriesClass"));
  CBPersistent = CheckBox(this, QStringLiteral("Persistent"), "CBPersistent");
  Top->addWidget(CBSeries);
  Top->addWidget(ImageSeries);
  Top->addWidget(LabelSeriesClass, 1);
  Top->addWidget(CBPersistent);
  Top->addStretch(0);
  Main->addLayout(Top);
  PageSeries = new TPageControl(this);
  PageSeries->setObjectName(QStringLiteral("PageSeries"));
  Main->addWidget(PageSeries, 1);
  // Without a series the pages and the type are hidden; the chooser then stays at the top left
  // at its own width.
  Main->addStretch(0);
  auto Sheet = [this](const QString& Caption) {
    auto* W = new QWidget(PageSeries);
    PageSeries->AddPage(W, Caption);
    return W;
  };
  TheTabSheet = Sheet(QStringLiteral("Format"));
  new QVBoxLayout(TheTabSheet);
  TabGeneral = Sheet(QStringLiteral("General"));
  TabMarks = Sheet(QStringLiteral("Marks"));
  TabDataSource = Sheet(QStringLiteral("Data Source"));

  // General
  auto* G = new QGridLayout(TabGeneral);
  CBShowInLegend = CheckBox(TabGeneral, QStringLiteral("&Show In Legend"), "CBShowInLegend");
  G->addWidget(CBShowInLegend, 0, 0, 1, 2);
  CBSeriesCursor = ComboBox(TabGeneral, "CBSeriesCursor", {});
  AddLabelled(G, 1, QStringLiteral("&Cursor:"), CBSeriesCursor);
  EValueformat = new QLineEdit(TabGeneral);
  EValueformat->setObjectName(QStringLiteral("EValueformat"));
  EPercentFormat = new QLineEdit(TabGeneral);
  EPercentFormat->setObjectName(QStringLiteral("EPercentFormat"));
  AddLabelled(G, 2, QStringLiteral("&Values:"), EValueformat);
  AddLabelled(G, 3, QStringLiteral("&Percents:"), EPercentFormat);
  RGHorizAxis =
      RadioGroup(TabGeneral, "RGHorizAxis", QStringLiteral("Horizontal Axis"),
                 {QStringLiteral("&Top"), QStringLiteral("&Bottom"), QStringLiteral("B&oth")});
  RGVertAxis =
      RadioGroup(TabGeneral, "RGVertAxis", QStringLiteral("Vertical Axis"),
                 {QStringLiteral("&Left"), QStringLiteral("&Right"), QStringLiteral("Bo&th")});
  CBXDateTime = CheckBox(RGHorizAxis, QStringLiteral("&DateTime"), "CBXDateTime");
  CBYDateTime = CheckBox(RGVertAxis, QStringLiteral("D&ateTime"), "CBYDateTime");
  G->addWidget(RGHorizAxis, 0, 2, 2, 1);
  G->addWidget(CBXDateTime, 2, 2);
  G->addWidget(RGVertAxis, 0, 3, 2, 1);
  G->addWidget(CBYDateTime, 2, 3);
  G->setRowStretch(4, 1);

  // Marks
  auto* M = new QGridLayout(TabMarks);
  CBMarksVisible = CheckBox(TabMarks, QStringLiteral("&Visible"), "CBMarksVisible");
  M->addWidget(CBMarksVisible, 0, 0);
  RGMarkStyle =
      RadioGroup(TabMarks, "RGMarkStyle", QStringLiteral("Style:"),
                 {QStringLiteral("Value"), QStringLiteral("Percent"), QStringLiteral("Label"),
                  QStringLiteral("Label and Percent"), QStringLiteral("Label and Value"),
                  QStringLiteral("Legend"), QStringLiteral("Percent Total"),
                  QStringLiteral("Label && Percent Total"), QStringLiteral("X Value")});
  M->addWidget(RGMarkStyle, 0, 2, 6, 1);
  SEArrowLength = SpinEdit(TabMarks, "SEArrowLength", -1000, 1000, 1);
  AddLabelled(M, 1, QStringLiteral("&Length:"), SEArrowLength);
  BMarkLinCol = Button(TabMarks, QStringLiteral("&Color..."), "BMarkLinCol");
  BMarksBackColor = Button(TabMarks, QStringLiteral("&Back Color..."), "BMarksBackColor");
  CBTransparent = CheckBox(TabMarks, QStringLiteral("&Transparent"), "CBTransparent");
  BMarkFont = Button(TabMarks, QStringLiteral("F&ont"), "BMarkFont");
  BMarksFrame = Button(TabMarks, QStringLiteral("Bo&rder..."), "BMarksFrame");
  CBMarkClip = CheckBox(TabMarks, QStringLiteral("Cl&ipped"), "CBMarkClip");
  int Row = 2;
  for (QWidget* W : std::initializer_list<QWidget*>{BMarkLinCol, BMarksBackColor, CBTransparent,
                                                    BMarkFont, BMarksFrame, CBMarkClip})
    M->addWidget(W, Row++, 0, 1, 2);
  M->setRowStretch(Row, 1);

  // Data source
  auto* D = new QVBoxLayout(TabDataSource);
  // Data-set sources need a data-set component, which the program does not have: only the
  // three kinds of its own are offered.
  CBDataSourcestyle = ComboBox(
      TabDataSource, "CBDataSourcestyle",
      {QStringLiteral("No Data"), QStringLiteral("Random Values"), QStringLiteral("Function")});
  D->addWidget(CBDataSourcestyle);
  PanFunction = new QWidget(TabDataSource);
  PanFunction->setObjectName(QStringLiteral("PanFunction"));
  D->addWidget(PanFunction, 100);
  // Without the function panel the kind stays at the top.
  D->addStretch(1);
  auto* F = new QGridLayout(PanFunction);
  CBFunctions = ComboBox(PanFunction, "CBFunctions", {});
  AddLabelled(F, 0, QStringLiteral("&Function:"), CBFunctions);
  BEditFunc = Button(PanFunction, QStringLiteral("&Edit..."), "BEditFunc");
  F->addWidget(BEditFunc, 0, 2);
  LBAvailSeries = SeriesList(PanFunction, "LBAvailSeries");
  LBSelectedSeries = SeriesList(PanFunction, "LBSelectedSeries");
  auto ListLabel = [this](const QString& Caption, QWidget* Buddy) {
    auto* L = new QLabel(Caption, PanFunction);
    L->setBuddy(Buddy);
    return L;
  };
  F->addWidget(ListLabel(QStringLiteral("&Available Series:"), LBAvailSeries), 1, 0);
  F->addWidget(ListLabel(QStringLiteral("&Selected Series: "), LBSelectedSeries), 1, 2);
  F->addWidget(LBAvailSeries, 2, 0);
  F->addWidget(LBSelectedSeries, 2, 2);
  F->setRowStretch(2, 1);
  BRightOne = Button(PanFunction, QStringLiteral(">"), "BRightOne");
  BRightAll = Button(PanFunction, QStringLiteral(">>"), "BRightAll");
  BLeftOne = Button(PanFunction, QStringLiteral("<"), "BLeftOne");
  BLeftAll = Button(PanFunction, QStringLiteral("<<"), "BLeftAll");
  auto* Moves = new QVBoxLayout;
  Moves->addStretch();
  for (QPushButton* B : {BRightOne, BRightAll, BLeftOne, BLeftAll}) Moves->addWidget(B);
  Moves->addStretch();
  F->addLayout(Moves, 2, 1);
  PanFunction->hide();

  On(CBSeries, &QComboBox::activated, this, [this](int I) {
    if (I < 0) return;
    SetSeries(reinterpret_cast<TChartSeries*>(CBSeries->itemData(I).value<quintptr>()));
  });
  On(CBPersistent, &QCheckBox::clicked, this, [this](bool On) {
    if (TChartSeries* S = Series())
      S->SetStyleFlags(On ? S->StyleFlags() | soPersistent : S->StyleFlags() & ~soPersistent);
  });
  PageSeries->OnChanging = [this](bool& Allow) { PageSeriesChanging(Allow); };
  On(PageSeries, &TPageControl::Change, this, [this] { PageSeriesChange(); });

  auto Do = [this](auto Handler) {
    return [this, Handler](auto...) {
      if (Loading) return;
      if (TChartSeries* S = Series()) Handler(*S);
    };
  };
  On(CBShowInLegend, &QCheckBox::clicked, this,
     Do([this](TChartSeries& S) { S.SetShowInLegend(CBShowInLegend->isChecked()); }));
  On(EValueformat, &QLineEdit::textEdited, this,
     Do([this](TChartSeries& S) { S.SetValueFormat(EValueformat->text()); }));
  On(EPercentFormat, &QLineEdit::textEdited, this,
     Do([this](TChartSeries& S) { S.SetPercentFormat(EPercentFormat->text()); }));
  On(RGHorizAxis, &TRadioGroup::Click, this, Do([this](TChartSeries& S) {
       if (RGHorizAxis->ItemIndex() >= 0) S.SetHorizAxis(THorizAxis(RGHorizAxis->ItemIndex()));
     }));
  On(RGVertAxis, &TRadioGroup::Click, this, Do([this](TChartSeries& S) {
       if (RGVertAxis->ItemIndex() >= 0) S.SetVertAxis(TVertAxis(RGVertAxis->ItemIndex()));
     }));
  On(CBXDateTime, &QCheckBox::clicked, this, Do([this](TChartSeries& S) {
       S.XValues()->SetDateTime(CBXDateTime->isChecked());
       S.Repaint();
     }));
  On(CBYDateTime, &QCheckBox::clicked, this, Do([this](TChartSeries& S) {
       S.YValues()->SetDateTime(CBYDateTime->isChecked());
       S.Repaint();
     }));
  On(CBSeriesCursor, &QComboBox::activated, this, Do([this](TChartSeries& S) {
       QString Name = CBSeriesCursor->currentText();
       if (!Name.startsWith(QLatin1String("cr"))) Name.prepend(QLatin1String("cr"));
       TCursor C = crDefault;
       if (ChartIdentToCursor(Name, C)) S.SetCursor(C);
     }));

  On(CBMarksVisible, &QCheckBox::clicked, this,
     Do([this](TChartSeries& S) { S.Marks()->SetVisible(CBMarksVisible->isChecked()); }));
  On(RGMarkStyle, &TRadioGroup::Click, this, Do([this](TChartSeries& S) {
       if (RGMarkStyle->ItemIndex() >= 0)
         S.Marks()->SetStyle(TSeriesMarksStyle(RGMarkStyle->ItemIndex()));
     }));
  OnNumber(
      SEArrowLength,
      [this](int V) {
        if (TChartSeries* S = Series()) S->Marks()->SetArrowLength(V);
      },
      [this] { return Series() ? Series()->Marks()->ArrowLength() : 0; });
  On(BMarkLinCol, &QPushButton::clicked, this,
     Do([this](TChartSeries& S) { EditChartPen(this, *S.Marks()->Arrow()); }));
  On(BMarksBackColor, &QPushButton::clicked, this, Do([this](TChartSeries& S) {
       PickColor(this, S.Marks()->BackColor(), [&S](TColor C) { S.Marks()->SetBackColor(C); });
     }));
  On(CBTransparent, &QCheckBox::clicked, this,
     Do([this](TChartSeries& S) { S.Marks()->SetTransparent(CBTransparent->isChecked()); }));
  On(BMarkFont, &QPushButton::clicked, this, Do([this](TChartSeries& S) {
       EditChartFont(this, *S.Marks()->Font());
       S.Repaint();
     }));
  On(BMarksFrame, &QPushButton::clicked, this,
     Do([this](TChartSeries& S) { EditChartPen(this, *S.Marks()->Frame()); }));
  On(CBMarkClip, &QCheckBox::clicked, this,
     Do([this](TChartSeries& S) { S.Marks()->SetClip(CBMarkClip->isChecked()); }));

  On(CBDataSourcestyle, &QComboBox::activated, this, [this](int I) {
    if (!Loading) DataSourceStyleChange(I);
  });
  On(CBFunctions, &QComboBox::activated, this, [this] {
    EnableEditFunction();
    if (!Loading) FunctionChanged = true;
  });
  On(BRightOne, &QPushButton::clicked, this,
     [this] { MoveSeries(LBAvailSeries, LBSelectedSeries, false); });
  On(BRightAll, &QPushButton::clicked, this,
     [this] { MoveSeries(LBAvailSeries, LBSelectedSeries, true); });
  On(BLeftOne, &QPushButton::clicked, this,
     [this] { MoveSeries(LBSelectedSeries, LBAvailSeries, false); });
  On(BLeftAll, &QPushButton::clicked, this,
     [this] { MoveSeries(LBSelectedSeries, LBAvailSeries, true); });
  On(LBAvailSeries, &QListWidget::itemDoubleClicked, this,
     [this] { MoveSeries(LBAvailSeries, LBSelectedSeries, false); });
  On(LBSelectedSeries, &QListWidget::itemDoubleClicked, this,
     [this] { MoveSeries(LBSelectedSeries, LBAvailSeries, false); });
  On(BEditFunc, &QPushButton::clicked, this, [this] { EditFunctionPeriod(); });
}

TFormChartSeries::~TFormChartSeries() = default;

void TFormChartSeries::PageShow() {
  FillSeriesCombo();
  // The open tab reads the series again; a data source chosen and not applied yet stays.
  if (!IsDataSourceTab(PageSeries->ActivePageIndex()) || !(FunctionChanged || DatasetChanged))
    PageSeriesChange();
  Loading = false;
}

void TFormChartSeries::FillSeriesCombo() {
  TFlagGuard Guard(Loading);
  CBSeries->clear();
  if (!FChart) return;
  for (int i = 0; i < FChart->SeriesCount(); ++i) {
    TChartSeries* S = FChart->GetSeries(i);
    CBSeries->addItem(S->Title().isEmpty() ? S->Name() : S->Title(), SeriesData(S));
  }
  CBSeries->setCurrentIndex(CBSeries->findData(SeriesData(Series())));
}

void TFormChartSeries::SetSeries(TChartSeries* Value, bool FirstPage) {
  if (Value && Value == Series() && !FEditorForms.empty()) {
    if (FirstPage) {
      PageSeries->SetActivePageIndex(0);
      PageSeriesChange();
    }
    return;
  }
  TFlagGuard Guard(Loading);
  // What the data-source tab holds belongs to the series shown until now.
  ApplyPending();
  FSeries = Value ? Value->Handle() : TSeriesHandle();
  FillSeriesCombo();
  CBSeriesChange(FirstPage);
}

void TFormChartSeries::CBSeriesChange(bool FirstPage) {
  // The open tab is found again by its own sheet, or, for a tab the old type's format page
  // added, by its caption among the tabs the new type's page adds.
  const QPointer<QWidget> WasActive = PageSeries->ActivePage();
  const QString WasCaption = PageSeries->tabText(PageSeries->ActivePageIndex());
  PageSeries->SetActivePageIndex(0);
  FreeEditorForms();
  TChartSeries* S = Series();
  const bool Any = S != nullptr;
  ImageSeries->setVisible(Any);
  LabelSeriesClass->setVisible(Any);
  PageSeries->setVisible(Any);
  CBPersistent->setVisible(false);
  if (!Any) return;
  const TChartSeriesType* Type = GallerySeriesType(*S);
  LabelSeriesClass->setText((S->Title().isEmpty() ? S->Name() : S->Title()) + QStringLiteral(": ") +
                            (Type ? Type->Description : S->ClassName()));
  if (Type) {
    // Drawn on a colour no sample uses, which then becomes transparent; drawn at the screen's
    // pixel ratio, so that it stays sharp at every scale.
    const QImage I =
        GalleryPicture(*Type, ImageSeries->size(), clFuchsia, ImageSeries->devicePixelRatioF());
    QPixmap P = QPixmap::fromImage(I);
    P.setMask(QBitmap::fromImage(I.createMaskFromColor(ToQColor(clFuchsia).rgb())));
    P.setDevicePixelRatio(I.devicePixelRatio());
    ImageSeries->setPixmap(P);
  } else {
    ImageSeries->clear();
  }
  const int Flags = S->StyleFlags();
  auto SetVisible = [this](QWidget* Tab, bool Visible) {
    PageSeries->SetTabVisible(PageSeries->indexOf(Tab), Visible);
  };
  SetVisible(TabGeneral, ShowGeneral);
  SetVisible(TabMarks, ShowMarks);
  SetVisible(TabDataSource, ShowDataSource && !(Flags & soNoSourceA) && !(Flags & soNoSourceB));
  CBPersistent->setVisible(ShowPersistent && !(Flags & soNoSourceA));
  CBPersistent->setChecked(Flags & soPersistent);
  CreateSeriesEditor();
  int Keep = WasActive ? PageSeries->indexOf(WasActive) : -1;
  for (const QPointer<QWidget>& Sheet : FExtraSheets)
    if (!WasActive && Sheet && PageSeries->tabText(PageSeries->indexOf(Sheet)) == WasCaption)
      Keep = PageSeries->indexOf(Sheet);
  if (!FirstPage && Keep > 0 && PageSeries->TabVisible(Keep)) {
    PageSeries->SetActivePageIndex(Keep);
    PageSeriesChange();
  }
}

void TFormChartSeries::FreeEditorForms() {
  for (auto& F : FEditorForms) delete F.data();
  FEditorForms.clear();
  for (auto& Sheet : FExtraSheets) delete Sheet.data();
  FExtraSheets.clear();
}

void TFormChartSeries::EmbedForm(TSeriesFormatPage* Form, QWidget* Sheet) {
  if (!Sheet->layout()) new QVBoxLayout(Sheet);
  Form->setParent(Sheet);
  Sheet->layout()->addWidget(Form);
  Form->show();
  FEditorForms.push_back(Form);
  Form->PageShow();
}

void TFormChartSeries::CreateSeriesEditor() {
  TChartSeries* S = Series();
  if (!S) return;
  // A page class nobody registered leaves the tab empty.
  if (TSeriesFormatPage* F = CreateSeriesFormatPage(SeriesEditorClassName(S), this, S))
    EmbedForm(F, TheTabSheet);
}

TSeriesFormatPage* TFormChartSeries::AddEditorPage(const QString& FormClass, int PageIndex,
                                                   const QString& Caption) {
  TChartSeries* S = Series();
  TSeriesFormatPage* F = S ? CreateSeriesFormatPage(FormClass, this, S) : nullptr;
  if (!F) return nullptr;
  TFlagGuard Guard(Loading);
  auto* Sheet = new QWidget(PageSeries);
  PageSeries->insertTab(PageIndex, Sheet, Caption);
  FExtraSheets.push_back(Sheet);
  EmbedForm(F, Sheet);
  return F;
}

bool TFormChartSeries::IsDataSourceTab(int Index) const {
  return Index >= 0 && PageSeries->widget(Index) == TabDataSource;
}

bool TFormChartSeries::CanLeavePage() {
  bool Allow = true;
  PageSeriesChanging(Allow);
  return Allow;
}

void TFormChartSeries::PageSeriesChanging(bool& AllowChange) {
  if (Loading || !IsDataSourceTab(PageSeries->ActivePageIndex())) return;
  if (FunctionChanged || DatasetChanged) {
    switch (Confirm(QStringLiteral("Apply Changes?"), mbYes | mbNo | mbCancel)) {
      case mrYes:
        ApplyPending();
        break;
      case mrNo: {
        FunctionChanged = DatasetChanged = false;
        // The dropped choice leaves the tab too: it shows the series' own source again.
        TFlagGuard Guard(Loading);
        Sources.Reset();
        LoadDataSource();
        break;
      }
      default:
        AllowChange = false;
        break;
    }
    return;
  }
  AllowChange = Series() != nullptr;
}

void TFormChartSeries::PageSeriesChange() {
  QWidget* W = PageSeries->ActivePage();
  TFlagGuard Guard(Loading);
  if (W == TabGeneral)
    LoadGeneral();
  else if (W == TabMarks)
    LoadMarks();
  else if (W == TabDataSource)
    LoadDataSource();
  else
    for (auto& F : FEditorForms)
      if (F && F->parentWidget() == W) F->PageShow();
}

void TFormChartSeries::LoadGeneral() {
  TChartSeries* S = Series();
  if (!S) return;
  CBShowInLegend->setChecked(S->ShowInLegend());
  EValueformat->setText(S->ValueFormat());
  EPercentFormat->setText(S->PercentFormat());
  RGHorizAxis->SetItemIndex(int(S->HorizAxis()));
  RGVertAxis->SetItemIndex(int(S->VertAxis()));
  CBXDateTime->setChecked(S->XValues()->DateTime());
  CBYDateTime->setChecked(S->YValues()->DateTime());
  CBSeriesCursor->clear();
  for (const TCursorName& N : CursorNames()) CBSeriesCursor->addItem(QLatin1String(N.Name).mid(2));
  CBSeriesCursor->addItem(QStringLiteral("ChartHand"));
  CBSeriesCursor->setCurrentIndex(CBSeriesCursor->findText(ChartCursorToIdent(S->Cursor()).mid(2)));
}

void TFormChartSeries::LoadMarks() {
  TChartSeries* S = Series();
  if (!S) return;
  TSeriesMarks* M = S->Marks();
  RGMarkStyle->SetItemIndex(int(M->Style()));
  CBMarksVisible->setChecked(M->Visible());
  SEArrowLength->ShowValue(M->ArrowLength());
  CBTransparent->setChecked(M->Transparent());
  CBMarkClip->setChecked(M->Clip());
}

void TFormChartSeries::LoadDataSource() {
  TChartSeries* S = Series();
  if (!S) return;
  int Kind = dsNoData;
  if (S->DataSource() || S->Function())
    Kind = dsFunction;
  else if (S->Count() > 0)
    Kind = dsRandom;
  CBDataSourcestyle->setCurrentIndex(Kind);
  PanFunction->setVisible(Kind == dsFunction);
  FillFunctionPanel();
}

void TFormChartSeries::FillFunctionPanel() {
  TChartSeries* S = Series();
  CBFunctions->clear();
  LBAvailSeries->clear();
  LBSelectedSeries->clear();
  if (!S) return;
  // "Copy" first: the source's points taken as they are.
  CBFunctions->addItem(QStringLiteral("Copy"));
  const TChartSeriesTypes& Types = ChartSeriesTypes();
  for (int i = 0; i < Types.Count(); ++i) {
    const TChartSeriesType& T = Types.GetSeriesType(i);
    if (!T.FunctionClass.IsNull() && T.SeriesClass.IsNull())
      CBFunctions->addItem(T.Description, T.FunctionClass.Name);
  }
  int Index = 0;
  if (const TChartFunction* F = S->Function())
    Index = std::max(0, CBFunctions->findData(F->ClassName()));
  CBFunctions->setCurrentIndex(Index);
  EnableEditFunction();
  for (TChartSeries* D : S->DataSources()) {
    auto* Item = new QListWidgetItem(D->Title().isEmpty() ? D->Name() : D->Title());
    Item->setData(SeriesRole, SeriesData(D));
    LBSelectedSeries->addItem(Item);
  }
  for (int i = 0; FChart && i < FChart->SeriesCount(); ++i) {
    TChartSeries* O = FChart->GetSeries(i);
    const auto& Ds = S->DataSources();
    if (O == S || std::find(Ds.begin(), Ds.end(), O) != Ds.end()) continue;
    auto* Item = new QListWidgetItem(O->Title().isEmpty() ? O->Name() : O->Title());
    Item->setData(SeriesRole, SeriesData(O));
    LBAvailSeries->addItem(Item);
  }
  EnableMoveButtons();
}

void TFormChartSeries::DataSourceStyleChange(int Index) {
  TChartSeries* S = Series();
  if (!S) return;
  Sources.Reset();
  PanFunction->setVisible(Index == dsFunction);
  if (Index == dsFunction) {
    FillFunctionPanel();
    return;
  }
  FunctionChanged = false;
  S->SetDataSource(nullptr);
  S->Clear();
  if (Index == dsRandom) S->FillSampleValues(S->NumSampleValues());
  S->Repaint();
}

void TFormChartSeries::MoveSeries(QListWidget* From, QListWidget* To, bool All) {
  QList<QListWidgetItem*> Items;
  for (int i = 0; i < From->count(); ++i)
    if (All || From->item(i)->isSelected()) Items << From->item(i);
  if (Items.isEmpty() && From->currentItem()) Items << From->currentItem();
  for (QListWidgetItem* I : Items) To->addItem(From->takeItem(From->row(I)));
  if (!Items.isEmpty()) FunctionChanged = true;
  EnableMoveButtons();
}

void TFormChartSeries::EnableEditFunction() {
  // "Copy" takes the source's points as they are: it has no period to edit.
  BEditFunc->setEnabled(CBFunctions->currentIndex() >= 1);
}

void TFormChartSeries::EnableMoveButtons() {
  BRightOne->setEnabled(LBAvailSeries->count() > 0);
  BRightAll->setEnabled(LBAvailSeries->count() > 0);
  BLeftOne->setEnabled(LBSelectedSeries->count() > 0);
  BLeftAll->setEnabled(LBSelectedSeries->count() > 0);
}

std::vector<TChartSeries*> TFormChartSeries::ListedSeries(QListWidget* List) const {
  std::vector<TChartSeries*> Result;
  for (int i = 0; i < List->count(); ++i) {
    auto* S = reinterpret_cast<TChartSeries*>(List->item(i)->data(SeriesRole).value<quintptr>());
    // A series deleted since the list was filled is no longer in the chart.
    for (int j = 0; FChart && j < FChart->SeriesCount(); ++j)
      if (FChart->GetSeries(j) == S) Result.push_back(S);
  }
  return Result;
}

void TFormChartSeries::ApplyPending() {
  if (FunctionChanged) {
    // Applied once even when the series refuses it: its message has been shown.
    FunctionChanged = false;
    RunGuarded([this] { ApplyFunction(); });
  }
  DatasetChanged = false;
}

void TFormChartSeries::ApplyFunction() {
  TChartSeries* S = Series();
  if (!S) return;
  const std::vector<TChartSeries*> Selected = ListedSeries(LBSelectedSeries);
  // Every source is checked before anything changes, so a refused one leaves the old sources.
  for (TChartSeries* Src : Selected) {
    if (!S->IsValidSourceOf(Src))
      throw ChartException(SeriesMessages::NoValidDataSource(Src->Name()));
    if (Reaches(Src, S)) throw ChartException(ChartMessages::Circular);
  }
  const int I = CBFunctions->currentIndex();
  const QString Class = I >= 1 ? CBFunctions->itemData(I).toString() : QString();
  if (Class.isEmpty()) {
    S->SetFunction(nullptr);
  } else if (!S->Function() || S->Function()->ClassName().compare(Class, Qt::CaseInsensitive)) {
    const TChartSeriesType* T = ChartSeriesTypes().Find(QString(), Class);
    if (T) CreateNewChartFunction(S, T->FunctionClass);
  }
  if (Selected.empty()) {
    S->SetDataSource(nullptr);
  } else if (Selected != S->DataSources()) {
    S->SetDataSource(nullptr);
    S->Loaded(Selected);
  } else {
    S->CheckDatasource();
  }
  S->Repaint();
}

void TFormChartSeries::EditFunctionPeriod() {
  TChartSeries* S = Series();
  if (!S || !S->Function()) return;
  // A range of X values needs X values of its own: a source whose points are only counted
  // along has none.
  bool CanRange = false;
  if (TChartSeries* D = S->DataSource())
    for (int i = 0; i < D->Count() && !CanRange; ++i) CanRange = D->XValue(i) != i;
  ::EditFunctionPeriod(this, *S->Function(), CBFunctions->currentText(), CanRange,
                       S->XValues()->DateTime());
  S->Repaint();
}

void TFormChartSeries::hideEvent(QHideEvent* Event) {
  // Closing the editor applies what the data-source tab still holds; leaving the series tab
  // hides the page too, but the editor asks about that first.
  if (!window()->isVisible()) ApplyPending();
  TChartEditorPage::hideEvent(Event);
}

void RegisterChartSeriesTab() {
  RegisterChartSeriesEditor({[](QWidget* Owner, TCustomChart* Chart, int Options, int HiddenTabs) {
                               auto* F = new TFormChartSeries(Owner, Chart);
                               F->ShowDataSource =
                                   (Options & ceDataSource) && !(HiddenTabs & (1 << cetSeriesData));
                               F->ShowGeneral = !(HiddenTabs & (1 << cetSeriesGeneral));
                               return static_cast<TChartEditorPage*>(F);
                             },
                             [](TChartEditorPage* Page, TChartSeries* Series, bool FirstPage) {
                               if (auto* F = dynamic_cast<TFormChartSeries*>(Page))
                                 F->SetSeries(Series, FirstPage);
                             },
                             [](TChartEditorPage* Page) {
                               auto* F = dynamic_cast<TFormChartSeries*>(Page);
                               return !F || F->CanLeavePage();
                             }});
}
