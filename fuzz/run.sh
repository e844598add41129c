#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, ASan, UBSan) in build/fuzz and runs each one for
# SECONDS (default 60), side by side when there are cores for it. Each run starts from a fresh
# working corpus: seeds from the conversion tests' tables plus the sample exports in
# CAPLIFT_CORPUS_DIR (default ../shared/corpus), which are read where they are.
#   fuzz/run.sh [SECONDS]
# Exits non-zero when a target finds a problem; the input is kept in build/fuzz/crashes/.
set -euo pipefail

seconds=${1:-60}
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${CAPLIFT_FUZZ_BUILD:-$root/build/fuzz}
corpus=${CAPLIFT_CORPUS_DIR:-$root/../shared/corpus}
targets=(convert time timeline)
jobs=$(getconf _NPROCESSORS_ONLN 2>/dev/null || echo 1)

case "$seconds" in
  '' | *[!0-9]*) echo "usage: fuzz/run.sh [SECONDS]" >&2; exit 2 ;;
esac

cc=${CAPLIFT_FUZZ_CC:-clang}
cxx=${CAPLIFT_FUZZ_CXX:-clang++}
if ! command -v "$cxx" >/dev/null; then
  echo "fuzz/run.sh: $cxx not found (./dev.sh deps installs clang and libclang-rt-14-dev)" >&2
  exit 1
fi
# The libFuzzer runtime comes in a package of its own; say so plainly rather than fail to link.
probe=$(mktemp -d)
trap 'rm -rf "$probe"' EXIT
echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }' \
  >"$probe/probe.cpp"
if ! "$cxx" -fsanitize=fuzzer,address,undefined "$probe/probe.cpp" -o "$probe/probe" 2>"$probe/log"; then
  cat "$probe/log" >&2
  echo "fuzz/run.sh: $cxx cannot link libFuzzer (install libclang-rt-14-dev)" >&2
  exit 1
fi

# The flags are the fuzz preset's (CMakePresets.json); the compilers and the folder may be overridden.
(cd "$root" && cmake --preset fuzz -B "$build" -DCMAKE_C_COMPILER="$cc" -DCMAKE_CXX_COMPILER="$cxx" >/dev/null)
cmake --build "$build" -j "$jobs" --target "${targets[@]/#/caplift_fuzz_}"

rm -rf "$build/seeds" "$build/work" "$build/logs" "$build/crashes"
mkdir -p "$build/logs" "$build/crashes"
# The seeds: the documents of the conversion table and the time values of the values table, their
# escapes left as written (a seed need not be exact).
mkdir -p "$build/seeds/convert" "$build/seeds/time"
awk -v out="$build/seeds/convert" '/^== / { n++ }
  /^doc( |$)/ { sub(/^doc ?/, ""); file = out "/doc-" n; print >> file; close(file) }' \
  "$root/tests/convert/data/conversions.cases"
awk -v out="$build/seeds/time" '/^time / { gsub(/"/, "", $2); file = out "/time-" NR
  printf "%s", $2 > file; close(file) }' "$root/tests/convert/data/values.cases"
extra_convert=()
if [ -d "$corpus" ]; then
  extra_convert=("$corpus")
else
  echo "fuzz/run.sh: no sample exports at $corpus; starting from the built-in seeds only"
fi

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

run_target() {
  local name=$1 max_len dict seeds=$1 extra=()
  case "$name" in
    convert) max_len=32768 dict=fcpxml.dict extra=("${extra_convert[@]}") ;;
    time) max_len=256 dict=time.dict ;;
    # The documents of the conversion, the timeline's hand-made cases and the sample exports.
    timeline) max_len=32768 dict=fcpxml.dict seeds=convert
      extra=("$root/tests/timeline/cases" "${extra_convert[@]}") ;;
  esac
  mkdir -p "$build/work/$name" "$build/crashes/$name"
  "$build/fuzz/caplift_fuzz_$name" \
    -max_total_time="$seconds" -max_len="$max_len" -timeout=30 -rss_limit_mb=2048 \
    -dict="$root/fuzz/$dict" -artifact_prefix="$build/crashes/$name/" -print_final_stats=1 \
    "$build/work/$name" "$build/seeds/$seeds" "${extra[@]}" \
    >"$build/logs/$name.log" 2>&1
}

# One target per core; the rest wait their turn.
declare -A status
pids=()
for name in "${targets[@]}"; do
  run_target "$name" &
  pids+=("$!:$name")
  if [ "${#pids[@]}" -ge "$jobs" ]; then
    entry=${pids[0]}
    pids=("${pids[@]:1}")
    if wait "${entry%%:*}"; then status[${entry#*:}]=0; else status[${entry#*:}]=$?; fi
  fi
done
for entry in "${pids[@]}"; do
  if wait "${entry%%:*}"; then status[${entry#*:}]=0; else status[${entry#*:}]=$?; fi
done

failed=0
for name in "${targets[@]}"; do
  log="$build/logs/$name.log"
  summary=$(grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -n 1 || true)
  runs=$(grep -E '^stat::number_of_executed_units' "$log" | awk '{print $2}' || true)
  if [ "${status[$name]}" -eq 0 ]; then
    echo "fuzz $name: ok, ${runs:-?} runs in ${seconds} s; ${summary:-no summary}"
  else
    failed=1
    echo "fuzz $name: FAILED (exit ${status[$name]}); log $log" >&2
    tail -n 40 "$log" >&2
    ls -1 "$build/crashes/$name" >&2 || true
  fi
done
exit "$failed"
