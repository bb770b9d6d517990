#include "settings/registry_value.h"

#include <gtest/gtest.h>

#include <vector>

namespace skyvault {
namespace {

using Bytes = std::vector<uint8_t>;
using Type = RegistryValueType;

// UTF-16 code units as little-endian bytes.
Bytes Utf16(std::initializer_list<uint16_t> units) {
  Bytes bytes;
  for (uint16_t u : units) bytes.insert(bytes.end(), {uint8_t(u), uint8_t(u >> 8)});
  return bytes;
}

TEST(RegistryValueText, TheTextAReaderSeesForEachKindOfValue) {
  const std::optional<std::string> missing;
  const std::tuple<Type, Bytes, std::optional<std::string>> cases[] = {
      {Type::String, Utf16({'4', '5', 0}), "45"},
      {Type::String, Utf16({'4', '5'}), "45"},
      {Type::String, {'A', 0, 'B'}, "A"},
      {Type::String, {}, ""},
      {Type::String, Utf16({0x65E5}), "\xe6\x97\xa5"},
      {Type::String, Utf16({0xD83D, 0xDE00}), "\xf0\x9f\x98\x80"},
      {Type::String, Utf16({0xD83D, 'x'}), "\xef\xbf\xbdx"},
      {Type::String, Utf16({0xD83D}), "\xef\xbf\xbd"},
      {Type::ExpandableString, Utf16({'%', 'T', '%', 0}), "%T%"},
      {Type::MultiString, Utf16({'o', 'n', 'e', 0, 't', 0, 0}), "one"},
      {Type::Dword, {42, 0, 0, 0}, "42"},
      {Type::Dword, {0xFF, 0xFF, 0xFF, 0xFF}, "-1"},
      {Type::Dword, {1, 2, 0, 0, 9}, "513"},
      {Type::Dword, {42, 0, 0}, missing},
      {Type::Qword, {0xCB, 0x04, 0xFB, 0x71, 0x1F, 0x01, 0, 0}, "1234567890123"},
      {Type::Qword, {0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 5}, "-2"},
      {Type::Qword, {1, 2, 3, 4, 5, 6, 7}, missing},
      {Type::Binary, {'4', 0, 0, 0}, missing},
      {Type::Other, Utf16({'4', 0}), missing}};
  int row = 0;
  for (const auto& [type, bytes, text] : cases)
    EXPECT_EQ(RegistryValueText(type, bytes), text) << "row " << ++row;
}

TEST(RegistryValueText, AValueOverAMebibyteIsMissing) {
  Bytes text;
  while (text.size() < kLargestSettingValueBytes) text.insert(text.end(), {'a', 0});
  EXPECT_EQ(RegistryValueText(Type::String, text), std::string(text.size() / 2, 'a'));
  text.push_back(0);
  EXPECT_EQ(RegistryValueText(Type::String, text), std::nullopt);
}

}  // namespace
}  // namespace skyvault
