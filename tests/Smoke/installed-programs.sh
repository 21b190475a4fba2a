#!/usr/bin/env bash
# The install puts the result-page reader beside the main program, and only the reader loads
# the web engine: the main program (window and command-line modes alike) loads neither it nor
# what only it pulls in. The fonts it carries go with their licence texts.
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
# Every outside tool runs under the tool guard, a small program without Qt, and every call to
# the websites in the request program.
[ -x "$bin/zantiva-tool-guard" ] || fail "no zantiva-tool-guard beside zantiva-diagnostics"
[ -x "$bin/zantiva-web-request" ] || fail "no zantiva-web-request beside zantiva-diagnostics"
fonts="$scratch/share/zantiva-diagnostics/ZantivaDiagnostics_ZantivaUI.bundle/Fonts"
for licence in Vazirmatn-OFL.txt NotoSansSymbols2-OFL.txt; do
  grep -q "SIL OPEN FONT LICENSE Version 1.1" "$fonts/$licence" 2>/dev/null || fail "no $licence beside the fonts in $fonts"
done
# ldd's lists are read whole first: a grep -q that stops at its first match would cut ldd off,
# and the pipe would then fail under pipefail.
guard_libraries=$(ldd "$bin/zantiva-tool-guard")
if grep -q libQt6 <<<"$guard_libraries"; then fail "zantiva-tool-guard loads Qt"; fi

web_engine='libQt6(WebEngine|Quick|Qml|WebChannel|Positioning)'
main_libraries=$(ldd "$bin/zantiva-diagnostics")
if loaded=$(grep -E "$web_engine" <<<"$main_libraries"); then
  fail "zantiva-diagnostics loads the web engine's libraries: $loaded"
fi
reader_libraries=$(ldd "$bin/zantiva-page-reader")
grep -q libQt6WebEngineCore <<<"$reader_libraries" || fail "zantiva-page-reader doesn't load the web engine"
echo "passed"
