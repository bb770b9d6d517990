#include "controls/testing/picture_files.h"

#include <png.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "controls/picture_alpha.h"
#include "platform/testing/little_endian.h"

namespace skyvault::testing {

std::optional<Bitmap> ReadBmp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  const std::vector<uint8_t> b(std::istreambuf_iterator<char>(in), {});
  if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return std::nullopt;
  Bitmap bmp;
  const uint32_t offset = Get32(b, 10), header = Get32(b, 14), compression = Get32(b, 30);
  bmp.width = int32_t(Get32(b, 18));
  const int32_t h = int32_t(Get32(b, 22));
  bmp.height = std::abs(h);
  bmp.bpp = Get16(b, 28);
  if (compression == 3 && header >= 56) bmp.alphaMask = Get32(b, 66);
  const size_t stride = (size_t(bmp.width) * bmp.bpp + 31) / 32 * 4;
  if ((compression != 0 && compression != 3) || offset + stride * bmp.height > b.size())
    return std::nullopt;
  int shift = 0;
  while (bmp.alphaMask && !(bmp.alphaMask >> shift & 1)) ++shift;
  for (int row = 0; row < bmp.height; ++row) {
    // Rows are stored bottom-up unless the height is negative.
    const uint8_t* p = b.data() + offset + stride * size_t(h < 0 ? row : bmp.height - 1 - row);
    for (int x = 0; x < bmp.width; ++x) {
      const uint8_t* c = bmp.bpp == 8 ? &b.at(14 + header + 4 * p[x]) : p + x * bmp.bpp / 8;
      bmp.rgb.push_back(uint32_t(c[2]) << 16 | c[1] << 8 | c[0]);
      const uint32_t v = bmp.bpp == 32 ? Get32(b, size_t(c - b.data())) : 0;
      bmp.alpha.push_back(bmp.alphaMask ? uint8_t((v & bmp.alphaMask) >> shift) : 255);
    }
  }
  return bmp;
}

std::optional<Png> ReadPng(const std::string& path) {
  Png png;
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return std::nullopt;
  png.hasAlphaChannel = (image.format & PNG_FORMAT_FLAG_ALPHA) != 0;
  image.format = PNG_FORMAT_RGBA;
  png.rgba.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, png.rgba.data(), 0, nullptr)) return std::nullopt;
  png.width = int(image.width), png.height = int(image.height);
  return png;
}

std::optional<DecodedImage> FilePictureDecoder::Decode(const std::string& path) {
  DecodedImage image;
  if (path.size() > 4 && path.compare(path.size() - 4, 4, ".png") == 0) {
    const std::optional<Png> png = ReadPng(path);
    if (!png) return std::nullopt;
    image.width = png->width, image.height = png->height;
    for (size_t i = 0; i < png->rgba.size(); i += 4)
      image.pixels.push_back(uint32_t(png->rgba[i + 3]) << 24 | png->rgba[i] << 16 |
                             png->rgba[i + 1] << 8 | png->rgba[i + 2]);
  } else {
    const std::optional<Bitmap> bmp = ReadBmp(path);
    if (!bmp || bmp->width <= 0) return std::nullopt;
    image.width = bmp->width, image.height = bmp->height;
    for (size_t i = 0; i < bmp->rgb.size(); ++i)
      image.pixels.push_back(uint32_t(bmp->alpha[i]) << 24 | bmp->rgb[i]);
  }
  if (image.width > kMaxPictureSide || image.height > kMaxPictureSide) return std::nullopt;
  ApplyAlphaRules(image, AlphaForm::Straight);
  return image;
}

}  // namespace skyvault::testing
