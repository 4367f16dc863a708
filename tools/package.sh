#!/usr/bin/env bash
# Makes the Debian package: build-package/jostrela_VERSION_ARCH.deb, with the game in /usr/games
# (a launcher; the program itself in /usr/lib/games/jostrela), its generated data in
# /usr/share/games/jostrela, the desktop entry, icons, manual page and copyright file. The
# dependencies are those of the libraries the program links (dpkg-shlibdeps) and the fonts it asks
# for, with the GL library the video library opens at run time (it links none). Prints the
# package's path.
#
#   tools/package.sh [BUILD_DIR [OUT_DIR]]
#
# BUILD_DIR (build-package/build by default) is configured for a release build without tests when
# it holds no build yet; an existing build of this source is brought up to date (left as it is with
# JOSTRELA_PACKAGE_AS_BUILT=1). OUT_DIR (build-package by default) receives the package.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="$(realpath -m "${2:-$root/build-package}")"
build="$(realpath -m "${1:-$out/build}")"
jobs="${JOBS:-$(nproc)}"

# The build's output goes to OUT_DIR/build.log, shown when it fails.
log="$out/build.log"
mkdir -p "$out"
if ! {
    if [[ ! -f "$build/CMakeCache.txt" ]]; then
        # Debian's hardening flags, as its own packages are built.
        export DEB_BUILD_MAINT_OPTIONS=hardening=+all
        cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DJOSTRELA_TESTS=OFF -DJOSTRELA_BENCH=OFF \
            -DJOSTRELA_WERROR="${JOSTRELA_WERROR:-OFF}" \
            -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
            -DCMAKE_C_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CFLAGS)" \
            -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)"
    fi
    # The suite's package test packages its build as it stands: building there would relink the
    # game under the tests running beside it.
    if [[ "${JOSTRELA_PACKAGE_AS_BUILT:-}" != 1 ]]; then
        cmake --build "$build" -j "$jobs" --target jostrela jostrela_icons jostrela_manpage
    fi
} >"$log" 2>&1; then
    tail -n 30 "$log" >&2
    echo "package: the build failed; the whole output is in $log" >&2
    exit 1
fi

version="$(cat "$build/version.txt")"
arch="$(dpkg --print-architecture)"
stage="$out/stage"
rm -rf "$stage"
mkdir -p "$stage/DEBIAN"
DESTDIR="$stage" cmake --install "$build" --prefix /usr >/dev/null
# Stripped as Debian strips its programs: no symbols or notes beyond what running needs.
strip --strip-unneeded --remove-section=.comment --remove-section=.note "$stage/usr/lib/games/jostrela/jostrela"

# Debian's documentation files: the copyright, a changelog (of a native package: no Debian
# revision), the manual page compressed.
doc="$stage/usr/share/doc/jostrela"
mkdir -p "$doc"
cp "$root/tools/package/copyright" "$doc/copyright"
date="$(git -C "$root" log -1 --format=%aD 2>/dev/null || date -R)"
printf 'jostrela (%s) unstable; urgency=medium\n\n  * Release %s.\n\n -- %s  %s\n' "$version" "$version" \
    "$(sed -n 's/^Maintainer: //p' "$root/tools/package/control")" "$date" | gzip -9n >"$doc/changelog.gz"
gzip -9n "$stage/usr/share/man/man6/jostrela.6"

# Owner-only write for everything; only the launcher and the program are executable.
find "$stage" -type d -exec chmod 755 {} +
find "$stage" -type f -exec chmod 644 {} +
chmod 755 "$stage/usr/games/jostrela" "$stage/usr/lib/games/jostrela/jostrela"

# dpkg-shlibdeps reads the source package's debian/control, which this package has no other use for.
shlibs="$(mktemp -d)"
trap 'rm -rf "$shlibs"' EXIT
mkdir "$shlibs/debian"
printf 'Source: jostrela\n\nPackage: jostrela\nArchitecture: any\n' >"$shlibs/debian/control"
depends="$(cd "$shlibs" && dpkg-shlibdeps -O "$stage/usr/lib/games/jostrela/jostrela" | sed -n 's/^shlibs:Depends=//p')"

size="$(du -sk --exclude=DEBIAN "$stage" | cut -f1)"
sed -e "s/@VERSION@/$version/" -e "s/@ARCH@/$arch/" -e "s/@SIZE@/$size/" -e "s/@DEPENDS@/$depends/" \
    "$root/tools/package/control" >"$stage/DEBIAN/control"
(cd "$stage" && find usr -type f -print0 | sort -z | xargs -0 md5sum >DEBIAN/md5sums)
chmod 644 "$stage/DEBIAN/control" "$stage/DEBIAN/md5sums"

deb="$out/jostrela_${version}_${arch}.deb"
# The files' times are the commit's, so the same source makes the same package.
SOURCE_DATE_EPOCH="$(git -C "$root" log -1 --format=%ct 2>/dev/null || date +%s)" \
    dpkg-deb --root-owner-group -Zxz --build "$stage" "$deb" >/dev/null
echo "$deb"
