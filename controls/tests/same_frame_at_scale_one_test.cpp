// At a scale of one, composing at the screen's resolution gives the frame
// the saver always drew: the first-run art (the bridge, the logo and the
// sixteen aircraft, some across the edges) against the same scene as the
// 800 x 600 16-bit compositor of the earlier build drew it, kept as a
// picture. Only that canvas's 16-bit rounding may differ.
#include <gtest/gtest.h>

#include <algorithm>
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
  for (int i = 0; i < 16; ++i) {
    sprite(std::string(planes[i]) + ".bmp", -1, (i % 4) * 210 - 40,
           (i / 4) * 150 + 10 - (i % 3) * 7);
  }
  compositor.ShowFrame();

  const auto reference = testing::ReadPng(kReference);
  ASSERT_TRUE(reference);
  ASSERT_EQ(std::pair(reference->width, reference->height), std::pair(800, 600));
  // A 5-bit level is 8.2 apart and a 6-bit one 4, so rounding is off by up
  // to 4 and 2; an edge blended over a pixel that was already rounded, and
  // rounded again, by up to twice that. A picture a pixel out of place, or
  // a wrong blend, is off by far more.
  const int tolerance[3] = {9, 5, 9};  // red, green, blue
  int wrong = 0, largest[3] = {};
  for (int y = 0; y < 600; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(compositor.canvas().Row(y));
    for (int x = 0; x < 800; ++x) {
      const uint8_t* want = &reference->rgba[(static_cast<size_t>(y) * 800 + x) * 4];
      bool off = false;
      for (int c = 0; c < 3; ++c) {
        const int difference = std::abs(static_cast<int>(row[x] >> (16 - 8 * c) & 255) - want[c]);
        largest[c] = std::max(largest[c], difference);
        off |= difference > tolerance[c];
      }
      if (off && ++wrong <= 5) ADD_FAILURE() << "at " << x << "," << y << std::hex << " " << row[x];
    }
  }
  EXPECT_EQ(wrong, 0) << "largest differences " << largest[0] << " " << largest[1] << " "
                      << largest[2];
}

}  // namespace
}  // namespace skyvault
