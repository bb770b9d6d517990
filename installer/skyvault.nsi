; Skyvault-Setup.exe: installs skyvault.scr and its data directory, makes
; Skyvault the current user's screen saver, and uninstalls cleanly.
; makensis -DSKYVAULT_SCR=<skyvault.scr> -DSKYVAULT_DATA=<data folder>
;          -DSKYVAULT_OUT=<Skyvault-Setup.exe> [-DSKYVAULT_VERSION=1.0.0] skyvault.nsi

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"

!ifndef SKYVAULT_VERSION
  !define SKYVAULT_VERSION "1.0.0"
!endif

!define PRODUCT "Skyvault"
!define DATADIR "C:\Hallowmere\Skyvault1"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Skyvault"
!define DESKTOP_KEY "Control Panel\Desktop"
!define SETTINGS_KEY "Software\Skyvault"

Name "${PRODUCT}"
OutFile "${SKYVAULT_OUT}"
InstallDir "${DATADIR}"
RequestExecutionLevel admin
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${SKYVAULT_VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "FileDescription" "Skyvault screen saver setup"
VIAddVersionKey "FileVersion" "${SKYVAULT_VERSION}"
VIAddVersionKey "LegalCopyright" "Copyright (C) 2026 Hallowmere"

!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT "Skyvault is now your screen saver. Choose its settings in the Screen Saver Settings pane."
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Section "Skyvault" SecMain
  SectionIn RO
  ; The saver lives where the Screen Saver Settings list looks for it.
  SetOutPath "$SYSDIR"
  File "/oname=skyvault.scr" "${SKYVAULT_SCR}"

  SetOutPath "${DATADIR}"
  File /r "${SKYVAULT_DATA}\*.*"
  WriteUninstaller "${DATADIR}\uninstall.exe"

  ; Remember the screen saver the user had, once, so uninstalling restores it.
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "PreviousScreenSaver"
  ${If} $0 == ""
    ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${If} $0 == "$SYSDIR\skyvault.scr"
      StrCpy $0 ""
    ${EndIf}
    ${If} $0 == ""
      StrCpy $0 "(none)"
    ${EndIf}
    WriteRegStr HKLM "${UNINSTALL_KEY}" "PreviousScreenSaver" "$0"
  ${EndIf}
  WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "$SYSDIR\skyvault.scr"
  WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "1"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Skyvault screen saver"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${SKYVAULT_VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Hallowmere"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "${DATADIR}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$SYSDIR\skyvault.scr"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"${DATADIR}\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"${DATADIR}\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Uninstall: removes what was installed and restores the previous screen
; saver. The user's Skyvault settings stay unless the user asks (a question
; in the interactive uninstaller, /REMOVESETTINGS on the command line).
Section "Uninstall"
  Delete "$SYSDIR\skyvault.scr"
  Delete "${DATADIR}\Plane*.bmp"
  Delete "${DATADIR}\Plane*@4x.png"
  Delete "${DATADIR}\Bridge.bmp"
  Delete "${DATADIR}\Bridge@4x.png"
  Delete "${DATADIR}\Tarnwing1.bmp"
  Delete "${DATADIR}\Tarnwing1@4x.png"
  Delete "${DATADIR}\Prop.wav"
  Delete "${DATADIR}\help.html"
  Delete "${DATADIR}\uninstall.exe"
  RMDir "${DATADIR}"
  RMDir "C:\Hallowmere"

  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "PreviousScreenSaver"
  ReadRegStr $1 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ${If} $1 == "$SYSDIR\skyvault.scr"
    ${If} $0 == "(none)"
    ${OrIf} $0 == ""
      DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${Else}
      WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "$0"
    ${EndIf}
  ${EndIf}
  DeleteRegKey HKLM "${UNINSTALL_KEY}"

  ${GetParameters} $2
  ClearErrors
  ${GetOptions} $2 "/REMOVESETTINGS" $3
  ${IfNot} ${Errors}
    DeleteRegKey HKCU "${SETTINGS_KEY}"
  ${Else}
    MessageBox MB_YESNO|MB_DEFBUTTON2 "Also remove your Skyvault settings?" /SD IDNO IDNO keep
    DeleteRegKey HKCU "${SETTINGS_KEY}"
    keep:
  ${EndIf}
SectionEnd
