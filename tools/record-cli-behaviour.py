#!/usr/bin/env python3
"""Records what velmora-convert does, so that two builds can be compared.

Runs the program over every sample record, every fuzz corpus file and a set
of hostile inputs, in every command, format and option, and writes one line
per invocation: its label, the SHA-256 of its standard output, of its
standard error and of any file it wrote, and its exit status.

    tools/record-cli-behaviour.py record build/check/src/cli/velmora-convert before.tsv
    tools/record-cli-behaviour.py record build/check/src/cli/velmora-convert after.tsv
    tools/record-cli-behaviour.py compare before.tsv after.tsv

`compare` names each invocation whose results differ and exits with 1 when
any does. A restructuring that must not change behaviour runs `record`
before and after and `compare`s the two.
"""
import concurrent.futures
import hashlib
import os
import pathlib
import shutil
import subprocess
import sys
import tempfile

ROOT = pathlib.Path(__file__).resolve().parent.parent
SOURCES = ["libol", "lacviet", "verbrary", "ilib", "emiclib", "hue"]
FORMATS = ["iso2709", "marcxml", "mrk"]
REPRESENTATIONS = ["unicode", "vni", "tcvn3", "cp1258", "nomarks", "viscii", "tcvn5712-1",
                   "viqr", "unicode-decomposed"]
READABLE = [r for r in REPRESENTATIONS if r != "unicode-decomposed"] + ["auto"]


def source_variants(source):
    """Every option of a source command, alone and in the combinations that matter."""
    variants = [[], ["--working"], ["--verbose"], ["--precompose"], ["--batch"],
                ["--batch", "--verbose"], ["--batch", "--precompose"], ["--batch", "-j", "1"]]
    for fmt in FORMATS:
        variants += [["--format", fmt], ["--working", "--format", fmt],
                     ["--batch", "--format", fmt], ["--format", fmt, "--precompose"]]
    variants.append(["--format", "record"])
    return [[source] + v for v in variants]


def few_source_variants(source):
    return [[source], [source, "--working"], [source, "--format", "iso2709"],
            [source, "--batch"], [source, "--verbose"]]


def charset_variants(pairs):
    out = []
    for src, dst in pairs:
        out += [["charset", src, dst], ["charset", "-c", src, dst]]
    return out


ALL_PAIRS = [(s, d) for s in READABLE for d in REPRESENTATIONS]
FEW_PAIRS = [("unicode", "vni"), ("vni", "unicode"), ("tcvn3", "cp1258"), ("unicode", "viscii"),
             ("unicode", "tcvn3"), ("viqr", "unicode"), ("auto", "unicode"),
             ("unicode", "unicode-decomposed"), ("tcvn5712-1", "unicode")]


def every_variant():
    out = []
    for source in SOURCES:
        out += source_variants(source)
    out += [["marcedit"], ["marcedit", "--precompose"], ["pre-unicode"],
            ["pre-unicode", "--precompose"], ["detect"]]
    out += charset_variants(ALL_PAIRS)
    return out


def some_variants():
    out = []
    for source in SOURCES:
        out += few_source_variants(source)
    out += [["marcedit"], ["pre-unicode"], ["pre-unicode", "--precompose"], ["detect"]]
    out += charset_variants(FEW_PAIRS)
    return out


