#pragma once
#include <string>

#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_headers.h"

namespace skyvault::win32 {

// A font given in points, made again for each DPI its window meets.
class ScaledFont {
 public:
  ScaledFont(std::wstring face, int hundredthsOfPoint, int weight = FW_NORMAL);

  // The font at `dpi`, made again when the DPI or the face has changed since
  // the last call. The font handed out before is then deleted: give the new
  // one to the controls at once.
  HFONT At(UINT dpi);
  void SetFace(std::wstring face);
  const std::wstring& face() const { return face_; }
  HFONT get() const { return font_.get(); }

 private:
  std::wstring face_;
  int hundredthsOfPoint_;
  int weight_;
  UINT dpi_ = 0;
  UniqueFont font_;
};

}  // namespace skyvault::win32
