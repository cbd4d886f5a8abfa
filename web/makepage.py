#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The bodytype developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Makes the web page from the form's description: one self-contained HTML file, and the same
page as a site with a manifest and a service worker that keeps it working offline."""
import argparse
import base64
import hashlib
import html
import io
import json
import math
import pathlib
import re
import shutil
import urllib.parse

from fontTools import subset
from fontTools.ttLib import TTFont

# The cut-down font may not carry the reserved name of the font it was made from.
FONT_FAMILY = "Bodytype Serif"
# Around the form, in CSS pixels; a viewport narrower than the form and these margins gets the
# one-column layout.
PAGE_MARGIN = 8
# The site's icons for launchers and app lists: size and purpose (a maskable one is cut to a
# shape of the device's own).
SITE_ICONS = [(64, "any"), (192, "any"), (256, "any"), (512, "any"), (512, "maskable")]


# A template's placeholders: @NAME@, or /*@NAME@*/ where a script must parse as it stands, and
# in a style sheet the custom media query (--name), which is valid CSS until it is filled in.
PLACEHOLDER = re.compile(r"/\*@([A-Z0-9_]+)@\*/|@([A-Z0-9_]+)@|(?<=@media )\((--[a-z-]+)\)")


def fill(name, template, values):
    """The template with every placeholder filled in once; none may be missing or left over,
    so a reformatted template fails the build instead of quietly making another page."""
    used = set()

    def put(match):
        key = next(group for group in match.groups() if group)
        if key not in values:
            raise SystemExit(f"makepage: {name}: nothing fills the placeholder {match[0]}")
        used.add(key)
        return values[key]
    text = PLACEHOLDER.sub(put, template)
    if missing := sorted(values.keys() - used):
        written = (f"({key})" if key.startswith("--") else f"@{key}@" for key in missing)
        raise SystemExit(f"makepage: {name} has no placeholder {', '.join(written)}")
    return text


def data_url(mime, data):
    return f"data:{mime};base64,{base64.b64encode(data).decode('ascii')}"


def pixels(twips, per_pixel):
    return f"{round(twips / per_pixel, 3):g}px"


def texts(value):
    """Every string in the description: what the page can show."""
    if isinstance(value, str):
        yield value
    elif isinstance(value, dict):
        for item in value.values():
            yield from texts(item)
    elif isinstance(value, list):
        for item in value:
            yield from texts(item)


def cut_font(path, characters):
    """The font with only these characters, renamed, as WOFF."""
    font = TTFont(path, recalcTimestamp=False)
    # Liberation before 2 is under another licence, and lacks glyphs of Liberation 2.
    if font["head"].fontRevision < 2:
        raise SystemExit(f"makepage: {path} is older than Liberation 2: "
                         "apt-get install fonts-liberation2")
    options = subset.Options()
    options.name_IDs = ["*"]
    options.name_languages = ["*"]
    options.hinting = False
    options.flavor = "woff"
    options.drop_tables += ["FFTM"]
    subsetter = subset.Subsetter(options)
    subsetter.populate(text="".join(sorted(characters)))
    subsetter.subset(font)
    style = font["name"].getDebugName(2) or "Regular"
    names = {1: FONT_FAMILY, 3: f"{FONT_FAMILY} {style}; cut down for the bodytype page",
             4: f"{FONT_FAMILY} {style}", 6: f"{FONT_FAMILY.replace(' ', '')}-{style}",
             16: FONT_FAMILY}
    for record in font["name"].names:
        if record.nameID in names:
            record.string = names[record.nameID]
    out = io.BytesIO()
    font.save(out)
    return out.getvalue()


def column_order(form):
    """The controls in the one-column layout's order, which must name each control once."""
    names = [control["name"] for control in form["controls"]]
    order = form["columnOrder"]
    if sorted(order) != sorted(names):
        raise SystemExit(f"makepage: the column order {order} does not name each of {names} once")
    return order


