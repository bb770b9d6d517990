#include "controls/win32/directsound_sound_control.h"

#include <gtest/gtest.h>

#include <functional>

#include "controls/tests/wave_bytes.h"
#include "controls/win32/wave_file.h"
#include "platform/testing/little_endian.h"
#include "platform/testing/temp_folder.h"
#include "platform/testing/win32/message_wait.h"

namespace skyvault::win32 {
namespace {

using skyvault::testing::Bytes;
using skyvault::testing::TempFolder;
using testing::WaitUntil;

// A tone `seconds` long; `declaredData` overrides the data chunk's size.
Bytes Wave(int channels, int bits, int rate, double seconds, int format = 1,
           int64_t declaredData = -1) {
  const std::string b = skyvault::testing::WaveBytes(
      {channels, bits, rate, static_cast<int64_t>(rate * seconds), format, declaredData});
  return Bytes(b.begin(), b.end());
}

TEST(WaveFile, ReadsPcmOfEveryKindAndRefusesTheRest) {
  TempFolder folder;
  const auto read = [&](const wchar_t* name, const Bytes& bytes) {
    return ReadWaveFile(folder.Write(name, bytes)).value_or(WaveSound{});
  };
  const WaveSound mono8 = read(L"m8.wav", Wave(1, 8, 11025, 0.1)),
                  stereo16 = read(L"s16.wav", Wave(2, 16, 44100, 0.5));
  EXPECT_EQ(std::tuple(mono8.channels, mono8.bitsPerSample, mono8.samplesPerSecond,
                       mono8.data.size(), stereo16.data.size()),
            std::tuple(1, 8, 11025u, size_t{1102}, size_t{22050 * 4}));
  const Bytes whole = Wave(1, 16, 8000, 0.2);
  Bytes notWave = whole;  // one that is no RIFF at all fails alike
  notWave[8] = 'A';
  // Empty, a header cut short, another RIFF kind, floating point, 24 bits, 3 channels, no data.
  int n = 0;  // the row, 1 up, in the file's name and in a failure
  for (const Bytes& bytes :
       {Bytes{}, Bytes(whole.begin(), whole.begin() + 30), notWave, Wave(1, 16, 8000, 0.1, 3),
        Wave(1, 24, 8000, 0.1), Wave(3, 16, 8000, 0.1), Wave(1, 16, 8000, 0)})
    EXPECT_FALSE(ReadWaveFile(folder.Write(std::to_wstring(++n) + L".wav", bytes))) << n;
  for (const wchar_t* name : {L"missing.wav", L""})  // the latter a folder
    EXPECT_FALSE(ReadWaveFile(folder.Path(name)).has_value()) << name;

  // A data chunk claiming 4 GB: what the file holds, nothing allocated for the claim.
  EXPECT_EQ(read(L"cut.wav", Wave(2, 16, 8000, 0.1, 1, 0xFFFFFF00)).data.size(), 800u * 4);

  // One sample frame over 16 MB (the limit's edge is the check's test) is not read.
  Bytes big = Wave(1, 16, 22050, 0, 1, (16 << 20) - 42);
  big.resize((16 << 20) + 2);
  EXPECT_FALSE(ReadWaveFile(folder.Write(L"big.wav", big)).has_value());
}

// Every call, with any handle: accepted, and nothing plays.
void ExpectEveryCallDoesNothing(DirectSoundSoundControl& sound, int32_t handle) {
  sound.StopSound(handle), sound.SilenceSound(handle), sound.SetSoundVolume(handle, -20000);
  sound.PlaySound(handle, -1, -1), sound.PlaySound(handle, 0, 5);
  EXPECT_FALSE(sound.IsPlaying(handle)) << handle;
  sound.StopAllSound();
}

TEST(DirectSoundSoundControl, WithoutADeviceEveryCallIsAcceptedAndDoesNothing) {
  TempFolder folder;
  DirectSoundSoundControl none(nullptr, DirectSoundSoundControl::Device::None);
  EXPECT_FALSE(none.HasDevice());
  EXPECT_EQ(none.LoadSound(folder.Write(L"prop.wav", Wave(1, 16, 22050, 0.2))), 0);
  for (int32_t h : {1, 0, -1, 12345}) ExpectEveryCallDoesNothing(none, h);
  // The system's default device, or none on a machine without sound hardware.
  DirectSoundSoundControl system(nullptr);
  EXPECT_EQ(system.LoadSound(folder.Path(L"prop.wav")) != 0, system.HasDevice());
  for (int32_t h : {0, 77}) ExpectEveryCallDoesNothing(system, h);
}

// With the silent audio device of the null-audio test run; elsewhere skipped.
class NullAudioDevice : public ::testing::Test {
 protected:
  void SetUp() override {
    if (GetEnvironmentVariableW(L"SKYVAULT_NULL_AUDIO", nullptr, 0) == 0)
      GTEST_SKIP() << "no silent device";
    sound = std::make_unique<DirectSoundSoundControl>(nullptr);  // owned by the desktop
    ASSERT_TRUE(sound->HasDevice());
  }
  int32_t Load(const wchar_t* name, const Bytes& bytes) {
    return sound->LoadSound(folder.Write(name, bytes));
  }
  TempFolder folder;
  std::unique_ptr<DirectSoundSoundControl> sound;
};

TEST_F(NullAudioDevice, EveryPcmKindLoadsAndStopAllStopsThem) {
  const int32_t handles[] = {Load(L"m8.wav", Wave(1, 8, 11025, 2)),
                             Load(L"s16.wav", Wave(2, 16, 44100, 2))};
  EXPECT_TRUE(handles[0] > 0 && handles[1] > 0 && handles[0] != handles[1]);
  for (int32_t h : handles) sound->PlaySound(h, -1, -1);
  EXPECT_TRUE(sound->IsPlaying(handles[0]) && sound->IsPlaying(handles[1]));
  sound->StopAllSound();
  EXPECT_FALSE(sound->IsPlaying(handles[0]) || sound->IsPlaying(handles[1]));
  // A file the reader refuses (its cases above) gives no sound.
  EXPECT_EQ(sound->LoadSound(folder.Write(L"noise.wav", Bytes(500, 0x5A))), 0);
  ExpectEveryCallDoesNothing(*sound, 0);
}

TEST_F(NullAudioDevice, VolumeIsClampedAndPlayingAgainNeitherRestartsNorStops) {
  const int32_t h = Load(L"long.wav", Wave(1, 16, 22050, 10.0));  // does not come round in the test
  ASSERT_GT(h, 0);
  for (auto [set, want] : {std::pair{-748, -748}, {-20000, -10000}, {300, 0}, {-748, -748}}) {
    sound->SetSoundVolume(h, set);
    EXPECT_EQ(sound->Volume(h), want) << set;
  }
  sound->PlaySound(h, -1, -1);
  int64_t before = 0;
  ASSERT_TRUE(WaitUntil([&] { return (before = sound->PlayPosition(h)) > 0; }, 2000));
  for (int frame = 0; frame < 5; ++frame) sound->PlaySound(h, -1, -1);
  EXPECT_TRUE(sound->IsPlaying(h) && sound->PlayPosition(h) >= before);
  sound->SilenceSound(h);
  EXPECT_TRUE(!sound->IsPlaying(h) && sound->PlayPosition(h) >= before);  // where it stood
  sound->StopSound(h);
  EXPECT_EQ(sound->PlayPosition(h), 0);  // stopped and rewound
}

TEST_F(NullAudioDevice, ALoopAskedForPlaysWhileAskedAndFadesOutWhenTheRequestsStop) {
  const int32_t h = Load(L"engine.wav", Wave(1, 16, 22050, 10.0));
  ASSERT_GT(h, 0);
  sound->SetSoundVolume(h, -748);
  // Asked for again and again while the fade timer's messages are dispatched, as the frames would;
  // each look comes before the next request, so that a stop or a fresh fade-in shows.
  auto askedUntil = [&](const std::function<bool()>& done, DWORD ms) {
    return WaitUntil(
        [&] { return [&](bool seen) { return sound->PlaySound(h, -1, -1), seen; }(done()); }, ms);
  };
  EXPECT_TRUE(askedUntil([&] { return sound->Volume(h) < -748; }, 100)) << "no fade-in";
  EXPECT_TRUE(askedUntil([&] { return sound->Volume(h) == -748; }, 3000))
      << "not faded in to the volume";
  EXPECT_FALSE(askedUntil([&] { return !sound->IsPlaying(h) || sound->Volume(h) != -748; }, 700))
      << "faded or stopped while asked for";
  // Nothing asks any more: it fades out and stops where it stood.
  EXPECT_TRUE(WaitUntil([&] { return !sound->IsPlaying(h); }, 3000))
      << "the engine drones on with nothing asking for it";
  EXPECT_GT(sound->PlayPosition(h), 0) << "stopped where it stood, not rewound";
  EXPECT_EQ(sound->Volume(h), -748);
}

}  // namespace
}  // namespace skyvault::win32
