# Scenarios of the profile manager (the Profile Manager commands, the Add Profile and Delete
# Profile dialogs) and of the button configuration dialog, through the real program.
# Uses dialogs.exe (Dialogs.cpp) for the dialogs, whose controls the driver does not know.

dlg() { "$WINE" "$HARNESS/dialogs.exe" "$@"; }

# Profiles of a joystick with 12 buttons whose button 1 types one NumPad key (a KeyChoice:
# 10 is NumPad 1, 11 NumPad 2, 12 NumPad 3), re-fired while held; more arguments as for
# profile_bytes.
numpad_profile() {
    local key=$1
    shift
    profile_bytes 12 "$@" "normal:5:0:$key"
}

# Joystick 0 with 12 buttons, button 1 held from the first poll on.
button_one_held() {
    write_sticks <<'EOF'
joystick 0 0 65535 0 65535 12 12
poll 0 32767 32767 1
EOF
}

# Joystick 0 with 12 buttons lets go of button 1 for one poll, then holds it again: a button held
# when the button configuration dialog closes fires nothing until it has been released.
button_one_again() {
    write_sticks <<'EOF'
joystick 0 0 65535 0 65535 12 12
poll 0 32767 32767 0
poll 0 32767 32767 1
EOF
}

# The sorted entries of the main control window's hidden profile list 1026.
expect_profile_list() {
    local list
    list=$(dlg items main 1026 | paste -sd' ' -) || fail "cannot read the profile list"
    [ "$list" = "$1" ] || fail "profile list 1026: $list, expected $1"
}

# The line of control ID in a `dlg state` of KIND.
control_state() {
    dlg state "$1" | grep "^$2 " || fail "no control $2 in the $1 dialog"
}

expect_state() {
    local line
    line=$(control_state "$1" "$2")
    [[ " $line " == *" $3 "* ]] || fail "$1 dialog, control $2: $line, expected $3"
}

state_has() { [[ " $(dlg state "$1" | grep "^$2 ") " == *" $3 "* ]]; }

# Waits until control ID of KIND shows WANTED (a field of its state line).
wait_state() { wait_until 10 "control $2 of the $1 dialog to show $3" state_has "$1" "$2" "$3"; }

text_is() { [ "$(drv text "$1")" = "$2" ]; }

# Waits until control ID of the main control window shows the quoted text WANTED.
wait_text() { wait_until 10 "control $1 to show $2" text_is "$1" "$2"; }

# Whether the recorded input from line FIRST on holds EVENT.
logged_since() { tail -n "+$1" "$DIR/input.log" | grep -v '^#' | cut -d' ' -f2- | grep -qx "$2"; }

wait_logged_since() { wait_until 10 "$2 after line $1" logged_since "$1" "$2"; }

# Whether the recorded input from line FIRST on holds EVENT at least COUNT times.
logged_times_since() { [ "$(events_from "$1" | grep -cx "$2")" -ge "$3" ]; }

# From line FIRST of the log on, up to the first "key down NEW": the last event of key OLD is its
# release; after it OLD is not pressed again.
expect_switch() {
    local first=$1 old=$2 new=$3 trail
    trail=$(events_from "$first" | awk -v n="key down $new" '$0 == n { exit } { print }' |
        grep " $old\$" | tail -1)
    [ "$trail" = "key up $old" ] || fail "$old was not released before $new: ${trail:-nothing}"
    events_from "$first" | awk -v n="key down $new" -v o="key down $old" \
        '$0 == n { on = 1 } on && $0 == o { bad = 1 } END { exit bad }' ||
        fail "$old was pressed again after $new"
}

# Writes the bytes on stdin as FILE.expected and waits until FILE has them, then compares.
wait_bytes() {
    local file=$1 label=$2
    cat >"$file.wanted"
    wait_until 10 "$label" cmp -s "$file" "$file.wanted"
    check_bytes "$file" "$label" <"$file.wanted"
}

# Waits for a message box and checks it: owner (main, button, add, delete or none), title, text
# and the buttons it offers (1 OK; 6,7 Yes and No).
expect_dialog_box() {
    local owner=$1 title=$2 text=$3 buttons=${4:-1} box
    box=$(dlg box 20000) || fail "no message box appeared (expected $text)"
    local wanted="owner=$owner title=\"$title\" text=\"$text\" icon=1 buttons=$buttons"
    [ "$box" = "$wanted" ] || fail "message box: $box, expected $wanted"
}

open_dialog() {
    local kind=$1 command=$2
    drv command "$command" || fail "cannot post command $command"
    dlg wait "$kind" 10000 || fail "command $command did not open the $kind dialog"
}

close_dialog() {
    local kind=$1 button=$2
    dlg post-click "$kind" "$button" || fail "cannot press $button in the $kind dialog"
    dlg gone "$kind" 10000 || fail "the $kind dialog stays open after $button"
}

# Saves the dialog of KIND as SHOTS/NAME.png (and the screen as NAME-screen.png) once painting
# has finished.
dialog_screenshot() {
    local kind=$1 name=$2 geometry
    geometry=$(dlg rect "$kind") || fail "no $kind dialog to photograph"
    screenshot screen "$name"
    convert "$SHOTS/$name-screen.png" -crop "$geometry" +repage "$SHOTS/$name.png" ||
        fail "cropping $name failed"
}

