# Scenarios of pads that come and go while the user works: a pad with other buttons under a kept
# profile, a choice in the enabling dialog for a pad that leaves, the button configuration dialog
# open while its pad falls asleep, and the polls after a busy moment of the main thread.

selector_is() { [ "$(drv items 1038 | paste -sd' ' -)" = "$1" ]; }

# Waits until the joystick selector lists exactly WANTED ("TEXT" DATA pairs; empty for none).
wait_selector() { wait_until 10 "the selector to list ${1:-nothing}" selector_is "$1"; }

# Joystick 0 with BUTTONS buttons, at rest; more script lines from the arguments.
pad_with() {
    local buttons=$1 line
    shift
    {
        echo "joystick 0 0 65535 0 65535 $buttons $buttons"
        echo "poll 0 32767 32767 0"
        for line in "$@"; do echo "$line"; done
    } | write_sticks
}

scenario_pad_with_other_buttons() {
    pad_with 16
    profile_bytes 16 "normal:20:0:11" >"$DIR/Pad.qvp" # button 16: NumPad 2
    cp "$DIR/Pad.qvp" "$DIR/Pad.before"
    config_bytes 0 0x0001 $(names16 Pad) >"$DIR/Quorvel.cfg"
    start_program /hide
    wait_ready >/dev/null
    wait_selector '"1" 0'
    # The pad falls asleep; with no joystick present the profile commands, posted anyway, do
    # nothing.
    write_sticks <<<'# no joystick answers'
    wait_selector ''
    drv command 40010 || fail "cannot post Add Profile"
    dlg wait add 1500 >/dev/null 2>&1 && fail "Add Profile opened with no joystick present"
    drv command 40500 || fail "cannot post the first profile item"
    # Another pad, with 10 buttons, answers under the same ID: the profile is loaded afresh.
    pad_with 10
    expect_box main '"Attention!"' '"The joystick whose ID is 1 has a different number of buttons.\n\rThe file Pad(10) has been created to backup the old profile."'
    drv dismiss || fail "cannot dismiss the box"
    wait_text 1029 '"Pad(10)"'
    drv slider 1008 2000 || fail "cannot move the Threshold slider"
    exit_program
    check_bytes "$DIR/Pad.qvp" "the 16-button profile" <"$DIR/Pad.before"
    check_bytes "$DIR/Pad(10).qvp" "the backup for 10 buttons" < <(profile_bytes 10 threshold=2000)
    check_bytes "$DIR/Quorvel.cfg" "configuration after Exit" < <(config_bytes 0 0x0001 \
        'Pad(10)' $(names16 Pad | head -15))
}

# Joysticks 0 and 1 with button 1 held: NumPad 1 and NumPad 2.
two_pads() {
    write_sticks <<'EOF2'
joystick 0 0 65535 0 65535 12 12
joystick 1 0 65535 0 65535 12 12
poll 0 32767 32767 1
poll 1 32767 32767 1
EOF2
}

scenario_enable_choice_of_a_leaving_pad() {
    two_pads
    key_profile_bytes 10 >"$DIR/Zero.qvp"
    key_profile_bytes 11 >"$DIR/One.qvp"
    config_bytes 0 0xFFFF Zero One $(names16 One | head -14) >"$DIR/Quorvel.cfg"
    start_recorder
    start_program /hide
    wait_ready >/dev/null
    wait_events "key down 0x62" 2
    open_enable_dialog
    click_enable_box 1045 "1044"
    # Joystick 2 leaves before OK, and comes back after it: the cleared box holds.
    write_sticks <<'EOF2'
joystick 0 0 65535 0 65535 12 12
poll 0 32767 32767 1
EOF2
    wait_selector '"1" 0'
    close_enable_dialog 1
    two_pads
    wait_selector '"1" 0 "2" 1'
    local mark
    mark=$(($(log_lines) + 1))
    sleep 1.5
    events_from "$mark" | grep -q 0x62 && fail "joystick 2, switched off, typed after its return"
    events_from "$mark" | grep -q "key down 0x61" || fail "joystick 1 stopped"
    exit_program
    check_bytes "$DIR/Quorvel.cfg" "configuration after Exit" < <(config_bytes 0 0xFFFD Zero One \
        $(names16 One | head -14))
}

