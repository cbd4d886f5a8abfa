#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The bodytype developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""The web page in one of the three browser engines, Chromium, Firefox and WebKit, one group of
checks at a time, each failure named:
  window    the window at a desktop's width and on phones held sideways, light and dark, with an
            accessibility audit by axe-core, and the keyboard
  column    the one-column layout in a phone's viewport (an iframe of the phone's size on a page
            served from 127.0.0.1), light and dark, audited too
  handlers  the handlers' edge cases and seeded random sequences, clicked and tapped
  stop      an internal error shown, with the form stopped
  devtools  (Chromium) the accessibility tree, the requests made, touch screens and tablets
  site      (Chromium) the page served, installed, offline, and updated beside other apps

usage: web_page.py BUILD_DIR AXE_JS ENGINE GROUP
(BUILD_DIR holds bodytype.html, site/ and form.json; AXE_JS is axe-core's axe.min.js; ENGINE is
chromium, firefox or webkit; WebKit needs DISPLAY)
"""
import contextlib
import functools
import http.server
import io
import json
import pathlib
import random
import re
import shutil
import sys
import tempfile
import threading
import time
import urllib.parse
import urllib.request

from PIL import Image

from browsers import ENGINES, NotInteractable, browser

top = pathlib.Path(__file__).resolve().parent.parent.parent
sys.path.insert(0, str(top / "tests" / "lib"))
sys.path.insert(0, str(top / "web"))
from checking import check, finish  # noqa: E402
import makepage  # noqa: E402  (the page's maker, which names the worker's cache)

build = pathlib.Path(sys.argv[1]).resolve()
axe_source = pathlib.Path(sys.argv[2]).read_text(encoding="utf-8")
engine, group = sys.argv[3:5] if len(sys.argv) == 5 else ("", "")
form = json.loads((build / "form.json").read_text(encoding="utf-8"))
controls = {c["name"]: c for c in form["controls"]}
per_pixel = form["twipsPerPixel"]
intro = (top / "assets/introtext.txt").read_text(encoding="utf-8")
# Phones held upright, where the page is one column, and sideways, where it is the window.
PHONES = ((360, 640), (320, 568))
SIDEWAYS = ((640, 360), (740, 360))
AXE_TAGS = ["wcag2a", "wcag2aa", "wcag21a", "wcag21aa", "wcag22aa", "best-practice"]


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


def state(b):
    return b.script(STATE)


def differs(b, model):
    now = state(b)
    wanted = {"ratingMark": model.rating_mark, "componentMark": model.component_mark,
              "text": model.text}
    return {k: (now[k], v) for k, v in wanted.items() if now[k] != v}


def play(b, model, steps, what, press):
    """Runs the steps on the page and the model, comparing them after every step; press is
    how a control is pressed: a click or a tap."""
    done = []
    for step in steps:
        kind, arg = step
        if kind == "component":
            press(f"#Option2_{arg}")
            model.component(arg)
        elif kind == "rating":
            press(f"#Option1_{arg}")
            model.rating(arg)
        elif kind == "space":
            # Space on a focused rating selects it, as a click does.
            b.script("document.querySelector(arguments[0]).focus()", f"#Option1_{arg} input")
            b.keys("space")
            model.rating(arg)
        elif kind == "arrow":
            # An arrow moves the mark to the next button of the focused one's panel, and in
            # Chromium and Firefox from the last back to the first; WebKit stops at either end.
            group, start, forward = arg
            count = 8 if group == "Option1" else 3
            b.script("document.querySelector(arguments[0]).focus()", f"#{group}_{start} input")
            b.keys("right" if forward else "left")
            to = start + (1 if forward else -1)
            if b.name != "webkit":
                to %= count
            if 0 <= to < count:
                model.rating(to) if group == "Option1" else model.component(to)
        elif kind == "output":
            press("#Command1_0")
            model.output()
        elif kind == "clear":
            press("#Command1_1")
            model.clear()
        done.append(step)
        difference = differs(b, model)
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


# The edge cases of the handlers.
SEQUENCES = {
    "a rating before any component": [("rating", 5), ("output", None)],
    "a component shows its rating": [("component", 1), ("rating", 6), ("component", 2),
                                     ("component", 1)],
    "clear keeps the component and the text": [
        ("component", 2), ("rating", 4), ("output", None), ("clear", None), ("rating", 3),
        ("output", None)],
    "output twice": [("rating", 7), ("output", None), ("output", None)],
    "clear then output": [("rating", 2), ("clear", None), ("output", None)],
    "a marked button clicked again": [("component", 0), ("component", 0), ("rating", 3),
                                      ("rating", 3), ("output", None)],
}


# --- serving the page ----------------------------------------------------------------------
class Handler(http.server.SimpleHTTPRequestHandler):
    """The build folder, and /phone?width=W&height=H: the page in a frame of a phone's size;
    with the headers given to every answer."""

    def __init__(self, *args, headers=(), **kwargs):
        self.headers_given = headers
        super().__init__(*args, **kwargs)

    def end_headers(self):
        for name, value in self.headers_given:
            self.send_header(name, value)
        super().end_headers()

    def do_GET(self):
        address = urllib.parse.urlsplit(self.path)
        if address.path != "/phone":
            return super().do_GET()
        size = {k: int(v[0]) for k, v in urllib.parse.parse_qs(address.query).items()}
        body = ('<!DOCTYPE html><html lang="en"><title>phone</title>'
                '<body style="margin:0"><iframe id="phone" title="page" src="bodytype.html" '
                f'width="{size["width"]}" height="{size["height"]}" '
                'style="border:0; display:block"></iframe></body></html>').encode()
        self.send_response(200)
        self.send_header("Content-Type", "text/html; charset=utf-8")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, *args):
        pass


@contextlib.contextmanager
def server(folder, headers=()):
    serving = http.server.ThreadingHTTPServer(
        ("127.0.0.1", 0), functools.partial(Handler, directory=str(folder), headers=headers))
    thread = threading.Thread(target=serving.serve_forever, daemon=True)
    thread.start()
    try:
        yield f"http://127.0.0.1:{serving.server_address[1]}/"
    finally:
        serving.shutdown()
        serving.server_close()


def open_page(b, url):
    b.open(url)
    b.ready()


def open_phone(b, origin, width, height):
    b.open(f"{origin}phone?width={width}&height={height}")
    b.frame("#phone")
    b.ready()


def column_layout(b):
    return b.script("return matchMedia(document.getElementById('form').dataset.columnMedia)"
                    ".matches")


# --- the checks ----------------------------------------------------------------------------
def check_start(b, what, focus="Text1_0"):
    check(b.script("return document.title") == " ".join(form["title"].split()),
          f"{what}: the title")
    check(differs(b, Model()) == {}, f"{what}: the introductory text and no mark at start")
    focused = b.script("return document.activeElement.id")
    check(focused == focus, f"{what}: the focus at start is on {focused!r}, not {focus!r}")
    check(b.script("return document.querySelector('link[rel=icon]') !== null"),
          f"{what}: the icon")
    heading = b.script("""
        const h = [...document.querySelectorAll('h1')];
        return h.map(e => [e.id, e.textContent, getComputedStyle(e).fontWeight]);""")
    title = next(c for c in form["controls"] if c.get("heading"))
    check(heading == [[title["name"], title["caption"], "400"]],
          f"{what}: one level-one heading, the title, in the form's plain font: {heading}")
    check(b.script("return document.querySelector('#Picture1 img').src.startsWith("
                   "'data:image/svg+xml,')"), f"{what}: the chart is a drawing, sharp at any size")


def check_layout(b, what):
    """Every control at its place, at 100 %: twips / 15 from its container."""
    rects = b.script("""
        const origin = document.getElementById('form').getBoundingClientRect();
        const out = {form: [origin.width, origin.height]};
        for (const e of document.querySelectorAll('#form .control')) {
            const r = e.getBoundingClientRect();
            out[e.id] = [r.left - origin.left, r.top - origin.top, r.width, r.height];
        }
        return out;""")
    check(rects["form"] == [form["place"][2] / per_pixel, form["place"][3] / per_pixel],
          f"{what}: the form's size {rects['form']}")
    expected = {}
    for control in form["controls"]:
        expected[control["name"]] = control["place"]
        for button in control.get("buttons", []):
            x, y, w, h = button["place"]
            expected[button["name"]] = [x + control["place"][0], y + control["place"][1], w, h]
    check(sorted(expected) == sorted(k for k in rects if k != "form"),
          f"{what}: every control is there")
    for name, place in expected.items():
        got = rects.get(name, [0, 0, 0, 0])
        check(all(abs(g - p / per_pixel) < 0.05 for g, p in zip(got, place)),
              f"{what}: {name} at {got}, not {[p / per_pixel for p in place]}")
    texts = b.script("""
        return [...document.querySelectorAll('#form .control')].map(e => [e.id,
            e.textContent, e.scrollWidth <= e.clientWidth]);""")
    for name, text, fits in texts:
        if name in controls and "caption" in controls[name]:
            check(text == controls[name]["caption"], f"{what}: {name}'s caption {text!r}")
        if not name.startswith("Text1"):
            check(fits, f"{what}: {name}'s text fits its control")


def described_colours():
    colours = {"form": form["colour"]}
    for control in form["controls"]:
        if "colour" in control:
            colours[control["name"]] = control["colour"]
        for button in control.get("buttons", []):
            colours[button["name"]] = button["colour"]
    return colours


def rgb(hex_colour):
    return tuple(int(hex_colour[i:i + 2], 16) for i in (1, 3, 5))


SPOTS = """
const spot = (e, dx, dy) => { const r = e.getBoundingClientRect();
    return [dx >= 0 ? r.left + dx : r.right + dx, dy >= 0 ? r.top + dy : r.bottom + dy]; };
