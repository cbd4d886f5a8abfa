# SPDX-FileCopyrightText: 2026 The bodytype developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""The three browser engines behind one interface, with Debian's packages only: Chromium through
chromedriver and WebKitGTK's MiniBrowser through WebKitWebDriver (both with Selenium), and
Firefox ESR through its own Marionette protocol, since Debian has no geckodriver. Elements are
named by CSS selectors, in the document or frame the browser is in."""
import base64
import contextlib
import inspect
import json
import os
import pathlib
import shutil
import socket
import subprocess
import tempfile
import time

from selenium import webdriver
from selenium.common.exceptions import ElementNotInteractableException
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.remote.command import Command

ENGINES = ("chromium", "firefox", "webkit")
KEYS = {"tab": "\ue004", "enter": "\ue007", "escape": "\ue00c", "space": "\ue00d",
        "left": "\ue012", "right": "\ue014"}
ELEMENT = "element-6066-11e4-a52e-4f735466cecf"


class NotInteractable(Exception):
    """The browser refuses to press the element at all, as WebKit refuses an inert one."""


class Browser:
    """What the checks use of a browser."""
    name = ""

    def open(self, url):
        raise NotImplementedError

    def script(self, source, *args):
        """Runs a function body in the page and returns what it returns."""
        raise NotImplementedError

    def wait_script(self, source, *args):
        """Runs a function body whose last argument is the callback that returns its value."""
        raise NotImplementedError

    def click(self, selector):
        """WebDriver's click: into view, then in the middle of what is there."""
        raise NotImplementedError

    def reference(self, selector):
        """The element as W3C actions name it."""
        raise NotImplementedError

    def actions(self, actions):
        """Performs W3C input actions, then lets go of every key and button."""
        raise NotImplementedError

    def pointer(self, selector, kind):
        """A press of the mouse ("mouse") or a finger ("touch") on the middle of the element on
        screen, whatever is there, and let go."""
        self.actions([{"type": "pointer", "id": kind, "parameters": {"pointerType": kind},
                       "actions": [{"type": "pointerMove", "duration": 0, "x": 0, "y": 0,
                                    "origin": self.reference(selector)},
                                   {"type": "pointerDown", "button": 0},
                                   {"type": "pause", "duration": 50},
                                   {"type": "pointerUp", "button": 0}]}])

    def tap(self, selector):
        self.script("document.querySelector(arguments[0]).scrollIntoView({block: 'center'})",
                    selector)
        self.pointer(selector, "touch")

    def keys(self, *keys):
        """Each key pressed and released in turn."""
        steps = []
        for key in (KEYS[name] for name in keys):
            steps += [{"type": "keyDown", "value": key}, {"type": "keyUp", "value": key}]
        self.actions([{"type": "key", "id": "keyboard", "actions": steps}])

    def screenshot(self):
        """The viewport of the top-level page, as PNG."""
        raise NotImplementedError

    def frame(self, selector=None):
        """Into the frame, or back to the top-level page."""
        raise NotImplementedError

    def window(self, rect=None):
        """The browser window's size, {"width": …, "height": …}, after setting it to rect."""
        raise NotImplementedError

    def size(self, width, height):
        """The viewport's size in CSS pixels, as near as the browser's window allows."""
        inner = self.script("return [innerWidth, innerHeight]")
        outer = self.window()
        self.window({"width": width + outer["width"] - inner[0],
                     "height": height + outer["height"] - inner[1]})

    def quit(self):
        raise NotImplementedError

    def ready(self):
        """Waits until the page's handlers are attached and its text is drawn."""
        self.wait_script(
            "const done = arguments[0];"
            "const drawn = () => requestAnimationFrame(() => requestAnimationFrame(() => done()));"
            "const wait = () => performance.getEntriesByName('bodytype-ready').length ?"
            "    document.fonts.ready.then(drawn) : setTimeout(wait, 10);"
            "wait();")

    def settle(self):
        """Waits until what the page last did is on screen: WebKit's screenshot may otherwise
        show the frame before."""
        self.wait_script("const done = arguments[0];"
                         "requestAnimationFrame(() => requestAnimationFrame(() => done()));")


