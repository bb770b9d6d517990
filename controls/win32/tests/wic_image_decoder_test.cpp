#include "controls/win32/wic_image_decoder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <random>
#include <thread>
#include <vector>

#include "controls/testing/png_bytes.h"
#include "platform/testing/little_endian.h"
#include "platform/testing/temp_folder.h"
#include "platform/win32/win32_headers.h"

namespace skyvault::win32 {
namespace {

using skyvault::testing::Bytes;
using skyvault::testing::PngFile;
using skyvault::testing::Put32;

// The test picture, 4 x 2, as 0xRRGGBB, top row first.
constexpr uint32_t kColours[8] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF,
                                  0x000000, 0xFFFF00, 0x00FFFF, 0xFF00FF};

struct Bmp {
  int width = 4, height = 2, bits = 24;  // negative height: rows from the top
  bool v5 = false;                       // a 124-byte header with red, green, blue and alpha masks
  // File header, info header, masks and the pixel data given.
  Bytes File(const Bytes& data) const {
    const uint32_t offset = 14 + (v5 ? 124 : 40);
    Bytes b{'B', 'M'};
    for (uint32_t v :
         {offset + uint32_t(data.size()), 0u, offset, v5 ? 124u : 40u, uint32_t(width),
          uint32_t(height), uint32_t(bits << 16 | 1), uint32_t(v5 ? BI_BITFIELDS : BI_RGB),
          uint32_t(data.size()), 2835u, 2835u, 0u, 0u})
      Put32(b, v);
    if (v5) {
      for (uint32_t m : {0xFF0000u, 0xFF00u, 0xFFu, 0xFF000000u, 0x73524742u}) Put32(b, m);  // sRGB
      b.resize(b.size() + 36 + 12, 0);  // endpoints, gamma
      Put32(b, 4);                      // LCS_GM_IMAGES
      b.resize(b.size() + 12, 0);
    }
    b.insert(b.end(), data.begin(), data.end());
    return b;
  }
  // Two rows of four `values` (top first) of `bytes` bytes each, stored bottom-up.
  Bytes Rows(const std::vector<uint32_t>& values, int bytes) const {
    Bytes data;
    for (int i = 0; i < 2; ++i) {
      for (int x = 0; x < 4; ++x)
        for (int k = 0; k < bytes; ++k) data.push_back(uint8_t(values[(1 - i) * 4 + x] >> 8 * k));
    }
    return File(data);
  }
};

// The test picture with alpha 0, 128 and 255 in its top row and 255 below.
const std::vector<uint32_t> kWithAlpha = {0x00FF0000, 0x8000FF00, 0xFF0000FF, 0xFFFFFFFF,
                                          0xFF000000, 0xFFFFFF00, 0xFF00FFFF, 0xFFFF00FF};
const std::vector<uint32_t> kTestPicture(kColours, kColours + 8);

class WicImageDecoderTest : public ::testing::Test {
 protected:
  skyvault::testing::TempFolder folder;
  WicImageDecoder decoder;
};

// The decoder's own: one pixel form, a 32-bit bitmap's padding byte, wide paths, any name.
TEST_F(WicImageDecoderTest, OpaquePicturesComeBackExactly) {
  const Bytes png = PngFile(4, 2, 0xFF2080C0);
  for (const std::string& path :
       {folder.Write(L"24.bmp", Bmp{}.Rows(kTestPicture, 3)),
        // A plain 32-bit bitmap's fourth byte is padding; a V5 alpha of zeroes means opaque.
        folder.Write(L"32.bmp", Bmp{4, 2, 32}.Rows(kWithAlpha, 4)),
        folder.Write(L"v5zero.bmp", Bmp{4, 2, 32, true}.Rows(kTestPicture, 4)),
        folder.Write(L"Fl\u00fcgel \u65e5.bmp", Bmp{}.Rows(kTestPicture, 3)),
        folder.Write(L"solid.png", png), folder.Write(L"solid-png-named.bmp", png)}) {
    auto image = decoder.Decode(path);
    ASSERT_TRUE(image.has_value()) << path;
    ASSERT_EQ(std::tuple(image->width, image->height, image->hasAlpha), std::tuple(4, 2, false))
        << path;
    const bool solid = path.find("solid") != std::string::npos;  // the PNG
    for (int i = 0; i < 8; ++i)
      EXPECT_EQ(image->pixels[i], (solid ? 0x2080C0 : kColours[i]) | 0xFF000000u) << path << i;
  }
}

TEST_F(WicImageDecoderTest, TransparencyComesBackPremultiplied) {
  auto bmp = decoder.Decode(folder.Write(L"v5.bmp", Bmp{4, 2, 32, true}.Rows(kWithAlpha, 4)));
  ASSERT_TRUE(bmp.has_value());
  EXPECT_TRUE(bmp->hasAlpha);
  EXPECT_EQ(std::vector(bmp->pixels.begin(), bmp->pixels.begin() + 5),
            (std::vector<uint32_t>{0, 0x80008000, 0xFF0000FF, 0xFFFFFFFF, 0xFF000000}));
  auto png = decoder.Decode(folder.Write(L"a.png", PngFile(4, 2, 0x80FF8040)));
  ASSERT_TRUE(png.has_value());
  EXPECT_TRUE(png->hasAlpha);
  EXPECT_EQ(png->pixels[7], 0x80804020u);
}

// Worker threads that come and go (each read with a factory of its own) read the same picture.
TEST_F(WicImageDecoderTest, ReadsOnThreadsThatComeAndGoGiveTheSamePicture) {
  const std::string png = folder.Write(L"t.png", PngFile(4, 2, 0x80FF8040));
  const auto here = decoder.Decode(png);
  ASSERT_TRUE(here.has_value());
  std::atomic<int> same{0};
  for (int round = 0; round < 10; ++round) {
    std::vector<std::thread> workers;
    for (int i = 0; i < 4; ++i)
      workers.emplace_back(
          [&] { same += decoder.Decode(png).value_or(DecodedImage{}).pixels == here->pixels; });
    for (std::thread& worker : workers) worker.join();
  }
  EXPECT_EQ(same.load(), 10 * 4);
}

// Refused: no picture. Merely survived: whatever comes back has the size it claims. Never a crash.
TEST_F(WicImageDecoderTest, HostileAndOversizedFilesNeverCrash) {
  std::mt19937 random(7);
  Bytes noise(4096);
  for (auto& b : noise) b = static_cast<uint8_t>(random());
  Bytes bmNoise = noise;
  bmNoise[0] = 'B', bmNoise[1] = 'M';
  const Bytes png = PngFile(80, 40, 0xFF0000C0);
  const std::pair<std::string, bool> files[] = {
      {folder.Write(L"huge.bmp", Bmp{65535, 65535}.File(Bytes(64, 0x55))), true},
      {folder.Write(L"wide.bmp", Bmp{8193, 1}.File(Bytes(8193 * 3 + 1, 0))), true},
      {folder.Write(L"tall.bmp", Bmp{1, -8193}.File(Bytes(8193 * 4, 0))), true},
      {folder.Write(L"huge.png",
                    skyvault::testing::PngWithData(100000, 100000, {0x78, 1, 1, 0, 0, 0xFF, 0xFF})),
       true},
      {folder.Write(L"0x0.bmp", Bmp{0, 0}.File({})), true},
      {folder.Write(L"zero-bytes.bmp", {}), true},
      {folder.Path(L"missing.bmp"), true},
      {skyvault::testing::Utf8(folder.path()), true},
      {"", true},
      {folder.Write(L"noise.bmp", noise), true},
      {folder.Write(L"half.png", Bytes(png.begin(), png.begin() + png.size() / 2)), true},
      {folder.Write(L"bm-noise.bmp", bmNoise), false},
      {folder.Write(L"cut.png", Bytes(png.begin(), png.begin() + 60)), false},
      {folder.Write(L"short.bmp", Bmp{100, 100}.File(Bytes(10, 0x7F))), false},
  };
  for (const auto& [path, refused] : files) {
    auto image = decoder.Decode(path);
    EXPECT_FALSE(refused && image) << path;
    if (image) {
      EXPECT_EQ(image->pixels.size(), size_t(image->width) * image->height) << path;
    }
  }
}

}  // namespace
}  // namespace skyvault::win32
