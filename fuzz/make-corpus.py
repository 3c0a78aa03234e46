#!/usr/bin/env python3
"""Writes the seed inputs of every harness into fuzz/corpus/HARNESS/.

The seeds are the example records (examples/) and the edge cases the tests
name, written in the byte layout each harness reads (see FuzzInput):
a harness's leading bytes, then the text as UTF-16LE code units after the
byte 0 that picks the raw mode. Existing files are kept, so that
reproducers of past findings stay; run again after adding examples.
"""
import hashlib
import pathlib
import re

ROOT = pathlib.Path(__file__).resolve().parent.parent
CORPUS = ROOT / "fuzz" / "corpus"

RAW = b"\x00"  # FuzzInput::RestAsText: an even first byte is the raw mode


def utf16(text: str) -> bytes:
    return RAW + text.encode("utf-16-le")


def crlf(text: str) -> str:
    return text.replace("\r\n", "\n").replace("\n", "\r\n")


def example(name: str) -> str:
    path = ROOT / "examples" / name
    return crlf(path.read_text(encoding="utf-8")) if path.exists() else ""


# The source table's rows in order: the first byte of a fuzz_sources input
# picks the row.
SOURCE_ROWS = re.findall(r'\.name = "([a-z0-9-]+)"',
                         (ROOT / "src" / "ModMain" / "Records" / "Sources.h").read_text(encoding="utf-8"))

# Copied texts per source: the example and the edge cases of its tests.
SOURCES = {
    "libol": [example("libol.txt"), "245    10$aTitle $bSub\r\n100    1 $aAuthor",
              "020      $a123", "650     7$aX   $2y", "100    # $aX", "000    nam",
              "1998 in print", "a==b\r\n", "245    10$aT\nZZZZ\r\n100    1 $aA"],
    "lacviet": [example("lacviet.txt"), "245\t10|aTitle|bSub\r\n100\t1_|aAuthor",
                "082\t__|a895.9", "500 |aNote", "245\t10|aVie\u0302\u0323t  of",
                "000\t_____nam", "245\t=10|aT"],
    "verbrary": [example("verbrary.txt"),
                 "245\t10\t|aTitle :\t|bsub /\t|cAuthor.\r\n650\t#7\t|aX\t|xY.\r\n",
                 "100\t1#\t|aA, 1999\t|d1950-", "650\t#7\t|aA\t|xB\t|xC"],
    "ilib": [example("ilib.txt"), "245\t10\ta\tTitle\r\n100\t1 \ta\tAuthor",
             "245\t10\ta\tTitle\tb\tSub", "082\t04\ta\t895.9\t2\t14", "020\t  \ta\t123",
             "245\t00\ta\tX\r\ncontinued", "000\tnam"],
    "emiclib": [example("emiclib.txt"), "245\t10|aTitle|bSub\r\n100\t1_|aAuthor",
                "100\t1_|aNguyen_Van", "1998 in print", "245\t10|aT\n100\t1_|aA"],
    "hue": [example("hue.txt"), "24510  aTitle  bSub\r\n1001   aAuthor",
            "24510  aTitle\r\n245  bSub", "245 10  aTitle\r\n  continued", "24510  aA\r\n"],
}

RECORDS = [
    "245=10$aTitle$bSubtitle%100=1#$aAuthor%650=#7$aTopic$xSubtopic",
    "245=10$aTitle :$bsubtitle /$cauthor", "260=##$aHanoi :$bPublisher,$c2019",
    "260=##$a: $bPublisher", "300=##$a120 p. :$bill. ;$c24 cm",
    "440=#0$aSeries A%490=0#$aSeries B", "650=#7$aA$xA1%650=#7$aB$xB1",
    "245=10$aTitle%245=##$bSub%245=##$cAuthor", "020=##$a111%020=##$a222%020=##$c50000",
    "084=##$aV23%084=##$b1", "245=%100=1#$aY", "##$a$bY",
    "700=1#$aA%700=1#$aB%700=1#$aC%700=1#$aD%700=1#$aE",
]
EXPORTS = ["245=00$aTitle%020=##$a123", "100=1#$aA 1999=B", "000=x%", "=245  00$aT\r\n"]
# Output records the MARC writers must refuse or repair.
MARC_RECORDS = ["001=VN-123$a#%245=0$aX", "nam a22%245=00Title$bSub", "245=00$aX$%%650=#7$a\t\x1d",
                "245=00$a" + "x" * 10000, "LDR=x%000=y%245=$aT"]

