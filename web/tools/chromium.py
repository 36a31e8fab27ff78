# SPDX-License-Identifier: MIT
"""Debian's headless Chromium under Selenium, as the page's test and benchmark drive it: with
a profile of its own, and nothing that would go out to the network."""
import tempfile

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

ARGUMENTS = (
    "--headless=new", "--no-sandbox",  # no sandbox: the tests may run as root
    "--disable-gpu", "--disable-background-networking", "--disable-component-update",
    "--disable-sync", "--no-first-run", "--window-size=1000,700",
)


def start_chromium(profile=None):
    """A Chromium driver on a fresh profile folder (a new one unless given)."""
    options = webdriver.ChromeOptions()
    for argument in ARGUMENTS:
        options.add_argument(argument)
    options.add_argument(f"--user-data-dir={profile or tempfile.mkdtemp(prefix='tavo-chromium-')}")
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
