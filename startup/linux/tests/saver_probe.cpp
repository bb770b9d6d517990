// Helper of the saver's process tests:
//   window WxH             makes a window, prints its id (0x...), keeps it until killed
//   check ID|root BRIDGE   exits 0 when it shows the bridge letterboxed, an aircraft over it
//   check-png FILE BRIDGE  the same for a screenshot (one output)
//   detail-png FILE        exits 0 when the screenshot is not enlarged 2x (2 x 2 blocks)
//   hash ID|root           prints a checksum of the window's pixels
//   first-frame ID         prints the milliseconds until the window's centre is not black
//   picture PATH WxH       writes a WxH PNG there (a gradient)
//   vroot ID TARGET        marks window ID with __SWM_VROOT = TARGET
//   resize ID WxH          resizes window ID
#include <X11/Xlib.h>

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <gdk-pixbuf/gdk-pixbuf.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <thread>

namespace {

bool ParseSize(const char* text, int& width, int& height) {
  return std::sscanf(text, "%dx%d", &width, &height) == 2 && width > 0 && height > 0;
}

int MakeWindow(Display* display, const char* size) {
  int width = 0, height = 0;
  if (!ParseSize(size, width, height)) return 2;
  const Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, width,
                                            height, 0, 0, BlackPixel(display, 0));
  XStoreName(display, window, "Skyvault test host");
  XMapWindow(display, window);
  XSync(display, False);
  std::printf("0x%lx\n", window);
  std::fflush(stdout);
  for (;;) pause();
}

Window Target(Display* display, const char* name) {
  return std::strcmp(name, "root") == 0 ? DefaultRootWindow(display)
                                        : static_cast<Window>(std::strtoul(name, nullptr, 0));
}

int Distance(unsigned long a, unsigned long b) {
  int sum = 0;
  for (int shift : {0, 8, 16})
    sum += std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
  return sum;
}

// A screenshot's pixels (0xRRGGBB), from an X window or a PNG; width 0 when it cannot be had.
struct Shot {
  int width = 0;
  int height = 0;
  std::function<unsigned long(int x, int y)> pixel;
  std::shared_ptr<void> owner;
};

Shot Grab(Display* display, Window window) {
  XWindowAttributes attributes{};
  if (!XGetWindowAttributes(display, window, &attributes)) return {};
  XImage* image =
      XGetImage(display, window, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
  if (!image) return {};
  return {image->width, image->height, [image](int x, int y) { return XGetPixel(image, x, y); },
          std::shared_ptr<XImage>(image, [](XImage* i) { XDestroyImage(i); })};
}

Shot LoadShot(const char* path) {
  GdkPixbuf* png = gdk_pixbuf_new_from_file(path, nullptr);
  if (!png) return {};
  const guchar* pixels = gdk_pixbuf_read_pixels(png);
  const int stride = gdk_pixbuf_get_rowstride(png), channels = gdk_pixbuf_get_n_channels(png);
  return {gdk_pixbuf_get_width(png), gdk_pixbuf_get_height(png),
          [=](int x, int y) {
            const guchar* p = pixels + y * stride + x * channels;
            return static_cast<unsigned long>((p[0] << 16) | (p[1] << 8) | p[2]);
          },
          std::shared_ptr<GdkPixbuf>(png, g_object_unref)};
}

// Compares the shot with the bridge picture scaled as the saver scales it.
int CheckShot(const Shot& shot, const char* bridgePath) {
  if (shot.width <= 0) return 2;
  const Shot bridge = LoadShot(bridgePath);
  if (bridge.width <= 0) return 2;
  const int width = shot.width, height = shot.height;
  const int targetWidth = std::min(width, height * 4 / 3);
  const int targetHeight = targetWidth * 3 / 4;
  const int left = (width - targetWidth) / 2, top = (height - targetHeight) / 2;
  long same = 0, differ = 0, blackBars = 0, bars = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const unsigned long shown = shot.pixel(x, y) & 0xFFFFFF;
      if (x < left || x >= left + targetWidth || y < top || y >= top + targetHeight) {
        ++bars;
        blackBars += shown == 0;
        continue;
      }
      const int bx = (x - left) * 800 / targetWidth, by = (y - top) * 600 / targetHeight;
      if (bx < 80 && by < 40) continue;  // the clock
      const int distance = Distance(shown, bridge.pixel(bx, by));
      same += distance < 40;
      differ += distance > 120;
    }
  }
  const long inside = static_cast<long>(targetWidth) * targetHeight;
  std::printf("bridge %.1f %%, other %ld pixels, black bars %ld of %ld\n", 100.0 * same / inside,
              differ, blackBars, bars);
  const bool looksRight = same > inside * 6 / 10 && differ > inside / 2000 && blackBars == bars;
  return looksRight ? 0 : 1;
}

