#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The bodytype developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""The web page's size, and in headless Chromium its first contentful paint and the moment it is
ready for clicks (its handlers attached and the form painted), over loads alternating with a floor page: the same page without its script
and WebAssembly. A figure, not a test: it passes or fails nothing.

usage: webbench.py BUILD_DIR [LOADS]"""
import gzip
import pathlib
import re
import statistics
import sys
import tempfile

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

SIZE_GOAL = 200_000
READY_GOAL = 1.3


def main():
    build = pathlib.Path(sys.argv[1]).resolve()
    loads = int(sys.argv[2]) if len(sys.argv) > 2 else 20
    page = build / "bodytype.html"
    data = page.read_bytes()
    print(f"bodytype.html: {len(data)} bytes, {len(gzip.compress(data, 9))} gzip-compressed "
          f"(goal: at most {SIZE_GOAL})")

    with tempfile.TemporaryDirectory() as work:
        floor = pathlib.Path(work) / "floor.html"
        floor.write_bytes(re.sub(rb"<script>.*?</script>", b"", data, flags=re.S))
        options = webdriver.ChromeOptions()
        options.binary_location = "/usr/bin/chromium"
        for argument in ("--headless", "--no-sandbox", "--disable-gpu", "--no-first-run",
                         "--disable-background-networking", "--disable-component-update",
                         "--disable-sync", "--window-size=800,600",
                         f"--user-data-dir={work}/profile"):
            options.add_argument(argument)
        driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
        times = {"page": [], "ready": [], "floor": []}
        wait = """const [name, done] = arguments;
            const look = () => { const e = performance.getEntriesByName(name);
                                 e.length ? done(e[0].startTime) : setTimeout(look, 5); };
            look();"""
        try:
            for run in range(loads):
                for kind in ("page", "floor"):
                    driver.get("about:blank")
                    driver.get((page if kind == "page" else floor).as_uri())
                    times[kind].append(driver.execute_async_script(wait, "first-contentful-paint"))
                    if kind == "page":
                        # Ready for clicks: the handlers are attached and the form is painted.
                        handlers = driver.execute_async_script(wait, "bodytype-ready")
                        times["ready"].append(max(handlers, times["page"][-1]))
                print(f"run {run + 1:2}: page paint {times['page'][-1]:6.1f} ms, ready "
                      f"{times['ready'][-1]:6.1f} ms; floor paint {times['floor'][-1]:6.1f} ms")
        finally:
            driver.quit()

    median = {kind: statistics.median(values) for kind, values in times.items()}
    print(f"medians over {loads} loads: page first paint {median['page']:.1f} ms, ready "
          f"{median['ready']:.1f} ms; floor first paint {median['floor']:.1f} ms")
    print(f"ready / floor's first paint: {median['ready'] / median['floor']:.2f} "
          f"(goal: at most {READY_GOAL})")


if __name__ == "__main__":
    main()
