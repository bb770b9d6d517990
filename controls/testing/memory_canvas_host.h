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
  std::optional<CanvasView> CreateCanvas(int width, int height) override {
    if (noMemory) return std::nullopt;
    memory_.assign(static_cast<size_t>(width) * 4 * height, 0);
    return CanvasView{memory_.data(), width, height, width * 4, 32};
  }
  void Present(const CanvasView&, const PixelRegion& written) override {
    ++presentCount, lastWritten = written;
  }

  int supportedDepth = 32;
  bool noMemory = false;  // refuses every canvas
  double scale = 1;
  int presentCount = 0;
  PixelRegion lastWritten;

 private:
  std::vector<uint8_t> memory_;
};

}  // namespace skyvault