def form_markup(form, intro, chart):
    """The controls, each an element with the control's name as its id, in the column's order,
    which the script changes to the window's on a wide screen."""
    out = []
    by_name = {control["name"]: control for control in form["controls"]}
    for control in (by_name[name] for name in column_order(form)):
        name, kind = control["name"], control["kind"]
        if kind == "text":
            out.append(f'<textarea id="{name}" class="control text" readonly spellcheck="false" '
                       f'aria-label="{html.escape(control["label"])}" '
                       f'aria-description="{html.escape(control["description"])}">'
                       f"{html.escape(intro)}</textarea>")
        elif kind == "picture":
            out.append(f'<div id="{name}" class="control picture">'
                       f'<img src="{chart}" width="{control["chart"][0]}" '
                       f'height="{control["chart"][1]}" '
                       f'tabindex="0" alt="{html.escape(control["label"])}" '
                       f'aria-description="{html.escape(control["description"])}"></div>')
        elif kind == "panel":
            # Buttons that stand in a row on the window stay in rows in the column.
            row = len({button["place"][1] for button in control["buttons"]}) == 1
            out.append(f'<div id="{name}" class="control panel{" row" if row else ""}" '
                       f'role="radiogroup" aria-labelledby="{control["labelledBy"]}">')
            for button in control["buttons"]:
                out.append(f'<label id="{button["name"]}" class="control option">'
                           f'<input type="radio" name="{control["group"]}" '
                           f'value="{button["index"]}">{html.escape(button["caption"])}</label>')
            out.append("</div>")
        elif kind == "command":
            out.append(f'<button id="{name}" class="control command" type="button" '
                       f'value="{control["index"]}">{html.escape(control["caption"])}</button>')
        elif kind == "label":
            tag = "h1" if control["heading"] else "div"
            out.append(f'<{tag} id="{name}" class="control label">'
                       f"{html.escape(control['caption'])}</{tag}>")
        else:
            raise SystemExit(f"makepage: unknown kind of control {kind!r}")
    return "\n".join(out) + "\n"


def column_media(form):
    """The media query of the one-column layout: narrower than the form and its margins."""
    width = form["place"][2] / form["twipsPerPixel"] + 2 * PAGE_MARGIN
    return f"(max-width: {math.ceil(width) - 0.02:g}px)"


def form_style(form, font):
    per = form["twipsPerPixel"]
    left, top, width, height = form["place"]
    rules = [f'@font-face {{ font-family: "{FONT_FAMILY}"; font-display: block; '
             f'src: url({data_url("font/woff", font)}) format("woff"); }}',
             f"body {{ margin: 0; padding: {PAGE_MARGIN}px; }}",
             f"#fit {{ --form-width: {pixels(width, per)}; --form-height: {pixels(height, per)}; "
             f"--font-size: {form['font']['points'] * 96 / 72:g}px; }}",
             f"#form {{ width: {pixels(width, per)}; height: {pixels(height, per)}; "
             f"background: {form['colour']}; }}"]

    def place(name, twips, colour=None):
        left, top, width, height = twips
        rule = (f"#{name} {{ left: {pixels(left, per)}; top: {pixels(top, per)}; "
                f"width: {pixels(width, per)}; height: {pixels(height, per)};")
        if colour:
            rule += f" background: {colour};"
        rules.append(rule + " }")

    for control in form["controls"]:
        place(control["name"], control["place"], control.get("colour"))
        for button in control.get("buttons", []):
            place(button["name"], button["place"], button["colour"])
        if control["kind"] == "panel":
            # In the column, a row of buttons may fold into two.
            count = len(control["buttons"])
            rules.append(f"#{control['name']} {{ --buttons: {count}; "
                         f"--half: {math.ceil(count / 2)}; }}")
    return "\n".join(rules) + "\n"


def launcher_name(desktop_entry):
    """The Bulgarian name that the desktop's launchers show."""
    for line in desktop_entry.read_text(encoding="utf-8").splitlines():
        if line.startswith("Name[bg]="):
            return line.split("=", 1)[1]
    raise SystemExit(f"makepage: {desktop_entry} has no Bulgarian name")


