#include "controls/win32/frame_loop.h"

#include <algorithm>

#include "controls/frame_schedule.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_headers.h"
// After windows.h:
#include <mmsystem.h>

namespace skyvault::win32 {
namespace {

// Missing from the mingw headers.
constexpr DWORD kHighResolutionTimer = 0x00000002;  // CREATE_WAITABLE_TIMER_HIGH_RESOLUTION

int64_t Now() {
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return counter.QuadPart;
}

// A waitable timer with the finest resolution the system offers.
class FrameTimer {
 public:
  FrameTimer()
      : handle_(CreateWaitableTimerExW(nullptr, nullptr, kHighResolutionTimer, TIMER_ALL_ACCESS)) {
    if (!handle_) {
      handle_.Reset(CreateWaitableTimerW(nullptr, FALSE, nullptr));
      coarse_ = timeBeginPeriod(1) == TIMERR_NOERROR;
    }
  }
  ~FrameTimer() {
    if (coarse_) timeEndPeriod(1);
  }
  HANDLE handle() const { return handle_.get(); }
  void Arm(int64_t hundredNanoseconds) {
    LARGE_INTEGER due;
    due.QuadPart = -std::max<int64_t>(hundredNanoseconds, 1);  // negative: relative
    SetWaitableTimer(handle_.get(), &due, 0, nullptr, nullptr, FALSE);
  }

 private:
  UniqueKernelHandle handle_;
  bool coarse_ = false;
};

}  // namespace

int RunFrameLoop(const std::function<void()>& onFrame, int framesPerSecond) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  FrameTimer timer;
  FrameSchedule schedule(frequency.QuadPart, framesPerSecond, Now());
  for (;;) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) return static_cast<int>(msg.wParam);
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    int64_t now = Now();
    if (schedule.Due(now)) {
      schedule.FrameStarted(now);
      onFrame();
      now = Now();
      schedule.FrameDone(now);
      // On time, straight to the wait, which returns at once for messages
      // that came during the frame: one look at the queue a frame (each is a
      // round trip to the system under Wine).
      if (schedule.Due(now)) continue;
    }
    const int64_t ticks = schedule.NextDue() - now;
    timer.Arm(ticks * 10'000'000 / frequency.QuadPart);
    HANDLE handle = timer.handle();
    MsgWaitForMultipleObjectsEx(
        handle ? 1 : 0, handle ? &handle : nullptr,
        handle ? INFINITE : static_cast<DWORD>(ticks * 1000 / frequency.QuadPart), QS_ALLINPUT,
        MWMO_INPUTAVAILABLE);
  }
}

}  // namespace skyvault::win32
