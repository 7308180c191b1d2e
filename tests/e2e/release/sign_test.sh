#!/usr/bin/env bash
# The signed release, made by scripts/package (the packing and signing
# scripts/release runs once it has built kr2_s1.exe) from the build tree's
# kr2_s1.exe with a throwaway certificate made here:
#   sign_test.sh SOURCE_DIR EXE OUT_DIR
# Checks the zip's contents and SHA256SUMS, that osslsigncode verify accepts
# the signature with the throwaway certificate as the only CA, that the
# signature taken off gives back EXE byte for byte, that no program started
# on the way has the password in its arguments or environment, and that a
# wrong or missing password, a time-stamp server that cannot be reached and
# a password given as an argument all fail with a message and leave no zip.
# Leaves the signed kr2_s1.exe in OUT_DIR for the GuiSigned case, which
# starts it under Wine.
set -uo pipefail
[[ $# -eq 3 ]] || { echo "usage: $0 SOURCE_DIR EXE OUT_DIR" >&2; exit 2; }
src=$1 exe=$2 out=$3
failures=0
fail() { echo "FAILED: $*" >&2; failures=$((failures + 1)); }
ok() { echo "ok: $*"; }
die() { echo "FAILED: $*" >&2; exit 1; }

for tool in openssl osslsigncode strace python3 sha256sum; do
    command -v "$tool" >/dev/null || die "$tool is missing (scripts/deps.sh installs it)"
done
[[ -f $exe ]] || die "$exe does not exist"

rm -rf "$out"
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
umask 077
export SOURCE_DATE_EPOCH=1700000000
unset KR2_SIGN_PASSWORD

# A throwaway code-signing certificate, in a .pfx behind a password with a
# space in it (an argument split in two would show).
password="kr2 throwaway $$-$RANDOM"
make_cert() {  # name, common name
    openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=$2" \
        -addext "basicConstraints=critical,CA:FALSE" -addext "keyUsage=critical,digitalSignature" \
        -addext "extendedKeyUsage=codeSigning" \
        -keyout "$work/$1.key" -out "$work/$1.pem" 2>"$work/openssl.log" ||
        { cat "$work/openssl.log" >&2; die "openssl could not make the certificate $1"; }
}
make_cert signer "Kestrane II throwaway signer"
make_cert other "Someone else"
KR2_TEST_PFX_PASS=$password openssl pkcs12 -export -in "$work/signer.pem" -inkey "$work/signer.key" \
    -out "$work/signer.pfx" -passout env:KR2_TEST_PFX_PASS || die "openssl could not write the .pfx"

package() {  # log name, then arguments
    local name=$1
    shift
    "$src/scripts/package" --version 1.00 "$@" >"$work/$name.out" 2>"$work/$name.err"
}
traced_package() {  # log name, then arguments; every program started is traced
    local name=$1
    shift
    strace -f -qq --seccomp-bpf -e trace=execve -v -s 100000 -o "$work/$name.exec" \
        "$src/scripts/package" --version 1.00 "$@" >"$work/$name.out" 2>"$work/$name.err"
}
# No program but the package script itself (started through env and bash,
# with the environment the caller set) may see the password: not in its
# arguments, not in its environment. The trace holds every execve with both.
password_kept() {  # log name
    local log=$work/$1.exec others
    grep -q '"osslsigncode", "sign"' "$log" || { fail "$1: no osslsigncode sign in the trace"; return; }
    others=$(grep -vF -- "\"$src/scripts/package\", \"--version\"" "$log")
    if grep -qF -- "$password" <<<"$others"; then
        fail "$1: a program started on the way saw the password:"
        grep -F -- "$password" <<<"$others" | cut -c 1-300 >&2
    else
        ok "$1: no program started on the way has the password in its arguments or environment"
    fi
}

# --- The signed release.
zip=$work/signed/kr2_s1-1.00-win64.zip
if KR2_SIGN_PASSWORD=$password traced_package signed --sign "$work/signer.pfx" "$exe" "$zip"; then
    ok "scripts/package --sign succeeded"
else
    cat "$work/signed.err" >&2
    die "scripts/package --sign failed"
fi
password_kept signed
grep -q -- '"-readpass", "/dev/stdin"' "$work/signed.exec" ||
    fail "osslsigncode was not given the password on its standard input (-readpass /dev/stdin)"

unpacked=$work/unpacked
python3 - "$zip" "$unpacked" <<'EOF' || fail "the zip's entries are not kr2_s1.exe, README.txt, BUILDINFO and SHA256SUMS"
import sys, zipfile
z = zipfile.ZipFile(sys.argv[1])
names = z.namelist()
print("zip entries:", names)
z.extractall(sys.argv[2])
sys.exit(0 if names == ["kr2_s1.exe", "README.txt", "BUILDINFO", "SHA256SUMS"] else 1)
EOF
signed=$unpacked/kr2_s1.exe
[[ -f $signed ]] || die "the zip holds no kr2_s1.exe"
echo "signed:   $(stat -c %s "$signed") bytes, SHA-256 $(sha256sum "$signed" | cut -d' ' -f1)"
echo "unsigned: $(stat -c %s "$exe") bytes, SHA-256 $(sha256sum "$exe" | cut -d' ' -f1)"

if (cd "$unpacked" && sha256sum --strict -c SHA256SUMS); then
    ok "sha256sum --strict -c SHA256SUMS passes in the unpacked folder"
else
    fail "sha256sum -c SHA256SUMS fails in the unpacked folder"
fi
unsigned_hash=$(sha256sum "$exe" | cut -d' ' -f1)
want_sums="$(sha256sum "$signed" | cut -d' ' -f1)  kr2_s1.exe
$(sha256sum "$unpacked/BUILDINFO" | cut -d' ' -f1)  BUILDINFO
# kr2_s1.exe with its signature removed (README.txt says how):
# $unsigned_hash  kr2_s1-unsigned.exe"
[[ $(cat "$unpacked/SHA256SUMS") == "$want_sums" ]] ||
    { fail "SHA256SUMS is not the signed hash, BUILDINFO's and the unsigned one in a comment:"; cat "$unpacked/SHA256SUMS" >&2; }
# Where it came from: the commit, the time stamp and each package of the
# toolchain with its version, and README.txt names the commit and the command.
commit=$(git -C "$src" rev-parse HEAD)
for words in "commit: $commit" "SOURCE_DATE_EPOCH: $SOURCE_DATE_EPOCH" \
             "g++-mingw-w64-x86-64-win32 $(dpkg-query -W -f='${Version}' g++-mingw-w64-x86-64-win32)" \
             "binutils-mingw-w64-x86-64 $(dpkg-query -W -f='${Version}' binutils-mingw-w64-x86-64)" \
             "mingw-w64-x86-64-dev $(dpkg-query -W -f='${Version}' mingw-w64-x86-64-dev)" \
             "cmake $(dpkg-query -W -f='${Version}' cmake)" "ninja-build $(dpkg-query -W -f='${Version}' ninja-build)"; do
    grep -qF -- "$words" "$unpacked/BUILDINFO" || fail "BUILDINFO does not say: $words"
done
grep -qF -- "git checkout $commit" "$unpacked/README.txt" || fail "README.txt does not name the commit to rebuild"
cmp -s "$signed" "$exe" && fail "the zip's kr2_s1.exe is the unsigned executable"
for words in 'Get-AuthenticodeSignature .\kr2_s1.exe' 'Digital Signatures' \
             'osslsigncode remove-signature -in kr2_s1.exe -out kr2_s1-unsigned.exe' \
             'tail -n 1 SHA256SUMS | cut -c 3- | sha256sum -c' 'carries no time stamp'; do
    grep -qF -- "$words" "$unpacked/README.txt" || fail "README.txt does not say: $words"
done

# osslsigncode verify: with the signer as the only CA the chain verifies;
# with another certificate as the CA, or on the unsigned file, it fails.
if osslsigncode verify -CAfile "$work/signer.pem" -in "$signed" >"$work/verify.log" 2>&1 &&
    grep -q 'Signature verification: ok' "$work/verify.log"; then
    ok "osslsigncode verify accepts the signature (throwaway certificate as the CA)"
else
    cat "$work/verify.log" >&2
    fail "osslsigncode verify rejects the signed kr2_s1.exe"
fi
osslsigncode verify -CAfile "$work/other.pem" -in "$signed" >/dev/null 2>&1 &&
    fail "osslsigncode verify accepts the signature with an unrelated certificate as the CA"
osslsigncode verify -CAfile "$work/signer.pem" -in "$exe" >/dev/null 2>&1 &&
    fail "osslsigncode verify accepts the unsigned executable"

# The signature taken off gives back the unsigned executable, the one whose
# hash SHA256SUMS lists.
if osslsigncode remove-signature -in "$signed" -out "$unpacked/kr2_s1-unsigned.exe" >"$work/remove.log" 2>&1; then
    if cmp "$exe" "$unpacked/kr2_s1-unsigned.exe"; then
        ok "remove-signature gives back the unsigned kr2_s1.exe byte for byte"
    else
        fail "remove-signature does not give back the unsigned kr2_s1.exe"
    fi
    (cd "$unpacked" && tail -n 1 SHA256SUMS | cut -c 3- | sha256sum --strict -c) ||
        fail "the unsigned hash in SHA256SUMS does not check out"
else
    cat "$work/remove.log" >&2
    fail "osslsigncode remove-signature failed"
fi
cp "$signed" "$out/kr2_s1.exe"

# --- Unsigned: the executable as built, a line for it and BUILDINFO's in
# SHA256SUMS, and the same BUILDINFO as the signed zip's.
if package unsigned "$exe" "$work/unsigned.zip"; then
    python3 - "$work/unsigned.zip" "$exe" "$unpacked/BUILDINFO" <<'EOF' || fail "the unsigned zip's kr2_s1.exe, BUILDINFO or SHA256SUMS is wrong"
import hashlib, sys, zipfile
z = zipfile.ZipFile(sys.argv[1])
exe, info = open(sys.argv[2], "rb").read(), open(sys.argv[3], "rb").read()
sums = f"{hashlib.sha256(exe).hexdigest()}  kr2_s1.exe\n{hashlib.sha256(info).hexdigest()}  BUILDINFO\n"
ok = z.read("kr2_s1.exe") == exe and z.read("BUILDINFO") == info and z.read("SHA256SUMS") == sums.encode()
sys.exit(0 if ok else 1)
EOF
else
    cat "$work/unsigned.err" >&2
    fail "scripts/package without --sign failed"
fi

# --- Failures: a message, a non-zero exit, and no zip, not even the one
# that was there before.
refused() {  # what, log name, expected message (a fixed string), zip, exit status
    local what=$1 name=$2 message=$3 target=$4 rc=$5
    if [[ $rc -eq 0 ]]; then
        fail "$what: succeeded"
    elif ! grep -qF -- "$message" "$work/$name.err"; then
        fail "$what: exit $rc without the message \"$message\":"
        cat "$work/$name.err" >&2
    elif [[ -e $target ]]; then
        fail "$what: a zip was left at $target"
    elif compgen -G "$(dirname "$target")/.kr2-package.*" >/dev/null; then
        fail "$what: a work folder was left beside the zip"
    else
        ok "$what: exit $rc, \"$message\", no zip"
    fi
}
stale() { mkdir -p "$(dirname "$1")"; echo "an older release" >"$1"; }

stale "$zip"
KR2_SIGN_PASSWORD="not $password" package wrong --sign "$work/signer.pfx" "$exe" "$zip" </dev/null
refused "a wrong password" wrong "the password does not open $work/signer.pfx" "$zip" $?

stale "$zip"
package nopass --sign "$work/signer.pfx" "$exe" "$zip" </dev/null
refused "no password and no terminal" nopass "set KR2_SIGN_PASSWORD" "$zip" $?

# Nothing listens on port 9 of this machine: the stamp fails at once.
stale "$zip"
KR2_SIGN_PASSWORD=$password traced_package stamp --sign "$work/signer.pfx" --timestamp http://127.0.0.1:9/ "$exe" "$zip" </dev/null
refused "an unreachable time-stamp server" stamp "the time-stamp server http://127.0.0.1:9/" "$zip" $?
grep -q -- '"-ts", "http://127.0.0.1:9/"' "$work/stamp.exec" ||
    fail "--timestamp URL did not reach osslsigncode as -ts URL"
password_kept stamp

# A refused argument stops the script before it touches anything.
rm -f "$zip"
KR2_SIGN_PASSWORD=$password package argpass --sign "$work/signer.pfx" --password "$password" "$exe" "$zip" </dev/null
refused "scripts/package --password" argpass "never taken as an argument" "$zip" $?

# scripts/release refuses it before it does anything (it would rebuild
# from scratch and replace dist/): run a copy of the scripts in a folder of
# their own, so that even a release that went ahead touches nothing here.
mkdir -p "$work/tree/scripts"
cp "$src/scripts/release" "$src/scripts/deps.sh" "$src/scripts/sign.sh" "$src/scripts/package" \
   "$src/scripts/common.sh" "$work/tree/scripts/"
"$work/tree/scripts/release" --sign "$work/signer.pfx" --password "$password" </dev/null \
    >"$work/release.out" 2>"$work/release.err"
refused "scripts/release --password" release "never taken as an argument" "$work/tree/dist/kr2_s1-1.00-win64.zip" $?
"$work/tree/scripts/release" --timestamp http://127.0.0.1:9/ </dev/null >"$work/release2.out" 2>"$work/release2.err"
refused "scripts/release --timestamp without --sign" release2 "--timestamp goes with --sign" \
    "$work/tree/dist/kr2_s1-1.00-win64.zip" $?

if [[ $failures -ne 0 ]]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "all checks passed; the signed kr2_s1.exe is $out/kr2_s1.exe"
