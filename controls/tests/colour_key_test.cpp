#include "controls/colour_key.h"

#include <gtest/gtest.h>

#include "controls/resampler.h"
#include "controls/sprite_picture.h"
#include "controls/tests/fake_image_decoder.h"
#include "controls/tests/sample_pictures.h"

namespace skyvault {
namespace {

using testing::Channel;

constexpr uint32_t kMagenta = 0xFF00FF;

// An aircraft-like picture without alpha: a magenta ground (the key, at the
// top-left) around a body in colours without red, with a few pixels that
// are nearly the key colour but not quite.
DecodedImage KeyedAircraft() {
  DecodedImage image = testing::OpaqueImage(40, 20, {});
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 40; ++x) {
      const bool body = (x - 20) * (x - 20) / 16 + (y - 10) * (y - 10) < 30;
      const uint32_t rgb = body ? (x % 3 == 0 ? 0x00FF00u : 0x0040C0u) : kMagenta;
      image.pixels[size_t(y) * 40 + x] = 0xFF000000u | rgb;
    }
  }
  image.pixels[size_t(10) * 40 + 20] = 0xFFFF00FEu;  // near the key, but not it
  return image;
}

TEST(ColourKey, KeyPixelsBecomeFullyTransparentAndTheRestStaysOpaque) {
  const DecodedImage original = KeyedAircraft();
  ASSERT_EQ(KeyColourOf(original), kMagenta);
  DecodedImage keyed = original;
  ApplyColourKey(keyed, *KeyColourOf(original));
  EXPECT_TRUE(keyed.hasAlpha);
  for (size_t i = 0; i < keyed.pixels.size(); ++i) {
    if ((original.pixels[i] & 0xFFFFFF) == kMagenta) {
      ASSERT_EQ(keyed.pixels[i], 0u) << i;
    } else {
      ASSERT_EQ(keyed.pixels[i], original.pixels[i]) << i;
    }
  }
  // A picture with alpha of its own keeps it; a key that is nowhere leaves
  // the picture opaque.
  DecodedImage alpha = testing::SoftDisc(8, kMagenta);
  const DecodedImage before = alpha;
  ApplyColourKey(alpha, 0);
  EXPECT_EQ(alpha.pixels, before.pixels);
  DecodedImage nowhere = original;
  ApplyColourKey(nowhere, 0x123456);
  EXPECT_FALSE(nowhere.hasAlpha);
  EXPECT_EQ(nowhere.pixels, original.pixels);
  EXPECT_FALSE(KeyColourOf(DecodedImage{}));
}

// Keyed first, the picture draws exactly as the see-through rule draws it
// unkeyed: nothing changes for a picture shown at its own size.
TEST(ColourKey, AKeyedPictureDrawsAsTheTopLeftColourRuleDrawsIt) {
  const DecodedImage original = KeyedAircraft();
  DecodedImage keyed = original;
  ApplyColourKey(keyed, *KeyColourOf(original));
  for (int depth : {16, 32}) {
    std::vector<uint32_t> a(64 * 32, 0x00336699), b = a;
    const CanvasView canvasA{reinterpret_cast<uint8_t*>(a.data()), 64, 32, 64 * 4, depth};
    const CanvasView canvasB{reinterpret_cast<uint8_t*>(b.data()), 64, 32, 64 * 4, depth};
    SpritePicture(original, PictureKind::Transparent, depth).Draw(canvasA, 7, 5);
    SpritePicture(keyed, PictureKind::Transparent, depth).Draw(canvasB, 7, 5);
    EXPECT_EQ(a, b) << depth;
  }
}

// Resampled after keying, the key colour never shows: the body has no red,
// the key is full red, so any red at all would be the key bleeding in.
TEST(ColourKey, ResamplingAKeyedPictureLeavesNoKeyColouredFringe) {
  DecodedImage keyed = KeyedAircraft();
  keyed.pixels[size_t(10) * 40 + 20] = 0xFF00FF00u;
  ApplyColourKey(keyed, kMagenta);
  for (auto [width, height] : {std::pair{144, 72}, std::pair{36, 18}, std::pair{17, 9}}) {
    const auto out = Resample(keyed, width, height);
    ASSERT_TRUE(out);
    int visible = 0;
    for (uint32_t p : out->pixels) {
      ASSERT_EQ(Channel(p, 16), 0) << std::hex << p << " at " << width << "x" << height;
      visible += testing::AlphaOf(p) > 0;
    }
    EXPECT_GT(visible, width * height / 10);
  }
}

}  // namespace
}  // namespace skyvault
