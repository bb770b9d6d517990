// Checks the generated data directory against what the saver relies on.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "controls/linux/sound_file.h"
#include "controls/testing/picture_files.h"
#include "display/aircraft_schedule.h"
#include "display/aircraft_table.h"

namespace {

const std::string kAssets = SKYVAULT_ASSETS_DIR;
const std::string kData = kAssets + "/data/";

using skyvault::testing::Bitmap;
using skyvault::testing::Png;

// The picture read by `read` (an empty one, and a failure, where it cannot be read).
template <typename Picture>
Picture Read(std::optional<Picture> (*read)(const std::string&), const std::string& path) {
  const std::optional<Picture> picture = read(path);
  if (!picture) ADD_FAILURE() << "not readable: " << path;
  return picture.value_or(Picture{});
}
Bitmap ReadBmp(const std::string& path) { return Read(skyvault::testing::ReadBmp, path); }
Png ReadPng(const std::string& path) { return Read(skyvault::testing::ReadPng, path); }

size_t DistinctColours(const Bitmap& b) {
  return std::set<uint32_t>(b.rgb.begin(), b.rgb.end()).size();
}

bool Leftward(const skyvault::AircraftRow& a) { return a.horizontalStep < 0; }

// The widest picture hidden where the aircraft starts, is put back, waits or leaves.
int WidestHidden(const skyvault::AircraftRow& a) {
  if (Leftward(a)) return -a.leaveTest.limit;
  int widest = std::min(-a.startX, -a.putBackX);
  if (a.number == skyvault::kBomber) widest = std::min(widest, -skyvault::kBomberWaitX);
  return widest;
}

// The sources' manifest: file -> {type, declared facing}.
std::map<std::string, std::pair<std::string, std::string>> Manifest() {
  std::map<std::string, std::pair<std::string, std::string>> rows;
  std::ifstream in(kAssets + "/src/aircraft.tsv");
  std::string line, file, slot, type, facing;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    const bool row = !line.empty() && line[0] != '#' && fields >> file >> slot >> type >> facing;
    EXPECT_TRUE(!row || rows.emplace(file, std::pair{type, facing}).second) << file << " twice";
  }
  return rows;
}

TEST(AircraftPictures, EachIsAnAlphaBitmapThatHidesWhereItWaitsWithSoftEdges) {
  auto manifest = Manifest();
  std::set<std::string> types;
  for (const auto& [file, row] : manifest) types.insert(row.first);
  EXPECT_EQ(manifest.size(), skyvault::kAircraft.size());
  EXPECT_EQ(types.size(), skyvault::kAircraft.size()) << "two slots share one aircraft type";
  for (const skyvault::AircraftRow& a : skyvault::kAircraft) {
    SCOPED_TRACE(a.bitmap);
    EXPECT_EQ(manifest.erase(a.bitmap), 1u) << "not in the manifest, or shared";
    const Bitmap bmp = ReadBmp(kData + a.bitmap);
    ASSERT_EQ(bmp.bpp, 32);
    ASSERT_NE(bmp.alphaMask, 0u);
    EXPECT_LE(bmp.width, WidestHidden(a)) << "would show where it waits";
    EXPECT_TRUE(bmp.width >= 150 && bmp.height >= 60 && bmp.height <= 130) << bmp.height;
    for (int x = 0; x < bmp.width; ++x) ASSERT_EQ(bmp.A(x, 0), 0) << "top row not clear at " << x;
    const auto count = [&](auto pred) {
      return size_t(std::count_if(bmp.alpha.begin(), bmp.alpha.end(), pred));
    };
    const size_t n = bmp.alpha.size();
    EXPECT_GT(count([](uint8_t a) { return a == 255; }), n / 5) << "mostly empty picture";
    EXPECT_GT(count([](uint8_t a) { return a == 0; }), n / 5) << "no room around the aircraft";
    EXPECT_GT(count([](uint8_t a) { return a > 0 && a < 255; }), size_t(bmp.width + bmp.height))
        << "hard, aliased edges";
  }
}

// Declared facing and pixels agree: propeller disc in the forward half, fin tip in the rear.
TEST(AircraftPictures, EachFacesTheWayItFlies) {
  const auto manifest = Manifest();
  for (const skyvault::AircraftRow& a : skyvault::kAircraft) {
    SCOPED_TRACE(a.bitmap);
    ASSERT_TRUE(manifest.count(a.bitmap));
    const std::string facing = manifest.at(a.bitmap).second;
    EXPECT_EQ(facing, Leftward(a) ? "left" : "right");
    const Bitmap bmp = ReadBmp(kData + a.bitmap);
    ASSERT_GT(bmp.width, 0);
    int prop = 0, mostTranslucent = -1, fin = -1;
    for (int x = 0; x < bmp.width; ++x) {
      int translucent = 0;
      for (int y = 0; y < bmp.height; ++y) translucent += bmp.A(x, y) > 0 && bmp.A(x, y) < 255;
      if (translucent > mostTranslucent) prop = x, mostTranslucent = translucent;
    }
    for (int i = 0; i < int(bmp.alpha.size()) && fin < 0; ++i)
      if (bmp.alpha[size_t(i)] == 255) fin = i % bmp.width;
    const bool facesRight = facing == "right";
    EXPECT_EQ(prop > bmp.width / 2, facesRight) << "propeller at column " << prop;
    EXPECT_EQ(fin < bmp.width / 2, facesRight) << "fin tip at column " << fin;
  }
}

