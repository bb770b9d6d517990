#include "controls/win32/wic_image_decoder.h"

#include <gtest/gtest.h>

#include <random>

#include "controls/win32/tests/test_files.h"
// After windows.h:
#include <objbase.h>
#include <wincodec.h>

#include "controls/win32/com_ptr.h"

namespace skyvault::win32 {
namespace {

using testing::Bytes;
using testing::Put16;
using testing::Put32;
using testing::TempFolder;

// The test picture, 4 x 2, as 0xRRGGBB: top row red, green, blue, white;
// bottom row black, yellow, cyan, magenta.
constexpr uint32_t kColours[2][4] = {{0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF},
                                     {0x000000, 0xFFFF00, 0x00FFFF, 0xFF00FF}};
// Palette positions of those colours in the palettes below.
const std::vector<uint32_t> kPalette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF,
                                        0xFFFFFF, 0xFFFF00, 0x00FFFF, 0xFF00FF};
constexpr int kIndex[2][4] = {{1, 2, 3, 4}, {0, 5, 6, 7}};

struct BmpHeader {
  int width = 4;
  int height = 2;  // negative: rows from the top
  int bitsPerPixel = 24;
  uint32_t compression = BI_RGB;
  std::vector<uint32_t> palette;
  uint32_t masks[4] = {0, 0, 0, 0};  // red, green, blue, alpha
  bool v5 = false;
};

// A bitmap file: file header, info header (40 bytes, or the 124-byte V5
// header with its masks), masks for BI_BITFIELDS, palette, pixel data.
Bytes BitmapFile(const BmpHeader& h, const Bytes& data) {
  const uint32_t infoSize = h.v5 ? 124 : 40;
  const uint32_t extraMasks = (!h.v5 && h.compression == BI_BITFIELDS) ? 12 : 0;
  const uint32_t offset = 14 + infoSize + extraMasks + 4 * static_cast<uint32_t>(h.palette.size());
  Bytes b{'B', 'M'};
  Put32(b, offset + static_cast<uint32_t>(data.size()));
  Put32(b, 0);
  Put32(b, offset);
  Put32(b, infoSize);
  Put32(b, static_cast<uint32_t>(h.width));
  Put32(b, static_cast<uint32_t>(h.height));
  Put16(b, 1);
  Put16(b, h.bitsPerPixel);
  Put32(b, h.compression);
  Put32(b, static_cast<uint32_t>(data.size()));
  Put32(b, 2835);
  Put32(b, 2835);
  Put32(b, static_cast<uint32_t>(h.palette.size()));
  Put32(b, 0);
  if (h.v5) {
    for (uint32_t m : h.masks) Put32(b, m);
    Put32(b, 0x73524742);  // 'sRGB'
    b.resize(b.size() + 36 + 12, 0);  // endpoints, gamma
    Put32(b, 4);  // LCS_GM_IMAGES
    Put32(b, 0);
    Put32(b, 0);
    Put32(b, 0);
  } else if (extraMasks) {
    for (int i = 0; i < 3; ++i) Put32(b, h.masks[i]);
  }
  for (uint32_t c : h.palette) Put32(b, c);
  b.insert(b.end(), data.begin(), data.end());
  return b;
}

// Pixel rows, bottom row first unless top-down, each padded to 4 bytes.
template <typename PutPixel>
Bytes Rows(int bitsPerPixel, bool topDown, PutPixel put) {
  Bytes data;
  const int rowBytes = ((4 * bitsPerPixel + 31) / 32) * 4;
  for (int i = 0; i < 2; ++i) {
    const int y = topDown ? i : 1 - i;
    Bytes row;
    put(row, y);
    row.resize(rowBytes, 0);
    data.insert(data.end(), row.begin(), row.end());
  }
  return data;
}

Bytes Bmp24(bool topDown) {
  BmpHeader h;
  h.height = topDown ? -2 : 2;
  return BitmapFile(h, Rows(24, topDown, [](Bytes& row, int y) {
                      for (uint32_t c : kColours[y]) {
                        row.push_back(c & 0xFF);
                        row.push_back((c >> 8) & 0xFF);
                        row.push_back(c >> 16);
                      }
                    }));
}

Bytes Bmp32(bool v5, uint32_t alphaOf(int x, int y)) {
  BmpHeader h;
  h.bitsPerPixel = 32;
  if (v5) {
    h.v5 = true;
    h.compression = BI_BITFIELDS;
    h.masks[0] = 0x00FF0000;
    h.masks[1] = 0x0000FF00;
    h.masks[2] = 0x000000FF;
    h.masks[3] = 0xFF000000;
  }
  return BitmapFile(h, Rows(32, false, [&](Bytes& row, int y) {
                      for (int x = 0; x < 4; ++x) Put32(row, kColours[y][x] | (alphaOf(x, y) << 24));
                    }));
}

Bytes Bmp16(bool bitfields565) {
  BmpHeader h;
  h.bitsPerPixel = 16;
  if (bitfields565) {
    h.compression = BI_BITFIELDS;
    h.masks[0] = 0xF800;
    h.masks[1] = 0x07E0;
    h.masks[2] = 0x001F;
  }
  return BitmapFile(h, Rows(16, false, [&](Bytes& row, int y) {
                      for (uint32_t c : kColours[y]) {
                        const uint32_t r = (c >> 16) != 0, g = ((c >> 8) & 0xFF) != 0, b = (c & 0xFF) != 0;
                        Put16(row, bitfields565 ? (r * 0xF800 | g * 0x07E0 | b * 0x001F)
                                                : (r * 0x7C00 | g * 0x03E0 | b * 0x001F));
                      }
                    }));
}

Bytes BmpIndexed(int bits) {
  BmpHeader h;
  h.bitsPerPixel = bits;
  h.palette = kPalette;
  return BitmapFile(h, Rows(bits, false, [&](Bytes& row, int y) {
                      if (bits == 8) {
                        for (int x = 0; x < 4; ++x) row.push_back(kIndex[y][x]);
                      } else {
                        row.push_back(kIndex[y][0] << 4 | kIndex[y][1]);
                        row.push_back(kIndex[y][2] << 4 | kIndex[y][3]);
                      }
                    }));
}

Bytes BmpRle(int bits) {
  BmpHeader h;
  h.bitsPerPixel = bits;
  h.compression = bits == 8 ? BI_RLE8 : BI_RLE4;
  h.palette = kPalette;
  Bytes data;
  for (int y = 1; y >= 0; --y) {
    if (bits == 8) {
      for (int x = 0; x < 4; ++x) data.insert(data.end(), {1, static_cast<uint8_t>(kIndex[y][x])});
    } else {
      // Runs of two pixels alternating two indexes.
      data.insert(data.end(), {2, static_cast<uint8_t>(kIndex[y][0] << 4 | kIndex[y][1])});
      data.insert(data.end(), {2, static_cast<uint8_t>(kIndex[y][2] << 4 | kIndex[y][3])});
    }
    data.insert(data.end(), {0, 0});
  }
  data.insert(data.end(), {0, 1});
  return BitmapFile(h, data);
}

Bytes Bmp1() {
  BmpHeader h;
  h.bitsPerPixel = 1;
  h.palette = {0x000000, 0xFFFFFF};
  // Top row 1 0 1 0, bottom row 0 1 0 1.
  return BitmapFile(h, Rows(1, false, [](Bytes& row, int y) { row.push_back(y == 0 ? 0xA0 : 0x50); }));
}

class WicImageDecoderTest : public ::testing::Test {
 protected:
  void ExpectTestColours(const std::optional<DecodedImage>& image, int tolerance = 0) {
    ASSERT_TRUE(image.has_value());
    ASSERT_EQ(image->width, 4);
    ASSERT_EQ(image->height, 2);
    EXPECT_FALSE(image->hasAlpha);
    for (int y = 0; y < 2; ++y) {
      for (int x = 0; x < 4; ++x) {
        const uint32_t got = image->pixels[y * 4 + x];
        EXPECT_EQ(got >> 24, 0xFFu) << x << "," << y;
        for (int shift : {0, 8, 16}) {
          const int want = (kColours[y][x] >> shift) & 0xFF;
          const int have = (got >> shift) & 0xFF;
          EXPECT_LE(std::abs(want - have), tolerance)
              << "pixel " << x << "," << y << " channel " << shift << ": " << std::hex << got;
        }
      }
    }
  }