const out = {form: spot(document.getElementById('form'), 2, -2)};
for (const e of document.querySelectorAll('.label, .option')) out[e.id] = spot(e, 1, 1);
for (const e of document.querySelectorAll('.panel')) out[e.id] = spot(e, -2, -2);
for (const e of document.querySelectorAll('.command')) out[e.id] = spot(e, 3, 3);
// Only what is on screen; in a frame, the frame stands at the top-left of the page.
return Object.fromEntries(Object.entries(out).filter(([, [x, y]]) =>
    x >= 0 && y >= 0 && x < innerWidth && y < innerHeight));"""


def check_colours(b, what):
    """The description's colours, read from a screenshot where the controls are on screen;
    dark text on them, and a result box that reads in either scheme."""
    colours = described_colours()
    seen = set()
    # In the column, the lower half is on screen only once scrolled to.
    for scroll in ("scrollTo(0, 0)", "scrollTo(0, document.documentElement.scrollHeight)"):
        b.script(scroll)
        b.settle()
        spots = b.script(SPOTS)
        b.frame()
        image = Image.open(io.BytesIO(b.screenshot())).convert("RGB")
        if b.script("return document.getElementById('phone') !== null"):
            b.frame("#phone")
        for name, (x, y) in spots.items():
            want = rgb(colours[name])
            got = image.getpixel((int(x), int(y)))[:3]
            check(all(abs(a - c) <= 2 for a, c in zip(got, want)),
                  f"{what}: {name} is {got}, not {want}")
            seen.add(name)
    check(seen == set(colours), f"{what}: colours seen of {sorted(seen)}")
    b.script("scrollTo(0, 0)")
    styles = b.script("""
        const c = (e) => getComputedStyle(e);
        const box = c(document.getElementById('Text1_0'));
        return {label: c(document.getElementById('Label1_0')).color,
                option: c(document.getElementById('Option2_0')).color,
                command: c(document.getElementById('Command1_0')).color,
                boxText: box.color, boxBack: box.backgroundColor};""")

    def lightness(css):
        values = css[css.index("(") + 1:css.index(")")].replace(",", " ").split()
        r, g, c = (float(v) for v in values[:3])
        return (max(r, g, c) + min(r, g, c)) / 2

    for name in ("label", "option", "command"):
        check(lightness(styles[name]) < 64, f"{what}: dark text on the {name}")
    check(abs(lightness(styles["boxText"]) - lightness(styles["boxBack"])) >= 128,
          f"{what}: the result box's text reads: {styles['boxText']} on {styles['boxBack']}")
    return styles


def focus_order(b, start, count):
    """The controls that Tab visits after the start."""
    b.script(start)
    order = []
    for _ in range(count):
        b.keys("tab")
        order.append(b.script(
            "const e = document.activeElement;"
            "return e.closest('.control') ? e.closest('.control').id : e.tagName;"))
    return order


def check_keyboard(b, what):
    order = focus_order(b, "document.getElementById('Text1_0').focus()", 5)
    check(order == ["Picture1", "Option1_0", "Option2_0", "Command1_0", "Command1_1"],
          f"{what}: the tab order {order}")
    # Enter and Esc press no button.
    before = state(b)
    b.script("document.getElementById('Text1_0').focus()")
    b.keys("enter", "escape")
    check(state(b) == before, f"{what}: Enter and Esc press nothing")
    # Space presses the focused button.
    b.script("document.getElementById('Command1_0').focus()")
    b.keys("space")
    check(state(b)["text"].startswith("Въведеният тип е:"), f"{what}: Space presses a button")


def check_column(b, width, what):
    """The one-column layout: order, sizes for fingers, and nothing changed but places."""
    check(column_layout(b), f"{what}: one column")
    got = b.script("""
        const form = document.getElementById('form');
        const box = (e) => { const r = e.getBoundingClientRect();
                             return [r.left, r.top, r.width, r.height]; };
        const targets = {};
        for (const e of form.querySelectorAll('.option, .command')) {
            const s = getComputedStyle(e);
            targets[e.id] = {box: box(e), font: parseFloat(s.fontSize),
                             mark: e.querySelector('input') ? box(e.querySelector('input')) : null};
        }
        const picture = form.querySelector('#Picture1 img');
        const text = document.getElementById('Text1_0');
        return {
            order: [...form.children].map(e => e.id),
            onScreen: [...form.children].map(e => [e.id, ...box(e)]),
            targets,
            transform: getComputedStyle(form).transform,
            labels: [...form.querySelectorAll('.label')].map(e =>
                parseFloat(getComputedStyle(e).fontSize)),
            picture: box(picture), column: form.getBoundingClientRect().width,
            text: [text.clientHeight, parseFloat(getComputedStyle(text).lineHeight)],
            scroll: [document.documentElement.scrollWidth,
                     document.documentElement.clientWidth],
            tabindex: [...document.querySelectorAll('[tabindex]')].map(e => e.tabIndex),
            ratings: [...form.querySelectorAll('input[name=Option1]')].map(e => {
                const r = e.getBoundingClientRect(); return [Number(e.value), r.top, r.left]; }),
        };""")
    check(got["order"] == form["columnOrder"], f"{what}: the order {got['order']}")
    # On screen, top to bottom and, within a row, left to right, as the document has them.
    on_screen = [name for name, *_ in sorted(got["onScreen"], key=lambda e: (round(e[2]), e[1]))]
    check(on_screen == got["order"], f"{what}: the order on screen {on_screen}")
    check(got["scroll"][0] <= got["scroll"][1], f"{what}: no sideways scrolling {got['scroll']}")
    check(got["transform"] == "none", f"{what}: not scaled, {got['transform']}")
    small = {name: t["box"][2:] for name, t in got["targets"].items()
             if t["box"][2] < 44 or t["box"][3] < 44}
    check(not small, f"{what}: targets smaller than 44 x 44: {small}")
    fonts = [t["font"] for t in got["targets"].values()] + got["labels"]
    check(min(fonts) >= 16, f"{what}: captions at {min(fonts)} px")
    marks = [t["mark"][2] for t in got["targets"].values() if t["mark"]]
    check(min(marks) >= 20, f"{what}: marks {min(marks)} px wide")
    rows = {}
    for value, top, left in got["ratings"]:
        rows.setdefault(round(top), []).append((left, value))
    reading = [[value for _, value in sorted(row)] for _, row in sorted(rows.items())]
    check(reading in ([list(range(8))], [list(range(4)), list(range(4, 8))]),
          f"{what}: the ratings read 0 to 7 left to right: {reading}")
    picture = got["picture"]
    check(abs(picture[3] / picture[2] - 194 / 200) < 0.01 and picture[2] >= got["column"] - 40,
          f"{what}: the chart {picture[2:]} as wide as the column {got['column']}")
    check(got["text"][0] >= 8 * got["text"][1], f"{what}: the result box's height {got['text']}")
    check(all(t <= 0 for t in got["tabindex"]), f"{what}: no positive tabindex {got['tabindex']}")
    # Colours from the description still, whatever the scheme.
    computed = b.script("""
        const out = {form: getComputedStyle(document.getElementById('form')).backgroundColor};
        for (const e of document.querySelectorAll('#form [id]'))
            out[e.id] = getComputedStyle(e).backgroundColor;
        return out;""")
    for name, colour in described_colours().items():
        want = "rgb({}, {}, {})".format(*rgb(colour))
        check(computed.get(name) == want, f"{what}: {name}'s colour {computed.get(name)}")

    # Tab, the order of reading and the order on screen agree: from the top of the page down.
    expected = ["Picture1", "Option2_0", "Option1_0", "Command1_0", "Command1_1", "Text1_0"]
    order = focus_order(b, "document.activeElement.blur(); scrollTo(0, 0)", len(expected))
    check(order == expected, f"{what}: the tab order {order}")
    # After "Изведи", the report is in view without scrolling.
    b.script("scrollTo(0, 0)")
    b.tap("#Command1_0")
    seen = b.script("const r = document.getElementById('Text1_0').getBoundingClientRect();"
                    "return [r.top, r.bottom, innerHeight];")
    check(seen[0] >= 0 and seen[1] <= seen[2], f"{what}: the report is in view {seen}")


def check_axe(b, what):
    """No violation that axe-core finds, among the WCAG 2.2 AA rules and its best practice."""
    if not b.script("return typeof axe !== 'undefined'"):
        b.script(axe_source)
    found = b.wait_script(
        "const [tags, done] = arguments;"
        "axe.run(document, {runOnly: {type: 'tag', values: tags}, resultTypes: ['violations']})"
        ".then(r => done(r.violations.map(v => [v.id, v.nodes.slice(0, 4).map(n =>"
        " n.target.join(' '))])), e => done([['axe failed', [String(e)]]]));", AXE_TAGS)
    check(found == [], f"{what}: axe-core finds {found}")


# What stops the page: a button's value changed, the buttons then clicked, and the detail shown.
STOPS = [
    # The sheet's range error: a component index outside its table.
    ("Option2_2", "4", ["Option2_2"], "SelectComponent: component index 4 "),
    # A stored rating with no button to mark.
    ("Option1_7", "9", ["Option2_1", "Option1_7", "Option2_0", "Option2_1"],
     "no option button 9"),
] + [
    # Not the sheet's 16-bit whole numbers: refused, not cut down to another rating.
    ("Option1_3", value, ["Option1_3"], f"SelectRating: rating {shown} is not a whole number")
    for value, shown in (("65536", "65536"), ("-32769", "-32769"), ("1.5", "1.5"),
                         ("NaN", "nan"), ("seven", "nan"))]


def check_stop(b, reopen, what, stops=STOPS):
    """An error in the sheet or a control stops the page with the desktop's message."""
    for button, value, clicks, detail in stops:
        reopen()
        b.script(f"document.querySelector('#{button} input').value = arguments[0];", value)
        for name in clicks:
            b.click(f"#{name}")
        shown = b.script(
            "const e = document.getElementById('error'), r = e.getBoundingClientRect();"
            "return {hidden: e.hidden, text: e.innerText, focused: document.activeElement === e,"
            "        inert: document.getElementById('form').inert,"
            "        inView: r.top >= 0 && r.bottom <= innerHeight && r.right <= innerWidth};")
        check(not shown["hidden"] and form["error"]["text"] in shown["text"] and
              "bodytype: run-time error: " in shown["text"] and detail in shown["text"],
              f"{what}: the error is shown: {shown}")
        check(shown["focused"] and shown["inert"] and shown["inView"],
              f"{what}: the stopped form takes no input: {shown}")
        before = state(b)
        b.script("document.getElementById('Option1_3').scrollIntoView({block: 'center'})")
        try:
            b.pointer("#Option1_3", "mouse")
        except NotInteractable:
            pass
        check(state(b) == before, f"{what}: no handler runs after an error")


