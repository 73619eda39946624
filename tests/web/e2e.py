#!/usr/bin/python3
"""The web edition's page in headless Chromium: Load through the browser's
picker and by a drop, an edit with the keyboard, a language switch, Save to a
download whose bytes are those trailcam-param encode makes of the same
values (the clock aside), and a foreign and a short file refused.
    e2e.py BUILD_DIR TRAILCAM_PARAM GOLDEN"""
import base64
import json
import os
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "tools"))
import chromium  # noqa: E402
shots = __import__("web-screenshots")  # noqa: E402

CLOCK = range(32, 38)
CTRL = 2
failures = []


def check(ok, what):
    print(("PASS " if ok else "FAIL ") + what)
    if not ok:
        failures.append(what)


class Page:
    def __init__(self, browser, url, downloads):
        self.browser, self.downloads = browser, downloads
        browser.call("Page.setInterceptFileChooserDialog", enabled=True)
        browser.call("Browser.setDownloadBehavior", behavior="allowAndName", downloadPath=downloads,
                     eventsEnabled=True)
        self.origin = shots.open_editor(browser, url)
        self.form = chromium.Form(os.path.join(HERE, "..", "..", "src", "app", "mainform.ui"))

    def click(self, control):
        x, y = self.form[control]
        self.browser.click(self.origin[0] + x, self.origin[1] + y)
        shots.settle(self.browser)

    def middle(self):
        """The window's middle, where its questions and messages stand."""
        clip = {"x": self.origin[0] + 167, "y": self.origin[1] + 195, "width": 300, "height": 100, "scale": 1}
        return self.browser.call("Page.captureScreenshot", format="png", clip=clip)["data"]

    def pick(self, path, by_key=False):
        """Ctrl+O or the Load button, and the picker answered with PATH, or left as a cancel leaves it."""
        if by_key:
            self.browser.key("o", code="KeyO", key_code=79, modifiers=CTRL)
        else:
            self.click("Button1")
        chooser = self.browser.wait_event("Page.fileChooserOpened", timeout=10)
        if path:
            self.browser.call("DOM.setFileInputFiles", files=[path], backendNodeId=chooser["backendNodeId"])
        self.wait()

    def shot(self, control):
        x, y = self.form[control]
        clip = {"x": self.origin[0] + x - 40, "y": self.origin[1] + y - 8, "width": 80, "height": 16, "scale": 1}
        return self.browser.call("Page.captureScreenshot", format="png", clip=clip)["data"]

    def drop(self, path):
        with open(path, "rb") as f:
            data = base64.b64encode(f.read()).decode()
        self.browser.evaluate("""(() => {
            const bytes = Uint8Array.from(atob('%s'), (c) => c.charCodeAt(0));
            const transfer = new DataTransfer();
            transfer.items.add(new File([bytes], '%s'));
            document.querySelector('#screen canvas').dispatchEvent(
                new DragEvent('drop', {dataTransfer: transfer, bubbles: true, cancelable: true}));
        })()""" % (data, os.path.basename(path)))
        self.wait()

    def wait(self, seconds=0.5):
        time.sleep(seconds)
        shots.settle(self.browser)

    def answered(self, key, key_code):
        """Whether a question or message stood in the window, answered with KEY."""
        shown = self.middle()
        self.browser.key(key, key_code=key_code)
        self.wait()
        return shown != self.middle()

    def save(self):
        self.browser.key("s", code="KeyS", key_code=83, modifiers=CTRL)
        begun = self.browser.wait_event("Browser.downloadWillBegin", timeout=10)
        done = self.browser.wait_event("Browser.downloadProgress", timeout=10,
                                       predicate=lambda p: p["guid"] == begun["guid"] and p["state"] != "inProgress")
        self.wait()
        check(self.answered("Enter", 13), "the first Save tells where the download went")
        check(begun["suggestedFilename"] == "Parameter.dat" and done["state"] == "completed",
              "Save downloads Parameter.dat")
        with open(os.path.join(self.downloads, begun["guid"]), "rb") as f:
            return begun["guid"], f.read()


def expected_bytes(tool, golden, changes, work):
    values = json.loads(subprocess.run([tool, "decode", golden], check=True, capture_output=True).stdout)
    values.update(changes)
    path = os.path.join(work, "expected.json")
    with open(path, "w", encoding="utf-8") as f:
        json.dump(values, f)
    return subprocess.run([tool, "encode", path, "-o", "-"], check=True, capture_output=True).stdout


def same_but_clock(a, b):
    return len(a) == len(b) and all(x == y for i, (x, y) in enumerate(zip(a, b)) if i not in CLOCK)


def main():
    build, tool, golden = (os.path.abspath(a) for a in sys.argv[1:4])
    work = tempfile.mkdtemp(prefix="trailcam-e2e.")
    jpeg = os.path.join(work, "photo.jpg")
    with open(jpeg, "wb") as f:
        f.write(b"\xff\xd8\xff\xe0\x00\x10JFIF\x00" + bytes(3000))
    short = os.path.join(work, "short.dat")
    with open(golden, "rb") as f, open(short, "wb") as out:
        out.write(f.read(1000))
    site = chromium.Site(chromium.site_folder(build))
    try:
        with chromium.Chromium() as browser:
          try:
            page = Page(browser, site.url, work)
            # The golden file holds zero bytes, where Qt's own drop cuts a file.
            page.drop(golden)
            page.pick(jpeg, by_key=True)
            check(page.answered("Escape", 27), "a JPEG is questioned")
            # The keys still reach the window after a question, and after a cancelled picker.
            page.pick(short, by_key=True)
            check(page.answered("Enter", 13), "a short file gets its message")
            page.pick(None, by_key=True)
            page.click("idedit")
            browser.key("a", code="KeyA", key_code=65, modifiers=CTRL)
            browser.type_text("WEB7")
            shots.choose_language(browser, page.origin, 0)
            # Chrome lets a page download once without asking: one Save.
            downloaded, saved = page.save()
            # The golden file's fourth mode is none of the start-up list's: the
            # box shows none after the Load, on a desktop too.
            want = expected_bytes(tool, golden, {"idedit": "WEB7", "langcmb": 0, "modecmb": 255}, work)
            check(same_but_clock(saved, want), "the download holds what trailcam-param encode makes of the values")
            edited = page.shot("idedit")
            page.pick(golden, by_key=True)
            loaded = page.shot("idedit")
            page.pick(os.path.join(work, downloaded), by_key=True)
            check(loaded != edited and page.shot("idedit") == edited, "the download loads back")
            errors = [line for line in browser.console if line.startswith("exception")]
            check(not errors, "no exception in the page: %s" % errors)
          except Exception:
            # What the page showed when it went wrong.
            browser.screenshot(os.path.join(build, "e2e-failure.png"))
            raise
    finally:
        site.close()
    print("e2e: %d failed" % len(failures))
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
