#pragma once
// A SaverDisplay on recording doubles and a fake host, with one log of every call: the store's,
// the platform's and the host's in order, the controls' pulled in before each of those (sound
// calls before drawing calls).
#include "controls/testing/recording_controls.h"
#include "display/saver_display.h"
#include "platform/testing/fake_platform_services.h"
#include "settings/settings_schema.h"
#include "settings/testing/recording_settings_store.h"

namespace skyvault::testing {

using Log = std::vector<std::string>;
using Values = std::vector<std::pair<std::string, std::string>>;

struct Harness : DisplayHost {
  // The store and the platform note their calls in `log`.
  struct Store : RecordingSettingsStore {
    Harness& h;
    explicit Store(Harness& harness) : h(harness) {}
    std::string Read(const std::string& s, const std::string& k, const std::string& f) override {
      h.Note("Read(" + s + "/" + k + (f == "1" ? "" : " fallback " + f) + ")");
      return RecordingSettingsStore::Read(s, k, f);
    }
    bool Write(const std::string& s, const std::string& k, const std::string& v) override {
      h.Note("Write(" + s + "/" + k + "=" + v + ")");
      return RecordingSettingsStore::Write(s, k, v);
    }
  };
  struct Platform : FakePlatformServices {
    Harness& h;
    explicit Platform(Harness& harness) : h(harness) {}
    void ShowCursor(bool show) override { h.Note(show ? "ShowCursor(true)" : "ShowCursor(false)"); }
    void SetScreenSaverRunning(bool on) override {
      h.Note(on ? "Running(true)" : "Running(false)");
    }
    void ShowMessage(const std::string& text, const std::string& title,
                     MessageBoxKind kind) override {
      h.Note("Message(" + text + " | " + title +
             (kind == MessageBoxKind::Plain ? ") plain" : ") exclamation"));
    }
  };

  void UnloadOtherWindows() override { Note("UnloadOtherWindows"); }
  void UnloadDisplayWindow() override { Note("UnloadDisplayWindow"), form.OnWindowClosed(); }
  void EndProgram() override { Note("EndProgram"), ++ended; }

  // Moves the controls' calls not yet logged there: sound, then drawing.
  void Sync() {
    for (; played < sound.calls.size(); ++played) log.push_back(sound.calls[played]);
    for (; drawn < drawing.calls.size(); ++drawn) log.push_back(drawing.calls[drawn]);
  }
  void Note(std::string line) {
    Sync();
    if (!quiet) log.push_back(std::move(line));
  }
  // Stores a value unseen; `firstRun` first gives the store its first-run values.
  void Set(const Values& values, bool firstRun = true) {
    quiet = true;
    if (firstRun) WriteFirstRunValues(store, platform.DataFolder());
    for (const auto& [key, value] : values) {
      const auto slash = key.find('/');
      slash == std::string::npos ? store.Write("Startup", key, value)
                                 : store.Write(key.substr(0, slash), key.substr(slash + 1), value);
    }
    store.ClearWrites();
    quiet = false;
  }
  // A first-run store with `values`, loaded; the log starts after the load.
  void LoadWith(const Values& values = {}) { Set(values), form.Load(), Take(); }
  void Frame(uint32_t ms = 16) { platform.tick += ms, form.OnFrame(); }
  void Frames(int count, uint32_t ms = 16) {
    while (count-- > 0) Frame(ms);
  }
  // The drawing calls of one frame.
  Log Drawn(uint32_t ms = 16) {
    const size_t from = drawing.calls.size();
    Frame(ms);
    return Log(drawing.calls.begin() + static_cast<long>(from), drawing.calls.end());
  }
  Log Take() {
    Sync();
    return std::exchange(log, {});
  }
  void Quiet() { quiet = true, drawing.logging = sound.logging = false; }
  DisplayState& state() { return form.state(); }
  int X(int sprite) const { return drawing.sprite(sprite).x; }
  int Y(int sprite) const { return drawing.sprite(sprite).y; }

  Log log;
  bool quiet = false;
  size_t drawn = 0, played = 0;
  int ended = 0;
  Store store{*this};
  RecordingDrawingControl drawing;
  RecordingSoundControl sound;
  Platform platform{*this};
  SaverDisplay form{store, drawing, sound, platform, *this};
};

inline int Count(const Log& log, const std::string& prefix) {
  int found = 0;
  for (const auto& line : log) found += line.rfind(prefix, 0) == 0;
  return found;
}

}  // namespace skyvault::testing