  // Encodes the test picture with the system's encoder for `container`.
  std::string Encode(const GUID& container, const std::wstring& name, bool withAlpha) {
    ComPtr<IWICImagingFactory> factory;
    CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                     reinterpret_cast<void**>(factory.Put()));
    std::vector<uint32_t> pixels;
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 4; ++x)
        pixels.push_back(kColours[y][x] | ((withAlpha && x == 0 && y == 0 ? 0x00u : 0xFFu) << 24));
    ComPtr<IWICBitmap> bitmap;
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapEncoder> encoder;
    ComPtr<IWICBitmapFrameEncode> frame;
    ComPtr<IPropertyBag2> options;
    const std::string path = folder.Path(name);
    const std::wstring wide = Widen(path);
    WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
    if (!factory ||
        FAILED(factory->CreateBitmapFromMemory(4, 2, GUID_WICPixelFormat32bppBGRA, 16, 32,
                                               reinterpret_cast<BYTE*>(pixels.data()), bitmap.Put())) ||
        FAILED(factory->CreateStream(stream.Put())) ||
        FAILED(stream->InitializeFromFilename(wide.c_str(), GENERIC_WRITE)) ||
        FAILED(factory->CreateEncoder(container, nullptr, encoder.Put())) ||
        FAILED(encoder->Initialize(stream.get(), WICBitmapEncoderNoCache)) ||
        FAILED(encoder->CreateNewFrame(frame.Put(), options.Put())) ||
        FAILED(frame->Initialize(options.get())) || FAILED(frame->SetSize(4, 2)) ||
        FAILED(frame->SetPixelFormat(&format)) || FAILED(frame->WriteSource(bitmap.get(), nullptr)) ||
        FAILED(frame->Commit()) || FAILED(encoder->Commit())) {
      ADD_FAILURE() << "could not encode " << path;
    }
    return path;
  }

  TempFolder folder;
  WicImageDecoder decoder;
};

