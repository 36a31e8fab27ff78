# SPDX-License-Identifier: MIT
"""The program on a Wayland desktop, as a user drives it.

On a headless weston, with QT_QPA_PLATFORM=wayland and no X display to fall back to: the
main window appears, the length picture opens the length window, 100 typed into the yard
box and Return rewrite the metre box, and ﾌｧｲﾙ > 終了 ends the program with status 0.

Usage: /usr/bin/python3 wayland_test.py TAVOMETR TAVO_WESTON_INPUT_MODULE
"""

import signal
import subprocess
import sys

from wayland_session import (KEY_A, KEY_ENTER, KEY_LEFTCTRL, SessionError, WaylandSession,
                             accessible_application, action_names, centre_in_window, do_action,
                             find, text_of, wait_for, window)

MAIN = "度量衡変換"
LENGTH = "度量衡変換－長さ"
WHOLE_TEST_SECONDS = 90


def on_alarm(signum, frame):
    raise SessionError(f"the whole test took more than {WHOLE_TEST_SECONDS} s")


def run(program, input_module):
    with WaylandSession(input_module) as session:
        app = session.start([program], QT_QPA_PLATFORM="wayland",
                            QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                            QT_WAYLAND_DISABLE_WINDOWDECORATION="1")
        def running():
            if app.poll() is not None:
                raise SessionError(f"the program ended early, status {app.returncode}")

        try:
            accessible = accessible_application("tavometr", alive=running)
            main = window(accessible, MAIN, alive=running)
            # The window is a Wayland surface of weston's (no X display exists to use).
            wait_for(f"weston to show '{MAIN}'", lambda: MAIN in session.window_titles())

            # The length picture (named 長さ, or 距離 like its caption): pressed by its press
            # action where it has one, clicked through weston otherwise.
            picture = find(main, lambda node: node.name.strip() in ("長さ", "距離")
                           and node.getRoleName() != "label")
            if picture is None:
                raise SessionError("the main window has no length picture (長さ or 距離)")
            if "Press" in action_names(picture):
                do_action(picture, "Press")
            else:
                session.click(MAIN, *centre_in_window(picture))
            length = window(accessible, LENGTH, alive=running)
            wait_for(f"weston to show '{LENGTH}'", lambda: LENGTH in session.window_titles())

            def box(unit):
                found = find(length, lambda node: node.getRoleName() == "text"
                             and node.name.startswith(unit + " "))
                if found is None:
                    raise SessionError(f"the length window has no box for {unit}")
                return found
            yard, metre = box("ヤード"), box("メートル")
            session.click(LENGTH, *centre_in_window(yard))
            session.keys(KEY_LEFTCTRL, KEY_A)
            session.type_digits("100")
            wait_for("100 in the yard box", lambda: text_of(yard) == "100")
            session.keys(KEY_ENTER)
            wait_for("the metre box to read ' 91.44' after Return",
                     lambda: text_of(metre) == " 91.44", timeout=10)

            end = find(main, lambda node: node.getRoleName() == "menu item"
                       and node.name == "終了")
            if end is None:
                raise SessionError("the main window has no menu item 終了")
            running()
            do_action(end, "Press")
            try:
                status = app.wait(10)
            except subprocess.TimeoutExpired:
                raise SessionError("the program was still running 10 s after ﾌｧｲﾙ > 終了") from None
            if status != 0:
                raise SessionError(f"ﾌｧｲﾙ > 終了 ended the program with status {status}, not 0")
        finally:
            if app.poll() is None:
                app.kill()
                app.wait()


def main():
    if len(sys.argv) != 3:
        print(__doc__.strip().splitlines()[-1], file=sys.stderr)
        return 2
    signal.signal(signal.SIGALRM, on_alarm)
    signal.alarm(WHOLE_TEST_SECONDS)
    try:
        run(sys.argv[1], sys.argv[2])
    except SessionError as error:
        print(f"FAIL: {error}", file=sys.stderr)
        return 1
    print("PASS: on Wayland, the length window converted 100 yards and 終了 ended the program")
    return 0


if __name__ == "__main__":
    sys.exit(main())
