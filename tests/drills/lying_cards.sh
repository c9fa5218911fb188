# Sourced by card_drills.sh: the lying card (lying_card.c), an in-memory
# file system that stores data as bad cards do, built, checked and mounted
# once for each kind of card the drills need.

# Built with the host compiler (the project's build cross-compiles for
# Windows), into the build folder, when its source changed.
LAB_SOURCE=$HERE/lying_card.c
LAB=$(dirname "$EXE")/lying_card
LAB_WORN_OFFSET=24576 # the byte of every file that the worn card inverts
LAB_CAPACITY=262144   # what the fake-capacity card really holds

lab_broken() {
    echo "the lying card itself is broken: $*"
    exit 1
}

# Mounts a lying card on $WORK/name with the given options; its log is
# $WORK/name.log. It runs in the foreground of a background job and ends
# when it is unmounted.
mount_lab() {
    local name=$1 options=$2 mountpoint=$WORK/$1 tries=0
    mkdir -p "$mountpoint"
    "$LAB" "$mountpoint" -f -s -o "log=$mountpoint.log${options:+,$options}" \
        >"$WORK/$name.out" 2>&1 &
    until mountpoint -q "$mountpoint"; do
        tries=$((tries + 1))
        [ "$tries" -le 50 ] || lab_broken "it does not mount: $(cat "$WORK/$name.out")"
        sleep 0.1
    done
    MOUNTS+=("$mountpoint")
}

# Each kind of card shows its lie to dd and cmp before any Windows drill
# runs, so that a broken lab is told apart from a broken program.
check_lab() {
    local a=$WORK/check-a b=$WORK/check-b m
    head -c 3000 /dev/urandom >"$a"
    head -c 3000 /dev/urandom >"$b"

    mount_lab check-good 'fail_fsync=*.TMP,fail_rename=R.TMP,flip_rename=F.TMP'
    m=$WORK/check-good
    cp "$a" "$m/a" && cmp -s "$a" "$m/a" || lab_broken "a good card does not keep a file"
    mkdir -p "$m/x/y" && mv "$m/a" "$m/x/y/a.wav" && cmp -s "$a" "$m/x/y/a.wav" ||
        lab_broken "renaming into a nested folder"
    cp "$b" "$m/b" && mv -f "$m/b" "$m/x/y/a.wav" && cmp -s "$b" "$m/x/y/a.wav" &&
        [ ! -e "$m/b" ] || lab_broken "renaming over a file"
    truncate -s 100 "$m/x/y/a.wav" && [ "$(stat -c %s "$m/x/y/a.wav")" = 100 ] ||
        lab_broken "truncating"
    dd if="$a" of="$m/c.bin" conv=fsync 2>/dev/null || lab_broken "fsync failed on c.bin"
    dd if="$a" of="$m/C.TMP" conv=fsync 2>/dev/null && lab_broken "fsync of C.TMP did not fail"
    grep -qx "fsync-eio /C.TMP" "$m.log" || lab_broken "the failed fsync is not in its log"
    cp "$a" "$m/R.TMP" && ! mv "$m/R.TMP" "$m/r" 2>/dev/null && cmp -s "$a" "$m/R.TMP" ||
        lab_broken "renaming R.TMP did not fail"
    cp "$a" "$m/F.TMP" && mv "$m/F.TMP" "$m/f" &&
        [ "$(cmp -l "$a" "$m/f" | awk '{print $1}')" = 1 ] || lab_broken "renaming F.TMP did not invert its first byte alone"

    mount_lab check-worn worn=1000
    m=$WORK/check-worn
    cp "$a" "$m/a" && [ "$(cmp -l "$a" "$m/a" | awk '{print $1}')" = 1001 ] ||
        lab_broken "a worn card does not invert byte 1000 alone"
    head -c 1000 "$a" >"$m/short" && cmp -s -n 1000 "$a" "$m/short" ||
        lab_broken "a worn card damages a file short of its worn byte"

    mount_lab check-fake capacity=4096
    m=$WORK/check-fake
    cp "$a" "$m/a" && cmp -s "$a" "$m/a" || lab_broken "a fake card loses its first file"
    cp "$b" "$m/b" && cmp -s "$b" "$m/b" || lab_broken "a fake card's file must read back whole"
    # b's bytes from offset 1096 on were written past 4096 bytes: they also
    # landed on a's first 1904 bytes. A cache answering reads would show a as
    # it was.
    tail -c +1097 "$b" | cmp -s -n 1904 - "$m/a" && cmp -s -i 1904 "$a" "$m/a" ||
        lab_broken "a fake card did not wrap b onto a, or a read did not reach it"
    grep -q "^wrap /a 0 " "$m.log" || lab_broken "the wrap is not in its log"

    check_control

    for m in check-good check-worn check-fake check-control; do
        unmount_card "$WORK/$m"
    done
    echo "lying card self-check: good, worn, fake-capacity and fsync-failing cards behave;" \
        "changes are counted, pulls land after a given change and halfway through a rename," \
        "a restore brings the kept tree back past every cache, read-only reads fail or end early"
}

