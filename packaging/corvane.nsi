; Corvane's installer: per user and without administrator rights, into
; %LOCALAPPDATA%\Programs\Corvane, where the program can write its AppOpt.ini beside itself.
; Made by scripts/package.sh, which defines:
;   TARGET   NSIS target (amd64-unicode, x86-unicode)   ARCH     x64 or x86
;   VERSION  from the exe's version resource             VERSION4 the same with four parts
;   STAGE    the program folder to install               FILES    file lists made from STAGE
;   ROOT     the source tree                             OUTFILE  the setup exe to write
;   WIZARD   the welcome and finish pages' picture (packaging/make_wizard_bitmap.py)
Unicode true
Target ${TARGET}
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma
; A file that cannot be written fails the install (a silent run would otherwise skip it and
; report success).
AllowSkipFiles off

!define PUBLISHER "The Corvane developers"
!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Corvane"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
; What Corvane's own Quit answers to: its main window's class and the Quit menu command
; (WM_COMMAND comes from WinMessages.nsh).
!define MAIN_CLASS "CorvaneMain"
!define IDM_QUIT 2006
!define SYNCHRONIZE 0x00100000
!define QUIT_WAIT_MS 15000

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include "${FILES}"

Name "Corvane"
Caption "Corvane ${VERSION} Setup"
UninstallCaption "Corvane ${VERSION} Uninstall"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Corvane"
InstallDirRegKey HKCU "${UNINST_KEY}" "InstallLocation"
BrandingText "Corvane ${VERSION} (${ARCH})"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION4}"
VIFileVersion "${VERSION4}"
VIAddVersionKey /LANG=1033 "ProductName" "Corvane"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "Corvane ${VERSION} Setup (${ARCH})"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (c) 2026 ${PUBLISHER}, MIT License"

!define MUI_ICON "${ROOT}/src/app/res/corvane.ico"
!define MUI_UNICON "${ROOT}/src/app/res/corvane.ico"
!define MUI_ABORTWARNING
!define MUI_WELCOMEFINISHPAGE_BITMAP "${WIZARD}"
!define MUI_WELCOMEPAGE_TEXT "This will install Corvane ${VERSION}, the battery monitor for the notification area, for you alone: no administrator rights are needed.$\r$\n$\r$\nIf Corvane is running, Setup asks it to quit first, so it keeps your settings.$\r$\n$\r$\n$_CLICK"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${STAGE}/LICENSE.txt"
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE CheckInstallFolder
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\Corvane.exe"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\User Guide.txt"
!define MUI_FINISHPAGE_SHOWREADME_TEXT "Show the user guide"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Asks a running Corvane to quit the way its own Quit does (the Quit command posted to its main
; window), so that it saves its settings, and waits for its process to end: only then can its
; files be replaced or removed. One that does not end is never killed: the user is asked to
; quit it, and a silent run gives up.
!macro QUIT_RUNNING_CORVANE un
Function ${un}QuitRunningCorvane
    retry:
    FindWindow $0 "${MAIN_CLASS}"
    ${If} $0 == 0
        Return
    ${EndIf}
    DetailPrint "Asking the running Corvane to quit..."
    System::Call "user32::GetWindowThreadProcessId(p r0, *i .r1) i"
    System::Call "kernel32::OpenProcess(i ${SYNCHRONIZE}, i 0, i r1) p .r2"
    System::Call "user32::PostMessageW(p r0, i ${WM_COMMAND}, p ${IDM_QUIT}, p 0) i"
    StrCpy $3 258 ; WAIT_TIMEOUT
    ${If} $2 != 0
        System::Call "kernel32::WaitForSingleObject(p r2, i ${QUIT_WAIT_MS}) i .r3"
        System::Call "kernel32::CloseHandle(p r2)"
    ${Else}
        ; No handle to wait on: wait for the window to go instead.
        StrCpy $4 0
        ${Do}
            Sleep 250
            IntOp $4 $4 + 250
            FindWindow $0 "${MAIN_CLASS}"
            ${If} $0 == 0
                StrCpy $3 0
                ${Break}
            ${EndIf}
        ${LoopWhile} $4 < ${QUIT_WAIT_MS}
    ${EndIf}
    ${If} $3 == 0
        FindWindow $0 "${MAIN_CLASS}"
        ${If} $0 == 0
            DetailPrint "Corvane has quit."
            Return
        ${EndIf}
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Corvane is still running.$\r$\n$\r$\nQuit it from its icon in the notification area (right-click, Quit), then choose Retry." /SD IDCANCEL IDRETRY retry
    Abort "Corvane is still running: nothing was changed."
FunctionEnd
!macroend
!insertmacro QUIT_RUNNING_CORVANE ""
!insertmacro QUIT_RUNNING_CORVANE "un."

