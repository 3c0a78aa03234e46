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


# Records for the MARC file readers: (leader, [(tag, content)]), content as
# ISO 2709 has it (indicators, then 1F, code, value for each subfield).
US, FT, RT = "\x1f", "\x1e", "\x1d"
MARC_FILE_RECORDS = [
    ("00000nam a2200000   4500", [
        ("001", "VN-1000"), ("008", "190315s2019    vm a          000 0 vie d"),
        ("100", "1 " + US + "aT\u00f4 Ho\u00e0i"),
        ("245", "10" + US + "aD\u1ebf M\u00e8n $ {x} \\ & <" + US + "cT\u00f4 Ho\u00e0i"),
        ("650", " 7" + US + "aV\u0103n h\u1ecdc" + US + "x"),
    ]),
    ("00000cam  2200000 a 4500", [("001", "1"), ("245", "00" + US + "aT\xe2i li\xeau")]),
]


def iso2709(leader: str, fields) -> bytes:
    data = [content.encode("utf-8") + FT.encode() for _, content in fields]
    directory, start = b"", 0
    for (tag, _), piece in zip(fields, data):
        directory += tag.encode() + b"%04d%05d" % (len(piece), start)
        start += len(piece)
    base = 24 + len(directory) + 1
    length = base + start + 1
    head = b"%05d" % length + leader[5:12].encode() + b"%05d" % base + leader[17:].encode()
    return head + directory + FT.encode() + b"".join(data) + RT.encode()


def marcxml(records, prefix="") -> bytes:
    p = prefix + ":" if prefix else ""
    ns = ' xmlns%s="http://www.loc.gov/MARC21/slim"' % (":" + prefix if prefix else "")
    out = '<?xml version="1.0" encoding="UTF-8"?>\n<%scollection%s>\n' % (p, ns)
    esc = lambda t: t.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")
    for leader, fields in records:
        out += "<%srecord><%sleader>%s</%sleader>" % (p, p, leader, p)
        for tag, content in fields:
            if tag < "010":
                out += '<%scontrolfield tag="%s">%s</%scontrolfield>' % (p, tag, esc(content), p)
                continue
            out += '<%sdatafield tag="%s" ind1="%s" ind2="%s">' % (p, tag, content[0], content[1])
            for sub in content[2:].split(US)[1:]:
                out += '<%ssubfield code="%s">%s</%ssubfield>' % (p, sub[:1], esc(sub[1:]), p)
            out += "</%sdatafield>" % p
        out += "</%srecord>\n" % p
    return (out + "</%scollection>\n" % p).encode("utf-8")


def mrk(records) -> bytes:
    def mnemonic(t, blanks):
        names = {"{": "{lcub}", "}": "{rcub}", "$": "{dollar}", "\\": "{bsol}"}
        t = "".join(names.get(c, c) for c in t)
        return t.replace(" ", "\\") if blanks else t
    out = ""
    for leader, fields in records:
        out += "=LDR  " + leader.replace(" ", "\\") + "\r\n"
        for tag, content in fields:
            if tag < "010":
                out += "=%s  %s\r\n" % (tag, mnemonic(content, True))
                continue
            subs = "".join("$" + s[:1] + mnemonic(s[1:], False) for s in content[2:].split(US)[1:])
            out += "=%s  %s%s\r\n" % (tag, content[:2].replace(" ", "\\"), subs)
        out += "\r\n"
    return out.encode("utf-8")


