#!/bin/bash
# The Debian package: make deb (rebuilt only when the source changed; its
# build runs the headless tests), lintian at every level, the experimental
# one included, clean apart from the overrides in debian/, and the package's own
# autopkgtest, debian/tests/smoke, on the package unpacked in a throwaway
# folder: nothing is installed. (make deb-reproducible builds it once more.)
# Usage: package.sh GAME_DIR BUILD_DIR SOURCE_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/common.bash"
build=$2
source_dir=$3
# What the build and the autopkgtest need, the package itself aside.
for pkg in dpkg-dev debhelper lintian \
    $(sed -n 's/^Depends: quonkle,//p' "$source_dir/debian/tests/control" | tr , ' '); do
    dpkg-query -W -f '${Status}\n' "$pkg" 2>/dev/null | grep -q ' installed$' \
        || skip "the package $pkg is not installed"
done
work=$(mktemp -d /tmp/quonkle-package-XXXXXX)
trap 'rm -rf "$work"' EXIT

unset MAKEFLAGS MFLAGS
make -C "$source_dir" --no-print-directory deb BUILD="$build" >"$work/deb.log" 2>&1 \
    || { tail -n 40 "$work/deb.log"; fail "make deb"; }
lintian -I -E --pedantic --fail-on error,warning,info,pedantic,experimental "$build"/deb/quonkle_*.changes \
    || fail "lintian"
deb=$build/deb/quonkle_$(dpkg-parsechangelog -l "$source_dir/debian/changelog" -S Version)
deb=${deb}_$(dpkg --print-architecture).deb
pkg=$work/root
dpkg-deb -x "$deb" "$pkg" || fail "no package $deb"
for f in man/man6/quonkle.6.gz doc/quonkle/copyright metainfo/org.quonkle.Quonkle.metainfo.xml \
    applications/org.quonkle.Quonkle.desktop icons/hicolor/64x64/apps/org.quonkle.Quonkle.png; do
    [ -s "$pkg/usr/share/$f" ] || fail "the package lacks /usr/share/$f"
done
# The font comes from fonts-eurofurence, a dependency: this machine's.
ln -s /usr/share/fonts "$pkg/usr/share/fonts"
QUONKLE_ROOT=$pkg bash "$source_dir/debian/tests/smoke" || fail "the autopkgtest"
echo "package: ok"