TEST(OtherPictures, BridgeLogoAndPreviewHaveTheirSizes) {
  const Bitmap bridge = ReadBmp(kData + "Bridge.bmp");
  EXPECT_EQ(std::pair(bridge.width, bridge.height), std::pair(800, 600));
  EXPECT_GT(DistinctColours(bridge), 2000u) << "flat";
  const Bitmap logo = ReadBmp(kData + "Tarnwing1.bmp");  // drawn at (1, 20)
  EXPECT_TRUE(std::abs(logo.width - 200) <= 20 && std::abs(logo.height - 70) <= 10);
  EXPECT_EQ(std::count(logo.alpha.begin(), logo.alpha.end(), 255), long(logo.alpha.size()));
  const Bitmap preview = ReadBmp(kAssets + "/resources/preview.bmp");
  EXPECT_EQ(std::tuple(preview.width, preview.height, preview.bpp), std::tuple(153, 115, 8));
  EXPECT_GT(DistinctColours(preview), 64u) << "a scene, not a placeholder";
}

// ---- The pictures at four times the size ----

// Each stock picture's @4x companion: 4x the size, alpha alike, averaged down it lines up.
TEST(HighResolutionArt, EachStockPictureHasA4xCompanionThatLinesUpWithIt) {
  std::vector<std::string> files{"Bridge.bmp", "Tarnwing1.bmp"};
  for (const skyvault::AircraftRow& a : skyvault::kAircraft) files.push_back(a.bitmap);
  for (const std::string& file : files) {
    SCOPED_TRACE(file);
    const Bitmap named = ReadBmp(kData + file);
    const Png big = ReadPng(kData + file.substr(0, file.size() - 4) + "@4x.png");
    ASSERT_EQ(std::pair(big.width, big.height), std::pair(4 * named.width, 4 * named.height));
    EXPECT_EQ(big.hasAlphaChannel, named.alphaMask != 0);
    double difference = 0;
    int largest = 0;
    for (int y = 0; y < named.height; ++y)
      for (int x = 0; x < named.width; ++x) {
        int sum = 0;
        for (int i = 0; i < 16; ++i) sum += big.A(4 * x + i % 4, 4 * y + i / 4);
        const int d = std::abs((sum + 8) / 16 - named.A(x, y));
        difference += d, largest = std::max(largest, d);
      }
    EXPECT_LT(difference / named.alpha.size(), 1.5) << "the outlines do not line up";
    EXPECT_TRUE(named.alphaMask != 0 || largest == 0) << "an opaque picture with a see-through @4x";
  }
}

// ---- The engine sound ----

// As the Linux saver reads it: refused unless a PCM wave it can play.
skyvault::DecodedSound ReadWav(const std::string& path) {
  const auto sound = skyvault::ReadSoundFile(path);
  if (!sound) ADD_FAILURE() << "not playable: " << path;
  return sound.value_or(skyvault::DecodedSound{});
}

TEST(EngineSound, IsMonoPcmOfTwoToFourSecondsAndNotAPureTone) {
  const skyvault::DecodedSound w = ReadWav(kData + "Prop.wav");
  EXPECT_EQ(w.channels, 1);
  ASSERT_TRUE(w.samplesPerSecond == 22050 || w.samplesPerSecond == 44100) << w.samplesPerSecond;
  EXPECT_NEAR(double(w.samples.size()) / w.samplesPerSecond, 3.0, 1.0) << "seconds";
  double squares = 0;
  int peak = 0;
  for (int16_t s : w.samples) squares += double(s) * s, peak = std::max(peak, std::abs(int(s)));
  const double rms = std::sqrt(squares / w.samples.size());
  EXPECT_GT(rms, 3000.0) << "too quiet";
  EXPECT_LT(peak, 32767) << "clipped";
  EXPECT_GT(peak / rms, 2.0) << "a pure tone's crest factor is 1.41";
}

// No click at the seam (a jump within 99 % of the inside steps), no change of level.
TEST(EngineSound, LoopsWithoutAClickOrAPulseAtTheSeam) {
  const skyvault::DecodedSound w = ReadWav(kData + "Prop.wav");
  const size_t rate = size_t(w.samplesPerSecond);
  ASSERT_GT(w.samples.size(), rate / 10);
  const size_t n = w.samples.size();
  std::vector<int> steps;
  for (size_t i = 1; i < n; ++i) steps.push_back(std::abs(w.samples[i] - w.samples[i - 1]));
  std::sort(steps.begin(), steps.end());
  const int seam = std::abs(w.samples.front() - w.samples.back());
  EXPECT_LE(seam, steps[steps.size() * 99 / 100]) << "largest step inside: " << steps.back();
  const auto rms = [&](size_t from, size_t count) {
    double sum = 0;
    for (size_t i = 0; i < count; ++i) sum += std::pow(w.samples[(from + i) % n], 2);
    return std::sqrt(sum / count);
  };
  EXPECT_NEAR(rms(n - rate / 40, rate / 20) / rms(n / 2, rate / 20), 1.0, 0.35);
}

TEST(HelpPage, AnswersTheDialogsQuestionsOffline) {
  std::ifstream in(kData + "help.html");
  const std::string html(std::istreambuf_iterator<char>(in), {});
  for (const char* text : {"How do I load a custom background?", "How do I load a custom logo?",
                           "Why is it slow loading the settings screen?", "Skyvault-Setup.exe",
                           "HKEY_CURRENT_USER\\Software\\Skyvault\\Startup", "800 &times; 600"})
    EXPECT_NE(html.find(text), std::string::npos) << text;
  EXPECT_EQ(html.find("://"), std::string::npos) << "the page must work offline";
}

}  // namespace
