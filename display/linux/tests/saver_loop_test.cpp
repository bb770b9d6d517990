#include "display/linux/saver_loop.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

namespace skyvault {
namespace {

// A display server on a pipe that answers what the saver flushes at once, as a real one does.
class AnsweringServer {
 public:
  AnsweringServer() {
    EXPECT_EQ(pipe2(ends_, O_CLOEXEC | O_NONBLOCK), 0);
    connection.fd = ends_[0];
    connection.dispatch = [this] {
      char byte;
      while (read(ends_[0], &byte, 1) == 1) {
        ++answersRead;
        readAt = MonotonicNanoseconds();
      }
    };
    connection.flush = [this] {
      if (sent > answered) {
        EXPECT_EQ(write(ends_[1], "a", 1), 1);
        answered = sent;
        answeredAt = MonotonicNanoseconds();
      }
    };
  }
  ~AnsweringServer() {
    close(ends_[0]);
    close(ends_[1]);
  }

  SaverConnection connection;
  int sent = 0;
  int answered = 0;
  int answersRead = 0;
  int64_t answeredAt = 0;
  int64_t readAt = 0;

 private:
  int ends_[2] = {-1, -1};
};

SaverLoopHandlers Handlers(std::function<void()> frame, std::function<bool()> done) {
  SaverLoopHandlers handlers;
  handlers.frame = std::move(frame);
  handlers.timers = [] {};
  handlers.signal = [] {};
  handlers.done = std::move(done);
  return handlers;
}

TEST(SaverLoop, AnswersToAFrameAreReadWithTheNextFrameInOneWakeUpAFrame) {
  AnsweringServer server;
  int lateAnswers = 0;
  const auto handlers = Handlers(
      [&] {
        lateAnswers += server.answersRead < server.answered;
        ++server.sent;
      },
      [&] { return server.sent >= 30; });
  const SaverLoopCounts counts = RunSaverLoop(server.connection, -1, handlers, 60, 60'000);
  EXPECT_EQ(counts.frames, 30);
  EXPECT_EQ(lateAnswers, 0);
  EXPECT_LE(counts.wakeUps, counts.frames);
}

TEST(SaverLoop, AnAwaitedConnectionWakesTheLoopAsSoonAsItAnswers) {
  AnsweringServer server;
  server.connection.awaited = [&] { return server.answersRead < server.answered; };
  // Two frames a second: the answer to the first is read long before the second.
  const auto handlers =
      Handlers([&] { ++server.sent; }, [&] { return server.answersRead > 0 || server.sent > 1; });
  RunSaverLoop(server.connection, -1, handlers, 2, 60'000);
  ASSERT_EQ(server.answersRead, 1);
  EXPECT_LT(server.readAt - server.answeredAt, 250'000'000);
}

}  // namespace
}  // namespace skyvault
