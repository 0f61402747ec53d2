#!/usr/bin/env bash
# Whole processes on the benchmark drawings beside their peers, interleaved,
# pinned to one core: for every file, each round runs every tool once in
# turn, and the table keeps each tool's fastest round (wall and processor
# time) and its peak resident size, both from /usr/bin/time.
#
# Tools: vorabs-translate into the document (--quiet), converting to DXF
# (-o) and plotting to PDF, PNG (2000 pixels wide) and SVG, dxflib's bare parse (bench_dxflib_parse, built where libdxflib-dev
# is installed), GDAL's ogrinfo -al -so and ezdxf's readfile where present.
# Needs the release build; -b names another build of the command (an
# earlier version) to run beside it. Usage:
#   bench/whole_process.sh [-r ROUNDS] [-c CPU] [-b BUILD_DIR] [FILE...]
# (default 5 rounds on CPU 1, /tmp/test_20k.dxf and /tmp/test_200k.dxf, made
# by ../shared/data/gen_dxf.py).
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=5
cpu=1
before=
while getopts "r:c:b:" option; do
  case $option in
  r) rounds=$OPTARG ;;
  c) cpu=$OPTARG ;;
  b) before=$OPTARG ;;
  *) exit 2 ;;
  esac
done
shift $((OPTIND - 1))
files=("$@")
[ ${#files[@]} -gt 0 ] || files=(/tmp/test_20k.dxf /tmp/test_200k.dxf)
build=build/release
[ -x $build/vorabs-translate ] || { echo "no $build/vorabs-translate: build the release preset" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Each tool: a label and the command, FILE standing for the drawing.
labels=("translate --quiet" "translate -o out.dxf" "translate -o out.pdf" "translate -o out.png"
  "translate -o out.svg")
commands=("$build/vorabs-translate FILE --quiet" "$build/vorabs-translate FILE -o $work/out.dxf"
  "$build/vorabs-translate FILE -o $work/out.pdf"
  "$build/vorabs-translate FILE -o $work/out.png --width 2000"
  "$build/vorabs-translate FILE -o $work/out.svg")
if [ -n "$before" ]; then
  labels+=("before: --quiet" "before: -o out.dxf" "before: -o out.pdf")
  commands+=("$before/vorabs-translate FILE --quiet" "$before/vorabs-translate FILE -o $work/out.dxf"
    "$before/vorabs-translate FILE -o $work/out.pdf")
fi
if [ -x $build/bench_dxflib_parse ]; then
  labels+=("dxflib parse"); commands+=("$build/bench_dxflib_parse FILE")
fi
if command -v ogrinfo >/dev/null; then
  labels+=("ogrinfo -al -so"); commands+=("ogrinfo -al -so FILE")
fi
if /usr/bin/python3 -c "import ezdxf" 2>/dev/null; then
  labels+=("ezdxf readfile")
  commands+=("/usr/bin/python3 -c 'import sys,ezdxf; ezdxf.readfile(sys.argv[1])' FILE")
fi

for file in "${files[@]}"; do
  [ -r "$file" ] || { echo "no $file: make it with ../shared/data/gen_dxf.py" >&2; exit 2; }
  : >"$work/times"
  for ((round = 0; round < rounds; ++round)); do
    for i in "${!commands[@]}"; do
      command=${commands[$i]//FILE/$file}
      # wall seconds, user + system seconds, peak KiB
      if ! taskset -c "$cpu" /usr/bin/time -o "$work/one" -f "%e %U %S %M" \
        bash -c "exec $command" >/dev/null 2>"$work/err"; then
        echo "${labels[$i]} failed on $file:" >&2
        cat "$work/err" >&2
      fi
      tail -1 "$work/one" | awk -v tool="$i" '{print tool, $1, $2 + $3, $4}' >>"$work/times"
    done
  done
  size_kib=$(($(stat -c %s "$file") / 1024))
  printf '\n%s (%.1f MiB), min of %d rounds on CPU %s\n' "$file" "$(echo "$size_kib / 1024" | bc -l)" \
    "$rounds" "$cpu"
  printf '%-22s %8s %8s %10s %8s\n' tool "wall s" "cpu s" "peak MiB" "x file"
  for i in "${!commands[@]}"; do
    awk -v tool="$i" -v label="${labels[$i]}" -v size="$size_kib" '
      $1 == tool {
        if (n == 0 || $2 < wall) wall = $2
        if (n == 0 || $3 < cpu) cpu = $3
        if ($4 > peak) peak = $4
        ++n }
      END { printf "%-22s %8.2f %8.2f %10.1f %8.2f\n", label, wall, cpu, peak / 1024, peak / size }' \
      "$work/times"
  done
done
