#pragma once
#include <cstdint>
#include <optional>
#include <vector>

#include "controls/canvas_host.h"

namespace skyvault {

// A canvas in ordinary memory that keeps its presented frames to itself:
// for tests and benchmarks.
class MemoryCanvasHost : public CanvasHost {
 public:
  bool DisplaySupports(int depth) override { return depth <= supportedDepth; }
  double ScaleFor(int, int) override { return scale; }
  std::optional<CanvasView> CreateCanvas(int width, int height) override;
  void Present(const CanvasView& canvas, const PixelRegion& written) override;

  int supportedDepth = 32;
  bool noMemory = false;  // refuses every canvas
  double scale = 1;
  int presentCount = 0;
  PixelRegion lastWritten;

 private:
  std::vector<uint8_t> memory_;
};

}  // namespace skyvault
