// Companion files on disk, read by the system's own decoder: hostile,
// broken and misfitting companions are refused and passed over.
#include <gtest/gtest.h>

#include <random>

#include "controls/scaled_picture.h"
#include "controls/tests/picture_files.h"
#include "controls/win32/tests/test_support.h"
#include "controls/win32/wic_image_decoder.h"

namespace skyvault::win32 {
namespace {

using skyvault::testing::BmpFile;
using skyvault::testing::FileBytes;
using skyvault::testing::PngFile;

// A picture of `width` x `height` in one colour with a lighter first row.
std::vector<uint32_t> Pixels(int width, int height, uint32_t argb) {
  std::vector<uint32_t> pixels(size_t(width) * height, argb);
  for (int x = 0; x < width; ++x) pixels[x] = argb | 0x00808080;
  return pixels;
}

FileBytes Noise(size_t size) {
  std::mt19937 random(11);
  FileBytes bytes(size);
  for (auto& b : bytes) b = uint8_t(random());
  return bytes;
}

// Each hostile file on its own: the decoder gives nothing for it.
TEST(PictureCompanionFiles, TheDecoderRefusesHostileCompanions) {
  testing::TempFolder folder;
  WicImageDecoder decoder;
  const FileBytes whole = PngFile(80, 40, Pixels(80, 40, 0xFF336699));
  FileBytes pngNoise = Noise(5000);
  std::copy(whole.begin(), whole.begin() + 8, pngNoise.begin());  // a PNG signature, then noise
  const std::pair<const wchar_t*, FileBytes> files[] = {
      {L"noise@4x.png", Noise(5000)},
      {L"png-noise@4x.png", pngNoise},
      {L"huge@4x.png", skyvault::testing::PngWithData(100000, 100000, {0x78, 0x01, 1, 0, 0})},
      {L"cut-in-data@4x.png", FileBytes(whole.begin(), whole.begin() + whole.size() / 2)},
      {L"cut-before-end@4x.png", FileBytes(whole.begin(), whole.end() - 20)},
      {L"empty@4x.png", {}},
  };
  for (const auto& [name, bytes] : files) {
    EXPECT_FALSE(decoder.Decode(folder.Write(name, bytes))) << folder.Path(name);
  }
  EXPECT_TRUE(decoder.Decode(folder.Write(L"whole@4x.png", whole)));
}

TEST(PictureCompanionFiles, TheFirstSoundCompanionThatFitsIsUsedElseTheNamedFile) {
  const FileBytes noise = Noise(3000);
  const FileBytes huge = skyvault::testing::PngWithData(100000, 100000, {0x78, 0x01, 1, 0, 0});
  const FileBytes four = PngFile(80, 40, Pixels(80, 40, 0xFF0000C0));
  const FileBytes cut(four.begin(), four.begin() + four.size() / 2);
  const struct {
    std::vector<std::pair<const wchar_t*, FileBytes>> companions;
    double scale;
    int factor;
  } cases[] = {
      {{{L"Pic@4x.png", noise},
        {L"Pic@3x.png", huge},
        {L"Pic@2x.png", PngFile(40, 20, Pixels(40, 20, 0xFF00C000))}},
       3.6,
       2},
      {{{L"Pic@4x.png", cut}, {L"Pic@3x.png", PngFile(62, 30, Pixels(62, 30, 0xFF00C000))}},
       3.6,
       1},
      {{{L"Pic@4x.png", four}}, 3.6, 4},
      {{{L"Pic@4x.png", PngFile(81, 39, Pixels(81, 39, 0xFF0000C0))}}, 2.0, 4},
      {{{L"Pic@4x.png", four}}, 1.0, 1},
  };
  for (const auto& c : cases) {
    testing::TempFolder folder;
    WicImageDecoder decoder;
    const std::string named = folder.Write(L"Pic.bmp", BmpFile(20, 10, Pixels(20, 10, 0xC00000)));
    for (const auto& [name, bytes] : c.companions) folder.Write(name, bytes);
    const FrameScale scale(c.scale);
    const auto picture = LoadScaledPicture(decoder, named, PictureKind::Opaque, scale);
    ASSERT_TRUE(picture) << c.scale;
    EXPECT_EQ(picture->sourceFactor, c.factor) << c.scale << ", " << c.companions.size();
    EXPECT_EQ(std::pair(picture->logicalWidth, picture->logicalHeight), std::pair(20, 10));
    EXPECT_EQ(std::pair(picture->image.width, picture->image.height),
              std::pair(scale.Length(20), scale.Length(10)));
    // The colour tells where the pixels came from.
    const uint32_t middle = picture->image.pixels[picture->image.pixels.size() / 2 + 2];
    const uint32_t want = c.factor == 1 ? 0xFFC00000 : c.factor == 2 ? 0xFF00C000 : 0xFF0000C0;
    EXPECT_EQ(middle, want) << c.scale << ", " << c.companions.size();
  }
}

// A colour-keyed aircraft's companion is keyed by the named file's key.
TEST(PictureCompanionFiles, AKeyedPicturesCompanionUsesTheNamedFilesKey) {
  testing::TempFolder folder;
  WicImageDecoder decoder;
  std::vector<uint32_t> named(20 * 10, 0xFF00FF), big(40 * 20, 0xFFFF00FF);
  for (int x = 5; x < 15; ++x) named[5 * 20 + x] = 0x00C000;
  for (int x = 10; x < 30; ++x) big[10 * 40 + x] = 0xFF00C000;
  big[0] = 0xFF0000FF;  // its own corner is not the key
  const std::string path = folder.Write(L"Plane.bmp", BmpFile(20, 10, named));
  folder.Write(L"Plane@2x.png", PngFile(40, 20, big));
  const auto picture = LoadScaledPicture(decoder, path, PictureKind::Transparent, FrameScale(2.0));
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->sourceFactor, 2);
  EXPECT_TRUE(picture->image.hasAlpha);
  EXPECT_EQ(picture->image.pixels[1], 0u);
  EXPECT_EQ(picture->image.pixels[0], 0xFF0000FFu);
  EXPECT_EQ(picture->image.pixels[10 * 40 + 20], 0xFF00C000u);
}

}  // namespace
}  // namespace skyvault::win32
