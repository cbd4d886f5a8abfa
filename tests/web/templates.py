# SPDX-FileCopyrightText: 2026 The bodytype developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""The page's templates fail loudly: each placeholder of each committed template is needed, and
a placeholder missing from it, or one that nothing fills, stops the page's maker by name.

usage: templates.py SOURCE_DIR"""

import pathlib
import sys

top = pathlib.Path(sys.argv[1])
sys.path[:0] = [str(top / "web"), str(top / "tests" / "lib")]
import makepage  # noqa: E402
from checking import check, finish  # noqa: E402

for name in ("page.html", "page.css", "sw.js"):
    template = (top / "web" / name).read_text(encoding="utf-8")
    found = {match[0]: next(group for group in match.groups() if group)
             for match in makepage.PLACEHOLDER.finditer(template)}
    keys = set(found.values())
    check(keys, f"{name}: placeholders found")
    makepage.fill(name, template, dict.fromkeys(keys, ""))
    for placeholder, key in found.items():
        # The template reformatted so that the placeholder is gone; then one that nothing fills.
        for changed, values in ((template.replace(placeholder, ""), dict.fromkeys(keys, "")),
                                (template, dict.fromkeys(keys - {key}, ""))):
            try:
                makepage.fill(name, changed, values)
                check(False, f"{name}: {placeholder} was not needed")
            except SystemExit as stop:
                check(name in str(stop) and placeholder.strip("/*()") in str(stop),
                      f"{name}: the message names {placeholder}: {stop}")

sys.exit(finish())
