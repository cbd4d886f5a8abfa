#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The bodytype developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""The web page in a real browser, headless Chromium driven through chromedriver: opened from a
file and from a web server on 127.0.0.1, then with that server stopped.

usage: web_page.py BUILD_DIR   (BUILD_DIR holds bodytype.html, site/ and form.json)
"""
import functools
import http.server
import io
import json
import pathlib
import random
import sys
import tempfile
import threading
import time
import urllib.request

from PIL import Image
from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

from checking import check, finish

build = pathlib.Path(sys.argv[1])
form = json.loads((build / "form.json").read_text(encoding="utf-8"))
controls = {c["name"]: c for c in form["controls"]}
per_pixel = form["twipsPerPixel"]
intro = (pathlib.Path(__file__).parent.parent / "assets/introtext.txt").read_text(encoding="utf-8")



def start_browser(profile):
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for argument in ("--headless", "--no-sandbox", "--disable-gpu", "--no-first-run",
                     "--disable-background-networking", "--disable-component-update",
                     "--disable-sync", "--disable-quic", "--window-size=800,600",
                     "--force-device-scale-factor=1", "--hide-scrollbars",
                     f"--user-data-dir={profile}"):
        options.add_argument(argument)
    options.set_capability("goog:loggingPrefs", {"performance": "ALL"})
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)


def ready(driver):
    driver.execute_async_script(
        "const done = arguments[0];"
        "const wait = () => performance.getEntriesByName('bodytype-ready').length ? done()"
        " : setTimeout(wait, 10); wait();")


# --- what a user sees and does -------------------------------------------------------------
STATE = """
const marked = (name) => { const b = document.querySelector(`input[name=${name}]:checked`);
                           return b ? Number(b.value) : -1; };
return {ratingMark: marked('Option1'), componentMark: marked('Option2'),
        text: document.getElementById('Text1_0').value};
