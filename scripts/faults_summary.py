#!/usr/bin/env python3
"""The summary table of scripts/faults, from its workers' logs.

    faults_summary.py WORK_DIR SWEEP_SECONDS RANDOM_SECONDS

Per function: the calls a session makes, the calls swept, and how the
sessions ended; then the sessions against the design, with what went wrong.
Exits 1 when any session went against the design.
"""
import collections
import glob
import os
import re
import sys

SESSION = re.compile(r"^faults: \[\d+/\d+\] (\S+) #(\d+)(?: stale)?\s+(went on|error box|ended|not reached)\s+in\s+(\d+) ms"
                     r".*?(AGAINST THE DESIGN)?$")
RANDOM = re.compile(r"^faults: random seed (\d+): (\d+) failures, first (.*?): (.*) in (\d+) ms(  AGAINST THE DESIGN)?$")
CALLS = re.compile(r"^faults: calls (\S+) (\d+)$")


def main(work, swept_s, random_s):
    calls = {}
    rows = collections.OrderedDict()
    wrong = []
    total_ms = 0
    for log in sorted(glob.glob(os.path.join(work, "sweep*.log"))):
        lines = open(log, encoding="utf-8", errors="replace").read().splitlines()
        for i, line in enumerate(lines):
            if m := CALLS.match(line):
                calls[m[1]] = max(calls.get(m[1], 0), int(m[2]))
                rows.setdefault(m[1], collections.Counter())
            elif m := SESSION.match(line):
                row = rows.setdefault(m[1], collections.Counter())
                row["sessions"] += 1
                row[m[3]] += 1
                total_ms += int(m[4])
                if m[5]:
                    row["against"] += 1
                    why = [l for l in lines[i + 1:i + 30] if l and not l.startswith(("faults:", "[", "Failed", "./"))]
                    wrong.append(f"{m[1]} #{m[2]}: " + "; ".join(why[:4]))
    randoms = collections.Counter()
    for log in sorted(glob.glob(os.path.join(work, "random*.log"))):
        lines = open(log, encoding="utf-8", errors="replace").read().splitlines()
        for i, line in enumerate(lines):
            if m := RANDOM.match(line):
                randoms["sessions"] += 1
                randoms["failures"] += int(m[2])
                randoms[m[4]] += 1
                if m[6]:
                    randoms["against"] += 1
                    why = [l for l in lines[i + 1:i + 30] if l.startswith("seed ")]
                    wrong.append(f"random seed {m[1]}, first {m[3]}: " + "; ".join(why[:4]))

    print("\n== summary")
    print(f"{'function':34} {'calls':>6} {'swept':>6} {'went on':>8} {'box':>5} {'ended':>6} {'unmet':>6} {'against':>8}")
    for name, row in rows.items():
        print(f"{name:34} {calls.get(name, 0):6} {row['sessions']:6} {row['went on']:8} {row['error box']:5} "
              f"{row['ended']:6} {row['not reached']:6} {row['against']:8}")
    sessions = sum(r["sessions"] for r in rows.values())
    against = sum(r["against"] for r in rows.values())
    print(f"sweep: {sessions} sessions (function, N) in {swept_s} s on the clock ({total_ms / 1000:.0f} s of sessions),"
          f" {against} against the design")
    print(f"random: {randoms['sessions']} sessions, {randoms['failures']} failures put in, "
          f"{randoms['went on']} went on, {randoms['error box']} ended in the box, {randoms['ended']} ended otherwise, "
          f"in {random_s} s; {randoms['against']} against the design")
    for w in wrong:
        print("AGAINST THE DESIGN:", w)
    return 1 if wrong or sessions == 0 else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2], sys.argv[3]))