# The control file of check_lab's card: commands, one an argument.
tell_lab() {
    printf '%s\n' "$@" >"$WORK/check-control/.lab" || lab_broken "the command $* was refused"
}

# What the card's entries hold: "name:size" or "name:-" for each name given.
sizes_on_lab() {
    local name
    for name in "$@"; do
        printf '%s:%s ' "$name" "$(stat -c %s "$WORK/check-control/$name" 2>/dev/null || echo -)"
    done
}

# The control file's abilities, shown to shell tools: a count of changes,
# pulls after a change and halfway through renames, a card put back, a tree
# kept and restored, reads that fail or end early.
check_control() {
    local m=$WORK/check-control a=$WORK/check-a middle expected
    mount_lab check-control ''
    [ -z "$(ls -A "$m")" ] && [ -f "$m/.lab" ] || lab_broken "its control file is listed or missing"
    printf 'kept' >"$m/k" && mkdir "$m/f" && tell_lab snapshot count
    mkdir "$m/d" && printf 0123456789 >"$m/d/a" && truncate -s 4 "$m/d/a" && mv "$m/d/a" "$m/d/b" &&
        rm "$m/d/b" && rmdir "$m/d" || lab_broken "a good card refused a change"
    expected=$'pulled 0\nmkdir /d\ncreate /d/a\nwrite /d/a 0 10\ntruncate /d/a 4\nrename /d/a -> /d/b\nunlink /d/b\nrmdir /d'
    [ "$(cat "$m/.lab")" = "$expected" ] || lab_broken "it lists the changes as: $(cat "$m/.lab")"

    # Pulled after the write: the new file holds its bytes, later calls fail.
    tell_lab count 'pull 2'
    printf 'new!' >"$m/n" || lab_broken "the change the pull waits for failed"
    [[ $(ls "$m" 2>&1) == *'Input/output error'* ]] && ! printf z 2>/dev/null >"$m/z" ||
        lab_broken "a pulled card still answers"
    [ "$(head -1 "$m/.lab")" = 'pulled 1' ] || lab_broken "its control file does not say it is pulled"
    tell_lab back
    [ "$(cat "$m/n")" = 'new!' ] && [ "$(sizes_on_lab z)" = 'z:- ' ] ||
        lab_broken "a card put back does not hold changes 1..2 alone"

    # A restore undoes an added file and a new size, whatever the kernel saw.
    printf 'a longer text' >"$m/k"
    tell_lab restore
    [ "$(sizes_on_lab k n f)" = 'k:4 n:- f:0 ' ] && [ "$(cat "$m/k")" = kept ] ||
        lab_broken "a restore shows the card as it was: $(sizes_on_lab k n f)"

    # What stands under the old and the new name, and what they hold together.
    for middle in lost new-empty old-empty; do
        tell_lab restore count "pull 1 $middle"
        mv "$m/k" "$m/w" 2>/dev/null && lab_broken "a rename pulled halfway ($middle) succeeded"
        tell_lab back
        case $middle in
            lost) expected='k:- w:- ' ;;
            new-empty) expected='k:4 w:0 kept' ;;
            old-empty) expected='k:0 w:4 kept' ;;
        esac
        [ "$(sizes_on_lab k w)$(cat "$m/k" "$m/w" 2>/dev/null)" = "$expected" ] ||
            lab_broken "a rename pulled halfway ($middle) left $(sizes_on_lab k w)"
    done

    # Reads through read-only handles; "<>" opens read-write.
    tell_lab restore
    cp "$a" "$m/r.wav" && tell_lab 'fail_read=r.wav'
    cat "$m/r.wav" >/dev/null 2>&1 && lab_broken "a read-only read of r.wav did not fail"
    cmp -s "$a" - <>"$m/r.wav" || lab_broken "a read-write read of r.wav failed"
    tell_lab 'fail_read=' 'short_read=@(q|r).wav'
    [ "$(cat "$m/r.wav" | wc -c)" = 1500 ] || lab_broken "a read-only read of r.wav did not end early"
    cmp -s "$a" - <>"$m/r.wav" || lab_broken "a read-write read of r.wav ended early"
    tell_lab 'short_read='
    cmp -s "$a" "$m/r.wav" || lab_broken "reads stay short"
    printf 'bogus\n' 2>/dev/null >"$m/.lab" && lab_broken "an unknown command was taken"
}

