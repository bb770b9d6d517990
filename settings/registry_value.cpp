#include "settings/registry_value.h"

namespace skyvault {
namespace {

void AppendUtf8(std::string& out, uint32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | code >> 6);
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | code >> 12);
    out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | code >> 18);
    out += static_cast<char>(0x80 | (code >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

std::string TextUpToFirstZero(std::span<const uint8_t> bytes) {
  constexpr uint32_t kReplacement = 0xFFFD;
  auto unit = [&](size_t i) -> uint32_t { return bytes[2 * i] | bytes[2 * i + 1] << 8; };
  const size_t units = bytes.size() / 2;
  std::string text;
  for (size_t i = 0; i < units && unit(i) != 0; ++i) {
    const uint32_t u = unit(i);
    const bool high = u >= 0xD800 && u <= 0xDBFF, low = u >= 0xDC00 && u <= 0xDFFF;
    if (high && i + 1 < units && unit(i + 1) >= 0xDC00 && unit(i + 1) <= 0xDFFF) {
      AppendUtf8(text, 0x10000 + ((u - 0xD800) << 10) + (unit(i + 1) - 0xDC00));
      ++i;
    } else {
      AppendUtf8(text, high || low ? kReplacement : u);
    }
  }
  return text;
}

uint64_t LittleEndian(std::span<const uint8_t> bytes, size_t count) {
  uint64_t value = 0;
  for (size_t i = count; i-- > 0;) value = value << 8 | bytes[i];
  return value;
}

}  // namespace

std::optional<std::string> RegistryValueText(RegistryValueType type,
                                             std::span<const uint8_t> bytes) {
  if (bytes.size() > kLargestSettingValueBytes) return std::nullopt;
  switch (type) {
    case RegistryValueType::String:
    case RegistryValueType::ExpandableString:
    case RegistryValueType::MultiString:
      return TextUpToFirstZero(bytes);
    case RegistryValueType::Dword:
      if (bytes.size() < 4) return std::nullopt;
      return std::to_string(static_cast<int32_t>(static_cast<uint32_t>(LittleEndian(bytes, 4))));
    case RegistryValueType::Qword:
      if (bytes.size() < 8) return std::nullopt;
      return std::to_string(static_cast<int64_t>(LittleEndian(bytes, 8)));
    case RegistryValueType::Binary:
    case RegistryValueType::Other:
      break;
  }
  return std::nullopt;
}

}  // namespace skyvault
