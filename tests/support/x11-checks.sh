# Sourced by the tests that drive a real window from outside on an X server
# (xwininfo, xprop): pass and fail counted, waits that poll, and the window's
# place as the window manager framed it.

passes=0 failures=0
pass() { echo "ok   - $*"; passes=$((passes + 1)); }
fail() { echo "FAIL - $*"; failures=$((failures + 1)); }
# The closing line, and the status: failure when any check failed.
finish() {
  echo "$passes passed, $failures failed"
  [ $failures -eq 0 ]
}

# Ends the processes given and waits for them.
stop_processes() {
  [ $# -gt 0 ] || return 0
  kill "$@" 2>/dev/null
  wait "$@" 2>/dev/null
}

# Waits up to $1 seconds for the command after it to succeed, polling.
wait_for() {
  local seconds=$1; shift
  local deadline=$((SECONDS + seconds))
  until "$@"; do
    [ $SECONDS -ge $deadline ] && return 1
    sleep 0.05
  done
}

read -r screen_w screen_h < <(xwininfo -root 2>/dev/null |
  awk '/^ *Width/{w=$NF} /^ *Height/{h=$NF} END{print w, h}')

# x y width height of the X window $1 (for a framed window, its client area).
client_geometry() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF} /^ *Width/{w=$NF} /^ *Height/{h=$NF} END{print x, y, w, h}'
}
# The outer bottom-right corner of window $1: its geometry from xwininfo plus
# the frame the window manager drew (_NET_FRAME_EXTENTS: left, right, top,
# bottom). Not xdotool getwindowgeometry, which mixes the two.
outer_corner() {
  local x y w h l r t b
  read -r x y w h < <(client_geometry "$1")
  read -r l r t b < <(xprop -id "$1" _NET_FRAME_EXTENTS | sed -n 's/.*= //p' | tr -d ,)
  [ -n "${b:-}" ] || { echo "unframed"; return; }
  echo "$((x + w + r)) $((y + h + b))"
}
corner_is_screens() { [ "$(outer_corner "$1")" = "$screen_w $screen_h" ]; }
is_above() { xprop -id "$1" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE; }
is_not_above() { ! is_above "$1"; }

# The buttons, at their places in the form in twips (left top width height).
# Each test defines click_button WINDOW LEFT TOP WIDTH HEIGHT for its window.
click_libol() { click_button "$1" 1320 2220 1215 375; }
click_lacviet() { click_button "$1" 0 3120 2595 615; }
click_pre_unicode() { click_button "$1" 0 4320 2595 375; }
click_marcedit() { click_button "$1" 0 4740 2595 375; }
click_on_top() { click_button "$1" 0 5220 1095 615; }
click_not_on_top() { click_button "$1" 1260 5220 1275 615; }

# The X clipboard, read and compared byte for byte (an image included).
clipboard() { timeout 10 xclip -o -selection clipboard 2>/dev/null; }
clipboard_is() { clipboard | cmp -s - "$1"; }
clipboard_types() { timeout 10 xclip -o -selection clipboard -t TARGETS 2>/dev/null; }
clipboard_offers() { clipboard_types | grep -qx "$1"; }
# Passes with $2 when the clipboard comes to hold file $1; else fails with
# $3 and shows the difference.
expect_clipboard() {
  if wait_for 30 clipboard_is "$1"; then
    pass "$2"
  else
    fail "$3"
    clipboard | diff "$1" - | head -5
  fi
}

# Puts file $1 on the X clipboard (as type $2 when given, else as text) and
# waits until the clipboard offers it. xclip serves it in the foreground
# until another program takes the clipboard; stop_clipboard_servers ends
# what is left when the test ends, so that no xclip outlives the test
# holding its output open (ctest would wait for it).
clipboard_servers=()
serve_clipboard() {
  xclip -quiet -selection clipboard ${2:+-t "$2"} -i "$1" >/dev/null 2>&1 &
  clipboard_servers+=($!)
  if [ -n "${2:-}" ]; then
    wait_for 30 clipboard_offers "$2"
  else
    wait_for 30 clipboard_is "$1"
  fi
}
stop_clipboard_servers() {
  stop_processes "${clipboard_servers[@]}"
  clipboard_servers=()
}