"""


class Model:
    """The program as its user expects it to behave."""

    names = ("ендоморфен (пикничен)", "мезоморфен (атлетичен)", "ектоморфен (астеничен)")

    def __init__(self):
        self.ratings = [0, 0, 0]
        self.current = 0
        self.component_mark = -1
        self.rating_mark = -1
        self.text = intro.replace("\r\n", "\n")

    def component(self, k):
        self.current = self.component_mark = k
        self.rating_mark = self.ratings[k]

    def rating(self, r):
        self.ratings[self.current] = self.rating_mark = r

    def output(self):
        lines = ["Въведеният тип е:"]
        for name, n in zip(self.names, self.ratings):
            lines.append(f"{name}: {n}" + ("  ???" if n < 1 else "") +
                         ("  Явно определен!" if n == 7 else ""))
        # A text box holds line breaks as LF, whatever the text put into it had.
        self.text = "\n".join(lines) + "\n"

    def clear(self):
        self.ratings = [0, 0, 0]
        self.component_mark = self.rating_mark = -1


class Page:
    def __init__(self, driver):
        self.driver = driver

    def element(self, name):
        return self.driver.find_element(By.ID, name)

    def radio(self, group, index):
        return self.element(f"{group}_{index}").find_element(By.TAG_NAME, "input")

    def click(self, name):
        self.element(name).click()

    def state(self):
        return self.driver.execute_script(STATE)

    def differs(self, model):
        state = self.state()
        wanted = {"ratingMark": model.rating_mark, "componentMark": model.component_mark,
                  "text": model.text}
        return {k: (state[k], v) for k, v in wanted.items() if state[k] != v}


def play(page, model, steps, what="sequence"):
    """Runs the steps on the page and the model, comparing them after every step."""
    done = []
    for step in steps:
        kind, arg = step
        if kind == "component":
            page.click(f"Option2_{arg}")
            model.component(arg)
        elif kind == "rating":
            page.click(f"Option1_{arg}")
            model.rating(arg)
        elif kind == "space":
            # Space on a focused rating selects it, as a click does.
            page.driver.execute_script("arguments[0].focus()", page.radio("Option1", arg))
            ActionChains(page.driver).send_keys(Keys.SPACE).perform()
            model.rating(arg)
        elif kind == "arrow":
            # An arrow moves the mark to the next button of the focused one's panel, and from the
            # last back to the first, as browsers move within a group of radio buttons.
            group, start, forward = arg
            count = 8 if group == "Option1" else 3
            page.driver.execute_script("arguments[0].focus()", page.radio(group, start))
            ActionChains(page.driver).send_keys(Keys.RIGHT if forward else Keys.LEFT).perform()
            to = (start + (1 if forward else -1)) % count
            model.rating(to) if group == "Option1" else model.component(to)
        elif kind == "output":
            page.click("Command1_0")
            model.output()
        elif kind == "clear":
            page.click("Command1_1")
            model.clear()
        done.append(step)
        difference = page.differs(model)
        if difference:
            check(False, f"{what}: after {done[-8:]}: {difference}")
            return
    check(True, what)


def random_steps(seed, count):
    rng = random.Random(seed)
    for _ in range(count):
        action = rng.randrange(100)
        if action < 25:
            yield ("component", rng.randrange(3))
        elif action < 45:
            yield ("rating", rng.randrange(8))
        elif action < 55:
            yield ("space", rng.randrange(8))
        elif action < 70:
            group = rng.choice(("Option1", "Option2"))
            yield ("arrow", (group, rng.randrange(8 if group == "Option1" else 3),
                             rng.random() < 0.5))
        elif action < 85:
            yield ("output", None)
        else:
            yield ("clear", None)


# --- the checks ---------------------------------------------------------------------------
def check_start(page, what):
    driver = page.driver
    check(driver.title == " ".join(form["title"].split()), f"{what}: the title")
    check(page.differs(Model()) == {}, f"{what}: the introductory text and no mark at start")
    check(driver.execute_script("return document.activeElement.id") == "Text1_0",
          f"{what}: the result box has the focus")
    check(driver.execute_script("return document.querySelector('link[rel=icon]') !== null"),
          f"{what}: the icon")


def check_layout(page):
    """Every control at its place, at 100 %: twips / 15 from its container."""
    rects = page.driver.execute_script("""
        const origin = document.getElementById('form').getBoundingClientRect();
        const out = {form: [origin.width, origin.height]};
        for (const e of document.querySelectorAll('#form .control')) {
            const r = e.getBoundingClientRect();
            out[e.id] = [r.left - origin.left, r.top - origin.top, r.width, r.height];
        }
        return out;""")
    check(rects["form"] == [form["place"][2] / per_pixel, form["place"][3] / per_pixel],
          f"the form's size {rects['form']}")
    expected = {}
    for control in form["controls"]:
        expected[control["name"]] = control["place"]
        for button in control.get("buttons", []):
            x, y, w, h = button["place"]
            expected[button["name"]] = [x + control["place"][0], y + control["place"][1], w, h]
    check(sorted(expected) == sorted(k for k in rects if k != "form"), "every control is there")
    for name, place in expected.items():
        got = rects.get(name, [0, 0, 0, 0])
        check(all(abs(g - p / per_pixel) < 0.05 for g, p in zip(got, place)),
              f"{name} at {got}, not {[p / per_pixel for p in place]}")
    texts = page.driver.execute_script("""
        return [...document.querySelectorAll('#form .control')].map(e => [e.id,
            e.textContent, e.scrollWidth <= e.clientWidth]);""")
    for name, text, fits in texts:
        if name in controls and "caption" in controls[name]:
            check(text == controls[name]["caption"], f"{name}'s caption {text!r}")
        if not name.startswith("Text1"):
            check(fits, f"{name}'s text fits its control")


def pixel(image, x, y):
    return image.getpixel((int(x), int(y)))[:3]


def check_colours(page, what):
    image = Image.open(io.BytesIO(page.driver.get_screenshot_as_png())).convert("RGB")
    spots = page.driver.execute_script("""
        const spot = (e, dx, dy) => { const r = e.getBoundingClientRect();
            return [dx >= 0 ? r.left + dx : r.right + dx, dy >= 0 ? r.top + dy : r.bottom + dy]; };
        const out = {form: spot(document.getElementById('form'), 2, -2)};
        for (const e of document.querySelectorAll('.label, .option'))
            out[e.id] = spot(e, 1, 1);
        for (const e of document.querySelectorAll('.panel')) out[e.id] = spot(e, -2, -2);
        for (const e of document.querySelectorAll('.command')) out[e.id] = spot(e, 3, 3);
        return out;""")
    colours = {"form": form["colour"]}
    for control in form["controls"]:
        if "colour" in control:
            colours[control["name"]] = control["colour"]
        for button in control.get("buttons", []):
            colours[button["name"]] = button["colour"]
    for name, (x, y) in spots.items():
        want = tuple(int(colours[name][i:i + 2], 16) for i in (1, 3, 5))
        got = pixel(image, x, y)
        check(all(abs(a - b) <= 2 for a, b in zip(got, want)),
              f"{what}: {name} is {got}, not {want}")
    # Dark text on the light form; the result box reads in either scheme.
    styles = page.driver.execute_script("""
        const c = (e) => getComputedStyle(e);
        const box = c(document.getElementById('Text1_0'));
        return {label: c(document.getElementById('Label1_0')).color,
                option: c(document.getElementById('Option2_0')).color,
                command: c(document.getElementById('Command1_0')).color,
                boxText: box.color, boxBack: box.backgroundColor};""")

    def lightness(css):
        r, g, b = (int(v) for v in css[css.index("(") + 1:css.index(")")].split(",")[:3])
        return (max(r, g, b) + min(r, g, b)) / 2

    for name in ("label", "option", "command"):
        check(lightness(styles[name]) < 64, f"{what}: dark text on the {name}")
    check(abs(lightness(styles["boxText"]) - lightness(styles["boxBack"])) >= 128,
          f"{what}: the result box's text reads: {styles['boxText']} on {styles['boxBack']}")
    return styles


def check_keyboard(page):
    driver = page.driver
    driver.execute_script("document.getElementById('Text1_0').focus()")
    order = []
    for _ in range(6):
        ActionChains(driver).send_keys(Keys.TAB).perform()
        order.append(driver.execute_script(
            "const e = document.activeElement;"
            "return e.closest('.control') ? e.closest('.control').id : e.tagName;"))
    check(order[:5] == ["Picture1", "Option1_0", "Option2_0", "Command1_0", "Command1_1"],
          f"the tab order {order}")
    # Enter and Esc press no button.
    before = page.state()
    driver.execute_script("document.getElementById('Text1_0').focus()")
    ActionChains(driver).send_keys(Keys.ENTER).send_keys(Keys.ESCAPE).perform()
    check(page.state() == before, "Enter and Esc press nothing")
    # Space presses the focused button.
    driver.execute_script("document.getElementById('Command1_0').focus()")
    ActionChains(driver).send_keys(Keys.SPACE).perform()
    check(page.state()["text"].startswith("Въведеният тип е:"), "Space presses a button")


def check_accessibility(page):
    nodes = page.driver.execute_cdp_cmd("Accessibility.getFullAXTree", {})["nodes"]

    def value(node, key):
        return (node.get(key) or {}).get("value")

    def props(node):
        return {p["name"]: p["value"].get("value") for p in node.get("properties", [])}

    found = {}
    for node in nodes:
        if not node.get("ignored"):
            found.setdefault((value(node, "role"), value(node, "name")), []).append(node)

    def one(role, name):
        got = found.get((role, name), [])
        check(len(got) == 1, f"one {role} named {name!r}, found {len(got)}")
        return got[0] if got else {}

    for control in form["controls"]:
        if control["kind"] == "panel":
            one("radiogroup", controls[control["labelledBy"]]["caption"])
            for button in control["buttons"]:
                checked = props(one("radio", button["caption"])).get("checked")
                check(checked in ("false", False), f"{button['name']} not checked: {checked}")
        elif control["kind"] == "command":
            one("button", control["caption"])
        elif control["kind"] == "label":
            check(any(k[1] == control["caption"] for k in found), f"label {control['name']}")
    chart = one("image", controls["Picture1"]["label"])
    check(value(chart, "description") == controls["Picture1"]["description"],
          "the chart's description")
    check(props(chart).get("focusable") is True, "the chart takes the focus")
    box = one("textbox", controls["Text1_0"]["label"])
    check(props(box).get("readonly") is True, "the result box is read-only")
    check(value(box, "description") == controls["Text1_0"]["description"],
          "the result box's description")


def check_stop(page):
    """An error in the sheet or a control stops the page with the desktop's message."""
    driver = page.driver
    for provoke, detail in (
            # The sheet's range error: a component index outside its table.
            ("document.querySelector('#Option2_2 input').value = '4';", "SelectComponent"),
            # A stored rating with no button to mark.
            ("document.querySelector('#Option1_7 input').value = '9';", "no option button 9")):
        driver.refresh()
        ready(driver)
        driver.execute_script(provoke)
        if detail == "SelectComponent":
            page.click("Option2_2")
        else:
            page.click("Option2_1")
            page.click("Option1_7")
            page.click("Option2_0")
            page.click("Option2_1")
        shown = driver.execute_script(
            "const e = document.getElementById('error');"
            "return {hidden: e.hidden, text: e.innerText, focused: document.activeElement === e,"
            "        inert: document.getElementById('form').inert};")
        check(not shown["hidden"] and form["error"]["text"] in shown["text"] and
              "bodytype: run-time error: " in shown["text"] and detail in shown["text"],
              f"the error is shown: {shown}")
        check(shown["focused"] and shown["inert"], f"the stopped form takes no input: {shown}")
        before = page.state()
        ActionChains(driver).move_to_element(page.element("Option1_3")).click().perform()
        check(page.state() == before, "no handler runs after an error")


