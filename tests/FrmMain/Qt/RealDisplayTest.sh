#!/usr/bin/env bash
# The real velmora on a real X server with a window manager: placement at the
# screen's corner (several windows started at once), on top off and on, a
# Libol record through the real clipboard, an image-only clipboard, the
# hotkey pressed while another window has the focus, a key combination that
# another client holds, --no-hotkey, and the program's options.
#
#   RealDisplayTest.sh VELMORA VELMORA_CONVERT EXAMPLES_DIR GRAB_KEY
#
# Run it inside scripts/x11-session under xvfb-run. Exits 77 (skipped) when
# there is no display.
set -uo pipefail
velmora=$1 convert=$2 examples=$3 grab_key=$4

if [ -z "${DISPLAY:-}" ]; then
  echo "no DISPLAY: run under xvfb-run with scripts/x11-session" >&2
  exit 77
fi
for tool in xdotool xprop xwininfo xclip xmessage xset; do
  command -v "$tool" >/dev/null || { echo "missing tool: $tool" >&2; exit 1; }
done

work=$(mktemp -d /tmp/velmora-x11.XXXXXX)
pids=()
cleanup() {
  stop_processes "${pids[@]}"
  stop_clipboard_servers
  rm -rf "$work"
}
trap cleanup EXIT

