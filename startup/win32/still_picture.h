#pragma once
#include <memory>
#include <optional>

#include "controls/decoded_image.h"
#include "platform/win32/dib_section.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_headers.h"

namespace skyvault::win32 {

// The preview's still picture `Image1`, stored with the program, painted
// scaled with a filter to the size of the area it is given (black when the
// program holds no such picture).
class StillPicture {
 public:
  explicit StillPicture(HINSTANCE instance);

  void Paint(HDC dc, const RECT& area);

 private:
  std::optional<DecodedImage> Pixels() const;
  // The picture at width x height, made again only when the size changes.
  bool ScaleTo(int width, int height);

  UniqueBitmap bitmap_;
  std::optional<DecodedImage> pixels_;
  std::unique_ptr<DibSection> scaled_;
  MemoryDc scaledDc_;
};

}  // namespace skyvault::win32
