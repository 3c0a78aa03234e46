#!/usr/bin/env bash
# scripts/compare-builds, which says whether two builds of a release are the
# same: it passes two folders whose files are the same, and fails on two
# that differ, naming each differing file with the offset of its first
# differing byte, and each file that only one folder holds.
#   CompareBuildsTest.sh COMPARE_BUILDS
set -uo pipefail
compare=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failed=0
# check NAME WANTED_STATUS WANTED_LINE...: runs the comparison of
# $scratch/one and $scratch/two; expects its status and each line (among
# diffoscope's, when it is installed).
check() {
  local name=$1 status=$2 output rc line
  shift 2
  output=$("$compare" "$scratch/one" "$scratch/two" 2>&1)
  rc=$?
  [ "$rc" -eq "$status" ] || { echo "FAIL: $name: exit $rc, not $status: $output"; failed=$((failed + 1)); }
  for line in "$@"; do
    grep -qxF -- "$line" <<<"$output" || { echo "FAIL: $name: no line [$line] in [$output]"; failed=$((failed + 1)); }
  done
}
reset() { rm -rf "$scratch/one" "$scratch/two" && mkdir -p "$scratch/one/sub" "$scratch/two/sub"; }
both() { printf "$2" >"$scratch/one/$1" && printf "$2" >"$scratch/two/$1"; }

reset
both a.deb 'same bytes'
both sub/b.zip 'PK\003\004'
check "the same files" 0 "identical: 2 files"

reset
both a.deb 'same bytes'
printf 'Velmora-0.1.0' >"$scratch/one/sub/setup.exe"
printf 'Velmora-0.2.0' >"$scratch/two/sub/setup.exe"
check "a byte differs" 1 "sub/setup.exe: differs from offset 10 on (13 and 13 bytes)" \
  "1 files differ, 1 are identical"

reset
printf 'abc' >"$scratch/one/short"
printf 'abcdef' >"$scratch/two/short"
: >"$scratch/one/empty"
printf 'x' >"$scratch/two/empty"
check "one is the start of the other" 1 "short: differs from offset 3 on (3 and 6 bytes)" \
  "empty: differs from offset 0 on (0 and 1 bytes)"

reset
both a.deb 'same'
printf 'x' >"$scratch/two/sub/extra.zip"
check "a file in one folder only" 1 "sub/extra.zip: only in $scratch/two"

[ "$failed" -eq 0 ] && echo "compare-builds: every case passed"
[ "$failed" -eq 0 ]
