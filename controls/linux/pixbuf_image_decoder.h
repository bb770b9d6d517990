#pragma once
#include "controls/decoded_image.h"

namespace skyvault {

// Pictures through gdk-pixbuf (BMP with V4/V5 alpha, GIF, JPEG, PNG, and
// whatever else the system's loaders read). The size is read from the
// file's header first: a picture above kMaxPictureSide on either side is
// refused before any pixel is decoded. A missing, damaged or hostile file
// gives nothing, and so does anything that is not a regular file (a named
// pipe, a device), without waiting. gdk-pixbuf decodes the whole picture;
// only the part asked for is turned into pixels of the saver's, so a read
// holds one full-size copy of a picture and that part.
class PixbufImageDecoder : public ImageDecoder {
 public:
  std::optional<DecodedImage> Decode(const std::string& path) override;
  std::optional<DecodedImage> DecodePart(const std::string& path,
                                         const PartOfPicture& part) override;
};

}  // namespace skyvault
