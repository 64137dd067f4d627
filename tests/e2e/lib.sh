# Helpers for the end-to-end scenarios, sourced inside one Xvfb session per scenario.
# Expects: WINE, WINESERVER, WINEPREFIX, HARNESS (built tools), DIR (this scenario's folder,
# holding Quorvel.exe and the stand-in winmm.dll), SHOTS (screenshot folder).

# Windows path of a Linux path: Z:\tmp\...
winpath() { printf 'Z:%s' "${1//\//\\}"; }

# A line for the run's summary.
note() { echo "NOTE: $*"; }

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

drv() { "$WINE" "$HARNESS/driver.exe" "$@"; }

# Like wait_until, but returns 1 instead of failing when SECONDS pass.
poll_until() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@" >/dev/null 2>&1; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.05
    done
}

# Waits until the command succeeds, polling every 50 ms; fails the scenario after SECONDS.
wait_until() {
    local seconds=$1 what=$2
    shift 2
    local deadline=$((SECONDS + seconds))
    until "$@" >/dev/null 2>&1; do
        [ "$SECONDS" -lt "$deadline" ] || fail "timed out waiting for $what"
        sleep 0.05
    done
}

# ---- joysticks -----------------------------------------------------------------------------

# Replaces the joystick script in one step; every list starts again from its first reading.
write_sticks() {
    rm -f "$DIR"/sticks.txt.*.done
    cat >"$DIR/sticks.new"
    mv "$DIR/sticks.new" "$DIR/sticks.txt"
}

# Joystick 0 alone, at rest. Readings centre at 32767 on axes of 0..65535.
one_joystick() {
    write_sticks <<'EOF'
joystick 0 0 65535 0 65535 12 12
poll 0 32767 32767 0
EOF
}

# ---- files ---------------------------------------------------------------------------------

# Writes bytes to stdout from tokens: le32:N le16:N byte:N zero:N str:TEXT (no terminator).
bytes() {
    local token value
    for token in "$@"; do
        value=${token#*:}
        case $token in
            le32:*) value=$((value & 0xFFFFFFFF))
                    printf "$(printf '\\x%02x\\x%02x\\x%02x\\x%02x' $((value & 255)) \
                        $((value >> 8 & 255)) $((value >> 16 & 255)) $((value >> 24 & 255)))" ;;
            le16:*) printf "$(printf '\\x%02x\\x%02x' $((value & 255)) $((value >> 8 & 255)))" ;;
            byte:*) printf "$(printf '\\x%02x' $((value & 255)))" ;;
            zero:*) head -c "$value" /dev/zero ;;
            str:*) printf '%s' "$value" ;;
            *) fail "bad byte token $token" ;;
        esac
    done
}

