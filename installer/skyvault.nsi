; Skyvault-Setup.exe: installs skyvault.scr and its data directory, makes
; Skyvault the screen saver of the user signed in to this session (the one who
; started the installer, even when an administrator's password elevated it),
; and uninstalls cleanly.
;
; Layout: the saver in the system folder (where Screen Saver Settings lists
; it), the uninstaller in $PROGRAMFILES64\Skyvault, and the pictures, sound and
; help page in the data folder that stored settings point at. The data folder
; tree is owned by Administrators and does not inherit the rights of C:\,
; which let every user change what is made below it: Administrators and
; SYSTEM may change it, Users only read it.
; makensis -DSKYVAULT_SCR=<skyvault.scr> -DSKYVAULT_DATA=<data folder>
;          -DSKYVAULT_OUT=<Skyvault-Setup.exe> -DSKYVAULT_ICON=<skyvault.ico>
;          [-DSKYVAULT_VERSION=1.0.0] skyvault.nsi

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
!define DATAROOT "C:\Hallowmere"
!define DATADIR "${DATAROOT}\Skyvault1"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Skyvault"
!define DESKTOP_KEY "Control Panel\Desktop"
!define SETTINGS_KEY "Software\Skyvault"

Var SessionUserSid   ; see FindSessionUser
Var SessionUserName

Name "${PRODUCT}"
OutFile "${SKYVAULT_OUT}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
RequestExecutionLevel admin
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${SKYVAULT_VERSION}.0"
VIFileVersion "${SKYVAULT_VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "Hallowmere"
VIAddVersionKey "FileDescription" "Skyvault screen saver setup"
VIAddVersionKey "FileVersion" "${SKYVAULT_VERSION}.0"
VIAddVersionKey "ProductVersion" "${SKYVAULT_VERSION}.0"
VIAddVersionKey "LegalCopyright" "Copyright (C) 2026 Hallowmere"

; The saver's own icon on the installer and the uninstaller.
!define MUI_ICON "${SKYVAULT_ICON}"
!define MUI_UNICON "${SKYVAULT_ICON}"
!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT "Skyvault is now the screen saver of $SessionUserName (the account signed in to this session). To choose it for another account, sign in with that account, open Screen Saver Settings (Settings, Personalization, Lock screen, Screen saver) and pick Skyvault in the list; its Settings button opens Skyvault's own settings."
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

;; The user whose screen saver is chosen: the one signed in to this session,
;; found through the session, not through the installer's own account
;; (which is the administrator's when a standard user typed an
;; administrator's password). $SessionUserSid is that user's SID, whose hive
;; is loaded under HKU while the user is signed in; empty when it cannot be
;; found, and then the installer's own HKCU is used.
!macro SessionUserFunction PREFIX
Function ${PREFIX}FindSessionUser
  StrCpy $SessionUserSid ""
  StrCpy $SessionUserName "your account"
  ; WTSUserName (5) and WTSDomainName (7) of this session (-1).
  System::Call 'wtsapi32::WTSQuerySessionInformationW(p 0, i -1, i 5, *p .r1, *i .r2) i .r0'
  ${If} $0 = 0
    Return
  ${EndIf}
  System::Call 'kernel32::lstrcpynW(w .r3, p r1, i ${NSIS_MAX_STRLEN})'
  System::Call 'wtsapi32::WTSFreeMemory(p r1)'
  System::Call 'wtsapi32::WTSQuerySessionInformationW(p 0, i -1, i 7, *p .r1, *i .r2) i .r0'
  StrCpy $4 ""
  ${If} $0 <> 0
    System::Call 'kernel32::lstrcpynW(w .r4, p r1, i ${NSIS_MAX_STRLEN})'
    System::Call 'wtsapi32::WTSFreeMemory(p r1)'
  ${EndIf}
  ${If} $3 == ""
    Return
  ${EndIf}
  StrCpy $5 "$3"
  ${If} $4 != ""
    StrCpy $5 "$4\$3"
  ${EndIf}
  System::Alloc 256
  Pop $6
  System::Call 'advapi32::LookupAccountNameW(p 0, w r5, p r6, *i 256, w .r7, *i ${NSIS_MAX_STRLEN}, *i .r8) i .r0'
  ${If} $0 <> 0
    System::Call 'advapi32::ConvertSidToStringSidW(p r6, *p .r9) i .r0'
    ${If} $0 <> 0
      System::Call 'kernel32::lstrcpynW(w .r0, p r9, i ${NSIS_MAX_STRLEN})'
      System::Call 'kernel32::LocalFree(p r9)'
      ; Only a hive that is loaded can take the choice.
      ClearErrors
      EnumRegKey $1 HKU "$0" 0
      ${IfNot} ${Errors}
        StrCpy $SessionUserSid $0
        StrCpy $SessionUserName $3
      ${EndIf}
    ${EndIf}
  ${EndIf}
  System::Free $6
FunctionEnd
!macroend
!insertmacro SessionUserFunction ""
!insertmacro SessionUserFunction "un."

; ReadUserStr out key name / WriteUserStr key name value / DeleteUserValue key
; name / DeleteUserKey key: in the session user's hive.
!macro ReadUserStr OUT KEY NAME
  ${If} $SessionUserSid != ""
    ReadRegStr ${OUT} HKU "$SessionUserSid\${KEY}" "${NAME}"
  ${Else}
    ReadRegStr ${OUT} HKCU "${KEY}" "${NAME}"
  ${EndIf}
!macroend
!macro WriteUserStr KEY NAME VALUE
  ${If} $SessionUserSid != ""
    WriteRegStr HKU "$SessionUserSid\${KEY}" "${NAME}" "${VALUE}"
  ${Else}
    WriteRegStr HKCU "${KEY}" "${NAME}" "${VALUE}"
  ${EndIf}
!macroend
!macro DeleteUserValue KEY NAME
  ${If} $SessionUserSid != ""
    DeleteRegValue HKU "$SessionUserSid\${KEY}" "${NAME}"
  ${Else}
    DeleteRegValue HKCU "${KEY}" "${NAME}"
  ${EndIf}
!macroend
!macro DeleteUserKey KEY
  ${If} $SessionUserSid != ""
    DeleteRegKey HKU "$SessionUserSid\${KEY}"
  ${Else}
    DeleteRegKey HKCU "${KEY}"
  ${EndIf}
!macroend

Function .onInit
  Call FindSessionUser
FunctionEnd

Function un.onInit
  Call un.FindSessionUser
  ; The uninstaller goes back to the user the installer chose, when that
  ; user's hive is loaded.
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "ScreenSaverUser"
  ${If} $0 != ""
    ClearErrors
    EnumRegKey $1 HKU "$0" 0
    ${IfNot} ${Errors}
      StrCpy $SessionUserSid $0
    ${EndIf}
  ${EndIf}
FunctionEnd

; Runs the system's icacls on the data folder tree (its full path, so no
; program of the same name elsewhere on the search path stands in for it).
!macro DataRights ARGUMENTS
  nsExec::ExecToLog '"$SYSDIR\icacls.exe" ${ARGUMENTS}'
  Pop $0
  DetailPrint "icacls: $0"
!macroend

Section "Skyvault" SecMain
  SectionIn RO
  ; The saver lives where the Screen Saver Settings list looks for it.
  SetOutPath "$SYSDIR"
  File "/oname=skyvault.scr" "${SKYVAULT_SCR}"

  ; The data folder tree: made, then owned by Administrators (a folder a user
  ; made there beforehand is theirs no longer), its inherited rights from C:\
  ; replaced by Administrators and SYSTEM full, Users read and execute, and
  ; whatever was inside made to inherit only those; then the files.
  CreateDirectory "${DATADIR}"
  !insertmacro DataRights '"${DATAROOT}" /setowner *S-1-5-32-544 /T /C /Q'
  !insertmacro DataRights '"${DATAROOT}" /inheritance:r /grant:r *S-1-5-32-544:(OI)(CI)F *S-1-5-18:(OI)(CI)F *S-1-5-32-545:(OI)(CI)RX /Q'
  !insertmacro DataRights '"${DATAROOT}\*" /reset /T /C /Q'
  SetOutPath "${DATADIR}"
  File /r "${SKYVAULT_DATA}\*.*"

  ; The uninstaller, and nothing else that runs, beside the programs (an
  ; earlier version left it in the data folder).
  Delete "${DATADIR}\uninstall.exe"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; Remember the screen saver the user had, once, so uninstalling restores it.
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "PreviousScreenSaver"
  ${If} $0 == ""
    !insertmacro ReadUserStr $0 "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${If} $0 == "$SYSDIR\skyvault.scr"
      StrCpy $0 ""
    ${EndIf}
    ${If} $0 == ""
      StrCpy $0 "(none)"
    ${EndIf}
    WriteRegStr HKLM "${UNINSTALL_KEY}" "PreviousScreenSaver" "$0"
  ${EndIf}
  !insertmacro WriteUserStr "${DESKTOP_KEY}" "SCRNSAVE.EXE" "$SYSDIR\skyvault.scr"
  !insertmacro WriteUserStr "${DESKTOP_KEY}" "ScreenSaveActive" "1"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "ScreenSaverUser" "$SessionUserSid"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Skyvault screen saver"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${SKYVAULT_VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Hallowmere"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$SYSDIR\skyvault.scr"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ; What Apps shows as the size: the saver, the data folder and the
  ; uninstaller, in KB.
  ${GetSize} "${DATADIR}" "/S=0K" $0 $1 $2
  ${GetSize} "$INSTDIR" "/S=0K" $1 $2 $3
  IntOp $0 $0 + $1
  ${GetSize} "$SYSDIR" "/M=skyvault.scr /S=0K /G=0" $1 $2 $3
  IntOp $0 $0 + $1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
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
  RMDir "${DATADIR}"
  RMDir "${DATAROOT}"

  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "PreviousScreenSaver"
  !insertmacro ReadUserStr $1 "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ${If} $1 == "$SYSDIR\skyvault.scr"
    ${If} $0 == "(none)"
    ${OrIf} $0 == ""
      !insertmacro DeleteUserValue "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${Else}
      !insertmacro WriteUserStr "${DESKTOP_KEY}" "SCRNSAVE.EXE" "$0"
    ${EndIf}
  ${EndIf}
  DeleteRegKey HKLM "${UNINSTALL_KEY}"

  ${GetParameters} $2
  ClearErrors
  ${GetOptions} $2 "/REMOVESETTINGS" $3
  ${IfNot} ${Errors}
    !insertmacro DeleteUserKey "${SETTINGS_KEY}"
  ${Else}
    MessageBox MB_YESNO|MB_DEFBUTTON2 "Also remove your Skyvault settings?" /SD IDNO IDNO keep
    !insertmacro DeleteUserKey "${SETTINGS_KEY}"
    keep:
  ${EndIf}

  ; Last, so that its folder gone means the uninstall is done.
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
SectionEnd
