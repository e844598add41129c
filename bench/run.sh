#!/usr/bin/env bash
# Builds the benchmarks (Release, in build/bench) and runs every measurement: caplift-convert
# against a bare libxml2 SAX2 parse and a Python/lxml script, growth from 1 MB to 1 GB, a batch of
# 64 exports one and two at a time (-j 1, -j 2), the app's way from a chosen file to a filled
# preview and its launch, and the micro-benchmarks. Prints the tables and writes them to
# bench/RESULTS.md. Generated exports stay in bench/data (gitignored)
# for the next run.
#   bench/run.sh [RUNS]     RUNS: runs per program and size (default 5; the fast ones get twice)
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$root/build/bench
runs=${1:-5}

# A Python 3 that has lxml (Debian's python3-lxml lives in the system interpreter).
python=
for candidate in "${CAPLIFT_BENCH_PYTHON:-}" /usr/bin/python3 python3; do
  if [ -n "$candidate" ] && "$candidate" -c 'import lxml.etree' 2>/dev/null; then
    python=$candidate
    break
  fi
done
[ -n "$python" ] || { echo "bench: needs Python 3 with lxml (./dev.sh bench installs it)" >&2; exit 1; }

echo "== building in $build"
(cd "$root" && cmake --preset bench >/dev/null)
targets=(caplift-convert caplift_bench_generate caplift_bench_sax_count caplift_bench_micro)
if grep -q '^CAPLIFT_BUILD_GUI:BOOL=ON' "$build/CMakeCache.txt"; then targets+=(caplift_bench_app); fi
cmake --build "$build" -j "${CAPLIFT_BENCH_JOBS:-2}" --target "${targets[@]}"

echo "== load: $(uptime)"
status=0
"$python" "$root/bench/measure.py" --build "$build" --data "$root/bench/data" \
  --work "$root/bench/work" --results "$root/bench/RESULTS.md" --python "$python" \
  --runs "$runs" || status=$?

# The 1 GB export is kept for the next run unless the disk runs short.
if [ "$(df -Pk "$root/bench/data" | awk 'NR == 2 { print $4 }')" -lt $((4 * 1024 * 1024)) ]; then
  echo "== less than 4 GB free: removing the generated exports"
  rm -f "$root"/bench/data/*.fcpxml "$root"/bench/data/*.stamp
fi
exit $status
