#pragma once
// Drives the matrix window offscreen: scripted message and file dialogs, scripted answers for
// its prompt, a temporary program directory and a fresh engine state.
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <ostream>
#include <utility>
#include <vector>

#include "app/matrix/fm_matrix.h"
#include "app/matrix/fm_mult.h"
#include "app/matrix/frm_view_r.h"
#include "engine/engine_busy.h"
#include "engine/engine_state.h"
#include "platform/app_services.h"
#include "platform/dialogs.h"
#include "platform/string_grid.h"

inline void PrintTo(const QString& S, std::ostream* Out) { *Out << '"' << S.toStdString() << '"'; }

class MatrixWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Dir.isValid());
    SetProgramDir(Dir.path());
    SetDialogService(&Dialogs);
    EngineInitialize();
    EngineState = TEngineState{};
    EngineSettings = TEngineSettings{};
    SelectRadix(0);
    SetMatrixModalRunner([this](TForm& Form) -> TModalResult {
      ++ModalCount;
      if (auto* M = qobject_cast<TfmMult*>(&Form)) {
        PromptTexts << M->Edit1->text();
        if (Prompts.empty()) return mrCancel;
        auto [Text, Result] = Prompts.front();
        Prompts.pop_front();
        M->Edit1->setText(Text);
        return Result;
      }
      return mrOk;
    });
    W = std::make_unique<TfmMatrix>();
    Mult = std::make_unique<TfmMult>();
    ViewR = std::make_unique<TfrmViewR>();
    W->SetCompanions(Mult.get(), ViewR.get());
  }
  void TearDown() override {
    W.reset();
    Mult.reset();
    ViewR.reset();
    SetMatrixModalRunner(nullptr);
    SetDialogService(nullptr);
    SetProgramDir(QString());
  }

  void Answer(const QString& Text, TModalResult Result = mrOk) {
    Prompts.emplace_back(Text, Result);
  }

  // Puts rows of cell texts into a grid from its first data cell on.
  static void Put(TStringGrid* G, const std::vector<std::vector<QString>>& Rows) {
    for (size_t r = 0; r < Rows.size(); ++r)
      for (size_t c = 0; c < Rows[r].size(); ++c) G->Cells[int(c) + 1][int(r) + 1] = Rows[r][c];
  }
  static std::vector<std::vector<QString>> Data(const TStringGrid* G) {
    std::vector<std::vector<QString>> Rows;
    for (int r = 1; r < G->RowCount(); ++r) {
      Rows.emplace_back();
      for (int c = 1; c < G->ColCount(); ++c) Rows.back().push_back(G->GetCell(c, r));
    }
    return Rows;
  }
  // Chooses an operation and gives A (and B) their sizes through the size fields.
  void Choose(int Code, int ARows, int ACols) {
    W->ChooseOperation(Code);
    W->edARows->setText(QString::number(ARows));
    W->edACols->setText(QString::number(ACols));
  }
  QStringList Names() const {
    QStringList L;
    for (const auto& I : W->Repository()) L << I.Name;
    return L;
  }
  void Run() { W->Button1->click(); }

  QTemporaryDir Dir;
  TScriptedDialogService Dialogs;
  std::deque<std::pair<QString, TModalResult>> Prompts;
  QStringList PromptTexts;
  int ModalCount = 0;
  std::unique_ptr<TfmMatrix> W;
  std::unique_ptr<TfmMult> Mult;
  std::unique_ptr<TfrmViewR> ViewR;
};
