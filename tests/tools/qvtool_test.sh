#!/bin/sh
# qvtool end to end: `simulate` and `show` on generated profiles and the traces in cases/, and
# `rules` on the rules files there, compared with the expected output beside them; error exits;
# and that simulate leaves the disk alone.
# Usage: qvtool_test.sh QVTOOL TESTS_TOOLS_DIR
set -u

if [ $# -ne 2 ]; then
    echo "usage: $0 QVTOOL TESTS_TOOLS_DIR" >&2
    exit 2
fi
QVTOOL=$1
case $QVTOOL in /*) ;; */*) QVTOOL=$(pwd)/$QVTOOL ;; esac
CASES=$(cd "$2/cases" && pwd) || exit 2
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT INT TERM
FAILURES=0

fail() {
    echo "FAIL: $*" >&2
    FAILURES=$((FAILURES + 1))
}

# --- Profile files -------------------------------------------------------------------------------

# Four bytes of a 32-bit value, little-endian.
le32() {
    v=$1
    for _ in 1 2 3 4; do
        printf "\\$(printf '%03o' $((v & 255)))"
        v=$((v >> 8))
    done
}

# The value of KEY=VALUE among the remaining arguments; DEFAULT when there is none.
lookup() {
    key=$1 default=$2
    shift 2
    for pair in "$@"; do
        case $pair in "$key="*)
            printf '%s' "${pair#*=}"
            return
            ;;
        esac
    done
    printf '%s' "$default"
}

# One text slot of M bytes: the text (printf %b escapes such as \0351 allowed), zero-padded.
slot() {
    printf '%b' "$2" >"$WORK/slot"
    length=$(wc -c <"$WORK/slot")
    cat "$WORK/slot"
    while [ "$length" -lt "$1" ]; do
        printf '\000'
        length=$((length + 1))
    done
}

# event_block FIRST LAST M [ARGS as write_profile's]: the four columns' entries of events FIRST to
# LAST, then their normal and their shifted text slots of M bytes.
event_block() {
    first=$1 last=$2 width=$3
    shift 3
    for column in 0 1 2 3; do
        event=$first
        while [ "$event" -le "$last" ]; do
            le32 "$(lookup "$column/$event" 0 "$@")"
            event=$((event + 1))
        done
    done
    for block in nt st; do
        event=$first
        while [ "$event" -le "$last" ]; do
            slot "$width" "$(lookup "$block/$event" "" "$@")"
            event=$((event + 1))
        done
    done
}

# write_profile FILE N M SWAPY SWAPX PROGRESSIVE ACCELERATION DELAY SENSITIVITY THRESHOLD SHIFT
#               [COLUMN/EVENT=VALUE | nt/EVENT=TEXT | st/EVENT=TEXT]...
# Columns 0..3 are normal modifier, normal key, shifted modifier, shifted key; nt and st are the
# normal and shifted texts. Everything not given is 0 or empty.
write_profile() {
    file=$1 n=$2 m=$3
    shift 3
    fields="$1 $2 $3 $4 $5 $6 $7 $m $n"
    shiftButton=$8
    shift 8
    {
        for f in $fields; do le32 "$f"; done
        event_block 1 $((n + 4)) "$m" "$@"
        le32 "$shiftButton"
    } >"$file"
}

# append_extension FILE M AXES [COLUMN/EVENT=VALUE | nt/EVENT=TEXT | st/EVENT=TEXT]... adds the
# extension for events 37..46 (ten entries per column, then ten normal and ten shifted slots).
append_extension() {
    file=$1 m=$2 axes=$3
    shift 3
    {
        printf 'QVX1'
        le32 $((4 + 160 + 20 * m))
        le32 "$axes"
        event_block 37 46 "$m" "$@"
    } >>"$file"
}

# A twelve-button pad. Normal: the stick moves the pointer; button 1 Left Click, 2 Enter, 3 SHIFT
# with "hi", 4 the shift button, 5 Left Double Click, 6 CTRL+ALT, 12 F12. Shifted: Up and Down
# are the arrow keys, button 1 Right Click, button 2 CTRL with "c".
write_profile "$WORK/pad.qvp" 12 2 0 0 0 0 50 3000 1000 4 \
    0/1=1 0/2=1 0/3=1 0/4=1 1/5=1 1/6=23 0/7=3 nt/7=hi 1/9=2 0/10=4 1/16=45 \
    3/1=5 2/2=1 3/3=7 2/4=1 3/5=3 2/6=2 st/6=c
