#!/usr/bin/env bash
# velmora-convert marc, whole process, side by side with yaz-marcdump on one
# generated catalogue of 200 000 clean UTF-8 records (make-damaged-catalogue
# --clean): MARCXML, ISO 2709 and MARC-8 out; records per second and peak
# memory from /usr/bin/time -v (the median of RUNS runs, 3 by default); and
# linearity, the time of the whole file against a tenth of it.
# Goals: twice yaz's records per second on two cores, under 32 MB, and the
# whole file within 11 times the tenth's time. Run it when the machine is
# otherwise idle: the load is printed first.
#
#   bench/marc-bench.sh build/check/src/cli/velmora-convert build/check/tests/make-damaged-catalogue
set -euo pipefail
convert=$(realpath "$1")
generate=$(realpath "$2")
source "$(dirname "$0")/../scripts/deps.sh"
need_packages time yaz
runs=${RUNS:-3}
records=${RECORDS:-200000}
work=$(mktemp -d /tmp/velmora-marc-bench.XXXXXX)
trap 'rm -rf "$work"' EXIT
cd "$work"

"$generate" "$records" --clean > catalogue.mrc 2>/dev/null
"$generate" $((records / 10)) --clean > tenth.mrc 2>/dev/null
echo "load: $(cut -d' ' -f1-3 /proc/loadavg); $(nproc) cores; $records records, $(($(stat -c %s catalogue.mrc) >> 20)) MB"

# The median seconds and kilobytes of `runs` runs of a command (output to /dev/null).
measure() {
  local i
  for ((i = 0; i < runs; i++)); do
    /usr/bin/time -v "$@" > /dev/null 2> time.txt || true
    awk -F': ' '/Elapsed \(wall clock\)/ { n = split($2, t, ":"); s = 0;
                  for (k = 1; k <= n; k++) s = s * 60 + t[k]; printf "%s ", s }
                /Maximum resident/ { print $2 }' time.txt
  done | sort -n | awk -v runs="$runs" 'NR == int((runs + 1) / 2) { print $1, $2 }'
}

row() {  # LABEL COMMAND...: its records per second and peak memory
  local label=$1
  shift
  read -r seconds kilobytes < <(measure "$@")
  awk -v l="$label" -v s="$seconds" -v k="$kilobytes" -v r="$records" \
    'BEGIN { printf "%-44s %8.2f s %10.0f records/s %7.1f MB\n", l, s, r / s, k / 1024 }'
  echo "$seconds" > "last-seconds"
}

ratio() {  # OURS YAZ: how many times yaz's records per second
  awk -v a="$1" -v b="$2" 'BEGIN { printf "  -> %.2f times yaz-marcdump'"'"'s records per second\n", b / a }'
}

for pair in "marcxml|-i marc -o marcxml" "iso2709|-i marc -o marc" "marc-8|-f utf8 -t marc8 -i marc -o marc"; do
  ours=${pair%%|*}
  yaz=${pair#*|}
  if [ "$ours" = marc-8 ]; then
    row "velmora-convert marc --to marc-8" "$convert" marc --to marc-8 catalogue.mrc
  else
    row "velmora-convert marc --format $ours" "$convert" marc --format "$ours" catalogue.mrc
  fi
  mine=$(cat last-seconds)
  # shellcheck disable=SC2086
  row "yaz-marcdump $yaz" yaz-marcdump $yaz catalogue.mrc
  ratio "$mine" "$(cat last-seconds)"
done

read -r whole _ < <(measure "$convert" marc --format iso2709 catalogue.mrc)
read -r tenth _ < <(measure "$convert" marc --format iso2709 tenth.mrc)
awk -v w="$whole" -v t="$tenth" \
  'BEGIN { printf "linearity: %.2f s for the whole, %.2f s for a tenth: %.1f times (goal: within 11)\n", w, t, w / t }'
