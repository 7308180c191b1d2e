#!/bin/sh
# The throwaway world the end-to-end tests run in:
#   env.sh start STATE_DIR   fresh Wine prefix, Xvfb display, null sound sink;
#                            writes STATE_DIR/env (shell exports) for wine-env
#   env.sh stop STATE_DIR    ends wineserver, pulseaudio and Xvfb; idempotent
set -eu

usage() { echo "usage: $0 start|stop STATE_DIR" >&2; exit 2; }
[ $# -eq 2 ] || usage
action=$1
state=$2

# Ends the process whose id is in a pid file, if it still runs.
kill_pidfile() {
    [ -f "$1" ] || return 0
    pid=$(cat "$1" 2>/dev/null || true)
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
        kill "$pid" 2>/dev/null || true
        i=0
        while kill -0 "$pid" 2>/dev/null && [ $i -lt 50 ]; do sleep 0.1; i=$((i + 1)); done
        kill -9 "$pid" 2>/dev/null || true
    fi
    rm -f "$1"
}

stop() {
    [ -d "$state" ] || return 0
    if [ -f "$state/env" ]; then
        # shellcheck disable=SC1091
        . "$state/env"
        [ -d "${WINEPREFIX:-/nonexistent}" ] && wineserver -k 2>/dev/null || true
    fi
    kill_pidfile "$state/xdg/pulse/pid"
    kill_pidfile "$state/xvfb.pid"
}

start() {
    stop
    # Only ever wipe a directory this script made (or an empty one).
    if [ -d "$state" ] && [ -n "$(ls -A "$state")" ] && [ ! -f "$state/.kr2-e2e-state" ] &&
        [ ! -f "$state/xvfb.pid" ] && [ ! -f "$state/env" ]; then
        echo "$state is not an e2e state directory; not touching it" >&2
        exit 1
    fi
    rm -rf "$state"
    mkdir -p "$state"
    : >"$state/.kr2-e2e-state"
    state=$(cd "$state" && pwd)

    export WINEPREFIX="$state/prefix"
    export WINEDEBUG=-all
    # No Mono or Gecko installer dialogs in a fresh prefix.
    export WINEDLLOVERRIDES="mscoree,mshtml="
    export XDG_RUNTIME_DIR="$state/xdg"
    mkdir -m 700 "$XDG_RUNTIME_DIR"

    # A display of our own: Xvfb picks a free number and reports it on fd 3.
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$state/display" \
        </dev/null >"$state/xvfb.log" 2>&1 &
    echo $! >"$state/xvfb.pid"
    i=0
    while [ ! -s "$state/display" ] && [ $i -lt 100 ]; do sleep 0.1; i=$((i + 1)); done
    [ -s "$state/display" ] || { echo "Xvfb did not start" >&2; cat "$state/xvfb.log" >&2; exit 1; }
    export DISPLAY=":$(head -n1 "$state/display")"

    # A null sink: without a sound server Wine's player fails at once instead
    # of playing the wave to its end.
    export PULSE_SERVER="unix:$XDG_RUNTIME_DIR/pulse/native"
    mkdir -p "$state/home"
    HOME="$state/home" pulseaudio -n --daemonize=yes --exit-idle-time=-1 --use-pid-file=yes \
        --log-target=file:"$state/pulse.log" \
        -L module-null-sink \
        -L "module-native-protocol-unix auth-anonymous=1 socket=$XDG_RUNTIME_DIR/pulse/native" \
        -L "module-always-sink" </dev/null >>"$state/pulse.log" 2>&1 || { cat "$state/pulse.log" >&2; exit 1; }

    cat >"$state/env" <<ENV
export WINEPREFIX='$WINEPREFIX'
export WINEDEBUG='$WINEDEBUG'
export WINEDLLOVERRIDES='$WINEDLLOVERRIDES'
export DISPLAY='$DISPLAY'
export XDG_RUNTIME_DIR='$XDG_RUNTIME_DIR'
export PULSE_SERVER='$PULSE_SERVER'
ENV

    # Everything started from here may outlive this script: none of it may
    # hold on to the caller's output, or ctest waits for it until timeout.
    log="$state/wine.log"
    wineboot --init </dev/null >>"$log" 2>&1
    wineserver -w </dev/null >>"$log" 2>&1
    # One virtual desktop: a single, predictable window manager for every test.
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f </dev/null >>"$log" 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f </dev/null >>"$log" 2>&1
    wineserver -w </dev/null >>"$log" 2>&1
    # Keep one wineserver for the whole run so each test starts quickly.
    wineserver -p </dev/null >>"$log" 2>&1
}

case $action in
    start) start ;;
    stop) stop ;;
    *) usage ;;
esac
