; The setup program of Walk files converter for 64-bit Windows, made by `make package-windows`
; (cmake/WindowsPackage.cmake) as walk-converter-<version>-setup.exe:
;
;   makensis -DVERSION=0.2.0 -DOUTFILE=... -DWALKCONV_EXE=... -DREADME_TXT=...
;            [-DWALK_CONVERTER_EXE=...] [-DLICENCE_FILE=...] [-DICON=...] setup.nsi
;
; It installs for all users into %ProgramFiles%\Walk files converter, asking for elevation, or,
; run with /CurrentUser, for the user alone into %LOCALAPPDATA%\Programs\Walk files converter
; without elevation. /S installs silently; /AddToPath adds the folder to PATH, as the option on
; the components page does; /D=FOLDER (last) installs elsewhere. An install over an earlier one
; removes the earlier one first, so that "Apps" keeps one entry. The uninstaller removes what
; the setup added and nothing else: the user's files and remembered folders stay.

Target amd64-unicode
RequestExecutionLevel user  ; asks for elevation itself, and only for all users
ManifestSupportedOS all
SetCompressor /SOLID lzma

!define PRODUCT "Walk files converter"
!define PUBLISHER "Walk files converter developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\walk-converter"
!define APP_KEY "Software\Classes\Applications\walk-converter.exe"
!define PROGID_WALK "WalkConverter.WalkSource"
!define PROGID_SAILORPOINTS "WalkConverter.Sailorpoints"
!define MACHINE_ENVIRONMENT "SYSTEM\CurrentControlSet\Control\Session Manager\Environment"
!define ERROR_CANCELLED 1223
!define ERROR_ELEVATION_REQUIRED 740

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include WinMessages.nsh

Name "${PRODUCT}"
OutFile "${OUTFILE}"
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

; No LegalCopyright: the project states no licence yet.
!pragma warning disable 9100
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"

Var AllUsers  ; 1: for all users (HKLM, %ProgramFiles%); 0: for the user alone (HKCU)

!ifdef ICON
    !define MUI_ICON "${ICON}"
    !define MUI_UNICON "${ICON}"
!endif
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!ifdef LICENCE_FILE
    !insertmacro MUI_PAGE_LICENSE "${LICENCE_FILE}"
