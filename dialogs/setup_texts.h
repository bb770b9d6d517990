#pragma once
#include <array>
#include <string>

namespace skyvault::setup_texts {

// Every caption and text the settings dialog shows, in one place.

// The maker's web address, shown in the title.
inline constexpr const char* kWebAddress = "www.hallowmere.com";
// The help page opened by the HELP button.
std::string HelpPage();
// "Skyvault1 Control Box", three blanks, the web address, two blanks.
std::string Title();

inline constexpr std::array<const char*, 4> kTabs = {"Aircraft", "BackGround", "Logo/Message",
                                                     "Help"};

// Tab "Aircraft".
inline constexpr const char* kFrameSounds = "Sounds";
inline constexpr const char* kVolumeScale =
    "Low ------------------------VOLUME ------------------------High";
inline constexpr const char* kProp = "On";
inline constexpr const char* kStopSoundAfter = "Stop sound after:                    min.";
// The part of kStopSoundAfter in front of the gap that holds the combo.
inline constexpr const char* kStopSoundAfterLead = "Stop sound after:";
inline constexpr const char* kFrameSpeed = "Aircraft Speed";
inline constexpr const char* kSpeedSetTo = "Speed Set To:";
inline constexpr const char* kSlideToAdjust = "Slide to adjust the speed";
inline constexpr const char* kFrameMouse = "Mouse Sensitivity";
inline constexpr const char* kLightTouch = "Light Touch";
inline constexpr const char* kHeavyTouch = "HeavyTouch";
inline constexpr const char* kPowerSave = "Disable any Power Saving settings";
inline constexpr const char* kPowerSaveTip =
    "If you have your Monitor set to turn off enabling this will keep that setting, otherwise "
    "the screensaver will ignore those settings";

// Tab "BackGround".
inline constexpr const char* kFrameClock = "Clock";
inline constexpr const char* kShowClock = "Show Clock";
inline constexpr const char* kFontSize = "Type the Font Size:   (i.e.: 16)";
inline constexpr const char* kFrameBackground = "Background";
inline constexpr std::array<const char*, 3> kBackgroundOptions = {"Solid Black", "Solid Sky Blue",
                                                                  "Custom"};
inline constexpr const char* kFrameCustomBackground = "Custom Back Ground";
inline constexpr const char* kSelectBackground = "Select Background";
inline constexpr const char* kBackgroundRule =
    "Backgrounds must be in .bmp format, 800x600 in size and placed in:";
inline constexpr const char* kBackgroundFolder = " C:\\Hallowmere\\Skyvault";

// Tab "Logo/Message".
inline constexpr const char* kFrameLogo = "Custom Logo";
inline constexpr const char* kDisplayLogo = "Display Logo";
inline constexpr const char* kSelectLogo = "Select &Logo";
inline constexpr const char* kFrameTitle = "Title";
inline constexpr const char* kDisplayMessage = "Display Message";
inline constexpr const char* kMessageBeforeLoading =
    "Type your Company name, I'd Rather Be Flying,etc...";
inline constexpr const char* kAvailableFonts = "Available Fonts:";
inline constexpr const char* kSample = "Sample:";
inline constexpr const char* kSampleText = "Aa Bb Cc Dd";

// Tab "Help": three questions, each with its answer.
struct HelpEntry {
  const char* question;
  const char* answer;
};
inline constexpr std::array<HelpEntry, 3> kHelp = {{
    {"How do I load a custom background?",
     "Simply go to the background tab and select the CUSTOM button and the Select Background "
     "button.  That will open an 'OPEN' dialog box where you may select the background of your "
     "choice."},
    {"How do I load a custom logo?",
     "Simply go to the Logo/Message tab and select the Display Log check box and the Select Logo "
     "button.  That will open an 'OPEN' dialog box where you may select the background of your "
     "choice."},
    {"Why is it slow loading the settings screen?",
     "The screen saver is loading 40 of the fonts you have installed on your computer.  It takes "
     "a little time to extract that information.  This is why we limited the number to 40."},
}};

// The button bar.
inline constexpr const char* kAbout = "&About";
inline constexpr const char* kHelpButton = "&HELP";
inline constexpr const char* kOK = "&OK";

// The About message: the product line, then the rights line.
inline constexpr const char* kProductLine = "Skyvault1 Screen Saver, version 1.0";
inline constexpr const char* kRightsLine = "Copyright (C) 2026 Hallowmere. All rights reserved.";
// The title of the application's own message boxes.
inline constexpr const char* kApplicationTitle = "Skyvault";
std::string AboutMessage();

}  // namespace skyvault::setup_texts
