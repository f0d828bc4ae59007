; Corvane's installer: per user and without administrator rights, into
; %LOCALAPPDATA%\Programs\Corvane, where the program can write its AppOpt.ini beside itself.
; Made by scripts/package.sh, which defines:
;   TARGET   NSIS target (amd64-unicode, x86-unicode)   ARCH     x64 or x86
;   VERSION  from the exe's version resource             VERSION4 the same with four parts
;   STAGE    the program folder to install               FILES    file lists made from STAGE
;   ROOT     the source tree                             OUTFILE  the setup exe to write
;   WIZARD   the welcome and finish pages' picture (packaging/make_wizard_bitmap.py)
;   SIGN     yes when package.sh signs (packaging/sign.sh): the uninstaller is signed too
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
!define PROCESS_QUERY_LIMITED_INFORMATION 0x1000
!define /math WAIT_AND_QUERY ${SYNCHRONIZE} | ${PROCESS_QUERY_LIMITED_INFORMATION}
!define QUIT_WAIT_MS 15000

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include "${FILES}"

Name "Corvane"
Caption "Corvane ${VERSION} Setup"
UninstallCaption "Corvane ${VERSION} Uninstall"
OutFile "${OUTFILE}"
!if "${SIGN}" == "yes"
    ; makensis writes the uninstaller into the setup itself: it is signed there, before the
    ; setup is packed (the setup is signed afterwards, by package.sh).
    !uninstfinalize 'sh "${ROOT}/packaging/sign.sh" "%1" "the uninstaller of setup-${ARCH}.exe"' = 0
!endif
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
; files be replaced or removed. Only a Corvane started from this folder is asked: a copy
; running from elsewhere (a portable one) is not this setup's to end. One that does not end is
; never killed: the user is asked to quit it, and a silent run gives up.
!macro QUIT_RUNNING_CORVANE un
Function ${un}QuitRunningCorvane
    retry:
    StrCpy $5 0
    ${Do}
        System::Call "user32::FindWindowExW(p 0, p r5, w '${MAIN_CLASS}', p 0) p .r0"
        ${If} $0 == 0
            Return
        ${EndIf}
        StrCpy $5 $0
        System::Call "user32::GetWindowThreadProcessId(p r0, *i .r1) i"
        System::Call "kernel32::OpenProcess(i ${WAIT_AND_QUERY}, i 0, i r1) p .r2"
        ${If} $2 == 0
            ${Continue} ; not ours to look into, so not ours to end
        ${EndIf}
        StrCpy $6 ""
        System::Call "kernel32::QueryFullProcessImageNameW(p r2, i 0, w .r6, *i ${NSIS_MAX_STRLEN}) i"
        GetFullPathName /SHORT $7 "$6"
        GetFullPathName /SHORT $8 "$INSTDIR\Corvane.exe"
        StrCpy $9 0
        ${If} $6 == "$INSTDIR\Corvane.exe" ; NSIS compares without case, as Windows paths are
            StrCpy $9 1
        ${ElseIf} $7 != ""
        ${AndIf} $7 == $8
            StrCpy $9 1
        ${EndIf}
        ${If} $9 == 1
            ${Break}
        ${EndIf}
        System::Call "kernel32::CloseHandle(p r2)"
    ${Loop}
    DetailPrint "Asking the running Corvane to quit..."
    System::Call "user32::PostMessageW(p r0, i ${WM_COMMAND}, p ${IDM_QUIT}, p 0) i"
    System::Call "kernel32::WaitForSingleObject(p r2, i ${QUIT_WAIT_MS}) i .r3"
    System::Call "kernel32::CloseHandle(p r2)"
    ${If} $3 == 0
        DetailPrint "Corvane has quit."
        Goto retry ; another copy from this folder may still run
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Corvane is still running.$\r$\n$\r$\nQuit it from its icon in the notification area (right-click, Quit), then choose Retry." /SD IDCANCEL IDRETRY retry
    Abort "Corvane is still running: nothing was changed."
FunctionEnd
!macroend
!insertmacro QUIT_RUNNING_CORVANE ""
!insertmacro QUIT_RUNNING_CORVANE "un."

