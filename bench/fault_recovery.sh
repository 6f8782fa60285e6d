#!/usr/bin/env bash
# How long a page on the engine takes to come back from each fault, measured from the fault to
# the page on screen again (its colour read back from the browser window): the engine killed
# hard, the page's renderer killed (the reload as the program does it), a script that never
# yields (noticed by the 15 s liveness probe, so that wait is in the figure).
#   bench/fault_recovery.sh <build-dir> [runs]
set -uo pipefail
. "$(dirname "$0")/../scripts/lib/common.sh"
build=$(cd "${1:?usage: bench/fault_recovery.sh <build-dir> [runs]}" && pwd)
runs=${2:-3}
KELPA_TMP=$(mktemp -d /tmp/kelpa-fault-bench.XXXXXX)
trap cleanup EXIT
start_xvfb || exit 1
wine_prefix "$KELPA_TMP/wineprefix"
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
cd "$build/bin" || exit 1  # the tests load the libcef.dll of the folder they start in
for run in $(seq 1 "$runs"); do
  "$WINE64" ../tests/runtime_engine_heal_test.exe \
    --gtest_filter='EngineHealTest.AKilled*:EngineHealTest.APageWhose*' </dev/null 2>&1 |
    tr -d '\r' | sed -n "s/^recovery /run=$run /p"
done
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
