#!/usr/bin/env bash
# Checks the built installer as a file: a 32-bit GUI program whose import
# table names only DLLs that Windows always takes from the system folder, and
# whose manifest asks for no elevation, no DPI awareness and no common
# controls version 6.
set -uo pipefail
exe=$1
objdump=i686-w64-mingw32-objdump
failed=0
fail() { echo "FAIL: $*"; failed=1; }

header=$($objdump -f "$exe") || { echo "FAIL: cannot read $exe"; exit 1; }
grep -q 'file format pei-i386' <<<"$header" || fail "not a PE32 i386 image"
private=$($objdump -p "$exe")
grep -q 'Subsystem[[:space:]]*00000002' <<<"$private" || fail "not a Windows GUI program"

allowed='^(kernel32|user32|advapi32|shell32|ole32|oleaut32|msvcrt)\.dll$'
mapfile -t dlls < <(awk '/DLL Name:/ {print tolower($3)}' <<<"$private" | sort -u)
[ "${#dlls[@]}" -gt 0 ] || fail "no import table found"
for dll in "${dlls[@]}"; do
  [[ $dll =~ $allowed ]] || fail "imports $dll"
done
echo "imports: ${dlls[*]}"

manifest=$(strings -n 8 "$exe" | tr -d '\r' | sed -n '/<assembly/,/<\/assembly>/p')
grep -q 'level="asInvoker"' <<<"$manifest" || fail "manifest lacks asInvoker"
for os in e2011457-1546-43c5-a5fe-008deee3d3f0 35138b9a-5d96-4fbd-8e2d-a2440225f93a \
          4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38 1f676c76-80e1-4239-95bb-83d0f6d0da78 \
          8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a; do
  grep -qi "$os" <<<"$manifest" || fail "manifest lacks supportedOS $os"
done
grep -qi 'dpiAware' <<<"$manifest" && fail "manifest declares DPI awareness"
grep -qi 'Common-Controls' <<<"$manifest" && fail "manifest depends on the common controls"

if [ "$failed" -eq 0 ]; then echo "1 passed, 0 failed"; else echo "0 passed, 1 failed"; fi
exit "$failed"
