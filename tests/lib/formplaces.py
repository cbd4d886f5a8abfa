# SPDX-FileCopyrightText: 2026 The bodytype developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""For the shell tests that drive the real program: the window's title and size, and every
control's place on the form in pixels at 96 dpi (left, top, width, height from the form's
top-left corner), rounded as the window rounds them, all from the form's description.

usage: eval "$(python3 formplaces.py form.json)"   sets $form_title, $form_size and place[NAME]"""

import json
import math
import shlex
import sys

form = json.load(open(sys.argv[1], encoding="utf-8"))


def pixels(place, origin=(0, 0)):
    # Qt's qRound: halves away from zero; places are never negative.
    left, top, width, height = (math.floor(value / form["twipsPerPixel"] + 0.5)
                                for value in place)
    return [origin[0] + left, origin[1] + top, width, height]


places = {}
for control in form["controls"]:
    places[control["name"]] = pixels(control["place"])
    for button in control.get("buttons", []):
        places[button["name"]] = pixels(button["place"], places[control["name"]])

print(f"form_title={shlex.quote(form['title'])}")
print(f"form_size={shlex.quote(' '.join(map(str, pixels(form['place'])[2:])))}")
print("declare -gA place=(" + " ".join(f"[{name}]={shlex.quote(' '.join(map(str, at)))}"
                                      for name, at in places.items()) + ")")
