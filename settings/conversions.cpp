#include "settings/conversions.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace skyvault {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Length of the number at the start of `text` (after any blanks), or 0.
// Accepts [+-] digits [. digits] [(e|E|d|D) [+-] digits]; needs a digit.
size_t NumberLength(std::string_view text) {
  size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  size_t digits = 0;
  while (i < text.size() && IsDigit(text[i])) {
    ++i;
    ++digits;
  }
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) {
      ++i;
      ++digits;
    }
  }
  if (digits == 0) return 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
    size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    size_t expDigits = 0;
    while (j < text.size() && IsDigit(text[j])) {
      ++j;
      ++expDigits;
    }
    if (expDigits > 0) i = j;
  }
  return i;
}

double ParseNumber(std::string_view number) {
  std::string copy(number);
  for (char& c : copy) {
    if (c == 'd' || c == 'D') c = 'e';
  }
  errno = 0;
  return std::strtod(copy.c_str(), nullptr);  // overflow gives +-HUGE_VAL
}

std::string_view SkipBlanks(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  return text.substr(i);
}

template <typename Int>
std::optional<Int> RoundTo(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  const double rounded = std::nearbyint(value);  // default mode: ties to even
  if (rounded < static_cast<double>(std::numeric_limits<Int>::min()) ||
      rounded > static_cast<double>(std::numeric_limits<Int>::max())) {
    return std::nullopt;
  }
  return static_cast<Int>(rounded);
}

}  // namespace

double NumberValue(std::string_view text) {
  text = SkipBlanks(text);
  const size_t length = NumberLength(text);
  return length == 0 ? 0.0 : ParseNumber(text.substr(0, length));
}

std::optional<double> WholeNumber(std::string_view text) {
  text = SkipBlanks(text);
  const size_t length = NumberLength(text);
  if (length == 0) return std::nullopt;
  for (size_t i = length; i < text.size(); ++i) {
    if (!IsBlank(text[i])) return std::nullopt;
  }
  return ParseNumber(text.substr(0, length));
}

std::optional<int16_t> RoundToInt16(double value) { return RoundTo<int16_t>(value); }
std::optional<int32_t> RoundToInt32(double value) { return RoundTo<int32_t>(value); }

std::optional<int16_t> ToInt16(std::string_view text) {
  const auto number = WholeNumber(text);
  if (!number) return std::nullopt;
  return RoundToInt16(*number);
}

std::string IntegerText(long long value) { return std::to_string(value); }

}  // namespace skyvault