HOSTILE = {
    "empty": b"",
    "spaces": b"   \t  \r\n\r\n \n",
    "nul": b"245    10$aA\x00B\r\n100    1 $aC\x00",
    "invalid-utf8": b"245    10$aS\xe1ch\xff\xfe\r\n",
    "truncated-utf8": b"245    10$aVi\xe1\xbb",
    "overlong": b"245    10$a\xc0\xaf\xe0\x80\xaf",
    "surrogate-utf8": b"245    10$a\xed\xa0\x80x",
    "utf16le-bom": "\ufeff245    10$aTiếng Việt\r\n100    1 $aNguyễn\r\n".encode("utf-16-le"),
    "utf16be-bom": "\ufeff245    10$aTiếng Việt\r\n".encode("utf-16-be"),
    "utf16le-nobom": "245    10$aTiếng Việt\r\n100    1 $aNguyễn\r\n".encode("utf-16-le"),
    "utf16-odd": "\ufeff245    10$aA".encode("utf-16-le") + b"\x00",
    "utf16-lone-surrogate": b"\xff\xfe2\x004\x005\x00\x00\xd8a\x00",
    "bom-utf8": "\ufeff245    10$aSách\r\n".encode(),
    "lone-cr": b"245    10$aA\r100    1 $aB\r650    #7$aC",
    "lone-lf": b"245    10$aA\n100    1 $aB\n",
    "long-line": b"245    10$a" + b"x" * 200000,
    "many-fields": b"".join(b"650    #7$aTopic %d\r\n" % i for i in range(3000)),
    "many-dollars": b"245    10" + b"$" * 5000,
    "many-percent": b"245=00$a" + b"%" * 5000,
    "deep-tags": b"".join(b"%03d    10$a%d\r\n" % (i, i) for i in range(1, 1000)),
    "decomposed": "245    10$aTie\u0302\u0301ng Vie\u0323\u0302t\r\n".encode(),
    "nfd-mixed": "245    10$aNguye\u0302\u0303n Va\u0306n Tru\u031bo\u031b\u0300ng\r\n".encode(),
    "control": b"245    10$a\x01\x02\x1d\x1e\x1f\x7f\r\n",
    "c1": "245    10$a\u0085\u009f\u00a0\u2028\u2029\r\n".encode(),
    "noncharacter": "245    10$a\ufffe\uffff\U0010ffff\r\n".encode(),
    "emoji": "245    10$a😀 𝄞 Việt\r\n".encode(),
    "blank-lines": b"\r\n\r\n\r\n245    10$aA\r\n\r\n\r\n\r\n245    10$aB\r\n\r\n",
    "webcopy": "245    10$aSách A\n\n650    #7$aLịch sử\n\n650    #7$aĐịa lý\n\n700    1 $aTrần Văn B\n"
               .encode(),
    "tcvn3-bytes": b"Vi\xd6\xd5t Nam \xae\xb6ng",
    "vni-bytes": b"Vie\xe4t Nam \xd1\xf6\xf4\xf8ng",
    "viqr": b"Vie^.t Nam DDu+o+`ng",
    "only-leader": b"000    nam a22\r\n",
    "leader-lines": b"LDR    00000nam a2200000   4500\r\n001    VN1\r\n245    10$aT\r\n",
    "tabs": b"245\t10\t|aA\t|bB\r\n650\t#7\t|aX\t|xY.\r\n",
    "ilib-cols": b"245\t10\ta\tTitle\tb\tSub\r\n100\t1 \ta\tAuthor\r\n",
    "hue-form": b"24510  aTitle  bSub\r\n1001   aAuthor\r\n",
}


def gather_inputs():
    """(name, bytes, variants) for every input."""
    inputs = []
    examples = sorted((ROOT / "examples").glob("*.txt"))
    for path in examples:
        inputs.append(("examples/" + path.name, path.read_bytes(), every_variant()))
    for name, data in sorted(HOSTILE.items()):
        inputs.append(("hostile/" + name, data, every_variant()))
    corpus = ROOT / "fuzz" / "corpus"
    for harness in sorted(p for p in corpus.iterdir() if p.is_dir()):
        for path in sorted(harness.iterdir()):
            data = path.read_bytes()
            label = "corpus/%s/%s" % (harness.name, path.name)
            if harness.name == "fuzz_cli_input":
                variants = every_variant()
            elif harness.name == "fuzz_charset":
                variants = charset_variants(FEW_PAIRS) + [["detect"], ["pre-unicode"]]
            elif harness.name == "fuzz_marcedit":
                variants = [["marcedit"], ["marcedit", "--precompose"], ["pre-unicode"]]
            else:
                variants = some_variants() if harness.name != "fuzz_sources" else (
                    [v for s in SOURCES for v in few_source_variants(s)])
            inputs.append((label, data, variants))
    return inputs


def digest(data):
    return hashlib.sha256(data).hexdigest()[:32]


