#!/usr/bin/env bash
# Makes the Debian package of the console programs (called by scripts/package.sh).
#   make_deb.sh VERSION PROGRAM_FOLDER STAGE_FOLDER OUTPUT.deb
# PROGRAM_FOLDER holds the built ivarscan and ivarscan20. Every time stamp in the package is
# SOURCE_DATE_EPOCH; members are owned by root, in name order, with fixed modes.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
version=$1 programs=$2 stage=$3 output=$4
: "${SOURCE_DATE_EPOCH:?SOURCE_DATE_EPOCH must be set}"
maintainer="The ivarscan authors <ivarscan@users.noreply.invalid>"

rm -rf "$stage"
tree=$stage/root
doc=$tree/usr/share/doc/ivarscan
mkdir -p "$tree/DEBIAN" "$tree/usr/bin" "$tree/usr/share/man/man1" "$doc" \
         "$tree/usr/share/ivarscan"
umask 022

# The programs, stripped as Debian's packaging tools strip them.
for program in ivarscan ivarscan20; do
  install -m 0755 "$programs/$program" "$tree/usr/bin/$program"
  strip --remove-section=.comment --remove-section=.note --strip-unneeded \
    "$tree/usr/bin/$program"
done

# One manual page covers both programs; ivarscan20's name leads to it.
gzip -9n <"$root/docs/man/ivarscan.1" >"$tree/usr/share/man/man1/ivarscan.1.gz"
ln -s ivarscan.1.gz "$tree/usr/share/man/man1/ivarscan20.1.gz"

install -m 0644 "$root/docs/findings.schema.json" "$tree/usr/share/ivarscan/"
gzip -9n <"$root/README.md" >"$doc/README.md.gz"
gzip -9n <"$root/CHANGELOG.md" >"$doc/changelog.gz"
{
  echo "ivarscan (${version}-1) unstable; urgency=medium"
  echo
  echo "  * Package of ivarscan ${version}; its changes are in changelog.gz."
  echo
  echo " -- ${maintainer}  $(date -u -R -d "@$SOURCE_DATE_EPOCH")"
} | gzip -9n >"$doc/changelog.Debian.gz"
{
  cat <<EOF
Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: ivarscan
Upstream-Contact: ${maintainer}

Files: *
Copyright: 2026 The ivarscan authors
License: Expat

License: Expat
EOF
  # The licence text, indented, with "." standing for each empty line.
  sed -n '/^Permission/,$p' "$root/LICENSE" | sed -e 's/^$/./' -e 's/^/ /'
} >"$doc/copyright"
chmod 0644 "$doc"/*

# The one tag lintian reports, overridden with its reason beside it.
mkdir -p "$tree/usr/share/lintian/overrides"
cat >"$tree/usr/share/lintian/overrides/ivarscan" <<'EOF'
# Published with ivarscan's releases, not uploaded to Debian: there is no
# intent-to-package bug for the first changelog entry to close.
ivarscan: initial-upload-closes-no-bugs
EOF
chmod 0644 "$tree/usr/share/lintian/overrides/ivarscan"

# The shared libraries the programs need, with their lowest versions, as Debian works them
# out (dpkg-shlibdeps reads debian/control, which it only needs to exist).
mkdir -p "$stage/debian"
touch "$stage/debian/control"
depends=$(cd "$stage" && dpkg-shlibdeps -O root/usr/bin/ivarscan root/usr/bin/ivarscan20 |
          sed -n 's/^shlibs:Depends=//p')
installed_size=$(du -k -s --apparent-size --exclude=DEBIAN "$tree" | cut -f1)
cat >"$tree/DEBIAN/control" <<EOF
Package: ivarscan
Version: ${version}-1
Architecture: amd64
Maintainer: ${maintainer}
Installed-Size: ${installed_size}
Depends: ${depends}
Section: devel
Priority: optional
Description: report instance variables declared again along a class hierarchy
 ivarscan reads a CA-Visual Objects source repository, or the IDE's application
 exports, and finds every instance variable that a class declares more than
 once along its class hierarchy: in the class itself, in a parent or further
 ancestor, or in a library class. IDE 2.5 refuses to compile such a class,
 so code that compiled under IDE 2.0 can fail to build after an upgrade.
 .
 It resolves each class's parents through the application, its search path
 and the System Library, and writes a plain-text report of every duplicate and
 every parent that cannot be found, or JSON and SARIF for tools and
 code-scanning services. It changes no source. ivarscan20 does the same for
 the repository of IDE 2.0.
EOF
(cd "$tree" && find usr -type f | LC_ALL=C sort | xargs md5sum) >"$tree/DEBIAN/md5sums"
chmod 0644 "$tree/DEBIAN/control" "$tree/DEBIAN/md5sums"

find "$tree" -type d -exec chmod 0755 {} +
find "$tree" -exec touch --no-dereference --date="@$SOURCE_DATE_EPOCH" {} +
dpkg-deb --root-owner-group -Zxz --build "$tree" "$output" >/dev/null
