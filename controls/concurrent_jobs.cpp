#include "controls/concurrent_jobs.h"

#include <algorithm>
#include <atomic>
#include <thread>

namespace skyvault {

void RunConcurrently(const std::vector<std::function<void()>>& jobs, unsigned threads) {
  std::atomic<size_t> next{0};
  auto work = [&] {
    for (size_t i = next++; i < jobs.size(); i = next++) jobs[i]();
  };
  const size_t helpers = std::min<size_t>(threads > 0 ? threads - 1 : 0,
                                          jobs.size() - std::min<size_t>(jobs.size(), 1));
  std::vector<std::thread> running;
  for (size_t i = 0; i < helpers; ++i) {
    try {
      running.emplace_back(work);
    } catch (...) {
      break;  // no thread to be had: the rest runs here
    }
  }
  work();
  for (std::thread& thread : running) thread.join();
}

unsigned PictureLoadThreads() { return std::clamp(std::thread::hardware_concurrency(), 1u, 4u); }

}  // namespace skyvault
