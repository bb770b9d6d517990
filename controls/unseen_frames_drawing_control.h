#pragma once
#include "controls/forwarding_drawing_control.h"

namespace skyvault {

// A drawing control for a picture too small to show every frame (the
// preview pane): while frames are unseen, the saver's steps (sprite
// positions) still go to the control, but nothing is drawn or shown; the
// next seen frame is composed and shown as a whole. The saver thus keeps
// its pace per frame while the picture is made less often.
class UnseenFramesDrawingControl final : public ForwardingDrawingControl {
 public:
  using ForwardingDrawingControl::ForwardingDrawingControl;

  // Whether the following frames are drawn and shown.
  void SetSeen(bool seen) { seen_ = seen; }

  void ClearFrame(RgbColour colour) override {
    if (seen_) ForwardingDrawingControl::ClearFrame(colour);
  }
  void DrawSprite(int32_t sprite) override {
    if (seen_) ForwardingDrawingControl::DrawSprite(sprite);
  }
  void SetTextFont(const std::string& face, int32_t size, int32_t weight, bool italic,
                   bool underline, bool strikeout) override {
    if (seen_)
      ForwardingDrawingControl::SetTextFont(face, size, weight, italic, underline, strikeout);
  }
  void DrawText(const std::string& text, int32_t x, int32_t y, RgbColour colour) override {
    if (seen_) ForwardingDrawingControl::DrawText(text, x, y, colour);
  }
  void ShowFrame() override {
    if (seen_) ForwardingDrawingControl::ShowFrame();
  }

 private:
  bool seen_ = true;
};

}  // namespace skyvault
