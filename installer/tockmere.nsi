; Setup program of Tockmere: puts the clock, its help file, its alarm sound
; and its face font into "Program Files\Tockmere", registers the font with
; Windows, adds a Start-menu shortcut and writes an uninstaller.
;
; Built by each Windows tree (installer/installer.cmake):
;   makensis -DSTAGING=<folder with the shipped files> -DOUTFILE=<setup.exe>
;            -DICON=<tockmere.ico> [-DX64] tockmere.nsi
; X64 makes the setup of the 64-bit clock: a 64-bit setup program that
; installs into the 64-bit Program Files.
; The staging folder holds tockmere.exe, Tockmere.chm, rooster.wav and
; fonts/SegmoraMono.ttf with fonts/OFL.txt.
;
; Silent use: "setup.exe /S" installs, "uninstall.exe /S" uninstalls and then
; keeps the user's settings.

Unicode true
!ifdef X64
  Target amd64-unicode
!endif
SetCompressor /SOLID lzma

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "WinMessages.nsh"
!include "Win\WinNT.nsh"

!ifndef STAGING
  !error "define STAGING, the folder with the shipped files"
!endif
!ifndef OUTFILE
  !error "define OUTFILE, the setup program to write"
!endif
!ifndef ICON
  !error "define ICON, the program's icon"
!endif

!define PRODUCT "Tockmere"
!define VERSION "4.02"
; The same four numbers as the program's own version record and manifest.
!define VERSION_NUMBERS "4.0.2.0"
!define PUBLISHER "Vellomar"

!define CLOCK_CLASS "TOCKMERE"
!define HELP_TITLE "Tockmere Help"
!define SETTINGS_KEY "Software\Vellomar\Tockmere"
!define VENDOR_KEY "Software\Vellomar"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tockmere"
!define FONTS_KEY "Software\Microsoft\Windows NT\CurrentVersion\Fonts"
!define FONT_FILE "SegmoraMono.ttf"
!define FONT_ENTRY "Segmora Mono (TrueType)"
!define SHORTCUT "$SMPROGRAMS\${PRODUCT}.lnk"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
!ifdef X64
  InstallDir "$PROGRAMFILES64\${PRODUCT}"
!else
  InstallDir "$PROGRAMFILES\${PRODUCT}"
!endif
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
; The font and the shortcut are for every user of the machine.
RequestExecutionLevel admin
BrandingText "${PRODUCT} ${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

; The setup runs elevated, perhaps under another administrator's name: the
; clock it starts at the end must be the user's own, or its settings and Run
; value would go to that account. Explorer, the user's shell, starts it.
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT} now"
!define MUI_FINISHPAGE_RUN_FUNCTION StartClockAsUser

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

VIProductVersion "${VERSION_NUMBERS}"
VIFileVersion "${VERSION_NUMBERS}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "${PRODUCT} ${VERSION} Setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "Copyright (C) 2026 ${PUBLISHER}"

; Asks a window to close and gives its process up to ten seconds to end: the
; window goes before the process lets go of its files.
!macro CloseAndWait window
  System::Call 'user32::GetWindowThreadProcessId(p ${window}, *i .r1) i'
  System::Call 'kernel32::OpenProcess(i ${SYNCHRONIZE}, i 0, i r1) p .r2'
  SendMessage ${window} ${WM_CLOSE} 0 0 /TIMEOUT=5000
  ${If} $2 P<> 0
    System::Call 'kernel32::WaitForSingleObject(p r2, i 10000) i'
    System::Call 'kernel32::CloseHandle(p r2)'
  ${EndIf}
!macroend

; A running clock holds tockmere.exe open and would write its settings and
; Run value again when it ends later, so it is closed first (it saves its
; settings on the way out).
!macro CloseRunningClock
  FindWindow $0 "${CLOCK_CLASS}"
  ${If} $0 <> 0
    DetailPrint "Closing the running ${PRODUCT}"
    !insertmacro CloseAndWait $0
  ${EndIf}
!macroend

