; Tarnel's installer. scripts/package.sh compiles it with
;   -DSTAGE=<folder with x64\ and x86\, each the program's complete files>
;   -DVERSION_FILE=<version.nsh made by the build> -DOUT=<setup file>
; It installs the program of the machine's width into Program Files, with a
; Start menu shortcut, an App Path and an uninstall entry; the uninstaller
; removes all of that again, and Tarnel's settings too when the user agrees.
Unicode true
SetCompressor /SOLID lzma
!include "${VERSION_FILE}"
!include "${STAGE}\files.nsh"
!include LogicLib.nsh
!include x64.nsh
!include FileFunc.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tarnel"
!define APP_PATH_KEY "Software\Microsoft\Windows\CurrentVersion\App Paths\Tarnel.exe"
; Where Tarnel.exe keeps its settings: made by the program, not the installer.
!define SETTINGS_PARENT "Software\Vexa"
!define SETTINGS_KEY "${SETTINGS_PARENT}\Quellin"

Name "Tarnel"
Caption "Tarnel ${PRODUCT_VERSION} Setup"
OutFile "${OUT}"
Icon "${STAGE}\tarnel.ico"
UninstallIcon "${STAGE}\tarnel.ico"
RequestExecutionLevel admin
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}"
VIAddVersionKey "ProductName" "Tarnel"
VIAddVersionKey "ProductVersion" "${PRODUCT_VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "Tarnel ${PRODUCT_VERSION} Setup"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "LegalCopyright" "Copyright (C) 2026 ${PUBLISHER}"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; The 64-bit program on 64-bit Windows, with its registrations in the
; 64-bit view where it looks for them; the 32-bit one elsewhere.
!macro ChooseWidth
  SetShellVarContext all
  ${If} ${RunningX64}
    SetRegView 64
  ${EndIf}
!macroend

Function .onInit
  !insertmacro ChooseWidth
  ${If} $INSTDIR == ""
    ${If} ${RunningX64}
      StrCpy $INSTDIR "$PROGRAMFILES64\Tarnel"
    ${Else}
      StrCpy $INSTDIR "$PROGRAMFILES\Tarnel"
    ${EndIf}
  ${EndIf}
FunctionEnd

Function un.onInit
  !insertmacro ChooseWidth
FunctionEnd

Section "Tarnel"
  SetOutPath "$INSTDIR"
  ${If} ${RunningX64}
    !insertmacro InstallFiles x64
  ${Else}
    !insertmacro InstallFiles x86
  ${EndIf}
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; Backups are written to the current folder: from the shortcut, the
  ; user's own profile, which is writable, unlike Program Files.
  StrCpy $OUTDIR "%USERPROFILE%"
  CreateDirectory "$SMPROGRAMS\Tarnel"
  CreateShortCut "$SMPROGRAMS\Tarnel\Tarnel.lnk" "$INSTDIR\Tarnel.exe" "" "$INSTDIR\Tarnel.exe" 0
  SetOutPath "$INSTDIR"

  WriteRegStr HKLM "${APP_PATH_KEY}" "" "$INSTDIR\Tarnel.exe"
  WriteRegStr HKLM "${APP_PATH_KEY}" "Path" "$INSTDIR"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Tarnel ${PRODUCT_VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Tarnel.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  ; Only what the installer put there: backups or results the user saved
  ; into the folder stay, and so does the folder with them.
  !insertmacro RemoveFiles
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\Tarnel\Tarnel.lnk"
  RMDir "$SMPROGRAMS\Tarnel"

  DeleteRegKey HKLM "${APP_PATH_KEY}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"

  ; Settings are the user's: a silent uninstall keeps them, /PURGE removes
  ; them without asking.
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/PURGE" $1
  ${If} ${Errors}
    MessageBox MB_YESNO|MB_ICONQUESTION "Remove Tarnel's settings (window layout, language and options) too?" /SD IDNO IDYES purge
    Goto done
  ${EndIf}
  purge:
  DeleteRegKey HKCU "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKCU "${SETTINGS_PARENT}"
  done:
SectionEnd
