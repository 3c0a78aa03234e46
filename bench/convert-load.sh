#!/usr/bin/env bash
# velmora-convert, whole process, side by side with the tools a user would
# pick instead, and against itself at other sizes and thread counts:
#   pre-unicode and charset against a minimal ICU NFC program (built here
#   from libicu-dev) and iconv, on 40 MB of real Vietnamese prose from Debian
#   packages (maint-guide-vi, manpages-vi), made into each code page by iconv;
#   libol --batch on 100 MB of the sample record with --jobs 1 and with every
#   core; libol on the sample record repeated into one text of 10 MB and one
#   of 100 MB.
# Time and peak memory from /usr/bin/time -v, the median of RUNS runs (5 by
# default), and the goals as ratios of the same run. Run it when the machine
# is otherwise idle: the load is printed first.
#
#   bench/convert-load.sh build/release/src/cli/velmora-convert
set -euo pipefail
convert=$(realpath "$1")
examples=$(realpath "$(dirname "$0")/../examples")
source "$(dirname "$0")/../scripts/deps.sh"
need_packages time pkg-config g++ libicu-dev maint-guide-vi manpages-vi
runs=${RUNS:-5}
work=$(mktemp -d /tmp/velmora-convert-bench.XXXXXX)
trap 'rm -rf "$work"' EXIT
cd "$work"

# --- corpora ---------------------------------------------------------------
{
  zcat /usr/share/doc/maint-guide-vi/maint-guide.vi.txt.gz
  find /usr/share/man/vi -name '*.gz' | sort | xargs zcat
} > prose.txt
while [ "$(stat -c %s prose.txt)" -lt $((40 << 20)) ]; do cat prose.txt prose.txt > p2 && mv p2 prose.txt; done
head -c $((40 << 20)) prose.txt | iconv -c -f UTF-8 -t UTF-8 > unicode.txt || true
# Each toned letter as its base (precomposed where it has a breve, circumflex
# or horn) and the combining tone mark, as Vietnamese keyboards write it.
perl -CSD -MUnicode::Normalize -pe '
  s/(\p{L})/my $d = NFD($1); $d =~ s{([\x{300}\x{301}\x{303}\x{309}\x{323}])}{} ? NFC($d) . $1 : $1/ge
' unicode.txt > decomposed.txt
iconv -c -f UTF-8 -t CP1258 unicode.txt > cp1258.txt || true
iconv -c -f UTF-8 -t TCVN5712-1 unicode.txt > tcvn5712.txt || true
iconv -c -f UTF-8 -t VISCII unicode.txt > viscii.txt || true
iconv -f VISCII -t UTF-8 viscii.txt > unicode-viscii.txt  # what VISCII can hold
"$convert" charset -c unicode tcvn3 unicode.txt > tcvn3.txt 2>/dev/null
# The sample record over and over: a batch (records apart), and one text.
repeat() {  # FILE BYTES SEPARATOR: FILE and SEPARATOR over and over, to at least BYTES
  perl -e 'local $/; open my $f, "<", $ARGV[0] or die; my $r = <$f> . $ARGV[2];
           print $r x int(($ARGV[1] + length($r) - 1) / length($r))' "$@"
}
repeat "$examples/libol.txt" $((100 << 20)) $'\n\n' > batch.txt
repeat "$examples/libol.txt" $((50 << 20)) $'\n\n' > half-batch.txt
repeat "$examples/libol.txt" $((10 << 20)) '' > text10.txt
repeat "$examples/libol.txt" $((100 << 20)) '' > text100.txt

# --- the ICU program -------------------------------------------------------
cat > icu-nfc.cpp <<'CPP'
// UTF-8 -> UTF-16 -> NFC -> UTF-8, standard input to standard output.
#include <unicode/normalizer2.h>
#include <unicode/unistr.h>
#include <iostream>
#include <iterator>
#include <string>
int main() {
  std::string in((std::istreambuf_iterator<char>(std::cin)), std::istreambuf_iterator<char>());
  UErrorCode status = U_ZERO_ERROR;
  const icu::Normalizer2* nfc = icu::Normalizer2::getNFCInstance(status);
  const icu::UnicodeString text = icu::UnicodeString::fromUTF8(in);
  std::string out;
  nfc->normalize(text, status).toUTF8String(out);
  std::cout.write(out.data(), static_cast<std::streamsize>(out.size()));
  return U_FAILURE(status) ? 1 : 0;
}
CPP
g++ -O2 -o icu-nfc icu-nfc.cpp $(pkg-config --cflags --libs icu-uc)

