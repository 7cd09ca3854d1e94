#pragma once
// The data grid through which a series is added to a graph or its points are edited: typed in,
// pasted from the clipboard (as is or by field names), or read as two columns of a text file.
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

#include "platform/colors.h"
#include "platform/form.h"
#include "platform/number_edit.h"
#include "plot/core/graph_layer.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QToolButton;
class TGraph;
class TPlot;
class TSeries;
class TStringGrid;
class TUpDown;

// The characters that split a line into fields, searched in table order; a NUL entry never
// matches.
struct TDelimiterTable {
  std::array<QChar, 10> Chars{QLatin1Char(' '), QLatin1Char(','), QLatin1Char('\t')};
  int Count = 5;
};

// Takes the first field off Line: the text before the first table entry found in it, with the
// run of that delimiter behind it; the whole rest when there is none or the line starts with it.
QString GetFirstField(QString& Line, const TDelimiterTable& Table);
// Field N (from 1) of Line, its outer blanks dropped; empty past the last field. When the first
// table entry found in the line is a blank or TAB, only blanks and TABs split it, else only the
// other entries do: "1 2,5" has the fields "1" and "2,5", so a decimal comma stays in its number,
// which then reads as none, rather than making two numbers of one.
QString GetField(const QString& Line, int N, const TDelimiterTable& Table);
// Every field of Line, split as GetField splits it.
QStringList SplitFields(const QString& Line, const TDelimiterTable& Table);

// Text files for the column reader are refused beyond these, before they are read whole.
inline constexpr qint64 MaxImportFileSize = 8LL * 1024 * 1024;
inline constexpr int MaxImportLines = 100000;
// Room for the most columns the reader takes, each a long number with its delimiter.
inline constexpr int MaxImportLineLength = 64 * 1024;

// The lines of a text file for the column reader; false, with a message naming the file, when
// it is no readable text file or passes the bounds above.
bool ReadImportLines(const QString& FileName, QStringList& Lines, QString& Error);

class TfmGraphImport : public TForm {
  Q_OBJECT
 public:
  // Rows of the grid before a paste or a file grows it.
  static constexpr int InitialRows = 1000;

  explicit TfmGraphImport(QWidget* Owner = nullptr);
  ~TfmGraphImport() override;

  // Series null adds a new series to Graph, else edits Series. True when the graph changed.
  bool Execute(TGraph* AGraph, TSeries* ASeries);
  void Load(TGraph* AGraph, TSeries* ASeries);
  // The OK button's work; true when the dialog may close.
  bool Apply();

  void NameChange();
  void PasteAsIs();
  void PasteByFieldName();
  void OpenFile();
  // The column reader's work on lines already read: false after a message.
  bool ReadColumns(const QStringList& FileLines, const QString& XColumn, const QString& YColumn,
                   const std::array<bool, 4>& Boxes, bool UserDefine, const QString& UserText);
  void InsertRow();
  void DeleteRow();
  void EraseAll();
  void EraseColumn();
  void SymbolsClick();
  void ColorClick();
  // Fields of later lines into the grid by the links: Links[c] is the input field of column c,
  // -1 for none.
  void PasteLinked(const std::array<int, 2>& Links);
  // Pastes Text as is at the current cell.
  void PasteText(const QString& Text);
  // Lines of Text, and the field names of its first line.
  void ReadHeader(const QString& Text);

  TStringGrid* sgMain = nullptr;
  QLineEdit *edP2 = nullptr, *edP3 = nullptr, *edName = nullptr;
  TNumberEdit* edWidth = nullptr;
  TUpDown* udWidth = nullptr;
  QComboBox *cbStyle = nullptr, *cbLineStyle = nullptr;
  QCheckBox* chShowInLegend = nullptr;
  QPushButton *btSymbols = nullptr, *btColor = nullptr, *BitBtn1 = nullptr, *btCancel = nullptr;
  QAction *miPaste = nullptr, *miPasteByField = nullptr, *miOpen = nullptr, *miInsertRow = nullptr,
          *miDeleteRow = nullptr, *miEraseAll = nullptr, *miEraseColumn = nullptr,
          *miExit = nullptr;
  QToolButton *tbPaste = nullptr, *tbPastebyField = nullptr, *tbAnimatedZoom = nullptr;
  // The grid's own menu.
  QAction *pmPaste = nullptr, *pmPasteByField = nullptr;

  TDelimiterTable Delimiters;
  QStringList Lines, FieldNames;
  TGraph* Graph = nullptr;
  TLayerHandle Series;
  bool NewSeries = false;
  // OK changed the graph.
  bool Changed = false;
  // What OK gives the series.
  TColor Color = clBlack;
  int MarkerStyle = 0, MarkerSize = 4;
  TColor MarkerPenColor = clBlack, MarkerFillColor = clWhite;

 protected:
  void FormCreate() override;

 private:
  struct TLoadedPoint;
  void EnsureRows(int Rows);
  void UpdatePasteEnabled();
  void PutCell(int ACol, int ARow, const QString& Text);
  // The loaded point a grid row stands for, or null; Cells tells which of its cells still hold
  // the loaded text (not pasted or read over, and not typed over).
  const TLoadedPoint* RowPoint(int Row, std::array<bool, 2>& Cells) const;
  std::unique_ptr<TSeries> FNew;
  // The width typed in the field: the up-down alone would keep its old position silently.
  // The edited series' points as loaded, with the texts the grid showed of them, and what each
  // grid row holds of them (rows move with Insert and Delete Row): OK gives a row that the user
  // left alone its point exactly as it was.
  std::vector<TLoadedPoint> FLoaded;
  struct TRowOrigin {
    int Point = -1;
    std::array<bool, 2> Replaced{};
  };
  std::vector<TRowOrigin> FRowPoint;
  // The settings as loaded: OK sets only what the user changed, as a setter also rewrites every
  // point's marker.
  TColor FLoadedColor = clBlack;
  int FLoadedStyle = -1, FLoadedLineStyle = -1, FLoadedWidth = 1;
  int FLoadedMarkerStyle = 0, FLoadedMarkerSize = 4;
  TColor FLoadedPenColor = clBlack, FLoadedFillColor = clWhite;
};

// The plot control's import command: a new series on its graph; true when one was added.
bool ShowSeriesImportDialog(TPlot& Plot);
// Installs the grid dialog as the series' own data editor.
void InstallSeriesDataEditor();
