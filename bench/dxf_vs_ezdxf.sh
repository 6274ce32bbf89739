#!/bin/sh
# Compares the read speed of the DXF codec with ezdxf on the same generated ~20 MB drawing.
# Usage: bench/dxf_vs_ezdxf.sh [BUILD_DIR]   (BUILD_DIR holds bench/bench_dxf_read)
set -eu
build=${1:-build}
bench="$build/bench/bench_dxf_read"
[ -x "$bench" ] || { echo "missing $bench: cmake --build $build --target bench_dxf_read" >&2; exit 1; }
/usr/bin/python3 -c 'import ezdxf' 2>/dev/null || { echo "ezdxf is missing (apt-get install python3-ezdxf)" >&2; exit 1; }
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
file="$dir/drawing.dxf"
"$bench" --generate "$file"
size=$(wc -c < "$file")
ours=$("$bench" --time "$file" 3)
theirs=$(/usr/bin/python3 - "$file" <<'PY'
import sys, time, ezdxf
best = None
for _ in range(2):
    t0 = time.perf_counter()
    ezdxf.readfile(sys.argv[1])
    t = time.perf_counter() - t0
    best = t if best is None or t < best else best
print("%.6f" % best)
PY
)
/usr/bin/python3 - "$size" "$ours" "$theirs" <<'PY'
import sys
size, ours, theirs = int(sys.argv[1]), float(sys.argv[2]), float(sys.argv[3])
mb = size / 1e6
print("file: %.1f MB" % mb)
print("hostdxf: %.3f s  %.1f MB/s" % (ours, mb / ours))
print("ezdxf:   %.3f s  %.1f MB/s" % (theirs, mb / theirs))
print("ratio:   %.1fx" % (theirs / ours))
PY
