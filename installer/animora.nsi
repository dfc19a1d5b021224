; Setup program of Animora: a per-user installation that needs no administrator rights.
; Everything it writes lives in the user's own folders and in HKEY_CURRENT_USER, and the
; uninstaller takes back exactly that, leaving the user's settings (Software\Tarnel\Animora).
;
; Built by tools/package (tools/dist.sh), which passes on the command line:
;   ANIMORA_EXE      the Animora.exe to install
;   ANIMORA_VERSION  its version, four numbers, from project(VERSION) in CMakeLists.txt
;   ANIMORA_OUTFILE  the setup program to write
; The script is UTF-8: makensis reads it with -INPUTCHARSET UTF8.

!ifndef ANIMORA_EXE
  !error "ANIMORA_EXE is not defined (the Animora.exe to install)"
!endif
!ifndef ANIMORA_VERSION
  !error "ANIMORA_VERSION is not defined (the program's version)"
!endif
!ifndef ANIMORA_OUTFILE
  !error "ANIMORA_OUTFILE is not defined (the setup program to write)"
!endif

Unicode true
; The program is x64 only, and a 64-bit setup sees the same registry and folders as the
; program does (no WOW64 redirection to think about).
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!define PRODUCT "Animora"
!define PUBLISHER "Tarnel"
!define EXE "Animora.exe"
!define UNINSTALLER "Odinstalovat.exe"
!define PROGID "Animora.gif"
!define CLASSES "Software\Classes"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define OPEN_COMMAND '"$INSTDIR\${EXE}" "%1"'

Name "${PRODUCT}"
Caption "Instalace programu ${PRODUCT}"
UninstallCaption "Odinstalace programu ${PRODUCT}"
OutFile "${ANIMORA_OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
; An upgrade goes where the previous installation is.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${ANIMORA_VERSION}"

VIProductVersion "${ANIMORA_VERSION}"
VIFileVersion "${ANIMORA_VERSION}"
VIAddVersionKey /LANG=1029 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1029 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1029 "FileDescription" "Instalace programu ${PRODUCT}"
VIAddVersionKey /LANG=1029 "FileVersion" "${ANIMORA_VERSION}"
VIAddVersionKey /LANG=1029 "ProductVersion" "${ANIMORA_VERSION}"
VIAddVersionKey /LANG=1029 "LegalCopyright" "Copyright © 2026 ${PUBLISHER}. Všechna práva vyhrazena."

!include "MUI2.nsh"
!include "FileFunc.nsh"

; makensis works in the script's folder, so paths are relative to it.
!define MUI_ICON "..\resources\animora.ico"
!define MUI_UNICON "..\resources\animora.ico"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\${EXE}"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Czech"

; Tells Explorer that file associations changed, so "Open with" lists are read again.
!macro NotifyAssociationsChanged
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)' ; SHCNE_ASSOCCHANGED
!macroend

; A running Animora holds on to its file. Left alone, the setup would go on, keep the old
; program and still report success, and the uninstaller would remove the registration of a
; program that stays on the disk. So the program file goes first, and while it cannot be
; removed the user is asked to close Animora; a silent run stops instead, with exit code 2
; and before anything has changed.
!macro DefineRemoveProgramFile prefix
  Function ${prefix}RemoveProgramFile
    again:
      ClearErrors
      Delete "$INSTDIR\${EXE}"
      IfErrors 0 removed
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
        "Program ${PRODUCT} je spuštěný. Ukončete ho a klikněte na Opakovat." /SD IDCANCEL IDRETRY again
      Abort "Program ${PRODUCT} je spuštěný."
    removed:
  FunctionEnd
!macroend
!insertmacro DefineRemoveProgramFile ""
!insertmacro DefineRemoveProgramFile "un."

Section
  SetShellVarContext current
  Call RemoveProgramFile
  SetOutPath "$INSTDIR"
  File "/oname=${EXE}" "${ANIMORA_EXE}"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\${EXE}" "" "$INSTDIR\${EXE}" 0 SW_SHOWNORMAL "" \
    "Přehrávač animovaných GIF obrázků"

  ; "Open with" for GIF files, leaving the user's default program alone: the application
  ; entry, and a ProgID listed among the .gif file's alternatives.
  WriteRegStr HKCU "${CLASSES}\Applications\${EXE}" "FriendlyAppName" "${PRODUCT}"
  WriteRegStr HKCU "${CLASSES}\Applications\${EXE}\DefaultIcon" "" "$INSTDIR\${EXE},0"
  WriteRegStr HKCU "${CLASSES}\Applications\${EXE}\SupportedTypes" ".gif" ""
  WriteRegStr HKCU "${CLASSES}\Applications\${EXE}\shell\open\command" "" '${OPEN_COMMAND}'
  WriteRegStr HKCU "${CLASSES}\${PROGID}" "" "Animovaný obrázek GIF"
  WriteRegStr HKCU "${CLASSES}\${PROGID}" "FriendlyTypeName" "Animovaný obrázek GIF"
  WriteRegStr HKCU "${CLASSES}\${PROGID}\DefaultIcon" "" "$INSTDIR\${EXE},0"
  WriteRegStr HKCU "${CLASSES}\${PROGID}\shell\open\command" "" '${OPEN_COMMAND}'
  WriteRegNone HKCU "${CLASSES}\.gif\OpenWithProgids" "${PROGID}"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${ANIMORA_VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${EXE},0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0

  !insertmacro NotifyAssociationsChanged
SectionEnd

Section "Uninstall"
  SetShellVarContext current
  Call un.RemoveProgramFile
  ; Only what the setup put there: the folder itself goes only when nothing else is left in it.
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"

  DeleteRegKey HKCU "${CLASSES}\Applications\${EXE}"
  DeleteRegKey /ifempty HKCU "${CLASSES}\Applications"
  DeleteRegKey HKCU "${CLASSES}\${PROGID}"
  DeleteRegValue HKCU "${CLASSES}\.gif\OpenWithProgids" "${PROGID}"
  ; The .gif key may hold the user's own choices (a default program, other ProgIDs):
  ; it goes only when the setup's entry was the last thing in it.
  DeleteRegKey /ifempty HKCU "${CLASSES}\.gif\OpenWithProgids"
  DeleteRegKey /ifempty HKCU "${CLASSES}\.gif"
  ; Last, so that the entry in the list of programs stays until everything else is gone.
  DeleteRegKey HKCU "${UNINSTALL_KEY}"

  !insertmacro NotifyAssociationsChanged
SectionEnd
