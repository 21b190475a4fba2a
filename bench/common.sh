# The shared start of every bench script (sourced): sets up, builds the program and names
# it, and offers the helpers the scripts have in common. With ZANTIVA_BUILD_DIR set, the
# bench uses that build as it is, without setting up or building.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
if [ -n "${ZANTIVA_BUILD_DIR:-}" ]; then
  build=$ZANTIVA_BUILD_DIR
else
  build=$root/build
  "$root/scripts/setup" >&2
  "$root/scripts/build" --target zantiva-diagnostics >&2
fi
program="$build/ZantivaDiagnostics/zantiva-diagnostics"

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

# The two sides of a comparison run in turns (A B A B …) and are compared pair by pair, so
# that a change in the machine's load between runs can't land on one side only.

# ratio A B: A / B (0 when B is not above 0).
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.6f\n", (b > 0 ? a / b : 0) }'; }

# median VALUE…: the middle value (the mean of the middle two for an even count).
median() {
  printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { printf "%.6f\n", (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# spread RATIO…: "min … median … max …" of ratios taken pair by pair.
spread() {
  printf 'min %.3f  median %.3f  max %.3f' "$(printf '%s\n' "$@" | sort -g | head -n 1)" "$(median "$@")" \
    "$(printf '%s\n' "$@" | sort -g | tail -n 1)"
}

# load_average: the machine's load over 1, 5 and 15 minutes.
load_average() { cut -d' ' -f1-3 /proc/loadavg; }

# machine: the processor and its threads.
machine() { echo "$(sed -n 's/^model name\t*: //p' /proc/cpuinfo | head -n 1), $(nproc) threads"; }