def run_one(program, work, label, data, args, how):
    """One invocation; `how` is "stdin", "file" or "file-o" (the input as a
    FILE, the output with -o into a file)."""
    env = {"PATH": os.environ.get("PATH", "/usr/bin:/bin"), "LC_ALL": "C",
           "SOURCE_DATE_EPOCH": "1700000000"}
    own_folder = how != "stdin" or label == "none"
    cwd = tempfile.mkdtemp(dir=work) if own_folder else work
    try:
        if label == "none":
            for name in EXAMPLE_FILES:  # named relative to the run's folder in messages
                shutil.copy(ROOT / "examples" / name, cwd)
        argv = [program] + args
        stdin = data
        if how != "stdin":
            with open(os.path.join(cwd, "in.txt"), "wb") as f:
                f.write(data)
            argv.append("in.txt")
            stdin = b""
        if how == "file-o":
            argv += ["-o", "out"]
        result = subprocess.run(argv, input=stdin, capture_output=True, cwd=cwd, env=env,
                                timeout=120)
        written = ""
        if how == "file-o":
            out = os.path.join(cwd, "out")
            written = digest(open(out, "rb").read()) if os.path.exists(out) else "none"
        return "%s | %s | %s\t%s\t%s\t%s\t%d" % (
            label, " ".join(args), how, digest(result.stdout), digest(result.stderr), written,
            result.returncode)
    finally:
        if own_folder:
            shutil.rmtree(cwd, ignore_errors=True)


def extra_invocations():
    """Invocations over several files, missing files and the options alone."""
    ex = list(EXAMPLE_FILES)
    calls = [["--help"], ["--version"], [], ["bogus"], ["lbol"], ["libol", "--bogus"],
             ["charset"], ["charset", "vni"], ["charset", "--list"], ["charset", "x", "y"],
             ["libol", "--jobs", "0"], ["libol", "--split-size", "8K"],
             ["libol", "--format", "bogus"], ["marcedit", "--batch"], ["detect", "--working"],
             ["libol", "/nonexistent"], ["detect", "/nonexistent", ex[0]],
             ["charset", "vni", "unicode", "/nonexistent", ex[1]]]
    for command in SOURCES + ["marcedit", "pre-unicode", "detect"]:
        calls.append([command] + ex)
        calls.append([command, "--batch"] + ex if command in SOURCES else [command] + ex[:1])
    for fmt in FORMATS:
        calls.append(["libol", "--batch", "--format", fmt] + ex)
    calls.append(["charset", "auto", "unicode"] + ex)
    return calls


def record(program, manifest):
    program = os.path.abspath(program)
    work = tempfile.mkdtemp(prefix="velmora-behaviour-")
    jobs = []
    for label, data, variants in gather_inputs():
        for args in variants:
            jobs.append((label, data, args, "stdin"))
        if label.startswith(("examples/", "hostile/")):
            for args in variants[:12]:
                jobs.append((label, data, args, "file-o"))
    lines = []
    with concurrent.futures.ThreadPoolExecutor(max_workers=(os.cpu_count() or 2) * 2) as pool:
        futures = [pool.submit(run_one, program, work, *job) for job in jobs]
        for args in extra_invocations():
            futures.append(pool.submit(run_one, program, work, "none", b"", args, "stdin"))
        for future in futures:
            lines.append(future.result())
    shutil.rmtree(work, ignore_errors=True)
    # File names in messages differ between runs only by the temporary folder:
    # every input is given as in.txt in a folder of its own.
    with open(manifest, "w", encoding="utf-8") as f:
        f.write("\n".join(lines) + "\n")
    print("%d invocations recorded in %s" % (len(lines), manifest))


def compare(before, after):
    def load(path):
        rows = {}
        for line in open(path, encoding="utf-8"):
            key, _, result = line.rstrip("\n").partition("\t")
            rows[key] = result
        return rows
    a, b = load(before), load(after)
    differ = [k for k in a if k in b and a[k] != b[k]]
    missing = [k for k in a if k not in b]
    for k in differ[:50]:
        print("differs: %s\n  before %s\n  after  %s" % (k, a[k], b[k]))
    for k in missing[:20]:
        print("missing: %s" % k)
    print("%d invocations compared, %d differ, %d missing" % (len(a), len(differ), len(missing)))
    return 1 if differ or missing else 0


def main():
    if len(sys.argv) == 4 and sys.argv[1] == "record":
        record(sys.argv[2], sys.argv[3])
        return 0
    if len(sys.argv) == 4 and sys.argv[1] == "compare":
        return compare(sys.argv[2], sys.argv[3])
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main())
