// One frame: background, message, logo, aircraft, clock, presentation.
#include <gtest/gtest.h>

#include "display/tests/display_harness.h"

namespace skyvault::testing {
namespace {

const std::string kCyan = std::to_string(255 * 256 + 255 * 65536);
const std::string kYellow = std::to_string(255 + 255 * 256);

TEST(FrameComposition, TheBackgroundModeDecidesHowAFrameStarts) {
  const Log black = {"ClearFrame(0)"},
            sky = {"ClearFrame(" + std::to_string(226 * 256 + 251 * 65536) + ")"};
  const Log picture = {"DrawSprite(1)", "SetSpriteX(1, 0)", "SetSpriteY(1, 0)"};
  const std::pair<const char*, Log> cases[] = {{"1", black},  {"0", black},   {"4", black},
                                               {"-1", black}, {"3.5", black}, {"abc", black},
                                               {"2", sky},    {"2.0", sky},   {"3", picture}};
  for (const auto& [mode, start] : cases) {
    Harness h;
    h.LoadWith({{"BackGround", mode}});
    for (int frame = 0; frame < 2; ++frame) {
      const Log calls = h.Drawn();
      EXPECT_EQ(Log(calls.begin(), calls.begin() + static_cast<long>(start.size())), start) << mode;
      EXPECT_EQ(Count(calls, "ClearFrame"), start == picture ? 0 : 1) << mode;
    }
  }
}

TEST(FrameComposition, MessageLogoAircraftClockThenShowFrameLast) {
  Harness h;
  const Values values = {{"MessageChecked", "1"},
                         {"Message", "Hi"},
                         {"LogoChecked", "1"},
                         {"FontClock", "20"},
                         {"BackGround", "2"}};
  h.LoadWith(values);
  EXPECT_EQ(h.state().messageText, "") << "read for drawing from the first frame on";
  h.Frame();
  h.Take();
  h.Frame();
  const Log log = h.Take();
  EXPECT_EQ(Log(log.begin(), log.begin() + 8),
            (Log{"ClearFrame(" + std::to_string(226 * 256 + 251 * 65536) + ")",
                 "Read(Startup/Message)", "Read(Startup/MessageChecked)", "Read(Startup/FontName)",
                 "SetTextFont(\"Arial\", 24, 1, false, false, false)",
                 "DrawText(\"Hi\", 5, 575, " + kCyan + ")", "DrawSprite(1)",
                 "DrawSprite(2)"}));  // the logo, then the bomber
  EXPECT_EQ(Log(log.end() - 3, log.end()),
            (Log{"SetTextFont(\"Arial\", 20, 1, false, false, false)",
                 "DrawText(\"00:00:00\", 0, 0, " + kYellow + ")", "ShowFrame()"}));
  EXPECT_EQ(Count(log, "Read("), 3);
}

TEST(FrameComposition, TheMessageSettingsAreReadAgainEveryFrame) {
  Harness h;
  h.LoadWith({{"MessageChecked", "1"}, {"Message", ""}, {"Clock", "0"}});
  EXPECT_EQ(Count(h.Drawn(), "DrawText(\"\", 5, 575, " + kCyan + ")"), 1) << "even when empty";
  h.Set({{"Message", "Good night"}, {"FontName", "Times New Roman"}}, false);
  Log calls = h.Drawn();
  EXPECT_EQ(Count(calls, "DrawText(\"Good night\", 5, 575"), 1);
  EXPECT_EQ(Count(calls, "SetTextFont(\"Times New Roman\", 24"), 1);
  h.Set({{"MessageChecked", "0"}}, false);
  EXPECT_EQ(Count(h.Drawn(), "DrawText") + Count(h.Drawn(), "SetTextFont"), 0);
}

TEST(FrameComposition, TheClockShowsTheTimeTheSoundTimerStored) {
  for (const auto& [clock, drawn] :
       {std::pair{"1", true}, {"1.0", true}, {"0", false}, {"2", false}, {"abc", false}}) {
    Harness h;
    h.LoadWith({{"Clock", clock}});
    h.platform.time = {15, 4, 5, 0};
    EXPECT_EQ(Count(h.Drawn(), "DrawText(\"00:00:00\", 0, 0"), drawn) << clock;
    h.form.OnSoundTimer();
    const Log calls = h.Drawn();
    EXPECT_EQ(Count(calls, "DrawText(\"15:04:05\", 0, 0"), drawn) << clock;
    EXPECT_EQ(Count(calls, "DrawText"), drawn) << clock;
    EXPECT_TRUE(calls.back() == "ShowFrame()" && Count(calls, "ShowFrame") == 1) << clock;
  }
}

}  // namespace
}  // namespace skyvault::testing
