#!/usr/bin/env bash
# An unknown option prints the usage line on standard error and ends with code 2, before any window.
source "$(dirname "$0")/helpers/common.bash"

RUN_DIR="$(mktemp -d)"
trap 'rm -rf "$RUN_DIR"' EXIT
code=0
(cd "$RUN_DIR" && "$JOSTRELA_BIN" --no-such-option) 2>"$RUN_DIR/stderr.txt" || code=$?
[[ "$code" == 2 ]] || fail "exit code $code"
grep -q '^usage: jostrela ' "$RUN_DIR/stderr.txt" || fail "no usage line: $(cat "$RUN_DIR/stderr.txt")"
echo "ok"

# An option quoted back is written like every other option failure: its control bytes as \xNN.
code=0
(cd "$RUN_DIR" && "$JOSTRELA_BIN" $'--bad\e[2J') 2>"$RUN_DIR/stderr.txt" || code=$?
[[ "$code" == 2 ]] || fail "exit code $code"
grep -qxF 'jostrela: unknown option --bad\x1b[2J' "$RUN_DIR/stderr.txt" || fail "not escaped: $(cat -v "$RUN_DIR/stderr.txt")"
echo "ok: control bytes escaped"

# --help and -h print the usage, the options and the controls on standard output and end with 0.
for help in --help -h; do
    code=0
    (cd "$RUN_DIR" && "$JOSTRELA_BIN" "$help") >"$RUN_DIR/help.txt" 2>&1 || code=$?
    [[ "$code" == 0 ]] || fail "$help: exit code $code"
    for text in '^usage: jostrela ' '^Controls:' '--fps N' 'Escape +quit'; do
        grep -qE -- "$text" "$RUN_DIR/help.txt" || fail "$help: no \"$text\" in: $(cat "$RUN_DIR/help.txt")"
    done
done
echo "ok: help"

# --version prints the project's version, and the commit of the checkout it was built from.
version="$(cd "$RUN_DIR" && "$JOSTRELA_BIN" --version)"
commit="$(git -C "$JOSTRELA_SOURCE" rev-parse --short=12 HEAD)"
[[ "$version" =~ ^jostrela\ $(cat "$JOSTRELA_BUILD/version.txt")\ \(git\ $commit(\+changes)?\)$ ]] ||
    fail "--version printed: $version"
echo "ok: version"

# The content generator's --help prints its usage and writes nothing; an option it does not know is
# refused with code 2, never taken for the name of the folder to write.
content="$JOSTRELA_BUILD/tools/content/jostrela-content"
empty="$RUN_DIR/empty"
mkdir "$empty"
code=0
(cd "$empty" && "$content" --help) >"$RUN_DIR/help.txt" 2>&1 || code=$?
[[ "$code" == 0 ]] && grep -q '^usage: jostrela-content ' "$RUN_DIR/help.txt" || fail "content --help: code $code"
for arguments in "--no-such-option" "--large --no-such-option"; do
    code=0
    (cd "$empty" && $content $arguments) 2>/dev/null || code=$?
    [[ "$code" == 2 ]] || fail "content $arguments: exit code $code"
done
[[ -z "$(ls -A "$empty")" ]] || fail "the content generator wrote: $(ls -A "$empty")"
echo "ok: content generator options"
