# Shared by the scripts: package set-up, the cross build, and a Wine prefix (a
# throw-away one, or one kept between runs) on a virtual X display.
# shellcheck shell=bash

KELPA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
WINE64=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver

KELPA_PACKAGES=(
  cmake ninja-build python3 googletest
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
  wine64 xvfb xdotool imagemagick xserver-xephyr x11-utils
  chromium nlohmann-json3-dev ccache shellcheck
)

# The runtime shows real pages through an installed Chromium; tests keep its text display
# (deterministic and fast) unless STANDIN_RUNTIME_BROWSER says otherwise. scripts/run
# restores the user's own choice.
# shellcheck disable=SC2034  # read by scripts/run
KELPA_USER_BROWSER=${STANDIN_RUNTIME_BROWSER-}
export STANDIN_RUNTIME_BROWSER=${STANDIN_RUNTIME_BROWSER:-none}

log() { printf '[kelpa] %s\n' "$*" >&2; }

# Installs the Debian packages that are missing; does nothing when all are there.
ensure_packages() {
  local missing=() p
  for p in "${KELPA_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  log "installing: ${missing[*]}"
  local sudo=; [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# build_preset <preset> [cmake targets...]: configures (once) and builds the
# targets named, or everything.
build_preset() {
  local preset=$1; shift
  local targets=()
  [ $# -gt 0 ] && targets=(--target "$@")
  cd "$KELPA_ROOT" || return 1
  if [ ! -f "build/$preset/build.ninja" ]; then
    # A compiler cache, where the machine has one, makes rebuilds of a fresh clone quick.
    local launcher=()
    command -v ccache >/dev/null &&
      launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
    cmake --preset "$preset" "${launcher[@]}" >/dev/null || return 1
  fi
  cmake --build --preset "$preset" "${targets[@]}" -- -k 0
}

# start_xvfb [WxHxD]: gives DISPLAY a private virtual X server, stopped on exit.
start_xvfb() {
  local geometry=${1:-1920x1080x24} n
  for n in $(seq 91 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 "$geometry" -nolisten tcp >/dev/null 2>&1 &
    KELPA_XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 1 50); do
      xdpyinfo >/dev/null 2>&1 && return 0
      sleep 0.1
    done
    log "Xvfb on :$n did not come up"; return 1
  done
  log "no free X display number"; return 1
}

# wine_prefix <dir> [keep]: a fresh Wine prefix with a persistent server, tuned
# for windows without a window manager; with "keep", the prefix already there
# (and whatever settings it holds) is used as it is. Everything it starts
# inherits no output of ours, so callers can capture a program's output without
# waiting on Wine's services.
wine_prefix() {
  export WINEPREFIX=$1 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  if [ "${2:-}" = keep ] && [ -f "$WINEPREFIX/system.reg" ]; then
    # Wine's services start with the first program and inherit its output: here, so that no
    # test runner waits on them for the end of a test's output.
    "$WINESERVER" -p </dev/null >/dev/null 2>&1
    "$WINE64" cmd /c exit </dev/null >/dev/null 2>&1
    return 0
  fi
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  "$WINESERVER" -p </dev/null >/dev/null 2>&1
  "$WINE64" cmd /c exit </dev/null >/dev/null 2>&1
  # Without a window manager Wine waits 2 s in every DestroyWindow of a top-level window.
  "$WINE64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f </dev/null >/dev/null 2>&1
  "$WINE64" reg add 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /t REG_SZ /d N /f </dev/null >/dev/null 2>&1
}

# start_monitors <host WxHxD> <Xephyr -screen geometry...>: several monitors side by
# side as Wine sees them: a nested Xephyr with Xinerama on a private Xvfb (Xvfb's own
# Xinerama stacks its screens at one place). Call before wine_prefix, or end the Wine
# server before: Wine reads the monitor layout when its server starts.
start_monitors() {
  local host_geometry=$1; shift
  start_xvfb "$host_geometry" || return 1
  local host=$DISPLAY n screens=() s
  for s in "$@"; do screens+=(-screen "$s"); done
  for n in $(seq 141 190); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    DISPLAY=$host Xephyr ":$n" -ac +xinerama "${screens[@]}" >/dev/null 2>&1 &
    KELPA_XEPHYR_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 1 50); do
      xdpyinfo >/dev/null 2>&1 && return 0
      sleep 0.1
    done
    log "Xephyr on :$n did not come up"; return 1
  done
  log "no free X display number"; return 1
}

# Two monitors: 1280x720 at (0, 0) and 1024x768 at (1280, 0).
start_two_monitors() { start_monitors 2560x1024x24 1280x720+0+0 1024x768+1280+0; }

# Three monitors in a row, as on a wall: 1024x640, 800x600 and 800x600.
start_three_monitors() { start_monitors 2624x768x24 1024x640+0+0 800x600+1024+0 800x600+1824+0; }

# Ends the prefix's Wine server and starts it again, so that it reads the X11
# driver settings and the monitor layout anew.
restart_wine() {
  stop_wine
  "$WINESERVER" -p </dev/null >/dev/null 2>&1
  "$WINE64" cmd /c exit </dev/null >/dev/null 2>&1
}

stop_wine() {
  [ -n "${WINEPREFIX:-}" ] && "$WINESERVER" -k </dev/null >/dev/null 2>&1
  return 0
}

# Ends this script's X servers (the nested one first), so another layout can start.
stop_displays() {
  [ -n "${KELPA_XEPHYR_PID:-}" ] && kill "$KELPA_XEPHYR_PID" 2>/dev/null
  [ -n "${KELPA_XVFB_PID:-}" ] && kill "$KELPA_XVFB_PID" 2>/dev/null
  KELPA_XEPHYR_PID='' KELPA_XVFB_PID=''
  return 0
}

# check_scripts: shellcheck over every shell script of the tree.
check_scripts() {
  local scripts
  mapfile -t scripts < <(cd "$KELPA_ROOT" && grep -rlE '^#!/usr/bin/env bash|^# shellcheck shell=' scripts bench)
  (cd "$KELPA_ROOT" && shellcheck -x "${scripts[@]}")
}

cleanup() {
  stop_wine
  [ -n "${KELPA_XEPHYR_PID:-}" ] && kill "$KELPA_XEPHYR_PID" 2>/dev/null
  [ -n "${KELPA_XVFB_PID:-}" ] && kill "$KELPA_XVFB_PID" 2>/dev/null
  [ -n "${KELPA_TMP:-}" ] && rm -rf "$KELPA_TMP"
  return 0
}
