#include "settings/ini_text.h"

#include <gtest/gtest.h>

#include <random>

namespace skyvault {
namespace {

using namespace std::string_literals;

TEST(IniText, AwkwardTextsReadBackExactly) {
  IniDocument written;
  const std::string awkward[] = {"",
                                 "  two blanks before and after  ",
                                 "\ttab first",
                                 "\"in quotes\"",
                                 "\"only a leading quote",
                                 "ends in a quote\"",
                                 "C:\\Hallowmere\\Skyvault1\\Bridge.bmp",
                                 "C:\\new\\x41.bmp",
                                 "line one\nline two\r\n",
                                 "nul\0byte and \x01\x7f controls"s,
                                 "a = b ; not a comment",
                                 "[not a section]",
                                 "# not a comment",
                                 "back\\",
                                 "Gr\xC3\xBC\xC3\x9F Gott \xE2\x9C\x88",
                                 "\xFF\xFE bytes that are no UTF-8"};
  for (size_t i = 0; i < std::size(awkward); ++i)
    ASSERT_TRUE(written.Set("Startup", "Awkward" + std::to_string(i), awkward[i]));

  const IniDocument read = IniDocument::Parse(written.Text());
  EXPECT_EQ(read.size(), std::size(awkward));
  for (size_t i = 0; i < std::size(awkward); ++i)
    EXPECT_EQ(read.Find("Startup", "Awkward" + std::to_string(i)), awkward[i]) << i;
  EXPECT_EQ(read.Text(), written.Text());
}

TEST(IniText, HostileTextReadsWhatCanBeReadAndTheRestAsMissing) {
  const std::tuple<std::string, const char*, const char*, std::optional<std::string>> cases[] = {
      {"[Startup]\r\nSpeed=5\r\nClock=0\r\n", "Startup", "Speed", "5"},
      {"[Startup]\nSpeed=5", "Startup", "Speed", "5"},
      {"\xEF\xBB\xBF[Startup]\nSpeed=5\n", "Startup", "Speed", "5"},
      {"  [ Startup ]  \n\t Speed \t=  5 \n", "Startup", "Speed", "5"},
      {"[STARTUP]\nspeed=5\n", "Startup", "Speed", "5"},
      {"[Startup]\nSpeed=5\nSpeed=7\n", "Startup", "Speed", "7"},
      {"[Startup]\nSpeed=5\n[System]\nA=1\n[Startup]\nClock=0\n", "Startup", "Speed", "5"},
      {"[Startup]\nSpeed=5\n[System]\nA=1\n[startup]\nClock=0\n", "Startup", "Clock", "0"},
      {"Speed=5\n[Startup]\nClock=0\n", "Startup", "Speed", {}},
      {"[Startup]\nSpeed=5\n[System\nSoundOff=5\n", "System", "SoundOff", {}},
      {"[Startup]\n[System\nSpeed=5\n", "Startup", "Speed", {}},
      {"[Startup]\n[ ]\nSpeed=5\n", "Startup", "Speed", {}},
      {"[Startup]\n;Speed=5\n", "Startup", "Speed", {}},
      {"[Startup]\n  # Speed=5\n", "Startup", "Speed", {}},
      {"[Startup]\nSpeed 5\n", "Startup", "Speed", {}},
      {"[Startup]\n=5\n", "Startup", "", {}},
      {"[Startup]\nMessage=\n", "Startup", "Message", ""},
      {"[Startup]\nMessage=a=b\n", "Startup", "Message", "a=b"},
      {"[Startup]\nMessage=\" hi \\\"you\\\"\\t\\x41\\q\"\n", "Startup", "Message",
       " hi \"you\"\tA\\q"},
      {"[Startup]\nMessage=\"\\xZ1\"\n", "Startup", "Message", "\\xZ1"},
      {"[Startup]\nMessage=\"\n", "Startup", "Message", "\""},
      {"[Startup]\nBMPFileName=C:\\new\\t.bmp\n", "Startup", "BMPFileName", "C:\\new\\t.bmp"},
      {"\x00\xFF\x01junk\n[Startup]\x00\nSpeed=5\n\xFF\xFE=\x01\n"s, "Startup", "Speed", "5"},
      {"\x00\xFF\x01\n[Startup]\nSpeed=5\n\xFF=\x01\x02\n"s, "Startup", "\xFF", "\x01\x02"}};
  for (const auto& [text, section, key, value] : cases)
    EXPECT_EQ(IniDocument::Parse(text).Find(section, key), value) << ::testing::PrintToString(text);
}

TEST(IniText, OnlyUtf8WithoutNulBytesIsTextToWriteBack) {
  const std::pair<std::string, bool> cases[] = {
      {"", true},
      {"[Startup]\r\nMessage=caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x9B\xA9\n", true},
      {"\xEF\xBB\xBF[Startup]\n", true},
      {"\xF4\x8F\xBF\xBF", true},   // U+10FFFF, the last
      {"\xFF\xFE[\0S\0"s, false},   // UTF-16 with its byte order mark
      {"[Startup]\0\n"s, false},    // a NUL byte
      {"caf\xE9", false},           // a legacy code page
      {"\xC3", false},              // cut short at the end
      {"\xE2\x82x", false},         // cut short inside
      {"\x80", false},              // a continuation first
      {"\xC0\xAF", false},          // an overlong "/"
      {"\xE0\x80\xAF", false},      // another
      {"\xED\xA0\x80", false},      // a UTF-16 surrogate
      {"\xF4\x90\x80\x80", false},  // past U+10FFFF
  };
  for (const auto& [text, utf8] : cases)
    EXPECT_EQ(IsUtf8Text(text), utf8) << ::testing::PrintToString(text);
}

// A repeated name, in any letter case, lands where it first stood, among many others.
TEST(IniText, ManyNamesKeepTheirOrderAndMatchInAnyCase) {
  std::string text;
  for (int n = 0; n < 3000; ++n)
    text += "[S" + std::to_string(n) + "]\nK=" + std::to_string(n) + "\n";
  text += "[s7]\nk=again\nNew=1\n[Many]\n";
  for (int n = 0; n < 40; ++n) text += "Key" + std::to_string(n) + "=" + std::to_string(n) + "\n";
  text += "KEY3=again\nkey39=again\n";
  IniDocument document = IniDocument::Parse(text);
  EXPECT_EQ(document.size(), 3041u);
  EXPECT_EQ(document.Find("many", "key3"), "again");
  EXPECT_EQ(document.Find("many", "Key39"), "again");
  EXPECT_EQ(document.Find("many", "Key40"), std::nullopt);
  EXPECT_TRUE(document.Set("Many", "key0", "set"));
  EXPECT_EQ(document.Find("Many", "KEY0"), "set");
  EXPECT_EQ(document.Find("S7", "K"), "again");
  EXPECT_TRUE(document.Set("S0", "k", "changed"));
  const std::string written = document.Text();
  EXPECT_EQ(written.rfind("[S0]\nk=changed\n\n[S1]\nK=1\n", 0), 0u);
  EXPECT_NE(written.find("[S7]\nk=again\nNew=1\n\n[S8]"), std::string::npos);
  EXPECT_NE(written.find("\nKEY3=again\n"), std::string::npos);
  EXPECT_EQ(IniDocument::Parse(written).size(), 3041u);
}

TEST(IniText, NamesThatCannotBeWrittenAreRefused) {
  const std::pair<const char*, std::string> refused[] = {
      {"", "Key"},         {" Startup", "Key"}, {"Start]up", "Key"},  {"Start\nup", "Key"},
      {"Startup", ""},     {"Startup", "K=ey"}, {"Startup", "Key "},  {"Startup", ";Key"},
      {"Startup", "#Key"}, {"Startup", "[Key"}, {"Startup", "K\rey"}, {"Startup", "K\0ey"s}};
  for (const auto& [section, key] : refused) {
    IniDocument document;
    EXPECT_FALSE(document.Set(section, key, "1")) << section << "/" << key;
    EXPECT_EQ(document.size(), 0u);
    EXPECT_EQ(document.Text(), "");
  }
  IniDocument document;
  EXPECT_TRUE(document.Set("Start up", "Key [1]", "1"));
  EXPECT_EQ(IniDocument::Parse(document.Text()).Find("start UP", "key [1]"), "1");
}

// Whatever bytes a file holds, its text reads back the same.
TEST(IniText, AnyBytesParseAndTheirTextIsStable) {
  std::mt19937 random(7);
  const std::string alphabet = "[]=;#\"\\ \t\r\nabcSK\x01\xFF"s + '\0';
  for (int round = 0; round < 2000; ++round) {
    std::string bytes(random() % 200, ' ');
    for (char& c : bytes) c = alphabet[random() % alphabet.size()];
    const std::string once = IniDocument::Parse(bytes).Text();
    ASSERT_EQ(IniDocument::Parse(once).Text(), once) << "round " << round;
  }
}

}  // namespace
}  // namespace skyvault
