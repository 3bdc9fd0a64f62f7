#!/usr/bin/env bash
# sorvane.exe as Windows users get it: 64-bit, a GUI program (no console), one
# file under 4 MB importing only DLLs every Windows 10 and 11 has, with its
# icons (four sizes), manifest and version resource.
#   bash tests/windows/exe_test.sh SORVANE_EXE
set -euo pipefail
exe=${1:?usage: exe_test.sh SORVANE_EXE}
fail() { echo "FAIL (exe): $*" >&2; exit 1; }
headers=$(x86_64-w64-mingw32-objdump -p "$exe")

grep -q 'Magic.*020b' <<<"$headers" || fail "not a 64-bit (PE32+) program"
grep -q 'Subsystem.*(Windows GUI)' <<<"$headers" || fail "not a GUI program"
size=$(stat -c %s "$exe")
[ "$size" -lt 4000000 ] || fail "$size bytes"

system_dlls=' ADVAPI32.dll COMCTL32.dll GDI32.dll KERNEL32.dll msvcrt.dll ole32.dll OLEAUT32.dll SHELL32.dll USER32.dll '
while read -r dll; do
    [[ "$system_dlls" == *" $dll "* ]] || fail "imports $dll"
done < <(sed -n 's/.*DLL Name: //p' <<<"$headers")

# Resource types by id: 3 icon, 14 icon group, 16 version, 24 manifest; and
# four icon images (16, 32, 48 and 256 pixels).
types=$(sed -n '/Resource Directory section/,/^$/p' <<<"$headers" | sed -n 's/^0[0-9a-f]\{2\}   Entry: ID: 0x0*\([0-9a-f]*\),.*/\1/p' | tr '\n' ' ')
[ "$types" = "3 e 10 18 " ] || fail "resource types: $types"
icons=$(sed -n '/Resource Directory section/,/^$/p' <<<"$headers" | sed -n '/^010   Entry: ID: 0x000003/,/^0[0-9a-f]\{2\}   Entry/p' |
        grep -c '^0[0-9a-f]\{2\}     Entry' || true)
[ "$icons" -eq 4 ] || fail "$icons icon images"
echo "sorvane.exe: 64-bit GUI, $size bytes, imports $(sed -n 's/.*DLL Name: //p' <<<"$headers" | tr '\n' ' ')with icons, version and manifest"
