#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace skyvault {

// The settings as INI text: "[Section]" lines, then "Key=Value" lines.
//
// Reading takes whatever it can from any text and never fails: blanks
// around names and values, CR LF line ends, a missing final line end and a
// UTF-8 byte order mark are fine; comment lines (";" or "#"), lines without
// "=", keys before the first section and keys under a broken "[" line are
// skipped; a repeated section continues the first one and a repeated key
// keeps the last value. Names match without regard to ASCII case, as in
// the Windows registry. Names are found through an index, so a file of
// the largest size the settings store takes (1 MiB of one-line keys or of
// one-key sections) parses in a few milliseconds.
//
// Values are written as they are unless they would not read back so (blanks
// at either end, control characters, a leading double quote): those are
// written in double quotes with \\ \" \n \r \t and \xHH escapes. A value in
// double quotes reads back unquoted; a backslash anywhere else is itself, so
// paths like C:\Pictures\x.bmp read and write unchanged.
// True for text a settings file may hold as it is: UTF-8 (a byte order
// mark allowed) with no NUL byte. Text in another encoding (UTF-16, a legacy
// code page) still parses, but writing it back would change it.
bool IsUtf8Text(std::string_view text);

class IniDocument {
 public:
  static IniDocument Parse(std::string_view text);

  std::optional<std::string> Find(std::string_view section, std::string_view key) const;
  // Creates the key (and its section) or replaces its value. False, and
  // nothing changed, for a section or key name that cannot be written as a
  // name line: empty, blanks at either end, control characters, "=" in a
  // key, "]" in a section, or a leading ";", "#" or "[" in a key.
  bool Set(std::string_view section, std::string_view key, std::string_view value);

  std::string Text() const;
  // The number of keys over all sections.
  size_t size() const;

 private:
  struct Entry {
    std::string key;
    std::string value;
  };
  // Names match without regard to ASCII case; looked up without a copy.
  struct NameHash {
    using is_transparent = void;
    size_t operator()(std::string_view name) const;
  };
  struct NameEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
  };
  // A name to its place in the order of the file.
  using NameIndex = std::unordered_map<std::string, size_t, NameHash, NameEqual>;
  struct Section {
    std::string name;
    std::vector<Entry> entries;
    // Made once the section has kIndexedKeys keys: a few are found faster
    // by looking at each.
    NameIndex keys;
    // The place of `key` among the entries, or entries.size().
    size_t Place(std::string_view key) const;
  };
  static constexpr size_t kIndexedKeys = 16;
  const Section* FindSection(std::string_view name) const;
  // The section of that name, made at the end when missing.
  Section& SectionNamed(std::string_view name);
  // Stores a value, replacing one under the same key (the new spelling wins).
  static void Put(Section& section, std::string_view key, std::string value);

  std::vector<Section> sections_;
  NameIndex sectionIndex_;
};

}  // namespace skyvault
