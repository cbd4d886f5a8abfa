#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The bodytype developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# The real program under a dark desktop theme, as GNOME and KDE users with one run Qt programs
# (Qt's GTK platform theme, Adwaita:dark): on the fixed light panels an empty option mark must
# look empty and the chosen one clearly marked.
# usage: darktheme.sh X11PIXEL PROGRAM
set -euo pipefail
x11pixel=$1
program=$2
. "$(dirname "${BASH_SOURCE[0]}")/x11session.sh"
need Xvfb xdotool
compgen -G '/usr/lib/*/qt6/plugins/platformthemes/libqgtk3.so' >/dev/null ||
    { echo "darktheme: qt6-gtk-platformtheme is not installed (./dev.sh test installs it)" >&2; exit 1; }

start_xvfb
start_program env QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark "$program"
component 1
rating 2
sleep 0.3

failures=0
# The lightness of a pixel of the window, 0 to 255 (the mean of the brightest and darkest
# channel, as Qt measures it).
lightness() {
    local colour
    colour=$("$x11pixel" "$window" "$1" "$2")
    local r=$((16#${colour:1:2})) g=$((16#${colour:3:2})) b=$((16#${colour:5:2}))
    local max=$r min=$r c
    for c in $g $b; do ((c > max)) && max=$c; ((c < min)) && min=$c; done
    echo $(((max + min) / 2))
}
expect() {
    local what=$1 x=$2 y=$3 low=$4 high=$5 seen
    seen=$(lightness "$x" "$y")
    if ((seen >= low && seen <= high)); then
        echo "$what: lightness $seen"
    else
        echo "darktheme: $what has lightness $seen, expected $low to $high" >&2
        failures=$((failures + 1))
    fi
}

# The theme really is dark: the result box, which keeps the platform's colours.
expect "result box (the theme's own field)" 11 366 0 99
# Mark centres, in pixels of the window.
for component in 0 2; do expect "empty component $component" 231 $((68 + 32 * component)) 201 255; done
expect "chosen component 1" 231 100 0 119
for rating in 0 5 7; do expect "empty rating $rating" $((231 + (500 * rating + 7) / 15)) 217 201 255; done
expect "chosen rating 2" $((231 + (500 * 2 + 7) / 15)) 217 0 119

[ "$failures" = 0 ] || exit 1
echo "1 passed, 0 failed"
