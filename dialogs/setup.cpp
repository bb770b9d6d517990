#include "dialogs/setup.h"

#include "dialogs/image_file_picker.h"
#include "dialogs/screen_font_list.h"
#include "dialogs/setup_texts.h"
#include "settings/conversions.h"
#include "settings/settings_schema.h"

namespace skyvault {

const std::array<const char*, 20> kSoundOffEntries = {
    "Never", "1",  "2",  "3",   "4",   "5",   "10",  "15",  "20",  "30",
    "45",    "60", "90", "120", "180", "240", "300", "360", "420", "480"};

namespace {

struct SettingKey {
  const char* section;
  const char* key;
};

// The setting each check box writes.
SettingKey CheckBoxKey(SetupCheckBox box) {
  switch (box) {
    case SetupCheckBox::chkProp:
      return {kStartup, keys::Prop};
    case SetupCheckBox::chkMessage:
      return {kStartup, keys::MessageChecked};
    case SetupCheckBox::chkLogo:
      return {kStartup, keys::LogoChecked};
    case SetupCheckBox::chkClock:
      return {kStartup, keys::Clock};
    case SetupCheckBox::chkPowerSave:
      return {kSystem, keys::PwrSave};
  }
  return {kStartup, keys::Prop};
}

// The setting each scroll bar writes, and its range.
SettingKey ScrollBarKey(SetupScrollBar bar) {
  switch (bar) {
    case SetupScrollBar::hsbSpeed:
      return {kStartup, keys::Speed};
    case SetupScrollBar::hsbMouseS:
      return {kStartup, keys::MouseSens};
    case SetupScrollBar::hsbVolume:
      return {kStartup, keys::Volume};
  }
  return {kStartup, keys::Speed};
}

int Index(SetupCheckBox box) { return static_cast<int>(box); }
int Index(SetupTextBox box) { return static_cast<int>(box); }
int Index(SetupScrollBar bar) { return static_cast<int>(bar); }

}  // namespace

const ScrollRange& RangeOf(SetupScrollBar bar) {
  switch (bar) {
    case SetupScrollBar::hsbSpeed:
      return kSpeedRange;
    case SetupScrollBar::hsbMouseS:
      return kMouseSensRange;
    case SetupScrollBar::hsbVolume:
      return kVolumeRange;
  }
  return kSpeedRange;
}

Setup::Setup(SettingsStore& store, PlatformServices& platform, SetupView& view)
    : store_(store), platform_(platform), view_(view) {
  texts_[Index(SetupTextBox::txtMessage)] = setup_texts::kMessageBeforeLoading;
  for (SetupScrollBar bar :
       {SetupScrollBar::hsbSpeed, SetupScrollBar::hsbMouseS, SetupScrollBar::hsbVolume}) {
    scrolls_[Index(bar)] = RangeOf(bar).start;
  }
}

std::string Setup::Read(const char* section, const char* key) {
  return store_.Read(section, key, kFallback);
}

void Setup::Open(const std::vector<std::string>& systemFonts) {
  std::vector<std::string> soundOff(kSoundOffEntries.begin(), kSoundOffEntries.end());
  view_.SetSoundOffEntries(soundOff);
  view_.SetSoundOffText(soundOffText_);

  // 1. The first fonts of the system, in alphabetical order.
  fonts_ = ScreenFontList(systemFonts);
  view_.SetFontList(fonts_);

  // 2. The stored position is chosen as the user would choose it, which
  //    rewrites FontName from the list.
  if (const auto position = FontPosition(Read(kStartup, keys::SelectedFont))) {
    OnFontChosen(*position);
  }

  // 3. The sample takes the face of the chosen entry.
  if (fontSelection_ >= 0) view_.SetSampleFace(fonts_[static_cast<size_t>(fontSelection_)]);

  // 4. The background option, selected as by a click. A value that names
  //    none of the three options leaves all three clear and is not rewritten.
  backGround_ = Read(kStartup, keys::BackGround);
  const auto option = RoundToInt32(NumberValue(backGround_) - 1.0);
  if (option && *option >= 0 && *option <= 2) {
    OnBackgroundOptionClicked(*option);
  } else {
    backgroundOption_ = -1;
    view_.SelectBackgroundOption(-1);
  }

  // 5. The controls, in this order; a value the control shows exactly and
  //    that differs from what it held is a change and is written back.
  LoadCheck(SetupCheckBox::chkProp);
  LoadText(SetupTextBox::txtMessage, keys::Message);
  LoadScroll(SetupScrollBar::hsbSpeed);
  LoadCheck(SetupCheckBox::chkMessage);
  LoadCheck(SetupCheckBox::chkLogo);
  SelectLogo();
  SelectBG();
  LoadFontPosition();
  LoadFontName();
  LoadScroll(SetupScrollBar::hsbMouseS);
  LoadCheck(SetupCheckBox::chkClock);
  LoadText(SetupTextBox::txtFontSize, keys::FontClock);
  soundOffText_ = Read(kSystem, keys::SoundOff);
  view_.SetSoundOffText(soundOffText_);
  LoadScroll(SetupScrollBar::hsbVolume);
  LoadCheck(SetupCheckBox::chkPowerSave);

  // The number boxes show the bars' values, also when a bar kept its start.
  currentSpeed_ = static_cast<int16_t>(scrollValue(SetupScrollBar::hsbSpeed));
  currentSensitivity_ = static_cast<int16_t>(scrollValue(SetupScrollBar::hsbMouseS));
  view_.SetText(SetupTextBox::txtSpeed, IntegerText(currentSpeed_));
  texts_[Index(SetupTextBox::txtSpeed)] = IntegerText(currentSpeed_);
  view_.SetText(SetupTextBox::txtMouseS, IntegerText(currentSensitivity_));
  texts_[Index(SetupTextBox::txtMouseS)] = IntegerText(currentSensitivity_);

  // 6.
  EnableSelectBackground();
}

// ---- Loading ----

void Setup::LoadCheck(SetupCheckBox box) {
  const SettingKey where = CheckBoxKey(box);
  const auto value = ToInt16(Read(where.section, where.key));
  if (value && (*value == 0 || *value == 1)) {
    if ((*value == 1) != checked(box)) OnCheckClicked(box, *value == 1);
    return;
  }
  // Letters, or a number other than 0 and 1: shown as the nearer state, not written.
  const bool shown = value && *value > 1;
  checks_[Index(box)] = shown;
  view_.SetCheck(box, shown);
}

void Setup::LoadText(SetupTextBox box, const char* key) {
  const std::string stored = Read(kStartup, key);
  if (stored == text(box)) return;
  if (box == SetupTextBox::txtMessage) {
    OnMessageEdited(stored);
  } else {
    OnFontSizeEdited(stored);
  }
  view_.SetText(box, stored);
}

void Setup::LoadScroll(SetupScrollBar bar) {
  const SettingKey where = ScrollBarKey(bar);
  const auto value = ToInt16(Read(where.section, where.key));
  if (!value) return;  // not a number: the bar keeps its position
  const ScrollRange& range = RangeOf(bar);
  if (!range.Contains(*value)) {
    ShowScroll(bar, range.Clamp(*value));  // shown at the nearer end, not written
    return;
  }
  if (*value != scrollValue(bar)) OnScrollChanged(bar, *value);
}

std::optional<int> Setup::FontPosition(const std::string& stored) const {
  const auto position = ToInt16(stored);
  if (!position || *position < 0 || static_cast<size_t>(*position) >= fonts_.size()) {
    return std::nullopt;
  }
  return *position;
}

void Setup::LoadFontPosition() {
  const auto position = FontPosition(Read(kStartup, keys::SelectedFont));
  if (position && *position != fontSelection_) OnFontChosen(*position);
}

void Setup::LoadFontName() {
  const std::string name = Read(kStartup, keys::FontName);
  for (size_t i = 0; i < fonts_.size(); ++i) {
    if (SameFontName(fonts_[i], name)) {
      if (static_cast<int>(i) != fontSelection_) OnFontChosen(static_cast<int>(i));
      return;
    }
  }
  // A name that is not in the list leaves the selection as it is.
}

// ---- Handlers ----

void Setup::OnBackgroundOptionClicked(int position) {
  if (position < 0 || position > 2) return;
  backgroundOption_ = position;
  view_.SelectBackgroundOption(position);
  backGround_ = IntegerText(position + 1);
  store_.Write(kStartup, keys::BackGround, backGround_);
  BackGround();
}

void Setup::OnCheckClicked(SetupCheckBox box, bool isChecked) {
  checks_[Index(box)] = isChecked;
  view_.SetCheck(box, isChecked);
  const SettingKey where = CheckBoxKey(box);
  store_.Write(where.section, where.key, isChecked ? "1" : "0");
}

void Setup::OnFontSizeEdited(const std::string& value) {
  texts_[Index(SetupTextBox::txtFontSize)] = value;
  store_.Write(kStartup, keys::FontClock, value);
}

void Setup::OnMessageEdited(const std::string& value) {
  texts_[Index(SetupTextBox::txtMessage)] = value;
  store_.Write(kStartup, keys::Message, value);
}

void Setup::ShowScroll(SetupScrollBar bar, int value) {
  scrolls_[Index(bar)] = value;
  view_.SetScrollValue(bar, value);
}

void Setup::WriteScroll(SetupScrollBar bar) {
  const int value = scrollValue(bar);
  const std::string shown = IntegerText(value);
  if (bar == SetupScrollBar::hsbSpeed) {
    currentSpeed_ = static_cast<int16_t>(value);
    texts_[Index(SetupTextBox::txtSpeed)] = shown;
    view_.SetText(SetupTextBox::txtSpeed, shown);
  } else if (bar == SetupScrollBar::hsbMouseS) {
    currentSensitivity_ = static_cast<int16_t>(value);
    texts_[Index(SetupTextBox::txtMouseS)] = shown;
    view_.SetText(SetupTextBox::txtMouseS, shown);
  }
  const SettingKey where = ScrollBarKey(bar);
  store_.Write(where.section, where.key, shown);
}

void Setup::OnScrollChanged(SetupScrollBar bar, int value) {
  ShowScroll(bar, RangeOf(bar).Clamp(value));
  if (bar == SetupScrollBar::hsbVolume) volumeDragPending_ = false;
  WriteScroll(bar);
}

void Setup::OnScrollTracked(SetupScrollBar bar, int value) {
  if (bar == SetupScrollBar::hsbVolume) {
    // The volume bar follows the thumb but writes only when it is released.
    ShowScroll(bar, RangeOf(bar).Clamp(value));
    volumeDragPending_ = true;
    return;
  }
  OnScrollChanged(bar, value);
}

void Setup::OnScrollStepped(SetupScrollBar bar, ScrollStep step) {
  const int next = RangeOf(bar).Step(scrollValue(bar), step);
  if (next != scrollValue(bar)) OnScrollChanged(bar, next);
}

void Setup::OnScrollEnded(SetupScrollBar bar) {
  if (bar == SetupScrollBar::hsbVolume && volumeDragPending_) {
    volumeDragPending_ = false;
    WriteScroll(bar);
  }
}

void Setup::OnSoundOffChosen(int position) {
  if (position < 0 || static_cast<size_t>(position) >= kSoundOffEntries.size()) return;
  soundOffText_ = kSoundOffEntries[static_cast<size_t>(position)];
  store_.Write(kSystem, keys::SoundOff, soundOffText_);
}

void Setup::OnFontChosen(int position) {
  if (position < 0 || static_cast<size_t>(position) >= fonts_.size()) return;
  fontSelection_ = position;
  view_.SelectFont(position);
  const std::string& name = fonts_[static_cast<size_t>(position)];
  store_.Write(kStartup, keys::SelectedFont, IntegerText(position));
  store_.Write(kStartup, keys::FontName, name);
  view_.SetSampleFace(name);
}

void Setup::OnSelectBackgroundClicked() {
  view_.ShowImagePicker(kGetFile);
  SelectBG();
}

void Setup::OnSelectLogoClicked() {
  view_.ShowImagePicker(kGetLogo);
  SelectLogo();
}

void Setup::OnAboutClicked() {
  platform_.ShowMessage(setup_texts::AboutMessage(), setup_texts::kApplicationTitle,
                        MessageBoxKind::Plain);
}

void Setup::OnHelpClicked() { Navigate(setup_texts::HelpPage()); }

// ---- The dialog's procedures ----

void Setup::Navigate(const std::string& webPageUrl) { view_.OpenPage(webPageUrl); }

void Setup::BackGround() {
  backGround_ = Read(kStartup, keys::BackGround);
  EnableSelectBackground();
}

void Setup::EnableSelectBackground() {
  selectBackgroundEnabled_ = NumberValue(backGround_) == 3.0;
  view_.EnableSelectBackground(selectBackgroundEnabled_);
}

void Setup::SelectBG() {
  texts_[Index(SetupTextBox::txtBGFile)] = Read(kStartup, keys::BMPFileName);
  view_.SetText(SetupTextBox::txtBGFile, text(SetupTextBox::txtBGFile));
}

void Setup::SelectLogo() {
  texts_[Index(SetupTextBox::txtLogo)] = Read(kStartup, keys::LogoFileName);
  view_.SetText(SetupTextBox::txtLogo, text(SetupTextBox::txtLogo));
}

}  // namespace skyvault