# The controls of a dialog dump as "id class text x,y,w,h", sorted: no styles, no list parts.
dialog_control_lines() {
    grep '^id=' | sed -E 's/ style=0x[0-9a-f]+ exstyle=0x[0-9a-f]+//; s/ list=[0-9,]+//' | sort
}

# Style bits of control ID in a dialog dump, masked, against the wanted bits.
expect_control_style() {
    local dump=$1 id=$2 mask=$3 wanted=$4 what=$5 style
    style=$(grep "^id=$id " <<<"$dump" | head -1 | sed -E 's/.* style=(0x[0-9a-f]+).*/\1/')
    [ -n "$style" ] || fail "no control $id in the dump"
    [ $((style & mask)) -eq $((wanted)) ] ||
        fail "control $id: style $style & $mask is not $wanted ($what)"
}

# Edits get their border as a sunken client edge in a dialog.
expect_client_edge() {
    grep -Eq "^id=$2 .* exstyle=0x[0-9a-f]*[2367abef][0-9a-f]{2} " <<<"$1" ||
        fail "control $2 has no border"
}

# The window: size in dialog units, captionless, with the profile dialogs' style bits.
expect_profile_dialog() {
    local dump=$1 size=$2 bits=$3 line style
    line=$(head -1 <<<"$dump")
    [[ $line == *" client=0,0,$size "* ]] || fail "dialog size: $line, expected $size"
    style=$(sed -E 's/.*dialog style=(0x[0-9a-f]+).*/\1/' <<<"$line")
    [ $((style & bits)) -eq $((bits)) ] || fail "dialog style $style lacks $bits"
    [ $((style & 0x00C00000)) -eq 0 ] || fail "dialog style $style has a caption"
}

# ---- the profile dialogs ---------------------------------------------------------------------

add_dialog_controls() {
    cat <<'EOF'
id=1030 class=Edit text="" rect=20,15,140,12
id=1 class=Button text="Add" rect=20,35,50,14
id=2 class=Button text="Cancel" rect=110,35,50,14
EOF
}

delete_dialog_controls() {
    cat <<'EOF'
id=1063 class=ComboBox text="Alpha" rect=20,15,140,13
id=2 class=Button text="Cancel" rect=110,35,50,14
id=1 class=Button text="Delete" rect=20,35,50,14
EOF
}

# Both profile dialogs against their templates; Cancel changes nothing.
scenario_profile_dialogs_layout() {
    one_joystick
    numpad_profile 10 >"$DIR/Alpha.qvp"
    numpad_profile 11 >"$DIR/Pad.qvp"
    config_bytes 0 0xFFFF $(names16 Alpha) >"$DIR/Quorvel.cfg"
    cp "$DIR/Alpha.qvp" "$DIR/Alpha.before"
    start_program
    wait_ready >/dev/null
    expect_profile_list "\"Alpha.qvp\" \"Pad.qvp\""

    open_dialog add 40010
    local dump id
    dump=$(dlg dump add) || fail "cannot read the Add Profile dialog"
    echo "$dump"
    # WS_POPUP, WS_VISIBLE; DS_ABSALIGN, DS_SYSMODAL, DS_3DLOOK, DS_SETFONT, DS_MODALFRAME,
    # DS_SETFOREGROUND, DS_CENTER
    expect_profile_dialog "$dump" 186,57 0x90000AC7
    diff -u <(add_dialog_controls | sort) <(dialog_control_lines <<<"$dump") ||
        fail "the Add Profile dialog's controls differ from the template"
    # Visible tab stops; the edit scrolls horizontally and has a border (a client edge).
    expect_control_style "$dump" 1030 0x10010080 0x10010080 "edit, auto h-scroll"
    expect_client_edge "$dump" 1030
    for id in 1 2; do expect_control_style "$dump" $id 0x1001000F 0x10010000 "push button"; done
    dlg type add 1030 "Pad.QVP" || fail "cannot type a name"
    dialog_screenshot add add-profile-dialog
    close_dialog add 2
    expect_text 1029 '"Alpha"'

    open_dialog delete 40011
    dump=$(dlg dump delete) || fail "cannot read the Delete Profile dialog"
    echo "$dump"
    expect_profile_dialog "$dump" 186,57 0x90000AC7
    diff -u <(delete_dialog_controls | sort) <(dialog_control_lines <<<"$dump") ||
        fail "the Delete Profile dialog's controls differ from the template"
    # Drop-down list, sorted, auto h-scroll, vertical scroll bar is lost under Wine; tab stop.
    expect_control_style "$dump" 1063 0x10010143 0x10010143 "sorted drop-down list"
    expect_combo_height "$dump" 1063 40
    for id in 1 2; do expect_control_style "$dump" $id 0x1001000F 0x10010000 "push button"; done
    local items
    items=$(dlg items delete 1063 | paste -sd' ' -)
    [ "$items" = '"Alpha" "Pad"' ] || fail "Delete Profile offers $items"
    expect_state delete 1063 "sel=0"
    dialog_screenshot delete delete-profile-dialog
    close_dialog delete 2

    cmp -s "$DIR/Alpha.qvp" "$DIR/Alpha.before" || fail "Cancel changed Alpha.qvp"
    [ -f "$DIR/Pad.qvp" ] || fail "Cancel deleted Pad.qvp"
    expect_profile_list "\"Alpha.qvp\" \"Pad.qvp\""
    exit_program
}

