#include "controls/win32/wic_image_decoder.h"

#include "platform/win32/win32_headers.h"
// Windows headers first.
#include <objbase.h>
#include <wincodec.h>

#include <new>
#include <optional>
#include <thread>

#include "controls/picture_alpha.h"
#include "platform/win32/com_ptr.h"

namespace skyvault::win32 {

// An imaging factory in the calling thread's COM apartment, which it joins
// (and leaves with the factory) when it is not in one already.
class ImagingFactory {
 public:
  explicit ImagingFactory(DWORD apartment)
      : comStarted_(SUCCEEDED(CoInitializeEx(nullptr, apartment))) {  // S_FALSE too: balanced
    CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                     reinterpret_cast<void**>(&factory_));
  }
  ~ImagingFactory() {
    if (factory_) factory_->Release();
    if (comStarted_) CoUninitialize();
  }
  ImagingFactory(const ImagingFactory&) = delete;
  ImagingFactory& operator=(const ImagingFactory&) = delete;
  IWICImagingFactory* get() const { return factory_; }

 private:
  bool comStarted_;
  IWICImagingFactory* factory_ = nullptr;
};

namespace {

// A file opened for reading only when it is a file on a disk: a named pipe,
// a console or another device could keep the reading thread waiting for
// good, so it is refused before a byte is read. The decoder then reads this
// handle, so the file checked is the file read.
class DiskFile {
 public:
  explicit DiskFile(const std::wstring& path)
      : handle_(CreateFileW(path.c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {
    if (handle_ != INVALID_HANDLE_VALUE && GetFileType(handle_) != FILE_TYPE_DISK) {
      CloseHandle(handle_);
      handle_ = INVALID_HANDLE_VALUE;
    }
  }
  ~DiskFile() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  DiskFile(const DiskFile&) = delete;
  DiskFile& operator=(const DiskFile&) = delete;
  bool is_open() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

}  // namespace

WicImageDecoder::WicImageDecoder()
    : owner_(std::this_thread::get_id()),
      factory_(std::make_unique<ImagingFactory>(COINIT_APARTMENTTHREADED)) {}

WicImageDecoder::~WicImageDecoder() = default;

std::optional<DecodedImage> WicImageDecoder::Decode(const std::string& path) {
  return DecodePart(path, [](int width, int height) { return PixelRect{0, 0, width, height}; });
}

std::optional<DecodedImage> WicImageDecoder::DecodePart(const std::string& path,
                                                        const PartOfPicture& part) {
  // On another thread, a factory for this read only, declared first so that
  // it outlives every object made from it. (One kept for the thread's life
  // would be released by a thread-local destructor, which mingw-w64 may run
  // after the thread's storage is gone: a crash when a saver ends while
  // pictures are still being read.)
  std::optional<ImagingFactory> forThisRead;
  IWICImagingFactory* factory = factory_->get();
  if (std::this_thread::get_id() != owner_)
    factory = forThisRead.emplace(COINIT_MULTITHREADED).get();
  if (!factory || path.empty()) return std::nullopt;
  // Declared before the decoder, which reads it until it goes.
  const DiskFile file(Widen(path));
  if (!file.is_open()) return std::nullopt;
  ComPtr<IWICBitmapDecoder> decoder;
  if (FAILED(factory->CreateDecoderFromFileHandle(reinterpret_cast<ULONG_PTR>(file.get()), nullptr,
                                                  WICDecodeMetadataCacheOnDemand, decoder.Put()))) {
    return std::nullopt;
  }
  ComPtr<IWICBitmapFrameDecode> frame;
  if (FAILED(decoder->GetFrame(0, frame.Put()))) return std::nullopt;
  UINT width = 0, height = 0;
  if (FAILED(frame->GetSize(&width, &height)) || width == 0 || height == 0 ||
      width > static_cast<UINT>(kMaxPictureSide) || height > static_cast<UINT>(kMaxPictureSide)) {
    return std::nullopt;
  }
  // Straight alpha, so that a picture whose alpha is all zero keeps its
  // colours (see ApplyAlphaRules).
  ComPtr<IWICFormatConverter> converter;
  if (FAILED(factory->CreateFormatConverter(converter.Put())) ||
      FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppBGRA,
                                   WICBitmapDitherTypeNone, nullptr, 0.0,
                                   WICBitmapPaletteTypeCustom))) {
    return std::nullopt;
  }
  const PixelRect kept = part(static_cast<int>(width), static_cast<int>(height))
                             .Intersect({0, 0, static_cast<int>(width), static_cast<int>(height)});
  if (kept.Empty()) return std::nullopt;
  // Only the part is copied out of the codec.
  DecodedImage image;
  image.width = kept.Width();
  image.height = kept.Height();
  image.left = kept.left;
  image.top = kept.top;
  const WICRect rect{kept.left, kept.top, kept.Width(), kept.Height()};
  const UINT stride = static_cast<UINT>(image.width) * 4;
  try {
    image.pixels.assign(static_cast<size_t>(image.width) * image.height, 0);
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
  if (FAILED(converter->CopyPixels(&rect, stride, stride * static_cast<UINT>(image.height),
                                   reinterpret_cast<BYTE*>(image.pixels.data())))) {
    return std::nullopt;
  }
  uint32_t corner = image.pixels[0];
  const WICRect first{0, 0, 1, 1};
  if ((kept.left != 0 || kept.top != 0) &&
      FAILED(converter->CopyPixels(&first, 4, 4, reinterpret_cast<BYTE*>(&corner)))) {
    return std::nullopt;
  }
  image.cornerColour = corner & 0xFFFFFF;
  ApplyAlphaRules(image, AlphaForm::Straight);
  return image;
}

}  // namespace skyvault::win32
