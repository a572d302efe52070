; Scrapvault's installer: for the current user, without administrator rights.
; Built by scripts/make-installer.sh, which defines STAGE (the folder holding scrapvault.exe,
; README.txt and LICENSE.txt), OUTFILE and TARGET (x86-unicode or amd64-unicode).
Unicode true
Target ${TARGET}
SetCompressor /SOLID lzma

!include MUI2.nsh
!include nsDialogs.nsh
!include LogicLib.nsh
!include WinMessages.nsh

!define VERSION "1.7"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Scrapvault"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define PROFILE_KEY "Software\QUORVEX\Scrapvault"
!define ENDSESSION_CLOSEAPP 0x00000001
!define SYNCHRONIZE 0x00100000

Name "Scrapvault"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\Scrapvault"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
VIProductVersion "${VERSION}.0.0"
VIAddVersionKey "ProductName" "Scrapvault"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "Scrapvault ${VERSION} Setup"
VIAddVersionKey "CompanyName" "QUORVEX"
VIAddVersionKey "LegalCopyright" "Copyright (c) 2026 the Scrapvault developers"

!define MUI_ICON "${__FILEDIR__}/../ui/res/scrapvault.ico"
!define MUI_UNICON "${__FILEDIR__}/../ui/res/scrapvault.ico"
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\scrapvault.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start Scrapvault"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
UninstPage custom un.RemoveDataPage un.RemoveDataLeave
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Var ProgramWasRunning
Var RemoveUserData
Var RemoveUserDataBox

; Ends a running Scrapvault as Windows ends a program for an update: asked first, so that it
; saves its clippings as at the end of a session (its user may say No), then told to end.
; A refusal stops here, before anything was changed.
!macro DefineCloseRunningProgram prefix
Function ${prefix}CloseRunningProgram
    StrCpy $ProgramWasRunning 0
    FindWindow $0 "FrameworkFrame" "Scrapvault"
    ${If} $0 == 0
        Return
    ${EndIf}
    StrCpy $ProgramWasRunning 1
    System::Call "user32::GetWindowThreadProcessId(p r0, *i .r1)"
    System::Call "kernel32::OpenProcess(i ${SYNCHRONIZE}, i 0, i r1) p .r2"
    SendMessage $0 ${WM_QUERYENDSESSION} 0 ${ENDSESSION_CLOSEAPP} $3
    ${If} $3 == 0
        System::Call "kernel32::CloseHandle(p r2)"
        MessageBox MB_ICONSTOP "Scrapvault is running and did not agree to close, so nothing was changed. Close Scrapvault, then try again." /SD IDOK
        SetErrorLevel 2
        Quit
    ${EndIf}
    SendMessage $0 ${WM_ENDSESSION} 1 ${ENDSESSION_CLOSEAPP}
    ; Its files can be replaced only once the process is gone.
    System::Call "kernel32::WaitForSingleObject(p r2, i 10000)"
    System::Call "kernel32::CloseHandle(p r2)"
FunctionEnd
!macroend
!insertmacro DefineCloseRunningProgram ""
!insertmacro DefineCloseRunningProgram "un."

Section "Scrapvault" ProgramSection
    SectionIn RO
    Call CloseRunningProgram
    SetOutPath "$INSTDIR"
    File "${STAGE}/scrapvault.exe"
    File "${STAGE}/README.txt"
    File "${STAGE}/LICENSE.txt"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "$SMPROGRAMS\Scrapvault.lnk" "$INSTDIR\scrapvault.exe"
    ; Written again by the next section when its option stays ticked.
    DeleteRegValue HKCU "${RUN_KEY}" "Scrapvault"

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Scrapvault"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "QUORVEX"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\scrapvault.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    SectionGetSize ${ProgramSection} $0
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Start Scrapvault when I log on" LogOnSection
    WriteRegStr HKCU "${RUN_KEY}" "Scrapvault" '"$INSTDIR\scrapvault.exe"'
SectionEnd

Section "-Restart"
    ${If} $ProgramWasRunning == 1
        Exec '"$INSTDIR\scrapvault.exe"'
    ${EndIf}
SectionEnd

Function un.RemoveDataPage
    !insertmacro MUI_HEADER_TEXT "Uninstall Scrapvault" "Remove Scrapvault from this computer."
    nsDialogs::Create 1018
    Pop $0
    ${NSD_CreateLabel} 0 0 100% 36u "Scrapvault will be removed from $INSTDIR. Your saved clippings and settings stay in the registry, for a later install, unless you tick the box."
    Pop $0
    ${NSD_CreateCheckbox} 0 44u 100% 12u "Also remove my saved clippings and settings"
    Pop $RemoveUserDataBox
    GetDlgItem $0 $HWNDPARENT 1
    SendMessage $0 ${WM_SETTEXT} 0 "STR:$(^UninstallBtn)"
    nsDialogs::Show
FunctionEnd

Function un.RemoveDataLeave
    ${NSD_GetState} $RemoveUserDataBox $RemoveUserData
FunctionEnd

Section "Uninstall"
    Call un.CloseRunningProgram
    Delete "$INSTDIR\scrapvault.exe"
    Delete "$INSTDIR\README.txt"
    Delete "$INSTDIR\LICENSE.txt"
    Delete "$INSTDIR\uninstall.exe"
    ; Only the folder's own files: a folder chosen with /D= may hold the user's.
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\Scrapvault.lnk"
    DeleteRegValue HKCU "${RUN_KEY}" "Scrapvault"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    ${If} $RemoveUserData == ${BST_CHECKED}
        DeleteRegKey HKCU "${PROFILE_KEY}"
        DeleteRegKey /ifempty HKCU "Software\QUORVEX"
    ${EndIf}
SectionEnd
