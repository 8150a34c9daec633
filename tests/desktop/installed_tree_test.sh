#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR under an unusual prefix and checks the tree: exactly
# the program and its data, each desktop file under the one application id, the icons at their
# sizes, and a menu entry whose Exec, Icon and StartupWMClass point at what was installed.
# Usage: installed_tree_test.sh CMAKE BUILD_DIR SOURCE_DIR APP_ID
set -euo pipefail
cmake=$1 build_dir=$2 source_dir=$3 app_id=$4

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=/opt/quillomat-check
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

DESTDIR="$work/root" "$cmake" --install "$build_dir" --prefix "$prefix" >"$work/install.log" ||
    { cat "$work/install.log" >&2; echo "FAIL: cmake --install" >&2; exit 1; }

# DESTDIR is honoured: nothing lands beside the prefix.
outside=$(cd "$work/root" && find . -mindepth 1 -not -path ".$prefix" -not -path ".$prefix/*" \
              -not -path ./opt)
[[ -z $outside ]] || fail "installed outside $prefix: $outside"

root=$work/root$prefix
# What an install holds below its prefix; the Debian package holds it under usr/.
expected=$(sed "s|APP_ID|$app_id|" "$(dirname "$0")/installed_files.txt" | sort)
actual=$(cd "$root" && find . -type f -o -type l | sed 's|^\./||' | sort)
if [[ $actual != "$expected" ]]; then
    fail "installed files differ from the expected list (tests and libraries must stay out):"
    diff <(echo "$expected") <(echo "$actual") >&2 || true
fi

[[ -x $root/bin/quillomat ]] && file -b "$root/bin/quillomat" | grep -q '^ELF .* executable' ||
    fail "bin/quillomat is not an executable program"

# The small sizes are the program's own window icon, byte for byte.
for size in 16 32 48 64 128 256; do
    icon=$root/share/icons/hicolor/${size}x${size}/apps/$app_id.png
    [[ -f $icon ]] || continue
    file -b "$icon" | grep -q "^PNG image data, $size x $size," ||
        fail "$icon is not a $size x $size PNG: $(file -b "$icon")"
    cmp -s "$icon" "$source_dir/resources/icons/quillomat-$size.png" ||
        fail "$icon is not resources/icons/quillomat-$size.png"
done
svg=$root/share/icons/hicolor/scalable/apps/$app_id.svg
[[ ! -f $svg ]] || file -b "$svg" | grep -q '^SVG' || fail "$svg is not an SVG picture"

entry=$root/share/applications/$app_id.desktop
if [[ -f $entry ]]; then
    desktop-file-validate "$entry" || fail "desktop-file-validate rejects the installed entry"
    key() { sed -n "s/^$1=//p" "$entry"; }
    [[ $(key Exec) == quillomat ]] || fail "Exec=$(key Exec), not the installed quillomat"
    [[ $(key Icon) == "$app_id" ]] || fail "Icon=$(key Icon), not $app_id"
    [[ $(key StartupWMClass) == "$app_id" ]] ||
        fail "StartupWMClass=$(key StartupWMClass), not $app_id"
    [[ $(key Name) == Quillomat ]] || fail "Name=$(key Name), not Quillomat"
    [[ -n $(key 'Comment\[fr\]') && -n $(key 'Keywords\[fr\]') ]] ||
        fail "the entry has no French Comment or Keywords"
    [[ -n $(key Comment) && -n $(key Keywords) ]] ||
        fail "the entry has no untranslated Comment or Keywords to fall back on"
    [[ ";$(key Categories)" == *";Network;"* ]] ||
        fail "Categories=$(key Categories) does not put the entry under Internet"
fi

metainfo=$root/share/metainfo/$app_id.metainfo.xml
if [[ -f $metainfo ]]; then
    appstreamcli validate --no-net "$metainfo" >"$work/appstream.log" ||
        { cat "$work/appstream.log" >&2; fail "appstreamcli rejects the installed metainfo"; }
    grep -q "<id>$app_id</id>" "$metainfo" || fail "the metainfo's id is not $app_id"
    grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
        fail "the metainfo does not launch $app_id.desktop"
    grep -q '<binary>quillomat</binary>' "$metainfo" || fail "the metainfo provides no quillomat"
fi

for gz in share/man/man1/quillomat.1.gz share/doc/quillomat/changelog.gz; do
    [[ ! -f $root/$gz ]] || gzip -t "$root/$gz" || fail "$gz is not gzip data"
done

((failures == 0)) || exit 1
echo "installed tree under $prefix is complete"
