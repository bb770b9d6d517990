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
  const struct {
    const char* what;
    SoundFileFacts facts;
    SoundFileVerdict verdict;
  } cases[] = {
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
  for (const auto& c : cases) EXPECT_EQ(CheckSoundFile(c.facts), c.verdict) << c.what;
}

}  // namespace
}  // namespace skyvault
