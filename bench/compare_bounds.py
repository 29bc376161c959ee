#!/usr/bin/env python3
"""The side-by-side benchmark with tavlen's periods 1-2 lower bound beside the misses: runs the
shared compare.py (tavlen against fet-cl on generated schools) with the arguments given, and
adds to each row of its table the lower bound tavlen printed ("第一二节非主课 N 处（下界 M）",
read from compare.py's per-run log). Run by hand, as `make bench` does:

    python3 bench/compare_bounds.py ../shared/bench/compare.py --cli build/src/cli/tavlen-cli \\
        --shape 1x8 --seeds 1 2 --gen-args="--main-heavy --main-classes 4 --max-load 24 --full"

Every argument after the path of compare.py is passed to it unchanged."""
import os, re, subprocess, sys, tempfile

BOUND = re.compile(r"第一二节非主课 (\d+) 处（下界 (\d+)）")


def bounds(log, school):
    """The lower bounds of the school's tavlen runs, in run order."""
    found = []
    with open(log, encoding="utf-8") as f:
        for line in f:
            if line.startswith(school + " tavlen run "):
                m = BOUND.search(line)
                found.append(m.group(2) if m else "?")
    return found


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    compare, args = sys.argv[1], sys.argv[2:]
    with tempfile.TemporaryDirectory(prefix="tavlen-bench-") as tmp:
        log = os.path.join(tmp, "runs.log")
        with subprocess.Popen([sys.executable, compare] + args + ["--log", log],
                              stdout=subprocess.PIPE, text=True) as p:
            for line in p.stdout:
                cells = line.rstrip("\n").split("|")
                if line.startswith("| school |"):
                    cells.insert(7, " P1-2 lower bound (tavlen) ")
                elif line.startswith("|---"):
                    cells.insert(7, "---")
                elif line.startswith("| s") and len(cells) > 7:
                    cells.insert(7, " " + ",".join(bounds(log, cells[1].strip())) + " ")
                print("|".join(cells), flush=True)
        sys.exit(p.returncode)


if __name__ == "__main__":
    main()
