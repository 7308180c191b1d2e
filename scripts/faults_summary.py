#!/usr/bin/env python3
"""The summary table of scripts/faults, from its workers' logs.

    faults_summary.py WORK_DIR SWEEP_SECONDS RANDOM_SECONDS CAP

Per function: the calls a session makes (count.log, the one session without
failures that counted them for every worker), the calls swept, and how the
sessions ended; the calls the cap left out; then the sessions against the
design, with what went wrong. Exits 1 when any session went against the
design (the sessions after a failure, worker 0's, too), when a worker
shared out other counts than those, or when a call below the cap (or the
last) was swept by no worker.
"""
import collections
import glob
import os
import re
import sys

SESSION = re.compile(r"^faults: \[\d+/\d+\] (\S+) #(\d+)(?: stale)?\s+(went on|error box|ended|not reached)\s+in\s+(\d+) ms"
                     r".*?(AGAINST THE DESIGN)?$")
# The sessions with a second failure behind the first, and the home page's
# launch without an error number: worker 0's, after its share.
AFTER = re.compile(r"^faults: (\S+ #\d+ (?:behind \S+ #\d+|stale))\s+(went on|error box|ended|not reached)\s+in\s+\d+ ms"
                   r".*?(AGAINST THE DESIGN)?$")
RANDOM = re.compile(r"^faults: random seed (\d+): (\d+) failures, first (.*?): (.*) in (\d+) ms(  AGAINST THE DESIGN)?$")
CALLS = re.compile(r"^faults: calls (\S+) (\d+)$")


def spans(calls):
    """'#3, #5-#9' for the sorted call numbers given."""
    out = []
    for n in calls:
        if out and out[-1][1] == n - 1:
            out[-1][1] = n
        else:
            out.append([n, n])
    return ", ".join(f"#{a}" if a == b else f"#{a}-#{b}" for a, b in out)


def main(work, swept_s, random_s, cap):
    calls = {}
    rows = collections.OrderedDict()
    swept = collections.defaultdict(set)
    wrong, missed, after = [], [], []
    total_ms = 0
    for line in open(os.path.join(work, "count.log"), encoding="utf-8", errors="replace").read().splitlines():
        if m := CALLS.match(line):
            calls[m[1]] = int(m[2])
            rows.setdefault(m[1], collections.Counter())
    for log in sorted(glob.glob(os.path.join(work, "sweep*.log"))):
        lines = open(log, encoding="utf-8", errors="replace").read().splitlines()
        for i, line in enumerate(lines):
            if (m := CALLS.match(line)) and calls.get(m[1]) != int(m[2]):
                missed.append(f"{os.path.basename(log)} shares out {m[2]} calls of {m[1]}, "
                              f"not the {calls.get(m[1])} counted")
            elif m := AFTER.match(line):
                after.append(f"{m[1]}: {m[2]}")
                if m[3]:
                    why = [l for l in lines[i + 1:i + 30] if l.startswith(m[1] + ":")]
                    wrong.append("; ".join(why[:4]) or m[1])
            elif m := SESSION.match(line):
                row = rows.setdefault(m[1], collections.Counter())
                swept[m[1]].add(int(m[2]))
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
    only = os.environ.get("KR2_FAULT_ONLY", "").split(",")
    left_out = []
    for name, count in calls.items():
        if only[0] and name != only[0]:
            continue
        due = [n for n in range(1, count + 1) if (n <= cap or n == count) and (len(only) < 2 or n == int(only[1]))]
        if count > cap + 1:
            left_out.append(f"{name} {spans(range(cap + 1, count))}")
        if missing := sorted(set(due) - swept[name]):
            missed.append(f"{name} {spans(missing)}: swept by no worker")
    print(f"the cap ({cap} calls a function, and the last) left out: " + ("; ".join(left_out) or "nothing"))
    print(f"after a failure: {len(after)} sessions: " + "; ".join(after))
    print(f"random: {randoms['sessions']} sessions, {randoms['failures']} failures put in, "
          f"{randoms['went on']} went on, {randoms['error box']} ended in the box, {randoms['ended']} ended otherwise, "
          f"in {random_s} s; {randoms['against']} against the design")
    for w in wrong:
        print("AGAINST THE DESIGN:", w)
    for m in missed:
        print("NOT SWEPT AS COUNTED:", m)
    return 1 if wrong or missed or sessions == 0 else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4])))
