#!/usr/bin/env bash
# The release's BUILDINFO is enough to rebuild it: a fresh clone at the
# commit it names, released with ./scripts/release and its
# SOURCE_DATE_EPOCH, gives the same kr2_s1.exe and the same zip.
#   rebuild_test.sh SOURCE_DIR EXE
# Skipped (77) in a tree with uncommitted changes, whose build no commit gives.
set -uo pipefail
src=${1:?usage: $0 SOURCE_DIR EXE} exe=${2:?usage: $0 SOURCE_DIR EXE}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if [[ -n $(git -C "$src" status --porcelain --untracked-files=no 2>/dev/null) ]]; then
    echo "skipped: the tree has uncommitted changes"
    exit 77
fi
SOURCE_DATE_EPOCH=1700000000 "$src/scripts/package" --version 1.00 "$exe" "$work/first.zip" >/dev/null ||
    { echo "FAILED: scripts/package" >&2; exit 1; }
python3 -c 'import sys, zipfile; sys.stdout.write(zipfile.ZipFile(sys.argv[1]).read("BUILDINFO").decode())' \
    "$work/first.zip" >"$work/BUILDINFO"
commit=$(sed -n 's/^commit: //p' "$work/BUILDINFO")
epoch=$(sed -n 's/^SOURCE_DATE_EPOCH: //p' "$work/BUILDINFO")
[[ $commit =~ ^[0-9a-f]{40}$ && -n $epoch ]] || { echo "FAILED: BUILDINFO names no commit:" >&2; cat "$work/BUILDINFO" >&2; exit 1; }
git clone -q "$src" "$work/clone" && git -C "$work/clone" checkout -q "$commit" ||
    { echo "FAILED: no clone at $commit" >&2; exit 1; }
(cd "$work/clone" && SOURCE_DATE_EPOCH=$epoch ./scripts/release) >"$work/release.log" 2>&1 ||
    { cat "$work/release.log" >&2; echo "FAILED: ./scripts/release in the clone" >&2; exit 1; }
cmp "$exe" "$work/clone/build/release/kr2_s1.exe" || { echo "FAILED: the clone's kr2_s1.exe differs" >&2; exit 1; }
cmp "$work/first.zip" "$work/clone/dist/kr2_s1-1.00-win64.zip" || { echo "FAILED: the clone's zip differs" >&2; exit 1; }
echo "ok: a clone at $commit, released with SOURCE_DATE_EPOCH=$epoch, gives the same kr2_s1.exe and zip"
