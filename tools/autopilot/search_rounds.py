#!/usr/bin/env python3
"""Rates candidate tournament track plans with the autopilot in small batches.

    search_rounds.py BUILD_DIR [--races N] [--race-seed R] [--jobs P] [--seeds S,S,...] PLAN...

A PLAN is LENGTH,CURVES,HILLS (every seed given is tried) or LENGTH,CURVES,HILLS,SEED. The
layout does not depend on the scenario, so plans are raced as type 1. For each plan it prints
the share qualified of the good model at Easy, Normal and Hard, of the newcomer at Easy, and
the share the expert won at Expert, sorted from the easiest to the hardest by the good
model's Hard share. Races are seeded from R (default 2000), apart from the seeds of the
confirming table, so that a plan is not picked for the very races that then judge it.
"""
import argparse
import re
import subprocess
import sys

def run(build, plans, model, difficulties, races, race_seed, jobs):
    cmd = [f"{build}/autopilot", "--run", f"{build}/run", "--races", str(races), "--seed", str(race_seed),
           "--jobs", str(jobs),
           "--log", "-", "--models", model, "--difficulties", difficulties]
    for p in plans:
        cmd += ["--plan", "1," + p]
    out = subprocess.run(cmd, check=True, capture_output=True, text=True).stdout
    rows = {}
    for line in out.splitlines():
        m = re.match(r"1,(\S+)\s+" + model + r"\s+(.*)$", line)
        if m:
            cells = re.findall(r"(\d+)\s+[\d.]+(?:\s+w(\d+))?", m.group(2))
            rows[m.group(1)] = [(int(q), int(w or 0)) for q, w in cells]
    return rows


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("build")
    ap.add_argument("plans", nargs="+")
    ap.add_argument("--races", type=int, default=5)
    ap.add_argument("--race-seed", type=int, default=2000)
    ap.add_argument("--jobs", type=int, default=1)
    ap.add_argument("--seeds", default="5")
    a = ap.parse_args()
    plans = []
    for p in a.plans:
        plans += [p] if p.count(",") == 3 else [f"{p},{s}" for s in a.seeds.split(",")]
    good = run(a.build, plans, "good", "0,1,2", a.races, a.race_seed, a.jobs)
    newcomer = run(a.build, plans, "newcomer", "0", a.races, a.race_seed, a.jobs)
    expert = run(a.build, plans, "expert", "3", a.races, a.race_seed, a.jobs)
    table = []
    for p in plans:
        g = [q for q, _ in good[p]]
        table.append((p, g, newcomer[p][0][0], expert[p][0][1]))
    table.sort(key=lambda row: (-row[1][2], -row[1][1], -row[2]))
    print(f"{'plan':22} good E  N  H   newcomer E   expert wins X   ({a.races} races)")
    for p, g, n, w in table:
        print(f"{p:22} {g[0]:4d} {g[1]:3d} {g[2]:3d} {n:8d} {w:12d}")
    sys.stdout.flush()


if __name__ == "__main__":
    main()
