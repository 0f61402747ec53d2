#!/usr/bin/env bash
# Builds the fuzz targets with clang in their own build folder, runs each
# target over its regression inputs (fuzz/regressions/<target>/), then
# fuzzes each. Exits non-zero when a target finds a failure; the input is
# kept in build/fuzz/.
#
#   fuzz/run.sh                  CI's pass: every target for a few seconds,
#                                under a minute in all.
#   FUZZ_SECONDS=3600 fuzz/run.sh
#                                the long mode: every target for that long,
#                                seeded also with the real drawings of
#                                ../shared/dxf-corpus/files (or
#                                VORABS_DXF_CORPUS), read where they lie; the
#                                inputs found are kept in build/fuzz/corpus/.
#                                FUZZ_TARGETS="fuzz_dxf" runs only those;
#                                FUZZ_RUNS=N stops each after N inputs.
# Each target's line says how many inputs it ran, how fast, and its peak
# memory beside its memory after the first minute (or the first tenth of
# the run), so that a leak shows.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/fuzz
targets=${FUZZ_TARGETS:-fuzz_utf fuzz_dxf fuzz_dxf_write}
long=${FUZZ_SECONDS:-}
[ -z "${FUZZ_RUNS:-}" ] || long=${long:-864000}
# ASan's default quarantine (256 MB) makes a target's memory climb for
# minutes whatever it does, its allocator keeps every page it ever used, and
# it stores the stack of every allocation once per distinct stack, forever:
# over millions of varied inputs those stacks alone grew a run from 250 MB
# to almost 1 GB, while the target's live heap stayed flat. A small
# quarantine, pages handed back and two frames per allocation keep the peak
# a measure of the target itself, and run faster; a failure's input is run
# again with whole stacks (full_report) so that its report lacks nothing.
fast_asan=quarantine_size_mb=32:malloc_context_size=2:allocator_release_to_os_interval_ms=5000
export ASAN_OPTIONS=${ASAN_OPTIONS:-$fast_asan}

cmake -S . -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DVORABS_BUILD_FUZZ=ON -DVORABS_BUILD_TESTS=OFF -DVORABS_BUILD_BENCH=OFF >/dev/null
# shellcheck disable=SC2086
cmake --build "$build" -j2 --target $targets

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# Seeds of the UTF fuzzer: ASCII, Latin, CJK, a surrogate pair in UTF-16,
# broken sequences.
utf_seeds="$scratch/utf-seeds"
mkdir -p "$utf_seeds"
printf '\x00Hello, world' >"$utf_seeds/ascii"
printf '\x09caf\xc3\xa9 \xc3\xbcber \xc5\x93uvre' >"$utf_seeds/latin"
printf '\x12\xe4\xb8\xad\xe6\x96\x87\xe3\x80\x82' >"$utf_seeds/cjk"
printf '\x1b\x3d\xd8\x00\xde\x41\x00' >"$utf_seeds/pair"
printf '\x00\xc0\x80\xed\xa0\x80\xf4\x90\x80\x80\xe2\x82\x41\x80\x80' >"$utf_seeds/broken"

real_drawings=${VORABS_DXF_CORPUS:-../shared/dxf-corpus/files}

# The seed folders of a target, after the folder its new inputs go to.
seeds() {
  local target=$1 stem=${1#fuzz_}
  local out="$scratch/corpus-$target"
  if [ -n "$long" ]; then
    out="$build/corpus/$target"
  fi
  mkdir -p "$out"
  echo "$out"
  [ -d "fuzz/regressions/$stem" ] && echo "fuzz/regressions/$stem"
  case $target in
    fuzz_utf) echo "$utf_seeds" ;;
    fuzz_dxf)
      echo fuzz/dxf_seeds
      if [ -n "$long" ]; then
        if [ -d "$real_drawings" ]; then
          echo "$real_drawings"
        else
          echo "no real drawings at $real_drawings: fuzzing without them" >&2
        fi
      fi
      ;;
  esac
  return 0
}

options() {
  local seconds
  case $1 in
    # The decoders read sequences of at most four bytes and keep no state
    # past them: longer texts only repeat what short ones reach, and cost
    # more per input.
    fuzz_utf) seconds=15; echo -max_len=256 ;;
    fuzz_dxf) seconds=20; echo -max_len=65536 -timeout=10 ;;
    fuzz_dxf_write) seconds=15; echo -max_len=4096 -timeout=10 ;;
  esac
  echo -max_total_time="${long:-$seconds}" -print_final_stats=1
  [ -z "${FUZZ_RUNS:-}" ] || echo -runs="$FUZZ_RUNS"
  # CI's bounded pass follows one fixed sequence of inputs, so that it
  # judges this tree rather than its luck; the long mode explores freely.
  [ -n "$long" ] || echo -seed="${FUZZ_SEED:-1}"
}

# "runs, exec/s, peak RSS, RSS after the first minute" from a libFuzzer log.
figures() {
  awk '
    /^#[0-9]+/ {
      n = substr($1, 2) + 0
      for (i = 1; i < NF; ++i) {
        if ($i == "exec/s:") speed = $(i + 1) + 0
        if ($i == "rss:") rss = $(i + 1) + 0
      }
      line[++lines] = n; mem[lines] = rss
    }
    /^stat::number_of_executed_units:/ { runs = $2 }
    /^stat::average_exec_per_sec:/ { speed = $2 }
    /^stat::peak_rss_mb:/ { peak = $2 }
    END {
      first = mem[1]
      for (i = 1; i <= lines; ++i)
        if (line[i] <= speed * minute) first = mem[i]
      printf "%d inputs, %d exec/s, peak RSS %d MB (%d MB after the first minute)\n",
             runs, speed, peak, first
    }' minute="$1" "$2"
}

# Runs the input a failed target kept once more, with ASan's whole stacks.
full_report() {
  local input
  input=$(sed -n 's/.*Test unit written to //p' "$2" | tail -n 1)
  [ -n "$input" ] && [ -f "$input" ] || return 0
  echo "$1 again on $input, with whole stacks:" >&2
  ASAN_OPTIONS=malloc_context_size=30 "$build/fuzz/$1" "$input" 2>&1 | tail -n 80 >&2 || true
}

for target in $targets; do
  stem=${target#fuzz_}
  log="$build/$target.log"
  if [ -d "fuzz/regressions/$stem" ]; then
    echo "regressions of $target"
    if ! "$build/fuzz/$target" fuzz/regressions/"$stem"/* >"$log" 2>&1; then
      tail -n 60 "$log" >&2
      echo "$target fails on one of fuzz/regressions/$stem/" >&2
      exit 1
    fi
  fi
  echo "fuzzing $target"
  mapfile -t folders < <(seeds "$target")
  # shellcheck disable=SC2046
  if ! nice -n "${FUZZ_NICE:-0}" "$build/fuzz/$target" $(options "$target") \
       -artifact_prefix="$build/$target-" "${folders[@]}" >"$log" 2>&1; then
    tail -n 60 "$log" >&2
    full_report "$target" "$log"
    echo "$target found a failure; the input is kept in $build/" >&2
    exit 1
  fi
  minute=60
  if [ -z "$long" ] || [ "$long" -lt 600 ]; then
    minute=$(( ${long:-20} / 10 ))
  fi
  echo "$target: $(figures "$minute" "$log")"
done
