#include "settings/win32/registry_settings_store.h"

#include <gtest/gtest.h>

#include "platform/testing/win32/message_wait.h"
#include "platform/testing/win32/registry_keys.h"

namespace skyvault::win32 {
namespace {

// Each test works under its own key, removed afterwards.
class RegistryStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    root_ = L"Software\\SkyvaultTests\\" + Widen(info->name());
    testing::DeleteKeyTree(root_);
  }
  void TearDown() override { testing::DeleteKeyTree(root_); }

  std::wstring root_;
};

TEST_F(RegistryStoreTest, WritesOneStringValuePerKeyUnderItsSection) {
  {
    RegistrySettingsStore store(root_);
    EXPECT_EQ(store.Read("Startup", "Speed", "1"), "1");  // no section yet
    store.Write("Startup", "Message", "Hello, sky \xc3\xa9");
    store.Write("System", "SoundOff", "Never");
    EXPECT_EQ(store.Read("Startup", "Speed", "1"), "1");  // no key
  }
  DWORD type = 0;
  RegGetValueW(HKEY_CURRENT_USER, (root_ + L"\\Startup").c_str(), L"Message", RRF_RT_ANY, &type,
               nullptr, nullptr);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(testing::ReadString(root_, "Startup", "Message"), "Hello, sky \xc3\xa9");
  RegistrySettingsStore again(root_);
  EXPECT_EQ(again.Read("System", "SoundOff", "1"), "Never");
  EXPECT_EQ(again.Read("Startup", "Message", "1"), "Hello, sky \xc3\xa9");
}

// Each kind of value reaches the portable reading with its own type and bytes.
TEST_F(RegistryStoreTest, EveryKindOfValueReadsAsItsTypeSays) {
  const DWORD dword = 42, minusOne = 0xFFFFFFFF;
  const unsigned long long qword = 1234567890123ULL;
  const BYTE binary[] = {'7', 0, 0, 0};
  const wchar_t unterminated[] = {L'4', L'5'};
  const wchar_t expandable[] = L"%TEMP%";
  const wchar_t multi[] = L"first\0second\0";
  const struct {
    const char* key;
    DWORD type;
    const void* data;
    DWORD bytes;
    const char* text;
  } values[] = {{"Speed", REG_DWORD, &dword, sizeof dword, "42"},
                {"Volume", REG_QWORD, &qword, sizeof qword, "1234567890123"},
                {"Message", REG_BINARY, binary, sizeof binary, "-"},
                {"MouseSens", REG_SZ, unterminated, sizeof unterminated, "45"},
                {"BMPFileName", REG_EXPAND_SZ, expandable, sizeof expandable, "%TEMP%"},
                {"FontName", REG_MULTI_SZ, multi, sizeof multi, "first"},
                {"Clock", REG_DWORD_BIG_ENDIAN, &dword, sizeof dword, "-"},
                {"Prop", REG_DWORD, &minusOne, sizeof minusOne, "-1"}};
  for (const auto& v : values)
    testing::WriteValue(root_, "Startup", v.key, v.type, v.data, v.bytes);
  RegistrySettingsStore store(root_);
  for (const auto& v : values) EXPECT_EQ(store.Read("Startup", v.key, "-"), v.text) << v.key;
}

// Refused writes are reported; reads still give what the registry holds.
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
  EXPECT_TRUE(testing::WaitUntil(
      [&] { return display.Read("Startup", "Message", "1") == "second"; }, 2000));
}

}  // namespace
}  // namespace skyvault::win32
