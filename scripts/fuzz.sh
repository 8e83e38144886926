#!/usr/bin/env bash
# Runs each fuzzer for longer than the test command does: scripts/fuzz.sh [SECONDS] (default
# 600 each). Findings are left in build/linux-asan/fuzz/ as crash-* files.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
seconds=${1:-600}
cmake --preset linux-asan -DORVANE_FUZZ_SECONDS="$seconds" >/dev/null
cmake --build --preset linux-asan
ctest --test-dir build/linux-asan -L fuzz --output-on-failure --timeout $((seconds * 2 + 60))
