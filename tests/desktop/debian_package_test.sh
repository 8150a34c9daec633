#!/usr/bin/env bash
# Builds the Debian package from the built binary in a temporary folder and checks its control
# fields and files (name, version, computed library dependencies, the fonts and dictionary,
# maintainer, description, section, a stripped program, no tests), then runs lintian.
# Usage: debian_package_test.sh CPACK CPACK_CONFIG NAME VERSION
set -euo pipefail
cpack=$1 config=$2 name=$3 version=$4

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

"$cpack" -G DEB --config "$config" -B "$work/out" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log" >&2; echo "FAIL: cpack -G DEB" >&2; exit 1; }
deb=$work/out/${name}_${version}_$(dpkg --print-architecture).deb
[[ -f $deb ]] || { ls "$work/out" >&2; echo "FAIL: cpack wrote no ${deb##*/}" >&2; exit 1; }

field() { dpkg-deb -f "$deb" "$1"; }
[[ $(field Package) == "$name" ]] || fail "Package: $(field Package)"
[[ $(field Version) == "$version" ]] || fail "Version: $(field Version)"
[[ $(field Architecture) == "$(dpkg --print-architecture)" ]] ||
    fail "Architecture: $(field Architecture)"
[[ $(field Section) == web || $(field Section) == net ]] || fail "Section: $(field Section)"
[[ $(field Maintainer) =~ ^[^\<]+\ \<[^@\>]+@[^@\>]+\>$ ]] ||
    fail "Maintainer is not 'name <address>': $(field Maintainer)"
[[ ", $(field Depends)," == *", fonts-wine,"* ]] || fail "Depends lacks fonts-wine: $(field Depends)"
# Computed by dpkg-shlibdeps, not by hand: the packages holding those libraries, whatever named.
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
for library in libgtkmm-3.0.so.1 libwebkit2gtk-4.1.so.0 libc.so.6 libstdc++.so.6; do
    path=$(readlink -f "/usr/lib/$multiarch/$library")
    package=$(dpkg-query -S "$path" 2>/dev/null || dpkg-query -S "${path#/usr}") ||
        { fail "no package holds $library"; continue; }
    package=${package%%:*}
    [[ ", $(field Depends)" == *", $package "* ]] || fail "Depends lacks $package: $(field Depends)"
done
# A package made from a sanitized build would need the sanitizers' libraries to start at all.
[[ ! ", $(field Depends)" =~ ,\ lib(asan|ubsan|lsan|tsan|hwasan)[0-9]* ]] ||
    fail "Depends names a sanitizer library, as a package made from a sanitized build: $(field Depends)"
# The pane's spell-checking dictionary, which no library links.
[[ ", $(field Depends)," == *", hunspell-fr,"* ]] || fail "Depends lacks hunspell-fr: $(field Depends)"
description=$(field Description)
[[ $(head -n 1 <<<"$description") =~ ^[a-z].{8,78}$ ]] ||
    fail "Description's first line is no short synopsis: $(head -n 1 <<<"$description")"
(($(wc -l <<<"$description") > 2)) || fail "Description has no long text"

# The file list: the program and its data under /usr, owned by root, and nothing else.
dpkg-deb -c "$deb" >"$work/contents"
files=$(awk '$1 !~ /^d/ {print $6}' "$work/contents" | sed 's|^\./||' | sort)
expected=$(sed 's|APP_ID|org.quillomat.Quillomat|; s|^|usr/|' "$(dirname "$0")/installed_files.txt" |
    sort)
if [[ $files != "$expected" ]]; then
    fail "the package's files differ from the expected list:"
    diff <(echo "$expected") <(echo "$files") >&2 || true
fi
awk '$2 != "root/root" {print "FAIL: not owned by root: " $0; bad = 1} END {exit bad}' \
    "$work/contents" >&2 || failures=$((failures + 1))
awk '$1 ~ /^d/ && $1 != "drwxr-xr-x" {print "FAIL: directory mode: " $0; bad = 1}
     $1 ~ /^-/ && $6 ~ /^\.\/usr\/bin\// && $1 != "-rwxr-xr-x" {print "FAIL: program mode: " $0; bad = 1}
     $1 ~ /^-/ && $6 !~ /^\.\/usr\/bin\// && $1 != "-rw-r--r--" {print "FAIL: file mode: " $0; bad = 1}
     END {exit bad}' "$work/contents" >&2 || failures=$((failures + 1))

dpkg-deb -x "$deb" "$work/tree"
file -b "$work/tree/usr/bin/quillomat" | grep -q ', stripped' ||
    fail "usr/bin/quillomat is not stripped: $(file -b "$work/tree/usr/bin/quillomat")"
grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
    "$work/tree/usr/share/doc/quillomat/copyright" || fail "the copyright file is not machine-readable"
gzip -dc "$work/tree/usr/share/doc/quillomat/changelog.gz" >"$work/changelog"
[[ $(dpkg-parsechangelog -l "$work/changelog" -S Version) == "$version" ]] ||
    fail "the changelog's latest entry is not version $version: add one to data/doc/changelog"
[[ $(dpkg-parsechangelog -l "$work/changelog" -S Maintainer) == "$(field Maintainer)" ]] ||
    fail "the changelog's latest entry is not signed by the package's maintainer"

# Debian's own checker: errors fail the test, warnings and notes are only shown.
lintian --tag-display-limit 0 --fail-on error "$deb" >"$work/lintian.log" 2>&1 ||
    { grep -v 'root privileges' "$work/lintian.log" >&2; fail "lintian reports errors"; }
grep -E '^[WIP]: ' "$work/lintian.log" || true

((failures == 0)) || exit 1
echo "${deb##*/}: fields and files as expected"