# Profile items select the file of their entry; the previous profile is saved first when
# modified; the held key of the old mapping is released; the menu's choice arrives sent.
scenario_profile_select() {
    button_one_held
    numpad_profile 10 delay=20 >"$DIR/Alpha.qvp"
    numpad_profile 11 delay=30 sensitivity=4000 >"$DIR/Pad.qvp"
    # Named in another letter case than its file: the shell's name wins.
    config_bytes 0 0xFFFF $(names16 alpha) >"$DIR/Quorvel.cfg"
    start_recorder
    start_program
    wait_ready >/dev/null
    expect_text 1029 '"Alpha"'
    wait_events "key down 0x61" 2

    # A slider change makes Alpha modified: selecting Pad writes it first.
    drv slider 1006 5000 || fail "cannot move the Sensitivity slider"
    local mark
    mark=$(log_lines)
    drv command 40501 || fail "cannot post the item of Pad"
    wait_text 1029 '"Pad"'
    expect_text 1013 '"30"'
    expect_text 1007 '"4000"'
    check_bytes "$DIR/Alpha.qvp" "Alpha saved before the change" < <(numpad_profile 10 delay=20 \
        sensitivity=5000)
    wait_logged_since "$mark" "key down 0x62"
    expect_switch "$mark" 0x61 0x62

    # An item without an entry changes nothing.
    drv command 40502 || fail "cannot post 40502"
    drv command 1017 && drv wait-dialog about 10000 && drv click about 1 &&
        drv wait-gone about 10000 || fail "the program did not go on after 40502"
    expect_text 1029 '"Pad"'

    # The "Profile Manager" button: Down and Enter choose the first item, Alpha.
    # A keystroke the menu's loop misses (it shows before it reads the keyboard) leaves the
    # profile as it was; the menu is then opened again, at most three times.
    local attempt
    for attempt in 1 2 3; do
        drv command 1031 || fail "cannot post Profile Manager"
        drv wait-menu 10000 || fail "the Profile Manager menu did not open"
        sleep 0.3
        dlg keys 0x28 0x0D || fail "cannot choose in the menu"
        drv wait-no-menu 10000 || fail "the menu stays open"
        poll_until 3 text_is 1029 '"Alpha"' && break
        note "the menu missed a keystroke (attempt $attempt)"
    done
    wait_text 1029 '"Alpha"'
    expect_text 1013 '"20"'
    expect_text 1007 '"5000"'
    # Dismissed: nothing changes.
    drv command 1031 || fail "cannot post Profile Manager"
    drv wait-menu 10000 || fail "the Profile Manager menu did not open"
    drv escape || fail "cannot dismiss the menu"
    drv wait-no-menu 10000 || fail "the menu stays open"
    expect_text 1029 '"Alpha"'
    exit_program
    # The absent joysticks keep their bits; joystick 1 keeps the name it is shown under.
    check_bytes "$DIR/Quorvel.cfg" "configuration after Exit" < <(config_bytes 0 0xFFFF \
        Alpha $(names16 alpha | head -15))
}

