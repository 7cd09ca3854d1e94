#pragma once
// How the calculator window runs its own modal forms. Kept in one place so that tests can answer
// the forms without a nested event loop.
#include <functional>

class QDialog;

namespace calcpf {

// Runs a form modally and answers its result; tests install a runner that answers it.
int RunModal(QDialog& Form);
void SetModalRunner(std::function<int(QDialog&)> Runner);

}  // namespace calcpf
