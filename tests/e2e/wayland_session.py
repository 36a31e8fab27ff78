# SPDX-License-Identifier: MIT
"""A private, headless Wayland desktop for one test run.

WaylandSession starts, in a temporary XDG_RUNTIME_DIR, a D-Bus session bus with the AT-SPI
accessibility bus (to find windows and controls, read texts and trigger actions), and weston
with its headless backend and the tavo-weston-input module (to type keys and click, as AT-SPI
cannot). Everything it starts is ended on leaving the `with` block, and every wait has a
timeout, so a broken program fails the test instead of hanging it.

Call /usr/bin/python3: pyatspi belongs to Debian's Python.
"""

import os
import select
import shutil
import socket
import subprocess
import tempfile
import time

# evdev key codes (linux/input-event-codes.h).
KEY_LEFTCTRL = 29
KEY_A = 30
KEY_ENTER = 28
DIGIT_KEYS = {"1": 2, "2": 3, "3": 4, "4": 5, "5": 6, "6": 7, "7": 8, "8": 9, "9": 10, "0": 11}


class SessionError(Exception):
    """What went wrong, said plainly; the test prints it and fails."""


def wait_for(what, probe, timeout=20.0, interval=0.1, alive=None):
    """Calls probe() until it returns something true, and returns that; fails after timeout,
    or at once when alive() (if given) raises, e.g. because the program has ended."""
    deadline = time.monotonic() + timeout
    while True:
        if alive is not None:
            alive()
        try:
            found = probe()
        except SessionError:
            raise
        except Exception:  # AT-SPI raises while a window is being built or torn down
            found = None
        if found:
            return found
        if time.monotonic() > deadline:
            raise SessionError(f"timed out after {timeout:g} s waiting for {what}")
        time.sleep(interval)


def _end(process, timeout=5.0):
    if process is None or process.poll() is not None:
        return
    process.terminate()
    try:
        process.wait(timeout)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait(timeout)