# Add Profile: an existing name in any letter case or with ".QVP" selects that profile; a new
# name gets a file with default settings and the current mappings; unusable names are refused
# over the dialog, which stays open; an empty name is ignored.
scenario_profile_add() {
    button_one_held
    numpad_profile 10 delay=20 >"$DIR/Alpha.qvp"
    numpad_profile 11 delay=30 >"$DIR/Pad.qvp"
    config_bytes 0 0xFFFF $(names16 Alpha) >"$DIR/Quorvel.cfg"
    cp "$DIR/Pad.qvp" "$DIR/Pad.before"
    start_recorder
    start_program
    wait_ready >/dev/null
    wait_events "key down 0x61" 2

    open_dialog add 40010
    dlg click add 1 || fail "cannot press Add"
    dlg no-box 300 || fail "an empty name was answered with a message"
    dlg wait add 100 || fail "an empty name closed the dialog"
    local name
    for name in 'a:b' 'tab	name'; do
        dlg settext add 1030 "$name" || fail "cannot enter $name"
        dlg post-click add 1 || fail "cannot press Add"
        expect_dialog_box add "Attention!" 'A profile name cannot contain any of these characters:\n\\ / : * ? \" < > |\nnor tabs or other control characters.'
        dlg answer 1 || fail "cannot dismiss the refusal"
        dlg wait add 100 || fail "a refused name closed the dialog"
    done
    dlg type add 1030 ".qvp" || fail "cannot type .qvp"
    dlg post-click add 1 || fail "cannot press Add"
    expect_dialog_box add "Attention!" 'Please type a name for the profile.\nThe name \".qvp\" alone is not enough.'
    dlg answer 1 || fail "cannot dismiss the refusal"
    dlg type add 1030 "Con.qvp" || fail "cannot type Con.qvp"
    dlg post-click add 1 || fail "cannot press Add"
    expect_dialog_box add "Attention!" 'Windows keeps the name \"Con\" for a device, so no file can have it.\nPlease choose another profile name.'
    dlg answer 1 || fail "cannot dismiss the refusal"
    ls "$DIR" | grep -iq '^con\|tab' && fail "a refused name made a file"
    dlg type add 1030 "Pad.QVP" || fail "cannot type Pad.QVP"
    local mark
    mark=$(log_lines)
    close_dialog add 1
    expect_text 1029 '"Pad"'
    expect_text 1013 '"30"'
    wait_logged_since "$mark" "key down 0x62"
    expect_switch "$mark" 0x61 0x62
    cmp -s "$DIR/Pad.qvp" "$DIR/Pad.before" || fail "adding Pad.QVP rewrote Pad.qvp"
    expect_profile_list "\"Alpha.qvp\" \"Pad.qvp\""

    # Lower case names the existing profile too.
    open_dialog add 40010
    dlg type add 1030 "alpha" || fail "cannot type alpha"
    close_dialog add 1
    expect_text 1029 '"Alpha"'
    expect_profile_list "\"Alpha.qvp\" \"Pad.qvp\""

    # A new name after an unsaved slider change: the old file keeps its settings, the new one
    # has the default settings and Alpha's mappings.
    cp "$DIR/Alpha.qvp" "$DIR/Alpha.before"
    drv slider 1012 70 || fail "cannot move the Polling Delay slider"
    open_dialog add 40010
    dlg type add 1030 "Fresh" || fail "cannot type Fresh"
    close_dialog add 1
    expect_text 1029 '"Fresh"'
    # The sliders show the new profile's settings.
    expect_text 1013 '"50"'
    check_bytes "$DIR/Fresh.qvp" "the new profile" < <(numpad_profile 10)
    cmp -s "$DIR/Alpha.qvp" "$DIR/Alpha.before" || fail "adding Fresh wrote Alpha's changes"
    expect_profile_list "\"Alpha.qvp\" \"Fresh.qvp\" \"Pad.qvp\""

    # Cancel adds nothing.
    open_dialog add 40010
    dlg type add 1030 "Other" || fail "cannot type Other"
    close_dialog add 2
    [ -e "$DIR/Other.qvp" ] && fail "Cancel created Other.qvp"
    expect_text 1029 '"Fresh"'
    exit_program
}

# Delete Profile: any profile, also the one in use, which keeps its name and comes back at its
# next save.
scenario_profile_delete() {
    button_one_held
    numpad_profile 10 delay=20 >"$DIR/Alpha.qvp"
    numpad_profile 11 >"$DIR/Pad.qvp"
    numpad_profile 12 >"$DIR/Zed.qvp"
    config_bytes 0 0xFFFF $(names16 Alpha) >"$DIR/Quorvel.cfg"
    start_recorder
    start_program
    wait_ready >/dev/null
    wait_events "key down 0x61" 2

    open_dialog delete 40011
    dlg choose delete 1063 1 || fail "cannot choose Pad"
    expect_state delete 1063 'text="Pad"'
    close_dialog delete 1
    [ -e "$DIR/Pad.qvp" ] && fail "Pad.qvp was not deleted"
    expect_profile_list "\"Alpha.qvp\" \"Zed.qvp\""

    # The profile in use: its file goes, the joystick keeps it.
    open_dialog delete 40011
    local items
    items=$(dlg items delete 1063 | paste -sd' ' -)
    [ "$items" = '"Alpha" "Zed"' ] || fail "Delete Profile offers $items"
    close_dialog delete 1
    [ -e "$DIR/Alpha.qvp" ] && fail "Alpha.qvp was not deleted"
    expect_profile_list '"Zed.qvp"'
    expect_text 1029 '"Alpha"'
    local mark
    mark=$(log_lines)
    wait_logged_since "$mark" "key down 0x61"

    # OK in the button configuration dialog saves it again.
    open_dialog button 1015
    close_dialog button 1
    wait_bytes "$DIR/Alpha.qvp" "Alpha after its next save" < <(numpad_profile 10 delay=20)
    exit_program
}

# ---- the button configuration dialog ---------------------------------------------------------

