#include "controls/scaled_picture.h"

#include <utility>

#include "controls/colour_key.h"
#include "controls/picture_companions.h"
#include "controls/resampler.h"

namespace skyvault {
namespace {

std::optional<DecodedImage> DecodeNamed(ImageDecoder& decoder, const std::string& path) {
  if (path.empty()) return std::nullopt;
  std::optional<DecodedImage> image = decoder.Decode(path);
  if (!image || image->width <= 0 || image->height <= 0 || image->width > kMaxPictureSide ||
      image->height > kMaxPictureSide ||
      image->pixels.size() != static_cast<size_t>(image->width) * image->height) {
    return std::nullopt;
  }
  return image;
}

// `area` of a namedWidth x namedHeight picture in the pixels of `source`,
// which holds it at its own size (which may differ from a whole multiple by a
// pixel).
SourceArea InSource(const SourceArea& area, int namedWidth, int namedHeight,
                    const DecodedImage& source) {
  const double sx = static_cast<double>(source.width) / namedWidth;
  const double sy = static_cast<double>(source.height) / namedHeight;
  return {area.left * sx, area.top * sy, area.right * sx, area.bottom * sy};
}

// The named picture's `area` from its best companion for `need`, keyed if
// asked, at width x height.
std::optional<DecodedImage> FromBestSource(ImageDecoder& decoder, const std::string& path,
                                           DecodedImage named, bool keyed, const SourceArea& area,
                                           double need, int width, int height, int& factor) {
  const std::optional<uint32_t> key = keyed ? KeyColourOf(named) : std::nullopt;
  const int namedWidth = named.width, namedHeight = named.height;
  PictureSource source = ChooseCompanion(decoder, path, std::move(named), need);
  factor = source.factor;
  if (key) ApplyColourKey(source.image, *key);
  const SourceArea from = InSource(area, namedWidth, namedHeight, source.image);
  const bool whole =
      from == SourceArea{0, 0, double(source.image.width), double(source.image.height)};
  if (whole && source.image.width == width && source.image.height == height) {
    return std::move(source.image);
  }
  return Resample(source.image, from, width, height);
}

std::optional<ScaledPicture> ScaleWhole(ImageDecoder& decoder, const std::string& path,
                                        std::optional<DecodedImage> named, PictureKind kind,
                                        const FrameScale& scale, Companions companions) {
  if (!named) return std::nullopt;
  ScaledPicture picture;
  picture.logicalWidth = named->width;
  picture.logicalHeight = named->height;
  const bool keyed = kind == PictureKind::Transparent && !named->hasAlpha;
  const SourceArea whole{0, 0, double(named->width), double(named->height)};
  std::optional<DecodedImage> image = FromBestSource(
      decoder, path, std::move(*named), keyed, whole,
      companions == Companions::Use ? scale.value() : 1.0, scale.Length(picture.logicalWidth),
      scale.Length(picture.logicalHeight), picture.sourceFactor);
  if (!image) return std::nullopt;
  picture.image = std::move(*image);
  return picture;
}

}  // namespace

std::optional<ScaledPicture> LoadScaledPicture(ImageDecoder& decoder, const std::string& path,
                                               PictureKind kind, const FrameScale& scale,
                                               Companions companions) {
  return ScaleWhole(decoder, path, DecodeNamed(decoder, path), kind, scale, companions);
}

std::optional<ScaledPicture> LoadCoveringPicture(ImageDecoder& decoder, const std::string& path,
                                                 const FrameScale& scale, Companions companions) {
  std::optional<DecodedImage> named = DecodeNamed(decoder, path);
  if (!named) return std::nullopt;
  if (named->width == kLogicalWidth && named->height == kLogicalHeight) {
    return ScaleWhole(decoder, path, std::move(named), PictureKind::Opaque, scale, companions);
  }
  ScaledPicture picture;
  picture.logicalWidth = kLogicalWidth;
  picture.logicalHeight = kLogicalHeight;
  const SourceArea area = CoverArea(named->width, named->height, kLogicalWidth, kLogicalHeight);
  const double need = companions == Companions::Use ? scale.canvasWidth() / area.Width() : 1.0;
  std::optional<DecodedImage> image =
      FromBestSource(decoder, path, std::move(*named), false, area, need, scale.canvasWidth(),
                     scale.canvasHeight(), picture.sourceFactor);
  if (!image) return std::nullopt;
  picture.image = std::move(*image);
  return picture;
}

}  // namespace skyvault
