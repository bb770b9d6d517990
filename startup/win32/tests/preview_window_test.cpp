// The live preview in the test's own window (Wine shows no pixels of another process's child).
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "controls/monitor_layout.h"
#include "controls/resampler.h"
#include "controls/win32/wic_image_decoder.h"
#include "platform/testing/win32/registry_keys.h"
#include "platform/testing/win32/screen_pixels.h"
#include "platform/testing/win32/test_window.h"
#include "settings/settings_schema.h"
#include "startup/win32/preview_window.h"

namespace skyvault::win32 {
namespace {

const std::wstring kTestKey = L"Software\\Skyvault Preview Test";

// The fraction of `picture`'s pixels in `area` within 40 of `expected` in every channel.
double Matching(const std::vector<uint32_t>& picture, int width, const PixelRect& area,
                const DecodedImage& expected) {
  int close = 0;
  for (int y = 0; y < area.Height(); ++y) {
    for (int x = 0; x < area.Width(); ++x) {
      const uint32_t a = picture[static_cast<size_t>(y + area.top) * width + x + area.left];
      const uint32_t b = expected.pixels[static_cast<size_t>(y) * area.Width() + x];
      bool similar = true;
      for (int c = 0; c < 24; c += 8)
        similar = similar && std::abs(int(a >> c & 255) - int(b >> c & 255)) <= 40;
      close += similar;
    }
  }
  return static_cast<double>(close) / (area.Width() * area.Height());
}

TEST(LivePreview, PlaysTheWholeSceneAtThePanesSizeAndEndsWithThePane) {
  testing::KeyBackup keep(kTestKey);
  testing::DeleteKeyTree(kTestKey);
  constexpr int kWidth = 152, kHeight = 112;  // the Screen Saver Settings pane
  testing::TestWindow host(kWidth, kHeight, WS_POPUP | WS_VISIBLE, L"Preview host");
  const std::unique_ptr<PreviewWindow> preview =
      PreviewWindow::Create(GetModuleHandleW(nullptr), host.hwnd, kTestKey);
  ASSERT_NE(preview, nullptr);
  const HWND window = preview->hwnd();

  // Two pictures a second apart; then the pane goes, and the preview's loop with it.
  std::vector<std::vector<uint32_t>> shots;
  host.handler = [&](UINT message, WPARAM, LPARAM, LRESULT*) {
    if (message != WM_TIMER) return false;
    shots.push_back(testing::CapturePixels(window, {0, 0, kWidth, kHeight}));
    if (shots.size() == 2) DestroyWindow(host.hwnd);
    return true;
  };
  SetTimer(host.hwnd, 1, 1000, nullptr);
  preview->RunMessageLoop();
  EXPECT_FALSE(IsWindow(window));
  ASSERT_EQ(shots.size(), 2u);
  EXPECT_NE(shots[0], shots[1]) << "the pane shows a still picture";

  // The whole frame reduced into the pane's letterbox (a crop would show sky), black bars beside.
  const PixelRect frame = Letterbox(800, 600, {0, 0, kWidth, kHeight});
  ASSERT_EQ(frame.Height(), kHeight);
  const std::optional<DecodedImage> bridge =
      WicImageDecoder().Decode(kDataPath + std::string("Bridge.bmp"));
  ASSERT_TRUE(bridge);
  const std::optional<DecodedImage> reduced = Resample(*bridge, frame.Width(), frame.Height());
  ASSERT_TRUE(reduced);
  for (const std::vector<uint32_t>& shot : shots) {
    ASSERT_EQ(shot.size(), size_t{kWidth} * kHeight) << "the pane could not be read";
    EXPECT_GT(Matching(shot, kWidth, frame, *reduced), 0.8);
    EXPECT_EQ(shot[0], 0u) << "no bar left of the frame";
    EXPECT_EQ(shot[kWidth - 1], 0u) << "no bar right of the frame";
  }
}

}  // namespace
}  // namespace skyvault::win32
