#include "dialogs/setup.h"

#include "dialogs/image_file_picker.h"
#include "dialogs/screen_font_list.h"
#include "dialogs/setup_texts.h"
#include "settings/conversions.h"
#include "settings/settings_schema.h"

namespace skyvault {

namespace {

int Index(SetupCheckBox box) { return static_cast<int>(box); }
int Index(SetupTextBox box) { return static_cast<int>(box); }
int Index(SetupScrollBar bar) { return static_cast<int>(bar); }

}  // namespace

std::vector<std::string> SoundOffEntries() {
  std::vector<std::string> entries{kSoundNever};
  for (const int minutes : kSoundOffMinutes) entries.push_back(IntegerText(minutes));
  return entries;
}

Setup::Setup(SettingsStore& store, PlatformServices& platform, SetupView& view)
    : store_(store), platform_(platform), view_(view) {
  texts_[Index(SetupTextBox::txtMessage)] = setup_texts::kMessageBeforeLoading;
  for (const ScrollBarBinding& bar : kScrollBarBindings) {
    scrolls_[Index(bar.bar)] = bar.range.start;
  }
}

std::string Setup::Read(const char* section, const char* key) {
  return store_.Read(section, key, kFallback);
}

void Setup::Open(const std::vector<std::string>& systemFonts) {
  view_.SetSoundOffEntries(SoundOffEntries());
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
  LoadText(SetupTextBox::txtMessage);
  LoadScroll(SetupScrollBar::hsbSpeed);
  LoadCheck(SetupCheckBox::chkMessage);
  LoadCheck(SetupCheckBox::chkLogo);
  SelectLogo();
  SelectBG();
  LoadFontPosition();
  LoadFontName();
  LoadScroll(SetupScrollBar::hsbMouseS);
  LoadCheck(SetupCheckBox::chkClock);
  LoadText(SetupTextBox::txtFontSize);
  soundOffText_ = Read(kSystem, keys::SoundOff);
  view_.SetSoundOffText(soundOffText_);
  LoadScroll(SetupScrollBar::hsbVolume);
  LoadCheck(SetupCheckBox::chkPowerSave);

  // The number boxes show the bars' values, also when a bar kept its start.
  for (const ScrollBarBinding& bar : kScrollBarBindings) ShowNumber(bar);

  // 6.
  EnableSelectBackground();
}

// ---- Loading ----

void Setup::LoadCheck(SetupCheckBox box) {
  const SettingKey where = BindingOf(box).setting;
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

void Setup::LoadText(SetupTextBox box) {
  const TextBoxBinding* binding = BindingOf(box);
  if (!binding) return;
  const std::string stored = Read(binding->setting.section, binding->setting.key);
  if (stored == text(box)) return;
  OnTextEdited(box, stored);
  view_.SetText(box, stored);
}

void Setup::LoadScroll(SetupScrollBar bar) {
  const ScrollBarBinding& binding = BindingOf(bar);
  const auto value = ToInt16(Read(binding.setting.section, binding.setting.key));
  if (!value) return;  // not a number: the bar keeps its position
  const ScrollRange& range = binding.range;
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
  const SettingKey where = BindingOf(box).setting;
  store_.Write(where.section, where.key, isChecked ? "1" : "0");
}

void Setup::OnTextEdited(SetupTextBox box, const std::string& value) {
  const TextBoxBinding* binding = BindingOf(box);
  if (!binding || !binding->writesTyping) return;
  texts_[Index(box)] = value;
  store_.Write(binding->setting.section, binding->setting.key, value);
}

void Setup::ShowScroll(SetupScrollBar bar, int value) {
  scrolls_[Index(bar)] = value;
  view_.SetScrollValue(bar, value);
}

void Setup::ShowNumber(const ScrollBarBinding& bar) {
  if (!bar.numberBox) return;
  const std::string shown = IntegerText(scrollValue(bar.bar));
  texts_[Index(*bar.numberBox)] = shown;
  view_.SetText(*bar.numberBox, shown);
}

void Setup::WriteScroll(SetupScrollBar bar) {
  const ScrollBarBinding& binding = BindingOf(bar);
  ShowNumber(binding);
  store_.Write(binding.setting.section, binding.setting.key, IntegerText(scrollValue(bar)));
}

void Setup::OnScrollChanged(SetupScrollBar bar, int value) {
  ShowScroll(bar, BindingOf(bar).range.Clamp(value));
  dragPending_[Index(bar)] = false;
  WriteScroll(bar);
}

void Setup::OnScrollTracked(SetupScrollBar bar, int value) {
  const ScrollBarBinding& binding = BindingOf(bar);
  if (!binding.writesWhileDragged) {
    // The bar follows the thumb but writes only when it is released.
    ShowScroll(bar, binding.range.Clamp(value));
    dragPending_[Index(bar)] = true;
    return;
  }
  OnScrollChanged(bar, value);
}

void Setup::OnScrollStepped(SetupScrollBar bar, ScrollStep step) {
  const int next = BindingOf(bar).range.Step(scrollValue(bar), step);
  if (next != scrollValue(bar)) OnScrollChanged(bar, next);
}

void Setup::OnScrollEnded(SetupScrollBar bar) {
  if (dragPending_[Index(bar)]) {
    dragPending_[Index(bar)] = false;
    WriteScroll(bar);
  }
}

void Setup::OnSoundOffChosen(int position) {
  const std::vector<std::string> entries = SoundOffEntries();
  if (position < 0 || static_cast<size_t>(position) >= entries.size()) return;
  soundOffText_ = entries[static_cast<size_t>(position)];
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

void Setup::Navigate(const std::string& webPageUrl) { platform_.ShellOpen(webPageUrl); }

void Setup::BackGround() {
  backGround_ = Read(kStartup, keys::BackGround);
  EnableSelectBackground();
}

void Setup::EnableSelectBackground() {
  selectBackgroundEnabled_ = NumberValue(backGround_) == 3.0;
  view_.EnableSelectBackground(selectBackgroundEnabled_);
}

void Setup::SelectBG() { ShowStored(SetupTextBox::txtBGFile); }

void Setup::SelectLogo() { ShowStored(SetupTextBox::txtLogo); }

void Setup::ShowStored(SetupTextBox box) {
  const TextBoxBinding* binding = BindingOf(box);
  if (!binding) return;
  texts_[Index(box)] = Read(binding->setting.section, binding->setting.key);
  view_.SetText(box, text(box));
}

}  // namespace skyvault
