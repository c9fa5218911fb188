# Sourced by card_drills.sh: FAT32 cards that the drills have pulled out
# (their fusefat process killed) at seeded random moments and put back.

# The cards are served by fusefat in the foreground, so that the process to
# end, as a card pulled out, is known; a removed file leaves them at once, as
# in mount_card.
PULL=$WORK/pull
CONTROL=$PULL/control
PULL_SEED=${DRILL_PULL_SEED:-11}
export DRILL_PULL_SEED=$PULL_SEED # the drills print it beside their figures
mkdir -p "$CONTROL"

start_pulled_card() {
    local card=$1 tries=0
    # Started from a subshell: no job of this shell, so its death goes unreported.
    (
        fusefat -f -o rw+,hard_remove "$PULL/$card.img" "$PULL/$card" >>"$PULL/$card.log" 2>&1 &
        echo $! >"$CONTROL/$card.pid"
    )
    until mountpoint -q "$PULL/$card"; do
        tries=$((tries + 1))
        [ "$tries" -le 50 ] || return 1
        sleep 0.1
    done
}

# Whether a process runs; a zombie that init has yet to reap does not.
running() {
    local stat
    read -r stat <"/proc/$1/stat" 2>/dev/null && [[ $stat != *") Z "* ]]
}

# Unmounts a card cleanly and waits until its fusefat has written all out.
# Runs in serve_pulls, whose file descriptor 9 it sleeps on.
stop_pulled_card() {
    local card=$1 pid tries=0
    read -r pid <"$CONTROL/$card.pid"
    release_mount "$PULL/$card" >/dev/null
    while running "$pid"; do
        tries=$((tries + 1))
        [ "$tries" -le 500 ] || return 1
        read -r -t 0.01 -u 9
    done
    return 0
}

# Ends the cards' fusefat processes, which fails any call waiting on them.
end_pulled_cards() {
    local card pid
    for card in copy generate first; do
        read -r pid <"$CONTROL/$card.pid" 2>/dev/null && running "$pid" && kill -KILL "$pid"
    done
}

