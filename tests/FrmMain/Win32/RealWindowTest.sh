#!/usr/bin/env bash
# The real velmora.exe under Wine on an X server with a window manager:
# placement at the screen's corner, on top off and on, records through the
# real clipboard compared with the Linux velmora-convert, an image-only
# clipboard (which stays on the clipboard), the hotkey pressed while another
# Wine program has the focus, the layout at 144 DPI, and --version, --help
# and an unknown option.
#
#   RealWindowTest.sh VELMORA_EXE LINUX_VELMORA_CONVERT EXAMPLES_DIR CLIPBOARD_TEXT_EXE
#
# Run it inside scripts/x11-session under xvfb-run, with WINEPREFIX set to a
# prefix of its own (its settings are changed). Exits 77 (skipped) when
# there is no display.
set -uo pipefail
velmora=$1 convert=$2 examples=$3 clipboard_text=$4

if [ -z "${DISPLAY:-}" ]; then
  echo "no DISPLAY: run under xvfb-run with scripts/x11-session" >&2
  exit 77
fi
for tool in wine wineserver xdotool xprop xwininfo xclip xmessage; do
  command -v "$tool" >/dev/null || { echo "missing tool: $tool" >&2; exit 1; }
done
[ -x "$convert" ] || { echo "no Linux velmora-convert at $convert" >&2; exit 1; }
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

work=$(mktemp -d /tmp/velmora-wine.XXXXXX)
pids=()
cleanup() {
  stop_processes "${pids[@]}"
  stop_clipboard_servers
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1
  rm -rf "$work"
}
trap cleanup EXIT

source "$(dirname "$0")/../../support/x11-checks.sh"

# Wine settings of this prefix. Decorated=N: Wine draws the Windows frame
# itself, as Windows does, so the X window is the whole window (frame and
# caption included) and its corner is the corner a Windows user sees.
set_wine() {  # KEY NAME TYPE VALUE
  wine reg add "$1" /v "$2" /t "$3" /d "$4" /f >/dev/null 2>&1
}
decorated() { set_wine 'HKCU\Software\Wine\X11 Driver' Decorated REG_SZ "$1"; }
dpi() { set_wine 'HKCU\Control Panel\Desktop' LogPixels REG_DWORD "$1"; }

geometry() { client_geometry "$@"; }  # with Decorated=N, the whole window
find_window() { xdotool search --onlyvisible --name '^Velmora-Openbiblio' 2>/dev/null | head -1; }
has_window() { [ -n "$(find_window)" ]; }
# Sets W to the window once it is shown: a search can miss a window that
# another search has just found, so W is taken from the search that found it.
window_found() { W=$(find_window); [ -n "$W" ]; }
no_window() { ! has_window; }

start_velmora() {
  wine "$velmora" 2>>"$work/stderr" &
  app=$!
  pids+=("$app")
  wait_for 60 window_found
}
stop_velmora() {
  kill "$app" 2>/dev/null
  wait "$app" 2>/dev/null
  wait_for 30 no_window
}

# The client area inside the X window of the Wine-drawn frame: the frame is
# as wide on the left, right and bottom, the caption adds to the top.
client_w=$((2595 / 15)) client_h=$((6495 / 15))
click_button() {  # WINDOW LEFT TOP WIDTH HEIGHT, in twips
  local x y w h
  read -r x y w h < <(geometry "$1")
  local border=$(((w - client_w) / 2))
  local top=$((h - client_h - border))
  xdotool mousemove --window "$1" $((border + ($2 + $4 / 2) / 15)) $((top + ($3 + $5 / 2) / 15)) click 1
}

clipboard_readable() { clipboard >/dev/null; }
# What Windows programs see on the clipboard: its text, or with --formats the
# names of its formats. A Wine program can hang on the clipboard while Wine
# takes in a new X clipboard, so each look is bounded.
windows_clipboard() { timeout 10 wine "$clipboard_text" "$@" 2>/dev/null </dev/null; }
wine_sees() { windows_clipboard | grep -qF "$1"; }
wine_offers() { windows_clipboard --formats | grep -qx "$1"; }

# Puts file $1 on the X clipboard (type $2, default text) and waits until
# Windows programs see it (for type $2, its Windows format $3): Wine takes in
# a new X clipboard on its own a moment later, and must not do so only after
# the window has written its result. When Wine has just lost the clipboard to
# xclip, it sometimes never hands what xclip offers to Windows programs, or
# does not take the clipboard back when the window writes. xclip taking
# the clipboard from itself does not do that: so a placeholder takes it from
# Wine first, and the copy is retried when Windows programs do not see it.
copy() {  # FILE [X_TYPE WINDOWS_FORMAT]
  serve_clipboard "$work/placeholder.txt" || return 1
  for _ in 1 2 3; do
    serve_clipboard "$1" "${2:-}" || return 1
    if [ -n "${2:-}" ]; then
      wait_for 15 wine_offers "$3" && return 0
    else
      wait_for 15 wine_sees "$(head -n 1 "$1")" && return 0
    fi
  done
  return 1
}
echo "placeholder: the clipboard taken from Wine" >"$work/placeholder.txt"