def marc_file_seeds():
    iso = b"".join(iso2709(l, f) for l, f in MARC_FILE_RECORDS)
    first = iso2709(*MARC_FILE_RECORDS[0])
    yield "fuzz_iso2709_reader", iso
    yield "fuzz_iso2709_reader", b"00099xam a22000990 4500" + first[24:]  # lengths wrong
    yield "fuzz_iso2709_reader", first.replace(FT.encode(), b"", 2)  # terminators missing
    yield "fuzz_iso2709_reader", first[:-1] + b"\n" + first  # record terminator missing
    yield "fuzz_iso2709_reader", b"junk\r\n" + first + b"\n" + first[: len(first) // 2]
    yield "fuzz_iso2709_reader", b"0a0b5nam a22  0 5   4500" + first[24:]
    xml = marcxml(MARC_FILE_RECORDS)
    yield "fuzz_marcxml_reader", xml
    yield "fuzz_marcxml_reader", marcxml(MARC_FILE_RECORDS, "marc")
    yield "fuzz_marcxml_reader", "\ufeff".encode("utf-16-le").replace(b"\xff\xfe", b"") + \
        xml.decode().replace("UTF-8", "UTF-16").encode("utf-16-le")
    yield "fuzz_marcxml_reader", (b'<record><leader>00000nam a2200000   4500</leader><!-- c -->'
                                  b'<datafield tag="245" ind2=\'0\'><subfield code="a">&#x1EBF;'
                                  b'<![CDATA[<b>]]>&amp;&lt;&gt;&quot;&apos;</subfield>'
                                  b'<x:y xmlns:x="u"/></datafield><?pi?></record>')
    yield "fuzz_marcxml_reader", b'<!DOCTYPE c [<!ENTITY a "aaaa">]><c>&a;</c>'
    yield "fuzz_marcxml_reader", b"<a>" * 300
    yield "fuzz_mrk_reader", mrk(MARC_FILE_RECORDS)
    yield "fuzz_mrk_reader", (b"\xef\xbb\xbf=LDR  00000nam\\\\2200000\\\\\\4500\n=245  10$a{acute}e"
                              b"{dstrok}{nosuch}\nmore\n=001 x\n=LDR  00000nam\\a2200000\\\\\\4500\n")


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


# Batches of copied records and of output records.
BATCHES = [
    "245    10$aSách A\n\n650    #7$aLịch sử\n\n650    #7$aĐịa lý\n\n700    1 $aTrần Văn B\n"
    "\n\n245    10$aSách C\r\n100    1 $aX\r\n\r\n100    1 $aY\r\n \t \r\n"
    "LDR    00000nam\rwrapped\r\r000    nam\n",
    "245=00$aA%100=##$aB\n\n245=00$aC\r\n  \r\n245=00$aD",
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
    # Batches: copied records with empty lines between their fields, and
    # output records one a line; text that looks like UTF-16 without its
    # byte order mark, and UTF-8 with NULs that does not.
    for text in BATCHES:
        write("fuzz_cli_input", b"\x04\x00" + text.encode())
        write("fuzz_cli_input", b"\x04\x01" + text.encode())
    write("fuzz_cli_input", b"\x05" + "245    10$aTiếng Việt\r\n".encode("utf-16-le"))
    write("fuzz_cli_input", b"\x05" + "245    10$aTiếng Việt\r\n".encode("utf-16-be"))
    write("fuzz_cli_input", b"\x05245    10$aA\x00B\r\n100    1 $aC\x00")
    write_character_seeds()


# MARC-8 as the writer writes it: Vietnamese (marks before their base, ơ ư
# đ as letters), escapes to Cyrillic, Greek, the subscripts and EACC, the
# double diacritic in halves, and what cannot be read.
MARC8_FIELDS = (
    b"Nguy\xe3\xe4en V\xe6an Tr\xbd\xe1\xbcng",
    b"10\x1faL\xf2ich s\xe0\xbd Vi\xf2\xe3et Nam\x1fbH\xe1a N\xf2\xe3oi",
    b"\x1b(NmOSKWA\x1b(B 1987 \x1b)Q\xc0\x1b)E",
    b"\x1b(S\x61\x22\x62\x1b(B H\x1bb2\x1bsO x\x1bp2\x1bs \x1bga\x1bs",
    b"\x1b$1\x21\x30\x64 \x21\x20\x3d\x22\x33\x39\x1b(B",
    b"t\xebo\xecs \xeco \x88The \x89",
    b"ab\xaf\x7f\x81\xff \x1b(Z \x1b$1\x21\x30\x1b(B x\xe1",
)

# Texts for normalisation and for the MARC-8 writer: every spelling of a
# few letters, Hangul, a lone surrogate, marks with no base and in long runs.
CHARACTER_TEXTS = (
    "Tiếng Việt, Nguyễn Văn Trường, Đại học",
    "Tie\u0302\u0301ng Vie\u0323\u0302t Vie\u0302\u0323t Vi\u00ea\u0323t o\u031b\u0300",
    "e\u0301\u0302 \u0301a \u1100\u1161\u11a8 \uac03 \ud800x \ufe20\ufe21",
    "\u0958\u0344\u1f82\u2126\u212b\U0001d160 \u0e01 \U0001f600",
    "a" + "\u0301\u0323" * 40,
    "Москва αβ́ δά H₂O x² 人民 שלום",
)

# Records' fields (separated by 1E) after a leader byte and the forced
# reading's byte (FF: none).
FIELD_RECORDS = (
    (b"a", "1 \x1faNguyễn Du\x1e10\x1faTruyện Kiều\x1e  \x1fa9786040000000".encode("utf-8")),
    (b" ", b"1 \x1faNguy\xe3\xe4en Du\x1e10\x1faTruy\xf2\xe3en Ki\xe1\xe3eu"),
    (b"a", "1 \x1faNguyễn Du".encode("utf-8").decode("cp1252").encode("utf-8")),
    (b"a", b"C\xc7n Th\xac\x1e" + "Vi\u00ea\u0323t".encode("cp1258")),
    (b" ", b"\x1b(S\x61\x62\x1b(B\x1e\xff\xfe\x80"),
)


def write_character_seeds() -> None:
    for field in MARC8_FIELDS:
        write("fuzz_marc8", b"\x00" + field)
    for text in CHARACTER_TEXTS:
        raw = text.encode("utf-16-le", "surrogatepass")
        write("fuzz_marc8", b"\x01" + RAW + raw)
        write("fuzz_normalization", RAW + raw)
    for leader, fields in FIELD_RECORDS:
        for pick in (b"\xff", b"\x00", b"\x01", b"\x02"):  # none, utf-8, marc-8, tcvn3
            write("fuzz_field_text", leader + pick + fields)
    for harness, data in marc_file_seeds():
        write(harness, data)


if __name__ == "__main__":
    main()
