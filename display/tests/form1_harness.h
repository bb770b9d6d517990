#pragma once
// A Form1 wired to the recording controls, an in-memory settings store, the
// fake platform and a fake host, with one log that shows every visible call
// of all of them in the order it happened.
#include <cstdint>
#include <string>
#include <type_traits>
#include <vector>

#include "controls/recording_controls.h"
#include "display/form1.h"
#include "platform/fake_platform_services.h"
#include "settings/memory_settings_store.h"
#include "settings/settings_schema.h"

namespace skyvault::testing {

using Log = std::vector<std::string>;

// Settings reads and writes, as "Read(Startup/Message)" and "Write(Planes/Plane01=1)".
class LoggedStore : public SettingsStore {
 public:
  LoggedStore(MemorySettingsStore& inner, Log& log) : inner_(inner), log_(log) {}
  std::string Read(const std::string& section, const std::string& key,
                   const std::string& fallback) override {
    if (logging) log_.push_back("Read(" + section + "/" + key + (fallback == "1" ? "" : " fallback " + fallback) + ")");
    return inner_.Read(section, key, fallback);
  }
  void Write(const std::string& section, const std::string& key,
             const std::string& value) override {
    if (logging) log_.push_back("Write(" + section + "/" + key + "=" + value + ")");
    inner_.Write(section, key, value);
  }
  bool logging = true;

 private:
  MemorySettingsStore& inner_;
  Log& log_;
};

// Copies each line the recording control logs into the shared log.
template <typename Recorder>
class Tap {
 protected:
  Tap(Recorder& inner, Log& log) : inner_(inner), log_(log) {}
  template <typename Call>
  auto Pass(Call call) {
    const size_t before = inner_.calls.size();
    if constexpr (std::is_void_v<decltype(call())>) {
      call();
      Copy(before);
    } else {
      auto result = call();
      Copy(before);
      return result;
    }
  }
  Recorder& inner_;

 private:
  void Copy(size_t before) {
    for (size_t i = before; i < inner_.calls.size(); ++i) log_.push_back(inner_.calls[i]);
  }
  Log& log_;
};

class LoggedDrawing : public DrawingControl, Tap<RecordingDrawingControl> {
 public:
  LoggedDrawing(RecordingDrawingControl& inner, Log& log) : Tap(inner, log) {}
  bool InitDisplay(int32_t w, int32_t h, int32_t d, const std::string& o) override {
    return Pass([&] { return inner_.InitDisplay(w, h, d, o); });
  }
  int32_t CreateSprite() override { return Pass([&] { return inner_.CreateSprite(); }); }
  void LoadSpriteBitmap(int32_t s, int32_t f, const std::string& p, int32_t c) override {
    Pass([&] { inner_.LoadSpriteBitmap(s, f, p, c); });
  }
  void SetSpriteX(int32_t s, int32_t x) override { Pass([&] { inner_.SetSpriteX(s, x); }); }
  void SetSpriteY(int32_t s, int32_t y) override { Pass([&] { inner_.SetSpriteY(s, y); }); }
  void MoveSpriteX(int32_t s, int32_t d) override { Pass([&] { inner_.MoveSpriteX(s, d); }); }
  void MoveSpriteY(int32_t s, int32_t d) override { Pass([&] { inner_.MoveSpriteY(s, d); }); }
  int32_t GetSpriteX(int32_t s) override { return Pass([&] { return inner_.GetSpriteX(s); }); }
  void ClearFrame(int32_t c) override { Pass([&] { inner_.ClearFrame(c); }); }
  void DrawSprite(int32_t s) override { Pass([&] { inner_.DrawSprite(s); }); }
  void SetTextFont(const std::string& f, int32_t s, int32_t w, bool i, bool u, bool k) override {
    Pass([&] { inner_.SetTextFont(f, s, w, i, u, k); });
  }
  void DrawText(const std::string& t, int32_t x, int32_t y, int32_t c) override {
    Pass([&] { inner_.DrawText(t, x, y, c); });
  }
  void ShowFrame() override { Pass([&] { inner_.ShowFrame(); }); }
};

class LoggedSound : public SoundControl, Tap<RecordingSoundControl> {
 public:
  LoggedSound(RecordingSoundControl& inner, Log& log) : Tap(inner, log) {}
  int32_t LoadSound(const std::string& p) override { return Pass([&] { return inner_.LoadSound(p); }); }
  void SetSoundVolume(int32_t h, int32_t v) override { Pass([&] { inner_.SetSoundVolume(h, v); }); }
  void PlaySound(int32_t h, int32_t l, int32_t p) override { Pass([&] { inner_.PlaySound(h, l, p); }); }
  void SilenceSound(int32_t h) override { Pass([&] { inner_.SilenceSound(h); }); }
  void StopSound(int32_t h) override { Pass([&] { inner_.StopSound(h); }); }
  void StopAllSound() override { Pass([&] { inner_.StopAllSound(); }); }
};

// The fake platform, its visible effects copied into the shared log (the
// message box with its kind).
class LoggedPlatform : public PlatformServices {
 public:
  LoggedPlatform(FakePlatformServices& inner, Log& log) : inner_(inner), log_(log) {}
  uint32_t TickCount() override { return inner_.TickCount(); }
  TimeOfDay LocalTime() override { return inner_.LocalTime(); }
  std::string FormatTime(const TimeOfDay& t) override { return inner_.FormatTime(t); }
  double Random() override { return inner_.Random(); }
  void ShowCursor(bool show) override { Pass([&] { inner_.ShowCursor(show); }); }
  void SetScreenSaverRunning(bool running) override {
    Pass([&] { inner_.SetScreenSaverRunning(running); });
  }
  void ShowMessage(const std::string& text, const std::string& title, MessageBoxKind kind) override {
    Pass([&] { inner_.ShowMessage(text, title, kind); });
    log_.back() += kind == MessageBoxKind::Plain ? " plain" : " exclamation";
  }
  void ShellOpen(const std::string& target) override { Pass([&] { inner_.ShellOpen(target); }); }