// Whether a shot has detail at its own resolution: not all 2 x 2 blocks of one colour.
int CheckDetail(const Shot& shot) {
  if (shot.width <= 0) return 2;
  long blocks = 0, uneven = 0;
  for (int y = 0; y + 1 < shot.height; y += 2) {
    for (int x = 0; x + 1 < shot.width; x += 2) {
      const unsigned long p = shot.pixel(x, y);
      if (p == 0) continue;  // the bars
      ++blocks;
      uneven +=
          shot.pixel(x + 1, y) != p || shot.pixel(x, y + 1) != p || shot.pixel(x + 1, y + 1) != p;
    }
  }
  std::printf("%dx%d, %ld of %ld 2x2 blocks not of one colour\n", shot.width, shot.height, uneven,
              blocks);
  return blocks > 0 && uneven > blocks / 4 ? 0 : 1;
}

int Hash(const Shot& shot) {
  if (shot.width <= 0) return 2;
  unsigned long long hash = 1469598103934665603ull;
  for (int y = 0; y < shot.height; ++y)
    for (int x = 0; x < shot.width; ++x) hash = (hash ^ shot.pixel(x, y)) * 1099511628211ull;
  std::printf("%016llx\n", hash);
  return 0;
}

// Prints the milliseconds until the window's centre is not black (looks every 2 ms, up to 30 s).
int FirstFrame(Display* display, Window window) {
  XWindowAttributes attributes{};
  if (!XGetWindowAttributes(display, window, &attributes)) return 2;
  const auto start = std::chrono::steady_clock::now();
  using std::chrono::milliseconds;
  while (std::chrono::steady_clock::now() - start < std::chrono::seconds(30)) {
    XImage* image = XGetImage(display, window, attributes.width / 2, attributes.height / 2, 1, 1,
                              AllPlanes, ZPixmap);
    const unsigned long pixel = image ? XGetPixel(image, 0, 0) : 0;
    if (image) XDestroyImage(image);
    if ((pixel & 0xFFFFFF) != 0) {
      const auto elapsed = std::chrono::steady_clock::now() - start;
      std::printf("%lld\n", static_cast<long long>(
                                std::chrono::duration_cast<milliseconds>(elapsed).count()));
      return 0;
    }
    std::this_thread::sleep_for(milliseconds(2));
  }
  return 1;
}

// A large picture that compresses well (a few hundred kilobytes).
int WritePicture(const char* path, const char* size) {
  int width = 0, height = 0;
  if (!ParseSize(size, width, height)) return 2;
  GdkPixbuf* pixbuf = gdk_pixbuf_new(GDK_COLORSPACE_RGB, FALSE, 8, width, height);
  if (!pixbuf) return 2;
  guchar* pixels = gdk_pixbuf_get_pixels(pixbuf);
  const int stride = gdk_pixbuf_get_rowstride(pixbuf);
  for (int y = 0; y < height; ++y)
    for (guchar *p = pixels + static_cast<size_t>(y) * stride, *end = p + 3 * width; p < end;
         p += 3)
      p[0] = static_cast<guchar>(255 * y / height), p[1] = 90, p[2] = 255 - p[0];
  const bool saved = gdk_pixbuf_save(pixbuf, path, "png", nullptr, "compression", "1", nullptr);
  g_object_unref(pixbuf);
  return saved ? 0 : 1;
}

int MarkVirtualRoot(Display* display, Window window, Window target) {
  XChangeProperty(display, window, XInternAtom(display, "__SWM_VROOT", False), XA_WINDOW, 32,
                  PropModeReplace, reinterpret_cast<const unsigned char*>(&target), 1);
  XSync(display, False);
  return 0;
}

int Resize(Display* display, Window window, const char* size) {
  int width = 0, height = 0;
  if (!ParseSize(size, width, height)) return 2;
  XResizeWindow(display, window, width, height);
  XSync(display, False);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  const std::string command = argv[1];
  if (command == "check-png" && argc > 3) return CheckShot(LoadShot(argv[2]), argv[3]);
  if (command == "detail-png") return CheckDetail(LoadShot(argv[2]));
  Display* display = XOpenDisplay(nullptr);
  if (!display) return 2;
  int code = 2;
  if (command == "window") {
    code = MakeWindow(display, argv[2]);
  } else if (command == "check" && argc > 3) {
    code = CheckShot(Grab(display, Target(display, argv[2])), argv[3]);
  } else if (command == "hash") {
    code = Hash(Grab(display, Target(display, argv[2])));
  } else if (command == "picture" && argc > 3) {
    code = WritePicture(argv[2], argv[3]);
  } else if (command == "vroot" && argc > 3) {
    code = MarkVirtualRoot(display, Target(display, argv[2]), Target(display, argv[3]));
  } else if (command == "resize" && argc > 3) {
    code = Resize(display, Target(display, argv[2]), argv[3]);
  } else if (command == "first-frame") {
    code = FirstFrame(display, Target(display, argv[2]));
  }
  XCloseDisplay(display);  // the sanitizer build counts an open display as a leak
  return code;
}
