#!/bin/sh
# Benchmarks a report run on a generated repository of the given preset:
#
#   bench/run_benchmark.sh small|medium|large [runs]
#
# Generates the preset's repository (kept in build/bench-data/<preset> and generated again
# only when the generator changes), configures and builds the release preset, and runs
# bench/run_benchmark on it, which prints the figures of every run and their medians.
# IVARSCAN_BENCH_BUILD names another build folder for the release build (default
# build/release).
set -eu

preset=${1:?usage: bench/run_benchmark.sh small|medium|large [runs]}
runs=${2:-5}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${IVARSCAN_BENCH_BUILD:-$root/build/release}
data=$root/build/bench-data/$preset
stamp=$data.stamp

# The generator's sources and the preset decide every byte of the repository.
wanted="$(cat "$root"/bench/generate_repository.py "$root"/bench/repogen_*.py |
  sha256sum | cut -c1-16) $preset"
if [ ! -f "$data/repository.ini" ] || [ "$(cat "$stamp" 2>/dev/null)" != "$wanted" ]; then
  rm -f "$stamp"
  python3 "$root/bench/generate_repository.py" --preset "$preset" --force "$data"
  echo "$wanted" > "$stamp"
fi

cmake --preset release -B "$build" -S "$root" > /dev/null
cmake --build "$build" --target ivarscan run_benchmark > /dev/null
"$build/bench/run_benchmark" --repository "$data" --program "$build/app/console/ivarscan" \
  --runs "$runs"
