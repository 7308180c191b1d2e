# Authenticode signing of kr2_s1.exe with osslsigncode. Sourced by
# scripts/release and scripts/package (bash).
#
# The certificate's password is never on a command line, ours or a child's:
# it comes from KR2_SIGN_PASSWORD or, when that is unset and stdin is a
# terminal, from a prompt, and osslsigncode reads it on its standard input
# (-readpass /dev/stdin: Debian 12's osslsigncode 2.5 takes only a file there,
# "-" from 2.6 on). The scripts that source this take KR2_SIGN_PASSWORD out of
# the environment (export -n) before they start any program, so the build
# and the tools do not inherit it.

kr2_sign_password=

# Sets kr2_sign_password for CERT.pfx; fails with a message when there is
# none to be had. An empty KR2_SIGN_PASSWORD is the empty password.
kr2_sign_read_password() {  # cert
    if [[ ${KR2_SIGN_PASSWORD+set} ]]; then
        kr2_sign_password=$KR2_SIGN_PASSWORD
        unset KR2_SIGN_PASSWORD
    elif [[ -t 0 ]]; then
        IFS= read -rs -p "Password of $1: " kr2_sign_password || {
            echo >&2
            echo "no password read" >&2
            return 1
        }
        echo >&2
    else
        echo "signing needs the password of $1: set KR2_SIGN_PASSWORD, or run this from a" \
             "terminal to be asked (it is never taken as an argument)" >&2
        return 1
    fi
}

# Checks that CERT can be signed with here: the file is readable and
# osslsigncode is installed.
kr2_sign_check_tools() {  # cert
    if [[ ! -f $1 || ! -r $1 ]]; then
        echo "the certificate $1 is not a readable file" >&2
        return 1
    fi
    if ! command -v osslsigncode >/dev/null; then
        echo "osslsigncode is missing (Debian: apt-get install osslsigncode; scripts/deps.sh does it)" >&2
        return 1
    fi
}

# Signs UNSIGNED into SIGNED with CERT.pfx (SHA-256, the program's name as
# the description), time-stamped by the RFC 3161 server at URL when one is
# given. Then takes the signature off again and fails unless that gives back
# UNSIGNED byte for byte: the unsigned hash a release lists is only worth
# something if a player can get from the signed file back to it.
kr2_sign_exe() {  # unsigned signed cert [timestamp-url]
    local unsigned=$1 signed=$2 cert=$3 url=${4:-} tmp rc
    local args=(sign -pkcs12 "$cert" -h sha256 -n "Kestrane II Launcher")
    [[ -z $url ]] || args+=(-ts "$url")
    # osslsigncode cannot read an empty password from a file; a container
    # without one is opened without -readpass.
    [[ -z $kr2_sign_password ]] || args+=(-readpass /dev/stdin)
    tmp=$(mktemp -d) || return 1
    # A here-string: bash hands it over in a pipe (or a deleted temporary
    # file), and no process has the password in its arguments. osslsigncode
    # drops the line end.
    rc=0
    osslsigncode "${args[@]}" -in "$unsigned" -out "$tmp/signed.exe" >"$tmp/log" 2>&1 \
        <<<"$kr2_sign_password" || rc=$?
    if [[ $rc -ne 0 || ! -s $tmp/signed.exe ]]; then
        sed 's/^/  osslsigncode: /' "$tmp/log" >&2
        if grep -qi 'mac verify failure' "$tmp/log"; then
            echo "signing failed: the password does not open $cert" >&2
        elif grep -qi 'failed to extract PKCS#12' "$tmp/log"; then
            echo "signing failed: $cert is not a PKCS#12 (.pfx) file" >&2
        elif [[ -n $url ]]; then
            echo "signing failed (exit $rc); the time-stamp server $url may be unreachable" >&2
        else
            echo "signing failed (exit $rc)" >&2
        fi
        rm -rf "$tmp"
        return 1
    fi
    if ! osslsigncode remove-signature -in "$tmp/signed.exe" -out "$tmp/removed.exe" >"$tmp/log" 2>&1; then
        sed 's/^/  osslsigncode: /' "$tmp/log" >&2
        echo "the signed executable's signature cannot be taken off again" >&2
        rm -rf "$tmp"
        return 1
    fi
    if ! cmp -s "$unsigned" "$tmp/removed.exe"; then
        echo "signing changed more than the signature: with it taken off, $unsigned differs" \
             "($(stat -c %s "$unsigned") bytes, without the signature $(stat -c %s "$tmp/removed.exe"));" \
             "the first differences (offset, unsigned, round trip, octal):" >&2
        cmp -l "$unsigned" "$tmp/removed.exe" 2>&1 | head -n 8 >&2
        rm -rf "$tmp"
        return 1
    fi
    mv "$tmp/signed.exe" "$signed" && rm -rf "$tmp"
}
