#include "controls/linux/sound_mixer.h"

#include <algorithm>
#include <cmath>

namespace skyvault {
namespace {

constexpr int32_t kSilent = HeldSound::kSilent;

// Hundredths of a decibel as a factor on the samples.
float Gain(int32_t level) {
  return level <= kSilent ? 0.0f : static_cast<float>(std::pow(10.0, level / 2000.0));
}

}  // namespace

std::vector<int16_t> SoundMixer::Convert(const DecodedSound& sound) const {
  const size_t frames = sound.frames();
  const auto in = [&](size_t frame, int channel) -> int32_t {
    if (sound.channels == channels_) return sound.samples[frame * sound.channels + channel];
    if (channels_ == 1) {  // every channel of the sound, averaged
      int32_t total = 0;
      for (int c = 0; c < sound.channels; ++c) total += sound.samples[frame * sound.channels + c];
      return total / sound.channels;
    }
    return sound.samples[frame * sound.channels + std::min(channel, sound.channels - 1)];
  };
  const bool sameRate = sound.samplesPerSecond == rate_;
  const size_t outFrames =
      sameRate || frames == 0
          ? frames
          : std::max<size_t>(1, static_cast<size_t>(std::llround(static_cast<double>(frames) *
                                                                 rate_ / sound.samplesPerSecond)));
  std::vector<int16_t> out(outFrames * static_cast<size_t>(channels_));
  for (size_t f = 0; f < outFrames; ++f) {
    // Linear interpolation between the two nearest frames of the sound.
    const double at =
        sameRate ? static_cast<double>(f) : static_cast<double>(f) * sound.samplesPerSecond / rate_;
    const size_t before = std::min(static_cast<size_t>(at), frames - 1);
    const size_t after = std::min(before + 1, frames - 1);
    const double part = at - static_cast<double>(before);
    for (int c = 0; c < channels_; ++c) {
      const double value = in(before, c) + (in(after, c) - in(before, c)) * part;
      out[f * channels_ + c] = static_cast<int16_t>(std::lround(value));
    }
  }
  return out;
}

int32_t SoundMixer::Add(const DecodedSound& sound) {
  if (sound.channels < 1 || sound.samplesPerSecond < 1) return 0;
  if (channels_ == 0) {
    channels_ = sound.channels;
    rate_ = sound.samplesPerSecond;
  }
  Sound added;
  added.samples = Convert(sound);
  added.frames = added.samples.size() / static_cast<size_t>(channels_);
  const int32_t handle = nextHandle_++;
  sounds_.emplace(handle, std::move(added));
  return handle;
}

SoundMixer::Sound* SoundMixer::Find(int32_t handle) {
  const auto found = sounds_.find(handle);
  return found == sounds_.end() ? nullptr : &found->second;
}

const SoundMixer::Sound* SoundMixer::Find(int32_t handle) const {
  const auto found = sounds_.find(handle);
  return found == sounds_.end() ? nullptr : &found->second;
}

void SoundMixer::SetVolume(int32_t handle, int32_t volume) {
  Sound* sound = Find(handle);
  if (!sound) return;
  const int32_t clamped = std::clamp<int32_t>(volume, kSilent, 0);
  if (clamped == sound->volume) return;
  sound->volume = clamped;
  sound->hold.VolumeChanged(clamped);
}

void SoundMixer::Play(int32_t handle, int32_t loop, int32_t position, uint64_t nowMs) {
  Sound* sound = Find(handle);
  if (!sound || sound->frames == 0) return;
  if (loop < 0) sound->hold.Request(nowMs, sound->volume, sound->playing);
  if (sound->playing) return;
  sound->loop = loop;
  if (position >= 0) {
    sound->position = static_cast<size_t>(position) < sound->frames ? position : 0;
  }
  sound->playing = true;
  sound->gain = -1;
}

void SoundMixer::Silence(int32_t handle) {
  if (Sound* sound = Find(handle)) {
    sound->playing = false;
    sound->hold.Release(sound->volume);
  }
}

void SoundMixer::Stop(int32_t handle) {
  if (Sound* sound = Find(handle)) {
    Silence(handle);
    sound->position = 0;
  }
}

void SoundMixer::StopAll() {
  for (auto& [handle, sound] : sounds_) Stop(handle);
}

void SoundMixer::Tick(uint64_t nowMs) {
  if (lastTick_ != 0 && nowMs - lastTick_ < HeldSound::kTickMs) return;
  lastTick_ = nowMs;
  for (auto& [handle, sound] : sounds_) {
    if (sound.hold.held() && sound.hold.Tick(nowMs, sound.volume)) {
      sound.playing = false;  // faded out: stops where it stands
    }
  }
}

void SoundMixer::Mix(int16_t* out, size_t frames) {
  const size_t channels = static_cast<size_t>(channels_);
  sum_.assign(frames * channels, 0);
  for (auto& [handle, sound] : sounds_) {
    if (!sound.playing) continue;
    // The gain moves to its new value across the block, so that fades and
    // volume changes do not click.
    const float target = Gain(sound.hold.level());
    const float start = sound.gain < 0 ? target : sound.gain;
    for (size_t f = 0; f < frames && sound.playing; ++f) {
      const float gain = start + (target - start) * static_cast<float>(f + 1) / frames;
      const int16_t* from = &sound.samples[sound.position * channels];
      for (size_t c = 0; c < channels; ++c) {
        sum_[f * channels + c] += static_cast<int32_t>(std::lround(from[c] * gain));
      }
      if (++sound.position == sound.frames) {
        sound.position = 0;
        sound.playing = sound.loop != 0;
      }
    }
    sound.gain = target;
  }
  for (size_t i = 0; i < sum_.size(); ++i) {
    out[i] = static_cast<int16_t>(std::clamp<int32_t>(sum_[i], INT16_MIN, INT16_MAX));
  }
}

bool SoundMixer::AnyPlaying() const {
  return std::any_of(sounds_.begin(), sounds_.end(),
                     [](const auto& entry) { return entry.second.playing; });
}

bool SoundMixer::IsPlaying(int32_t handle) const {
  const Sound* sound = Find(handle);
  return sound && sound->playing;
}

int32_t SoundMixer::Level(int32_t handle) const {
  const Sound* sound = Find(handle);
  return sound ? sound->hold.level() : kSilent;
}

int64_t SoundMixer::Position(int32_t handle) const {
  const Sound* sound = Find(handle);
  return sound ? static_cast<int64_t>(sound->position) : -1;
}

}  // namespace skyvault
