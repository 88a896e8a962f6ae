#!/usr/bin/env python3
"""Mutation check: how many small faults in src/ does the unit suite notice?

Finds every place in the portable sources where one of a few small faults can
be made (a flipped comparison, an off-by-one constant, swapped operands, a
dropped statement, a changed result), draws a fixed, seeded sample of them,
and for each one applies it, rebuilds the test program incrementally, runs it
until the first failure and puts the source back. A mutant is killed when the
suite fails or hangs, and stillborn when it does not compile (those are not
counted). The sample depends only on the seed and the sources, so two runs
on the same tree test the same mutants.

    python3 scripts/mutate.py                 # 48 mutants, seed 12
    python3 scripts/mutate.py --count 80 --seed 7 --list   # only show them
"""
import argparse
import os
import random
import re
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
# The platform layer is left out: half of it is not built on this machine.
SOURCE_ROOT, SKIPPED_DIR = "src", os.path.join("src", "platform")

# Each operator: name, pattern on one code line, replacement.
OPERATORS = [
    ("flip <", re.compile(r"(?<= )<(?= )"), "<="),
    ("flip <=", re.compile(r"<="), "<"),
    ("flip >", re.compile(r"(?<= )>(?= )"), ">="),
    ("flip >=", re.compile(r">="), ">"),
    ("flip ==", re.compile(r"=="), "!="),
    ("flip !=", re.compile(r"!="), "=="),
    ("and to or", re.compile(r"&&"), "||"),
    ("or to and", re.compile(r"\|\|"), "&&"),
    ("off by one", re.compile(r"(?<![\w.])([1-9][0-9]{0,3})(?![\w.'])"), None),
    ("result 0 to -1", re.compile(r"\breturn 0;"), "return -1;"),
    ("true to false", re.compile(r"\btrue\b"), "false"),
    ("drop statement", re.compile(r"^(\s*)([A-Za-z_][\w:.>-]*\(.*\);)\s*$"), None),
    ("swap operands", re.compile(r"\((\w+), (\w+)\)"), None),
]

# Lines that are not code a mutant should touch.
SKIP_LINE = re.compile(r"^\s*(#|//|\*|/\*)|static_assert|template\s*<|#include")


def strip_strings(line):
    """The line with string and character literals blanked, so operators inside
    texts are not taken for code."""
    return re.sub(r'"(\\.|[^"\\])*"|\'(\\.|[^\'\\])*\'', lambda m: " " * len(m.group(0)), line)


def sites_in(path):
    with open(os.path.join(ROOT, path), encoding="utf-8") as f:
        lines = f.read().split("\n")
    for number, line in enumerate(lines):
        if SKIP_LINE.search(line):
            continue
        code = strip_strings(line.split("//")[0])
        for op_index, (_, pattern, _) in enumerate(OPERATORS):
            for match in pattern.finditer(code):
                yield (path, number, op_index, match.start(), match.end())


def find_sites():
    sites = []
    for dirpath, _, files in sorted(os.walk(os.path.join(ROOT, SOURCE_ROOT))):
        if os.path.relpath(dirpath, ROOT).startswith(SKIPPED_DIR):
            continue
        for name in sorted(f for f in files if f.endswith(".cpp")):
            sites.extend(sites_in(os.path.relpath(os.path.join(dirpath, name), ROOT)))
    return sites


def draw(sites, count, seed):
    """A sample that takes the operators in turn, so the many numeric
    constants do not crowd out the rarer kinds of fault."""
    rng = random.Random(seed)
    by_operator = [[s for s in sites if s[2] == op] for op in range(len(OPERATORS))]
    for group in by_operator:
        rng.shuffle(group)
    sample = []
    while len(sample) < count and any(by_operator):
        for group in by_operator:
            if group and len(sample) < count:
                sample.append(group.pop())
    return sample


def mutate_line(line, site):
    _, _, op_index, start, end = site
    name, pattern, replacement = OPERATORS[op_index]
    if name == "off by one":
        replacement = str(int(line[start:end]) + 1)
    elif name == "drop statement":
        return line[: len(line) - len(line.lstrip())] + ";"
    elif name == "swap operands":
        first, second = pattern.match(line, start).groups()
        replacement = f"({second}, {first})"
    return line[:start] + replacement + line[end:]


def apply(site, restore=None):
    path, number = site[0], site[1]
    full = os.path.join(ROOT, path)
    with open(full, encoding="utf-8") as f:
        lines = f.read().split("\n")
    original = lines[number]
    lines[number] = restore if restore is not None else mutate_line(original, site)
    with open(full, "w", encoding="utf-8") as f:
        f.write("\n".join(lines))
    return original


def run(command, timeout):
    try:
        done = subprocess.run(command, cwd=ROOT, stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL, timeout=timeout)
        return done.returncode == 0
    except subprocess.TimeoutExpired:
        return False


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--count", type=int, default=48)
    parser.add_argument("--seed", type=int, default=12)
    parser.add_argument("--build-dir", default="build/mutation")
    parser.add_argument("--timeout", type=int, default=300, help="seconds for one suite run")
    parser.add_argument("--list", action="store_true", help="show the mutants, run nothing")
    args = parser.parse_args()

    sites = find_sites()
    sample = draw(sites, args.count, args.seed)
    if args.list:
        for site in sample:
            print(f"{site[0]}:{site[1] + 1} {OPERATORS[site[2]][0]}")
        return 0

    build = ["cmake", "--build", args.build_dir, "--target", "korven_tests", "-j2"]
    tests = [os.path.join(args.build_dir, "tests", "korven_tests"), "--gtest_fail_fast",
             "--gtest_brief=1"]
    if not os.path.isdir(args.build_dir):
        subprocess.run(["cmake", "-S", ".", "-B", args.build_dir, "-DCMAKE_BUILD_TYPE=Debug",
                        "-DKORVEN_BUILD_BENCHMARKS=OFF"], cwd=ROOT, check=True,
                       stdout=subprocess.DEVNULL)
    if not run(build, None) or not run(tests, args.timeout):
        print("the unmutated suite must build and pass first", file=sys.stderr)
        return 2

    killed, survived, stillborn = 0, [], 0
    started = time.time()
    for site in sample:
        label = f"{site[0]}:{site[1] + 1} {OPERATORS[site[2]][0]}"
        original = apply(site)
        try:
            if not run(build, None):
                stillborn += 1
                verdict = "stillborn"
            elif run(tests, args.timeout):
                survived.append(label)
                verdict = "SURVIVED"
            else:
                killed += 1
                verdict = "killed"
        finally:
            apply(site, restore=original)
        print(f"{verdict:9} {label}", flush=True)
    run(build, None)
    counted = killed + len(survived)
    print(f"\nmutants: {len(sample)} drawn (seed {args.seed}) of {len(sites)} sites, "
          f"{stillborn} stillborn, {killed} of {counted} killed, {len(survived)} survived "
          f"({time.time() - started:.0f} s)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
