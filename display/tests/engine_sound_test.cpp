// The engine sound: its session, its switch, its time limit and the timer.
#include <gtest/gtest.h>

#include "display/engine_sound.h"
#include "display/tests/form1_harness.h"

namespace skyvault::testing {
namespace {

Harness* LoadWithSoundOff(Harness& h, const char* soundOff,
                          std::initializer_list<std::pair<const char*, const char*>> startup = {}) {
  for (const auto& entry : kFirstRunValues) {
    if (std::string(entry.key) != "SoundOff") h.Set(entry.section, entry.key, entry.firstRunValue);
  }
  if (soundOff) h.Set("System", "SoundOff", soundOff);
  for (const auto& [key, value] : startup) h.Set("Startup", key, value);
  h.Load();
  h.log.clear();
  h.sound.calls.clear();
  return &h;
}

TEST(EngineSound, SoundOffTurnsMinutesIntoSeconds) {
  const std::pair<const char*, int> cases[] = {
      {"1", 60},      {"2", 120},     {"3", 180},     {"4", 240},     {"5", 300},
      {"10", 600},    {"15", 900},    {"20", 1200},   {"30", 1800},   {"45", 2700},
      {"60", 3600},   {"90", 5400},   {"120", 7200},  {"180", 10800}, {"240", 14400},
      {"300", 18000}, {"360", 21600}, {"420", 25200}, {"480", 28800}, {"5.0", 300},
      {"15 minutes", 900},
      // Not in the list, or no number at all: no sound time.
      {"7", 0},       {"0", 0},       {"-1", 0},      {"1.5", 0},     {"abc", 0},
      {"never", 0},   {"Never ", 0},  {"", 0},        {"481", 0},
  };
  for (const auto& [text, seconds] : cases) {
    Harness h;
    LoadWithSoundOff(h, text);
    EXPECT_EQ(h.state().SoundLimitSeconds, seconds) << text;
  }
}

TEST(EngineSound, AMissingSoundOffIsOneMinute) {
  Harness h;
  LoadWithSoundOff(h, nullptr);
  EXPECT_EQ(h.state().SoundOffSetting, "1");
  EXPECT_EQ(h.state().SoundLimitSeconds, 60);
}

// One frame in which the BG aircraft flies level from x = -250 to -248,
// where it asks for the engine sound if it may.
void FlyToTheSound(Harness& h) {
  Form1State& s = h.state();
  s.BGPlaneState = 0;
  s.BGPlaneLevel = true;
  s.BGPlaneLegFrames = 0;
  s.MoveInterval = 0;
  h.drawing.sprites[s.BGPlaneSprite].x = -250;
  h.Frame();
}

TEST(EngineSound, OneMinuteOfSoundThenSilenceForTheRestOfTheRun) {
  Harness h;
  LoadWithSoundOff(h, "1");
  for (int tick = 1; tick <= 59; ++tick) h.form.OnSoundTimer();
  EXPECT_EQ(Count(h.sound.calls, "StopAllSound"), 0);
  FlyToTheSound(h);
  EXPECT_GT(h.sound.playCalls, 0) << "still allowed in the first 59 seconds";

  h.sound.calls.clear();
  h.form.OnSoundTimer();  // the 60th tick
  EXPECT_EQ(h.sound.calls, Log{"StopAllSound()"});
  EXPECT_FALSE(h.state().EngineSoundOn.IsText());
  EXPECT_EQ(h.state().EngineSoundOn.NumberValue(), 0);

  const int played = h.sound.playCalls;
  for (int i = 0; i < 100; ++i) {
    FlyToTheSound(h);
    h.form.OnSoundTimer();
  }
  EXPECT_EQ(h.sound.playCalls, played);
  EXPECT_EQ(Count(h.sound.calls, "StopAllSound"), 101) << "every later tick stops it again";
}

TEST(EngineSound, ALimitNotInTheListOrNoNumberStopsTheSoundAtTheFirstTick) {
  for (const char* text : {"7", "abc", "never"}) {
    Harness h;
    LoadWithSoundOff(h, text);
    h.form.OnSoundTimer();
    EXPECT_EQ(h.sound.calls, Log{"StopAllSound()"}) << text;
    FlyToTheSound(h);
    EXPECT_EQ(h.sound.playCalls, 0) << text;
  }
}

TEST(EngineSound, NeverCountsNoSecondsAndNeverStops) {
  Harness h;
  LoadWithSoundOff(h, "Never");
  for (int i = 0; i < 100000; ++i) h.form.OnSoundTimer();
  EXPECT_EQ(h.state().SoundSeconds, 0);
  EXPECT_TRUE(h.sound.calls.empty());
  FlyToTheSound(h);
  EXPECT_GT(h.sound.playCalls, 0);
}

TEST(EngineSound, TheCountStartsAgainAfterADay) {
  Harness h;
  LoadWithSoundOff(h, "480");
  for (int i = 0; i < 86398; ++i) h.form.OnSoundTimer();
  EXPECT_EQ(h.state().SoundSeconds, 86398);
  h.form.OnSoundTimer();
  EXPECT_EQ(h.state().SoundSeconds, 0);
  h.form.OnSoundTimer();
  EXPECT_EQ(h.state().SoundSeconds, 1);
  EXPECT_EQ(h.state().EngineSoundOn.NumberValue(), 0) << "no way back within a run";
}

TEST(EngineSound, TheTimerRefreshesTheClocksTimeOfDay) {
  Harness h;
  LoadWithSoundOff(h, "Never");
  EXPECT_EQ(h.state().CurrentTime, TimeOfDay{});
  h.platform.time = {21, 4, 5, 250};
  h.form.OnSoundTimer();
  EXPECT_EQ(h.state().CurrentTime, (TimeOfDay{21, 4, 5, 250}));
}

TEST(EngineSound, PropZeroSilencesTheSoundOnceAndItNeverPlays) {
  Harness h;
  h.FirstRunStore();
  h.Set("Startup", "Prop", "0");
  h.Load();
  EXPECT_EQ(h.sound.calls,
            (Log{"StopSound(0)", "LoadSound(\"C:\\Hallowmere\\Skyvault1\\Prop.wav\") = 7",
                 "SilenceSound(7)"}));
  for (int i = 0; i < 20; ++i) FlyToTheSound(h);
  EXPECT_EQ(h.sound.playCalls, 0);
  EXPECT_EQ(Count(h.sound.calls, "SilenceSound"), 1);
}

TEST(EngineSound, PropIsReadByItsNumberValue) {
  struct Case {
    const char* prop;
    bool silenced;
    bool plays;
    const char* firstStop;
  };
  const Case cases[] = {
      {"1", false, true, "StopSound(1)"},     {"1.0", false, true, "StopSound(1)"},
      {" 1", false, true, "StopSound(1)"},    {"abc", true, false, "StopSound(0)"},
      {"", true, false, "StopSound(0)"},      {"2", false, false, "StopSound(2)"},
      {"0.0", true, false, "StopSound(0)"},   {"1e999", false, false, "StopSound(0)"},
      {"2.5", false, false, "StopSound(2)"},  // handle rounded ties to even
  };
  for (const Case& c : cases) {
    Harness h;
    h.FirstRunStore();
    h.Set("Startup", "Prop", c.prop);
    h.Load();
    EXPECT_EQ(h.sound.calls.front(), c.firstStop) << c.prop;
    EXPECT_EQ(Count(h.sound.calls, "SilenceSound(7)"), c.silenced ? 1 : 0) << c.prop;
    FlyToTheSound(h);
    EXPECT_EQ(h.sound.playCalls > 0, c.plays) << c.prop;
  }
}

}  // namespace
}  // namespace skyvault::testing
