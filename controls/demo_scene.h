#pragma once
#include <string>

#include "controls/decoded_image.h"
#include "controls/drawing_control.h"

namespace skyvault {

// Made-up pictures of the saver's kind, for benchmarks, demonstrations and
// screenshots of the drawing control without picture files: an 800 x 600
// sky with hills, and aircraft about 280 x 100 with soft (alpha) edges.
DecodedImage MakeSkyPicture(int width = 800, int height = 600);
DecodedImage MakeAircraftPicture(int variant, int width = 280, int height = 100);

// Hands out those pictures by name: "sky", or "aircraft" followed by a
// variant number; anything else is missing.
class DemoPictureDecoder : public ImageDecoder {
 public:
  std::optional<DecodedImage> Decode(const std::string& path) override;
};

// A first-run frame: sky picture, sixteen aircraft, message and clock.
class DemoScene {
 public:
  static constexpr int kAircraft = 16;
  // Creates the sprites on a control whose pictures come from a DemoPictureDecoder.
  explicit DemoScene(DrawingControl& control, int aircraft = kAircraft);
  // Draws frame number `frame`: every aircraft a step further, wrapping
  // round the screen; the clock text given.
  void DrawFrame(int frame, const std::string& clock);

 private:
  DrawingControl& control_;
  int aircraft_;
  int32_t sky_ = 0;
  int32_t planes_[kAircraft] = {};
};

}  // namespace skyvault
