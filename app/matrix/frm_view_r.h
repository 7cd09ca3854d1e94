#pragma once
// Shows one matrix of the matrix window's result list, modally.
#include "app/matrix/mat_lib.h"
#include "platform/form.h"

class TStringGrid;

class TfrmViewR : public TForm {
  Q_OBJECT
 public:
  explicit TfrmViewR(QWidget* Owner = nullptr);

  TStringGrid* sgA;

  void ShowMatrix(const MatLib::TMatrix& M);
  // Fills the grid without showing the window.
  void LoadMatrix(const MatLib::TMatrix& M);
};

// The one made at start-up; null before start-up and after it frees its windows.
extern TfrmViewR* frmViewR;
