# Scenarios of joysticks arriving and leaving after start, the hidden start that waits for one,
# Pause, and the period between polls.

# The polls the stand-in logged to $DIR/polls.txt ("<ms> <ID>"), once the program has ended.
poll_times() {
    export QV_POLLTIMES
    QV_POLLTIMES=$(winpath "$DIR/polls.txt")
}

# Milliseconds from the stand-in's first joystick call to joystick ID's first poll.
first_poll() { awk -v id="$1" '$2 == id { print $1; exit }' "$DIR/polls.txt"; }

# Intervals between polls of joystick ID after FROM ms, in the log FILE: "count median p1 p99".
poll_stats() {
    awk -v id="$2" -v from="$3" '$2 == id && $1 >= from { if (n++) print $1 - last; last = $1 }' \
        "$1" | sort -g | awk '{ v[NR] = $1 }
        END {
            if (NR < 2) { print 0, 0, 0, 0; exit }
            printf "%d %.2f %.2f %.2f\n", NR, v[int((NR + 1) / 2)], v[int(NR * 0.01) + 1],
                v[int(NR * 0.99)]
        }'
}

# The style word of control ID in a dump of the main control window.
control_style() { drv dump main | sed -n "s/^id=$1 .* style=\(0x[0-9a-f]*\).*/\1/p"; }

expect_disabled() {
    local id style
    for id in "$@"; do
        style=$(control_style "$id")
        [ $((style & 0x08000000)) -ne 0 ] || fail "control $id is enabled (style $style)"
    done
}

scenario_joystick_arrives() {
    write_sticks <<'EOF2'
joystick 0 0 65535 0 65535 12 12
joystick 1 0 65535 0 65535 12 12
appear 1 3000
poll 0 32767 32767 0
poll 1 32767 32767 1
EOF2
    key_profile_bytes 11 >"$DIR/One.qvp" # NumPad 2
    config_bytes 0 0x0003 Default One $(names16 Default | head -14) >"$DIR/Quorvel.cfg"
    poll_times
    start_recorder
    start_program /hide
    wait_ready >/dev/null
    [ "$(drv items 1038 | paste -sd' ' -)" = '"1" 0' ] || fail "selector: $(drv items 1038)"
    wait_events "key down 0x62" 2 10
    [ "$(drv items 1038 | paste -sd' ' -)" = '"1" 0 "2" 1' ] ||
        fail "selector after the arrival: $(drv items 1038)"
    expect_text 1029 '"Default"' # the current joystick stays
    exit_program
    local first
    first=$(first_poll 1)
    note "joystick 2 appeared at 3000 ms and was first polled at $first ms"
    awk -v t="$first" 'BEGIN { exit !(t >= 3000 && t <= 5000) }' ||
        fail "joystick 2 first polled at $first ms, not within 2 s of 3000 ms"
    [ "$(events | grep 0x62 | tail -1)" = "key up 0x62" ] || fail "NumPad 2 left down at Exit"
    check_bytes "$DIR/Quorvel.cfg" "configuration after Exit" < <(config_bytes 0 0x0003 \
        Default One $(names16 Default | head -14))
}

scenario_joystick_leaves() {
    write_sticks <<'EOF2'
joystick 0 0 65535 0 65535 12 12
disappear 0 3000
poll 0 32767 32767 1
EOF2
    key_profile_bytes 10 >"$DIR/Zero.qvp" # NumPad 1, held
    config_bytes 0 0x0001 Zero $(names16 Rest | head -15) >"$DIR/Quorvel.cfg"
    start_recorder
    start_program /hide
    wait_ready >/dev/null
    wait_events "key down 0x61" 3
    wait_until 10 "the selector to empty" bash -c '[ -z "$("$WINE" "$HARNESS/driver.exe" items 1038)" ]'
    [ "$(events | tail -1)" = "key up 0x61" ] || fail "NumPad 1 left down: $(events | tail -1)"
    local mark
    mark=$(($(log_lines) + 1))
    expect_text 1029 '""'
    expect_disabled 1006 1008 1010 1012 1015 1031
    sleep 1
    [ -z "$(events_from "$mark")" ] || fail "input after the joystick left: $(events_from "$mark")"
    exit_program
    # It keeps its profile and its enabled bit for its return.
    check_bytes "$DIR/Quorvel.cfg" "configuration after Exit" < <(config_bytes 0 0x0001 Zero \
        $(names16 Rest | head -15))
}

scenario_hidden_start_waits() {
    write_sticks <<'EOF2'
joystick 0 0 65535 0 65535 12 12
appear 0 4000
poll 0 32767 32767 1
EOF2
    key_profile_bytes 10 >"$DIR/Pad.qvp"
    config_bytes 0 0x0001 $(names16 Pad) >"$DIR/Quorvel.cfg"
    start_recorder
    start_program /hide
    wait_ready >/dev/null
    drv wait-box 1500 >/dev/null 2>&1 && fail "a message box: $(drv boxes)"
    expect_tray shown
    [ -z "$(drv items 1038)" ] || fail "selector while waiting: $(drv items 1038)"
    expect_text 1029 '""'
    wait_events "key down 0x61" 2 10
    [ "$(drv items 1038 | paste -sd' ' -)" = '"1" 0' ] || fail "selector: $(drv items 1038)"
    expect_text 1029 '"Pad"'
    drv command 40005 || fail "cannot post Show"
    drv wait-visible 1 10000 || fail "the window cannot be shown"
    exit_program
}

