#!/usr/bin/env bash
# The saver's memory on the page engine over a long run, against Debian's chromium showing the
# same pages in its own windows on the same display (the floor: the engine without the saver).
# Proportional set size (PSS, /proc/<pid>/smaps_rollup) of every process involved, sampled every
# minute: the saver's side is every process of its Wine prefix (the program, wineserver and
# Wine's own services) and the engine's processes; the floor's is chromium and its children.
#   bench/engine_memory.sh <bin-dir> [minutes]    (default KELPA_ENGINE_MEMORY_MINUTES or 120)
# rotation: five monitors (a nested Xephyr) rotating five http pages at the shortest delay (5 s).
# poll: one monitor (1280x720) on a page that fetches a 200 kB JSON document every second and
# redraws a chart.
# Growth is measured from the tenth minute (from a third of the run when it is shorter).
# All four runs (each scenario's saver and its floor) go at once, each on a display of its own
# with the same layout, so that two two-hour scenarios take two hours, and saver and floor see
# the same machine at the same moments.
set -uo pipefail
. "$(dirname "$0")/../scripts/lib/common.sh"
. "$(dirname "$0")/../scripts/lib/nginx.sh"
bin=$(cd "${1:?usage: bench/engine_memory.sh <bin-dir> [minutes]}" && pwd)
minutes=${2:-${KELPA_ENGINE_MEMORY_MINUTES:-120}}
sample=${KELPA_SAMPLE_SECONDS:-60}
settle=$((minutes >= 30 ? 10 : (minutes + 2) / 3))
KELPA_TMP=$(mktemp -d /tmp/kelpa-engine-memory.XXXXXX)
FLOOR_PID=
trap 'declare -F stop_floor >/dev/null && stop_floor; stop_nginx; cleanup' EXIT

www=$KELPA_TMP/www
# nginx's workers run as another user: they must be able to read the pages.
chmod 755 "$KELPA_TMP"
python3 "$(dirname "$0")/engine_memory_pages.py" "$www" || exit 1
start_nginx "$www" || exit 1
base="http://127.0.0.1:$NGINX_PORT"
unset STANDIN_RUNTIME_BROWSER
# The savers' journals (their recycles among them) and output outlive the run.
logs=${KELPA_ENGINE_MEMORY_LOGS:-/tmp/engine-memory-logs}
rm -rf "$logs"; mkdir -p "$logs"

pss_kb() {  # pss_kb <pid...>: the sum of their proportional set sizes
  local total=0 pid kb
  for pid in "$@"; do
    kb=$(awk '/^Pss:/{print $2}' "/proc/$pid/smaps_rollup" 2>/dev/null) || continue
    total=$((total + ${kb:-0}))
  done
  echo "$total"
}

