// The load sequence: first-run values, settings, pictures, sound session.
#include <gtest/gtest.h>

#include "display/aircraft_table.h"
#include "display/tests/display_harness.h"

namespace skyvault::testing {
namespace {

const std::string kData = "C:\\Hallowmere\\Skyvault1\\";

// The background loads in the role that covers the frame (2), the other pictures in role 1.
Log Picture(int sprite, const std::string& path, int code, int x, int y, int role = 1) {
  const std::string n = std::to_string(sprite) + ", ";
  return {"CreateSprite() = " + std::to_string(sprite),
          "LoadSpriteBitmap(" + n + std::to_string(role) + ", \"" + path + "\", " +
              std::to_string(code) + ")",
          "SetSpriteX(" + n + std::to_string(x) + ")", "SetSpriteY(" + n + std::to_string(y) + ")"};
}

Log Join(std::initializer_list<Log> parts) {
  Log all;
  for (const Log& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// The sixteen aircraft pictures in order, colour-keyed, each at its start, from sprite `first`.
Log Aircraft(int first) {
  Log calls;
  for (const AircraftRow& a : kAircraft)
    calls = Join({calls, Picture(first + a.number, kData + a.bitmap, -1, a.startX, a.startY)});
  return calls;
}

TEST(DisplayLoad, FirstRunOnAnEmptyStoreWritesFirstThenLoadsSeventeenPicturesInOrder) {
  Harness h;
  h.form.Load();
  const Log log = h.Take();
  Log writes;
  for (const auto& e : kFirstRunValues)
    writes.push_back(std::string("Write(") + e.section + "/" + e.key + "=" +
                     FirstRunValue(e, kData) + ")");
  const auto firstRead = std::find(log.begin(), log.end(), "Read(Startup/BackGround)");
  EXPECT_EQ(Log(log.begin() + 1, firstRead), writes) << "not every value stored before reading";
  EXPECT_EQ(h.drawing.calls, Join({{"InitDisplay(800, 600, 16, \"\")"},
                                   Picture(1, kData + "Bridge.bmp", -2, 0, 0, 2),
                                   Aircraft(2)}));
}

TEST(DisplayLoad, EveryFileComesFromThePlatformsDataFolder) {
  Harness h;
  h.platform.dataFolder = "/usr/share/skyvault/";
  h.form.Load();
  EXPECT_EQ(h.store.Read("Startup", "BMPFileName", ""), "/usr/share/skyvault/Bridge.bmp");
  EXPECT_EQ(h.store.Read("Startup", "LogoFileName", ""), "/usr/share/skyvault/Tarnwing1.bmp");
  std::string log;
  for (const std::string& line : h.Take()) log += line + "\n";
  for (const std::string file : {"Bridge.bmp", "Plane24.bmp", "Plane21.bmp", "Prop.wav"})
    EXPECT_NE(log.find("\"/usr/share/skyvault/" + file + "\""), std::string::npos) << file;
  EXPECT_EQ(log.find("Hallowmere"), std::string::npos);
}

TEST(DisplayLoad, TheMarkerDecidesWhetherTheFirstRunValuesAreWritten) {
  // The marker's own reading is the settings' test; here, that the load obeys it.
  const std::pair<const char*, bool> cases[] = {{"1", true}, {"2.6", true}, {" 2 ", false}};
  for (const auto& [marker, written] : cases) {
    Harness h;
    h.Set({{"System/SetReg", marker}, {"Speed", "50"}}, false);
    h.form.Load();
    EXPECT_EQ(h.store.writes().size(), written ? 32u : 0u) << marker;
    EXPECT_EQ(h.store.Read("Startup", "Speed", "x"), written ? "3" : "50") << marker;
  }
}

// Unstorable first-run values still run (not the fallback "1"); the next start tries again.
TEST(DisplayLoad, FirstRunValuesThatCannotBeStoredAreStillTheOnesThatRun) {
  Harness h;
  h.store.refuseWrites = true;
  h.form.Load();
  EXPECT_EQ(h.store.writes().size(), 32u);
  EXPECT_TRUE(NeedsFirstRunValues(h.store));
  const DisplayState& s = h.state();
  EXPECT_EQ(std::tuple(s.backgroundMode, s.clockFontSize, s.volumeLevel), std::tuple(3, 16, -748));
  EXPECT_EQ(Log(h.drawing.calls.begin() + 1, h.drawing.calls.begin() + 5),
            Picture(1, kData + "Bridge.bmp", -2, 0, 0, 2));
}

// A stock picture whose stored folder is gone comes from the data folder; other paths stay.
TEST(DisplayLoad, AStockPictureThatIsGoneIsTakenFromTheDataFolder) {
  const std::string old = "/home/me/src/skyvault/assets/data/";
  const std::tuple<std::string, bool, std::string> cases[] = {
      {old + "Bridge.bmp", false, kData + "Bridge.bmp"},
      {old + "TARNWING1.BMP", false, kData + "Tarnwing1.bmp"},
      {"D:\\Old\\Skyvault1\\bridge.bmp", false, kData + "Bridge.bmp"},
      {"Tarnwing1.bmp", false, kData + "Tarnwing1.bmp"},
      {old + "Bridge.bmp", true, old + "Bridge.bmp"},
      {old + "Mine.bmp", false, old + "Mine.bmp"},
      {old + "Bridge.bmp.png", false, old + "Bridge.bmp.png"},
      {"", false, ""}};
  for (const auto& [stored, exists, loaded] : cases) {
    Harness h;
    if (!exists) h.platform.missingFiles.insert(stored);
    h.Set({{"BMPFileName", stored}, {"LogoChecked", "1"}, {"LogoFileName", stored}});
    h.form.Load();
    EXPECT_EQ(Log(h.drawing.calls.begin() + 1, h.drawing.calls.begin() + 9),
              Join({Picture(1, loaded, -2, 0, 0, 2), Picture(2, loaded, -2, 1, 20)}))
        << stored;
  }
}

TEST(DisplayLoad, BackgroundAndLogoDecideWhichPicturesComeBeforeTheAircraft) {
  const Log init = {"InitDisplay(800, 600, 16, \"\")"};
  const Log bridge = Picture(1, kData + "Bridge.bmp", -2, 0, 0, 2);
  const std::tuple<const char*, const char*, Log> cases[] = {
      {"3", "1", Join({init, bridge, Picture(2, "E:\\logo.bmp", -2, 1, 20), Aircraft(3)})},
      {"3", "0", Join({init, bridge, Aircraft(2)})},
      {"2", "1", Join({init, Picture(1, "E:\\logo.bmp", -2, 1, 20), Aircraft(2)})},
      {"1", "0.5", Join({init, Aircraft(1)})},
      {"2", "2", Join({init, Aircraft(1)})},
      {"3.5", "0", Join({init, Aircraft(1)})},
      {"abc", "0", Join({init, Aircraft(1)})}};
  for (const auto& [background, logo, calls] : cases) {
    Harness h;
    h.Set({{"BackGround", background}, {"LogoChecked", logo}, {"LogoFileName", "E:\\logo.bmp"}});
    h.form.Load();
    EXPECT_EQ(h.drawing.calls, calls) << background << " " << logo;
    EXPECT_EQ(Count(h.log, "Read(Startup/BMPFileName)"), std::string(background) == "3")
        << background;
  }
}

TEST(DisplayLoad, ARefusedDisplayModeShowsOneMessageLoadsNoPictureAndStillOpensTheSound) {
  Harness h;
  h.Set({});
  h.drawing.displayAvailable = false;
  h.form.Load();
  const Log log = h.Take();
  const Log tail(std::find(log.begin(), log.end(), "ShowCursor(false)"), log.end());
  EXPECT_EQ(tail, (Log{"ShowCursor(false)", "InitDisplay(800, 600, 16, \"\")",
                       "Message(This program requires that you use a monitor that is capable of "
                       "displaying 64K colors. | Error opening Direct Draw!) plain",
                       "StopSound(1)", "LoadSound(\"" + kData + "Prop.wav\") = 7",
                       "Read(Startup/Prop)"}));
}

// The clock keeps a visible size: no positive size draws at 16, over 600 at 600.
TEST(DisplayLoad, ConversionsMendValuesThatWouldFailOrHideTheClock) {
  const std::tuple<const char*, const char*, int> cases[] = {
      {"Volume", "-748.5", -748}, {"Volume", "abc", -748},     {"Volume", "40000", -748},
      {"FontClock", "17.5", 18},  {"FontClock", "0.6", 1},     {"FontClock", "abc", 16},
      {"FontClock", "0.5", 16},   {"FontClock", "40000", 600}, {"FontClock", "1e999", 600}};
  for (const auto& [key, text, value] : cases) {
    Harness h;
    h.LoadWith({{key, text}});
    const bool volume = std::string(key) == "Volume";
    EXPECT_EQ(volume ? h.state().volumeLevel : h.state().clockFontSize, value)
        << key << " " << text;
  }
}

TEST(DisplayLoad, ASpeedThatWouldFreezeTheAircraftReadsAsTheFirstRunSpeed) {
  const std::pair<const char*, double> cases[] = {{"60000", 60000}, {"-5", -5},   {"12abc", 12},
                                                  {"60000.5", 3},   {"1e999", 3}, {"-1e999", 3}};
  for (const auto& [text, interval] : cases) {
    Harness h;
    h.LoadWith({{"Speed", text}});
    EXPECT_EQ(h.state().moveInterval, interval) << text;
  }
}

}  // namespace
}  // namespace skyvault::testing
