#!/usr/bin/env bash
# Installs the Debian packages that ivarscan needs, and nothing when they are all there.
#   scripts/install-deps.sh build     what building the console edition needs
#   scripts/install-deps.sh package   what scripts/package.sh needs to build the release files
#   scripts/install-deps.sh test      everything the full test suite needs (the default)
set -euo pipefail

build_packages=(cmake ninja-build g++ libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev)
# The Windows cross compiler, and dpkg-shlibdeps for the package's dependencies.
package_packages=("${build_packages[@]}" git python3 g++-mingw-w64-x86-64-posix
                  binutils-mingw-w64 dpkg-dev)
# Packages are installed without their recommendations, so the fonts and X libraries that
# Wine draws its dialogs with are named here.
# lintian checks the Debian package; man-db and groff-base render its manual page.
test_packages=("${package_packages[@]}" clang clang-format-14 libclang-rt-14-dev
               lintian man-db groff-base wine wine64 fonts-wine
               fonts-liberation libxrender1 libxcursor1 libxi6 libxrandr2 libxinerama1
               libxcomposite1 libxfixes3 xvfb xauth imagemagick googletest python3-jsonschema
               libicu72)  # the SARIF Multitool (.NET, below) loads ICU at start

# npm fetches the SARIF schema below; the machine's Node.js may bring its own.
command -v npm >/dev/null || test_packages+=(npm)

case "${1:-test}" in
  build) wanted=("${build_packages[@]}") ;;
  package) wanted=("${package_packages[@]}") ;;
  test) wanted=("${test_packages[@]}") ;;
  *) echo "usage: $0 [build|package|test]" >&2; exit 2 ;;
esac

# The tests validate the SARIF output against the official SARIF 2.1.0 schema. Debian has
# no package with it; this npm package ships it (as sarif-2.1.0-rtm.5.json, the schema of the
# final 2.1.0 text), and the tarball's checksum is pinned.
sarif_package=@microsoft/jest-sarif@1.0.0-beta.0
sarif_tarball_sha256=748e2c3d1a842e7bb258416685c7ea3a0da40005b72267b2052c2856d48ad102
# tests/check_outputs.py looks in the same place (~ as Python's expanduser finds it).
home=${HOME:-$(getent passwd "$(id -u)" | cut -d: -f6)}
sarif_schema=${IVARSCAN_SARIF_SCHEMA:-$home/.cache/ivarscan/sarif-schema-2.1.0.json}

missing=()
for package in "${wanted[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done

if [[ ${#missing[@]} -gt 0 ]]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  [[ $(id -u) -eq 0 ]] || sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# The tests check every SARIF log with Microsoft's SARIF Multitool (validate, with the rule
# kinds of GitHub and Azure DevOps). Its npm package carries a self-contained Linux binary
# in the platform package, which is pinned too, since the main package asks for it by range.
multitool_version=5.7.0
multitool_dir=${IVARSCAN_SARIF_MULTITOOL_DIR:-$home/.cache/ivarscan/sarif-multitool}
multitool=$multitool_dir/node_modules/@microsoft/sarif-multitool-linux/Sarif.Multitool
if [[ "${1:-test}" == test && ! -x "$multitool" ]]; then
  echo "Installing the SARIF Multitool $multitool_version"
  mkdir -p "$multitool_dir"
  npm install --silent --no-audit --no-fund --save-exact --prefix "$multitool_dir" \
    "@microsoft/sarif-multitool@$multitool_version" \
    "@microsoft/sarif-multitool-linux@$multitool_version" >/dev/null
  chmod u+x "$multitool"  # what the package's install script does, which npm may skip
fi

if [[ "${1:-test}" == test && ! -s "$sarif_schema" ]]; then
  echo "Fetching the SARIF 2.1.0 schema from $sarif_package"
  download=$(mktemp -d)
  trap 'rm -rf "$download"' EXIT
  (cd "$download" && npm pack --silent "$sarif_package" >/dev/null)
  tarball=$(ls "$download"/*.tgz)
  echo "$sarif_tarball_sha256  $tarball" | sha256sum --check --quiet
  mkdir -p "$(dirname "$sarif_schema")"
  tar -xzOf "$tarball" package/lib/schemas/sarif-2.1.0-rtm.5.json >"$sarif_schema"
fi
