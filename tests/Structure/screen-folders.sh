#!/usr/bin/env bash
# A screen folder reads only its own headers and the libraries below it: parts that several
# screens use live in the design system. Shell, which composes the window from the screens,
# is the one folder that includes them; no screen folder includes Shell.
# Usage: screen-folders.sh SOURCE_DIR
set -euo pipefail
program="$1/ZantivaDiagnostics"
screens=(Dashboard Stations Results ExternalScreens WasherWindow)
found=0
for folder in "${screens[@]}"; do
  for file in "$program/$folder"/*.h "$program/$folder"/*.cpp; do
    while IFS= read -r header; do
      other=${header%%/*}
      [ "$other" = "$folder" ] && continue
      for screen in "${screens[@]}" Shell; do
        if [ "$other" = "$screen" ]; then
          echo "FAILED: ${file#"$1"/} includes $header"
          found=1
        fi
      done
    done < <(sed -n 's/^#include "\([^"]*\)".*/\1/p' "$file")
  done
done
[ "$found" = 0 ] && echo "passed"
exit "$found"