# Progressive, four characters per slot: button 1 "a;A ", 2 DEL and 0xE9 (no key), 3 "~|".
write_profile "$WORK/chars.qvp" 3 4 0 0 1 10 50 6000 1000 0 \
    'nt/5=a;A ' 'nt/6=\0177\0351' 'nt/7=~|'
# No buttons; Swap Y axis and the largest Acceleration; every direction moves the pointer.
write_profile "$WORK/accel.qvp" 0 2 1 0 0 50 50 6000 1000 0 0/1=1 0/2=1 0/3=1 0/4=1
# The whole pad: button 1 turns the wheel down; D-pad Up is the Up Arrow, D-pad Right types "r";
# the second stick (U and R) scrolls up and down and moves the pointer right; Z Axis + is Escape.
write_profile "$WORK/whole.qvp" 4 2 0 0 0 0 50 6000 1000 0 1/5=47
append_extension "$WORK/whole.qvp" 2 1 1/37=5 nt/38=r 0/41=9 0/42=1 0/43=9 1/46=25
cp "$WORK/whole.qvp" "$WORK/newer.qvp"
printf '2' | dd of="$WORK/newer.qvp" bs=1 seek=$((40 + 8 * 20 + 3)) conv=notrunc 2>/dev/null
head -c $(($(wc -c <"$WORK/whole.qvp") - 1)) "$WORK/whole.qvp" >"$WORK/cutext.qvp"

# --- Expected output -----------------------------------------------------------------------------

# expect_output NAME EXPECTED_FILE COMMAND...: exit 0, empty stderr, stdout as expected.
expect_output() {
    name=$1 expected=$2
    shift 2
    "$@" >"$WORK/out" 2>"$WORK/err"
    status=$?
    if [ $status -ne 0 ]; then
        fail "$name: exit status $status"
        cat "$WORK/err" >&2
    elif [ -s "$WORK/err" ]; then
        fail "$name: unexpected stderr"
        cat "$WORK/err" >&2
    elif ! cmp -s "$expected" "$WORK/out"; then
        fail "$name: output differs from $expected"
        diff "$expected" "$WORK/out" >&2
    fi
}

simulate_case() {
    name=$1 profile=$2
    shift 2
    expect_output "simulate $name $*" "$CASES/$name.expected" \
        "$QVTOOL" simulate "$@" "$WORK/$profile" "$CASES/$name.trace"
}

simulate_case motion pad.qvp
simulate_case keys pad.qvp
simulate_case unplugged pad.qvp
simulate_case chars chars.qvp
simulate_case accel accel.qvp
simulate_case buttons pad.qvp
simulate_case whole whole.qvp
simulate_case buttons pad.qvp --buttons 10
simulate_case buttons pad.qvp --max-buttons 40 --buttons 0x20
expect_output "simulate --max-buttons 11" "$CASES/buttons-max11.expected" \
    "$QVTOOL" simulate --max-buttons 11 "$WORK/pad.qvp" "$CASES/buttons.trace"

printf '' >"$WORK/empty.trace"
printf 'stop\n' >"$WORK/stop.expected"
expect_output "simulate on an empty trace" "$WORK/stop.expected" \
    "$QVTOOL" simulate "$WORK/pad.qvp" "$WORK/empty.trace"

head -c 100 "$WORK/pad.qvp" >"$WORK/short.qvp"
cd "$WORK" || exit 2
expect_output "show pad" "$CASES/show-pad.expected" "$QVTOOL" show pad.qvp
expect_output "show chars" "$CASES/show-chars.expected" "$QVTOOL" show chars.qvp
expect_output "show short" "$CASES/show-short.expected" "$QVTOOL" show short.qvp
expect_output "show whole" "$CASES/show-whole.expected" "$QVTOOL" show whole.qvp