def window_checks(b, origin, dark):
    """The window at a desktop's width and on phones held sideways, in one scheme: its start,
    colours, audit and places; in the light scheme also the keyboard."""
    name = f"{b.name}, {'dark' if dark else 'light'}"
    b.size(1280, 800)
    page = origin + "bodytype.html"
    open_page(b, page)
    check(not column_layout(b), f"{name}: the window at 1280 px")
    check_start(b, name)
    styles = check_colours(b, f"{name}, window")
    check_axe(b, f"{name}, window at 1280 px")
    for width, height in SIDEWAYS:
        open_phone(b, origin, width, height)
        what = f"{name}, {width} x {height}"
        check(not column_layout(b), f"{what}: the window")
        check_layout(b, what)
        check_axe(b, what)
    if not dark:
        open_page(b, page)
        check_layout(b, name)
        check_keyboard(b, name)
    return styles


def column_checks(b, origin, dark):
    """The one column on phones held upright, in one scheme: its start, colours and audit; in the
    light scheme also its order, targets, captions, chart and result box."""
    name = f"{b.name}, {'dark' if dark else 'light'}"
    for width, height in PHONES:
        what = f"{name}, {width} x {height}"
        open_phone(b, origin, width, height)
        check_start(b, what, focus="")
        check_colours(b, what)
        check_axe(b, what)
        if not dark:
            open_phone(b, origin, width, height)
            check_column(b, width, what)


