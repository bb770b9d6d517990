#include "bench/demo_scene.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

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
      const double tail =
          std::max(std::abs(px - width * 0.1) - 10, std::abs(py - cy) - height * 0.22);
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
  if (path.rfind("aircraft", 0) != 0) return std::nullopt;
  int variant = 0, width = 280, height = 100;
  std::sscanf(path.c_str() + 8, "%d:%dx%d", &variant, &width, &height);
  if (width <= 0 || height <= 0 || width > 2000 || height > 2000) return std::nullopt;
  return MakeAircraftPicture(variant, width, height);
}

std::vector<DemoAircraft> FirstRunAircraft(int count) {
  std::vector<DemoAircraft> aircraft;
  for (int i = 0; i < std::clamp(count, 0, 16); ++i) {
    aircraft.push_back(DemoAircraft{280, 100, 20 + i * 30, i == 0 ? 2 : 1});
  }
  return aircraft;
}

std::vector<DemoAircraft> TypicalAircraft() {
  return {{300, 80, 60, 2}, {230, 90, 190, 1}, {230, 90, 300, 1}, {230, 90, 410, 1}};
}

DemoScene::DemoScene(DrawingControl& control, std::vector<DemoAircraft> aircraft,
                     std::string message)
    : control_(control), aircraft_(std::move(aircraft)), message_(std::move(message)) {
  sky_ = control_.CreateSprite();
  control_.LoadSpriteBitmap(sky_, kCoverTheFrame, "sky", -2);
  for (size_t i = 0; i < aircraft_.size(); ++i) {
    sprites_.push_back(control_.CreateSprite());
    control_.LoadSpriteBitmap(sprites_.back(), 1,
                              "aircraft" + std::to_string(i) + ":" +
                                  std::to_string(aircraft_[i].width) + "x" +
                                  std::to_string(aircraft_[i].height),
                              -1);
  }
}

void DemoScene::DrawFrame(int frame, const std::string& clock) {
  control_.DrawSprite(sky_);
  control_.SetTextFont("Arial", 24, 1, false, false, false);
  control_.DrawText(message_, 5, 575, Rgb(0, 255, 255));
  for (size_t i = 0; i < aircraft_.size(); ++i) {
    // To and fro, alternate directions, staggered, always on the screen.
    const DemoAircraft& a = aircraft_[i];
    const int span = std::max(800 - a.width, 1);
    const int step = (frame * a.speed + static_cast<int>(i) * 97) % (2 * span);
    const int x = step < span ? step : 2 * span - step;
    control_.SetSpriteX(sprites_[i], i % 2 == 0 ? x : span - x);
    control_.SetSpriteY(sprites_[i], a.y);
    control_.DrawSprite(sprites_[i]);
  }
  control_.SetTextFont("Arial", 16, 1, false, false, false);
  control_.DrawText(clock, 0, 0, Rgb(255, 255, 0));
  control_.ShowFrame();
}

}  // namespace skyvault
