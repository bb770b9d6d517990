#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "controls/canvas.h"
#include "controls/sprite_picture.h"
#include "controls/text_renderer.h"

namespace skyvault {

// A line of text as it lands on the canvas: its bounds, and once drawn its
// pixels kept like a picture with soft edges (premultiplied colour and the
// coverage as alpha), so that it is laid over whatever is under it without
// asking the font engine again.
struct TextPicture {
  TextFont font;
  std::string text;
  int x = 0;  // on the canvas
  int y = 0;
  RgbColour colour = 0;
  int canvasWidth = 0;
  int canvasHeight = 0;

  PixelRect bounds;                              // what the text may change on the canvas
  std::shared_ptr<const SpritePicture> picture;  // none until drawn
  int64_t left = 0;                              // where the picture's top-left corner lands
  int64_t top = 0;
  uint64_t lastUsed = 0;  // the frame it was last asked for in
};

// The texts of the last frame or two (the message, the clock and the
// clock's last second), each measured and drawn once by the renderer.
class TextPictures {
 public:
  explicit TextPictures(TextRenderer& renderer) : renderer_(renderer) {}

  // The entry of `text` in `font` at (x, y) in `colour` on `canvas`,
  // measured the first time it is asked for (`font` must be the renderer's
  // current font).
  std::shared_ptr<TextPicture> Find(const CanvasView& canvas, const TextFont& font,
                                    const std::string& text, int x, int y, RgbColour colour);
  // Its picture, drawn the first time it is asked for: the renderer draws
  // the text on `canvas` over black and over white (the canvas's pixels
  // there are put back after) and the two give its colour and coverage.
  // Leaves the renderer in the text's font.
  const SpritePicture& PictureOf(TextPicture& entry, const CanvasView& canvas);
  // Forgets the texts asked for neither in this frame nor in the one before.
  void EndFrame();
  size_t size() const { return entries_.size(); }

 private:
  TextRenderer& renderer_;
  std::vector<std::shared_ptr<TextPicture>> entries_;
  uint64_t frame_ = 1;
};

// The premultiplied pixel (0xAARRGGBB) that, blended over any canvas pixel,
// gives what the renderer draws there: `overBlack` and `overWhite` are what
// it drew over black and over white. Alpha is 255 less the most any colour
// channel let the white through.
uint32_t PremultipliedOf(uint32_t overBlack, uint32_t overWhite);

}  // namespace skyvault
