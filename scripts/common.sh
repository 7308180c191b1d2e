# What every script here shares: its own help, taken from the comment at its
# head, and a build whose output shows only when it fails. Sourced (bash).

# Prints the comment block at the head of the script that sourced this,
# without the "#" marks: its usage, options, environment and running time.
kr2_help() {
    sed -n '2,/^[^#]/{/^#/{s/^# \{0,1\}//;p}}' "$0"
}

# --help (or -h) prints the help and ends the script; any other argument
# than the ones it takes ends it with the usage, before anything is
# installed or built. Usage: kr2_args_or_help "$@"; the caller checks its
# own arguments after this, and calls it with none when it takes none.
kr2_args_or_help() {
    local arg
    for arg in "$@"; do
        case $arg in
            -h|--help) kr2_help; exit 0 ;;
        esac
    done
}
kr2_no_args() {
    kr2_args_or_help "$@"
    if [[ $# -gt 0 ]]; then
        echo "$(basename "$0"): takes no arguments (got: $*); $0 --help says more" >&2
        exit 2
    fi
}

# Runs a build quietly; when it fails, its whole output follows.
kr2_quiet_build() {  # command...
    local log
    log=$(mktemp /tmp/kr2-build.XXXXXX)
    if ! "$@" >"$log" 2>&1; then
        cat "$log" >&2
        echo "$(basename "$0"): the build failed: $*" >&2
        rm -f "$log"
        return 1
    fi
    rm -f "$log"
}
