#include "controls/held_sound.h"

#include <gtest/gtest.h>

namespace skyvault {
namespace {

// Ticks every 40 ms from `from` to `to` (ms): the tick at which the sound was told to stop, or 0.
uint64_t TickUntil(HeldSound& hold, uint64_t from, uint64_t to, int32_t volume) {
  for (uint64_t now = from; now <= to; now += HeldSound::kTickMs) {
    if (hold.Tick(now, volume)) return now;
  }
  return 0;
}

TEST(HeldSound, FadesInWhileAskedForAndOutAfterTheRequestsStop) {
  HeldSound hold;
  hold.VolumeChanged(-748);
  hold.Request(1000, -748, false);
  EXPECT_EQ(hold.level(), -3748) << "starts 30 dB down";
  // Asked for every frame for a second: up in 5 dB steps, then steady at the volume.
  int32_t last = hold.level();
  for (uint64_t now = 1040; now <= 2000; now += 40) {
    hold.Request(now - 20, -748, true);
    EXPECT_FALSE(hold.Tick(now, -748));
    EXPECT_TRUE(hold.level() == -748 || hold.level() == last + 500) << now;
    last = hold.level();
  }
  hold.Request(1990, -748, true);  // while it sounds: no new fade-in
  EXPECT_EQ(hold.level(), -748);
  // Requests stop at 1990: held to 2240, then 5 dB a tick down to -30 dB and stop, back at volume.
  EXPECT_EQ(std::pair(TickUntil(hold, 2040, 2240, -748), hold.level()),
            std::pair(uint64_t{0}, -748));
  EXPECT_EQ(TickUntil(hold, 2280, 4000, -748), 2280u + 5 * 40);
  EXPECT_EQ(std::pair(hold.held(), hold.level()), std::pair(false, -748));
  EXPECT_FALSE(hold.Tick(5000, -748)) << "nothing held, nothing to stop";
}

TEST(HeldSound, QuietVolumesAndVolumeChangesStayInRange) {
  HeldSound hold;
  hold.Request(0, -9000, false);  // starts no lower than silence
  EXPECT_EQ(hold.level(), HeldSound::kSilent);
  EXPECT_EQ(TickUntil(hold, 200, 400, -9000), 320u) << "fades only the little way down to silence";
  hold.Request(1000, 0, false);
  hold.Tick(1040, 0);
  hold.VolumeChanged(-2000);  // lowered while fading in from -3000: waits for the fade
  EXPECT_EQ(hold.level(), -2500);
  hold.VolumeChanged(-2600);  // lowered below the fading level: taken at once
  EXPECT_EQ(hold.level(), -2600);
}

}  // namespace
}  // namespace skyvault
