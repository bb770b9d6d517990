#include "controls/linux/alsa_sound_control.h"

#include <alsa/asoundlib.h>

#include <chrono>
#include <cstdlib>
#include <vector>

#include "controls/linux/configuration_files.h"

namespace skyvault {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int kBlocksPerSecond = 50;           // 20 ms a block
constexpr unsigned kDeviceLatencyUs = 100000;  // what the device buffers
constexpr double kAheadSeconds = 0.1;          // what we write ahead of the clock
constexpr double kBehindResetSeconds = 0.25;   // later than this: start the count again
constexpr uint64_t kPlayerRetryMs = 1000;

uint64_t NowMs() {
  return static_cast<uint64_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch())
          .count());
}

void IgnoreAlsaMessage(const char*, int, const char*, int, const char*, ...) {}

void SilenceAlsaMessages() {
  static std::once_flag once;
  std::call_once(once, [] { snd_lib_error_set_handler(&IgnoreAlsaMessage); });
}

}  // namespace

AlsaSoundControl::AlsaSoundControl(Options options)
    : options_(std::move(options)),
      output_(options_.mute ? Output::Muted : Output::Waiting),
      lock_(options_.lockPath, options_.lockFallbackPath) {
  if (options_.mute) return;
  SilenceAlsaMessages();
  feeder_ = std::thread([this] { Feed(); });
}

AlsaSoundControl::~AlsaSoundControl() {
  {
    std::lock_guard<std::mutex> hold(mutex_);
    stop_ = true;
  }
  wake_.notify_all();
  if (feeder_.joinable()) feeder_.join();
  if (device_) snd_pcm_drop(device_);
  CloseDevice();
}

int32_t AlsaSoundControl::LoadSound(const std::string& path) {
  if (options_.mute) return 0;
  const auto sound = ReadSoundFile(path);
  if (!sound) return 0;
  std::lock_guard<std::mutex> hold(mutex_);
  return mixer_.Add(*sound);
}

void AlsaSoundControl::SetSoundVolume(int32_t handle, int32_t volume) {
  std::lock_guard<std::mutex> hold(mutex_);
  mixer_.SetVolume(handle, volume);
}

void AlsaSoundControl::PlaySound(int32_t handle, int32_t loop, int32_t position) {
  bool started = false;
  {
    std::lock_guard<std::mutex> hold(mutex_);
    const bool before = mixer_.AnyPlaying();
    mixer_.Play(handle, loop, position, NowMs());
    started = !before && mixer_.AnyPlaying();
  }
  if (started) wake_.notify_all();
}

void AlsaSoundControl::SilenceSound(int32_t handle) {
  std::lock_guard<std::mutex> hold(mutex_);
  mixer_.Silence(handle);
}

void AlsaSoundControl::StopSound(int32_t handle) {
  std::lock_guard<std::mutex> hold(mutex_);
  mixer_.Stop(handle);
}

void AlsaSoundControl::StopAllSound() {
  std::lock_guard<std::mutex> hold(mutex_);
  mixer_.StopAll();
}

AlsaSoundControl::Output AlsaSoundControl::output() {
  std::lock_guard<std::mutex> hold(mutex_);
  return output_;
}

bool AlsaSoundControl::IsPlaying(int32_t handle) {
  std::lock_guard<std::mutex> hold(mutex_);
  return mixer_.IsPlaying(handle);
}

int32_t AlsaSoundControl::Level(int32_t handle) {
  std::lock_guard<std::mutex> hold(mutex_);
  return mixer_.Level(handle);
}

