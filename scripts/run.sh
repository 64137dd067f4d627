#!/usr/bin/env bash
# Sets up, builds and starts Quorvel. On Linux the Windows program runs under Wine: on the
# current display when there is one, otherwise on a virtual display, of which a screenshot is
# saved. QUORVEL_DEMO_JOYSTICK=1 lends it a scripted joystick (the test harness's stand-in for
# the system's joystick library), so that the main control window opens without real hardware.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD

bash scripts/setup.sh
cmake -S . -B build-x86_64 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
cmake --build build-x86_64

run=$repo/build-x86_64/run
mkdir -p "$run"
cp build-x86_64/dist/Quorvel.exe "$run/"
# The configuration is kept between runs; a fresh copy only when there is none.
[ -f "$run/Quorvel.cfg" ] || cp build-x86_64/dist/Quorvel.cfg "$run/"

export WINEPREFIX=${WINEPREFIX:-$repo/build-x86_64/wineprefix} WINEDEBUG=-all
if [ "${QUORVEL_DEMO_JOYSTICK:-0}" = 1 ]; then
    cmake -S tests/e2e -B build-x86_64/e2e-harness -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64-x86_64.cmake" >/dev/null
    cmake --build build-x86_64/e2e-harness --target winmm >/dev/null
    cp build-x86_64/e2e-harness/winmm.dll "$run/"
    # One joystick with 12 buttons, at rest.
    printf 'joystick 0 0 65535 0 65535 12 32\npoll 0 32767 32767 0\n' >"$run/sticks.txt"
    export QV_JOYSTICKS="Z:${run//\//\\}\\sticks.txt" WINEDLLOVERRIDES="winmm=n,b;mscoree,mshtml="
else
    rm -f "$run/winmm.dll"
fi

echo "Starting $run/Quorvel.exe under Wine."
if [ -n "${DISPLAY:-}" ]; then
    wine "$run/Quorvel.exe"
else
    shot=$repo/build-x86_64/quorvel-screenshot.png
    xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
        wine "$1/Quorvel.exe" & sleep 12
        import -window root "$2"
        wineserver -k' _ "$run" "$shot"
    echo "No display: the program ran on a virtual display; screenshot: $shot"
fi
