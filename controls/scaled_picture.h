#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "controls/decoded_image.h"
#include "controls/frame_geometry.h"
#include "controls/sprite_picture.h"

namespace skyvault {

// A picture prepared once, at load, for a frame composed at scale s.
struct ScaledPicture {
  // The pixels to draw, premultiplied, at the physical size; image.left and
  // image.top are where they start from the picture's corner, on the canvas
  // (not 0 when only a part of the picture is kept).
  DecodedImage image;
  // How many times the named file's size the pixels came from (1: the named
  // file itself, else the companion used).
  int sourceFactor = 1;
};

// Whether a picture may come from its companions, from the named file
// alone (quicker: what shows until the sharp one is ready), or only from a
// companion (the sharp one, where the named file's is already drawn:
// nothing when no companion fits, and the named file's pixels are not
// decoded again unless its colour key needs them).
enum class Companions { Use, Skip, Only };

// Where a sprite's picture stands when it is read, in frame coordinates.
struct PicturePlace {
  int64_t x = 0;
  int64_t y = 0;
};

// What is kept, along one axis, of a picture `size` pixels long standing at
// `place` in a frame `frame` pixels long: all of it when it is no longer
// than the frame, else a frame's length of it, [first, end): the part
// inside the frame, or as near to it as the picture reaches. So a picture
// never keeps more than the frame can show of it.
std::pair<int, int> KeptSpan(int size, int64_t place, int frame);

// A sprite's picture: decoded, colour-keyed at its own size when it is a
// Transparent picture without alpha (the key taken from the named file and
// used for its companion too), then resampled from its best companion to
// round(size * s). At s = 1 the named file's pixels come back unchanged.
// A picture larger than the frame keeps only its KeptSpan on each axis, at
// `place`; only that part, and the few pixels around it that its filter
// reads, is taken from the decoder. Nothing when the named file is missing,
// unreadable or too large, or when there is no memory for the picture.
//
// Large pictures are prepared one at a time, whatever the thread.
std::optional<ScaledPicture> LoadScaledPicture(ImageDecoder& decoder, const std::string& path,
                                               PictureKind kind, const FrameScale& scale,
                                               Companions companions = Companions::Use,
                                               const PicturePlace& place = {});

// The user's own background: a picture of exactly 800 x 600 is a sprite
// like any other; any other size is scaled to cover the whole canvas, its
// aspect kept, centred, the overflow cut off, from its full resolution (its
// best companion included). Its logical size is then that of the frame.
// Only the part that covers the frame is taken from the decoder.
std::optional<ScaledPicture> LoadCoveringPicture(ImageDecoder& decoder, const std::string& path,
                                                 const FrameScale& scale,
                                                 Companions companions = Companions::Use);

}  // namespace skyvault
