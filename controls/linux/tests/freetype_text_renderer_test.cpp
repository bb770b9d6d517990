#include "controls/linux/freetype_text_renderer.h"

#include <gtest/gtest.h>

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
  int Count(uint32_t pixel) const {
    int n = 0;
    for (int y = 0; y < view.height; ++y)
      for (int x = 0; x < view.width; ++x) n += At(x, y) == pixel;
    return n;
  }
  std::vector<uint8_t> memory;
  CanvasView view;
};

bool Inside(const PixelRect& inner, const PixelRect& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

TEST(FreeTypeTextRenderer, ArialResolvesThroughFontconfig) {
  FreeTypeTextRenderer text;
  text.SetFont({"Arial", 16});
  EXPECT_NE(text.FontFile().find("Liberation"), std::string::npos) << text.FontFile();
  text.SetFont({"Arial", 16, 700});
  EXPECT_NE(text.FontFile().find("Bold"), std::string::npos) << text.FontFile();
  text.SetFont({"No Such Face At All", 16});
  EXPECT_FALSE(text.FontFile().empty());  // the system's sans-serif
}

TEST(FreeTypeTextRenderer, AntialiasedTextInTheExactColourWithinItsBoundsAndLine) {
  FreeTypeTextRenderer text;
  text.SetFont({"Arial", 24});
  TextCanvas canvas;
  const PixelRect bounds = text.Bounds(canvas.view, "Ågy 12:34", 10, 20);
  text.Draw(canvas.view, "Ågy 12:34", 10, 20, kWhite, canvas.view.Bounds());
  const PixelRect inked = canvas.Inked();
  EXPECT_FALSE(inked.Empty());
  EXPECT_TRUE(Inside(inked, bounds));
  // The whole line, accent and descender included, is 24 pixels high.
  EXPECT_TRUE(Inside(inked, {0, 20, 240, 44}));
  EXPECT_GT(inked.Height(), 18);
  const uint32_t solid = ColourToXrgb(kWhite);
  const int solidCount = canvas.Count(solid), blank = canvas.Count(0);
  EXPECT_GT(solidCount, 50);
  // Antialiased: edges between black and white.
  EXPECT_GT(canvas.view.width * canvas.view.height - solidCount - blank, 20);
}

TEST(FreeTypeTextRenderer, SizeWeightAndLengthChangeTheInk) {
  FreeTypeTextRenderer text;
  auto inked = [&](const TextFont& font, const std::string& line) {
    text.SetFont(font);
    TextCanvas canvas(400, 120);
    text.Draw(canvas.view, line, 0, 0, kWhite, canvas.view.Bounds());
    return std::make_pair(canvas.Inked(), canvas.Count(0));
  };
  const auto [small, smallBlank] = inked({"Arial", 24}, "H");
  const auto [large, largeBlank] = inked({"Arial", 48}, "H");
  EXPECT_NEAR(static_cast<double>(large.Height()) / small.Height(), 2.0, 0.25);
  const auto [regular, regularBlank] = inked({"Arial", 32}, "Skyvault");
  const auto [bold, boldBlank] = inked({"Arial", 32, 700}, "Skyvault");
  EXPECT_LT(boldBlank, regularBlank);  // heavier strokes
  const auto [longer, longerBlank] = inked({"Arial", 32}, "Skyvault Skyvault");
  EXPECT_GT(longer.Width(), regular.Width() * 3 / 2);
  // Underline and strike-out add a line as wide as the text.
  const auto [lined, linedBlank] = inked({"Arial", 32, 0, false, true, true}, "Skyvault");
  EXPECT_LT(linedBlank, regularBlank - regular.Width());
}

TEST(FreeTypeTextRenderer, DrawsNothingOutsideTheClip) {
  FreeTypeTextRenderer text;
  text.SetFont({"Arial", 40});
  for (const PixelRect& clip : {PixelRect{30, 0, 60, 80}, PixelRect{0, 25, 240, 30}, PixelRect{}}) {
    TextCanvas canvas;
    text.Draw(canvas.view, "WWWWWW", 0, 0, kWhite, clip);
    const PixelRect inked = canvas.Inked();
    if (!inked.Empty()) {
      EXPECT_TRUE(Inside(inked, clip));
    }
    EXPECT_EQ(inked.Empty(), clip.Empty());
  }
  // Text far off the canvas: no bounds, no pixels.
  TextCanvas canvas;
  EXPECT_TRUE(text.Bounds(canvas.view, "far", 5000, 5000).Empty());
  text.Draw(canvas.view, "far", -5000, 10, kWhite, canvas.view.Bounds());
  EXPECT_TRUE(canvas.Inked().Empty());
}

TEST(FreeTypeTextRenderer, TextIsUtf8WithLatin1ForStrayBytes) {
  const std::vector<std::pair<std::string, std::u32string>> cases = {
      {"abc", U"abc"},
      {"\xC3\x85"
       "ke",
       U"\u00C5ke"},
      {"\xE2\x82\xAC", U"\u20AC"},
      {"\xF0\x9F\x9B\xA9", U"\U0001F6E9"},
      {"caf\xE9", U"caf\u00E9"},                // Latin-1 byte
      {"\xC0\x80", U"\u00C0\u0080"},            // overlong
      {"\xED\xA0\x80", U"\u00ED\u00A0\u0080"},  // surrogate
      {"\xE2\x82", U"\u00E2\u0082"},            // cut short
  };
  for (const auto& [text, characters] : cases) EXPECT_EQ(DecodeText(text), characters) << text;
}

// Antialiased text kept as a picture (its colour and coverage taken from
// drawings over black and white) lays over any ground as the font engine
// draws it, up to rounding; italic, underlined and in every colour.
TEST(FreeTypeTextRenderer, KeptTextLaysAsItIsDrawnUpToRounding) {
  FreeTypeTextRenderer text;
  int largest = -1;
  for (const TextFont& font : {TextFont{"Arial", 22}, TextFont{"Arial", 31, 700, true, true}}) {
    for (int32_t colour : {kWhite, 0x000000, 0x2080F0, 0x00FFFF}) {
      largest =
          std::max(largest, testing::LargestTextPictureDifference(
                                text, font, "Skyvault \xC3\xA9t\xC3\xA9 12:34", -3, 8, colour));
    }
  }
  EXPECT_GE(largest, 0);  // the text was drawn
  EXPECT_LE(largest, 1);
}

}  // namespace
}  // namespace skyvault
