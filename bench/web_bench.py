#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""The browser edition's weight and speed, in one run of Debian's headless Chromium against
the site served on 127.0.0.1 (web/tools/serve.py, gzip as most hosts send):

  - the bytes a first visit transfers, gzipped, fonts included (the page, then the service
    worker caching every file), against 150 KB;
  - cold load (no cache, no service worker) to the first conversion possible, against the cold
    load of a static page with the same markup (the page as drawn, its scripts removed),
    RUNS interleaved loads of each, the median of their ratios against 1.5;
  - Enter in the length window to every box rewritten (and laid out), median of 500, against
    1 ms;
  - the sizes of the wasm and the JavaScript, raw and gzipped.

    web_bench.py SITE          (RUNS=15 by default)
"""
import gzip
import os
import pathlib
import re
import shutil
import statistics
import sys
import tempfile
import threading
import time

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[1] / "web/tools"))
import serve  # noqa: E402
from chromium import start_chromium  # noqa: E402

RUNS = int(os.environ.get("RUNS", "15"))
SENT = []  # (path, body bytes) of every response


class Handler(serve.Handler):
    quiet = True

    def send_header(self, key, value):
        if key == "Content-Length":
            SENT.append((self.path, int(value)))
        super().send_header(key, value)

    def end_headers(self):
        # Cross-origin isolated, so that performance.now() counts in microseconds.
        self.send_header("Cross-Origin-Opener-Policy", "same-origin")
        self.send_header("Cross-Origin-Embedder-Policy", "require-corp")
        super().end_headers()


# The moment a load is done: its load event, the page's core ready (performance mark
# tavo-ready) and every file it asked for (the fonts among them) arrived, but for the icon and
# manifest that the browser fetches for itself.
DONE = """
const nav = performance.getEntriesByType('navigation')[0];
if (!nav || nav.loadEventEnd === 0) return null;
const ready = performance.getEntriesByName('tavo-ready')[0];
if (arguments[0] && !ready) return null;
const files = performance.getEntriesByType('resource')
  .filter((r) => !/\/icons\/|\.webmanifest$/.test(r.name));
return Math.max(nav.loadEventEnd, ready ? ready.startTime : 0, ...files.map((r) => r.responseEnd));
"""

ENTER = """
const box = document.querySelectorAll('[data-name=Length] input[type=text]')[1];
const times = [];
for (let i = 0; i < 500; ++i) {
  box.value = String(100 + i);
  const start = performance.now();
  box.dispatchEvent(new KeyboardEvent('keydown', {key: 'Enter', bubbles: true}));
  document.body.offsetHeight;  // the boxes laid out again
  times.push(performance.now() - start);
}
return times;
"""


def until(driver, script, *arguments):
    for _ in range(400):
        value = driver.execute_script(script, *arguments)
        if value:
            return value
        time.sleep(0.025)
    raise TimeoutError(script)


def cold_load(driver, url, page):
    driver.get("about:blank")
    driver.execute_cdp_cmd("Network.clearBrowserCache", {})
    driver.execute_cdp_cmd("Storage.clearDataForOrigin",
                           {"origin": url.rstrip("/"), "storageTypes": "all"})
    driver.get(url + ("" if page else "static.html"))
    return until(driver, f"{DONE}", page)


def gzipped(path):
    return len(gzip.compress(path.read_bytes(), 9))


def main(site):
    work = pathlib.Path(tempfile.mkdtemp(prefix="tavo-web-bench-"))
    shutil.copytree(site, work / "site")
    server = serve.make_server(str(work / "site"), 0, Handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    url = f"http://127.0.0.1:{server.server_address[1]}/"
    driver = start_chromium(work / "profile")
    try:
        # A first visit, until the service worker has every file.
        driver.get(url)
        until(driver, "return document.documentElement.dataset.ready")
        until(driver, "return navigator.serviceWorker.controller")
        time.sleep(0.5)
        first = sum(size for _, size in SENT)
        fonts = sum(size for path, size in SENT if path.endswith(".woff2"))

        # The static page: the markup as drawn, without its scripts.
        markup = driver.execute_script("return document.documentElement.outerHTML")
        markup = re.sub(r"<script\b.*?</script>|<link rel=\"(module)?preload\"[^>]*>", "", markup,
                        flags=re.S)
        (work / "site/static.html").write_text(f"<!doctype html>\n{markup}", encoding="utf-8")

        static_times, page_times = [], []
        for _ in range(RUNS):
            static_times.append(cold_load(driver, url, False))
            page_times.append(cold_load(driver, url, True))

        driver.get(url)
        until(driver, "return document.documentElement.dataset.ready")
        driver.execute_script("document.querySelector(\"button[aria-label='距離']\").click()")
        enter = statistics.median(driver.execute_script(ENTER))
    finally:
        driver.quit()
        server.shutdown()
        shutil.rmtree(work, ignore_errors=True)

    site = pathlib.Path(site)
    scripts = sorted(site.glob("*.mjs")) + [site / "sw.js"]
    static, page = statistics.median(static_times), statistics.median(page_times)
    # Judged on the median of the ratios of neighbouring loads, which a busy machine disturbs
    # less than the ratio of the medians.
    ratio = statistics.median(p / s for p, s in zip(page_times, static_times))
    verdict = lambda met: "met" if met else "NOT MET"  # noqa: E731
    print("browser edition (headless Chromium, medians):")
    print(f"  first visit, gzipped, all files     {first / 1024:8.1f} KB"
          f" (fonts {fonts / 1024:.1f} KB)"
          f"   goal <= 150 KB: {verdict(first <= 150 * 1024)}")
    print(f"  cold load to first conversion       {page:8.1f} ms (static page {static:.1f} ms;"
          f" ratio {ratio:.2f}, of medians {page / static:.2f})"
          f"   goal <= 1.5: {verdict(ratio <= 1.5)}")
    print(f"  Enter to every box rewritten        {enter:8.3f} ms"
          f"   goal <= 1 ms: {verdict(enter <= 1)}")
    wasm = site / "tavo_core.wasm"
    print(f"  tavo_core.wasm                      {wasm.stat().st_size / 1024:8.1f} KB"
          f" raw, {gzipped(wasm) / 1024:.1f} KB gzipped")
    print(f"  JavaScript ({len(scripts)} files)             "
          f"{sum(p.stat().st_size for p in scripts) / 1024:8.1f} KB raw,"
          f" {sum(gzipped(p) for p in scripts) / 1024:.1f} KB gzipped")


if __name__ == "__main__":
    main(sys.argv[1])
