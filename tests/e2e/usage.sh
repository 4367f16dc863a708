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
