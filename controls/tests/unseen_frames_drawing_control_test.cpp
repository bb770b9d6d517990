#include "controls/unseen_frames_drawing_control.h"

#include <gtest/gtest.h>

#include "controls/testing/recording_controls.h"

namespace skyvault {
namespace {

TEST(UnseenFramesDrawingControl, UnseenFramesMoveSpritesButDrawNothing) {
  RecordingDrawingControl inner;
  UnseenFramesDrawingControl control(inner);
  const int32_t sprite = control.CreateSprite();
  const auto frame = [&] {
    control.ClearFrame(0);
    control.SetTextFont("Arial", 10, 1, false, false, false);
    control.DrawText("12:00", 1, 2, 255);
    control.MoveSpriteX(sprite, 5);
    control.DrawSprite(sprite);
    control.ShowFrame();
  };
  control.SetSeen(false);
  inner.ClearCalls();
  frame();
  frame();
  for (const std::string& call : inner.calls) EXPECT_EQ(call.rfind("MoveSpriteX", 0), 0u) << call;
  EXPECT_EQ(std::pair(inner.frames, control.GetSpriteX(sprite)), std::pair(0, 10));
  control.SetSeen(true);
  inner.ClearCalls();
  frame();
  EXPECT_EQ(std::pair(inner.frames, inner.calls.size()), std::pair(1, size_t{6}));
  EXPECT_EQ(control.GetSpriteX(sprite), 15);
}

}  // namespace
}  // namespace skyvault
