#!/usr/bin/env bash
# The real program under a virtual X server, with a home, runtime and data folders of its
# own and, where the system allows, no network: its window maps at its size, a second launch
# hands its link over and ends, a signal quits cleanly, and a crashed instance is taken over.
# Usage: window.sh PROGRAM
set -euo pipefail
program=$1
if ! command -v Xvfb >/dev/null || ! command -v xwininfo >/dev/null; then
  echo "skipped: Xvfb or xwininfo is missing (scripts/setup installs xvfb and x11-utils)"
  exit 77
fi
source "$(dirname "$0")/../Support/xvfb.sh"

scratch=$(mktemp -d /tmp/zantiva-smoke.XXXXXX)
cleanup() {
  xvfb_stop
  # Only this shell's children that have not been waited for: a failed run leaves no program.
  for pid in $(jobs -p); do kill -KILL "$pid" 2>/dev/null || true; done
  rm -rf "$scratch"
}
trap cleanup EXIT
mkdir -m 700 "$scratch/home" "$scratch/runtime"
export HOME="$scratch/home" XDG_RUNTIME_DIR="$scratch/runtime" XDG_DATA_HOME="$scratch/home/data" \
  XDG_CONFIG_HOME="$scratch/home/config"
unset QT_QPA_PLATFORM
title="Zantiva Diagnostics"
socket="$XDG_RUNTIME_DIR/zantiva-diagnostics.socket"
lock="$XDG_RUNTIME_DIR/zantiva-diagnostics.lock"

# The update check must not reach the real site: each launch gets a network namespace of
# its own with nothing in it. X, D-Bus and the program's socket are files, so they still work.
offline=()
if unshare --net --map-current-user true 2>/dev/null; then
  offline=(unshare --net --map-current-user)
else
  echo "note: no network namespace here; the program runs with the machine's network"
fi

fail() {
  echo "FAILED: $*"
  for log in "$scratch"/*.log; do [ -e "$log" ] && { echo "--- $log"; cat "$log"; }; done
  xvfb_log
  exit 1
}

xvfb_start -screen 0 1920x1080x24 || fail "no X server"

# Runs the program with these arguments, in the foreground (bounded) or, with --background,
# as the window whose pid goes to $pid; the X server must still be there for it.
launch() {
  xvfb_check || fail "before the launch that logs to $1.log"
  local log=$1 mode=$2
  shift 2
  if [ "$mode" = --background ]; then
    "${offline[@]}" "$program" "$@" >"$scratch/$log.log" 2>&1 &
    pid=$!
  else
    timeout 30 "${offline[@]}" "$program" "$@" >"$scratch/$log.log" 2>&1
  fi
}

# Starts the window in the background; its pid in $pid.
start() { launch "$1" --background; }

# Waits until the window is viewable; the program must live meanwhile.
await_window() {
  for _ in $(seq 600); do
    kill -0 "$pid" 2>/dev/null || fail "the program ended before its window showed"
    xwininfo -name "$title" 2>/dev/null | grep -q "Map State: IsViewable" && return 0
    sleep 0.1
  done
  fail "no window named \"$title\" showed"
}

# Sends the signal and waits for the program's exit status (a hang fails).
quit_with() {
  kill "-$1" "$pid"
  for _ in $(seq 600); do
    if ! kill -0 "$pid" 2>/dev/null; then
      set +e; wait "$pid"; status=$?; set -e
      [ "$status" -eq 0 ] || fail "$1 ended the program with status $status"
      return 0
    fi
    sleep 0.1
  done
  fail "the program did not quit on $1"
}

windows() { xwininfo -root -tree | grep -c "\"$title\"" || true; }

leftovers() {
  [ ! -e "$socket" ] || fail "the socket was left behind"
  [ ! -e "$lock" ] || fail "the lock was left behind"
  [ -z "$(find "$scratch" -name ".zantiva-ssd-test-*")" ] ||
    fail "a storage test file was left behind"
}

start first
await_window
info=$(xwininfo -name "$title")
grep -q "Width: 1440" <<<"$info" && grep -q "Height: 900" <<<"$info" || fail "the window is not 1440 x 900: $info"
xprop -name "$title" WM_NORMAL_HINTS | grep -q "minimum size: 1100 by 720" || fail "the window's minimum is not 1100 x 720"
[ -S "$socket" ] && [ -f "$lock" ] || fail "the running program has no socket and lock in its runtime folder"
[ ! -e "$XDG_DATA_HOME/ZantivaDiagnostics/zantiva-diagnostics.lock" ] || fail "the lock is in the data folder"

# Later launches hand over and end at once (the guard is wide for a loaded machine; the
# program itself gives up after 2 s), opening no second window.
launch link --wait "zantiva://auth?code=smoke&state=none&site=zantiva.com" ||
  fail "the launch with a link did not hand over (status $?)"
launch again --wait || fail "a second launch did not hand over (status $?)"
[ "$(windows)" -eq 1 ] || fail "a later launch opened a window of its own"
kill -0 "$pid" 2>/dev/null || fail "the program ended after the hand-overs"

quit_with TERM
leftovers

# A crashed instance leaves its socket and lock; the next launch takes over.
start crashed
await_window
kill -KILL "$pid"
wait "$pid" 2>/dev/null || true
[ -S "$socket" ] || fail "the killed program's socket is gone: nothing was tested"
# The X server drops the killed program's window only once it has read the closed connection; on a
# loaded machine that window could pass for the next one's, which would then get its signal before
# it can take it.
for _ in $(seq 600); do [ "$(windows)" -eq 0 ] && break; sleep 0.1; done
[ "$(windows)" -eq 0 ] || fail "the killed program's window stayed"
start takeover
await_window
quit_with HUP
leftovers
echo "passed"
