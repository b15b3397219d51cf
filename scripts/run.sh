#!/usr/bin/env bash
# Installs what is needed, builds everything and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/packages.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
if [ -x build/interface/Tamberlix ]; then
  # With no file named, the program opens the bundled example grammar (Typical notation).
  if [ "$#" -eq 0 ]; then
    set -- "$PWD/interface/examples/expression.grm"
  fi
  exec build/interface/Tamberlix "$@"
fi
echo "The Tamberlix window program is not built yet; running the tests of what exists instead."
ctest --test-dir build --output-on-failure -j"$(nproc)"
