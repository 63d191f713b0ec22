#!/usr/bin/env python3
"""Applies the mutants of mutants.txt one at a time and runs the tests.

For each mutant: the source file is changed in place, the database reader
program is rebuilt, then the test programs one at a time (those of the
file's own folder first); each one the change reaches is run (every one when
the reader changed) until one fails, and the file is put back. A mutant is
"caught" when a test program fails or runs past its time.

    tools/mutants/run-mutants.py [--build build/default] [--out results.tsv]
                                 [--check] [id ...]

Run it from a clean checkout with a configured build; it is CPU heavy, so
it runs niced. Compiler caching (ccache) makes restoring the file cheap.
Stopped half-way, it puts the file back, but a compiler it started may still
write an object of the changed file afterwards: touch the files named in
mutants.txt before building again.
"""

import argparse
import os
import re
import signal
import subprocess
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
READER = "qmdata-reader"
TIMEOUT = 180


def parse(path):
    mutants, current = [], None
    for number, line in enumerate(path.read_text().splitlines(), 1):
        if not line.strip() or line.startswith("#"):
            continue
        header = re.match(r"\[([\w-]+)\]\s*(.*)", line)
        if header:
            current = {"id": header[1], "what": header[2], "at": None}
            mutants.append(current)
        elif line.startswith("file "):
            current["file"] = line[5:].strip()
        elif line.startswith("at "):
            current["at"] = int(line[3:])
        elif line.startswith("- "):
            current["old"] = line[2:]
        elif line.startswith("+"):
            current["new"] = line[2:]
        else:
            sys.exit(f"{path}:{number}: cannot read '{line}'")
    return mutants


def mutated(text, mutant):
    old, count = mutant["old"], text.count(mutant["old"])
    at = mutant["at"]
    if at is None:
        if count != 1:
            raise ValueError(f"text found {count} times, expected once")
        at = 1
    if at > count:
        raise ValueError(f"text found {count} times, occurrence {at} asked")
    start = -1
    for _ in range(at):
        start = text.index(old, start + 1)
    return text[:start] + mutant["new"] + text[start + len(old):]


def test_targets(build):
    out = subprocess.run(["cmake", "--build", str(build), "--target", "help"],
                         capture_output=True, text=True, check=True).stdout
    return sorted(set(re.findall(r"^\.\.\. (tests_\w+)", out, re.M)))


def build(build_dir, targets, log):
    result = subprocess.run(
        ["nice", "-n", "10", "cmake", "--build", str(build_dir), "-j2", "--target", *targets],
        stdout=log, stderr=subprocess.STDOUT)
    return result.returncode == 0


def run_tests(programs, log):
    """The first program that fails, or None."""
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    for program in programs:
        log.write(f"--- {program.name}\n")
        log.flush()
        try:
            result = subprocess.run(["nice", "-n", "10", str(program), "--gtest_brief=1"],
                                    stdout=log, stderr=subprocess.STDOUT, env=env,
                                    timeout=TIMEOUT, cwd=program.parent)
        except subprocess.TimeoutExpired:
            return f"{program.name} (time out)"
        if result.returncode != 0:
            return program.name
    return None


def build_and_run_in_turn(build_dir, bin_dir, programs, source, before, log, own_folder_only):
    """Builds and runs the test programs one at a time, those of the changed
    file's folder first, until one fails; those the change does not reach
    are not relinked and not run (all are run when the reader changed).
    With own_folder_only, only the programs of the file's folder are tried."""
    reader_changed = (bin_dir / READER).stat().st_mtime != before.get(bin_dir / READER)
    folder = Path(source).parts[1]
    first = [p for p in programs if p.name.startswith("tests_" + folder)]
    rest = [] if own_folder_only and first else [p for p in programs if p not in first]
    for program in first + rest:
        if not build(build_dir, [program.name], log):
            return "no build", ""
        if reader_changed or program.stat().st_mtime != before.get(program):
            failed = run_tests([program], log)
            if failed:
                return "caught", failed
    return "missed", ""


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", default="build/default")
    parser.add_argument("--mutants", default=str(Path(__file__).with_name("mutants.txt")))
    parser.add_argument("--out", default="mutant-results.tsv")
    parser.add_argument("--check", action="store_true", help="only check that every text is found")
    parser.add_argument("--own-folder-only", action="store_true",
                        help="run only the tests of the changed file's folder (tests/common for "
                        "src/common, ...), as a reviewer would; much faster")
    parser.add_argument("ids", nargs="*")
    args = parser.parse_args()

    os.environ.setdefault("CCACHE_BASEDIR", str(ROOT.parent))
    os.environ.setdefault("CCACHE_NOHASHDIR", "1")
    mutants = [m for m in parse(Path(args.mutants)) if not args.ids or m["id"] in args.ids]
    problems = 0
    for mutant in mutants:
        try:
            mutated((ROOT / mutant["file"]).read_text(), mutant)
        except (ValueError, OSError) as error:
            print(f"{mutant['id']}: {mutant['file']}: {error}")
            problems += 1
    if args.check or problems:
        sys.exit(1 if problems else 0)

    build_dir = (ROOT / args.build).resolve()
    bin_dir = build_dir / "bin"
    targets = test_targets(build_dir) + [READER]
    log = open(Path(args.out).with_suffix(".log"), "w")
    if not build(build_dir, targets, log):
        sys.exit("the unchanged sources do not build")
    programs = sorted(bin_dir / t for t in targets if t != READER)
    if run_tests(programs, log):
        sys.exit("the unchanged sources fail their tests; see the log")

    # Ctrl-C still puts the file back.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    results = []
    for mutant in mutants:
        path = ROOT / mutant["file"]
        original = path.read_text()
        before = {p: p.stat().st_mtime for p in bin_dir.iterdir() if p.is_file()}
        started = time.time()
        try:
            path.write_text(mutated(original, mutant))
            log.write(f"=== {mutant['id']}\n")
            log.flush()
            # The reader program is built from the database and common code only.
            reader = mutant["file"].startswith(("src/common/", "src/orderdb/"))
            if reader and not build(build_dir, [READER], log):
                verdict, by = "no build", ""
            else:
                verdict, by = build_and_run_in_turn(build_dir, bin_dir, programs,
                                                    mutant["file"], before, log,
                                                    args.own_folder_only)
        finally:
            path.write_text(original)
        results.append((mutant["id"], verdict, by or "", mutant["what"]))
        print(f"{mutant['id']:32} {verdict:8} {by or '':24} {time.time() - started:5.0f}s",
              flush=True)
    build(build_dir, targets, log)

    with open(args.out, "w") as out:
        out.write("mutant\tverdict\tcaught by\tfault\n")
        for row in results:
            out.write("\t".join(row) + "\n")
    caught = sum(1 for r in results if r[1] == "caught")
    print(f"{caught} of {len(results)} caught")


if __name__ == "__main__":
    main()
