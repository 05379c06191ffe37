#!/usr/bin/env bash
# Installs what is needed, builds with warnings as errors and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
build=${QUILLMERE_BUILD_DIR:-build/test}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLMERE_WERROR=ON >/dev/null
cmake --build "$build" -j "$(nproc)"
ctest --test-dir "$build" --output-on-failure -j "$(nproc)" --timeout 300
