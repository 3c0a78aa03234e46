#!/usr/bin/env python3
"""Writes src/Encodings/Detection/VietnameseRimeFrequency.cpp: how often each rime occurs
with each tone in real Vietnamese text, counted by count-vietnamese-rimes (built
with the tests from tools/count-vietnamese-rimes.cpp, with the product's own
syllable rules).

The text: Debian's Vietnamese manual pages (package manpages-vi) and the
Vietnamese translations of every message catalogue installed
(/usr/share/locale/vi/LC_MESSAGES/*.mo), each package named with its version.

    tools/count-vietnamese-rimes.py build/check/tests/count-vietnamese-rimes \\
        > src/Encodings/Detection/VietnameseRimeFrequency.cpp
"""
import gettext
import glob
import gzip
import subprocess
import sys


def package_of(path):
    owner = subprocess.run(["dpkg-query", "-S", path], capture_output=True, text=True).stdout
    package = owner.split(":")[0].strip()
    version = subprocess.run(["dpkg-query", "-W", "-f=${Version}", package],
                             capture_output=True, text=True).stdout.strip()
    return f"{package} {version}"


def main():
    counter = sys.argv[1]
    texts, packages = [], set()
    for page in sorted(glob.glob("/usr/share/man/vi/**/*.gz", recursive=True)):
        texts.append(gzip.open(page).read().decode("utf-8", errors="replace"))
        packages.add(package_of(page))
    for catalogue in sorted(glob.glob("/usr/share/locale/vi/LC_MESSAGES/*.mo")):
        with open(catalogue, "rb") as f:
            translations = gettext.GNUTranslations(f)
        # pylint: disable-next=protected-access
        texts.extend(t for key, t in translations._catalog.items() if key)
        packages.add(package_of(catalogue))
    source = "Debian packages:\n" + "\n".join(sorted(packages))
    subprocess.run([counter, source], input="\n".join(texts).encode("utf-8"), check=True)


if __name__ == "__main__":
    main()
