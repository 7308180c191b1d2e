#!/bin/sh
# The one Wine world the launcher runs in, for scripts/run, the end-to-end
# tests and scripts/bench alike:
#   wine-world.sh start STATE_DIR [options]
#       a fresh Wine prefix with Wine's own fonts (MS Sans Serif, Tahoma,
#       Marlett, ...) in its Fonts folder, as on Windows; its own Xvfb display
#       and PulseAudio null sink; writes STATE_DIR/env (shell exports).
#     --desktop WxH      one Wine virtual desktop of that size (tests, bench)
#     --undecorated      no virtual desktop and no window manager: Wine draws
#                        the caption bars itself (screenshots)
#     --dpi N            the prefix's LogPixels (96 when not given)
#     --host-display     the caller's $DISPLAY and sound server instead of
#                        a display and sink of its own
#     --program WINPATH HOSTFILE
#                        HOSTFILE copied into the prefix as WINPATH
#                        ("C:\Program Files\...\X.EXE"); may be repeated
#   wine-world.sh stop STATE_DIR
#       ends wineserver, pulseaudio and Xvfb; idempotent
set -eu

usage() {
    echo "usage: $0 start STATE_DIR [--desktop WxH] [--undecorated] [--dpi N] [--host-display]" \
         "[--program WINPATH HOSTFILE]... | stop STATE_DIR" >&2
    exit 2
}
[ $# -ge 2 ] || usage
action=$1
state=$2
shift 2

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

# Debian's Wine does not look in its own font folder, so without this copy
# every face falls back to one system font: the caption-bar buttons show
# Marlett's letters ("0 1 r") and captions are measured in the wrong font.
install_fonts() {
    fonts=
    for dir in /usr/share/wine/fonts /usr/lib/wine/fonts; do
        if [ -f "$dir/sserife.fon" ]; then fonts=$dir; break; fi
    done
    if [ -z "$fonts" ]; then
        echo "Wine's own fonts are missing (Debian: apt-get install fonts-wine; scripts/deps.sh does it)" >&2
        exit 1
    fi
    target="$WINEPREFIX/drive_c/windows/Fonts"
    mkdir -p "$target"
    cp "$fonts"/*.fon "$fonts"/*.ttf "$target/"
    for face in sserife.fon tahoma.ttf tahomabd.ttf marlett.ttf; do
        [ -f "$target/$face" ] || { echo "$face did not reach $target" >&2; exit 1; }
    done
}

# A Windows path of the prefix as a host path: C:\A\B.EXE -> .../drive_c/A/B.EXE
host_path() {
    printf '%s\n' "$1" | sed -e 's|^[Cc]:||' -e 's|\\|/|g' -e "s|^|$WINEPREFIX/drive_c|"
}

start() {
    desktop=
    undecorated=
    dpi=
    host_display=
    programs=
    while [ $# -gt 0 ]; do
        case $1 in
            --desktop) [ $# -ge 2 ] || usage; desktop=$2; shift 2 ;;
            --undecorated) undecorated=1; shift ;;
            --dpi) [ $# -ge 2 ] || usage; dpi=$2; shift 2 ;;
            --host-display) host_display=1; shift ;;
            --program)
                [ $# -ge 3 ] || usage
                [ -f "$3" ] || { echo "--program: $3 does not exist" >&2; exit 1; }
                # Tab-separated pairs: neither part holds a tab.
                programs="$programs$2	$3
"
                shift 3 ;;
            *) usage ;;
        esac
    done
    [ -z "$desktop" ] || [ -z "$undecorated" ] || { echo "--desktop and --undecorated exclude each other" >&2; exit 2; }
    if [ -n "$host_display" ] && [ -z "${DISPLAY:-}" ]; then
        echo "--host-display: DISPLAY is not set" >&2
        exit 2
    fi

    stop
    # Only ever wipe a directory this script made (or an empty one).
    if [ -d "$state" ] && [ -n "$(ls -A "$state")" ] && [ ! -f "$state/.kr2-wine-world" ] &&
        [ ! -f "$state/.kr2-e2e-state" ] && [ ! -f "$state/xvfb.pid" ] && [ ! -f "$state/env" ]; then
        echo "$state is not a Wine world directory; not touching it" >&2
        exit 1
    fi
    rm -rf "$state"
    mkdir -p "$state"
    : >"$state/.kr2-wine-world"
    state=$(cd "$state" && pwd)

    export WINEPREFIX="$state/prefix"
    export WINEDEBUG=-all
    # No Mono or Gecko installer dialogs in a fresh prefix.
    export WINEDLLOVERRIDES="mscoree,mshtml="

    if [ -z "$host_display" ]; then
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

        # A null sink: without a sound server Wine's player fails at once
        # instead of playing the wave to its end.
        export PULSE_SERVER="unix:$XDG_RUNTIME_DIR/pulse/native"
        mkdir -p "$state/home"
        HOME="$state/home" pulseaudio -n --daemonize=yes --exit-idle-time=-1 --use-pid-file=yes \
            --log-target=file:"$state/pulse.log" \
            -L module-null-sink \
            -L "module-native-protocol-unix auth-anonymous=1 socket=$XDG_RUNTIME_DIR/pulse/native" \
            -L "module-always-sink" </dev/null >>"$state/pulse.log" 2>&1 || { cat "$state/pulse.log" >&2; exit 1; }
    fi

    {
        echo "export WINEPREFIX='$WINEPREFIX'"
        echo "export WINEDEBUG='$WINEDEBUG'"
        echo "export WINEDLLOVERRIDES='$WINEDLLOVERRIDES'"
        echo "export DISPLAY='$DISPLAY'"
        if [ -z "$host_display" ]; then
            echo "export XDG_RUNTIME_DIR='$XDG_RUNTIME_DIR'"
            echo "export PULSE_SERVER='$PULSE_SERVER'"
        fi
    } >"$state/env"

    # Everything started from here may outlive this script: none of it may
    # hold on to the caller's output, or ctest waits for it until timeout.
    log="$state/wine.log"
    # A start that fails says why: the end of Wine's log on the error output.
    trap 'rc=$?; [ $rc -eq 0 ] || { echo "wine-world: start failed ($rc); the end of $log:" >&2; tail -n 30 "$log" >&2; }' EXIT
    # Without address randomization, like the tests: a new Wine process is
    # refused now and then otherwise (tests/e2e/wine-env, docs/soak.md), and
    # wineboot starts a dozen of them.
    setarch -R wineboot --init </dev/null >>"$log" 2>&1
    wineserver -w </dev/null >>"$log" 2>&1
    install_fonts
    reg() { setarch -R wine reg add "$@" /f </dev/null >>"$log" 2>&1; }
    if [ -n "$desktop" ]; then
        # One virtual desktop: a single, predictable window manager.
        reg 'HKCU\Software\Wine\Explorer' /v Desktop /d Default
        reg 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$desktop"
    fi
    if [ -n "$undecorated" ]; then
        # No window manager on the display: Wine draws captions and borders.
        reg 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N
        reg 'HKCU\Software\Wine\X11 Driver' /v Managed /d N
    fi
    [ -z "$dpi" ] || reg 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi"
    if [ -n "$programs" ]; then
        printf '%s' "$programs" | while IFS='	' read -r winpath file; do
            dest=$(host_path "$winpath")
            mkdir -p "$(dirname "$dest")"
            cp "$file" "$dest"
        done
    fi
    wineserver -w </dev/null >>"$log" 2>&1
    # Keep one wineserver for the whole run so each program starts quickly.
    wineserver -p </dev/null >>"$log" 2>&1
}

case $action in
    start) start "$@" ;;
    stop) [ $# -eq 0 ] || usage; stop ;;
    *) usage ;;
esac
