#!/usr/bin/env python3
"""The report a GoogleTest program writes with --gtest_output=json:PATH (or
GTEST_OUTPUT=json:PATH in its environment), as scripts/soak and
scripts/faults_summary.py read it. Under Wine, PATH is a Windows path:
Z:/tmp/x.json for /tmp/x.json.

    gtest_json.py summary REPORT

prints the lines of GoogleTest's own output that say how the tests ended:
"[  PASSED  ] 1 test." and, when tests failed, "[  FAILED  ] ..." for each
as it ended, how many, and which. Exits 1 when a test failed, 2 when there
is no report (the program ended before it wrote one: it writes it only
once every test has run).
"""
import json
import sys

# The keys GoogleTest itself gives a test in the report (googletest 1.12,
# JsonUnitTestResultPrinter); every other key is a property the test
# recorded with RecordProperty(key, value), its value a string.
TEST_KEYS = {"name", "file", "line", "status", "result", "timestamp", "time", "classname",
             "value_param", "type_param", "failures"}


class Test:
    """One test of the report: `properties` in the order they were recorded,
    `failures` as (location, text): "faults_test.cpp:66" and the message."""

    def __init__(self, suite, entry):
        self.suite = suite
        self.name = entry["name"]
        self.ran = entry.get("status") == "RUN"
        self.skipped = entry.get("result") == "SKIPPED"
        # "5.053s": milliseconds to the last digit below 1000 s, ten of them
        # from there on (GoogleTest writes six significant digits).
        self.ms = round(float(entry.get("time", "0s").rstrip("s")) * 1000)
        self.properties = {k: v for k, v in entry.items() if k not in TEST_KEYS}
        self.failures = [tuple(f["failure"].split("\n", 1)) if "\n" in f["failure"] else ("", f["failure"])
                         for f in entry.get("failures", [])]

    @property
    def full_name(self):
        return f"{self.suite}.{self.name}"


def load(path):
    """The tests of the report at `path`, in the order they are listed
    (GoogleTest's own failures outside any test under "NonTestSuiteFailure").
    Raises OSError when there is none, ValueError when it is not one."""
    with open(path, encoding="utf-8", errors="replace") as f:
        report = json.load(f)
    if not isinstance(report, dict) or "testsuites" not in report:
        raise ValueError(f"{path}: not a GoogleTest JSON report")
    return [Test(suite["name"], entry) for suite in report["testsuites"] for entry in suite.get("testsuite", [])]


def count(n):
    return f"{n} test" if n == 1 else f"{n} tests"


def summary_lines(tests):
    """The lines GoogleTest prints for these tests that say whether they
    passed: the end of each failed test, how many passed, and which failed."""
    ran = [t for t in tests if t.ran]
    failed = [t for t in ran if t.failures]
    passed = [t for t in ran if not t.failures and not t.skipped]
    lines = [f"[  FAILED  ] {t.full_name} ({t.ms} ms)" for t in failed]
    lines.append(f"[  PASSED  ] {count(len(passed))}.")
    if failed:
        lines.append(f"[  FAILED  ] {count(len(failed))}, listed below:")
        lines += [f"[  FAILED  ] {t.full_name}" for t in failed]
    return lines


def main(argv):
    if len(argv) != 3 or argv[1] != "summary":
        print(f"usage: {argv[0]} summary REPORT", file=sys.stderr)
        return 2
    try:
        tests = load(argv[2])
    except (OSError, ValueError) as e:
        print(f"no GoogleTest report: {e}", file=sys.stderr)
        return 2
    for line in summary_lines(tests):
        print(line)
    return 1 if any(t.failures for t in tests) else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