def check_fits(page, width, height, scale, what):
    """No horizontal scrolling; a tap lands on the control under the finger."""
    driver = page.driver
    driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
        "width": width, "height": height, "deviceScaleFactor": scale, "mobile": width < 500})
    driver.execute_script("dispatchEvent(new Event('resize'))")
    sizes = driver.execute_script("""
        const d = document.documentElement, r = document.getElementById('form').getBoundingClientRect();
        return [d.scrollWidth, d.clientWidth, r.left, r.right, r.width / 506];""")
    check(sizes[0] <= sizes[1] and sizes[2] >= 0 and sizes[3] <= sizes[1],
          f"{what}: no horizontal scrolling {sizes}")
    for name in ("Option1_6", "Option2_2", "Command1_0"):
        x, y = driver.execute_script(
            "const r = arguments[0].getBoundingClientRect();"
            "return [r.left + r.width / 2, r.top + r.height / 2];", page.element(name))
        for kind in ("touchStart", "touchEnd"):
            driver.execute_cdp_cmd("Input.dispatchTouchEvent", {
                "type": kind, "touchPoints": [{"x": x, "y": y}] if kind == "touchStart" else []})
    def hit(state):
        return (state["ratingMark"], state["componentMark"]) == (0, 2) and \
            state["text"].startswith("Въведеният тип е:")

    # A tap becomes a click once the browser has recognised the gesture, which may come later.
    state = page.state()
    for _ in range(100):
        if hit(state):
            break
        time.sleep(0.02)
        state = page.state()
    check(hit(state), f"{what}: taps hit their controls {state}")
    driver.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})