; Corvane writes its settings beside itself: a folder this user cannot write (such as
; "Program Files" without elevation) would install, then lose every setting. Refused before
; anything is copied: on the folder page, and by a silent run.
Function IsInstallFolderWritable ; leaves 1 or 0 in $R0
    StrCpy $R1 0
    ${IfNot} ${FileExists} "$INSTDIR\*.*"
        StrCpy $R1 1 ; made only to try: taken away again
    ${EndIf}
    StrCpy $R0 1
    ClearErrors
    CreateDirectory "$INSTDIR"
    FileOpen $R2 "$INSTDIR\Corvane-write-check.tmp" w
    ${If} ${Errors}
        StrCpy $R0 0
    ${Else}
        FileClose $R2
        Delete "$INSTDIR\Corvane-write-check.tmp"
    ${EndIf}
    ${If} $R1 == 1
        RMDir "$INSTDIR"
    ${EndIf}
FunctionEnd

Function CheckInstallFolder
    Call IsInstallFolderWritable
    ${If} $R0 == 0
        MessageBox MB_OK|MB_ICONEXCLAMATION "Setup cannot write to $INSTDIR.$\r$\n$\r$\nCorvane keeps its settings in its own folder, so it must be installed where you can write. Choose a folder of your own, such as the one Setup proposed."
        Abort
    ${EndIf}
FunctionEnd

Section "Corvane" SecMain
    SectionIn RO
    SetShellVarContext current
    ${If} ${Silent}
        Call IsInstallFolderWritable
        ${If} $R0 == 0
            Abort "Setup cannot write to $INSTDIR."
        ${EndIf}
    ${EndIf}
    Call QuitRunningCorvane
    SetOutPath "$INSTDIR"
    ; AppOpt.ini is the user's: an upgrade never writes it.
    !insertmacro CORVANE_INSTALL_FILES
    WriteUninstaller "$INSTDIR\Uninstall.exe"
    CreateShortcut "$SMPROGRAMS\Corvane.lnk" "$INSTDIR\Corvane.exe" "" "$INSTDIR\Corvane.exe" 0 \
        SW_SHOWNORMAL "" "Watches the battery from the notification area"

    WriteRegStr HKCU "${UNINST_KEY}" "DisplayName" "Corvane"
    WriteRegStr HKCU "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINST_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\Corvane.exe,0"
    WriteRegStr HKCU "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINST_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKCU "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegStr HKCU "${UNINST_KEY}" "URLInfoAbout" "https://corvane.github.io/"
    WriteRegDWORD HKCU "${UNINST_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINST_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    IntFmt $0 "0x%08X" $0
    WriteRegDWORD HKCU "${UNINST_KEY}" "EstimatedSize" "$0"
SectionEnd

Section "Uninstall"
    SetShellVarContext current
    Call un.QuitRunningCorvane

    ; Start with Windows: the value goes only when it starts this copy (Corvane writes its short
    ; path; a quoted long path is taken too). Another copy's value is not ours to remove.
    ReadRegStr $0 HKCU "${RUN_KEY}" "Corvane"
    ${If} $0 != ""
        StrCpy $1 $0 1
        ${If} $1 == '"'
            StrCpy $0 $0 "" 1
            StrCpy $1 $0 1 -1
            ${If} $1 == '"'
                StrCpy $0 $0 -1
            ${EndIf}
        ${EndIf}
        GetFullPathName /SHORT $2 "$0"
        GetFullPathName /SHORT $3 "$INSTDIR\Corvane.exe"
        StrCpy $4 0
        ${If} $0 == "$INSTDIR\Corvane.exe"
            StrCpy $4 1
        ${ElseIf} $3 != ""
            ${If} $0 == $3
            ${OrIf} $2 == $3
                StrCpy $4 1
            ${EndIf}
        ${EndIf}
        ${If} $4 == 1
            DeleteRegValue HKCU "${RUN_KEY}" "Corvane"
        ${EndIf}
    ${EndIf}

    ; Only the files this package installed, and the settings file the program wrote: the
    ; folder itself goes when nothing of anyone else's is left in it.
    !insertmacro CORVANE_DELETE_FILES
    Delete "$INSTDIR\AppOpt.ini"
    Delete "$INSTDIR\Uninstall.exe"
    RMDir "$INSTDIR"

    ; The shortcut and the entry belong to the copy the entry names (another install in
    ; another folder may have taken them over).
    ReadRegStr $0 HKCU "${UNINST_KEY}" "InstallLocation"
    ${If} $0 == "$INSTDIR"
        Delete "$SMPROGRAMS\Corvane.lnk"
        DeleteRegKey HKCU "${UNINST_KEY}"
    ${EndIf}
SectionEnd
