#!/usr/bin/env bash
# Runs a program on a virtual X server of its own under openbox (its own settings: four
# workspaces). Usage: under-openbox.sh PROGRAM [ARGUMENTS...]
set -euo pipefail
for tool in Xvfb openbox xprop; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is missing (scripts/setup installs it)"; exit 77; }
done
source "$(dirname "$0")/../Support/xvfb.sh"
home=$(mktemp -d)
wm=""
stop() {
  [ -z "$wm" ] || { kill "$wm" 2>/dev/null || true; wait "$wm" 2>/dev/null || true; }
  xvfb_stop
  rm -rf "$home"
}
trap stop EXIT
unset QT_QPA_PLATFORM
xvfb_start -screen 0 1920x1080x24 || { xvfb_log; exit 1; }
HOME="$home" openbox --sm-disable >"$home/openbox.log" 2>&1 &
wm=$!
# Once openbox manages the screen, it names itself on the root window.
for _ in $(seq 300); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
  kill -0 "$wm" 2>/dev/null || { echo "openbox ended"; cat "$home/openbox.log"; exit 1; }
  sleep 0.1
done
status=0
xvfb_run "$@" || { status=$?; echo "--- openbox log"; cat "$home/openbox.log"; }
exit "$status"
