// Opening the settings dialog: the steps in order, what loading writes, and
// how stored values that a control cannot show are shown and left alone.
#include <gtest/gtest.h>

#include <algorithm>

#include "dialogs/setup.h"
#include "dialogs/setup_texts.h"
#include "dialogs/tests/recording_setup_view.h"
#include "platform/fake_platform_services.h"
#include "settings/memory_settings_store.h"
#include "settings/settings_schema.h"

namespace skyvault {
namespace {

using Write = MemorySettingsStore::WriteRecord;

// The system's fonts in the system's order; the dialog lists them sorted:
// Arial, Courier New, Georgia, Tahoma, Times New Roman, Verdana.
const std::vector<std::string> kSystemFonts = {"Verdana", "Arial",   "Tahoma",
                                               "Courier New", "Times New Roman", "Georgia"};

class SetupOpening : public ::testing::Test {
 protected:
  void Open(const std::vector<std::string>& fonts = kSystemFonts) {
    setup.Open(fonts);
  }
  std::vector<Write> WritesTo(const std::string& key) const {
    std::vector<Write> found;
    for (const Write& w : store.writes()) {
      if (w.key == key) found.push_back(w);
    }
    return found;
  }
  size_t LogIndex(const std::string& line) const {
    const auto found = std::find(view.log.begin(), view.log.end(), line);
    EXPECT_NE(found, view.log.end()) << line;
    return static_cast<size_t>(found - view.log.begin());
  }

