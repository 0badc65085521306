#!/usr/bin/env bash
# Runs the Windows build of the tiny-schedule program under Wine and checks
# its report byte for byte: the Linux report with CR LF line ends.
# Usage: RunUnderWine.sh WINE EXE [NATIVE_TINY_PROGRAM]
set -euo pipefail
wine=$1 exe=$2 native=${3:-}
export WINEDEBUG=-all WINEPREFIX
WINEPREFIX=$(mktemp -d)
work=$(mktemp -d)
trap 'WINEPREFIX=$WINEPREFIX wineserver -k 2>/dev/null || true; rm -rf "$WINEPREFIX" "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# Milliseconds cannot be known; anything else must match exactly.
normalise() { sed -E 's/^(NumThread=[1-8]\tElapsed\t)[0-9]+(\tmsec\r?)$/\1ms\2/' "$1"; }

for size in 256 512 1024 2048 4096 8192 16384 32768 65536; do
  printf 'BufferSize=%d\r\n' "$size"
  for threads in 1 2 3 4 5 6 7 8; do
    printf 'NumThread=%d\tElapsed\tms\tmsec\r\n' "$threads"
  done
done >"$work/expected"

run() { # NAME ARGS...: runs the program, report into $work/NAME, status into $status
  local name=$1
  shift
  status=0
  "$wine" "$exe" "$@" >"$work/$name" 2>"$work/$name.err" || status=$?
}

run plain
[ "$status" -eq 0 ] || fail "exit status $status"
cmp <(normalise "$work/plain") "$work/expected" || fail "report differs from the expected one"
echo "ok: 81 lines, CR LF line ends, exit 0"

run arguments --help -t 3 x
[ "$status" -eq 0 ] || fail "exit status $status with arguments"
cmp <(normalise "$work/arguments") "$work/expected" || fail "arguments changed the report"
echo "ok: arguments ignored"

status=0
"$wine" "$exe" >/dev/full 2>"$work/full.err" || status=$?
[ "$status" -eq 1 ] || fail "exit status $status with standard output on /dev/full"
grep -q "could not be written to standard output" "$work/full.err" || fail "no message for an unwritable report"
echo "ok: unwritable report gives exit 1 and a message"

if [ -n "$native" ]; then
  "$native" >"$work/native"
  cmp <(normalise "$work/native" | sed 's/$/\r/') <(normalise "$work/plain") ||
    fail "differs from the native report beyond line ends and milliseconds"
  echo "ok: identical to the native report but for CR LF and milliseconds"
fi
