#!/usr/bin/env bash
# Runs the console edition on one report case and compares the report byte for byte; then
# runs it for JSON and SARIF and checks those (tests/check_outputs.py: valid against their
# schemas, the same findings as the text report, every location on its name's line, the
# SARIF Multitool's rules of GitHub and Azure DevOps).
# Further arguments go to every run of the program.
#   run_report_case.sh <ivarscan program> <case folder> [folder|aef|mef [program options...]]
# A case folder holds `repository/` (a repository folder), `project` (the name of the
# project to report on, one line) and `expected.txt` (the report). The repository is
# copied first, so that the run's changes to it never touch the source tree. With `aef`
# or `mef` the copy is written in that export form (tests/export_writer.py), and the
# report must be the same.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
program=$1
case_dir=$(cd "$2" && pwd)
form=${3:-folder}
shift $(( $# < 3 ? $# : 3 ))
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if [[ "$form" == folder ]]; then
  cp -rL "$case_dir/repository" "$work/repository"
else
  python3 "$here/export_writer.py" "$form" "$case_dir/repository" "$work/repository"
fi
cp "$work/repository/repository.ini" "$work/repository.ini.before" 2>/dev/null || true
project=$(head -n 1 "$case_dir/project")
cd "$work"
status=0
"$program" --yes --no-open --project "$project" "$@" >"$work/stdout" 2>"$work/stderr" || status=$?
report=$(basename "$(ls "$work"/DUPIVars*.TXT 2>/dev/null | head -n 1)" 2>/dev/null || true)

if [[ -z "$report" ]]; then
  echo "no report written (exit status $status)"; cat "$work/stderr"; exit 1
fi
if ! cmp -s "$work/$report" "$case_dir/expected.txt"; then
  echo "the report differs from $case_dir/expected.txt:"
  diff <(tr -d '\r' < "$case_dir/expected.txt") <(tr -d '\r' < "$work/$report") || true
  cmp "$work/$report" "$case_dir/expected.txt" || true
  exit 1
fi
expected_status=0
[[ -f "$case_dir/status" ]] && expected_status=$(cat "$case_dir/status")
if [[ "$status" != "$expected_status" ]]; then
  echo "exit status $status, expected $expected_status"; cat "$work/stderr"; exit 1
fi
# The run puts the previously current project back.
if [[ -f "$work/repository.ini.before" ]] &&
   ! cmp -s "$work/repository.ini.before" "$work/repository/repository.ini"; then
  echo "repository.ini was not restored:"; diff "$work/repository.ini.before" "$work/repository/repository.ini"
  exit 1
fi

for format in json sarif; do
  status=0
  "$program" --yes --no-open --project "$project" --format "$format" --output "$work/run.$format" \
    "$@" >"$work/stdout" 2>"$work/stderr" || status=$?
  if [[ ! -s "$work/run.$format" || "$status" != "$expected_status" ]]; then
    echo "$format: exit status $status, expected $expected_status"; cat "$work/stderr"; exit 1
  fi
done
python3 "$here/check_outputs.py" "$work/$report" "$work/run.json" "$work/run.sarif"