# Serves the pulled-card drills while the drills' process $1 lives. The
# drills ask through files in $CONTROL, written whole by renaming:
# - "arm CARD WINDOW": after a random delay within WINDOW microseconds,
#   drawn from $PULL_SEED, the card's fusefat process is killed, as the card
#   pulled out; "pulled" answers.
# - "reinsert CARD pulled": the dead mount is detached and the image checked
#   with fsck.fat -a, as the owner's PC would, before it is mounted again.
# - "reinsert CARD keep": the card as it is becomes the one each trial starts
#   from; "reinsert CARD fresh" starts a trial from it. fusefat mishandles a
#   card that fsck.fat repaired (it has been seen to free cluster 0 and to
#   spin), so no trial inherits another's damage.
# "inserted" answers a reinsert with "ok" or what failed. The waits use
# read -t on a FIFO that nobody writes, which sleeps without a fork. When no
# request follows an answer for two minutes, the drills are taken to be stuck
# on a card and the cards' fusefat processes are ended, which fails them.
serve_pulls() {
    local drills=$1 card how window delay fraction pid answer answered=
    RANDOM=$PULL_SEED
    # A pull lands when it is due, however busy the machine: this loop runs
    # under the real-time scheduler (what it starts does not) and forks
    # nothing between a request and its pull.
    chrt --fifo --reset-on-fork --pid 50 "$BASHPID" 2>/dev/null ||
        echo "no real-time scheduling here: pulls may land late on a busy machine"
    mkfifo "$CONTROL/.idle" && exec 9<>"$CONTROL/.idle"
    while kill -0 "$drills" 2>/dev/null; do
        if [ -n "$answered" ] && [ $((SECONDS - answered)) -gt 120 ]; then
            echo "no request from the drills for two minutes: ending the pulled cards' fusefat"
            end_pulled_cards
            answered=
        fi
        if [ -f "$CONTROL/arm" ]; then
            read -r card window <"$CONTROL/arm"
            delay=$(((RANDOM * 32768 + RANDOM) % (window + 1)))
            printf -v fraction %06d $((delay % 1000000))
            [ "$delay" -gt 0 ] && read -r -t "$((delay / 1000000)).$fraction" -u 9
            read -r pid <"$CONTROL/$card.pid"
            kill -KILL "$pid"
            rm -f "$CONTROL/arm"
            echo "$card $delay" >>"$PULL/moments.log"
            : >"$CONTROL/pulled"
            answered=$SECONDS
        elif [ -f "$CONTROL/reinsert" ]; then
            read -r card how <"$CONTROL/reinsert"
            rm -f "$CONTROL/reinsert"
            answer=ok
            case $how in
                pulled)
                    fusermount -u -z "$PULL/$card"
                    fsck.fat -a "$PULL/$card.img" >>"$PULL/fsck.log" 2>&1
                    echo "$card $?" >>"$PULL/fsck-status.log"
                    fsck.fat -n "$PULL/$card.img" >/dev/null 2>&1 ||
                        answer="fsck.fat -a left the $card card with errors"
                    ;;
                keep)
                    stop_pulled_card "$card" &&
                        cp --sparse=always "$PULL/$card.img" "$PULL/$card.start.img" ||
                        answer="the $card card did not unmount"
                    ;;
                fresh)
                    stop_pulled_card "$card" &&
                        cp --sparse=always "$PULL/$card.start.img" "$PULL/$card.img" ||
                        answer="the $card card did not unmount"
                    ;;
            esac
            start_pulled_card "$card" || answer="fusefat did not mount the $card card again"
            echo "$answer" >"$CONTROL/inserted.new" && mv "$CONTROL/inserted.new" "$CONTROL/inserted"
            answered=$SECONDS
        else
            read -r -t 0.001 -u 9
        fi
    done
}

# Mounts the pulled cards, the third for the first Generate onto an empty
# card, and hands them to the drills in DRILL_PULL_*.
mount_pulled_cards() {
    for card in copy generate first; do
        new_image "$PULL/$card.img" || skip "mkfs.fat failed"
        mkdir -p "$PULL/$card"
        PULLED_CARDS+=("$PULL/$card")
        start_pulled_card "$card" || skip "fusefat cannot mount in the foreground here"
    done
    echo "pulled cards: pulls at random moments drawn from seed $PULL_SEED" \
        "(DRILL_PULL_SEED=$PULL_SEED draws the same moments again)"
    export DRILL_PULL_CONTROL DRILL_PULL_COPY_CARD DRILL_PULL_GENERATE_CARD DRILL_PULL_FIRST_CARD
    DRILL_PULL_FIRST_CARD=$(winpath "$PULL/first")
    DRILL_PULL_CONTROL=$(winpath "$CONTROL")
    DRILL_PULL_COPY_CARD=$(winpath "$PULL/copy")
    DRILL_PULL_GENERATE_CARD=$(winpath "$PULL/generate")
}

# When and how the cards were pulled, and what fsck.fat found.
report_pulls() {
    if [ -s "$PULL/moments.log" ]; then
        for card in copy generate first; do
            awk -v card="$card" -v seed="$PULL_SEED" '$1 == card {
                    n++; sum += $2; if (n == 1 || $2 < low) low = $2; if ($2 > high) high = $2 }
                END { if (n) printf "%s card pulled %d times (seed %s), %.1f to %.1f ms after the request, mean %.1f ms\n",
                          card, n, seed, low / 1000, high / 1000, sum / n / 1000 }' "$PULL/moments.log"
        done
        awk '$2 == 1 { repaired[$1]++ } { n[$1]++ }
            END { for (card in n) printf "fsck.fat -a after pulling the %s card: %d of %d images needed repair\n",
                      card, repaired[card], n[card] }' "$PULL/fsck-status.log"
    fi
}
