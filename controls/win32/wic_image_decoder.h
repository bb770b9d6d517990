#pragma once
#include <memory>
#include <thread>

#include "controls/decoded_image.h"

namespace skyvault::win32 {

class ImagingFactory;

// Decodes BMP (every depth, RLE, top-down, with alpha), GIF, JPEG and PNG
// files, and whatever else the system's imaging component knows, by their
// content whatever their name. A 32-bit picture whose alpha is zero
// everywhere is taken as opaque (such files carry no alpha, only padding).
// Pictures over the size limit are refused before any pixel is read, and
// only the part of a picture asked for is copied out of the codec. Only
// files on a disk are read: a named pipe or a device path gives nothing at
// once instead of a read that may never return.
class WicImageDecoder : public ImageDecoder {
 public:
  WicImageDecoder();
  ~WicImageDecoder() override;
  WicImageDecoder(const WicImageDecoder&) = delete;
  WicImageDecoder& operator=(const WicImageDecoder&) = delete;

  // Safe on any thread: a read on another thread than the decoder's makes a
  // factory of its own for that read.
  std::optional<DecodedImage> Decode(const std::string& path) override;
  std::optional<DecodedImage> DecodePart(const std::string& path,
                                         const PartOfPicture& part) override;

 private:
  std::thread::id owner_;
  std::unique_ptr<ImagingFactory> factory_;  // the decoder's thread's
};

}  // namespace skyvault::win32
