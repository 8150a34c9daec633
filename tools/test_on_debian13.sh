#!/usr/bin/env bash
# Runs README's test command on Debian 13 (trixie), as a new user there would: in a minimal trixie
# chroot made with debootstrap from the mirror that apt uses here (and kept for the next run), on a
# clean clone of the commit checked out here (changes not committed stay behind). Then builds the
# package as README says, from ./run.sh's build, installs it with apt, and runs lintian on it.
# Run by hand, as root, before a release; needs debootstrap and git.
# Usage: tools/test_on_debian13.sh [arguments for ctest...]
# QUILLOMAT_CHROOT (default /var/cache/quillomat/trixie) is where the chroot is kept, and
# QUILLOMAT_CHROOT_DISPLAYS (default 1200-1399) the X display numbers its tests use.
set -euo pipefail

[[ $(id -u) -eq 0 ]] || { echo "Run as root: debootstrap, chroot and mount need it." >&2; exit 1; }
for tool in debootstrap git; do
    command -v "$tool" >/dev/null || { echo "Needs $tool: apt-get install $tool" >&2; exit 1; }
done
source_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
root=${QUILLOMAT_CHROOT:-/var/cache/quillomat/trixie}

# The first Debian archive of apt's sources here, one-line or deb822 style.
mirror=$( (cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null || true) |
             awk '$1 == "deb" { for (i = 2; i <= NF; i++) if ($i ~ /^https?:/) { print $i; exit } }')
if [[ -z $mirror ]]; then
    mirror=$( (cat /etc/apt/sources.list.d/*.sources 2>/dev/null || true) |
                 awk '$1 == "URIs:" && $2 !~ /security/ { print $2; exit }')
fi
mirror=${mirror:-http://deb.debian.org/debian}

if [[ ! -f $root/.quillomat-chroot-ready ]]; then
    echo "Making a Debian 13 chroot in $root from $mirror"
    rm -rf "$root"
    mkdir -p "$root"
    debootstrap --variant=minbase trixie "$root" "$mirror"
    touch "$root/.quillomat-chroot-ready"
fi

mounted=()
unmount_all() {
    local index
    for ((index = ${#mounted[@]} - 1; index >= 0; index--)); do
        umount "${mounted[index]}" || umount -l "${mounted[index]}" || true
    done
}
trap unmount_all EXIT
trap 'exit 130' INT TERM
# mount_in [OPTIONS...] SOURCE PLACE: PLACE inside the chroot.
mount_in() {
    local place=$root${*: -1}
    mount "${@:1:$#-1}" "$place"
    mounted+=("$place")
}
# The order matters: the root first, a mount point of its own so that tests can make mount
# namespaces in the chroot, and /dev before /dev/pts and /dev/shm.
mount_in --bind "$root" /
mount_in -t proc proc /proc
mount_in -t sysfs sysfs /sys
mount_in --bind /dev /dev
mount_in --bind /dev/pts /dev/pts
mount_in -t tmpfs -o mode=1777 shm /dev/shm
mount_in -t tmpfs -o mode=1777 tmp /tmp
mount_in -t tmpfs -o mode=755 run /run
cp /etc/resolv.conf "$root/etc/resolv.conf"

# The chroot's /tmp is its own, where X servers lock their displays, but their sockets are the
# machine's: its tests take display numbers that tests run here at the same time never take.
in_chroot() {
    chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
        DEBIAN_FRONTEND=noninteractive TERM="${TERM:-dumb}" \
        QUILLOMAT_TEST_DISPLAYS="${QUILLOMAT_CHROOT_DISPLAYS:-1200-1399}" bash -c "$1"
}

# A Debian 13 as it stands today, and no package of ours left from a run before.
in_chroot 'apt-get update -qq && apt-get upgrade -y -qq && dpkg --purge quillomat >/dev/null'
rm -rf "$root/root/quillomat"
git clone --quiet --no-local "$source_dir" "$root/root/quillomat"
git -C "$root/root/quillomat" checkout --quiet --detach "$(git -C "$source_dir" rev-parse HEAD)"

echo "Running ./test.sh in Debian 13 on $(git -C "$source_dir" log -1 --format='%h %s')"
in_chroot "cd /root/quillomat && ./test.sh ${*@Q}"

# The package as README builds it, installed as a user installs a package file.
in_chroot 'cd /root/quillomat/build && cpack -G DEB >/dev/null && deb=$(ls quillomat_*.deb) &&
    apt install -y "./$deb" && dpkg-query -W -f="\${Status}\n" quillomat | grep -q "ok installed" &&
    lintian --fail-on error,warning "$deb" && dpkg --purge quillomat >/dev/null'
echo "Debian 13: ./test.sh passed; the package installs with apt install and is lintian-clean."
