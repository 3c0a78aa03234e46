#!/usr/bin/env bash
# The Windows packages under Wine: the installer installs silently (/S) into
# Program Files with a Start-menu shortcut, both programs run from the
# install folder, the uninstaller removes them; the ZIP's programs run.
#
#   InstallerTest.sh INSTALLER ZIP EXAMPLES_DIR
#
# Run it on an X display (xvfb-run and scripts/x11-session) with WINEPREFIX
# set to a prefix of its own.
set -uo pipefail
installer=$(realpath "$1") zip=$(realpath "$2") examples=$(realpath "$3")
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
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
bin="$drive_c/Program Files/Velmora/bin"
shortcut="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Velmora/Velmora.lnk"
version=$(basename "$installer" | sed -n 's/^Velmora-\(.*\)-win64\.exe$/\1/p')
record="$examples/libol.txt"

# The two programs in folder $1 answer, and convert as they should.
check_programs() {
  local where=$1 folder=$2
  if [ "$(wine "$folder/velmora-convert.exe" --version 2>/dev/null | tr -d '\r')" = "velmora-convert $version" ]; then
    pass "$where: velmora-convert.exe --version gives $version"
  else
    fail "$where: velmora-convert.exe --version: $(wine "$folder/velmora-convert.exe" --version 2>&1 | head -2)"
  fi
  if wine "$folder/velmora-convert.exe" libol "$record" >"$work/out" 2>/dev/null &&
    grep -q '^245=00\$a' "$work/out"; then
    pass "$where: velmora-convert.exe converts a record"
  else
    fail "$where: velmora-convert.exe libol failed"
  fi
  wine "$folder/velmora.exe" 2>/dev/null &
  app=$!
  if wait_for 60 bash -c "xdotool search --onlyvisible --name '^Velmora-Openbiblio' >/dev/null 2>&1"; then
    pass "$where: velmora.exe opens its window"
  else
    fail "$where: velmora.exe shows no window"
  fi
  kill "$app" 2>/dev/null
  wait "$app" 2>/dev/null
  app=""
  wait_for 30 bash -c "! xdotool search --onlyvisible --name '^Velmora-Openbiblio' >/dev/null 2>&1"
}

installed() { [ -f "$bin/velmora.exe" ] && [ -f "$bin/velmora-convert.exe" ]; }
removed() { [ ! -e "$bin/velmora.exe" ] && [ ! -e "$bin/velmora-convert.exe" ] && [ ! -e "$shortcut" ]; }

# --- The installer -----------------------------------------------------------
wine "$installer" /S
if wait_for 120 installed; then
  pass "the installer puts both programs into C:\\Program Files\\Velmora\\bin"
else
  fail "nothing installed in $bin"
fi
[ -f "$shortcut" ] && pass "a Start-menu shortcut to the window" || fail "no Start-menu shortcut"
installed && check_programs "installed" "$bin"

wine "$drive_c/Program Files/Velmora/Uninstall.exe" /S
# The uninstaller runs on from a copy of itself: wait for its work.
wait_for 120 removed && pass "the uninstaller removes the programs and the shortcut" ||
  fail "left behind: $(ls "$bin" 2>/dev/null) $( [ -e "$shortcut" ] && echo shortcut)"

# --- The ZIP -------------------------------------------------------------------
(cd "$work" && cmake -E tar xf "$zip")
unpacked=$(dirname "$(find "$work" -name velmora-convert.exe | head -1)")
if [ -f "$unpacked/velmora.exe" ]; then
  pass "the ZIP holds both programs"
  check_programs "from the ZIP" "$unpacked"
else
  fail "the ZIP lacks the programs: $(cd "$work" && find . -type f | head)"
fi

finish
