// The man page names exactly the options (with their values) and variables the program has.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "settings/command_line_options.h"
#include "startup/linux/saver_usage.h"

namespace skyvault {
namespace {

// The man page's lines by section, without troff's dash and font escapes.
std::map<std::string, std::vector<std::string>> Sections() {
  std::ifstream in(SKYVAULT_MAN_PAGE);
  std::map<std::string, std::vector<std::string>> sections;
  std::string section;
  for (std::string line; std::getline(in, line);) {
    line = std::regex_replace(line, std::regex(R"(\\-)"), "-");
    line = std::regex_replace(line, std::regex(R"(\\f[BIRP])"), "");
    if (line.rfind(".SH ", 0) == 0) {
      section = line.substr(4);
    } else {
      sections[section].push_back(line);
    }
  }
  return sections;
}

// "--name ARG" for every option the program lists.
std::set<std::string> TableOptions() {
  std::set<std::string> options;
  for (const CommandLineOption& option : CommandLineOptions()) {
    if (option.help.empty()) continue;
    const std::string argument = ArgumentText(option);
    options.insert("--" + std::string(option.name) + (argument.empty() ? "" : " " + argument));
  }
  return options;
}

// Each entry line of a list (the line after ".TP"), from ".B " on.
std::vector<std::string> EntryLines(const std::vector<std::string>& lines) {
  std::vector<std::string> entries;
  for (size_t i = 0; i + 1 < lines.size(); ++i) {
    if (lines[i].rfind(".TP", 0) == 0 && lines[i + 1].rfind(".B ", 0) == 0)
      entries.push_back(lines[i + 1].substr(3));
  }
  return entries;
}

TEST(ManPage, OptionsAndSynopsisNameExactlyTheProgramsOptions) {
  const auto sections = Sections();
  ASSERT_TRUE(sections.count("OPTIONS"));

  std::set<std::string> listed;
  for (const std::string& entry : EntryLines(sections.at("OPTIONS"))) {
    // "--logo | --no-logo" lists two switches in one entry.
    std::istringstream parts(std::regex_replace(entry, std::regex(" \\| "), "\n"));
    for (std::string part; std::getline(parts, part);)
      EXPECT_TRUE(listed.insert(part).second) << part << " listed twice";
  }
  EXPECT_EQ(listed, TableOptions());

  std::string synopsis;
  for (const std::string& line : sections.at("SYNOPSIS")) synopsis += line + " ";
  std::set<std::string> shown;
  const std::regex bracketed(R"(\[([^\]]*)\])");
  for (auto it = std::sregex_iterator(synopsis.begin(), synopsis.end(), bracketed);
       it != std::sregex_iterator(); ++it) {
    shown.insert((*it)[1]);
  }
  EXPECT_EQ(shown, TableOptions());
}

TEST(ManPage, EnvironmentNamesExactlyTheVariablesTheSaverReads) {
  const auto sections = Sections();
  ASSERT_TRUE(sections.count("ENVIRONMENT"));
  const std::vector<std::string> entries = EntryLines(sections.at("ENVIRONMENT"));
  std::set<std::string> documented(entries.begin(), entries.end());
  std::set<std::string> read;
  for (const EnvironmentVariable& variable : EnvironmentVariables())
    read.insert(std::string(variable.name));
  EXPECT_EQ(documented, read);
  EXPECT_EQ(entries.size(), documented.size()) << "a variable listed twice";
}

}  // namespace
}  // namespace skyvault
