#!/usr/bin/env bash
# Sets up and runs every test: the native unit tests under AddressSanitizer and UBSan, qvtool end
# to end, a short fuzz run of the file decoders and the engine, the two Windows cross-builds, and
# the x86_64 program end to end under Wine on Xvfb (skipped with QUORVEL_WINE=0).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

echo "== native build and unit tests (ASan, UBSan)"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build
(cd build && ctest --output-on-failure -j2)

echo "== fuzz smoke run of the decoders and the engine"
bash fuzz/run_fuzz.sh "${QUORVEL_FUZZ_SECONDS:-60}"

echo "== Windows builds (i686, x86_64)"
for arch in i686 x86_64; do
    cmake -S . -B "build-$arch" -G Ninja -DCMAKE_TOOLCHAIN_FILE="cmake/mingw-w64-$arch.cmake" >/dev/null
    cmake --build "build-$arch"
done

if [ "${QUORVEL_WINE:-1}" = 1 ]; then
    echo "== the program end to end under Wine (x86_64)"
    bash tests/e2e/run_e2e.sh
fi
echo "All tests passed."
