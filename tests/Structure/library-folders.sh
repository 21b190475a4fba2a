#!/usr/bin/env bash
# An include line names its folder, and each library puts its own folder on the include path:
# a folder name with headers in two libraries would let one line read either. Folders without
# headers (resources/, made at build time) are never named by an include.
# Usage: library-folders.sh SOURCE_DIR
set -euo pipefail
declare -A owner
found=0
for library in "$1"/Zantiva*/; do
  library=$(basename "$library")
  for folder in "$1/$library"/*/; do
    folder=$(basename "$folder")
    compgen -G "$1/$library/$folder/*.h" >/dev/null || continue
    if [ -n "${owner[$folder]:-}" ]; then
      echo "FAILED: $folder/ is in ${owner[$folder]} and in $library"
      found=1
    else
      owner[$folder]=$library
    fi
  done
done
[ "$found" = 0 ] && echo "passed"
exit "$found"
