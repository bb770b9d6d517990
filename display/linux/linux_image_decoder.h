#pragma once
#include <memory>

#include "controls/decoded_image.h"

namespace skyvault {

// The picture decoder of the Linux saver: gdk-pixbuf, with a path in the
// Windows data folder ("C:\Hallowmere\Skyvault1\Bridge.bmp") read from the
// same name in the Linux data folder, so that pictures named by the
// portable code's Windows paths are found.
std::unique_ptr<ImageDecoder> MakeLinuxImageDecoder();

}  // namespace skyvault
