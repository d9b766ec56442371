; The 64-bit Windows installer of stereoPulseWeaver, made by scripts/package.sh:
;   makensis -DVERSION=1.1.0 -DSTAGE=<staged files> -DOUTFILE=<setup.exe> installer.nsi
; STAGE holds stereoPulseWeaver.vst3\, the programs, sessions\, LICENSE.txt,
; README.txt, THIRD_PARTY_NOTICES.txt and stereoPulseWeaver.ico.
; The bundle goes where every VST 3 host looks (Common Files\VST3), the player and
; the tools into Program Files\stereoPulseWeaver (or /D=...). /S installs and
; uninstalls silently. The user's own settings (%APPDATA%\stereoPulseWeaver) are
; never touched.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!include MUI2.nsh
!include x64.nsh
!include FileFunc.nsh

!define NAME "stereoPulseWeaver"
!define PUBLISHER "Orvanti"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${NAME}"
!define BUNDLE "$COMMONFILES64\VST3\${NAME}.vst3"
!define SHORTCUT "$SMPROGRAMS\${NAME} Player.lnk"

Name "${NAME} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${NAME}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${NAME} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${NAME}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${NAME} ${VERSION} setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "${PUBLISHER}, GPL-3.0-or-later"

!define MUI_ICON "${STAGE}\${NAME}.ico"
!define MUI_UNICON "${STAGE}\${NAME}.ico"
!define MUI_COMPONENTSPAGE_NODESC
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE.txt"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Function .onInit
  ${IfNot} ${RunningX64}
    MessageBox MB_OK|MB_ICONSTOP "${NAME} needs 64-bit Windows: this Windows is 32-bit, and no 32-bit plug-in exists." /SD IDOK
    Abort
  ${EndIf}
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Function un.onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

; What the tools' folder holds besides the programs.
!macro CommonFiles
  SetOutPath "$INSTDIR"
  File "${STAGE}\LICENSE.txt"
  File "${STAGE}\README.txt"
  File "${STAGE}\THIRD_PARTY_NOTICES.txt"
  File "${STAGE}\${NAME}.ico"
  SetOutPath "$INSTDIR\sessions"
  File "${STAGE}\sessions\*.txt"
!macroend

Section "VST 3 plug-in" SectionPlugin
  ; An older version's files go first, so nothing stale stays in the bundle.
  RMDir /r "${BUNDLE}"
  SetOutPath "${BUNDLE}"
  File /r "${STAGE}\${NAME}.vst3\*"
SectionEnd

Section "Player (Start menu)" SectionPlayer
  !insertmacro CommonFiles
  SetOutPath "$INSTDIR"
  File "${STAGE}\spw_play.exe"
  File "${STAGE}\spw_playw.exe"
  CreateShortcut "${SHORTCUT}" "$INSTDIR\spw_playw.exe" "" "$INSTDIR\spw_playw.exe" 0 SW_SHOWNORMAL "" "Play stereoPulseWeaver's binaural beats"
SectionEnd

Section "Command-line tools (renderer, snapshots, information)" SectionTools
  !insertmacro CommonFiles
  SetOutPath "$INSTDIR"
  File "${STAGE}\spw_render.exe"
  File "${STAGE}\spw_snapshot.exe"
  File "${STAGE}\spw_info.exe"
SectionEnd

Section "-Uninstaller"
  SetOutPath "$INSTDIR"
  File "${STAGE}\${NAME}.ico"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${NAME}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${NAME}.ico"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  ${GetSize} "${BUNDLE}" "/S=0K" $3 $1 $2
  IntOp $0 $0 + $3
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; Only what the installer put there: the user's settings and any file of their
; own in these folders stay (a folder that is not empty stays too).
Section "Uninstall"
  RMDir /r "${BUNDLE}"
  RMDir "$COMMONFILES64\VST3"
  Delete "${SHORTCUT}"
  Delete "$INSTDIR\spw_play.exe"
  Delete "$INSTDIR\spw_playw.exe"
  Delete "$INSTDIR\spw_render.exe"
  Delete "$INSTDIR\spw_snapshot.exe"
  Delete "$INSTDIR\spw_info.exe"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\THIRD_PARTY_NOTICES.txt"
  Delete "$INSTDIR\${NAME}.ico"
  !include "${STAGE}\uninstall_sessions.nsh"  ; a Delete for each example session, by name
  RMDir "$INSTDIR\sessions"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
