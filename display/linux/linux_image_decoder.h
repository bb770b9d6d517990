#pragma once
#include <memory>

#include "controls/decoded_image.h"

namespace skyvault {

// The picture decoder of the Linux saver: gdk-pixbuf.
std::unique_ptr<ImageDecoder> MakeLinuxImageDecoder();

}  // namespace skyvault
