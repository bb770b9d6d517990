#pragma once
#include <optional>
#include <string>

#include "controls/decoded_image.h"
#include "controls/frame_geometry.h"
#include "controls/sprite_picture.h"

namespace skyvault {

// A picture prepared once, at load, for a frame composed at scale s.
struct ScaledPicture {
  // The named file's size: what the saver's rules know of the picture.
  int logicalWidth = 0;
  int logicalHeight = 0;
  // The pixels to draw, premultiplied, at the physical size.
  DecodedImage image;
  // How many times the named file's size the pixels came from (1: the named
  // file itself, else the companion used).
  int sourceFactor = 1;
};

// Whether a picture may come from its companions, or from the named file
// alone (quicker: what shows until the sharp one is ready).
enum class Companions { Use, Skip };

// A sprite's picture: decoded, colour-keyed at its own size when it is a
// Transparent picture without alpha (the key taken from the named file and
// used for its companion too), then resampled from its best companion to
// round(size * s). At s = 1 the named file's pixels come back unchanged.
// Nothing when the named file is missing, unreadable or too large.
std::optional<ScaledPicture> LoadScaledPicture(ImageDecoder& decoder, const std::string& path,
                                               PictureKind kind, const FrameScale& scale,
                                               Companions companions = Companions::Use);

// The user's own background: a picture of exactly 800 x 600 is a sprite
// like any other; any other size is scaled to cover the whole canvas, its
// aspect kept, centred, the overflow cut off, from its full resolution (its
// best companion included). Its logical size is then that of the frame.
std::optional<ScaledPicture> LoadCoveringPicture(ImageDecoder& decoder, const std::string& path,
                                                 const FrameScale& scale,
                                                 Companions companions = Companions::Use);

}  // namespace skyvault
