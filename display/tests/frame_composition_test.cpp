// One frame: background, message, logo, aircraft, clock, presentation.
#include <gtest/gtest.h>

#include "display/tests/form1_harness.h"

namespace skyvault::testing {
namespace {

const std::string kClearBlack = "ClearFrame(0)";
const std::string kClearSkyBlue = "ClearFrame(" + std::to_string(0 + 256 * 226 + 65536 * 251) + ")";
const int kCyan = 0 + 256 * 255 + 65536 * 255;
const int kYellow = 255 + 256 * 255;

// The drawing calls of one frame.
Log OneFrame(Harness& h) {
  h.drawing.ClearCalls();
  h.Frame();
  return h.drawing.calls;
}

TEST(FrameComposition, TheBackgroundModeDecidesTheFirstCall) {
  const std::pair<const char*, std::string> cases[] = {
      {"1", kClearBlack}, {"0", kClearBlack},      {"4", kClearBlack},
      {"abc", kClearBlack}, {"3.5", kClearBlack},  {"-1", kClearBlack},
      {"2", kClearSkyBlue}, {"2.0", kClearSkyBlue},
  };
  for (const auto& [mode, first] : cases) {
    Harness h;
    h.LoadWith({{"BackGround", mode}});
    const Log frame = OneFrame(h);
    EXPECT_EQ(frame.front(), first) << mode;
    EXPECT_EQ(Count(frame, "ClearFrame"), 1) << mode;
  }
}

TEST(FrameComposition, BackgroundThreeDrawsThePictureWithoutClearing) {
  Harness h;
  h.LoadWith();  // first run: background picture, sprite 1
  for (int i = 0; i < 3; ++i) {
    const Log frame = OneFrame(h);
    EXPECT_EQ(Log(frame.begin(), frame.begin() + 3),
              (Log{"DrawSprite(1)", "SetSpriteX(1, 0)", "SetSpriteY(1, 0)"}));
    EXPECT_EQ(Count(frame, "ClearFrame"), 0);
  }
}

TEST(FrameComposition, TheThreeMessageSettingsAreTheOnlyReadsOfAFrame) {
  Harness h;
  h.LoadWith();
  h.Frame();
  EXPECT_EQ(Matching(h.Take(), "Read("),
            (Log{"Read(Startup/Message)", "Read(Startup/MessageChecked)", "Read(Startup/FontName)"}));
}

TEST(FrameComposition, TheMessageIsTextFromTheFirstFrameOn) {
  Harness h;
  h.LoadWith({{"Message", "42 planes"}});
  EXPECT_FALSE(h.state().MessageText.IsText());
  EXPECT_EQ(h.state().MessageText.NumberValue(), 42);
  h.Frame();
  EXPECT_TRUE(h.state().MessageText.IsText());
  EXPECT_EQ(h.state().MessageText.text(), "42 planes");
}

TEST(FrameComposition, AnUncheckedMessageIsNotDrawnAndLeavesTheFontAlone) {
  Harness h;
  h.LoadWith({{"MessageChecked", "0"}, {"Clock", "0"}});
  const Log frame = OneFrame(h);
  EXPECT_EQ(Count(frame, "SetTextFont"), 0);
  EXPECT_EQ(Count(frame, "DrawText"), 0);
}

TEST(FrameComposition, ACheckedMessageIsDrawnInCyanEvenWhenEmpty) {
  Harness h;
  h.LoadWith({{"MessageChecked", "1"}, {"Message", ""}, {"FontName", "Courier New"}, {"Clock", "0"}});
  const Log frame = OneFrame(h);
  EXPECT_EQ(Matching(frame, "SetTextFont"),
            Log{"SetTextFont(\"Courier New\", 24, 1, false, false, false)"});
  EXPECT_EQ(Matching(frame, "DrawText"), Log{"DrawText(\"\", 5, 575, " + std::to_string(kCyan) + ")"});
}

TEST(FrameComposition, ChangesInTheStoreShowFromTheNextFrame) {
  Harness h;
  h.LoadWith({{"MessageChecked", "1"}, {"Message", "Hello"}, {"Clock", "0"}});
  EXPECT_EQ(Count(OneFrame(h), "DrawText(\"Hello\""), 1);
  h.Set("Startup", "Message", "Good night");
  h.Set("Startup", "FontName", "Times New Roman");
  Log frame = OneFrame(h);
  EXPECT_EQ(Count(frame, "DrawText(\"Good night\", 5, 575"), 1);
  EXPECT_EQ(Count(frame, "SetTextFont(\"Times New Roman\", 24"), 1);
  h.Set("Startup", "MessageChecked", "0");
  EXPECT_EQ(Count(OneFrame(h), "DrawText"), 0);
  h.Set("Startup", "MessageChecked", "1");
  EXPECT_EQ(Count(OneFrame(h), "DrawText"), 1);
}

TEST(FrameComposition, MissingMessageKeysDrawTheTextOneInTheFontOne) {
  Harness h;
  h.LoadWith({{"Clock", "0"}});
  h.store = MemorySettingsStore{};  // the keys vanish while the saver runs
  const Log frame = OneFrame(h);
  EXPECT_EQ(Matching(frame, "SetTextFont"), Log{"SetTextFont(\"1\", 24, 1, false, false, false)"});
  EXPECT_EQ(Matching(frame, "DrawText"), Log{"DrawText(\"1\", 5, 575, " + std::to_string(kCyan) + ")"});
}

TEST(FrameComposition, MessageLogoAircraftClockAndShowFrameComeInThatOrder) {
  Harness h;
  h.LoadWith({{"MessageChecked", "1"}, {"Message", "Hi"}, {"LogoChecked", "1"},
              {"FontClock", "20"}, {"BackGround", "2"}});
  h.platform.time = {7, 8, 9, 0};
  h.form.OnSoundTimer();
  const Log frame = OneFrame(h);
  const int logo = h.state().LogoSprite;
  const int bg = h.state().BGPlaneSprite;
  const Log expectedStart = {
      kClearSkyBlue,
      "SetTextFont(\"Arial\", 24, 1, false, false, false)",
      "DrawText(\"Hi\", 5, 575, " + std::to_string(kCyan) + ")",
      "DrawSprite(" + std::to_string(logo) + ")",
      "DrawSprite(" + std::to_string(bg) + ")",
  };
  EXPECT_EQ(Log(frame.begin(), frame.begin() + 5), expectedStart);
  const Log expectedEnd = {
      "SetTextFont(\"Arial\", 20, 1, false, false, false)",
      "DrawText(\"07:08:09\", 0, 0, " + std::to_string(kYellow) + ")",
      "ShowFrame()",
  };
  EXPECT_EQ(Log(frame.end() - 3, frame.end()), expectedEnd);
}

TEST(FrameComposition, TheClockShowsMidnightUntilTheFirstTick) {
  Harness h;
  h.LoadWith();
  h.platform.time = {15, 0, 0, 0};
  EXPECT_EQ(Count(OneFrame(h), "DrawText(\"00:00:00\", 0, 0"), 1);
  h.form.OnSoundTimer();
  EXPECT_EQ(Count(OneFrame(h), "DrawText(\"15:00:00\", 0, 0"), 1);
}

TEST(FrameComposition, WithTheClockOffTheScheduleMakesTheLastCallBeforeShowFrame) {
  Harness h;
  h.LoadWith({{"Clock", "0"}});
  const Log frame = OneFrame(h);
  ASSERT_GE(frame.size(), 2u);
  const int plane1 = h.state().PlaneSprite[1];
  // Aircraft 1's slanting step is the last thing the schedule does in frame 1.
  EXPECT_EQ(frame[frame.size() - 2], "MoveSpriteX(" + std::to_string(plane1) + ", -1)");
  EXPECT_EQ(Count(frame, "SetTextFont"), 0);
}

TEST(FrameComposition, ShowFrameComesOnceAndLastWhateverTheSwitches) {
  for (const char* message : {"0", "1"}) {
    for (const char* clock : {"0", "1"}) {
      for (const char* logo : {"0", "1"}) {
        for (const char* background : {"1", "2", "3", "9"}) {
          Harness h;
          h.LoadWith({{"MessageChecked", message}, {"Clock", clock}, {"LogoChecked", logo},
                      {"BackGround", background}});
          for (int i = 0; i < 30; ++i) {
            const Log frame = OneFrame(h);
            EXPECT_EQ(Count(frame, "ShowFrame"), 1);
            EXPECT_EQ(frame.back(), "ShowFrame()");
          }
        }
      }
    }
  }
}

TEST(FrameComposition, TheClockIsOnlyDrawnWhenClockIsOne) {
  for (const auto& [clock, drawn] : {std::pair{"1", true}, {"0", false}, {"2", false}, {"1.0", true},
                                     {"abc", false}}) {
    Harness h;
    h.LoadWith({{"Clock", clock}});
    EXPECT_EQ(Count(OneFrame(h), "DrawText"), drawn ? 1 : 0) << clock;
  }
}

}  // namespace
}  // namespace skyvault::testing
