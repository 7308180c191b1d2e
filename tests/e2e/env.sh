#!/bin/sh
# The world the end-to-end tests run in: scripts/wine-world.sh with one
# 1024x768 virtual desktop, the same world scripts/bench uses.
#   env.sh start STATE_DIR   fresh prefix with Wine's fonts, Xvfb, null sink;
#                            writes STATE_DIR/env (shell exports) for wine-env
#   env.sh stop STATE_DIR    ends wineserver, pulseaudio and Xvfb; idempotent
set -eu
[ $# -eq 2 ] || { echo "usage: $0 start|stop STATE_DIR" >&2; exit 2; }
world="$(dirname "$0")/../../scripts/wine-world.sh"
case $1 in
    start) exec sh "$world" start "$2" --desktop 1024x768 ;;
    stop) exec sh "$world" stop "$2" ;;
    *) echo "usage: $0 start|stop STATE_DIR" >&2; exit 2 ;;
esac
