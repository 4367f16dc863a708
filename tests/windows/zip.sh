#!/usr/bin/env bash
# The zip a Windows player unpacks (tools/windows/build.sh makes it): named with the version, which
# LEEME.txt states; one file per name as Windows sees names (letter case ignored); jostrela.exe
# started in the unpacked folder finds every texture, both doors' spellings of the brick included,
# and plays. --version reaches the console of the cmd.exe it was started from, and a redirected
# file or pipe as before.
source "$(dirname "$0")/../e2e/helpers/common.bash"
run_under_xvfb "$@"

version="$(cat "$JOSTRELA_BUILD/version.txt")"
zip="$JOSTRELA_BUILD/jostrela-$version-windows.zip"
[[ -f "$zip" ]] || fail "no $zip: tools/windows/build.sh makes it"
RUN_DIR="$(mktemp -d)"
trap cleanup EXIT
python3 -m zipfile -e "$zip" "$RUN_DIR"
same="$(cd "$RUN_DIR" && find . | tr '[:upper:]' '[:lower:]' | sort | uniq -d)"
[[ -z "$same" ]] || fail "names Windows takes for one: $same"
iconv -f WINDOWS-1252 -t UTF-8 "$RUN_DIR/LEEME.txt" | grep -q "Versión $version\." || fail "LEEME.txt does not state $version"
echo "ok: $(basename "$zip")"

export JOSTRELA_EXE="$RUN_DIR/jostrela.exe"
code=0
(cd "$RUN_DIR" && "$JOSTRELA_BIN" --frames 3 2>"$RUN_DIR/stderr.txt") || code=$?
[[ "$code" == 0 && ! -s "$RUN_DIR/stderr.txt" ]] || fail "code $code: $(cat "$RUN_DIR/stderr.txt")"
echo "ok: plays from the unpacked folder"

expected="jostrela $version (git "
(cd "$RUN_DIR" && "$JOSTRELA_BIN" --version >"$RUN_DIR/version.txt")
[[ "$(cat "$RUN_DIR/version.txt")" == "$expected"* ]] || fail "--version to a file: $(cat "$RUN_DIR/version.txt")"
piped="$(cd "$RUN_DIR" && "$JOSTRELA_BIN" --version | cat)"
[[ "$piped" == "$expected"* ]] || fail "--version to a pipe: $piped"
echo "ok: --version to a file and a pipe"

# Started as cmd.exe starts it, with no streams of its own, it prints in the console it shares (a
# terminal here, which Wine's console draws into with escape sequences and cursor moves for
# spaces).
JOSTRELA_EXE="$JOSTRELA_START_WITHOUT_STREAMS" script -qec "cd '$RUN_DIR' && '$JOSTRELA_BIN' jostrela.exe --version" \
    /dev/null >"$RUN_DIR/console.txt" </dev/null || fail "--version in a console: code $?"
console="$(sed 's/\x1b\[[?0-9;]*[a-zA-Z]//g' "$RUN_DIR/console.txt" | tr -d ' \r\n')"
[[ "$console" == "${expected// /}"* ]] || fail "--version in a console printed: $(cat -A "$RUN_DIR/console.txt")"
echo "ok: --version in the console"
