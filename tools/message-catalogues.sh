#!/usr/bin/env bash
# Keeps the message catalogues in po/ in step with the sources.
#
#   tools/message-catalogues.sh update [ROOT]   regenerates po/velmora.pot from the
#       messages marked in ROOT/src (Tr, TrC, TrN, TrCN, Translatable), then
#       merges it into each po/LANGUAGE.po of po/LINGUAS: new messages come in
#       untranslated (or fuzzy, with a guess from a similar one), messages
#       gone from the sources are removed. Run through the build:
#       cmake --build --preset check --target update-messages
#   tools/message-catalogues.sh check [ROOT]    changes nothing; fails, naming each
#       entry, when po/velmora.pot is not what update would write, when a
#       message of the sources has no translation (or a fuzzy or empty one),
#       when a catalogue keeps a message no source has, or when
#       a catalogue fails msgfmt --check (format strings included).
#
# ROOT is the source tree (default: this script's). The messages are found
# by xgettext with the options below, which only this script holds.
set -euo pipefail
mode="${1:-}"
root="$(cd "${2:-$(dirname "$0")/..}" && pwd)"
cd "$root"
update_hint="run 'cmake --build --preset check --target update-messages' (tools/message-catalogues.sh update)"

if [ "$mode" != update ] && [ "$mode" != check ]; then
  echo "usage: tools/message-catalogues.sh update|check [ROOT]" >&2
  exit 2
fi
for tool in xgettext msgmerge msgattrib msgcmp msgfmt; do
  if ! command -v "$tool" >/dev/null; then
    echo "$tool not found: install gettext (scripts/deps.sh lists it)" >&2
    exit 1
  fi
done

# The sources' messages as a template, on standard output. Every message is
# a Format pattern ("%1", TrN's "%n"): xgettext marks each qt-format (and the
# plural ones qt-plural-format) so that msgfmt checks that a translation has
# the same placeholders. Locations name the file alone, so that the template
# changes only when a message does.
extract() {
  local sources
  sources="$(find src -type f \( -name '*.cpp' -o -name '*.h' \) | LC_ALL=C sort)"
  # shellcheck disable=SC2086
  xgettext --output=- --force-po --from-code=UTF-8 --language=C++ --qt \
    --package-name=velmora --add-location=file \
    --keyword= --keyword=Tr --keyword=TrC:1c,2 --keyword=TrN:1,2 --keyword=TrCN:1c,2,3 \
    --keyword=Translatable \
    --flag=Tr:1:qt-format --flag=TrC:2:qt-format --flag=TrN:1:qt-format --flag=TrN:2:qt-format \
    --flag=TrCN:2:qt-format --flag=TrCN:3:qt-format --flag=Translatable:1:qt-format \
    $sources
}

# The template without its creation date, which changes on every run.
undated() { grep -v '^"POT-Creation-Date: ' "$1" || true; }

languages() { grep -v '^#' po/LINGUAS | tr -s ' \t' '\n\n' | grep -v '^$' || true; }

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
extract >"$scratch/velmora.pot"

if [ "$mode" = update ]; then
  if [ -f po/velmora.pot ] && cmp -s <(undated po/velmora.pot) <(undated "$scratch/velmora.pot"); then
    echo "po/velmora.pot: up to date"
  else
    cp "$scratch/velmora.pot" po/velmora.pot
    echo "po/velmora.pot: written"
  fi
  for language in $(languages); do
    po="po/$language.po"
    if [ ! -f "$po" ]; then
      echo "$po missing: start it with 'msginit --no-translator -l $language -i po/velmora.pot -o $po'" >&2
      exit 1
    fi
    msgmerge --quiet --add-location=file --previous -o "$scratch/merged.po" "$po" po/velmora.pot
    msgattrib --no-obsolete -o "$scratch/$language.po" "$scratch/merged.po"
    if cmp -s "$po" "$scratch/$language.po"; then
      echo "$po: up to date"
    else
      cp "$scratch/$language.po" "$po"
      echo "$po: merged; translate its new and fuzzy entries (msgattrib --untranslated --only-fuzzy)"
    fi
  done
  exit 0
fi

faults=0
fault() {
  echo "$*" >&2
  faults=$((faults + 1))
}
if [ ! -f po/velmora.pot ]; then
  fault "po/velmora.pot missing: $update_hint"
elif ! diff -u --label po/velmora.pot --label "the sources' messages" \
    <(undated po/velmora.pot) <(undated "$scratch/velmora.pot") >&2; then
  fault "po/velmora.pot is not the messages of the sources: $update_hint"
fi
for language in $(languages); do
  po="po/$language.po"
  if [ ! -f "$po" ]; then
    fault "$po missing: start it with 'msginit --no-translator -l $language -i po/velmora.pot -o $po'"
    continue
  fi
  if ! grep -q '^"Content-Type: text/plain; charset=UTF-8\\n"$' "$po"; then
    fault "$po: its header must say \"Content-Type: text/plain; charset=UTF-8\\n\""
  fi
  if ! msgfmt --check -o /dev/null "$po"; then
    fault "$po does not pass msgfmt --check: correct the entries named above"
  fi
  # Each message of the sources translated, not fuzzy; each entry still used.
  if ! msgcmp "$po" "$scratch/velmora.pot" 2>"$scratch/missing"; then
    grep -v 'warning: this message is not used' "$scratch/missing" >&2 || true
    fault "$po does not translate every message of the sources: $update_hint, then translate them"
  fi
  if ! msgcmp --use-untranslated --use-fuzzy "$scratch/velmora.pot" "$po" 2>"$scratch/unused"; then
    grep -v 'warning: this message is not used' "$scratch/unused" >&2 || true
    fault "$po has messages no source has: $update_hint"
  fi
  if grep -n '^#~' "$po" >"$scratch/obsolete"; then
    sed "s|^|$po:|" "$scratch/obsolete" >&2
    fault "$po keeps obsolete entries: $update_hint"
  fi
done
if [ "$faults" -gt 0 ]; then
  echo "$faults faults in the message catalogues" >&2
  exit 1
fi
echo "message catalogues: complete ($(languages | tr '\n' ' ')against po/velmora.pot)"
