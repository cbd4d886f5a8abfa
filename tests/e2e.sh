#!/usr/bin/env bash
# Drives the real program in a real X server: real mouse clicks at the controls' places on the
# screen, the report read back by selecting and copying it from the result box, and the window
# closed the way a window manager's close box closes it.
# usage: e2e.sh PROGRAM X11CLOSE
set -euo pipefail
program=$1
x11close=$2

for tool in Xvfb xdotool xclip; do
    command -v "$tool" >/dev/null || { echo "e2e: $tool is not installed" >&2; exit 1; }
done

work=$(mktemp -d)
xvfb_pid=""
app_pid=""
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display itself and reports it on the descriptor it is given.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "e2e: Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")"
export XDG_RUNTIME_DIR="$work"
unset QT_QPA_PLATFORM QT_SCALE_FACTOR

"$program" 2>"$work/app.log" &
app_pid=$!

window=""
for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --name 'Психология - вид на телосложение' 2>/dev/null |
        head -n1) || true
    [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || { echo "e2e: the window did not appear" >&2; cat "$work/app.log" >&2; exit 1; }
eval "$(xdotool getwindowgeometry --shell "$window")"
echo "window $window at $X,$Y, ${WIDTH}x$HEIGHT"
[ "$WIDTH" = 506 ] && [ "$HEIGHT" = 378 ] || { echo "e2e: wrong window size" >&2; exit 1; }

# Places on the form in pixels, from its top-left corner: inside each control's face.
# xdotool's --sync waits for the pointer to move, so it is not asked to move to where it is.
pointer=""
click() {
    local at="$((X + $1)) $((Y + $2))"
    [ "$at" = "$pointer" ] || xdotool mousemove --sync $at
    pointer=$at
    xdotool click 1
    sleep 0.1
}
component() { click 300 $((68 + 32 * $1)); }
rating() { click $((240 + (500 * $1 + 7) / 15)) 217; }
output() { click 468 68; }
clear_ratings() { click 468 132; }

copy_report() {
    click 240 300
    xdotool key --clearmodifiers ctrl+a ctrl+c
    sleep 0.2
    xclip -o -selection clipboard >"$work/$1"
}

expect() {
    local name=$1 expected=$2
    if ! cmp -s "$work/$name" "$expected"; then
        echo "e2e: $name differs from what was expected:" >&2
        diff <(od -c "$expected") <(od -c "$work/$name") >&2 || true
        exit 1
    fi
    echo "$name: as expected"
}

component 0
rating 3
component 1
rating 7
component 2
output
copy_report first
printf '%s\n' 'Въведеният тип е:' 'ендоморфен (пикничен): 3' \
    'мезоморфен (атлетичен): 7  Явно определен!' 'ектоморфен (астеничен): 0  ???' \
    >"$work/expected-first"
expect first "$work/expected-first"

# Clearing keeps the component chosen last, so the next rating goes to the ectomorphic one;
# a second output replaces the first report.
clear_ratings
rating 5
output
output
copy_report second
printf '%s\n' 'Въведеният тип е:' 'ендоморфен (пикничен): 0  ???' \
    'мезоморфен (атлетичен): 0  ???' 'ектоморфен (астеничен): 5' >"$work/expected-second"
expect second "$work/expected-second"

"$x11close" "$window"
for _ in $(seq 100); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$app_pid" 2>/dev/null; then
    echo "e2e: the program did not end when its window was closed" >&2
    exit 1
fi
status=0
wait "$app_pid" || status=$?
app_pid=""
[ "$status" = 0 ] || { echo "e2e: exit status $status" >&2; cat "$work/app.log" >&2; exit 1; }
echo "closed; exit status 0"
echo "1 passed, 0 failed"
