#include "controls/scaled_picture.h"

#include <algorithm>
#include <cmath>
#include <mutex>
#include <new>
#include <utility>

#include "controls/colour_key.h"
#include "controls/picture_companions.h"
#include "controls/resampler.h"

namespace skyvault {
namespace {

// A picture of more pixels than this is prepared while no other such
// picture is: a decoder holds a whole copy of it for a moment, and two of
// the largest at once would need twice the memory.
constexpr int64_t kLargePicturePixels = int64_t{4096} * 4096;

std::mutex& LargePictureTurn() {
  static std::mutex turn;
  return turn;
}

// Held from the moment a large picture's size is known (before any of its
// pixels is decoded) until the picture is prepared.
class LargePictureLock {
 public:
  void Note(int width, int height) {
    if (int64_t{width} * height > kLargePicturePixels && !lock_.owns_lock()) {
      lock_ = std::unique_lock<std::mutex>(LargePictureTurn());
    }
  }

 private:
  std::unique_lock<std::mutex> lock_;
};

// How to prepare one picture: which part of the named file is drawn, and
// at what size.
struct Plan {
  int namedWidth = 0;   // the named file's whole size
  int namedHeight = 0;  //
  SourceArea area;      // the part drawn, in the named file's pixels
  int width = 0;        // the size it is drawn at
  int height = 0;       //
};

// The source pixels a resampling of `area` to `outputs` pixels reads along
// one axis of `size` pixels: the area and the filter's reach around it.
std::pair<int, int> ReadSpan(double from, double to, int outputs, int size) {
  const double step = (to - from) / std::max(outputs, 1);
  const double reach = 2.0 * std::max(step, 1.0) + 2.0;
  const double first = std::clamp(std::floor(from - reach), 0.0, double(size));
  const double end = std::clamp(std::ceil(to + reach), 0.0, double(size));
  return {static_cast<int>(first), static_cast<int>(end)};
}

// The part of a width x height source (the named file at `factor`) that
// drawing the plan's area reads.
PixelRect SourcePart(const Plan& plan, int width, int height) {
  const double sx = double(width) / plan.namedWidth, sy = double(height) / plan.namedHeight;
  const auto [left, right] = ReadSpan(plan.area.left * sx, plan.area.right * sx, plan.width, width);
  const auto [top, bottom] =
      ReadSpan(plan.area.top * sy, plan.area.bottom * sy, plan.height, height);
  return {left, top, right, bottom};
}

bool Whole(const DecodedImage& image) {
  return image.width > 0 && image.height > 0 &&
         image.pixels.size() == static_cast<size_t>(image.width) * image.height;
}

// Decodes the named file's part that the plan made from its size reads;
// `plan` answers the plan for a size (nothing: refused).
template <typename MakePlan>
std::optional<DecodedImage> DecodeNamed(ImageDecoder& decoder, const std::string& path,
                                        LargePictureLock& lock, Plan& plan, MakePlan makePlan) {
  if (path.empty()) return std::nullopt;
  std::optional<DecodedImage> image = decoder.DecodePart(path, [&](int width, int height) {
    if (width <= 0 || height <= 0 || width > kMaxPictureSide || height > kMaxPictureSide) {
      return PixelRect{};
    }
    const std::optional<Plan> made = makePlan(width, height);
    if (!made) return PixelRect{};
    plan = *made;
    lock.Note(width, height);
    return SourcePart(plan, width, height);
  });
  if (!image || !Whole(*image) || plan.namedWidth <= 0) return std::nullopt;
  return image;
}

// The plan the named file's size makes, without decoding any pixel (the
// decoder is told to keep nothing); none when there is no such file.
template <typename MakePlan>
std::optional<Plan> PlanFromSize(ImageDecoder& decoder, const std::string& path,
                                 MakePlan makePlan) {
  std::optional<Plan> plan;
  if (path.empty()) return plan;
  decoder.DecodePart(path, [&](int width, int height) {
    if (width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide) {
      plan = makePlan(width, height);
    }
    return PixelRect{};
  });
  return plan;
}

// The named file's pixels, or, where only its companions are wanted, the
// plan its size makes and no pixels of its own (a companion or nothing).
template <typename MakePlan>
std::optional<DecodedImage> NamedOrItsPlan(bool planOnly, ImageDecoder& decoder,
                                           const std::string& path, LargePictureLock& lock,
                                           Plan& plan, MakePlan makePlan) {
  if (!planOnly) return DecodeNamed(decoder, path, lock, plan, makePlan);
  const std::optional<Plan> sized = PlanFromSize(decoder, path, makePlan);
  if (!sized) return std::nullopt;
  plan = *sized;
  return DecodedImage{};
}

// The plan's picture from the best source for `need`, keyed if asked, with
// its place (the drawn area's corner) at the size it is drawn at.
std::optional<DecodedImage> FromBestSource(ImageDecoder& decoder, const std::string& path,
                                           DecodedImage named, bool keyed, const Plan& plan,
                                           double need, const FrameScale& scale,
                                           LargePictureLock& lock, int& factor) {
  const std::optional<uint32_t> key = keyed ? KeyColourOf(named) : std::nullopt;
  int companionWidth = 0, companionHeight = 0;
  PictureSource source = ChooseCompanion(
      decoder, path, std::move(named), need, [&](int companionFactor, int width, int height) {
        if (!FitsAsCompanion(plan.namedWidth, plan.namedHeight, companionFactor, width, height)) {
          return PixelRect{};
        }
        lock.Note(width, height);
        companionWidth = width, companionHeight = height;
        return SourcePart(plan, width, height);
      });
  factor = source.factor;
  DecodedImage& image = source.image;
  if (key) ApplyColourKey(image, *key);
  // The area in the whole source's pixels (a companion may differ from a
  // whole multiple by a pixel), then in those of the part kept of it.
  const int sourceWidth = factor == 1 ? plan.namedWidth : companionWidth;
  const int sourceHeight = factor == 1 ? plan.namedHeight : companionHeight;
  const double sx = double(sourceWidth) / plan.namedWidth;
  const double sy = double(sourceHeight) / plan.namedHeight;
  const SourceArea from{plan.area.left * sx - image.left, plan.area.top * sy - image.top,
                        plan.area.right * sx - image.left, plan.area.bottom * sy - image.top};
  const int64_t left = scale.Position(static_cast<int64_t>(plan.area.left));
  const int64_t top = scale.Position(static_cast<int64_t>(plan.area.top));
  std::optional<DecodedImage> out;
  if (from == SourceArea{0, 0, double(image.width), double(image.height)} &&
      image.width == plan.width && image.height == plan.height) {
    out = std::move(image);
  } else {
    out = Resample(image, from, plan.width, plan.height);
  }
  if (out) {
    out->left = static_cast<int>(left);
    out->top = static_cast<int>(top);
  }
  return out;
}

// The named file's plan at scale s: which part of a picture of its size
// placed at `place` is kept, and at what size it is drawn.
Plan SpritePlan(int width, int height, const FrameScale& scale, const PicturePlace& place) {
  const auto [left, right] = KeptSpan(width, place.x, kLogicalWidth);
  const auto [top, bottom] = KeptSpan(height, place.y, kLogicalHeight);
  return {width,
          height,
          {double(left), double(top), double(right), double(bottom)},
          scale.Length(right - left),
          scale.Length(bottom - top)};
}

std::optional<ScaledPicture> ScaleSprite(ImageDecoder& decoder, const std::string& path,
                                         PictureKind kind, const FrameScale& scale,
                                         Companions companions, const PicturePlace& place) {
  LargePictureLock lock;
  Plan plan;
  const auto makePlan = [&](int width, int height) -> std::optional<Plan> {
    return SpritePlan(width, height, scale, place);
  };
  std::optional<DecodedImage> named =
      NamedOrItsPlan(companions == Companions::Only && kind == PictureKind::Opaque, decoder, path,
                     lock, plan, makePlan);
  if (!named) return std::nullopt;
  ScaledPicture picture;
  const bool keyed = kind == PictureKind::Transparent && !named->hasAlpha && Whole(*named);
  std::optional<DecodedImage> image = FromBestSource(
      decoder, path, std::move(*named), keyed, plan,
      companions == Companions::Skip ? 1.0 : scale.value(), scale, lock, picture.sourceFactor);
  if (!image || (companions == Companions::Only && picture.sourceFactor == 1)) {
    return std::nullopt;
  }
  picture.image = std::move(*image);
  return picture;
}

std::optional<ScaledPicture> ScaleCovering(ImageDecoder& decoder, const std::string& path,
                                           const FrameScale& scale, Companions companions) {
  LargePictureLock lock;
  Plan plan;
  bool frameSized = false;
  const auto makePlan = [&](int width, int height) -> std::optional<Plan> {
    frameSized = width == kLogicalWidth && height == kLogicalHeight;
    if (frameSized) return SpritePlan(width, height, scale, {});
    return Plan{width, height, CoverArea(width, height, kLogicalWidth, kLogicalHeight),
                scale.canvasWidth(), scale.canvasHeight()};
  };
  std::optional<DecodedImage> named =
      NamedOrItsPlan(companions == Companions::Only, decoder, path, lock, plan, makePlan);
  if (!named) return std::nullopt;
  ScaledPicture picture;
  double need = 1.0;
  if (companions != Companions::Skip) {
    need = frameSized ? scale.value() : scale.canvasWidth() / plan.area.Width();
  }
  std::optional<DecodedImage> image = FromBestSource(decoder, path, std::move(*named), false, plan,
                                                     need, scale, lock, picture.sourceFactor);
  if (!image || (companions == Companions::Only && picture.sourceFactor == 1)) {
    return std::nullopt;
  }
  image->left = image->top = 0;  // it covers the frame
  picture.image = std::move(*image);
  return picture;
}

}  // namespace

std::pair<int, int> KeptSpan(int size, int64_t place, int frame) {
  if (size <= frame) return {0, size};
  const auto first = static_cast<int>(std::clamp<int64_t>(-place, 0, size - frame));
  return {first, first + frame};
}

std::optional<ScaledPicture> LoadScaledPicture(ImageDecoder& decoder, const std::string& path,
                                               PictureKind kind, const FrameScale& scale,
                                               Companions companions, const PicturePlace& place) {
  try {
    return ScaleSprite(decoder, path, kind, scale, companions, place);
  } catch (const std::bad_alloc&) {
    return std::nullopt;  // this picture is refused, nothing else
  }
}

std::optional<ScaledPicture> LoadCoveringPicture(ImageDecoder& decoder, const std::string& path,
                                                 const FrameScale& scale, Companions companions) {
  try {
    return ScaleCovering(decoder, path, scale, companions);
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
}

}  // namespace skyvault
