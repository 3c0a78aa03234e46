#!/usr/bin/env bash
# The Windows packages under Wine:
#  - the installer installs silently for the current user alone
#    (/CurrentUser /S): the programs, READMEs, licence and samples in the
#    user's %LOCALAPPDATA%\Programs\Velmora, a Start-menu entry and, as
#    asked, a desktop shortcut and bin\ on the user's PATH, the uninstaller
#    registered under HKCU, nothing in Program Files or under HKLM; both
#    programs run from there; the registered uninstaller removes every file,
#    shortcut and key and gives the PATH back as it was;
#  - for all users (/AllUsers /S) into Program Files, registered under HKLM,
#    and removed again;
#  - in Vietnamese under a Vietnamese display language, also over an
#    earlier install, which it uninstalls first;
#  - into the folder given with /D=;
#  - the ZIP holds the same files, and its programs run.
#
#   InstallerTest.sh INSTALLER ZIP EXAMPLES_DIR
#
# Run it on an X display (xvfb-run and scripts/x11-session) with WINEPREFIX
# set to a prefix of its own.
set -uo pipefail
installer=$(realpath "$1") zip=$(realpath "$2") examples=$(realpath "$3")
# No menu entries or icons of Wine's in the home folder for the shortcuts.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
: "${WINEPREFIX:?set WINEPREFIX to a prefix of the tests own}"

work=$(mktemp -d /tmp/velmora-installer.XXXXXX)
app=""
cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null && wait "$app" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

source "$(dirname "$0")/../../support/x11-checks.sh"

drive_c="$WINEPREFIX/drive_c"
profile="$drive_c/users/$(id -un)"
version=$(basename "$installer" | sed -n 's/^Velmora-\(.*\)-win64\.exe$/\1/p')
record="$examples/libol.txt"
uninstall_key='Software\Microsoft\Windows\CurrentVersion\Uninstall\Velmora'
# Wine links the user's desktop to the home folder: a folder of the prefix
# instead, so that a desktop shortcut stays in the prefix.
if [ -L "$profile/Desktop" ]; then
  rm "$profile/Desktop" && mkdir "$profile/Desktop"
fi
# A Vietnamese locale for Wine to take the display language from, and to
# write Vietnamese file names (a shortcut's) in UTF-8, as on a Vietnamese
# desktop; made here, so that the machine needs none.
mkdir "$work/locale"
localedef --no-archive -i vi_VN -f UTF-8 "$work/locale/vi_VN.UTF-8"
export LOCPATH="$work/locale"

# The folders and keys of each install mode.
declare -A folder start_menu desktop root
folder[CurrentUser]="$profile/AppData/Local/Programs/Velmora"
start_menu[CurrentUser]="$profile/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Velmora"
desktop[CurrentUser]="$profile/Desktop"
root[CurrentUser]=HKCU
folder[AllUsers]="$drive_c/Program Files/Velmora"
start_menu[AllUsers]="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Velmora"
desktop[AllUsers]="$drive_c/users/Public/Desktop"
root[AllUsers]=HKLM
other_mode() { [ "$1" = CurrentUser ] && echo AllUsers || echo CurrentUser; }

# The value $2 of registry key $1, as reg prints it; fails when there is none.
registry_value() {
  local line
  line=$(wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | grep -F "    $2    ") || return 1
  sed 's/^    .*    REG_[A-Z_]*    //' <<<"$line"
}
key_exists() { wine reg query "$1" >/dev/null 2>&1; }
user_path() { registry_value 'HKCU\Environment' Path; }

# The two programs in folder $2 answer and convert; the window opens.
check_programs() {
  local where=$1 bin=$2
  if [ "$(wine "$bin/velmora-convert.exe" --version 2>/dev/null | tr -d '\r')" = "velmora-convert $version" ]; then
    pass "$where: velmora-convert.exe --version gives $version"
  else
    fail "$where: velmora-convert.exe --version: $(wine "$bin/velmora-convert.exe" --version 2>&1 | head -2)"
  fi
  if wine "$bin/velmora-convert.exe" libol "$record" >"$work/out" 2>/dev/null &&
    grep -q '^245=00\$a' "$work/out"; then
    pass "$where: velmora-convert.exe converts a record"
  else
    fail "$where: velmora-convert.exe libol failed"
  fi
  wine "$bin/velmora.exe" 2>/dev/null &
  app=$!
  if wait_for 60 bash -c "xdotool search --onlyvisible --name '^Velmora-Openbiblio' >/dev/null 2>&1"; then
    pass "$where: velmora.exe opens its window"
  else
    fail "$where: velmora.exe shows no window"
  fi
  stop_processes "$app"
  app=""
  wait_for 30 bash -c "! xdotool search --onlyvisible --name '^Velmora-Openbiblio' >/dev/null 2>&1"
}

