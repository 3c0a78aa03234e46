#!/usr/bin/env bash
# detect and charset auto beside charset with the representation given, whole
# process, on 40 MB of real Vietnamese prose (Debian's maint-guide-vi, repeated)
# in UTF-8, TCVN3 and VNI. CPU time per run (user + system, steadier than wall
# time on a busy machine): the median of RUNS rounds (5 by default) of five runs.
#
#   bench/detect-bench.sh build/release/src/cli/velmora-convert
set -euo pipefail
convert=$(realpath "$1")
runs=${RUNS:-5}
work=$(mktemp -d /tmp/velmora-detect-bench.XXXXXX)
trap 'rm -rf "$work"' EXIT
cd "$work"

zcat /usr/share/doc/maint-guide-vi/maint-guide.vi.txt.gz > prose.txt
while [ "$(stat -c %s prose.txt)" -lt $((40 << 20)) ]; do cat prose.txt prose.txt > p2 && mv p2 prose.txt; done
head -c $((40 << 20)) prose.txt | iconv -c -f UTF-8 -t UTF-8 > unicode.txt || true
for form in tcvn3 vni; do "$convert" charset -c unicode "$form" unicode.txt > "$form.txt" 2>/dev/null; done

# CPU seconds of one run of "$@", the median over the rounds.
cpu() {
  for _ in $(seq "$runs"); do
    /usr/bin/time -f '%U %S' -o time.txt bash -c 'for _ in 1 2 3 4 5; do "$@" > /dev/null 2>&1; done' run "$@"
    awk '{ printf "%.4f\n", ($1 + $2) / 5 }' time.txt
  done | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'
}

echo "load: $(uptime)"
printf '%-8s %6s %12s %12s %8s %10s\n' input MB "charset" "charset auto" "added" "detect"
for form in unicode tcvn3 vni; do
  given=$(cpu "$convert" charset "$form" unicode "$form.txt")
  auto=$(cpu "$convert" charset auto unicode "$form.txt")
  detect=$(cpu "$convert" detect "$form.txt")
  printf '%-8s %6d %10.3f s %10.3f s %+7.1f%% %8.3f s\n' "$form" $(( $(stat -c %s "$form.txt") >> 20 )) \
    "$given" "$auto" "$(awk -v a="$auto" -v g="$given" 'BEGIN { print (a - g) * 100 / g }')" "$detect"
done
