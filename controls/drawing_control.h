#pragma once
#include <cstdint>
#include <string>

#include "controls/pixel_format.h"

namespace skyvault {

// LoadSpriteBitmap's roles: a picture shown at its own size, and the
// background, which a picture of another size than the frame is scaled to
// cover (aspect kept, centred, the overflow cut off).
inline constexpr int32_t kPlainPicture = 1;
inline constexpr int32_t kCoverTheFrame = 2;

// What the display window hears from the drawing control.
class DrawingEvents {
 public:
  virtual ~DrawingEvents() = default;
  virtual void OnFrame() = 0;
  virtual void OnPointerMove() = 0;
  virtual void OnMouseButton() = 0;
  virtual void OnKey() = 0;
};

// The full-screen drawing session: an 800 x 600 frame, numbered sprites
// with positions, text and presentation. Positions are pixels, origin
// top-left, y downwards; sprites may stand anywhere, off-screen included.
class DrawingControl {
 public:
  virtual ~DrawingControl() = default;
  virtual bool InitDisplay(int32_t width, int32_t height, int32_t depth,
                           const std::string& options) = 0;
  virtual int32_t CreateSprite() = 0;
  // loadCode -1: an aircraft (transparent surroundings); -2: an opaque
  // picture. `role`: kPlainPicture, or kCoverTheFrame for the background.
  virtual void LoadSpriteBitmap(int32_t sprite, int32_t role, const std::string& path,
                                int32_t loadCode) = 0;
  virtual void SetSpriteX(int32_t sprite, int32_t x) = 0;
  virtual void SetSpriteY(int32_t sprite, int32_t y) = 0;
  virtual void MoveSpriteX(int32_t sprite, int32_t step) = 0;
  virtual void MoveSpriteY(int32_t sprite, int32_t step) = 0;
  virtual int32_t GetSpriteX(int32_t sprite) = 0;
  virtual void ClearFrame(RgbColour colour) = 0;
  virtual void DrawSprite(int32_t sprite) = 0;
  virtual void SetTextFont(const std::string& face, int32_t size, int32_t weight, bool italic,
                           bool underline, bool strikeout) = 0;
  virtual void DrawText(const std::string& text, int32_t x, int32_t y, RgbColour colour) = 0;
  virtual void ShowFrame() = 0;
};

}  // namespace skyvault
