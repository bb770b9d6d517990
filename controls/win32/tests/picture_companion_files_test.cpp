#include <gtest/gtest.h>

#include <random>

#include "controls/scaled_picture.h"
#include "controls/testing/png_bytes.h"
#include "controls/win32/wic_image_decoder.h"
#include "platform/testing/temp_folder.h"

namespace skyvault::win32 {
namespace {

using skyvault::testing::FileBytes;
constexpr auto Png = skyvault::testing::PngFile;

// Companions the system's decoder refuses or that misfit are passed over: the first that decodes
// and fits is taken (green, 2x), else the named picture (red). The order and the fit are the
// portable tests'.
TEST(PictureCompanionFiles, TheFirstSoundCompanionThatFitsIsUsedElseTheNamedFile) {
  std::mt19937 random(11);
  FileBytes noise(3000);
  for (auto& b : noise) b = uint8_t(random());
  const FileBytes four = Png(80, 40, 0xFF0000C0), cut(four.begin(), four.begin() + four.size() / 2),
                  huge = skyvault::testing::PngWithData(100000, 100000,
                                                        {0x78, 1, 1, 0, 0, 0xFF, 0xFF});
  const std::pair<std::vector<std::pair<const wchar_t*, FileBytes>>, int> cases[] = {
      {{{L"Pic@4x.png", noise}, {L"Pic@3x.png", huge}, {L"Pic@2x.png", Png(40, 20, 0xFF00C000)}},
       2},
      {{{L"Pic@4x.png", cut}, {L"Pic@3x.png", Png(62, 30, 0xFF00C000)}}, 1}};
  for (const auto& [companions, factor] : cases) {
    testing::TempFolder folder;
    WicImageDecoder decoder;
    const std::string named = folder.Write(L"Pic.png", Png(20, 10, 0xFFC00000));
    for (const auto& [name, bytes] : companions) folder.Write(name, bytes);
    const FrameScale scale(3.6);
    const auto picture = LoadScaledPicture(decoder, named, PictureKind::Opaque, scale);
    ASSERT_TRUE(picture) << factor;
    EXPECT_EQ(std::pair(picture->sourceFactor, picture->image.width),
              std::pair(factor, scale.Length(20)));
    EXPECT_EQ(picture->image.pixels[picture->image.pixels.size() / 2],
              factor == 1 ? 0xFFC00000 : 0xFF00C000);
  }
}

}  // namespace
}  // namespace skyvault::win32
