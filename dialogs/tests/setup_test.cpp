// The settings dialog's logic: what each control writes and when, what opening shows and writes.
#include "dialogs/setup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>

#include "dialogs/image_file_picker.h"
#include "dialogs/setup_texts.h"
#include "platform/testing/fake_platform_services.h"
#include "settings/settings_schema.h"
#include "settings/testing/recording_settings_store.h"

namespace skyvault {

namespace {

using Names = std::vector<std::string>;

// Keeps what each control shows by its name, and logs each call as "name=value".
class RecordingSetupView : public SetupView {
 public:
  RecordingSetupView() {  // what the window shows before the logic sets anything
    for (const char* box : kChecks) shown[box] = "0";
    shown.insert(
        {{"hsbSpeed", "2"}, {"hsbMouseS", "2"}, {"hsbVolume", "0"}, {"cboFontsScreen", "-1"}});
  }
  void SetCheck(SetupCheckBox b, bool on) override { Show(kChecks[int(b)], on ? "1" : "0"); }
  void SetText(SetupTextBox b, const std::string& t) override { Show(kTexts[int(b)], t); }
  void SetScrollValue(SetupScrollBar b, int v) override { Show(kBars[int(b)], std::to_string(v)); }
  void SelectBackgroundOption(int p) override { Show("optBakGrnd", std::to_string(p)); }
  void EnableSelectBackground(bool on) override { Show("cmdSelectBG.enabled", on ? "1" : "0"); }
  void SetSoundOffEntries(const Names& e) override {
    Show("cboSoundOff.count", std::to_string(e.size()));
  }
  void SetSoundOffText(const std::string& t) override { Show("cboSoundOff", t); }
  void SetFontList(const Names& n) override {
    Show("cboFontsScreen.count", std::to_string(n.size()));
  }
  void SelectFont(int p) override { Show("cboFontsScreen", std::to_string(p)); }
  void SetSampleFace(const std::string& face) override { Show("lblSample", face); }
  void ShowImagePicker(const PickerConfiguration& c) override {
    Show("picker", c.name);
    if (onPicker) onPicker(c);
  }
  void Show(const std::string& name, const std::string& value) {
    shown[name] = value;
    log.push_back(name + "=" + value);
  }

  static constexpr const char* kChecks[] = {"chkProp", "chkMessage", "chkLogo", "chkClock",
                                            "chkPowerSave"};
  static constexpr const char* kTexts[] = {"txtMessage", "txtFontSize", "txtBGFile",
                                           "txtLogo",    "txtSpeed",    "txtMouseS"};
  static constexpr const char* kBars[] = {"hsbSpeed", "hsbMouseS", "hsbVolume"};
  std::map<std::string, std::string> shown;
  std::vector<std::string> log;
  std::function<void(const PickerConfiguration&)> onPicker;  // what the modal picker does
};

// Listed sorted: Arial, Courier New, Georgia, Tahoma, Times New Roman, Verdana.
const Names kSystemFonts = {"Verdana",     "Arial",           "Tahoma",
                            "Courier New", "Times New Roman", "Georgia"};

const char* SectionOf(const std::string& key) {
  return key == "PwrSave" || key == "SoundOff" || key == "SetReg" ? kSystem : kStartup;
}

using Stored = std::vector<std::pair<const char*, const char*>>;  // key, value

// What the store holds under a test's own values when the dialog opens.
enum class Before {
  Marker,          // the first-run marker alone: the saver ran, the other keys are gone
  FirstRunValues,  // what the saver's first run writes
  Nothing,         // the saver never ran
};

// A dialog over a store in memory.
struct Dialog {
  // Opens on `stored` over what the store held `before`, keeping only opening's writes.
  explicit Dialog(const Stored& stored = {}, Before before = Before::Marker,
                  const Names& fonts = kSystemFonts) {
    if (before == Before::FirstRunValues) WriteFirstRunValues(store, platform.DataFolder());
    if (before == Before::Marker) store.Write(kSystem, keys::SetReg, "2");
    for (const auto& [key, value] : stored) store.Write(SectionOf(key), key, value);
    store.ClearWrites();
    setup.Open(fonts);
  }
  std::string Shown(const std::string& name) { return view.shown[name]; }
  // Checks "name=value; ..." against what the controls show.
  void ExpectShown(const std::string& list) {
    for (size_t at = 0, end; at < list.size(); at = end + 2) {
      end = std::min(list.find("; ", at), list.size());
      const size_t eq = list.find('=', at);
      EXPECT_EQ(Shown(list.substr(at, eq - at)), list.substr(eq + 1, end - eq - 1))
          << list.substr(at, eq - at);
    }
  }
  // The writes (to `key` only, if given) as "key=value; ...", a section only when not its own.
  std::string Written(const std::string& key = "") const {
    std::string text;
    for (const auto& w : store.writes())
      if (key.empty() || w.key == key)
        text += (text.empty() ? "" : "; ") +
                (w.section == SectionOf(w.key) ? "" : w.section + "/") + w.key + "=" + w.value;
    return text;
  }

