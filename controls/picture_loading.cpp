#include "controls/picture_loading.h"

#include <atomic>
#include <chrono>
#include <functional>

#include "controls/concurrent_jobs.h"
#include "controls/scaled_picture.h"

namespace skyvault {
namespace {

// The orders' pictures; once `abandoned` is set, the pictures not yet begun
// are left unread.
std::vector<ReadPicture> ReadAll(ImageDecoder& decoder, const std::vector<PictureOrder>& orders,
                                 const FrameScale& scale, Companions companions,
                                 const std::atomic<bool>* abandoned = nullptr) {
  std::vector<ReadPicture> read(orders.size());
  std::vector<std::function<void()>> jobs;
  for (size_t i = 0; i < orders.size(); ++i) {
    jobs.emplace_back([&, i] {
      const PictureOrder& order = orders[i];
      read[i] = {order.sprite, order.serial, nullptr};
      if (abandoned && abandoned->load()) return;
      const std::optional<ScaledPicture> scaled =
          order.coversFrame ? LoadCoveringPicture(decoder, order.path, scale, companions)
                            : LoadScaledPicture(decoder, order.path, order.kind, scale, companions,
                                                {order.x, order.y});
      if (scaled && scaled->image.width > 0 && scaled->image.height > 0) {
        read[i].picture = std::make_shared<const SpritePicture>(scaled->image, order.kind);
      }
    });
  }
  RunConcurrently(jobs, PictureLoadThreads());
  return read;
}

}  // namespace

PictureLoading::~PictureLoading() {
  // What the background reading has not begun is no longer wanted; what it
  // reads now is finished, as its files are open.
  abandoned_ = true;
  if (sharp_.valid()) sharp_.wait();
}

std::vector<ReadPicture> PictureLoading::ReadNow(const std::vector<PictureOrder>& orders,
                                                 const FrameScale& scale) {
  return ReadAll(decoder_, orders, scale, scale.value() > 1 ? Companions::Skip : Companions::Use);
}

void PictureLoading::Sharpen(std::vector<PictureOrder> orders, const FrameScale& scale) {
  if (scale.value() <= 1 || orders.empty()) return;
  if (sharp_.valid()) {  // a reading already under way finishes first; its pictures wait
    for (ReadPicture& read : sharp_.get()) ready_.push_back(std::move(read));
  }
  try {
    sharp_ = std::async(std::launch::async, [this, orders = std::move(orders), scale] {
      return ReadAll(decoder_, orders, scale, Companions::Only, &abandoned_);
    });
  } catch (...) {
    sharp_ = {};  // no thread to be had: the named files' pictures stay
  }
}

std::vector<ReadPicture> PictureLoading::TakeSharp(bool wait) {
  std::vector<ReadPicture> taken = std::move(ready_);
  ready_.clear();
  if (sharp_.valid() &&
      (wait || sharp_.wait_for(std::chrono::seconds(0)) == std::future_status::ready)) {
    for (ReadPicture& read : sharp_.get()) taken.push_back(std::move(read));
  }
  return taken;
}

}  // namespace skyvault
