#!/usr/bin/env bash
# The install puts the drive health program beside the main one and its polkit action where
# the prefix says: valid against polkit's own DTD, naming the installed program, asking an
# administrator in an active local session only, in the message tables' words.
# Usage: polkit-action.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
source=$2
dtd=/usr/share/polkit-1/policyconfig-1.dtd
command -v xmllint >/dev/null || { echo "xmllint is missing (scripts/setup)"; exit 77; }
[ -f "$dtd" ] || { echo "polkit's DTD is missing (scripts/setup installs pkexec)"; exit 77; }
scratch=$(mktemp -d /tmp/zantiva-polkit.XXXXXX)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAILED: $*"; exit 1; }

cmake --install "$build" --prefix "$scratch" >/dev/null || fail "cmake --install"
program="$scratch/bin/zantiva-drive-health"
policy="$scratch/share/polkit-1/actions/com.zantiva.diagnostics.drive-health.policy"
[ -x "$program" ] || fail "no zantiva-drive-health beside zantiva-diagnostics"
[ -f "$policy" ] || fail "no polkit action at $policy"
xmllint --noout --dtdvalid "$dtd" "$policy" || fail "the action is not valid against $dtd"
# It runs as root: nothing but its protocol, the readers and the C++ runtime.
program_libraries=$(ldd "$program")
if grep -q libQt6 <<<"$program_libraries"; then fail "zantiva-drive-health loads Qt"; fi

value() { xmllint --xpath "string($1)" "$policy"; }
action='/policyconfig/action[@id="com.zantiva.diagnostics.read-drive-health"]'
[ "$(xmllint --xpath 'count(/policyconfig/action)' "$policy")" = 1 ] || fail "one action expected"
[ "$(value "$action/annotate[@key=\"org.freedesktop.policykit.exec.path\"]")" = "$program" ] ||
  fail "the action does not name the installed program"
[ "$(value "$action/defaults/allow_active")" = auth_admin_keep ] || fail "allow_active is not auth_admin_keep"
[ "$(value "$action/defaults/allow_inactive")" = no ] || fail "allow_inactive is not no"
[ "$(value "$action/defaults/allow_any")" = no ] || fail "allow_any is not no"

# Both texts in both languages, as the message tables have them.
for pair in "description:DriveHealth.RightsAction" "message:DriveHealth.RightsQuestion"; do
  element=${pair%%:*}
  key=${pair#*:}
  line=$(grep -P "^\Q$key\E\t" "$source/ZantivaCore/Localization/messages.tsv") || fail "no $key in messages.tsv"
  english=$(cut -f2 <<<"$line")
  persian=$(cut -f3 <<<"$line")
  [ "$(value "$action/${element}[not(@xml:lang)]")" = "$english" ] || fail "$element in English is not $key's"
  [ "$(value "$action/${element}[@xml:lang=\"fa\"]")" = "$persian" ] || fail "$element in Persian is not $key's"
done
echo "passed"
