#pragma once
#include "controls/drawing_control.h"

namespace skyvault {

// A drawing control that passes every call on to another; derived controls
// override only what they add.
class ForwardingDrawingControl : public DrawingControl {
 public:
  explicit ForwardingDrawingControl(DrawingControl& inner) : inner_(inner) {}

  bool InitDisplay(int32_t width, int32_t height, int32_t depth,
                   const std::string& options) override {
    return inner_.InitDisplay(width, height, depth, options);
  }
  int32_t CreateSprite() override { return inner_.CreateSprite(); }
  void LoadSpriteBitmap(int32_t sprite, int32_t role, const std::string& path,
                        int32_t loadCode) override {
    inner_.LoadSpriteBitmap(sprite, role, path, loadCode);
  }
  void SetSpriteX(int32_t sprite, int32_t x) override { inner_.SetSpriteX(sprite, x); }
  void SetSpriteY(int32_t sprite, int32_t y) override { inner_.SetSpriteY(sprite, y); }
  void MoveSpriteX(int32_t sprite, int32_t step) override { inner_.MoveSpriteX(sprite, step); }
  void MoveSpriteY(int32_t sprite, int32_t step) override { inner_.MoveSpriteY(sprite, step); }
  int32_t GetSpriteX(int32_t sprite) override { return inner_.GetSpriteX(sprite); }
  void ClearFrame(RgbColour colour) override { inner_.ClearFrame(colour); }
  void DrawSprite(int32_t sprite) override { inner_.DrawSprite(sprite); }
  void SetTextFont(const std::string& face, int32_t size, int32_t weight, bool italic,
                   bool underline, bool strikeout) override {
    inner_.SetTextFont(face, size, weight, italic, underline, strikeout);
  }
  void DrawText(const std::string& text, int32_t x, int32_t y, RgbColour colour) override {
    inner_.DrawText(text, x, y, colour);
  }
  void ShowFrame() override { inner_.ShowFrame(); }

 private:
  DrawingControl& inner_;
};

}  // namespace skyvault