button_dialog_controls() {
    cat <<'EOF'
id=1 class=Button text="OK" rect=250,5,50,14
id=2 class=Button text="Cancel" rect=250,25,50,14
id=1025 class=Button text="Profile Manager..." rect=245,45,60,15
id=1033 class=Button text="Swap Y axis" rect=250,70,55,15
id=1034 class=Button text="Swap X axis" rect=250,85,55,15
id=1020 class=ComboBox text=" " rect=160,5,80,13
id=1062 class=Button text="Progressive action" rect=165,25,70,15
id=1015 class=ComboBox text="Move Up" rect=55,39,80,13
id=1016 class=ComboBox text="Move Mouse" rect=55,57,80,13
id=1018 class=ComboBox text="CTRL" rect=160,56,80,13
id=1017 class=ComboBox text=" " rect=55,79,80,13
id=1019 class=ComboBox text="Enter" rect=160,79,80,13
id=1060 class=Edit text="2" rect=49,102,16,10
id=1022 class=Edit text="" rect=90,102,80,10
id=1023 class=Edit text="x" rect=195,102,80,10
id=-1 class=Static text="Joystick Event:" rect=5,38,50,15
id=-1 class=Static text="Windows Event:" rect=2,56,53,15
id=1040 class=Static text="+" rect=85,70,15,8
id=1041 class=Static text="+" rect=85,92,15,10
id=1042 class=Static text="+" rect=190,70,15,8
id=1043 class=Static text="+" rect=190,92,15,10
id=-1 class=Static text="Or :" rect=140,56,15,14
id=-1 class=Static text="Shift Button" rect=120,8,40,8
id=-1 class=Static text="Current Profile:" rect=5,8,65,8
id=1029 class=Static text="Pad" rect=5,20,130,15
id=-1 class=Static text="Max chars in combination:" rect=0,97,45,15
id=1070 class=Static text="Stick 2 axes:" rect=5,119,48,8
id=1071 class=ComboBox text="Automatic" rect=55,117,80,13
id=1072 class=Static text="Press a button or move a stick to pick it." rect=5,135,240,8
EOF
}

# "Move Up" moves the pointer in the normal column and is CTRL+Enter+"x" in the shifted one;
# button 1 holds a stored ModifierChoice of 8, which a button's list does not have.
layout_profile() {
    profile_bytes 12 swapx=5 normal:1:1:0 shifted:1:3:23:x normal:5:8:10
}

scenario_button_dialog_layout() {
    one_joystick
    layout_profile >"$DIR/Pad.qvp"
    config_bytes 0 0xFFFF $(names16 Pad) >"$DIR/Quorvel.cfg"
    cp "$DIR/Pad.qvp" "$DIR/Pad.before"
    start_program
    wait_ready >/dev/null
    open_dialog button 1015
    local dump id
    dump=$(dlg dump button) || fail "cannot read the button configuration dialog"
    echo "$dump"
    # WS_POPUP; DS_ABSALIGN, DS_SYSMODAL, DS_SETFONT, DS_MODALFRAME, DS_SETFOREGROUND, DS_CENTER
    expect_profile_dialog "$dump" 307,148 0x80000AC3
    diff -u <(button_dialog_controls | sort) <(dialog_control_lines <<<"$dump") ||
        fail "the button configuration dialog's controls differ from the template"
    local exstyle
    exstyle=$(grep '^id=1040 ' <<<"$dump" | sed -E 's/.* exstyle=(0x[0-9a-f]+).*/\1/')
    [ $((exstyle & 0x20)) -ne 0 ] || fail "1040 is not transparent: $exstyle"
    for id in 1060 1022 1023; do expect_client_edge "$dump" $id; done
    # The key parts of the normal column are hidden now; a button shows every control.
    dlg choose button 1015 4 || fail "cannot choose Button 1"
    dump=$(dlg dump button) || fail "cannot read the button configuration dialog"
    expect_control_style "$dump" 1 0x1001000F 0x10010001 "default push button"
    for id in 2 1025; do
        expect_control_style "$dump" $id 0x1001000F 0x10010000 "push button"
    done
    for id in 1033 1034; do
        expect_control_style "$dump" $id 0x1001300F 0x10013003 "push-like multi-line check box"
    done
    expect_control_style "$dump" 1062 0x1001300F 0x10011003 "push-like check box"
    expect_control_style "$dump" 1020 0x10030003 0x10030003 "drop-down list, group"
    for id in 1015 1016 1018 1017 1019 1071; do
        expect_control_style "$dump" $id 0x10030003 0x10010003 "drop-down list"
        expect_combo_height "$dump" $id 80
    done
    expect_control_style "$dump" 1060 0x10012080 0x10012080 "digits, h-scroll"
    for id in 1022 1023; do
        expect_control_style "$dump" $id 0x10010080 0x10010000 "no h-scroll"
    done
    for id in 1040 1041 1042 1043; do
        expect_control_style "$dump" $id 0x1000001F 0x10000001 "centred static"
    done
    # The profile name shows an "&" as it is, not as an underline.
    expect_control_style "$dump" 1029 0x1000008F 0x10000080 "left-aligned static, no prefix"
    dlg choose button 1015 0 || fail "cannot choose Move Up"

    # A direction: Move Mouse hides the normal column's key parts, the shifted column shows.
    local list
    list=$(dlg items button 1015 | paste -sd, -)
    [ "$list" = "$(printf '"Move %s",' Up Right Down Left; printf '"Button %d",' $(seq 11))\"Button 12\"" ] ||
        fail "event list: $list"
    list=$(dlg items button 1020 | paste -sd, -)
    [ "$list" = "\" \",$(printf '"Button %d",' $(seq 11))\"Button 12\"" ] || fail "shift list: $list"
    list=$(dlg items button 1017 | sed -n '1p;2p;11p;46p' | paste -sd, -)
    [ "$list" = '" ","Left Click","NumPad 1","F12"' ] || fail "key list: $list"
    expect_state button 1016 "count=10"
    for id in 1017 1040 1022 1041; do expect_state button $id "visible=0"; done
    for id in 1019 1042 1023 1043; do expect_state button $id "visible=1"; done
    expect_state button 1034 "checked=1"
    expect_state button 1060 "limit=2"
    expect_state button 1022 "limit=2"
    dialog_screenshot button button-config-direction

    # A button: the modifier lists lose Move Mouse; the stored 8 shows " "; all parts show.
    dlg choose button 1015 4 || fail "cannot choose Button 1"
    expect_state button 1016 "count=8"
    expect_state button 1016 "sel=0"
    expect_state button 1017 'text="NumPad 1"'
    for id in 1017 1040 1022 1041 1019 1042 1023 1043; do expect_state button $id "visible=1"; done
    dialog_screenshot button button-config-button
    # Back on a direction, Move Mouse returns.
    dlg choose button 1015 3 || fail "cannot choose Move Left"
    expect_state button 1016 "count=10"
    expect_state button 1016 "sel=0"
    close_dialog button 2
    cmp -s "$DIR/Pad.qvp" "$DIR/Pad.before" || fail "Cancel changed Pad.qvp"
    exit_program
}

