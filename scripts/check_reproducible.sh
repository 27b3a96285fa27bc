#!/usr/bin/env bash
# Builds the release files twice, each time in a fresh clone of HEAD (as it was when the
# script started) in a folder of its own, so that no build tree, path or leftover is
# shared, and compares them byte for byte.
# Run as `scripts/package.sh --check-reproducible`; it takes two full builds.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d /tmp/ivarscan-reproducible-XXXXXX)
trap 'rm -rf "$work"' EXIT
# The commit is fixed once: HEAD may move while the first build runs.
commit=$(git -C "$root" rev-parse HEAD)

for run in first second-run-deeper; do
  echo "== Clone $run"
  git clone --quiet --no-hardlinks "$root" "$work/$run/ivarscan"
  git -C "$work/$run/ivarscan" checkout --quiet "$commit"
  # No compiler cache: a cached object could hide a difference between the two builds.
  (cd "$work/$run/ivarscan" && CCACHE_DISABLE=1 bash scripts/package.sh >"$work/$run.log" 2>&1) ||
    { tail -n 30 "$work/$run.log"; exit 1; }
done

status=0
for file in "$work"/first/ivarscan/dist/*; do
  name=$(basename "$file")
  if cmp -s "$file" "$work/second-run-deeper/ivarscan/dist/$name"; then
    echo "same bytes: $name"
  else
    echo "DIFFERENT: $name"
    status=1
  fi
done
cat "$work/first/ivarscan/dist/SHA256SUMS"
exit "$status"
