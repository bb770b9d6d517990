#include "controls/linux/sound_file.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "controls/tests/wave_bytes.h"
#include "platform/testing/temp_folder.h"

namespace skyvault {
namespace {

using testing::WaveBytes;
using testing::WaveShape;

class SoundFileTest : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const std::string& bytes) {
    return temp_.Write(name, std::vector<uint8_t>(bytes.begin(), bytes.end()));
  }
  testing::TempFolder temp_;
  const std::string folder_ = testing::Utf8(temp_.path());
};

TEST_F(SoundFileTest, ReadsPcmWavesAsSixteenBitSamples) {
  const WaveShape stereo16{2, 16, 44100, 4410};
  const auto stereo = ReadSoundFile(Write("s16.wav", WaveBytes(stereo16)));
  ASSERT_TRUE(stereo.has_value());
  EXPECT_EQ(std::tuple(stereo->channels, stereo->samplesPerSecond, stereo->frames()),
            std::tuple(2, 44100, size_t{4410}));
  for (int64_t f : {0, 1, 100, 4409}) {
    EXPECT_EQ(stereo->samples[f * 2], testing::ToneSample(stereo16, f)) << f;
    EXPECT_EQ(stereo->samples[f * 2 + 1], testing::ToneSample(stereo16, f)) << f;
  }
  const WaveShape mono8{1, 8, 11025, 1102};
  const auto mono = ReadSoundFile(Write("m8.wav", WaveBytes(mono8)));
  ASSERT_TRUE(mono.has_value());
  EXPECT_EQ(std::tuple(mono->channels, mono->samplesPerSecond, mono->frames()),
            std::tuple(1, 11025, size_t{1102}));
  for (int64_t f : {0, 7, 1000}) {  // unsigned 8-bit samples, widened
    EXPECT_NEAR(mono->samples[f], testing::ToneSample(mono8, f), 256) << f;
  }
  // A data chunk that claims more than the file holds gives what is there,
  // as on Windows (the counting is the check's test).
  const auto cut = ReadSoundFile(Write("claims.wav", WaveBytes({1, 16, 8000, 800, 1, 0xFFFFFF00})));
  ASSERT_TRUE(cut.has_value());
  EXPECT_EQ(cut->frames(), 800u);
}

TEST_F(SoundFileTest, TheEngineSoundThatShipsIsUsable) {
  const auto engine = ReadSoundFile(std::string(SKYVAULT_DATA_DIR) + "/Prop.wav");
  ASSERT_TRUE(engine.has_value());
  EXPECT_GT(engine->frames(), size_t(engine->samplesPerSecond) / 4);
}

// The check's rules are its own test; here, one case for each fact the
// reader hands it, and files that are no wave.
TEST_F(SoundFileTest, RefusesWhatTheCheckRefusesAndWhatIsNoWave) {
  std::string notRiff = WaveBytes({}), notWave = WaveBytes({});
  notRiff[0] = 'X';
  notWave[8] = 'A';
  const std::pair<const char*, std::string> refused[] = {
      {"empty", ""},
      {"header cut", WaveBytes({}).substr(0, 30)},
      {"not RIFF", notRiff},
      {"not WAVE", notWave},
      {"floating point", WaveBytes({1, 32, 8000, 800, 3})},
      {"24 bits", WaveBytes({1, 24, 8000, 800})},
      {"three channels", WaveBytes({3, 16, 8000, 800})},
      {"no samples", WaveBytes({1, 16, 8000, 0})},
      {"50 Hz", WaveBytes({1, 16, 50, 100})},
      {"a picture", std::string("BM\0\0\0\0", 6)},
  };
  for (const auto& [what, bytes] : refused) {
    EXPECT_FALSE(ReadSoundFile(Write("bad.wav", bytes)).has_value()) << what;
  }
  EXPECT_FALSE(ReadSoundFile(folder_ + "/missing.wav").has_value());
  EXPECT_FALSE(ReadSoundFile(folder_).has_value());
  ASSERT_EQ(mkfifo((folder_ + "/pipe.wav").c_str(), 0600), 0);
  EXPECT_FALSE(ReadSoundFile(folder_ + "/pipe.wav").has_value());  // and does not wait
}

TEST_F(SoundFileTest, AFileOverSixteenMegabytesIsRefused) {
  const int64_t frames = ((16 << 20) - 44) / 2 + 1;  // a 44-byte header
  EXPECT_FALSE(ReadSoundFile(Write("over.wav", WaveBytes({1, 16, 22050, frames}))).has_value());
}

}  // namespace
}  // namespace skyvault
