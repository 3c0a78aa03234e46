#!/usr/bin/env bash
# The Debian package as a user gets it: built by scripts/package, named for
# the project's version, without lintian errors or warnings, its menu entry
# and AppStream metainfo valid; then installed with apt-get into a fresh
# minimal Debian 12 root, used there (both programs, a sample record, the
# manual pages, the shell completion), removed, and nothing of it left.
#
#   tests/packaging/PackageTest.sh          as root (debootstrap, chroot)
#
# The fresh root comes from a debootstrap tarball kept in build/debootstrap
# for a week, from the mirror of this machine's apt sources. Where no fresh
# root can be made (no debootstrap, no mirror, no chroot), it says why and
# runs the same checks on this machine with dpkg -i instead.
set -euo pipefail
cd "$(dirname "$0")/../.."
top=$(pwd)
source scripts/deps.sh
need_packages "${PACKAGE_TEST_PACKAGES[@]}"
if [ "$(id -u)" -ne 0 ]; then
  echo "package test: needs root (debootstrap, chroot, dpkg)" >&2
  exit 1
fi

passes=0 failures=0
pass() { echo "ok   - $*"; passes=$((passes + 1)); }
fail() { echo "FAIL - $*"; failures=$((failures + 1)); }
# check DESCRIPTION COMMAND...: passes when COMMAND succeeds; shows what it
# printed when it fails.
check() {
  local description=$1 output
  shift
  if output=$("$@" 2>&1); then
    pass "$description"
  else
    fail "$description"
    tail -40 <<<"$output"
  fi
}
stage() { echo "=== package: $* (at ${SECONDS}s)"; }

stage "build"
deb=$(scripts/package | tail -1)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/package/CMakeCache.txt)
check "named velmora_${version}_amd64.deb" test "$(basename "$deb")" = "velmora_${version}_amd64.deb"
check "lintian: no error, no warning" lintian --fail-on error,warning "$deb"

