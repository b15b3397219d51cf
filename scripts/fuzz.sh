#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for a while: scripts/fuzz.sh [seconds per
# target] [target ...]. CI runs every target for 30 seconds; give more for a longer hunt.
# A crash, a sanitizer report, a leak or an input that runs past the time limit (25 s: a hang,
# not merely an input slowed by the instrumentation) fails the run; the input is kept under
# build-fuzz/findings/ to be turned into a test.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$(pwd)"
seconds="${1:-30}"
shift || true
# Absolute paths: the engine makes its work folder the current one.
build="$root/build-fuzz"
cmake -S fuzz -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" -j"$(nproc)"

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=(notation_readers parse_terminal grammar_name builder_calls typical_pipeline
           generated_parser)
fi

# Seeds: the committed ones, and the grammar fixtures of the tests for the text targets.
seed_dirs() {
  case "$1" in
    notation_readers|typical_pipeline)
      echo "$root/fuzz/seeds/typical" "$root/tests/interface/readers/fixtures" ;;
    *) echo "$root/fuzz/seeds/$1" ;;
  esac
}

# Length control: the builder-call sequences reach the deeper exports only when long, so their
# inputs may take their full length from the start.
length_flags() {
  case "$1" in
    builder_calls) echo "-max_len=4096 -len_control=0" ;;
    *) echo "-max_len=8192" ;;
  esac
}

export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:abort_on_error=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
mkdir -p "$build/findings"
failed=()
for t in "${targets[@]}"; do
  corpus="$build/corpus/$t"
  mkdir -p "$corpus"
  echo "== fuzz_$t for ${seconds}s"
  # shellcheck disable=SC2046
  if ! "$build/fuzz_$t" "$corpus" $(seed_dirs "$t") -max_total_time="$seconds" -timeout=25 \
      -rss_limit_mb=2560 $(length_flags "$t") -print_final_stats=1 \
      -artifact_prefix="$build/findings/$t-" >"$build/fuzz_$t.log" 2>&1; then
    tail -n 60 "$build/fuzz_$t.log"
    failed+=("$t")
  else
    grep -a -E "stat::number_of_executed_units|cov:" "$build/fuzz_$t.log" | tail -n 2 || true
  fi
done
if [ ${#failed[@]} -ne 0 ]; then
  echo "Fuzzing found failures in: ${failed[*]} (inputs under $build/findings/)" >&2
  exit 1
fi
