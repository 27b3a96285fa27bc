#!/bin/sh
# Benchmarks a report run on a generated repository of the given preset:
#
#   bench/run_benchmark.sh small|medium|large|xlarge [runs] [folder|aef|mef] [threads]
#
# Generates the preset's repository in the given form (kept in build/bench-data/<preset>,
# or <preset>-aef / <preset>-mef, and generated again only when the generator changes),
# configures and builds the release preset, and runs bench/run_benchmark on it, which
# prints the figures of every run and their medians.
# `threads` (default: one per processor core) goes to the console program's --threads.
# xlarge writes about 1 GB and takes minutes to generate: delete build/bench-data/xlarge
# when done with it.
# IVARSCAN_BENCH_BUILD names another build folder for the release build (default
# build/release).
set -eu

preset=${1:?usage: bench/run_benchmark.sh small|medium|large|xlarge [runs] [folder|aef|mef] [threads]}
runs=${2:-5}
form=${3:-folder}
threads=${4:+--threads $4}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${IVARSCAN_BENCH_BUILD:-$root/build/release}
data=$root/build/bench-data/$preset
[ "$form" = folder ] || data=$data-$form
stamp=$data.stamp

# The generator's sources (the export writer's included) and the preset decide every byte.
wanted="$(cat "$root"/bench/generate_repository.py "$root"/bench/repogen_*.py \
  "$root"/tests/export_writer.py | sha256sum | cut -c1-16) $preset $form"
if [ ! -f "$data/repository.ini" ] || [ "$(cat "$stamp" 2>/dev/null)" != "$wanted" ]; then
  rm -f "$stamp"
  python3 "$root/bench/generate_repository.py" --preset "$preset" --form "$form" --force "$data"
  echo "$wanted" > "$stamp"
fi

cmake --preset release -B "$build" -S "$root" > /dev/null
cmake --build "$build" --target ivarscan run_benchmark > /dev/null
"$build/bench/run_benchmark" --repository "$data" --program "$build/app/console/ivarscan" \
  --runs "$runs" $threads
