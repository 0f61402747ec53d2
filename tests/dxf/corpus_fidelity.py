#!/usr/bin/python3
"""Runs the fidelity measure over the real-drawing corpus and fails on any shortfall
that tests/dxf/corpus_expected.json does not name.

    corpus_fidelity.py TOOL CORPUS_DIR

TOOL is a vorabs-translate built without sanitizers (the measure runs it under a 4 GB
address-space limit, which AddressSanitizer's shadow memory cannot live with); CORPUS_DIR
holds files/, broken/ and ../tools/dxf_fidelity.py beside it. Exits 77 (skipped) when the
tool, the corpus, the measure or ezdxf is missing, saying which.

Every corpus file must read, count, compare its texts, write, audit and read back
cleanly. Geometry must reach the measure's 99.5% both ways, except for a file named in
the expected list: its figures may not fall below the ones listed there, and the list
says why it is short (kinds that stay untranslated). Every broken file must be refused
with a message on standard error, and nothing may crash.
"""
import json
import os
import subprocess
import sys
import tempfile

SKIP = 77
SLACK = 0.002  # the measure samples points; allow for its rounding


def skip(why):
    print(f"skipped: {why}")
    sys.exit(SKIP)


def measure(fidelity, tool, extra):
    with tempfile.TemporaryDirectory() as work:
        out = os.path.join(work, "fidelity.json")
        run = subprocess.run(["/usr/bin/python3", fidelity, "--tool", tool, "--json", out] + extra,
                             capture_output=True, text=True)
        print(run.stdout[-4000:], end="")
        if run.returncode != 0 or not os.path.exists(out):
            print(run.stderr[-4000:], file=sys.stderr)
            sys.exit(1)
        with open(out, encoding="utf-8") as f:
            return json.load(f)["files"]


def shortfalls(record, expected):
    name = record["name"]
    faults = []
    for figure in ("read_ok", "counts_ok", "texts_ok", "write_ok", "reread_ok"):
        if not record.get(figure):
            faults.append(figure)
    if record.get("crash") or record.get("write_crash") or record.get("reread_crash"):
        faults.append("crash")
    if record.get("geometry_ok") is False:
        floor = expected.get(name)
        g = record["geometry"]
        if floor is None:
            faults.append(f"geometry o->c {g.get('o2c', 0):.4f} c->o {g.get('c2o', 0):.4f}")
        elif g.get("o2c", 0) < floor["o2c"] - SLACK or g.get("c2o", 0) < floor["c2o"] - SLACK:
            faults.append(f"geometry o->c {g.get('o2c', 0):.4f} c->o {g.get('c2o', 0):.4f} "
                          f"below the expected {floor['o2c']:.4f} / {floor['c2o']:.4f}")
    return faults


def main(argv):
    if len(argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    tool, corpus = argv
    fidelity = os.path.join(corpus, "..", "tools", "dxf_fidelity.py")
    if not os.access(tool, os.X_OK):
        skip(f"no unsanitized tool at {tool} (build the release preset's vorabs-translate)")
    if not os.path.isdir(os.path.join(corpus, "files")) or not os.path.exists(fidelity):
        skip(f"no corpus or fidelity measure at {corpus}")
    probe = subprocess.run(["/usr/bin/python3", "-c", "import ezdxf, numpy, scipy"], capture_output=True)
    if probe.returncode != 0:
        skip("python3-ezdxf, python3-numpy or python3-scipy is not installed")
    here = os.path.dirname(os.path.abspath(__file__))
    with open(os.path.join(here, "corpus_expected.json"), encoding="utf-8") as f:
        expected = json.load(f)["geometry_below_pass"]

    failures = []
    for record in measure(fidelity, tool, [os.path.join(corpus, "files")]):
        faults = shortfalls(record, expected)
        if faults:
            failures.append(f"{record['name']}: {', '.join(faults)}")
    for record in measure(fidelity, tool, ["--broken", os.path.join(corpus, "broken")]):
        if not record.get("refused") or record.get("crash"):
            failures.append(f"{record['name']}: not refused with a message on standard error")
    for line in failures:
        print("FAIL", line)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
