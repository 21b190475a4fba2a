#!/usr/bin/env bash
# Building the program alone (scripts/run builds only it) leaves every helper program of ours
# beside it, where the program looks for them: each is among what ninja builds for it.
# Usage: helper-programs.sh SOURCE_DIR BUILD_DIR NINJA
set -euo pipefail
helpers=$(grep -rhoE --include=CMakeLists.txt 'zantiva_helper_program\([a-z-]+' "$1"/Zantiva* | sed 's/.*(//' | sort -u)
[ -n "$helpers" ] || { echo "FAILED: no helper program declared under $1"; exit 1; }
inputs=$("$3" -C "$2" -t inputs zantiva-diagnostics)
found=0
for helper in $helpers; do
  if ! grep -qxF "ZantivaDiagnostics/$helper" <<<"$inputs"; then
    echo "FAILED: building zantiva-diagnostics doesn't build $helper"
    found=1
  fi
done
[ "$found" = 0 ] && echo "passed"
exit "$found"