class SeleniumBrowser(Browser):
    def __init__(self, name, driver):
        self.name = name
        self.driver = driver
        driver.set_script_timeout(30)

    def open(self, url):
        self.driver.get(url)

    def script(self, source, *args):
        return self.driver.execute_script(source, *args)

    def wait_script(self, source, *args):
        return self.driver.execute_async_script(source, *args)

    def element(self, selector):
        return self.driver.find_element(By.CSS_SELECTOR, selector)

    def click(self, selector):
        self.element(selector).click()

    def actions(self, actions):
        try:
            self.driver.execute(Command.W3C_ACTIONS, {"actions": actions})
        except ElementNotInteractableException as error:
            raise NotInteractable() from error
        finally:
            self.driver.execute(Command.W3C_CLEAR_ACTIONS)

    def reference(self, selector):
        return {ELEMENT: self.element(selector).id}

    def screenshot(self):
        return self.driver.get_screenshot_as_png()

    def frame(self, selector=None):
        if selector is None:
            self.driver.switch_to.default_content()
        else:
            self.driver.switch_to.frame(self.element(selector))

    def window(self, rect=None):
        if rect:
            self.driver.set_window_size(rect["width"], rect["height"])
        return self.driver.get_window_size()

    def quit(self):
        self.driver.quit()


class Chromium(SeleniumBrowser):
    def __init__(self, profile, dark=False):
        options = webdriver.ChromeOptions()
        options.binary_location = "/usr/bin/chromium"
        for argument in ("--headless", "--no-sandbox", "--disable-gpu", "--no-first-run",
                         "--disable-background-networking", "--disable-component-update",
                         "--disable-sync", "--disable-quic", "--window-size=1280,800",
                         "--force-device-scale-factor=1", "--hide-scrollbars",
                         f"--user-data-dir={profile}"):
            options.add_argument(argument)
        options.set_capability("goog:loggingPrefs", {"performance": "ALL"})
        super().__init__("chromium", webdriver.Chrome(service=Service("/usr/bin/chromedriver"),
                                                      options=options))
        self.cdp("Emulation.setEmulatedMedia", {"features": [
            {"name": "prefers-color-scheme", "value": "dark" if dark else "light"}]})

    def cdp(self, command, params=None):
        return self.driver.execute_cdp_cmd(command, params or {})

    def size(self, width, height):
        self.cdp("Emulation.setDeviceMetricsOverride", {
            "width": width, "height": height, "deviceScaleFactor": 1, "mobile": False})


class WebKit(SeleniumBrowser):
    """WebKitGTK's MiniBrowser, which needs an X server (DISPLAY)."""

    def __init__(self, profile, dark=False):
        from selenium.webdriver.webkitgtk.options import Options
        options = Options()
        options.binary_location = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser"
        options.add_argument("--automation")
        if dark:
            options.add_argument("--dark-mode")
        driver = "/usr/bin/WebKitWebDriver"
        # Selenium 4.8 (Debian 12) is told the driver's path; later ones take a service.
        if "service" in inspect.signature(webdriver.WebKitGTK.__init__).parameters:
            from selenium.webdriver.webkitgtk.service import Service as WebKitService
            started = webdriver.WebKitGTK(options=options,
                                          service=WebKitService(executable_path=driver))
        else:
            started = webdriver.WebKitGTK(executable_path=driver, options=options,
                                          service_log_path=os.devnull)
        super().__init__("webkit", started)


