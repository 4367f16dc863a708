#!/usr/bin/env bash
# Prepares a fresh Debian 12 system for the package test to install the package into: a minimal
# debootstrap in DIR (made once), with every package the given .deb pulls in downloaded into its
# apt cache but none installed. The test then installs the package there with the network cut off
# (tests/package/install.sh, JOSTRELA_PACKAGE_CHROOT=DIR). Needs root and Debian's mirror.
#
#   tools/package-chroot.sh DEB DIR
set -euo pipefail

deb="$(realpath "$1")"
dir="$(realpath -m "$2")"
[[ "$(id -u)" == 0 ]] || { echo "package-chroot: needs root (debootstrap, chroot)" >&2; exit 1; }
# The mirror this machine's apt already uses for bookworm's main component.
mirror="$(apt-get indextargets --format '$(REPO_URI)' 'Identifier: Packages' 'Codename: bookworm' \
    'Component: main' | head -n 1)"
[[ -n "$mirror" ]] || { echo "package-chroot: apt knows no bookworm mirror (run apt-get update)" >&2; exit 1; }
if [[ ! -f "$dir/etc/debian_version" ]]; then
    rm -rf "$dir.new"
    debootstrap --variant=minbase bookworm "$dir.new" "$mirror" >"$dir.log" 2>&1 ||
        { tail -n 20 "$dir.log" >&2; echo "package-chroot: debootstrap failed; its output is in $dir.log" >&2; exit 1; }
    mv "$dir.new" "$dir"
fi
cp "$deb" "$dir/tmp/jostrela.deb"
chroot "$dir" apt-get update -q >"$dir.log" 2>&1 &&
    chroot "$dir" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --download-only /tmp/jostrela.deb \
        >>"$dir.log" 2>&1 ||
    { tail -n 20 "$dir.log" >&2; echo "package-chroot: apt-get failed; its output is in $dir.log" >&2; exit 1; }
rm "$dir/tmp/jostrela.deb"
echo "$dir"
