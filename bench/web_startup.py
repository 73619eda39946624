#!/usr/bin/python3
"""The web edition's size and start-up against a floor built the same way (a
window of about as many plain widgets as the editor has), in headless
Chromium from a server on 127.0.0.1. Prints the ratio of the editor's
.wasm.gz to the floor's, and the median time from navigation to the first
frame drawn with the window, each run in a fresh browser.
    /usr/bin/python3 bench/web_startup.py [BUILD_DIR] [RUNS]
BUILD_DIR is build-web by default; tools/build-web.sh builds it."""
import gzip
import os
import shutil
import statistics
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tools"))
import chromium  # noqa: E402

PROBES = {"editor": "startup-probe-web-editor", "floor": "startup-probe-web-floor"}


def gzipped_size(path):
    with open(path, "rb") as f:
        return len(gzip.compress(f.read(), compresslevel=9, mtime=0))


def main():
    build = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build-web")
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 15
    site = chromium.site_folder(build)
    bench = os.path.join(build, "bench")
    # The site's page and loader, each probe started by them as the editor is.
    folder = tempfile.mkdtemp(prefix="trailcam-bench.")
    try:
        for name in ("page.js", "page.css", "trailcam-settings.svg"):
            shutil.copy(os.path.join(site, name), folder)
        with open(os.path.join(site, "index.html"), encoding="utf-8") as f:
            page = f.read()
        for program in PROBES.values():
            for ext in (".js", ".wasm"):
                shutil.copy(os.path.join(bench, program + ext), folder)
            with open(os.path.join(folder, program + ".html"), "w", encoding="utf-8") as f:
                f.write(page.replace('data-program="trailcam-settings"', 'data-program="%s"' % program)
                        .replace('<link rel="manifest" href="manifest.webmanifest">', ""))

        editor = os.path.getsize(os.path.join(site, "trailcam-settings.wasm.gz"))
        floor = gzipped_size(os.path.join(bench, PROBES["floor"] + ".wasm"))
        print("wasm.gz: editor %.2f MB, floor %.2f MB, ratio %.3f (goal <= 1.1)"
              % (editor / 1e6, floor / 1e6, editor / floor))

        server = chromium.Site(folder)
        times = {name: [] for name in PROBES}
        try:
            for _ in range(runs):
                for name, program in PROBES.items():
                    with chromium.Chromium() as browser:
                        browser.call("Runtime.enable")
                        browser.call("Page.navigate", url=server.url + program + ".html")
                        line = browser.wait_console("shown ", timeout=60)
                        times[name].append(float(line.split()[-1]))
        finally:
            server.close()
        median = {name: statistics.median(values) for name, values in times.items()}
        for name in PROBES:
            print("first drawn window, %s: median %.0f ms over %d runs (%s)"
                  % (name, median[name], runs, ", ".join("%.0f" % t for t in times[name])))
        print("time ratio %.3f (goal <= 1.15)" % (median["editor"] / median["floor"]))
    finally:
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    main()
