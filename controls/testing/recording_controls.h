#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <type_traits>
#include <vector>

#include "controls/drawing_control.h"
#include "controls/sound_control.h"

namespace skyvault {

// Stand-ins for the display's tests. Every call is logged as one line of
// text, e.g. "SetSpriteX(3, -320)" or "DrawText(\"12:00:00\", 0, 0, 65535)",
// in the order it came; sprites keep their positions so GetSpriteX answers
// as the real control does.
class CallLog {
 public:
  // When false, calls still act but are not logged (long simulations).
  bool logging = true;
  std::vector<std::string> calls;
  void ClearCalls() { calls.clear(); }

 protected:
  template <typename... Args>
  void Log(const char* name, const Args&... args) {
    std::string line = std::string(name) + "(", comma;
    ((line += comma + Text(args), comma = ", "), ...);
    if (logging) calls.push_back(line + ")");
  }
  void Answer(std::string result) {  // " = result" after the last call's line
    if (logging) calls.back() += " = " + result;
  }

 private:
  template <typename T>
  static std::string Text(const T& value) {
    if constexpr (std::is_same_v<T, bool>) {
      return value ? "true" : "false";
    } else if constexpr (std::is_same_v<T, std::string>) {
      return "\"" + value + "\"";
    } else {
      return std::to_string(value);
    }
  }
};

class RecordingDrawingControl : public DrawingControl, public CallLog {
 public:
  struct Sprite {
    int32_t x = 0, y = 0;
  };

  bool InitDisplay(int32_t width, int32_t height, int32_t depth,
                   const std::string& options) override {
    Log("InitDisplay", width, height, depth, options);
    return displayAvailable;
  }
  int32_t CreateSprite() override {
    sprites[nextSprite_] = Sprite{};
    Log("CreateSprite");
    Answer(std::to_string(nextSprite_));
    return nextSprite_++;
  }
  void LoadSpriteBitmap(int32_t sprite, int32_t role, const std::string& path,
                        int32_t loadCode) override {
    Log("LoadSpriteBitmap", sprite, role, path, loadCode);
  }
  void SetSpriteX(int32_t s, int32_t x) override { Log("SetSpriteX", s, x), sprites[s].x = x; }
  void SetSpriteY(int32_t s, int32_t y) override { Log("SetSpriteY", s, y), sprites[s].y = y; }
  void MoveSpriteX(int32_t s, int32_t step) override {
    Log("MoveSpriteX", s, step), sprites[s].x += step;
  }
  void MoveSpriteY(int32_t s, int32_t step) override {
    Log("MoveSpriteY", s, step), sprites[s].y += step;
  }
  int32_t GetSpriteX(int32_t sprite) override {
    const auto found = sprites.find(sprite);
    const int32_t x = found == sprites.end() ? 0 : found->second.x;
    Log("GetSpriteX", sprite);
    Answer(std::to_string(x));
    return x;
  }
  void ClearFrame(int32_t colour) override { Log("ClearFrame", colour); }
  void DrawSprite(int32_t sprite) override { Log("DrawSprite", sprite); }
  void SetTextFont(const std::string& face, int32_t size, int32_t weight, bool italic,
                   bool underline, bool strikeout) override {
    Log("SetTextFont", face, size, weight, italic, underline, strikeout);
  }
  void DrawText(const std::string& text, int32_t x, int32_t y, int32_t colour) override {
    Log("DrawText", text, x, y, colour);
  }
  void ShowFrame() override {
    ++frames;
    Log("ShowFrame");
  }

  // What InitDisplay answers.
  bool displayAvailable = true;
  std::map<int32_t, Sprite> sprites;
  int frames = 0;  // ShowFrame calls

  const Sprite& sprite(int32_t number) const { return sprites.at(number); }

 private:
  int32_t nextSprite_ = 1;
};

class RecordingSoundControl : public SoundControl, public CallLog {
 public:
  int32_t LoadSound(const std::string& path) override {
    Log("LoadSound", path);
    Answer(std::to_string(nextHandle));
    return nextHandle;
  }
  void SetSoundVolume(int32_t handle, int32_t volume) override {
    Log("SetSoundVolume", handle, volume);
  }
  void PlaySound(int32_t handle, int32_t loop, int32_t position) override {
    ++playCalls, Log("PlaySound", handle, loop, position);
  }
  void SilenceSound(int32_t handle) override { Log("SilenceSound", handle); }
  void StopSound(int32_t handle) override { Log("StopSound", handle); }
  void StopAllSound() override { Log("StopAllSound"); }

  // What LoadSound answers.
  int32_t nextHandle = 7;
  int playCalls = 0;
};

}  // namespace skyvault
