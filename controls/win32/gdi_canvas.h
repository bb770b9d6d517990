#pragma once
#include <map>
#include <optional>
#include <tuple>

#include "controls/canvas.h"
#include "controls/text_renderer.h"
#include "platform/win32/win32_headers.h"

namespace skyvault::win32 {

// The canvas in a DIB section (RGB565 bit fields at depth 16, 32-bit
// otherwise), selected into a memory device context so that the system's
// font engine draws text straight into the canvas memory.
//
// A font's size is the height of its line of text in canvas pixels, so a
// size-24 line at y = 575 stays whole on a 600-pixel canvas. An unknown face
// gets the system's substitute. Text has a transparent background, and its
// solid pixels have exactly the colour asked for.
class GdiCanvas : public TextRenderer {
 public:
  GdiCanvas();
  ~GdiCanvas() override;
  GdiCanvas(const GdiCanvas&) = delete;
  GdiCanvas& operator=(const GdiCanvas&) = delete;

  std::optional<CanvasView> Create(int width, int height, int depth);
  HDC dc() const { return dc_; }

  void SetFont(const TextFont& font) override;
  PixelRect Draw(const CanvasView& canvas, const std::string& text, int x, int y,
                 int32_t colour) override;

 private:
  HFONT FontFor(const TextFont& font);

  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ originalBitmap_ = nullptr;
  HGDIOBJ originalFont_ = nullptr;
  using FontKey = std::tuple<std::string, int32_t, int32_t, bool, bool, bool>;
  std::map<FontKey, HFONT> fonts_;  // the few fonts a run uses, kept
  HFONT font_ = nullptr;
};

}  // namespace skyvault::win32
