#!/usr/bin/env bash
# tools/message-catalogues.sh check on small source trees, each with one
# fault of the catalogues: the check must fail and name it. And update must
# bring a tree whose sources changed back to one the check passes once the
# new message is translated.
#
#   CatalogueCheckTest.sh tools/message-catalogues.sh
set -uo pipefail
tool="$1"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
failures=0
checks=0

# A tree with two messages, both translated.
make_tree() {
  local root="$1"
  mkdir -p "$root/src" "$root/po"
  cat >"$root/src/Program.cpp" <<'CPP'
void Run() {
  Print(Tr("no command given"));
  Print(Format(Tr("%1: no %2 record found"), file, source));
}
CPP
  printf 'vi\n' >"$root/po/LINGUAS"
  cat >"$root/po/vi.po" <<'PO'
msgid ""
msgstr ""
"Project-Id-Version: velmora\n"
"PO-Revision-Date: 2026-12-09 06:00+0700\n"
"Last-Translator: Velmora developers\n"
"Language-Team: Vietnamese\n"
"Language: vi\n"
"MIME-Version: 1.0\n"
"Content-Type: text/plain; charset=UTF-8\n"
"Content-Transfer-Encoding: 8bit\n"
"Plural-Forms: nplurals=1; plural=0;\n"

#: src/Program.cpp
#, qt-format
msgid "no command given"
msgstr "chưa chọn lệnh nào"

#: src/Program.cpp
#, qt-format
msgid "%1: no %2 record found"
msgstr "%1: không thấy bản ghi %2"
PO
  bash "$tool" update "$root" >/dev/null
}

# expect_fault NAME PHRASE: the check of tree NAME fails and says PHRASE.
expect_fault() {
  local name="$1" phrase="$2"
  checks=$((checks + 1))
  if bash "$tool" check "$scratch/$name" >"$scratch/$name.out" 2>&1; then
    echo "FAIL $name: the check passed"
    failures=$((failures + 1))
  elif ! grep -qF -- "$phrase" "$scratch/$name.out"; then
    echo "FAIL $name: the check did not say '$phrase':"
    cat "$scratch/$name.out"
    failures=$((failures + 1))
  else
    echo "ok $name"
  fi
}

expect_pass() {
  local name="$1"
  checks=$((checks + 1))
  if bash "$tool" check "$scratch/$name" >"$scratch/$name.out" 2>&1; then
    echo "ok $name"
  else
    echo "FAIL $name: the check failed:"
    cat "$scratch/$name.out"
    failures=$((failures + 1))
  fi
}

make_tree "$scratch/complete"
expect_pass complete

make_tree "$scratch/new-message"
sed -i 's/^}/  Print(Tr("no input file"));\n}/' "$scratch/new-message/src/Program.cpp"
expect_fault new-message "po/velmora.pot is not the messages of the sources"

# After update the template is right, the new message untranslated.
cp -r "$scratch/new-message" "$scratch/updated"
bash "$tool" update "$scratch/updated" >/dev/null
expect_fault updated "po/vi.po does not translate every message of the sources"

cp -r "$scratch/updated" "$scratch/translated"
sed -i '/^msgid "no input file"/{n;s/^msgstr ""/msgstr "chưa có tệp đầu vào"/}' \
  "$scratch/translated/po/vi.po"
expect_pass translated

make_tree "$scratch/fuzzy"
sed -i 's/^#, qt-format$/#, fuzzy, qt-format/' "$scratch/fuzzy/po/vi.po"
expect_fault fuzzy "po/vi.po does not translate every message of the sources"

make_tree "$scratch/empty"
sed -i 's/^msgstr "chưa chọn lệnh nào"/msgstr ""/' "$scratch/empty/po/vi.po"
expect_fault empty "po/vi.po does not translate every message of the sources"

make_tree "$scratch/not-in-sources"
printf '\nmsgid "a message no source has"\nmsgstr "thừa"\n' >>"$scratch/not-in-sources/po/vi.po"
expect_fault not-in-sources "po/vi.po has messages no source has"

make_tree "$scratch/obsolete"
printf '\n#~ msgid "an old message"\n#~ msgstr "cũ"\n' >>"$scratch/obsolete/po/vi.po"
expect_fault obsolete "po/vi.po keeps obsolete entries"

# update removes the obsolete entry, and the check passes again.
cp -r "$scratch/obsolete" "$scratch/obsolete-removed"
bash "$tool" update "$scratch/obsolete-removed" >/dev/null
expect_pass obsolete-removed

make_tree "$scratch/placeholder-lost"
sed -i 's/^msgstr "%1: không thấy bản ghi %2"/msgstr "không thấy bản ghi %2"/' \
  "$scratch/placeholder-lost/po/vi.po"
expect_fault placeholder-lost "po/vi.po does not pass msgfmt --check"

make_tree "$scratch/not-utf-8"
sed -i 's/charset=UTF-8/charset=ASCII/' "$scratch/not-utf-8/po/vi.po"
expect_fault not-utf-8 "its header must say"

make_tree "$scratch/no-catalogue"
rm "$scratch/no-catalogue/po/vi.po"
expect_fault no-catalogue "po/vi.po missing"

echo "$((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