# A configuration remembering the pads of IDs 0 and 15, the second key with bytes to escape.
"$QVTOOL" default-config Quorvel.cfg || fail "default-config failed"
{
    printf 'QVC1VID_045E&PID_028E\000'
    for _ in 1 2 3 4 5 6 7 8 9 10 11 12 13 14; do printf '\000'; done
    printf 'odd"\001\000'
} >>Quorvel.cfg
expect_output "show configuration" "$CASES/show-config.expected" "$QVTOOL" show Quorvel.cfg
dd if=Quorvel.cfg of=cut.cfg bs=1 count=$(($(wc -c <Quorvel.cfg) - 1)) 2>/dev/null
"$QVTOOL" show cut.cfg >"$WORK/out" 2>&1
grep -q '^Joystick 16 (ID 15): no pad key$' "$WORK/out" &&
    grep -qF '(the list of pad keys is damaged: none is used)' "$WORK/out" ||
    fail "show of a cut list of pad keys: $(cat "$WORK/out")"

# --- Refused input -------------------------------------------------------------------------------

# expect_refusal NAME PATTERN COMMAND...: exit status 2 and PATTERN (fixed text) in stderr.
expect_refusal() {
    name=$1 pattern=$2
    shift 2
    "$@" >"$WORK/out" 2>"$WORK/err"
    status=$?
    if [ $status -ne 2 ]; then
        fail "$name: exit status $status, expected 2"
    elif ! grep -qF -- "$pattern" "$WORK/err"; then
        fail "$name: stderr lacks \"$pattern\""
        cat "$WORK/err" >&2
    fi
}

head -c 35 "$WORK/pad.qvp" >"$WORK/cut.qvp"
write_profile "$WORK/n33.qvp" 12 2 0 0 0 0 50 3000 1000 0
printf '\041' | dd of="$WORK/n33.qvp" bs=1 seek=32 conv=notrunc 2>/dev/null
write_profile "$WORK/m0.qvp" 12 1 0 0 0 0 50 3000 1000 0
printf '\000' | dd of="$WORK/m0.qvp" bs=1 seek=28 conv=notrunc 2>/dev/null
T=$CASES/motion.trace
expect_refusal "missing profile" "$WORK/none.qvp" "$QVTOOL" simulate "$WORK/none.qvp" "$T"
expect_refusal "profile cut before N" "$WORK/cut.qvp" "$QVTOOL" simulate "$WORK/cut.qvp" "$T"
expect_refusal "profile with N 33" "$WORK/n33.qvp" "$QVTOOL" simulate "$WORK/n33.qvp" "$T"
expect_refusal "profile with MaxChars 0" "$WORK/m0.qvp" "$QVTOOL" simulate "$WORK/m0.qvp" "$T"
expect_refusal "profile of a newer version" "newer version" \
    "$QVTOOL" simulate "$WORK/newer.qvp" "$T"
expect_refusal "profile with a cut extension" "damaged" "$QVTOOL" simulate "$WORK/cutext.qvp" "$T"
expect_refusal "show newer" "newer version" "$QVTOOL" show "$WORK/newer.qvp"
expect_refusal "missing trace" "$WORK/none.trace" \
    "$QVTOOL" simulate "$WORK/pad.qvp" "$WORK/none.trace"
mkdir "$WORK/folder.qvp" "$WORK/folder.trace"
expect_refusal "unreadable profile" "$WORK/folder.qvp" \
    "$QVTOOL" simulate "$WORK/folder.qvp" "$T"
expect_refusal "unreadable trace" "$WORK/folder.trace" \
    "$QVTOOL" simulate "$WORK/pad.qvp" "$WORK/folder.trace"
expect_refusal "show missing" "$WORK/none.qvp" "$QVTOOL" show "$WORK/none.qvp"
expect_refusal "show unreadable" "$WORK/folder.qvp" "$QVTOOL" show "$WORK/folder.qvp"
expect_refusal "show damaged" "$WORK/cut.qvp" "$QVTOOL" show "$WORK/cut.qvp"
expect_refusal "simulate without trace" "usage" "$QVTOOL" simulate "$WORK/pad.qvp"
expect_refusal "--buttons without value" "usage" \
    "$QVTOOL" simulate "$WORK/pad.qvp" "$T" --buttons

