#include "dialogs/scroll_range.h"

namespace skyvault {

int ScrollRange::Step(int value, ScrollStep step) const {
  switch (step) {
    case ScrollStep::LineLess:
      return Clamp(value - lineStep);
    case ScrollStep::LineMore:
      return Clamp(value + lineStep);
    case ScrollStep::PageLess:
      return Clamp(value - pageStep);
    case ScrollStep::PageMore:
      return Clamp(value + pageStep);
    case ScrollStep::ToMinimum:
      return minimum;
    case ScrollStep::ToMaximum:
      return maximum;
  }
  return Clamp(value);
}

}  // namespace skyvault
