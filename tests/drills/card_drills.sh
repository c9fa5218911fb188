#!/usr/bin/env bash
# Runs the card drills: makes FAT32 card images, mounts them with fusefat,
# builds, checks and mounts the lying card (lying_card.c), runs
# card_drills_test.exe under Wine with the cards' Wine paths in DRILL_*
# variables, pulls cards out when the drills ask, and unmounts. Exits 77
# (reported as skipped) where mounting is not possible.
# Usage: card_drills.sh path/to/card_drills_test.exe [gtest args]
# DRILL_PULL_SEED picks the moments cards are pulled at, DRILL_PULL_TRIALS
# how many times each pulled-card drill pulls.
set -uo pipefail

SKIP=77
EXE=${1:?usage: card_drills.sh card_drills_test.exe [gtest args]}
shift
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
WINE_RUN=$HERE/../../scripts/wine-run
CARD_MB=34  # FAT32 needs about 33 MB at 512-byte clusters

skip() {
    echo "card drills skipped: $*"
    exit "$SKIP"
}

[ "$(id -u)" -eq 0 ] || skip "mounting card images needs root"
[ -c /dev/fuse ] || skip "no /dev/fuse in this machine"
for tool in fusefat fusermount mkfs.fat fsck.fat; do
    command -v "$tool" >/dev/null || skip "$tool is not installed (packages fusefat, dosfstools)"
done

# Unmounts a card; a mount still busy after a few tries is detached lazily,
# so that no mount outlives the run.
release_mount() {
    local mountpoint=$1 try
    for try in 1 2 3 4 5; do
        fusermount -u "$mountpoint" 2>/dev/null && return 0
        sleep 1
    done
    echo "$mountpoint stays busy: detached lazily"
    fusermount -u -z "$mountpoint" 2>/dev/null
}

