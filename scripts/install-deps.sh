#!/usr/bin/env bash
# Installs the Debian packages that ivarscan needs, and nothing when they are all there.
#   scripts/install-deps.sh build   what building the console edition needs
#   scripts/install-deps.sh test    everything the full test suite needs (the default)
set -euo pipefail

build_packages=(cmake ninja-build g++ libgtest-dev libgmock-dev libbenchmark-dev)
# Packages are installed without their recommendations, so the fonts and X libraries that
# Wine draws its dialogs with are named here.
test_packages=("${build_packages[@]}" python3 clang libclang-rt-14-dev
               g++-mingw-w64-x86-64-posix binutils-mingw-w64 wine wine64 fonts-wine
               fonts-liberation libxrender1 libxcursor1 libxi6 libxrandr2 libxinerama1
               libxcomposite1 libxfixes3 xvfb xauth imagemagick googletest)

case "${1:-test}" in
  build) wanted=("${build_packages[@]}") ;;
  test) wanted=("${test_packages[@]}") ;;
  *) echo "usage: $0 [build|test]" >&2; exit 2 ;;
esac

missing=()
for package in "${wanted[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[[ $(id -u) -eq 0 ]] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
