#!/usr/bin/env bash
# scripts/with-services ends everything it started (the session bus, the keyring, the sound
# server, the command) and only then removes its scratch folder, however it ends: with its
# command, by SIGINT or SIGTERM to its process group (Ctrl-C, `timeout`), or by SIGTERM to it
# alone. What it started is found by the private runtime folder in its environment.
# Usage: services-end.sh SOURCE_DIR
set -euo pipefail
services="$1/scripts/with-services"
for tool in dbus-daemon gnome-keyring-daemon pulseaudio; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is missing (scripts/setup installs it)"; exit 77; }
done
scratch=$(mktemp -d /tmp/zantiva-services-end.XXXXXX)
runtime=""

# The processes whose runtime folder is $1, with their names.
under() {
  local file pid
  for file in $(grep -lsxzF "XDG_RUNTIME_DIR=$1" /proc/[0-9]*/environ || true); do
    pid=${file#/proc/}
    pid=${pid%/environ}
    echo "$pid $(cat "/proc/$pid/comm" 2>/dev/null)"
  done
}

# What a failed run left goes with the test.
cleanup() {
  local pid
  if [ -n "$runtime" ]; then
    for pid in $(under "$runtime" | cut -d' ' -f1); do kill -KILL "$pid" 2>/dev/null || true; done
  fi
  rm -rf "$scratch"
}
trap cleanup EXIT

fail() {
  echo "FAILED: $*"
  exit 1
}

# ending: normal, INT-group, TERM-group or TERM-script; expected: the script's status.
check() {
  local ending=$1 expected=$2 report="$scratch/$1" command pid status running
  runtime=""
  if [ "$ending" = normal ]; then command='echo "$XDG_RUNTIME_DIR" >"$0"'; else command='echo "$XDG_RUNTIME_DIR" >"$0"; exec sleep 600'; fi
  # A process group of its own, as a shell gives a job, and Ctrl-C not ignored.
  env --default-signal=INT setsid "$services" sh -c "$command" "$report.new" &
  pid=$!
  if [ "$ending" != normal ]; then
    for _ in $(seq 600); do
      [ -s "$report.new" ] && break
      kill -0 "$pid" 2>/dev/null || fail "$ending: the script ended before its command ran"
      sleep 0.05
    done
    [ -s "$report.new" ] || fail "$ending: the command didn't run within 30 s"
    runtime=$(cat "$report.new")
    running=$(under "$runtime")
    for name in dbus-daemon gnome-keyring-d pulseaudio sleep; do
      grep -q " $name\$" <<<"$running" || fail "$ending: no $name ran under the script: $running"
    done
    case $ending in
      INT-group) kill -INT -- "-$pid" ;;
      TERM-group) kill -TERM -- "-$pid" ;;
      TERM-script) kill -TERM "$pid" ;;
    esac
  fi
  set +e
  wait "$pid"
  status=$?
  set -e
  runtime=$(cat "$report.new")
  [ "$status" = "$expected" ] || fail "$ending: the script ended with $status, not $expected"
  # Nothing may be left once the script has ended: it waits for everything first.
  running=$(under "$runtime")
  [ -z "$running" ] || fail "$ending: left running: $(tr '\n' ' ' <<<"$running")"
  [ ! -e "$(dirname "$runtime")" ] || fail "$ending: the scratch folder $(dirname "$runtime") was left"
  echo "$ending: status $status, nothing left"
}

check normal 0
check INT-group 130
check TERM-group 143
check TERM-script 143
echo "passed"
