# SPDX-FileCopyrightText: 2026 The bodytype developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""The page's templates fail loudly: each placeholder of each committed template is needed, and
a placeholder missing from it, or one that nothing fills, stops the page's maker by name.

usage: templates.py SOURCE_DIR"""

import pathlib
import sys

web = pathlib.Path(sys.argv[1]) / "web"
sys.path.insert(0, str(web))
import makepage  # noqa: E402

faults = []
for name in ("page.html", "page.css", "sw.js"):
    template = (web / name).read_text(encoding="utf-8")
    found = {match[0]: next(group for group in match.groups() if group)
             for match in makepage.PLACEHOLDER.finditer(template)}
    keys = set(found.values())
    if not keys:
        faults.append(f"{name}: no placeholder found")
    makepage.fill(name, template, dict.fromkeys(keys, ""))
    for placeholder, key in found.items():
        # The template reformatted so that the placeholder is gone; then one that nothing fills.
        for changed, values in ((template.replace(placeholder, ""), dict.fromkeys(keys, "")),
                                (template, dict.fromkeys(keys - {key}, ""))):
            try:
                makepage.fill(name, changed, values)
                faults.append(f"{name}: {placeholder} was not needed")
            except SystemExit as stop:
                if name not in str(stop) or placeholder.strip("/*()") not in str(stop):
                    faults.append(f"{name}: the message does not name {placeholder}: {stop}")

for fault in faults:
    print(fault)
print(f"{len(faults)} faults")
sys.exit(1 if faults else 0)
