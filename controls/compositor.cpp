#include "controls/compositor.h"

#include <algorithm>
#include <functional>
#include <new>

#include "controls/pixel_format.h"
#include "controls/pixel_rows.h"
#include "controls/scaled_picture.h"

namespace skyvault {
namespace {

constexpr int64_t kFarOff = int64_t{1} << 30;

void FillRect(const CanvasView& canvas, uint32_t pixel, const PixelRect& rect) {
  for (int y = rect.top; y < rect.bottom; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(canvas.Row(y));
    std::fill(row + rect.left, row + rect.right, pixel);
  }
}

int32_t WrappingAdd(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

}  // namespace

Compositor::Compositor(ImageDecoder& decoder, TextRenderer& text, CanvasHost& host)
    : decoder_(decoder), text_(text), host_(host) {}

bool Compositor::InitDisplay(int32_t width, int32_t height, int32_t, const std::string&) {
  opening_ = DisplayOpening::BadFrameSize;
  if (width <= 0 || height <= 0 || width > kMaxCanvasSide || height > kMaxCanvasSide) return false;
  opening_ = DisplayOpening::TooFewColours;
  if (!host_.DisplaySupports(16)) return false;
  // A screen too large for a canvas gets the largest one, enlarged by the host.
  const FrameScale scale(LimitedScale(host_.ScaleFor(width, height), width, height));
  const int canvasWidth = scale.Length(width), canvasHeight = scale.Length(height);
  opening_ = DisplayOpening::NoMemory;
  std::optional<CanvasView> canvas;
  try {
    canvas = host_.CreateCanvas(canvasWidth, canvasHeight);
  } catch (const std::bad_alloc&) {
    canvas.reset();
  }
  if (!canvas || !canvas->Valid() || canvas->depth != 32) {
    canvas_ = {};  // the host may have let the last one go
    return false;
  }
  opening_ = DisplayOpening::Opened;
  canvas_ = *canvas;
  const bool rescaled = scale.value() != scale_.value();
  scale_ = scale;
  logicalWidth_ = width;
  logicalHeight_ = height;
  operations_.clear();
  frameStarted_ = false;
  changes_ = DrawingChanges(canvas_.Bounds());
  outlines_.clear();
  if (rescaled) {
    for (Sprite& sprite : sprites_) Load(sprite);
  }
  return true;
}

int64_t Compositor::Physical(int32_t logical) const {
  return std::clamp(scale_.Position(logical), -kFarOff, kFarOff);
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

void Compositor::LoadSpriteBitmap(int32_t number, int32_t role, const std::string& path,
                                  int32_t loadCode) {
  Sprite* sprite = Find(number);
  if (!sprite) return;
  sprite->path = path;
  sprite->kind = loadCode == -1 ? PictureKind::Transparent : PictureKind::Opaque;
  sprite->coversFrame = loadCode == -2 && role == kCoverTheFrame;
  Load(*sprite);
}

void Compositor::Load(Sprite& sprite) {
  sprite.picture.reset();
  sprite.pictureSerial = ++pictureSerial_;
  sprite.loading = !sprite.path.empty();
  loading_ |= sprite.loading;
}

void Compositor::FinishLoading() {
  if (!loading_) return;
  loading_ = false;
  std::vector<PictureOrder> orders;
  for (size_t i = 0; i < sprites_.size(); ++i) {
    Sprite& sprite = sprites_[i];
    if (!sprite.loading) continue;
    sprite.loading = false;
    orders.push_back({i, sprite.pictureSerial, sprite.path, sprite.kind, sprite.coversFrame,
                      sprite.x, sprite.y});
  }
  for (ReadPicture& read : pictures_.ReadNow(orders, scale_)) {
    sprites_[read.sprite].picture = std::move(read.picture);
  }
  pictures_.Sharpen(std::move(orders), scale_);
}

void Compositor::TakeSharpPictures(bool wait) {
  for (ReadPicture& read : pictures_.TakeSharp(wait)) {
    Sprite& sprite = sprites_[read.sprite];
    if (sprite.pictureSerial != read.serial || !read.picture) continue;  // loaded again since
    sprite.picture = std::move(read.picture);
    sprite.pictureSerial = ++pictureSerial_;
  }
}

void Compositor::WaitForSharpPictures() {
  FinishLoading();
  TakeSharpPictures(true);
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
  const_cast<Compositor*>(this)->FinishLoading();
  const Sprite* sprite = Find(number);
  return sprite && sprite->picture && sprite->picture->width() > 0;
}

void Compositor::StartFrame() {
  if (frameStarted_) return;
  frameStarted_ = true;
  TakeSharpPictures(false);
  NoteClear(0);
}

void Compositor::Note(Operation operation, uint64_t fingerprint, bool opaque) {
  StartFrame();
  if (operation.bounds.Empty()) return;
  changes_.Add(fingerprint, operation.bounds, opaque);
  operations_.push_back(std::move(operation));
}

void Compositor::ClearFrame(RgbColour colour) {
  if (!canvas_.Valid()) return;
  NoteClear(colour);
}

void Compositor::NoteClear(RgbColour colour) {
  const uint64_t fingerprint = CombineHash(static_cast<uint64_t>(Operation::Kind::Clear),
                                           static_cast<uint32_t>(colour) & 0xFFFFFF);
  Operation operation;
  operation.bounds = canvas_.Bounds();
  operation.colour = colour;
  Note(std::move(operation), fingerprint, true);
}

void Compositor::DrawSprite(int32_t number) {
  FinishLoading();
  const Sprite* sprite = Find(number);
  if (!sprite || !sprite->picture || !canvas_.Valid()) return;
  Operation operation;
  operation.kind = Operation::Kind::Sprite;
  operation.x = Physical(sprite->x) + sprite->picture->offsetX();
  operation.y = Physical(sprite->y) + sprite->picture->offsetY();
  operation.bounds = sprite->picture->Bounds(canvas_, operation.x, operation.y);
  operation.picture = sprite->picture;
  uint64_t fingerprint =
      CombineHash(static_cast<uint64_t>(Operation::Kind::Sprite), sprite->pictureSerial);
  fingerprint = CombineHash(fingerprint, static_cast<uint32_t>(sprite->x));
  fingerprint = CombineHash(fingerprint, static_cast<uint32_t>(sprite->y));
  Note(std::move(operation), fingerprint, sprite->picture->opaque());
}

void Compositor::SetTextFont(const std::string& face, int32_t size, int32_t weight, bool italic,
                             bool underline, bool strikeout) {
  font_ =
      TextFont{face, static_cast<int32_t>(Physical(size)), weight, italic, underline, strikeout};
  fontHash_ = CombineHash(std::hash<std::string>{}(face), static_cast<uint32_t>(size));
  fontHash_ = CombineHash(fontHash_, static_cast<uint32_t>(weight));
  fontHash_ = CombineHash(fontHash_, (italic ? 1 : 0) | (underline ? 2 : 0) | (strikeout ? 4 : 0));
  text_.SetFont(font_);
}

void Compositor::DrawText(const std::string& text, int32_t x, int32_t y, RgbColour colour) {
  if (!canvas_.Valid() || text.empty()) return;
  const int32_t shown = colour & 0xFFFFFF;
  Operation operation;
  operation.kind = Operation::Kind::Text;
  operation.text = texts_.Find(canvas_, font_, text, static_cast<int>(Physical(x)),
                               static_cast<int>(Physical(y)), shown);
  operation.bounds = operation.text->bounds;
  uint64_t fingerprint = CombineHash(static_cast<uint64_t>(Operation::Kind::Text), fontHash_);
  fingerprint = CombineHash(fingerprint, std::hash<std::string>{}(text));
  fingerprint = CombineHash(fingerprint, static_cast<uint32_t>(x));
  fingerprint = CombineHash(fingerprint, static_cast<uint32_t>(y));
  fingerprint = CombineHash(fingerprint, static_cast<uint32_t>(shown));
  Note(std::move(operation), fingerprint, false);
}

size_t Compositor::FirstVisible(const PixelRect& part) const {
  for (size_t i = operations_.size(); i-- > 0;) {
    const Operation& operation = operations_[i];
    if (operation.bounds.Intersect(part) != part) continue;
    if (operation.kind == Operation::Kind::Clear) return i;
    if (operation.kind == Operation::Kind::Sprite && operation.picture->opaque()) return i;
  }
  return 0;
}

Layer Compositor::LayerOf(Operation& operation) {
  switch (operation.kind) {
    case Operation::Kind::Clear:
      break;
    case Operation::Kind::Sprite:
      return Layer::Of(*operation.picture, operation.x, operation.y, operation.bounds);
    case Operation::Kind::Text: {
      TextPicture& text = *operation.text;
      const SpritePicture& picture = texts_.PictureOf(text, canvas_);
      return Layer::Of(picture, text.left, text.top, operation.bounds);
    }
  }
  return Layer::Filled(ColourToXrgb(operation.colour), operation.bounds);
}

void Compositor::Carry(const PixelRect& part) {
  const size_t first = FirstVisible(part);
  if (!text_.BlendsLinearly() && std::any_of(operations_.begin() + static_cast<ptrdiff_t>(first),
                                             operations_.end(), [&](const Operation& o) {
                                               return o.kind == Operation::Kind::Text &&
                                                      !o.bounds.Intersect(part).Empty();
                                             })) {
    CarryInPasses(part);
    return;
  }
  layers_.clear();
  for (size_t i = first; i < operations_.size(); ++i) {
    if (!operations_[i].bounds.Intersect(part).Empty()) layers_.push_back(LayerOf(operations_[i]));
  }
  composer_.Compose(canvas_, part, layers_);
}

void Compositor::CarryInPasses(const PixelRect& part) {
  for (size_t i = FirstVisible(part); i < operations_.size(); ++i) {
    const Operation& operation = operations_[i];
    const PixelRect clip = operation.bounds.Intersect(part);
    if (clip.Empty()) continue;
    if (operation.kind == Operation::Kind::Sprite) {
      operation.picture->Draw(canvas_, operation.x, operation.y, clip);
    } else if (operation.kind == Operation::Kind::Text) {
      const TextPicture& text = *operation.text;
      text_.SetFont(text.font);
      text_.Draw(canvas_, text.text, text.x, text.y, text.colour, clip);
    } else {
      FillRect(canvas_, ColourToXrgb(operation.colour), clip);
    }
  }
}

void Compositor::ShowFrame() {
  if (!canvas_.Valid()) return;
  StartFrame();
  std::vector<PixelRect> changed = changes_.Finish();
  std::vector<PixelRect> parts = changed;
  parts.insert(parts.end(), outlines_.begin(), outlines_.end());
  outlines_.clear();
  const PixelRegion redraw = PixelRegion::Covering(std::move(parts), kMaxRedrawnRectangles);
  if (!redraw.Empty()) {
    host_.PrepareToDraw(canvas_, redraw);
    // Part by part, every operation in order from the last one that covers
    // the whole part (what lies below it cannot show): each part is
    // finished while its memory is at hand.
    for (const PixelRect& part : redraw.Rectangles()) Carry(part);
    text_.SetFont(font_);
    if (showRedraws_) Outline(redraw, changed);
  }
  operations_.clear();
  texts_.EndFrame();
  frameStarted_ = false;
  host_.Present(canvas_, redraw);
}

void Compositor::Outline(const PixelRegion& redrawn, const std::vector<PixelRect>& changed) {
  for (const PixelRect& r : redrawn.Rectangles()) {
    // One that only takes away the last frame's outlines gets none, or
    // they would never go.
    if (std::none_of(changed.begin(), changed.end(),
                     [&](const PixelRect& c) { return !c.Intersect(r).Empty(); }))
      continue;
    const PixelRect edges[] = {{r.left, r.top, r.right, r.top + 1},
                               {r.left, r.bottom - 1, r.right, r.bottom},
                               {r.left, r.top, r.left + 1, r.bottom},
                               {r.right - 1, r.top, r.right, r.bottom}};
    for (const PixelRect& edge : edges) {
      FillRect(canvas_, kRedrawOutline, edge);
      outlines_.push_back(edge);
    }
  }
}

}  // namespace skyvault