# OK writes the working copies back, the main control window saves them at once, and the
# running joystick produces the new events.
scenario_button_dialog_ok() {
    button_one_held
    numpad_profile 10 delay=20 >"$DIR/Pad.qvp"
    config_bytes 0 0xFFFF $(names16 Pad) >"$DIR/Quorvel.cfg"
    start_recorder
    start_program
    wait_ready >/dev/null
    wait_events "key down 0x61" 2
    local opened
    opened=$(log_lines)
    open_dialog button 1015

    # Lengths: 6 asks, No keeps 2; 0 is refused; the command that left the edit still runs.
    dlg type button 1060 6 || fail "cannot type a length"
    dlg post-choose button 1015 4 || fail "cannot choose Button 1"
    expect_dialog_box button "Attention!" 'It is not recommanded to create combinations larger than 5 characters.\nIt consumes a lot of memory.\nAre you sure you want to do this?' 6,7
    dlg answer 7 || fail "cannot answer No"
    wait_state button 1015 "sel=4"
    expect_state button 1060 'text="2"'
    dlg type button 1060 0 || fail "cannot type a length"
    dlg post-click button 1062 || fail "cannot click Progressive action"
    expect_dialog_box button "Attention!" "You must configure at least one character."
    dlg answer 1 || fail "cannot dismiss the message"
    expect_state button 1060 'text="2"'
    dlg click button 1062 || fail "cannot click Progressive action"
    expect_state button 1062 "checked=0"

    # Button 1: NumPad 2 and "abc" (the edit takes two characters), CTRL in the shifted column;
    # button 3 becomes the shift button; Swap Y; then length 4, confirmed with Enter.
    dlg choose button 1017 11 || fail "cannot choose NumPad 2"
    dlg type button 1022 abc || fail "cannot type the text"
    expect_state button 1022 'text="ab"'
    dlg choose button 1018 2 || fail "cannot choose CTRL"
    dlg choose button 1020 3 || fail "cannot choose the shift button"
    dlg click button 1033 || fail "cannot click Swap Y axis"
    expect_state button 1033 "checked=1"
    dlg type button 1060 4 || fail "cannot type a length"
    local mark
    mark=$(log_lines)
    dlg key button 1060 0x0D || fail "cannot press Enter"
    dlg gone button 10000 || fail "Enter did not close the dialog"
    wait_bytes "$DIR/Pad.qvp" "the profile after OK" < <(profile_bytes 12 delay=20 swapy=1 \
        maxchars=4 shift=3 normal:5:0:11:ab shifted:5:2:0)
    button_one_again
    wait_logged_since "$mark" "key down 0x42"
    # NumPad 1 was let go when the dialog opened and never pressed again.
    expect_switch "$opened" 0x61 0x62
    # The press of the new mapping: the key, then the characters.
    events_from "$mark" | grep -A2 -m1 -x "key down 0x62" | paste -sd, - |
        grep -qx "key down 0x62,key down 0x41,key down 0x42" ||
        fail "after OK: $(events_from "$mark" | grep -A2 -m1 -x "key down 0x62" | paste -sd,)"

    # OK without a change still saves.
    rm "$DIR/Pad.qvp"
    open_dialog button 1015
    expect_state button 1060 'text="4"'
    close_dialog button 1
    wait_bytes "$DIR/Pad.qvp" "the profile after a second OK" < <(profile_bytes 12 delay=20 \
        swapy=1 maxchars=4 shift=3 normal:5:0:11:ab shifted:5:2:0)
    exit_program
}