def handler_checks(b, origin, dark):
    """The handlers' edge cases and seeded random sequences against the model: clicked in the
    window, tapped in the column."""
    page = origin + "bodytype.html"
    b.size(1280, 800)
    for what, steps in SEQUENCES.items():
        open_page(b, page)
        play(b, Model(), steps, f"{b.name}: {what}", b.click)
    open_page(b, page)
    play(b, Model(), random_steps(1, 150), f"{b.name}: clicks, seed 1", b.click)
    for width, height in PHONES:
        open_phone(b, origin, width, height)
        play(b, Model(), random_steps(20261210 + width, 80), f"{b.name}, {width} x {height}: taps",
             b.tap)


def stop_checks(b, origin, dark):
    """An internal error, provoked by bad values at the sheet's boundary, shown in Bulgarian with
    the form stopped, in the window and in the column."""
    page = origin + "bodytype.html"
    b.size(1280, 800)
    check_stop(b, lambda: open_page(b, page), f"{b.name}, window")
    width, height = PHONES[0]
    check_stop(b, lambda: open_phone(b, origin, width, height), f"{b.name}, {width} x {height}",
               STOPS[:2])


# --- what only Chromium can show -----------------------------------------------------------
def check_accessibility(b):
    nodes = b.cdp("Accessibility.getFullAXTree")["nodes"]

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
        elif control.get("heading"):
            check(props(one("heading", control["caption"])).get("level") == 1,
                  "the title is a heading of level 1")
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


