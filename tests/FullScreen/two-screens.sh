#!/usr/bin/env bash
# Runs a program on a virtual X server with two X screens of different sizes, which Qt
# shows as two QScreens. Usage: two-screens.sh PROGRAM [ARGUMENTS...]
set -euo pipefail
if ! command -v Xvfb >/dev/null; then
  echo "skipped: Xvfb is missing (scripts/setup installs xvfb)"
  exit 77
fi
source "$(dirname "$0")/../Support/xvfb.sh"
trap xvfb_stop EXIT
unset QT_QPA_PLATFORM
xvfb_start -screen 0 1280x800x24 -screen 1 1024x768x24 || { xvfb_log; exit 1; }
status=0
xvfb_run "$@" || status=$?
exit "$status"
