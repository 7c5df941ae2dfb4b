#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need, if any is missing;
# with the argument "fuzz", also clang, its libFuzzer runtime and the LLVM coverage tools for
# `make fuzz` and `make fuzz-coverage`; with "windows", also the mingw-w64 cross compiler,
# Wine for the Windows stage of `make test` and NSIS for the setup program; with "bench", also
# hyperfine and valgrind for the whole-process comparison (bench/versus_cp.sh) and instruction
# counts.
# Runs apt-get as root, or through sudo for an ordinary user.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config clang-format git
    qt6-base-dev libgl-dev
    libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev nlohmann-json3-dev
    libtinyobjloader-dev libtinygltf-dev
    fonts-dejavu-core locales xvfb xdotool x11-apps
    python3 dpkg-dev file librsvg2-bin desktop-file-utils shared-mime-info libglib2.0-bin
)
if [ "${1:-}" = fuzz ]; then
    packages+=(clang-14 libclang-rt-14-dev llvm-14)
fi
if [ "${1:-}" = bench ]; then
    packages+=(hyperfine valgrind)
fi
if [ "${1:-}" = windows ]; then
    packages+=(g++-mingw-w64-x86-64-posix wine64 wine nsis)
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed'; then
        missing+=("$p")
    fi
done

as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo >/dev/null; then
        sudo "$@"
    else
        echo "install-deps.sh: sudo is not installed; run this as root to install packages" >&2
        exit 1
    fi
}

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    as_root apt-get update -qq
    as_root apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The number tests run once under a decimal-comma locale.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
    as_root sed -i 's/^# *\(de_DE.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
    as_root locale-gen >/dev/null
fi
