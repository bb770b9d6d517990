#pragma once
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "dialogs/image_file_picker.h"
#include "dialogs/setup_view.h"

namespace skyvault {

// A settings-dialog view for tests: keeps what each control shows and logs
// every call as a line.
class RecordingSetupView : public SetupView {
 public:
  void SetCheck(SetupCheckBox box, bool checked) override {
    checks[box] = checked;
    log.push_back("SetCheck " + std::to_string(static_cast<int>(box)) + (checked ? " 1" : " 0"));
  }
  void SetText(SetupTextBox box, const std::string& text) override {
    texts[box] = text;
    log.push_back("SetText " + std::to_string(static_cast<int>(box)) + " " + text);
  }
  void SetScrollValue(SetupScrollBar bar, int value) override {
    scrolls[bar] = value;
    log.push_back("SetScroll " + std::to_string(static_cast<int>(bar)) + " " +
                  std::to_string(value));
  }
  void SelectBackgroundOption(int position) override {
    backgroundOption = position;
    log.push_back("SelectBackgroundOption " + std::to_string(position));
  }
  void EnableSelectBackground(bool enabled) override {
    selectBackgroundEnabled = enabled;
    log.push_back(enabled ? "EnableSelectBackground 1" : "EnableSelectBackground 0");
  }
  void SetSoundOffEntries(const std::vector<std::string>& entries) override {
    soundOffEntries = entries;
    log.push_back("SetSoundOffEntries");
  }
  void SetSoundOffText(const std::string& text) override {
    soundOffText = text;
    log.push_back("SetSoundOffText " + text);
  }
  void SetFontList(const std::vector<std::string>& names) override {
    fonts = names;
    log.push_back("SetFontList");
  }
  void SelectFont(int position) override {
    fontSelection = position;
    log.push_back("SelectFont " + std::to_string(position));
  }
  void SetSampleFace(const std::string& face) override {
    sampleFace = face;
    log.push_back("SetSampleFace " + face);
  }
  void ShowImagePicker(const PickerConfiguration& configuration) override {
    log.push_back(std::string("ShowImagePicker ") + configuration.name);
    if (onPicker) onPicker(configuration);
  }
  void OpenPage(const std::string& address) override { log.push_back("OpenPage " + address); }

  std::map<SetupCheckBox, bool> checks;
  std::map<SetupTextBox, std::string> texts;
  std::map<SetupScrollBar, int> scrolls;
  int backgroundOption = -2;
  bool selectBackgroundEnabled = true;
  std::vector<std::string> soundOffEntries;
  std::string soundOffText;
  std::vector<std::string> fonts;
  int fontSelection = -2;
  std::string sampleFace;
  // What the modal picker does while it is shown (for example, write a path).
  std::function<void(const PickerConfiguration&)> onPicker;
  std::vector<std::string> log;
};

}  // namespace skyvault
