#include "controls/picture_loading.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "controls/concurrent_jobs.h"
#include "controls/testing/fake_image_decoder.h"

namespace skyvault {
namespace {

// Named pictures come at once; companion reads ("@") are counted and wait for the gate, then fail.
struct GatedDecoder : ImageDecoder {
  std::optional<DecodedImage> Decode(const std::string& path) override {
    if (path.find('@') == std::string::npos) return testing::OpaqueImage(4, 4, {});
    std::unique_lock<std::mutex> hold(mutex);
    ++companionReads;
    changed.notify_all();
    changed.wait(hold, [this] { return open; });
    return std::nullopt;
  }
  std::mutex mutex;
  std::condition_variable changed;
  int companionReads = 0;
  bool open = false;
};

TEST(PictureLoading, GoingLeavesTheCompanionsNotYetBegunUnread) {
  GatedDecoder decoder;
  std::vector<PictureOrder> orders;
  for (size_t i = 0; i < 40; ++i)
    orders.push_back({i, 1, "/pictures/p" + std::to_string(i) + ".bmp", PictureKind::Opaque});
  auto loading = std::make_unique<PictureLoading>(decoder);
  loading->Sharpen(orders, FrameScale(2.0));
  {
    std::unique_lock<std::mutex> hold(decoder.mutex);
    decoder.changed.wait(hold, [&] { return decoder.companionReads > 0; });
  }
  // The loading goes while the first companion reads wait; a moment later they may finish.
  std::thread going([&] { loading.reset(); });
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  {
    std::lock_guard<std::mutex> hold(decoder.mutex);
    decoder.open = true;
  }
  decoder.changed.notify_all();
  going.join();
  // Each reading thread finishes its picture (@2x, @3x, @4x) and begins no other.
  EXPECT_LE(decoder.companionReads, 3 * static_cast<int>(PictureLoadThreads()));
}

}  // namespace
}  // namespace skyvault
