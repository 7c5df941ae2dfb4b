#!/usr/bin/env bash
# Checks that the README's `make test` passes on a bare Debian 12: a minimal bookworm
# (debootstrap --variant=minbase) with nothing but make installed gets a clean export of HEAD
# (git archive) and runs `make test` in it as root, through chroot. Needs root; takes minutes.
#   scripts/fresh-check.sh
# The bootstrapped system is kept in build-fresh/base and reused; every run works in a new copy
# of it, build-fresh/rootfs, which stays there afterwards for a look inside. The mirror is the
# one the host's apt uses (FRESH_CHECK_MIRROR=URL chooses another).
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "$(id -u)" -ne 0 ]; then
    echo "fresh-check: needs root (debootstrap, mount, chroot)" >&2
    exit 1
fi

fresh=$PWD/build-fresh
base=$fresh/base
root=$fresh/rootfs
started=$SECONDS

took() {
    local seconds=$((SECONDS - $1))
    echo "$((seconds / 60)) min $((seconds % 60)) s"
}

# Unmounts whatever is mounted below the folder, deepest first, then removes the folder; rm
# stays on the folder's own file system, so a mount left behind cannot take the host's /dev.
remove_tree() {
    [ -e "$1" ] || return 0
    awk -v top="$1/" 'index($2, top) == 1 { print $2 }' /proc/self/mounts | sort -r |
        while read -r point; do umount "$point" || umount -l "$point"; done
    rm -rf --one-file-system "$1"
}

# The first Debian archive in the host's apt sources, one-line or deb822 form.
host_mirror() {
    cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources \
        2>/dev/null | grep -v '^[[:space:]]*#' | grep -oE 'https?://[^ ]*/debian/?( |$)' |
        head -n 1 | tr -d ' ' || true  # no such file, or none found: the default below
}

mirror=${FRESH_CHECK_MIRROR:-$(host_mirror)}
mirror=${mirror:-http://deb.debian.org/debian}

if ! command -v debootstrap >/dev/null; then
    echo "fresh-check: installing debootstrap"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends debootstrap
fi

# The export first: without a commit to export there is nothing to check.
mkdir -p "$fresh"
git archive --format=tar --prefix=walk-converter/ HEAD >"$fresh/export.tar"
echo "fresh-check: checking $(git rev-parse --short HEAD) ($(git log -1 --format=%s HEAD))"

# The bootstrap only counts once debootstrap has finished: it is made under another name.
if [ ! -d "$base" ]; then
    echo "fresh-check: debootstrap --variant=minbase bookworm from $mirror"
    bootstrap_started=$SECONDS
    remove_tree "$base.partial"
    debootstrap --variant=minbase bookworm "$base.partial" "$mirror"
    mv "$base.partial" "$base"
    echo "fresh-check: bootstrap took $(took "$bootstrap_started")"
else
    echo "fresh-check: reusing the bootstrapped system in $base"
fi

remove_tree "$root"
cp -a "$base" "$root"

mounted=()
cleanup() {
    local status=$?
    # Anything the run left going inside (an X server, say) would keep the mounts busy.
    local link pid killed=0
    for link in /proc/[0-9]*/root; do
        if [ "$(readlink "$link" 2>/dev/null)" = "$root" ]; then
            pid=${link#/proc/}
            kill "${pid%/root}" 2>/dev/null && killed=1
        fi
    done
    [ "$killed" -eq 0 ] || sleep 2
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
        umount "${mounted[i]}" 2>/dev/null || umount -l "${mounted[i]}"
    done
    mounted=()
    echo "fresh-check: $([ "$status" -eq 0 ] && echo passed || echo "FAILED ($status)")" \
        "after $(took "$started") in all"
    exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

mount -t proc proc "$root/proc"
mounted+=("$root/proc")
mount --bind /dev "$root/dev"
mounted+=("$root/dev")
mount --bind /dev/pts "$root/dev/pts"
mounted+=("$root/dev/pts")

# The host's name server and its Debian sources, so that apt-get inside reaches the same
# archive as the host does.
cp -L /etc/resolv.conf "$root/etc/resolv.conf"
for list in /etc/apt/sources.list /etc/apt/sources.list.d/*.list \
    /etc/apt/sources.list.d/*.sources; do
    if [ -f "$list" ] && grep -qF "$mirror" "$list"; then
        rm -f "$root/etc/apt/sources.list"
        cp "$list" "$root$list"
    fi
done
# No service starts inside the chroot: nothing of the host's may be left running there.
printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
chmod 755 "$root/usr/sbin/policy-rc.d"

tar -xf "$fresh/export.tar" -C "$root/root"

# What the README asks of a bare system, then its command, in root's clean environment (which
# keeps the host's CMAKE_BUILD_PARALLEL_LEVEL, if set, to share the machine).
inside() {
    chroot "$root" /usr/bin/env -i HOME=/root TERM="${TERM:-dumb}" \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        ${CMAKE_BUILD_PARALLEL_LEVEL:+CMAKE_BUILD_PARALLEL_LEVEL="$CMAKE_BUILD_PARALLEL_LEVEL"} "$@"
}
inside apt-get update -qq
inside apt-get install -y -qq make
test_started=$SECONDS
inside sh -c 'cd /root/walk-converter && make test'
echo "fresh-check: make test took $(took "$test_started")"
