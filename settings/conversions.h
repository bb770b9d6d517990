#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace skyvault {

// The leading decimal number of a text, as a double: optional blanks, a sign,
// digits with an optional fraction and exponent. A text that does not begin
// with a number gives 0 ("12abc" gives 12, "abc" gives 0).
double NumberValue(std::string_view text);

// The whole text as a number (blanks around it allowed), or nothing when the
// text is not a number from end to end.
std::optional<double> WholeNumber(std::string_view text);

// Rounds to the nearest integer, a tie to the even neighbour, and checks the
// range; nothing when the value is not finite or falls outside.
std::optional<int16_t> RoundToInt16(double value);
std::optional<int32_t> RoundToInt32(double value);

// The whole text converted to a 16-bit signed integer (ties to even), or
// nothing when the text is not a number or lies outside -32768..32767.
std::optional<int16_t> ToInt16(std::string_view text);

// Numbers as the settings store keeps them: plain decimal text.
std::string IntegerText(long long value);

}  // namespace skyvault
