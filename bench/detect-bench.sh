#!/usr/bin/env bash
# Detection's cost, whole process, on real Vietnamese prose (Debian's
# maint-guide-vi, repeated) in UTF-8, TCVN3 and VNI:
#  - detect on one detection sample (48 KB): CPU time per run less that of
#    detect on an empty file (the process's own start and end), in ms;
#  - unless SAMPLE_ONLY=1, charset auto beside charset with the
#    representation given on 40 MB, and detect on the 40 MB file.
# CPU time (user + system) is steadier than wall time on a busy machine: each
# figure is the median of RUNS rounds (5 by default) of 50 runs (the sample)
# or five (40 MB).
#
#   bench/detect-bench.sh build/release/src/cli/velmora-convert
#   SAMPLE_ONLY=1 bench/detect-bench.sh build/release/src/cli/velmora-convert
set -euo pipefail
convert=$(realpath "$1")
runs=${RUNS:-5}
work=$(mktemp -d /tmp/velmora-detect-bench.XXXXXX)
trap 'rm -rf "$work"' EXIT
cd "$work"

zcat /usr/share/doc/maint-guide-vi/maint-guide.vi.txt.gz > prose.txt
if [ "${SAMPLE_ONLY:-0}" = 1 ]; then size=$((1 << 20)); else size=$((40 << 20)); fi
while [ "$(stat -c %s prose.txt)" -lt "$size" ]; do cat prose.txt prose.txt > p2 && mv p2 prose.txt; done
head -c "$size" prose.txt | iconv -c -f UTF-8 -t UTF-8 > unicode.txt || true
for form in tcvn3 vni; do "$convert" charset -c unicode "$form" unicode.txt > "$form.txt" 2>/dev/null; done
: > empty.txt

# CPU seconds of one run of "$@", the median over the rounds of $per runs.
per=5
cpu() {
  for _ in $(seq "$runs"); do
    /usr/bin/time -f '%U %S' -o time.txt bash -c 'for _ in $(seq "$0"); do "$@" > /dev/null 2>&1; done' \
      "$per" "$@"
    awk -v per="$per" '{ printf "%.5f\n", ($1 + $2) / per }' time.txt
  done | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'
}

echo "load: $(uptime)"
per=50  # the sample takes milliseconds: enough runs for the timer's 10 ms
start=$(cpu "$convert" detect empty.txt)
printf '%-8s %18s\n' input "detect, 48 KB"
for form in unicode tcvn3 vni; do
  sample=$(cpu "$convert" detect "$form.txt")  # reads its first 48 KB
  printf '%-8s %15.1f ms\n' "$form" "$(awk -v s="$sample" -v e="$start" 'BEGIN { print (s - e) * 1000 }')"
done
[ "${SAMPLE_ONLY:-0}" = 1 ] && exit 0
per=5

printf '%-8s %6s %12s %12s %8s %10s\n' input MB "charset" "charset auto" "added" "detect"
for form in unicode tcvn3 vni; do
  given=$(cpu "$convert" charset "$form" unicode "$form.txt")
  auto=$(cpu "$convert" charset auto unicode "$form.txt")
  detect=$(cpu "$convert" detect "$form.txt")
  printf '%-8s %6d %10.3f s %10.3f s %+7.1f%% %8.3f s\n' "$form" $(( $(stat -c %s "$form.txt") >> 20 )) \
    "$given" "$auto" "$(awk -v a="$auto" -v g="$given" 'BEGIN { print (a - g) * 100 / g }')" "$detect"
done
