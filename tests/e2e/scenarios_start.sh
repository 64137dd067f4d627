# Scenarios of start-up and end, single instance, hiding, the notification-area icon and the
# autostart entry.

# A new profile for 12 buttons: the default settings and no mapping.
default_profile_bytes() {
    # swap Y, swap X, progressive, acceleration, polling delay, sensitivity, threshold,
    # max chars, buttons; 4 columns x 16 entries; 2 x 16 text slots of 2 bytes; shift button
    bytes le32:0 le32:0 le32:0 le32:10 le32:50 le32:6000 le32:1000 le32:2 le32:12 \
        zero:256 zero:64 le32:0
}

scenario_start_and_exit() {
    one_joystick
    default_configuration
    export QV_JOYCALLS
    QV_JOYCALLS=$(winpath "$DIR/calls.txt")
    start_recorder
    start_program
    note "start-up $(wait_ready | sed 's/ready //')"
    drv wait-visible 1 10000 || fail "the main control window is not shown"
    # The missing profile file is created at start from the defaults.
    check_bytes "$DIR/Default.qvp" "profile made at start" < <(default_profile_bytes)
    expect_text 1007 '"6000"'
    expect_text 1009 '"1000"'
    expect_text 1011 '"10"'
    expect_text 1013 '"50"'
    expect_text 1029 '"Default"'
    [ "$(drv items 1038)" = '"1" 0' ] || fail "joystick selector: $(drv items 1038)"
    expect_tray shown
    # Wine names the program's Linux process after the executable.
    local status
    status=$(grep -lx Quorvel.exe /proc/[0-9]*/comm 2>/dev/null | head -1)
    [ -n "$status" ] && note "resident $(awk '/^VmRSS/ { print $2, $3 }' "${status%comm}status")"
    # Discovery captures and releases every ID in turn; only ID 0 answers.
    local expected_calls="" id
    for id in $(seq 0 15); do
        expected_calls+="capture $id 50 0 -> $([ "$id" = 0 ] && echo 0 || echo 167)"$'\n'
        expected_calls+="release $id"$'\n'
    done
    grep -E '^(capture|release)' "$DIR/calls.txt" | head -32 >"$DIR/calls.discovery"
    diff <(printf '%s' "$expected_calls") "$DIR/calls.discovery" ||
        fail "joystick discovery differs"
    exit_program
    # Exit saves the configuration: the absent joysticks keep their enabled bits.
    check_bytes "$DIR/Quorvel.cfg" "configuration after Exit" < <(config_bytes 0 0xFFFF \
        $(names16 Default))
    check_bytes "$DIR/Default.qvp" "unmodified profile after Exit" < <(default_profile_bytes)
    [ "$(event_count)" -eq 0 ] || fail "input was sent: $(events | head)"
    expect_tray hidden
    [ "$(ls "$DIR" | grep -ci '\.qvp$')" -eq 1 ] || fail "unexpected profile files: $(ls "$DIR")"
}

scenario_no_joystick() {
    write_sticks <<<'# no joystick answers'
    default_configuration
    cp "$DIR/Quorvel.cfg" "$DIR/Quorvel.cfg.before"
    start_program
    expect_box main '"Error"' \
        '"There is no properly configured joystick.\nThe Progrm cannot run..."'
    expect_tray shown # the icon still exists while the first box is open
    # Its callbacks are ignored while the start has not succeeded.
    drv tray 100 515 && drv tray 100 516 || fail "cannot post icon callbacks"
    drv wait-menu 1000 >/dev/null 2>&1 && fail "a right click opened the menu during the start"
    [ "$(drv visible)" = 0 ] || fail "a double click showed the window during the start"
    drv dismiss || fail "cannot dismiss the first box"
    expect_box frame '"Error"' "\"Couldn't create main window\""
    expect_tray hidden # and is gone before the second one
    drv dismiss || fail "cannot dismiss the second box"
    expect_exit 1
    expect_tray hidden
    drv windows | grep -qi 'QVMainFrame\|#32770' && fail "windows left: $(drv windows)"
    cmp -s "$DIR/Quorvel.cfg" "$DIR/Quorvel.cfg.before" || fail "the configuration was rewritten"
    ls "$DIR" | grep -qi '\.qvp$' && fail "a profile file was written"
    true
}

scenario_missing_configuration() {
    one_joystick
    start_program
    expect_box frame '"Error"' "\"Couldn't create main window\""
    expect_tray hidden
    drv dismiss || fail "cannot dismiss the box"
    # Any further message box would keep the program from ending.
    expect_exit 1
    [ -e "$DIR/Quorvel.cfg" ] && fail "a configuration file was created"
    ls "$DIR" | grep -qi '\.qvp$' && fail "a profile file was written"
    true
}

