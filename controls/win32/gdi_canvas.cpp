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

GdiCanvas::GdiCanvas() : dc_(CreateCompatibleDC(nullptr)) {
  SetBkMode(dc_, TRANSPARENT);
  SetTextAlign(dc_, TA_LEFT | TA_TOP | TA_NOUPDATECP);
  originalFont_ = GetCurrentObject(dc_, OBJ_FONT);
}

GdiCanvas::~GdiCanvas() {
  SelectObject(dc_, originalFont_);
  for (auto& [key, font] : fonts_) DeleteObject(font);
  if (bitmap_) {
    SelectObject(dc_, originalBitmap_);
    DeleteObject(bitmap_);
  }
  DeleteDC(dc_);
}

std::optional<CanvasView> GdiCanvas::Create(int width, int height, int depth) {
  struct {
    BITMAPINFOHEADER header;
    DWORD masks[3];
  } info{};
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  info.header.biWidth = width;
  info.header.biHeight = -height;  // rows from the top
  info.header.biPlanes = 1;
  info.header.biBitCount = static_cast<WORD>(depth == 16 ? 16 : 32);
  info.header.biCompression = depth == 16 ? BI_BITFIELDS : BI_RGB;
  info.masks[0] = 0xF800;
  info.masks[1] = 0x07E0;
  info.masks[2] = 0x001F;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc_, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS,
                                    &bits, nullptr, 0);
  if (!bitmap || !bits) return std::nullopt;
  HGDIOBJ previous = SelectObject(dc_, bitmap);
  if (bitmap_) {
    DeleteObject(bitmap_);
  } else {
    originalBitmap_ = previous;
  }
  bitmap_ = bitmap;
  const int bitsPerPixel = info.header.biBitCount;
  return CanvasView{static_cast<uint8_t*>(bits), width, height,
                    ((width * bitsPerPixel + 31) / 32) * 4, bitsPerPixel};
}

HFONT GdiCanvas::FontFor(const TextFont& font) {
  const FontKey key{font.face, font.size, font.weight, font.italic, font.underline, font.strikeout};
  if (auto it = fonts_.find(key); it != fonts_.end()) return it->second;
  if (fonts_.size() >= kMaxKeptFonts) {
    SelectObject(dc_, originalFont_);
    selected_ = nullptr;
    for (auto& [k, f] : fonts_) DeleteObject(f);
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
  fonts_[key] = created;
  return created;
}

void GdiCanvas::SetFont(const TextFont& font) { font_ = FontFor(font); }

void GdiCanvas::Select() {
  if (!font_) font_ = FontFor(TextFont{"Arial", 16});
  if (selected_ != font_) {
    SelectObject(dc_, font_);
    selected_ = font_;
  }
}

SIZE GdiCanvas::Extent(const std::string& text) {
  Select();
  auto key = std::make_pair(font_, text);
  if (auto it = extents_.find(key); it != extents_.end()) return it->second;
  if (extents_.size() >= kMaxKeptExtents) extents_.clear();
  const std::wstring wide = Widen(text);
  SIZE extent{};
  GetTextExtentPoint32W(dc_, wide.c_str(),
                        static_cast<int>(std::min<size_t>(wide.size(), kMaxText)), &extent);
  extents_.emplace(std::move(key), extent);
  return extent;
}

PixelRect GdiCanvas::Bounds(const CanvasView& canvas, const std::string& text, int x, int y) {
  if (!bitmap_) return {};
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

void GdiCanvas::Draw(const CanvasView&, const std::string& text, int x, int y, int32_t colour,
                     const PixelRect& clip) {
  if (!bitmap_ || clip.Empty()) return;
  Select();
  SetTextColor(dc_, RGB(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF));
  const std::wstring wide = Widen(text);
  const RECT rect{clip.left, clip.top, clip.right, clip.bottom};
  ExtTextOutW(dc_, x, y, ETO_CLIPPED, &rect, wide.c_str(),
              static_cast<UINT>(std::min<size_t>(wide.size(), kMaxText)), nullptr);
  GdiFlush();  // the compositor's next writes must come after the text
}

}  // namespace skyvault::win32