  RecordingSettingsStore store;
  FakePlatformServices platform;
  RecordingSetupView view;
  skyvault::Setup setup{store, platform, view};
};

// Opened on the first-run values, with what opening did forgotten.
struct Settled : Dialog {
  Settled() : Dialog(Stored{}, Before::FirstRunValues) {
    store.ClearWrites();
    view.log.clear();
  }
};

TEST(SetupHandlers, BackgroundOptionsWriteTheirNumberAndOnlyCustomEnablesSelectBackground) {
  Settled d;
  for (const auto& [option, written, enabled] :
       {std::tuple{0, "1", "0"}, {2, "3", "1"}, {1, "2", "0"}, {2, "3", "1"}}) {
    d.setup.OnBackgroundOptionClicked(option);
    EXPECT_EQ(d.store.Read("Startup", "BackGround", "?"), written);
    d.ExpectShown("optBakGrnd=" + std::to_string(option) + "; cmdSelectBG.enabled=" + enabled);
  }
  EXPECT_EQ(d.store.writes().size(), 4u);
  // The button follows the value read back from the store: any spelling of 3.
  for (const auto& [stored, enabled] : {std::pair{"3.0", "1"}, {"03", "1"}, {"2", "0"}}) {
    d.store.Write("Startup", "BackGround", stored);
    d.setup.BackGround();
    EXPECT_EQ(d.Shown("cmdSelectBG.enabled"), enabled) << stored;
  }
}

TEST(SetupHandlers, CheckBoxesAndTextBoxesWriteEveryChangeToTheirOwnKey) {
  Settled d;
  using B = SetupCheckBox;
  for (B box : {B::chkProp, B::chkMessage, B::chkLogo, B::chkClock, B::chkPowerSave}) {
    d.setup.OnCheckClicked(box, true);
    d.setup.OnCheckClicked(box, false);
  }
  using T = SetupTextBox;
  d.setup.OnTextEdited(T::txtFontSize, "1x");  // stored as typed, number or not
  d.setup.OnTextEdited(T::txtMessage, "Hi");
  d.setup.OnTextEdited(T::txtMessage, "");
  // The path and number boxes only show what others stored.
  for (T box : {T::txtBGFile, T::txtLogo, T::txtSpeed, T::txtMouseS})
    d.setup.OnTextEdited(box, "x");
  EXPECT_EQ(d.Written(),
            "Prop=1; Prop=0; MessageChecked=1; MessageChecked=0; LogoChecked=1; LogoChecked=0; "
            "Clock=1; Clock=0; PwrSave=1; PwrSave=0; FontClock=1x; Message=Hi; Message=");
}

TEST(SetupHandlers, DraggingSpeedOrSensitivityWritesAndShowsEveryValue) {
  Settled d;
  for (int v : {57, 100, 2}) d.setup.OnScrollTracked(SetupScrollBar::hsbSpeed, v);
  for (int v : {20, 3}) d.setup.OnScrollTracked(SetupScrollBar::hsbMouseS, v);
  EXPECT_EQ(d.Written(), "Speed=57; Speed=100; Speed=2; MouseSens=20; MouseSens=3");
  d.ExpectShown("hsbSpeed=2; txtSpeed=2; hsbMouseS=3; txtMouseS=3");
}

TEST(SetupHandlers, TheVolumeThumbWritesOnceWhenReleased) {
  Settled d;
  const auto volume = SetupScrollBar::hsbVolume;
  for (int v = -748; v >= -2600; v -= 100) d.setup.OnScrollTracked(volume, v);
  EXPECT_TRUE(d.store.writes().empty());
  EXPECT_EQ(d.Shown("hsbVolume"), "-2500");  // the thumb follows, inside the range
  d.setup.OnScrollEnded(volume);
  d.setup.OnScrollEnded(volume);
  // Released with a final position: that one is written, once.
  d.setup.OnScrollTracked(volume, -1000);
  d.setup.OnScrollChanged(volume, -1200);
  d.setup.OnScrollEnded(volume);
  EXPECT_EQ(d.Written(), "Volume=-2500; Volume=-1200");
}

TEST(SetupHandlers, ArrowTroughAndEndStepsWriteEachNewValueInsideTheRange) {
  Settled d;  // Speed 3, MouseSens 4, Volume -748
  using S = ScrollStep;
  const auto volume = SetupScrollBar::hsbVolume, speed = SetupScrollBar::hsbSpeed,
             sens = SetupScrollBar::hsbMouseS;
  // The fifth PageMore, at 0, and the last ToMinimum, at 2, change nothing.
  const std::pair<SetupScrollBar, S> steps[] = {
      {volume, S::LineLess}, {volume, S::PageMore}, {volume, S::PageMore}, {volume, S::PageMore},
      {volume, S::PageMore}, {volume, S::PageMore}, {volume, S::PageLess}, {volume, S::ToMinimum},
      {speed, S::LineMore},  {speed, S::ToMaximum}, {sens, S::LineLess},   {sens, S::ToMinimum}};
  for (const auto& [bar, step] : steps) d.setup.OnScrollStepped(bar, step);
  d.setup.OnScrollChanged(speed, 250);  // a position past the end is clamped
  EXPECT_EQ(d.Written(),
            "Volume=-773; Volume=-523; Volume=-273; Volume=-23; Volume=0; Volume=-250; "
            "Volume=-2500; Speed=4; Speed=100; MouseSens=3; MouseSens=2; Speed=100");
  d.ExpectShown("txtSpeed=100; txtMouseS=2");
}

TEST(SetupHandlers, ListsWriteOnlyTheirOwnEntries) {
  Settled d;
  for (int position : {0, 7, 19, 20, -1}) d.setup.OnSoundOffChosen(position);
  for (int position : {5, 6, -1}) d.setup.OnFontChosen(position);
  EXPECT_EQ(d.Written(),
            "SoundOff=Never; SoundOff=15; SoundOff=480; SelectedFont=5; FontName=Verdana");
  EXPECT_EQ(d.Shown("lblSample"), "Verdana");
}

TEST(SetupHandlers, ButtonsShowTheirPickerMessageOrPage) {
  Settled d;
  for (const auto& [click, picker, box, stored, before] :
       {std::tuple{&Setup::OnSelectBackgroundClicked, "GetFile", "txtBGFile", "D:\\sky.bmp",
                   "C:\\Hallowmere\\Skyvault1\\Bridge.bmp"},
        {&Setup::OnSelectLogoClicked, "GetLogo", "txtLogo", "C:\\logo.bmp",
         "C:\\Hallowmere\\Skyvault1\\Tarnwing1.bmp"}}) {
    d.view.onPicker = nullptr;  // cancelled: the box keeps the stored path
    (d.setup.*click)();
    EXPECT_EQ(d.Shown("picker") + " " + d.Shown(box), std::string(picker) + " " + before);
    d.view.onPicker = [&](const PickerConfiguration& c) {
      d.store.Write("Startup", c.key, stored);
    };
    (d.setup.*click)();
    EXPECT_EQ(d.Shown(box), stored);
  }
  d.setup.OnAboutClicked();
  d.setup.OnHelpClicked();
  const std::string about =
      std::string(setup_texts::kProductLine) + "\n" + setup_texts::kRightsLine;
  EXPECT_EQ(d.platform.log, (Names{"Message(" + about + " | Skyvault)",
                                   "ShellOpen(C:\\Hallowmere\\Skyvault1\\help.html)"}));
  // Choosing a file neither chooses "Custom" nor checks the logo box; About and Help write nothing.
  EXPECT_EQ(d.Written(), "BMPFileName=D:\\sky.bmp; LogoFileName=C:\\logo.bmp");
}

// Only the marker left in the store.
TEST(SetupOpening, WithOnlyTheMarkerStoredWritesWhatLoadingChangesButNoBar) {
  Dialog d;
  EXPECT_EQ(d.Written(),
            "SelectedFont=1; FontName=Courier New; BackGround=1; Prop=1; Message=1; "
            "MessageChecked=1; LogoChecked=1; Clock=1; FontClock=1; PwrSave=1");
  // The fallback "1" lies below every bar: shown at the nearer end.
  d.ExpectShown(
      "hsbSpeed=2; txtSpeed=2; hsbVolume=0; optBakGrnd=0; txtBGFile=1; cboSoundOff=1; "
      "cboFontsScreen=1; chkPowerSave=1; cmdSelectBG.enabled=0");
}

TEST(SetupOpening, OnFirstRunValuesShowsThemAndWritesWhatLoadingChanges) {
  Dialog d(Stored{}, Before::FirstRunValues);
  // The stored font position is chosen as by the user, which rewrites FontName.
  EXPECT_EQ(d.Written(),
            "SelectedFont=3; FontName=Tahoma; BackGround=3; Prop=1; "
            "Message=Place a Message Here; Speed=3; MouseSens=4; Clock=1; FontClock=16; "
            "Volume=-748");
  d.ExpectShown(
      "cboSoundOff.count=20; cboFontsScreen.count=6; cboFontsScreen=3; lblSample=Tahoma; "
      "optBakGrnd=2; chkProp=1; "
      "txtMessage=Place a Message Here; hsbSpeed=3; txtSpeed=3; hsbMouseS=4; txtMouseS=4; "
      "txtLogo=C:\\Hallowmere\\Skyvault1\\Tarnwing1.bmp; chkClock=1; txtFontSize=16; "
      "txtBGFile=C:\\Hallowmere\\Skyvault1\\Bridge.bmp; cboSoundOff=Never; hsbVolume=-748");
}

// Never run, or a marker asking for a reset: opening writes the first-run values first.
TEST(SetupOpening, OnAStoreTheSaverNeverFilledWritesTheFirstRunValuesFirst) {
  const Dialog initialised(Stored{}, Before::FirstRunValues);
  for (const Stored& stored :
       {Stored{}, Stored{{"SetReg", "3"}, {"Speed", "50"}, {"BackGround", "1"}}}) {
    Dialog d(stored, Before::Nothing);
    const auto& writes = d.store.writes();
    ASSERT_GE(writes.size(), kFirstRunValues.size());
    for (size_t i = 0; i < kFirstRunValues.size(); ++i) {
      const SettingEntry& e = kFirstRunValues[i];
      EXPECT_EQ(writes[i],
                (SettingWrite{e.section, e.key, FirstRunValue(e, d.platform.dataFolder)}));
    }
    EXPECT_EQ(std::vector(writes.begin() + kFirstRunValues.size(), writes.end()),
              initialised.store.writes());
    EXPECT_EQ(d.view.shown, initialised.view.shown);
  }
}

// A stored value is written back only when its control shows it exactly and it differs.
TEST(SetupOpening, WritesBackOnlyValuesTheControlsShowExactly) {
  // key, stored, written ("": none)
  const std::tuple<std::string, const char*, std::string> cases[] = {
      {"Speed", "007", "7"},         {"Speed", "100", "100"},   {"MouseSens", "+20", "20"},
      {"Volume", "-2500", "-2500"},  {"Prop", "1.0", "1"},      {"BackGround", "2.0", "2"},
      {"BackGround", "3.4abc", "3"}, {"Speed", "2", ""},        {"Volume", "0", ""},
      {"MessageChecked", "0", ""},   {"Speed", "101", ""},      {"BackGround", "0", ""},
      {"BackGround", "4", ""},       {"BackGround", "abc", ""}, {"SelectedFont", "6", ""}};
  for (const auto& [key, stored, written] : cases) {
    Dialog d(Stored{{key.c_str(), stored}});
    EXPECT_EQ(d.Written(key), written.empty() ? "" : key + "=" + written) << stored;
  }
}

// Values a control cannot show are shown mended and never written.
TEST(SetupOpening, ValuesTheControlsCannotShowAreShownAsTheNearestValidState) {
  const Stored hostile = {{"Speed", "500"},
                          {"MouseSens", "-7"},
                          {"Volume", "99999999"},
                          {"Prop", "yes"},
                          {"MessageChecked", "2"},
                          {"LogoChecked", "-1"},
                          {"Clock", "1e9"},
                          {"PwrSave", ""},
                          {"BackGround", "7"},
                          {"SelectedFont", "40"},
                          {"FontName", "No Such Face"},
                          {"SoundOff", "17 minutes"}};
  Dialog d(hostile);
  // The volume, no 16-bit number, leaves its bar unmoved.
  d.ExpectShown(
      "hsbSpeed=100; txtSpeed=100; hsbMouseS=2; txtMouseS=2; hsbVolume=0; chkProp=0; "
      "chkMessage=1; chkLogo=0; chkClock=0; chkPowerSave=0; optBakGrnd=-1; "
      "cmdSelectBG.enabled=0; cboFontsScreen=-1; cboSoundOff=17 minutes");
  for (const auto& [key, value] : hostile) EXPECT_EQ(d.Written(key), "");
}

TEST(SetupOpening, ChoosesTheFontByPositionElseByNameElseNone) {
  // The position wins, and rewrites the name, when the system's fonts changed.
  Dialog moved(Stored{{"SelectedFont", "2"}, {"FontName", "Arial"}}, Before::Marker,
               {"Zapf", "Bodoni", "Arial", "Candara"});
  EXPECT_EQ(moved.Written("FontName") + " " + moved.Shown("lblSample"), "FontName=Candara Candara");
  // No usable position: the name, matched ignoring case.
  Dialog named(Stored{{"SelectedFont", "x"}, {"FontName", "georgia"}});
  EXPECT_EQ(named.Shown("cboFontsScreen") + " " + named.Written("FontName"), "2 FontName=Georgia");
  Dialog none(Stored{}, Before::Marker, {});
  EXPECT_EQ(none.Shown("cboFontsScreen.count"), "0");
  EXPECT_EQ(none.Written("SelectedFont") + none.Written("FontName"), "");
}

}  // namespace
}  // namespace skyvault