# Cancel and Escape leave the profile as it was, also after a new length; "Profile Manager..."
# drops every change and starts over from the profile then current.
scenario_button_dialog_cancel() {
    button_one_held
    numpad_profile 10 delay=20 >"$DIR/Pad.qvp"
    numpad_profile 12 >"$DIR/Zed.qvp"
    config_bytes 0 0xFFFF $(names16 Pad) >"$DIR/Quorvel.cfg"
    cp "$DIR/Pad.qvp" "$DIR/Pad.before"
    start_recorder
    start_program
    wait_ready >/dev/null
    wait_events "key down 0x61" 2

    open_dialog button 1015
    dlg choose button 1015 4 || fail "cannot choose Button 1"
    dlg choose button 1017 11 || fail "cannot choose NumPad 2"
    dlg type button 1060 3 || fail "cannot type a length"
    close_dialog button 2
    # Escape: the length 7 is asked about and applied to the working copy, then dropped.
    open_dialog button 1015
    dlg type button 1060 7 || fail "cannot type a length"
    dlg key button 1060 0x1B || fail "cannot press Escape"
    expect_dialog_box button "Attention!" 'It is not recommanded to create combinations larger than 5 characters.\nIt consumes a lot of memory.\nAre you sure you want to do this?' 6,7
    dlg answer 6 || fail "cannot answer Yes"
    dlg gone button 10000 || fail "Cancel did not close the dialog"
    local mark
    mark=$(log_lines)
    button_one_again
    wait_logged_since "$mark" "key down 0x61"
    cmp -s "$DIR/Pad.qvp" "$DIR/Pad.before" || fail "Cancel changed Pad.qvp"
    events_from "$mark" | grep -q 0x62 && fail "Cancel's mapping reached the joystick"

    # "Profile Manager..." dismissed: the changes are gone and "Move Up" is back.
    open_dialog button 1015
    dlg choose button 1015 4 || fail "cannot choose Button 1"
    dlg choose button 1017 11 || fail "cannot choose NumPad 2"
    dlg post-click button 1025 || fail "cannot press Profile Manager..."
    drv wait-menu 10000 || fail "the profile menu did not open"
    drv escape || fail "cannot dismiss the menu"
    drv wait-no-menu 10000 || fail "the menu stays open"
    wait_state button 1015 "sel=0"
    expect_state button 1016 "count=10"
    dlg choose button 1015 4 || fail "cannot choose Button 1"
    expect_state button 1017 'text="NumPad 1"'
    # Choosing Zed there: the dialog shows Zed.
    local attempt
    for attempt in 1 2 3; do
        dlg post-click button 1025 || fail "cannot press Profile Manager..."
        drv wait-menu 10000 || fail "the profile menu did not open"
        sleep 0.3
        dlg keys 0x28 0x28 0x0D || fail "cannot choose Zed"
        drv wait-no-menu 10000 || fail "the menu stays open"
        poll_until 3 state_has button 1029 'text="Zed"' && break
        note "the menu missed a keystroke (attempt $attempt)"
    done
    wait_state button 1029 'text="Zed"'
    dlg choose button 1015 4 || fail "cannot choose Button 1"
    expect_state button 1017 'text="NumPad 3"'
    close_dialog button 2
    expect_text 1029 '"Zed"'
    cmp -s "$DIR/Pad.qvp" "$DIR/Pad.before" || fail "selecting Zed changed Pad.qvp"
    exit_program
}

# Joystick 0 (12 buttons, Z, R and a hat) reads at rest for one poll, then X Y BUTTONS Z POV from
# then on; joystick 1 holds its button 1 throughout.
pick_sticks() {
    write_sticks <<EOF
joystick 0 0 65535 0 65535 12 12
axes 0 0 65535 0 65535 0 0 0 0 2
joystick 1 0 65535 0 65535 12 12
poll 0 32767 32767 0 32767 32767 0 0 65535
poll 0 $1 $2 $3 $4 32767 0 0 $5
poll 1 32767 32767 1
EOF
}

# Joystick 0 presses (pick_sticks' arguments after SEL); the event list then selects entry SEL.
press_picks() {
    local wanted=$1
    shift
    pick_sticks "$@"
    wait_state button 1015 "sel=$wanted"
}

# Joystick 0 presses and the event list keeps entry SEL: checked once the press has been polled.
press_keeps() {
    local kept=$1
    shift
    pick_sticks "$@"
    wait_until 10 "the press to be polled" test -e "$DIR/sticks.txt.0.done"
    expect_state button 1015 "sel=$kept"
}

