# Installs with apt-get whatever the build and the tests need and this machine
# lacks. Sourced by scripts/test, scripts/run, scripts/bench, scripts/faults,
# scripts/soak, scripts/fuzz and scripts/release. fonts-wine is named on its
# own: it is only a recommendation of wine, and the Wine world
# (scripts/wine-world.sh) copies its fonts into every prefix. The win32
# thread model's compiler builds kr2_s1.exe alone; the rest stays posix.
# osslsigncode signs a release (scripts/release --sign); openssl and strace
# serve its test (tests/e2e/release). clang, lld and llvm (llvm-ar for
# link-time-optimised archives) are the second compiler of scripts/test;
# libclang-rt-14-dev, only recommended by clang, holds its libFuzzer and
# sanitizer runtimes (the fuzz targets of scripts/test and scripts/fuzz).
kr2_install_missing() {
    local wanted=(cmake ninja-build g++ googletest libgtest-dev libgmock-dev
                  g++-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-win32 binutils-mingw-w64-x86-64
                  clang-14 lld-14 llvm-14 libclang-rt-14-dev
                  wine wine64 fonts-wine xvfb pulseaudio x11-utils xdotool imagemagick python3
                  python3-fonttools osslsigncode openssl strace)
    local missing=() pkg
    for pkg in "${wanted[@]}"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
}
