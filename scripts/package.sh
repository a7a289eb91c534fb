#!/usr/bin/env bash
# Builds the .deb and the .tar.gz from the default build (build/default),
# checks the .deb with lintian (an error fails; warnings are listed), unpacks
# it with dpkg-deb -x into a temporary folder and runs the installed programs
# from there on the installed demo data.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/build.sh default "$@"

bin=build/default
rm -f "$bin"/levelkit_*.deb "$bin"/levelkit_*.tar.gz
(cd "$bin" && cpack --config CPackConfig.cmake >cpack.log) || { cat "$bin/cpack.log"; exit 1; }
deb=$(ls "$bin"/levelkit_*.deb)
tarball=$(ls "$bin"/levelkit_*.tar.gz)
echo "== $deb"
dpkg-deb --field "$deb" Package Version Depends

echo "== lintian"
lintian --fail-on error --tag-display-limit 0 "$deb"

echo "== the unpacked package"
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
"$root/usr/bin/levelkit" --version
"$root/usr/bin/levelkit" check "$root/usr/share/levelkit/demo"
"$root/usr/bin/levelkit-driver" --version
"$root/usr/bin/levelkit-skills" --version
for f in share/man/man1/levelkit.1.gz share/applications/levelkit-driver.desktop \
         share/icons/hicolor/64x64/apps/levelkit-skills.png; do
  [ -s "$root/usr/$f" ] || { echo "missing from the package: /usr/$f" >&2; exit 1; }
done
tar -tzf "$tarball" >"$root/tarball.list"
grep -q 'bin/levelkit-driver$' "$root/tarball.list" || { echo "no levelkit-driver in $tarball" >&2; exit 1; }
echo "package ok: $deb, $tarball"
