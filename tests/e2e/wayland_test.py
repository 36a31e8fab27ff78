# SPDX-License-Identifier: MIT
"""The program on a Wayland desktop, as a user drives it.

On a headless weston (wayland_session.py), with QT_QPA_PLATFORM=wayland and no X display to
fall back to: the main window appears with a title bar of its own (weston draws none) that
shows its whole title and no maximise button, the length picture opens the length window,
100 typed into the yard box and Return rewrite the metre box, and ﾌｧｲﾙ > 終了 ends the
program with status 0.

Usage: /usr/bin/python3 wayland_test.py TAVOMETR TAVO_WESTON_INPUT_MODULE
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import desktop  # noqa: E402
from desktop import (E2EFailure, action_names, do_action, still_running,  # noqa: E402
                     text_of, wait_for)
from wayland_session import KEY_A, KEY_ENTER, KEY_LEFTCTRL, WestonDesktop  # noqa: E402

MAIN = "度量衡変換"
LENGTH = "度量衡変換－長さ"


def run(session, program):
    process, app, main = session.start_program(program, MAIN)
    # weston draws no title bars: the main window's own shows its whole title left of its
    # buttons, minimise and close; no maximise, as the window keeps its size.
    buttons = [node for node in session.descendants(main, session.atspi.ROLE_PUSH_BUTTON)
               if node.name in ("最小化", "最大化", "閉じる")]
    ends = [node.queryComponent().getExtents(getattr(session.atspi, session.COORDINATES)) for node
            in (session.find(main, None, lambda n: n.name == MAIN, "no title shown"), *buttons)]
    if [b.name for b in buttons] != ["最小化", "閉じる"] or ends[0].x + ends[0].width > ends[1].x:
        raise E2EFailure(f"title bar: {[b.name for b in buttons]}, extents {list(ends)}")
    # The length picture (named 長さ, or 距離 like its caption): pressed by its press action
    # where it has one, clicked through weston otherwise.
    picture = session.find(main, None, lambda node: node.name.strip() in ("長さ", "距離")
                           and node.getRole() != session.atspi.ROLE_LABEL,
                           "the main window has no length picture (長さ or 距離)", only=False)
    if "Press" in action_names(picture):
        do_action(picture, "Press")
    else:
        session.click(MAIN, picture)
    length = session.find_window(app, LENGTH, alive=lambda: still_running(process))

    def box(unit):
        return session.find(length, session.atspi.ROLE_TEXT,
                            lambda node: node.name.startswith(unit + " "),
                            f"the length window has no box for {unit}", only=False)
    yard, metre = box("ヤード"), box("メートル")
    session.click(LENGTH, yard)
    session.keys(KEY_LEFTCTRL, KEY_A)
    session.type_digits("100")
    wait_for("100 in the yard box", 20, lambda: text_of(yard) == "100")
    session.keys(KEY_ENTER)
    wait_for("the metre box to read ' 91.44' after Return", 10,
             lambda: text_of(metre) == " 91.44")

    end = session.find(main, session.atspi.ROLE_MENU_ITEM, lambda node: node.name == "終了",
                       "the main window has no menu item 終了", only=False)
    still_running(process)
    do_action(end, "Press")
    session.expect_exit(process, "ﾌｧｲﾙ > 終了")
    return "the length window converted 100 yards and 終了 ended the program"


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__.strip().splitlines()[-1])
    program, input_module = sys.argv[1], sys.argv[2]
    desktop.run_test("wayland_test", 90, lambda session: run(session, program),
                     logs=("weston", "at-spi-bus", "tavometr"), desktop=WestonDesktop,
                     input_module=input_module)


if __name__ == "__main__":
    main()