# Besides the programs, the READMEs, the licence and the samples.
check_documents() {
  local where=$1 top=$2 missing="" file
  for file in README.md README.vi.md LICENSE.txt examples/libol.txt examples/libol.expected.txt; do
    [ -f "$top/$file" ] || missing+=" $file"
  done
  [ -z "$missing" ] && pass "$where: the READMEs, the licence and the samples" ||
    fail "$where: lacks$missing"
}

installed() { [ -f "${folder[$1]}/bin/velmora.exe" ] && [ -f "${folder[$1]}/bin/velmora-convert.exe" ]; }
# Nothing of mode $1's install left: files, folder, shortcuts, key.
removed() {
  [ ! -e "${folder[$1]}" ] && [ ! -e "${start_menu[$1]}" ] &&
    [ ! -e "${desktop[$1]}/Velmora.lnk" ] && ! key_exists "${root[$1]}\\$uninstall_key"
}
left_behind() {
  find "${folder[$1]}" "${start_menu[$1]}" "${desktop[$1]}/Velmora.lnk" 2>/dev/null | sed "s|$drive_c/||"
  key_exists "${root[$1]}\\$uninstall_key" && echo "${root[$1]}\\$uninstall_key"
}

# install LOCALE MODE [OPTION...]: runs the installer silently in LOCALE,
# whose language Wine gives as Windows' display language (a /D=FOLDER
# last, as the installer wants it); waits for it.
install() {
  local locale=$1 mode=$2
  shift 2
  env LC_ALL="$locale" wine "$installer" "/$mode" /S "$@"
  wait_for 120 installed "$mode"
}
# uninstall MODE: runs the uninstaller that the install registered, as
# Settings > Apps does, silently; waits for its work (it runs on from a
# copy of itself).
uninstall() {
  local mode=$1 command
  command=$(registry_value "${root[$mode]}\\$uninstall_key" QuietUninstallString) || {
    fail "$mode: no QuietUninstallString registered"
    return 1
  }
  # «"C:\…\Uninstall.exe" /CurrentUser /S»
  local program=${command#\"}
  program=${program%%\"*}
  # shellcheck disable=SC2086 # the options after the program's name
  wine "$program" ${command##*\"}
  wait_for 120 removed "$mode"
}

# --- For the current user alone -----------------------------------------------
mode=CurrentUser
wine reg add 'HKCU\Environment' /v Path /t REG_EXPAND_SZ /d 'C:\keep-me;%SystemRoot%\keep' /f >/dev/null 2>&1
path_before=$(user_path)
if install C.UTF-8 $mode /AddToPath /DesktopShortcut; then
  pass "/CurrentUser /S: both programs in the user's AppData\\Local\\Programs\\Velmora\\bin"
else
  fail "/CurrentUser /S: nothing in ${folder[$mode]}/bin"
fi
[ ! -e "${folder[AllUsers]}" ] && pass "$mode: nothing in Program Files" ||
  fail "$mode: $(ls "${folder[AllUsers]}")"
check_documents $mode "${folder[$mode]}"
[ -f "${start_menu[$mode]}/Velmora.lnk" ] && [ -f "${start_menu[$mode]}/Uninstall Velmora.lnk" ] &&
  pass "$mode: the window and the uninstaller in the user's Start menu" ||
  fail "$mode: Start menu: $(ls "${start_menu[$mode]}" 2>&1)"
[ -f "${desktop[$mode]}/Velmora.lnk" ] && pass "$mode: a shortcut on the user's desktop" ||
  fail "$mode: no desktop shortcut in ${desktop[$mode]}"
uninstall_string=$(registry_value "HKCU\\$uninstall_key" UninstallString)
[ "$uninstall_string" = "\"C:\\users\\$(id -un)\\AppData\\Local\\Programs\\Velmora\\Uninstall.exe\" /CurrentUser" ] &&
  pass "$mode: the uninstaller registered under HKCU" || fail "$mode: HKCU UninstallString [$uninstall_string]"
key_exists "HKLM\\$uninstall_key" && fail "$mode: registered under HKLM too" ||
  pass "$mode: nothing registered under HKLM"
want_path="$path_before;C:\\users\\$(id -un)\\AppData\\Local\\Programs\\Velmora\\bin"
[ "$(user_path)" = "$want_path" ] && pass "$mode: bin\\ added to the user's PATH, the rest kept" ||
  fail "$mode: the user's PATH is [$(user_path)], not [$want_path]"
[ "$(registry_value "HKCU\\$uninstall_key" 'Installer Language')" = 1033 ] &&
  pass "$mode: in English under an English display language" ||
  fail "$mode: Installer Language $(registry_value "HKCU\\$uninstall_key" 'Installer Language')"
installed $mode && check_programs "installed for the current user" "${folder[$mode]}/bin"

if uninstall $mode; then
  pass "$mode: the uninstaller removes the files, the shortcuts and the HKCU key"
else
  fail "$mode: left behind: $(left_behind $mode | tr '\n' ' ')"
fi
[ "$(user_path)" = "$path_before" ] && pass "$mode: the user's PATH as it was before" ||
  fail "$mode: the user's PATH is [$(user_path)], not [$path_before]"

# --- For all users ------------------------------------------------------------
mode=AllUsers
if install C.UTF-8 $mode; then
  pass "/AllUsers /S: both programs in C:\\Program Files\\Velmora\\bin"
else
  fail "/AllUsers /S: nothing in ${folder[$mode]}/bin"
fi
check_documents $mode "${folder[$mode]}"
[ -f "${start_menu[$mode]}/Velmora.lnk" ] && pass "$mode: the window in every user's Start menu" ||
  fail "$mode: Start menu: $(ls "${start_menu[$mode]}" 2>&1)"
key_exists "HKLM\\$uninstall_key" && ! key_exists "HKCU\\$uninstall_key" &&
  pass "$mode: the uninstaller registered under HKLM alone" || fail "$mode: not registered under HKLM alone"
[ ! -e "${desktop[$mode]}/Velmora.lnk" ] && pass "$mode: no desktop shortcut unless asked" ||
  fail "$mode: a desktop shortcut nobody asked for"
[ "$(wine "${folder[$mode]}/bin/velmora-convert.exe" --version 2>/dev/null | tr -d '\r')" = "velmora-convert $version" ] &&
  pass "$mode: velmora-convert.exe runs from Program Files" || fail "$mode: velmora-convert.exe does not run"
uninstall $mode && pass "$mode: the uninstaller removes everything" ||
  fail "$mode: left behind: $(left_behind $mode | tr '\n' ' ')"

# --- In Vietnamese, over an earlier install ------------------------------------
mode=CurrentUser
install C.UTF-8 $mode
if install vi_VN.UTF-8 $mode; then
  pass "over an earlier install: both programs again"
else
  fail "over an earlier install: nothing installed"
fi
[ "$(registry_value "HKCU\\$uninstall_key" 'Installer Language')" = 1066 ] &&
  pass "in Vietnamese under a Vietnamese display language (Installer Language 1066)" ||
  fail "Installer Language $(registry_value "HKCU\\$uninstall_key" 'Installer Language') under vi_VN"
[ -f "${start_menu[$mode]}/Gỡ cài đặt Velmora.lnk" ] && [ ! -e "${start_menu[$mode]}/Uninstall Velmora.lnk" ] &&
  pass "the earlier install uninstalled first; the Start menu in Vietnamese" ||
  fail "Start menu after the Vietnamese install: $(ls "${start_menu[$mode]}" 2>&1 | tr '\n' ' ')"
uninstall $mode && pass "the Vietnamese uninstaller removes everything" ||
  fail "Vietnamese uninstall left behind: $(left_behind $mode | tr '\n' ' ')"

# --- Into a folder of one's own (/D=) -------------------------------------------
mode=CurrentUser
default_folder=${folder[$mode]}
folder[$mode]="$drive_c/VelmoraElsewhere"
if install C.UTF-8 $mode '/D=C:\VelmoraElsewhere'; then
  pass "/D=: both programs in the folder given"
else
  fail "/D=: nothing in ${folder[$mode]}: $(ls "$default_folder" 2>&1)"
fi
uninstall $mode && pass "/D=: the uninstaller removes everything" ||
  fail "/D=: left behind: $(left_behind $mode | tr '\n' ' ')"
folder[$mode]=$default_folder

# --- The ZIP -------------------------------------------------------------------
(cd "$work" && cmake -E tar xf "$zip")
unpacked=$(dirname "$(find "$work" -name velmora-convert.exe | head -1)")
if [ -f "$unpacked/velmora.exe" ]; then
  pass "the ZIP holds both programs"
  check_documents "the ZIP" "$unpacked/.."
  check_programs "from the ZIP" "$unpacked"
else
  fail "the ZIP lacks the programs: $(cd "$work" && find . -type f | head)"
fi

finish
