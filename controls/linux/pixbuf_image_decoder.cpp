#include "controls/linux/pixbuf_image_decoder.h"

#include <gdk-pixbuf/gdk-pixbuf.h>

#include <new>

#include "controls/picture_alpha.h"

namespace skyvault {
namespace {

// One straight R, G, B[, A] pixel of gdk-pixbuf's as 0xAARRGGBB.
uint32_t FromPixbufPixel(const uint8_t* in, int channels) {
  const uint32_t alpha = channels == 4 ? in[3] : 255;
  return alpha << 24 | uint32_t{in[0]} << 16 | uint32_t{in[1]} << 8 | in[2];
}

// `part` of gdk-pixbuf's rows of straight R, G, B[, A] bytes as 0xAARRGGBB
// pixels, then the alpha rules every decoder applies.
DecodedImage FromPixbufRows(const PixelRect& part, const uint8_t* rows, int rowStride,
                            int channels) {
  DecodedImage image;
  image.width = part.Width();
  image.height = part.Height();
  image.left = part.left;
  image.top = part.top;
  image.cornerColour = FromPixbufPixel(rows, channels) & 0xFFFFFF;
  image.pixels.resize(static_cast<size_t>(image.width) * image.height);
  for (int y = 0; y < image.height; ++y) {
    const uint8_t* in = rows + static_cast<size_t>(part.top + y) * rowStride +
                        static_cast<size_t>(part.left) * channels;
    uint32_t* out = &image.pixels[static_cast<size_t>(y) * image.width];
    for (int x = 0; x < image.width; ++x, in += channels) out[x] = FromPixbufPixel(in, channels);
  }
  ApplyAlphaRules(image, AlphaForm::Straight);
  return image;
}

}  // namespace

std::optional<DecodedImage> PixbufImageDecoder::Decode(const std::string& path) {
  return DecodePart(path, [](int width, int height) { return PixelRect{0, 0, width, height}; });
}

std::optional<DecodedImage> PixbufImageDecoder::DecodePart(const std::string& path,
                                                           const PartOfPicture& part) {
  if (path.empty()) return std::nullopt;
  int width = 0, height = 0;
  if (!gdk_pixbuf_get_file_info(path.c_str(), &width, &height)) return std::nullopt;
  if (width <= 0 || height <= 0 || width > kMaxPictureSide || height > kMaxPictureSide) {
    return std::nullopt;
  }
  const PixelRect kept = part(width, height).Intersect({0, 0, width, height});
  if (kept.Empty()) return std::nullopt;
  // gdk-pixbuf asks for its pixels with g_try_malloc: no memory is no picture.
  GError* error = nullptr;
  GdkPixbuf* pixbuf = gdk_pixbuf_new_from_file(path.c_str(), &error);
  if (error) g_error_free(error);
  if (!pixbuf) return std::nullopt;

  std::optional<DecodedImage> image;
  const int w = gdk_pixbuf_get_width(pixbuf), h = gdk_pixbuf_get_height(pixbuf);
  const int channels = gdk_pixbuf_get_n_channels(pixbuf);
  // The header may have promised another size than the pixels have.
  if (gdk_pixbuf_get_colorspace(pixbuf) == GDK_COLORSPACE_RGB &&
      gdk_pixbuf_get_bits_per_sample(pixbuf) == 8 && w == width && h == height &&
      (channels == 3 || channels == 4)) {
    try {
      image = FromPixbufRows(kept, gdk_pixbuf_read_pixels(pixbuf), gdk_pixbuf_get_rowstride(pixbuf),
                             channels);
    } catch (const std::bad_alloc&) {
      image.reset();
    }
  }
  g_object_unref(pixbuf);
  return image;
}

}  // namespace skyvault