wineserver -p </dev/null >/dev/null 2>&1
wine cmd /c exit >/dev/null 2>&1 </dev/null  # Wine's own services, started once
decorated N
dpi 96

# --- 1. Placement and on top ----------------------------------------------
start_velmora || { fail "the window did not appear"; exit 1; }
if wait_for 30 corner_is_screens "$W"; then
  pass "outer bottom-right corner on the screen's ($screen_w,$screen_h)"
else
  fail "outer bottom-right corner at $(outer_corner "$W"), not $screen_w $screen_h"
fi
wait_for 30 is_above "$W" && pass "_NET_WM_STATE_ABOVE at start" || fail "not above at start"
before=$(geometry "$W")
click_not_on_top "$W"
wait_for 30 is_not_above "$W" && pass "Disable on Top removes _NET_WM_STATE_ABOVE" ||
  fail "still above after Disable on Top"
[ "$(geometry "$W")" = "$before" ] && pass "geometry unchanged after Disable on Top" ||
  fail "geometry changed: $before -> $(geometry "$W")"
click_on_top "$W"
wait_for 30 is_above "$W" && pass "Enable on Top adds _NET_WM_STATE_ABOVE again" ||
  fail "not above after Enable on Top"
[ "$(geometry "$W")" = "$before" ] && pass "geometry unchanged after Enable on Top" ||
  fail "geometry changed: $before -> $(geometry "$W")"

# --- 2. Records through the real clipboard --------------------------------
# The program writes the clipboard first (the MarcEdit lines of the empty
# box), and again before each later copy, so that Wine always loses the
# selection to xclip and reads xclip's text when the program asks.
click_marcedit "$W"
wait_for 30 clipboard_readable || fail "the window did not write the clipboard"

convert_and_compare() {  # NAME CLICK COMMAND INPUT
  # velmora-convert ends each record with a line break, which the window's
  # record has not; pre-unicode writes the text as it is.
  if [ "$3" = pre-unicode ]; then
    "$convert" "$3" "$4" >"$work/$1.expected"
  else
    "$convert" "$3" "$4" | sed -z 's/\n$//' >"$work/$1.expected"
  fi
  copy "$4" || { fail "$1: the copied text did not reach Windows programs"; return; }
  "$2" "$W"
  expect_clipboard "$work/$1.expected" "$1: the clipboard holds what the Linux velmora-convert $3 gives" \
    "$1: the clipboard differs from velmora-convert $3"
}
convert_and_compare Libol click_libol libol "$examples/libol.txt"
# TO MARCEDIT converts the box's record, not what was copied meanwhile.
"$convert" marcedit "$work/Libol.expected" | sed -z 's/\n$//' >"$work/marcedit.expected"
echo "copied meanwhile" >"$work/meanwhile.txt"
copy "$work/meanwhile.txt" || fail "the copied text did not reach Windows programs"
click_marcedit "$W"
expect_clipboard "$work/marcedit.expected" \
  "TO MARCEDIT: the clipboard holds velmora-convert marcedit of the box's record" \
  "TO MARCEDIT: the clipboard differs from velmora-convert marcedit"
convert_and_compare LacViet click_lacviet lacviet "$examples/lacviet.txt"
# Decomposed letters on several lines: «Việt Nam» with ê + U+0323, «Đường».
printf 'Vi\xc3\xaa\xcc\xa3t Nam\n\xc4\x90\xc6\xb0o\xcc\x80ng\tx\n' >"$work/decomposed.txt"
convert_and_compare "To Pre-Unicode" click_pre_unicode pre-unicode "$work/decomposed.txt"

# --- 3. An image-only clipboard -------------------------------------------
base64 -d >"$work/red.png" <<'PNG'
iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAIAAACQd1PeAAAADElEQVR4nGP4z8AAAAMBAQDJ/pLvAAAAAElFTkSuQmCC
PNG
copy "$work/red.png" image/png PNG || fail "the copied image did not reach Windows programs"
click_libol "$W"
message_box() { xdotool search --onlyvisible --name '^Velmora$' 2>/dev/null | head -1; }
has_message_box() { [ -n "$(message_box)" ]; }
press_return_in_message_box() {
  local box
  box=$(message_box)
  [ -n "$box" ] && xdotool key --window "$box" Return 2>/dev/null
  wait_for 2 bash -c "! xdotool search --onlyvisible --name '^Velmora\$' >/dev/null"
}
if wait_for 30 has_message_box; then
  pass "an image-only clipboard shows the message box \"Velmora\""
  wait_for 30 press_return_in_message_box && pass "Return closes it" ||
    fail "the message box stayed open"
  sleep 1
  wine_offers PNG && pass "then the clipboard still holds the image" ||
    fail "clipboard after the message offers: $(clipboard_types | tr '\n' ' ')"
