#!/usr/bin/env python3
"""Writes src/Encodings/Detection/VietnameseSyllableFrequency.cpp: how often each
Vietnamese syllable with a diacritic occurs in real Vietnamese text, counted by
count-vietnamese-syllables (built with the tools from
tools/count-vietnamese-syllables.cpp, with the product's own syllable rules),
and the other syllables of Debian's Vietnamese spelling dictionary.

The text: the Vietnamese manual pages and message catalogues of the packages
in COUNTED, each named with its version in the table. The prose the detection
tests read (maint-guide-vi, installation-guide-amd64, and the catalogues of
aptitude-common, gcc-12-locales and util-linux-locales) is left out on
purpose: it measures detection on text the table has not seen.

    tools/count-vietnamese-syllables.py build/check/tools/count-vietnamese-syllables \\
        > src/Encodings/Detection/VietnameseSyllableFrequency.cpp
"""
import gettext
import gzip
import subprocess
import sys

DICTIONARY_PACKAGE = "hunspell-vi"
DICTIONARY = "/usr/share/hunspell/vi_VN.dic"

COUNTED = [
    "adduser", "apt", "at-spi2-common", "bash", "binutils-common", "coreutils", "diffutils",
    "dpkg", "findutils", "gettext", "gettext-base", "git", "grep", "gsettings-desktop-schemas",
    "help2man", "iso-codes", "libapt-pkg6.0", "libc-l10n", "libexif12",
    "libgdk-pixbuf2.0-common", "libglib2.0-data", "libgnutls30", "libgphoto2-port12",
    "libgstreamer-plugins-base1.0-0", "libgstreamer1.0-0", "libgtk2.0-common", "libidn2-0",
    "libpam-runtime", "login", "make", "man-db", "manpages-vi", "openbox", "packagekit",
    "postgresql-15", "postgresql-client-15", "procps", "psmisc", "python-apt-common", "sed",
    "shared-mime-info", "software-properties-common", "tar", "wget", "xdg-user-dirs",
    "xkb-data", "xz-utils",
]


def version_of(package):
    return subprocess.run(["dpkg-query", "-W", "-f=${Version}", package],
                          capture_output=True, text=True, check=False).stdout.strip()


def files_of(package):
    return subprocess.run(["dpkg-query", "-L", package], capture_output=True, text=True,
                          check=True).stdout.split("\n")


def vietnamese_texts(package):
    """The package's Vietnamese manual pages and translated messages."""
    texts = []
    for path in sorted(files_of(package)):
        if path.startswith("/usr/share/man/vi/") and path.endswith(".gz"):
            texts.append(gzip.open(path).read().decode("utf-8", errors="replace"))
        elif path.startswith("/usr/share/locale/vi/LC_MESSAGES/") and path.endswith(".mo"):
            with open(path, "rb") as f:
                translations = gettext.GNUTranslations(f)
            # pylint: disable-next=protected-access
            texts.extend(t for key, t in translations._catalog.items() if key)
    return texts


def main():
    counter = sys.argv[1]
    missing = [p for p in COUNTED + [DICTIONARY_PACKAGE] if not version_of(p)]
    if missing:
        sys.exit("count-vietnamese-syllables.py: not installed: " + " ".join(missing) +
                 "; install them first: apt-get install " + " ".join(missing))
    texts, packages = [], []
    for package in COUNTED:
        texts.extend(vietnamese_texts(package))
        packages.append(f"{package} {version_of(package)}")
    summary = (f"{DICTIONARY_PACKAGE} {version_of(DICTIONARY_PACKAGE)} and the Vietnamese "
               f"text of {len(COUNTED)} packages")
    subprocess.run([counter, DICTIONARY, summary, "\n".join(packages)],
                   input="\n".join(texts).encode("utf-8"), check=True)


if __name__ == "__main__":
    main()