TEST_F(WicImageDecoderTest, BitmapsOfEveryDepth) {
  ExpectTestColours(decoder.Decode(folder.Write(L"24.bmp", Bmp24(false))));
  ExpectTestColours(decoder.Decode(folder.Write(L"24top.bmp", Bmp24(true))));
  ExpectTestColours(decoder.Decode(folder.Write(L"16.bmp", Bmp16(false))));
  ExpectTestColours(decoder.Decode(folder.Write(L"565.bmp", Bmp16(true))));
  ExpectTestColours(decoder.Decode(folder.Write(L"8.bmp", BmpIndexed(8))));
  ExpectTestColours(decoder.Decode(folder.Write(L"4.bmp", BmpIndexed(4))));
  ExpectTestColours(decoder.Decode(folder.Write(L"rle8.bmp", BmpRle(8))));
  ExpectTestColours(decoder.Decode(folder.Write(L"rle4.bmp", BmpRle(4))));
  // A plain 32-bit bitmap's fourth byte is padding, whatever it holds.
  ExpectTestColours(decoder.Decode(folder.Write(L"32.bmp", Bmp32(false, [](int, int) { return 0x00u; }))));
  ExpectTestColours(decoder.Decode(folder.Write(L"32x.bmp", Bmp32(false, [](int x, int) { return x * 60u; }))));
}

TEST_F(WicImageDecoderTest, OneBitBitmap) {
  auto image = decoder.Decode(folder.Write(L"1.bmp", Bmp1()));
  ASSERT_TRUE(image.has_value());
  ASSERT_EQ(image->width, 4);
  const uint32_t w = 0xFFFFFFFF, k = 0xFF000000;
  EXPECT_EQ(image->pixels, (std::vector<uint32_t>{w, k, w, k, k, w, k, w}));
}

