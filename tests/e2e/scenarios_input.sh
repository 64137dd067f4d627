# Scenarios of joystick input reaching the focused application through the real program.

# Profile "Pad": the stick moves the pointer with the strongest acceleration; button 1 left
# click, button 2 Enter, button 3 SHIFT with the text "hi", button 5 ALT+Home, button 4 the
# shift button, under which button 2 is CTRL with the text "c". Polls every 20 ms.
pad_profile_bytes() {
    profile_bytes 12 acceleration=50 delay=20 shift=4 \
        normal:1:1:0 normal:2:1:0 normal:3:1:0 normal:4:1:0 \
        normal:5:0:1 normal:6:0:23 normal:7:3:0:hi normal:9:1:28 shifted:6:2:0:c
}

scenario_joystick_trace() {
    write_sticks <<'EOF'
joystick 0 0 65535 0 65535 12 12
poll 0 32767 32767 0
# right for four polls: 5 pixels, then the acceleration carry grows by one per poll
poll 0 65535 32767 0
poll 0 65535 32767 0
poll 0 65535 32767 0
poll 0 65535 32767 0
# up for two polls: the carry of the other axis starts again, from the motion streak
poll 0 32767 0 0
poll 0 32767 0 0
poll 0 32767 32767 0
# button 1 held for two polls: a drag
poll 0 32767 32767 0x1
poll 0 32767 32767 0x1
poll 0 32767 32767 0
# button 2 held for two polls: Enter re-fired
poll 0 32767 32767 0x2
poll 0 32767 32767 0x2
poll 0 32767 32767 0
# button 3: SHIFT and "hi", re-fired once
poll 0 32767 32767 0x4
poll 0 32767 32767 0
# button 5: ALT and Home
poll 0 32767 32767 0x10
poll 0 32767 32767 0
# shift button 4 held, button 2 pressed under it, then both released
poll 0 32767 32767 0x8
poll 0 32767 32767 0xA
poll 0 32767 32767 0x8
poll 0 32767 32767 0
# button 1 held from now on: the left button stays down until Exit
poll 0 32767 32767 0x1
EOF
    pad_profile_bytes >"$DIR/Pad.qvp"
    cp "$DIR/Pad.qvp" "$DIR/Pad.qvp.before"
    config_bytes 0 1 $(names16 Pad) >"$DIR/Quorvel.cfg"
    start_recorder
    start_program /hide
    wait_ready >/dev/null
    wait_until 30 "the trace to be played" test -e "$DIR/sticks.txt.0.done"
    # Each poll's input is recorded before the next poll starts.
    check_events "joystick trace" <<'EOF'
move 5 0
move 5 0
move 6 0
move 7 0
move 0 -5
move 0 -9
left down
left up
key up 0x0d
key down 0x0d
key up 0x0d
key down 0x0d
key up 0x0d
key up 0x48
key up 0x49
key up 0x10
key down 0x10
key down 0x48
key down 0x49
key up 0x48
key up 0x49
key up 0x10
key up 0x24
key up 0x12
key down 0x12
key down 0x24
key up 0x24
key up 0x12
key up 0x43
key up 0x11
key down 0x11
key down 0x43
key up 0x43
key up 0x11
left down
EOF
    cp "$DIR/events.expected" "$DIR/events.trace"
    drv command 40003 || fail "cannot post the menu's Exit"
    expect_exit 0
    # Exit lets go of the held button, and sends nothing else; the profile was not modified.
    echo "left up" >>"$DIR/events.trace"
    check_events "input after Exit" <"$DIR/events.trace"
    cmp -s "$DIR/Pad.qvp" "$DIR/Pad.qvp.before" || fail "the unmodified profile was rewritten"
}

scenario_absent_joystick_keeps_bit() {
    write_sticks <<'EOF'
joystick 0 0 65535 0 65535 12 12
joystick 1 0 65535 0 65535 12 12
poll 0 32767 32767 1
poll 1 32767 32767 1
EOF
    key_profile_bytes 10 >"$DIR/Zero.qvp" # NumPad 1
    key_profile_bytes 11 >"$DIR/One.qvp"  # NumPad 2
    config_bytes 0 0x0007 Zero One Two $(names16 Rest | head -13) >"$DIR/Quorvel.cfg"
    start_recorder
    start_program /hide
    wait_ready >/dev/null
    # Both present joysticks stay enabled and are polled.
    wait_events "key down 0x61" 3
    wait_events "key down 0x62" 3
    [ "$(drv items 1038 | paste -sd' ' -)" = '"1" 0 "2" 1' ] ||
        fail "joystick selector: $(drv items 1038)"
    exit_program
    # The absent joystick keeps its enabled bit and the name the file gave it, for its arrival.
    check_bytes "$DIR/Quorvel.cfg" "configuration after Exit" < <(config_bytes 0 0x0007 Zero One \
        Two $(names16 Rest | head -13))
    [ -e "$DIR/Two.qvp" ] && fail "the absent joystick's profile was created"
    # Exit released the keys held between polls.
    [ "$(events | grep 0x61 | tail -1)" = "key up 0x61" ] || fail "NumPad 1 left down at Exit"
    [ "$(events | grep 0x62 | tail -1)" = "key up 0x62" ] || fail "NumPad 2 left down at Exit"
    true
}

