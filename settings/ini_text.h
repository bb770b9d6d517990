#pragma once
#include <optional>
#include <string>
#include <string_view>
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
// the Windows registry.
//
// Values are written as they are unless they would not read back so (blanks
// at either end, control characters, a leading double quote): those are
// written in double quotes with \\ \" \n \r \t and \xHH escapes. A value in
// double quotes reads back unquoted; a backslash anywhere else is itself, so
// paths like C:\Pictures\x.bmp read and write unchanged.
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
  struct Section {
    std::string name;
    std::vector<Entry> entries;
  };
  Section* FindSection(std::string_view name);
  // Stores a value, replacing one under the same key (the new spelling wins).
  static void Put(Section& section, std::string_view key, std::string value);

  std::vector<Section> sections_;
};

}  // namespace skyvault
