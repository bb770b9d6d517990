#pragma once
#include <span>

#include "dialogs/setup_view.h"
#include "dialogs/win32/twip_layout.h"
#include "platform/win32/win32_headers.h"

namespace skyvault::win32 {

// The settings dialog's client area and button bar, in twips.
inline constexpr int kSetupClientWidth = 8955;
inline constexpr int kSetupClientHeight = 6075;
inline constexpr int kSetupToolBarHeight = 675;

// Where a control stands: on the dialog itself (the tab control and the
// button bar) or on one of the tab control's four pages.
enum class SetupPage { Dialog = -1, Aircraft = 0, BackGround = 1, LogoMessage = 2, Help = 3 };
inline constexpr int kSetupPageCount = 4;

// The buttons and lists of the dialog, by their names.
enum class SetupButton { cmdOK, cmdAbout, cmdHelp, cmdSelectBG, cmdSelectLogo };
enum class SetupList { cboSoundOff, cboFontsScreen };

// What a control is to the dialog's logic: one of its check boxes, text
// boxes, scroll bars, lists or buttons, or the option of `optBakGrnd` at a
// position; None for labels, frames and the like.
struct SetupRole {
  enum class Kind { None, Check, Text, Bar, Option, Button, List };
  Kind kind = Kind::None;
  int index = 0;
  bool operator==(const SetupRole&) const = default;
};
constexpr SetupRole RoleOf(SetupCheckBox box) { return {SetupRole::Kind::Check, int(box)}; }
constexpr SetupRole RoleOf(SetupTextBox box) { return {SetupRole::Kind::Text, int(box)}; }
constexpr SetupRole RoleOf(SetupScrollBar bar) { return {SetupRole::Kind::Bar, int(bar)}; }
constexpr SetupRole RoleOf(SetupButton button) { return {SetupRole::Kind::Button, int(button)}; }
constexpr SetupRole RoleOf(SetupList list) { return {SetupRole::Kind::List, int(list)}; }
constexpr SetupRole BackgroundOption(int position) { return {SetupRole::Kind::Option, position}; }

// One control of the dialog: where it stands, its identifier
// (setup_dialog_ids.h), window class, caption (UTF-8), style and rectangle
// in twips on its page, and its role.
struct SetupControl {
  SetupPage page;
  int id;
  const wchar_t* className;
  const char* caption;
  DWORD style;
  TwipRect rect;
  SetupRole role = {};
  DWORD exStyle = 0;
};

// Every control, in the order it is made (which is also the order of the
// tab key). The tab control comes first: the pages belong to it.
std::span<const SetupControl> SetupControls();

// The control with `id`, or null.
const SetupControl* SetupControlById(int id);
// The identifier of the control with `role`, or 0.
int SetupControlId(SetupRole role);

}  // namespace skyvault::win32
