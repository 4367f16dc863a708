#!/usr/bin/env bash
# The Debian package as a player meets it: JOSTRELA_DEB when set (CI's, from a clean checkout),
# else one tools/package.sh makes from this build. Clean of lintian errors; installed into a fresh
# Debian 12 system when JOSTRELA_PACKAGE_CHROOT names one tools/package-chroot.sh prepared (apt-get
# install with the network cut off: what the package depends on must be enough), else on this
# machine with dpkg -i. There its desktop entry is valid, and the jostrela command, started by an
# ordinary user from a folder of theirs, replays a walk and leaves the same state dump as the
# build's own game, writing only its folder under the XDG data home and the files named. Removing
# the package leaves none of its files. Needs root: skipped (code 77) otherwise, and on this
# machine when a jostrela package is installed already. One run at a time on the machine.
# Env from CTest: JOSTRELA_BIN, JOSTRELA_BUILD, JOSTRELA_SOURCE; JOSTRELA_DEB and
# JOSTRELA_PACKAGE_CHROOT from the caller.
export E2E_TIMEOUT=600
source "$(dirname "$0")/../e2e/helpers/common.bash"
run_under_xvfb "$@"

if [[ "$(id -u)" != 0 ]]; then
    echo "SKIP: installing the package needs root (dpkg -i); run the tests as root to include it"
    exit 77
fi
exec 9>/run/lock/jostrela-package-test.lock
flock -w 600 9 || fail "another run of this test held the lock for ten minutes"
chroot_base="${JOSTRELA_PACKAGE_CHROOT:-}"
if [[ -z "$chroot_base" ]] && dpkg-query -W -f='${Status}' jostrela 2>/dev/null | grep -q "ok installed"; then
    echo "SKIP: a jostrela package is installed on this machine; the test leaves it alone"
    exit 77
fi

work="$(mktemp -d)"
chmod 755 "$work"
# The system the package goes into: a copy of the prepared one, or this machine (root "").
root=""
installed=0
finish() {
    if ((installed)) && [[ -z "$root" ]]; then
        dpkg -P jostrela >/dev/null 2>&1 || echo "FAIL: dpkg -P jostrela failed; remove it by hand" >&2
    fi
    rm -rf "$work"
}
trap finish EXIT
# Runs a command in the system the package went into, as root.
in_system() {
    if [[ -n "$root" ]]; then
        chroot "$root" "$@"
    else
        "$@"
    fi
}

deb="${JOSTRELA_DEB:-}"
if [[ -z "$deb" ]]; then
    deb="$(JOSTRELA_PACKAGE_AS_BUILT=1 "$JOSTRELA_SOURCE/tools/package.sh" "$JOSTRELA_BUILD" "$work/out" | tail -n 1)"
fi
[[ "$(basename "$deb")" == "jostrela_$(cat "$JOSTRELA_BUILD/version.txt")_$(dpkg --print-architecture).deb" ]] ||
    fail "the package is $deb"
lintian --fail-on error "$deb" >"$work/lintian.txt" 2>&1 || fail "lintian: $(cat "$work/lintian.txt")"
echo "lintian warnings: $(grep -c '^W:' "$work/lintian.txt" || true)"
dpkg-deb -f "$deb" Depends | grep -q 'libsdl2-2.0-0' || fail "no shared-library dependencies: $(dpkg-deb -f "$deb" Depends)"
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^\./, "", $6); print $6 }' >"$work/files.txt"
echo "ok: package $(basename "$deb"), $(wc -l <"$work/files.txt") files"

installed=1
if [[ -n "$chroot_base" ]]; then
    root="$work/root"
    cp -a "$chroot_base" "$root"
    cp "$deb" "$root/tmp/jostrela.deb"
    # Offline: only what the prepared system downloaded for the package.
    unshare -n chroot "$root" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q \
        /tmp/jostrela.deb >"$work/install.txt" 2>&1 || fail "apt-get install: $(cat "$work/install.txt")"
    echo "ok: installed with apt-get into a fresh Debian $(cat "$root/etc/debian_version")"
else
    dpkg -i "$deb" >"$work/install.txt" 2>&1 || fail "dpkg -i: $(cat "$work/install.txt")"
    echo "ok: installed with dpkg -i on this machine"
