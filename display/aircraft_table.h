#pragma once
#include <array>
#include <cstdint>
#include <optional>

#include "display/display_state.h"

namespace skyvault {

// A test on an aircraft's x: strictly below or strictly above a limit.
struct XTest {
  enum class Kind { Below, Above };
  Kind kind = Kind::Below;
  int32_t limit = 0;
  constexpr bool PassedBy(int32_t x) const { return kind == Kind::Below ? x < limit : x > limit; }
};
constexpr XTest Below(int32_t limit) { return {XTest::Kind::Below, limit}; }
constexpr XTest Above(int32_t limit) { return {XTest::Kind::Above, limit}; }

// Everything fixed about one aircraft: its picture and start, its step
// sizes, the lengths of its legs, where it leaves
// and is put back, and which aircraft it launches.
struct AircraftRow {
  int number;          // 0 for the bomber, 1 to 15 for the relay
  const char* bitmap;  // file name in the data directory
  int32_t startX;
  int32_t startY;
  int32_t horizontalStep;  // -1 leftwards, +1 rightwards, +2 for the bomber
  int32_t verticalStep;    // -1 climbing, +1 descending
  int16_t slantLegFrames;  // frames in a slanting leg
  int16_t levelLegFrames;  // frames in a level leg
  XTest leaveTest;         // on the x read back after a level step
  int32_t putBackX;
  // A fixed put-back height, or none: the aircraft's height field
  // (`planeHeight` N, `bomberHeight`).
  std::optional<int32_t> putBackY;
  int launches;  // the aircraft of the relay it launches; 0 for none
  XTest launchTest;
};

inline constexpr int kBomber = 0;
inline constexpr int kAircraftCount = 16;

// The bomber, then aircraft 1 to 15: the order in which their sprites
// are created, and in which every frame works through them.
extern const std::array<AircraftRow, kAircraftCount> kAircraft;

inline const AircraftRow& Bomber() { return kAircraft[kBomber]; }
inline const AircraftRow& RelayAircraft(int number) { return kAircraft[number]; }

// The field holding an aircraft's sprite: `bomberSprite` or `planeSprite` N.
int32_t& SpriteField(DisplayState& state, int aircraft);
int32_t SpriteOf(const DisplayState& state, int aircraft);

}  // namespace skyvault
