# SPDX-License-Identifier: MIT
"""A private desktop session for end-to-end tests of the program's windows.

A test script calls run_test() (or run_in_dbus_session() first, then uses Desktop itself):
it runs the script again inside dbus-run-session, so every D-Bus service the test starts
lives on a private session bus that ends with the test. Then `with Desktop() as desktop:`
(run_test does this and passes it to the test's body) gives a private Xvfb display and
an AT-SPI accessibility bus, starts programs with desktop.spawn(), finds the program's
windows through AT-SPI and reads their boxes, clicks and types with xdotool, and on leaving
ends every process it started and removes its temporary home.

The module also compares a converter window's rows with what tavo-convert prints:
expected_rows() and Desktop.expect_rows().

Everything waits with a timeout and raises E2EFailure with a clear message when the time
runs out; run_in_dbus_session() also arms an alarm for the whole script, so a test fails
instead of hanging. Debian's python3-pyatspi belongs to /usr/bin/python3.
"""

import importlib.util
import os
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time

_IN_SESSION = "TAVO_E2E_IN_DBUS_SESSION"


class E2EFailure(Exception):
    """What the test saw was wrong, or something did not come in time."""


def run_in_dbus_session(script_seconds):
    """Runs this script again inside dbus-run-session and exits with its status, unless it
    already runs there; then arms an alarm that fails the script after script_seconds."""
    if os.environ.get(_IN_SESSION) != "1":
        missing = [tool for tool in ("dbus-run-session", "dbus-send", "Xvfb", "xdotool",
                                     "/usr/libexec/at-spi-bus-launcher")
                   if shutil.which(tool) is None]
        if importlib.util.find_spec("pyatspi") is None:
            missing.append(f"pyatspi (for {sys.executable})")
        if missing:
            sys.exit(f"{os.path.basename(sys.argv[0])}: missing {', '.join(missing)} "
                     "(scripts/install-deps installs them)")
        env = dict(os.environ, **{_IN_SESSION: "1"})
        inner = subprocess.Popen(["dbus-run-session", "--", sys.executable, *sys.argv],
                                 env=env, start_new_session=True)
        try:
            sys.exit(inner.wait(timeout=script_seconds + 15))
        except subprocess.TimeoutExpired:
            # The inner script did not stop at its own alarm: end its whole process group.
            os.killpg(inner.pid, signal.SIGKILL)
            inner.wait()
            sys.exit(f"{os.path.basename(sys.argv[0])}: FAILED: still running after "
                     f"{script_seconds + 15} s, killed")

    def on_alarm(_signum, _frame):
        raise E2EFailure(f"the test took more than {script_seconds} s")

    signal.signal(signal.SIGALRM, on_alarm)
    signal.alarm(script_seconds)


# What a test reports as its fault: a wrong observation, or a process or file that failed.
FAULTS = (E2EFailure, OSError, subprocess.SubprocessError)


def run_test(name, script_seconds, body, logs=("tavometr",)):
    """Runs body(desktop) on a private Desktop inside its own D-Bus session (see
    run_in_dbus_session) and prints "NAME: SUMMARY (TIME)" with the summary body returns. On
    a fault it prints the last lines of the logs named in `logs` and exits non-zero with
    "NAME: FAILED: ..."."""
    run_in_dbus_session(script_seconds)
    started = time.monotonic()
    try:
        with Desktop() as session:
            try:
                summary = body(session)
            except FAULTS:
                for log_name in logs:
                    log = session.log(log_name).strip()
                    if log:
                        print(f"--- {log_name} log (last lines) ---\n{log[-1500:]}",
                              file=sys.stderr)
                raise
    except FAULTS as failure:
        sys.exit(f"{name}: FAILED: {failure}")
    print(f"{name}: {summary} ({time.monotonic() - started:.1f} s)")


def wait_for(what, timeout, probe, interval=0.05):
    """Calls probe() until it returns something truthy and returns that; raises
    E2EFailure naming `what` after `timeout` seconds."""
    deadline = time.monotonic() + timeout
    while True:
        value = probe()
        if value:
            return value
        if time.monotonic() > deadline:
            raise E2EFailure(f"timed out after {timeout} s waiting for {what}")
        time.sleep(interval)


def expected_rows(tavo_convert, *arguments):
    """The rows a converter window shows, as (unit label, text) pairs: what `tavo-convert
    ARGUMENTS` prints (lines ROW<TAB>LABEL<TAB>TEXT), e.g. ("Weight", "0", "100")."""
    output = subprocess.run([tavo_convert, *arguments], capture_output=True, text=True,
                            check=True, timeout=10).stdout
    return [(label, shown) for _row, label, shown in
            (line.split("\t") for line in output.splitlines())]