scenario_polling_delay_live() {
    write_sticks <<'EOF'
joystick 0 0 65535 0 65535 12 12
poll 0 32767 32767 1
EOF
    key_profile_bytes 23 50 >"$DIR/Pad.qvp" # Enter, every 50 ms
    config_bytes 0 1 $(names16 Pad) >"$DIR/Quorvel.cfg"
    start_recorder
    start_program /hide
    wait_ready >/dev/null
    wait_events "key down 0x0d" 21
    local slow fast mark
    slow=$(intervals "key down 0x0d")
    mark=$(log_lines)
    drv slider 1012 10 || fail "cannot move the Polling Delay slider"
    expect_text 1013 '"10"'
    wait_until 20 "re-fired Enter at the new delay" bash -c \
        "[ \$(tail -n +$mark '$DIR/input.log' | grep -c 'key down 0x0d') -ge 62 ]"
    # The first intervals after the change may straddle it.
    fast=$(intervals "key down 0x0d" $((mark + 4)))
    note "ticks at 50 ms: n median mean min max = $slow; at 10 ms: $fast"
    awk -v s="$slow" -v f="$fast" 'BEGIN { split(s, a, " "); split(f, b, " ");
        exit !(a[2] >= 40 && a[2] <= 65 && b[2] >= 5 && b[2] <= 20) }' ||
        fail "tick medians: $slow at 50 ms, $fast at 10 ms"
    exit_program
    [ "$(events | tail -1)" = "key up 0x0d" ] || fail "Enter left down at Exit"
    # The Polling Delay change marks the profile modified: Exit saves it.
    check_bytes "$DIR/Pad.qvp" "profile after Exit" < <(key_profile_bytes 23 10)
}

# A pad with a continuous hat and a second stick on U (horizontal) and R (vertical): D-pad Up is
# Enter, Stick 2 Right moves the pointer and Stick 2 Up scrolls, button 1 is Wheel Down and
# button 2 Wheel Right. Held, not re-fired; no acceleration, so full deflection is 5 pixels
# (120 wheel units) a poll.
scenario_whole_controller() {
    write_sticks <<'EOF2'
joystick 0 0 65535 0 65535 4 4
axes 0 0 0 0 65535 0 65535 0 0 2
poll 0 32767 32767 0 0 32767 32767 0 65535
# D-pad Up, then at rest
poll 0 32767 32767 0 0 32767 32767 0 0
poll 0 32767 32767 0 0 32767 32767 0 65535
# Stick 2 right (U) for two polls
poll 0 32767 32767 0 0 32767 65535 0 65535
poll 0 32767 32767 0 0 32767 65535 0 65535
poll 0 32767 32767 0 0 32767 32767 0 65535
# Stick 2 up (R low): one notch away from the user
poll 0 32767 32767 0 0 0 32767 0 65535
poll 0 32767 32767 0 0 32767 32767 0 65535
# buttons 1 and 2, one after the other
poll 0 32767 32767 1 0 32767 32767 0 65535
poll 0 32767 32767 0 0 32767 32767 0 65535
poll 0 32767 32767 2 0 32767 32767 0 65535
poll 0 32767 32767 0 0 32767 32767 0 65535
EOF2
    profile_bytes 4 acceleration=0 delay=20 progressive=1 normal:5:0:47 normal:6:0:49 \
        normal:37:0:23 normal:41:9:0 normal:42:1:0 >"$DIR/Pad.qvp"
    config_bytes 0 1 $(names16 Pad) >"$DIR/Quorvel.cfg"
    start_recorder
    start_program /hide
    wait_ready >/dev/null
    wait_until 30 "the trace to be played" test -e "$DIR/sticks.txt.0.done"
    check_events "D-pad, second stick and wheel keys" <<'EOF2'
key down 0x0d
key up 0x0d
move 5 0
move 5 0
wheel 120
wheel -120
hwheel 120
EOF2
    # The dialog offers the D-pad and the second stick, but no Z axis; on Z and V, which this
    # pad lacks, the second stick's events go. OK saves that choice in the extension.
    open_dialog button 1015
    local list
    list=$(dlg items button 1015 | sed -n '9p;12p;13p;16p' | paste -sd, -)
    [ "$list" = '"D-pad Up","D-pad Left","Stick 2 Up","Stick 2 Left"' ] || fail "events: $list"
    expect_state button 1015 "count=16"
    dlg choose button 1071 4 || fail "cannot choose Z and V"
    wait_state button 1015 "count=12"
    close_dialog button 1
    wait_bytes "$DIR/Pad.qvp" "the profile after OK" < <(profile_bytes 4 acceleration=0 \
        delay=20 progressive=1 stick2=4 normal:5:0:47 normal:6:0:49 normal:37:0:23 \
        normal:41:9:0 normal:42:1:0)
    exit_program
}
