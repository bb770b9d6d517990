#include "controls/win32/gdi_canvas.h"

#include <algorithm>

namespace skyvault::win32 {
namespace {

constexpr size_t kMaxKeptFonts = 16;
constexpr size_t kMaxKeptExtents = 64;
constexpr size_t kMaxText = 32767;

int FontWeight(int32_t weight) {
  if (weight < FW_THIN) return FW_NORMAL;  // 0 and the saver's 1: the face's usual weight
  return std::min<int32_t>(weight, FW_HEAVY);
}

}  // namespace

GdiCanvas::GdiCanvas() {
  SetBkMode(dc_.get(), TRANSPARENT);
  SetTextAlign(dc_.get(), TA_LEFT | TA_TOP | TA_NOUPDATECP);
}

std::optional<CanvasView> GdiCanvas::Create(int width, int height) {
  DibSection canvas(width, height);
  if (!canvas) return std::nullopt;
  dc_.Select(canvas.bitmap());
  canvas_ = std::move(canvas);  // the one before, no longer selected, goes
  return CanvasView{canvas_.bits(), width, height, canvas_.stride(), 32};
}

HFONT GdiCanvas::FontFor(const TextFont& font) {
  const FontKey key{font.face, font.size, font.weight, font.italic, font.underline, font.strikeout};
  if (auto it = fonts_.find(key); it != fonts_.end()) return it->second.get();
  if (fonts_.size() >= kMaxKeptFonts) {
    dc_.Select(static_cast<HFONT>(nullptr));
    selected_ = nullptr;
    fonts_.clear();
    extents_.clear();
  }
  // A positive height asks for the whole line (cell) height; 0 or less
  // leaves the size to the system.
  const int height = font.size > 0 ? std::min<int32_t>(font.size, 4096) : 0;
  std::wstring face = Widen(font.face);
  if (face.size() >= LF_FACESIZE) face.resize(LF_FACESIZE - 1);
  HFONT created = CreateFontW(height, 0, 0, 0, FontWeight(font.weight), font.italic, font.underline,
                              font.strikeout, DEFAULT_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS,
                              ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, face.c_str());
  fonts_[key].Reset(created);
  return created;
}

void GdiCanvas::SetFont(const TextFont& font) { font_ = FontFor(font); }

HFONT GdiCanvas::CurrentFont() {
  if (!font_) font_ = FontFor(TextFont{"Arial", 16});
  return font_;
}

void GdiCanvas::Select() {
  CurrentFont();
  if (selected_ != font_) {
    dc_.Select(font_);
    selected_ = font_;
  }
}

SIZE GdiCanvas::Extent(const std::string& text) {
  auto key = std::make_pair(CurrentFont(), text);
  if (auto it = extents_.find(key); it != extents_.end()) return it->second;
  if (extents_.size() >= kMaxKeptExtents) extents_.clear();
  // Selected only when measured: selecting a font is costly under Wine (it
  // looks up the X resources every time), and each frame asks the extent of
  // the clock and of the message, in turn.
  Select();
  const std::wstring wide = Widen(text);
  SIZE extent{};
  GetTextExtentPoint32W(dc_.get(), wide.c_str(),
                        static_cast<int>(std::min<size_t>(wide.size(), kMaxText)), &extent);
  extents_.emplace(std::move(key), extent);
  return extent;
}

PixelRect GdiCanvas::Bounds(const CanvasView& canvas, const std::string& text, int x, int y) {
  if (!canvas_) return {};
  const SIZE extent = Extent(text);
  // Italic and overhanging glyphs may reach past the advance width.
  const int64_t slack = extent.cy / 2 + 2;
  const int64_t right = static_cast<int64_t>(x) + extent.cx + slack;
  const int64_t bottom = static_cast<int64_t>(y) + extent.cy + 2;
  const int64_t left = static_cast<int64_t>(x) - slack;
  auto clampInt = [](int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, -1, 1 << 20)); };
  return PixelRect{clampInt(left), clampInt(y), clampInt(right), clampInt(bottom)}.Intersect(
      canvas.Bounds());
}

void GdiCanvas::Draw(const CanvasView&, const std::string& text, int x, int y, RgbColour colour,
                     const PixelRect& clip) {
  if (!canvas_ || clip.Empty()) return;
  Select();
  SetTextColor(dc_.get(), RGB(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF));
  const std::wstring wide = Widen(text);
  const RECT rect{clip.left, clip.top, clip.right, clip.bottom};
  ExtTextOutW(dc_.get(), x, y, ETO_CLIPPED, &rect, wide.c_str(),
              static_cast<UINT>(std::min<size_t>(wide.size(), kMaxText)), nullptr);
  GdiFlush();  // the compositor's next writes must come after the text
}

}  // namespace skyvault::win32
