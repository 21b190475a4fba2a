#!/usr/bin/env bash
# The desktop entry is valid as shipped and as scripts/run registers it for the user, where it
# names the built program and handles "zantiva:" links; registering twice changes nothing.
# Usage: desktop-entry.sh PROGRAM
set -euo pipefail
program=$1
root=$(cd "$(dirname "$0")/../.." && pwd)
command -v desktop-file-validate >/dev/null ||
  { echo "skipped: desktop-file-validate is missing (scripts/setup installs desktop-file-utils)"; exit 77; }
scratch=$(mktemp -d /tmp/zantiva-entry.XXXXXX)
trap 'rm -rf "$scratch"' EXIT
export HOME="$scratch/home" XDG_DATA_HOME="$scratch/data" XDG_CONFIG_HOME="$scratch/config"
fail() { echo "FAILED: $*"; exit 1; }

desktop-file-validate "$root/ZantivaDiagnostics/resources/zantiva-diagnostics.desktop" || fail "the shipped entry"

"$root/scripts/register-desktop-entry" "$program"
entry="$XDG_DATA_HOME/applications/zantiva-diagnostics.desktop"
desktop-file-validate "$entry" || fail "the registered entry"
path=$(realpath "$program")
grep -qxF -e "Exec=$path %u" -e "Exec=\"$path\" %u" "$entry" || fail "the registered entry doesn't name $program: $(grep ^Exec "$entry")"
[ -f "$XDG_DATA_HOME/icons/hicolor/256x256/apps/zantiva-diagnostics.png" ] || fail "no icon was registered"
if command -v xdg-mime >/dev/null; then
  [ "$(xdg-mime query default x-scheme-handler/zantiva)" = zantiva-diagnostics.desktop ] ||
    fail "the entry doesn't handle zantiva: links"
fi

before=$(find "$scratch" -type f -exec sha256sum {} + | sort)
"$root/scripts/register-desktop-entry" "$program"
[ "$(find "$scratch" -type f -exec sha256sum {} + | sort)" = "$before" ] || fail "registering again changed files"
echo "passed"
