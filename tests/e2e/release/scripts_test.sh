#!/usr/bin/env bash
# Every script answers --help (exit 0, its usage and how long it runs) and
# refuses an option it does not take (a non-zero exit), both before it
# installs or builds anything: apt-get, sudo, dpkg-query, cmake and ctest
# are stand-ins here that fail the test when called.
#   scripts_test.sh SOURCE_DIR
set -uo pipefail
src=${1:?usage: $0 SOURCE_DIR}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for tool in apt-get sudo dpkg-query cmake ctest; do
    printf '#!/bin/sh\necho "%s $*" >>"%s/called"\nexit 1\n' "$tool" "$work" >"$work/$tool"
    chmod +x "$work/$tool"
done
failures=0
fail() { echo "FAILED: $*" >&2; failures=$((failures + 1)); }
for script in test run faults soak bench release package fuzz; do
    help=$(PATH=$work:$PATH "$src/scripts/$script" --help 2>&1) || fail "$script --help: exit $?"
    grep -qEi '[0-9] (minutes?|seconds?)|few seconds' <<<"$help" || fail "$script --help says not how long it runs"
    grep -qi usage <<<"$help" || grep -q "scripts/$script" <<<"$help" || fail "$script --help gives no usage"
    PATH=$work:$PATH "$src/scripts/$script" --no-such-option >/dev/null 2>&1 && fail "$script accepts --no-such-option"
    if [[ -s $work/called ]]; then
        fail "$script ran before it refused or helped: $(tr '\n' ';' <"$work/called" | cut -c 1-200)"
        : >"$work/called"
    fi
done
[[ $failures -eq 0 ]] && echo "every script answers --help and refuses an unknown option first" || exit 1
