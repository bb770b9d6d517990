#include "controls/linux/sound_mixer.h"

#include <gtest/gtest.h>

namespace skyvault {
namespace {

// Frame f is f + 1 (and -(f + 1) on channel 1): the output tells which frames played.
DecodedSound Ramp(int channels, int rate, int frames) {
  DecodedSound sound{channels, rate, {}};
  for (int16_t f = 1; f <= frames; ++f) sound.samples.insert(sound.samples.end(), {f, int16_t(-f)});
  if (channels == 1) std::erase_if(sound.samples, [](int16_t v) { return v < 0; });
  return sound;
}

DecodedSound Constant(int16_t value, int frames) {
  return {1, 1000, std::vector<int16_t>(static_cast<size_t>(frames), value)};
}

std::vector<int16_t> MixFrames(SoundMixer& mixer, size_t frames) {
  std::vector<int16_t> out(frames * static_cast<size_t>(mixer.channels()));
  mixer.Mix(out.data(), frames);
  return out;
}

TEST(SoundMixer, OnceLoopSilenceAndStopMoveThroughTheSoundAsAsked) {
  SoundMixer mixer;
  const int32_t h = mixer.Add(Ramp(1, 1000, 5));
  mixer.Play(h, 0, -1, 1000);
  EXPECT_EQ(MixFrames(mixer, 7), (std::vector<int16_t>{1, 2, 3, 4, 5, 0, 0}));  // once
  EXPECT_EQ(std::pair(mixer.IsPlaying(h), mixer.Position(h)), std::pair(false, int64_t{0}));
  mixer.Play(h, 1, 3, 1000);  // looping, from frame 3
  EXPECT_EQ(MixFrames(mixer, 4), (std::vector<int16_t>{4, 5, 1, 2}));
  mixer.Play(h, 1, 0, 1000);  // playing already: goes on, no restart
  EXPECT_EQ(MixFrames(mixer, 2), (std::vector<int16_t>{3, 4}));
  mixer.Silence(h);
  EXPECT_EQ(MixFrames(mixer, 2), (std::vector<int16_t>{0, 0}));
  mixer.Play(h, 1, -1, 1000);  // on from where it stood
  EXPECT_EQ(MixFrames(mixer, 2), (std::vector<int16_t>{5, 1}));
  mixer.Stop(h);
  EXPECT_EQ(mixer.Position(h), 0);
  mixer.Play(h, 1, 99, 1000);  // beyond the end: from the start
  EXPECT_EQ(MixFrames(mixer, 1), (std::vector<int16_t>{1}));
  mixer.StopAll();
  EXPECT_FALSE(mixer.AnyPlaying());

  for (int32_t unknown : {0, -1, 2, 99}) {  // accepted, and nothing plays
    mixer.SetVolume(unknown, -100);
    mixer.Play(unknown, -1, -1, 1000);
    mixer.Silence(unknown);
    mixer.Stop(unknown);
  }
  EXPECT_FALSE(mixer.AnyPlaying());
}

TEST(SoundMixer, VolumeIsHundredthsOfADecibelOnTheSamples) {
  for (auto [volume, factor] : {std::pair{0, 1.0}, {-2000, 0.1}, {-10000, 0.0}, {500, 1.0}}) {
    SoundMixer mixer;
    const int32_t h = mixer.Add(Constant(20000, 100));
    mixer.SetVolume(h, volume);
    mixer.Play(h, 1, 0, 1000);
    EXPECT_NEAR(MixFrames(mixer, 10).back(), 20000 * factor, 30) << volume;
  }
  SoundMixer mixer;  // two sounds add up and clip instead of wrapping round
  for (int i = 0; i < 2; ++i) mixer.Play(mixer.Add(Constant(30000, 10)), 1, 0, 1000);
  EXPECT_EQ(MixFrames(mixer, 1)[0], 32767);
}

TEST(SoundMixer, AHeldSoundFadesInWhileAskedForThenOutAndStopsWhereItStands) {
  SoundMixer mixer;
  const int32_t h = mixer.Add(Constant(10000, 100000));
  mixer.SetVolume(h, -748);
  uint64_t now = 5000;
  mixer.Play(h, -1, -1, now);
  const int16_t quiet = MixFrames(mixer, 1)[0];
  // Asked for every 16 ms for one second, the clock ticking every 10 ms; then not.
  const auto run = [&](uint64_t until, bool asked) {
    for (; mixer.IsPlaying(h) && now < until; now += 10) {
      if (asked && now % 16 < 10) mixer.Play(h, -1, -1, now);
      mixer.Tick(now);
      MixFrames(mixer, 10);
    }
  };
  run(6000, true);
  EXPECT_GT(MixFrames(mixer, 1)[0], quiet * 20) << "no fade in to the volume";
  const int64_t where = mixer.Position(h);
  run(8000, false);
  EXPECT_LT(now, 6000 + HeldSound::kHoldMs + 400);  // held a quarter second, then faded
  EXPECT_GT(mixer.Position(h), where);              // not rewound
  EXPECT_EQ(MixFrames(mixer, 5), std::vector<int16_t>(5, 0));
  mixer.Play(h, -1, -1, now);  // asked for again: plays again, quietly at first
  EXPECT_EQ(MixFrames(mixer, 1)[0], quiet);
}

TEST(SoundMixer, LaterSoundsTakeTheFirstSoundsChannelsAndRate) {
  SoundMixer mixer;
  mixer.Add(Ramp(2, 2000, 4));
  const int32_t mono = mixer.Add(Ramp(1, 1000, 3));  // twice as many frames, both channels
  mixer.Play(mono, 0, 0, 1000);
  EXPECT_EQ(MixFrames(mixer, 6), (std::vector<int16_t>{1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 3, 3}));

  SoundMixer down;
  down.Add(Ramp(1, 1000, 1));
  const int32_t stereo = down.Add(Ramp(2, 2000, 6));  // channels averaged, half the frames
  down.Play(stereo, 0, 0, 1000);
  EXPECT_EQ(MixFrames(down, 3), (std::vector<int16_t>{0, 0, 0}));
  const int32_t higher = down.Add(DecodedSound{1, 2000, {0, 100, 200, 300, 400, 500}});
  down.Play(higher, 0, 0, 1000);
  EXPECT_EQ(MixFrames(down, 3), (std::vector<int16_t>{0, 200, 400}));
}

}  // namespace
}  // namespace skyvault
