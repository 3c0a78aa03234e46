#!/usr/bin/env bash
# Figures of the Windows programs under Wine, beside the Linux build: start
# to window shown, the window's full click (2 KB and 1 MB) over its RichEdit
# box and over the EDIT control it had before, the hotkey (WM_HOTKEY) to the
# clipboard written, each step of a click alone, velmora-convert libol
# --batch on 10 MB, and the size of each program and package.
#
#   bench/Win32/wine-figures.sh [WINDOWS_BUILD] [LINUX_VELMORA_CONVERT]
#
# WINDOWS_BUILD is build/windows-check (scripts/windows --check), where
# velmora_click_timing is built first; the Linux velmora-convert defaults to
# the check build's.
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build/windows-check}
linux_convert=${2:-build/check/src/cli/velmora-convert}
cmake --build "$build" --target velmora velmora-convert velmora_click_timing >/dev/null
export WINEPREFIX="$PWD/$build/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
work=$(mktemp -d /tmp/velmora-figures.XXXXXX)
trap 'rm -rf "$work"' EXIT

echo "load: $(uptime | sed 's/.*load average/load average/')"
echo "--- sizes"
zips=("$build"/Velmora-*-win64.zip)
ls -l "$build"/src/FrmMain/Win32/velmora.exe "$build"/src/cli/velmora-convert.exe \
  "$build"/Velmora-*-win64.exe "${zips[@]}" 2>/dev/null | awk '{printf "%-60s %9d bytes\n", $NF, $5}' || true
if [ -f "${zips[0]}" ]; then
  zip=$(realpath "${zips[0]}")
  (cd "$work" && cmake -E tar xf "$zip")
  find "$work" -name '*.exe' -exec ls -l {} + |
    awk '{printf "stripped, in the ZIP: %-30s %9d bytes\n", $NF, $5}' | sed "s|$work/[^ ]*/||"
else
  echo "no package in $build (scripts/windows --check makes one): its sizes left out"
fi

echo "--- velmora-convert libol --batch on 10 MB (best of 3)"
sample="examples/libol.txt"
{ cat "$sample"; printf '\n\n'; } >"$work/batch.txt"
while [ "$(stat -c %s "$work/batch.txt")" -lt $((10 << 20)) ]; do  # twice as many records each time
  cat "$work/batch.txt" "$work/batch.txt" >"$work/twice.txt" && mv "$work/twice.txt" "$work/batch.txt"
done
best() {  # COMMAND...: the best wall time of three runs, in seconds
  local best=999999 t0 t1 s
  for _ in 1 2 3; do
    t0=$(date +%s%N); "$@" >/dev/null 2>&1; t1=$(date +%s%N)
    s=$(((t1 - t0) / 1000000))
    [ "$s" -lt "$best" ] && best=$s
  done
  echo "$best"
}
# The first wine makes the prefix; wineserver -p then keeps the server up
# between runs, so that no run pays for its start.
wine cmd /c exit </dev/null >/dev/null 2>&1
wineserver -p </dev/null >/dev/null 2>&1 || true  # already up: fails, and is kept up
# On one thread and on every core: Wine's heap serialises threads that
# allocate, which a batch on every core does all the time.
for jobs in "--jobs 1" ""; do
  linux_ms=$(best "$linux_convert" libol --batch $jobs "$work/batch.txt")
  wine_ms=$(best wine "$build/src/cli/velmora-convert.exe" libol --batch $jobs "$work/batch.txt")
  echo "${jobs:-every core}: Linux $linux_ms ms; Windows under Wine $wine_ms ms; ratio $(awk "BEGIN{printf \"%.2f\", $wine_ms/$linux_ms}")"
done
wineserver -k

echo "--- the window under Wine on a virtual display"
xvfb-run -a -s "-screen 0 1280x1024x24" scripts/x11-session bash -c '
  build=$1
  wine cmd /c exit </dev/null >/dev/null 2>&1
  wineserver -p </dev/null >/dev/null 2>&1 || true
  for run in 1 2 3 4 5; do
    t0=$(date +%s%N)
    wine "$build/src/FrmMain/Win32/velmora.exe" 2>/dev/null &
    app=$!
    xdotool search --sync --onlyvisible --name "^Velmora-Openbiblio" >/dev/null
    t1=$(date +%s%N)
    echo "start to window shown, run $run: $(((t1 - t0) / 1000000)) ms"
    kill $app; wait $app 2>/dev/null
    while xdotool search --onlyvisible --name "^Velmora-Openbiblio" >/dev/null 2>&1; do sleep 0.1; done
  done
  wine "$build/bench/Win32/velmora_click_timing.exe"
  wineserver -k
' figures "$build"
