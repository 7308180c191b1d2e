#!/bin/sh
# Maps the drive letter X: of the e2e Wine prefix onto the game directory of
# the drive-root case (C:\kr2e2e\hardening_root\Game, made by the test
# itself), runs the test program under wine-env, and removes the mapping.
#   with_drive_x.sh WINE_ENV PROGRAM [ARGS...]
set -u
[ $# -ge 2 ] || { echo "usage: $0 WINE_ENV PROGRAM [ARGS...]" >&2; exit 2; }
[ -n "${KR2_E2E_STATE:-}" ] && [ -f "$KR2_E2E_STATE/env" ] || { echo "$0: no e2e environment" >&2; exit 1; }
# shellcheck disable=SC1091
. "$KR2_E2E_STATE/env"
link="$WINEPREFIX/dosdevices/x:"
rm -f "$link"
ln -s "$WINEPREFIX/drive_c/kr2e2e/hardening_root/Game" "$link" || exit 1
wine_env=$1
shift
sh "$wine_env" "$@"
rc=$?
rm -f "$link"
exit $rc
