#!/bin/bash
# Builds the Windows game on a Debian machine: installs the cross compiler, Wine and the rest when
# they are missing, cross-builds into build-windows/, writes the run folder with the host's content
# generator, and leaves build-windows/dist/ and build-windows/jostrela-VERSION-windows.zip (VERSION
# the project's, from the top-level CMakeLists.txt).
# JOSTRELA_HOST_BUILD names a Linux build of this source to take the generator (and the Linux game,
# for the tests comparing the two) from; without it one is made in build-windows/host.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/../.."
source=$PWD
out=$source/build-windows

bash "$source/tools/install-deps.sh" windows

launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

host=${JOSTRELA_HOST_BUILD:-$out/host}
host=$(realpath -m "$host")
# A given build keeps its own configuration (configuring it here would flip its options and rebuild
# it all); it must have the tests' helpers, as ./test.sh's build/ has and ./play.sh's build-play/ has not.
if [[ ! -f $host/CMakeCache.txt ]]; then
    cmake -S "$source" -B "$host" -DCMAKE_BUILD_TYPE=Release -DJOSTRELA_BENCH=OFF "${launcher[@]}"
elif ! grep -q '^JOSTRELA_TESTS:BOOL=ON$' "$host/CMakeCache.txt"; then
    echo "build.sh: $host is a build without the tests (JOSTRELA_HOST_BUILD needs one with them, such as build/)" >&2
    exit 1
fi
cmake --build "$host" -j"$(nproc)" --target jostrela-content jostrela send_close_request net_peer

cmake -S "$source" -B "$out" -DCMAKE_TOOLCHAIN_FILE="$source/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DJOSTRELA_HOST_BUILD="$host" "${launcher[@]}"
cmake --build "$out" -j"$(nproc)"
"$host/tools/content/jostrela-content" "$out/run"

version=$(cat "$out/version.txt")
zip=jostrela-$version-windows.zip
dist=$out/dist
rm -rf "$dist" "$out"/jostrela-*windows.zip
mkdir -p "$dist"
cp "$out/jostrela.exe" "$out/tools/inspect/jostrela-inspect.exe" "$out/run/scr.txt" "$dist/"
cp -r "$out/run/MODELOS" "$out/run/Texturas" "$dist/"
# Windows sees one file where names differ only in letter case, and unzipping would ask to overwrite
# it: one file per such name (the first in byte order) stays; the game opens it by either spelling.
declare -A kept=()
while IFS= read -r -d '' file; do
    key=${file,,}
    if [[ -n ${kept[$key]:-} ]]; then
        cmp -s "${kept[$key]}" "$file" || { echo "build.sh: $file and ${kept[$key]} differ" >&2; exit 1; }
        rm "$file"
    else
        kept[$key]=$file
    fi
done < <(find "$dist" -type f -print0 | LC_ALL=C sort -z)
# Notepad's own code page and line ends; the version where the text says @VERSION@.
sed "s/@VERSION@/$version/" "$source/tools/windows/LEEME.txt" | iconv -f UTF-8 -t WINDOWS-1252 |
    sed 's/$/\r/' >"$dist/LEEME.txt"
(cd "$dist" && python3 -m zipfile -c "../$zip" jostrela.exe jostrela-inspect.exe scr.txt LEEME.txt MODELOS Texturas)
echo "build-windows/dist and build-windows/$zip are ready"
