#pragma once
#include <string>
#include <vector>

namespace skyvault {

struct PickerConfiguration;

// The controls of the settings dialog `Setup` that the logic sets, by their names.
enum class SetupCheckBox { chkProp, chkMessage, chkLogo, chkClock, chkPowerSave };
enum class SetupTextBox { txtMessage, txtFontSize, txtBGFile, txtLogo, txtSpeed, txtMouseS };
enum class SetupScrollBar { hsbSpeed, hsbMouseS, hsbVolume };

// What the settings dialog's logic asks of the window that shows it. Setting
// a control here never reports back as a user's change.
class SetupView {
 public:
  virtual ~SetupView() = default;
  virtual void SetCheck(SetupCheckBox box, bool checked) = 0;
  virtual void SetText(SetupTextBox box, const std::string& text) = 0;
  virtual void SetScrollValue(SetupScrollBar bar, int value) = 0;
  // Checks the option of `optBakGrnd` at `position` (0 to 2), or none for -1.
  virtual void SelectBackgroundOption(int position) = 0;
  virtual void EnableSelectBackground(bool enabled) = 0;
  virtual void SetSoundOffEntries(const std::vector<std::string>& entries) = 0;
  // The edit field of `cboSoundOff`.
  virtual void SetSoundOffText(const std::string& text) = 0;
  virtual void SetFontList(const std::vector<std::string>& names) = 0;
  // Selects the entry of `cboFontsScreen` at `position`, or none for -1.
  virtual void SelectFont(int position) = 0;
  // The face of `lblSample` (its size stays).
  virtual void SetSampleFace(const std::string& face) = 0;
  // Shows an image picker modally; returns once it has closed.
  virtual void ShowImagePicker(const PickerConfiguration& configuration) = 0;
};

}  // namespace skyvault
