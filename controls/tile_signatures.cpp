#include "controls/tile_signatures.h"

#include <algorithm>

namespace skyvault {
namespace {

constexpr uint64_t kEmptyList = 0x6A09E667F3BCC908ull;

uint64_t Scramble(uint64_t x) {
  x ^= x >> 30;
  x *= 0xBF58476D1CE4E5B9ull;
  x ^= x >> 27;
  x *= 0x94D049BB133111EBull;
  return x ^ (x >> 31);
}

}  // namespace

uint64_t CombineHash(uint64_t seed, uint64_t value) {
  return Scramble(seed ^ Scramble(value + 0x9E3779B97F4A7C15ull));
}

TileSignatures::TileSignatures(int canvasWidth, int canvasHeight)
    : geometry_(canvasWidth, canvasHeight), redraw_(canvasWidth, canvasHeight) {
  const size_t tiles = static_cast<size_t>(geometry_.columns()) * geometry_.rows();
  now_.assign(tiles, kEmptyList);
  state_.assign(tiles, State::Untouched);
  shown_.assign(tiles, kEmptyList);
  shownKnown_.assign(tiles, 0);
}

void TileSignatures::Add(const PixelRect& rect, uint64_t fingerprint, bool opaque) {
  const int size = TileMask::kTileSize;
  if (rect.Empty() || geometry_.columns() == 0) return;
  const int c0 = std::max(rect.left, 0) / size, r0 = std::max(rect.top, 0) / size;
  const int c1 = std::min((rect.right - 1) / size, geometry_.columns() - 1);
  const int r1 = std::min((rect.bottom - 1) / size, geometry_.rows() - 1);
  for (int row = r0; row <= r1; ++row) {
    for (int column = c0; column <= c1; ++column) {
      const size_t i = static_cast<size_t>(row) * geometry_.columns() + column;
      if (opaque &&
          rect.Intersect(geometry_.TileRect(column, row)) == geometry_.TileRect(column, row)) {
        // Whatever came before is painted over: the list starts here.
        state_[i] = State::Decided;
        now_[i] = CombineHash(kEmptyList, fingerprint);
        continue;
      }
      if (state_[i] == State::Untouched) state_[i] = State::OnTopOfOld;
      now_[i] = CombineHash(now_[i], fingerprint);
    }
  }
}

const TileMask& TileSignatures::Finish() {
  redraw_.Clear();
  for (int row = 0; row < geometry_.rows(); ++row) {
    for (int column = 0; column < geometry_.columns(); ++column) {
      const size_t i = static_cast<size_t>(row) * geometry_.columns() + column;
      if (state_[i] == State::Untouched) continue;
      const bool decided = state_[i] == State::Decided;
      if (!decided || !shownKnown_[i] || shown_[i] != now_[i]) redraw_.Set(column, row);
      shown_[i] = now_[i];
      shownKnown_[i] = decided;
      state_[i] = State::Untouched;
      now_[i] = kEmptyList;
    }
  }
  return redraw_;
}

void TileSignatures::Forget() { std::fill(shownKnown_.begin(), shownKnown_.end(), 0); }

}  // namespace skyvault
