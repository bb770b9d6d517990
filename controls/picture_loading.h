#pragma once
#include <atomic>
#include <cstdint>
#include <future>
#include <memory>
#include <string>
#include <vector>

#include "controls/decoded_image.h"
#include "controls/frame_geometry.h"
#include "controls/sprite_picture.h"

namespace skyvault {

// One picture to read for a sprite.
struct PictureOrder {
  size_t sprite = 0;    // which sprite it is for
  uint64_t serial = 0;  // the sprite's load it answers (a later load outdates it)
  std::string path;
  PictureKind kind = PictureKind::Opaque;
  bool coversFrame = false;  // the background: scaled to cover the frame
  int32_t x = 0;             // where the sprite stands (a picture larger than
  int32_t y = 0;             // the frame keeps the part it shows there)
};

struct ReadPicture {
  size_t sprite = 0;
  uint64_t serial = 0;
  std::shared_ptr<const SpritePicture> picture;  // null: nothing to draw
};

// Reads the pictures of a frame scale in two steps, so that the first frame
// comes soon even on a large screen: at once, side by side on the cores,
// from the named files (ReadNow); then, where the screen is larger than the
// frame, from their sharper companions in the background (Sharpen), whose
// results are taken between frames (TakeSharp). Decoding a 4x companion of
// the background alone takes a good part of a second under Wine.
class PictureLoading {
 public:
  explicit PictureLoading(ImageDecoder& decoder) : decoder_(decoder) {}
  ~PictureLoading();  // waits for the pictures the background reading has begun
  PictureLoading(const PictureLoading&) = delete;
  PictureLoading& operator=(const PictureLoading&) = delete;

  // The orders' pictures, in their order; companions only at a scale of
  // one or less (where the named file is what the screen needs anyway).
  std::vector<ReadPicture> ReadNow(const std::vector<PictureOrder>& orders,
                                   const FrameScale& scale);
  // At a scale above one, reads the orders again from their companions, in
  // the background.
  void Sharpen(std::vector<PictureOrder> orders, const FrameScale& scale);
  // The sharp pictures read since the last call (a reading's pictures all
  // at once, when all are read; with `wait`, waits for them).
  std::vector<ReadPicture> TakeSharp(bool wait = false);

 private:
  ImageDecoder& decoder_;
  std::atomic<bool> abandoned_{false};  // the background reading's rest is not wanted
  std::future<std::vector<ReadPicture>> sharp_;
  std::vector<ReadPicture> ready_;  // read by an earlier reading, not yet taken
};

}  // namespace skyvault
