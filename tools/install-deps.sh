#!/usr/bin/env bash
# Installs the Debian packages that are not installed yet: with "play", those of
# tools/debian-packages-play.txt (building and playing the game); otherwise those and
# tools/debian-packages.txt too (tools and tests); with "windows", also those of
# tools/windows/debian-packages.txt (the Windows build and its tests). Works as root or through
# sudo; does nothing when everything is there. Prints one line; apt's own output goes to
# install-deps.log in the build folder of that list: build-play/, build-windows/, else build/.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
lists=("$here/debian-packages-play.txt")
if [[ "${1:-}" != "play" ]]; then
    lists+=("$here/debian-packages.txt")
fi
if [[ "${1:-}" == "windows" ]]; then
    lists+=("$here/windows/debian-packages.txt")
fi
mapfile -t packages < <(sed -e 's/#.*//' -e 's/[[:space:]]//g' "${lists[@]}" | grep -v '^$')

missing=()
for package in "${packages[@]}"; do
    status="$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)"
    if [[ "$status" != "install ok installed" ]]; then
        missing+=("$package")
    fi
done
if [[ ${#missing[@]} -eq 0 ]]; then
    exit 0
fi

as_root=()
if [[ "$(id -u)" -ne 0 ]]; then
    if ! command -v sudo >/dev/null; then
        echo "install-deps: these packages are missing and sudo is not available: ${missing[*]}" >&2
        exit 1
    fi
    as_root=(sudo)
fi
case "${1:-}" in
play) log="$here/../build-play/install-deps.log" ;;
windows) log="$here/../build-windows/install-deps.log" ;;
*) log="$here/../build/install-deps.log" ;;
esac
mkdir -p "$(dirname "$log")"
echo "Installing ${#missing[@]} packages (${missing[*]})..."
if ! { "${as_root[@]}" apt-get update &&
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends \
        "${missing[@]}"; } >"$log" 2>&1; then
    tail -n 20 "$log" >&2
    echo "install-deps: installing failed; the whole output is in $log" >&2
    exit 1
fi
