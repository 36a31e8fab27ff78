# SPDX-License-Identifier: MIT
"""A private desktop session for end-to-end tests of the program's windows.

A test script calls run_test(NAME, SECONDS, body): it runs the script again inside
dbus-run-session, so every D-Bus service the test starts lives on a private session bus that
ends with the test, and passes body a desktop. XvfbDesktop (here) is a private Xvfb display
that xdotool types and clicks on; WestonDesktop (wayland_session.py) is a headless weston.
Either has a private home and an AT-SPI accessibility bus, starts programs with spawn(),
finds the program's windows and controls through AT-SPI and reads their boxes, and on
leaving ends every process it started and removes its temporary home.

The module also compares a converter window's rows with what tavo-convert prints:
expected_rows() and Desktop.expect_rows().

Everything waits with a timeout and raises E2EFailure with a clear message when the time
runs out; run_test() also arms an alarm for the whole script, so a test fails instead of
hanging. Debian's python3-pyatspi belongs to /usr/bin/python3.
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


# What a test reports as its fault: a wrong observation, or a process or file that failed.
FAULTS = (E2EFailure, OSError, subprocess.SubprocessError)


def run_in_dbus_session(script_seconds, tools):
    """Unless it already runs there, checks that D-Bus, AT-SPI and `tools` (what the display
    needs) are installed, runs this script again inside dbus-run-session and exits with its
    status; there, arms an alarm that fails the script after script_seconds."""
    if os.environ.get(_IN_SESSION) != "1":
        missing = [tool for tool in ("dbus-run-session", "dbus-send",
                                     "/usr/libexec/at-spi-bus-launcher", *tools)
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


def run_test(name, script_seconds, body, logs=("tavometr",), desktop=None, **options):
    """Runs body(desktop) on a private desktop (`desktop(**options)`, an XvfbDesktop unless
    given) inside its own D-Bus session (see run_in_dbus_session) and prints
    "NAME: SUMMARY (TIME)" with the summary body returns. On a fault it prints the last
    lines of the logs named in `logs` and exits non-zero with "NAME: FAILED: ..."."""
    desktop = desktop or XvfbDesktop
    run_in_dbus_session(script_seconds, desktop.TOOLS)
    started = time.monotonic()
    try:
        with desktop(**options) as session:
            try:
                summary = body(session)
            except FAULTS:
                for log_name in logs:
                    log = session.log(log_name).strip()
                    if log:
                        print(f"--- {log_name} log (last lines) ---\n{log[-4000:]}",
                              file=sys.stderr)
                raise
    except FAULTS as failure:
        sys.exit(f"{name}: FAILED: {failure}")
    print(f"{name}: {summary} ({time.monotonic() - started:.1f} s)")


def wait_for(what, timeout, probe, interval=0.05, alive=None):
    """Calls probe() until it returns something truthy and returns that; raises E2EFailure
    naming `what` after `timeout` seconds, or at once when alive() (if given) raises, e.g.
    because the program has ended. A probe that raises anything but a fault is tried again:
    AT-SPI raises while a window is being built or torn down."""
    deadline = time.monotonic() + timeout
    error = None
    while True:
        if alive is not None:
            alive()
        try:
            value = probe()
        except FAULTS:
            raise
        except Exception as raised:  # reported if the wait fails
            value, error = None, raised
        if value:
            return value
        if time.monotonic() > deadline:
            raise E2EFailure(f"timed out after {timeout} s waiting for {what}"
                             + (f" (last error: {error!r})" if error else ""))
        time.sleep(interval)


def still_running(process, what="the program"):
    """Raises E2EFailure if `process` has ended; for wait_for(alive=...)."""
    if process.poll() is not None:
        raise E2EFailure(f"{what} ended early, status {process.returncode}")


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


def text_of(node):
    return node.queryText().getText(0, -1)


def action_names(node):
    try:
        actions = node.queryAction()
    except NotImplementedError:
        return []
    return [actions.getName(index) for index in range(actions.nActions)]


def do_action(node, name):
    names = action_names(node)
    if name not in names:
        raise E2EFailure(f"{node.name!r} has no action {name} (only {names})")
    node.queryAction().doAction(names.index(name))


class Desktop:
    """A private home, the AT-SPI bus and the programs a test starts; a subclass starts the
    display (_start_display) and gives the keyboard and mouse."""

    TOOLS = ()  # what _start_display needs, for run_in_dbus_session to check
    TIMEOUT = 10  # how long the program may take to register and show a window, in s
    COORDINATES = "DESKTOP_COORDS"  # what centre_of() measures against
    PROGRAM_ENV = {}  # how the program reaches the display

    def __init__(self):
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
        # No display but the test's own: pyatspi in this process finds the private bus.
        for variable in ("DISPLAY", "WAYLAND_DISPLAY", "AT_SPI_BUS_ADDRESS"):
            self.env.pop(variable, None)
            os.environ.pop(variable, None)
        self._pyatspi = None

    def __enter__(self):
        try:
            self._start_display()
            self.spawn("at-spi-bus", ["/usr/libexec/at-spi-bus-launcher",
                                      "--launch-immediately"])
            self.wait_for_bus_name("org.a11y.Bus")
        except BaseException:
            self.close()
            raise
        return self

    def __exit__(self, *_):
        self.close()

    def _start_display(self):
        raise NotImplementedError

    # --- processes ---------------------------------------------------------------------

    def spawn(self, name, argv, env=None, **options):
        """Starts a program on the display with the session's environment (plus `env`);
        its output goes to a log that log(name) returns. It is ended by close()."""
        log = open(os.path.join(self.work, f"{name}.log"), "wb")
        process = subprocess.Popen(argv, env=dict(self.env, **(env or {})),
                                   stdin=subprocess.DEVNULL, stdout=log,
                                   stderr=subprocess.STDOUT, **options)
        log.close()
        self._processes.append((name, process))
        return process

    def log(self, name):
        try:
            with open(os.path.join(self.work, f"{name}.log"), errors="replace") as log:
                return log.read()
        except OSError:
            return ""

    def run(self, argv, timeout=10, env=None, check=True):
        """Runs a short command to its end and returns its output; raises E2EFailure when it
        does not end in time or, with `check`, fails."""
        try:
            done = subprocess.run(argv, env=dict(self.env, **(env or {})),
                                  stdin=subprocess.DEVNULL, capture_output=True,
                                  text=True, timeout=timeout)
        except subprocess.TimeoutExpired as error:
            raise E2EFailure(f"{' '.join(argv)} did not end within {timeout} s") from error
        if check and done.returncode != 0:
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

    def wait_for_bus_name(self, name, timeout=10):
        """Waits until `name` has an owner on the session bus, without activating it."""
        probe = ["dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus",
                 "/org/freedesktop/DBus", "org.freedesktop.DBus.NameHasOwner", f"string:{name}"]
        wait_for(f"{name} on the session bus", timeout,
                 lambda: "boolean true" in self.run(probe, timeout=5, check=False),
                 interval=0.1)

    # --- the program -------------------------------------------------------------------

    def start_program(self, program, title, env=None):
        """Starts the program (log "tavometr") with Qt's AT-SPI bridge on; returns its
        process, its accessible application and its window titled `title`, failing at once
        if it ends before they show."""
        process = self.spawn("tavometr", [program], dict(
            self.PROGRAM_ENV, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", **(env or {})))
        app = self.find_application(os.path.basename(program),
                                    alive=lambda: still_running(process))
        return process, app, self.find_window(app, title, alive=lambda: still_running(process))

    @staticmethod
    def expect_exit(process, after, timeout=10):
        """Waits until the program has ended after `after` and checks its status is 0."""
        try:
            status = process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise E2EFailure(f"the program still runs {timeout} s after {after}") from None
        if status != 0:
            raise E2EFailure(f"the program ended with status {status} after {after}, not 0")

    # --- AT-SPI ------------------------------------------------------------------------

    @property
    def atspi(self):
        if self._pyatspi is None:
            import pyatspi  # only now: it looks for the accessibility bus when loaded
            self._pyatspi = pyatspi
        return self._pyatspi

    def has_state(self, node, state):
        """Whether the accessible `node` is in the state `state`, e.g. "FOCUSED"."""
        return node.getState().contains(getattr(self.atspi, "STATE_" + state))

    def find_application(self, name, timeout=None, alive=None):
        """The accessible application called `name`, once it has registered."""
        return wait_for(f"the accessible application {name!r}", timeout or self.TIMEOUT,
                        lambda: next((app for app in self.atspi.Registry.getDesktop(0)
                                      if app is not None and app.name == name), None),
                        alive=alive)

    def find_window(self, app, title, timeout=None, alive=None):
        """The application's top-level window titled `title`, once it is showing."""
        return wait_for(f"the window {title!r}", timeout or self.TIMEOUT,
                        lambda: next((window for window in app if window is not None
                                      and window.name == title
                                      and self.has_state(window, "SHOWING")), None),
                        alive=alive)

    def descendants(self, node, role=None):
        """Every descendant of `node` with the AT-SPI role `role` (any if None), in tree
        order."""
        found = []
        for index in range(node.childCount):
            child = node.getChildAtIndex(index)
            if child is None:
                continue
            if role is None or child.getRole() == role:
                found.append(child)
            found.extend(self.descendants(child, role))
        return found

    def find(self, node, role, where, missing, only=True):
        """The descendant of `node` with the role `role` (any if None) for which where(node)
        holds: the only one, or with only=False the first; raises E2EFailure(missing) when
        there is none, or more than one where it must be the only one."""
        found = [child for child in self.descendants(node, role) if where(child)]
        if not found or (only and len(found) > 1):
            raise E2EFailure(missing + (f" (found {len(found)})" if found else ""))
        return found[0]

    def box_texts(self, window):
        """The texts of the window's text boxes, by accessible name."""
        return {box.name: text_of(box) for box in self.descendants(window, self.atspi.ROLE_TEXT)}

    def box_focused(self, window, label):
        """Whether the window's box for the unit `label` has the focus."""
        return any(box.name.startswith(label + " ") and self.has_state(box, "FOCUSED")
                   for box in self.descendants(window, self.atspi.ROLE_TEXT))

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
        wait_for(f"{what} to close", timeout, lambda: not self.has_state(window, "SHOWING"))

    def centre_of(self, node):
        extents = node.queryComponent().getExtents(getattr(self.atspi, self.COORDINATES))
        return extents.x + extents.width // 2, extents.y + extents.height // 2


class XvfbDesktop(Desktop):
    """A private Xvfb display, typed and clicked on with xdotool."""

    TOOLS = ("Xvfb", "xdotool")
    PROGRAM_ENV = {"QT_QPA_PLATFORM": "xcb"}
    SIZE = "1280x1024x24"

    def _start_display(self):
        # Xvfb picks a free display itself and writes its number once it takes clients.
        read_end, write_end = os.pipe()
        self.spawn("xvfb", ["Xvfb", "-displayfd", str(write_end), "-screen", "0", self.SIZE,
                            "-nolisten", "tcp"], pass_fds=(write_end,))
        os.close(write_end)
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
        self.env["DISPLAY"] = os.environ["DISPLAY"] = f":{number}"  # pyatspi reads os.environ

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
