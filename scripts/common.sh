# What every script here shares: its own help, taken from the comment at its
# head, the arguments of the release scripts, and a build whose output shows
# only when it fails. Sourced (bash).

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

# The arguments of scripts/release and scripts/package, read into kr2_cert
# (--sign CERT.pfx), kr2_url (--timestamp URL), kr2_version (--version V)
# and the array kr2_operands; --help (or -h) prints the help first. An
# option it does not take, one without its value, an operand too many or
# too few, or a missing --version ends the script with the usage; so do a
# password given as an argument and --timestamp without --sign, each with
# its own message (all exit 2).
#   kr2_release_args USAGE OPERANDS VERSION "$@"
# USAGE is what follows "usage: $0 "; OPERANDS the number of operands the
# script takes (none: the first is refused at once); VERSION "version" when
# --version V is taken (and required), else empty.
kr2_release_args() {
    local usage=$1 count=$2 takes_version=$3 name
    shift 3
    name=$(basename "$0")
    kr2_args_or_help "$@"
    kr2_cert='' kr2_url='' kr2_version='' kr2_operands=()
    while [[ $# -gt 0 ]]; do
        case $1 in
            --version) [[ -n $takes_version && $# -ge 2 ]] || kr2_usage "$usage"; kr2_version=$2; shift 2 ;;
            --sign) [[ $# -ge 2 ]] || kr2_usage "$usage"; kr2_cert=$2; shift 2 ;;
            --timestamp) [[ $# -ge 2 ]] || kr2_usage "$usage"; kr2_url=$2; shift 2 ;;
            --pass*|-pass*|--readpass*|-readpass*)
                echo "$name: the password is never taken as an argument: set KR2_SIGN_PASSWORD," \
                     "or run from a terminal to be asked" >&2
                exit 2 ;;
            -*) kr2_usage "$usage" ;;
            *) [[ $count -gt 0 ]] || kr2_usage "$usage"; kr2_operands+=("$1"); shift ;;
        esac
    done
    [[ ${#kr2_operands[@]} -eq $count ]] || kr2_usage "$usage"
    [[ -z $takes_version || -n $kr2_version ]] || kr2_usage "$usage"
    if [[ -n $kr2_url && -z $kr2_cert ]]; then
        echo "$name: --timestamp goes with --sign" >&2
        exit 2
    fi
}
kr2_usage() {  # what follows "usage: $0 "
    echo "usage: $0 $1" >&2
    exit 2
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
