#!/usr/bin/env bash
# Builds the Windows programs with the mingw preset and runs the desktop scenarios under
# Wine on a virtual X server. Each scenario runs in a fresh working folder that holds the
# programs (ivarscan.exe, ivarscan20.exe, the smoke program, the stand-in notepad.exe and
# IDE) and whatever repository the scenario copies in.
#   scripts/wine-test.sh [--shots] [SCENARIO...]
# --shots runs each scenario inside Wine's virtual desktop (which draws window frames and
# captions) and saves the screenshots the scenario asks for as BUILD/screenshots/*.png.
# The build folder is build/mingw, or $IVARSCAN_WINE_BUILD. The desktop programs under test
# are the build's, or those in the folder $IVARSCAN_WINE_PROGRAMS (a release zip, unpacked).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${IVARSCAN_WINE_BUILD:-build/mingw}

if [[ "${1:-}" != --inside-x ]]; then
  scripts/install-deps.sh test
  # The harness and the Windows unit tests are test support: asked for explicitly.
  cmake --preset mingw -B "$build" -DIVARSCAN_WERROR=ON -DIVARSCAN_TESTS=ON >/dev/null
  cmake --build "$build"
  # The Linux console edition, which tests/wine/console_test.py compares the Windows one with.
  cmake --preset release >/dev/null
  cmake --build --preset release --target ivarscan ivarscan20
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" --inside-x "$@"
fi
shift

shots=""
if [[ "${1:-}" == --shots ]]; then
  shots=--shots
  shift
fi

export WINEPREFIX="$root/$build/wineprefix" WINEDEBUG=-all WINEARCH=win64
# No Mono or Gecko installer dialogs while the prefix is made.
export WINEDLLOVERRIDES="mscoree,mshtml="
if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
  echo "== Making the Wine prefix (once)"
  wineboot -i >/dev/null 2>&1
  wineserver -w
fi
# One Wine server for the whole run, kept until the end: a server left to stop on its own
# once its last process ends can be stopping just as the next program starts, which then
# fails with "wine client error: recvmsg: Connection reset by peer". A server left by an
# interrupted earlier run of this prefix is ended first.
wineserver -k 2>/dev/null || true
wineserver -p
trap 'wineserver -k 2>/dev/null || true' EXIT

driver="$root/$build/tests/wine/driver.exe"
programs=("$build"/tests/wine/{smoke,notepad,fake_ide,fault}.exe)
programs_folder=${IVARSCAN_WINE_PROGRAMS:-$build/app/win32}
for program in "$programs_folder"/ivarscan*.exe "$programs_folder"/ivarscan*.com; do
  [[ -f "$program" ]] && programs+=("$program")
done
export IVARSCAN_SOURCE_DIR IVARSCAN_BIG_REPOSITORY IVARSCAN_BIG_CLASSES IVARSCAN_BIG_LAST_APPLICATION
IVARSCAN_SOURCE_DIR=$(winepath -w "$root")
# A repository big enough that a report run lasts long enough to be cancelled; the
# generator says how many class blocks a correct report of it holds.
big="$root/$build/wine-data/big-repository"
if [[ ! -f "$big/repository.ini" ]]; then
  mkdir -p "$(dirname "$big")"
  python3 bench/generate_repository.py --preset medium --force "$big" >"$big.summary"
fi
IVARSCAN_BIG_REPOSITORY=$(winepath -w "$big")
IVARSCAN_BIG_CLASSES=$(grep -o '[0-9]* classes to report' "$big.summary" | cut -d' ' -f1)
# The application the report ends with: the last in name order that is no system library.
IVARSCAN_BIG_LAST_APPLICATION=$(python3 scripts/last_application.py "$big/Head Office")

scenarios=("$@")
if [[ ${#scenarios[@]} -eq 0 ]]; then
  mapfile -t scenarios < <(wine "$driver" --list | tr -d '\r')
fi

# Takes the pictures that a scenario asks for with shot-NAME.request files.
take_shots() {
  local folder=$1 scenario=$2
  mkdir -p "$root/$build/screenshots"
  while true; do
    for request in "$folder"/shot-*.request; do
      [[ -f "$request" ]] || continue
      local name
      name=$(basename "$request" .request)
      import -window root "$root/$build/screenshots/$scenario-${name#shot-}.png"
      rm -f "$request"
    done
    sleep 0.2
  done
}

passed=0
failed=0
if [[ $# -eq 0 ]]; then
  # The unit tests of the Windows code, in a folder of their own.
  unit="$root/$build/wine-tests/win32_tests"
  rm -rf "$unit" && mkdir -p "$unit"
  if (cd "$unit" && timeout 300 wine "$root/$build/tests/wine/win32_tests.exe" \
        >"$unit/output.txt" 2>&1); then
    echo "PASS win32_tests: $(tr -d '\r' <"$unit/output.txt" | grep -o '[0-9]* tests from [0-9]* test suites ran' || true)"
    passed=$((passed + 1))
  else
    tr -d '\r' <"$unit/output.txt" | grep -E 'FAILED|Failure|error' || true
    echo "FAIL win32_tests"
    failed=$((failed + 1))
  fi
fi
# The console edition (ivarscan.com) as a process, against the Linux one; named
# console-process on the command line.
if [[ $# -eq 0 || " $* " == *" console-process "* ]]; then
  mkdir -p "$root/$build/wine-tests"
  if timeout 900 python3 tests/wine/console_test.py "$programs_folder" build/release/app/console \
       >"$root/$build/wine-tests/console-process.txt" 2>&1; then
    echo "PASS console-process"
    passed=$((passed + 1))
  else
    cat "$root/$build/wine-tests/console-process.txt"
    echo "FAIL console-process"
    failed=$((failed + 1))
  fi
fi
for scenario in "${scenarios[@]}"; do
  [[ $scenario == console-process ]] && continue
  folder="$root/$build/wine-tests/$scenario"
  rm -rf "$folder"
  mkdir -p "$folder"
  cp "${programs[@]}" "$folder/"
  windows_folder=$(winepath -w "$folder")
  watcher=""
  if [[ -n "$shots" ]]; then
    take_shots "$folder" "$scenario" &
    watcher=$!
    timeout 300 wine explorer /desktop=shots,800x600 "$driver" "$scenario" "$windows_folder" \
      --shots >/dev/null 2>&1 || true
  else
    timeout 300 wine "$driver" "$scenario" "$windows_folder" >"$folder/wine-output.txt" 2>&1 || true
    # Wine now and then fails to start the driver at all (no outcome, nothing run): that
    # says nothing of the programs, so such a start is tried once more.
    if [[ ! -f "$folder/driver.log" ]]; then
      echo "Wine did not start the driver for $scenario; starting it once more"
      timeout 300 wine "$driver" "$scenario" "$windows_folder" >>"$folder/wine-output.txt" 2>&1 || true
    fi
  fi
  [[ -n "$watcher" ]] && kill "$watcher" && wait "$watcher" 2>/dev/null || true
  outcome=$(tr -d '\r' <"$folder/driver.log" 2>/dev/null || echo "FAIL $scenario: no outcome")
  echo "$outcome"
  if [[ "$outcome" == PASS* ]]; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
done

echo "wine: $passed passed, $failed failed"
[[ $failed -eq 0 ]]