class WaylandSession:
    SOCKET = "tavo-wayland"

    def __init__(self, input_module):
        self.input_module = input_module
        self.processes = []
        self.directory = None
        self.env = None
        self.control = None

    def __enter__(self):
        self.directory = tempfile.mkdtemp(prefix="tavo-wayland-")
        os.chmod(self.directory, 0o700)
        env = {key: value for key, value in os.environ.items()
               if key not in ("DISPLAY", "WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS")}
        env["XDG_RUNTIME_DIR"] = self.directory
        self.env = env
        try:
            self._start_buses()
            self._start_weston()
        except BaseException:
            self.__exit__(None, None, None)
            raise
        return self

    def __exit__(self, kind, value, traceback):
        if self.control is not None:
            self.control.close()
        for process in reversed(self.processes):
            _end(process)
        if kind is not None and self.directory is not None:
            for name in ("weston.log", "buses.log"):
                log = os.path.join(self.directory, name)
                if os.path.exists(log):
                    with open(log, encoding="utf-8", errors="replace") as text:
                        print(f"---- {name} ----\n" + text.read()[-4000:])
        if self.directory is not None:
            shutil.rmtree(self.directory, ignore_errors=True)
        return False

    def _spawn(self, argv, env=None, **options):
        process = subprocess.Popen(argv, env=env or self.env, stdin=subprocess.DEVNULL, **options)
        self.processes.append(process)
        return process

    def _start_buses(self):
        # Their chatter goes to a log, shown when the test fails.
        log = open(os.path.join(self.directory, "buses.log"), "w")
        bus = self._spawn(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                          stdout=subprocess.PIPE, stderr=log)
        ready, _, _ = select.select([bus.stdout], [], [], 10)
        if not ready:
            raise SessionError("dbus-daemon did not print its address within 10 s")
        address = bus.stdout.readline().decode().strip()
        if not address:
            raise SessionError("dbus-daemon ended without an address")
        self.env["DBUS_SESSION_BUS_ADDRESS"] = address
        # pyatspi connects through the process's own environment, on first use.
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = address
        os.environ["XDG_RUNTIME_DIR"] = self.directory
        self._spawn(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
                    stdout=log, stderr=log)
        log.close()

    def _start_weston(self):
        control_path = os.path.join(self.directory, "input.sock")
        env = dict(self.env, TAVO_WESTON_INPUT=control_path)
        weston = self._spawn(
            ["weston", "--backend=headless-backend.so", f"--socket={self.SOCKET}",
             "--idle-time=0", "--no-config", f"--modules={self.input_module}",
             "--log=" + os.path.join(self.directory, "weston.log")],
            env=env, stdout=subprocess.DEVNULL, stderr=subprocess.STDOUT)

        def ready():
            if weston.poll() is not None:
                raise SessionError(f"weston ended with status {weston.returncode}")
            return (os.path.exists(os.path.join(self.directory, self.SOCKET))
                    and os.path.exists(control_path))
        wait_for("weston's Wayland socket and input socket", ready, timeout=20)
        self.control = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        self.control.settimeout(10)
        self.control.connect(control_path)
        self.control_file = self.control.makefile("rw", encoding="utf-8")

    # ---- the program ---------------------------------------------------------------------

    def start(self, argv, **env):
        """Starts a Wayland client of this session; its output goes to this test's output."""
        client_env = dict(self.env, WAYLAND_DISPLAY=self.SOCKET, **env)
        return self._spawn(argv, env=client_env)

    # ---- input through weston ------------------------------------------------------------

    def _ask(self, line):
        self.control_file.write(line + "\n")
        self.control_file.flush()
        try:
            answer = self.control_file.readline().strip()
        except socket.timeout:
            raise SessionError(f"weston did not answer '{line}' within 10 s") from None
        if not answer.startswith("ok"):
            raise SessionError(f"weston answered '{line}' with: {answer or 'nothing'}")
        return answer[2:].strip()

    def window_titles(self):
        """The titles of the toplevel windows weston shows."""
        answer = self._ask("windows")
        return answer.split("|") if answer else []

    def click(self, window_title, x, y):
        """A left click at (x, y) in the window's own coordinates."""
        self._ask(f"click {window_title}|{x}|{y}")

    def keys(self, *codes):
        """Presses the keys together, then releases them: keys(KEY_LEFTCTRL, KEY_A)."""
        self._ask("key " + "+".join(str(code) for code in codes))

    def type_digits(self, digits):
        for digit in digits:
            self.keys(DIGIT_KEYS[digit])


# ---- AT-SPI --------------------------------------------------------------------------------

def accessible_application(name, timeout=20.0, alive=None):
    import pyatspi

    def probe():
        desktop = pyatspi.Registry.getDesktop(0)
        return next((app for app in desktop if app is not None and app.name == name), None)
    return wait_for(f"the application '{name}' on the accessibility bus", probe, timeout,
                    alive=alive)


def find(node, predicate):
    """The first accessible in node's tree (node included) for which predicate is true."""
    if predicate(node):
        return node
    for child in node:
        if child is not None:
            found = find(child, predicate)
            if found is not None:
                return found
    return None


def window(application, title, timeout=20.0, alive=None):
    return wait_for(f"the window '{title}'",
                    lambda: next((w for w in application if w is not None and w.name == title),
                                 None), timeout, alive=alive)


def action_names(node):
    try:
        actions = node.queryAction()
    except NotImplementedError:
        return []
    return [actions.getName(i) for i in range(actions.nActions)]


def do_action(node, name):
    names = action_names(node)
    if name not in names:
        raise SessionError(f"'{node.name}' has no action {name} (only {names})")
    node.queryAction().doAction(names.index(name))


def text_of(node):
    return node.queryText().getText(0, -1)


def centre_in_window(node):
    """The centre of the control in its window's coordinates."""
    import pyatspi
    box = node.queryComponent().getExtents(pyatspi.WINDOW_COORDS)
    return box.x + box.width // 2, box.y + box.height // 2
