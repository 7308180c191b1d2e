#!/usr/bin/env bash
# Runs a command with Debian 12's own osslsigncode (2.5-4) first on PATH:
# the one a plain Debian 12 installs, beside the newer one this machine may
# carry. Unpacked once into DIR (apt-get download, dpkg-deb -x).
#   with_osslsigncode_2_5.sh DIR COMMAND...
set -euo pipefail
[[ $# -ge 2 ]] || { echo "usage: $0 DIR COMMAND..." >&2; exit 2; }
dir=$1
shift
bin=$dir/osslsigncode-2.5/usr/bin
if [[ ! -x $bin/osslsigncode ]]; then
    mkdir -p "$dir"
    (cd "$dir" && rm -f osslsigncode_*.deb && apt-get download -q osslsigncode=2.5-4 >/dev/null 2>&1) ||
        { echo "apt-get download osslsigncode=2.5-4 failed (apt-get update first?)" >&2; exit 1; }
    dpkg-deb -x "$dir"/osslsigncode_2.5-4_*.deb "$dir/osslsigncode-2.5"
fi
"$bin/osslsigncode" --version 2>&1 | grep -q '^osslsigncode 2\.5,' ||
    { echo "$bin/osslsigncode is not 2.5" >&2; exit 1; }
echo "osslsigncode: $("$bin/osslsigncode" --version 2>&1 | head -n 1)"
PATH=$bin:$PATH exec "$@"