descendants() {  # descendants <pid>: it and every process below it
  local all
  all=$(ps -e -o pid=,ppid=)
  local queue=("$1") found=("$1") pid child
  while [ ${#queue[@]} -gt 0 ]; do
    pid=${queue[0]}; queue=("${queue[@]:1}")
    while read -r child; do queue+=("$child"); found+=("$child"); done < <(awk -v p="$pid" '$2 == p {print $1}' <<<"$all")
  done
  echo "${found[@]}"
}

# The saver's processes: whatever carries this prefix in its environment (Wine hands it to the
# Unix engine too), and every process below the engine's (its zygotes start theirs with an
# environment of their own). Prints "<program side kB> <engine kB> <engine processes>".
saver_sample() {
  local pid program=() engine=() below=()
  while read -r pid; do
    case $(readlink "/proc/$pid/exe" 2>/dev/null) in
      */chromium|*/cat) engine+=("$pid") ;;  # cat: the engine's output drain
      */wine*) program+=("$pid") ;;  # the program, wineserver and Wine's services
    esac
  done < <(grep -lsF "WINEPREFIX=$WINEPREFIX" /proc/[0-9]*/environ | cut -d/ -f3)
  [ ${#engine[@]} -gt 0 ] && read -r -a below <<<"$(for pid in "${engine[@]}"; do descendants "$pid"; done | tr ' ' '\n' | sort -u | tr '\n' ' ')"
  engine=("${below[@]}")
  echo "$(pss_kb "${program[@]}") $(pss_kb "${engine[@]}") ${#engine[@]}"
}

stop_floor() {
  [ -n "${FLOOR_PID:-}" ] || return 0
  local pids; pids=$(descendants "$FLOOR_PID")
  # shellcheck disable=SC2086
  kill $pids 2>/dev/null; sleep 2
  # shellcheck disable=SC2086
  kill -9 $pids 2>/dev/null
  FLOOR_PID=
}

# measure <label> <side>: samples until the run's end; prints the figures line.
measure() {
  local label=$1 side=$2 start now m=0 line first_total=0 settled_total=0 total=0 peak=0 program engine count
  start=$(date +%s)
  while :; do
    sleep "$sample"; m=$((m + 1))
    if [ "$side" = saver ]; then read -r program engine count < <(saver_sample)
    else
      local floor_pids
      read -r -a floor_pids <<<"$(descendants "$FLOOR_PID")"
      program=0; engine=$(pss_kb "${floor_pids[@]}"); count=${#floor_pids[@]}
    fi
    total=$((program + engine))
    [ "$m" -eq 1 ] && first_total=$total
    [ "$m" -eq "$settle" ] && settled_total=$total
    [ "$total" -gt "$peak" ] && peak=$total
    line="$label $side minute=$m total=$((total / 1024))MiB program=$((program / 1024))MiB engine=$((engine / 1024))MiB processes=$count"
    echo "$line" >>"$KELPA_TMP/samples.txt"
    [ -n "${KELPA_VERBOSE:-}" ] && echo "  $line"
    now=$(date +%s)
    [ $((now - start)) -ge $((minutes * 60)) ] && break
  done
  local growth
  growth=$(awk -v a="$settled_total" -v b="$total" 'BEGIN{ if (a > 0) printf "%+.1f", 100 * (b - a) / a; else print "n/a" }')
  echo "$label $side: end=$((total / 1024))MiB first=$((first_total / 1024))MiB minute$settle=$((settled_total / 1024))MiB peak=$((peak / 1024))MiB growth_after_minute$settle=${growth}%" |
    tee "$KELPA_TMP/result-$label-$side.txt"
  echo "$total" >"$KELPA_TMP/end-$label-$side"
}

write_settings() {  # write_settings <rotate-delay-ms> <list per monitor...>
  local delay=$1; shift
  local appdata ini n=1 entry
  appdata=$("$WINE64" winepath -u "$("$WINE64" cmd /c 'echo %APPDATA%' </dev/null 2>/dev/null | tr -d '\r')" 2>/dev/null)
  mkdir -p "$appdata"; ini="$appdata/KelpaScreenSaver.INI"
  printf '[Config]\r\nDisplayDelay=2000\r\nRotateDelay=%s\r\n' "$delay" >"$ini"
  for entry in "$@"; do printf 'ScreenURL%s=%s\r\n' "$n" "$entry" >>"$ini"; n=$((n + 1)); done
}

saver_run() {  # saver_run <label> <rotate-delay-ms> <list per monitor...>
  local label=$1; shift
  write_settings "$@"
  local work=$KELPA_TMP/run-$label
  mkdir -p "$work"; cp -r "$bin"/. "$work"/
  # As a user's copy from the release: without the build's debug information, which Wine
  # loads with the image and which would count as the program's memory.
  x86_64-w64-mingw32-strip --strip-debug "$work/KelpaScreenSaver.scr" "$work/libcef.dll"
  (cd "$work" && STANDIN_RUNTIME_JOURNAL=$("$WINE64" winepath -w "$logs/journal-$label.txt" 2>/dev/null) \
    exec "$WINE64" KelpaScreenSaver.scr /S </dev/null >"$logs/saver-$label.txt" 2>&1) &
  local program=$!
  measure "$label" saver
  kill "$program" 2>/dev/null; wait "$program" 2>/dev/null
}

# floor_run <label> <url per window...> [width]: one chromium, a window per monitor (640x480, or
# width x 720 for a single one).
floor_run() {
  local label=$1; shift
  local size=640,480
  if [ $# -eq 2 ]; then size=$2,720; set -- "$1"; fi
  local profile=$KELPA_TMP/floor-$label x=0 url first=1
  for url in "$@"; do
    if [ "$first" = 1 ]; then
      chromium --no-sandbox --user-data-dir="$profile" --no-first-run --disable-gpu --window-position=$x,0 \
        --window-size="$size" --app="$url" </dev/null >/dev/null 2>&1 &
      FLOOR_PID=$!
      first=0; sleep 5
    else
      chromium --no-sandbox --user-data-dir="$profile" --window-position=$x,0 --window-size="$size" \
        --app="$url" </dev/null >/dev/null 2>&1
    fi
    x=$((x + 640))
  done
  measure "$label" floor
  stop_floor
}

ratio() {  # ratio <label>
  local saver floor
  saver=$(cat "$KELPA_TMP/end-$1-saver" 2>/dev/null || echo 0)
  floor=$(cat "$KELPA_TMP/end-$1-floor" 2>/dev/null || echo 0)
  awk -v s="$saver" -v f="$floor" -v l="$1" 'BEGIN{ if (f > 0) printf "%s: saver/floor total PSS at the end = %.2fx\n", l, s / f }'
}

# side <scenario> <saver|floor> <monitors...> -- <run command...>: one run in a subshell of its
# own, with its own displays (and Wine prefix for the saver), ended with it.
side() {
  local label=$1 which=$2; shift 2
  local monitors=()
  while [ "$1" != -- ]; do monitors+=("$1"); shift; done
  shift
  # Displays one after the other: two starting at once would take the same free number.
  local outer=${DISPLAY-}
  start_monitors "${monitors[@]}" || exit 1
  (
    trap 'stop_floor; stop_wine; stop_displays' EXIT
    # Wine reads the monitors when its server starts, with the prefix's X11 settings.
    [ "$which" = saver ] && { wine_prefix "$KELPA_TMP/prefix-$label"; restart_wine; }
    "$@"
  ) >"$logs/side-$label-$which.txt" 2>&1 &
  KELPA_XEPHYR_PID='' KELPA_XVFB_PID='' DISPLAY=$outer
}

log "machine: nproc $(nproc), load $(cut -d' ' -f1-3 /proc/loadavg), $minutes minutes per run, sampled every ${sample}s, all four runs at once"
five=(3200x600x24 640x480+0+0 640x480+640+0 640x480+1280+0 640x480+1920+0 640x480+2560+0)
one=(1280x720x24 1280x720+0+0)
lists=() floors=()
for i in 1 2 3 4 5; do
  list=""
  for k in 0 1 2 3 4; do list="$list${list:+,}$base/pages/p$(((i + k - 1) % 5 + 1)).html"; done
  lists+=("$list"); floors+=("$base/floor/p$i.html")
done
side rotation saver "${five[@]}" -- saver_run rotation 5000 "${lists[@]}"
side rotation floor "${five[@]}" -- floor_run rotation "${floors[@]}"
side poll saver "${one[@]}" -- saver_run poll 3600000 "$base/pages/poll.html"
side poll floor "${one[@]}" -- floor_run poll "$base/pages/poll.html" 1280
wait
cat "$KELPA_TMP"/result-*.txt
samples=${KELPA_ENGINE_MEMORY_SAMPLES:-/tmp/engine-memory-samples.txt}
sort -s -k1,2 "$KELPA_TMP/samples.txt" >"$samples" && log "every sample: $samples; journals and output: $logs"
ratio rotation
ratio poll
log "load at the end: $(cut -d' ' -f1-3 /proc/loadavg)"