class Firefox(Browser):
    """Firefox ESR spoken to in Marionette's own protocol: [0, id, command, parameters] as
    LENGTH:JSON frames, answered by [1, id, error, result]."""
    name = "firefox"

    def __init__(self, profile, dark=False):
        profile = pathlib.Path(profile)
        with socket.socket() as probe:
            probe.bind(("127.0.0.1", 0))
            port = probe.getsockname()[1]
        prefs = {"marionette.port": port, "browser.shell.checkDefaultBrowser": False,
                 "datareporting.policy.dataSubmissionEnabled": False,
                 "toolkit.telemetry.reportingpolicy.firstRun": False,
                 "app.update.disabledForTesting": True, "browser.startup.page": 0,
                 "network.captive-portal-service.enabled": False,
                 "network.connectivity-service.enabled": False,
                 "extensions.getAddons.cache.enabled": False,
                 "browser.safebrowsing.update.enabled": False,
                 "browser.region.network.url": "", "browser.search.update": False,
                 # 0: the dark scheme, whatever the desktop's.
                 "layout.css.prefers-color-scheme.content-override": 0 if dark else 1}
        (profile / "user.js").write_text("".join(
            f"user_pref({json.dumps(k)}, {json.dumps(v)});\n" for k, v in prefs.items()))
        self.process = subprocess.Popen(
            ["firefox-esr", "--headless", "--marionette", "--no-remote", "--profile",
             str(profile)], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        deadline = time.monotonic() + 60
        while True:
            try:
                self.socket = socket.create_connection(("127.0.0.1", port))
                break
            except OSError:
                if time.monotonic() > deadline or self.process.poll() is not None:
                    raise RuntimeError("Firefox did not open its Marionette port")
                time.sleep(0.05)
        self.stream = self.socket.makefile("rb")
        self.last = 0
        self.receive()
        self.command("WebDriver:NewSession", {"capabilities": {"alwaysMatch": {
            "acceptInsecureCerts": False, "timeouts": {"script": 30000}}}})
        self.window({"width": 1280, "height": 800})

    def receive(self):
        length = b""
        while not length.endswith(b":"):
            byte = self.stream.read(1)
            if not byte:
                raise RuntimeError("Firefox closed its Marionette connection")
            length += byte
        return json.loads(self.stream.read(int(length[:-1])))

    def command(self, name, params=None):
        self.last += 1
        data = json.dumps([0, self.last, name, params or {}]).encode()
        self.socket.sendall(str(len(data)).encode() + b":" + data)
        while True:
            answer = self.receive()
            if answer[0] == 1 and answer[1] == self.last:
                break
        if answer[2] and answer[2].get("error") == "element not interactable":
            raise NotInteractable(answer[2].get("message"))
        if answer[2]:
            raise RuntimeError(f"{name}: {answer[2].get('error')}: {answer[2].get('message')}")
        result = answer[3]
        return result.get("value") if isinstance(result, dict) and "value" in result else result

    def open(self, url):
        self.command("WebDriver:Navigate", {"url": url})

    def script(self, source, *args):
        return self.command("WebDriver:ExecuteScript", {"script": source, "args": list(args)})

    def wait_script(self, source, *args):
        return self.command("WebDriver:ExecuteAsyncScript",
                            {"script": source, "args": list(args)})

    def element(self, selector):
        found = self.command("WebDriver:FindElement", {"using": "css selector", "value": selector})
        return found[ELEMENT] if ELEMENT in found else found

    def click(self, selector):
        self.command("WebDriver:ElementClick", {"id": self.element(selector)})

    def actions(self, actions):
        self.command("WebDriver:PerformActions", {"actions": actions})
        self.command("WebDriver:ReleaseActions")

    def reference(self, selector):
        return {ELEMENT: self.element(selector)}

    def screenshot(self):
        return base64.b64decode(self.command("WebDriver:TakeScreenshot", {"full": False}))

    def frame(self, selector=None):
        if selector is None:
            self.command("WebDriver:SwitchToFrame", {})
        else:
            self.command("WebDriver:SwitchToFrame", {"element": self.element(selector)})

    def window(self, rect=None):
        if rect:
            self.command("WebDriver:SetWindowRect", rect)
        return self.command("WebDriver:GetWindowRect")

    def quit(self):
        with contextlib.suppress(Exception):
            self.command("Marionette:Quit", {"flags": ["eForceQuit"]})
        self.socket.close()
        try:
            self.process.wait(timeout=15)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()


@contextlib.contextmanager
def browser(engine, dark=False):
    """A fresh browser of the engine with a profile of its own, closed afterwards."""
    profile = tempfile.mkdtemp(prefix=f"bodytype-{engine}-")
    started = None
    try:
        started = {"chromium": Chromium, "firefox": Firefox, "webkit": WebKit}[engine](
            profile, dark)
        yield started
    finally:
        if started:
            started.quit()
        shutil.rmtree(profile, ignore_errors=True)
