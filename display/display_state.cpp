#include "display/display_state.h"

#include "settings/conversions.h"

namespace skyvault {

double TextOrNumber::NumberValue() const {
  return isText_ ? skyvault::NumberValue(text_) : number_;
}

int32_t SoundHandleArgument(const DisplayState& state) {
  return RoundToInt32(state.soundHandle).value_or(0);
}

}  // namespace skyvault
