#!/usr/bin/env bash
# Checks the built program and its package from the outside: a 64-bit
# Windows GUI program that needs no DLL beyond Windows' own, and a package
# with exactly the program, its launchers and the read-me.
#   check-program.sh WIN32_BUILD
set -euo pipefail
WIN32_BUILD=${1:?usage: check-program.sh WIN32_BUILD}
die() { echo "FAIL: $*" >&2; exit 1; }
exe="$WIN32_BUILD/vk47_Orvane.exe"
package="$WIN32_BUILD/vk47_Orvane.zip"
[ -f "$exe" ] || die "$exe is missing: build it with 'make win32'"
[ -f "$package" ] || die "$package is missing: build it with 'make win32'"

headers=$(x86_64-w64-mingw32-objdump -p "$exe")
grep -q 'Magic.*020b' <<<"$headers" || die "not a 64-bit program"
grep -q 'Subsystem.*(Windows GUI)' <<<"$headers" || die "not a GUI program"
windows_dlls='^(KERNEL32|USER32|GDI32|COMCTL32|IMM32|ADVAPI32|SHELL32|OLE32|msvcrt)\.dll$'
dlls=$(sed -n 's/^\s*DLL Name: //p' <<<"$headers")
[ -n "$dlls" ] || die "no imports found"
while read -r dll; do
  [[ "$dll" =~ $windows_dlls ]] || die "the program needs $dll, which Windows does not have"
done <<<"$dlls"
echo "imports: $(tr '\n' ' ' <<<"$dlls")"

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
(cd "$unpacked" && cmake -E tar xf "$package")
# The launchers are those of the package folder (the launcher test holds
# them against the program's run modes).
launchers=$(cd "$(dirname "$0")/../../package" && ls -- *.bat)
listing=$(cd "$unpacked" && find . -type f | LC_ALL=C sort | tr '\n' ' ')
expected=$(printf './%s\n' readme.txt vk47_Orvane.exe $launchers | LC_ALL=C sort | tr '\n' ' ')
[ "$listing" = "$expected" ] || die "the package holds: $listing"
cmp -s "$unpacked/vk47_Orvane.exe" "$exe" || die "the packaged program is not the built one"
for launcher in $launchers; do
  cmp -s "$unpacked/$launcher" "$WIN32_BUILD/$launcher" || die "the packaged $launcher differs"
done
echo "package: $listing"
echo "PASS"
