#pragma once
#include <string>

#include "display/display_context.h"

namespace skyvault {

inline constexpr int32_t kScreenWidth = 800;
inline constexpr int32_t kScreenHeight = 600;
inline constexpr int32_t kColourDepth = 16;

inline constexpr int32_t kAircraftLoadCode = -1;  // transparent surroundings
inline constexpr int32_t kPictureLoadCode = -2;   // opaque background and logo

inline constexpr int32_t kLogoX = 1;
inline constexpr int32_t kLogoY = 20;

inline constexpr const char* kDisplayModeMessage =
    "This program requires that you use a monitor that is capable of displaying 64K colors.";
inline constexpr const char* kDisplayModeTitle = "Error opening Direct Draw!";

// The picture a stored background or logo path names. A path to nothing
// whose file name is that of a stock picture (the first-run background or
// logo, in any letter case) names that picture in the current data folder:
// stored paths outlive a moved data folder (a moved checkout, another
// package). Every other path stays as it is.
std::string PicturePath(PlatformServices& platform, const std::string& stored);

// Sets `dataPath`, opens the 800 x 600 display with 16-bit colour (or shows
// the display-mode message and returns), then creates the sprites: the
// user's background when "BackGround" is 3, the logo when "LogoChecked" is 1,
// then the sixteen aircraft in table order, each at its start position.
void OpenDrawingSession(DisplayContext& context);

}  // namespace skyvault
