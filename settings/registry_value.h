#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace skyvault {

// The kinds of registry value, as far as reading a setting goes.
enum class RegistryValueType {
  String,            // REG_SZ
  ExpandableString,  // REG_EXPAND_SZ
  MultiString,       // REG_MULTI_SZ
  Dword,             // REG_DWORD
  Qword,             // REG_QWORD
  Binary,            // REG_BINARY
  Other,             // every other kind
};

// A value larger than this reads as missing (and is never read whole).
inline constexpr size_t kLargestSettingValueBytes = size_t{1} << 20;

// The text that a reader of a setting sees for a registry value of `type`
// holding `bytes`; nothing when the value counts as missing.
// - The three string kinds: the UTF-16 text up to its first zero character
//   or the end of the data (an odd last byte is ignored), as UTF-8; for a
//   multi-string that is its first string, and nothing is expanded. A
//   surrogate without its partner reads as U+FFFD.
// - DWORD and QWORD: the decimal number of their first 4 or 8 bytes
//   (little-endian) as a signed two's-complement integer, so that a DWORD
//   of FFFFFFFF reads as "-1", as the text "-1" would; missing when the
//   data are shorter.
// - Binary and every other kind: missing.
std::optional<std::string> RegistryValueText(RegistryValueType type,
                                             std::span<const uint8_t> bytes);

}  // namespace skyvault
