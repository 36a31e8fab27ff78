# SPDX-License-Identifier: MIT
"""A private, headless Wayland desktop for end-to-end tests: desktop.py's session with weston
in place of Xvfb.

WestonDesktop starts weston with its headless backend and the tavo-weston-input module, which
gives it a keyboard and a pointer that the test drives through a socket, as AT-SPI cannot
type or click. Everything else (the private home and D-Bus session, the AT-SPI bus, processes,
waits, finding windows and controls) is desktop.Desktop's; run it with
desktop.run_test(..., desktop=WestonDesktop, input_module=PATH).
"""

import os
import socket

from desktop import Desktop, E2EFailure, still_running, wait_for

# evdev key codes (linux/input-event-codes.h).
KEY_LEFTCTRL = 29
KEY_A = 30
KEY_ENTER = 28
DIGIT_KEYS = {"1": 2, "2": 3, "3": 4, "4": 5, "5": 6, "6": 7, "7": 8, "8": 9, "9": 10, "0": 11}


class WestonDesktop(Desktop):
    TOOLS = ("weston",)
    TIMEOUT = 20
    COORDINATES = "WINDOW_COORDS"  # weston's input module clicks in window coordinates
    PROGRAM_ENV = {"QT_QPA_PLATFORM": "wayland"}
    SOCKET = "tavo-wayland"

    def __init__(self, input_module):
        super().__init__()
        self.input_module = input_module
        self._control = None

    def _start_display(self):
        runtime = self.env["XDG_RUNTIME_DIR"]
        control_path = os.path.join(runtime, "input.sock")
        weston = self.spawn("weston", [
            "weston", "--backend=headless-backend.so", f"--socket={self.SOCKET}",
            "--idle-time=0", "--no-config", f"--modules={self.input_module}"],
            {"TAVO_WESTON_INPUT": control_path})
        wait_for("weston's Wayland socket and input socket", 20,
                 lambda: all(os.path.exists(path) for path in
                             (os.path.join(runtime, self.SOCKET), control_path)),
                 alive=lambda: still_running(weston, "weston"))
        self._control = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        self._control.settimeout(10)
        self._control.connect(control_path)
        self._control_file = self._control.makefile("rw", encoding="utf-8")
        self.env["WAYLAND_DISPLAY"] = self.SOCKET  # for the clients started from now on

    def close(self):
        if self._control is not None:
            self._control.close()
        super().close()

    def find_window(self, app, title, timeout=None, alive=None):
        """The window titled `title`, once AT-SPI has it showing and weston shows it too:
        a Wayland surface of weston's (no X display exists to use)."""
        window = super().find_window(app, title, timeout, alive)
        wait_for(f"weston to show {title!r}", timeout or self.TIMEOUT,
                 lambda: title in self.window_titles(), alive=alive)
        return window

    # ---- input through weston ------------------------------------------------------------

    def _ask(self, line):
        self._control_file.write(line + "\n")
        self._control_file.flush()
        try:
            answer = self._control_file.readline().strip()
        except socket.timeout:
            raise E2EFailure(f"weston did not answer '{line}' within 10 s") from None
        if not answer.startswith("ok"):
            raise E2EFailure(f"weston answered '{line}' with: {answer or 'nothing'}")
        return answer[2:].strip()

    def window_titles(self):
        """The titles of the toplevel windows weston shows."""
        answer = self._ask("windows")
        return answer.split("|") if answer else []

    def click(self, window_title, node):
        """A left click at the centre of an accessible object in the window so titled."""
        x, y = self.centre_of(node)
        self._ask(f"click {window_title}|{x}|{y}")

    def keys(self, *codes):
        """Presses the keys together, then releases them: keys(KEY_LEFTCTRL, KEY_A)."""
        self._ask("key " + "+".join(str(code) for code in codes))

    def type_digits(self, digits):
        for digit in digits:
            self.keys(DIGIT_KEYS[digit])
