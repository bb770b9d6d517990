#include "settings/win32/registry_settings_store.h"

#include <gtest/gtest.h>

#include "platform/testing/win32/message_wait.h"
#include "platform/testing/win32/registry_keys.h"
#include "settings/registry_value.h"

namespace skyvault::win32 {
namespace {

// Each test works under its own key, removed afterwards.
class RegistryStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    root_ = L"Software\\SkyvaultTests\\" + Widen(info->name());
    RegDeleteTreeW(HKEY_CURRENT_USER, root_.c_str());
  }
  void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, root_.c_str()); }

  void SetRaw(const wchar_t* section, const wchar_t* name, DWORD type, const void* data,
              DWORD size) {
    HKEY key = nullptr;
    const std::wstring path = root_ + L"\\" + section;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
  }

  std::wstring root_;
};

TEST_F(RegistryStoreTest, MissingSectionAndMissingKeyReadAsTheFallback) {
  RegistrySettingsStore store(root_);
  EXPECT_EQ(store.Read("Startup", "Speed", "1"), "1");
  store.Write("Startup", "Clock", "0");
  EXPECT_EQ(store.Read("Startup", "Speed", "1"), "1");
  EXPECT_EQ(store.Read("Startup", "Clock", "1"), "0");
}

TEST_F(RegistryStoreTest, WritesOneStringValuePerKeyUnderItsSection) {
  {
    RegistrySettingsStore store(root_);
    store.Write("Startup", "Message", "Hello, sky \xc3\xa9");
    store.Write("System", "SoundOff", "Never");
  }
  wchar_t text[64] = {};
  DWORD size = sizeof text;
  DWORD type = 0;
  const std::wstring startup = root_ + L"\\Startup";
  ASSERT_EQ(
      RegGetValueW(HKEY_CURRENT_USER, startup.c_str(), L"Message", RRF_RT_ANY, &type, text, &size),
      ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_STREQ(text, L"Hello, sky \x00e9");
  RegistrySettingsStore again(root_);
  EXPECT_EQ(again.Read("System", "SoundOff", "1"), "Never");
  EXPECT_EQ(again.Read("Startup", "Message", "1"), "Hello, sky \xc3\xa9");
}

// Each kind of value reaches the portable reading with its own type and
// exactly its own bytes.
TEST_F(RegistryStoreTest, EveryKindOfValueReadsAsItsTypeSays) {
  const DWORD dword = 42, minusOne = 0xFFFFFFFF;
  const unsigned long long qword = 1234567890123ULL;
  const BYTE binary[] = {'7', 0, 0, 0};
  const wchar_t unterminated[] = {L'4', L'5'};
  const wchar_t expandable[] = L"%TEMP%";
  const wchar_t multi[] = L"first\0second\0";
  SetRaw(L"Startup", L"Speed", REG_DWORD, &dword, sizeof dword);
  SetRaw(L"Startup", L"Volume", REG_QWORD, &qword, sizeof qword);
  SetRaw(L"Startup", L"Message", REG_BINARY, binary, sizeof binary);
  SetRaw(L"Startup", L"MouseSens", REG_SZ, unterminated, sizeof unterminated);
  SetRaw(L"Startup", L"BMPFileName", REG_EXPAND_SZ, expandable, sizeof expandable);
  SetRaw(L"Startup", L"FontName", REG_MULTI_SZ, multi, sizeof multi);
  SetRaw(L"Startup", L"Clock", REG_DWORD_BIG_ENDIAN, &dword, sizeof dword);
  SetRaw(L"Startup", L"Prop", REG_DWORD, &minusOne, sizeof minusOne);
  RegistrySettingsStore store(root_);
  const std::pair<const char*, const char*> expected[] = {
      {"Speed", "42"},           {"Volume", "1234567890123"}, {"Message", "-"}, {"MouseSens", "45"},
      {"BMPFileName", "%TEMP%"}, {"FontName", "first"},       {"Clock", "-"},   {"Prop", "-1"}};
  for (const auto& [key, text] : expected) EXPECT_EQ(store.Read("Startup", key, "-"), text) << key;
}

// The portable reading of UTF-16 text gives what the system's own
// conversion gives, odd surrogates included.
TEST(RegistryValueText, ReadsTextAsTheSystemConvertsIt) {
  const std::wstring texts[] = {L"Hello, sky \x00e9", L"\x65e5\x672c",    L"\xd83d\xde00 smile",
                                L"lone \xd83d high",  L"lone \xde00 low", L"ends high \xd83d",
                                L"\xdbff\xdfff",      L"\xfffd\xffff"};
  for (const std::wstring& text : texts) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    EXPECT_EQ(RegistryValueText(RegistryValueType::String,
                                std::span(bytes, text.size() * sizeof(wchar_t))),
              Narrow(text));
  }
}

// Writes the registry refuses are reported, and reads still give what the
// registry holds.
TEST_F(RegistryStoreTest, AFailedWriteIsReportedAndNotRemembered) {
  RegistrySettingsStore store(root_);
  ASSERT_TRUE(store.Write("Startup", "Speed", "7"));
  EXPECT_EQ(store.Read("Startup", "Speed", "1"), "7");
  // A value name longer than the registry allows (16383 characters).
  const std::string longName(20000, 'k');
  EXPECT_FALSE(store.Write("Startup", longName, "9"));
  EXPECT_EQ(store.Read("Startup", longName, "missing"), "missing");
  // A section this user may read and remove but not write to.
  ASSERT_TRUE(testing::RefuseWrites(root_ + L"\\Startup"));
  EXPECT_FALSE(store.Write("Startup", "Speed", "9"));
  EXPECT_EQ(store.Read("Startup", "Speed", "1"), "7");
  EXPECT_FALSE(store.Write("Startup", "Clock", "0"));
  EXPECT_EQ(store.Read("Startup", "Clock", "1"), "1");
}

TEST_F(RegistryStoreTest, RepeatedReadsAreCachedButSeeChangesFromOutside) {
  RegistrySettingsStore display(root_);
  RegistrySettingsStore dialog(root_);
  dialog.Write("Startup", "Message", "first");
  EXPECT_EQ(display.Read("Startup", "Message", "1"), "first");
  const int before = display.registryReads();
  for (int i = 0; i < 100; ++i) display.Read("Startup", "Message", "1");
  EXPECT_EQ(display.registryReads(), before) << "every read went to the registry";
  dialog.Write("Startup", "Message", "second");
  // The notification may take a moment to arrive.
  EXPECT_TRUE(testing::WaitUntil(
      [&] { return display.Read("Startup", "Message", "1") == "second"; }, 2000));
}

}  // namespace
}  // namespace skyvault::win32
