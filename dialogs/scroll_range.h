#pragma once

namespace skyvault {

// What the user did to a scroll bar, besides dragging its thumb.
enum class ScrollStep { LineLess, LineMore, PageLess, PageMore, ToMinimum, ToMaximum };

// The range of a scroll bar and the steps of its arrows and trough.
struct ScrollRange {
  int minimum;
  int maximum;
  int lineStep;
  int pageStep;
  int start;  // the bar's position before anything is loaded

  bool Contains(int value) const { return value >= minimum && value <= maximum; }
  int Clamp(int value) const {
    return value < minimum ? minimum : value > maximum ? maximum : value;
  }
  // The value after `step` from `value`, inside the range.
  int Step(int value, ScrollStep step) const;
};

}  // namespace skyvault
