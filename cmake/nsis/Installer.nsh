; Velmora's installer, in English or Vietnamese after Windows' display
; language. It installs for everyone using the computer (Program Files,
; with administrator rights) or for the current user alone (the user's
; %LOCALAPPDATA%\Programs\Velmora, no rights needed); without administrator
; rights it offers only the latter. NSIS.template.in defines what CPack
; knows (VELMORA_NAME, VELMORA_VERSION, ...), WindowsPackaging.cmake the
; rest (VELMORA_COPYRIGHT), and the template includes this file.
;
;   Velmora-VERSION-win64.exe [/AllUsers | /CurrentUser] [/AddToPath]
;                             [/DesktopShortcut] [/S] [/D=FOLDER]
;
; /AddToPath and /DesktopShortcut choose those components without the
; components page, as /S needs. The uninstaller takes /AllUsers or
; /CurrentUser too, and /S; Windows' list of apps calls it with the mode it
; was installed in.

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${VELMORA_REGISTRY_KEY}"
!define UNINSTALLER "Uninstall.exe"
!define WINDOW_PROGRAM "bin\velmora.exe"
; The environment the PATH of an install for all users is in.
!define ALL_USERS_ENVIRONMENT "SYSTEM\CurrentControlSet\Control\Session Manager\Environment"

; MultiUser.nsh: the page that asks for whom to install (shown only with
; administrator rights), /AllUsers and /CurrentUser, and for each mode its
; folder, its registry root (SHCTX) and its Start menu and desktop. A second
; install takes the mode and folder of the first.
!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "${VELMORA_INSTALL_FOLDER}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_INSTALLMODEPAGE_TEXT_TOP "$(VelmoraInstallModeTop)"
!define MULTIUSER_INSTALLMODEPAGE_TEXT_ALLUSERS "$(VelmoraInstallModeAllUsers)"
!define MULTIUSER_INSTALLMODEPAGE_TEXT_CURRENTUSER "$(VelmoraInstallModeCurrentUser)"
!define MULTIUSER_INIT_TEXT_ALLUSERSNOTPOSSIBLE "$(VelmoraAllUsersNeedRights)"
!include MultiUser.nsh
!include MUI2.nsh
!include LogicLib.nsh
!include Sections.nsh
!include FileFunc.nsh
!include WordFunc.nsh
!include WinMessages.nsh

Name "${VELMORA_NAME}"
BrandingText "${VELMORA_NAME} ${VELMORA_VERSION}"
ManifestDPIAware true
; The installed files get the time they are installed at, and the
; installer holds none of the build's times.
SetDateSave off
VIProductVersion "${VELMORA_VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "${VELMORA_NAME}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VELMORA_VERSION}"
VIAddVersionKey /LANG=0 "FileVersion" "${VELMORA_VERSION}"
VIAddVersionKey /LANG=0 "FileDescription" "${VELMORA_NAME} ${VELMORA_VERSION}"
VIAddVersionKey /LANG=0 "CompanyName" "${VELMORA_PUBLISHER}"
VIAddVersionKey /LANG=0 "LegalCopyright" "${VELMORA_COPYRIGHT}"

!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${VELMORA_LICENSE}"
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; English first: the language of a Windows whose display language is
; neither.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Vietnamese"
!include "Strings.nsh"

; --- The PATH -----------------------------------------------------------------

