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
  HANDLE first = CreateEventW(nullptr, FALSE, FALSE, nullptr),
         second = CreateEventW(nullptr, FALSE, FALSE, nullptr), kept = nullptr;
  {
    UniqueKernelHandle owner(first);
    UniqueKernelHandle other(std::move(owner));
    EXPECT_EQ(std::pair(bool(owner), other.get()), std::pair(false, first));
    other.Reset(second);
    EXPECT_EQ(std::pair(Open(first), Open(second)), std::pair(false, true));
    kept = other.Release();
    EXPECT_FALSE(other);
  }
  EXPECT_TRUE(Open(kept));
  CloseHandle(kept);
  UniqueKernelHandle invalid(INVALID_HANDLE_VALUE);  // as CreateFile fails
  EXPECT_FALSE(invalid);
}

// The saver draws on 32-bit bitmaps only.
TEST(DibSection, RowsFromTheTopAndGdiSeesThePixelsWritten) {
  DibSection bitmap(3, 2);
  ASSERT_TRUE(bitmap);
  bitmap.bits()[bitmap.stride() + 2] = 0xFF;  // pure red (BGRX) in the second row's first pixel
  MemoryDc dc;
  dc.Select(bitmap.bitmap());
  EXPECT_EQ(std::pair(GetPixel(dc.get(), 0, 1), GetPixel(dc.get(), 0, 0)),
            std::pair(RGB(255, 0, 0), RGB(0, 0, 0)));
  EXPECT_FALSE(DibSection(0, 10));
}

TEST(MemoryDc, GivesBackTheObjectsItStartedWith) {
  DibSection first(4, 4), second(2, 2);
  UniqueFont font(
      CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial"));
  MemoryDc dc;
  const auto current = [&] {
    return std::pair(GetCurrentObject(dc.get(), OBJ_BITMAP), GetCurrentObject(dc.get(), OBJ_FONT));
  };
  const auto original = current();
  // A second bitmap after the first: the original is still the one it started with.
  dc.Select(first.bitmap());
  dc.Select(second.bitmap());
  dc.Select(font.get());
  EXPECT_EQ(current(), std::pair(HGDIOBJ(second.bitmap()), HGDIOBJ(font.get())));
  dc.Select(static_cast<HBITMAP>(nullptr));
  dc.Select(static_cast<HFONT>(nullptr));
  EXPECT_EQ(current(), original);
}

TEST(ScaledFont, IsMadeAgainForANewDpiOrFace) {
  ScaledFont font(L"Arial", 825);
  const auto logFont = [](HFONT f) {
    LOGFONTW lf{};
    GetObjectW(f, sizeof lf, &lf);
    return lf;
  };
  HFONT at96 = font.At(96);
  EXPECT_EQ(font.At(96), at96);
  EXPECT_EQ(logFont(at96).lfHeight, -11);  // 8.25 points at 96 DPI
  EXPECT_EQ(logFont(font.At(192)).lfHeight, -22);
  font.SetFace(L"Courier New");
  EXPECT_STREQ(logFont(font.At(192)).lfFaceName, L"Courier New");
}

}  // namespace
}  // namespace skyvault::win32
