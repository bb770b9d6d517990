#pragma once
#include <cstdint>
#include <vector>

#include "controls/drawing_control.h"

namespace skyvault::win32 {

// A drawing control that passes every call on to another and notes the
// performance-counter time at which each ShowFrame returned: the moments
// the frames reached the screen.
class TimedDrawingControl : public DrawingControl {
 public:
  explicit TimedDrawingControl(DrawingControl& inner, size_t expectedFrames = 8192);

  // Performance-counter values, one per ShowFrame, in order.
  const std::vector<int64_t>& shownAt() const { return shownAt_; }

  bool InitDisplay(int32_t width, int32_t height, int32_t depth,
                   const std::string& options) override;
  int32_t CreateSprite() override;
  void LoadSpriteBitmap(int32_t sprite, int32_t frames, const std::string& path,
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

 private:
  DrawingControl& inner_;
  std::vector<int64_t> shownAt_;
};

}  // namespace skyvault::win32
