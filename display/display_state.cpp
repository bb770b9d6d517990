#include "display/display_state.h"

#include "settings/conversions.h"

namespace skyvault {

double TextOrNumber::NumberValue() const {
  return isText_ ? skyvault::NumberValue(text_) : number_;
}

int32_t SoundHandleArgument(const DisplayState& state) {
  if (state.engineSound) return *state.engineSound;
  return RoundToInt32(state.propAtLoad).value_or(0);
}

}  // namespace skyvault