  MemorySettingsStore store;
  FakePlatformServices platform;
  RecordingSetupView view;
  skyvault::Setup setup{store, platform, view};
};

TEST_F(SetupOpening, EmptyStoreWritesWhatLoadingChangesAndNoBarValue) {
  Open();
  const std::vector<Write> expected = {
      {"Startup", "SelectedFont", "1"},   {"Startup", "FontName", "Courier New"},
      {"Startup", "BackGround", "1"},     {"Startup", "Prop", "1"},
      {"Startup", "Message", "1"},        {"Startup", "MessageChecked", "1"},
      {"Startup", "LogoChecked", "1"},    {"Startup", "Clock", "1"},
      {"Startup", "FontClock", "1"},      {"System", "PwrSave", "1"},
  };
  EXPECT_EQ(store.writes(), expected);

  // The fallback "1" lies outside every bar's range: shown at the nearer end.
  EXPECT_EQ(view.scrolls[SetupScrollBar::hsbSpeed], 2);
  EXPECT_EQ(view.scrolls[SetupScrollBar::hsbMouseS], 2);
  EXPECT_EQ(view.scrolls[SetupScrollBar::hsbVolume], 0);
  EXPECT_EQ(view.texts[SetupTextBox::txtSpeed], "2");
  EXPECT_EQ(view.texts[SetupTextBox::txtMouseS], "2");
  EXPECT_EQ(setup.currentSpeed(), 2);
  EXPECT_EQ(setup.currentSensitivity(), 2);

  EXPECT_EQ(view.backgroundOption, 0);
  EXPECT_FALSE(view.selectBackgroundEnabled);
  EXPECT_EQ(view.texts[SetupTextBox::txtBGFile], "1");
  EXPECT_EQ(view.texts[SetupTextBox::txtLogo], "1");
  EXPECT_EQ(view.soundOffText, "1");
  EXPECT_EQ(view.fontSelection, 1);
  EXPECT_EQ(view.sampleFace, "Courier New");
  for (auto box : {SetupCheckBox::chkProp, SetupCheckBox::chkMessage, SetupCheckBox::chkLogo,
                   SetupCheckBox::chkClock, SetupCheckBox::chkPowerSave}) {
    EXPECT_TRUE(view.checks[box]) << static_cast<int>(box);
  }
}

TEST_F(SetupOpening, FirstRunValuesAreLoadedAndChangedControlsWriteThemBack) {
  SetRegistry(store);
  store.ClearWrites();
  Open();
  const std::vector<Write> expected = {
      {"Startup", "SelectedFont", "3"},
      {"Startup", "FontName", "Tahoma"},
      {"Startup", "BackGround", "3"},
      {"Startup", "Prop", "1"},
      {"Startup", "Message", "Place a Message Here"},
      {"Startup", "Speed", "3"},
      {"Startup", "MouseSens", "4"},
      {"Startup", "Clock", "1"},
      {"Startup", "FontClock", "16"},
      {"Startup", "Volume", "-748"},
  };
  EXPECT_EQ(store.writes(), expected);
  EXPECT_EQ(view.backgroundOption, 2);
  EXPECT_TRUE(view.selectBackgroundEnabled);
  EXPECT_EQ(view.texts[SetupTextBox::txtBGFile], "C:\\Hallowmere\\Skyvault1\\Bridge.bmp");
  EXPECT_EQ(view.texts[SetupTextBox::txtLogo], "C:\\Hallowmere\\Skyvault1\\Tarnwing1.bmp");
  EXPECT_EQ(view.texts[SetupTextBox::txtMessage], "Place a Message Here");
  EXPECT_EQ(view.texts[SetupTextBox::txtFontSize], "16");
  EXPECT_EQ(view.texts[SetupTextBox::txtSpeed], "3");
  EXPECT_EQ(view.texts[SetupTextBox::txtMouseS], "4");
  EXPECT_EQ(view.scrolls[SetupScrollBar::hsbVolume], -748);
  EXPECT_EQ(view.soundOffText, "Never");
  EXPECT_FALSE(setup.checked(SetupCheckBox::chkLogo));
  EXPECT_FALSE(setup.checked(SetupCheckBox::chkMessage));
  EXPECT_FALSE(setup.checked(SetupCheckBox::chkPowerSave));
  EXPECT_TRUE(setup.checked(SetupCheckBox::chkClock));
  EXPECT_TRUE(setup.checked(SetupCheckBox::chkProp));
}

TEST_F(SetupOpening, StepsRunInTheirOrder) {
  SetRegistry(store);
  store.ClearWrites();
  Open();
  const size_t list = LogIndex("SetFontList");
  const size_t select = LogIndex("SelectFont 3");
  const size_t option = LogIndex("SelectBackgroundOption 2");
  const size_t prop = LogIndex("SetCheck 0 1");
  const size_t logo = LogIndex("SetText 3 C:\\Hallowmere\\Skyvault1\\Tarnwing1.bmp");
  const size_t bgFile = LogIndex("SetText 2 C:\\Hallowmere\\Skyvault1\\Bridge.bmp");
  const size_t volume = LogIndex("SetScroll 2 -748");
  EXPECT_LT(list, select);
  EXPECT_LT(select, option);
  EXPECT_LT(option, prop);
  EXPECT_LT(prop, logo);
  EXPECT_LT(logo, bgFile);
  EXPECT_LT(bgFile, volume);
  // The enabled state of "Select Background" is settled last.
  EXPECT_EQ(view.log.back(), "EnableSelectBackground 1");
  // The writes follow the loading order too.
  const auto& w = store.writes();
  const auto at = [&](const char* key) {
    return std::find_if(w.begin(), w.end(), [&](const Write& x) { return x.key == key; }) -
           w.begin();
  };
  EXPECT_LT(at("FontName"), at("BackGround"));
  EXPECT_LT(at("Prop"), at("Message"));
  EXPECT_LT(at("Message"), at("Speed"));
  EXPECT_LT(at("Speed"), at("MouseSens"));
  EXPECT_LT(at("MouseSens"), at("Clock"));
  EXPECT_LT(at("Clock"), at("FontClock"));
  EXPECT_LT(at("FontClock"), at("Volume"));
}

TEST_F(SetupOpening, FontNameFollowsThePositionWhenTheSystemFontsChanged) {
  store.Write("Startup", "SelectedFont", "2");
  store.Write("Startup", "FontName", "Arial");
  store.ClearWrites();
  Open({"Zapf", "Bodoni", "Arial", "Candara"});  // listed: Arial Bodoni Candara Zapf
  EXPECT_EQ(WritesTo("FontName"), (std::vector<Write>{{"Startup", "FontName", "Candara"}}));
  EXPECT_EQ(WritesTo("SelectedFont"), (std::vector<Write>{{"Startup", "SelectedFont", "2"}}));
  EXPECT_EQ(view.sampleFace, "Candara");
  EXPECT_EQ(store.Read("Startup", "FontName", "1"), "Candara");
}

TEST_F(SetupOpening, OnlyTheFirstFortyFontsAreListedInAlphabeticalOrder) {
  std::vector<std::string> system;
  for (int i = 60; i > 0; --i) system.push_back("Face" + std::to_string(100 + i));
  Open(system);
  ASSERT_EQ(view.fonts.size(), 40u);
  EXPECT_EQ(view.fonts.front(), "Face121");
  EXPECT_EQ(view.fonts.back(), "Face160");
  EXPECT_TRUE(std::is_sorted(view.fonts.begin(), view.fonts.end()));
}

TEST_F(SetupOpening, NumbersInTheControlsOwnFormatAreRewritten) {
  store.Write("Startup", "Speed", "007");
  store.Write("Startup", "MouseSens", "+12");
  store.Write("Startup", "Prop", "1.0");
  store.Write("Startup", "BackGround", "2.0");
  store.ClearWrites();
  Open();
  EXPECT_EQ(WritesTo("Speed"), (std::vector<Write>{{"Startup", "Speed", "7"}}));
  EXPECT_EQ(WritesTo("MouseSens"), (std::vector<Write>{{"Startup", "MouseSens", "12"}}));
  EXPECT_EQ(WritesTo("Prop"), (std::vector<Write>{{"Startup", "Prop", "1"}}));
  EXPECT_EQ(WritesTo("BackGround"), (std::vector<Write>{{"Startup", "BackGround", "2"}}));
  EXPECT_EQ(view.texts[SetupTextBox::txtSpeed], "7");
}

TEST_F(SetupOpening, AValueEqualToTheBarsStartIsShownButNotWritten) {
  store.Write("Startup", "Speed", "2");
  store.Write("Startup", "MouseSens", "2");
  store.Write("Startup", "Volume", "0");
  store.Write("Startup", "MessageChecked", "0");
  store.ClearWrites();
  Open();
  EXPECT_TRUE(WritesTo("Speed").empty());
  EXPECT_TRUE(WritesTo("MouseSens").empty());
  EXPECT_TRUE(WritesTo("Volume").empty());
  EXPECT_TRUE(WritesTo("MessageChecked").empty());
  EXPECT_EQ(view.texts[SetupTextBox::txtSpeed], "2");
  EXPECT_EQ(view.texts[SetupTextBox::txtMouseS], "2");
}

TEST_F(SetupOpening, ValuesTheControlsCannotShowAreShownMendedAndNeverWritten) {
  const std::vector<std::pair<const char*, const char*>> hostile = {
      {"Speed", "500"},         {"MouseSens", "-7"},    {"Volume", "99999999"},
      {"Prop", "yes"},          {"MessageChecked", "2"}, {"LogoChecked", "-1"},
      {"Clock", "1e9"},         {"BackGround", "7"},    {"SelectedFont", "40"},
      {"FontName", "No Such Face"}};
  for (const auto& [key, value] : hostile) store.Write("Startup", key, value);
  store.Write("System", "PwrSave", "");
  store.ClearWrites();
  Open();
  for (const auto& [key, value] : hostile) {
    EXPECT_TRUE(WritesTo(key).empty()) << key;
    EXPECT_EQ(store.Read("Startup", key, "?"), value) << key;
  }
  EXPECT_TRUE(WritesTo("PwrSave").empty());
  EXPECT_EQ(view.scrolls[SetupScrollBar::hsbSpeed], 100);
  EXPECT_EQ(view.texts[SetupTextBox::txtSpeed], "100");
  EXPECT_EQ(view.scrolls[SetupScrollBar::hsbMouseS], 2);
  EXPECT_EQ(view.scrolls[SetupScrollBar::hsbVolume], 0);  // not a 16-bit number: unmoved
  EXPECT_FALSE(view.checks[SetupCheckBox::chkProp]);
  EXPECT_TRUE(view.checks[SetupCheckBox::chkMessage]);
  EXPECT_FALSE(view.checks[SetupCheckBox::chkLogo]);
  EXPECT_FALSE(view.checks[SetupCheckBox::chkClock]);  // 1e9 is no 16-bit number
  EXPECT_FALSE(view.checks[SetupCheckBox::chkPowerSave]);
  // A background that names no option: none is checked and the button is off.
  EXPECT_EQ(view.backgroundOption, -1);
  EXPECT_FALSE(view.selectBackgroundEnabled);
  EXPECT_EQ(setup.backgroundState(), "7");
  // A position past the list and an unknown name: nothing selected.
  EXPECT_EQ(setup.fontSelection(), -1);
  EXPECT_TRUE(WritesTo("SelectedFont").empty());
}

TEST_F(SetupOpening, BackgroundBelowTheOptionsOrNotANumberChecksNone) {
  for (const char* stored : {"0", "abc", "-3", "4", "1e300"}) {
    MemorySettingsStore s;
    RecordingSetupView v;
    skyvault::Setup dialog(s, platform, v);
    s.Write("Startup", "BackGround", stored);
    s.ClearWrites();
    dialog.Open(kSystemFonts);
    EXPECT_EQ(v.backgroundOption, -1) << stored;
    EXPECT_FALSE(v.selectBackgroundEnabled) << stored;
    for (const Write& w : s.writes()) EXPECT_NE(w.key, "BackGround") << stored;
  }
}

TEST_F(SetupOpening, BackgroundIsRoundedToTheNearestOption) {
  store.Write("Startup", "BackGround", "3.4abc");  // the leading number counts
  Open();
  EXPECT_EQ(view.backgroundOption, 2);
  EXPECT_EQ(store.Read("Startup", "BackGround", "?"), "3");
  EXPECT_TRUE(view.selectBackgroundEnabled);
}

TEST_F(SetupOpening, AStoredFontNameIsSelectedWhenThePositionIsUnusable) {
  store.Write("Startup", "SelectedFont", "x");
  store.Write("Startup", "FontName", "georgia");
  store.ClearWrites();
  Open();
  // Georgia stands at position 2 of the sorted list.
  EXPECT_EQ(view.fontSelection, 2);
  EXPECT_EQ(view.sampleFace, "Georgia");
  EXPECT_EQ(WritesTo("SelectedFont"), (std::vector<Write>{{"Startup", "SelectedFont", "2"}}));
  EXPECT_EQ(WritesTo("FontName"), (std::vector<Write>{{"Startup", "FontName", "Georgia"}}));
}

TEST_F(SetupOpening, NoFontsAtAllLeavesTheListEmptyAndWritesNoFont) {
  Open({});
  EXPECT_TRUE(view.fonts.empty());
  EXPECT_TRUE(WritesTo("SelectedFont").empty());
  EXPECT_TRUE(WritesTo("FontName").empty());
  EXPECT_EQ(setup.fontSelection(), -1);
}

TEST_F(SetupOpening, TheStopSoundComboShowsTheStoredTextAndWritesNothing) {
  store.Write("System", "SoundOff", "17 minutes");
  store.ClearWrites();
  Open();
  EXPECT_EQ(view.soundOffText, "17 minutes");
  EXPECT_TRUE(WritesTo("SoundOff").empty());
  ASSERT_EQ(view.soundOffEntries.size(), 20u);
  EXPECT_EQ(view.soundOffEntries.front(), "Never");
  EXPECT_EQ(view.soundOffEntries.back(), "480");
}

}  // namespace
}  // namespace skyvault
