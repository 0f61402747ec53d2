#!/usr/bin/env bash
# Reads the benchmark drawing with ezdxf and with this reader in one run and
# prints the ratio. Needs python3-ezdxf (for /usr/bin/python3) and the
# release build's bench_dxf. Usage: bench/dxf_vs_ezdxf.sh [FILE]
set -euo pipefail
cd "$(dirname "$0")/.."
file=${1:-/tmp/test_200k.dxf}
[ -r "$file" ] || { echo "no $file: make it with ../shared/data/gen_dxf.py" >&2; exit 2; }

ezdxf_s=$(/usr/bin/python3 - "$file" <<'PY'
import sys, time, ezdxf
start = time.process_time()
ezdxf.readfile(sys.argv[1])
print(f"{time.process_time() - start:.3f}")
PY
)
# CPU times of this reader, parse only and the whole path into the sink (one
# run each: the CSV form keeps only rows with the first row's counters).
cpu_ms() {
  DXF_BENCH_FILE="$file" build/release/bench_dxf --benchmark_filter="^$1/large" \
    --benchmark_format=csv 2>/dev/null | awk -F, -v name="$1" '$1 ~ name {print $4}'
}
parse_ms=$(cpu_ms Dxf_Parse)
translate_ms=$(cpu_ms Dxf_Translate)
awk -v e="$ezdxf_s" -v p="$parse_ms" -v t="$translate_ms" 'BEGIN {
  printf "ezdxf readfile: %.3f s CPU\n", e
  printf "vorabs_dxf parse: %.3f s CPU (%.1fx faster)\n", p / 1000, e * 1000 / p
  printf "vorabs_dxf whole path: %.3f s CPU (%.1fx faster)\n", t / 1000, e * 1000 / t }'