!endif
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Functions both the setup program and the uninstaller need ("un." before an uninstaller's).
!macro SHARED_FUNCTIONS un

; Goes on when the process may change the machine; otherwise starts this program again
; elevated (Windows asks the user), with the same arguments, and ends with its exit status.
Function ${un}EnsureElevated
    System::Call 'shell32::IsUserAnAdmin() i .r0'
    ${If} $0 <> 0
        Return
    ${EndIf}
    ${GetParameters} $1
    ClearErrors
    ${GetOptions} $1 "/Elevated" $2
    ${IfNot} ${Errors}
        MessageBox MB_ICONSTOP|MB_OK "Installing for all users needs administrator rights. \
            Run the setup program with /CurrentUser to install for you alone." /SD IDOK
        SetErrorLevel ${ERROR_ELEVATION_REQUIRED}
        Quit
    ${EndIf}
    StrCpy $1 "/Elevated $1"
    !if "${un}" == "un."
        ; The uninstaller runs from a copy of itself, told its folder with _?= (always last),
        ; which its parameters no longer show.
        StrCpy $1 "$1 _?=$INSTDIR"
    !endif
    ; SHELLEXECUTEINFOW with SEE_MASK_NOCLOSEPROCESS; System packs its members, so the padding
    ; that 64-bit Windows puts after nShow and dwHotKey is written out.
    System::Call '*(i 112, i 0x40, p $HWNDPARENT, w "runas", w "$EXEPATH", w "$1", \
        p 0, i 1, i 0, p 0, p 0, p 0, p 0, i 0, i 0, p 0, p 0) p .r3'
    System::Call 'shell32::ShellExecuteExW(p r3) i .r4'
    System::Call '*$3(i, i, p, p, p, p, p, i, i, p, p, p, p, i, i, p, p .r5)'
    System::Free $3
    ${If} $4 = 0
        SetErrorLevel ${ERROR_CANCELLED}  ; the user refused
        Quit
    ${EndIf}
    System::Call 'kernel32::WaitForSingleObject(p r5, i -1)'
    System::Call 'kernel32::GetExitCodeProcess(p r5, *i .r6)'
    System::Call 'kernel32::CloseHandle(p r5)'
    SetErrorLevel $6
    Quit
FunctionEnd

; Where the entry $1 stands in the PATH value $0 ("entry;entry;..."), without regard to case:
; in $2 the index of ";$1;" in ";$0;", or -1 when $0 lacks it.
Function ${un}FindPathEntry
    StrCpy $3 ";$0;"
    StrCpy $4 ";$1;"
    StrLen $5 $4
    StrLen $6 $3
    IntOp $6 $6 - $5
    StrCpy $2 0
    ${DoWhile} $2 <= $6
        StrCpy $7 $3 $5 $2
        ${If} $7 == $4
            Return
        ${EndIf}
        IntOp $2 $2 + 1
    ${Loop}
    StrCpy $2 -1
FunctionEnd

!macroend
!insertmacro SHARED_FUNCTIONS ""
!insertmacro SHARED_FUNCTIONS "un."

; The PATH value of the install's scope into $0, with $8 set to 1 when it is too long to be
; changed safely here (longer values than NSIS strings hold would be cut).
!macro READ_PATH
    ${If} $AllUsers = 1
        ReadRegStr $0 HKLM "${MACHINE_ENVIRONMENT}" "Path"
    ${Else}
        ReadRegStr $0 HKCU "Environment" "Path"
    ${EndIf}
    StrLen $8 "$0;$1"
    ${If} $8 >= ${NSIS_MAX_STRLEN}
        StrCpy $8 1
    ${Else}
        StrCpy $8 0
    ${EndIf}
!macroend

!macro WRITE_PATH
    ${If} $AllUsers = 1
        WriteRegExpandStr HKLM "${MACHINE_ENVIRONMENT}" "Path" $0
    ${Else}
        ${If} $0 == ""
            DeleteRegValue HKCU "Environment" "Path"
        ${Else}
            WriteRegExpandStr HKCU "Environment" "Path" $0
        ${EndIf}
    ${EndIf}
    SendMessage ${HWND_BROADCAST} ${WM_SETTINGCHANGE} 0 "STR:Environment" /TIMEOUT=5000
!macroend

; Sets the scope from the command line: /CurrentUser or /AllUsers; else the uninstaller's scope
; is where its entry is, and the setup program's is all users.
!macro READ_SCOPE un
    ${GetParameters} $R0
    ClearErrors
    ${GetOptions} $R0 "/CurrentUser" $R1
    ${IfNot} ${Errors}
        StrCpy $AllUsers 0
    ${Else}
        StrCpy $AllUsers 1
        !if "${un}" == "un."
            ClearErrors
            ${GetOptions} $R0 "/AllUsers" $R1
            ${If} ${Errors}
                ReadRegStr $R1 HKLM "${UNINSTALL_KEY}" "InstallLocation"
                ${If} $R1 != $INSTDIR
                    StrCpy $AllUsers 0
                ${EndIf}
            ${EndIf}
        !endif
    ${EndIf}
    ${If} $AllUsers = 1
        Call ${un}EnsureElevated
        SetShellVarContext all
    ${Else}
        SetShellVarContext current
    ${EndIf}
!macroend

Section "${PRODUCT}" SectionProgram
    SectionIn RO

    ; An earlier install of the same scope: its own uninstaller takes it away first, in place.
    ReadRegStr $R0 SHCTX "${UNINSTALL_KEY}" "InstallLocation"
    ReadRegStr $R1 SHCTX "${UNINSTALL_KEY}" "UninstallString"
    ${If} $R1 != ""
    ${AndIf} ${FileExists} "$R0\uninstall.exe"
        DetailPrint "Removing the earlier version from $R0"
        ${If} $AllUsers = 1
            ExecWait '"$R0\uninstall.exe" /S /AllUsers _?=$R0'
        ${Else}
            ExecWait '"$R0\uninstall.exe" /S /CurrentUser _?=$R0'
        ${EndIf}
        Delete "$R0\uninstall.exe"
        RMDir "$R0"
    ${EndIf}

    SetOutPath "$INSTDIR"
    File "/oname=walkconv.exe" "${WALKCONV_EXE}"
    File "/oname=README.txt" "${README_TXT}"
!ifdef LICENCE_FILE
    File "/oname=LICENCE.txt" "${LICENCE_FILE}"
!endif
    WriteUninstaller "$INSTDIR\uninstall.exe"

!ifdef WALK_CONVERTER_EXE
    File "/oname=walk-converter.exe" "${WALK_CONVERTER_EXE}"
    CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\walk-converter.exe"

    ; "Open with" for walk sources and sailorpoints files; their default program stays.
    WriteRegStr SHCTX "${APP_KEY}" "FriendlyAppName" "${PRODUCT}"
    WriteRegStr SHCTX "${APP_KEY}\DefaultIcon" "" "$INSTDIR\walk-converter.exe,0"
    WriteRegStr SHCTX "${APP_KEY}\shell\open\command" "" '"$INSTDIR\walk-converter.exe" "%1"'
    WriteRegStr SHCTX "${APP_KEY}\SupportedTypes" ".c" ""
    WriteRegStr SHCTX "${APP_KEY}\SupportedTypes" ".ini" ""
    WriteRegStr SHCTX "Software\Classes\${PROGID_WALK}" "" "Walk source"
    WriteRegStr SHCTX "Software\Classes\${PROGID_WALK}\DefaultIcon" "" \
        "$INSTDIR\walk-converter.exe,0"
    WriteRegStr SHCTX "Software\Classes\${PROGID_WALK}\shell\open\command" "" \
        '"$INSTDIR\walk-converter.exe" "%1"'
    WriteRegStr SHCTX "Software\Classes\${PROGID_SAILORPOINTS}" "" "Sailorpoints file"
    WriteRegStr SHCTX "Software\Classes\${PROGID_SAILORPOINTS}\DefaultIcon" "" \
        "$INSTDIR\walk-converter.exe,0"
    WriteRegStr SHCTX "Software\Classes\${PROGID_SAILORPOINTS}\shell\open\command" "" \
        '"$INSTDIR\walk-converter.exe" "%1"'
    WriteRegStr SHCTX "Software\Classes\.c\OpenWithProgids" "${PROGID_WALK}" ""
    WriteRegStr SHCTX "Software\Classes\.ini\OpenWithProgids" "${PROGID_SAILORPOINTS}" ""
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'  ; SHCNE_ASSOCCHANGED
    !define DISPLAY_ICON "$INSTDIR\walk-converter.exe,0"
!else
    !define DISPLAY_ICON "$INSTDIR\uninstall.exe,0"
!endif

    ${If} $AllUsers = 1
        StrCpy $R2 "/AllUsers"
    ${Else}
        StrCpy $R2 "/CurrentUser"
    ${EndIf}
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "${DISPLAY_ICON}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe" $R2'
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" \
        '"$INSTDIR\uninstall.exe" $R2 /S'
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $R3 $R4 $R5
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $R3
SectionEnd

Section /o "Add the folder to PATH (walkconv in any console)" SectionPath
    StrCpy $1 "$INSTDIR"
    !insertmacro READ_PATH
    ${If} $8 = 1
        DetailPrint "PATH is too long to be changed here: add $INSTDIR to it by hand."
        MessageBox MB_ICONEXCLAMATION|MB_OK "PATH is too long to be changed by the setup \
            program. Add $INSTDIR to it by hand to run walkconv in any console." /SD IDOK
        Return
    ${EndIf}
    Call FindPathEntry
    ${If} $2 < 0
        ${If} $0 == ""
            StrCpy $0 "$1"
        ${Else}
            StrCpy $0 "$0;$1"
        ${EndIf}
        !insertmacro WRITE_PATH
        ; Only an entry added here is the uninstaller's to remove.
        WriteRegStr SHCTX "${UNINSTALL_KEY}" "PathEntry" "$1"
    ${EndIf}
SectionEnd

Function .onInit
    StrCpy $R9 $INSTDIR  ; given with /D=, or empty
    !insertmacro READ_SCOPE ""
    ${If} $AllUsers = 1
        StrCpy $INSTDIR "$PROGRAMFILES64\${PRODUCT}"
    ${Else}
        StrCpy $INSTDIR "$LOCALAPPDATA\Programs\${PRODUCT}"
    ${EndIf}
    ; Over an earlier install: its folder, and its choice of PATH.
    ReadRegStr $R1 SHCTX "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $R1 != ""
        StrCpy $INSTDIR $R1
        ReadRegStr $R1 SHCTX "${UNINSTALL_KEY}" "PathEntry"
        ${If} $R1 != ""
            SectionSetFlags ${SectionPath} ${SF_SELECTED}
        ${EndIf}
    ${EndIf}
    ${If} $R9 != ""
        StrCpy $INSTDIR $R9
    ${EndIf}
    ClearErrors
    ${GetOptions} $R0 "/AddToPath" $R1
    ${IfNot} ${Errors}
        SectionSetFlags ${SectionPath} ${SF_SELECTED}
    ${EndIf}
FunctionEnd

Function un.onInit
    !insertmacro READ_SCOPE "un."
FunctionEnd

Section "Uninstall"
    ; The PATH entry, if the setup program added one.
    ReadRegStr $1 SHCTX "${UNINSTALL_KEY}" "PathEntry"
    ${If} $1 != ""
        !insertmacro READ_PATH
        Call un.FindPathEntry
        ${If} $8 = 1
            DetailPrint "PATH is too long to be changed here: remove $1 from it by hand."
        ${ElseIf} $2 >= 0
            ; ";$0;" without ";$1", then without the ";" before and after.
            StrCpy $3 ";$0;"
            StrCpy $5 $3 $2
            StrLen $6 ";$1"
            IntOp $6 $6 + $2
            StrCpy $7 $3 "" $6
            StrCpy $0 "$5$7" "" 1
            StrCpy $0 $0 -1
            !insertmacro WRITE_PATH
        ${EndIf}
    ${EndIf}

!ifdef WALK_CONVERTER_EXE
    Delete "$SMPROGRAMS\${PRODUCT}.lnk"
    DeleteRegKey SHCTX "${APP_KEY}"
    DeleteRegKey SHCTX "Software\Classes\${PROGID_WALK}"
    DeleteRegKey SHCTX "Software\Classes\${PROGID_SAILORPOINTS}"
    DeleteRegValue SHCTX "Software\Classes\.c\OpenWithProgids" "${PROGID_WALK}"
    DeleteRegValue SHCTX "Software\Classes\.ini\OpenWithProgids" "${PROGID_SAILORPOINTS}"
    DeleteRegKey /ifnosubkeys /ifnovalues SHCTX "Software\Classes\.c\OpenWithProgids"
    DeleteRegKey /ifnosubkeys /ifnovalues SHCTX "Software\Classes\.c"
    DeleteRegKey /ifnosubkeys /ifnovalues SHCTX "Software\Classes\.ini\OpenWithProgids"
    DeleteRegKey /ifnosubkeys /ifnovalues SHCTX "Software\Classes\.ini"
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
    Delete "$INSTDIR\walk-converter.exe"
!endif
    Delete "$INSTDIR\walkconv.exe"
    Delete "$INSTDIR\README.txt"
!ifdef LICENCE_FILE
    Delete "$INSTDIR\LICENCE.txt"
!endif
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"  ; only when empty: files the user put there stay
    DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
