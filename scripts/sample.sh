#!/usr/bin/env bash
# Builds the console edition and runs it, unattended, on a copy of the sample repository
# (examples/sample-repository) for its project "Sales"; then shows the report.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/install-deps.sh build
cmake --preset release >/dev/null
cmake --build --preset release --target ivarscan

run="$root/build/sample-run"
rm -rf "$run" && mkdir -p "$run"
cp -r examples/sample-repository "$run/repository"
cd "$run"
echo "== ivarscan --repository repository --project Sales --yes --no-open   (in $run)"
status=0
"$root/build/release/app/console/ivarscan" --repository repository --project Sales --yes \
  --no-open || status=$?
echo
echo "== $run/DUPIVars25.TXT"
tr -d '\r' < DUPIVars25.TXT
exit "$status"
