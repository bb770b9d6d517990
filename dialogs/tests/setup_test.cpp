// The settings dialog's handlers: what each control writes and when.
#include <gtest/gtest.h>

#include "dialogs/setup.h"
#include "dialogs/setup_texts.h"
#include "dialogs/tests/recording_setup_view.h"
#include "platform/fake_platform_services.h"
#include "settings/memory_settings_store.h"
#include "settings/settings_schema.h"

namespace skyvault {
namespace {

using Write = MemorySettingsStore::WriteRecord;

class SetupHandlers : public ::testing::Test {
 protected:
  void SetUp() override {
    SetRegistry(store);
    setup.Open({"Verdana", "Arial", "Tahoma", "Courier New", "Times New Roman", "Georgia"});
    store.ClearWrites();
    view.log.clear();
  }
  MemorySettingsStore store;
  FakePlatformServices platform;
  RecordingSetupView view;
  skyvault::Setup setup{store, platform, view};
};

TEST_F(SetupHandlers, BackgroundOptionsWriteTheirNumberAndSetTheSelectButton) {
  setup.OnBackgroundOptionClicked(0);
  EXPECT_EQ(store.writes().back(), (Write{"Startup", "BackGround", "1"}));
  EXPECT_FALSE(view.selectBackgroundEnabled);
  setup.OnBackgroundOptionClicked(2);
  EXPECT_EQ(store.writes().back(), (Write{"Startup", "BackGround", "3"}));
  EXPECT_TRUE(view.selectBackgroundEnabled);
  setup.OnBackgroundOptionClicked(1);
  EXPECT_EQ(store.writes().back(), (Write{"Startup", "BackGround", "2"}));
  EXPECT_FALSE(view.selectBackgroundEnabled);
  EXPECT_EQ(view.backgroundOption, 1);
  EXPECT_EQ(store.writes().size(), 3u);
}

TEST_F(SetupHandlers, TheSelectButtonFollowsTheValueReadBackFromTheStore) {
  // BackGround reads the store again after writing: a store that keeps
  // something else decides the button.
  store.Write("Startup", "BackGround", "3");
  setup.BackGround();
  EXPECT_TRUE(view.selectBackgroundEnabled);
  store.Write("Startup", "BackGround", "3.0");
  setup.BackGround();
  EXPECT_TRUE(view.selectBackgroundEnabled);
  store.Write("Startup", "BackGround", "2");
  setup.BackGround();
  EXPECT_FALSE(view.selectBackgroundEnabled);
}

TEST_F(SetupHandlers, EachCheckBoxWritesZeroOrOneToItsOwnKey) {
  const std::vector<std::tuple<SetupCheckBox, const char*, const char*>> boxes = {
      {SetupCheckBox::chkClock, "Startup", "Clock"},
      {SetupCheckBox::chkProp, "Startup", "Prop"},
      {SetupCheckBox::chkPowerSave, "System", "PwrSave"},
      {SetupCheckBox::chkLogo, "Startup", "LogoChecked"},
      {SetupCheckBox::chkMessage, "Startup", "MessageChecked"}};
  for (const auto& [box, section, key] : boxes) {
    store.ClearWrites();
    setup.OnCheckClicked(box, true);
    setup.OnCheckClicked(box, false);
    EXPECT_EQ(store.writes(), (std::vector<Write>{{section, key, "1"}, {section, key, "0"}}))
        << key;
  }
}

TEST_F(SetupHandlers, TextBoxesStoreEveryChangeAsTyped) {
  setup.OnFontSizeEdited("1");
  setup.OnFontSizeEdited("1x");
  setup.OnFontSizeEdited("big");
  setup.OnMessageEdited("H");
  setup.OnMessageEdited("Hi");
  setup.OnMessageEdited("");
  EXPECT_EQ(store.writes(), (std::vector<Write>{{"Startup", "FontClock", "1"},
                                                {"Startup", "FontClock", "1x"},
                                                {"Startup", "FontClock", "big"},
                                                {"Startup", "Message", "H"},
                                                {"Startup", "Message", "Hi"},
                                                {"Startup", "Message", ""}}));
}

TEST_F(SetupHandlers, DraggingTheSpeedThumbWritesAndShowsEveryValue) {
  setup.OnScrollChanged(SetupScrollBar::hsbSpeed, 2);
  store.ClearWrites();
  for (int v = 3; v <= 100; ++v) {
    setup.OnScrollTracked(SetupScrollBar::hsbSpeed, v);
    ASSERT_EQ(store.writes().back(), (Write{"Startup", "Speed", std::to_string(v)}));
    ASSERT_EQ(view.texts[SetupTextBox::txtSpeed], std::to_string(v));
    ASSERT_EQ(setup.currentSpeed(), v);
  }
  EXPECT_EQ(store.writes().size(), 98u);
}

TEST_F(SetupHandlers, DraggingTheSensitivityThumbWritesAndShowsEveryValue) {
  for (int v = 20; v >= 2; --v) {
    setup.OnScrollTracked(SetupScrollBar::hsbMouseS, v);
    ASSERT_EQ(store.writes().back(), (Write{"Startup", "MouseSens", std::to_string(v)}));
    ASSERT_EQ(view.texts[SetupTextBox::txtMouseS], std::to_string(v));
  }
  EXPECT_EQ(setup.currentSensitivity(), 2);
}

TEST_F(SetupHandlers, TheVolumeThumbWritesOnceWhenReleased) {
  for (int v = -748; v >= -2500; v -= 100) setup.OnScrollTracked(SetupScrollBar::hsbVolume, v);
  EXPECT_TRUE(store.writes().empty());
  EXPECT_EQ(view.scrolls[SetupScrollBar::hsbVolume], -2448);
  setup.OnScrollChanged(SetupScrollBar::hsbVolume, -2500);
  setup.OnScrollEnded(SetupScrollBar::hsbVolume);
  EXPECT_EQ(store.writes(), (std::vector<Write>{{"Startup", "Volume", "-2500"}}));
}

TEST_F(SetupHandlers, AVolumeDragEndedWithoutAReleasePositionStillWritesOnce) {
  setup.OnScrollTracked(SetupScrollBar::hsbVolume, -1000);
  setup.OnScrollTracked(SetupScrollBar::hsbVolume, -1200);
  setup.OnScrollEnded(SetupScrollBar::hsbVolume);
  setup.OnScrollEnded(SetupScrollBar::hsbVolume);
  EXPECT_EQ(store.writes(), (std::vector<Write>{{"Startup", "Volume", "-1200"}}));
}

TEST_F(SetupHandlers, ArrowAndTroughStepsWriteEachNewValue) {
  setup.OnScrollStepped(SetupScrollBar::hsbVolume, ScrollStep::LineLess);
  setup.OnScrollStepped(SetupScrollBar::hsbVolume, ScrollStep::PageMore);
  setup.OnScrollStepped(SetupScrollBar::hsbVolume, ScrollStep::PageMore);
  setup.OnScrollStepped(SetupScrollBar::hsbVolume, ScrollStep::PageMore);
  setup.OnScrollStepped(SetupScrollBar::hsbVolume, ScrollStep::PageMore);
  setup.OnScrollStepped(SetupScrollBar::hsbVolume, ScrollStep::PageMore);  // at 0 already
  setup.OnScrollEnded(SetupScrollBar::hsbVolume);
  setup.OnScrollStepped(SetupScrollBar::hsbSpeed, ScrollStep::LineMore);
  setup.OnScrollStepped(SetupScrollBar::hsbSpeed, ScrollStep::ToMaximum);
  setup.OnScrollStepped(SetupScrollBar::hsbMouseS, ScrollStep::ToMinimum);
  EXPECT_EQ(store.writes(), (std::vector<Write>{{"Startup", "Volume", "-773"},
                                                {"Startup", "Volume", "-523"},
                                                {"Startup", "Volume", "-273"},
                                                {"Startup", "Volume", "-23"},
                                                {"Startup", "Volume", "0"},
                                                {"Startup", "Speed", "4"},
                                                {"Startup", "Speed", "100"},
                                                {"Startup", "MouseSens", "2"}}));
  EXPECT_EQ(view.texts[SetupTextBox::txtSpeed], "100");
}

TEST_F(SetupHandlers, BarValuesOutsideTheRangeAreClampedBeforeWriting) {
  setup.OnScrollChanged(SetupScrollBar::hsbSpeed, 250);
  setup.OnScrollChanged(SetupScrollBar::hsbVolume, 40);
  EXPECT_EQ(store.writes(), (std::vector<Write>{{"Startup", "Speed", "100"},
                                                {"Startup", "Volume", "0"}}));
}

TEST_F(SetupHandlers, OnlyAnEntryChosenFromTheStopSoundListIsWritten) {
  setup.OnSoundOffChosen(0);
  setup.OnSoundOffChosen(7);
  setup.OnSoundOffChosen(19);
  setup.OnSoundOffChosen(20);
  setup.OnSoundOffChosen(-1);
  EXPECT_EQ(store.writes(), (std::vector<Write>{{"System", "SoundOff", "Never"},
                                                {"System", "SoundOff", "15"},
                                                {"System", "SoundOff", "480"}}));
}

TEST_F(SetupHandlers, ChoosingAFontWritesItsPositionAndNameAndSetsTheSample) {
  setup.OnFontChosen(5);
  EXPECT_EQ(store.writes(), (std::vector<Write>{{"Startup", "SelectedFont", "5"},
                                                {"Startup", "FontName", "Verdana"}}));
  EXPECT_EQ(view.sampleFace, "Verdana");
  setup.OnFontChosen(6);  // past the list: nothing
  EXPECT_EQ(store.writes().size(), 2u);
}

TEST_F(SetupHandlers, SelectBackgroundShowsThePickerThenTheStoredPath) {
  view.onPicker = [&](const PickerConfiguration& which) {
    EXPECT_EQ(std::string(which.name), "GetFile");
    store.Write("Startup", which.key, "D:\\pics\\sky.bmp");
  };
  setup.OnBackgroundOptionClicked(0);
  setup.OnSelectBackgroundClicked();
  EXPECT_EQ(view.texts[SetupTextBox::txtBGFile], "D:\\pics\\sky.bmp");
  // Choosing a file does not choose "Custom".
  EXPECT_EQ(view.backgroundOption, 0);
  EXPECT_EQ(store.Read("Startup", "BackGround", "?"), "1");
}

TEST_F(SetupHandlers, SelectLogoShowsThePickerThenTheStoredPathWithoutCheckingTheBox) {
  view.onPicker = [&](const PickerConfiguration& which) {
    EXPECT_EQ(std::string(which.name), "GetLogo");
    store.Write("Startup", which.key, "C:\\logo.bmp");
  };
  setup.OnSelectLogoClicked();
  EXPECT_EQ(view.texts[SetupTextBox::txtLogo], "C:\\logo.bmp");
  EXPECT_FALSE(view.checks[SetupCheckBox::chkLogo]);
  EXPECT_EQ(store.Read("Startup", "LogoChecked", "?"), "0");
}

TEST_F(SetupHandlers, CancelledPickerLeavesThePathBox) {
  setup.OnSelectBackgroundClicked();
  EXPECT_EQ(view.texts[SetupTextBox::txtBGFile], "C:\\Hallowmere\\Skyvault1\\Bridge.bmp");
  EXPECT_EQ(view.log.front(), "ShowImagePicker GetFile");
}

TEST_F(SetupHandlers, AboutShowsTheProductLineThenTheRightsLine) {
  setup.OnAboutClicked();
  ASSERT_EQ(platform.log.size(), 1u);
  EXPECT_EQ(platform.log[0], std::string("Message(") + setup_texts::kProductLine + "\n" +
                                 setup_texts::kRightsLine + " | Skyvault)");
  EXPECT_TRUE(store.writes().empty());
}

TEST_F(SetupHandlers, HelpOpensTheHelpPageOfTheDataDirectory) {
  setup.OnHelpClicked();
  EXPECT_EQ(view.log, (std::vector<std::string>{"OpenPage C:\\Hallowmere\\Skyvault1\\help.html"}));
  EXPECT_TRUE(store.writes().empty());
}

}  // namespace
}  // namespace skyvault
