#!/usr/bin/env bash
# Checks the release files that scripts/package.sh wrote into dist/, as a user would meet
# them:
# - SHA256SUMS holds for both files;
# - lintian finds nothing in the Debian package (its remaining tags are in docs/releases.md);
# - the package unpacked into a temporary root: its programs give the sample repository's
#   expected report, show the project's version, and its manual pages render without a
#   warning;
# - the zip unpacked into a fresh folder: every file is there, the texts end their lines in
#   CR LF, both desktop programs start and write their reports under Wine
#   (scripts/wine-test.sh runs them), and the console program gives the expected report.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
version=$(sed -n 's/^project(ivarscan VERSION \([0-9.]*\) .*/\1/p' CMakeLists.txt)
deb=dist/ivarscan_${version}-1_amd64.deb
zip=dist/ivarscan-${version}-windows-x64.zip
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

echo "== sha256sum -c SHA256SUMS"
(cd dist && sha256sum -c SHA256SUMS)

echo "== lintian $deb"
# --fail-on warning: a warning fails the check as an error does.
lintian --fail-on error,warning --info "$deb"

echo "== The package unpacked into a temporary root"
dpkg-deb -x "$deb" "$work/root"
[[ "$(dpkg-deb -f "$deb" Version)" == "${version}-1" ]] || fail "package version"
for program in ivarscan ivarscan20; do
  shown=$("$work/root/usr/bin/$program" --version)
  [[ "$shown" == "$program $version "* ]] || fail "$program --version shows: $shown"
done
cp -r examples/sample-repository "$work/repository"
(cd "$work" && XDG_STATE_HOME="$work/state" "$work/root/usr/bin/ivarscan" \
   --repository repository --project Sales --yes --no-open >/dev/null 2>&1) ||
  fail "the packaged program on the sample repository"
cmp "$work/DUPIVars25.TXT" tests/sample/expected.txt || fail "the report of the packaged program"
(cd "$work" && "$work/root/usr/bin/ivarscan" --repository repository --project Sales --yes \
   --no-open --format sarif --output run.sarif >/dev/null 2>&1) || fail "the packaged program's SARIF"
python3 - "$work/run.sarif" "$version" <<'EOF' || fail "SARIF tool.driver.version"
import json, sys
driver = json.load(open(sys.argv[1]))["runs"][0]["tool"]["driver"]
sys.exit(driver["version"] != sys.argv[2])
EOF
for page in ivarscan ivarscan20; do
  warnings=$(MANWIDTH=80 man --warnings -l "$work/root/usr/share/man/man1/$page.1.gz" 2>&1 \
             >/dev/null)
  [[ -z "$warnings" ]] || fail "manual page $page: $warnings"
done
echo "the packaged programs: report as expected, version $version, manual pages without warnings"

echo "== The zip unpacked into a fresh folder"
python3 -m zipfile -e "$zip" "$work/zip"
unzipped=$work/zip/ivarscan-$version
for file in ivarscan.exe ivarscan20.exe ivarscan.com ivarscan20.com README.txt LICENSE.txt \
            CHANGELOG.txt findings.schema.json; do
  [[ -f "$unzipped/$file" ]] || fail "$file is not in the zip"
done
for text in README.txt LICENSE.txt CHANGELOG.txt; do
  if grep -qE $'(^|[^\r])$' "$unzipped/$text"; then fail "$text has a line without CR LF"; fi
done
IVARSCAN_WINE_PROGRAMS=$unzipped scripts/wine-test.sh happy-path happy-path-20

echo "== The zip's console program under Wine on the sample repository"
mkdir -p "$work/wine-run"
cp -r examples/sample-repository "$work/wine-run/repository"
(cd "$work/wine-run" && WINEPREFIX="$root/build/mingw/wineprefix" WINEDEBUG=-all \
   wine "$unzipped/ivarscan.com" --repository repository --project Sales --yes --no-open \
   >/dev/null 2>&1) || fail "the zip's ivarscan.com on the sample repository"
cmp "$work/wine-run/DUPIVars25.TXT" tests/sample/expected.txt ||
  fail "the report of the zip's ivarscan.com"
echo "the zip's console program: report as expected"