def requests_made(driver):
    """(document, address) of what the browser asked for since the last call."""
    made = []
    for entry in driver.get_log("performance"):
        message = json.loads(entry["message"])["message"]
        if message["method"] == "Network.requestWillBeSent":
            made.append((message["params"].get("documentURL", ""),
                         message["params"]["request"]["url"]))
    return made


def check_private(driver, own, what):
    # The browser's own pages (its new-tab page) are not the page's.
    ours = [url for document, url in requests_made(driver) if document.startswith(own)]
    outside = [url for url in ours if not url.startswith(("data:", own))]
    check(ours and not outside, f"{what}: requests beyond the page's own files: {outside[:5]}")
    errors = [e["message"][:200] for e in driver.get_log("browser") if e["level"] == "SEVERE"]
    check(not errors, f"{what}: nothing blocked or failed in the console: {errors}")
    stored = driver.execute_async_script("""
        const done = arguments[0];
        indexedDB.databases().then(dbs => done({cookies: document.cookie,
            local: localStorage.length, session: sessionStorage.length, idb: dbs.length}));""")
    check(stored == {"cookies": "", "local": 0, "session": 0, "idb": 0},
          f"{what}: nothing stored {stored}")


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


def check_site(driver):
    site = build / "site"
    server = http.server.ThreadingHTTPServer(
        ("127.0.0.1", 0), functools.partial(QuietHandler, directory=str(site)))
    thread = threading.Thread(target=server.serve_forever, daemon=True)
    thread.start()
    origin = f"http://127.0.0.1:{server.server_address[1]}/"
    page = Page(driver)
    requests_made(driver)
    try:
        driver.get(origin)
        ready(driver)
        check_start(page, "served")
        controlled = driver.execute_async_script("""
            const done = arguments[0];
            navigator.serviceWorker.ready.then(() => {
                const wait = () => navigator.serviceWorker.controller ? done(true)
                                                                     : setTimeout(wait, 20);
                wait(); });""")
        check(controlled, "the service worker controls the page")
        errors = driver.execute_cdp_cmd("Page.getInstallabilityErrors", {})
        check(errors.get("installabilityErrors") == [], f"installable: {errors}")
        check_private(driver, origin, "served")
        cached = driver.execute_async_script(
            "caches.keys().then(arguments[0])")
        check(len(cached) == 1 and cached[0].startswith("bodytype-"), f"one cache: {cached}")
    finally:
        server.shutdown()
        server.server_close()
    try:
        urllib.request.urlopen(origin, timeout=2)
        check(False, "the server is stopped")
    except OSError:
        pass
    # Chromium's own HTTP cache would bring the page back without any worker.
    driver.execute_cdp_cmd("Network.setCacheDisabled", {"cacheDisabled": True})
    driver.get(origin)
    ready(driver)
    check_start(page, "offline")
    play(page, Model(), [("rating", 5), ("component", 1), ("rating", 7), ("output", None)],
         what="offline")
    driver.execute_cdp_cmd("Network.setCacheDisabled", {"cacheDisabled": False})