source "$(dirname "$0")/../../support/x11-checks.sh"
is_active() { [ "$(xprop -root _NET_ACTIVE_WINDOW | sed 's/.*# //')" = "$(printf '0x%x' "$1")" ]; }
# Whether window $1 lies above window $2 in the window manager's stacking order.
stacked_above() {
  local list
  list=$(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //' | tr -d ,)
  local a b i=0 id
  for id in $list; do
    [ "$((id))" = "$1" ] && a=$i
    [ "$((id))" = "$2" ] && b=$i
    i=$((i + 1))
  done
  [ -n "${a:-}" ] && [ -n "${b:-}" ] && [ "$a" -gt "$b" ]
}

find_windows() { xdotool search --onlyvisible --name '^Velmora-Openbiblio' 2>/dev/null; }
count_windows() { [ "$(find_windows | wc -l)" -ge "$1" ]; }

# Client coordinates of a button's centre: its twips rectangle / 15.
click_button() {
  local window=$1 left=$2 top=$3 width=$4 height=$5
  xdotool mousemove --window "$window" $(((left + width / 2) / 15)) $(((top + height / 2) / 15)) click 1
}

# --- 1. Placement, four windows started at once --------------------------
for _ in 1 2 3 4; do
  "$velmora" 2>>"$work/stderr" &
  pids+=($!)
done
if wait_for 15 count_windows 4; then
  for window in $(find_windows); do
    if wait_for 5 corner_is_screens "$window"; then
      pass "window $window: outer bottom-right corner on the screen's ($screen_w,$screen_h)"
    else
      fail "window $window: outer bottom-right corner at $(outer_corner "$window"), not $screen_w $screen_h"
    fi
  done
else
  fail "four windows did not appear"
fi
stop_processes "${pids[@]}"
pids=()
wait_for 5 bash -c '! xdotool search --onlyvisible --name "^Velmora-Openbiblio" >/dev/null'

# --- 2. On top, off and on ------------------------------------------------
"$velmora" 2>>"$work/stderr" &
app=$!
pids+=($app)
wait_for 15 count_windows 1 || { fail "the window did not appear"; exit 1; }
W=$(find_windows | head -1)
wait_for 5 corner_is_screens "$W"
wait_for 5 is_above "$W" && pass "_NET_WM_STATE_ABOVE at start" || fail "not above at start"
before=$(client_geometry "$W")

xmessage -name cover "another program" 2>/dev/null &
cover_pid=$!
pids+=($cover_pid)
wait_for 10 bash -c 'xdotool search --onlyvisible --classname "^cover$" >/dev/null'
cover=$(xdotool search --onlyvisible --classname '^cover$' | head -1)

click_not_on_top "$W"
wait_for 5 is_not_above "$W" && pass "Disable on Top removes _NET_WM_STATE_ABOVE" ||
  fail "still above after Disable on Top"
xdotool windowactivate --sync "$cover" 2>/dev/null
wait_for 5 stacked_above "$cover" "$W" && pass "another window can now cover it" ||
  fail "the other window did not come above"
[ "$(client_geometry "$W")" = "$before" ] && pass "geometry unchanged after Disable on Top" ||
  fail "geometry changed: $before -> $(client_geometry "$W")"

click_on_top "$W"
wait_for 5 is_above "$W" && pass "Enable on Top adds _NET_WM_STATE_ABOVE again" ||
  fail "not above after Enable on Top"
wait_for 5 stacked_above "$W" "$cover" && pass "it is lifted above the other window" ||
  fail "not lifted above the other window"
wait_for 5 is_active "$W" && pass "and activated" || fail "not activated"
[ "$(client_geometry "$W")" = "$before" ] && pass "geometry unchanged after Enable on Top" ||
  fail "geometry changed: $before -> $(client_geometry "$W")"
corner_is_screens "$W" && pass "still at the corner" || fail "moved to $(outer_corner "$W")"
kill "$cover_pid"; wait "$cover_pid" 2>/dev/null

# --- 3. A Libol record through the real clipboard ------------------------
# velmora-convert ends each record with a line break, which the window's
# record has not.
"$convert" libol "$examples/libol.txt" | sed -z 's/\n$//' >"$work/libol.expected"
"$convert" marcedit "$work/libol.expected" | sed -z 's/\n$//' >"$work/marcedit.expected"
serve_clipboard "$examples/libol.txt" || fail "xclip did not take the clipboard"
click_libol "$W"
expect_clipboard "$work/libol.expected" "Libol: the clipboard holds what velmora-convert libol gives" \
  "Libol: clipboard differs from velmora-convert libol"
echo "copied meanwhile" >"$work/meanwhile.txt"
serve_clipboard "$work/meanwhile.txt" || fail "xclip did not take the clipboard"
click_marcedit "$W"
expect_clipboard "$work/marcedit.expected" "TO MARCEDIT converts the box's record, not the clipboard's text" \
  "TO MARCEDIT: clipboard differs from velmora-convert marcedit"

# --- 4. An image-only clipboard ------------------------------------------
# A 1x1 red PNG.
base64 -d >"$work/red.png" <<'PNG'
iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAIAAACQd1PeAAAADElEQVR4nGP4z8AAAAMBAQDJ/pLvAAAAAElFTkSuQmCC
PNG
serve_clipboard "$work/red.png" image/png || fail "xclip did not take the image"
click_libol "$W"
if box=$(timeout 10 xdotool search --sync --onlyvisible --name '^Velmora$' 2>/dev/null | head -1) &&
  [ -n "$box" ]; then
  pass "an image-only clipboard shows the message box \"Velmora\""
  xprop -id "$box" WM_TRANSIENT_FOR | grep -q "$(printf '0x%x' "$W")" &&
    pass "the message box belongs to the window" || fail "the message box is not the window's"
  xdotool windowactivate --sync "$box" key Return 2>/dev/null
  wait_for 5 bash -c '! xdotool search --onlyvisible --name "^Velmora$" >/dev/null' &&
    pass "OK closes it" || fail "the message box stayed open"
  # The box shows the conversion of the empty text (the in-process test
  # reads it); the user's image stays.
  sleep 0.5
  clipboard_offers image/png && pass "then the clipboard still holds the image" ||
    fail "clipboard after the message offers: $(clipboard_types | tr '\n' ' ')"
else
  fail "no message box for an image-only clipboard"
fi

# --- 5. Closing ends the program -----------------------------------------
xdotool windowactivate --sync "$W" key alt+F4 2>/dev/null
if wait_for 10 bash -c "! kill -0 $app 2>/dev/null"; then
  wait "$app"
  rc=$?
  [ $rc -eq 0 ] && pass "closing the window ends velmora (exit 0)" || fail "velmora exited $rc"
else
  fail "velmora did not end on closing"
fi
pids=()

# --- 6. The hotkey, while another window has the focus ---------------------
hotkey=ctrl+alt+shift+m  # the default, as xdotool writes it
"$velmora" 2>"$work/hotkey.stderr" &
app=$!
pids+=($app)
wait_for 15 count_windows 1 || { fail "the window did not appear"; finish; exit 1; }
W=$(find_windows | head -1)
wait_for 5 corner_is_screens "$W"
xmessage -name cover "another program" 2>/dev/null &
cover_pid=$!
pids+=($cover_pid)
wait_for 10 bash -c 'xdotool search --onlyvisible --classname "^cover$" >/dev/null'
cover=$(xdotool search --onlyvisible --classname '^cover$' | head -1)
focus_cover() { xdotool windowactivate --sync "$cover" 2>/dev/null; wait_for 5 is_active "$cover"; }
focus_cover || fail "the other window did not take the focus"

serve_clipboard "$examples/libol.txt" || fail "xclip did not take the clipboard"
xdotool key "$hotkey"
expect_clipboard "$work/libol.expected" \
  "hotkey before any button: a Libol record is converted as \"Libol\" converts it" \
  "hotkey before any button: the clipboard differs from velmora-convert libol"
is_active "$cover" && pass "the other window keeps the focus" || fail "the focus moved"

"$convert" lacviet "$examples/lacviet.txt" | sed -z 's/\n$//' >"$work/lacviet.expected"
serve_clipboard "$examples/lacviet.txt" || fail "xclip did not take the clipboard"
click_lacviet "$W"
expect_clipboard "$work/lacviet.expected" "\"LacViet (Dak Nong, Ca Mau, Hoi An)\" pressed once" \
  "LacViet: the clipboard differs from velmora-convert lacviet"
focus_cover || fail "the other window did not take the focus back"
serve_clipboard "$examples/lacviet.txt" || fail "xclip did not take the clipboard"
xdotool key "$hotkey"
expect_clipboard "$work/lacviet.expected" \
  "hotkey: the LacViet record is converted as the button pressed last converts it" \
  "hotkey after LacViet: the clipboard differs from velmora-convert lacviet"
is_active "$cover" && pass "the other window still has the focus" || fail "the focus moved"
# The X server matches modifiers exactly: NumLock on is another combination.
numlock_on() { xset q | grep -q 'Num Lock: *on'; }
xdotool key Num_Lock
wait_for 5 numlock_on || fail "NumLock did not come on"
serve_clipboard "$examples/lacviet.txt" || fail "xclip did not take the clipboard"
xdotool key "$hotkey"
expect_clipboard "$work/lacviet.expected" "hotkey with NumLock on" "hotkey with NumLock on: no conversion"
xdotool key Num_Lock

# Another client that wants the same combination cannot have it now.
grab() {  # KEYS: another X client grabs KEYS and holds it until release_grab
  rm -f "$work/hold" "$work/grab.out"
  mkfifo "$work/hold"
  "$grab_key" "$1" <"$work/hold" >"$work/grab.out" 2>&1 &
  grabber=$!
  exec 7>"$work/hold"
  wait_for 10 test -s "$work/grab.out"
}
release_grab() {
  exec 7>&-
  wait "$grabber" 2>/dev/null
}
grab Ctrl+Alt+Shift+M
[ "$(cat "$work/grab.out")" = taken ] && pass "velmora holds the key combination" ||
  fail "another client could grab the hotkey: $(cat "$work/grab.out")"
release_grab
[ -s "$work/hotkey.stderr" ] && grep -v -e propagateSizeHints -e '^$' "$work/hotkey.stderr" | grep -q . &&
  fail "velmora wrote to standard error: $(cat "$work/hotkey.stderr")" ||
  pass "and says nothing about it"
stop_processes "$app" "$cover_pid"
pids=()

# --- 7. A key combination that another client holds --------------------------
grab Ctrl+Alt+Shift+M
"$velmora" 2>"$work/taken.stderr" &
app=$!
pids+=($app)
if wait_for 15 count_windows 1; then
  pass "with the hotkey taken, the window still starts"
  W=$(find_windows | head -1)
  taken_lines() { grep -c 'Ctrl+Alt+Shift+M is taken by another program' "$work/taken.stderr"; }
  said_taken() { [ "$(taken_lines)" -ge 1 ]; }  # asked again on every try
  wait_for 5 said_taken
  [ "$(taken_lines)" = 1 ] && pass "and says once, on standard error, that it is taken" ||
    fail "standard error: $(cat "$work/taken.stderr")"
  timeout 2 xdotool search --onlyvisible --name '^Velmora$' >/dev/null 2>&1 &&
    fail "a message box opened" || pass "without a message box"
else
  fail "with the hotkey taken, the window did not start"
fi
stop_processes "$app"
pids=()
release_grab

# --- 8. --no-hotkey, and the program's options ------------------------------
"$velmora" --no-hotkey -platform xcb 2>>"$work/stderr" &
app=$!
pids+=($app)
if wait_for 15 count_windows 1; then
  pass "--no-hotkey -platform xcb: the window starts (Qt's options are taken)"
  grab Ctrl+Alt+Shift+M
  [ "$(cat "$work/grab.out")" = grabbed ] && pass "--no-hotkey: another client can grab the combination" ||
    fail "--no-hotkey: another client could not grab it: $(cat "$work/grab.out")"
  release_grab
else
  fail "--no-hotkey: the window did not start"
fi
stop_processes "$app"
pids=()
"$velmora" --bogus >"$work/bogus.out" 2>&1
rc=$?
[ $rc -eq 2 ] && [ "$(wc -l <"$work/bogus.out")" = 1 ] && grep -q -- "--help" "$work/bogus.out" &&
  pass "an unknown option is a usage error (exit 2, one line naming --help)" ||
  fail "velmora --bogus: exit $rc, $(cat "$work/bogus.out")"
count_windows 1 && fail "velmora --bogus opened a window" || pass "and opens no window"

if grep -v -e 'propagateSizeHints' -e '^$' "$work/stderr" | grep -q .; then
  echo "velmora wrote to standard error:"
  cat "$work/stderr"
fi
finish
