#include "display/form1_state.h"

#include "settings/conversions.h"

namespace skyvault {

double TextOrNumber::NumberValue() const {
  return isText_ ? skyvault::NumberValue(text_) : number_;
}

int32_t SoundHandleArgument(const Form1State& state) {
  return RoundToInt32(state.SoundHandle).value_or(0);
}

}  // namespace skyvault
