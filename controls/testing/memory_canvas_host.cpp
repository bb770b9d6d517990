#include "controls/testing/memory_canvas_host.h"

namespace skyvault {

std::optional<CanvasView> MemoryCanvasHost::CreateCanvas(int width, int height) {
  if (noMemory) return std::nullopt;
  const int stride = width * 4;
  memory_.assign(static_cast<size_t>(stride) * height, 0);
  return CanvasView{memory_.data(), width, height, stride, 32};
}

void MemoryCanvasHost::Present(const CanvasView&, const PixelRegion& written) {
  ++presentCount;
  lastWritten = written;
}

}  // namespace skyvault
