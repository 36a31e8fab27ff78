#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""One journey through the browser edition in Debian's headless Chromium, against the site
served here on 127.0.0.1, every box compared with what tavo-convert prints for the same input.

    page_journey.py SITE TAVO_CONVERT
"""
import json
import subprocess
import sys
import threading
import time
import unittest

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

SITE, TAVO_CONVERT = sys.argv[1:3]
sys.path.insert(0, f"{__file__.rsplit('/', 3)[0]}/web/tools")
from chromium import start_chromium  # noqa: E402
from serve import make_server  # noqa: E402  (the server of make web)


def convert(*arguments):
    return subprocess.run([TAVO_CONVERT, *arguments], check=True, capture_output=True,
                          text=True).stdout


def window_texts(*arguments):
    """The texts tavo-convert gives the boxes, in row order."""
    return [line.split("\t")[2] for line in convert(*arguments).splitlines()]


class PageJourney(unittest.TestCase):
    def setUp(self):
        self.server = make_server(SITE)
        threading.Thread(target=self.server.serve_forever, daemon=True).start()
        self.driver = start_chromium()
        self.addCleanup(self.driver.quit)
        self.addCleanup(self.server.server_close)
        self.url = f"http://127.0.0.1:{self.server.server_address[1]}/"

    def wait(self, script):
        for _ in range(200):
            if self.driver.execute_script(f"return {script}"):
                return
            time.sleep(0.05)
        self.fail(f"never true: {script}")

    def open_page(self):
        self.driver.get(self.url)
        self.wait("document.documentElement.dataset.ready")

    def open_length(self):
        self.driver.find_element(By.CSS_SELECTOR, "button[aria-label='距離']").click()
        return self.driver.find_elements(By.CSS_SELECTOR, "[data-name=Length] input[type=text]")

    def assert_boxes(self, boxes, *arguments, edited=None):
        # The edited row keeps the text as typed; tavo-convert writes its cells in ASCII.
        expected = window_texts(*arguments)
        if edited is not None:
            expected[edited[0]] = edited[1]
        self.assertEqual([box.get_property("value") for box in boxes], expected)

    def test_journey(self):
        driver = self.driver
        self.open_page()
        boxes = self.open_length()
        self.assert_boxes(boxes, "Length")
        # State: fresh window.  Action: an input method composes １００ in the yard row; the
        # Enter that commits it (keyCode 229) must not convert; a second Enter does.
        boxes[1].click()
        driver.execute_cdp_cmd("Input.imeSetComposition",
                               {"text": "１００", "selectionStart": 3, "selectionEnd": 3})
        driver.execute_cdp_cmd("Input.insertText", {"text": "１００"})
        driver.execute_cdp_cmd("Input.dispatchKeyEvent", {
            "type": "rawKeyDown", "key": "Enter", "code": "Enter", "windowsVirtualKeyCode": 229})
        self.assertEqual(boxes[0].get_property("value"), window_texts("Length")[0])
        boxes[1].send_keys(Keys.ENTER)
        self.assert_boxes(boxes, "Length", "yard", "１００", edited=(1, "１００"))
        # Alt+E chooses 指数: every row rewritten.
        ActionChains(driver).key_down(Keys.ALT).send_keys("e").key_up(Keys.ALT).perform()
        self.assert_boxes(boxes, "--exp", "--refresh", "Length", "yard", "１００")

        # Screen readers hear the box by its unit and reading, and its size.
        row = json.loads(convert("--format", "json", "Length", "yard", "100"))["rows"][1]
        nodes = driver.execute_cdp_cmd("Accessibility.getFullAXTree", {})["nodes"]
        named = [n for n in nodes if n.get("name", {}).get("value") ==
                 f"{row['label']} {row['reading']}"]
        self.assertEqual([n["role"]["value"] for n in named], ["textbox"])
        self.assertIn("0.9144", named[0]["description"]["value"])

        # 閉じる unloads the window: opened again, it starts afresh.
        driver.find_element(By.CSS_SELECTOR, "[data-name=Length] .command").click()
        self.assertEqual(driver.find_elements(By.CSS_SELECTOR, "[data-name=Length]"), [])
        self.assert_boxes(self.open_length(), "Length")
        self.assertEqual(driver.execute_cdp_cmd("Page.getInstallabilityErrors", {}),
                         {"installabilityErrors": []})

        # A phone's viewport: a tap opens a window as a click does; F1's help window, the
        # widest, scales down to fit.
        driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
            "width": 360, "height": 640, "deviceScaleFactor": 2, "mobile": True})
        driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": True})
        driver.find_element(By.CSS_SELECTOR, "[data-name=Length] .command").click()
        point = driver.execute_script(
            "const r = document.querySelector(\"button[aria-label='質量']\")"
            ".getBoundingClientRect(); return {x: r.x + r.width / 2, y: r.y + r.height / 2}")
        for kind, touches in (("touchStart", [point]), ("touchEnd", [])):
            driver.execute_cdp_cmd("Input.dispatchTouchEvent",
                                   {"type": kind, "touchPoints": touches})
        self.wait("document.querySelector('[data-name=Weight]')")
        ActionChains(driver).send_keys(Keys.F1).perform()
        self.wait("document.querySelector('[data-name=Manual]')")
        self.assertEqual(driver.execute_script(
            "const r = document.querySelector('[data-name=Manual]').getBoundingClientRect();"
            "return [document.documentElement.scrollWidth <= innerWidth, r.left >= 0,"
            " r.right <= innerWidth]"), [True, True, True])

        # Offline: with the server gone, the service worker's cache serves the page.
        self.wait("navigator.serviceWorker.controller")
        self.server.shutdown()
        self.server.server_close()
        self.open_page()
        boxes = self.open_length()
        boxes[1].click()
        boxes[1].send_keys("100", Keys.ENTER)
        self.assert_boxes(boxes, "Length", "yard", "100")


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])
