#pragma once
#include <cstdint>
#include <vector>

#include "controls/canvas.h"
#include "controls/tile_mask.h"

namespace skyvault {

// Mixes `value` into the fingerprint `seed` (order matters).
uint64_t CombineHash(uint64_t seed, uint64_t value);

// Tells which tiles of the canvas a frame must redraw, from the drawing
// operations alone: each operation has a fingerprint (what it draws and
// where), and each tile collects the fingerprints of the operations that
// touch it, in order. A tile whose list equals the one that produced its
// present pixels needs no work.
//
// That holds only when the list decides the tile's pixels whatever was there
// before: when an operation paints the whole tile opaquely, the list starts
// afresh there. A tile whose list has no such operation is redrawn whenever
// it is touched, since drawing it again on top of itself may change it
// (blended edges, text). A tile touched by no operation keeps its pixels.
class TileSignatures {
 public:
  TileSignatures() = default;
  // A new canvas: nothing about its pixels is known.
  TileSignatures(int canvasWidth, int canvasHeight);

  // One drawing operation of the frame touching `rect`; `opaque`: it paints
  // every pixel of `rect` without regard to what was below.
  void Add(const PixelRect& rect, uint64_t fingerprint, bool opaque);
  // Ends the frame: the tiles to redraw (the canvas is then taken to show
  // this frame's lists). After Forget, every touched tile is redrawn.
  const TileMask& Finish();
  void Forget();

 private:
  enum class State : uint8_t { Untouched, Decided, OnTopOfOld };
  TileMask geometry_;
  TileMask redraw_;
  std::vector<uint64_t> now_;
  std::vector<State> state_;
  std::vector<uint64_t> shown_;      // the list the tile's pixels come from
  std::vector<uint8_t> shownKnown_;  // whether that list decided them
};

}  // namespace skyvault
