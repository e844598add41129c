#!/usr/bin/env bash
# Makes each fault of this folder in a copy of the checkout, one at a time: applies its patch,
# builds, runs the tests, and says which tests caught it. A fault that no test catches (a skipped
# test catches nothing), or a patch that no longer applies or builds, makes the run fail.
#   tests/mutations/run.sh [PATCH...]      (default: every *.patch here)
# The copy and its build live in build/mutations/; the checkout itself is never changed.
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
work=${CAPLIFT_MUTATION_DIR:-$root/build/mutations}
jobs=$(getconf _NPROCESSORS_ONLN 2>/dev/null || echo 2)
patches=("$@")
[ ${#patches[@]} -gt 0 ] || patches=("$root"/tests/mutations/*.patch)

mkdir -p "$work/src" "$work/logs"
# The copy follows the checkout. A file that differs is copied with a new time, so that it is built
# again even where the build last saw a fault in it.
(cd "$root" && git ls-files -z) | while IFS= read -r -d '' file; do
  if ! cmp -s "$root/$file" "$work/src/$file"; then
    mkdir -p "$work/src/$(dirname "$file")"
    cp "$root/$file" "$work/src/$file"
  fi
done
cmake -S "$work/src" -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCAPLIFT_CORPUS_DIR="$root/../shared/corpus" >/dev/null

failed=0
for patch in "${patches[@]}"; do
  name=$(basename "$patch" .patch)
  log="$work/logs/$name.log"
  if ! patch -d "$work/src" -p1 --quiet <"$patch" >"$log" 2>&1; then
    echo "$name: the patch does not apply"
    failed=1
    continue
  fi
  if ! cmake --build "$work/build" -j "$jobs" >>"$log" 2>&1; then
    echo "$name: does not build (see $log)"
    failed=1
  elif QT_QPA_PLATFORM=offscreen ctest --test-dir "$work/build" -j "$jobs" --timeout 300 >>"$log" 2>&1; then
    echo "$name: NOT CAUGHT"
    failed=1
  else
    # Only a test that ran and failed caught it: one skipped or not run says nothing.
    caught=$(sed -n '/^The following tests FAILED:/,/^$/p' "$log" | grep -v -e '(Not Run)' -e '(Skipped)' |
      sed -n 's/^[[:space:]]*[0-9]* - \([^ ]*\) .*/\1/p' | sort -u)
    if [ -z "$caught" ]; then
      echo "$name: NOT CAUGHT (tests only skipped or did not run; see $log)"
      failed=1
    else
      echo "$name: caught by $(echo "$caught" | wc -l) tests: $(echo "$caught" | head -4 | paste -sd ' ')"
    fi
  fi
  patch -d "$work/src" -p1 -R --quiet <"$patch" >>"$log" 2>&1
done
cmake --build "$work/build" -j "$jobs" >/dev/null 2>&1  # back to the code as it is
exit "$failed"
