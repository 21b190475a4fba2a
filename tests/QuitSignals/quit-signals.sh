#!/usr/bin/env bash
# Starts the probe with the washer, then with the display test, 20 times each on a virtual X
# server, sends each run a quit signal (TERM, INT and HUP in turn) once its full-screen
# window shows, and expects the process gone with status 0 and no keep-awake hold left.
# Usage: quit-signals.sh PROBE
set -euo pipefail
probe=$1
if ! command -v Xvfb >/dev/null; then
  echo "skipped: Xvfb is missing (scripts/setup installs xvfb)"
  exit 77
fi
source "$(dirname "$0")/../Support/xvfb.sh"
scratch=$(mktemp -d /tmp/zantiva-quit.XXXXXX)
cleanup() {
  for pid in $(jobs -p); do kill -KILL "$pid" 2>/dev/null || true; done
  xvfb_stop
  rm -rf "$scratch"
}
trap cleanup EXIT
unset QT_QPA_PLATFORM
xvfb_start -screen 0 1280x800x24 || { xvfb_log; exit 1; }

fail() {
  echo "FAILED: $*"
  cat "$out" 2>/dev/null || true
  xvfb_log
  exit 1
}

out=""
signals=(TERM INT HUP)
for what in washer display-test; do
  for run in $(seq 20); do
    signal=${signals[$((run % 3))]}
    # A file of each run's own: the shell truncates it only once the job has started.
    out="$scratch/$what-$run.out"
    # A background job starts with SIGINT ignored, which the program keeps ignored: give it back.
    env --default-signal=INT "$probe" "$what" >"$out" 2>&1 &
    pid=$!
    for _ in $(seq 600); do
      grep -q '^ready$' "$out" && break
      kill -0 "$pid" 2>/dev/null || fail "$what run $run: the probe ended before its full-screen window showed"
      sleep 0.05
    done
    grep -q '^ready$' "$out" || fail "$what run $run: no full-screen window showed"
    kill "-$signal" "$pid"
    gone=""
    for _ in $(seq 200); do
      kill -0 "$pid" 2>/dev/null || { gone=yes; break; }
      sleep 0.05
    done
    [ -n "$gone" ] || fail "$what run $run: still running 10 s after SIG$signal"
    set +e; wait "$pid"; status=$?; set -e
    [ "$status" -eq 0 ] || fail "$what run $run: SIG$signal ended the probe with status $status"
    grep -q '^holds taken: 0$' "$out" || fail "$what run $run: a keep-awake hold was left taken"
  done
  echo "$what: 20 quit signals, 20 ends"
done
echo "passed"