def box_name(names, label):
    """The one box name of a unit label; each box is named "label reading"."""
    found = [name for name in names if name.startswith(label + " ")]
    if len(found) != 1:
        raise E2EFailure(f"expected one box for {label!r}, found {found} in {list(names)}")
    return found[0]


def rows_of(texts, labels):
    """A window's box texts (by box name) in the order of the unit labels `labels`."""
    return [(label, texts[box_name(texts, label)]) for label in labels]


def describe(rows):
    return "\n".join(f"    {label}\t{text!r}" for label, text in rows)


class Desktop:
    """Xvfb, the AT-SPI bus and the programs a test starts, with a private home."""

    def __init__(self, width=1280, height=1024):
        self._size = f"{width}x{height}x24"
        self._processes = []  # (name, Popen), in start order
        self.work = tempfile.mkdtemp(prefix="tavo-e2e-")
        home = os.path.join(self.work, "home")
        runtime = os.path.join(self.work, "runtime")
        os.makedirs(home)
        os.makedirs(runtime, mode=0o700)
        # Nothing the test starts reads or writes the user's own configuration.
        self.env = dict(os.environ, HOME=home, XDG_RUNTIME_DIR=runtime,
                        XDG_CONFIG_HOME=os.path.join(home, ".config"),
                        XDG_DATA_HOME=os.path.join(home, ".local", "share"),
                        XDG_CACHE_HOME=os.path.join(home, ".cache"),
                        XDG_STATE_HOME=os.path.join(home, ".local", "state"))
        for variable in ("WAYLAND_DISPLAY", "AT_SPI_BUS_ADDRESS"):
            self.env.pop(variable, None)
            os.environ.pop(variable, None)  # pyatspi in this process finds the private bus
        self.display = None
        self._pyatspi = None

    def __enter__(self):
        try:
            self._start_xvfb()
            self._start_accessibility_bus()
        except BaseException:
            self.close()
            raise
        return self

    def __exit__(self, *_):
        self.close()

    # --- processes ---------------------------------------------------------------------

    def spawn(self, name, argv, env=None):
        """Starts a program on the display with the session's environment (plus `env`);
        its output goes to a log that log(name) returns. It is ended by close()."""
        log = open(os.path.join(self.work, f"{name}.log"), "wb")
        process = subprocess.Popen(argv, env=dict(self.env, **(env or {})),
                                   stdin=subprocess.DEVNULL, stdout=log,
                                   stderr=subprocess.STDOUT)
        log.close()
        self._processes.append((name, process))
        return process

    def log(self, name):
        try:
            with open(os.path.join(self.work, f"{name}.log"), errors="replace") as log:
                return log.read()
        except OSError:
            return ""

    def run(self, argv, timeout=10, env=None):
        """Runs a short command to its end and returns its output; raises E2EFailure when it
        fails or does not end in time."""
        try:
            done = subprocess.run(argv, env=dict(self.env, **(env or {})),
                                  stdin=subprocess.DEVNULL, capture_output=True,
                                  text=True, timeout=timeout)
        except subprocess.TimeoutExpired as error:
            raise E2EFailure(f"{' '.join(argv)} did not end within {timeout} s") from error
        if done.returncode != 0:
            raise E2EFailure(f"{' '.join(argv)} failed ({done.returncode}): "
                             f"{done.stderr.strip()}")
        return done.stdout

    def close(self):
        """Ends every started process, last started first, and removes the home."""
        for _name, process in reversed(self._processes):
            if process.poll() is None:
                process.terminate()
                try:
                    process.wait(timeout=3)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()
        self._processes.clear()
        shutil.rmtree(self.work, ignore_errors=True)

    # --- Xvfb and the accessibility bus -----------------------------------------------

    def _start_xvfb(self):
        # Xvfb picks a free display itself and writes its number once it takes clients.
        read_end, write_end = os.pipe()
        log = open(os.path.join(self.work, "xvfb.log"), "wb")
        process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", self._size,
             "-nolisten", "tcp"], pass_fds=(write_end,), stdin=subprocess.DEVNULL,
            stdout=log, stderr=subprocess.STDOUT)
        log.close()
        os.close(write_end)
        self._processes.append(("xvfb", process))
        # It writes the number and the line feed separately, and fails if the pipe is
        # closed in between: read up to the line feed.
        number = b""
        deadline = time.monotonic() + 10
        while not number.endswith(b"\n") and time.monotonic() < deadline:
            ready, _, _ = select.select([read_end], [], [], max(0, deadline - time.monotonic()))
            chunk = os.read(read_end, 32) if ready else b""
            if not chunk:
                break
            number += chunk
        os.close(read_end)
        number = number.decode().strip()
        if not number:
            raise E2EFailure(f"Xvfb did not start: {self.log('xvfb')}")
        self.display = f":{number}"
        self.env["DISPLAY"] = self.display
        os.environ["DISPLAY"] = self.display  # for pyatspi in this process

    def _start_accessibility_bus(self):
        self.spawn("at-spi-bus", ["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
        self.wait_for_bus_name("org.a11y.Bus")

    def wait_for_bus_name(self, name, timeout=10):
        """Waits until `name` has an owner on the session bus, without activating it."""
        probe = ["dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus",
                 "/org/freedesktop/DBus", "org.freedesktop.DBus.NameHasOwner", f"string:{name}"]
        wait_for(f"{name} on the session bus", timeout, lambda: "boolean true" in subprocess.run(
            probe, env=self.env, stdin=subprocess.DEVNULL, capture_output=True, text=True,
            timeout=5).stdout, interval=0.1)

    # --- AT-SPI ------------------------------------------------------------------------

    @property
    def atspi(self):
        if self._pyatspi is None:
            import pyatspi  # only now: it looks for the accessibility bus when loaded
            self._pyatspi = pyatspi
        return self._pyatspi

    def find_application(self, name, timeout=10):
        """The accessible application called `name`, once it has registered."""
        def probe():
            desktop = self.atspi.Registry.getDesktop(0)
            for index in range(desktop.childCount):
                app = desktop.getChildAtIndex(index)
                if app is not None and app.name == name:
                    return app
            return None
        return wait_for(f"the accessible application {name!r}", timeout, probe)

    def find_window(self, app, title, timeout=10):
        """The application's top-level window titled `title`, once it is showing."""
        showing = self.atspi.STATE_SHOWING

        def probe():
            for index in range(app.childCount):
                window = app.getChildAtIndex(index)
                if (window is not None and window.name == title
                        and window.getState().contains(showing)):
                    return window
            return None
        return wait_for(f"the window {title!r}", timeout, probe)

    def descendants(self, node, role):
        """Every descendant of `node` with the AT-SPI role `role`, in tree order."""
        found = []
        for index in range(node.childCount):
            child = node.getChildAtIndex(index)
            if child is None:
                continue
            if child.getRole() == role:
                found.append(child)
            found.extend(self.descendants(child, role))
        return found

    def box_texts(self, window):
        """The texts of the window's text boxes, by accessible name."""
        texts = {}
        for box in self.descendants(window, self.atspi.ROLE_TEXT):
            text = box.queryText()
            texts[box.name] = text.getText(0, text.characterCount)
        return texts

    def expect_rows(self, window, expected, what, timeout=10):
        """Waits until the window's rows are `expected` (from expected_rows()); raises
        E2EFailure showing both tables when they do not become so in time."""
        labels = [label for label, _ in expected]
        try:
            wait_for(what, timeout, lambda: rows_of(self.box_texts(window), labels) == expected)
        except E2EFailure:
            shown = rows_of(self.box_texts(window), labels)
            raise E2EFailure(f"{what}: the window shows\n{describe(shown)}\n"
                             f"  expected\n{describe(expected)}") from None

    def wait_closed(self, window, what, timeout=10):
        """Waits until an accessible window is no longer showing."""
        wait_for(f"{what} to close", timeout,
                 lambda: not window.getState().contains(self.atspi.STATE_SHOWING))

    def centre_of(self, node):
        extents = node.queryComponent().getExtents(self.atspi.DESKTOP_COORDS)
        return extents.x + extents.width // 2, extents.y + extents.height // 2

    # --- keyboard and mouse ------------------------------------------------------------

    def click(self, node):
        """A left click at the centre of an accessible object, as a user's mouse."""
        x, y = self.centre_of(node)
        self.run(["xdotool", "mousemove", "--sync", str(x), str(y), "click", "1"])

    def type(self, text):
        self.run(["xdotool", "type", "--delay", "60", text])

    def key(self, *keys):
        self.run(["xdotool", "key", "--delay", "60", *keys])

    def focus_window(self, title):
        """Gives the input focus to the showing X window titled `title`, as a window manager
        does with a new window or when the active one has closed; the test desktop has
        none."""
        found = self.run(["xdotool", "search", "--sync", "--onlyvisible", "--name",
                          f"^{title}$"]).split()
        if len(found) != 1:
            raise E2EFailure(f"expected one window titled {title!r}, found {len(found)}")
        self.run(["xdotool", "windowfocus", "--sync", found[0]])
