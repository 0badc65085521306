#!/usr/bin/env bash
# Runs the Windows build of the tiny-schedule program under Wine and checks
# its report byte for byte: the Linux report with CR LF line ends.
# Usage: RunUnderWine.sh WINE EXE FAULTY_EXE [NATIVE_TINY_PROGRAM]
set -euo pipefail
wine=$1 exe=$2 faulty=$3 native=${4:-}
export WINEDEBUG=-all WINEPREFIX
WINEPREFIX=$(mktemp -d)
work=$(mktemp -d)
trap 'WINEPREFIX=$WINEPREFIX wineserver -k 2>/dev/null || true; rm -rf "$WINEPREFIX" "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# Milliseconds cannot be known; anything else must match exactly.
normalise() { sed -E 's/^(NumThread=[1-8]\tElapsed\t)[0-9]+(\tmsec\r?)$/\1ms\2/' "$1"; }

# What the tiny schedule's run writes up to row ROW (0-based), measurement
# MEASUREMENTS of that row: the complete rows before it, its header, its lines.
report_up_to() {
  local row=0 size threads lines
  for size in 256 512 1024 2048 4096 8192 16384 32768 65536; do
    [ "$row" -le "$1" ] || break
    printf 'BufferSize=%d\r\n' "$size"
    lines=$([ "$row" -lt "$1" ] && echo 8 || echo "$2")
    for ((threads = 1; threads <= lines; threads++)); do
      printf 'NumThread=%d\tElapsed\tms\tmsec\r\n' "$threads"
    done
    row=$((row + 1))
  done
}
report_up_to 9 0 >"$work/expected"

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

# Faults: SETTING ROW MEASUREMENTS FAILURE_LINE. The run stops with status 1,
# and every line written before the fault reaches the file; a creation failure
# ends the process while the workers already started still wait at the gate.
while read -r setting row measurements failure; do
  { report_up_to "$row" "$measurements"; [ -z "$failure" ] || printf '%s\r\n' "$failure"; } >"$work/expected"
  status=0
  env "$setting" "$wine" "$faulty" >"$work/faulty" 2>"$work/faulty.err" || status=$?
  [ "$status" -eq 1 ] || fail "$setting: exit status $status"
  cmp <(normalise "$work/faulty") "$work/expected" || fail "$setting: report differs"
  if [ -z "$failure" ]; then
    grep -q "cannot obtain the counter buffer" "$work/faulty.err" || fail "$setting: no message"
  fi
  echo "ok: $setting stops the run with exit 1, report complete up to the fault"
done <<'CASES'
LOCKBENCH_FAIL_THREAD_START=1 0 0 Thread #0 creation failed
LOCKBENCH_FAIL_THREAD_START=3 0 1 Thread #1 creation failed
LOCKBENCH_FAIL_THREAD_START=72 1 7 Thread #7 creation failed
LOCKBENCH_FAIL_ALLOCATION=3 2 0
CASES

if [ -n "$native" ]; then
  "$native" >"$work/native"
  cmp <(normalise "$work/native" | sed 's/$/\r/') <(normalise "$work/plain") ||
    fail "differs from the native report beyond line ends and milliseconds"
  echo "ok: identical to the native report but for CR LF and milliseconds"
fi