def touch_screen(b, width, height, scale):
    b.cdp("Emulation.setDeviceMetricsOverride", {
        "width": width, "height": height, "deviceScaleFactor": scale, "mobile": True})
    b.cdp("Emulation.setTouchEmulationEnabled", {"enabled": True, "maxTouchPoints": 5})


def plain_screen(b):
    b.cdp("Emulation.setTouchEmulationEnabled", {"enabled": False})
    b.cdp("Emulation.clearDeviceMetricsOverride")


def check_touch(b, page, width, height, what):
    """A real phone's screen: taps, as the browser makes clicks of them, land on their
    controls."""
    touch_screen(b, width, height, 2)
    open_page(b, page)
    sizes = b.script("const d = document.documentElement; return [d.scrollWidth, d.clientWidth]")
    check(sizes[0] <= sizes[1], f"{what}: no sideways scrolling {sizes}")
    for name in ("Option2_2", "Option1_6", "Command1_0"):
        x, y = b.script(
            "const e = document.getElementById(arguments[0]);"
            "e.scrollIntoView({block: 'center'}); const r = e.getBoundingClientRect();"
            "return [r.left + r.width / 2, r.top + r.height / 2];", name)
        for kind in ("touchStart", "touchEnd"):
            b.cdp("Input.dispatchTouchEvent", {
                "type": kind, "touchPoints": [{"x": x, "y": y}] if kind == "touchStart" else []})

        # A tap becomes a click once the browser has recognised the gesture, which may come
        # later.
        def landed():
            now = state(b)
            return {"Option2_2": now["componentMark"] == 2, "Option1_6": now["ratingMark"] == 6,
                    "Command1_0": now["text"].startswith("Въведеният тип е:")}[name]

        for _ in range(100):
            if landed():
                break
            time.sleep(0.02)
        check(landed(), f"{what}: a tap on {name} lands")
    plain_screen(b)


