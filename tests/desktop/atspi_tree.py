# SPDX-FileCopyrightText: 2026 The bodytype developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Checks the program's accessibility tree as a screen reader reads it over AT-SPI.

usage: atspi_tree.py FORM_JSON"""
import json
import pathlib
import sys
import time

import pyatspi

sys.path.insert(0, str(pathlib.Path(__file__).parent.parent / "lib"))
from checking import check, finish  # noqa: E402


def find_app():
    for _ in range(100):
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name == "bodytype":
                return app
        time.sleep(0.1)
    sys.exit("atspi: the program never reached the accessibility bus")


def nodes(node):
    yield node
    for i in range(node.childCount):
        yield from nodes(node.getChildAtIndex(i))


tree = list(nodes(find_app()))


def named(role, name):
    # Roles, not their display names, which AT-SPI renames between releases ("push button"
    # became "button").
    found = [n for n in tree if n.getRole() == role and n.name == name]
    check(len(found) == 1, f"one {role} named {name!r}, found {len(found)}")
    return found[0] if found else None


def states(node):
    return node.getState() if node is not None else None


form = json.load(open(sys.argv[1], encoding="utf-8"))
window = next((n for n in tree if n.name == form["title"]), None)
check(window is not None, "the window, by its title")

ratings = [named(pyatspi.ROLE_RADIO_BUTTON, str(r)) for r in range(8)]
components = [named(pyatspi.ROLE_RADIO_BUTTON, name) for name in
              ("ендоморфен (пикничен)", "мезоморфен (атлетичен)", "ектоморфен (астеничен)")]
# After the clicks: the mesomorphic component and the rating 5, and nothing else, are checked.
for rating, node in enumerate(ratings):
    if node is not None:
        check(states(node).contains(pyatspi.STATE_CHECKED) == (rating == 5),
              f"rating {rating} checked state")
for index, node in enumerate(components):
    if node is not None:
        check(states(node).contains(pyatspi.STATE_CHECKED) == (index == 1),
              f"component {index} checked state")

named(pyatspi.ROLE_PUSH_BUTTON, "Изведи")
named(pyatspi.ROLE_PUSH_BUTTON, "Чисти")
for text in ("Психология - телосложение, вид и стойности", "Телосложение - скала",
             "Телосложение - вид"):
    named(pyatspi.ROLE_LABEL, text)

chart = named(pyatspi.ROLE_IMAGE, "Соматограма")
if chart is not None:
    check("мезоморфия" in chart.description and "ектоморфия" in chart.description,
          "the chart's description")
    check(states(chart).contains(pyatspi.STATE_FOCUSABLE), "the chart takes the focus")

box = named(pyatspi.ROLE_TEXT, "Резултат")
if box is not None:
    check(not states(box).contains(pyatspi.STATE_EDITABLE), "the result box is read-only")
    text = box.queryText()
    check(text.getText(0, -1).startswith("Телосложението (Constitution)"),
          "the result box's text reaches the reader")

sys.exit(finish())
