#pragma once
#include <string>
#include <vector>

#include "controls/decoded_image.h"
#include "controls/drawing_control.h"

namespace skyvault {

// Made-up pictures of the saver's kind, for benchmarks, demonstrations and
// screenshots of the drawing control without picture files: an 800 x 600
// sky with hills, and aircraft about 280 x 100 with soft (alpha) edges.
DecodedImage MakeSkyPicture(int width = 800, int height = 600);
DecodedImage MakeAircraftPicture(int variant, int width = 280, int height = 100);

// Hands out those pictures by name: "sky", "aircraft" followed by a
// variant number (280 x 100), or that followed by ":WIDTHxHEIGHT"; anything
// else is missing.
class DemoPictureDecoder : public ImageDecoder {
 public:
  std::optional<DecodedImage> Decode(const std::string& path) override;
};

// One aircraft of a made-up scene: its picture's size, its height on the
// screen, and its speed in pixels a frame.
struct DemoAircraft {
  int width = 280;
  int height = 100;
  int y = 0;
  int speed = 1;
};

// A first-run frame: sixteen (or `count`) aircraft of 280 x 100 stacked
// down the screen, the first at 2 pixels a frame, the others at 1.
std::vector<DemoAircraft> FirstRunAircraft(int count = 16);
// A typical frame of a running saver: the bomber (300 x 80, 2 pixels a
// frame) and three relay aircraft (230 x 90, 1 pixel a frame).
std::vector<DemoAircraft> TypicalAircraft();

// The sky picture, the aircraft flying to and fro across the screen, a
// message line and a clock.
class DemoScene {
 public:
  // Creates the sprites on a control whose pictures come from a DemoPictureDecoder.
  DemoScene(DrawingControl& control, std::vector<DemoAircraft> aircraft,
            std::string message = "Place a Message Here");
  // Draws frame number `frame` (every aircraft a step further) with the
  // clock text given, then shows it.
  void DrawFrame(int frame, const std::string& clock);

 private:
  DrawingControl& control_;
  std::vector<DemoAircraft> aircraft_;
  std::string message_;
  std::vector<int32_t> sprites_;
  int32_t sky_ = 0;
};

}  // namespace skyvault
