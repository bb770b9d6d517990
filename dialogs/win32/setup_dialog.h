#pragma once
#include <array>
#include <memory>

#include "dialogs/setup.h"
#include "dialogs/win32/setup_controls.h"
#include "dialogs/win32/twip_layout.h"
#include "platform/platform_services.h"
#include "platform/win32/scaled_font.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_headers.h"
#include "platform/win32/win32_platform_services.h"
#include "platform/win32/window_base.h"
#include "settings/settings_store.h"

namespace skyvault::win32 {

// Configure mode: shows the settings dialog `Setup` (not modal) over the
// settings in the registry and runs its events until it closes; returns the
// exit code.
int RunSetup(HINSTANCE instance);

class SetupDialog;

// One page of the tab control: a child dialog whose controls report to the
// settings dialog.
class SetupDialogPage final : public WindowBase {
 public:
  explicit SetupDialogPage(SetupDialog& dialog) : dialog_(dialog) {}
  HWND Create(HINSTANCE instance, HWND parent);

 private:
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  SetupDialog& dialog_;
};

// The settings dialog `Setup` as a Windows dialog: a tab control with four
// pages and a button bar, made from the table of its controls
// (setup_controls.h) and laid out from twips for the monitor's DPI. It only
// turns Windows messages into calls of the dialog's logic and shows what the
// logic sets.
class SetupDialog final : public WindowBase, public SetupView {
 public:
  // `platform` null: message boxes and the shell belong to the dialog
  // (tests pass a fake).
  SetupDialog(HINSTANCE instance, SettingsStore& store, PlatformServices* platform = nullptr);
  ~SetupDialog() override;

  // Creates the window centred on its monitor, runs the opening steps and
  // shows it on the "Aircraft" page. While it exists it is one of the
  // windows the saver's ending unloads.
  HWND Create();
  using WindowBase::hwnd;
  // A control by its identifier (setup_dialog_ids.h), on any page.
  HWND control(int id) const;
  HWND page(int index) const { return pages_[static_cast<size_t>(index)]->hwnd(); }
  Setup& logic() { return setup_; }
  // Posts WM_QUIT when the window is destroyed (configure mode's loop).
  bool quitOnDestroy = false;

  // SetupView
  void SetCheck(SetupCheckBox box, bool checked) override;
  void SetText(SetupTextBox box, const std::string& text) override;
  void SetScrollValue(SetupScrollBar bar, int value) override;
  void SelectBackgroundOption(int position) override;
  void EnableSelectBackground(bool enabled) override;
  void SetSoundOffEntries(const std::vector<std::string>& entries) override;
  void SetSoundOffText(const std::string& text) override;
  void SetFontList(const std::vector<std::string>& names) override;
  void SelectFont(int position) override;
  void SetSampleFace(const std::string& face) override;
  void ShowImagePicker(const PickerConfiguration& configuration) override;

 private:
  friend class SetupDialogPage;

  std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  // What the dialog and its pages share: the controls' reports.
  std::optional<LRESULT> OnControlMessage(UINT message, WPARAM wParam, LPARAM lParam);
  bool RefitForDpi(UINT dpi) override;
  void OnDestroyed() override;

  void BuildControls();
  void AddTabsAndPages();
  void AddToolTip();
  HWND Parent(SetupPage page) const;
  TwipLayout& Layout(SetupPage page);
  HWND control(SetupRole role) const { return control(SetupControlId(role)); }
  void Place(UINT dpi);
  void PlaceSoundOffCombo();
  // Replaces a combo's entries; the combo's notifications meanwhile are not the user's.
  void FillCombo(SetupList list, const std::vector<std::string>& entries);
  void ShowPage(int index);
  void OnCommand(int id, int code, HWND from);
  void Press(SetupButton button);
  void OnScroll(HWND bar, int code, int position);

  HINSTANCE instance_;
  SettingsStore& store_;
  PlatformServices* injectedPlatform_;
  std::unique_ptr<Win32PlatformServices> ownPlatform_;
  Setup setup_;

  HWND tab_ = nullptr;
  HWND tooltip_ = nullptr;
  std::array<std::unique_ptr<SetupDialogPage>, kSetupPageCount> pages_;
  TwipLayout mainLayout_;
  std::array<TwipLayout, kSetupPageCount> pageLayouts_;
  UINT dpi_ = 96;
  ScaledFont dialogFont_{L"MS Sans Serif", 825};
  ScaledFont helpFont_{L"Arial", 825};
  ScaledFont sampleFont_{L"", 1350};
  UniqueBrush skyBrush_;
  int updating_ = 0;  // >0 while the logic sets controls: their notifications are not the user's
};

}  // namespace skyvault::win32