def check_tablets(b, page):
    """A touch screen wider than the window enlarges it, up to twice, within the height where it
    can, never below once."""
    for width, height, expected in ((1024, 768, (768 - 16) / 378), (768, 1024, (768 - 16) / 506),
                                    (1280, 800, 2), (640, 360, 1)):
        touch_screen(b, width, height, 2)
        open_page(b, page)
        got = b.script("""
            const r = document.getElementById('form').getBoundingClientRect();
            const d = document.documentElement;
            return [r.width / 506, r.left, r.right, d.scrollWidth, d.clientWidth,
                    document.getElementById('Option1_0').getBoundingClientRect().height];""")
        what = f"a {width} x {height} touch screen"
        check(abs(got[0] - expected) < 0.01, f"{what}: the window at {got[0]:.3f}x, "
              f"not {expected:.3f}x")
        check(got[1] >= 0 and got[2] <= got[4] and got[3] <= got[4],
              f"{what}: within the width {got}")
        check(abs(got[5] - 19 * expected) < 0.5, f"{what}: targets grow with it: {got[5]}")
    plain_screen(b)


def requests_made(b):
    """(document, address) of what the browser asked for since the last call."""
    made = []
    for entry in b.driver.get_log("performance"):
        message = json.loads(entry["message"])["message"]
        if message["method"] == "Network.requestWillBeSent":
            made.append((message["params"].get("documentURL", ""),
                         message["params"]["request"]["url"]))
    return made


