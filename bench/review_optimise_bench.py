#!/usr/bin/env python3
"""The review optimiser, whole process: `tavlen-cli review GRADE --optimise` on the demo
school's 初三 (5 days) and 高三 (7 days), and on 20 generated 6 x 20 schools
(../shared/bench/school_gen.py) given a review plan of 3..10 days for one grade each. Prints,
per case, the clashes left, the optimiser's own seconds (as the command reports them, last
run) and the median wall time of the whole process; run by hand:

    python3 bench/review_optimise_bench.py [--cli build/src/cli/tavlen-cli] [--runs 5]

A generated review plan takes the grade's courses in order and gives them double periods,
then period-7 singles, round by round, up to 5 periods a day (at least 15), within what the
days hold for a class (3 doubles and one single a day) and for each teacher over the grade."""
import argparse, os, re, sqlite3, statistics, subprocess, sys, tempfile, time

GRADES = ["初一", "初二", "初三", "高一", "高二", "高三"]


def review_plan(db, grade, days):
    con = sqlite3.connect(db)
    courses = [r[0] for r in con.execute(
        'SELECT "学科" FROM gradecourse WHERE "年段"=? AND "天数"=0 ORDER BY rowid', (grade,))]
    rows = con.execute('SELECT "班级","学科","教师" FROM classcourse').fetchall()
    rows = [r for r in rows if r[0].startswith(grade)]
    classes = sorted({r[0] for r in rows})
    teacher = {(r[0], r[1]): r[2] for r in rows}
    periods = {c: 0 for c in courses}

    def fits(course, doubles, singles):
        per_class_d = sum(p // 2 for p in periods.values()) + doubles
        per_class_s = sum(p % 2 for p in periods.values()) + singles
        if per_class_d > 3 * days or per_class_s > days:
            return False
        trial = dict(periods)
        trial[course] += 2 * doubles + singles
        load = {}
        for cls in classes:
            for c, p in trial.items():
                t = teacher.get((cls, c))
                if t and p:
                    d, s = load.get(t, (0, 0))
                    load[t] = (d + p // 2, s + p % 2)
        return all(d <= 3 * days and s <= days for d, s in load.values())

    target = max(15, 5 * days)
    for kind in ("double", "single"):
        grown = True
        while grown and sum(periods.values()) < target:
            grown = False
            for c in courses:
                if sum(periods.values()) >= target:
                    break
                if kind == "double" and sum(periods.values()) + 2 <= target and fits(c, 1, 0):
                    periods[c] += 2
                    grown = True
                elif kind == "single" and periods[c] % 2 == 0 and fits(c, 0, 1):
                    periods[c] += 1
                    grown = True
    for c, p in periods.items():
        if p:
            con.execute('INSERT INTO gradecourse("年段","学科","周课时","天数") VALUES (?,?,?,?)',
                        (grade, c, p, days))
    con.commit()
    return sum(periods.values())


def timed(cli, cwd, grade, runs):
    seconds, out, code = [], "", 0
    for _ in range(runs):
        start = time.perf_counter()
        p = subprocess.run([cli, "review", grade, "--optimise"], cwd=cwd, capture_output=True,
                           text=True)
        seconds.append(time.perf_counter() - start)
        out, code = p.stdout, p.returncode
    block = out[out.find(grade + " 剩余问题："):]
    clashes = len(re.findall(r"教师碰课", block))
    left = "无" if "\n  无\n" in block[:40] else "有"
    search = re.search(r"用时 ([0-9.]+) 秒", block)
    return clashes, left, code, float(search.group(1)) if search else 0.0, statistics.median(seconds)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--cli", default="build/src/cli/tavlen-cli")
    ap.add_argument("--runs", type=int, default=5)
    ap.add_argument("--gen", default=os.path.join(os.path.dirname(__file__), "..", "..",
                                                  "shared", "bench", "school_gen.py"))
    a = ap.parse_args()
    cli = os.path.abspath(a.cli)
    rows = []
    with tempfile.TemporaryDirectory() as tmp:
        demo = os.path.join(tmp, "demo")
        subprocess.run([cli, "init", demo, "--demo"], check=True, capture_output=True)
        for grade, days in (("初三", 5), ("高三", 7)):
            rows.append(("demo " + grade, days, "-") + timed(cli, demo, grade, a.runs))
        for seed in range(1, 21):
            grade, days = GRADES[(seed - 1) % 6], 3 + (seed - 1) % 8
            school = os.path.join(tmp, "g%d" % seed)
            subprocess.run([cli, "init", school], check=True, capture_output=True)
            db = os.path.join(school, "tavlen", "tavlen.mdb")
            subprocess.run([sys.executable, a.gen, db, "--grades", "6", "--classes", "20",
                            "--seed", str(seed)], check=True, capture_output=True)
            total = review_plan(db, grade, days)
            rows.append(("seed %d %s" % (seed, grade), days, total) +
                        timed(cli, school, grade, a.runs))
    print("%-14s %4s %7s %7s %6s %5s %10s %9s" % ("case", "days", "periods", "clashes", "left",
                                                  "exit", "optimiser", "median s"))
    for name, days, total, clashes, left, code, own, median in rows:
        print("%-14s %4d %7s %7d %6s %5d %10.2f %9.3f" % (name, days, total, clashes, left, code,
                                                        own, median))
    worst = max(r[-1] for r in rows)
    print("clashes in all: %d; slowest median: %.3f s" % (sum(r[3] for r in rows), worst))


if __name__ == "__main__":
    main()