else
  fail "no message box for an image-only clipboard"
fi

# --- 4. The hotkey, while another Wine program has the focus ---------------
# Wine hands a registered hotkey to its program when a key press reaches a
# Wine window: notepad has the focus, the window converts.
wine notepad 2>/dev/null &
notepad=$!
pids+=("$notepad")
notepad_window() { xdotool search --onlyvisible --name 'Notepad' 2>/dev/null | head -1; }
has_notepad() { [ -n "$(notepad_window)" ]; }  # asked again on every try
if wait_for 60 has_notepad; then
  N=$(notepad_window)
  xdotool windowactivate --sync "$N" 2>/dev/null
  "$convert" libol "$examples/libol.txt" | sed -z 's/\n$//' >"$work/hotkey.expected"
  copy "$examples/libol.txt" || fail "the copied text did not reach Windows programs"
  xdotool key ctrl+alt+shift+m
  expect_clipboard "$work/hotkey.expected" \
    "the hotkey repeats \"Libol\", pressed last, on the copied record" \
    "the hotkey: the clipboard differs from velmora-convert libol"
  [ "$(xprop -root _NET_ACTIVE_WINDOW | sed 's/.*# //')" = "$(printf '0x%x' "$N")" ] &&
    pass "notepad keeps the focus" || fail "the focus moved"
else
  fail "notepad did not appear"
fi
kill "$notepad" 2>/dev/null
wait "$notepad" 2>/dev/null
stop_velmora

# --- 5. 144 DPI -------------------------------------------------------------
dpi 144
start_velmora || { fail "the window did not appear at 144 DPI"; exit 1; }
wait_for 30 corner_is_screens "$W" && pass "144 DPI: the outer corner on the screen's" ||
  fail "144 DPI: outer corner at $(outer_corner "$W")"
stop_velmora
# With the window manager's frame, the X window is the client area itself.
decorated Y
start_velmora || { fail "the framed window did not appear at 144 DPI"; exit 1; }
expected_client="$(((2595 * 144 + 720) / 1440)) $(((6495 * 144 + 720) / 1440))"
client_size() { geometry "$W" | awk '{print $3, $4}'; }
client_is_expected() { [ "$(client_size)" = "$expected_client" ]; }
wait_for 30 client_is_expected &&
  pass "144 DPI: the client area is 1.5 times as large ($expected_client)" ||
  fail "144 DPI: client area $(client_size), not $expected_client"
read -r x y w h < <(geometry "$W")
[ $((x + w)) -le "$screen_w" ] && [ $((y + h)) -le "$screen_h" ] &&
  pass "144 DPI: it fits the screen" || fail "144 DPI: it leaves the screen ($x $y $w $h)"
stop_velmora
decorated N
dpi 96

# --- 6. The program's options ------------------------------------------------
version=$(timeout 60 wine "$velmora" --version 2>/dev/null </dev/null | tr -d '\r')
[[ "$version" =~ ^velmora\ [0-9] ]] && pass "velmora.exe --version answers: $version" ||
  fail "velmora.exe --version: '$version'"
timeout 60 wine "$velmora" --help 2>/dev/null </dev/null | grep -q -- '--hotkey KEYS' &&
  pass "velmora.exe --help lists --hotkey" || fail "velmora.exe --help does not list --hotkey"
timeout 60 wine "$velmora" --bogus >"$work/bogus.out" 2>&1 </dev/null
rc=$?
[ $rc -eq 2 ] && grep -q "unknown option '--bogus'; see 'velmora --help'" "$work/bogus.out" &&
  pass "an unknown option is a usage error (exit 2)" || fail "velmora.exe --bogus: exit $rc, $(cat "$work/bogus.out")"
has_window && fail "an option opened the window" || pass "and none of them opens the window"

if grep -v -e '^$' -e 'wine32 is missing' -e 'multiarch' -e 'dpkg --add-architecture' \
    -e 'apt-get install' -e 'wine32:i386' "$work/stderr" | grep -q .; then
  echo "velmora.exe wrote to standard error:"
  cat "$work/stderr"
fi
finish