; Adds (OPERATION +) or removes (-) $INSTDIR\bin in the PATH of the
; environment in registry key ROOT\KEY,
; leaving the rest of it as it was; UN is "un." in the uninstaller. NSIS
; reads no value longer than NSIS_MAX_STRLEN: such a PATH is left alone and
; the user told what to add. Sets $0 to 1 when the PATH was changed.
!macro EDIT_PATH UN ROOT KEY OPERATION
  StrCpy $0 0
  StrCpy $4 "readable"
  ClearErrors
  ReadRegStr $1 ${ROOT} "${KEY}" "Path"
  ${If} ${Errors}
    ; Missing, or too long to read: only a missing one may be written.
    StrCpy $1 ""
    StrCpy $2 0
    ${Do}
      EnumRegValue $3 ${ROOT} "${KEY}" $2
      ${IfThen} $3 == "" ${|} ${ExitDo} ${|}
      ${If} $3 == "Path"
        StrCpy $4 "too long"
        ${ExitDo}
      ${EndIf}
      IntOp $2 $2 + 1
    ${Loop}
  ${EndIf}
  ${If} $4 == "readable"
    ${${UN}WordAdd} "$1" ";" "${OPERATION}$INSTDIR\bin" $2
    StrLen $3 $2
    ${If} $3 >= ${NSIS_MAX_STRLEN}
      StrCpy $4 "too long"
    ${ElseIf} $2 != $1
      WriteRegExpandStr ${ROOT} "${KEY}" "Path" $2
      SendMessage ${HWND_BROADCAST} ${WM_SETTINGCHANGE} 0 "STR:Environment" /TIMEOUT=5000
      StrCpy $0 1
    ${EndIf}
  ${EndIf}
  ${If} $4 == "too long"
  ${AndIf} "${OPERATION}" == "+"
    DetailPrint "$(VelmoraPathTooLong)"
    MessageBox MB_OK|MB_ICONEXCLAMATION "$(VelmoraPathTooLong)" /SD IDOK
  ${EndIf}
!macroend

!macro EDIT_INSTALL_MODES_PATH UN OPERATION
  ${If} $MultiUser.InstallMode == "AllUsers"
    !insertmacro EDIT_PATH "${UN}" HKLM "${ALL_USERS_ENVIRONMENT}" "${OPERATION}"
  ${Else}
    !insertmacro EDIT_PATH "${UN}" HKCU "Environment" "${OPERATION}"
  ${EndIf}
!macroend

; --- Installing ---------------------------------------------------------------

; An earlier install in the same mode is uninstalled first, so that none of
; its files outlives this one. Its uninstaller is the one it registered:
; «"C:\…\Uninstall.exe" /CurrentUser», or «"C:\…\Uninstall.exe"» from an
; installer made with CPack's own script.
Function RemoveEarlierInstall
  ReadRegStr $0 SHCTX "${UNINSTALL_KEY}" "UninstallString"
  StrCpy $1 $0 1
  ${If} $1 == '"'
    StrCpy $0 $0 "" 1
    ${WordFind} "$0" '"' "+1" $0
  ${EndIf}
  ${If} $0 != ""
  ${AndIf} ${FileExists} "$0"
    ${GetParent} "$0" $1
    ExecWait '"$0" /S /$MultiUser.InstallMode _?=$1'
    Delete "$0"
    RMDir "$1"
  ${EndIf}
FunctionEnd

Section "$(VelmoraSectionPrograms)" SectionPrograms
  SectionIn RO
  Call RemoveEarlierInstall
  SetOutPath "$INSTDIR"
  !insertmacro VELMORA_INSTALL_FILES
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  CreateDirectory "$SMPROGRAMS\${VELMORA_NAME}"
  CreateShortCut "$SMPROGRAMS\${VELMORA_NAME}\${VELMORA_NAME}.lnk" "$INSTDIR\${WINDOW_PROGRAM}"
  CreateShortCut "$SMPROGRAMS\${VELMORA_NAME}\$(VelmoraUninstallShortcut).lnk" \
    "$INSTDIR\${UNINSTALLER}" "/$MultiUser.InstallMode"

  ; The entry of Settings > Apps: HKLM for all users, HKCU for one.
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${VELMORA_NAME}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VELMORA_VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${VELMORA_PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${WINDOW_PROGRAM}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" \
    '"$INSTDIR\${UNINSTALLER}" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" \
    '"$INSTDIR\${UNINSTALLER}" /$MultiUser.InstallMode /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
  ; The language the uninstaller speaks.
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Installer Language" $LANGUAGE
SectionEnd

Section /o "$(VelmoraSectionPath)" SectionPath
  !insertmacro EDIT_INSTALL_MODES_PATH "" "+"
  ; Only an entry this install added is taken out again.
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "AddedToPath" $0
SectionEnd

Section /o "$(VelmoraSectionDesktop)" SectionDesktop
  CreateShortCut "$DESKTOP\${VELMORA_NAME}.lnk" "$INSTDIR\${WINDOW_PROGRAM}"
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "DesktopShortcut" 1
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SectionPrograms} "$(VelmoraSectionProgramsDescription)"
  !insertmacro MUI_DESCRIPTION_TEXT ${SectionPath} "$(VelmoraSectionPathDescription)"
  !insertmacro MUI_DESCRIPTION_TEXT ${SectionDesktop} "$(VelmoraSectionDesktopDescription)"