scenario_second_instance() {
    one_joystick
    default_configuration
    start_program
    wait_ready >/dev/null
    drv wait-visible 1 10000 || fail "the first instance shows no window"
    local before
    before=$(drv dump main | control_lines)
    start_program
    expect_box none '"Error"' '"There is another instance of \"Quorvel\"."'
    drv dismiss || fail "cannot dismiss the box"
    expect_exit -1 2
    grep -q '^exit' "$DIR/launch.1.out" && fail "the first instance ended"
    [ "$(drv visible)" = 1 ] || fail "the first instance's window was hidden"
    [ "$(drv dump main | control_lines)" = "$before" ] || fail "the first instance's window changed"
    exit_program 1
}

scenario_hide_argument() {
    one_joystick
    default_configuration
    local argument
    for argument in /hide xHiDex HIDE; do
        start_program "$argument"
        wait_ready >/dev/null
        drv wait-visible 1 1500 >/dev/null 2>&1 && fail "shown although started with $argument"
        expect_tray shown
        exit_program
    done
    # Three of the four letters are not enough.
    start_program /hid
    wait_ready >/dev/null
    drv wait-visible 1 10000 || fail "hidden although started with /hid"
    exit_program
}

scenario_hide_and_tray_double_click() {
    one_joystick
    default_configuration
    start_program
    wait_ready >/dev/null
    drv wait-visible 1 10000 || fail "the main control window is not shown"
    drv slider 1006 5000 || fail "cannot move the Sensitivity slider"
    expect_text 1007 '"5000"'
    # Hide writes the configuration and the modified profile.
    rm -f "$DIR/Quorvel.cfg" "$DIR/Default.qvp"
    drv command 1016 || fail "cannot post Hide"
    drv wait-visible 0 10000 || fail "Hide left the window shown"
    wait_until 10 "the configuration written by Hide" test -e "$DIR/Quorvel.cfg"
    check_bytes "$DIR/Quorvel.cfg" "configuration after Hide" < <(config_bytes 0 0xFFFF \
        $(names16 Default))
    check_bytes "$DIR/Default.qvp" "profile after Hide" < <(bytes le32:0 le32:0 le32:0 le32:10 \
        le32:50 le32:5000 le32:1000 le32:2 le32:12 zero:320 le32:0)
    # Showing writes the configuration only, even with the profile modified again meanwhile.
    drv slider 1006 4000 || fail "cannot move the Sensitivity slider while hidden"
    rm -f "$DIR/Quorvel.cfg" "$DIR/Default.qvp"
    drv tray 99 515 # another icon's double click
    drv wait-visible 1 1000 >/dev/null 2>&1 && fail "a double click on icon 99 showed the window"
    drv tray 100 515 || fail "cannot post the double click"
    drv wait-visible 1 10000 || fail "the double click did not show the window"
    wait_until 10 "the configuration written by Show" test -e "$DIR/Quorvel.cfg"
    check_bytes "$DIR/Quorvel.cfg" "configuration after Show" < <(config_bytes 0 0xFFFF \
        $(names16 Default))
    [ -e "$DIR/Default.qvp" ] && fail "Show wrote the profile"
    drv tray 100 515 || fail "cannot post the second double click"
    drv wait-visible 0 10000 || fail "a second double click did not hide the window"
    drv tray 100 515
    drv wait-visible 1 10000 || fail "a third double click did not show the window"
    exit_program
    check_bytes "$DIR/Default.qvp" "profile after Exit" < <(bytes le32:0 le32:0 le32:0 le32:10 \
        le32:50 le32:4000 le32:1000 le32:2 le32:12 zero:320 le32:0)
}

scenario_tray_menu() {
    one_joystick
    default_configuration
    start_program /hide
    wait_ready >/dev/null
    drv tray 100 516 || fail "cannot post the right click"
    drv wait-menu 10000 || fail "the right click opened no menu"
    screenshot screen tray-menu
    drv escape || fail "cannot post Escape"
    drv wait-no-menu 10000 || fail "Escape did not close the menu"
    drv tray 100 123 # any other callback does nothing
    drv wait-menu 1000 >/dev/null 2>&1 && fail "another callback opened the menu"
    # Menus cannot be read from another process: the screenshots show item 40005's text,
    # "Show Main Window" above, "Hide main window" here.
    drv command 40005 || fail "cannot post the menu's Show"
    drv wait-visible 1 10000 || fail "the menu's Show did not show the window"
    drv tray 100 516
    drv wait-menu 10000 || fail "the right click opened no menu"
    screenshot screen tray-menu-shown
    drv escape
    drv wait-no-menu 10000 || fail "Escape did not close the menu"
    exit_program
}

