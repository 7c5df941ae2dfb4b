#!/usr/bin/env bash
# The Windows stage of `make test`: the core and walkconv cross-built with mingw-w64 and their
# tests run under Wine, headless, in a Wine prefix inside the build folder.
#
# One wineserver, started persistent (-p) for the whole stage, serves every test: without it
# each program starts its own, which is several times slower and fails at random ("recvmsg:
# Connection reset by peer"). It is stopped on every exit, since a server left running can
# keep CI waiting.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-windows

cmake --preset windows
cmake --build --preset windows

export WINEPREFIX="$PWD/$build/wine-prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
export LC_ALL=C.UTF-8
unset DISPLAY WAYLAND_DISPLAY

wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
stop_wineserver() { "$wineserver" -k 2>/dev/null || true; }
trap stop_wineserver EXIT
trap 'exit 130' INT TERM

started=$SECONDS
mkdir -p "$WINEPREFIX"
stop_wineserver  # one left by an interrupted run
"$wineserver" -p
# A new prefix is made by the first program that runs in it; make it now, outside any test's
# time limit.
"$build/wine-run.sh" cmd /c exit >/dev/null 2>&1 || true
echo "Wine prefix ready in $((SECONDS - started)) s"

ctest --preset windows "$@"