# Work folders of earlier runs that were killed before they could clean up:
# their owner process is gone. Runs still going are left alone.
for stale in /tmp/card-drills.*; do
    [ -f "$stale/owner" ] || continue
    kill -0 "$(cat "$stale/owner")" 2>/dev/null && continue
    for mountpoint in "$stale"/*/; do
        mountpoint -q "$mountpoint" || continue
        if [ "$(basename "$mountpoint")" = tmpfs ] || [ "$(basename "$mountpoint")" = small ]; then
            umount "$mountpoint"
        else
            release_mount "$mountpoint"
        fi
    done
    rm -rf "$stale"
done

WORK=$(mktemp -d /tmp/card-drills.XXXXXX)
echo $$ >"$WORK/owner"
MOUNTS=()
PULLED_CARDS=()
TMPFS=
SMALL=
DRILLS_PID=
SERVER_PID=

cleanup() {
    local mount pid
    # Drills cut short may be waiting on a pulled card: end its fusefat first.
    [ -n "$DRILLS_PID" ] && [ ${#PULLED_CARDS[@]} -gt 0 ] && end_pulled_cards
    for pid in "$DRILLS_PID" "$SERVER_PID"; do
        [ -n "$pid" ] || continue
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    for mount in "${MOUNTS[@]}"; do
        release_mount "$mount"
    done
    # A pulled card's mount may be dead (its server killed): detach it as is.
    for mount in "${PULLED_CARDS[@]}"; do
        fusermount -u -z "$mount" 2>/dev/null
    done
    [ -n "$TMPFS" ] && umount "$TMPFS" 2>/dev/null
    [ -n "$SMALL" ] && umount "$SMALL" 2>/dev/null
    rm -rf "$WORK"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP

winpath() {
    local path=${1//\//\\}
    echo "Z:$path"
}

# Mounts image on mountpoint; fusefat detaches itself once the mount is up.
# A file removed while still open leaves the card at once, as on a real card,
# rather than waiting as .fuse_hidden* until its last close (hard_remove).
mount_card() {
    local image=$1 mountpoint=$2
    mkdir -p "$mountpoint"
    fusefat -o rw+,hard_remove "$image" "$mountpoint" >"$WORK/fusefat-$(basename "$image").log" 2>&1 || return 1
    mountpoint -q "$mountpoint" || return 1
    MOUNTS+=("$mountpoint")
}

unmount_card() {
    local mountpoint=$1 kept=() mount
    release_mount "$mountpoint"
    for mount in "${MOUNTS[@]}"; do
        [ "$mount" = "$mountpoint" ] || kept+=("$mount")
    done
    MOUNTS=("${kept[@]:+${kept[@]}}")
}

new_image() {
    truncate -s "${CARD_MB}M" "$1" && mkfs.fat -F 32 -n CARD "$1" >/dev/null
}

# Fills the mounted card to its last cluster. The card's file system answers
# "operation not permitted" rather than "no space" when it runs out.
fill_card() {
    dd if=/dev/zero of="$1/filler.bin" bs=1M 2>/dev/null
    sync
}

# The previous configuration file: 86 bytes 0x00..0x55.
write_previous_config() {
    local byte
    for byte in $(seq 0 85); do
        printf "\\$(printf %03o "$byte")"
    done >"$1/CFG_BROADCAST.bin"
}

echo "preparing card images in $WORK"
new_image "$WORK/base.img" || skip "mkfs.fat failed"
mount_card "$WORK/base.img" "$WORK/prepare" || skip "fusefat cannot mount here (FUSE not permitted?)"
write_previous_config "$WORK/prepare"
fill_card "$WORK/prepare"
unmount_card "$WORK/prepare"

# full: no free cluster left; partial: about 40 KB free; roomy: empty.
cp --sparse=always "$WORK/base.img" "$WORK/full.img"
cp --sparse=always "$WORK/base.img" "$WORK/partial.img"
new_image "$WORK/roomy.img"
mount_card "$WORK/partial.img" "$WORK/partial" || skip "fusefat cannot mount here"
filler=$WORK/partial/filler.bin
truncate -s $(( $(stat -c %s "$filler") - 40 * 1024 )) "$filler"
mount_card "$WORK/full.img" "$WORK/full" || skip "fusefat cannot mount here"
mount_card "$WORK/roomy.img" "$WORK/roomy" || skip "fusefat cannot mount here"

export DRILL_CARDS=1
export DRILL_FULL_CARD DRILL_PARTIAL_CARD DRILL_ROOMY_CARD
DRILL_FULL_CARD=$(winpath "$WORK/full")
DRILL_PARTIAL_CARD=$(winpath "$WORK/partial")
DRILL_ROOMY_CARD=$(winpath "$WORK/roomy")

# A full tmpfs, where running out of room is reported as "no space".
mkdir -p "$WORK/tmpfs"
if mount -t tmpfs -o size=64k tmpfs "$WORK/tmpfs" 2>/dev/null; then
    TMPFS=$WORK/tmpfs
    write_previous_config "$TMPFS"
    dd if=/dev/zero of="$TMPFS/filler.bin" bs=4k 2>/dev/null
    export DRILL_FULL_TMPFS
    DRILL_FULL_TMPFS=$(winpath "$TMPFS")
else
    echo "tmpfs cannot be mounted here: the full-tmpfs drill is skipped"
fi

# A 40 MB card that tells its size, as tmpfs does (fusefat tells none), for
# the drills of a Copy that does not fit.
mkdir -p "$WORK/small"
if mount -t tmpfs -o size=40m tmpfs "$WORK/small" 2>/dev/null; then
    SMALL=$WORK/small
    export DRILL_SMALL_CARD
    DRILL_SMALL_CARD=$(winpath "$SMALL")
else
    echo "tmpfs cannot be mounted here: the small-card drill is skipped"
fi

source "$HERE/lying_cards.sh"
source "$HERE/pulled_cards.sh"
mount_lying_cards
mount_pulled_cards

start=$(date +%s)
"$WINE_RUN" "$EXE" "$@" &
DRILLS_PID=$!
serve_pulls "$DRILLS_PID" &
SERVER_PID=$!
wait "$DRILLS_PID"
status=$?
DRILLS_PID=
wait "$SERVER_PID"
SERVER_PID=
echo "drills ran $(( $(date +%s) - start )) s"
report_pulls

# What the card's file system checker says afterwards. fusefat itself writes
# short names that the checker may complain about, so this is information.
for card in full partial roomy; do
    unmount_card "$WORK/$card"
    echo "fsck.fat -n on the $card card afterwards:"
    fsck.fat -n "$WORK/$card.img" 2>&1 | sed -n '2,$s/^/    /p' | tail -12
done
exit "$status"
