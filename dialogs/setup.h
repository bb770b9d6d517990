#pragma once
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "dialogs/setup_bindings.h"
#include "dialogs/setup_view.h"
#include "platform/platform_services.h"
#include "settings/settings_store.h"

namespace skyvault {

// The entries of `cboSoundOff`: "Never", then the minutes.
std::vector<std::string> SoundOffEntries();

// The settings dialog `Setup`: what each control shows and writes, and when
// (which setting a control writes: setup_bindings.h). Every change is
// written to the store at once; there is no Apply or Cancel.
// The window forwards the user's actions to the On... handlers and shows what
// the view is told.
//
// A stored value that a control cannot show (not a number, outside a bar's
// range, a check box's value other than 0 or 1, a `BackGround` other than 1
// to 3, a `SelectedFont` outside the list) is shown as the control's nearest
// valid state and is never written back: only values the control shows
// exactly count as a change on loading.
class Setup {
 public:
  Setup(SettingsStore& store, PlatformServices& platform, SetupView& view);

  // The opening steps; `systemFonts` are the system's screen fonts in its order.
  void Open(const std::vector<std::string>& systemFonts);

  void OnBackgroundOptionClicked(int position);
  void OnCheckClicked(SetupCheckBox box, bool checked);
  // The user changed the text of a box (each keystroke).
  void OnTextEdited(SetupTextBox box, const std::string& text);
  // A bar's value settled (arrow, trough, keyboard, thumb released).
  void OnScrollChanged(SetupScrollBar bar, int value);
  // A step of the thumb while it is dragged.
  void OnScrollTracked(SetupScrollBar bar, int value);
  void OnScrollStepped(SetupScrollBar bar, ScrollStep step);
  // The scroll action is over (after a drag or a series of steps).
  void OnScrollEnded(SetupScrollBar bar);
  void OnSoundOffChosen(int position);
  void OnFontChosen(int position);
  void OnSelectBackgroundClicked();
  void OnSelectLogoClicked();
  void OnAboutClicked();
  void OnHelpClicked();

  // The dialog's own procedures.
  void Navigate(const std::string& webPageUrl);
  void BackGround();
  void SelectBG();
  void SelectLogo();

  // What the controls hold now.
  bool checked(SetupCheckBox box) const { return checks_[static_cast<int>(box)]; }
  const std::string& text(SetupTextBox box) const { return texts_[static_cast<int>(box)]; }
  int scrollValue(SetupScrollBar bar) const { return scrolls_[static_cast<int>(bar)]; }
  const std::vector<std::string>& fonts() const { return fonts_; }

 private:
  std::string Read(const char* section, const char* key);
  void ShowScroll(SetupScrollBar bar, int value);
  void ShowNumber(const ScrollBarBinding& bar);
  void WriteScroll(SetupScrollBar bar);
  void EnableSelectBackground();
  void LoadCheck(SetupCheckBox box);
  void LoadText(SetupTextBox box);
  // Shows the stored setting of a path box.
  void ShowStored(SetupTextBox box);
  void LoadScroll(SetupScrollBar bar);
  std::optional<int> FontPosition(const std::string& stored) const;
  void LoadFontPosition();
  void LoadFontName();

  SettingsStore& store_;
  PlatformServices& platform_;
  SetupView& view_;

  std::array<bool, 5> checks_{};
  std::array<std::string, 6> texts_;
  std::array<int, 3> scrolls_{};
  std::array<bool, 3> dragPending_{};  // a bar that writes on release was dragged
  int backgroundOption_ = -1;
  int fontSelection_ = -1;
  std::vector<std::string> fonts_;
  std::string soundOffText_ = kSoundNever;
  bool selectBackgroundEnabled_ = true;

  // The dialog's state besides its controls (the speed and sensitivity
  // values it last showed are the texts of their number boxes).
  std::string backGround_;
};

}  // namespace skyvault