; Whether Setup may install into $INSTDIR: leaves "" in $R0 when it may, else why not.
; - A folder that holds files but no Corvane is another program's: installing would overwrite
;   its files, and uninstalling would delete them. Files only Corvane writes (its settings and
;   logs, left by a portable copy or a removed install) are Corvane's.
; - Corvane writes its settings beside itself: a folder this user cannot write (such as
;   "Program Files" without elevation) would install, then lose every setting.
; Both are refused before anything is copied: on the folder page, and by a silent run. Folders
; made only to try writing are taken away again (the install makes them anew).
Function InstallFolderProblem
    StrCpy $R0 ""
    ${If} ${FileExists} "$INSTDIR\*.*"
    ${AndIfNot} ${FileExists} "$INSTDIR\Corvane.exe"
        FindFirst $R2 $R3 "$INSTDIR\*.*"
        ${DoWhile} $R3 != ""
            !insertmacro CORVANE_IS_WRITTEN
            ${If} $R3 != "."
            ${AndIf} $R3 != ".."
            ${AndIf} $R9 == 0
                StrCpy $R0 "foreign"
                ${Break}
            ${EndIf}
            FindNext $R2 $R3
        ${Loop}
        FindClose $R2
        ${If} $R0 != ""
            Return
        ${EndIf}
    ${EndIf}
    StrCpy $R4 "$INSTDIR" ; the nearest folder on the path that exists already
    ${DoUntil} ${FileExists} "$R4\*.*"
        ${GetParent} "$R4" $R4
        ${IfThen} $R4 == "" ${|} ${ExitDo} ${|}
    ${Loop}
    ClearErrors
    CreateDirectory "$INSTDIR"
    FileOpen $R2 "$INSTDIR\Corvane-write-check.tmp" w
    ${If} ${Errors}
        StrCpy $R0 "unwritable"
    ${Else}
        FileClose $R2
        Delete "$INSTDIR\Corvane-write-check.tmp"
    ${EndIf}
    StrCpy $R5 "$INSTDIR"
    ${DoWhile} $R5 != $R4
        RMDir "$R5" ; only an empty one: what was there before stays
        ${GetParent} "$R5" $R5
    ${Loop}
FunctionEnd

!define FOREIGN_FOLDER_TEXT "$INSTDIR holds files of another program.$\r$\n$\r$\nSetup installs only into an empty folder or over Corvane. Choose a folder of its own, such as the one Setup proposed."
!define UNWRITABLE_FOLDER_TEXT "Setup cannot write to $INSTDIR.$\r$\n$\r$\nCorvane keeps its settings in its own folder, so it must be installed where you can write. Choose a folder of your own, such as the one Setup proposed."

Function CheckInstallFolder
    Call InstallFolderProblem
    ${If} $R0 == "foreign"
        MessageBox MB_OK|MB_ICONEXCLAMATION "${FOREIGN_FOLDER_TEXT}"
        Abort
    ${ElseIf} $R0 != ""
        MessageBox MB_OK|MB_ICONEXCLAMATION "${UNWRITABLE_FOLDER_TEXT}"
        Abort
    ${EndIf}
FunctionEnd

Section "Corvane" SecMain
    SectionIn RO
    SetShellVarContext current
    ${If} ${Silent}
        Call InstallFolderProblem
        ${If} $R0 == "foreign"
            Abort "$INSTDIR holds files of another program: nothing was changed."
        ${ElseIf} $R0 != ""
            Abort "Setup cannot write to $INSTDIR."
        ${EndIf}
    ${EndIf}
    Call QuitRunningCorvane
    SetOutPath "$INSTDIR"
    ; What Corvane writes itself (AppOpt.ini, its logs) is the user's: an upgrade never writes it.
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

    ; Only the files this package installed, and those the program wrote beside itself (its
    ; settings and logs): the folder itself goes when nothing of anyone else's is left in it.
    !insertmacro CORVANE_DELETE_FILES
    !insertmacro CORVANE_DELETE_WRITTEN
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
