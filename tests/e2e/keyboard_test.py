# SPDX-License-Identifier: MIT
"""The program driven by the keyboard alone, read as a screen reader reads it.

Usage: /usr/bin/python3 keyboard_test.py TAVOMETR TAVO_CONVERT

Starts the program on a private desktop (desktop.py) with Qt's AT-SPI bridge on and, with
xdotool key presses only:
  - the main window is a frame titled 度量衡変換; its four pictures are push buttons named
    by their captions, each with a press action and a description of what it opens;
  - Tab moves the focus from the first picture to the second, Return opens the weight
    window (a frame), whose boxes a screen reader names by unit and reading and whose
    description names Alt+N and Alt+E; 100 and Return, then Alt+E, then Alt+N: each time
    every row must be what tavo-convert prints (Weight 0 100, with --exp --refresh, with
    --refresh), and the focus stays in the box; Ctrl+W closes the window;
  - F1 opens the help window (a dialog titled 使い方), Ctrl+W closes it;
  - Alt, Right, Down, Down, Return opens ﾍﾙﾌﾟ > TAVOについて: the About window, a dialog named
    TAVOについて, its X window titled so although it shows no title bar; Ctrl+W closes it;
  - Ctrl+Q ends the program, which must exit with status 0.
The desktop has no window manager: where one would give the focus back to the main window
after a window has closed, the test does (XvfbDesktop.focus_window). Exits non-zero with a
message on the first fault.
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import desktop  # noqa: E402
from desktop import E2EFailure, action_names, expected_rows, wait_for  # noqa: E402

MAIN_TITLE = "度量衡変換"
WEIGHT_TITLE = "度量衡変換－重さ"
PICTURES = [("距離", "長さ"), ("質量", "重さ"), ("面積", "面積"), ("体積", "体積")]


def expect_role(node, role, what):
    if node.getRole() != role:
        raise E2EFailure(f"{what} is a {node.getRoleName()!r}, not a {role}")


def check_pictures(session, main):
    """The pictures: push buttons named by their captions, described, with a press action;
    returns them in order."""
    buttons = session.descendants(main, session.atspi.ROLE_PUSH_BUTTON)
    names = [button.name for button in buttons]
    if names != [name for name, _ in PICTURES]:
        raise E2EFailure(f"the main window's push buttons are {names}")
    for button, (name, quantity) in zip(buttons, PICTURES):
        if button.description != f"{quantity}の変換ウィンドウを開きます":
            raise E2EFailure(f"picture {name}: description {button.description!r}")
        actions = action_names(button)
        if "Press" not in actions:
            raise E2EFailure(f"picture {name}: no press action among {actions}")
    return buttons


def check_weight_window(session, app, tavo_convert):
    """Tab, Return from the first picture; the conversions; Ctrl+W."""
    rows = expected_rows(tavo_convert, "Weight", "0", "100")
    unit = rows[0][0]
    session.key("Tab")
    session.key("Return")
    window = session.find_window(app, WEIGHT_TITLE)
    expect_role(window, session.atspi.ROLE_FRAME, "the weight window")
    # A screen reader names a box by its labelled-by target, else by its own name: "匁 もんめ".
    for box in session.descendants(window, session.atspi.ROLE_TEXT):
        spoken = next((relation.getTarget(0).name for relation in box.getRelationSet()
                       if relation.getRelationType() == session.atspi.RELATION_LABELLED_BY), "")
        if spoken != box.name or "Alt+N でなし、Alt+E で指数" not in window.description:
            raise E2EFailure(f"{box.name!r} is read as {spoken!r} in {window.description!r}")
    wait_for(f"the {unit} box to have the focus", 10,
             lambda: session.box_focused(window, unit))
    session.type("100")
    session.key("Return")
    session.expect_rows(window, rows, "weight window after 100 and Return")
    for key, arguments in (("alt+e", ["--exp", "--refresh"]), ("alt+n", ["--refresh"])):
        session.key(key)
        session.expect_rows(window, expected_rows(tavo_convert, *arguments, "Weight", "0", "100"),
                            f"weight window after {key}")
        if not session.box_focused(window, unit):
            raise E2EFailure(f"{key} took the focus from the {unit} box")
    session.key("ctrl+w")
    session.wait_closed(window, "the weight window")


def check_dialog(session, app, open_keys, name, what):
    """Opens a dialog with `open_keys` from the main window, checks it, closes it with
    Ctrl+W and gives the focus back to the main window."""
    session.key(*open_keys)
    dialog = session.find_window(app, name)
    expect_role(dialog, session.atspi.ROLE_DIALOG, what)
    wait_for(f"{what} to be active", 10,
             lambda: session.has_state(dialog, "ACTIVE"))
    session.focus_window(name)  # its X window is titled so too, for task bars
    session.key("ctrl+w")
    session.wait_closed(dialog, what)
    session.focus_window(MAIN_TITLE)


def run(session, program, tavo_convert):
    process, app, main_window = session.start_program(program, MAIN_TITLE)
    expect_role(main_window, session.atspi.ROLE_FRAME, "the main window")
    pictures = check_pictures(session, main_window)
    session.focus_window(MAIN_TITLE)
    wait_for("the first picture to have the focus", 10,
             lambda: session.has_state(pictures[0], "FOCUSED"))
    check_weight_window(session, app, tavo_convert)
    session.focus_window(MAIN_TITLE)
    check_dialog(session, app, ["F1"], "使い方", "the help window")
    check_dialog(session, app, ["alt", "Right", "Down", "Down", "Return"], "TAVOについて",
                 "the About window")
    session.key("ctrl+q")
    session.expect_exit(process, "Ctrl+Q")
    return "pictures, weight window, help, About and Ctrl+Q by keys alone"


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__.split("\n\n")[1])
    program, tavo_convert = sys.argv[1], sys.argv[2]
    desktop.run_test("keyboard_test", 45, lambda session: run(session, program, tavo_convert))


if __name__ == "__main__":
    main()