fi
desktop-file-validate "$root/usr/share/applications/jostrela.desktop" || fail "the desktop entry is not valid"
for size in 48 64 128; do
    [[ "$(identify -format '%wx%h %[channels]' "$root/usr/share/icons/hicolor/${size}x${size}/apps/jostrela.png")" == \
        "${size}x${size} srgba" ]] || fail "the ${size} px icon is not a ${size} x ${size} RGBA picture"
done
man -l "$root/usr/share/man/man6/jostrela.6.gz" 2>&1 | grep -q -- '--dump-state' || fail "the manual page lists no options"

# An ordinary user in a folder of theirs: the key script and the dump are named from there.
player_home=/home/jostrela-test
[[ -n "$root" ]] || player_home="$work/home"
home="$root$player_home"
mkdir -p "$home/walks"
cp "$JOSTRELA_SOURCE/tests/walkthrough/nave.keys" "$home/walks/nave.keys"
chown -R nobody:nogroup "$home"
as_player() {
    local user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
    [[ -z "$root" ]] || user=(chroot --userspec=nobody:nogroup "$root")
    "${user[@]}" env -i HOME="$player_home" PATH=/usr/games:/usr/bin:/bin DISPLAY="$DISPLAY" SDL_VIDEODRIVER=x11 \
        JOSTRELA_MESSAGES=stderr bash -c 'cd "$HOME/walks" && exec "$@"' bash "$@"
}
frames=$(awk '$1 ~ /^[0-9]+$/ && $2 > last { last = $2 } END { print last + 5 }' "$home/walks/nave.keys")
as_player jostrela --keys nave.keys --frames "$frames" --dump-state nave.json 2>"$work/player.err" ||
    fail "the installed game failed: $(cat "$work/player.err")"
[[ ! -s "$work/player.err" ]] || fail "the installed game said: $(cat "$work/player.err")"
(cd "$JOSTRELA_BUILD/run" && "$JOSTRELA_BIN" --keys "$home/walks/nave.keys" --frames "$frames" \
    --dump-state "$work/build.json") || fail "the build's game failed"
cmp "$home/walks/nave.json" "$work/build.json" || fail "the dumps differ: $(diff "$home/walks/nave.json" "$work/build.json")"
echo "ok: the installed game's dump is the build's"

# What the player's runs wrote: their folder and the named dump (libraries may keep caches in
# ~/.cache, which is theirs, not the game's). An edited scr.txt is the player's to keep.
folder="$home/.local/share/jostrela"
echo "Ancho=640" >"$folder/scr.txt"
as_player jostrela --version >"$work/version.txt" || fail "jostrela --version failed"
grep -q "^jostrela $(cat "$JOSTRELA_BUILD/version.txt")" "$work/version.txt" || fail "--version: $(cat "$work/version.txt")"
[[ "$(cat "$folder/scr.txt")" == "Ancho=640" ]] || fail "the player's scr.txt was replaced"
written="$(cd "$home" && find . -path ./.cache -prune -o -print | LC_ALL=C sort | tr '\n' ' ')"
expected=". ./.local ./.local/share ./.local/share/jostrela ./.local/share/jostrela/MODELOS \
./.local/share/jostrela/Texturas ./.local/share/jostrela/scr.txt ./walks ./walks/nave.json ./walks/nave.keys "
[[ "$written" == "$expected" ]] || fail "the player's home holds: $written"
[[ "$(readlink "$folder/MODELOS")" == /usr/share/games/jostrela/MODELOS ]] || fail "MODELOS is not the installed folder"
echo "ok: the player's folder"

in_system dpkg -r jostrela >"$work/remove.txt" 2>&1 || fail "dpkg -r: $(cat "$work/remove.txt")"
left="$(while read -r file; do [[ ! -e "$root$file" ]] || echo "$file"; done <"$work/files.txt")"
for folder in /usr/share/games/jostrela /usr/lib/games/jostrela /usr/share/doc/jostrela; do
    [[ ! -e "$root$folder" ]] || left+=" $folder"
done
[[ -z "$left" ]] || fail "dpkg -r left: $left"
installed=0
status="$(in_system dpkg-query -W -f='${Status}' jostrela 2>/dev/null || true)"
[[ -z "$status" || "$status" == *not-installed ]] || fail "dpkg still lists jostrela: $status"
echo "ok: removed, nothing left"
