#include "controls/sprite_picture.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "controls/pixel_format.h"
#include "controls/pixel_rows.h"

namespace skyvault {

SpritePicture::SpritePicture(const DecodedImage& image, PictureKind kind)
    : width_(image.width), height_(image.height), offsetX_(image.left), offsetY_(image.top) {
  try {
    Prepare(image, kind);
  } catch (const std::bad_alloc&) {
    width_ = height_ = 0;
    content_ = {};
    opaque_ = false;
    pixelsXrgb_ = {};
    premultiplied_ = {};
    runs_ = {};
    rowFirstRun_ = {};
  }
  if (width_ == 0) rowFirstRun_.assign(1, 0);  // at most a few bytes
}

void SpritePicture::Prepare(const DecodedImage& image, PictureKind kind) {
  const size_t count = static_cast<size_t>(width_) * height_;
  if (width_ <= 0 || height_ <= 0 || image.pixels.size() < count) {
    width_ = height_ = 0;
    return;
  }
  pixelsXrgb_.resize(count);
  for (size_t i = 0; i < count; ++i) pixelsXrgb_[i] = image.pixels[i] & 0xFFFFFF;

  const bool blends = kind == PictureKind::Transparent && image.hasAlpha;
  const bool keyed = kind == PictureKind::Transparent && !image.hasAlpha;
  const uint32_t key = image.pixels[0] & 0xFFFFFF;
  auto classify = [&](uint32_t p) -> int {  // 0 skip, 1 cover, 2 blend
    if (keyed) return (p & 0xFFFFFF) == key ? 0 : 1;
    if (!blends) return 1;
    const uint32_t a = p >> 24;
    return a == 0 ? 0 : a == 255 ? 1 : 2;
  };
  bool anyBlend = false;
  rowFirstRun_.reserve(height_ + 1);
  for (int y = 0; y < height_; ++y) {
    const size_t rowStart = runs_.size();
    rowFirstRun_.push_back(static_cast<uint32_t>(rowStart));
    const uint32_t* row = &image.pixels[static_cast<size_t>(y) * width_];
    int x = 0;
    while (x < width_) {
      const int what = classify(row[x]);
      int end = x + 1;
      while (end < width_ && classify(row[end]) == what) ++end;
      if (what != 0) runs_.push_back(Run{x, end - x, what == 1 ? RunKind::Cover : RunKind::Blend});
      x = end;
    }
    anyBlend |= MergeShortRuns(rowStart);
  }
  rowFirstRun_.push_back(static_cast<uint32_t>(runs_.size()));
  if (anyBlend) {
    // Blending a covering pixel at full alpha gives its colour exactly, and
    // a skipped one at zero leaves the canvas as it is.
    premultiplied_.resize(count);
    for (size_t i = 0; i < count; ++i) {
      const int what = classify(image.pixels[i]);
      premultiplied_[i] = what == 0 ? 0 : what == 1 ? 0xFF000000 | pixelsXrgb_[i] : image.pixels[i];
    }
  }
  // What the picture can change: the rows and columns its runs reach (an
  // aircraft's clear ground around it changes nothing).
  content_ = {width_, height_, 0, 0};
  for (int y = 0; y < height_; ++y) {
    for (uint32_t i = rowFirstRun_[y]; i < rowFirstRun_[y + 1]; ++i) {
      content_.left = std::min(content_.left, runs_[i].start);
      content_.right = std::max(content_.right, runs_[i].start + runs_[i].length);
      content_.top = std::min(content_.top, y);
      content_.bottom = std::max(content_.bottom, y + 1);
    }
  }
  if (content_.Empty()) content_ = {};
  opaque_ = runs_.size() == static_cast<size_t>(height_) &&
            std::all_of(runs_.begin(), runs_.end(), [&](const Run& run) {
              return run.kind == RunKind::Cover && run.length == width_;
            });
}

bool SpritePicture::MergeShortRuns(size_t rowStart) {
  // A long covering run is copied (and hides what is under it); the short
  // runs around text strokes and soft or keyed edges are cheaper blended in
  // one go than copied and blended a few pixels at a time.
  constexpr int kLongRun = 16, kShortGap = 8;
  auto isLong = [](const Run& run) { return run.kind == RunKind::Cover && run.length >= kLongRun; };
  bool blends = false;
  size_t kept = rowStart;
  for (size_t i = rowStart; i < runs_.size(); ++i) {
    const Run run = runs_[i];
    if (kept > rowStart) {
      Run& last = runs_[kept - 1];
      if (!isLong(last) && !isLong(run) && run.start - (last.start + last.length) < kShortGap) {
        last = Run{last.start, run.start + run.length - last.start, RunKind::Blend};
        blends = true;
        continue;
      }
    }
    runs_[kept++] = run;
    blends |= run.kind == RunKind::Blend;
  }
  runs_.resize(kept);
  return blends;
}

PixelRect SpritePicture::Bounds(const CanvasView& canvas, int64_t x, int64_t y) const {
  if (content_.Empty() || !canvas.Valid()) return {};
  // The picture's content clipped to the canvas, in 64 bits so that no
  // position overflows.
  const int64_t left = std::max<int64_t>(x + content_.left, 0);
  const int64_t top = std::max<int64_t>(y + content_.top, 0);
  const int64_t right = std::min<int64_t>(x + content_.right, canvas.width);
  const int64_t bottom = std::min<int64_t>(y + content_.bottom, canvas.height);
  if (left >= right || top >= bottom) return {};
  return {static_cast<int>(left), static_cast<int>(top), static_cast<int>(right),
          static_cast<int>(bottom)};
}

PixelRect SpritePicture::Draw(const CanvasView& canvas, int64_t x, int64_t y,
                              const PixelRect& clip) const {
  if (canvas.depth != 32) return {};
  const PixelRect visible = Bounds(canvas, x, y).Intersect(clip);
  if (visible.Empty()) return {};
  DrawRows(canvas, static_cast<int>(x), static_cast<int>(y), visible);
  return visible;
}

void SpritePicture::CoverSpans(int64_t x, int64_t y, int canvasY, int left, int right,
                               std::vector<std::pair<int, int>>& spans) const {
  const int64_t pictureY = canvasY - y;
  if (pictureY < 0 || pictureY >= height_) return;
  for (uint32_t i = rowFirstRun_[pictureY]; i < rowFirstRun_[pictureY + 1]; ++i) {
    const Run& run = runs_[i];
    if (run.kind != RunKind::Cover) continue;
    const int64_t start = std::max<int64_t>(x + run.start, left);
    const int64_t end = std::min<int64_t>(x + run.start + run.length, right);
    if (start < end) spans.emplace_back(static_cast<int>(start), static_cast<int>(end));
  }
}

void SpritePicture::DrawRow(uint32_t* out, int64_t x, int64_t y, int canvasY, int left,
                            int right) const {
  const int64_t pictureY = canvasY - y;
  if (pictureY < 0 || pictureY >= height_) return;
  const size_t rowStart = static_cast<size_t>(pictureY) * width_;
  const uint32_t* in = pixelsXrgb_.data() + rowStart;
  const uint32_t* premultiplied = premultiplied_.empty() ? nullptr : &premultiplied_[rowStart];
  for (uint32_t i = rowFirstRun_[pictureY]; i < rowFirstRun_[pictureY + 1]; ++i) {
    const Run& run = runs_[i];
    const int64_t start = std::max<int64_t>(x + run.start, left);
    const int64_t end = std::min<int64_t>(x + run.start + run.length, right);
    if (start >= end) continue;
    const size_t count = static_cast<size_t>(end - start);
    const int64_t column = start - x;  // in the picture
    if (run.kind == RunKind::Cover) {
      CopyPixels(out + (start - left), in + column, count);
    } else {
      BlendPixels(out + (start - left), premultiplied + column, count);
    }
  }
}

void SpritePicture::DrawRows(const CanvasView& canvas, int left, int top,
                             const PixelRect& visible) const {
  for (int canvasY = visible.top; canvasY < visible.bottom; ++canvasY) {
    uint32_t* out = reinterpret_cast<uint32_t*>(canvas.Row(canvasY)) + visible.left;
    DrawRow(out, left, top, canvasY, visible.left, visible.right);
  }
}

}  // namespace skyvault