RUN_KEY='Software\Microsoft\Windows\CurrentVersion\Run'

# The autostart value as reg.exe prints it, or nothing: run_value HKLM|HKCU
run_value() {
    "$WINE" reg query "$1\\$RUN_KEY" /v Quorvel 2>/dev/null | tr -d '\r' |
        sed -n 's/^ *Quorvel *REG_SZ *//p'
}

clear_run_values() {
    local hive
    for hive in HKLM HKCU; do
        "$WINE" reg delete "$hive\\$RUN_KEY" /v Quorvel /f >/dev/null 2>&1
    done
    true
}

has_run_value() { [ -n "$(run_value HKLM)$(run_value HKCU)" ]; }
no_run_value() { ! has_run_value; }

# Clicks "Launch on Startup" until the autostart value is there (1) or gone (0). Under Wine a
# synthesised click on a button now and then never reaches the program; the click is then
# repeated, at most three times.
click_launch_on_startup() {
    local attempt wanted=has_run_value
    [ "$1" = 1 ] || wanted=no_run_value
    for attempt in 1 2 3; do
        drv click main 1024 || fail "cannot click Launch on Startup"
        poll_until 2 "$wanted" && return 0
        note "a click on Launch on Startup was lost (attempt $attempt)"
    done
    fail "Launch on Startup does not switch to $1"
}

scenario_launch_on_startup() {
    one_joystick
    default_configuration
    clear_run_values
    start_program
    wait_ready >/dev/null
    local wanted
    wanted="\"$(winpath "$DIR/Quorvel.exe" | tr '[:upper:]' '[:lower:]')\" /hide"
    click_launch_on_startup 1
    local machine user
    machine=$(run_value HKLM)
    user=$(run_value HKCU)
    [ "$machine$user" = "$wanted" ] ||
        fail "autostart value: HKLM '$machine', HKCU '$user', expected '$wanted'"
    click_launch_on_startup 0
    click_launch_on_startup 1
    exit_program
    check_bytes "$DIR/Quorvel.cfg" "configuration after Exit" < <(config_bytes 1 0xFFFF \
        $(names16 Default))
    [ "$(run_value HKLM)$(run_value HKCU)" = "$wanted" ] ||
        fail "the autostart value is gone after Exit"
    clear_run_values
}

# Starts a copy of the program from a folder whose path makes the program's path LENGTH
# characters long, and switches Launch on Startup on there.
start_with_path_length() {
    local length=$1 base folder
    base=$(winpath "$DIR/")
    # 12 characters for "\Quorvel.exe"
    [ ${#base} -lt $((length - 12)) ] || fail "the scenario folder's path is too long already"
    folder=$DIR/$(head -c $((length - ${#base} - 12)) /dev/zero | tr '\0' p)
    mkdir -p "$folder"
    cp "$DIR/Quorvel.exe" "$DIR/winmm.dll" "$DIR/Quorvel.cfg" "$folder/"
    STARTS=$((STARTS + 1))
    LONG_PATH=$(winpath "$folder/Quorvel.exe")
    "$WINE" "$HARNESS/launch.exe" "$LONG_PATH" >"$DIR/launch.$STARTS.out" 2>&1 &
    wait_ready >/dev/null
    [ ${#LONG_PATH} -eq "$length" ] || fail "path of ${#LONG_PATH} characters, wanted $length"
    drv post-click main 1024 || fail "cannot click Launch on Startup"
}

scenario_launch_on_startup_long_path() {
    one_joystick
    default_configuration
    clear_run_values
    # The quoted path, " /hide" and the terminator fill the 256 bytes with a path of 247.
    start_with_path_length 247
    wait_until 10 "the autostart value" has_run_value
    local value
    value=$(run_value HKLM)$(run_value HKCU)
    [ "$value" = "\"$(tr '[:upper:]' '[:lower:]' <<<"$LONG_PATH")\" /hide" ] ||
        fail "autostart value for a path of 247: '$value'"
    click_launch_on_startup 0
    exit_program
    # One more character: the value does not fit, and is never cut.
    start_with_path_length 248
    expect_box main '"Error"' "\"Couldn't set registry value\""
    drv dismiss || fail "cannot dismiss the box"
    value=$(run_value HKLM)$(run_value HKCU)
    [ -z "$value" ] || fail "a cut autostart value: '$value'"
    exit_program
}
