// The engine sound: Prop, the sound-off time and the sound timer.
#include <gtest/gtest.h>

#include "display/tests/display_harness.h"

namespace skyvault::testing {
namespace {

// One level frame of the bomber from -250 to -248, where it may ask for the engine: played?
bool Plays(Harness& h) {
  DisplayState& s = h.state();
  s.bomberState = 0, s.bomberLevel = true, s.bomberLegFrames = 0, s.moveInterval = 0;
  h.drawing.sprites[s.bomberSprite].x = -250;
  const int before = h.sound.playCalls;
  h.Frame();
  return h.sound.playCalls > before;
}

TEST(EngineSound, SoundOffListedMinutesBecomeSecondsAnythingElseNone) {
  const auto limit = [](const std::string& text) {
    Harness h;
    h.LoadWith({{"System/SoundOff", text}});
    return h.state().soundLimitSeconds;
  };
  for (int minutes : kSoundOffMinutes) EXPECT_EQ(limit(std::to_string(minutes)), 60 * minutes);
  for (const char* text : {"7", "0", "-1", "1.5", "481", "abc", "never", "Never ", ""})
    EXPECT_EQ(limit(text), 0) << text;
  Harness missing;  // the key missing reads "1": one minute
  missing.Set({{"System/SetReg", "2"}}, false);
  missing.form.Load();
  EXPECT_EQ(missing.state().soundLimitSeconds, 60);
}

TEST(EngineSound, TheTimerStopsTheSoundAtTheLimitForTheRestOfTheRun) {
  const std::tuple<const char*, int> cases[] = {{"1", 60}, {"5.0", 300}, {"7", 1}, {"Never", 0}};
  for (const auto& [soundOff, silentFrom] : cases) {
    Harness h;
    h.LoadWith({{"System/SoundOff", soundOff}});
    for (int tick = 1; tick <= 400; ++tick) {
      h.Take();
      h.form.OnSoundTimer();
      const bool stopping = silentFrom && tick >= silentFrom;
      ASSERT_EQ(h.Take(), stopping ? Log{"StopAllSound()"} : Log{}) << soundOff << " tick " << tick;
      ASSERT_EQ(Plays(h), !stopping) << soundOff << " tick " << tick;
    }
  }
}

TEST(EngineSound, TheSecondsCountStartsAgainAfter86398) {
  Harness h;
  h.LoadWith({{"System/SoundOff", "480"}});
  for (int i = 0; i < 86398; ++i) h.form.OnSoundTimer();
  EXPECT_EQ(h.state().soundSeconds, 86398);
  h.form.OnSoundTimer();
  EXPECT_EQ(h.state().soundSeconds, 0);
  EXPECT_FALSE(Plays(h)) << "no way back within a run";
}

TEST(EngineSound, PropIsReadByItsNumberValue) {
  const std::tuple<const char*, const char*, bool, bool> cases[] = {
      {"1", "StopSound(1)", false, true},     {" 1.0", "StopSound(1)", false, true},
      {"0", "StopSound(0)", true, false},     {"abc", "StopSound(0)", true, false},
      {"", "StopSound(0)", true, false},      {"2", "StopSound(2)", false, false},
      {"2.5", "StopSound(2)", false, false},  // the handle rounded ties to even
      {"1e999", "StopSound(0)", false, false}};
  for (const auto& [prop, firstStop, silenced, plays] : cases) {
    Harness h;
    h.Set({{"Prop", prop}});
    h.form.Load();
    EXPECT_EQ(h.sound.calls.front(), firstStop) << prop;
    EXPECT_EQ(Plays(h) + Plays(h), 2 * plays) << prop;
    EXPECT_EQ(Count(h.sound.calls, "SilenceSound(7)"), silenced) << "silenced once, " << prop;
  }
}

}  // namespace
}  // namespace skyvault::testing
