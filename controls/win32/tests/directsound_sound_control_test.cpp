#include "controls/win32/directsound_sound_control.h"

#include <gtest/gtest.h>

#include <cmath>

#include "controls/win32/tests/test_files.h"
#include "controls/win32/tests/test_window.h"
#include "controls/win32/wave_file.h"

namespace skyvault::win32 {
namespace {

using testing::Bytes;
using testing::Put16;
using testing::Put32;
using testing::TempFolder;
using testing::TestWindow;

// A RIFF WAVE file of a sine tone; `declaredData` overrides the data
// chunk's stated size (for cut files).
Bytes Wave(int channels, int bits, int rate, double seconds, int format = 1,
           int64_t declaredData = -1) {
  Bytes samples;
  const int frames = static_cast<int>(rate * seconds);
  for (int i = 0; i < frames; ++i) {
    const double v = std::sin(i * 2 * 3.14159265 * 220 / rate) * 0.5;
    for (int c = 0; c < channels; ++c) {
      if (bits == 8) {
        samples.push_back(static_cast<uint8_t>(128 + v * 127));
      } else {
        Put16(samples, static_cast<uint16_t>(static_cast<int16_t>(v * 32767)));
      }
    }
  }
  const uint32_t dataSize = declaredData >= 0 ? static_cast<uint32_t>(declaredData)
                                              : static_cast<uint32_t>(samples.size());
  Bytes b{'R', 'I', 'F', 'F'};
  Put32(b, 4 + 8 + 16 + 8 + dataSize);
  b.insert(b.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  Put32(b, 16);
  Put16(b, format);
  Put16(b, channels);
  Put32(b, rate);
  Put32(b, rate * channels * bits / 8);
  Put16(b, channels * bits / 8);
  Put16(b, bits);
  b.insert(b.end(), {'d', 'a', 't', 'a'});
  Put32(b, dataSize);
  b.insert(b.end(), samples.begin(), samples.end());
  return b;
}

TEST(WaveFile, ReadsPcmOfEveryKindAndRefusesTheRest) {
  TempFolder folder;
  auto mono8 = ReadWaveFile(folder.Write(L"m8.wav", Wave(1, 8, 11025, 0.1)));
  ASSERT_TRUE(mono8.has_value());
  EXPECT_EQ(mono8->channels, 1);
  EXPECT_EQ(mono8->bitsPerSample, 8);
  EXPECT_EQ(mono8->samplesPerSecond, 11025u);
  EXPECT_EQ(mono8->data.size(), 1102u);
  auto stereo16 = ReadWaveFile(folder.Write(L"s16.wav", Wave(2, 16, 44100, 0.5)));
  ASSERT_TRUE(stereo16.has_value());
  EXPECT_EQ(stereo16->data.size(), 22050u * 4);
  EXPECT_EQ(stereo16->BlockAlign(), 4);

  EXPECT_FALSE(ReadWaveFile(folder.Path(L"missing.wav")).has_value());
  EXPECT_FALSE(ReadWaveFile("").has_value());
  EXPECT_FALSE(ReadWaveFile(folder.Write(L"empty.wav", {})).has_value());
  Bytes whole = Wave(1, 16, 8000, 0.2);
  EXPECT_FALSE(ReadWaveFile(folder.Write(L"cut.wav", Bytes(whole.begin(), whole.begin() + 100))).has_value());
  EXPECT_FALSE(ReadWaveFile(folder.Write(L"cut-header.wav", Bytes(whole.begin(), whole.begin() + 30))).has_value());
  EXPECT_FALSE(ReadWaveFile(folder.Write(L"claims-more.wav", Wave(1, 16, 8000, 0.1, 1, 1 << 20))).has_value());
  Bytes notRiff = whole;
  notRiff[0] = 'X';
  EXPECT_FALSE(ReadWaveFile(folder.Write(L"notriff.wav", notRiff)).has_value());
  Bytes notWave = whole;
  notWave[8] = 'A';
  EXPECT_FALSE(ReadWaveFile(folder.Write(L"notwave.wav", notWave)).has_value());
  EXPECT_FALSE(ReadWaveFile(folder.Write(L"float.wav", Wave(1, 16, 8000, 0.1, 3))).has_value());
  EXPECT_FALSE(ReadWaveFile(folder.Write(L"24.wav", Wave(1, 24, 8000, 0.1))).has_value());
  EXPECT_FALSE(ReadWaveFile(folder.Write(L"3ch.wav", Wave(3, 16, 8000, 0.1))).has_value());
  EXPECT_FALSE(ReadWaveFile(folder.Write(L"nodata.wav", Wave(1, 16, 8000, 0))).has_value());
  // A picture named .wav.
  EXPECT_FALSE(ReadWaveFile(folder.Write(L"picture.wav", Bytes{'B', 'M', 0, 0, 0, 0})).has_value());
}

// Every call, with any handle, on a control without a device.
void ExerciseEveryCall(DirectSoundSoundControl& sound, int32_t handle) {
  sound.StopSound(handle);
  sound.SilenceSound(handle);
  sound.SetSoundVolume(handle, -748);
  sound.PlaySound(handle, -1, -1);
  sound.PlaySound(handle, -1, -1);
  sound.SetSoundVolume(handle, -20000);
  sound.PlaySound(handle, 0, 5);
  sound.StopAllSound();
  sound.StopSound(handle);
}

TEST(DirectSoundSoundControl, WithoutADeviceEveryCallIsAcceptedAndDoesNothing) {
  TempFolder folder;
  TestWindow window(0, 0, 10, 10, false);
  DirectSoundSoundControl sound(window.hwnd, DirectSoundSoundControl::Device::kNone);
  EXPECT_FALSE(sound.HasDevice());
  const int32_t handle = sound.LoadSound(folder.Write(L"prop.wav", Wave(1, 16, 22050, 0.2)));
  EXPECT_EQ(handle, 0);
  for (int32_t h : {handle, 1, 0, -1, 12345}) ExerciseEveryCall(sound, h);
  EXPECT_FALSE(sound.IsPlaying(1));
  EXPECT_EQ(sound.PlayPosition(1), -1);
}

TEST(DirectSoundSoundControl, TheSystemsDefaultDeviceOrNoneNeverFails) {
  // On a machine without sound hardware DirectSound cannot start; with it,
  // the calls play. Either way nothing fails.
  TempFolder folder;
  TestWindow window(0, 0, 10, 10, false);
  DirectSoundSoundControl sound(window.hwnd);
  const int32_t handle = sound.LoadSound(folder.Write(L"prop.wav", Wave(1, 16, 22050, 0.2)));
  EXPECT_EQ(handle != 0, sound.HasDevice());
  for (int32_t h : {handle, 0, 77}) ExerciseEveryCall(sound, h);
}

// These need the silent audio device that the test's environment sets up
// (a null ALSA device); elsewhere they are skipped.
class NullAudioDevice : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t value[8];
    if (GetEnvironmentVariableW(L"SKYVAULT_NULL_AUDIO", value, 8) == 0) {
      GTEST_SKIP() << "no silent audio device set up";
    }
    sound = std::make_unique<DirectSoundSoundControl>(window.hwnd);
    ASSERT_TRUE(sound->HasDevice());
  }
  TempFolder folder;
  TestWindow window{0, 0, 10, 10, false};
  std::unique_ptr<DirectSoundSoundControl> sound;
};

TEST_F(NullAudioDevice, LoadsEveryPcmKindWithDistinctHandles) {
  const int32_t a = sound->LoadSound(folder.Write(L"m8.wav", Wave(1, 8, 11025, 0.2)));
  const int32_t b = sound->LoadSound(folder.Write(L"s16.wav", Wave(2, 16, 44100, 0.2)));
  const int32_t c = sound->LoadSound(folder.Write(L"m16.wav", Wave(1, 16, 8000, 0.2)));
  const int32_t d = sound->LoadSound(folder.Write(L"s8.wav", Wave(2, 8, 22050, 0.2)));
  for (int32_t h : {a, b, c, d}) EXPECT_GT(h, 0);
  EXPECT_NE(a, b);
  EXPECT_NE(b, c);
  EXPECT_NE(c, d);
}

TEST_F(NullAudioDevice, BadFilesGiveNoHandleAndTheirCallsDoNothing) {
  Bytes whole = Wave(1, 16, 8000, 0.2);
  for (const auto& path :
       {folder.Path(L"missing.wav"), folder.Write(L"cut.wav", Bytes(whole.begin(), whole.begin() + 200)),
        folder.Write(L"noise.wav", Bytes(500, 0x5A))}) {
    const int32_t handle = sound->LoadSound(path);
    EXPECT_EQ(handle, 0) << path;
    ExerciseEveryCall(*sound, handle);
  }
}

TEST_F(NullAudioDevice, VolumeIsClampedToTheDecibelRange) {
  const int32_t h = sound->LoadSound(folder.Write(L"p.wav", Wave(1, 16, 22050, 0.2)));
  ASSERT_GT(h, 0);
  EXPECT_EQ(sound->Volume(h), 0);
  sound->SetSoundVolume(h, -748);
  EXPECT_EQ(sound->Volume(h), -748);
  sound->SetSoundVolume(h, -20000);
  EXPECT_EQ(sound->Volume(h), -10000);
  sound->SetSoundVolume(h, 300);
  EXPECT_EQ(sound->Volume(h), 0);
  sound->SetSoundVolume(h + 100, -100);  // no such sound: nothing
}

TEST_F(NullAudioDevice, PlayingAgainKeepsPlayingWithoutARestart) {
  // Long enough not to come round within the test, even played fast.
  const int32_t h = sound->LoadSound(folder.Write(L"long.wav", Wave(1, 16, 22050, 10.0)));
  ASSERT_GT(h, 0);
  EXPECT_FALSE(sound->IsPlaying(h));
  sound->SetSoundVolume(h, -748);
  sound->PlaySound(h, -1, -1);
  EXPECT_TRUE(sound->IsPlaying(h));
  // Wait until the position has moved on from the start.
  int64_t before = 0;
  for (int i = 0; i < 200 && before == 0; ++i) {
    Sleep(10);
    before = sound->PlayPosition(h);
  }
  ASSERT_GT(before, 0);
  for (int frame = 0; frame < 5; ++frame) {
    sound->SetSoundVolume(h, -748);
    sound->PlaySound(h, -1, -1);
  }
  EXPECT_TRUE(sound->IsPlaying(h));
  EXPECT_GE(sound->PlayPosition(h), before);

  sound->SilenceSound(h);
  EXPECT_FALSE(sound->IsPlaying(h));
  const int64_t silencedAt = sound->PlayPosition(h);
  EXPECT_GE(silencedAt, before);  // silenced where it stood
  sound->PlaySound(h, -1, -1);
  EXPECT_TRUE(sound->IsPlaying(h));
  sound->StopSound(h);
  EXPECT_FALSE(sound->IsPlaying(h));
  EXPECT_EQ(sound->PlayPosition(h), 0);  // stopped and rewound
  sound->StopSound(9999);
}

TEST_F(NullAudioDevice, StopAllStopsEverySound) {
  const int32_t a = sound->LoadSound(folder.Write(L"a.wav", Wave(1, 16, 22050, 2.0)));
  const int32_t b = sound->LoadSound(folder.Write(L"b.wav", Wave(2, 8, 11025, 2.0)));
  sound->PlaySound(a, -1, -1);
  sound->PlaySound(b, -1, -1);
  EXPECT_TRUE(sound->IsPlaying(a));
  EXPECT_TRUE(sound->IsPlaying(b));
  sound->StopAllSound();
  EXPECT_FALSE(sound->IsPlaying(a));
  EXPECT_FALSE(sound->IsPlaying(b));
}

}  // namespace
}  // namespace skyvault::win32
