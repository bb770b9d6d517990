#pragma once

namespace skyvault::win32::setup_ids {

// Control identifiers of the settings dialog (unique across its pages).
enum : int {
  kTab = 1000,
  kPageFirst = 1001,  // the four pages: kPageFirst + 0 .. 3
  // Tab "Aircraft"
  kFrameSounds = 1010,
  kHsbVolume,
  kLblVolume,
  kChkProp,
  kLblStopSound,
  kCboSoundOff,
  kFrameSpeed,
  kHsbSpeed,
  kLblSpeedSetTo,
  kTxtSpeed,
  kLblSlide,
  kFrameMouse,
  kHsbMouseS,
  kTxtMouseS,
  kLblLightTouch,
  kLblHeavyTouch,
  kChkPowerSave,
  // Tab "BackGround"
  kFrameClock = 1040,
  kChkClock,
  kLblFontSize,
  kTxtFontSize,
  kFrameBackground,
  kOptBakGrnd0,  // kOptBakGrnd0 + position
  kOptBakGrnd1,
  kOptBakGrnd2,
  kSwatchBlack,
  kSwatchSky,
  kFrameCustom,
  kTxtBGFile,
  kCmdSelectBG,
  kLblBackgroundRule,
  kLblBackgroundFolder,
  // Tab "Logo/Message"
  kFrameLogo = 1070,
  kChkLogo,
  kCmdSelectLogo,
  kTxtLogo,
  kFrameTitle,
  kChkMessage,
  kTxtMessage,
  kLblAvailableFonts,
  kCboFontsScreen,
  kLblSampleCaption,
  kLblSample,
  // Tab "Help": question i is kHelpFirst + 2i, its answer kHelpFirst + 2i + 1
  kHelpFirst = 1100,
  // The button bar
  kCmdAbout = 1200,
  kCmdHelp,
  kCmdOK,
};

}  // namespace skyvault::win32::setup_ids
