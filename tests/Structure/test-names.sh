#!/usr/bin/env bash
# Every test's name, as ctest lists it, stays readable: a parameter a test is run with prints as
# its own words (a name generator, PrintTo), never as a dump of its bytes.
# Usage: test-names.sh BUILD_DIR
set -euo pipefail
long=$(ctest --test-dir "$1" -N | awk 'length > 200')
if [ -n "$long" ]; then
  echo "FAILED: test names longer than 200 characters:"
  echo "$long"
  exit 1
fi
echo "passed"
