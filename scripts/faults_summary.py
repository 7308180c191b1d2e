#!/usr/bin/env python3
"""The summary table of scripts/faults, from its workers' GoogleTest reports
(--gtest_output=json:PATH; gtest_json.py reads them).

    faults_summary.py WORK_DIR SWEEP_SECONDS RANDOM_SECONDS CAP
    faults_summary.py calls COUNT_REPORT

Per function: the calls a session makes (count.json, the one session without
failures that counted them for every worker), the calls swept, and how the
sessions ended; the calls the cap left out; then the sessions against the
design, with what went wrong. Exits 1 when any session went against the
design (the sessions after a failure, worker 0's, too), when a test failed
outside any session, when a worker wrote no report or shared out other
counts than those, or when a call below the cap (or the last) was swept by
no worker.

The second form prints the counts of COUNT_REPORT as KR2_FAULT_CALLS takes
them: "malloc=161,calloc=4,...".

What the tests record (HardeningFaults, tests/e2e/hardening/faults_test.cpp),
each a property of the test that ran it:
  "calls FUNCTION": "N"                      the calls a session makes
  "sweep FUNCTION #N[ stale]": "ENDED in MS ms"   a session of the worker's share
  "session NAME": "ENDED in MS ms"           the others (after a failure)
  "random seed S": "ENDED in MS ms, F failures, first FUNCTION #N"
ENDED is "went on", "error box", "ended" or "not reached". A session went
against the design when its test failed with a message that starts with
"NAME: " (a random one: "seed S ").
"""
import collections
import glob
import os
import re
import sys

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import gtest_json  # noqa: E402

ENDED = r"(went on|error box|ended|not reached) in (\d+) ms"
SWEEP = re.compile(r"^sweep (\S+) #(\d+)(?: stale)?$")
SESSION = re.compile(r"^session (\S+ #\d+ (?:behind \S+ #\d+|stale))$")
RANDOM = re.compile(r"^random seed (\d+)$")
RANDOM_VALUE = re.compile(r"^" + ENDED + r", (\d+) failures, first (.*)$")
CALLS = re.compile(r"^calls (\S+)$")


def spans(calls):
    """'#3, #5-#9' for the sorted call numbers given."""
    out = []
    for n in calls:
        if out and out[-1][1] == n - 1:
            out[-1][1] = n
        else:
            out.append([n, n])
    return ", ".join(f"#{a}" if a == b else f"#{a}-#{b}" for a, b in out)


def counted_calls(report):
    """The calls of each function, in the order the report lists them."""
    return {m[1]: int(value) for test in gtest_json.load(report) for key, value in test.properties.items()
            if (m := CALLS.match(key))}


def reports(work, phase, problems):
    """(name, tests) of each worker's report of `phase`: one per log the
    phase left; a worker whose program wrote none is a problem, with the
    last lines of its log."""
    out = []
    for log in sorted(glob.glob(os.path.join(work, f"{phase}*.log"))):
        path = log[:-len(".log")] + ".json"
        try:
            out.append((os.path.basename(path), gtest_json.load(path)))
        except (OSError, ValueError) as e:
            tail = open(log, encoding="utf-8", errors="replace").read().splitlines()[-3:]
            problems.append(f"{os.path.basename(path)}: no report ({e}); the end of its log: " + "; ".join(tail))
    return out


def reasons(test, prefix, explained):
    """The lines of the failures of `test` that start with `prefix` (a
    session's name and ": "): what went against the design in that session.
    Those failures are added to `explained`."""
    mine = [f for f in test.failures if any(line.startswith(prefix) for line in f[1].splitlines())]
    explained.update(mine)
    return [line for _, text in mine for line in text.splitlines() if line.startswith(prefix)]


def unexplained(name, test, explained):
    """The failures of `test` that belong to no session, as lines."""
    return [f"{name} {test.full_name}: {where}: " + "; ".join(line.strip() for line in text.splitlines()[:4])
            for where, text in test.failures if (where, text) not in explained]


def main(work, swept_s, random_s, cap):
    rows = collections.OrderedDict()
    swept = collections.defaultdict(set)
    wrong, missed, after, failed = [], [], [], []
    total_ms = 0
    try:
        calls = counted_calls(os.path.join(work, "count.json"))
    except (OSError, ValueError) as e:
        calls = {}
        missed.append(f"count.json: no report ({e})")
    for name in calls:
        rows.setdefault(name, collections.Counter())
    for name, tests in reports(work, "sweep", missed):
        for test in tests:
            explained = set()
            for key, value in test.properties.items():
                if m := CALLS.match(key):
                    if calls.get(m[1]) != int(value):
                        missed.append(f"{name} shares out {value} calls of {m[1]}, not the {calls.get(m[1])} counted")
                elif m := SESSION.match(key):
                    ended = re.fullmatch(ENDED, value)
                    after.append(f"{m[1]}: {ended[1] if ended else value}")
                    if why := reasons(test, m[1] + ":", explained):
                        wrong.append("; ".join(why[:4]))
                elif m := SWEEP.match(key):
                    ended = re.fullmatch(ENDED, value)
                    if not ended:
                        missed.append(f"{name}: {key}: {value!r} is no session's end")
                        continue
                    session = key[len("sweep "):]
                    row = rows.setdefault(m[1], collections.Counter())
                    swept[m[1]].add(int(m[2]))
                    row["sessions"] += 1
                    row[ended[1]] += 1
                    total_ms += int(ended[2])
                    if why := reasons(test, session + ":", explained):
                        row["against"] += 1
                        wrong.append(f"{m[1]} #{m[2]}: " + "; ".join(why[:4]))
            failed += unexplained(name, test, explained)

    randoms = collections.Counter()
    for name, tests in reports(work, "random", missed):
        for test in tests:
            explained = set()
            for key, value in test.properties.items():
                if not (m := RANDOM.match(key)):
                    continue
                if not (v := RANDOM_VALUE.match(value)):
                    missed.append(f"{name}: {key}: {value!r} is no session's end")
                    continue
                randoms["sessions"] += 1
                randoms["failures"] += int(v[3])
                randoms[v[1]] += 1
                if why := reasons(test, f"seed {m[1]} ", explained):
                    randoms["against"] += 1
                    wrong.append(f"random seed {m[1]}, first {v[4]}: " + "; ".join(why[:4]))
            failed += unexplained(name, test, explained)

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
    for f in failed:
        print("FAILED OUTSIDE A SESSION:", f)
    for m in missed:
        print("NOT SWEPT AS COUNTED:", m)
    return 1 if wrong or failed or missed or sessions == 0 else 0


if __name__ == "__main__":
    if len(sys.argv) == 3 and sys.argv[1] == "calls":
        try:
            counted = counted_calls(sys.argv[2])
        except (OSError, ValueError) as e:
            sys.exit(f"faults_summary.py: no report of the calls ({e})")
        if not counted:
            sys.exit(f"faults_summary.py: {sys.argv[2]} holds no calls")
        print(",".join(f"{name}={n}" for name, n in counted.items()))
        sys.exit(0)
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    sys.exit(main(sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4])))
