# A virtual X server of the test's own, for the scripts that run a real program under X.
# Sourced, not run. Xvfb picks a free display itself (-displayfd) and names it once it
# accepts connections, so servers that other tests start at the same moment can't take it
# over, as they can when the display number is guessed from the lock files beforehand. It
# never resets: a reset when the last client goes (a killed program) drops the connections
# of a program starting at that moment.
#   xvfb_start ARGUMENTS...  starts Xvfb with these server arguments and exports DISPLAY
#   xserver_start SERVER ARGUMENTS...  the same with another X server that takes -displayfd (Xorg)
#   xvfb_check               fails when the server or its socket is gone
#   xvfb_log                 prints the server's log (for a failure)
#   xvfb_run COMMAND...      runs the command; when it fails, says whether the server went and prints its log
#   xvfb_stop                stops the server and removes its files

xvfb_start() { xserver_start Xvfb "$@"; }

xserver_start() {
  local server=$1
  shift
  xvfb_dir=$(mktemp -d /tmp/zantiva-xvfb.XXXXXX)
  "$server" -displayfd 3 -nolisten tcp -noreset "$@" 3>"$xvfb_dir/display" >"$xvfb_dir/log" 2>&1 &
  xvfb_pid=$!
  local number=""
  for _ in $(seq 300); do
    number=$(sed -n '1{/^[0-9][0-9]*$/p}' "$xvfb_dir/display" 2>/dev/null)
    [ -n "$number" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || { echo "$server ended before it named a display"; return 1; }
    sleep 0.1
  done
  [ -n "$number" ] || { echo "$server named no display within 30 s"; return 1; }
  export DISPLAY=":$number"
  xvfb_socket="/tmp/.X11-unix/X$number"
  xvfb_check
}

xvfb_check() {
  kill -0 "$xvfb_pid" 2>/dev/null && [ -S "$xvfb_socket" ] && return 0
  echo "the X server of $DISPLAY or its socket $xvfb_socket is gone"
  return 1
}

xvfb_log() {
  echo "--- X server log"
  cat "$xvfb_dir/log" 2>/dev/null || true
}

xvfb_run() {
  local status=0
  "$@" || status=$?
  if [ "$status" -ne 0 ]; then
    xvfb_check || true
    xvfb_log
  fi
  return "$status"
}

xvfb_stop() {
  [ -n "${xvfb_pid:-}" ] || return 0
  kill -TERM "$xvfb_pid" 2>/dev/null || true
  wait "$xvfb_pid" 2>/dev/null || true
  rm -rf "$xvfb_dir"
  xvfb_pid=""
}
