#include "dialogs/setup_bindings.h"

namespace skyvault {
namespace {

// The row of `control`; every check box and scroll bar has one.
template <typename Row, size_t N, typename Control>
const Row* Find(const std::array<Row, N>& table, Control control, Control Row::*field) {
  for (const Row& row : table) {
    if (row.*field == control) return &row;
  }
  return nullptr;
}

}  // namespace

const CheckBoxBinding& BindingOf(SetupCheckBox box) {
  const CheckBoxBinding* row = Find(kCheckBoxBindings, box, &CheckBoxBinding::box);
  return row ? *row : kCheckBoxBindings[0];
}

const TextBoxBinding* BindingOf(SetupTextBox box) {
  return Find(kTextBoxBindings, box, &TextBoxBinding::box);
}

const ScrollBarBinding& BindingOf(SetupScrollBar bar) {
  const ScrollBarBinding* row = Find(kScrollBarBindings, bar, &ScrollBarBinding::bar);
  return row ? *row : kScrollBarBindings[0];
}

}  // namespace skyvault