def write_worker(site, sources):
    """The service worker, which keeps every file of the site. Its cache is named by all of them,
    so that a change to any one, the manifest too, reaches those who have the page already."""
    kept = sorted(path.name for path in site.iterdir()
                  if path.is_file() and path.name != "sw.js" and not path.name.startswith("."))
    digest = hashlib.sha256()
    for name in kept:
        data = (site / name).read_bytes()
        digest.update(f"{name}\0{len(data)}\0".encode() + data)
    worker = fill("sw.js", (sources / "sw.js").read_text(encoding="utf-8"), {
        "VERSION": digest.hexdigest()[:12],
        "FILES": ", ".join(map(json.dumps, ["./"] + kept))})
    (site / "sw.js").write_text(worker, encoding="utf-8")


def server_settings(csp):
    """Headers for the site, for Apache and for nginx: the page's policy, now also refusing to
    be framed by another site (which a policy in the page cannot say), and the page, its
    manifest and its worker checked with the server on every visit, so that a new build is
    seen at once."""
    # The worker is under the policy that comes with its script, and fetches the site's files;
    # in the page, the policy that the page itself carries still refuses that.
    policy = f"{csp}; connect-src 'self'; frame-ancestors 'none'"
    headers = [("Content-Security-Policy", policy), ("X-Content-Type-Options", "nosniff"),
               ("Referrer-Policy", "no-referrer")]
    fresh = r"(^|/)(index\.html|sw\.js|manifest\.webmanifest)?$"
    apache = ["# The bodytype page on Apache: copy this file into the site's folder as .htaccess",
              "# (AllowOverride FileInfo, mod_headers).",
              "AddType application/manifest+json .webmanifest"]
    apache += [f'Header always set {name} "{value}"' for name, value in headers]
    apache += ['<FilesMatch "^(index\\.html|sw\\.js|manifest\\.webmanifest)$">',
               '    Header always set Cache-Control "no-cache"', "</FilesMatch>"]

    def add(indent, pairs):
        return [f'{indent}add_header {name} "{value}" always;' for name, value in pairs]
    nginx = ["# The bodytype page on nginx: include this file in a server block, with /bodytype/",
             "# changed to where the site's folder is served. (A location that adds a header",
             "# inherits none, so each names them all.)",
             "location /bodytype/ {",
             "    types { text/html html; text/javascript js; image/png png;",
             "            application/manifest+json webmanifest; }"]
    nginx += add("    ", headers)
    nginx += [f'    location ~ "{fresh}" {{']
    nginx += add("        ", headers + [("Cache-Control", "no-cache")])
    nginx += ["    }", "}"]
    return "\n".join(apache) + "\n", "\n".join(nginx) + "\n"


def sha256(text):
    return "'sha256-" + base64.b64encode(hashlib.sha256(text.encode()).digest()).decode() + "'"


def content_policy(script, style):
    return "; ".join([
        "default-src 'none'",
        f"script-src {sha256(script)} 'wasm-unsafe-eval'",
        f"style-src {sha256(style)}",
        "img-src data: 'self'", "font-src data:",
        "manifest-src 'self'", "worker-src 'self'",
        "base-uri 'none'", "form-action 'none'"])


