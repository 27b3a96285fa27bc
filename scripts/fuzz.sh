#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, address and undefined-behaviour sanitizers) in
# build/fuzz and runs each on a copy of its seed corpus in fuzz/corpus/ for a bounded time:
# most of it on inputs up to the target's usual size, the rest on inputs up to 1 MiB,
# starting with 256 KiB runs of the marks that the code reacts to (quotes, comment marks,
# continuations, start lines, ...), where work that grows faster than the input turns into
# a timeout. Fails when any target reports
# a crash, a hang, a sanitizer error, a broken invariant or runs out of memory; what it
# found is kept in build/fuzz/findings/<target>/. See docs/fuzzing.md.
#   scripts/fuzz.sh [seconds per target, default 15]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-15}"
if ! [[ "$seconds" =~ ^[0-9]+$ ]] || (( seconds < 2 )); then
  echo "usage: $0 [seconds per target, at least 2]" >&2
  exit 2
fi
large_seconds=$(( seconds / 5 > 1 ? seconds / 5 : 1 ))
usual_seconds=$(( seconds - large_seconds ))

# target path in the build, and the input size that its usual run goes up to
targets=(
  "engine/scanner_fuzzer 65536"
  "store/entity_splitter_fuzzer 65536"
  "store/settings_file_fuzzer 16384"
  "store/export_file_fuzzer 65536"
  "errors/error_text_fuzzer 8192"
)

build=build/fuzz
echo "== Fuzz build in $build"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DIVARSCAN_FUZZERS=ON -DIVARSCAN_TESTS=OFF -DIVARSCAN_WERROR=ON >/dev/null
cmake --build "$build" --target fuzzers

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Long runs of one mark each, the inputs on which quadratic work would show.
mkdir "$work/long-runs"
python3 - "$work/long-runs" <<'PYTHON'
import os, sys
size = 256 * 1024
runs = ['"', "'", '[', '/*', '*/', '"\'[', '/*"\r\n', '"\r', '\r\n', '\r', '\n', '\t', ';',
        'EXPORT a,', 'EXPORT a;\r\n', ' AS ', 'CLASS x\r\n', 'CLASS A INHERIT ;\r\n',
        'STATIC ', ' ;\r\n', '[S]\nK=V\n', '=', '|']
for number, run in enumerate(runs):
    data = (run * (size // len(run) + 1))[:size]
    with open(os.path.join(sys.argv[1], 'run%02d' % number), 'wb') as f:
        f.write(data.encode('latin-1'))
PYTHON

# run_target <name> <program> <corpus> <findings> <seconds> <max_len> [more options and inputs]
# New inputs go to <corpus>, the first folder named.
run_target() {
  local name=$1 program=$2 corpus=$3 findings=$4 time=$5 max_len=$6
  shift 6
  local options=(-max_total_time="$time" -timeout=10 -rss_limit_mb=2048 -max_len="$max_len"
                 -artifact_prefix="$findings/" -print_final_stats=1)
  [[ -f "fuzz/$name.dict" ]] && options+=(-dict="fuzz/$name.dict")
  "$program" "${options[@]}" "$corpus" "$@" >>"$work/$name.log" 2>&1
}

clean=0
failing=0
for entry in "${targets[@]}"; do
  read -r path max_len <<<"$entry"
  name=$(basename "$path")
  findings="$build/findings/$name"
  mkdir -p "$findings"
  cp -r "fuzz/corpus/$name" "$work/$name"
  echo "== $name: ${usual_seconds}s up to $max_len bytes, ${large_seconds}s up to 1 MiB"
  if run_target "$name" "$build/$path" "$work/$name" "$findings" "$usual_seconds" "$max_len" &&
     run_target "$name" "$build/$path" "$work/$name" "$findings" "$large_seconds" 1048576 \
       -len_control=0 "$work/long-runs"; then
    grep -E '^stat::number_of_executed_units' "$work/$name.log" || true
    clean=$((clean + 1))
  else
    echo "FAILED: $name; the last lines of its log follow, its inputs are in $findings/" >&2
    tail -n 40 "$work/$name.log" >&2
    failing=$((failing + 1))
  fi
done

echo "fuzz targets: $clean clean, $failing failing"
(( failing == 0 ))