 private:
  template <typename Call>
  void Pass(Call call) {
    const size_t before = inner_.log.size();
    call();
    for (size_t i = before; i < inner_.log.size(); ++i) log_.push_back(inner_.log[i]);
  }
  FakePlatformServices& inner_;
  Log& log_;
};

// Unloading the display window runs Form1's unload handler, as a window's
// going does.
class FakeHost : public Form1Host {
 public:
  explicit FakeHost(Log& log) : log_(log) {}
  void UnloadOtherWindows() override { log_.push_back("UnloadOtherWindows"); }
  void UnloadDisplayWindow() override {
    log_.push_back("UnloadDisplayWindow");
    if (form) form->Unload();
  }
  void EndProgram() override {
    log_.push_back("EndProgram");
    ++ended;
  }
  Form1* form = nullptr;
  int ended = 0;

 private:
  Log& log_;
};

struct Harness {
  Harness() {
    host.form = &form;
    platform.tick = 100000;  // a machine that has been up a while
  }

  // Sets a stored value without it showing in the log.
  void Set(const std::string& section, const std::string& key, const std::string& value) {
    store.Write(section, key, value);
    store.ClearWrites();
  }
  // A store that has been through a first run, then `key` changed.
  void FirstRunStore() {
    SetRegistry(store);
    store.ClearWrites();
  }
  void Load() { form.Load(); }
  // A first-run store with the given Startup values, loaded, log cleared.
  void LoadWith(const std::vector<std::pair<std::string, std::string>>& startup = {}) {
    FirstRunStore();
    for (const auto& [key, value] : startup) Set("Startup", key, value);
    Load();
    log.clear();
    drawing.ClearCalls();
    sound.calls.clear();
  }
  // One frame, `ms` after the last.
  void Frame(uint32_t ms = 16) {
    platform.tick += ms;
    form.OnFrame();
  }
  void Frames(int count, uint32_t ms = 16) {
    for (int i = 0; i < count; ++i) Frame(ms);
  }
  // The log since the last call.
  Log Take() {
    Log taken;
    taken.swap(log);
    return taken;
  }
  // Quiet mode for long runs: nothing is logged anywhere.
  void Quiet() {
    drawing.logging = false;
    sound.logging = false;
    loggedStore.logging = false;
  }

  Form1State& state() { return form.state(); }
  const RecordingDrawingControl::Sprite& sprite(int32_t number) const {
    return drawing.sprite(number);
  }

  Log log;
  MemorySettingsStore store;
  RecordingDrawingControl drawing;
  RecordingSoundControl sound;
  FakePlatformServices platform;
  LoggedStore loggedStore{store, log};
  LoggedDrawing loggedDrawing{drawing, log};
  LoggedSound loggedSound{sound, log};
  LoggedPlatform loggedPlatform{platform, log};
  FakeHost host{log};
  Form1 form{loggedStore, loggedDrawing, loggedSound, loggedPlatform, host};
};

// Lines of `log` that start with `prefix`.
inline Log Matching(const Log& log, const std::string& prefix) {
  Log found;
  for (const auto& line : log) {
    if (line.rfind(prefix, 0) == 0) found.push_back(line);
  }
  return found;
}

inline int Count(const Log& log, const std::string& prefix) {
  return static_cast<int>(Matching(log, prefix).size());
}

}  // namespace skyvault::testing
