# Scenarios of pads that swap joystick IDs, between two runs and within one, each keeping its
# profile and enabled bit through the device key Windows keeps for it in the registry.

# Both pads' driver key, as the stand-in reports it in szRegKey.
PADS_REGKEY=DINPUT.DLL
WHEEL_KEY='VID_044F&PID_B65D'
PAD_KEY='VID_045E&PID_028E'

# The device keys of joysticks 1 and 2 (IDs 0 and 1), as Windows writes them.
oem_names() {
    local n=1 key
    for key in "$@"; do
        "$WINE" reg add "HKCU\\System\\CurrentControlSet\\Control\\MediaResources\\Joystick\\$PADS_REGKEY\\CurrentJoystickSettings" \
            /v "Joystick${n}OEMName" /d "$key" /f >/dev/null 2>&1 || fail "cannot write Joystick${n}OEMName"
        n=$((n + 1))
    done
}

# The wheel holds button 1 and the pad button 2, at the IDs given.
pads_at() {
    local wheel=$1 pad=$2
    write_sticks <<EOF2
joystick $wheel 0 65535 0 65535 12 12
regkey $wheel $PADS_REGKEY
poll $wheel 32767 32767 1
joystick $pad 0 65535 0 65535 12 12
regkey $pad $PADS_REGKEY
poll $pad 32767 32767 2
EOF2
}

# Wheel.qvp maps buttons 1 and 2 to NumPad 1 and 2, Pad.qvp to NumPad 3 and 4; the configuration
# names Wheel for ID 0, enabled, and Pad for ID 1, disabled, and remembers no pad.
pads_files() {
    profile_bytes 12 normal:5:0:10 normal:6:0:11 >"$DIR/Wheel.qvp"
    profile_bytes 12 normal:5:0:12 normal:6:0:13 >"$DIR/Pad.qvp"
    config_bytes 0 0x0001 Wheel Pad $(names16 Rest | head -14) >"$DIR/Quorvel.cfg"
}

# The wheel's NumPad 1 went down at least twice from line FIRST of the recorder's log on.
wheel_pressed_since() { [ "$(events_from "$1" | grep -cx 'key down 0x61')" -ge 2 ]; }

# The recorded input from line FIRST on holds NumPad 1 presses and no other NumPad key: the wheel
# polls with its profile and the pad, disabled, sends nothing.
expect_only_wheel() {
    local first=$1 others
    wait_until 20 "NumPad 1 from the wheel" wheel_pressed_since "$first"
    others=$(events_from "$first" | grep -v ' 0x61$')
    [ -z "$others" ] || fail "input besides the wheel's NumPad 1: $others"
}

# Quorvel.cfg after the swap: ID 0 holds the pad's record, ID 1 the wheel's, and both remember
# their pads.
expect_swapped_configuration() {
    check_bytes "$DIR/Quorvel.cfg" "configuration after the swap" < <(
        config_bytes 0 0x0002 Pad Wheel $(names16 Rest | head -14)
        bytes str:QVC1 "str:$PAD_KEY" byte:0 "str:$WHEEL_KEY" byte:0 zero:14)
}

# The wheel at ID 0 and the pad at ID 1, each remembered under its key; only the wheel polls.
start_with_wheel_first() {
    pads_files
    pads_at 0 1
    oem_names "$WHEEL_KEY" "$PAD_KEY"
    start_recorder
    start_program /hide
    wait_ready >/dev/null
    expect_only_wheel 1
}

scenario_pads_swap_between_runs() {
    start_with_wheel_first
    exit_program
    # Plugged in the other order: Windows now numbers the pad first.
    pads_at 1 0
    oem_names "$PAD_KEY" "$WHEEL_KEY"
    local mark
    mark=$(($(log_lines) + 1))
    start_program /hide
    wait_ready >/dev/null
    expect_only_wheel "$mark"
    exit_program
    expect_swapped_configuration
}

scenario_pads_swap_within_a_run() {
    start_with_wheel_first
    write_sticks </dev/null
    wait_until 10 "both pads to leave" bash -c '[ -z "$("$WINE" "$HARNESS/driver.exe" items 1038)" ]'
    oem_names "$PAD_KEY" "$WHEEL_KEY"
    local mark
    mark=$(($(log_lines) + 1))
    pads_at 1 0
    wait_until 10 "both pads to arrive" bash -c \
        "[ \"\$(\"\$WINE\" \"\$HARNESS/driver.exe\" items 1038 | paste -sd' ' -)\" = '\"1\" 0 \"2\" 1' ]"
    expect_only_wheel "$mark"
    exit_program
    expect_swapped_configuration
}
