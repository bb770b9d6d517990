#include "controls/linux/pixbuf_image_decoder.h"

#include <gdk-pixbuf/gdk-pixbuf.h>

#include "controls/picture_alpha.h"

namespace skyvault {
namespace {

// gdk-pixbuf's rows of straight R, G, B[, A] bytes as 0xAARRGGBB pixels,
// then the alpha rules every decoder applies.
DecodedImage FromPixbufRows(int width, int height, const uint8_t* rows, int rowStride,
                            int channels) {
  DecodedImage image;
  image.width = width;
  image.height = height;
  image.pixels.resize(static_cast<size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    const uint8_t* in = rows + static_cast<size_t>(y) * rowStride;
    uint32_t* out = &image.pixels[static_cast<size_t>(y) * width];
    for (int x = 0; x < width; ++x, in += channels) {
      const uint32_t alpha = channels == 4 ? in[3] : 255;
      out[x] = alpha << 24 | uint32_t{in[0]} << 16 | uint32_t{in[1]} << 8 | in[2];
    }
  }
  ApplyAlphaRules(image, AlphaForm::Straight);
  return image;
}

}  // namespace

std::optional<DecodedImage> PixbufImageDecoder::Decode(const std::string& path) {
  if (path.empty()) return std::nullopt;
  int width = 0, height = 0;
  if (!gdk_pixbuf_get_file_info(path.c_str(), &width, &height)) return std::nullopt;
  if (width <= 0 || height <= 0 || width > kMaxPictureSide || height > kMaxPictureSide) {
    return std::nullopt;
  }
  GError* error = nullptr;
  GdkPixbuf* pixbuf = gdk_pixbuf_new_from_file(path.c_str(), &error);
  if (error) g_error_free(error);
  if (!pixbuf) return std::nullopt;

  std::optional<DecodedImage> image;
  const int w = gdk_pixbuf_get_width(pixbuf), h = gdk_pixbuf_get_height(pixbuf);
  const int channels = gdk_pixbuf_get_n_channels(pixbuf);
  // The header may have promised another size than the pixels have.
  if (gdk_pixbuf_get_colorspace(pixbuf) == GDK_COLORSPACE_RGB &&
      gdk_pixbuf_get_bits_per_sample(pixbuf) == 8 && w > 0 && h > 0 && w <= kMaxPictureSide &&
      h <= kMaxPictureSide && (channels == 3 || channels == 4)) {
    image = FromPixbufRows(w, h, gdk_pixbuf_read_pixels(pixbuf), gdk_pixbuf_get_rowstride(pixbuf),
                           channels);
  }
  g_object_unref(pixbuf);
  return image;
}

}  // namespace skyvault
