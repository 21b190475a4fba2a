#!/usr/bin/env bash
# Runs a program on a virtual X server with two X screens of different sizes, which Qt
# shows as two QScreens. Usage: two-screens.sh PROGRAM [ARGUMENTS...]
set -euo pipefail
if ! command -v xvfb-run >/dev/null || ! command -v Xvfb >/dev/null; then
  echo "skipped: Xvfb is missing (scripts/setup installs xvfb)"
  exit 77
fi
unset QT_QPA_PLATFORM
exec xvfb-run -a -s "-screen 0 1280x800x24 -screen 1 1024x768x24" "$@"
