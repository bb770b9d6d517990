// The saver's frames with gdk-pixbuf pictures and FreeType text (see
// display/testing/frame_snapshot.h).
#include "controls/linux/freetype_text_renderer.h"
#include "controls/linux/pixbuf_image_decoder.h"
#include "controls/testing/memory_canvas_host.h"
#include "display/testing/frame_snapshot.h"

int main(int argc, char** argv) {
  skyvault::PixbufImageDecoder decoder;
  skyvault::FreeTypeTextRenderer text;
  skyvault::MemoryCanvasHost host;
  return skyvault::RunFrameSnapshot(argc, argv, decoder, text, host, host.scale);
}
