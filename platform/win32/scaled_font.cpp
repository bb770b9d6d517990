#include "platform/win32/scaled_font.h"

namespace skyvault::win32 {

ScaledFont::ScaledFont(std::wstring face, int hundredthsOfPoint, int weight)
    : face_(std::move(face)), hundredthsOfPoint_(hundredthsOfPoint), weight_(weight) {}

HFONT ScaledFont::At(UINT dpi) {
  if (font_ && dpi == dpi_) return font_.get();
  LOGFONTW lf{};
  lf.lfHeight = -MulDiv(hundredthsOfPoint_, static_cast<int>(dpi), 7200);
  lf.lfWeight = weight_;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = DEFAULT_QUALITY;
  lstrcpynW(lf.lfFaceName, face_.c_str(), LF_FACESIZE);
  font_.Reset(CreateFontIndirectW(&lf));
  dpi_ = dpi;
  return font_.get();
}

void ScaledFont::SetFace(std::wstring face) {
  if (face == face_) return;
  face_ = std::move(face);
  dpi_ = 0;  // made again at the next call
}

}  // namespace skyvault::win32
