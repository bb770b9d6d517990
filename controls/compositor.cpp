#include "controls/compositor.h"

#include <cstring>

#include "controls/pixel_format.h"

namespace skyvault {
namespace {

constexpr int kMaxCanvasSide = 8192;

int32_t WrappingAdd(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

}  // namespace

Compositor::Compositor(ImageDecoder& decoder, TextRenderer& text, CanvasHost& host)
    : decoder_(decoder), text_(text), host_(host) {}

bool Compositor::InitDisplay(int32_t width, int32_t height, int32_t depth, const std::string&) {
  if (width <= 0 || height <= 0 || width > kMaxCanvasSide || height > kMaxCanvasSide) return false;
  if (!host_.DisplaySupports(16)) return false;
  const int canvasDepth = depth == 16 || !host_.DisplaySupports(32) ? 16 : 32;
  auto canvas = host_.CreateCanvas(width, height, canvasDepth);
  if (!canvas || !canvas->Valid()) return false;
  canvas_ = *canvas;
  written_ = TileMask(width, height);
  written_.MarkAll();
  if (canvasDepth != pictureDepth_) {
    pictureDepth_ = canvasDepth;
    for (Sprite& sprite : sprites_) Load(sprite);
  }
  return true;
}

int32_t Compositor::CreateSprite() {
  sprites_.emplace_back();
  return static_cast<int32_t>(sprites_.size());
}

Compositor::Sprite* Compositor::Find(int32_t number) {
  if (number < 1 || static_cast<size_t>(number) > sprites_.size()) return nullptr;
  return &sprites_[number - 1];
}

const Compositor::Sprite* Compositor::Find(int32_t number) const {
  return const_cast<Compositor*>(this)->Find(number);
}

void Compositor::LoadSpriteBitmap(int32_t number, int32_t, const std::string& path,
                                  int32_t loadCode) {
  Sprite* sprite = Find(number);
  if (!sprite) return;
  sprite->path = path;
  sprite->kind = loadCode == -1 ? PictureKind::kTransparent : PictureKind::kOpaque;
  Load(*sprite);
}

void Compositor::Load(Sprite& sprite) {
  sprite.picture.reset();
  if (sprite.path.empty()) return;
  auto image = decoder_.Decode(sprite.path);
  if (!image || image->width <= 0 || image->height <= 0 || image->width > kMaxPictureSide ||
      image->height > kMaxPictureSide) {
    return;
  }
  sprite.picture = std::make_unique<SpritePicture>(*image, sprite.kind, pictureDepth_);
}

void Compositor::SetSpriteX(int32_t number, int32_t x) {
  if (Sprite* sprite = Find(number)) sprite->x = x;
}
void Compositor::SetSpriteY(int32_t number, int32_t y) {
  if (Sprite* sprite = Find(number)) sprite->y = y;
}
void Compositor::MoveSpriteX(int32_t number, int32_t step) {
  if (Sprite* sprite = Find(number)) sprite->x = WrappingAdd(sprite->x, step);
}
void Compositor::MoveSpriteY(int32_t number, int32_t step) {
  if (Sprite* sprite = Find(number)) sprite->y = WrappingAdd(sprite->y, step);
}
int32_t Compositor::GetSpriteX(int32_t number) {
  const Sprite* sprite = Find(number);
  return sprite ? sprite->x : 0;
}
int32_t Compositor::SpriteY(int32_t number) const {
  const Sprite* sprite = Find(number);
  return sprite ? sprite->y : 0;
}
bool Compositor::SpriteHasPicture(int32_t number) const {
  const Sprite* sprite = Find(number);
  return sprite && sprite->picture && sprite->picture->width() > 0;
}

void Compositor::ClearFrame(int32_t colour) {
  if (!canvas_.Valid()) return;
  if (canvas_.depth == 16) {
    const uint16_t pixel = ColourTo565(colour);
    for (int y = 0; y < canvas_.height; ++y) {
      auto* row = reinterpret_cast<uint16_t*>(canvas_.Row(y));
      if (y == 0) {
        std::fill(row, row + canvas_.width, pixel);
      } else {
        std::memcpy(row, canvas_.Row(0), static_cast<size_t>(canvas_.width) * 2);
      }
    }
  } else {
    const uint32_t pixel = ColourToXrgb(colour);
    for (int y = 0; y < canvas_.height; ++y) {
      auto* row = reinterpret_cast<uint32_t*>(canvas_.Row(y));
      std::fill(row, row + canvas_.width, pixel);
    }
  }
  written_.MarkAll();
}

void Compositor::DrawSprite(int32_t number) {
  const Sprite* sprite = Find(number);
  if (!sprite || !sprite->picture || !canvas_.Valid()) return;
  written_.Mark(sprite->picture->Draw(canvas_, sprite->x, sprite->y));
}

void Compositor::SetTextFont(const std::string& face, int32_t size, int32_t weight, bool italic,
                             bool underline, bool strikeout) {
  text_.SetFont(TextFont{face, size, weight, italic, underline, strikeout});
}

void Compositor::DrawText(const std::string& text, int32_t x, int32_t y, int32_t colour) {
  if (!canvas_.Valid() || text.empty()) return;
  written_.Mark(text_.Draw(canvas_, text, x, y, ColourAsShown(colour, canvas_.depth)));
}

void Compositor::ShowFrame() {
  if (!canvas_.Valid()) return;
  host_.Present(canvas_, written_);
  written_.Clear();
}

}  // namespace skyvault
