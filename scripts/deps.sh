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

# What building the core, the command line and the tests needs.
BUILD_PACKAGES=(cmake ninja-build g++ libgtest-dev libgmock-dev libbenchmark-dev libicu-dev yaz libxml2-utils)
# The MARC tests read our records back with Perl's MARC::Record family and
# check them with MARC::Lint.
BUILD_PACKAGES+=(libmarc-record-perl libmarc-xml-perl libmarc-file-marcmaker-perl libmarc-lint-perl)

# What the window needs: Qt 6 Widgets, Arial's metric twin for its fonts, and
# for its real-display tests a virtual X server, a window manager and the X
# tools that drive it from outside.
GUI_PACKAGES=(qt6-base-dev fonts-liberation2 xvfb xauth openbox xclip xsel xdotool x11-utils)

# What the fuzz harnesses (scripts/fuzz) and the memcheck run need: clang
# with its libFuzzer and sanitizer runtimes, and valgrind.
FUZZ_PACKAGES=(clang libclang-rt-14-dev)
MEMCHECK_PACKAGES=(valgrind)
