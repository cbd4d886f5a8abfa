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
. "$(dirname "${BASH_SOURCE[0]}")/../lib/x11session.sh" darktheme
need Xvfb xdotool
compgen -G '/usr/lib/*/qt6/plugins/platformthemes/libqgtk3.so' >/dev/null ||
    fail "qt6-gtk-platformtheme is not installed (./dev.sh test installs it)"

start_xvfb
start_program env QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark "$program"
component 1
rating 2
sleep 0.3

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
# The lightness at a place of a control: its option mark's centre, 7 pixels in from its left
# edge, or, for the result box, a corner of the field below the text.
expect() {
    local what=$1 control=$2 low=$3 high=$4 seen left top height x y
    read -r left top _ height <<<"${place[$control]}"
    if [ "$control" = Text1_0 ]; then
        x=$((left + 3)) y=$((top + height - 3))
    else
        x=$((left + 7)) y=$((top + height / 2))
    fi
    seen=$(lightness "$x" "$y")
    if ((seen >= low && seen <= high)); then
        pass "$what: lightness $seen"
    else
        failed "$what has lightness $seen, expected $low to $high"
    fi
}

# The theme really is dark: the result box, which keeps the platform's colours.
expect "result box (the theme's own field)" Text1_0 0 99
for component in 0 2; do expect "empty component $component" "Option2_$component" 201 255; done
expect "chosen component 1" Option2_1 0 119
for rating in 0 5 7; do expect "empty rating $rating" "Option1_$rating" 201 255; done
expect "chosen rating 2" Option1_2 0 119

finish
