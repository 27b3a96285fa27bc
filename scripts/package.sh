#!/usr/bin/env bash
# Builds the release files into dist/:
#   ivarscan-<version>-windows-x64.zip   the Windows programs, both variants
#   ivarscan_<version>-1_amd64.deb       the Linux console programs, for Debian and Ubuntu
#   SHA256SUMS                           the checksums of both
# The version is the project version of CMakeLists.txt. The files are reproducible: every
# time stamp is SOURCE_DATE_EPOCH (by default the time of the last commit), and the order,
# owners and modes of their members are fixed, so the same commit gives the same bytes.
#   scripts/package.sh                        build the release files
#   scripts/package.sh --check-reproducible   build them in two fresh clones of HEAD and
#                                             compare them byte for byte
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

if [[ "${1:-}" == --check-reproducible ]]; then
  exec bash scripts/check_reproducible.sh
fi

scripts/install-deps.sh package

version=$(sed -n 's/^project(ivarscan VERSION \([0-9.]*\) .*/\1/p' CMakeLists.txt)
[[ -n "$version" ]] || { echo "no project version in CMakeLists.txt" >&2; exit 1; }
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}
dist=$root/dist
stage=$root/build/package-stage
rm -rf "$dist" "$stage"
mkdir -p "$dist" "$stage"

echo "== Linux console programs (build/package-linux, Debian's build flags)"
# Debian's build flags with every hardening feature (bindnow included); their
# -ffile-prefix-map maps this folder away, so no path of the clone reaches the programs.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake --preset package-linux \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
cmake --build --preset package-linux --target ivarscan ivarscan20

echo "== Windows programs (build/package-windows)"
cmake --preset package-windows >/dev/null
cmake --build --preset package-windows

echo "== $dist/ivarscan_${version}-1_amd64.deb"
bash scripts/make_deb.sh "$version" build/package-linux/app/console "$stage/deb" \
  "$dist/ivarscan_${version}-1_amd64.deb"

echo "== $dist/ivarscan-${version}-windows-x64.zip"
python3 scripts/make_zip.py "$version" build/package-windows/app \
  "$dist/ivarscan-${version}-windows-x64.zip"

(cd "$dist" && sha256sum -- *.zip *.deb >SHA256SUMS)
echo "== $dist"
ls -l "$dist"