# While the button configuration dialog is open, a press of its joystick selects the event it
# makes active, and that joystick sends nothing while another goes on; after OK, a button held
# fires nothing until released.
scenario_button_dialog_pick() {
    pick_sticks 32767 32767 0 32767 65535
    # Joystick 0: Move Up moves the pointer, button 1 types NumPad 1 and button 2 Enter, which
    # would press the dialog's OK; joystick 1: button 1 types NumPad 3.
    profile_bytes 12 delay=20 normal:1:1:0 normal:5:0:10 normal:6:0:23 >"$DIR/Pad.qvp"
    numpad_profile 12 delay=20 >"$DIR/Other.qvp"
    config_bytes 0 0xFFFF Pad Other $(names16 Pad | head -14) >"$DIR/Quorvel.cfg"
    cp "$DIR/Pad.qvp" "$DIR/Pad.before"
    start_recorder
    start_program
    wait_ready >/dev/null
    wait_events "key down 0x63" 2
    local opened
    opened=$(log_lines)
    open_dialog button 1015
    # Move Up .. Left, Button 1 .. 12, D-pad Up .. Left, Stick 2 Up .. Left (Z and R).
    expect_state button 1015 "count=24"
    press_picks 6 32767 32767 4 32767 65535   # Button 3
    press_picks 5 32767 32767 2 32767 65535   # Button 2: Enter is not sent, the dialog stays
    press_picks 1 65535 32767 0 32767 65535   # Move Right
    press_picks 0 32767 0 0 32767 65535       # Move Up: the pointer stays
    press_picks 17 32767 32767 0 32767 13500  # D-pad Down-Right: Right comes first
    press_picks 21 32767 32767 0 65535 65535  # Stick 2 Right, on Z
    # A press while the shift button list has the focus, or while the event list is dropped
    # down, picks nothing.
    dlg focus button 1020 || fail "cannot move the focus to the shift button list"
    press_keeps 21 32767 32767 8 32767 65535  # Button 4
    dlg focus button 1015 || fail "cannot move the focus to the event list"
    press_picks 8 32767 32767 16 32767 65535  # Button 5
    dlg drop button 1015 1 || fail "cannot drop the event list down"
    press_keeps 8 32767 32767 32 32767 65535  # Button 6
    dlg drop button 1015 0 || fail "cannot close the event list"
    press_picks 4 32767 32767 1 32767 65535   # Button 1, held through OK
    dlg state button >/dev/null || fail "the dialog closed under the presses"

    # Wine itself moves the pointer by 0,0 when the dropped list closes.
    local other
    other=$(events_from "$opened" | grep -vx "key \(down\|up\) 0x63\|move 0 0" | paste -sd, -)
    [ -z "$other" ] || fail "joystick 0 sent input while the dialog was open: $other"
    events_from "$opened" | grep -qx "key down 0x63" || fail "joystick 1 sent nothing meanwhile"

    close_dialog button 1
    local closed
    closed=$(log_lines)
    check_bytes "$DIR/Pad.qvp" "the profile after OK" <"$DIR/Pad.before"
    # Held since before OK: NumPad 1 waits while joystick 1 goes on, then comes after a release.
    wait_until 10 "joystick 1 to go on" logged_times_since "$closed" "key down 0x63" 10
    events_from "$closed" | grep -q 0x61 && fail "button 1, held through OK, fired"
    pick_sticks 32767 32767 1 32767 65535
    wait_logged_since "$closed" "key down 0x61"
    exit_program
}

# A profile refused at start: the joystick stands in with "Default", its edits go to Default.qvp,
# the refused file is never written and Quorvel.cfg keeps naming it. The button configuration
# dialog follows a profile chosen under it from the menu, and its OK writes only what it showed
# for that profile. Exit chosen while a dialog is open waits until it has closed.
scenario_profile_refused() {
    button_one_held
    bytes le32:0 le32:0 le32:0 le32:10 le32:50 le32:6000 le32:1000 le32:2 le32:40 >"$DIR/Broken.qvp"
    cp "$DIR/Broken.qvp" "$DIR/Broken.before"
    numpad_profile 11 >"$DIR/Pad.qvp"
    config_bytes 0 0xFFFF Broken $(names16 Pad | head -15) >"$DIR/Quorvel.cfg"
    start_recorder
    start_program
    local path
    path=$(winpath "$DIR/Broken.qvp" | sed 's/\\/\\\\/g')
    expect_box main '"Error"' "\"The profile file $path is damaged and was not loaded.\\nThe joystick uses the profile Default; the file has not been changed.\""
    drv dismiss || fail "cannot dismiss the box"
    wait_ready >/dev/null
    expect_text 1029 '"Default"'
    drv slider 1008 2000 || fail "cannot move the Threshold slider"
    drv command 1016 || fail "cannot post Hide"
    wait_bytes "$DIR/Default.qvp" "the stand-in's edit" < <(profile_bytes 12 threshold=2000)
    check_bytes "$DIR/Broken.qvp" "the refused file" <"$DIR/Broken.before"
    check_bytes "$DIR/Quorvel.cfg" "configuration after Hide" < <(config_bytes 0 0xFFFF Broken \
        $(names16 Pad | head -15))

    # The dialog opens on Default; Pad, chosen from the notification-area menu, replaces it.
    open_dialog button 1015
    expect_state button 1029 'text="Default"'
    drv command 40502 || fail "cannot post the item of Pad"
    wait_state button 1029 'text="Pad"'
    # Exit from the menu waits for the dialog; its OK keeps Pad's own mapping of button 1.
    drv command 40003 || fail "cannot post the menu's Exit"
    sleep 1
    dlg state button >/dev/null || fail "Exit did not wait for the open dialog"
    close_dialog button 1
    expect_exit 0
    check_bytes "$DIR/Pad.qvp" "Pad after OK" < <(numpad_profile 11)
    check_bytes "$DIR/Broken.qvp" "the refused file after Exit" <"$DIR/Broken.before"
    # Chosen by the user, Pad now stands for joystick 1.
    check_bytes "$DIR/Quorvel.cfg" "configuration after Exit" < <(config_bytes 0 0xFFFF \
        $(names16 Pad))
}
