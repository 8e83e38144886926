#!/usr/bin/env bash
# Builds and runs every test of both targets: the native Linux build, the same under
# AddressSanitizer and UndefinedBehaviorSanitizer with short fuzzer runs, and the Windows build
# under Wine. Installs what it needs first. Exits non-zero when any test fails.
set -uo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh || exit 1

passed=0
failed=0
status=0
for preset in linux linux-asan windows; do
  echo "=== $preset ==="
  log="build/$preset-test.log"
  mkdir -p build
  cmake --workflow --preset "$preset" 2>&1 | tee "$log"
  [ "${PIPESTATUS[0]}" -eq 0 ] || status=1
  summary=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -n 1)
  if [ -n "$summary" ]; then
    total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$summary")
    bad=$(sed -E 's/.* ([0-9]+) tests failed.*/\1/' <<<"$summary")
    passed=$((passed + total - bad))
    failed=$((failed + bad))
  else
    status=1
  fi
done

# Wine's server lingers after the last program; end it so nothing outlives the run.
if [ -x /usr/lib/wine/wineserver ]; then
  WINEPREFIX="$PWD/build/windows/wineprefix" /usr/lib/wine/wineserver -k 2>/dev/null || true
fi

echo "total: $passed passed, $failed failed"
exit $status
