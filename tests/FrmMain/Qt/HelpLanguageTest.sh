#!/bin/sh
# velmora's --help and usage errors in the language the locale asks for,
# without a display: Vietnamese under a Vietnamese locale or LANGUAGE, the
# English text exactly as it stands under the C locale, whatever LANGUAGE.
#
#   HelpLanguageTest.sh VELMORA
set -u
velmora=$1
failures=0
pass() { echo "ok: $1"; }
fail() { echo "FAILED: $1"; failures=$((failures + 1)); }

# run LANG LC_ALL LANGUAGE ARGS...: the program's first line of standard
# output and of standard error, and its exit status, with no display.
run() {
  lang=$1 lc_all=$2 language=$3
  shift 3
  env -u DISPLAY -u WAYLAND_DISPLAY -u LC_MESSAGES LANG="$lang" LC_ALL="$lc_all" \
    LANGUAGE="$language" "$velmora" "$@" >out.txt 2>err.txt
  echo "status=$? out=$(head -n 1 out.txt) err=$(head -n 1 err.txt)"
}

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cd "$scratch" || exit 1

expect() {
  what=$1 expected=$2 got=$3
  [ "$got" = "$expected" ] && pass "$what" || fail "$what: got «$got», expected «$expected»"
}

expect "LANG=vi_VN.UTF-8 --help" \
  "status=0 out=cách dùng: velmora [TÙY_CHỌN...] err=" "$(run vi_VN.UTF-8 '' '' --help)"
grep -q '^  --hotkey KEYS  tổ hợp phím' out.txt && pass "the options in Vietnamese" ||
  fail "the options are not in Vietnamese: $(cat out.txt)"
expect "LANGUAGE=vi --help" \
  "status=0 out=cách dùng: velmora [TÙY_CHỌN...] err=" "$(run en_US.UTF-8 '' vi --help)"
expect "LANG=vi_VN.UTF-8, an unknown option" \
  "status=2 out= err=velmora: không có tùy chọn '--bogus'; xem 'velmora --help'" \
  "$(run vi_VN.UTF-8 '' '' --bogus)"
expect "LC_ALL=C LANGUAGE=vi --help" \
  "status=0 out=usage: velmora [OPTION...] err=" "$(run vi_VN.UTF-8 C vi --help)"
expect "LC_ALL=C, an unknown option" \
  "status=2 out= err=velmora: unknown option '--bogus'; see 'velmora --help'" \
  "$(run vi_VN.UTF-8 C vi --bogus)"
# The whole English help, as scripts and the manual page read it.
run '' C '' --help >/dev/null
cat >expected.txt <<'HELP'
usage: velmora [OPTION...]

Opens the Velmora window at the bottom-right corner of the screen, above
other windows. Copy a record in a library system and press the button
that names it: the catalogue record is shown and put on the clipboard.

options:
  --hotkey KEYS  the key combination that converts what was just copied,
                 whichever program has the focus: it repeats the conversion
                 button pressed last, and before any, presses the button of
                 the copied record's library system. KEYS is Ctrl, Alt,
                 Shift or Meta and a key, joined by +, as Meta+F9
                 (default: Ctrl+Alt+Shift+M)
  --no-hotkey    no hotkey
  -h, --help     show this help
  -V, --version  show the version
Qt's own options (-platform, -display, -style, ...) are taken as well.
HELP
diff -u expected.txt out.txt >/dev/null && pass "the English help unchanged" ||
  fail "the English help: $(diff -u expected.txt out.txt)"

[ "$failures" -eq 0 ]
