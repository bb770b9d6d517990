#include "display/win32/timed_drawing_control.h"

#include "platform/win32/win32_headers.h"

namespace skyvault::win32 {

TimedDrawingControl::TimedDrawingControl(DrawingControl& inner, size_t expectedFrames)
    : inner_(inner) {
  shownAt_.reserve(expectedFrames);  // no allocation while frames are timed
}

bool TimedDrawingControl::InitDisplay(int32_t width, int32_t height, int32_t depth,
                                      const std::string& options) {
  return inner_.InitDisplay(width, height, depth, options);
}
int32_t TimedDrawingControl::CreateSprite() { return inner_.CreateSprite(); }
void TimedDrawingControl::LoadSpriteBitmap(int32_t sprite, int32_t frames, const std::string& path,
                                           int32_t loadCode) {
  inner_.LoadSpriteBitmap(sprite, frames, path, loadCode);
}
void TimedDrawingControl::SetSpriteX(int32_t sprite, int32_t x) { inner_.SetSpriteX(sprite, x); }
void TimedDrawingControl::SetSpriteY(int32_t sprite, int32_t y) { inner_.SetSpriteY(sprite, y); }
void TimedDrawingControl::MoveSpriteX(int32_t sprite, int32_t step) {
  inner_.MoveSpriteX(sprite, step);
}
void TimedDrawingControl::MoveSpriteY(int32_t sprite, int32_t step) {
  inner_.MoveSpriteY(sprite, step);
}
int32_t TimedDrawingControl::GetSpriteX(int32_t sprite) { return inner_.GetSpriteX(sprite); }
void TimedDrawingControl::ClearFrame(int32_t colour) { inner_.ClearFrame(colour); }
void TimedDrawingControl::DrawSprite(int32_t sprite) { inner_.DrawSprite(sprite); }
void TimedDrawingControl::SetTextFont(const std::string& face, int32_t size, int32_t weight,
                                      bool italic, bool underline, bool strikeout) {
  inner_.SetTextFont(face, size, weight, italic, underline, strikeout);
}
void TimedDrawingControl::DrawText(const std::string& text, int32_t x, int32_t y, int32_t colour) {
  inner_.DrawText(text, x, y, colour);
}
void TimedDrawingControl::ShowFrame() {
  inner_.ShowFrame();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  shownAt_.push_back(now.QuadPart);
}

}  // namespace skyvault::win32
