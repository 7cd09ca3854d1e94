#pragma once
// The matrix calculator: two operand grids A and B of cell expressions, a chosen operation, the
// result grid C, and a list of kept results. Cells are evaluated by the engine only when an
// operation runs; buttons are enabled from what the window already knows.
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "app/common/validates.h"
#include "app/matrix/mat_lib.h"
#include "platform/form.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QWidget;
class TCanvas;
class TSpeedButton;
class TStringGrid;
class TfmMult;
class TfrmViewR;
class TSideEvaluation;

// Page geometry and page break for printing on a canvas, in device pixels.
struct TMatrixPage {
  int Width = 0;
  int Height = 0;
  int PixelsPerInch = 600;
  std::function<void()> NewPage;  // called before drawing continues on a fresh page
};

class TfmMatrix : public TForm {
  Q_OBJECT
 public:
  explicit TfmMatrix(QWidget* Owner = nullptr);
  ~TfmMatrix() override;

  // The prompt and the view window the main window made at start-up; without them the window
  // makes its own on first use.
  void SetCompanions(TfmMult* Mult, TfrmViewR* ViewR);

  // --- controls ---
  QWidget *pnA, *pnB, *pnC;
  QLineEdit *edAName, *edARows, *edACols, *edAValue;
  QLineEdit *edBName, *edBRows, *edBCols, *edBValue;
  QLineEdit *edCName, *edCRows, *edCCols;
  TStringGrid *sgA, *sgB, *sgC;
  QLineEdit* edOperation;
  QListWidget* lbR;
  TSpeedButton *sbRtoA, *sbRtoB, *sbRView, *sbRPrint;
  TSpeedButton *sbPasteToA, *sbPasteToB, *sbAtoClip, *sbBtoClip, *sbCtoClip, *sbPrint, *sbSave,
      *sbOpen;
  TSpeedButton *sbCtoA, *sbCtoB, *sbAtoB, *sbBtoA;
  TSpeedButton *sbAddRow, *sbDelRow, *sbAddCol, *sbDelCol, *sbASwap, *SpeedButton1;
  QPushButton *Solve, *btAAddB, *btAMultB, *btInverse, *ptPowerA, *btDeterminant, *btASubsB,
      *sbMultArA, *Button2;
  QPushButton* Button1;  // "="
  QMenu* PopupClip;

  // --- state ---
  bool Updating = false;
  Extended ScalarR = 1;
  int Operation = 0;
  int PowerN = 2;
  QString FuncText;
  double PixelsPerMM = 0;

  struct TRepositoryItem {
    QString Name;
    std::unique_ptr<MatLib::TMatrix> Matrix;
  };
  const std::vector<TRepositoryItem>& Repository() const { return FRepository; }

  // --- commands ---
  void ChooseOperation(int Code);  // as the operation buttons do, prompts included
  void Button1Click();             // runs the chosen operation
  void edAValueEnter() { Fill(sgA, edAValue); }
  void edBValueEnter() { Fill(sgB, edBValue); }
  void CopyGrid(TStringGrid* Source, TStringGrid* Target);
  void CopyToClipboard(TStringGrid* Grid);
  void PasteFromClipboard(TStringGrid* Grid);
  void SaveToTextFile();
  void Print();
  void PrintRepositoryItem();
  void RepositoryToGrid(TStringGrid* Grid);
  void ViewRepositoryItem();
  void AddRowClick();
  void AddColClick();
  void DelRowClick();
  void DelColClick();
  void SwapClick();
  void GridKeyDown(TStringGrid* Grid, int& Key, Qt::KeyboardModifiers Shift);
  void GridEnter(TStringGrid* Grid);
  void sgCClick();
  void UpdateButtons();

  // The texts of a grid's data cells, the clipboard text and the file lines, as the window
  // makes them.
  static QString ClipboardTextOf(const TStringGrid* Grid);
  static void PasteText(TStringGrid* Grid, const QString& Text);
  QStringList TextFileLines() const;
  // Draws what Print prints onto Canvas; Title + grids or one matrix.
  void DrawPrintout(TCanvas& Canvas, const TMatrixPage& Page);
  static void DrawMatrixPrintout(TCanvas& Canvas, const TMatrixPage& Page, const QString& Title,
                                 const MatLib::TMatrix& M);

  // Size handlers of the size fields.
  void edARowsChange();
  void edAColsChange();
  void edBRowsChange();
  void edBColsChange();

  bool AskScalar(Extended& R);
  bool AskPower(int& N);
  bool AskFunction(QString& F);

 protected:
  void FormShow() override;
  // Closing while an evaluation runs breaks it; the window closes once it has ended.
  void FormCloseQuery(bool& CanClose) override;

 private:
  struct TSizes {
    int ARows, ACols, BRows, BCols, CRows, CCols;
  };
  struct TEditTarget {
    TStringGrid* Grid = nullptr;
    QLineEdit* RowsEdit = nullptr;
    QLineEdit* ColsEdit = nullptr;
    Validates::TIntValidate* RowsValidator = nullptr;
    Validates::TIntValidate* ColsValidator = nullptr;
    void (TfmMatrix::*SizeChange)() = nullptr;
  };

  void BuildControls();
  QWidget* BuildOperandPanel(const QString& Title, QLineEdit*& Name, QLineEdit*& Rows,
                             QLineEdit*& Cols, QLineEdit** Value, TStringGrid*& Grid);
  TSpeedButton* MakeButton(const QString& Caption, const QString& Hint);
  TfmMult& Mult();
  TfrmViewR& ViewR();

  TSizes CurrentSizes() const;
  void ApplySizes(const TSizes& S);
  void SizeChanged(int Which, int Value);
  void Relabel();
  void WriteOperationText(bool Chosen);
  QString OperationText(int Code, bool Chosen) const;
  void ShowPanels(bool WithB);
  void ClearC();
  void Fill(TStringGrid* Grid, QLineEdit* Value);
  void AfterGridKeyChange(TStringGrid* Grid, bool Columns);
  void DeleteGridRow(TStringGrid* Grid, int Row, bool AllColumns);
  void DeleteGridCol(TStringGrid* Grid, int Col);

  // Evaluates every data cell, column by column; on failure notes the cell in FFailedCell and
  // answers nothing.
  std::optional<MatLib::TRealMatrix> ReadGrid(TSideEvaluation& Side, TStringGrid* Grid,
                                              bool FillEmpty);
  // The body of Button1Click, with the controls locked and the engine taken.
  void RunOperation(TSideEvaluation& Side);
  void WriteC(const MatLib::TMatrix& M);
  void AddToRepository(const QString& Name, std::unique_ptr<MatLib::TMatrix> M);
  QString RepositoryName(QLineEdit* Name, QLineEdit* Rows, QLineEdit* Cols) const;
  QString OperationWord() const;
  bool PrintJob(const QString& Title,
                const std::function<void(TCanvas&, const TMatrixPage&)>& Draw);

  std::array<std::unique_ptr<Validates::TIntValidate>, 4> SizeValidators;
  TEditTarget EditTarget;
  std::vector<TRepositoryItem> FRepository;
  bool FCHasResult = false;
  bool FRunning = false;
  struct TFailedCell {
    TStringGrid* Grid = nullptr;
    int Row = 0;
    int Col = 0;
  } FFailedCell;
  TfmMult* FMult = nullptr;
  TfrmViewR* FViewR = nullptr;
  std::unique_ptr<TfmMult> FOwnMult;
  std::unique_ptr<TfrmViewR> FOwnViewR;
};

// The one made at start-up; null before start-up and after it frees its windows.
extern TfmMatrix* fmMatrix;
