#include "controls/picture_companions.h"

#include <gtest/gtest.h>

#include <cmath>

#include "controls/testing/fake_image_decoder.h"

namespace skyvault {
namespace {

TEST(CompanionCandidates, SmallestLargeEnoughFirstThenSmallerOnesFromTheLargestDown) {
  const struct {
    double need;
    std::vector<int> factors;
  } orders[] = {{0.8, {}},        {1.0, {}},        {1.8, {2, 3, 4}}, {2.0, {2, 3, 4}},
                {2.4, {3, 4, 2}}, {3.6, {4, 3, 2}}, {7.2, {4, 3, 2}}, {NAN, {}}};
  for (const auto& o : orders) {
    std::vector<int> factors;
    for (const CompanionFile& f : CompanionCandidates("Bridge.bmp", o.need))
      factors.push_back(f.factor);
    EXPECT_EQ(factors, o.factors) << o.need;
  }
  const std::pair<std::string, std::string> names[] = {
      {"C:\\Hallowmere\\Skyvault1\\Bridge.bmp", "C:\\Hallowmere\\Skyvault1\\Bridge@3x.png"},
      {"/home/ann/my.holiday.jpg", "/home/ann/my.holiday@3x.png"},
      {"C:\\photos.2024\\harbour", "C:\\photos.2024\\harbour@3x.png"},
      {"/home/ann/.hidden", "/home/ann/.hidden@3x.png"}};
  for (const auto& [path, first] : names)
    EXPECT_EQ(CompanionCandidates(path, 2.4).at(0).path, first);
  EXPECT_TRUE(CompanionCandidates("C:\\pictures\\", 2.0).empty());
}

// Records what is asked for.
struct AskingDecoder : testing::FakeImageDecoder {
  std::optional<DecodedImage> Decode(const std::string& path) override {
    asked.push_back(path);
    return FakeImageDecoder::Decode(path);
  }
  std::vector<std::string> asked;
};

// The first companion that decodes at N times the named size (within a pixel) is taken; else the
// named picture.
TEST(ChooseCompanion, TakesTheFirstThatDecodesAndFitsElseTheNamedPicture) {
  const DecodedImage named = testing::OpaqueImage(10, 5, {0x112233});
  const auto of = [](int w, int h) { return testing::OpaqueImage(w, h, {0x445566}); };
  const struct {
    std::vector<std::pair<int, DecodedImage>> companions;  // factor, picture
    double need;
    int chosen, asked;
  } cases[] = {
      {{}, 3.6, 1, 3},
      {{{2, of(20, 10)}, {3, of(30, 15)}, {4, of(40, 20)}}, 1.8, 2, 1},
      {{{2, of(20, 10)}, {3, of(30, 15)}, {4, of(40, 20)}}, 2.4, 3, 1},
      {{{2, of(20, 10)}, {3, of(31, 14)}}, 3.6, 3, 2},      // within a pixel
      {{{2, of(20, 10)}, {4, of(42, 20)}}, 3.6, 2, 3},      // two pixels too wide
      {{{4, of(20, 10)}, {3, of(30, 17)}}, 3.6, 1, 3},      // a 2x named 4x; too tall
      {{{4, DecodedImage{40, 20, {}, false}}}, 3.6, 1, 3},  // no pixels
      {{{2, of(20, 10)}}, 1.0, 1, 0},                       // not needed
  };
  for (const auto& c : cases) {
    AskingDecoder decoder;
    for (const auto& [factor, image] : c.companions)
      decoder.pictures["C:\\data\\Plane01@" + std::to_string(factor) + "x.png"] = image;
    const PictureSource source = ChooseCompanion(decoder, "C:\\data\\Plane01.bmp", named, c.need);
    EXPECT_EQ(std::pair(source.factor, int(decoder.asked.size())), std::pair(c.chosen, c.asked))
        << c.need << ", " << c.companions.size();
    EXPECT_EQ(source.image.pixels == named.pixels, c.chosen == 1);
  }
}

}  // namespace
}  // namespace skyvault
