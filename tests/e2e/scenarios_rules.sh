# Scenarios of the application rules: joysticks that follow the program in front, the rules file
# created from the menu, and the measurements of the switch time and of the CPU the watch costs.

# Rules for two of the front window program's copies: Writing for wordpad_x.exe, off for
# game_x.exe; other_x.exe has none.
rules_file() {
    printf '%s\r\n' '; Two programs with rules, a third without' '[Writing]' \
        'program = wordpad_x.exe' 'profile = Writing' '' '[Game]' 'program = GAME_X.EXE' \
        'off = yes'
}

# Starts copies of the front window program under three names, each with a window titled after
# it, and leaves "Other X" in front.
start_fronts() {
    local name x=40
    for name in wordpad_x game_x other_x; do
        cp "$HARNESS/frontwindow.exe" "$DIR/$name.exe"
    done
    for name in "Wordpad X" "Game X" "Other X"; do
        local file=${name// /_}
        "$WINE" "$DIR/${file,,}.exe" "$name" "$x" 420 >/dev/null 2>&1 &
        x=$((x + 320))
        wait_until 30 "the window $name" drv front "$name"
    done
}

# Brings the window titled TITLE to the front; prints the driver's "front <counter ms>".
front() { drv front "$1" || fail "cannot bring $1 to the front"; }

# Joystick 0 with button 1 held since before, or released for two polls and pressed again.
held_button() { write_sticks <<<$'joystick 0 0 65535 0 65535 12 12\npoll 0 32767 32767 1'; }
fresh_press() {
    write_sticks <<<$'joystick 0 0 65535 0 65535 12 12\npoll 0 32767 32767 0
poll 0 32767 32767 0\npoll 0 32767 32767 1'
}

last_event_is() { [ "$(events | tail -1)" = "$1" ]; }

# Waits until the log ends with EVENT and nothing follows for half a second: a re-fired key
# also ends the log with its key-up for a moment between polls.
wait_settled() {
    local event=$1 deadline=$((SECONDS + 10)) lines
    while [ "$SECONDS" -lt "$deadline" ]; do
        lines=$(log_lines)
        if last_event_is "$event"; then
            sleep 0.5
            [ "$(log_lines)" = "$lines" ] && return 0
        else
            sleep 0.05
        fi
    done
    fail "the input did not end with $event"
}

# Waits until control 1029 names the profile in force NAME.
wait_profile() {
    wait_until 5 "the profile $1 in force" bash -c \
        "[ \"\$('$WINE' '$HARNESS/driver.exe' text 1029)\" = '\"$1\"' ]"
}

# Fails when the recorder logs anything during the next SECONDS.
expect_quiet() {
    local seconds=$1 label=$2 mark
    mark=$(($(log_lines) + 1))
    sleep "$seconds"
    [ -z "$(events_from "$mark")" ] || fail "$label: $(events_from "$mark" | head -3 | paste -sd,)"
}

# Waits until COUNT lines equal to EVENT follow line MARK of the log.
wait_events_from() {
    local mark=$1 event=$2 count=$3
    wait_until 10 "$count x $event after line $mark" bash -c \
        "[ \$(tail -n +$mark '$DIR/input.log' | grep -v '^#' | cut -d' ' -f2- | grep -cx '$event') -ge $count ]"
}

scenario_rules_follow_front() {
    held_button
    key_profile_bytes 10 10 >"$DIR/Own.qvp"     # button 1: NumPad 1, re-fired
    key_profile_bytes 11 10 >"$DIR/Writing.qvp" # button 1: NumPad 2, re-fired
    config_bytes 0 0x0001 $(names16 Own) >"$DIR/Quorvel.cfg"
    rules_file >"$DIR/Quorvel.rules"
    cp "$DIR/Quorvel.rules" "$DIR/rules.written"
    start_fronts
    start_recorder
    start_program /hide
    wait_ready >/dev/null
    wait_events "key down 0x61" 3

    # Wordpad X in front: the key held is let go, the button held fires nothing until released.
    front "Wordpad X" >/dev/null
    wait_settled "key up 0x61"
    expect_quiet 1 "the button held across the switch fired"
    local mark
    mark=$(($(log_lines) + 1))
    fresh_press
    wait_events_from "$mark" "key down 0x62" 3
    [ -z "$(events_from "$mark" | grep 0x61)" ] || fail "the own profile's key under the rule"

    # Quorvel's own window in front changes nothing, and shows the profile in force.
    drv command 40005 || fail "cannot post Show"
    drv wait-visible 1 10000 || fail "the main window does not show"
    front main >/dev/null
    expect_text 1029 '"Writing"'
    mark=$(($(log_lines) + 1))
    sleep 0.6
    wait_events_from "$mark" "key down 0x62" 3

    # Game X in front: off; nothing is sent, even for a fresh press.
    front "Game X" >/dev/null
    wait_settled "key up 0x62"
    fresh_press
    expect_quiet 1.5 "input in front of the game"
    expect_text 1029 '"Writing"' # off keeps the profile it has

    # Other X in front: the own profile, once the button held through the mute is released.
    front "Other X" >/dev/null
    wait_profile Own
    expect_quiet 1 "the button held through the mute fired"
    mark=$(($(log_lines) + 1))
    fresh_press
    wait_events_from "$mark" "key down 0x61" 3

    # Exit with a rule in force: the configuration names the own profile.
    front "Wordpad X" >/dev/null
    wait_settled "key up 0x61"
    wait_profile Writing
    exit_program
    [ -z "$(drv boxes)" ] || fail "a message box: $(drv boxes)"
    check_bytes "$DIR/Quorvel.cfg" "configuration after Exit" < <(config_bytes 0 0x0001 \
        $(names16 Own))
    cmp -s "$DIR/Quorvel.rules" "$DIR/rules.written" || fail "Quorvel.rules was changed"
}

scenario_rules_file_created() {
    one_joystick
    default_configuration
    start_program /hide
    wait_ready >/dev/null
    drv command 40021 || fail "cannot post Application Rules..."
    wait_until 10 "Quorvel.rules" test -s "$DIR/Quorvel.rules"
    head -1 "$DIR/Quorvel.rules" | grep -q '^; Quorvel.rules: which profile' ||
        fail "the new rules file starts with: $(head -1 "$DIR/Quorvel.rules")"
    grep -q '^\[' "$DIR/Quorvel.rules" && fail "the new rules file holds a rule"
    wait_until 15 "an editor on Quorvel.rules" bash -c \
        "'$WINE' '$HARNESS/driver.exe' windows | grep -qi 'title=\"[^\"]*Quorvel.rules'"
    local title
    title=$(drv windows | sed -n 's/.*title="\([^"]*Quorvel.rules[^"]*\)".*/\1/Ip' | head -1)
    note "editor window: $title"
    drv close "$title"
    [ -z "$(drv boxes)" ] || fail "a message box: $(drv boxes)"
    exit_program
}

# The recorder's clock at the driver's counter time MS: milliseconds since the recorder started.
recorder_time() {
    awk -v t="$1" '/^# clock / { printf "%.3f", t - $3; exit }' "$DIR/input.log"
}

# Milliseconds from recorder time FROM to the first EVENT after it.
first_after() {
    grep -v '^#' "$DIR/input.log" |
        awk -v from="$1" -v e="$2" '{ t = $1; $1 = ""; sub(/^ /, "") }
            t > from && $0 == e { printf "%.1f", t - from; found = 1; exit }
            END { if (!found) exit 1 }'
}

# A press of button 1 at every other poll, for SECONDS at 5 ms.
toggling_button() {
    local polls=$(($1 * 100)) i
    {
        echo "joystick 0 0 65535 0 65535 12 12"
        for ((i = 0; i < polls; i++)); do echo "poll 0 32767 32767 $((i % 2))"; done
    } | write_sticks
}

# Median of 20 switches: from the driver's SetForegroundWindow to the first key of the profile
# the program in front asks for (alternately Writing's NumPad 2 and the own NumPad 1).
scenario_measure_rules_switch() {
    key_profile_bytes 10 5 >"$DIR/Own.qvp"
    key_profile_bytes 11 5 >"$DIR/Writing.qvp"
    config_bytes 0 0x0001 $(names16 Own) >"$DIR/Quorvel.cfg"
    rules_file >"$DIR/Quorvel.rules"
    toggling_button 5
    start_fronts
    start_recorder
    start_program /hide
    wait_ready >/dev/null
    wait_events "key down 0x61" 3
    local round title key at from ms times=()
    for round in $(seq 20); do
        if [ $((round % 2)) = 1 ]; then title="Wordpad X" key=0x62; else title="Other X" key=0x61; fi
        toggling_button 5
        # A random wait: the switches fall at any moment of the watch timer's period.
        sleep "$(printf '0.%03d' $((RANDOM % 500 + 200)))"
        at=$(front "$title" | sed -n 's/^front //p')
        from=$(recorder_time "$at")
        wait_until 5 "the first $key after the switch" first_after "$from" "key down $key"
        ms=$(first_after "$from" "key down $key")
        times+=("$ms")
        sleep 0.2
    done
    exit_program
    note "switch times (ms): ${times[*]}"
    note "switch time over 20: $(printf '%s\n' "${times[@]}" | sort -g | awk '{ v[NR] = $1 }
        END { printf "median %.1f ms, min %.1f, max %.1f", (v[10] + v[11]) / 2, v[1], v[NR] }')"
}

# CPU over 60 s of one joystick at 10 ms with another program's window in front, with the rules
# file present (and a rule for that program's title, so that titles are watched) or absent.
scenario_measure_cpu_rules_present() {
    start_fronts
    { rules_file; printf '%s\r\n' '[Titled]' 'program = *' 'title = Other X' 'profile = Pad'; } \
        >"$DIR/Quorvel.rules"
    measure_cpu 1 10
}
scenario_measure_cpu_rules_absent() {
    start_fronts
    measure_cpu 1 10
}
