// The saver's frames with WIC pictures and GDI text, composed in the GDI
// canvas as on the screen (see display/testing/frame_snapshot.h).
#include "controls/win32/gdi_canvas.h"
#include "controls/win32/wic_image_decoder.h"
#include "display/testing/frame_snapshot.h"

namespace {

struct GdiMemoryHost : skyvault::CanvasHost {
  skyvault::win32::GdiCanvas& gdi;
  double scale = 1;
  explicit GdiMemoryHost(skyvault::win32::GdiCanvas& canvas) : gdi(canvas) {}
  bool DisplaySupports(int) override { return true; }
  double ScaleFor(int, int) override { return scale; }
  std::optional<skyvault::CanvasView> CreateCanvas(int width, int height) override {
    return gdi.Create(width, height);
  }
  void Present(const skyvault::CanvasView&, const skyvault::TileMask&) override {}
};

}  // namespace

int main(int argc, char** argv) {
  skyvault::win32::WicImageDecoder decoder;
  skyvault::win32::GdiCanvas text;
  GdiMemoryHost host(text);
  return skyvault::RunFrameSnapshot(argc, argv, decoder, text, host, host.scale);
}
