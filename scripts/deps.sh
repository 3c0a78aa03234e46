# Sourced by the other scripts: installs the Debian packages that are missing.
#   need_packages PACKAGE...
need_packages() {
  local missing=()
  local package
  for package in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$package")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
}

# What building the programs needs: the compiler, CMake, Ninja, help2man,
# which writes their manual pages from their --help, the definitions of the
# locales the pages in other languages are written in (locales), and gettext,
# whose msgfmt checks and compiles the message catalogues of po/ into them.
BUILD_PACKAGES=(cmake ninja-build g++ help2man locales gettext)

# What the window needs to build and run: Qt 6 Widgets, xcb for its hotkey
# on X11, and Arial's metric twin for its fonts.
GUI_PACKAGES=(qt6-base-dev libxcb1-dev pkg-config fonts-liberation2)

# What the tests and benchmarks need: GoogleTest, Google Benchmark, ICU (the
# benchmarks compare with its normaliser), yaz-marcdump and xmllint to read
# the MARC files back, and man to read the manual pages as a user does.
TEST_PACKAGES=(libgtest-dev libgmock-dev libbenchmark-dev libicu-dev yaz libxml2-utils man-db)
# The MARC tests read our records back with Perl's MARC::Record family and
# check them with MARC::Lint, whose tag list tools/make-tag-repeatability.pl
# reads MARC 21's non-repeatable tags from.
TEST_PACKAGES+=(libmarc-record-perl libmarc-xml-perl libmarc-file-marcmaker-perl libmarc-lint-perl)
# Real Vietnamese prose that the code page tests convert with iconv: the
# Debian maintainers' guide and the manual pages in Vietnamese.
TEST_PACKAGES+=(maint-guide-vi manpages-vi)
# What the detection tests read besides: the same guide in French and Russian
# (prose never to be taken for Vietnamese), and the Vietnamese spelling
# dictionary, whose words the syllable rules must accept.
TEST_PACKAGES+=(maint-guide-fr maint-guide-ru hunspell-vi)
# What keeps the message catalogues complete (tools/message-catalogues.sh):
# gettext's xgettext, msgmerge, msgcmp and msgfmt.
TEST_PACKAGES+=(gettext)
# Unicode's character data and normalisation conformance test (bzip2 unpacks
# it), which NFC and NFD are made from and checked against, and Perl's
# MARC::Charset, whose code tables the MARC-8 tables are made from, which
# reads our MARC-8 back (yaz, above, does too), writes the MARC-8 records the
# readers are tested on, and with MARC::File::MARCMaker is what
# tools/make-mrk-mnemonics.pl builds MarcEdit's mnemonic table from.
TEST_PACKAGES+=(unicode-data bzip2 libmarc-charset-perl)
# Vietnamese prose that detection's tables were not counted from, which its
# tests measure it on: the Installation Guide and the message catalogues of
# six packages.
TEST_PACKAGES+=(installation-guide-amd64 aptitude-common gcc-12-locales util-linux-locales)
TEST_PACKAGES+=(cpio nano texinfo)

# What the window's real-display tests need: a virtual X server, a window
# manager and the X tools that drive it from outside (xset reads the state of
# NumLock).
GUI_TEST_PACKAGES=(xvfb xauth openbox xclip xsel xdotool x11-utils x11-xserver-utils)
# And a Wayland desktop without a GPU: weston (headless, or nested in the X
# display), its XWayland, and Qt's Wayland platform.
GUI_TEST_PACKAGES+=(weston xwayland qt6-wayland)

# The one clang-format the sources are formatted with (scripts/format).
FORMAT_PACKAGES=(clang-format-14)

# What building the Debian package needs (scripts/package): dpkg-shlibdeps for
# its dependencies, and file, with which CPack finds the programs to look at.
PACKAGE_PACKAGES=(dpkg-dev file)

# What checking the package needs: lintian, the desktop-entry and AppStream
# validators, and debootstrap for a fresh Debian root to install it into.
PACKAGE_TEST_PACKAGES=(lintian desktop-file-utils appstream debootstrap)

# What the fuzz harnesses (scripts/fuzz) and the memcheck run need: clang
# with its libFuzzer and sanitizer runtimes (and gettext, as every build),
# and valgrind.
FUZZ_PACKAGES=(clang libclang-rt-14-dev gettext)
MEMCHECK_PACKAGES=(valgrind)

# What building for 64-bit Windows needs (scripts/windows): the mingw-w64
# cross compiler with posix threads, NSIS for the installer, icoutils for the
# icon, gettext for the message catalogues compiled in, zip, which makes the
# ZIP again with its files in the order of their names and no times but
# their own, and fakeroot, under which a user other than root packages as
# root does.
WINDOWS_PACKAGES=(cmake ninja-build g++-mingw-w64-x86-64-posix mingw-w64-tools nsis icoutils gettext zip fakeroot)
# What running the Windows programs and their tests needs: Wine (64-bit
# only), the X tools of the window tests, and Debian's locale sources, from
# which the tests make a Vietnamese locale for Wine to start in and under
# which the installer is tried in Vietnamese.
WINE_TEST_PACKAGES=(wine wine64 libgtest-dev locales "${GUI_TEST_PACKAGES[@]}")
