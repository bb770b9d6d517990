#include "display/linux/linux_image_decoder.h"

#include "controls/linux/pixbuf_image_decoder.h"

namespace skyvault {

std::unique_ptr<ImageDecoder> MakeLinuxImageDecoder() {
  return std::make_unique<PixbufImageDecoder>();
}

}  // namespace skyvault
