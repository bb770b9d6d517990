#include "controls/picture_companions.h"

#include <gtest/gtest.h>

#include <cmath>

#include "controls/tests/fake_image_decoder.h"

namespace skyvault {
namespace {

std::vector<int> Factors(const std::vector<CompanionFile>& files) {
  std::vector<int> factors;
  for (const CompanionFile& f : files) factors.push_back(f.factor);
  return factors;
}

TEST(CompanionCandidates, SmallestLargeEnoughFirstThenTheSmallerOnesFromTheLargestDown) {
  const struct {
    double need;
    std::vector<int> factors;
  } cases[] = {
      {0.8, {}},        {1.0, {}},        {1.0001, {2, 3, 4}}, {1.8, {2, 3, 4}},
      {2.0, {2, 3, 4}}, {2.4, {3, 4, 2}}, {3.0, {3, 4, 2}},    {3.6, {4, 3, 2}},
      {4.0, {4, 3, 2}}, {7.2, {4, 3, 2}}, {NAN, {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Factors(CompanionCandidates("Bridge.bmp", c.need)), c.factors) << c.need;
  }
}

TEST(CompanionCandidates, AreNamedAfterTheFilesStemInItsOwnFolder) {
  const struct {
    std::string path, twice;
  } cases[] = {
      {"C:\\Hallowmere\\Skyvault1\\Bridge.bmp", "C:\\Hallowmere\\Skyvault1\\Bridge@2x.png"},
      {"/home/ann/Pictures/my.holiday.jpg", "/home/ann/Pictures/my.holiday@2x.png"},
      {"C:\\photos.2024\\harbour", "C:\\photos.2024\\harbour@2x.png"},
      {"D:/mixed\\slashes/Logo.PNG", "D:/mixed\\slashes/Logo@2x.png"},
      {"Tarnwing1.bmp", "Tarnwing1@2x.png"},
      {"/home/ann/.hidden", "/home/ann/.hidden@2x.png"},
  };
  for (const auto& c : cases) {
    const auto files = CompanionCandidates(c.path, 2.0);
    ASSERT_EQ(files.size(), 3u) << c.path;
    EXPECT_EQ(files[0].path, c.twice);
  }
  EXPECT_EQ(CompanionCandidates("C:\\Hallowmere\\Skyvault1\\Bridge.bmp", 3.6)[0].path,
            "C:\\Hallowmere\\Skyvault1\\Bridge@4x.png");
  EXPECT_TRUE(CompanionCandidates("C:\\pictures\\", 2.0).empty());
  EXPECT_TRUE(CompanionCandidates("", 2.0).empty());
}

TEST(FitsAsCompanion, NTimesTheSizeWithinOnePixelOnEachSide) {
  const struct {
    int factor, width, height;
    bool fits;
  } cases[] = {
      {2, 200, 150, true},  {2, 201, 149, true}, {2, 199, 151, true},  {2, 202, 150, false},
      {2, 200, 148, false}, {4, 400, 300, true}, {4, 200, 150, false}, {3, 300, 225, true},
      {3, 400, 300, false}, {0, 0, 0, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FitsAsCompanion(100, 75, c.factor, c.width, c.height), c.fits)
        << c.factor << ": " << c.width << "x" << c.height;
  }
  EXPECT_FALSE(FitsAsCompanion(0, 75, 2, 1, 150));
}

// Records what is asked for.
struct AskingDecoder : testing::FakeImageDecoder {
  std::optional<DecodedImage> Decode(const std::string& path) override {
    asked.push_back(path);
    return FakeImageDecoder::Decode(path);
  }
  std::vector<std::string> asked;
};

TEST(ChooseCompanion, TakesTheFirstThatDecodesAndFitsElseTheNamedPicture) {
  const DecodedImage named = testing::OpaqueImage(10, 5, {0x112233});
  const auto picture = [](int w, int h) { return testing::OpaqueImage(w, h, {0x445566}); };
  const struct {
    std::vector<std::pair<int, DecodedImage>> companions;  // factor, picture
    double need;
    int chosen;
    int asked;  // companions asked for before the choice
  } cases[] = {
      {{}, 3.6, 1, 3},
      {{{2, picture(20, 10)}, {3, picture(30, 15)}, {4, picture(40, 20)}}, 1.8, 2, 1},
      {{{2, picture(20, 10)}, {3, picture(30, 15)}, {4, picture(40, 20)}}, 2.4, 3, 1},
      {{{2, picture(20, 10)}, {3, picture(30, 15)}, {4, picture(40, 20)}}, 3.6, 4, 1},
      {{{2, picture(20, 10)}, {3, picture(31, 14)}}, 3.6, 3, 2},  // within a pixel
      {{{2, picture(20, 10)}, {4, picture(42, 20)}}, 3.6, 2, 3},  // the 4x is 2 too wide
      {{{4, picture(20, 10)}}, 3.6, 1, 3},                        // a 2x named 4x
      {{{4, DecodedImage{40, 20, {}, false}}}, 3.6, 1, 3},        // no pixels
      {{{2, picture(20, 10)}}, 1.0, 1, 0},                        // not needed
  };
  for (const auto& c : cases) {
    AskingDecoder decoder;
    for (const auto& [factor, image] : c.companions) {
      decoder.pictures["C:\\data\\Plane01@" + std::to_string(factor) + "x.png"] = image;
    }
    const PictureSource source = ChooseCompanion(decoder, "C:\\data\\Plane01.bmp", named, c.need);
    EXPECT_EQ(source.factor, c.chosen) << c.need << ", " << c.companions.size();
    EXPECT_EQ(int(decoder.asked.size()), c.asked) << c.need << ", " << c.companions.size();
    if (c.chosen == 1) {
      EXPECT_EQ(source.image.pixels, named.pixels);
    }
  }
}

}  // namespace
}  // namespace skyvault