# Mounts the lying cards and hands them to the drills in DRILL_LAB_*.
mount_lying_cards() {
    if ! pkg-config --exists fuse3 2>/dev/null; then
        echo "libfuse3-dev or pkg-config is not installed: the lying-card drills are skipped"
        return
    fi
    if [ ! -x "$LAB" ] || [ "$LAB_SOURCE" -nt "$LAB" ]; then
        # shellcheck disable=SC2046 # pkg-config's flags are separate words
        gcc -O2 -Wall -Wextra -o "$LAB" "$LAB_SOURCE" $(pkg-config --cflags --libs fuse3) ||
            lab_broken "it does not compile"
    fi
    check_lab
    mount_lab lab-good ""
    mount_lab lab-worn-record worn=40 # byte 40 of the record
    mount_lab lab-worn "worn=$LAB_WORN_OFFSET"
    mount_lab lab-fake "capacity=$LAB_CAPACITY"
    mount_lab lab-flush 'fail_fsync=*'
    # New files that do not arrive under their names: a file cannot be
    # renamed from its temporary name or from its checked one, the flush of
    # any name but a temporary one fails, a renamed temporary file is stored
    # wrongly.
    mount_lab lab-rename 'fail_rename=*.@(TMP|NEW)'
    mount_lab lab-name-flush 'fail_fsync=*[!P]'
    mount_lab lab-rename-flip 'flip_rename=*.TMP'
    mount_lab lab-slow read_delay=60
    # Pulled after any change, or halfway through a rename, through its
    # control file.
    mount_lab lab-pull ""
    for m in lab-flush lab-rename lab-name-flush lab-rename-flip; do
        write_previous_config "$WORK/$m"
    done
    export DRILL_LAB_GOOD DRILL_LAB_WORN_RECORD DRILL_LAB_WORN DRILL_LAB_FAKE DRILL_LAB_FLUSH
    export DRILL_LAB_RENAME DRILL_LAB_NAME_FLUSH DRILL_LAB_RENAME_FLIP DRILL_LAB_SLOW DRILL_LAB_PULL
    DRILL_LAB_RENAME=$(winpath "$WORK/lab-rename")
    DRILL_LAB_NAME_FLUSH=$(winpath "$WORK/lab-name-flush")
    DRILL_LAB_RENAME_FLIP=$(winpath "$WORK/lab-rename-flip")
    DRILL_LAB_SLOW=$(winpath "$WORK/lab-slow")
    DRILL_LAB_PULL=$(winpath "$WORK/lab-pull")
    DRILL_LAB_GOOD=$(winpath "$WORK/lab-good")
    DRILL_LAB_WORN_RECORD=$(winpath "$WORK/lab-worn-record")
    DRILL_LAB_WORN=$(winpath "$WORK/lab-worn")
    DRILL_LAB_FAKE=$(winpath "$WORK/lab-fake")
    DRILL_LAB_FLUSH=$(winpath "$WORK/lab-flush")
    export DRILL_LAB_WORN_OFFSET=$LAB_WORN_OFFSET DRILL_LAB_CAPACITY=$LAB_CAPACITY
}
