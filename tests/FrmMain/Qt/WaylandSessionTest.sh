#!/usr/bin/env bash
# The real velmora started on a Wayland desktop, as a desktop's menu starts
# it (no QT_QPA_PLATFORM, no -platform), on weston with no GPU:
#  1. with XWayland, it runs as an X client through it, and its hotkey is
#     grabbed there (weston's own X window manager decides where X windows
#     go, so placement and on top are checked under Xvfb with openbox);
#  2. with no X server to reach, it runs as a Wayland client and says once
#     what it cannot do there;
#  3. as a Wayland client, the window's buttons convert through the Wayland
#     clipboard: the in-process window test under QT_QPA_PLATFORM=wayland,
#     on weston nested in the test's X display (headless weston has no seat,
#     and a Wayland clipboard belongs to a seat).
#
#   WaylandSessionTest.sh VELMORA GRAB_KEY WINDOW_TEST
#
# Exits 77 (skipped) when weston is not installed.
set -uo pipefail
velmora=$1 grab_key=$2 window_test=$3

if ! command -v weston >/dev/null; then
  echo "weston is not installed (scripts/deps.sh installs it): skipped" >&2
  exit 77
fi
for tool in xwininfo; do
  command -v "$tool" >/dev/null || { echo "missing tool: $tool" >&2; exit 1; }
done

work=$(mktemp -d /tmp/velmora-wayland.XXXXXX)
pids=()
cleanup() {
  stop_processes "${pids[@]}"
  rm -rf "$work"
}
trap cleanup EXIT
source "$(dirname "$0")/../../support/x11-checks.sh"

export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
socket=velmora-wayland-test

# Starts weston with the options given on socket $socket; sets compositor.
start_weston() {
  rm -f "$work/weston.log"
  weston --socket="$socket" --width=1280 --height=1024 --log="$work/weston.log" "$@" \
    >>"$work/weston.out" 2>&1 &
  compositor=$!
  pids+=("$compositor")
  wait_for 20 test -S "$XDG_RUNTIME_DIR/$socket"
}
stop_weston() {
  stop_processes "$compositor"
  rm -f "$XDG_RUNTIME_DIR/$socket"
}
# What a Wayland desktop's session holds, without a platform chosen.
in_wayland_session() {
  env -u QT_QPA_PLATFORM WAYLAND_DISPLAY="$socket" XDG_SESSION_TYPE=wayland "$@"
}
notice='cannot place its window in the'
notices() { grep -c "$notice" "$1"; }

# --- 1. Through XWayland ------------------------------------------------------
start_weston --backend=headless-backend.so --xwayland || { fail "weston did not start"; finish; exit 1; }
wait_for 20 grep -q 'xserver listening on display' "$work/weston.log"
xdisplay=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$work/weston.log" | head -1)
if [ -z "$xdisplay" ]; then
  fail "weston announced no XWayland display"
else
  in_wayland_session env DISPLAY="$xdisplay" "$velmora" 2>"$work/xwayland.stderr" &
  app=$!
  pids+=("$app")
  x_client() { DISPLAY=$xdisplay xwininfo -root -tree 2>/dev/null | grep -q '"Velmora-Openbiblio'; }
  wait_for 30 x_client && pass "on a Wayland desktop with XWayland, the window is an X client" ||
    fail "the window did not appear among XWayland's windows"
  DISPLAY=$xdisplay "$grab_key" Ctrl+Alt+Shift+M </dev/null >"$work/grab.out" 2>&1
  [ "$(cat "$work/grab.out")" = taken ] && pass "and holds its hotkey there" ||
    fail "its hotkey is not held through XWayland: $(cat "$work/grab.out")"
  [ "$(notices "$work/xwayland.stderr")" = 0 ] && pass "without a word about Wayland" ||
    fail "standard error: $(cat "$work/xwayland.stderr")"
  stop_processes "$app"
fi
stop_weston

# --- 2. No X server to reach ------------------------------------------------
start_weston --backend=headless-backend.so || { fail "weston did not start"; finish; exit 1; }
for display in unset :4097; do  # :4097: a display no X server answers at
  if [ $display = unset ]; then
    in_wayland_session env -u DISPLAY "$velmora" 2>"$work/wayland.stderr" &
  else
    in_wayland_session env DISPLAY=$display "$velmora" 2>"$work/wayland.stderr" &
  fi
  app=$!
  pids+=("$app")
  told() { [ "$(notices "$work/wayland.stderr")" -ge 1 ]; }
  if wait_for 30 told; then
    sleep 1  # the window would have been shown and put on top by now
    kill -0 "$app" 2>/dev/null && pass "DISPLAY $display: the window runs as a Wayland client" ||
      fail "DISPLAY $display: velmora ended: $(cat "$work/wayland.stderr")"
    [ "$(notices "$work/wayland.stderr")" = 1 ] &&
      pass "DISPLAY $display: it says once that it cannot place itself, stay on top or have a hotkey" ||
      fail "DISPLAY $display: told $(notices "$work/wayland.stderr") times"
    others=$(grep -v -e "$notice" -e '^$' "$work/wayland.stderr")
    [ -z "$others" ] && pass "DISPLAY $display: and nothing else (no warnings from Qt)" ||
      fail "DISPLAY $display: standard error also holds: $others"
  else
    fail "DISPLAY $display: no word of what it cannot do: $(cat "$work/wayland.stderr")"
  fi
  stop_processes "$app"
done
stop_weston

# --- 3. The buttons of a Wayland client ------------------------------------
if [ -n "${DISPLAY:-}" ]; then
  start_weston --backend=x11-backend.so || { fail "weston did not start"; finish; exit 1; }
  # Qt's Wayland platform plugin leaves what it allocated to the end of the
  # process and is unloaded before LeakSanitizer looks, so its leaks cannot
  # be told apart by library: in the sanitizer build they are not looked for
  # here (the same test on X11 looks for them).
  if env -u DISPLAY QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY="$socket" \
      ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" \
      "$window_test" >"$work/window-test.out" 2>&1; then
    pass "as a Wayland client, every button converts through the clipboard ($(grep '^Totals' "$work/window-test.out"))"
  else
    fail "the window test on Wayland:"
    grep -E '^(FAIL|   |Totals)' "$work/window-test.out" | head -20
  fi
  stop_weston
else
  echo "no X display for a nested weston with a seat: the in-process window test on Wayland is left out"
fi
finish