def check_private(b, own, what):
    # The browser's own pages (its new-tab page) are not the page's.
    ours = [url for document, url in requests_made(b) if document.startswith(own)]
    outside = [url for url in ours if not url.startswith(("data:", own))]
    check(ours and not outside, f"{what}: requests beyond the page's own files: {outside[:5]}")
    errors = [e["message"][:200] for e in b.driver.get_log("browser") if e["level"] == "SEVERE"]
    check(not errors, f"{what}: nothing blocked or failed in the console: {errors}")
    stored = b.wait_script("""
        const done = arguments[0];
        indexedDB.databases().then(dbs => done({cookies: document.cookie,
            local: localStorage.length, session: sessionStorage.length, idb: dbs.length}));""")
    check(stored == {"cookies": "", "local": 0, "session": 0, "idb": 0},
          f"{what}: nothing stored {stored}")


def check_site(b):
    """Served, the page is installable and keeps working with the server gone, in both
    layouts."""
    with server(build) as origin:
        site = origin + "site/"
        requests_made(b)
        open_page(b, site)
        check_start(b, "served")
        controlled = b.wait_script("""
            const done = arguments[0];
            navigator.serviceWorker.ready.then(() => {
                const wait = () => navigator.serviceWorker.controller ? done(true)
                                                                     : setTimeout(wait, 20);
                wait(); });""")
        check(controlled, "the service worker controls the page")
        errors = b.cdp("Page.getInstallabilityErrors")
        check(errors.get("installabilityErrors") == [], f"installable: {errors}")
        check_private(b, site, "served")
        cached = b.wait_script("caches.keys().then(arguments[0])")
        check(len(cached) == 1 and cached[0].startswith(f"bodytype {site} "), f"one cache: {cached}")
    try:
        urllib.request.urlopen(site, timeout=2)
        check(False, "the server is stopped")
    except OSError:
        pass
    # Chromium's own HTTP cache would bring the page back without any worker.
    b.cdp("Network.setCacheDisabled", {"cacheDisabled": True})
    open_page(b, site)
    check_start(b, "offline")
    play(b, Model(), [("rating", 5), ("component", 1), ("rating", 7), ("output", None)],
         "offline", b.click)
    touch_screen(b, *PHONES[0], 2)
    open_page(b, site)
    check(column_layout(b), "offline on a phone: one column")
    play(b, Model(), [("component", 2), ("rating", 6), ("output", None)], "offline on a phone",
         b.tap)
    plain_screen(b)
    b.cdp("Network.setCacheDisabled", {"cacheDisabled": False})


