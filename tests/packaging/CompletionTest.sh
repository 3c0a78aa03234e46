#!/usr/bin/env bash
# The bash completion of velmora-convert against the real program: what a
# tab after each command line offers.
#   CompletionTest.sh VELMORA_CONVERT COMPLETION_FILE
set -uo pipefail
program_dir=$(cd "$(dirname "$1")" && pwd)
export PATH="$program_dir:$PATH"
source "$2"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cd "$scratch" && touch record.txt records.mrc

failed=0
# check "WORDS" "WANTED" ["UNWANTED"]: completes WORDS (split at spaces; _
# is the empty word being typed, = stands alone as bash splits it) and
# expects every word of WANTED among the offers and none of UNWANTED.
check() {
  local words=() word
  for word in $1; do [[ $word == _ ]] && words+=("") || words+=("$word"); done
  COMP_WORDS=("${words[@]}")
  COMP_CWORD=$((${#words[@]} - 1))
  COMPREPLY=()
  _velmora_convert
  local offered=" ${COMPREPLY[*]} "
  for word in $2; do
    [[ $offered == *" $word "* ]] || { echo "FAIL: '$1' offers [${offered}], not $word"; failed=$((failed + 1)); }
  done
  for word in ${3:-}; do
    [[ $offered != *" $word "* ]] || { echo "FAIL: '$1' offers $word"; failed=$((failed + 1)); }
  done
}

check "velmora-convert _"                       "libol lacviet hue charset pre-unicode" "record.txt"
check "velmora-convert li"                      "libol"                        "lacviet"
check "velmora-convert --"                      "--batch --format --help --version"
check "velmora-convert -"                       "-o -h -V"
check "velmora-convert --batch _"               "libol charset"
check "velmora-convert libol --format _"        "record iso2709 marcxml mrk"   "record.txt"
check "velmora-convert libol --format = mr"     "mrk"                          "marcxml"
check "velmora-convert libol --format mrk _"    "record.txt records.mrc"       "libol"
check "velmora-convert libol -o rec"            "record.txt records.mrc"   "record"
check "velmora-convert --output = rec"          "record.txt records.mrc"
check "velmora-convert libol _"                 "record.txt"                   "libol"
check "velmora-convert charset _"               "unicode vni tcvn3 cp1258"     "record.txt"
check "velmora-convert charset vni u"           "unicode"
check "velmora-convert charset vni unicode _"   "record.txt"                   "unicode"

if [ "$failed" -gt 0 ]; then
  echo "completion: $failed failed"
  exit 1
fi
echo "completion: every case passed"
