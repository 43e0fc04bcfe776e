; The Quarrimond installer. The build passes:
;   VERSION  the project's version (4.8.0)
;   ARCH     x86_64 or i686
;   FILES    the folder with quarrimond.exe, quarrimond-report.exe and quarrim.chm
;   OUTFILE  the installer to write
; Command line of the installer: /S silent, /AUTOSTART start at log-on,
; /D=<folder> where to install (last). Of the uninstaller: /S silent,
; /REMOVESETTINGS also remove the settings kept in the registry.

Unicode true
!if "${ARCH}" == "x86_64"
  Target amd64-unicode
!else
  Target x86-unicode
!endif

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "x64.nsh"

!define PRODUCT "Quarrimond"
!define PUBLISHER "Quarrimond developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quarrimond"
; The wizard's own start-up entry: a value named after the program file.
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUN_VALUE "quarrimond.exe"
; The main window's title, to close a running copy before files are replaced.
!define MAIN_WINDOW "Quarrimond v4.8"
!define SETTINGS_KEY "Quarrimond"
; The wizard's auto-start option, read at every start of the program: the
; entry is kept when it says "True" and taken away otherwise.
!define WIZARD_SETTINGS "Quarrimond\OptWizSettings"
!define AUTOSTART_OPTION "FlatCheckBox6_Checked"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
BrandingText "${PRODUCT} ${VERSION}"
!if "${ARCH}" == "x86_64"
  InstallDir "$PROGRAMFILES64\${PRODUCT}"
!else
  InstallDir "$PROGRAMFILES\${PRODUCT}"
!endif
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${PRODUCT} setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "${PUBLISHER}"

!define MUI_ICON "${NSISDIR}\Contrib\Graphics\Icons\modern-install.ico"
!define MUI_UNICON "${NSISDIR}\Contrib\Graphics\Icons\modern-uninstall.ico"
!define MUI_FINISHPAGE_RUN "$INSTDIR\quarrimond.exe"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Asks a running Quarrimond to end, as "Shutdown Quarrimond" would, and waits
; for it: its files cannot be replaced or removed while it runs.
!macro CloseRunningCopy
  FindWindow $0 "" "${MAIN_WINDOW}"
  ${If} $0 <> 0
    SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=5000
    StrCpy $1 0
    ${Do}
      Sleep 200
      FindWindow $0 "" "${MAIN_WINDOW}"
      IntOp $1 $1 + 1
      ${If} $1 >= 50
        ${Break}
      ${EndIf}
    ${LoopUntil} $0 = 0
  ${EndIf}
  ; The window goes before the process: wait until the program file is free.
  ${If} ${FileExists} "$INSTDIR\quarrimond.exe"
    StrCpy $1 0
    ${Do}
      ClearErrors
      FileOpen $2 "$INSTDIR\quarrimond.exe" a
      ${IfNot} ${Errors}
        FileClose $2
        ${Break}
      ${EndIf}
      Sleep 200
      IntOp $1 $1 + 1
    ${LoopUntil} $1 >= 100
  ${EndIf}
!macroend

Section "Quarrimond" SecProgram
  SectionIn RO
  !insertmacro CloseRunningCopy
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File "${FILES}/quarrimond.exe"
  File "${FILES}/quarrimond-report.exe"
  File "${FILES}/quarrim.chm"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\quarrimond.exe" "" "$INSTDIR\quarrimond.exe" 0
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\${PRODUCT} Help.lnk" "$INSTDIR\quarrim.chm"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\Uninstall ${PRODUCT}.lnk" "$INSTDIR\uninstall.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\quarrimond.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "HelpLink" "$INSTDIR\quarrim.chm"
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

; Both per-user items go to the account this installer runs as: when a
; standard user installs with an administrator's credentials, that is the
; administrator's account (the README says so).
Section /o "Start Quarrimond when I log on" SecAutoStart
  WriteRegStr HKCU "${RUN_KEY}" "${RUN_VALUE}" "$INSTDIR\quarrimond.exe"
  WriteRegStr HKCU "${WIZARD_SETTINGS}" "${AUTOSTART_OPTION}" "True"
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} "The program, the console report tool and the help."
  !insertmacro MUI_DESCRIPTION_TEXT ${SecAutoStart} "For the account this installer runs as: the Optimization Wizard's start-up option, turned on. Change it there later."
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Function .onInit
  !if "${ARCH}" == "x86_64"
    ${IfNot} ${RunningX64}
      MessageBox MB_ICONSTOP "This is the 64-bit ${PRODUCT}; this Windows needs the 32-bit one." /SD IDOK
      Abort
    ${EndIf}
    SetRegView 64
  !endif
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/AUTOSTART" $R1
  ${IfNot} ${Errors}
    SectionSetFlags ${SecAutoStart} ${SF_SELECTED}
  ${EndIf}
FunctionEnd

Function un.onInit
  !if "${ARCH}" == "x86_64"
    SetRegView 64
  !endif
FunctionEnd

Section "Uninstall"
  !insertmacro CloseRunningCopy
  SetShellVarContext all
  Delete "$INSTDIR\quarrimond.exe"
  Delete "$INSTDIR\quarrimond-report.exe"
  Delete "$INSTDIR\quarrim.chm"
  Delete "$INSTDIR\uninstall.exe"
  ; Not recursive: the registry backup in regbkup\ stays, and with it the folder.
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT} Help.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\Uninstall ${PRODUCT}.lnk"
  RMDir "$SMPROGRAMS\${PRODUCT}"

  ; The start-up entry goes only when it starts this copy; the wizard's option
  ; then says it is off, so that kept settings do not bring it back with the
  ; next installation's first start.
  ReadRegStr $0 HKCU "${RUN_KEY}" "${RUN_VALUE}"
  ${If} $0 == "$INSTDIR\quarrimond.exe"
    DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
    ReadRegStr $1 HKCU "${WIZARD_SETTINGS}" "${AUTOSTART_OPTION}"
    ${If} $1 == "True"
      WriteRegStr HKCU "${WIZARD_SETTINGS}" "${AUTOSTART_OPTION}" "False"
    ${EndIf}
  ${EndIf}
  DeleteRegKey HKLM "${UNINSTALL_KEY}"

  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/REMOVESETTINGS" $R1
  ${IfNot} ${Errors}
    DeleteRegKey HKCU "${SETTINGS_KEY}"
  ${ElseIfNot} ${Silent}
    MessageBox MB_YESNO|MB_ICONQUESTION "Remove your Quarrimond settings too?$\r$\n$\r$\nThe copies of your network settings in the regbkup folder are kept either way." IDNO keep
    DeleteRegKey HKCU "${SETTINGS_KEY}"
    keep:
  ${EndIf}
SectionEnd
