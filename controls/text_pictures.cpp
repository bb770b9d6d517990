#include "controls/text_pictures.h"

#include <algorithm>

#include "controls/decoded_image.h"

namespace skyvault {
namespace {

bool SameFont(const TextFont& a, const TextFont& b) {
  return a.face == b.face && a.size == b.size && a.weight == b.weight && a.italic == b.italic &&
         a.underline == b.underline && a.strikeout == b.strikeout;
}

// Copies the pixels of `area` of a 32-bit canvas to `to`, or from `from`
// to the canvas, row after row.
void ReadArea(const CanvasView& canvas, const PixelRect& area, std::vector<uint32_t>& to) {
  to.resize(static_cast<size_t>(area.Width()) * area.Height());
  uint32_t* out = to.data();
  for (int y = area.top; y < area.bottom; ++y, out += area.Width()) {
    const auto* row = reinterpret_cast<const uint32_t*>(canvas.Row(y)) + area.left;
    std::copy(row, row + area.Width(), out);
  }
}
void WriteArea(const CanvasView& canvas, const PixelRect& area, const uint32_t* from) {
  for (int y = area.top; y < area.bottom; ++y, from += area.Width()) {
    std::copy(from, from + area.Width(), reinterpret_cast<uint32_t*>(canvas.Row(y)) + area.left);
  }
}
void FillArea(const CanvasView& canvas, const PixelRect& area, uint32_t pixel) {
  for (int y = area.top; y < area.bottom; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(canvas.Row(y));
    std::fill(row + area.left, row + area.right, pixel);
  }
}

}  // namespace

uint32_t PremultipliedOf(uint32_t overBlack, uint32_t overWhite) {
  int through = 0;  // of the white under the text
  for (int shift = 0; shift < 24; shift += 8) {
    const int black = static_cast<int>((overBlack >> shift) & 0xFF);
    const int white = static_cast<int>((overWhite >> shift) & 0xFF);
    through = std::max(through, white - black);
  }
  const uint32_t alpha = static_cast<uint32_t>(255 - through);
  uint32_t pixel = alpha << 24;
  for (int shift = 0; shift < 24; shift += 8) {
    pixel |= std::min((overBlack >> shift) & 0xFF, alpha) << shift;
  }
  return pixel;
}

std::shared_ptr<TextPicture> TextPictures::Find(const CanvasView& canvas, const TextFont& font,
                                                const std::string& text, int x, int y,
                                                RgbColour colour) {
  for (const std::shared_ptr<TextPicture>& entry : entries_) {
    if (entry->x == x && entry->y == y && entry->colour == colour &&
        entry->canvasWidth == canvas.width && entry->canvasHeight == canvas.height &&
        SameFont(entry->font, font) && entry->text == text) {
      entry->lastUsed = frame_;
      return entry;
    }
  }
  auto entry = std::make_shared<TextPicture>();
  entry->font = font;
  entry->text = text;
  entry->x = x;
  entry->y = y;
  entry->colour = colour;
  entry->canvasWidth = canvas.width;
  entry->canvasHeight = canvas.height;
  entry->bounds = renderer_.Bounds(canvas, text, x, y).Intersect(canvas.Bounds());
  entry->lastUsed = frame_;
  entries_.push_back(entry);
  return entry;
}

const SpritePicture& TextPictures::PictureOf(TextPicture& entry, const CanvasView& canvas) {
  if (entry.picture) return *entry.picture;
  const PixelRect& area = entry.bounds;
  DecodedImage image;
  image.hasAlpha = true;  // the ground around the letters is see-through, never a key
  if (!area.Empty() && canvas.depth == 32) {
    renderer_.SetFont(entry.font);
    std::vector<uint32_t> saved, overBlack;
    ReadArea(canvas, area, saved);
    FillArea(canvas, area, 0);
    renderer_.Draw(canvas, entry.text, entry.x, entry.y, entry.colour, area);
    ReadArea(canvas, area, overBlack);
    FillArea(canvas, area, 0xFFFFFF);
    renderer_.Draw(canvas, entry.text, entry.x, entry.y, entry.colour, area);
    image.width = area.Width();
    image.height = area.Height();
    image.pixels.resize(overBlack.size());
    size_t i = 0;
    for (int y = area.top; y < area.bottom; ++y) {
      const auto* overWhite = reinterpret_cast<const uint32_t*>(canvas.Row(y)) + area.left;
      for (int x = 0; x < area.Width(); ++x, ++i)
        image.pixels[i] = PremultipliedOf(overBlack[i], overWhite[x]);
    }
    WriteArea(canvas, area, saved.data());
  }
  entry.picture = std::make_shared<SpritePicture>(image, PictureKind::Transparent);
  entry.left = area.left;
  entry.top = area.top;
  return *entry.picture;
}

void TextPictures::EndFrame() {
  std::erase_if(entries_, [this](const std::shared_ptr<TextPicture>& entry) {
    return entry->lastUsed + 1 < frame_;
  });
  ++frame_;
}

}  // namespace skyvault