stage "the installed files validate"
unpacked=$(mktemp -d)
scratch_root=""
cleanup() {
  rm -rf "$unpacked"
  if [ -n "$scratch_root" ]; then
    umount "$scratch_root/proc" 2>/dev/null || true
    rm -rf --one-file-system "$scratch_root"
  fi
}
trap cleanup EXIT
dpkg-deb -x "$deb" "$unpacked"
check "desktop-file-validate" desktop-file-validate "$unpacked"/usr/share/applications/*.desktop
check "appstreamcli validate-tree: the metainfo and the entry it launches" \
  appstreamcli validate-tree --no-net "$unpacked"
icon=$(sed -n 's/^Icon=//p' "$unpacked"/usr/share/applications/*.desktop)
check "the menu entry's icon: scalable, and the 48-pixel size icon themes fall back on" test -f \
  "$unpacked/usr/share/icons/hicolor/scalable/apps/$icon.svg" -a \
  -f "$unpacked/usr/share/icons/hicolor/48x48/apps/$icon.png"

# Makes a fresh minimal Debian 12 root in $scratch_root, or gives the reason
# it cannot in $reason.
reason=""
make_root() {
  local mirror tarball=build/debootstrap/bookworm-minbase.tgz
  mirror=$(apt-get indextargets --format '$(CODENAME) $(REPO_URI)' 2>/dev/null |
    awk '$1 == "bookworm" { print $2; exit }')
  mirror=${mirror:-http://deb.debian.org/debian/}
  mkdir -p build/debootstrap
  find build/debootstrap -name '*.tgz' -mtime +7 -delete
  if [ ! -s "$tarball" ]; then
    rm -rf build/debootstrap/download
    debootstrap --variant=minbase --make-tarball="$top/$tarball.part" bookworm \
      "$top/build/debootstrap/download" "$mirror" >build/debootstrap/make-tarball.log 2>&1 || {
      reason="debootstrap could not fetch bookworm from $mirror (build/debootstrap/make-tarball.log)"
      return 1
    }
    mv "$tarball.part" "$tarball"
  fi
  scratch_root=$(mktemp -d "$top/build/debootstrap/root.XXXXXX")
  chmod 755 "$scratch_root"  # apt and man-db drop root's rights inside
  debootstrap --variant=minbase --unpack-tarball="$top/$tarball" bookworm "$scratch_root" \
    "$mirror" >build/debootstrap/unpack.log 2>&1 || {
    reason="debootstrap could not make a root (build/debootstrap/unpack.log)"
    return 1
  }
  cp /etc/resolv.conf "$scratch_root/etc/resolv.conf"
  mount -t proc proc "$scratch_root/proc" || { reason="cannot mount /proc in the root"; return 1; }
  chroot "$scratch_root" true || { reason="cannot chroot into the root"; return 1; }
}

stage "a fresh Debian 12 root"
if make_root; then
  root=$scratch_root
  # Runs a command in the root, with a plain environment.
  in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LC_ALL=C.UTF-8 "$@"; }
  cp "$deb" tests/packaging/CompletionTest.sh "$root/tmp/"
  install_package() {
    in_root apt-get update -qq &&
      in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
        man-db "/tmp/$(basename "$deb")" >/dev/null
  }
  remove_package() { in_root env DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq velmora >/dev/null; }
  completion_test=/tmp/CompletionTest.sh
else
  echo "$reason; the same checks on this machine with dpkg -i instead"
  root=""
  in_root() { env "$@"; }
  install_package() { dpkg -i "$deb" >/dev/null; }
  remove_package() { dpkg --purge velmora >/dev/null; }
  completion_test=$top/tests/packaging/CompletionTest.sh
fi
check "installs" install_package

stage "installed"
check "velmora-convert --version" test "$(in_root velmora-convert --version)" = "velmora-convert $version"
check "velmora --version, without a display" \
  test "$(in_root env -u DISPLAY velmora --version)" = "velmora $version"
examples=/usr/share/doc/velmora/examples
check "a sample Libol record converts" \
  test "$(in_root velmora-convert libol $examples/libol.txt)" = "$(in_root cat $examples/libol.expected.txt)"
check "man -w velmora-convert" test "$(in_root man -w velmora-convert)" = /usr/share/man/man1/velmora-convert.1.gz
check "man -w velmora" test "$(in_root man -w velmora)" = /usr/share/man/man1/velmora.1.gz
check "man -L vi -w velmora-convert" \
  test "$(in_root man -L vi -w velmora-convert)" = /usr/share/man/vi/man1/velmora-convert.1.gz
check "man -L vi -w velmora" test "$(in_root man -L vi -w velmora)" = /usr/share/man/vi/man1/velmora.1.gz
check "manual pages render without a warning, in English and in Vietnamese" \
  test -z "$(in_root sh -c 'for l in en vi; do for p in velmora velmora-convert; do
    man -L $l --warnings -E UTF-8 $p 2>&1 >/dev/null; done; done')"
page=$(in_root env MANWIDTH=200 man velmora-convert 2>/dev/null)
check "the English page keeps Vietnamese letters: «Duong for Đường»" grep -q 'Duong for Đường' <<<"$page"
synopsis=$(awk '/^[^ ]/ { inside = ($0 == "SYNOPSIS"); next } inside && NF' <<<"$page")
check "the English page's SYNOPSIS: each usage of --help on a line of its own" \
  test "$(sed 's/^ *//' <<<"$synopsis")" = "$(in_root velmora-convert --help |
    awk '/^$/ { exit } { sub(/^[^ ]*: +/, ""); sub(/^ +/, ""); print }')"
check "the Vietnamese page is in Vietnamese" \
  grep -q '^TÓM TẮT' <<<"$(in_root env MANWIDTH=200 man -L vi velmora-convert 2>/dev/null)"
check "bash completion" in_root bash "$completion_test" /usr/bin/velmora-convert \
  /usr/share/bash-completion/completions/velmora-convert
exec_line=$(sed -n 's/^Exec=//p' "$unpacked"/usr/share/applications/*.desktop)
# The menu entry starts the window: it stays up (offscreen) until stopped.
check "the menu entry's command starts the window" \
  test "$(in_root sh -c "QT_QPA_PLATFORM=offscreen timeout 5 $exec_line >/dev/null 2>&1; echo \$?")" = 124

stage "removed"
files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^\./, "", $6); print $6 }')
check "removes" remove_package
unknown_to_dpkg() { ! in_root dpkg-query -W velmora >/dev/null 2>&1; }
check "dpkg knows it no more" unknown_to_dpkg
left=$(while read -r file; do if in_root test -e "$file"; then echo "$file"; fi; done <<<"$files")
check "none of its files is left" test -z "$left"
[ -z "$left" ] || echo "$left"
if [ -n "$root" ]; then
  left=$(find "$root" -xdev -iname '*velmora*' ! -path "$root/tmp/*" | sed "s|^$root||")
  check "nothing named velmora is left" test -z "$left"
  [ -z "$left" ] || echo "$left"
fi

echo "package: $passes passed, $failures failed"
[ "$failures" -eq 0 ]
