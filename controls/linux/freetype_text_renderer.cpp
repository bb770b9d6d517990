#include "controls/linux/freetype_text_renderer.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>

#include <algorithm>
#include <cstdlib>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include "controls/linux/configuration_files.h"
#include "controls/linux/glyph_blend.h"

namespace skyvault {
namespace {

constexpr size_t kMaxKeptFaces = 16;
constexpr size_t kMaxKeptGlyphs = 4096;
constexpr int kLargestSize = 1024;
constexpr int kDefaultSize = 16;
constexpr size_t kMaxText = 32767;

// Where fontconfig finds the face, or nothing.
std::pair<std::string, int> MatchFace(const std::string& family, bool bold, bool italic) {
  std::pair<std::string, int> found{"", 0};
  FcPattern* pattern = FcPatternCreate();
  if (!pattern) return found;
  const std::string name = family.empty() ? "sans-serif" : family;
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(name.c_str()));
  FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  if (FcPattern* match = FcFontMatch(nullptr, pattern, &result)) {
    FcChar8* file = nullptr;
    int index = 0;
    if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file) {
      found.first = reinterpret_cast<const char*>(file);
      if (FcPatternGetInteger(match, FC_INDEX, 0, &index) == FcResultMatch) found.second = index;
    }
    FcPatternDestroy(match);
  }
  FcPatternDestroy(pattern);
  return found;
}

}  // namespace

std::u32string DecodeText(const std::string& text) {
  std::u32string out;
  out.reserve(text.size());
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  const size_t size = text.size();
  for (size_t i = 0; i < size;) {
    const unsigned char lead = bytes[i];
    int length = lead < 0x80             ? 1
                 : (lead & 0xE0) == 0xC0 ? 2
                 : (lead & 0xF0) == 0xE0 ? 3
                 : (lead & 0xF8) == 0xF0 ? 4
                                         : 0;
    char32_t value = length == 1   ? lead
                     : length == 2 ? lead & 0x1F
                     : length == 3 ? lead & 0x0F
                                   : lead & 0x07;
    bool valid = length > 0 && i + length <= size;
    for (int k = 1; valid && k < length; ++k) {
      valid = (bytes[i + k] & 0xC0) == 0x80;
      value = (value << 6) | (bytes[i + k] & 0x3F);
    }
    // Overlong forms, surrogates and values past Unicode are not UTF-8.
    static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    valid = valid && value >= kSmallest[length] && value <= 0x10FFFF &&
            (value < 0xD800 || value > 0xDFFF);
    if (valid) {
      out.push_back(value);
      i += length;
    } else {
      out.push_back(lead);
      ++i;
    }
  }
  return out;
}

struct FreeTypeTextRenderer::Library {
  FT_Library library = nullptr;
  Library() {
    // A configuration file fontconfig would read without end: no text
    // rather than a saver that hangs.
    if (!ConfigurationFilesAreSafe(std::getenv("FONTCONFIG_FILE"))) return;
    FcInit();
    if (FT_Init_FreeType(&library) != 0) library = nullptr;
  }
  ~Library() {
    if (library) FT_Done_FreeType(library);
  }
};

struct FreeTypeTextRenderer::Face {
  FT_Face face = nullptr;
  std::string file;
  int32_t sizedFor = -1;
  int ascent = 0;  // pixels from the top of the line to the baseline
  int underlinePosition = 0;
  int lineThickness = 1;
  ~Face() {
    if (face) FT_Done_Face(face);
  }
};

FreeTypeTextRenderer::FreeTypeTextRenderer() : library_(std::make_unique<Library>()) {}

FreeTypeTextRenderer::~FreeTypeTextRenderer() {
  glyphs_.clear();
  faces_.clear();  // before the library goes
}

void FreeTypeTextRenderer::SetFont(const TextFont& font) { font_ = font; }

std::string FreeTypeTextRenderer::FontFile() {
  Face* face = CurrentFace();
  return face ? face->file : std::string();
}

FreeTypeTextRenderer::Face* FreeTypeTextRenderer::CurrentFace() {
  if (!library_->library) return nullptr;
  const FaceKey key{font_.face, font_.weight >= 600, font_.italic};
  if (auto it = faces_.find(key); it != faces_.end()) return it->second.get();
  if (faces_.size() >= kMaxKeptFaces) {
    glyphs_.clear();
    faces_.clear();
  }
  auto face = std::make_unique<Face>();
  const auto [file, index] = MatchFace(font_.face, std::get<1>(key), font_.italic);
  if (!file.empty() && FT_New_Face(library_->library, file.c_str(), index, &face->face) == 0 &&
      FT_IS_SCALABLE(face->face)) {
    face->file = file;
  } else {
    if (face->face) FT_Done_Face(face->face);
    face->face = nullptr;
  }
  Face* result = face->face ? face.get() : nullptr;
  faces_[key] = std::move(face);  // a face that failed is not looked for again
  return result;
}

