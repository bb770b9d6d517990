#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "controls/drawing_control.h"
#include "controls/sound_control.h"

namespace skyvault {

// Stand-ins for the display's tests. Every call is logged as one line of
// text, e.g. "SetSpriteX(3, -320)" or "DrawText(\"12:00:00\", 0, 0, 65535)",
// in the order it came; sprites keep their positions so GetSpriteX answers
// as the real control does.
class RecordingDrawingControl : public DrawingControl {
 public:
  struct Sprite {
    int32_t x = 0;
    int32_t y = 0;
  };

  bool InitDisplay(int32_t width, int32_t height, int32_t depth,
                   const std::string& options) override;
  int32_t CreateSprite() override;
  void LoadSpriteBitmap(int32_t sprite, int32_t role, const std::string& path,
                        int32_t loadCode) override;
  void SetSpriteX(int32_t sprite, int32_t x) override;
  void SetSpriteY(int32_t sprite, int32_t y) override;
  void MoveSpriteX(int32_t sprite, int32_t step) override;
  void MoveSpriteY(int32_t sprite, int32_t step) override;
  int32_t GetSpriteX(int32_t sprite) override;
  void ClearFrame(int32_t colour) override;
  void DrawSprite(int32_t sprite) override;
  void SetTextFont(const std::string& face, int32_t size, int32_t weight, bool italic,
                   bool underline, bool strikeout) override;
  void DrawText(const std::string& text, int32_t x, int32_t y, int32_t colour) override;
  void ShowFrame() override;

  // What InitDisplay answers.
  bool displayAvailable = true;
  // When false, calls still act but are not logged (long simulations).
  bool logging = true;

  std::vector<std::string> calls;
  std::map<int32_t, Sprite> sprites;
  int frames = 0;  // ShowFrame calls

  const Sprite& sprite(int32_t number) const { return sprites.at(number); }
  void ClearCalls() { calls.clear(); }

 private:
  void Log(std::string line);
  int32_t nextSprite_ = 1;
};

class RecordingSoundControl : public SoundControl {
 public:
  int32_t LoadSound(const std::string& path) override;
  void SetSoundVolume(int32_t handle, int32_t volume) override;
  void PlaySound(int32_t handle, int32_t loop, int32_t position) override;
  void SilenceSound(int32_t handle) override;
  void StopSound(int32_t handle) override;
  void StopAllSound() override;

  // What LoadSound answers.
  int32_t nextHandle = 7;
  bool logging = true;
  std::vector<std::string> calls;
  int playCalls = 0;

 private:
  void Log(std::string line);
};

}  // namespace skyvault
