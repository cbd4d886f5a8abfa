# SPDX-FileCopyrightText: 2026 The bodytype developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Every relative link in the project's Markdown leads to a file (and heading) that exists, and
every path it names in `code` under one of the project's own folders exists.

usage: docpaths.py SOURCE_DIR"""

import pathlib
import re
import sys

top = pathlib.Path(sys.argv[1]).resolve()
sys.path.insert(0, str(top / "tests" / "lib"))
from checking import check, finish  # noqa: E402

LINK = re.compile(r"!?\[[^\]]*\]\(([^)\s]+)\)")
CODE = re.compile(r"`([^`\s]+)`")
FENCE = re.compile(r"^```.*?^```", re.M | re.S)


def slug(heading):
    """The anchor GitHub and most renderers give a heading."""
    text = re.sub(r"[^\w\- ]", "", heading.strip().lower())
    return text.replace(" ", "-")


def anchors(path):
    text = FENCE.sub("", path.read_text(encoding="utf-8"))
    return {slug(m.group(1)) for m in re.finditer(r"^#+ (.*)$", text, re.M)}


# Paths are recognised by their first folder: the project's own, not build/ or a system's.
roots = {p.name for p in top.iterdir() if p.name not in {"build", ".git"}}
pages = sorted(p for p in [*top.glob("*.md"), *top.glob("docs/**/*.md")])
for page in pages:
    name = page.relative_to(top)
    text = FENCE.sub("", page.read_text(encoding="utf-8"))
    for target in LINK.findall(text):
        if re.match(r"^[a-z]+:", target):
            continue
        file, _, anchor = target.partition("#")
        dest = (page.parent / file).resolve() if file else page
        if check(dest.exists(), f"{name}: link to {target}: no such file") and anchor:
            check(anchor in anchors(dest), f"{name}: link to {target}: no such heading")
    for path in CODE.findall(text):
        path = path.rstrip("/")
        if "/" not in path or path.split("/")[0] not in roots:
            continue
        check(any(top.glob(path)), f"{name}: names {path}, which does not exist")

sys.exit(finish())
