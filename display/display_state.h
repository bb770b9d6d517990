#pragma once
#include <array>
#include <cstdint>
#include <limits>
#include <string>
#include <utility>

#include "platform/platform_services.h"

namespace skyvault {

// Aircraft 1 to 15 fly the relay; the BG aircraft has fields of its own.
inline constexpr int kRelayAircraft = 15;

// One value per relay aircraft, indexed by its number 1..15 (index 0 unused),
// so `planeSprite[4]` is the sprite of aircraft 4.
template <typename T>
using PerAircraft = std::array<T, kRelayAircraft + 1>;

// A field that holds a text at one time and a number at another (the
// message before the first frame, the engine-sound switch after the
// sound-off time). Compared as a number, a text counts by its leading number
// ("1" is 1, "abc" is 0), so no value can make a comparison fail.
class TextOrNumber {
 public:
  TextOrNumber() = default;
  static TextOrNumber Text(std::string text) {
    TextOrNumber value;
    value.isText_ = true;
    value.text_ = std::move(text);
    return value;
  }
  static TextOrNumber Number(double number) {
    TextOrNumber value;
    value.number_ = number;
    return value;
  }

  bool IsText() const { return isText_; }
  // The text as stored (empty while the field holds a number).
  const std::string& text() const { return text_; }
  // The number, or the leading number of the text.
  double NumberValue() const;

 private:
  bool isText_ = false;
  std::string text_;
  double number_ = 0;
};

// Adds one to a 16-bit counter, staying at the largest value instead of
// overflowing.
constexpr int16_t CountUp(int16_t counter) {
  return counter == std::numeric_limits<int16_t>::max() ? counter
                                                        : static_cast<int16_t>(counter + 1);
}

// A setting kept as its number value on purpose, switches included: a
// switch is on only when it equals 1 exactly, so "2", "0.5" or "abc" leave
// it off, and the background mode falls back to black for any other value.
// A bool would lose that; keep the number.
using SettingNumber = double;

// The state record of the display window, in declaration order. Every field
// starts at 0, empty text or false; the load sequence gives the relay its
// start (aircraft 1 flying).
struct DisplayState {
  TimeOfDay currentTime{};  // midnight until the sound timer first ticks
  uint32_t bgPlaneLastMove = 0;
  uint32_t bgPlaneLastSlantMove = 0;
  PerAircraft<uint32_t> planeLastMove{};
  int16_t volumeLevel = 0;
  std::string messageFontName;
  int32_t soundSeconds = 0;
  int32_t soundLimitSeconds = 0;
  std::string soundOffSetting;
  SettingNumber mouseSensitivity = 0;
  SettingNumber clockEnabled = 0;
  int16_t clockFontSize = 0;
  int16_t moveCount = 0;
  std::string dataPath;
  int32_t backgroundSprite = 0;
  TextOrNumber engineSoundOn;
  int32_t logoSprite = 0;
  SettingNumber backgroundMode = 0;
  // The number value of "Prop" until the sound session opens, then the
  // engine sound's handle.
  double soundHandle = 0;
  SettingNumber messageEnabled = 0;
  SettingNumber moveInterval = 0;
  TextOrNumber messageText;  // a number from load until the first frame
  SettingNumber logoEnabled = 0;
  PerAircraft<int32_t> planeSprite{};
  int32_t bgPlaneSprite = 0;
  PerAircraft<bool> planeEnabled{};
  PerAircraft<bool> planeLevel{};
  PerAircraft<int16_t> planeLegFrames{};
  bool bgPlaneLevel = false;
  int16_t bgPlaneLegFrames = 0;
  int16_t bgPlaneState = 0;  // 0 flying, 1 waiting off-screen
  int16_t bgPlaneWait = 0;
  int32_t bgPlaneHeight = 0;
  PerAircraft<int32_t> planeHeight{};  // aircraft 2 to 15
  // Kept by the pointer-move handler: the whole second (since midnight) at
  // which the current counting window opened, 0 for none.
  int32_t moveWindowStart = 0;
};

inline constexpr int16_t kBGFlying = 0;
inline constexpr int16_t kBGWaiting = 1;

// `soundHandle` as the 32-bit handle the sound control takes; a value that
// has no 32-bit form (a huge "Prop") passes as 0, a handle naming no buffer.
int32_t SoundHandleArgument(const DisplayState& state);

}  // namespace skyvault
