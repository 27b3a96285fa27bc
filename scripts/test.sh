#!/usr/bin/env bash
# Installs what the tests need, builds every configuration and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh test

echo "== Source layout: every C++ file as .clang-format lays it out"
git ls-files -z '*.cc' '*.h' | xargs -0 clang-format-14 --dry-run --Werror

echo "== Debug build with sanitizers: unit and whole-program tests"
cmake --preset debug -DIVARSCAN_WERROR=ON >/dev/null
cmake --build --preset debug
ctest --preset debug -j2 --label-exclude slow
echo "== Tests with absolute time and memory budgets, alone"
ctest --preset debug --label-regex slow

echo "== Release build"
cmake --preset release -DIVARSCAN_WERROR=ON >/dev/null
cmake --build --preset release

echo "== Windows desktop programs, cross-built, run under Wine"
scripts/wine-test.sh

echo "== Release files: built (scripts/package.sh), then checked as a user meets them"
scripts/package.sh
scripts/check_packages.sh

echo "== libFuzzer targets, briefly (longer by hand: docs/fuzzing.md)"
scripts/fuzz.sh 15
