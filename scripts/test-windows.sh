#!/usr/bin/env bash
# The Windows stage of `make test`: the core, walkconv and the Win32 windows cross-built with
# mingw-w64 and their tests run under Wine, in a Wine prefix inside the build folder.
#
# Wine makes windows only on an X display: a private Xvfb serves the whole stage (every Wine
# program of the stage is given it through WALKCONV_WINE_DISPLAY, see cmake/wine-run.sh.in).
# Without Xvfb the tests of the windows skip themselves.
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
xvfb=
stop_all() {
    stop_wineserver
    if [ -n "$xvfb" ]; then
        kill "$xvfb" 2>/dev/null || true
        wait "$xvfb" 2>/dev/null || true
    fi
}
trap stop_all EXIT
trap 'exit 130' INT TERM

# Xvfb on the first free display: it writes the number once it takes connections. The screen
# is wide enough for the graph window to stand beside its converter window.
if command -v Xvfb >/dev/null; then
    number_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 2560x1440x24 -dpi 96 -nolisten tcp -noreset \
        3>"$number_file" >/dev/null 2>&1 </dev/null &
    xvfb=$!
    for _ in $(seq 100); do
        grep -q '^[0-9][0-9]*$' "$number_file" && break
        sleep 0.1
    done
    if number=$(grep -o '^[0-9][0-9]*$' "$number_file"); then
        export WALKCONV_WINE_DISPLAY=":$number"
    else
        echo "Xvfb did not start: the tests of the windows skip themselves"
    fi
    rm -f "$number_file"
fi

started=$SECONDS
mkdir -p "$WINEPREFIX"
stop_wineserver  # one left by an interrupted run
"$wineserver" -p
# A new prefix is made by the first program that runs in it; make it now, outside any test's
# time limit. That program has Wine draw the windows' frames itself: with no window manager on
# the display, Wine would wait two seconds for one whenever a window it leaves to one hides.
"$build/wine-run.sh" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
echo "Wine prefix ready in $((SECONDS - started)) s"

ctest --preset windows "$@"
