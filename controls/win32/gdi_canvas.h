#pragma once
#include <map>
#include <optional>
#include <tuple>

#include "controls/canvas.h"
#include "controls/text_renderer.h"
#include "platform/win32/dib_section.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_headers.h"

namespace skyvault::win32 {

// The canvas in a 32-bit DIB section, selected into a memory device context
// so that the system's font engine draws text straight into the canvas
// memory, antialiased.
//
// A font's size is the height of its line of text in canvas pixels, so a
// size-24 line at y = 575 stays whole on a 600-pixel canvas. An unknown face
// gets the system's substitute. Text has a transparent background, and its
// solid pixels have exactly the colour asked for.
class GdiCanvas : public TextRenderer {
 public:
  GdiCanvas();
  ~GdiCanvas() override = default;
  GdiCanvas(const GdiCanvas&) = delete;
  GdiCanvas& operator=(const GdiCanvas&) = delete;

  std::optional<CanvasView> Create(int width, int height);
  HDC dc() const { return dc_.get(); }

  void SetFont(const TextFont& font) override;
  PixelRect Bounds(const CanvasView& canvas, const std::string& text, int x, int y) override;
  void Draw(const CanvasView& canvas, const std::string& text, int x, int y, RgbColour colour,
            const PixelRect& clip) override;
  // Not under every system: Wine blends the edges of antialiased text
  // gamma-corrected.
  bool BlendsLinearly() const override { return false; }

 private:
  HFONT FontFor(const TextFont& font);
  // The font asked for, or Arial 16 before any was.
  HFONT CurrentFont();
  void Select();
  SIZE Extent(const std::string& text);

  using FontKey = std::tuple<std::string, int32_t, int32_t, bool, bool, bool>;
  std::map<FontKey, UniqueFont> fonts_;  // the few fonts a run uses, kept
  DibSection canvas_;
  MemoryDc dc_;  // goes first, giving back the bitmap and font it held
  HFONT font_ = nullptr;
  HFONT selected_ = nullptr;
  // Sizes of the few texts a run draws again and again (the clock, the message).
  std::map<std::pair<HFONT, std::string>, SIZE> extents_;
};

}  // namespace skyvault::win32
