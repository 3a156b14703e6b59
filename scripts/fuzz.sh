#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer (and AddressSanitizer +
# UndefinedBehaviorSanitizer) and runs each for SECONDS (default 60):
#   scripts/fuzz.sh [SECONDS]
# FUZZ_TARGETS="replies settings" runs only those; FUZZ_KEEP_GOING=1 goes on after a
# finding (libFuzzer's fork mode) to collect more than the first. The corpus grows in
# build-fuzz/corpus/TARGET (seeded from tests/fuzz/corpus/TARGET); inputs that crash,
# hang or break an invariant land in build-fuzz/findings/TARGET. Not part of the tests:
# a finding worth keeping goes into tests/fuzz/corpus, whose files the tests replay.
set -euo pipefail
seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
targets=${FUZZ_TARGETS:-replies measurement settings simulator ucf lcf ncf}

if ! command -v clang++ >/dev/null || ! dpkg-query -W -f='${Status}' libclang-rt-14-dev 2>/dev/null |
  grep -q "install ok installed"; then
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
    clang libclang-rt-14-dev
fi

build_targets=""
for t in $targets; do build_targets+="fuzz_$t "; done
CC=clang CXX=clang++ RX9100_TARGETS="$build_targets" scripts/build.sh build-fuzz \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRX9100_FUZZ=ON -DRX9100_TESTS=OFF -DRX9100_BENCH=OFF \
  -DRX9100_QT=OFF -DRX9100_PYTHON=OFF "-DRX9100_SANITIZE=address;undefined"

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:allocator_may_return_null=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
keep_going=()
if [ "${FUZZ_KEEP_GOING:-0}" = 1 ]; then
  keep_going=(-fork=1 -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1)
fi

summary=()
failed=0
for t in $targets; do
  corpus=build-fuzz/corpus/$t
  findings=build-fuzz/findings/$t
  mkdir -p "$corpus" "$findings"
  cp -n tests/fuzz/corpus/"$t"/* "$corpus"/ 2>/dev/null || true
  log=build-fuzz/fuzz-$t.log
  echo "== $t: ${seconds} s (log $log)"
  status=0
  build-fuzz/tests/fuzz/fuzz_"$t" "$corpus" "${keep_going[@]}" -max_total_time="$seconds" \
    -timeout=10 -rss_limit_mb=2048 -max_len=16384 -print_final_stats=1 \
    -artifact_prefix="$findings/" >"$log" 2>&1 || status=$?
  # Executions: the final statistics, or in fork mode the last progress line.
  runs=$({ grep -Eo 'number_of_executed_units: *[0-9]+' "$log" || grep -Eo '^#[0-9]+' "$log"; } |
    grep -Eo '[0-9]+$' | tail -1 || true)
  found=$(find "$findings" -type f | wc -l)
  if [ "$status" -ne 0 ] || [ "$found" -gt 0 ]; then
    failed=1
    summary+=("$t: ${runs:-?} runs, exit $status, $found finding(s) in $findings")
    grep -E 'fuzz invariant broken|runtime error|ERROR: (AddressSanitizer|libFuzzer)' "$log" |
      sort | uniq -c | head -5 || true
  else
    summary+=("$t: ${runs:-?} runs, clean")
  fi
done
echo "== summary (${seconds} s each)"
printf '  %s\n' "${summary[@]}"
exit $failed
