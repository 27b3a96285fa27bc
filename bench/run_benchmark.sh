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
. "$root/bench/bench_data.sh"
bench_data "$preset" "$form"

cmake --preset release -B "$build" -S "$root" > /dev/null
cmake --build "$build" --target ivarscan run_benchmark > /dev/null
"$build/bench/run_benchmark" --repository "$data" --program "$build/app/console/ivarscan" \
  --runs "$runs" $threads
