#!/usr/bin/env bash
# The real window carries the application icon in every size of data/icons
# below 256 pixels (_NET_WM_ICON, which window managers and task bars show;
# Qt leaves the larger sizes out of it).
#
#   WindowIconTest.sh VELMORA ICONS_DIR
#
# Run it inside scripts/x11-session under xvfb-run. Exits 77 (skipped) when
# there is no display.
set -uo pipefail
velmora=$1 icons=$2
if [ -z "${DISPLAY:-}" ]; then
  echo "no DISPLAY: run under xvfb-run with scripts/x11-session" >&2
  exit 77
fi

"$velmora" 2>/dev/null &
pid=$!
trap 'kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null' EXIT
window=$(timeout 30 xdotool search --sync --onlyvisible --pid "$pid" 2>/dev/null | head -1)
[ -n "$window" ] || { echo "FAIL: no window appeared"; exit 1; }
properties=$(xprop -id "$window" _NET_WM_ICON | grep -o 'Icon ([0-9]* x [0-9]*)')

failed=0
for size_dir in "$icons"/hicolor/*x*; do
  size=${size_dir##*/}
  [ "${size%x*}" -lt 256 ] || continue
  want="Icon (${size%x*} x ${size#*x})"
  grep -qxF "$want" <<<"$properties" || { echo "FAIL: no $want among [$properties]"; failed=1; }
done
[ "$failed" -eq 0 ] && echo "window icon: every size present"
exit "$failed"
