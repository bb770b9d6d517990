#pragma once
// Text kept as a picture against the renderer's own drawing, over a ground of every colour.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "controls/text_pictures.h"

namespace skyvault::testing {

// The largest channel difference between `text` drawn by `renderer` onto a varied ground and its
// kept picture laid over the same ground; -1 when the text draws nothing there.
inline int LargestTextPictureDifference(TextRenderer& renderer, const TextFont& font,
                                        const std::string& text, int x, int y, int32_t colour) {
  constexpr int kWidth = 320, kHeight = 90;
  std::vector<uint32_t> direct(kWidth * kHeight);
  for (int i = 0; i < kWidth * kHeight; ++i)  // gradients and a checker
    direct[i] = uint32_t(i % kWidth * 255 / kWidth) << 16 |
                uint32_t(i / kWidth * 255 / kHeight) << 8 |
                ((i % kWidth / 3 + i / kWidth / 3) % 2 ? 0xF0u : 0x0Fu);
  std::vector<uint32_t> kept = direct;
  const std::vector<uint32_t> ground = direct;
  const auto view = [](std::vector<uint32_t>& pixels) {
    return CanvasView{reinterpret_cast<uint8_t*>(pixels.data()), kWidth, kHeight, kWidth * 4, 32};
  };
  renderer.SetFont(font);
  renderer.Draw(view(direct), text, x, y, colour, view(direct).Bounds());
  if (direct == ground) return -1;
  TextPictures texts(renderer);
  renderer.SetFont(font);
  auto entry = texts.Find(view(kept), font, text, x, y, colour);
  texts.PictureOf(*entry, view(kept)).Draw(view(kept), entry->left, entry->top);
  int largest = 0;
  for (size_t i = 0; i < direct.size(); ++i)
    for (int shift : {0, 8, 16})
      largest = std::max(largest, std::abs(static_cast<int>(direct[i] >> shift & 0xFF) -
                                           static_cast<int>(kept[i] >> shift & 0xFF)));
  return largest;
}

}  // namespace skyvault::testing
