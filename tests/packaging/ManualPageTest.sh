#!/usr/bin/env bash
# The manual pages as man shows them: each renders without a warning; the
# English page keeps the letters of --help as they are («Đường») and has
# each usage line of --help on a line of its own in its SYNOPSIS; the
# Vietnamese page has Vietnamese headings and names the same commands,
# options, formats and representations as the English one, so that it
# says nothing of an option that is gone and leaves none out.
#
#   ManualPageTest.sh MAN_DIR PROGRAM...
#
# MAN_DIR holds the built pages: PROGRAM.1.gz, and vi/PROGRAM.1.gz.
set -uo pipefail
man_dir=$1
shift
passes=0 failures=0
pass() { echo "ok   - $*"; passes=$((passes + 1)); }
fail() { echo "FAIL - $*"; failures=$((failures + 1)); }

# The page $1 as man shows it; its warnings in $scratch/warnings.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
render() {
  MANWIDTH=100 LC_ALL=C.UTF-8 man --warnings -E UTF-8 -l "$1" 2>"$scratch/warnings"
}
# The lines of section $2 (a heading as man shows it) of the rendered page $1.
section() {
  awk -v heading="$2" '/^[^ ]/ { inside = ($0 == heading); next } inside' <<<"$1"
}
# The names each entry of page $1 begins with (the line after each .TP):
# options and lowercase words, one per line, sorted. «charset FROM TO»
# gives charset, «\fB\-j\fR, \fB\-\-jobs\fR N» gives -j and --jobs.
entry_names() {
  zcat "$1" | awk 'previous == ".TP" { print } { previous = $0 }' |
    sed -e 's/\\f[BIRP]//g' -e 's/\\[/,]//g' -e 's/\\-/-/g' | tr ' ,' '\n\n' |
    grep -E '^(--?[A-Za-z][-A-Za-z]*|[a-z0-9][-a-z0-9.:]*)$' | LC_ALL=C sort -u
}

for program in "$@"; do
  name=$(basename "$program")
  english=$man_dir/$name.1.gz vietnamese=$man_dir/vi/$name.1.gz
  help=$(LC_ALL=C.UTF-8 LANGUAGE= "$program" --help)

  page=$(render "$english")
  if [ -n "$page" ] && [ ! -s "$scratch/warnings" ]; then
    pass "$name.1 renders without a warning"
  else
    fail "$name.1 renders with: $(head -5 "$scratch/warnings")"
  fi
  # Every word of --help that is not ASCII, as it stands.
  missing=$(tr -s ' \t' '\n\n' <<<"$help" | LC_ALL=C grep -P '[^\x00-\x7F]' | sort -u | while read -r word; do
    grep -qF -- "$word" <<<"$page" || echo "$word"
  done)
  if [ -z "$missing" ]; then
    pass "$name.1 keeps the letters of --help"
  else
    fail "$name.1 lacks $(echo $missing) of --help: $(grep -m3 '?' <<<"$page")"
  fi
  # The usage lines: the first paragraph of --help, each from the program's
  # name on.
  usage=$(awk '/^$/ { exit } { sub(/^[^ ]*: +/, ""); sub(/^ +/, ""); print }' <<<"$help")
  synopsis=$(section "$page" SYNOPSIS | sed 's/^ *//')
  if [ -n "$usage" ] && [ "$synopsis" = "$usage" ]; then
    pass "$name.1's SYNOPSIS has each usage line of --help on its own"
  else
    fail "$name.1's SYNOPSIS is [$synopsis], not the usage lines [$usage]"
  fi

  page=$(render "$vietnamese")
  if [ -n "$page" ] && [ ! -s "$scratch/warnings" ]; then
    pass "vi/$name.1 renders without a warning"
  else
    fail "vi/$name.1 renders with: $(head -5 "$scratch/warnings")"
  fi
  headings=$(grep -E '^[^ ]' <<<"$page" | sed 1d | sed '$d' | tr '\n' '|')
  if [[ $headings == "TÊN|TÓM TẮT|MÔ TẢ|"* ]]; then
    pass "vi/$name.1 has Vietnamese headings"
  else
    fail "vi/$name.1's headings are $headings"
  fi
  english_only=$(LC_ALL=C comm -23 <(entry_names "$english") <(entry_names "$vietnamese"))
  vietnamese_only=$(LC_ALL=C comm -13 <(entry_names "$english") <(entry_names "$vietnamese"))
  if [ -z "$english_only$vietnamese_only" ]; then
    pass "vi/$name.1 names the commands and options that $name.1 names"
  else
    fail "vi/$name.1 lacks [$(echo $english_only)] and has [$(echo $vietnamese_only)] of $name.1's entries." \
      "Translate their --help in po/vi.po, or leave them out of the Vietnamese" \
      "page's data/man/vi/$name.h2m."
  fi
done

echo "manual pages: $passes passed, $failures failed"
[ "$failures" -eq 0 ]
