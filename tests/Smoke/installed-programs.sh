#!/usr/bin/env bash
# The install puts the result-page reader beside the main program, and only the reader loads
# the web engine: the main program (window and command-line modes alike) loads neither it nor
# what only it pulls in.
# Usage: installed-programs.sh BUILD_DIR
set -euo pipefail
build=$1
scratch=$(mktemp -d /tmp/zantiva-install.XXXXXX)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAILED: $*"; exit 1; }

cmake --install "$build" --prefix "$scratch" >/dev/null || fail "cmake --install"
bin="$scratch/bin"
[ -x "$bin/zantiva-diagnostics" ] || fail "no zantiva-diagnostics in $bin"
[ -x "$bin/zantiva-page-reader" ] || fail "no zantiva-page-reader beside zantiva-diagnostics"
# Every outside tool runs under the tool guard, a small program without Qt.
[ -x "$bin/zantiva-tool-guard" ] || fail "no zantiva-tool-guard beside zantiva-diagnostics"
if ldd "$bin/zantiva-tool-guard" | grep -q libQt6; then fail "zantiva-tool-guard loads Qt"; fi

web_engine='libQt6(WebEngine|Quick|Qml|WebChannel|Positioning)'
if loaded=$(ldd "$bin/zantiva-diagnostics" | grep -E "$web_engine"); then
  fail "zantiva-diagnostics loads the web engine's libraries: $loaded"
fi
ldd "$bin/zantiva-page-reader" | grep -q libQt6WebEngineCore || fail "zantiva-page-reader doesn't load the web engine"
echo "passed"