def page(template, form, markup, error, style, script, icons, site):
    site_head = ('<link rel="manifest" href="manifest.webmanifest">\n'
                 f'<meta name="theme-color" content="{form["colour"]}">\n') if site else ""
    order = "".join(f' data-{key}="{html.escape(value)}"' for key, value in {
        "window-order": " ".join(control["name"] for control in form["controls"]),
        "column-order": " ".join(column_order(form)),
        "column-media": column_media(form)}.items())
    return fill("page.html", template, {
        "SERVICE_WORKER": ' data-service-worker="sw.js"' if site else "",
        "HOMEPAGE": form["address"], "CSP": content_policy(script, style),
        "TITLE": html.escape(form["title"]), "ICON32": icons[0], "ICON64": icons[1],
        "SITE_HEAD": site_head, "STYLE": style, "FORM_ORDER": order, "FORM": markup,
        "ERROR": error, "SCRIPT": script})


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    for option in ("form", "sources", "assets", "desktop-entry", "module", "wasm", "font", "out"):
        parser.add_argument("--" + option, required=True, type=pathlib.Path)
    args = parser.parse_args()
    sources, assets = args.sources, args.assets
    icons = {(size, purpose): (assets / "icons" / (
        f"bodytype-{purpose}-{size}.png" if purpose != "any" else f"bodytype-{size}.png"))
        .read_bytes() for size, purpose in SITE_ICONS + [(32, "any")]}

    form = json.loads(args.form.read_text(encoding="utf-8"))
    intro = (assets / "introtext.txt").read_text(encoding="utf-8")
    # Printable ASCII too: the English details of an internal error.
    characters = set("".join(texts(form)) + intro) | {chr(c) for c in range(0x20, 0x7F)}
    characters -= set("\r\n")
    font = cut_font(args.font, characters)

    # A drawing is text: percent-encoded, it is smaller than in base64.
    chart = "data:image/svg+xml," + urllib.parse.quote(
        (assets / "somatochart.svg").read_text(encoding="utf-8"), safe=" =:/;,'()")
    page_icons = (data_url("image/png", icons[32, "any"]), data_url("image/png", icons[64, "any"]))
    error = (f'<div id="error" role="alert" tabindex="-1" hidden>'
             f'<h2>{html.escape(form["error"]["title"])}</h2>'
             f'<p>{html.escape(form["error"]["text"])}</p><p class="detail"></p></div>\n')
    markup = form_markup(form, intro, chart)
    style = form_style(form, font) + fill(
        "page.css", (sources / "page.css").read_text(encoding="utf-8"),
        {"--column": column_media(form)})
    wasm = base64.b64encode(args.wasm.read_bytes()).decode("ascii")
    # What the script shares with the window: the groups' and commands' names and the words
    # of an internal error.
    facts = json.dumps({"groups": form["groups"], "commands": form["commands"],
                        "runTimeError": form["error"]["runTimeError"]}, ensure_ascii=False)
    script = (args.module.read_text(encoding="utf-8") + f"\nconst sheetWasm = '{wasm}';\n" +
              f"const formFacts = {facts};\n" + (sources / "page.js").read_text(encoding="utf-8"))
    template = (sources / "page.html").read_text(encoding="utf-8")

    args.out.mkdir(parents=True, exist_ok=True)
    single = page(template, form, markup, error, style, script, page_icons, site=False)
    (args.out / "bodytype.html").write_text(single, encoding="utf-8")

    site = args.out / "site"
    # A file of an earlier build would be kept by the worker too.
    shutil.rmtree(site, ignore_errors=True)
    site.mkdir()
    index = page(template, form, markup, error, style, script, page_icons, site=True)
    (site / "index.html").write_text(index, encoding="utf-8")
    manifest_icons = []
    for size, purpose in SITE_ICONS:
        name = f"icon-{purpose}-{size}.png" if purpose != "any" else f"icon-{size}.png"
        (site / name).write_bytes(icons[size, purpose])
        manifest_icons.append({"src": name, "sizes": f"{size}x{size}", "type": "image/png",
                               "purpose": purpose})
    manifest = {
        "id": "./", "name": form["name"], "short_name": launcher_name(args.desktop_entry),
        "lang": "bg", "start_url": "./", "scope": "./", "display": "standalone",
        "background_color": form["colour"], "theme_color": form["colour"],
        "icons": manifest_icons}
    (site / "manifest.webmanifest").write_text(
        json.dumps(manifest, ensure_ascii=False, indent=2) + "\n", encoding="utf-8")
    write_worker(site, sources)

    server = args.out / "server"
    server.mkdir(exist_ok=True)
    apache, nginx = server_settings(content_policy(script, style))
    (server / "htaccess").write_text(apache, encoding="utf-8")
    (server / "nginx.conf").write_text(nginx, encoding="utf-8")


if __name__ == "__main__":
    main()
