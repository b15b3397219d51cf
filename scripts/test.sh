#!/usr/bin/env bash
# Installs what is needed, builds everything and runs every test: once as shipped, once with
# AddressSanitizer and UndefinedBehaviorSanitizer (any report fails), and the fuzz targets for
# 30 seconds each.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/packages.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j"$(nproc)"

# The whole tree again under the sanitizers, in a folder of its own; the benchmarks are left
# out (they are run by hand, never by CI).
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAMBERLIX_SANITIZE=ON \
  -DTAMBERLIX_BENCH=OFF
cmake --build build-asan -j"$(nproc)"
ASAN_OPTIONS="halt_on_error=1:detect_leaks=1" \
LSAN_OPTIONS="suppressions=$(pwd)/scripts/lsan.supp" \
UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1" \
  ctest --test-dir build-asan --output-on-failure -j"$(nproc)"

bash scripts/fuzz.sh 30