def check_update(b):
    """A new build on the server reaches a pupil who has the old one within two loads, though
    the server lets the browser keep its files for an hour, and the worker leaves the caches of
    other apps on the same server alone. Served with the policy of the sample settings."""
    policy = re.search(r'Content-Security-Policy "([^"]*)"',
                       (build / "server/htaccess").read_text(encoding="utf-8"))[1]
    headers = [("Cache-Control", "max-age=3600"), ("Content-Security-Policy", policy)]
    with tempfile.TemporaryDirectory() as root, server(root, headers) as origin:
        served = pathlib.Path(root, "bodytype")
        shutil.copytree(build / "site", served)
        site = origin + "bodytype/"
        open_page(b, site)
        # The worker's state and the caches, once no worker is on its way in.
        settled = """const done = arguments[0];
            navigator.serviceWorker.getRegistration().then(function wait(r) {
                if (r && r.active && !r.installing && !r.waiting
                        && navigator.serviceWorker.controller)
                    caches.keys().then(done);
                else
                    setTimeout(() => navigator.serviceWorker.getRegistration().then(wait), 50);
            });"""
        b.wait_script(settled)
        b.wait_script("const done = arguments[0]; caches.open('another-app')"
                      ".then(c => c.put('/another-app/', new Response('kept'))).then(done);")
        old_title = b.script("return document.title")
        # Version 2: another text, and another name in the manifest only.
        index = served / "index.html"
        index.write_text(index.read_text(encoding="utf-8").replace(
            "<title>", "<title>2 "), encoding="utf-8")
        manifest = served / "manifest.webmanifest"
        manifest.write_text(manifest.read_text(encoding="utf-8").replace(
            '"short_name": "', '"short_name": "2 '), encoding="utf-8")
        makepage.write_worker(served, top / "web")
        new_cache = re.search(r"const cacheName = ownCaches \+ '([^']*)'",
                              (served / "sw.js").read_text(encoding="utf-8"))[1]
        titles = []
        for _ in range(2):
            open_page(b, site)
            titles.append(b.script("return document.title"))
            # A pupil takes a few seconds over the page before loading it again.
            deadline = time.monotonic() + 5
            while (f"bodytype {site} {new_cache}" not in (names := b.wait_script(settled))
                   and time.monotonic() < deadline):
                time.sleep(0.2)
        check(titles[-1] == "2 " + old_title, f"version 2 shows within two loads: {titles}")
        ours = [name for name in names if name.startswith("bodytype ")]
        check(ours == [f"bodytype {site} {new_cache}"] and "another-app" in names,
              f"one cache of the page, version 2's, and the other app's kept: {names}")
        kept = b.wait_script("const done = arguments[0]; caches.match('manifest.webmanifest')"
                             ".then(r => r.json()).then(m => done(m.short_name));")
        check(kept.startswith("2 "), f"the new manifest is kept: {kept}")


def devtools_checks(b, origin, dark):
    """From a file: the accessibility tree, the requests made and nothing stored; then real touch
    screens: phones, 200 % zoom and tablets."""
    page = (build / "bodytype.html").as_uri()
    requests_made(b)
    b.driver.get_log("browser")
    open_page(b, page)
    check_start(b, "from a file")
    check_accessibility(b)
    check_private(b, "file://", "from a file")
    # Zoomed to 200 %, a 800-pixel window is 400 CSS pixels wide: the column.
    for width, height in PHONES + ((400, 300),):
        check_touch(b, page, width, height, f"a {width} x {height} touch screen")
    check_tablets(b, page)


def site_checks(b, origin, dark):
    """From a web server: installable, working offline, and updated beside other apps."""
    check_site(b)
    check_update(b)


# Each group: its checks, and whether they run in the dark scheme too.
GROUPS = {"window": (window_checks, True), "column": (column_checks, True),
          "handlers": (handler_checks, False), "stop": (stop_checks, False),
          "devtools": (devtools_checks, False), "site": (site_checks, False)}


def main():
    if engine not in ENGINES or group not in GROUPS:
        sys.exit(__doc__)
    if group in ("devtools", "site") and engine != "chromium":
        sys.exit(f"web_page: {group} needs Chromium's DevTools protocol")
    started = time.monotonic()
    checks, dark_too = GROUPS[group]
    styles = {}
    with server(build) as origin:
        for dark in (False, True) if dark_too else (False,):
            with browser(engine, dark) as b:
                styles[dark] = checks(b, origin, dark)
    if styles.get(True):
        check(styles[True]["boxBack"] != styles[False]["boxBack"],
              f"{engine}: the result box follows the dark scheme")
    print(f"{engine}, {group}: {time.monotonic() - started:.1f} s", flush=True)
    return finish()


if __name__ == "__main__":
    sys.exit(main())
