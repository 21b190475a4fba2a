#!/usr/bin/env bash
# A "zantiva:" link opened through xdg-open reaches the program that scripts/register-desktop-entry
# registered, whatever its path: through xdg-open's own fallback (which can't undo quoting) for a
# plain path, and through the desktop's launcher for a path that must be quoted; a path that a
# desktop entry can't hold (a control character, a %) is refused. The program is a stand-in that notes its arguments.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
for tool in xdg-open xdg-mime gio; do
  command -v $tool >/dev/null || { echo "skipped: $tool is missing (scripts/setup installs it)"; exit 77; }
done
scratch=$(mktemp -d /tmp/zantiva-link.XXXXXX)
trap 'rm -rf "$scratch"' EXIT
export HOME="$scratch/home" XDG_DATA_HOME="$scratch/data" XDG_CONFIG_HOME="$scratch/config"
export XDG_DATA_DIRS="$scratch/system" DISPLAY=:99
unset DBUS_SESSION_BUS_ADDRESS
fail() { echo "FAILED: $*"; exit 1; }
link='zantiva://auth?code=c%20d&state=s'

# A stand-in program at PATH that writes each argument on a line of $scratch/ran.
standIn() {
  mkdir -p "$(dirname "$1")"
  printf '#!/bin/sh\nprintf "%%s\\n" "$@" >"%s/ran.tmp" && mv "%s/ran.tmp" "%s/ran"\n' "$scratch" "$scratch" "$scratch" >"$1"
  chmod +x "$1"
}
# Opens the link with xdg-open as the desktop DESKTOP would, and waits for the stand-in.
opens() {
  rm -f "$scratch/ran"
  XDG_CURRENT_DESKTOP=$1 xdg-open "$link" >"$scratch/open.log" 2>&1 || return 1
  for _ in $(seq 100); do [ -f "$scratch/ran" ] && break; sleep 0.1; done
  [ "$(cat "$scratch/ran" 2>/dev/null)" = "$link" ]
}
execLine() { grep '^Exec=' "$XDG_DATA_HOME/applications/zantiva-diagnostics.desktop"; }

plain="$scratch/opt/zantiva-diagnostics"
standIn "$plain"
"$root/scripts/register-desktop-entry" "$plain"
[ "$(execLine)" = "Exec=$plain %u" ] || fail "a plain path is written unquoted: $(execLine)"
opens X-Generic || fail "xdg-open's fallback didn't hand the link to $plain: $(cat "$scratch/open.log")"
opens GNOME || fail "the desktop's launcher didn't hand the link to $plain: $(cat "$scratch/open.log")"

# Space, quotes, backslash, dollar and backtick: quoted and escaped, and run as named.
# A program at the path's first word must not be what runs.
odd="$scratch/my apps/it's \"50\" \\ \$HOME \`x\`/zantiva-diagnostics"
standIn "$odd"
standIn "$scratch/my"
"$root/scripts/register-desktop-entry" "$odd"
command -v desktop-file-validate >/dev/null && { desktop-file-validate "$XDG_DATA_HOME/applications/zantiva-diagnostics.desktop" ||
  fail "the entry for a path that needs quoting is invalid"; }
opens GNOME || fail "the desktop's launcher didn't hand the link to the quoted path: $(execLine)"
if opens X-Generic; then fail "xdg-open's fallback ran $scratch/my for a quoted path"; fi

# A newline or another control character can't be held by an entry; nor a %, which the entry
# would write as %%, a path the launcher looks for on disk as it stands, finds nothing and refuses
# the whole entry. Refused with the reason, and the entry stays.
before=$(execLine)
for bad in $'\n' $'\t' $'\x01' '%'; do
  strange="$scratch/a${bad}b"
  standIn "$strange"
  if "$root/scripts/register-desktop-entry" "$strange" 2>"$scratch/refusal"; then
    fail "a path with $(printf '%q' "$bad") was registered: $(execLine)"
  fi
  grep -q "contains a control character\|contains %" "$scratch/refusal" ||
    fail "the refusal doesn't say why: $(cat "$scratch/refusal")"
  [ "$(execLine)" = "$before" ] || fail "a refused path changed the entry"
done
echo "passed"
