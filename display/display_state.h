#pragma once
#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <utility>

#include "platform/platform_services.h"

namespace skyvault {

// Aircraft 1 to 15 fly the relay; the bomber has fields of its own.
inline constexpr int kRelayAircraft = 15;

// One value per relay aircraft, indexed by its number 1..15 (index 0 unused),
// so `planeSprite[4]` is the sprite of aircraft 4.
template <typename T>
using PerAircraft = std::array<T, kRelayAircraft + 1>;

// A field that holds a text at one time and a number at another (the
// engine-sound switch: the text of "Prop" once the sound session opens, 0
// after the sound-off time). Compared as a number, a text counts by its leading number
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
  uint32_t bomberLastMove = 0;
  uint32_t bomberLastSlantMove = 0;
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
  // The number value of "Prop" read at load: what is stopped as the engine
  // sound until that is loaded (SoundHandleArgument).
  SettingNumber propAtLoad = 0;
  // The engine sound's handle, once the sound session has loaded it.
  std::optional<int32_t> engineSound;
  SettingNumber messageEnabled = 0;
  SettingNumber moveInterval = 0;
  std::string messageText;  // as last drawn; empty until the first frame
  SettingNumber logoEnabled = 0;
  PerAircraft<int32_t> planeSprite{};
  int32_t bomberSprite = 0;
  PerAircraft<bool> planeEnabled{};
  PerAircraft<bool> planeLevel{};
  PerAircraft<int16_t> planeLegFrames{};
  bool bomberLevel = false;
  int16_t bomberLegFrames = 0;
  int16_t bomberState = 0;  // 0 flying, 1 waiting off-screen
  int16_t bomberWaitTicks = 0;
  int32_t bomberHeight = 0;
  PerAircraft<int32_t> planeHeight{};  // aircraft 2 to 15
  // Kept by the pointer-move handler: the whole second (since midnight) at
  // which the current counting window opened, 0 for none.
  int32_t moveWindowStart = 0;
};

inline constexpr int16_t kBomberFlying = 0;
inline constexpr int16_t kBomberWaiting = 1;

// The engine sound's handle for the sound control. Until the sound is
// loaded, `propAtLoad` stands in for it: a value that has no 32-bit form (a
// huge "Prop") passes as 0, a handle naming no buffer.
int32_t SoundHandleArgument(const DisplayState& state);

}  // namespace skyvault
