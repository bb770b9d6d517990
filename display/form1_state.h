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
// so `PlaneSprite[4]` is the sprite of aircraft 4.
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

// The state record of the display window, in declaration order. Every field
// starts at 0, empty text or false; the load sequence gives the relay its
// start (aircraft 1 flying).
struct Form1State {
  TimeOfDay CurrentTime{};  // midnight until the sound timer first ticks
  uint32_t BGPlaneLastMove = 0;
  uint32_t BGPlaneLastSlantMove = 0;
  PerAircraft<uint32_t> PlaneLastMove{};
  int16_t VolumeLevel = 0;
  std::string MessageFontName;
  int32_t SoundSeconds = 0;
  int32_t SoundLimitSeconds = 0;
  std::string SoundOffSetting;
  double MouseSensitivity = 0;
  double ClockEnabled = 0;
  int16_t ClockFontSize = 0;
  int16_t MoveCount = 0;
  std::string DataPath;
  int32_t BackgroundSprite = 0;
  TextOrNumber EngineSoundOn;
  int32_t LogoSprite = 0;
  double BackgroundMode = 0;
  // The number value of "Prop" until the sound session opens, then the
  // engine sound's handle.
  double SoundHandle = 0;
  double MessageEnabled = 0;
  double MoveInterval = 0;
  TextOrNumber MessageText;  // a number from load until the first frame
  double LogoEnabled = 0;
  PerAircraft<int32_t> PlaneSprite{};
  int32_t BGPlaneSprite = 0;
  PerAircraft<bool> PlaneEnabled{};
  PerAircraft<bool> PlaneLevel{};
  PerAircraft<int16_t> PlaneLegFrames{};
  bool BGPlaneLevel = false;
  int16_t BGPlaneLegFrames = 0;
  int16_t BGPlaneState = 0;  // 0 flying, 1 waiting off-screen
  int16_t BGPlaneWait = 0;
  int32_t BGPlaneHeight = 0;
  PerAircraft<int32_t> PlaneHeight{};  // aircraft 2 to 15
  // Kept by the pointer-move handler: the whole second (since midnight) at
  // which the current counting window opened, 0 for none.
  int32_t MoveWindowStart = 0;
};

inline constexpr int16_t kBGFlying = 0;
inline constexpr int16_t kBGWaiting = 1;

// `SoundHandle` as the 32-bit handle the sound control takes; a value that
// has no 32-bit form (a huge "Prop") passes as 0, a handle naming no buffer.
int32_t SoundHandleArgument(const Form1State& state);

}  // namespace skyvault
