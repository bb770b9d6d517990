#include "controls/demo_scene.h"

#include <algorithm>
#include <cmath>

namespace skyvault {
namespace {

uint32_t Argb(int a, int r, int g, int b) {
  // Premultiplied.
  auto mul = [a](int c) { return static_cast<uint32_t>((c * a + 127) / 255); };
  return (static_cast<uint32_t>(a) << 24) | (mul(r) << 16) | (mul(g) << 8) | mul(b);
}

// Coverage of a pixel by a shape whose signed distance (pixels, negative
// inside) is `d`: a one-pixel soft edge.
int Coverage(double d) { return static_cast<int>(std::clamp(0.5 - d, 0.0, 1.0) * 255 + 0.5); }

}  // namespace

DecodedImage MakeSkyPicture(int width, int height) {
  DecodedImage image{width, height, {}, false};
  image.pixels.resize(static_cast<size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const double hill = height * 0.78 + std::sin(x * 0.011) * 30 + std::sin(x * 0.031 + 1) * 12;
      int r, g, b;
      if (y > hill) {
        r = 40 + (x * 7 + y * 3) % 20;
        g = 110 + (y - static_cast<int>(hill)) / 3 % 40;
        b = 50;
      } else {
        const double t = static_cast<double>(y) / hill;
        r = static_cast<int>(70 + 120 * t);
        g = static_cast<int>(130 + 90 * t);
        b = static_cast<int>(220 + 30 * t);
      }
      image.pixels[static_cast<size_t>(y) * width + x] = Argb(255, r, g, b);
    }
  }
  return image;
}

DecodedImage MakeAircraftPicture(int variant, int width, int height) {
  DecodedImage image{width, height, {}, true};
  image.pixels.resize(static_cast<size_t>(width) * height);
  const int body = 60 + (variant * 37) % 80;
  const double cx = width / 2.0, cy = height / 2.0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const double px = x + 0.5, py = y + 0.5;
      // Fuselage: an ellipse; wings: a bar across it; tail: a small bar.
      const double ex = (px - cx) / (width * 0.46), ey = (py - cy) / (height * 0.13);
      const double fuselage = (std::sqrt(ex * ex + ey * ey) - 1) * height * 0.13;
      const double wing = std::max(std::abs(px - cx + 10) - 22, std::abs(py - cy) - height * 0.45);
      const double tail = std::max(std::abs(px - width * 0.1) - 10, std::abs(py - cy) - height * 0.22);
      const int a = Coverage(std::min({fuselage, wing, tail}));
      const int shade = 30 * y / height;
      image.pixels[static_cast<size_t>(y) * width + x] =
          a == 0 ? 0 : Argb(a, body - shade, body + 10 - shade, body - 20 + shade);
    }
  }
  return image;
}

std::optional<DecodedImage> DemoPictureDecoder::Decode(const std::string& path) {
  if (path == "sky") return MakeSkyPicture();
  if (path.rfind("aircraft", 0) == 0) return MakeAircraftPicture(std::atoi(path.c_str() + 8));
  return std::nullopt;
}

DemoScene::DemoScene(DrawingControl& control, int aircraft)
    : control_(control), aircraft_(std::clamp(aircraft, 0, kAircraft)) {
  sky_ = control_.CreateSprite();
  control_.LoadSpriteBitmap(sky_, 1, "sky", -2);
  for (int i = 0; i < aircraft_; ++i) {
    planes_[i] = control_.CreateSprite();
    control_.LoadSpriteBitmap(planes_[i], 1, "aircraft" + std::to_string(i), -1);
  }
}

void DemoScene::DrawFrame(int frame, const std::string& clock) {
  control_.DrawSprite(sky_);
  control_.SetTextFont("Arial", 24, 1, false, false, false);
  control_.DrawText("Place a Message Here", 5, 575, Rgb(0, 255, 255));
  for (int i = 0; i < aircraft_; ++i) {
    // Alternate directions, staggered, every aircraft on screen.
    const int span = 800 - 280;
    const int step = (frame * (i == 0 ? 2 : 1) + i * 97) % (2 * span);
    const int x = step < span ? step : 2 * span - step;
    control_.SetSpriteX(planes_[i], (i % 2 == 0) ? x : span - x);
    control_.SetSpriteY(planes_[i], 20 + i * 30);
    control_.DrawSprite(planes_[i]);
  }
  control_.SetTextFont("Arial", 16, 1, false, false, false);
  control_.DrawText(clock, 0, 0, Rgb(255, 255, 0));
}

}  // namespace skyvault
