#include "controls/linux/freetype_text_renderer.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "controls/pixel_format.h"
#include "controls/tests/text_picture_check.h"

namespace skyvault {
namespace {

constexpr int32_t kWhite = 0xFFFFFF;

// A black 32-bit canvas and what text changed on it.
struct TextCanvas {
  explicit TextCanvas(int width = 240, int height = 80)
      : memory(static_cast<size_t>(width) * height * 4, 0),
        view{memory.data(), width, height, width * 4, 32} {}
  uint32_t At(int x, int y) const { return reinterpret_cast<const uint32_t*>(view.Row(y))[x]; }
  // The smallest rectangle around every pixel that is not black.
  PixelRect Inked() const {
    PixelRect r{view.width, view.height, 0, 0};
    for (int y = 0; y < view.height; ++y)
      for (int x = 0; x < view.width; ++x)
        if (At(x, y) != 0)
          r = {std::min(r.left, x), std::min(r.top, y), std::max(r.right, x + 1),
               std::max(r.bottom, y + 1)};
    return r;
  }
  int Count(uint32_t pixel) const {  // rows follow each other without a gap
    const auto* all = reinterpret_cast<const uint32_t*>(memory.data());
    return static_cast<int>(std::count(all, all + memory.size() / 4, pixel));
  }
  std::vector<uint8_t> memory;
  CanvasView view;
};

bool Inside(const PixelRect& inner, const PixelRect& outer) {
  return inner.Intersect(outer) == inner;
}

TEST(FreeTypeTextRenderer, ArialResolvesThroughFontconfig) {
  FreeTypeTextRenderer text;
  for (auto [font, part] : {std::pair{TextFont{"Arial", 16}, "Liberation"},
                            {{"Arial", 16, 700}, "Bold"},
                            {{"No Such Face At All", 16}, "/"}}) {  // the system's sans-serif
    text.SetFont(font);
    EXPECT_NE(text.FontFile().find(part), std::string::npos) << text.FontFile();
  }
}

TEST(FreeTypeTextRenderer, AntialiasedTextInTheExactColourWithinItsBoundsAndLine) {
  FreeTypeTextRenderer text;
  text.SetFont({"Arial", 24});
  TextCanvas canvas;
  const PixelRect bounds = text.Bounds(canvas.view, "Ågy 12:34", 10, 20);
  text.Draw(canvas.view, "Ågy 12:34", 10, 20, kWhite, canvas.view.Bounds());
  const PixelRect inked = canvas.Inked();
  // Within its bounds and the line, 24 pixels high, accent and descender included; all of it.
  EXPECT_TRUE(Inside(inked, bounds) && Inside(inked, {0, 20, 240, 44}) && inked.Height() > 18);
  EXPECT_GT(inked.Width(), bounds.Width() * 3 / 4);
  const int solid = canvas.Count(ColourToXrgb(kWhite)), blank = canvas.Count(0);
  EXPECT_GT(solid, 50);
  EXPECT_GT(240 * 80 - solid - blank, 20);  // antialiased: edges between black and white
}

// Size, weight and the whole line's length are the other tests'; the lines are the renderer's own.
TEST(FreeTypeTextRenderer, UnderlineAndStrikeOutAddLinesAsWideAsTheText) {
  FreeTypeTextRenderer text;
  int blank = 0, width = 0;
  for (auto [underline, strike] : {std::pair{false, false}, {true, false}, {false, true}}) {
    text.SetFont({"Arial", 32, 0, false, underline, strike});
    TextCanvas canvas(400, 120);
    text.Draw(canvas.view, "Skyvault", 0, 0, kWhite, canvas.view.Bounds());
    if (underline || strike) {
      EXPECT_LT(canvas.Count(0), blank - width) << underline;
    } else {
      blank = canvas.Count(0);
      width = canvas.Inked().Width();
    }
  }
}

TEST(FreeTypeTextRenderer, DrawsNothingOutsideTheClip) {
  FreeTypeTextRenderer text;
  text.SetFont({"Arial", 40});
  const PixelRect clip{30, 25, 60, 30};
  TextCanvas clipped;
  text.Draw(clipped.view, "WWWWWW", 0, 0, kWhite, clip);
  EXPECT_TRUE(!clipped.Inked().Empty() && Inside(clipped.Inked(), clip));
  // Text far off the canvas: no bounds, no pixels.
  TextCanvas canvas;
  EXPECT_TRUE(text.Bounds(canvas.view, "far", 5000, 5000).Empty());
  text.Draw(canvas.view, "far", -5000, 10, kWhite, canvas.view.Bounds());
  EXPECT_TRUE(canvas.Inked().Empty());
}

TEST(FreeTypeTextRenderer, TextIsUtf8WithLatin1ForStrayBytes) {
  // Whole characters of one to four bytes; then, byte by byte, a Latin-1 byte, an overlong
  // form, a surrogate and a character cut short.
  const std::string texts[] = {"abc",     "\xC3\x85ke", "\xE2\x82\xAC", "\xF0\x9F\x9B\xA9",
                               "caf\xE9", "\xC0\x80",   "\xED\xA0\x80", "\xE2\x82"};
  const std::u32string characters[] = {
      U"abc",          U"\u00C5ke",           U"\u20AC",      U"\U0001F6E9", U"caf\u00E9",
      U"\u00C0\u0080", U"\u00ED\u00A0\u0080", U"\u00E2\u0082"};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(DecodeText(texts[i]), characters[i]) << texts[i];
}

// Text kept as a picture (from drawings over black and white) lays as the engine draws it.
TEST(FreeTypeTextRenderer, KeptTextLaysAsItIsDrawnUpToRounding) {
  FreeTypeTextRenderer text;
  for (const TextFont& font : {TextFont{"Arial", 22}, TextFont{"Arial", 31, 700, true, true}}) {
    for (int32_t colour : {kWhite, 0x000000, 0x2080F0, 0x00FFFF}) {
      const int largest = testing::LargestTextPictureDifference(
          text, font, "Skyvault \xC3\xA9t\xC3\xA9 12:34", -3, 8, colour);
      EXPECT_TRUE(largest >= 0 && largest <= 1) << largest << " " << colour;  // -1: nothing drawn
    }
  }
}

}  // namespace
}  // namespace skyvault
