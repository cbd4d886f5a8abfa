#!/usr/bin/env bash
# Reads the real program's accessibility tree over AT-SPI, as a screen reader on Linux does:
# a private session bus and accessibility bus, the program in Xvfb, two real clicks, then
# atspi_tree.py checks every control's role, Bulgarian name and checked state.
# usage: atspi.sh PROGRAM
set -euo pipefail
program=$1
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

if [ -z "${BODYTYPE_IN_SESSION:-}" ]; then
    for tool in dbus-run-session Xvfb xdotool /usr/libexec/at-spi-bus-launcher /usr/bin/python3; do
        command -v "$tool" >/dev/null || { echo "atspi: $tool is not installed" >&2; exit 1; }
    done
    BODYTYPE_IN_SESSION=1 exec dbus-run-session -- "$0" "$@"
fi

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# Background helpers write to files, never to this script's output, so nothing holds it open.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "atspi: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")"
export XDG_RUNTIME_DIR="$work"
unset QT_QPA_PLATFORM QT_SCALE_FACTOR

/usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/bus.log" 2>&1 &
pids+=($!)
# Qt turns its AT-SPI bridge on when a screen reader says so; here no reader is running.
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$program" >"$work/app.log" 2>&1 &
pids+=($!)

window=""
for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --name 'Психология' 2>/dev/null | head -n1) || true
    [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || { echo "atspi: the window did not appear" >&2; exit 1; }
eval "$(xdotool getwindowgeometry --shell "$window")"
# The mesomorphic component, then the rating 5.
xdotool mousemove --sync $((X + 300)) $((Y + 100)) click 1
sleep 0.2
xdotool mousemove --sync $((X + 407)) $((Y + 217)) click 1
sleep 0.2

# Debian's own Python, which python3-pyatspi installs into, whatever else is first on PATH.
/usr/bin/python3 "$here/atspi_tree.py"