; An open help viewer holds Tockmere.chm open; its windows carry the title of
; the help file.
!macro CloseHelpViewers
  StrCpy $3 0
  ${Do}
    FindWindow $0 "HH Parent" "${HELP_TITLE}"
    ${If} $0 = 0
      ${ExitDo}
    ${EndIf}
    !insertmacro CloseAndWait $0
    IntOp $3 $3 + 1
  ${LoopUntil} $3 >= 5
!macroend

Function .onInit
  SetShellVarContext all
FunctionEnd

Function un.onInit
  SetShellVarContext all
FunctionEnd

Function StartClockAsUser
  Exec '"$WINDIR\explorer.exe" "$INSTDIR\tockmere.exe"'
FunctionEnd

Section "${PRODUCT}" SecProgram
  SectionIn RO
  !insertmacro CloseRunningClock
  !insertmacro CloseHelpViewers

  SetOutPath "$INSTDIR"
  File "${STAGING}/tockmere.exe"
  File "${STAGING}/Tockmere.chm"
  File "${STAGING}/rooster.wav"
  SetOutPath "$INSTDIR\fonts"
  File "${STAGING}/fonts/${FONT_FILE}"
  File "${STAGING}/fonts/OFL.txt"

  ; The face font, registered the way Windows' own font folder does it: the
  ; file in the Fonts folder, its entry under HKLM, loaded into the running
  ; session and announced to the open windows. An older copy that is in use
  ; stays as it is.
  SetOutPath "$FONTS"
  SetOverwrite try
  File "${STAGING}/fonts/${FONT_FILE}"
  SetOverwrite on
  WriteRegStr HKLM "${FONTS_KEY}" "${FONT_ENTRY}" "${FONT_FILE}"
  System::Call 'gdi32::AddFontResourceW(w "$FONTS\${FONT_FILE}") i .r0'
  SendMessage ${HWND_BROADCAST} ${WM_FONTCHANGE} 0 0 /TIMEOUT=5000

  ; The shortcut starts the clock in its own folder.
  SetOutPath "$INSTDIR"
  CreateShortcut "${SHORTCUT}" "$INSTDIR\tockmere.exe" "" "$INSTDIR\tockmere.exe" 0 \
    SW_SHOWNORMAL "" "Desktop clock with alarms"

  WriteUninstaller "$INSTDIR\uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tockmere.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  !insertmacro CloseRunningClock
  !insertmacro CloseHelpViewers

  ; What is still held open goes at the next restart.
  Delete /REBOOTOK "$INSTDIR\tockmere.exe"
  Delete /REBOOTOK "$INSTDIR\Tockmere.chm"
  Delete /REBOOTOK "$INSTDIR\rooster.wav"
  Delete /REBOOTOK "$INSTDIR\fonts\${FONT_FILE}"
  Delete /REBOOTOK "$INSTDIR\fonts\OFL.txt"
  RMDir /REBOOTOK "$INSTDIR\fonts"
  Delete "${SHORTCUT}"

  System::Call 'gdi32::RemoveFontResourceW(w "$FONTS\${FONT_FILE}") i .r0'
  DeleteRegValue HKLM "${FONTS_KEY}" "${FONT_ENTRY}"
  Delete /REBOOTOK "$FONTS\${FONT_FILE}"
  SendMessage ${HWND_BROADCAST} ${WM_FONTCHANGE} 0 0 /TIMEOUT=5000

  ; Only after the clock has closed: it writes the Run value when it ends.
  DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"

  MessageBox MB_YESNO|MB_ICONQUESTION \
    "Also remove your ${PRODUCT} settings and alarms?$\r$\n$\r$\n\
They are kept in the registry under HKEY_CURRENT_USER\${SETTINGS_KEY}. \
Keep them if you are going to install ${PRODUCT} again." \
    /SD IDNO IDNO keep_settings
    DeleteRegKey HKCU "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKCU "${VENDOR_KEY}"
  keep_settings:

  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  Delete "$INSTDIR\uninstall.exe"
  ; Only if empty: files the user put there stay.
  RMDir /REBOOTOK "$INSTDIR"
SectionEnd