# Texts for the charset conversion: decomposed and precomposed letters, and
# the 8-bit spellings the tests name.
CHARSET_TEXTS = [
    "Vie\u0302\u0323t Nam", "e\u0302\u0301n", "e\u0323\u0302t", "b\u0300a", "\u00e2\u0103",
    "\u0110\u01b0\u1eddng", "th\u00f4 hay", "\u00f1", "\u00ce", "\u00b5\u00fe\u00c0",
    "a\u011a", "Vi\u1ec7t Nam",
]


# Vietnamese prose and a record's fields in the legacy representations, for
# detection: (mode, bytes), the mode 0 a file's start, 1 a piece, 2 fields
# cut at ISO 2709's field terminator.
VIETNAMESE = "T\u00f4i y\u00eau ti\u1ebfng Vi\u1ec7t Nam l\u1eafm, ng\u01b0\u1eddi \u01a1i."
DETECTION_INPUTS = [
    (0, VIETNAMESE.encode("utf-8")), (0, VIETNAMESE.encode("cp1258", errors="replace")),
    (0, VIETNAMESE.encode("utf-16")), (1, "H\u00e0 N\u1ed9i".encode("utf-8")),
    (1, b"l\xe1 c\xb6"), (1, b"Vi\xd6t Nam\x1a"), (2, b"10\x1faT\xe1c gi\xb6\x1e00\x1faH\xb5 N\xe9i\x1e"),
    (2, "Nguy\u1ec5n\x1eH\u00e0 N\u1ed9i".encode("utf-8") + b"\x1eN\xa8m"), (0, b""), (2, b"\x1e\x1e"),
]


def write(harness: str, data: bytes) -> None:
    folder = CORPUS / harness
    folder.mkdir(parents=True, exist_ok=True)
    (folder / ("seed-" + hashlib.sha1(data).hexdigest()[:16])).write_bytes(data)


def main() -> None:
    for name, texts in SOURCES.items():
        row = SOURCE_ROWS.index(name)
        for text in texts:
            write("fuzz_sources", bytes([row, 0]) + utf16(text))  # CRLF kept
            write("fuzz_sources", bytes([row, 1]) + utf16(text))  # line breaks made CRLF first
    for record in RECORDS + [example("libol.expected.txt")]:
        write("fuzz_rebuild", utf16(record))
        write("fuzz_rebuild_hue", utf16(record))
        write("fuzz_marcedit", utf16(record))
        write("fuzz_marc_exchange", b"\x00" + utf16(record))  # parsed as it stands
        write("fuzz_marc_exchange", b"\x01" + utf16(record))  # rebuilt first
        # shape 0x34: a three-unit tag and a two-unit mark read as code
        # units, "%" as GetToken's delimiter; occurrences and index 1.
        for tag, code in (("245", "$a"), ("650", "$x"), ("100", "$d")):
            write("fuzz_lookups", b"\x34" + tag.encode("utf-16-le") + code.encode("utf-16-le")
                  + b"\x03\x03\x03" + utf16(record))
    for text in MARC_RECORDS:
        write("fuzz_marc_exchange", b"\x00" + utf16(text))
    for text in EXPORTS:
        write("fuzz_marcedit", utf16(text))
    for text in CHARSET_TEXTS:
        for codes in (b"\x03\x03", b"\x03\x04", b"\x04\x03", b"\x05\x03", b"\x06\x03",
                      b"\x07\x03", b"\x03\x09"):  # (1,1) (1,2) (2,1) (3,1) (4,1) (5,1) (1,7)
            write("fuzz_charset", b"\x00" + codes + utf16(text))
        write("fuzz_charset", b"\xc0" + bytes(min(ord(c), 0xff) for c in text))
    for mode, data in DETECTION_INPUTS:
        write("fuzz_detection", bytes([mode]) + data)
    for name in ("libol.txt", "lacviet.txt", "verbrary.txt", "ilib.txt", "emiclib.txt",
                 "hue.txt"):
        path = ROOT / "examples" / name
        if path.exists():
            raw = path.read_bytes()
            write("fuzz_cli_input", b"\x00" + raw)
            write("fuzz_cli_input", b"\x00\xef\xbb\xbf" + raw.replace(b"\n", b"\r\n"))
    for data in (b"\x00ab\x80", b"\x00\xc0\xaf", b"\x00x\xed\xa0\x80", b"\x00\xf4\x90\x80\x80",
                 b"\x01\x81\x83\x88\x90\x98 Vi\xea\xf2t", b"\x02\x01\x00Vi\xea\xf2t",
                 b"\x02\x00\x01" + "Việt".encode("utf-8"), b"\x03\x00a\x00\x00\xd8b\x00"):
        write("fuzz_cli_input", data)


if __name__ == "__main__":
    main()
