#include "display/aircraft_schedule.h"

#include "display/aircraft_flight.h"
#include "display/aircraft_table.h"

namespace skyvault {
namespace {

// The step rule: step when the interval has passed since the stamp, then
// take a fresh reading of the tick count as the new stamp.
void StepWhenDue(DisplayContext& context, const AircraftRow& row, Leg leg, uint32_t& stamp) {
  if (StepIsDue(context.platform.TickCount(), stamp, context.state.moveInterval)) {
    TakeStep(context.drawing, context.state, row, leg);
    stamp = context.platform.TickCount();
  }
}

int32_t RandomHeight(PlatformServices& platform) {
  return static_cast<int32_t>(platform.Random() * kHeightRange);
}

void BomberLeaves(DisplayContext& context, const AircraftRow& row) {
  DisplayState& state = context.state;
  state.bomberWaitTicks = 0;
  state.bomberState = kBomberWaiting;
  context.drawing.SetSpriteX(state.bomberSprite, row.putBackX);
  context.drawing.SetSpriteY(state.bomberSprite, state.bomberHeight);
}

void RequestEngineSound(DisplayContext& context) {
  const int32_t handle = SoundHandleArgument(context.state);
  context.sound.SetSoundVolume(handle, context.state.volumeLevel);
  context.sound.PlaySound(handle, -1, -1);
}

// The branch is chosen by the state at the start of the frame: a frame is
// slanting, level or waiting, never two of them.
void RunBomber(DisplayContext& context) {
  DisplayState& state = context.state;
  const AircraftRow& row = Bomber();
  context.drawing.DrawSprite(state.bomberSprite);

  if (state.bomberState == kBomberFlying && !state.bomberLevel) {
    state.bomberLegFrames = CountUp(state.bomberLegFrames);
    StepWhenDue(context, row, Leg::Slanting, state.bomberLastSlantMove);
    const int32_t x = context.drawing.GetSpriteX(state.bomberSprite);
    if (row.leaveTest.PassedBy(x)) BomberLeaves(context, row);
    if (state.bomberLegFrames == row.slantLegFrames) {
      state.bomberLevel = true;
      state.bomberLegFrames = 0;
    }
  } else if (state.bomberState == kBomberFlying) {
    state.bomberLegFrames = CountUp(state.bomberLegFrames);
    StepWhenDue(context, row, Leg::Level, state.bomberLastMove);
    const int32_t x = context.drawing.GetSpriteX(state.bomberSprite);
    if (x > kEngineSoundFromX && state.engineSoundOn.NumberValue() == 1) {
      RequestEngineSound(context);
    }
    if (row.leaveTest.PassedBy(x)) BomberLeaves(context, row);
    if (state.bomberLegFrames == row.levelLegFrames) {
      state.bomberLevel = false;
      state.bomberLegFrames = 0;
    }
  } else if (state.bomberState == kBomberWaiting) {
    context.drawing.SetSpriteX(state.bomberSprite, kBomberWaitX);
    context.drawing.SetSpriteY(state.bomberSprite, state.bomberHeight);
    if (state.bomberWaitTicks > kBomberLastWaitingTick) {
      state.bomberState = kBomberFlying;
      state.bomberHeight = RandomHeight(context.platform);
    }
  }
}

// Off at the far edge: back to the put-back position, waiting for a launch.
// Aircraft 2 to 15 get a fresh random height each time.
void RelayAircraftLeaves(DisplayContext& context, const AircraftRow& row) {
  DisplayState& state = context.state;
  const int32_t sprite = state.planeSprite[row.number];
  state.planeEnabled[row.number] = false;
  context.drawing.SetSpriteX(sprite, row.putBackX);
  int32_t y;
  if (row.putBackY) {
    y = *row.putBackY;
  } else {
    state.planeHeight[row.number] = RandomHeight(context.platform);
    y = state.planeHeight[row.number];
  }
  context.drawing.SetSpriteY(sprite, y);
}

void RunRelayAircraft(DisplayContext& context, const AircraftRow& row) {
  DisplayState& state = context.state;
  const int n = row.number;
  if (!state.planeEnabled[n]) return;

  state.planeLegFrames[n] = CountUp(state.planeLegFrames[n]);
  context.drawing.DrawSprite(state.planeSprite[n]);

  if (!state.planeLevel[n]) {
    // No read-back in a slanting frame: no leave and no launch.
    StepWhenDue(context, row, Leg::Slanting, state.planeLastMove[n]);
    if (state.planeLegFrames[n] == row.slantLegFrames) {
      state.planeLevel[n] = true;
      state.planeLegFrames[n] = 0;
    }
    return;
  }

  StepWhenDue(context, row, Leg::Level, state.planeLastMove[n]);
  const int32_t x = context.drawing.GetSpriteX(state.planeSprite[n]);
  if (row.leaveTest.PassedBy(x)) RelayAircraftLeaves(context, row);
  if (state.planeLegFrames[n] == row.levelLegFrames) {
    state.planeLevel[n] = false;
    state.planeLegFrames[n] = 0;
  }
  // The x read above, even when the aircraft has just left.
  if (row.launchTest.PassedBy(x)) state.planeEnabled[row.launches] = true;
}

}  // namespace

bool StepIsDue(uint32_t now, uint32_t stamp, double interval) {
  const uint32_t elapsed = now - stamp;  // modulo 2^32
  return static_cast<double>(elapsed) >= interval;
}

void RunScheduleFrame(DisplayContext& context) {
  RunBomber(context);
  for (int n = 1; n <= kRelayAircraft; ++n) RunRelayAircraft(context, RelayAircraft(n));
}

}  // namespace skyvault