TEST_F(WicImageDecoderTest, AlphaBitmapsArePremultiplied) {
  auto image = decoder.Decode(folder.Write(L"v5.bmp", Bmp32(true, [](int x, int y) {
    return y == 1 ? 0xFFu : x == 0 ? 0x00u : x == 1 ? 0x80u : 0xFFu;
  })));
  ASSERT_TRUE(image.has_value());
  EXPECT_TRUE(image->hasAlpha);
  EXPECT_EQ(image->pixels[0] >> 24, 0u);               // red, transparent
  EXPECT_EQ(image->pixels[0] & 0xFFFFFF, 0u);
  EXPECT_EQ(image->pixels[1], 0x80008000u);            // green at 128: 255 * 128 / 255
  EXPECT_EQ(image->pixels[2], 0xFF0000FFu);            // blue, opaque
  EXPECT_EQ(image->pixels[4], 0xFF000000u);            // black, opaque
}

TEST_F(WicImageDecoderTest, AnAlphaChannelOfZeroesMeansOpaque) {
  auto image = decoder.Decode(folder.Write(L"v5zero.bmp", Bmp32(true, [](int, int) { return 0u; })));
  ExpectTestColours(image);
}

TEST_F(WicImageDecoderTest, GifWithATransparentColour) {
  // 2 x 1: palette red, blue; blue is the transparent index.
  const Bytes gif = {'G', 'I', 'F', '8', '9', 'a', 2, 0, 1, 0, 0x80, 0, 0,
                     0xFF, 0, 0, 0, 0, 0xFF,
                     0x21, 0xF9, 4, 1, 0, 0, 1, 0,
                     0x2C, 0, 0, 0, 0, 2, 0, 1, 0, 0,
                     2, 2, 0x44, 0x0A, 0, 0x3B};
  auto image = decoder.Decode(folder.Write(L"t.gif", gif));
  ASSERT_TRUE(image.has_value());
  ASSERT_EQ(image->width, 2);
  ASSERT_EQ(image->height, 1);
  EXPECT_TRUE(image->hasAlpha);
  EXPECT_EQ(image->pixels[0], 0xFFFF0000u);
  EXPECT_EQ(image->pixels[1] >> 24, 0u);
}

TEST_F(WicImageDecoderTest, PngKeepsItsAlpha) {
  auto image = decoder.Decode(Encode(GUID_ContainerFormatPng, L"a.png", true));
  ASSERT_TRUE(image.has_value());
  EXPECT_TRUE(image->hasAlpha);
  EXPECT_EQ(image->pixels[0], 0u);
  EXPECT_EQ(image->pixels[1], 0xFF00FF00u);
  EXPECT_EQ(image->pixels[7], 0xFFFF00FFu);
}

TEST_F(WicImageDecoderTest, OpaquePngAndJpeg) {
  ExpectTestColours(decoder.Decode(Encode(GUID_ContainerFormatPng, L"o.png", false)));
  // JPEG is lossy and subsamples colour: pure colours in 4 x 2 come back near.
  auto jpeg = decoder.Decode(Encode(GUID_ContainerFormatJpeg, L"o.jpg", false));
  ASSERT_TRUE(jpeg.has_value());
  EXPECT_EQ(jpeg->width, 4);
  EXPECT_EQ(jpeg->height, 2);
  EXPECT_FALSE(jpeg->hasAlpha);
}

TEST_F(WicImageDecoderTest, TheContentDecidesNotTheName) {
  const std::string png = Encode(GUID_ContainerFormatPng, L"real.png", false);
  std::filesystem::copy_file(std::filesystem::path(Widen(png)), folder.path() / L"fake.bmp");
  ExpectTestColours(decoder.Decode(folder.Path(L"fake.bmp")));
  ExpectTestColours(decoder.Decode(folder.Write(L"bitmap.png", Bmp24(false))));
}

