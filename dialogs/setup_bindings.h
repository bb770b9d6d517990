#pragma once
#include <array>
#include <optional>

#include "dialogs/scroll_range.h"
#include "dialogs/setup_view.h"
#include "settings/settings_schema.h"

namespace skyvault {

// A setting by its section and key.
struct SettingKey {
  const char* section;
  const char* key;
};

// What ties each control of the settings dialog to its setting. The
// handlers look a control up here; nothing else knows which key a control
// writes.

// A check box writes "0" or "1" to its setting when clicked.
struct CheckBoxBinding {
  SetupCheckBox box;
  SettingKey setting;
};

// A text box shows a setting. The user's typing writes the whole text to it
// only where `writesTyping`; the path boxes show what a picker stored.
struct TextBoxBinding {
  SetupTextBox box;
  SettingKey setting;
  bool writesTyping;
};

// A scroll bar writes its value to its setting, within its range. Its value
// is also shown in `numberBox`, if it has one. While the thumb is dragged
// it writes every step, or only once, when the thumb is released.
struct ScrollBarBinding {
  SetupScrollBar bar;
  SettingKey setting;
  ScrollRange range;
  std::optional<SetupTextBox> numberBox;
  bool writesWhileDragged;
};

inline constexpr std::array<CheckBoxBinding, 5> kCheckBoxBindings = {{
    {SetupCheckBox::chkProp, {kStartup, keys::Prop}},
    {SetupCheckBox::chkMessage, {kStartup, keys::MessageChecked}},
    {SetupCheckBox::chkLogo, {kStartup, keys::LogoChecked}},
    {SetupCheckBox::chkClock, {kStartup, keys::Clock}},
    {SetupCheckBox::chkPowerSave, {kSystem, keys::PwrSave}},
}};

// The number boxes txtSpeed and txtMouseS have no setting of their own.
inline constexpr std::array<TextBoxBinding, 4> kTextBoxBindings = {{
    {SetupTextBox::txtMessage, {kStartup, keys::Message}, true},
    {SetupTextBox::txtFontSize, {kStartup, keys::FontClock}, true},
    {SetupTextBox::txtBGFile, {kStartup, keys::BMPFileName}, false},
    {SetupTextBox::txtLogo, {kStartup, keys::LogoFileName}, false},
}};

// Ranges: minimum, maximum, arrow step, trough step, the position before
// anything is loaded.
inline constexpr std::array<ScrollBarBinding, 3> kScrollBarBindings = {{
    {SetupScrollBar::hsbSpeed,
     {kStartup, keys::Speed},
     {2, 100, 1, 10, 2},
     SetupTextBox::txtSpeed,
     true},
    {SetupScrollBar::hsbMouseS,
     {kStartup, keys::MouseSens},
     {2, 20, 1, 2, 2},
     SetupTextBox::txtMouseS,
     true},
    {SetupScrollBar::hsbVolume, {kStartup, keys::Volume}, {-2500, 0, 25, 250, 0}, {}, false},
}};

const CheckBoxBinding& BindingOf(SetupCheckBox box);
// Null for a number box, which has no setting.
const TextBoxBinding* BindingOf(SetupTextBox box);
const ScrollBarBinding& BindingOf(SetupScrollBar bar);

}  // namespace skyvault
