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
  // Unsigned 8-bit samples are widened, to within their step.
  for (const WaveShape& shape : {WaveShape{2, 16, 44100, 4410}, WaveShape{1, 8, 11025, 1102}}) {
    const auto sound = ReadSoundFile(Write("ok.wav", WaveBytes(shape)));
    ASSERT_TRUE(sound.has_value()) << shape.bits;
    EXPECT_EQ(std::tuple(sound->channels, sound->samplesPerSecond, sound->frames()),
              std::tuple(shape.channels, shape.rate, size_t(shape.frames)));
    for (int64_t f : {int64_t{0}, int64_t{7}, shape.frames - 1})
      for (int c = 0; c < shape.channels; ++c)
        EXPECT_NEAR(sound->samples[f * shape.channels + c], testing::ToneSample(shape, f),
                    shape.bits == 8 ? 256 : 0)
            << f;
  }
  // A data chunk claiming more than the file holds gives what is there.
  const auto cut = ReadSoundFile(Write("claims.wav", WaveBytes({1, 16, 8000, 800, 1, 0xFFFFFF00})));
  EXPECT_EQ(cut ? cut->frames() : 0, 800u);
}

// One case for each fact the reader hands the check (whose rules are its own test); no waves.
TEST_F(SoundFileTest, RefusesWhatTheCheckRefusesAndWhatIsNoWave) {
  std::string notWave = WaveBytes({});
  notWave[8] = 'A';
  // Empty, a header cut short, another RIFF kind, floating point, 24 bits, three channels, no
  // samples, 50 Hz, one frame over 16 MB (a 44-byte header).
  int n = 0;  // the row, 1 up, in the file's name and in a failure
  for (const std::string& bytes :
       {std::string(), WaveBytes({}).substr(0, 30), notWave, WaveBytes({1, 32, 8000, 800, 3}),
        WaveBytes({1, 24, 8000, 800}), WaveBytes({3, 16, 8000, 800}), WaveBytes({1, 16, 8000, 0}),
        WaveBytes({1, 16, 50, 100}), WaveBytes({1, 16, 22050, ((16 << 20) - 44) / 2 + 1})})
    EXPECT_FALSE(ReadSoundFile(Write(std::to_string(++n) + ".wav", bytes)).has_value()) << n;
  for (const std::string& path : {folder_ + "/missing.wav", folder_})
    EXPECT_FALSE(ReadSoundFile(path).has_value()) << path;
  ASSERT_EQ(mkfifo((folder_ + "/pipe.wav").c_str(), 0600), 0);
  EXPECT_FALSE(ReadSoundFile(folder_ + "/pipe.wav").has_value());  // and does not wait
}

}  // namespace
}  // namespace skyvault
