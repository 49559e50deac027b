#!/usr/bin/env bash
# Checks that every binary of a VELMO bundle (program, libraries, plugins) finds all its
# libraries on this machine and takes every Qt library from the bundle itself.
#
#   scripts/check-bundle-libraries.sh <bundle-dir>
set -euo pipefail

[ $# -eq 1 ] || {
    echo "usage: check-bundle-libraries.sh <bundle-dir>" >&2
    exit 2
}
bundle=$(realpath "$1")
failures=0
checked=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

while IFS= read -r -d '' binary; do
    head -c 4 "$binary" | grep -q $'\x7fELF' || continue
    checked=$((checked + 1))
    listing=$(ldd "$binary") || {
        fail "ldd cannot read $binary"
        continue
    }
    while read -r soname path; do
        if [ "$path" = "not found" ]; then
            fail "$binary: $soname not found"
        elif [[ $soname == libQt* && $path != "$bundle"/* ]]; then
            fail "$binary: $soname taken from $path, outside the bundle"
        fi
    done < <(sed -n -e 's/^[[:space:]]*\([^ ]*\) => \(not found\)$/\1 \2/p' \
        -e 's/^[[:space:]]*\([^ ]*\) => \(.*\) (0x[0-9a-f]*)$/\1 \2/p' <<<"$listing")
done < <(find "$bundle" -type f -print0)

[ "$checked" -gt 0 ] || fail "no binary in $bundle"
[ "$failures" -eq 0 ] || exit 1
echo "ok: $checked binaries in $bundle find their libraries, every Qt library inside the bundle"