!insertmacro MUI_FUNCTION_DESCRIPTION_END

; Selects SECTION when OPTION is on the command line, or when the earlier
; install in this mode had it (its registry VALUE is 1).
!macro SELECT_IF_ASKED SECTION OPTION VALUE
  ReadRegDWORD $R2 SHCTX "${UNINSTALL_KEY}" "${VALUE}"
  ClearErrors
  ${GetOptions} $R0 "${OPTION}" $R1
  ${IfNot} ${Errors}
  ${OrIf} $R2 == 1
    !insertmacro SelectSection ${SECTION}
  ${EndIf}
!macroend

Function .onInit
  ${GetParameters} $R0
  ; /AllUsers without the rights for it: MultiUser.nsh would say so in a
  ; message box, which a silent install must not wait on.
  ClearErrors
  ${GetOptions} $R0 "/AllUsers" $R1
  ${IfNot} ${Errors}
  ${AndIf} ${Silent}
    UserInfo::GetAccountType
    Pop $R1
    ${If} $R1 != "Admin"
    ${AndIf} $R1 != "Power"
      SetErrorLevel 740  ; ERROR_ELEVATION_REQUIRED
      Quit
    ${EndIf}
  ${EndIf}
  ; A folder given with /D= stands: MultiUser.nsh sets its mode's own.
  StrCpy $R9 $INSTDIR
  !insertmacro MULTIUSER_INIT
  ${If} $R9 != ""
    StrCpy $INSTDIR $R9
  ${EndIf}
  !insertmacro SELECT_IF_ASKED ${SectionPath} "/AddToPath" "AddedToPath"
  !insertmacro SELECT_IF_ASKED ${SectionDesktop} "/DesktopShortcut" "DesktopShortcut"
FunctionEnd

; --- Uninstalling -------------------------------------------------------------

Function un.onInit
  !insertmacro MULTIUSER_UNINIT
  ReadRegStr $0 SHCTX "${UNINSTALL_KEY}" "Installer Language"
  ${If} $0 != ""
    StrCpy $LANGUAGE $0
  ${EndIf}
FunctionEnd

Section "Uninstall"
  ReadRegDWORD $0 SHCTX "${UNINSTALL_KEY}" "AddedToPath"
  ${If} $0 == 1
    !insertmacro EDIT_INSTALL_MODES_PATH "un." "-"
  ${EndIf}
  ReadRegDWORD $0 SHCTX "${UNINSTALL_KEY}" "DesktopShortcut"
  ${If} $0 == 1
    Delete "$DESKTOP\${VELMORA_NAME}.lnk"
  ${EndIf}
  Delete "$SMPROGRAMS\${VELMORA_NAME}\${VELMORA_NAME}.lnk"
  Delete "$SMPROGRAMS\${VELMORA_NAME}\$(VelmoraUninstallShortcut).lnk"
  RMDir "$SMPROGRAMS\${VELMORA_NAME}"

  !insertmacro VELMORA_REMOVE_FILES
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
