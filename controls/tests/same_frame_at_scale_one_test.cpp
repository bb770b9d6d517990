// At scale 1 the first-run art (bridge, logo, sixteen aircraft, some across the edges) composes as
// the earlier 800 x 600 16-bit canvas drew it, kept as a picture, up to that canvas's rounding.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "controls/compositor.h"
#include "controls/testing/memory_canvas_host.h"
#include "controls/testing/picture_files.h"
#include "controls/testing/stand_in_text_renderer.h"

namespace skyvault {
namespace {

const std::string kData = SKYVAULT_DATA_FOLDER;
const std::string kReference = SKYVAULT_TEST_DATA "/first_run_scene_800x600_565.png";

TEST(SameFrameAtScaleOne, TheFirstRunArtComposesAsTheSixteenBitCanvasDidUpToItsRounding) {
  testing::FilePictureDecoder decoder;
  StandInTextRenderer text;
  MemoryCanvasHost host;
  Compositor compositor(decoder, text, host);
  ASSERT_TRUE(compositor.InitDisplay(800, 600, 16, ""));
  auto sprite = [&](const std::string& file, int code, int x, int y) {
    const int32_t s = compositor.CreateSprite();
    compositor.LoadSpriteBitmap(s, kPlainPicture, kData + file, code);
    compositor.SetSpriteX(s, x);
    compositor.SetSpriteY(s, y);
    ASSERT_TRUE(compositor.SpriteHasPicture(s)) << file;
    compositor.DrawSprite(s);
  };
  sprite("Bridge.bmp", -2, 0, 0);
  sprite("Tarnwing1.bmp", -2, 1, 20);
  const char* planes[] = {"Plane24", "Plane03", "Plane04", "Plane06", "Plane02", "Plane05",
                          "Plane07", "Plane08", "Plane01", "Plane11", "Plane16", "Plane14",
                          "Plane17", "Plane25", "Plane23", "Plane21"};
  for (int i = 0; i < 16; ++i)
    sprite(std::string(planes[i]) + ".bmp", -1, (i % 4) * 210 - 40,
           (i / 4) * 150 + 10 - (i % 3) * 7);
  compositor.ShowFrame();

  const auto reference = testing::ReadPng(kReference);
  ASSERT_TRUE(reference && reference->width == 800 && reference->height == 600);
  // 5- and 6-bit levels round by up to 4 and 2, an edge blended over a rounded pixel by twice that;
  // a picture a pixel out of place, or a wrong blend, is off by far more.
  const int tolerance[3] = {9, 5, 9};  // red, green, blue
  int wrong = 0;
  const auto* canvas = reinterpret_cast<const uint32_t*>(compositor.canvas().bits);  // rows abut
  for (int i = 0; i < 800 * 600; ++i) {
    bool off = false;
    for (int c = 0; c < 3; ++c)
      off |= std::abs(int(canvas[i] >> (16 - 8 * c) & 255) - reference->rgba[i * 4 + c]) >
             tolerance[c];
    if (off && ++wrong <= 5) ADD_FAILURE() << "at " << i % 800 << "," << i / 800;
  }
  EXPECT_EQ(wrong, 0);
}

}  // namespace
}  // namespace skyvault
