#!/usr/bin/env bash
# Runs the shipped x86_64 Quorvel.exe end to end under Wine on Xvfb: builds the harness, makes
# one fresh Wine prefix, then runs each scenario in its own Xvfb session and wineserver, with
# a copy of the program and the stand-in winmm.dll in a folder of its own.
#   tests/e2e/run_e2e.sh [SCENARIO...]      (default: all)
# Environment: QUORVEL_EXE (default build-x86_64/Quorvel.exe), QUORVEL_E2E_DIR (work folder,
# default build-x86_64/e2e), QUORVEL_E2E_KEEP=1 keeps the work folder of passing scenarios.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)

if [ "${1:-}" = --inside ]; then
    # One scenario, inside its Xvfb session.
    source "$here/lib.sh"
    for part in start windows input profiles; do source "$here/scenarios_$part.sh"; done
    source "$here/scenarios_hotplug.sh"
    source "$here/scenarios_pads.sh"
    source "$here/scenarios_swaps.sh"
    source "$here/scenarios_rules.sh"
    trap '"$WINESERVER" -k 2>/dev/null; "$WINESERVER" -w 2>/dev/null' EXIT
    "scenario_$2"
    exit $?
fi

exe=${QUORVEL_EXE:-$repo/build-x86_64/Quorvel.exe}
work=${QUORVEL_E2E_DIR:-$repo/build-x86_64/e2e}
shots=$repo/build-x86_64/e2e-shots
all_scenarios=(start_and_exit no_joystick missing_configuration second_instance hide_argument
               hide_and_tray_double_click tray_menu launch_on_startup launch_on_startup_long_path
               main_window_layout enable_dialog joystick_trace absent_joystick_keeps_bit
               polling_delay_live profile_dialogs_layout profile_select profile_add profile_delete
               button_dialog_layout button_dialog_ok button_dialog_cancel profile_refused
               button_dialog_pick)
all_scenarios+=(whole_controller)
# Joysticks coming and going, Pause and the poll period; measure_* only when named.
all_scenarios+=(joystick_arrives joystick_leaves hidden_start_waits pause poll_period)
# Pads coming and going while the user works, and the polls after a busy main thread.
all_scenarios+=(pad_with_other_buttons enable_choice_of_a_leaving_pad button_dialog_pad_sleeps
                no_poll_burst)
# Pads that swap IDs keep their profiles.
all_scenarios+=(pads_swap_between_runs pads_swap_within_a_run)
# Application rules; measure_* only when named.
all_scenarios+=(rules_follow_front rules_file_created)
scenarios=("$@")
[ ${#scenarios[@]} -gt 0 ] || scenarios=("${all_scenarios[@]}")

find_tool() {
    local candidate
    for candidate in "$@"; do
        if command -v "$candidate" >/dev/null 2>&1; then
            command -v "$candidate"
            return 0
        fi
        [ -x "$candidate" ] && { echo "$candidate"; return 0; }
    done
    return 1
}
# Debian's wine64 package alone puts no wine command on the PATH.
WINE=$(find_tool wine wine64 /usr/lib/wine/wine64) || { echo "wine is not installed"; exit 1; }
WINESERVER=$(find_tool wineserver /usr/lib/wine/wineserver) || { echo "no wineserver"; exit 1; }
for tool in xvfb-run import convert x86_64-w64-mingw32-g++-posix; do
    command -v "$tool" >/dev/null || { echo "$tool is not installed"; exit 1; }
done
[ -f "$exe" ] || { echo "no program at $exe: build the x86_64 target first"; exit 1; }

echo "== end-to-end harness"
harness=$work/harness
cmake -S "$here" -B "$harness" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64-x86_64.cmake" >/dev/null || exit 1
cmake --build "$harness" >/dev/null || { cmake --build "$harness"; exit 1; }

# Every winmm function the program imports must come from the stand-in.
imports=$(x86_64-w64-mingw32-objdump -p "$exe" |
    awk '/DLL Name:/ { in_winmm = tolower($3) == "winmm.dll"; next }
         in_winmm && NF == 3 && $2 ~ /^[0-9]+$/ { print $3 }')
exports=$(x86_64-w64-mingw32-objdump -p "$harness/winmm.dll" |
    awk '/\[Ordinal\/Name Pointer\] Table/ { on = 1; next } on && /\]/ { print $NF }')
missing=$(comm -23 <(sort <<<"$imports") <(sort <<<"$exports") | tr '\n' ' ')
[ -z "${missing// }" ] || { echo "the stand-in winmm.dll lacks: $missing"; exit 1; }

export WINE WINESERVER WINEDEBUG=-all
export WINEPREFIX=$work/prefix
export WINEDLLOVERRIDES="winmm=n,b;mscoree,mshtml="
export HARNESS=$harness SHOTS=$shots
xvfb=(xvfb-run -a -s "-screen 0 1024x768x24")

cleanup() { "$WINESERVER" -k 2>/dev/null; }
trap cleanup EXIT

echo "== fresh Wine prefix"
start=$SECONDS
"$WINESERVER" -k 2>/dev/null
rm -rf "$WINEPREFIX"
[ $# -gt 0 ] || rm -rf "$shots" # a full run replaces every screenshot
mkdir -p "$WINEPREFIX" "$shots"
# Relative pointer moves must arrive unaccelerated: acceleration off before any program runs.
# Xvfb has no window manager: unmanaged windows spare the wait for one (about 2 s whenever a
# dialog or message box closes).
if ! timeout 180 "${xvfb[@]}" bash -c '"$WINE" wineboot -i >/dev/null 2>&1 &&
        "$WINE" reg add "HKCU\\Software\\Wine\\X11 Driver" /v Managed /d N /f &&
        "$WINE" "$HARNESS/driver.exe" setup-prefix && "$WINESERVER" -w' >"$work/prefix.log" 2>&1
then
    cat "$work/prefix.log"
    echo "cannot create the Wine prefix"
    exit 1
fi
echo "prefix ready in $((SECONDS - start)) s"

passed=0
failed=0
failures=()
for name in "${scenarios[@]}"; do
    dir=$work/scenarios/$name
    rm -rf "$dir"
    mkdir -p "$dir"
    cp "$exe" "$dir/Quorvel.exe"
    cp "$harness/winmm.dll" "$dir/"
    began=$(date +%s%N)
    DIR=$dir QV_JOYSTICKS=$(printf 'Z:%s' "${dir//\//\\}\\sticks.txt") \
        timeout 240 "${xvfb[@]}" bash "$0" --inside "$name" >"$dir/output.txt" 2>&1
    status=$?
    "$WINESERVER" -k 2>/dev/null
    ms=$((($(date +%s%N) - began) / 1000000))
    notes=$(grep '^NOTE: ' "$dir/output.txt" | sed 's/^NOTE: //' | paste -sd ';' -)
    if [ $status -eq 0 ]; then
        passed=$((passed + 1))
        printf 'PASS %-28s %6d ms  %s\n' "$name" "$ms" "$notes"
        [ "${QUORVEL_E2E_KEEP:-0}" = 1 ] || rm -rf "$dir"
    else
        failed=$((failed + 1))
        failures+=("$name")
        printf 'FAIL %-28s %6d ms  (exit %d; files in %s)\n' "$name" "$ms" "$status" "$dir"
        sed 's/^/    /' "$dir/output.txt" | tail -40
    fi
done
echo "screenshots in $shots"
echo "$passed passed, $failed failed"
[ $failed -eq 0 ]
