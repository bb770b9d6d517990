// The load sequence and the opening of the drawing and sound sessions.
#include <gtest/gtest.h>

#include "display/tests/form1_harness.h"

namespace skyvault::testing {
namespace {

struct Picture {
  const char* file;
  int x, y;
};
// The aircraft pictures in the order they are created, with their start.
const Picture kAircraftPictures[16] = {
    {"Plane24.bmp", -320, 75}, {"Plane03.bmp", 805, 180}, {"Plane04.bmp", 805, 200},
    {"Plane06.bmp", -251, 180}, {"Plane02.bmp", -292, 100}, {"Plane05.bmp", -276, 500},
    {"Plane07.bmp", 805, 300}, {"Plane08.bmp", -266, 175}, {"Plane01.bmp", 805, 70},
    {"Plane11.bmp", 805, 290}, {"Plane16.bmp", -276, 330}, {"Plane14.bmp", -271, 80},
    {"Plane17.bmp", 805, 370}, {"Plane25.bmp", 805, 120}, {"Plane23.bmp", -272, 250},
    {"Plane21.bmp", -279, 365},
};

Log PictureCalls(int sprite, const std::string& path, int code, int x, int y) {
  const std::string n = std::to_string(sprite);
  return {"CreateSprite() = " + n,
          "LoadSpriteBitmap(" + n + ", 1, \"" + path + "\", " + std::to_string(code) + ")",
          "SetSpriteX(" + n + ", " + std::to_string(x) + ")",
          "SetSpriteY(" + n + ", " + std::to_string(y) + ")"};
}

Log AircraftCalls(int firstSprite) {
  Log calls;
  for (int i = 0; i < 16; ++i) {
    const Picture& p = kAircraftPictures[i];
    for (auto& line : PictureCalls(firstSprite + i, std::string("C:\\Hallowmere\\Skyvault1\\") + p.file,
                                   -1, p.x, p.y)) {
      calls.push_back(line);
    }
  }
  return calls;
}

void Append(Log& to, const Log& more) { to.insert(to.end(), more.begin(), more.end()); }

TEST(Form1Load, FirstRunOnAnEmptyStoreWritesEverythingThenReadsItAndLoadsSeventeenPictures) {
  Harness h;
  h.Load();

  Log expected = {"Read(System/SetReg)"};
  for (int n = 1; n <= 15; ++n) {
    expected.push_back(std::string("Write(Planes/Plane") + (n < 10 ? "0" : "") + std::to_string(n) + "=1)");
  }
  Append(expected, {
      "Write(Startup/BackGround=3)",
      "Write(Startup/BMPFileName=C:\\Hallowmere\\Skyvault1\\Bridge.bmp)",
      "Write(Startup/Clock=1)",
      "Write(Startup/FontClock=16)",
      "Write(Startup/FontName=Arial)",
      "Write(Startup/LogoChecked=0)",
      "Write(Startup/LogoFileName=C:\\Hallowmere\\Skyvault1\\Tarnwing1.bmp)",
      "Write(Startup/Message=Place a Message Here)",
      "Write(Startup/MessageChecked=0)",
      "Write(Startup/MouseSens=4)",
      "Write(Startup/Prop=1)",
      "Write(Startup/SelectedFont=3)",
      "Write(Startup/Speed=3)",
      "Write(Startup/Volume=-748)",
      "Write(System/PwrSave=0)",
      "Write(System/SoundOff=Never)",
      "Write(System/SetReg=2)",
      // The settings, in the load sequence's order.
      "Read(Startup/BackGround)",
      "Read(Startup/Prop)",
      "Read(Startup/Message)",
      "Read(Startup/Speed)",
      "Read(Startup/MessageChecked)",
      "Read(Startup/LogoChecked)",
      "Read(Startup/FontName)",
      "Read(Startup/MouseSens)",
      "Read(Startup/Clock)",
      "Read(Startup/FontClock)",
      "Read(System/SoundOff)",
      "Read(Startup/Volume)",
      "ShowCursor(false)",
      "InitDisplay(800, 600, 16, \"\")",
      "Read(Startup/BackGround)",
      "Read(Startup/BMPFileName)",
  });
  Append(expected, PictureCalls(1, "C:\\Hallowmere\\Skyvault1\\Bridge.bmp", -2, 0, 0));
  expected.push_back("Read(Startup/LogoChecked)");
  Append(expected, AircraftCalls(2));
  Append(expected, {
      "StopSound(1)",  // the number value of Prop, before the sound exists
      "LoadSound(\"C:\\Hallowmere\\Skyvault1\\Prop.wav\") = 7",
      "Read(Startup/Prop)",
  });
  EXPECT_EQ(h.log, expected);
  EXPECT_EQ(h.store.Read("System", "SetReg", "x"), "2");
}

TEST(Form1Load, FirstRunValuesLandInTheStateRecord) {
  Harness h;
  h.Load();
  const Form1State& s = h.state();
  EXPECT_TRUE(s.PlaneEnabled[1]);
  for (int n = 2; n <= 15; ++n) EXPECT_FALSE(s.PlaneEnabled[n]) << n;
  EXPECT_EQ(s.BackgroundMode, 3);
  EXPECT_EQ(s.SoundHandle, 7);  // the handle, once the sound session is open
  // The message is its number value until the first frame.
  EXPECT_FALSE(s.MessageText.IsText());
  EXPECT_EQ(s.MessageText.NumberValue(), 0);
  EXPECT_EQ(s.MoveInterval, 3);
  EXPECT_EQ(s.MessageEnabled, 0);
  EXPECT_EQ(s.LogoEnabled, 0);
  EXPECT_EQ(s.MessageFontName, "Arial");
  EXPECT_EQ(s.MouseSensitivity, 4);
  EXPECT_EQ(s.ClockEnabled, 1);
  EXPECT_EQ(s.ClockFontSize, 16);
  EXPECT_EQ(s.SoundOffSetting, "Never");
  EXPECT_EQ(s.SoundLimitSeconds, 0);
  EXPECT_EQ(s.VolumeLevel, -748);
  EXPECT_TRUE(s.EngineSoundOn.IsText());
  EXPECT_EQ(s.EngineSoundOn.text(), "1");
  EXPECT_EQ(s.DataPath, "C:\\Hallowmere\\Skyvault1\\");
  EXPECT_EQ(s.BackgroundSprite, 1);
  EXPECT_EQ(s.BGPlaneSprite, 2);
  for (int n = 1; n <= 15; ++n) EXPECT_EQ(s.PlaneSprite[n], n + 2);
  EXPECT_EQ(s.CurrentTime, TimeOfDay{});
  EXPECT_EQ(s.BGPlaneState, 0);
  EXPECT_FALSE(s.BGPlaneLevel);
}

TEST(Form1Load, TheMarkerDecidesWhetherTheFirstRunValuesAreWritten) {
  for (const char* marker : {"1", "3", "abc", "", "2.6", "99999"}) {
    Harness h;
    h.Set("System", "SetReg", marker);
    h.Set("Startup", "Speed", "50");
    h.Load();
    EXPECT_EQ(h.store.writes().size(), 32u) << marker;
    EXPECT_EQ(h.store.Read("Startup", "Speed", "x"), "3") << "user value overwritten, marker " << marker;
  }
  for (const char* marker : {"2", " 2 ", "2.4", "1.5"}) {  // 16-bit rounding: 2.4 and 1.5 give 2
    Harness h;
    h.Set("System", "SetReg", marker);
    h.Load();
    EXPECT_TRUE(h.store.writes().empty()) << marker;
  }
}

TEST(Form1Load, MissingKeysReadAsOne) {
  Harness h;
  h.Set("System", "SetReg", "2");
  h.Load();
  const Form1State& s = h.state();
  EXPECT_EQ(s.BackgroundMode, 1);
  EXPECT_EQ(s.MessageEnabled, 1);
  EXPECT_EQ(s.MessageFontName, "1");
  EXPECT_EQ(s.MouseSensitivity, 1);
  EXPECT_EQ(s.MoveInterval, 1);
  EXPECT_EQ(s.ClockFontSize, 1);
  EXPECT_EQ(s.VolumeLevel, 1);
  EXPECT_EQ(s.SoundOffSetting, "1");
  EXPECT_EQ(s.SoundLimitSeconds, 60);  // one minute, not "Never"
  EXPECT_EQ(s.LogoEnabled, 1);
  // Logo on with the path "1", used as it stands; then the aircraft.
  EXPECT_EQ(h.drawing.sprite(1).path, "1");
  EXPECT_EQ(h.drawing.sprite(1).loadCode, -2);
  EXPECT_EQ(h.drawing.sprites.size(), 17u);
}

// Background kinds other than 3 load no picture and leave BMPFileName unread.
TEST(Form1Load, OnlyBackgroundThreeLoadsThePicture) {
  for (const char* mode : {"1", "2", "0", "3.5", "abc", "4", "-3", "", "1e999"}) {
    Harness h;
    h.FirstRunStore();
    h.Set("Startup", "BackGround", mode);
    h.Load();
    EXPECT_EQ(Count(h.log, "Read(Startup/BMPFileName)"), 0) << mode;
    EXPECT_EQ(h.drawing.sprites.size(), 16u) << mode;
    EXPECT_EQ(h.drawing.sprite(1).path, "C:\\Hallowmere\\Skyvault1\\Plane24.bmp") << mode;
    EXPECT_EQ(h.state().BackgroundSprite, 0) << mode;
  }
  for (const char* mode : {"3", " 3", "3abc", "3.0", "+3"}) {
    Harness h;
    h.FirstRunStore();
    h.Set("Startup", "BackGround", mode);
    h.Set("Startup", "BMPFileName", "D:\\My Pictures\\sky.bmp");
    h.Load();
    EXPECT_EQ(h.drawing.sprites.size(), 17u) << mode;
    const auto& background = h.drawing.sprite(h.state().BackgroundSprite);
    EXPECT_EQ(background.path, "D:\\My Pictures\\sky.bmp") << "never prefixed, " << mode;
    EXPECT_EQ(background.loadCode, -2);
    EXPECT_EQ(background.x, 0);
    EXPECT_EQ(background.y, 0);
  }
}

TEST(Form1Load, TheLogoIsLoadedAfterTheBackgroundAndBeforeTheAircraftOnlyWhenChecked) {
  {
    Harness h;
    h.FirstRunStore();
    h.Set("Startup", "LogoChecked", "1");
    h.Set("Startup", "LogoFileName", "E:\\logo.bmp");
    h.Load();
    Log expected = PictureCalls(1, "C:\\Hallowmere\\Skyvault1\\Bridge.bmp", -2, 0, 0);
    Append(expected, PictureCalls(2, "E:\\logo.bmp", -2, 1, 20));
    Append(expected, AircraftCalls(3));
    EXPECT_EQ(Matching(h.drawing.calls, "InitDisplay").size(), 1u);
    EXPECT_EQ(Log(h.drawing.calls.begin() + 1, h.drawing.calls.end()), expected);
    EXPECT_EQ(h.state().LogoSprite, 2);
    EXPECT_EQ(h.state().LogoEnabled, 1);
  }
  for (const char* off : {"0", "2", "abc", "0.5"}) {
    Harness h;
    h.FirstRunStore();
    h.Set("Startup", "LogoChecked", off);
    h.Load();
    EXPECT_EQ(Count(h.log, "Read(Startup/LogoFileName)"), 0) << off;
    EXPECT_EQ(h.drawing.sprites.size(), 17u) << off;
    EXPECT_EQ(h.state().LogoSprite, 0) << off;
  }
}

TEST(Form1Load, NeitherBackgroundNorLogoGivesExactlyTheSixteenAircraft) {
  Harness h;
  h.FirstRunStore();
  h.Set("Startup", "BackGround", "2");
  h.Load();
  Log expected = {"InitDisplay(800, 600, 16, \"\")"};
  Append(expected, AircraftCalls(1));
  EXPECT_EQ(h.drawing.calls, expected);
}

TEST(Form1Load, ARefusedDisplayModeShowsOneMessageLoadsNoPictureAndStillOpensTheSound) {
  Harness h;
  h.FirstRunStore();
  h.drawing.displayAvailable = false;
  h.Load();
  EXPECT_EQ(Matching(h.log, "Message("),
            Log{"Message(This program requires that you use a monitor that is capable of "
                "displaying 64K colors. | Error opening Direct Draw!) plain"});
  EXPECT_EQ(h.drawing.calls, Log{"InitDisplay(800, 600, 16, \"\")"});
  EXPECT_EQ(Count(h.log, "Read(Startup/BMPFileName)"), 0);
  EXPECT_EQ(h.state().DataPath, "C:\\Hallowmere\\Skyvault1\\");
  EXPECT_EQ(h.sound.calls,
            (Log{"StopSound(1)", "LoadSound(\"C:\\Hallowmere\\Skyvault1\\Prop.wav\") = 7"}));
  // The pointer was hidden before the display was tried.
  const Log tail(std::find(h.log.begin(), h.log.end(), "ShowCursor(false)"), h.log.end());
  EXPECT_EQ(tail.at(1), "InitDisplay(800, 600, 16, \"\")");
}

TEST(Form1Load, HostileValuesInEveryKeyLoadWithoutFailing) {
  for (const char* hostile : {"abc", "", "1e999", "-1e999", "99999999999999999999", "  -  ", "0x10",
                              "3.5.6", "\xff\xfe", "Never", "nan", "inf"}) {
    Harness h;
    for (const auto& entry : kFirstRunValues) h.Set(entry.section, entry.key, hostile);
    h.Set("System", "SetReg", "2");  // keep them
    h.Load();
    const Form1State& s = h.state();
    EXPECT_EQ(s.VolumeLevel, -748) << hostile;
    EXPECT_GE(s.ClockFontSize, 1) << hostile;
    EXPECT_LE(s.ClockFontSize, 200) << hostile;
    h.Frames(100);
    h.form.OnSoundTimer();
    h.form.OnPauseTimer();
    h.form.OnPointerMove();
    h.form.OnKey();
    EXPECT_EQ(h.host.ended, 1) << hostile;
  }
}

TEST(Form1Load, VolumeOutsideSixteenBitsOrNotANumberReadsAsTheFirstRunVolume) {
  const std::pair<const char*, int16_t> cases[] = {
      {"-748", -748}, {"-2500", -2500}, {"0", 0},      {"-748.5", -748}, {"-747.5", -748},
      {" -10 ", -10}, {"32767", 32767}, {"-32768", -32768},
      {"abc", -748},  {"", -748},       {"-1000abc", -748}, {"40000", -748}, {"-32769", -748},
      {"1e999", -748},
  };
  for (const auto& [text, level] : cases) {
    Harness h;
    h.LoadWith({{"Volume", text}});
    EXPECT_EQ(h.state().VolumeLevel, level) << text;
  }
}

TEST(Form1Load, ClockFontSizeIsRoundedAndKeptDrawable) {
  const std::pair<const char*, int16_t> cases[] = {
      {"16", 16},   {"16.5", 16},  {"17.5", 18}, {"12pt", 12}, {"200", 200}, {"0", 1},
      {"0.4", 1},   {"-5", 1},     {"abc", 1},   {"", 1},      {"201", 200}, {"99999", 200},
      {"1e999", 200}, {"-1e999", 1},
  };
  for (const auto& [text, size] : cases) {
    Harness h;
    h.LoadWith({{"FontClock", text}});
    EXPECT_EQ(h.state().ClockFontSize, size) << text;
  }
}

}  // namespace
}  // namespace skyvault::testing
