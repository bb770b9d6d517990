#include "display/aircraft_schedule.h"

#include "display/aircraft_flight.h"
#include "display/aircraft_table.h"

namespace skyvault {
namespace {

// The step rule: step when the interval has passed since the stamp, then
// take a fresh reading of the tick count as the new stamp.
void StepWhenDue(Form1Context& context, const AircraftRow& row, Leg leg, uint32_t& stamp) {
  if (StepIsDue(context.platform.TickCount(), stamp, context.state.MoveInterval)) {
    TakeStep(context.drawing, context.state, row, leg);
    stamp = context.platform.TickCount();
  }
}

int32_t RandomHeight(PlatformServices& platform) {
  return static_cast<int32_t>(platform.Random() * kHeightRange);
}

void BGAircraftLeaves(Form1Context& context, const AircraftRow& row) {
  Form1State& state = context.state;
  state.BGPlaneWait = 0;
  state.BGPlaneState = kBGWaiting;
  context.drawing.SetSpriteX(state.BGPlaneSprite, row.putBackX);
  context.drawing.SetSpriteY(state.BGPlaneSprite, state.BGPlaneHeight);
}

void RequestEngineSound(Form1Context& context) {
  const int32_t handle = SoundHandleArgument(context.state);
  context.sound.SetSoundVolume(handle, context.state.VolumeLevel);
  context.sound.PlaySound(handle, -1, -1);
}

// The branch is chosen by the state at the start of the frame: a frame is
// slanting, level or waiting, never two of them.
void RunBGAircraft(Form1Context& context) {
  Form1State& state = context.state;
  const AircraftRow& row = BGAircraft();
  context.drawing.DrawSprite(state.BGPlaneSprite);

  if (state.BGPlaneState == kBGFlying && !state.BGPlaneLevel) {
    state.BGPlaneLegFrames = CountUp(state.BGPlaneLegFrames);
    StepWhenDue(context, row, Leg::Slanting, state.BGPlaneLastSlantMove);
    const int32_t x = context.drawing.GetSpriteX(state.BGPlaneSprite);
    if (row.leaveTest.PassedBy(x)) BGAircraftLeaves(context, row);
    if (state.BGPlaneLegFrames == row.slantLegFrames) {
      state.BGPlaneLevel = true;
      state.BGPlaneLegFrames = 0;
    }
  } else if (state.BGPlaneState == kBGFlying) {
    state.BGPlaneLegFrames = CountUp(state.BGPlaneLegFrames);
    StepWhenDue(context, row, Leg::Level, state.BGPlaneLastMove);
    const int32_t x = context.drawing.GetSpriteX(state.BGPlaneSprite);
    if (x > kEngineSoundFromX && state.EngineSoundOn.NumberValue() == 1) {
      RequestEngineSound(context);
    }
    if (row.leaveTest.PassedBy(x)) BGAircraftLeaves(context, row);
    if (state.BGPlaneLegFrames == row.levelLegFrames) {
      state.BGPlaneLevel = false;
      state.BGPlaneLegFrames = 0;
    }
  } else if (state.BGPlaneState == kBGWaiting) {
    context.drawing.SetSpriteX(state.BGPlaneSprite, kBGWaitX);
    context.drawing.SetSpriteY(state.BGPlaneSprite, state.BGPlaneHeight);
    if (state.BGPlaneWait > kBGLongestWait) {
      state.BGPlaneState = kBGFlying;
      state.BGPlaneHeight = RandomHeight(context.platform);
    }
  }
}

// Off at the far edge: back to the put-back position, waiting for a launch.
// Aircraft 2 to 15 get a fresh random height each time.
void RelayAircraftLeaves(Form1Context& context, const AircraftRow& row) {
  Form1State& state = context.state;
  const int32_t sprite = state.PlaneSprite[row.number];
  state.PlaneEnabled[row.number] = false;
  context.drawing.SetSpriteX(sprite, row.putBackX);
  int32_t y;
  if (row.putBackY) {
    y = *row.putBackY;
  } else {
    state.PlaneHeight[row.number] = RandomHeight(context.platform);
    y = state.PlaneHeight[row.number];
  }
  context.drawing.SetSpriteY(sprite, y);
}

void RunRelayAircraft(Form1Context& context, const AircraftRow& row) {
  Form1State& state = context.state;
  const int n = row.number;
  if (!state.PlaneEnabled[n]) return;

  state.PlaneLegFrames[n] = CountUp(state.PlaneLegFrames[n]);
  context.drawing.DrawSprite(state.PlaneSprite[n]);

  if (!state.PlaneLevel[n]) {
    // No read-back in a slanting frame: no leave and no launch.
    StepWhenDue(context, row, Leg::Slanting, state.PlaneLastMove[n]);
    if (state.PlaneLegFrames[n] == row.slantLegFrames) {
      state.PlaneLevel[n] = true;
      state.PlaneLegFrames[n] = 0;
    }
    return;
  }

  StepWhenDue(context, row, Leg::Level, state.PlaneLastMove[n]);
  const int32_t x = context.drawing.GetSpriteX(state.PlaneSprite[n]);
  if (row.leaveTest.PassedBy(x)) RelayAircraftLeaves(context, row);
  if (state.PlaneLegFrames[n] == row.levelLegFrames) {
    state.PlaneLevel[n] = false;
    state.PlaneLegFrames[n] = 0;
  }
  // The x read above, even when the aircraft has just left.
  if (row.launchTest.PassedBy(x)) state.PlaneEnabled[row.launches] = true;
}

}  // namespace

bool StepIsDue(uint32_t now, uint32_t stamp, double interval) {
  const uint32_t elapsed = now - stamp;  // modulo 2^32
  return static_cast<double>(elapsed) >= interval;
}

void RunScheduleFrame(Form1Context& context) {
  RunBGAircraft(context);
  for (int n = 1; n <= kRelayAircraft; ++n) RunRelayAircraft(context, RelayAircraft(n));
}

}  // namespace skyvault
