// Each case runs in a child whose HOME has its .asoundrc: ALSA reads it once per process.
#include "controls/linux/alsa_sound_control.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <thread>

#include "controls/tests/wave_bytes.h"
#include "platform/testing/temp_folder.h"

namespace skyvault {
namespace {

namespace fs = std::filesystem;
using Output = AlsaSoundControl::Output;
using std::chrono::milliseconds;

constexpr const char* kNullDevice = "pcm.!default { type null }\n";
constexpr const char* kMissingDevice = "pcm.!default { type hw card 29 }\n";
constexpr int kRate = 22050;

// A device that writes what it plays to `raw`, as 16-bit samples.
std::string FileDevice(const std::string& raw) {
  return "pcm.!default { type file slave.pcm \"null\" file \"" + raw + "\" format \"raw\" }\n";
}

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// Waits up to `seconds` for `done`, looking every 10 ms.
bool WaitFor(const std::function<bool()>& done, double seconds = 5) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  for (; !done(); std::this_thread::sleep_for(milliseconds(10)))
    if (std::chrono::steady_clock::now() > until) return false;
  return true;
}

// Asks for a held sound every 16 ms, as the display does, for `ms`.
void Hold(AlsaSoundControl& sound, int32_t handle, int ms) {
  const auto until = std::chrono::steady_clock::now() + milliseconds(ms);
  for (; std::chrono::steady_clock::now() < until; std::this_thread::sleep_for(milliseconds(16))) {
    sound.SetSoundVolume(handle, 0);
    sound.PlaySound(handle, -1, -1);
  }
}

TEST(SoundPlayerLock, OneHolderPerDisplayInTheUsersOwnFolder) {
  for (auto [runtime, display, path] :
       {std::tuple<const char*, const char*, const char*>{
            "/run/user/1000", "host:10.0", "/run/user/1000/skyvault-sound-host_10.0.lock"},
        {nullptr, ":1", "/tmp/skyvault-1000/sound-_1.lock"},
        {"relative", "../../etc", "/tmp/skyvault-1000/sound-.._.._etc.lock"},
        {"", nullptr, "/tmp/skyvault-1000/sound-none.lock"}})
    EXPECT_EQ(SoundLockPath(runtime, 1000, display), path);

  const testing::TempFolder temp;
  const std::string folder = testing::Utf8(temp.path());
  {
    SoundPlayerLock first(folder + "/sound.lock"), second(folder + "/sound.lock"),
        otherDisplay(folder + "/sound-other.lock");
    EXPECT_EQ(
        (std::tuple{first.TryTake(), first.TryTake(), second.TryTake(), otherDisplay.TryTake()}),
        std::tuple(true, true, false, true));
  }
  EXPECT_TRUE(SoundPlayerLock(folder + "/sound.lock").TryTake());  // the first holder has gone

  // The fallback where the runtime folder cannot take the lock is the saver's process test
  // (engine-sound); a fallback folder that someone made a link elsewhere is not used.
  const std::string planted = "/tmp/skyvault-" + std::to_string(100000 + getpid());
  fs::remove_all(planted);
  fs::create_directory_symlink(folder, planted);
  EXPECT_FALSE(SoundPlayerLock(planted + "/sound-_0.lock").TryTake());
  EXPECT_FALSE(fs::exists(folder + "/sound-_0.lock"));
  fs::remove(planted);
}

class AlsaSoundControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::ofstream(engine_, std::ios::binary)
        << testing::WaveBytes({1, 16, kRate, 3 * kRate});  // a 440 Hz tone
  }

  // Starts `body` in a child whose HOME has `asoundrc`, its stderr going to a file; its id.
  pid_t Start(const std::string& asoundrc, const std::function<bool()>& body) {
    const std::string home = folder_ + "/home" + std::to_string(homes_++);
    fs::create_directory(home);
    std::ofstream(home + "/.asoundrc") << asoundrc;
    const pid_t child = fork();
    if (child == 0) {
      setenv("HOME", home.c_str(), 1);
      dup2(open((home + "/stderr").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
      alarm(60);
      _exit(body() ? 0 : 1);
    }
    return child;
  }
  static bool Succeeded(pid_t child) {
    int status = 0;
    return waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
  }
  bool Run(const std::string& asoundrc, const std::function<bool()>& body) {
    return Succeeded(Start(asoundrc, body));
  }

  const testing::TempFolder temp_;
  const std::string folder_ = testing::Utf8(temp_.path()), engine_ = folder_ + "/engine.wav";
  int homes_ = 0;
};

TEST_F(AlsaSoundControlTest, WithoutADeviceOrMutedEveryCallWorksInSilence) {
  const auto quietly = [this](Output expected, AlsaSoundControl::Options options = {}) {
    return [this, expected, options] {
      AlsaSoundControl sound(options);
      const int32_t h = sound.LoadSound(engine_);
      if ((h == 0) != (expected == Output::Muted)) return false;
      sound.SetSoundVolume(h, -748);
      Hold(sound, h, 100);
      if (!WaitFor([&] { return sound.output() == expected; })) return false;
      Hold(sound, h, 100);
      sound.SilenceSound(h), sound.StopSound(h), sound.StopAllSound(), sound.StopSound(99);
      return sound.LoadSound(folder_ + "/missing.wav") == 0;
    };
  };
  for (const char* broken : {kMissingDevice, "this is { not an asoundrc"}) {
    EXPECT_TRUE(Run(broken, quietly(Output::NoDevice))) << broken;
    EXPECT_EQ(Slurp(folder_ + "/home" + std::to_string(homes_ - 1) + "/stderr"), "") << broken;
  }
  EXPECT_TRUE(Run(kNullDevice, quietly(Output::Player)));
  EXPECT_TRUE(Run(kNullDevice, quietly(Output::Muted, {true})));
  // A device among ALSA's configuration files: silence, not a thread spinning in ALSA.
  EXPECT_TRUE(Run(kNullDevice, [&] {
    setenv("ALSA_CONFIG_PATH", "/usr/share/alsa/alsa.conf:/dev/zero", 1);
    return quietly(Output::NoDevice)();
  }));
}

TEST_F(AlsaSoundControlTest, OneProcessOfADisplayPlaysAndAnotherTakesOverWhenItEnds) {
  int pipes[2][2];
  ASSERT_EQ(pipe(pipes[0]) | pipe(pipes[1]), 0);
  std::vector<pid_t> children;
  for (int n = 0; n < 2; ++n) {
    children.push_back(Start(kNullDevice, [&, n] {
      AlsaSoundControl sound({false, "default", folder_ + "/player.lock"});
      const int32_t h = sound.LoadSound(engine_);
      Hold(sound, h, 300);
      const bool player = WaitFor([&] { return sound.output() == Output::Player; }, 0.5);
      if (write(pipes[n][1], player ? "P" : "N", 1) != 1) return false;
      if (player) return true;  // ends, and drops the lock
      // The other one ends: this one takes over while it is asked to play.
      return WaitFor([&] {
        Hold(sound, h, 50);
        return sound.output() == Output::Player;
      });
    }));
  }
  char verdicts[2] = {};
  for (int n = 0; n < 2; ++n) ASSERT_EQ(read(pipes[n][0], &verdicts[n], 1), 1);
  EXPECT_NE(verdicts[0], verdicts[1]) << verdicts[0];
  for (pid_t child : children) EXPECT_TRUE(Succeeded(child));
}

// As the display does: the engine asked for a second, then not, then again.
TEST_F(AlsaSoundControlTest, TheRecordedEngineHoldsWhileAskedForAndEndsWhenReleased) {
  const std::string raw = folder_ + "/out.raw";
  ASSERT_TRUE(Run(FileDevice(raw), [&] {
    AlsaSoundControl sound(AlsaSoundControl::Options{});
    const int32_t h = sound.LoadSound(engine_);
    Hold(sound, h, 1000);
    if (!WaitFor([&] { return !sound.IsPlaying(h); }, 2)) return false;
    std::this_thread::sleep_for(milliseconds(300));  // nothing more may come
    fs::copy_file(raw, raw + ".first");
    Hold(sound, h, 300);
    return WaitFor([&] { return fs::file_size(raw) > fs::file_size(raw + ".first") + 10000; }) &&
           sound.output() == Output::Player;
  }));
  const std::string first = Slurp(raw + ".first");
  const auto* samples = reinterpret_cast<const int16_t*>(first.data());
  const size_t window = kRate / 20, windows = first.size() / 2 / window;  // 50 ms each
  ASSERT_GT(windows, 22u) << "the sound did not last while held (1.1 s)";
  EXPECT_LT(windows, 40u) << "the sound went on after it was released";
  // 0.5 to 0.9 s: the tone at full volume (the fades' shape is the mixer's test), 440 Hz: 44
  // zero crossings in 50 ms.
  const double full = 16383 / std::sqrt(2.0);
  for (size_t start = 10 * window; start < 18 * window; start += window) {
    double sum = 0;
    int crossings = 0;
    for (size_t i = start; i < start + window; ++i)
      sum += double(samples[i]) * samples[i],
          crossings += i > start && (samples[i - 1] < 0) != (samples[i] < 0);
    EXPECT_NEAR(std::sqrt(sum / window), full, full * 0.1) << start / window;
    EXPECT_NEAR(crossings, 44, 3) << start / window;
  }
}

TEST_F(AlsaSoundControlTest, PlaysOnAfterTheProcessWasStoppedAndContinued) {
  const std::string raw = folder_ + "/out.raw";
  const pid_t child = Start(FileDevice(raw), [&] {
    AlsaSoundControl sound(AlsaSoundControl::Options{});
    const int32_t h = sound.LoadSound(engine_);
    Hold(sound, h, 1500);
    return sound.output() == Output::Player;
  });
  ASSERT_TRUE(WaitFor([&] { return fs::exists(raw) && fs::file_size(raw) > 20000; }));
  kill(child, SIGSTOP);
  std::this_thread::sleep_for(milliseconds(400));
  const auto stopped = fs::file_size(raw);
  kill(child, SIGCONT);
  EXPECT_TRUE(WaitFor([&] { return fs::file_size(raw) > stopped + 20000; }));
  EXPECT_TRUE(Succeeded(child));
}

}  // namespace
}  // namespace skyvault
