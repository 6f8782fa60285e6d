#!/usr/bin/env bash
# What the saver costs on the page engine: the program and its engine processes (found in
# /proc by the engine profile under the run's folder), CPU seconds and resident memory.
#   bench/engine_idle.sh <bin-dir> [idle-seconds] [rotation-seconds]
# Idle: five monitors (a nested Xephyr), each on a static page of its own, no rotation.
# Rotation: the same five monitors rotating their pages every 5 s; memory at its start and end.
set -uo pipefail
# shellcheck source=../scripts/lib/common.sh
. "$(dirname "$0")/../scripts/lib/common.sh"
bin=$(cd "${1:?usage: bench/engine_idle.sh <bin-dir> [idle-s] [rotation-s]}" && pwd)
idle=${2:-60}
rotation=${3:-600}
KELPA_TMP=$(mktemp -d /tmp/kelpa-engine-bench.XXXXXX)
trap cleanup EXIT

start_monitors 3200x600x24 640x480+0+0 640x480+640+0 640x480+1280+0 640x480+1920+0 640x480+2560+0 || exit 1
wine_prefix "$KELPA_TMP/wineprefix"
unset STANDIN_RUNTIME_BROWSER

pages=$KELPA_TMP/pages
mkdir -p "$pages"
for i in 1 2 3 4 5; do
  printf '<title>Static %s</title><body style="font:40px sans-serif;background:#%s">Static page %s</body>' \
    "$i" "$((i * 111111 % 999999))" "$i" >"$pages/p$i.html"
done
url() { echo "file:///Z:$pages/p$1.html"; }

# cpu_ticks and rss_kb of the program and its engine, by the marker on their command lines.
measure() {
  local marker=$1 program=$2 ticks=0 rss=0 pid stat fields
  for pid in $(pgrep -f "$marker") "$program"; do
    stat=$(cat "/proc/$pid/stat" 2>/dev/null) || continue
    # The fields after the command's name, from the state on: user and system time are 12th and 13th.
    read -ra fields <<<"${stat##*) }"
    ticks=$((ticks + fields[11] + fields[12]))
    rss=$((rss + $(awk '/VmRSS/{print $2}' "/proc/$pid/status" 2>/dev/null || echo 0)))
  done
  echo "$ticks $rss"
}

# run <rotate-delay-ms> <seconds> <label> <list per monitor...>
run() {
  local delay=$1 seconds=$2 label=$3; shift 3
  local appdata ini n=1 entry
  appdata=$("$WINE64" winepath -u "$("$WINE64" cmd /c 'echo %APPDATA%' </dev/null 2>/dev/null | tr -d '\r')" 2>/dev/null)
  mkdir -p "$appdata"; ini="$appdata/KelpaScreenSaver.INI"
  printf '[Config]\r\nDisplayDelay=2000\r\nRotateDelay=%s\r\n' "$delay" >"$ini"
  for entry in "$@"; do printf 'ScreenURL%s=%s\r\n' "$n" "$entry" >>"$ini"; n=$((n + 1)); done
  local work=$KELPA_TMP/run-$label
  mkdir -p "$work"; cp -r "$bin"/. "$work"/
  cd "$work" || return 1
  "$WINE64" KelpaScreenSaver.scr /S </dev/null >/dev/null 2>&1 &
  local program=$!
  cd - >/dev/null || return 1
  sleep 15  # start-up and first loads are not idle
  local hz t0 r0 t1 r1
  hz=$(getconf CLK_TCK)
  read -r t0 r0 < <(measure "run-$label/cache" "$program")
  sleep "$seconds"
  read -r t1 r1 < <(measure "run-$label/cache" "$program")
  local engines
  engines=$(pgrep -fc "run-$label/cache.*StandinEngine")
  echo "$label: ${seconds}s, processes=$((engines + 1)), cpu=$(awk "BEGIN{printf \"%.2f\", ($t1-$t0)/$hz}")s" \
    "($(awk "BEGIN{printf \"%.1f\", 100*($t1-$t0)/$hz/$seconds}")% of one core), rss start=$((r0 / 1024)) MiB end=$((r1 / 1024)) MiB"
  kill "$program" 2>/dev/null; wait "$program" 2>/dev/null
  stop_wine; "$WINESERVER" -p </dev/null >/dev/null 2>&1
  sleep 4  # the engine ends once its pipe closes
}

run 3600000 "$idle" idle "$(url 1)" "$(url 2)" "$(url 3)" "$(url 4)" "$(url 5)"
all="$(url 1),$(url 2),$(url 3),$(url 4),$(url 5)"
[ "$rotation" -gt 0 ] && run 5000 "$rotation" rotation "$all" "$all" "$all" "$all" "$all"