# --- measuring -------------------------------------------------------------
# "seconds peak-MB" of one run: time and peak memory of the whole process.
# The time is read to the millisecond around the process: time's own is to
# the hundredth, too coarse for the runs of a tenth of a second.
one_run() {
  local input=$1; shift
  local start end
  start=$(date +%s%N)
  /usr/bin/time -v -o t.log "$@" < "$input" > /dev/null 2>> stderr.log
  end=$(date +%s%N)
  awk -F': ' -v ns=$((end - start)) '/Maximum resident/ { m = $2 / 1024 }
              END { printf "%.3f %.1f\n", ns / 1e9, m }' t.log
}
# The median time and the median peak memory of `runs` runs.
median_run() {
  local input=$1; shift
  for _ in $(seq "$runs"); do one_run "$input" "$@"; done |
    sort -n | awk '{ t[NR] = $1; m[NR] = $2 } END { printf "%s %s\n", t[int((NR + 1) / 2)], m[int((NR + 1) / 2)] }'
}
row() {
  local label=$1 input=$2; shift 2
  read -r seconds megabytes < <(median_run "$input" "$@")
  printf '%-46s %8s s %8s MB\n' "$label" "$seconds" "$megabytes"
  eval "${label//[^a-zA-Z0-9]/_}=$seconds memory_${label//[^a-zA-Z0-9]/_}=$megabytes"
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

megabytes() { awk -v b="$(stat -c %s "$1")" 'BEGIN { printf "%.1f", b / 1048576 }'; }
echo "load: $(uptime | sed 's/.*load average: //'); runs: $runs; cores: $(nproc)"
echo "prose $(megabytes unicode.txt) MB; batch $(megabytes batch.txt) MB; texts $(megabytes text10.txt) and $(megabytes text100.txt) MB"
row "velmora-convert pre-unicode (decomposed)" decomposed.txt "$convert" pre-unicode
row "ICU NFC program (decomposed)" decomposed.txt ./icu-nfc
row "velmora-convert charset tcvn3 unicode" tcvn3.txt "$convert" charset tcvn3 unicode
row "iconv -f TCVN5712-1 -t UTF-8" tcvn5712.txt iconv -f TCVN5712-1 -t UTF-8
row "velmora-convert charset tcvn5712-1 unicode" tcvn5712.txt "$convert" charset tcvn5712-1 unicode
row "velmora-convert charset cp1258 unicode" cp1258.txt "$convert" charset cp1258 unicode
row "iconv -f CP1258 -t UTF-8" cp1258.txt iconv -f CP1258 -t UTF-8
row "velmora-convert charset viscii unicode" viscii.txt "$convert" charset viscii unicode
row "iconv -f VISCII -t UTF-8" viscii.txt iconv -f VISCII -t UTF-8
row "velmora-convert charset unicode viscii" unicode-viscii.txt "$convert" charset unicode viscii
row "iconv -f UTF-8 -t VISCII" unicode-viscii.txt iconv -f UTF-8 -t VISCII
row "velmora-convert libol --batch --jobs 1" batch.txt "$convert" libol --batch --jobs 1
row "velmora-convert libol --batch (every core)" batch.txt "$convert" libol --batch
# What the machine gives two processes that share nothing: the most that
# threads sharing one process can reach on it.
row "two --jobs 1 processes, half the batch each" /dev/null bash -c \
  "\"$convert\" libol --batch --jobs 1 half-batch.txt > /dev/null & \"$convert\" libol --batch --jobs 1 half-batch.txt; wait"
row "velmora-convert libol, one 10 MB text" text10.txt "$convert" libol
row "velmora-convert libol, one 100 MB text" text100.txt "$convert" libol
echo
echo "pre-unicode vs ICU:            $(ratio "$ICU_NFC_program__decomposed_" "$velmora_convert_pre_unicode__decomposed_")x faster (goal >= 3)"
echo "charset tcvn3 vs iconv VN1:    $(ratio "$iconv__f_TCVN5712_1__t_UTF_8" "$velmora_convert_charset_tcvn3_unicode")x faster (goal >= 2)"
echo "charset tcvn5712-1 vs iconv:   $(ratio "$iconv__f_TCVN5712_1__t_UTF_8" "$velmora_convert_charset_tcvn5712_1_unicode")x faster"
echo "charset cp1258 vs iconv:       $(ratio "$iconv__f_CP1258__t_UTF_8" "$velmora_convert_charset_cp1258_unicode")x faster (goal >= 2)"
echo "charset viscii vs iconv:       $(ratio "$iconv__f_VISCII__t_UTF_8" "$velmora_convert_charset_viscii_unicode")x faster"
echo "charset unicode viscii vs iconv: $(ratio "$iconv__f_UTF_8__t_VISCII" "$velmora_convert_charset_unicode_viscii")x faster"
echo "libol --batch, every core vs --jobs 1: $(ratio "$velmora_convert_libol___batch___jobs_1" "$velmora_convert_libol___batch__every_core_")x faster (goal >= 1.7 on two cores)"
echo "  two processes side by side vs one: $(ratio "$velmora_convert_libol___batch___jobs_1" "$two___jobs_1_processes__half_the_batch_each")x faster (the machine's own ceiling)"
echo "libol, 100 MB text vs 10 MB text: $(ratio "$velmora_convert_libol__one_100_MB_text" "$velmora_convert_libol__one_10_MB_text")x the time (goal <= 11)"
echo "libol, 100 MB text: peak memory $(ratio "$memory_velmora_convert_libol__one_100_MB_text" "$(megabytes text100.txt)")x its size (goal <= 3)"

# Memory does not grow with the input: 400 MB through a pipe.
big() { for _ in $(seq 10); do cat cp1258.txt; done; }
/usr/bin/time -v -o t.log bash -c "$(declare -f big); big | \"$convert\" charset cp1258 unicode > /dev/null"
echo "charset cp1258 unicode on 400 MB (pipe): peak $(awk -F': ' '/Maximum resident/ { printf "%.1f", $2 / 1024 }' t.log) MB (goal < 32; the largest process of the pipeline)"
