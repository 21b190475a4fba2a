# The shared start of every bench script (sourced): sets up, builds the program and names
# it, and offers the helpers the scripts have in common.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="${ZANTIVA_BUILD_DIR:-$root/build}"
program="$build/ZantivaDiagnostics/zantiva-diagnostics"
"$root/scripts/setup" >&2
"$root/scripts/build" --target zantiva-diagnostics >&2

# field NAME TEXT: the value of the first "NAME: value" line of the program's output.
field() { sed -n "s/^$1: //p" <<<"$2" | head -n 1; }

# compile_against_engines OUTPUT SOURCE [LINK ARGUMENTS…]: a bench program on the engine
# libraries that the program's build made.
compile_against_engines() {
  local output=$1 source=$2
  shift 2
  g++ -std=c++20 -O2 -pthread -I"$root/ZantivaCore" "$source" -o "$output" \
    "$build/ZantivaCore/Engines/libZantivaEngines.a" "$build/ZantivaCore/Model/libZantivaModel.a" \
    "$build/ZantivaCore/Localization/libZantivaLocalization.a" \
    "$build/ZantivaCore/Platform/libZantivaPlatform.a" "$@"
}
