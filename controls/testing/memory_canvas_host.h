#pragma once
#include <algorithm>
#include <cstdint>
#include <cstring>
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
  // With movesCanvas, hands the compositor other memory of another stride
  // before each frame it draws, as a host composing in the display server's
  // buffers does: the last frame copied in but for the pixels about to be
  // drawn, which are spoilt, as is all of the memory left.
  void PrepareToDraw(CanvasView& canvas, const PixelRegion& redraw) override {
    if (!movesCanvas) return;
    const int stride = canvas.stride == canvas.width * 4 ? canvas.width * 4 + 32 : canvas.width * 4;
    spare_.assign(static_cast<size_t>(stride) * canvas.height, 0x5A);
    for (int y = 0; y < canvas.height; ++y) {
      for (int x = 0; x < canvas.width; ++x) {
        if (!redraw.Contains(x, y))
          std::memcpy(&spare_[size_t(y) * stride + x * 4], canvas.Row(y) + x * 4, 4);
      }
    }
    memory_.swap(spare_);
    std::fill(spare_.begin(), spare_.end(), 0x5A);
    canvas = CanvasView{memory_.data(), canvas.width, canvas.height, stride, 32};
  }
  void Present(const CanvasView&, const PixelRegion& written) override {
    ++presentCount;
    lastWritten = written;
  }

  int supportedDepth = 32;
  bool noMemory = false;  // refuses every canvas
  bool movesCanvas = false;
  double scale = 1;
  int presentCount = 0;
  PixelRegion lastWritten;

 private:
  std::vector<uint8_t> memory_, spare_;
};

}  // namespace skyvault
