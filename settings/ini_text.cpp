#include "settings/ini_text.h"

#include <algorithm>
#include <cstdint>

namespace skyvault {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsControl(char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool IsWritableName(std::string_view name, std::string_view forbidden) {
  if (name.empty() || IsBlank(name.front()) || IsBlank(name.back())) return false;
  return std::none_of(name.begin(), name.end(), [&](char c) {
    return IsControl(c) || forbidden.find(c) != std::string_view::npos;
  });
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The inside of a quoted value, its escapes resolved; an escape it does not
// know stays as it stands.
std::string Unescape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '\\' || i + 1 == text.size()) {
      out += c;
      continue;
    }
    const char next = text[i + 1];
    switch (next) {
      case '\\':
        out += '\\';
        break;
      case '"':
        out += '"';
        break;
      case 'n':
        out += '\n';
        break;
      case 'r':
        out += '\r';
        break;
      case 't':
        out += '\t';
        break;
      case 'x':
        if (i + 3 < text.size() && HexDigit(text[i + 2]) >= 0 && HexDigit(text[i + 3]) >= 0) {
          out += static_cast<char>(HexDigit(text[i + 2]) * 16 + HexDigit(text[i + 3]));
          i += 2;
          break;
        }
        [[fallthrough]];
      default:
        out += c;
        out += next;
        break;
    }
    ++i;
  }
  return out;
}

std::string DecodeValue(std::string_view raw) {
  const std::string_view value = Trim(raw);
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
    return Unescape(value.substr(1, value.size() - 2));
  }
  return std::string(value);
}

std::string EncodeValue(std::string_view value) {
  const bool quoted =
      !value.empty() && (IsBlank(value.front()) || IsBlank(value.back()) || value.front() == '"' ||
                         std::any_of(value.begin(), value.end(), IsControl));
  if (!quoted) return std::string(value);
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out = "\"";
  for (const char c : value) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '"':
        out += "\\\"";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (IsControl(c)) {
          const auto byte = static_cast<unsigned char>(c);
          out += "\\x";
          out += kHex[byte >> 4];
          out += kHex[byte & 15];
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

}  // namespace

bool IsUtf8Text(std::string_view text) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  const auto continuation = [&](size_t i) { return i < text.size() && (byte(i) & 0xC0) == 0x80; };
  for (size_t i = 0; i < text.size();) {
    const unsigned char lead = byte(i);
    if (lead == 0) return false;
    if (lead < 0x80) {
      ++i;
      continue;
    }
    size_t length = 0;
    uint32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2, code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3, code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4, code = lead & 0x07;
    } else {
      return false;  // a continuation byte first, or a lead that is never used
    }
    for (size_t k = 1; k < length; ++k) {
      if (!continuation(i + k)) return false;
      code = code << 6 | (byte(i + k) & 0x3F);
    }
    // No longer form than needed, no UTF-16 surrogate, nothing past U+10FFFF.
    static constexpr uint32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < kLeast[length] || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) {
      return false;
    }
    i += length;
  }
  return true;
}

IniDocument IniDocument::Parse(std::string_view text) {
  IniDocument document;
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  Section* current = nullptr;  // only until the next section is made
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    line = Trim(line);
    if (line.empty() || line.front() == ';' || line.front() == '#') continue;
    if (line.front() == '[') {
      const size_t close = line.rfind(']');
      const std::string_view name =
          close == std::string_view::npos ? std::string_view() : Trim(line.substr(1, close - 1));
      current = nullptr;
      if (name.empty()) continue;
      current = &document.SectionNamed(name);
      continue;
    }
    const size_t equals = line.find('=');
    if (!current || equals == std::string_view::npos) continue;
    const std::string_view key = Trim(line.substr(0, equals));
    if (key.empty()) continue;
    Put(*current, key, DecodeValue(line.substr(equals + 1)));
  }
  return document;
}

size_t IniDocument::NameHash::operator()(std::string_view name) const {
  uint64_t hash = 14695981039346656037u;  // FNV-1a
  for (const char c : name) hash = (hash ^ static_cast<unsigned char>(Lower(c))) * 1099511628211u;
  return static_cast<size_t>(hash);
}

bool IniDocument::NameEqual::operator()(std::string_view a, std::string_view b) const {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char x, char y) { return Lower(x) == Lower(y); });
}

const IniDocument::Section* IniDocument::FindSection(std::string_view name) const {
  const auto found = sectionIndex_.find(name);
  return found == sectionIndex_.end() ? nullptr : &sections_[found->second];
}

IniDocument::Section& IniDocument::SectionNamed(std::string_view name) {
  const auto found = sectionIndex_.find(name);
  if (found != sectionIndex_.end()) return sections_[found->second];
  sectionIndex_.emplace(std::string(name), sections_.size());
  return sections_.emplace_back(Section{std::string(name), {}, {}});
}

size_t IniDocument::Section::Place(std::string_view key) const {
  if (entries.size() < kIndexedKeys) {
    const auto same = [&](const Entry& entry) { return NameEqual()(entry.key, key); };
    return static_cast<size_t>(std::find_if(entries.begin(), entries.end(), same) -
                               entries.begin());
  }
  const auto found = keys.find(key);
  return found == keys.end() ? entries.size() : found->second;
}

void IniDocument::Put(Section& section, std::string_view key, std::string value) {
  const size_t place = section.Place(key);
  if (place < section.entries.size()) {
    Entry& entry = section.entries[place];
    entry.key = key;
    entry.value = std::move(value);
    return;
  }
  section.entries.push_back({std::string(key), std::move(value)});
  if (section.entries.size() == kIndexedKeys) {
    for (size_t i = 0; i < section.entries.size(); ++i)
      section.keys.emplace(section.entries[i].key, i);
  } else if (section.entries.size() > kIndexedKeys) {
    section.keys.emplace(std::string(key), place);
  }
}

std::optional<std::string> IniDocument::Find(std::string_view section, std::string_view key) const {
  const Section* found = FindSection(section);
  if (!found) return std::nullopt;
  const size_t place = found->Place(key);
  if (place == found->entries.size()) return std::nullopt;
  return found->entries[place].value;
}

bool IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  if (!IsWritableName(section, "]") || !IsWritableName(key, "=") || key.front() == ';' ||
      key.front() == '#' || key.front() == '[') {
    return false;
  }
  Put(SectionNamed(section), key, std::string(value));
  return true;
}

std::string IniDocument::Text() const {
  std::string text;
  for (const Section& section : sections_) {
    if (section.entries.empty()) continue;
    if (!text.empty()) text += '\n';
    text += '[' + section.name + "]\n";
    for (const Entry& entry : section.entries) {
      text += entry.key + '=' + EncodeValue(entry.value) + '\n';
    }
  }
  return text;
}

size_t IniDocument::size() const {
  size_t count = 0;
  for (const Section& section : sections_) count += section.entries.size();
  return count;
}

}  // namespace skyvault