scenario_pause() {
    write_sticks <<'EOF2'
joystick 0 0 65535 0 65535 12 12
poll 0 32767 32767 1
EOF2
    key_profile_bytes 10 >"$DIR/Pad.qvp" # NumPad 1, held
    config_bytes 0 0x0001 $(names16 Pad) >"$DIR/Quorvel.cfg"
    start_recorder
    start_program /hide
    wait_ready >/dev/null
    wait_events "key down 0x61" 3
    drv command 40020 || fail "cannot post Pause"
    wait_until 5 "the release at Pause" bash -c "[ \"\$(grep -v '^#' '$DIR/input.log' |
        tail -1 | cut -d' ' -f2-)\" = 'key up 0x61' ]"
    local mark
    mark=$(($(log_lines) + 1))
    sleep 1
    [ -z "$(events_from "$mark")" ] || fail "input while paused: $(events_from "$mark")"
    drv command 40020 || fail "cannot post Pause again"
    wait_until 5 "presses after the pause" bash -c \
        "tail -n +$mark '$DIR/input.log' | grep -q 'key down 0x61'"
    exit_program
    [ "$(events | tail -1)" = "key up 0x61" ] || fail "NumPad 1 left down at Exit"
}

# One run of SECONDS with joystick 0 polled every DELAY ms; prints "count median p1 p99".
measure_period() {
    local delay=$1 seconds=$2
    write_sticks <<<$'joystick 0 0 65535 0 65535 12 12\npoll 0 32767 32767 0'
    profile_bytes 12 "delay=$delay" >"$DIR/Pad.qvp"
    config_bytes 0 0x0001 $(names16 Pad) >"$DIR/Quorvel.cfg"
    rm -f "$DIR/polls.txt"
    poll_times
    start_program /hide
    wait_ready >/dev/null
    sleep "$seconds"
    exit_program
    poll_stats "$DIR/polls.txt" 0 1000
}

scenario_poll_period() {
    local fast slow
    fast=$(measure_period 1 3)
    slow=$(measure_period 10 3)
    note "poll intervals (n median p1 p99 ms): at 1 ms $fast; at 10 ms $slow"
    # Generous bounds: the machine is shared; the figures are in the README.
    awk -v f="$fast" -v s="$slow" 'BEGIN { split(f, a, " "); split(s, b, " ");
        exit !(a[2] >= 0.5 && a[2] <= 2 && b[2] >= 9 && b[2] <= 11) }' ||
        fail "poll interval medians: $fast at 1 ms, $slow at 10 ms"
}

# Measurements for the README, not part of the regular run.
scenario_measure_periods() {
    local delay
    for delay in 1 2 5 10 50; do
        note "at $delay ms: n median p1 p99 = $(measure_period "$delay" 10)"
    done
}

# The Linux process of the Wine program NAME in this scenario's prefix.
wine_process() {
    local comm
    for comm in /proc/[0-9]*/comm; do
        [ "$(cat "$comm" 2>/dev/null)" = "$1" ] || continue
        tr '\0' '\n' <"${comm%comm}environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" &&
            { echo "${comm%/comm}"; return 0; }
    done
    return 1
}

# User plus system CPU seconds of a /proc/PID directory.
cpu_seconds() { awk -v hz="$(getconf CLK_TCK)" '{ printf "%.2f", ($14 + $15) / hz }' "$1/stat"; }

# CPU used over 60 s by the program and the wineserver, with COUNT joysticks at DELAY ms (none:
# started hidden, it waits for one).
measure_cpu() {
    local count=$1 delay=$2 id script="" names=() program server p0 s0
    for id in $(seq 0 $((count - 1))); do
        script+="joystick $id 0 65535 0 65535 12 12"$'\n'"poll $id 32767 32767 0"$'\n'
    done
    write_sticks <<<"$script"
    profile_bytes 12 "delay=$delay" >"$DIR/Pad.qvp"
    config_bytes 0 0xFFFF $(names16 Pad) >"$DIR/Quorvel.cfg"
    start_program /hide
    wait_ready >/dev/null
    sleep 2
    program=$(wine_process Quorvel.exe) || fail "no program process"
    server=$(wine_process wineserver64 || wine_process wineserver) || server=
    p0=$(cpu_seconds "$program")
    [ -n "$server" ] && s0=$(cpu_seconds "$server")
    sleep 60
    note "$count joystick(s) at $delay ms, CPU over 60 s: program" \
        "$(awk -v a="$p0" -v b="$(cpu_seconds "$program")" 'BEGIN { printf "%.2f", b - a }') s," \
        "wineserver $([ -n "$server" ] && awk -v a="$s0" -v b="$(cpu_seconds "$server")" \
        'BEGIN { printf "%.2f", b - a }') s"
    exit_program
}

scenario_measure_cpu_one() { measure_cpu 1 10; }
scenario_measure_cpu_sixteen() { measure_cpu 16 1; }
scenario_measure_cpu_waiting() { measure_cpu 0 10; }
