#include "controls/sound_file_check.h"

#include <gtest/gtest.h>

namespace skyvault {
namespace {

using V = SoundFileVerdict;

TEST(SoundFileCheck, AcceptsSmallPcmWavesAndRefusesTheRest) {
  const SoundFileFacts engine{400000, true, 1, 22050, 16, 200000};
  auto with = [&](auto change) {
    SoundFileFacts facts = engine;
    change(facts);
    return facts;
  };
  const std::tuple<const char*, SoundFileFacts, SoundFileVerdict> cases[] = {
      {"the engine", engine, V::Usable},
      {"stereo 8 bits", with([](auto& f) { f.channels = 2, f.bitsPerSample = 8; }), V::Usable},
      {"exactly 16 MB", with([](auto& f) { f.fileBytes = 16 << 20; }), V::Usable},
      {"a byte more", with([](auto& f) { f.fileBytes = (16 << 20) + 1; }), V::TooLarge},
      {"4 GB", with([](auto& f) { f.fileBytes = int64_t{4} << 30; }), V::TooLarge},
      {"too large wins", with([](auto& f) { f.fileBytes = 1 << 30, f.pcmWave = false; }),
       V::TooLarge},
      {"not a PCM wave", with([](auto& f) { f.pcmWave = false; }), V::NotPcmWave},
      {"no channel", with([](auto& f) { f.channels = 0; }), V::Channels},
      {"three channels", with([](auto& f) { f.channels = 3; }), V::Channels},
      {"24 bits", with([](auto& f) { f.bitsPerSample = 24; }), V::Bits},
      {"12 bits", with([](auto& f) { f.bitsPerSample = 12; }), V::Bits},
      {"100 Hz", with([](auto& f) { f.samplesPerSecond = 100; }), V::Usable},
      {"99 Hz", with([](auto& f) { f.samplesPerSecond = 99; }), V::Rate},
      {"384000 Hz", with([](auto& f) { f.samplesPerSecond = 384000; }), V::Usable},
      {"384001 Hz", with([](auto& f) { f.samplesPerSecond = 384001; }), V::Rate},
      {"one frame", with([](auto& f) { f.frames = 1; }), V::Usable},
      {"no frame", with([](auto& f) { f.frames = 0; }), V::Empty},
  };
  for (const auto& [what, facts, verdict] : cases)
    EXPECT_EQ(CheckSoundFile(facts), verdict) << what;
}

// A data chunk's size is a claim; what counts is what the file holds.
TEST(SoundFileCheck, FramesAreCountedFromTheFileNotFromTheHeadersClaim) {
  const auto facts = [](int64_t fileBytes, int channels, int bits, int64_t claimed) {
    return SoundFileFacts{fileBytes, true, channels, 22050, bits, claimed, 44};
  };
  const std::tuple<const char*, SoundFileFacts, int64_t> cases[] = {
      {"as claimed", facts(44 + 2000, 1, 16, 1000), 1000},
      {"padding after the data", facts(44 + 2100, 1, 16, 1000), 1000},
      {"2 KB claiming 2 GB", facts(2048, 1, 16, 0x7FFFFF00 / 2), (2048 - 44) / 2},
      {"2 KB claiming 4 GB", facts(2048, 2, 16, 0xFFFFFF00 / 4), (2048 - 44) / 4},
      {"half a frame left", facts(44 + 3, 1, 16, 1000), 1},
      {"8-bit stereo", facts(44 + 11, 2, 8, 1000), 5},
      {"no byte after the header", facts(44, 1, 16, 1000), 0},
      {"header alone, cut", facts(30, 1, 16, 1000), 0},
      {"no frame claimed", facts(4000, 1, 16, 0), 0},
  };
  for (const auto& [what, facts, held] : cases) {
    EXPECT_EQ(HeldFrames(facts), held) << what;
    EXPECT_EQ(CheckSoundFile(facts), held ? V::Usable : V::Empty) << what;
  }
}

}  // namespace
}  // namespace skyvault