TEST_F(WicImageDecoderTest, PathsWithNonAsciiNames) {
  ExpectTestColours(decoder.Decode(folder.Write(L"Fl\u00fcgel \u65e5.bmp", Bmp24(false))));
}

TEST_F(WicImageDecoderTest, OversizedPicturesAreRefused) {
  BmpHeader h;
  h.width = 65535;
  h.height = 65535;
  EXPECT_FALSE(decoder.Decode(folder.Write(L"huge.bmp", BitmapFile(h, Bytes(64, 0x55)))).has_value());
  h.width = 8193;
  h.height = 1;
  EXPECT_FALSE(decoder.Decode(folder.Write(L"wide.bmp", BitmapFile(h, Bytes(8193 * 3 + 1, 0)))).has_value());
  h.width = 1;
  h.height = -8193;
  EXPECT_FALSE(decoder.Decode(folder.Write(L"tall.bmp", BitmapFile(h, Bytes(8193 * 4, 0)))).has_value());
}

TEST_F(WicImageDecoderTest, HostileFilesNeverCrash) {
  BmpHeader h;
  h.width = 0;
  h.height = 0;
  EXPECT_FALSE(decoder.Decode(folder.Write(L"empty.bmp", BitmapFile(h, {}))).has_value());
  EXPECT_FALSE(decoder.Decode(folder.Write(L"zero-bytes.bmp", {})).has_value());
  EXPECT_FALSE(decoder.Decode(folder.Path(L"missing.bmp")).has_value());
  EXPECT_FALSE(decoder.Decode(Narrow(folder.path().wstring())).has_value());  // a folder
  EXPECT_FALSE(decoder.Decode("").has_value());

  std::mt19937 random(7);
  Bytes noise(4096);
  for (auto& b : noise) b = static_cast<uint8_t>(random());
  EXPECT_FALSE(decoder.Decode(folder.Write(L"noise.bmp", noise)).has_value());
  Bytes bmNoise = noise;
  bmNoise[0] = 'B';
  bmNoise[1] = 'M';
  decoder.Decode(folder.Write(L"bm-noise.bmp", bmNoise));

  // Cut short: no crash; whatever comes back has the size the header says.
  const Bytes whole = Bmp24(false);
  for (size_t length : {size_t{2}, size_t{14}, size_t{30}, size_t{54}, whole.size() - 5}) {
    auto image = decoder.Decode(folder.Write(L"cut.bmp", Bytes(whole.begin(), whole.begin() + length)));
    if (image) {
      EXPECT_EQ(image->pixels.size(), static_cast<size_t>(image->width) * image->height);
    }
  }
  h.width = 100;
  h.height = 100;
  auto shortData = decoder.Decode(folder.Write(L"short.bmp", BitmapFile(h, Bytes(10, 0x7F))));
  if (shortData) {
    EXPECT_EQ(shortData->pixels.size(), 100u * 100u);
  }
  const std::string png = Encode(GUID_ContainerFormatPng, L"whole.png", false);
  std::filesystem::resize_file(std::filesystem::path(Widen(png)), 60);
  decoder.Decode(png);
  // Palette indexes beyond the palette, and a negative width.
  BmpHeader bad;
  bad.bitsPerPixel = 8;
  bad.palette = {0x123456, 0x654321};
  decoder.Decode(folder.Write(L"index.bmp", BitmapFile(bad, Bytes(8, 200))));
  bad.width = -4;
  EXPECT_FALSE(decoder.Decode(folder.Write(L"negative.bmp", BitmapFile(bad, Bytes(8, 0)))).has_value());
  // RLE that runs past the picture's end.
  BmpHeader rle;
  rle.bitsPerPixel = 8;
  rle.compression = BI_RLE8;
  rle.palette = kPalette;
  decoder.Decode(folder.Write(L"rle-over.bmp", BitmapFile(rle, Bytes{255, 1, 255, 2, 0, 2, 200, 200, 255, 3})));
}

}  // namespace
}  // namespace skyvault::win32
