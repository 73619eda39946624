"""Headless Chromium driven through the DevTools protocol, for the web
edition's end-to-end test and benchmark: a site served from a folder on
127.0.0.1, a fresh browser profile, and the calls both need.

Needs Debian's chromium and python3-websocket (run with /usr/bin/python3)."""
import base64
import functools
import http.server
import json
import os
import shutil
import socket
import subprocess
import tempfile
import threading
import time
import urllib.request

import websocket

FLAGS = [
    "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
    "--disable-background-networking", "--disable-component-update", "--disable-sync",
    "--hide-scrollbars", "--mute-audio",
]


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".wasm": "application/wasm", ".webmanifest": "application/manifest+json",
                      ".js": "text/javascript"}

    def log_message(self, *args):
        pass


class Site:
    """Serves FOLDER on 127.0.0.1 at a free port, as any static host would."""

    def __init__(self, folder):
        handler = functools.partial(QuietHandler, directory=folder)
        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        self.url = "http://127.0.0.1:%d/" % self.server.server_address[1]
        threading.Thread(target=self.server.serve_forever, daemon=True).start()

    def close(self):
        self.server.shutdown()
        self.server.server_close()


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class Chromium:
    """One headless browser with a fresh profile and one page to drive."""

    def __init__(self, width=1000, height=760):
        self.profile = tempfile.mkdtemp(prefix="trailcam-chromium.")
        port = free_port()
        self.process = subprocess.Popen(
            ["chromium", *FLAGS, "--user-data-dir=" + self.profile, "--remote-debugging-port=%d" % port,
             "--window-size=%d,%d" % (width, height), "about:blank"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        deadline = time.monotonic() + 30
        while True:
            try:
                with urllib.request.urlopen("http://127.0.0.1:%d/json/list" % port, timeout=2) as answer:
                    pages = [t for t in json.load(answer) if t["type"] == "page"]
                if pages:
                    break
            except OSError:
                pass
            if time.monotonic() > deadline or self.process.poll() is not None:
                self.close()
                raise RuntimeError("Chromium did not start")
            time.sleep(0.1)
        self.socket = websocket.create_connection(pages[0]["webSocketDebuggerUrl"], timeout=60,
                                                  suppress_origin=True)
        self.next_id = 0
        self.events = []
        self.console = []
        # The page as large as asked, whatever headless takes off for its frame.
        self.call("Emulation.setDeviceMetricsOverride", width=width, height=height, deviceScaleFactor=1, mobile=False)

    def close(self):
        if getattr(self, "socket", None):
            self.socket.close()
        self.process.kill()
        self.process.wait()
        shutil.rmtree(self.profile, ignore_errors=True)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    def _receive(self):
        message = json.loads(self.socket.recv())
        if message.get("method") == "Runtime.consoleAPICalled":
            args = message["params"]["args"]
            self.console.append(" ".join(str(a.get("value", a.get("description", ""))) for a in args))
        elif message.get("method") == "Runtime.exceptionThrown":
            details = message["params"]["exceptionDetails"]
            self.console.append("exception: " + details.get("exception", {}).get("description", details["text"]))
        return message

    def call(self, method, **params):
        self.next_id += 1
        wanted = self.next_id
        self.socket.send(json.dumps({"id": wanted, "method": method, "params": params}))
        while True:
            message = self._receive()
            if message.get("id") == wanted:
                if "error" in message:
                    raise RuntimeError("%s: %s" % (method, message["error"]))
                return message.get("result", {})
            if "method" in message:
                self.events.append(message)

    def wait_event(self, method, timeout=30, predicate=lambda params: True):
        """The parameters of the first event METHOD (kept or coming) that PREDICATE accepts."""
        deadline = time.monotonic() + timeout
        while True:
            for i, event in enumerate(self.events):
                if event["method"] == method and predicate(event["params"]):
                    del self.events[i]
                    return event["params"]
            left = deadline - time.monotonic()
            if left <= 0:
                raise TimeoutError("no %s within %s s" % (method, timeout))
            self.socket.settimeout(left)
            try:
                message = self._receive()
            except websocket.WebSocketTimeoutException:
                continue
            finally:
                self.socket.settimeout(60)
            if "method" in message:
                self.events.append(message)

    def wait_console(self, text, timeout=30):
        """Waits for a console line that contains TEXT and returns it."""
        deadline = time.monotonic() + timeout
        while True:
            for line in self.console:
                if text in line:
                    return line
            if time.monotonic() > deadline:
                raise TimeoutError("no console line with %r within %s s; console: %s" % (text, timeout, self.console))
            try:
                self.wait_event("Runtime.consoleAPICalled", timeout=max(0.05, deadline - time.monotonic()))
            except TimeoutError:
                pass

    def evaluate(self, expression):
        result = self.call("Runtime.evaluate", expression=expression, awaitPromise=True, returnByValue=True)
        if "exceptionDetails" in result:
            raise RuntimeError("%s: %s" % (expression, result["exceptionDetails"]))
        return result["result"].get("value")

    def screenshot(self, path):
        data = self.call("Page.captureScreenshot", format="png")["data"]
        with open(path, "wb") as f:
            f.write(base64.b64decode(data))

    def key(self, key, code=None, key_code=0, text=None, modifiers=0):
        """Presses and releases one key, as a keyboard would send it."""
        common = {"key": key, "code": code or key, "windowsVirtualKeyCode": key_code, "modifiers": modifiers}
        if text:
            self.call("Input.dispatchKeyEvent", type="keyDown", text=text, **common)
        else:
            self.call("Input.dispatchKeyEvent", type="rawKeyDown", **common)
        self.call("Input.dispatchKeyEvent", type="keyUp", **common)

    def type_text(self, text):
        for c in text:
            self.key(c, code="", key_code=ord(c.upper()) if c.isalnum() else 0, text=c)

    def click(self, x, y):
        for kind in ("mousePressed", "mouseReleased"):
            self.call("Input.dispatchMouseEvent", type=kind, x=x, y=y, button="left", clickCount=1)


def site_folder(build):
    folder = os.path.join(build, "site")
    if not os.path.isfile(os.path.join(folder, "index.html")):
        raise SystemExit("no site in %s: run tools/build-web.sh first" % folder)
    return folder


class Form:
    """Where the editor's controls are in its window, from mainform.ui: each
    control's middle, from the form's top left. A tab page starts below the
    tab bar (PAGE_TOP, as Qt's Windows style draws it in the page)."""
    PAGE_TOP = (2, 22)

    def __init__(self, ui_file):
        import xml.etree.ElementTree as ElementTree
        self.places = {}

        def walk(element, x, y):
            for child in element.findall("widget"):
                rect = child.find("property[@name='geometry']/rect")
                cx, cy, w, h = x, y, 0, 0
                if rect is not None:
                    cx += int(rect.findtext("x"))
                    cy += int(rect.findtext("y"))
                    w, h = int(rect.findtext("width")), int(rect.findtext("height"))
                elif element.get("class") == "QTabWidget":
                    cx += self.PAGE_TOP[0]
                    cy += self.PAGE_TOP[1]
                self.places[child.get("name")] = (cx + w // 2, cy + h // 2)
                walk(child, cx, cy)

        walk(ElementTree.parse(ui_file).getroot(), 0, 0)

    def __getitem__(self, name):
        return self.places[name]
