# shellcheck shell=bash
# SPDX-FileCopyrightText: 2026 The bodytype developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Sourced by the tests that drive the real program in a private X server: starts Xvfb, starts
# the program, finds its window and clicks on it.
# usage: . x11session.sh TEST_NAME     with $BODYTYPE_FORM_JSON naming the form's description
# It sets, for its caller: $work, a folder removed at exit; $pids, the processes to end at exit;
# $DISPLAY; and, once the program is started, $app_pid, $window, $X, $Y, $WIDTH and $HEIGHT,
# and from the form's description $form_title, $form_size and place[CONTROL] (formplaces.py).

session=${1:?usage: . x11session.sh TEST_NAME}
. "$(dirname "${BASH_SOURCE[0]}")/checks.sh"
work=$(mktemp -d)
pids=()
app_pid=""
window=""
X=0 Y=0 WIDTH=0 HEIGHT=0
# shellcheck disable=SC2034 # the form's size is for the caller
form_title="" form_size=""
declare -A place=()
cleanup() {
    local pid
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    # Every helper, the X server last, has ended before the next test may take its display.
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

need() {
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null || fail "$session: $tool is not installed"
    done
}

# Xvfb picks a free display itself and reports it on the descriptor it is given. It must not
# reset when its last client leaves (-noreset): the short-lived xdotool calls that wait for the
# window would each reset it, and a program connecting during a reset is turned away ("could
# not connect to display"), which a slow start under the sanitizers makes likely.
start_xvfb() {
    Xvfb -displayfd 3 -noreset -screen 0 "${xvfb_screen:-1024x768x24}" -nolisten tcp 3>"$work/display" \
        >"$work/xvfb.log" 2>&1 &
    pids+=($!)
    for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
    [ -s "$work/display" ] || fail "$session: Xvfb did not start: $(cat "$work/xvfb.log")"
    DISPLAY=":$(head -n1 "$work/display")"
    export DISPLAY
    export XDG_RUNTIME_DIR="$work"
    unset QT_QPA_PLATFORM QT_SCALE_FACTOR
}

# Starts the program (the command and its arguments) and waits for its window, found by the
# form's title, for 30 s or $window_wait tenths of a second.
start_program() {
    local description=${BODYTYPE_FORM_JSON:?names no form description (form.json)}
    eval "$(/usr/bin/python3 -B "$(dirname "${BASH_SOURCE[0]}")/formplaces.py" "$description")"
    # xdotool takes a regular expression.
    local title
    title=$(printf '%s' "$form_title" | sed 's/[][\\.^$*+?(){}|]/\\&/g')
    "$@" >"$work/app.log" 2>&1 &
    app_pid=$!
    pids+=("$app_pid")
    window=""
    for _ in $(seq "${window_wait:-300}"); do
        window=$(xdotool search --onlyvisible --name "$title" 2>/dev/null |
            head -n1) || true
        [ -n "$window" ] && break
        kill -0 "$app_pid" 2>/dev/null || break
        sleep 0.1
    done
    [ -n "$window" ] || fail "$session: the window did not appear: $(cat "$work/app.log")"
    eval "$(xdotool getwindowgeometry --shell "$window")"
    echo "window $window at $X,$Y, ${WIDTH}x$HEIGHT"
}

# Closes the window as a window manager's close box does (the x11close helper given), and
# requires the program to end by itself, with status 0.
close_program() {
    "$1" "$window"
    for _ in $(seq 100); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
    if kill -0 "$app_pid" 2>/dev/null; then
        fail "$session: the program did not end when its window was closed"
    fi
    local status=0
    wait "$app_pid" || status=$?
    [ "$status" = 0 ] || fail "$session: exit status $status: $(cat "$work/app.log")"
}

# Clicks at a place on the form, in pixels from its top-left corner. xdotool's --sync waits for
# the pointer to move, so it is not asked to move to where it is.
pointer=""
click() {
    local x=$((X + $1)) y=$((Y + $2))
    [ "$x $y" = "$pointer" ] || xdotool mousemove --sync "$x" "$y"
    pointer="$x $y"
    xdotool click 1
    sleep 0.1
}
# The centre of a control, and a click there.
centre() {
    local left top width height
    read -r left top width height <<<"${place[$1]:?no control is named $1}"
    echo "$((left + width / 2)) $((top + height / 2))"
}
click_control() {
    local at
    at=$(centre "$1")
    click "${at% *}" "${at#* }"
}
component() { click_control "Option2_$1"; }
rating() { click_control "Option1_$1"; }
output() { click_control Command1_0; }
clear_ratings() { click_control Command1_1; }
