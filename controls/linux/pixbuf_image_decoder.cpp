#include "controls/linux/pixbuf_image_decoder.h"

#include <fcntl.h>
#include <gdk-pixbuf/gdk-pixbuf.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <new>

#include "controls/picture_alpha.h"

namespace skyvault {
namespace {

// One straight R, G, B[, A] pixel of gdk-pixbuf's as 0xAARRGGBB.
uint32_t FromPixbufPixel(const uint8_t* in, int channels) {
  const uint32_t alpha = channels == 4 ? in[3] : 255;
  return alpha << 24 | uint32_t{in[0]} << 16 | uint32_t{in[1]} << 8 | in[2];
}

// `part` of gdk-pixbuf's rows of straight R, G, B[, A] bytes as 0xAARRGGBB
// pixels, then the alpha rules every decoder applies.
DecodedImage FromPixbufRows(const PixelRect& part, const uint8_t* rows, int rowStride,
                            int channels) {
  DecodedImage image;
  image.width = part.Width();
  image.height = part.Height();
  image.left = part.left;
  image.top = part.top;
  image.cornerColour = FromPixbufPixel(rows, channels) & 0xFFFFFF;
  image.pixels.resize(static_cast<size_t>(image.width) * image.height);
  for (int y = 0; y < image.height; ++y) {
    const uint8_t* in = rows + static_cast<size_t>(part.top + y) * rowStride +
                        static_cast<size_t>(part.left) * channels;
    uint32_t* out = &image.pixels[static_cast<size_t>(y) * image.width];
    for (int x = 0; x < image.width; ++x, in += channels) out[x] = FromPixbufPixel(in, channels);
  }
  ApplyAlphaRules(image, AlphaForm::Straight);
  return image;
}

// An open file that is a regular file: a named pipe, a device or a socket
// could block the reading thread for good (or never end), so it is refused
// before a byte is read. Opening does not wait either: a pipe's open waits
// for a writer unless asked not to.
class RegularFile {
 public:
  explicit RegularFile(const std::string& path)
      : fd_(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)) {
    struct stat info {};
    if (fd_ >= 0 && (fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode))) {
      close(fd_);
      fd_ = -1;
    }
  }
  ~RegularFile() {
    if (fd_ >= 0) close(fd_);
  }
  RegularFile(const RegularFile&) = delete;
  RegularFile& operator=(const RegularFile&) = delete;
  bool is_open() const { return fd_ >= 0; }
  // Up to `size` bytes; 0 at the end, -1 on an error.
  ssize_t Read(uint8_t* into, size_t size) {
    ssize_t got;
    do {
      got = read(fd_, into, size);
    } while (got < 0 && errno == EINTR);
    return got;
  }

 private:
  int fd_;
};

// What the loader's size handler learns and decides: the picture's size
// and the part of it to keep, asked for before any pixel is decoded. A
// picture too large on either side, or with nothing to keep, stops the
// loading (a size of 0 x 0 tells the loader to give up).
struct SizeAnswer {
  const PartOfPicture& part;
  int width = 0, height = 0;
  PixelRect kept{};
  bool refused = false;
};

void AskForThePart(GdkPixbufLoader* loader, int width, int height, gpointer data) {
  SizeAnswer& answer = *static_cast<SizeAnswer*>(data);
  answer.width = width;
  answer.height = height;
  if (width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide) {
    answer.kept = answer.part(width, height).Intersect({0, 0, width, height});
  }
  if (answer.kept.Empty()) {
    answer.refused = true;
    gdk_pixbuf_loader_set_size(loader, 0, 0);
  }
}

// The file's picture through a gdk-pixbuf loader fed from the open file;
// null when it is not a picture, is damaged, is too large or has nothing to
// keep. gdk-pixbuf asks for its pixels with g_try_malloc: no memory is no
// picture.
GdkPixbuf* LoadPixbuf(RegularFile& file, SizeAnswer& answer) {
  GdkPixbufLoader* loader = gdk_pixbuf_loader_new();
  g_signal_connect(loader, "size-prepared", G_CALLBACK(AskForThePart), &answer);
  bool fed = true;
  uint8_t chunk[65536];
  for (ssize_t got; fed && !answer.refused && (got = file.Read(chunk, sizeof chunk)) != 0;) {
    fed = got > 0 && gdk_pixbuf_loader_write(loader, chunk, static_cast<gsize>(got), nullptr);
  }
  const bool closed = gdk_pixbuf_loader_close(loader, nullptr);
  GdkPixbuf* pixbuf = nullptr;
  if (fed && closed && !answer.refused && !answer.kept.Empty()) {
    pixbuf = gdk_pixbuf_loader_get_pixbuf(loader);
    if (pixbuf) g_object_ref(pixbuf);
  }
  g_object_unref(loader);
  return pixbuf;
}

}  // namespace

std::optional<DecodedImage> PixbufImageDecoder::Decode(const std::string& path) {
  return DecodePart(path, [](int width, int height) { return PixelRect{0, 0, width, height}; });
}

std::optional<DecodedImage> PixbufImageDecoder::DecodePart(const std::string& path,
                                                           const PartOfPicture& part) {
  if (path.empty()) return std::nullopt;
  RegularFile file(path);
  if (!file.is_open()) return std::nullopt;
  SizeAnswer answer{part};
  GdkPixbuf* pixbuf = LoadPixbuf(file, answer);
  if (!pixbuf) return std::nullopt;

  std::optional<DecodedImage> image;
  const int w = gdk_pixbuf_get_width(pixbuf), h = gdk_pixbuf_get_height(pixbuf);
  const int channels = gdk_pixbuf_get_n_channels(pixbuf);
  // The header may have promised another size than the pixels have.
  if (gdk_pixbuf_get_colorspace(pixbuf) == GDK_COLORSPACE_RGB &&
      gdk_pixbuf_get_bits_per_sample(pixbuf) == 8 && w == answer.width && h == answer.height &&
      (channels == 3 || channels == 4)) {
    try {
      image = FromPixbufRows(answer.kept, gdk_pixbuf_read_pixels(pixbuf),
                             gdk_pixbuf_get_rowstride(pixbuf), channels);
    } catch (const std::bad_alloc&) {
      image.reset();
    }
  }
  g_object_unref(pixbuf);
  return image;
}

}  // namespace skyvault
