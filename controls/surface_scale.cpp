#include "controls/surface_scale.h"

#include <cstdint>

namespace skyvault {
namespace {

// numerator / denominator, halves away from zero (denominator > 0).
int RoundedQuotient(int64_t numerator, int64_t denominator) {
  const int64_t half = denominator / 2;
  const int64_t rounded =
      numerator >= 0 ? (numerator + half) / denominator : -((-numerator + half) / denominator);
  return static_cast<int>(rounded);
}

}  // namespace

void SurfaceScale::SetWhole(int factor) { whole_ = factor >= 1 ? factor : 1; }

void SurfaceScale::SetPreferred(int hundredTwentieths) {
  preferred_ = hundredTwentieths > 0 ? hundredTwentieths : 0;
}

int SurfaceScale::Physical(int logical) const {
  if (!preferred()) return logical * whole_;
  const int length = RoundedQuotient(static_cast<int64_t>(logical) * preferred_, kDenominator);
  return logical > 0 && length < 1 ? 1 : length;
}

int SurfaceScale::Logical(int physical) const {
  if (!preferred()) return physical / whole_;
  return RoundedQuotient(static_cast<int64_t>(physical) * kDenominator, preferred_);
}

}  // namespace skyvault
