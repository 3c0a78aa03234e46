#!/usr/bin/env bash
# Each program prints its name and the project's version for --version and
# -V, exits 0, and needs no display for it.
#   VersionTest.sh VERSION PROGRAM...
set -uo pipefail
version=$1
shift
failed=0
for program in "$@"; do
  for option in --version -V; do
    out=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM= "$program" "$option" 2>&1)
    status=$?
    want="$(basename "$program") $version"
    if [ "$status" -ne 0 ] || [ "$out" != "$want" ]; then
      echo "FAIL: $program $option gave [$out], exit $status; want [$want], exit 0"
      failed=$((failed + 1))
    fi
  done
done
[ "$failed" -eq 0 ] && echo "version: every program passed"
[ "$failed" -eq 0 ]
