#!/usr/bin/env bash
# Generates repositories of two shapes and reports on each with 1, 2 and 7 threads; the
# reports must be equal byte for byte, and must name the classes the generator planted.
#   threads_test.sh <ivarscan program> <bench/generate_repository.py>
set -euo pipefail
program=$1
generator=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for preset in small medium; do
  repository=$work/$preset
  python3 "$generator" --preset "$preset" "$repository" > "$work/$preset.generated"
  # "..., 653 classes to report (preset large, ...)"
  planted=$(sed -n 's/.* \([0-9]*\) classes to report.*/\1/p' "$work/$preset.generated")
  for threads in 1 2 7; do
    mkdir "$work/$preset-$threads"
    (cd "$work/$preset-$threads" &&
     "$program" --yes --no-open --repository "$repository" --project "Head Office" \
       --threads "$threads" > /dev/null)
  done
  reported=$(grep -c '^Class: ' "$work/$preset-1/DUPIVars25.TXT" || true)
  if [[ "$reported" != "$planted" ]]; then
    echo "$preset: $reported classes reported, $planted planted"; exit 1
  fi
  for threads in 2 7; do
    if ! cmp "$work/$preset-1/DUPIVars25.TXT" "$work/$preset-$threads/DUPIVars25.TXT"; then
      echo "$preset: the report with $threads threads differs from the one with 1"; exit 1
    fi
  done
  echo "$preset: $reported classes reported, the same with 1, 2 and 7 threads"
done
