#pragma once
#include <array>
#include <memory>

#include "dialogs/setup.h"
#include "dialogs/win32/twip_layout.h"
#include "platform/platform_services.h"
#include "platform/win32/win32_headers.h"
#include "platform/win32/win32_platform_services.h"
#include "settings/settings_store.h"

namespace skyvault::win32 {

// Configure mode: shows the settings dialog `Setup` (not modal) over the
// settings in the registry and runs its events until it closes; returns the
// exit code.
int RunSetup(HINSTANCE instance);

// The settings dialog `Setup` as a Windows dialog: a tab control with four
// pages and a button bar, laid out from twips for the monitor's DPI. It only
// turns Windows messages into calls of the dialog's logic and shows what the
// logic sets.
class SetupDialog final : public SetupView {
 public:
  // `platform` null: message boxes belong to the dialog (tests pass a fake).
  SetupDialog(HINSTANCE instance, SettingsStore& store, PlatformServices* platform = nullptr);
  ~SetupDialog() override;
  SetupDialog(const SetupDialog&) = delete;
  SetupDialog& operator=(const SetupDialog&) = delete;

  // Creates the window centred on its monitor, runs the opening steps and
  // shows it on the "Aircraft" page.
  HWND Create();
  HWND hwnd() const { return hwnd_; }
  // A control by its identifier (setup_dialog_ids.h), on any page.
  HWND control(int id) const;
  HWND page(int index) const { return pages_[static_cast<size_t>(index)]; }
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
  void OpenPage(const std::string& address) override;

 private:
  static INT_PTR CALLBACK MainProc(HWND hwnd, UINT message, WPARAM wp, LPARAM lp);
  static INT_PTR CALLBACK PageProc(HWND hwnd, UINT message, WPARAM wp, LPARAM lp);
  INT_PTR Handle(HWND hwnd, UINT message, WPARAM wp, LPARAM lp);
  void BuildControls();
  void BuildAircraftPage(HWND page);
  void BuildBackgroundPage(HWND page);
  void BuildLogoMessagePage(HWND page);
  void BuildHelpPage(HWND page);
  void Place(UINT dpi);
  void PlaceSoundOffCombo();
  void ShowPage(int index);
  void OnCommand(int id, int code, HWND from);
  void OnScroll(HWND bar, int code, int position);
  void CenterOnMonitor();

  HINSTANCE instance_;
  SettingsStore& store_;
  PlatformServices* injectedPlatform_;
  std::unique_ptr<Win32PlatformServices> ownPlatform_;
  PlatformServices& platform_;
  Setup setup_;

  HWND hwnd_ = nullptr;
  HWND tab_ = nullptr;
  HWND tooltip_ = nullptr;
  std::array<HWND, 4> pages_{};
  TwipLayout mainLayout_;
  std::array<TwipLayout, 4> pageLayouts_;
  UINT dpi_ = 96;
  HFONT font_ = nullptr;
  HFONT helpFont_ = nullptr;
  HFONT sampleFont_ = nullptr;
  std::wstring sampleFace_;
  HBRUSH skyBrush_ = nullptr;
  int updating_ = 0;  // >0 while the logic sets controls: their notifications are not the user's
  std::vector<std::string> fonts_;
};

}  // namespace skyvault::win32
