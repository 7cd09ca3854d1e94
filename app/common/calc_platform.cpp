#include "app/common/calc_platform.h"

#include <QDialog>

#include "platform/form.h"

namespace calcpf {
namespace {
std::function<int(QDialog&)> GModalRunner;
}  // namespace

int RunModal(QDialog& Form) {
  if (GModalRunner) return GModalRunner(Form);
  if (auto* F = dynamic_cast<TForm*>(&Form)) return F->ShowModal();
  return Form.exec();
}

void SetModalRunner(std::function<int(QDialog&)> Runner) { GModalRunner = std::move(Runner); }

}  // namespace calcpf
