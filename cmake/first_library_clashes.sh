#!/bin/sh
# Usage: first_library_clashes.sh FIRST LIBRARY...
# Prints each dynamic symbol that FIRST defines and that another library also defines, among
# the LIBRARY files and every library they load. Version tags are left out, so that a clash is
# never missed for want of the same tag.
set -eu
first=$1
shift
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
defined() {
    nm -D --defined-only "$@" 2>/dev/null | awk 'NF >= 3 { sub(/@.*/, "", $3); print $3 }' |
        sort -u
}
{
    printf '%s\n' "$@"
    ldd "$@" | awk '$2 == "=>" && $3 ~ /^\// { print $3 }'
} | sort -u | while read -r library; do
    [ "$(readlink -f "$library")" = "$(readlink -f "$first")" ] || printf '%s\n' "$library"
done >"$work/others"
defined "$first" >"$work/first"
# One nm for all of them: a few seconds, once per configuration.
xargs sh -c 'nm -D --defined-only "$@" 2>/dev/null' sh <"$work/others" |
    awk 'NF >= 3 { sub(/@.*/, "", $3); print $3 }' | sort -u >"$work/others.defined"
comm -12 "$work/first" "$work/others.defined"
