#!/usr/bin/python3
"""Screenshots of the web edition's four pages in the given languages, from
headless Chromium: OUTPUT/web-<language>-<page>.png, the window alone.
    /usr/bin/python3 tools/web-screenshots.py [BUILD_DIR] [OUTPUT] [LANGUAGE_INDEX...]
Languages by their place in the language box (0 English, 10 Polski,
11 Русский, 12 Česky); by default English and Русский, as docs/ has them."""
import base64
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import chromium  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
# The form's size, as mainform.ui has it, and the frame Qt draws around it
# (left, top with the title bar, right, bottom).
FORM = (634, 491)
FRAME = (4, 26, 4, 4)
LANGUAGES = 15
LANGUAGE_BOX = chromium.Form(os.path.join(HERE, "..", "src", "app", "mainform.ui"))["langcmb"]


def open_editor(browser, url):
    """Opens the page and waits for the window's first frame; returns the form's top left in the page."""
    browser.call("Runtime.enable")
    browser.call("Page.enable")
    # Evaluated before the new document exists, the wait would run in the old one.
    browser.events = [event for event in browser.events if event["method"] != "Page.loadEventFired"]
    browser.call("Page.navigate", url=url)
    browser.wait_event("Page.loadEventFired", timeout=60)
    browser.evaluate("""new Promise((done) => {
        const wait = () => document.documentElement && document.documentElement.dataset.editor === 'running'
            ? requestAnimationFrame(() => requestAnimationFrame(done)) : setTimeout(wait, 20);
        wait();
    })""")
    screen = browser.evaluate("(() => { const r = document.querySelector('#screen canvas')"
                              ".getBoundingClientRect(); return [r.x, r.y, r.width, r.height]; })()")
    outer = (FORM[0] + FRAME[0] + FRAME[2], FORM[1] + FRAME[1] + FRAME[3])
    return (screen[0] + (screen[2] - outer[0]) // 2 + FRAME[0], screen[1] + (screen[3] - outer[1]) // 2 + FRAME[1])


def settle(browser):
    browser.evaluate("new Promise((done) => requestAnimationFrame(() => requestAnimationFrame(done)))")


def choose_language(browser, origin, index):
    browser.click(origin[0] + LANGUAGE_BOX[0], origin[1] + LANGUAGE_BOX[1])
    settle(browser)
    # The list opens on the current language; Home does not reach its top.
    for _ in range(LANGUAGES):
        browser.key("ArrowUp", key_code=38)
    for _ in range(index):
        browser.key("ArrowDown", key_code=40)
    browser.key("Enter", key_code=13)
    settle(browser)


def next_page(browser):
    browser.key("PageDown", key_code=34, modifiers=2)  # Ctrl
    settle(browser)


def shoot(browser, origin, path):
    clip = {"x": origin[0] - FRAME[0], "y": origin[1] - FRAME[1], "width": FORM[0] + FRAME[0] + FRAME[2],
            "height": FORM[1] + FRAME[1] + FRAME[3], "scale": 1}
    data = browser.call("Page.captureScreenshot", format="png", clip=clip)["data"]
    with open(path, "wb") as f:
        f.write(base64.b64decode(data))


def main():
    build = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build-web")
    output = sys.argv[2] if len(sys.argv) > 2 else "docs"
    languages = [int(a) for a in sys.argv[3:]] or [0, 11]
    site = chromium.Site(chromium.site_folder(build))
    try:
        with chromium.Chromium() as browser:
            origin = open_editor(browser, site.url)
            for language in languages:
                choose_language(browser, origin, language)
                for page in range(1, 5):
                    shoot(browser, origin, os.path.join(output, "web-%d-page%d.png" % (language, page)))
                    next_page(browser)
            errors = [line for line in browser.console if "exception" in line or "Refused" in line]
            if errors:
                print("console:", *errors, sep="\n  ")
    finally:
        site.close()


if __name__ == "__main__":
    main()
