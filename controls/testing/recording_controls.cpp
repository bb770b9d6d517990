#include "controls/testing/recording_controls.h"

namespace skyvault {
namespace {

std::string Quote(const std::string& text) { return "\"" + text + "\""; }
std::string Num(long long value) { return std::to_string(value); }
std::string Flag(bool value) { return value ? "true" : "false"; }

}  // namespace

void RecordingDrawingControl::Log(std::string line) {
  if (logging) calls.push_back(std::move(line));
}

bool RecordingDrawingControl::InitDisplay(int32_t width, int32_t height, int32_t depth,
                                          const std::string& options) {
  Log("InitDisplay(" + Num(width) + ", " + Num(height) + ", " + Num(depth) + ", " + Quote(options) +
      ")");
  return displayAvailable;
}

int32_t RecordingDrawingControl::CreateSprite() {
  const int32_t number = nextSprite_++;
  sprites[number] = Sprite{};
  Log("CreateSprite() = " + Num(number));
  return number;
}

void RecordingDrawingControl::LoadSpriteBitmap(int32_t sprite, int32_t role,
                                               const std::string& path, int32_t loadCode) {
  Log("LoadSpriteBitmap(" + Num(sprite) + ", " + Num(role) + ", " + Quote(path) + ", " +
      Num(loadCode) + ")");
}

void RecordingDrawingControl::SetSpriteX(int32_t sprite, int32_t x) {
  Log("SetSpriteX(" + Num(sprite) + ", " + Num(x) + ")");
  sprites[sprite].x = x;
}

void RecordingDrawingControl::SetSpriteY(int32_t sprite, int32_t y) {
  Log("SetSpriteY(" + Num(sprite) + ", " + Num(y) + ")");
  sprites[sprite].y = y;
}

void RecordingDrawingControl::MoveSpriteX(int32_t sprite, int32_t step) {
  Log("MoveSpriteX(" + Num(sprite) + ", " + Num(step) + ")");
  sprites[sprite].x += step;
}

void RecordingDrawingControl::MoveSpriteY(int32_t sprite, int32_t step) {
  Log("MoveSpriteY(" + Num(sprite) + ", " + Num(step) + ")");
  sprites[sprite].y += step;
}

int32_t RecordingDrawingControl::GetSpriteX(int32_t sprite) {
  const auto found = sprites.find(sprite);
  const int32_t x = found == sprites.end() ? 0 : found->second.x;
  Log("GetSpriteX(" + Num(sprite) + ") = " + Num(x));
  return x;
}

void RecordingDrawingControl::ClearFrame(int32_t colour) { Log("ClearFrame(" + Num(colour) + ")"); }

void RecordingDrawingControl::DrawSprite(int32_t sprite) { Log("DrawSprite(" + Num(sprite) + ")"); }

void RecordingDrawingControl::SetTextFont(const std::string& face, int32_t size, int32_t weight,
                                          bool italic, bool underline, bool strikeout) {
  Log("SetTextFont(" + Quote(face) + ", " + Num(size) + ", " + Num(weight) + ", " + Flag(italic) +
      ", " + Flag(underline) + ", " + Flag(strikeout) + ")");
}

void RecordingDrawingControl::DrawText(const std::string& text, int32_t x, int32_t y,
                                       int32_t colour) {
  Log("DrawText(" + Quote(text) + ", " + Num(x) + ", " + Num(y) + ", " + Num(colour) + ")");
}

void RecordingDrawingControl::ShowFrame() {
  ++frames;
  Log("ShowFrame()");
}

void RecordingSoundControl::Log(std::string line) {
  if (logging) calls.push_back(std::move(line));
}

int32_t RecordingSoundControl::LoadSound(const std::string& path) {
  Log("LoadSound(" + Quote(path) + ") = " + Num(nextHandle));
  return nextHandle;
}

void RecordingSoundControl::SetSoundVolume(int32_t handle, int32_t volume) {
  Log("SetSoundVolume(" + Num(handle) + ", " + Num(volume) + ")");
}

void RecordingSoundControl::PlaySound(int32_t handle, int32_t loop, int32_t position) {
  ++playCalls;
  Log("PlaySound(" + Num(handle) + ", " + Num(loop) + ", " + Num(position) + ")");
}

void RecordingSoundControl::SilenceSound(int32_t handle) {
  Log("SilenceSound(" + Num(handle) + ")");
}

void RecordingSoundControl::StopSound(int32_t handle) { Log("StopSound(" + Num(handle) + ")"); }

void RecordingSoundControl::StopAllSound() { Log("StopAllSound()"); }

}  // namespace skyvault