scenario_button_dialog_pad_sleeps() {
    two_pads
    numpad_profile 10 >"$DIR/Pad.qvp"
    numpad_profile 12 >"$DIR/Other.qvp"
    cp "$DIR/Other.qvp" "$DIR/Other.before"
    config_bytes 0 0xFFFF Pad Other $(names16 Other | head -14) >"$DIR/Quorvel.cfg"
    start_recorder
    start_program
    wait_ready >/dev/null
    wait_events "key down 0x61" 2
    open_dialog button 1015
    dlg choose button 1015 4 || fail "cannot choose Button 1"
    dlg choose button 1017 11 || fail "cannot choose NumPad 2"
    # Joystick 1 falls asleep: joystick 2 becomes current, the dialog keeps its pad and edits.
    write_sticks <<'EOF2'
joystick 1 0 65535 0 65535 12 12
poll 1 32767 32767 1
EOF2
    wait_selector '"2" 1'
    sleep 0.5
    expect_state button 1029 'text="Pad"'
    expect_state button 1017 'text="NumPad 2"'
    close_dialog button 1
    wait_bytes "$DIR/Pad.qvp" "the departed pad's profile after OK" < <(numpad_profile 11)
    check_bytes "$DIR/Other.qvp" "the other pad's profile" <"$DIR/Other.before"
    # Back, the pad types what the dialog gave it.
    local mark
    mark=$(($(log_lines) + 1))
    two_pads
    wait_selector '"1" 0 "2" 1'
    wait_logged_since "$mark" "key down 0x62"
    events_from "$mark" | grep -q "key down 0x61" && fail "the pad typed its old mapping"
    exit_program
}

# The longest gap between polls of joystick 0 after the first second, where it ended, the
# shortest interval there, and the polls in the 50 ms after the gap: "gap end shortest after".
stall_stats() {
    awk '$2 == 0 && $1 >= 1000 { if (n++) { d = $1 - last; if (d > gap) { gap = d; end = $1 }
                                              if (m == 0 || d < shortest) { shortest = d; m = 1 } }
                                  t[n] = $1; last = $1 }
         END { for (i = 1; i <= n; i++) if (t[i] >= end && t[i] < end + 50) after++
               printf "%.1f %.1f %.3f %d\n", gap, end, shortest, after }' "$1"
}

scenario_no_poll_burst() {
    write_sticks <<<$'joystick 0 0 65535 0 65535 12 12\npoll 0 32767 32767 0'
    profile_bytes 12 delay=10 >"$DIR/Pad.qvp"
    config_bytes 0 0x0001 $(names16 Pad) >"$DIR/Quorvel.cfg"
    # A folder with many profiles: listing them for the menu keeps the main thread busy.
    local i
    for i in $(seq 1 600); do : >"$DIR/P$i.qvp"; done
    poll_times
    start_program
    wait_ready >/dev/null
    sleep 1.5
    drv command 1031 || fail "cannot post Profile Manager"
    drv wait-menu 60000 || fail "the profile menu did not open"
    sleep 0.5
    drv escape || fail "cannot dismiss the menu"
    drv wait-no-menu 10000 || fail "the menu stays open"
    sleep 1
    exit_program
    local stats gap shortest after
    stats=$(stall_stats "$DIR/polls.txt")
    read -r gap _ shortest after <<<"$stats"
    note "polls at 10 ms around a stall: longest gap $gap ms, shortest interval $shortest ms," \
        "$after polls in the 50 ms after the gap"
    awk -v g="$gap" 'BEGIN { exit !(g > 300) }' || fail "no stall of the main thread: $stats"
    awk -v s="$shortest" -v a="$after" 'BEGIN { exit !(s >= 4 && a <= 10) }' ||
        fail "a burst of polls after the stall: $stats"
}
