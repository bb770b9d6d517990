// The owners of Windows handles: each handle released once, bitmaps that GDI
// can draw on, fonts made again for the DPI.
#include <gtest/gtest.h>

#include "platform/win32/dib_section.h"
#include "platform/win32/scaled_font.h"
#include "platform/win32/unique_handle.h"

namespace skyvault::win32 {
namespace {

bool Open(HANDLE handle) {
  DWORD flags = 0;
  return GetHandleInformation(handle, &flags) != FALSE;
}

TEST(UniqueHandle, ClosesOnceWhenReplacedOrGoneAndNeverWhenReleased) {
  HANDLE first = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  HANDLE second = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  HANDLE kept = nullptr;
  {
    UniqueKernelHandle owner(first);
    UniqueKernelHandle other(std::move(owner));
    EXPECT_FALSE(owner);
    EXPECT_EQ(other.get(), first);
    other.Reset(second);
    EXPECT_FALSE(Open(first));
    EXPECT_TRUE(Open(second));
    kept = other.Release();
    EXPECT_FALSE(other);
  }
  EXPECT_TRUE(Open(kept));
  CloseHandle(kept);
  UniqueKernelHandle invalid(INVALID_HANDLE_VALUE);  // as CreateFile fails
  EXPECT_FALSE(invalid);
}

TEST(DibSection, RowsPadToFourBytesAndGdiSeesThePixelsWritten) {
  for (const auto& [bitsPerPixel, stride] : {std::pair{16, 8}, {32, 12}}) {
    DibSection bitmap(3, 2, bitsPerPixel);
    ASSERT_TRUE(bitmap) << bitsPerPixel;
    EXPECT_EQ(bitmap.stride(), stride);
    // Pure red in the second row's first pixel: 565 or BGRX.
    uint8_t* pixel = bitmap.bits() + bitmap.stride();
    if (bitsPerPixel == 16) {
      pixel[0] = 0x00, pixel[1] = 0xF8;
    } else {
      pixel[2] = 0xFF;
    }
    MemoryDc dc;
    dc.Select(bitmap.bitmap());
    EXPECT_EQ(GetPixel(dc.get(), 0, 1), RGB(255, 0, 0)) << bitsPerPixel;
    EXPECT_EQ(GetPixel(dc.get(), 0, 0), RGB(0, 0, 0)) << bitsPerPixel;
  }
  EXPECT_FALSE(DibSection(0, 10, 32));
}

TEST(MemoryDc, GivesBackTheObjectsItStartedWith) {
  DibSection first(4, 4, 32), second(2, 2, 32);
  UniqueFont font(
      CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial"));
  MemoryDc dc;
  const HGDIOBJ originalBitmap = GetCurrentObject(dc.get(), OBJ_BITMAP);
  const HGDIOBJ originalFont = GetCurrentObject(dc.get(), OBJ_FONT);
  dc.Select(first.bitmap());
  dc.Select(second.bitmap());  // the original is still the one it started with
  dc.Select(font.get());
  EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BITMAP), second.bitmap());
  EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_FONT), font.get());
  dc.Select(static_cast<HBITMAP>(nullptr));
  dc.Select(static_cast<HFONT>(nullptr));
  EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BITMAP), originalBitmap);
  EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_FONT), originalFont);
}

TEST(ScaledFont, IsMadeAgainForANewDpiOrFace) {
  ScaledFont font(L"Arial", 825);
  const auto height = [](HFONT f) {
    LOGFONTW lf{};
    GetObjectW(f, sizeof lf, &lf);
    return lf.lfHeight;
  };
  HFONT at96 = font.At(96);
  EXPECT_EQ(font.At(96), at96);
  EXPECT_EQ(height(at96), -11);  // 8.25 points at 96 DPI
  EXPECT_EQ(height(font.At(192)), -22);
  font.SetFace(L"Courier New");
  LOGFONTW lf{};
  GetObjectW(font.At(192), sizeof lf, &lf);
  EXPECT_STREQ(lf.lfFaceName, L"Courier New");
}

}  // namespace
}  // namespace skyvault::win32
