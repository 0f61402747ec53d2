#!/usr/bin/env bash
# Builds the fuzz targets with clang in their own build folder and runs each
# for a bounded number of inputs. Exits non-zero when a target finds a crash.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/fuzz
runs=${FUZZ_RUNS:-200000}

cmake -S . -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DVORABS_BUILD_FUZZ=ON -DVORABS_BUILD_TESTS=OFF -DVORABS_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j2 --target fuzz_utf fuzz_dxf

corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
# A few seeds: ASCII, Latin, CJK, a surrogate pair in UTF-16, broken sequences.
printf '\x00Hello, world' >"$corpus/ascii"
printf '\x09caf\xc3\xa9 \xc3\xbcber \xc5\x93uvre' >"$corpus/latin"
printf '\x12\xe4\xb8\xad\xe6\x96\x87\xe3\x80\x82' >"$corpus/cjk"
printf '\x1b\x3d\xd8\x00\xde\x41\x00' >"$corpus/pair"
printf '\x00\xc0\x80\xed\xa0\x80\xf4\x90\x80\x80\xe2\x82\x41\x80\x80' >"$corpus/broken"

# The DXF reader starts from small drawings (copied, so that the fuzzer's
# additions stay out of the tree) and runs for a bounded time.
dxf_corpus=$(mktemp -d)
trap 'rm -rf "$corpus" "$dxf_corpus"' EXIT
cp fuzz/dxf_seeds/*.dxf "$dxf_corpus/"

for target in fuzz_utf fuzz_dxf; do
  if [ "$target" = fuzz_dxf ]; then
    options=(-runs="${FUZZ_DXF_RUNS:-20000}" -max_total_time="${FUZZ_DXF_SECONDS:-30}"
             -timeout=10 -max_len=8192 "$dxf_corpus")
  else
    options=(-runs="$runs" -max_len=1024 "$corpus")
  fi
  echo "fuzzing $target"
  log="$build/$target.log"
  if ! "$build/fuzz/$target" "${options[@]}" -artifact_prefix="$build/" >"$log" 2>&1; then
    tail -n 60 "$log" >&2
    echo "$target found a failure; the input is kept in $build/" >&2
    exit 1
  fi
  tail -n 2 "$log"
done