# A bad fourth line after a poll, a comment and a blank line: the message names line 4, and the
# output stops before "stop".
for line in '1 2' '1 2 3 4' '1 2 3 4 5 6 7' '1 2 3 4 5 6 7 8 9' '-1 2 3' '+1 2 3' '0x 2 3' '4294967296 0 0' '0x100000000 0 0' \
    '1 2 x' '1 2 0x1g' '1,2,3' '1 2 3 # held' 'unplugged now' 'UNPLUGGED'; do
    printf '32767 32767 0\n# comment\n\n%s\n32767 32767 0\n' "$line" >"$WORK/bad.trace"
    expect_refusal "trace line \"$line\"" "bad.trace:4:" \
        "$QVTOOL" simulate "$WORK/pad.qvp" "$WORK/bad.trace"
    if grep -q '^stop$' "$WORK/out"; then fail "trace line \"$line\": simulation went on"; fi
done

# --- Simulate writes nothing ---------------------------------------------------------------------

# A button count that differs from the file's makes the program write a backup profile; simulate
# must not, neither beside the profile nor in the working directory.
mkdir "$WORK/disk"
cp "$WORK/pad.qvp" "$CASES/keys.trace" "$WORK/disk/"
touch -t 200001010000 "$WORK/disk/pad.qvp" "$WORK/disk/keys.trace" "$WORK/disk"
touch -t 200001010000 "$WORK/marker"
(cd "$WORK/disk" && ls -a && cksum pad.qvp keys.trace) >"$WORK/before"
(cd "$WORK/disk" && "$QVTOOL" simulate --buttons 10 pad.qvp keys.trace >/dev/null 2>&1) ||
    fail "simulate --buttons 10 in place failed"
(cd "$WORK/disk" && ls -a && cksum pad.qvp keys.trace) >"$WORK/after"
if ! cmp -s "$WORK/before" "$WORK/after"; then
    fail "simulate changed its directory"
    diff "$WORK/before" "$WORK/after" >&2
fi
if [ -n "$(find "$WORK/disk" -newer "$WORK/marker")" ]; then
    fail "simulate touched: $(find "$WORK/disk" -newer "$WORK/marker")"
fi

# --- Application rules ---------------------------------------------------------------------------

cp "$CASES/example.rules" "$CASES/broken.rules" "$WORK/"
expect_output "rules in a game's folder" "$CASES/rules-games.expected" \
    "$QVTOOL" rules example.rules 'C:\Games\racer2.exe'
# An empty PROGRAM is one that could not be found: only "program = *" matches it.
expect_output "rules by title" "$CASES/rules-chat.expected" \
    "$QVTOOL" rules example.rules '' 'Ann - Chat'

# Ignored rules and lines go to stderr as FILE:LINE: reason, the decisions still to stdout.
"$QVTOOL" rules broken.rules 'D:\good.exe' >"$WORK/out" 2>"$WORK/err"
status=$?
[ $status -eq 1 ] || fail "rules with ignored rules: exit status $status, expected 1"
cmp -s "$CASES/rules-broken.expected" "$WORK/out" || fail "rules with ignored rules: stdout"
cmp -s "$CASES/rules-broken.stderr" "$WORK/err" || fail "rules with ignored rules: stderr"

# Exactly 1 MiB is read; one byte more is refused whole, with nothing on stdout.
{
    cat "$CASES/example.rules"
    head -c $((1048576 - $(wc -c <"$CASES/example.rules"))) /dev/zero | tr '\0' ' '
} >"$WORK/full.rules"
expect_output "rules file of 1 MiB" "$CASES/rules-games.expected" \
    "$QVTOOL" rules full.rules 'C:\Games\racer2.exe'
printf ' ' >>"$WORK/full.rules"
expect_refusal "rules file over 1 MiB" "full.rules" "$QVTOOL" rules full.rules x.exe
[ -s "$WORK/out" ] && fail "rules file over 1 MiB: printed decisions"
expect_refusal "missing rules file" "none.rules" "$QVTOOL" rules none.rules x.exe
[ -s "$WORK/out" ] && fail "missing rules file: printed decisions"
expect_refusal "rules without PROGRAM" "usage" "$QVTOOL" rules example.rules
expect_refusal "rules with a fourth argument" "usage" "$QVTOOL" rules example.rules a b c

if [ $FAILURES -ne 0 ]; then
    echo "$FAILURES qvtool check(s) failed" >&2
    exit 1
fi
echo "qvtool: all checks passed"