bool FreeTypeTextRenderer::Size(Face& face) {
  const int32_t size = font_.size > 0 ? std::min(font_.size, kLargestSize) : kDefaultSize;
  if (face.sizedFor == size) return true;
  FT_Face f = face.face;
  // The line is the face's Windows ascent and descent, as the Windows font
  // engine measures it; the typographic ones where those are missing.
  int64_t ascent = f->ascender, descent = -f->descender;
  if (const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(f, FT_SFNT_OS2))) {
    if (os2->usWinAscent + os2->usWinDescent > 0) {
      ascent = os2->usWinAscent;
      descent = os2->usWinDescent;
    }
  }
  if (ascent + descent <= 0) {
    ascent = f->units_per_EM * 4 / 5;
    descent = f->units_per_EM / 5;
  }
  const int64_t line = ascent + descent;
  const FT_F26Dot6 emSize = static_cast<FT_F26Dot6>(size * 64LL * f->units_per_EM / line);
  if (FT_Set_Char_Size(f, 0, std::max<FT_F26Dot6>(emSize, 64), 72, 72) != 0) return false;
  face.ascent = static_cast<int>((size * ascent + line / 2) / line);
  face.underlinePosition =
      static_cast<int>(-f->underline_position * size / line);  // below the baseline
  face.lineThickness =
      std::max(1, static_cast<int>((f->underline_thickness * size + line / 2) / line));
  face.sizedFor = size;
  return true;
}

const FreeTypeTextRenderer::Glyph* FreeTypeTextRenderer::GlyphFor(Face& face, char32_t character) {
  const GlyphKey key{&face, face.sizedFor, character};
  if (auto it = glyphs_.find(key); it != glyphs_.end()) return &it->second;
  Glyph glyph;
  if (FT_Load_Char(face.face, character, FT_LOAD_RENDER | FT_LOAD_TARGET_NORMAL) == 0) {
    const FT_GlyphSlot slot = face.face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    glyph.advance = static_cast<int>(slot->advance.x);
    if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY && bitmap.buffer && bitmap.width > 0) {
      glyph.width = static_cast<int>(bitmap.width);
      glyph.height = static_cast<int>(bitmap.rows);
      glyph.left = slot->bitmap_left;
      glyph.top = slot->bitmap_top;
      glyph.coverage.resize(static_cast<size_t>(glyph.width) * glyph.height);
      for (int row = 0; row < glyph.height; ++row) {
        const uint8_t* in = bitmap.buffer + static_cast<intptr_t>(row) * bitmap.pitch;
        std::copy(in, in + glyph.width, glyph.coverage.begin() + row * glyph.width);
      }
    }
  }
  return &glyphs_.emplace(key, std::move(glyph)).first->second;
}

FreeTypeTextRenderer::Layout FreeTypeTextRenderer::Lay(Face& face, const std::string& text) {
  Layout layout;
  const std::u32string characters = DecodeText(text.substr(0, kMaxText));
  // Emptied only here, so that no glyph of this line goes while it is laid.
  if (glyphs_.size() >= kMaxKeptGlyphs) glyphs_.clear();
  int64_t pen = 0;
  for (char32_t c : characters) {
    const Glyph* glyph = GlyphFor(face, c);
    layout.glyphs.emplace_back(pen, glyph);
    pen += glyph->advance;
  }
  layout.width = pen;
  return layout;
}

PixelRect FreeTypeTextRenderer::Bounds(const CanvasView& canvas, const std::string& text, int x,
                                       int y) {
  Face* face = CurrentFace();
  if (!face || !Size(*face) || text.empty()) return {};
  const Layout layout = Lay(*face, text);
  // Italic and overhanging glyphs may reach past the advance width.
  const int64_t slack = face->sizedFor / 2 + 2;
  const int64_t left = static_cast<int64_t>(x) - slack;
  const int64_t right = static_cast<int64_t>(x) + (layout.width + 63) / 64 + slack;
  const int64_t bottom = static_cast<int64_t>(y) + face->sizedFor + 2;
  auto clampInt = [](int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, -1, 1 << 20)); };
  return PixelRect{clampInt(left), clampInt(y), clampInt(right), clampInt(bottom)}.Intersect(
      canvas.Bounds());
}

void FreeTypeTextRenderer::Draw(const CanvasView& canvas, const std::string& text, int x, int y,
                                RgbColour colour, const PixelRect& clip) {
  const PixelRect area = Bounds(canvas, text, x, y).Intersect(clip);
  if (area.Empty()) return;
  Face& face = *CurrentFace();
  const Layout layout = Lay(face, text);
  const int64_t baseline = static_cast<int64_t>(y) + face.ascent;
  for (const auto& [pen, glyph] : layout.glyphs) {
    if (glyph->coverage.empty()) continue;
    const int64_t left = x + (pen + 32) / 64 + glyph->left;
    const int64_t top = baseline - glyph->top;
    if (left < area.left - glyph->width || left > area.right || top > area.bottom ||
        top < area.top - glyph->height) {
      continue;
    }
    BlendCoverage(canvas, {glyph->coverage.data(), glyph->width, glyph->height, glyph->width},
                  static_cast<int>(left), static_cast<int>(top), colour, area);
  }
  const int right = static_cast<int>(std::min<int64_t>(x + (layout.width + 63) / 64, 1 << 20));
  auto line = [&](int64_t top) {
    const int t = static_cast<int>(std::clamp<int64_t>(top, -1, 1 << 20));
    FillSolid(canvas, {x, t, right, t + face.lineThickness}, colour, area);
  };
  if (font_.underline) line(baseline + face.underlinePosition);
  if (font_.strikeout) line(baseline - face.ascent * 3 / 10);
}

}  // namespace skyvault
