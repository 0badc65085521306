#!/usr/bin/env bash
# Checks a cross-built lockbench executable: the PE kind the build promises,
# the Win32 calls the benchmark is defined by, and no DLL that a bare Windows
# installation lacks (the MinGW runtimes must be linked in statically).
# Usage: CheckImports.sh OBJDUMP EXE FORMAT   (FORMAT: pei-i386 or pei-x86-64)
set -euo pipefail
objdump=$1 exe=$2 format=$3
fail() { echo "$exe: $*" >&2; exit 1; }

headers=$("$objdump" -p "$exe")
grep -q "file format $format" <<<"$headers" || fail "not $format"
grep -q "(Windows CUI)" <<<"$headers" || fail "not a console program"

dlls=$(grep -oP 'DLL Name: \K\S+' <<<"$headers" | tr '[:upper:]' '[:lower:]' | sort -u)
for dll in $dlls; do
  case $dll in
    kernel32.dll | winmm.dll | msvcrt.dll) ;;
    *) fail "imports $dll, which a bare Windows installation does not have" ;;
  esac
done

for function in CreateThread WaitForMultipleObjects CloseHandle InitializeCriticalSection \
  EnterCriticalSection LeaveCriticalSection DeleteCriticalSection Sleep timeGetTime; do
  grep -qP "^\s+[0-9a-f]+\s+[0-9]+\s+$function$" <<<"$headers" || fail "does not import $function"
done
# The lock and the clock stay as the platform sets them.
for function in InitializeCriticalSectionAndSpinCount InitializeCriticalSectionEx \
  SetCriticalSectionSpinCount timeBeginPeriod SetThreadPriority SetThreadAffinityMask; do
  if grep -qP "^\s+[0-9a-f]+\s+[0-9]+\s+$function$" <<<"$headers"; then
    fail "imports $function"
  fi
done
echo "$exe: $format console program; imports: $(tr '\n' ' ' <<<"$dlls")"
