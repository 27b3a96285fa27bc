#!/bin/sh
# Times the console edition's text, JSON and SARIF runs on a generated repository:
#
#   bench/time_formats.sh small|medium|large [rounds]
#
# Generates the preset's repository as bench/run_benchmark.sh does, builds the release
# preset, then runs the three formats one after the other, `rounds` times (default 3), and
# prints every run and, per format, the median elapsed and processor (user + system)
# seconds and their ratio to the text run's.
set -eu

preset=${1:?usage: bench/time_formats.sh small|medium|large [rounds]}
rounds=${2:-3}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${IVARSCAN_BENCH_BUILD:-$root/build/release}
. "$root/bench/bench_data.sh"
bench_data "$preset" folder
cmake --preset release -B "$build" -S "$root" > /dev/null
cmake --build "$build" --target ivarscan > /dev/null

project=$(sed -n 's/^CurrentProject=//p' "$data/repository.ini")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
round=1
while [ "$round" -le "$rounds" ]; do
  for format in text json sarif; do
    /usr/bin/time -f "$format %e %U %S" -a -o times "$build/app/console/ivarscan" \
      --repository "$data" --project "$project" --yes --no-open --format "$format" \
      --output "out.$format" > /dev/null 2> /dev/null
  done
  round=$((round + 1))
done
cat times
python3 - <<'PY'
import statistics
runs = {}
for line in open("times"):
    fmt, elapsed, user, system = line.split()
    runs.setdefault(fmt, []).append((float(elapsed), float(user) + float(system)))
base = [statistics.median(r[i] for r in runs["text"]) for i in (0, 1)]
for fmt in ("text", "json", "sarif"):
    elapsed, cpu = (statistics.median(r[i] for r in runs[fmt]) for i in (0, 1))
    print("%-5s median elapsed %.2f s (x%.2f), processor %.2f s (x%.2f)"
          % (fmt, elapsed, elapsed / base[0], cpu, cpu / base[1]))
PY
