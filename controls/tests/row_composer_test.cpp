// The row composer against the pictures drawn whole, one after another.
#include "controls/row_composer.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

#include "controls/testing/stand_in_text_renderer.h"
#include "controls/tests/sample_pictures.h"
#include "controls/text_pictures.h"

namespace skyvault {
namespace {

using testing::Alphas;
using testing::RandomPicture;

struct Canvas {
  Canvas(int width, int height, uint32_t fill)
      : pixels(size_t(width) * height, fill),
        view{reinterpret_cast<uint8_t*>(pixels.data()), width, height, width * 4, 32} {}
  std::vector<uint32_t> pixels;
  CanvasView view;
};

// Opaque, keyed on its corner colour (with a body and holes), or soft with a body and any alpha.
SpritePicture RandomKindOfPicture(std::mt19937& random) {
  const int width = 1 + random() % 300, height = 1 + random() % 40;
  const int kind = random() % 3;
  DecodedImage image = RandomPicture(width, height, Alphas::Opaque, random());
  if (kind == 0) return SpritePicture(image, PictureKind::Opaque);
  if (kind == 1) {
    for (uint32_t& p : image.pixels)
      if (random() % 3 == 0) p = image.pixels[0];
    for (int x = 0; x < width / 2; ++x) image.pixels[(height / 2) * width + x] = 0xFF123456;
    return SpritePicture(image, PictureKind::Transparent);
  }
  DecodedImage soft = RandomPicture(width, height, Alphas::Any, random());
  for (int y = 0; y < height; ++y)  // a body covering the middle
    for (int x = width / 4; x < width * 3 / 4; ++x)
      soft.pixels[y * width + x] = image.pixels[y * width + x];
  soft.hasAlpha = true;
  return SpritePicture(soft, PictureKind::Transparent);
}

struct Scene {
  std::vector<std::unique_ptr<SpritePicture>> pictures;
  std::vector<Layer> layers;
  std::vector<std::shared_ptr<TextPicture>> texts;  // of each layer; drawn by the renderer whole
};

// Fill, pictures and text lines over one another, some off the canvas's edges.
Scene RandomScene(std::mt19937& random, const CanvasView& canvas, TextPictures& texts,
                  StandInTextRenderer& renderer) {
  Scene scene;
  scene.layers.push_back(Layer::Filled(random() & 0xFFFFFF, canvas.Bounds()));
  scene.texts.push_back(nullptr);
  for (int i = 0; i < 12; ++i) {
    const int x = static_cast<int>(random() % (canvas.width + 200)) - 150;
    const int y = static_cast<int>(random() % (canvas.height + 40)) - 30;
    if (i % 4 == 3) {
      const TextFont font{"", 8 + static_cast<int>(random() % 16)};
      renderer.SetFont(font);
      const std::string text(1 + random() % 30, static_cast<char>('!' + random() % 90));
      auto entry = texts.Find(canvas, font, text + "a b", x, y, random() & 0xFFFFFF);
      if (entry->bounds.Empty()) continue;
      const SpritePicture& picture = texts.PictureOf(*entry, canvas);  // places the entry
      scene.texts.push_back(entry);
      scene.layers.push_back(Layer::Of(picture, entry->left, entry->top, entry->bounds));
      continue;
    }
    scene.pictures.push_back(std::make_unique<SpritePicture>(RandomKindOfPicture(random)));
    const PixelRect bounds = scene.pictures.back()->Bounds(canvas, x, y);
    if (!bounds.Empty()) scene.layers.push_back(Layer::Of(*scene.pictures.back(), x, y, bounds));
    if (!bounds.Empty()) scene.texts.push_back(nullptr);
  }
  return scene;
}

// The reference: every layer drawn whole in turn (text by the renderer).
void DrawWhole(const Scene& scene, const CanvasView& canvas, StandInTextRenderer& renderer) {
  for (size_t i = 0; i < scene.layers.size(); ++i) {
    const Layer& layer = scene.layers[i];
    if (const TextPicture* text = scene.texts[i].get()) {
      renderer.SetFont(text->font);
      renderer.Draw(canvas, text->text, text->x, text->y, text->colour, canvas.Bounds());
    } else if (layer.picture) {
      layer.picture->Draw(canvas, layer.x, layer.y);
    } else {  // the fill: the whole canvas
      std::fill_n(reinterpret_cast<uint32_t*>(canvas.bits), canvas.width * canvas.height,
                  layer.fill);
    }
  }
}

// A frame composed whole over an earlier one; the next, everything moved, composed only in a few
// rectangles, which show it while the rest stays as the first frame showed it.
TEST(RowComposer, ComposesEachRectangleAsTheLayersDrawnWholeOneAfterAnother) {
  std::mt19937 random(20261207);
  for (int trial = 0; trial < 40; ++trial) {
    SCOPED_TRACE(trial);
    const int width = 1 + random() % 1200, height = 1 + random() % 50;
    StandInTextRenderer renderer;
    TextPictures texts(renderer);
    RowComposer composer;
    Canvas canvas(width, height, 0x00A0B0C0);
    Canvas first(width, height, 0), second(width, height, 0);
    const Scene one = RandomScene(random, canvas.view, texts, renderer);
    composer.Compose(canvas.view, canvas.view.Bounds(), one.layers);
    DrawWhole(one, first.view, renderer);
    ASSERT_EQ(canvas.pixels, first.pixels);

    const Scene two = RandomScene(random, canvas.view, texts, renderer);
    DrawWhole(two, second.view, renderer);
    std::vector<uint32_t> want = first.pixels;
    for (int i = 0; i < 3; ++i) {
      const int left = random() % width, top = random() % height;
      const PixelRect part{left, top, left + 1 + static_cast<int>(random() % width),
                           top + 1 + static_cast<int>(random() % height)};
      composer.Compose(canvas.view, part, two.layers);
      const PixelRect shown = part.Intersect(canvas.view.Bounds());
      for (int y = shown.top; y < shown.bottom; ++y)
        for (int x = shown.left; x < shown.right; ++x)
          want[y * width + x] = second.pixels[y * width + x];
    }
    ASSERT_EQ(canvas.pixels, want);
  }
}

}  // namespace
}  // namespace skyvault
