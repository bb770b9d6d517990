#pragma once
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "controls/text_renderer.h"

namespace skyvault {

// Text through FreeType, in the faces fontconfig chooses: "Arial" becomes
// what the system offers for it (Liberation Sans on Debian), an unknown
// face the system's sans-serif. Glyphs are antialiased and drawn straight
// into the 32-bit canvas with a transparent background; fully
// covered pixels get exactly the colour asked for.
//
// A font's size is the height of its line of text in canvas pixels (the
// face's ascent and descent together), so a size-24 line at y = 575 stays
// whole on a 600-pixel canvas. Weights from 600 up are bold. Text is UTF-8;
// a byte that is not part of valid UTF-8 stands for itself (Latin-1).
class FreeTypeTextRenderer : public TextRenderer {
 public:
  FreeTypeTextRenderer();
  ~FreeTypeTextRenderer() override;
  FreeTypeTextRenderer(const FreeTypeTextRenderer&) = delete;
  FreeTypeTextRenderer& operator=(const FreeTypeTextRenderer&) = delete;

  void SetFont(const TextFont& font) override;
  PixelRect Bounds(const CanvasView& canvas, const std::string& text, int x, int y) override;
  void Draw(const CanvasView& canvas, const std::string& text, int x, int y, RgbColour colour,
            const PixelRect& clip) override;

  // The font file chosen for the current font; empty when there is none.
  std::string FontFile();

 private:
  struct Face;
  struct Glyph {
    std::vector<uint8_t> coverage;
    int width = 0;
    int height = 0;
    int left = 0;     // from the pen position to the mask's left edge
    int top = 0;      // from the baseline up to the mask's top edge
    int advance = 0;  // in 1/64 pixel
  };
  // A laid-out line: each glyph's pen position (1/64 pixel) and its glyph.
  struct Layout {
    std::vector<std::pair<int64_t, const Glyph*>> glyphs;
    int64_t width = 0;  // 1/64 pixel
  };

  Face* CurrentFace();
  bool Size(Face& face);
  const Glyph* GlyphFor(Face& face, char32_t character);
  Layout Lay(Face& face, const std::string& text);

  struct Library;
  std::unique_ptr<Library> library_;
  TextFont font_{"Arial", 16};
  using FaceKey = std::tuple<std::string, bool, bool>;  // face, bold, italic
  std::map<FaceKey, std::unique_ptr<Face>> faces_;
  using GlyphKey = std::tuple<const Face*, int32_t, char32_t>;
  std::map<GlyphKey, Glyph> glyphs_;
};

// The characters of UTF-8 text; bytes outside valid UTF-8 are Latin-1.
std::u32string DecodeText(const std::string& text);

}  // namespace skyvault
