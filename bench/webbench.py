#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The bodytype developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""The web page's size, and in each browser engine (Chromium, Firefox and WebKit) its first
contentful paint and the moment it is ready for clicks (its handlers attached and the form
painted), over loads alternating with a floor page: the same page without its script and
WebAssembly. A figure, not a test: it passes or fails nothing. WebKit needs an X server.

usage: webbench.py BUILD_DIR [LOADS [ENGINE...]]"""
import gzip
import pathlib
import re
import statistics
import sys
import tempfile

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent.parent / "tests" / "web"))
from browsers import ENGINES, browser  # noqa: E402

SIZE_GOAL = 200_000
READY_GOAL = 1.3
WAIT = """const [name, done] = arguments;
    const look = () => { const e = performance.getEntriesByName(name);
                         e.length ? done(e[0].startTime) : setTimeout(look, 5); };
    look();"""


def measure(engine, page, floor, loads):
    times = {"page": [], "ready": [], "floor": []}
    with browser(engine) as b:
        for run in range(loads):
            for kind in ("page", "floor"):
                b.open("about:blank")
                b.open((page if kind == "page" else floor).as_uri())
                times[kind].append(b.wait_script(WAIT, "first-contentful-paint"))
                if kind == "page":
                    # Ready for clicks: the handlers are attached and the form is painted.
                    handlers = b.wait_script(WAIT, "bodytype-ready")
                    times["ready"].append(max(handlers, times["page"][-1]))
            print(f"{engine} run {run + 1:2}: page paint {times['page'][-1]:6.1f} ms, ready "
                  f"{times['ready'][-1]:6.1f} ms; floor paint {times['floor'][-1]:6.1f} ms")
    median = {kind: statistics.median(values) for kind, values in times.items()}
    print(f"{engine}: medians over {loads} loads: page first paint {median['page']:.1f} ms, "
          f"ready {median['ready']:.1f} ms; floor first paint {median['floor']:.1f} ms")
    return median['ready'] / median['floor']


def main():
    build = pathlib.Path(sys.argv[1]).resolve()
    loads = int(sys.argv[2]) if len(sys.argv) > 2 else 20
    engines = sys.argv[3:] or ENGINES
    page = build / "bodytype.html"
    data = page.read_bytes()
    print(f"bodytype.html: {len(data)} bytes, {len(gzip.compress(data, 9))} gzip-compressed "
          f"(goal: at most {SIZE_GOAL})")

    with tempfile.TemporaryDirectory() as work:
        floor = pathlib.Path(work) / "floor.html"
        floor.write_bytes(re.sub(rb"<script>.*?</script>", b"", data, flags=re.S))
        ratios = {engine: measure(engine, page, floor, loads) for engine in engines}
    for engine, ratio in ratios.items():
        print(f"{engine}: ready / floor's first paint: {ratio:.2f} (goal: at most {READY_GOAL})")


if __name__ == "__main__":
    main()
