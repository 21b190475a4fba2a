#!/usr/bin/env bash
# Runs a program under a real window manager on an X server of its own.
# Usage: under-window-manager.sh SERVER MANAGER PROGRAM [ARGUMENTS...]
#   SERVER   xvfb: one screen of 1920x1080. xorg: Xorg with the dummy driver (two-outputs.conf
#            beside this script), whose outputs xrandr switches on and off, moves and changes as
#            monitors come and go; DUMMY0 starts alone at 1920x1080, and every output has the
#            modes the tests give them. Xorg runs as root.
#   MANAGER  openbox, xfwm4, icewm, metacity or fluxbox, with its own settings in a scratch home.
# The program finds the manager's name in ZANTIVA_WINDOW_MANAGER. Nothing else runs on the server,
# and nothing else queries its screens. Skipped (77) where the server, the manager or a tool the
# tests drive the desktop with is missing.
set -euo pipefail
server=$1 manager=$2
shift 2
here=$(cd "$(dirname "$0")" && pwd)
tools=(xprop "$manager")
case "$server" in
  xvfb) tools+=(Xvfb) ;;
  xorg) tools+=(Xorg xrandr xdotool xterm) ;;
  *) echo "unknown X server: $server"; exit 2 ;;
esac
for tool in "${tools[@]}"; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is missing (scripts/setup installs it)"; exit 77; }
done
source "$here/../Support/xvfb.sh"
home=$(mktemp -d)
wm=""
stop() {
  if [ -n "$wm" ]; then
    # fluxbox may stay after SIGTERM while it tidies up: killed after a moment.
    kill "$wm" 2>/dev/null || true
    for _ in $(seq 20); do kill -0 "$wm" 2>/dev/null || break; sleep 0.1; done
    kill -KILL "$wm" 2>/dev/null || true
    wait "$wm" 2>/dev/null || true
  fi
  xvfb_stop
  rm -rf "$home"
}
trap stop EXIT
unset QT_QPA_PLATFORM
if [ "$server" = xvfb ]; then
  xvfb_start -screen 0 1920x1080x24 || { xvfb_log; exit 1; }
else
  # Only this configuration: an empty folder stands for the system's configuration snippets.
  mkdir "$home/xorg.conf.d"
  xserver_start Xorg -config "$here/two-outputs.conf" -configdir "$home/xorg.conf.d" \
    -logfile "$home/xorg.log" || { xvfb_log; cat "$home/xorg.log" 2>/dev/null || true; exit 1; }
  # The configuration's modes are the first output's; the others are given them.
  for output in DUMMY1 DUMMY2; do
    for mode in 2560x1440 1920x1080 1366x768 1280x720; do xrandr --addmode "$output" "$mode"; done
  done
  xrandr --output DUMMY0 --mode 1920x1080 --pos 0x0 --primary --output DUMMY1 --off --output DUMMY2 --off
fi
export ZANTIVA_WINDOW_MANAGER="$manager"
case "$manager" in
  openbox) command=(openbox --sm-disable) ;;
  xfwm4) command=(xfwm4 --compositor=off --sm-client-disable) ;;
  metacity) command=(metacity --sm-disable) ;;
  *) command=("$manager") ;;
esac
HOME="$home" XDG_CONFIG_HOME="$home/.config" "${command[@]}" >"$home/manager.log" 2>&1 &
wm=$!
# Once the manager manages the screen, it names itself on the root window.
for _ in $(seq 300); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
  kill -0 "$wm" 2>/dev/null || { echo "$manager ended"; cat "$home/manager.log"; exit 1; }
  sleep 0.1
done
status=0
xvfb_run "$@" || { status=$?; echo "--- $manager log"; cat "$home/manager.log"; }
exit "$status"