AlsaSoundControl::Output AlsaSoundControl::OpenDevice(int channels, int rate) {
  if (!options_.lockPath.empty() && !lock_.TryTake()) return Output::NotPlayer;
  // ALSA reads the files of ALSA_CONFIG_PATH (split at ':' or ' ') to the
  // end: a device there would keep it reading, at full speed, for good.
  if (!ConfigurationFilesAreSafe(std::getenv("ALSA_CONFIG_PATH"), ": ")) return Output::NoDevice;
  snd_pcm_t* device = nullptr;
  if (snd_pcm_open(&device, options_.device.c_str(), SND_PCM_STREAM_PLAYBACK, 0) != 0) {
    return Output::NoDevice;
  }
  if (snd_pcm_set_params(device, SND_PCM_FORMAT_S16, SND_PCM_ACCESS_RW_INTERLEAVED,
                         static_cast<unsigned>(channels), static_cast<unsigned>(rate), 1,
                         kDeviceLatencyUs) != 0) {
    snd_pcm_close(device);
    return Output::NoDevice;
  }
  device_ = device;
  return Output::Player;
}

void AlsaSoundControl::CloseDevice() {
  if (device_) snd_pcm_close(device_);
  device_ = nullptr;
}

bool AlsaSoundControl::WriteBlock(const int16_t* samples, size_t frames, int channels) {
  size_t done = 0;
  int failures = 0;
  while (done < frames) {
    const snd_pcm_sframes_t written =
        snd_pcm_writei(device_, samples + done * static_cast<size_t>(channels), frames - done);
    if (written >= 0) {
      done += static_cast<size_t>(written);
      continue;
    }
    // An underrun, a suspend, or a stop and continue of the process.
    if (++failures > 3 || snd_pcm_recover(device_, static_cast<int>(written), 1) < 0) return false;
  }
  return true;
}

void AlsaSoundControl::Feed() {
  std::unique_lock<std::mutex> lock(mutex_);
  std::vector<int16_t> block;
  uint64_t nextAttempt = 0;
  Clock::time_point since{};
  double secondsWritten = 0;
  bool draining = false;
  while (!stop_) {
    const uint64_t now = NowMs();
    mixer_.Tick(now);
    if (!mixer_.AnyPlaying()) {
      if (device_ && draining) {
        lock.unlock();
        snd_pcm_drain(device_);    // plays out what is buffered, the fade's tail
        snd_pcm_prepare(device_);  // ready for the next sound
        lock.lock();
        draining = false;
        continue;
      }
      wake_.wait(lock, [this] { return stop_ || mixer_.AnyPlaying(); });
      secondsWritten = 0;
      since = Clock::now();
      continue;
    }
    if (!device_ && output_ != Output::NoDevice && now >= nextAttempt) {
      const int channels = mixer_.channels(), rate = mixer_.samplesPerSecond();
      lock.unlock();
      const Output result = OpenDevice(channels, rate);
      lock.lock();
      output_ = result;
      nextAttempt = now + kPlayerRetryMs;
      secondsWritten = 0;
      since = Clock::now();
    }
    if (!device_) {  // silent: the fades still run their course
      wake_.wait_for(lock, std::chrono::milliseconds(HeldSound::kTickMs), [this] { return stop_; });
      continue;
    }
    const int channels = mixer_.channels();
    const size_t frames = static_cast<size_t>(mixer_.samplesPerSecond() / kBlocksPerSecond + 1);
    block.resize(frames * static_cast<size_t>(channels));
    mixer_.Mix(block.data(), frames);
    draining = true;
    lock.unlock();
    const bool written = WriteBlock(block.data(), frames, channels);
    lock.lock();
    if (!written) {
      CloseDevice();
      output_ = Output::NoDevice;
      continue;
    }
    // Keep to the clock: never more than a little ahead of it; when far
    // behind (the process was stopped), count again from now.
    secondsWritten += static_cast<double>(frames) / mixer_.samplesPerSecond();
    const double ahead =
        secondsWritten - std::chrono::duration<double>(Clock::now() - since).count();
    if (ahead < -kBehindResetSeconds) {
      secondsWritten = 0;
      since = Clock::now();
    } else if (ahead > kAheadSeconds) {
      wake_.wait_for(lock, std::chrono::duration<double>(ahead - kAheadSeconds),
                     [this] { return stop_; });
    }
  }
}

}  // namespace skyvault
