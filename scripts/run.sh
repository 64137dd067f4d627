#!/usr/bin/env bash
# Sets up, builds and runs Quorvel's command-line companion on the bundled example profile and
# joystick trace.
set -euo pipefail
cd "$(dirname "$0")/.."

QUORVEL_WINE=0 bash scripts/setup.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-release --target qvtool
./build-release/qvtool show examples/Pad.qvp
echo
echo "qvtool simulate examples/Pad.qvp examples/Pad.trace:"
./build-release/qvtool simulate examples/Pad.qvp examples/Pad.trace