def main():
    with tempfile.TemporaryDirectory() as profile:
        driver = start_browser(profile)
        try:
            page = Page(driver)
            requests_made(driver)
            driver.get((build / "bodytype.html").resolve().as_uri())
            ready(driver)
            check_start(page, "from a file")
            check_layout(page)
            light = check_colours(page, "light")
            check_accessibility(page)
            check_keyboard(page)
            check_private(driver, "file://", "from a file")

            driver.execute_cdp_cmd("Emulation.setEmulatedMedia", {
                "features": [{"name": "prefers-color-scheme", "value": "dark"}]})
            dark = check_colours(page, "dark")
            check(dark["boxBack"] != light["boxBack"], "the result box follows the dark scheme")
            driver.execute_cdp_cmd("Emulation.setEmulatedMedia", {"features": []})

            # The edge cases of the handlers, then a long seeded sequence, against the model.
            sequences = {
                "a rating before any component": [("rating", 5), ("output", None)],
                "a component shows its rating": [("component", 1), ("rating", 6),
                                                 ("component", 2), ("component", 1)],
                "clear keeps the component and the text": [
                    ("component", 2), ("rating", 4), ("output", None), ("clear", None),
                    ("rating", 3), ("output", None)],
                "output twice": [("rating", 7), ("output", None), ("output", None)],
                "clear then output": [("rating", 2), ("clear", None), ("output", None)],
                "a marked button clicked again": [("component", 0), ("component", 0),
                                                  ("rating", 3), ("rating", 3), ("output", None)],
            }
            for what, steps in sequences.items():
                driver.refresh()
                ready(driver)
                play(page, Model(), steps, what=what)
            for seed in (1, 20261209):
                driver.refresh()
                ready(driver)
                play(page, Model(), random_steps(seed, 150), what=f"seed {seed}")

            for width, height, what in ((360, 640, "360 x 640 phone"),
                                        (320, 568, "320 x 568 phone"), (400, 300, "200 % zoom")):
                driver.refresh()
                ready(driver)
                check_fits(page, width, height, 2, what)
            check_stop(page)
            check_site(driver)
        finally:
            driver.quit()

    return finish()


if __name__ == "__main__":
    sys.exit(main())
