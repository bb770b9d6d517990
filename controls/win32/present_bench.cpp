// Runs the drawing control full-screen on a made-up scene, so its CPU share
// and memory can be measured: present_bench [seconds] [scene], the scene
// `typical` (the bomber and three relay aircraft, the default) or a number
// of first-run aircraft (0 to 16). Ends after the given seconds (default 20)
// or at a key.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/demo_scene.h"
#include "controls/win32/win32_drawing_control.h"

namespace {

using skyvault::DemoPictureDecoder;
using skyvault::DemoScene;
using skyvault::FirstRunAircraft;
using skyvault::TypicalAircraft;
using skyvault::win32::Win32DrawingControl;

Win32DrawingControl* control = nullptr;

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wp, LPARAM lp) {
  LRESULT result = 0;
  if (control && control->HandleWindowMessage(message, wp, lp, &result)) return result;
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(hwnd, message, wp, lp);
}

class BenchEvents : public skyvault::DrawingEvents {
 public:
  BenchEvents(DemoScene& scene, double seconds) : scene_(scene), seconds_(seconds) {
    QueryPerformanceFrequency(&frequency_);
    QueryPerformanceCounter(&start_);
  }
  void OnFrame() override {
    SYSTEMTIME now;
    GetLocalTime(&now);
    char clock[16];
    std::snprintf(clock, sizeof clock, "%02d:%02d:%02d", now.wHour, now.wMinute, now.wSecond);
    scene_.DrawFrame(frames_++, clock);
    if (Elapsed() >= seconds_) PostQuitMessage(0);
  }
  void OnPointerMove() override {}
  void OnMouseButton() override { PostQuitMessage(0); }
  void OnKey() override { PostQuitMessage(0); }
  double Elapsed() const {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart - start_.QuadPart) / frequency_.QuadPart;
  }
  int frames() const { return frames_; }

 private:
  DemoScene& scene_;
  double seconds_;
  int frames_ = 0;
  LARGE_INTEGER frequency_, start_;
};

}  // namespace

int main(int argc, char** argv) {
  const double seconds = argc > 1 ? std::atof(argv[1]) : 20.0;
  const std::string kind = argc > 2 ? argv[2] : "typical";
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &WindowProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"SkyvaultPresentBench";
  RegisterClassExW(&wc);
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN),
            height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  HWND window = CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"Skyvault", WS_POPUP, left, top,
                                width, height, nullptr, nullptr, wc.hInstance, nullptr);
  Win32DrawingControl drawing(window, std::make_unique<DemoPictureDecoder>());
  control = &drawing;
  if (!drawing.InitDisplay(800, 600, 16, "")) {
    std::fprintf(stderr, "no 16-bit display\n");
    return 1;
  }
  DemoScene scene(
      drawing, kind == "typical" ? TypicalAircraft() : FirstRunAircraft(std::atoi(kind.c_str())));
  BenchEvents events(scene, seconds);
  drawing.SetEvents(&events);
  ShowWindow(window, SW_SHOW);
  drawing.RunFrameLoop();
  std::printf("%d frames in %.2f s: %.2f frames a second on %d x %d\n", events.frames(),
              events.Elapsed(), events.frames() / events.Elapsed(), width, height);
  control = nullptr;
  DestroyWindow(window);
  return 0;
}