# A configuration file as the program writes it: autostart flag, enabled mask and one record per
# ID 0..15 with the given names.
config_bytes() {
    local launch=$1 mask=$2 id tokens=()
    shift 2
    [ $# -eq 16 ] || fail "config_bytes needs 16 names"
    for id in $(seq 0 15); do
        tokens+=("byte:$id" "str:$1" "byte:0")
        shift
    done
    bytes "le32:$launch" "le16:$mask" "${tokens[@]}" "byte:16"
}

# A profile file for a joystick with BUTTONS buttons, from settings and mappings:
#   profile_bytes BUTTONS [NAME=VALUE...] [COLUMN:EVENT:MODIFIER:KEY[:TEXT]...]
# Settings (defaults as a new profile): swapy=0 swapx=0 progressive=0 acceleration=10 delay=50
# sensitivity=6000 threshold=1000 maxchars=2 shift=0. COLUMN is normal or shifted; EVENT 1..4
# are the directions, 5.. the buttons; MODIFIER and KEY are the list indexes the editor stores.
# Events 37..46 (D-pad, second stick, Z axis) and stick2=N (the second stick's axes) go into the
# QVX1 extension after the shift button, written only when one of them is given.
profile_bytes() {
    local buttons=$1 arg events column event rest
    shift
    local -A set=([swapy]=0 [swapx]=0 [progressive]=0 [acceleration]=10 [delay]=50
                  [sensitivity]=6000 [threshold]=1000 [maxchars]=2 [shift]=0)
    local -A modifier=() key=() text=()
    for arg in "$@"; do
        case $arg in
            *=*) set[${arg%%=*}]=${arg#*=} ;;
            normal:* | shifted:*)
                IFS=: read -r column event rest <<<"$arg"
                IFS=: read -r "modifier[$column$event]" "key[$column$event]" "text[$column$event]" \
                    <<<"$rest" ;;
            *) fail "bad profile argument $arg" ;;
        esac
    done
    events=$((buttons + 4))
    local tokens=("le32:${set[swapy]}" "le32:${set[swapx]}" "le32:${set[progressive]}"
                  "le32:${set[acceleration]}" "le32:${set[delay]}" "le32:${set[sensitivity]}"
                  "le32:${set[threshold]}" "le32:${set[maxchars]}" "le32:$buttons")
    for column in normal:modifier normal:key shifted:modifier shifted:key; do
        for event in $(seq 1 "$events"); do
            local -n entries=${column#*:}
            tokens+=("le32:${entries[${column%%:*}$event]:-0}")
        done
    done
    for column in normal shifted; do
        for event in $(seq 1 "$events"); do
            rest=${text[$column$event]:-}
            tokens+=("str:$rest" "zero:$((set[maxchars] - ${#rest}))")
        done
    done
    bytes "${tokens[@]}" "le32:${set[shift]}"
    profile_extension
}
# The QVX1 extension of profile_bytes, from its local set, modifier, key and text tables:
# "QVX1", its length after that length field, Stick 2 axes, ten entries per table column for
# events 37..46, then the normal and the shifted text slots of those events.
profile_extension() {
    local column event rest wanted=${set[stick2]:+yes}
    for column in normal shifted; do
        for event in $(seq 37 46); do
            [ -n "${modifier[$column$event]:-}${key[$column$event]:-}" ] && wanted=yes
        done
    done
    [ -n "$wanted" ] || return 0
    local tokens=("str:QVX1" "le32:$((4 + 160 + 20 * set[maxchars]))" "le32:${set[stick2]:-0}")
    for column in normal:modifier normal:key shifted:modifier shifted:key; do
        for event in $(seq 37 46); do
            local -n entries=${column#*:}
            tokens+=("le32:${entries[${column%%:*}$event]:-0}")
        done
    done
    for column in normal shifted; do
        for event in $(seq 37 46); do
            rest=${text[$column$event]:-}
            tokens+=("str:$rest" "zero:$((set[maxchars] - ${#rest}))")
        done
    done
    bytes "${tokens[@]}"
}

# Sixteen copies of one profile name, for config_bytes.
names16() { local i; for i in $(seq 16); do printf '%s\n' "$1"; done; }

# A fresh installation's configuration: autostart off, every joystick enabled, profile Default.
default_configuration() { config_bytes 0 0xFFFF $(names16 Default) >"$DIR/Quorvel.cfg"; }

# Profile with button 1 mapped to one key (a KeyChoice), re-fired while held.
key_profile_bytes() { profile_bytes 12 "delay=${2:-50}" "normal:5:0:$1"; }

# Compares a file byte for byte with the bytes on stdin.
check_bytes() {
    local file=$1 label=$2
    cat >"$file.expected"
    [ -f "$file" ] || fail "$label: $(basename "$file") was not written"
    if ! cmp -s "$file" "$file.expected"; then
        echo "expected:"; od -A d -t x1 "$file.expected" | head -40
        echo "actual:"; od -A d -t x1 "$file" | head -40
        fail "$label: $(basename "$file") differs"
    fi
}

# ---- the program ---------------------------------------------------------------------------

# Starts the recorder and waits until its hooks have proven live.
start_recorder() {
    rm -f "$DIR/ready" "$DIR/input.log"
    "$WINE" "$HARNESS/recorder.exe" "$(winpath "$DIR/input.log")" "$(winpath "$DIR/ready")" \
        >"$DIR/recorder.out" 2>&1 &
    wait_until 30 "the recorder's hooks" test -e "$DIR/ready"
}

# Starts Quorvel.exe (through the launcher, for the whole exit code) with the given arguments.
# The launcher's report goes to $DIR/launch.N.out, N counting the starts of this scenario.
STARTS=0
start_program() {
    STARTS=$((STARTS + 1))
    local line="$(winpath "$DIR/Quorvel.exe")"
    [ $# -gt 0 ] && line="$line $*"
    # shellcheck disable=SC2086  # the program's command line is passed on as one string
    "$WINE" "$HARNESS/launch.exe" $line >"$DIR/launch.$STARTS.out" 2>&1 &
    wait_until 30 "start $STARTS to begin" grep -q '^pid ' "$DIR/launch.$STARTS.out"
}

# Waits for the program's start-up to reach its message loop; prints the time it took.
wait_ready() {
    local report
    report=$(drv wait-ready 30000) || fail "the program did not come up: $report"
    echo "$report"
}

# Prints the exit code of start N (default: the latest) once it has ended.
exit_code() {
    local n=${1:-$STARTS}
    wait_until 40 "start $n to end" grep -q '^exit ' "$DIR/launch.$n.out"
    sed -n 's/^exit //p' "$DIR/launch.$n.out"
}

expect_exit() {
    local wanted=$1 n=${2:-$STARTS} code
    code=$(exit_code "$n")
    [ "$code" = "$wanted" ] || fail "exit code of start $n: expected $wanted, got $code"
}

# Posts the Exit command and checks that start N (default: the latest) ends cleanly.
exit_program() {
    drv command 1 || fail "cannot post Exit"
    expect_exit 0 "${1:-$STARTS}"
}

expect_text() {
    local id=$1 wanted=$2 text
    text=$(drv text "$id")
    [ "$text" = "$wanted" ] || fail "control $id shows $text, expected $wanted"
}

# Waits for a message box and checks it: owner (main, frame or none), title and text.
expect_box() {
    local owner=$1 title=$2 text=$3 box
    box=$(drv wait-box 20000) || fail "no message box appeared (expected $text)"
    local wanted="owner=$owner title=$title text=$text icon=1"
    [ "$box" = "$wanted" ] || fail "message box: $box, expected $wanted"
}

expect_tray() {
    local wanted=$1 state
    state=$(drv tray-state)
    [ "$state" = "tray $wanted" ] || fail "notification area: $state, expected tray $wanted"
}

# ---- recorded input ------------------------------------------------------------------------

# The recorded events without their times and notes.
events() { grep -v '^#' "$DIR/input.log" | cut -d' ' -f2-; }

event_count() { events | wc -l; }

has_events() { [ "$(events | grep -cx "$1")" -ge "$2" ]; }

# Waits until the recorder has seen at least COUNT lines equal to EVENT.
wait_events() {
    local event=$1 count=$2 seconds=${3:-20}
    wait_until "$seconds" "$count x $event" has_events "$event" "$count"
}

# The recorded events after line FIRST of the log.
events_from() { tail -n "+$1" "$DIR/input.log" | grep -v '^#' | cut -d' ' -f2-; }

# Lines in the recorder's log so far.
log_lines() { wc -l <"$DIR/input.log"; }

# Compares the recorded events with the expected list on stdin, once as many have arrived (or
# after 10 s).
check_events() {
    local label=$1 wanted
    cat >"$DIR/events.expected"
    wanted=$(wc -l <"$DIR/events.expected")
    local deadline=$((SECONDS + 10))
    while [ "$(event_count)" -lt "$wanted" ] && [ "$SECONDS" -lt "$deadline" ]; do sleep 0.05; done
    events >"$DIR/events.actual"
    if ! diff -u "$DIR/events.expected" "$DIR/events.actual" >"$DIR/events.diff"; then
        cat "$DIR/events.diff"
        fail "$label: the recorded input differs"
    fi
}

# Milliseconds between successive recorded lines equal to EVENT, from line FIRST of the log on:
# prints "count median mean min max".
intervals() {
    local event=$1 first=${2:-1}
    tail -n "+$first" "$DIR/input.log" | grep -v '^#' | awk -v e="$event" '
        { t = $1; $1 = ""; sub(/^ /, ""); if ($0 == e) { if (n++) d[n-1] = t - last; last = t } }
        END {
            m = n - 1; if (m < 1) { print 0, 0, 0, 0, 0; exit }
            for (i = 1; i <= m; i++) { s += d[i]; v[i] = d[i] }
            for (i = 1; i <= m; i++)
                for (j = i + 1; j <= m; j++)
                    if (v[j] < v[i]) { x = v[i]; v[i] = v[j]; v[j] = x }
            printf "%d %.1f %.1f %.1f %.1f\n", m, v[int((m + 1) / 2)], s / m, v[1], v[m]
        }'
}

# ---- screenshots ---------------------------------------------------------------------------

# Saves the window of KIND (main, about, enable) as SHOTS/NAME.png and the whole screen as
# SHOTS/NAME-screen.png (KIND screen: the screen only), once two grabs 200 ms apart are the
# same, that is when painting has finished.
screenshot() {
    local kind=$1 name=$2 geometry="" previous="" current="" grab=$DIR/grab.ppm
    if [ "$kind" != screen ]; then
        geometry=$(drv rect "$kind") || fail "no $kind window to photograph"
    fi
    local deadline=$((SECONDS + 10))
    while :; do
        import -window root "ppm:$grab" || fail "screenshot failed"
        current=$(md5sum <"$grab")
        [ "$current" = "$previous" ] && break
        [ "$SECONDS" -lt "$deadline" ] || { note "screen still changing for $name"; break; }
        previous=$current
        sleep 0.2
    done
    convert "$grab" "$SHOTS/$name-screen.png" || fail "converting the screenshot failed"
    if [ -n "$geometry" ]; then
        convert "$grab" -crop "$geometry" +repage "$SHOTS/$name.png" || fail "cropping failed"
    fi
}
