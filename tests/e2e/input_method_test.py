# SPDX-License-Identifier: MIT
"""The converter boxes under a real Japanese input method, typed into as a user types.

Usage: /usr/bin/python3 input_method_test.py {fcitx5|ibus} TAVOMETR TAVO_CONVERT

Starts the input-method framework on a private desktop (desktop.py) with Anthy in
hiragana input, starts the program with that framework's Qt module, and with xdotool:
  - opens the length window from the main window, types 100 and one Return: the digits
    must reach the box as typed (its input method is off) and that one Return must
    rewrite every row as `tavo-convert Length 0 100` prints them;
  - closes it, opens the weight window, types 100: its boxes keep the input method on, so
    the digits must be composed, not typed; the first Return commits them without
    converting, the second converts, and the rows must be what `tavo-convert Weight 0
    TEXT` prints for the committed TEXT. That the input method still composes here also
    shows the length window left it in the state the user had.
The box texts are read through AT-SPI. Exits non-zero with a message on the first fault.
"""

import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import desktop  # noqa: E402
from desktop import (E2EFailure, box_name, describe, expected_rows, rows_of,  # noqa: E402
                     wait_for)

MAIN_TITLE = "度量衡変換"
# How long keys may take through the input method before the boxes are read.
SETTLE = 0.5


def start_fcitx5(session):
    """fcitx5 with Anthy as the active input method of every new input context, one state
    shared by all windows, as a user who switched to Japanese input."""
    config = os.path.join(session.env["XDG_CONFIG_HOME"], "fcitx5")
    os.makedirs(config)
    with open(os.path.join(config, "profile"), "w") as profile:
        profile.write("[Groups/0]\nName=Default\nDefault Layout=us\nDefaultIM=anthy\n\n"
                      "[Groups/0/Items/0]\nName=keyboard-us\nLayout=\n\n"
                      "[Groups/0/Items/1]\nName=anthy\nLayout=\n\n"
                      "[GroupOrder]\n0=Default\n")
    with open(os.path.join(config, "config"), "w") as behaviour:
        behaviour.write("[Behavior]\nActiveByDefault=True\nShareInputState=All\n")
    session.spawn("fcitx5", ["fcitx5", "--disable=wayland,waylandim"])
    # Waits for the name without asking for it: a call would have D-Bus start a second
    # fcitx5 with the daemon's environment, which reads the user's own configuration.
    session.wait_for_bus_name("org.fcitx.Fcitx5")
    return {"QT_IM_MODULE": "fcitx"}


def fcitx5_composing(session):
    """Whether a box of the program has fcitx5's focus, with Anthy: the Qt module creates
    each window's input context with a call that may still be on its way."""
    return session.run(["fcitx5-remote", "-n"]).strip() == "anthy"


def start_ibus(session):
    """ibus-daemon with the Anthy engine set, starting in hiragana input."""
    settings = os.path.join(session.env["XDG_CONFIG_HOME"], "glib-2.0", "settings")
    os.makedirs(settings)
    # Anthy's own default is Latin input; 0 is hiragana. Its settings are GSettings, kept
    # here in a key file of the private home.
    with open(os.path.join(settings, "keyfile"), "w") as keyfile:
        keyfile.write("[org/freedesktop/ibus/engine/anthy/common]\ninput-mode=0\n")
    session.env["GSETTINGS_BACKEND"] = "keyfile"
    # The Anthy engine is a Python program started as `python3`: Debian's, whose GObject
    # modules it needs, must come first on the path.
    session.spawn("ibus", ["ibus-daemon", "--panel=disable", "--emoji-extension=disable",
                           "--config=/usr/libexec/ibus-memconf"],
                  {"PATH": "/usr/bin:/bin:" + session.env.get("PATH", "")})

    def anthy_set():
        # `ibus engine NAME` reports failure even when it sets the engine; ask afterwards.
        session.run(["ibus", "engine", "anthy"], timeout=5, check=False)
        return session.run(["ibus", "engine"], timeout=5, check=False).strip() == "anthy"
    wait_for("ibus-daemon with the Anthy engine", 15, anthy_set, interval=0.2)
    return {"QT_IM_MODULE": "ibus"}


# How to start each framework, and how to tell that it is ready to compose in the focused
# box (IBus's Qt module creates its input context before the first window shows).
FRAMEWORKS = {"fcitx5": (start_fcitx5, fcitx5_composing), "ibus": (start_ibus, None)}


def row_zero(session, window, label):
    """The text of the row-0 box, whose unit is `label`."""
    texts = session.box_texts(window)
    return texts[box_name(texts, label)]


def open_converter(session, app, main, picture, title, first_label, composing=None):
    """Clicks the main window's picture and waits for the window with its row-0 box focused
    (and, given `composing`, for the input method to be ready there)."""
    session.click(session.find(main, session.atspi.ROLE_PUSH_BUTTON,
                               lambda node: node.name == picture,
                               f"no picture {picture!r} in the main window"))
    window = session.find_window(app, title)
    wait_for(f"the {first_label} box of {title!r} to have the focus", 10,
             lambda: session.box_focused(window, first_label))
    if composing is not None:
        wait_for(f"the input method to compose in {title!r}", 10, lambda: composing(session))
    time.sleep(SETTLE)  # the framework's focus-in reaches its daemon asynchronously
    return window


def close_converter(session, window):
    session.click(session.find(window, session.atspi.ROLE_PUSH_BUTTON,
                               lambda node: node.name == "閉じる", "no close button 閉じる"))
    session.wait_closed(window, "the converter window")


def check_length(session, app, main, tavo_convert):
    expected = expected_rows(tavo_convert, "Length", "0", "100")
    unit = expected[0][0]
    window = open_converter(session, app, main, "距離", "度量衡変換－長さ", unit)
    session.type("100")
    try:
        wait_for("100 in the length box", 10, lambda: row_zero(session, window, unit) == "100")
    except E2EFailure:
        raise E2EFailure(f"the length box shows {row_zero(session, window, unit)!r} after "
                         "typing 100: the input method took the keys although the box "
                         "switches it off") from None
    session.key("Return")
    session.expect_rows(window, expected, "length window after 100 and one Return")
    close_converter(session, window)


def check_weight(session, app, main, tavo_convert, composing):
    before = expected_rows(tavo_convert, "Weight")
    unit = before[0][0]
    window = open_converter(session, app, main, "質量", "度量衡変換－重さ", unit,
                            composing)
    session.expect_rows(window, before, "weight window as opened")
    session.type("100")
    time.sleep(SETTLE)
    if row_zero(session, window, unit) != "":
        raise E2EFailure(f"the weight box shows {row_zero(session, window, unit)!r} after "
                         "typing 100: the input method should be composing it (still on?)")
    session.key("Return")
    committed = wait_for("the committed text in the weight box", 10,
                         lambda: row_zero(session, window, unit))
    if committed not in ("100", "１００"):
        raise E2EFailure(f"the input method committed {committed!r}, not 100 or １００")
    time.sleep(SETTLE)
    unconverted = [(unit, committed)] + before[1:]
    shown = rows_of(session.box_texts(window), [label for label, _ in before])
    if shown != unconverted:
        raise E2EFailure("the Return that committed the composition also converted:\n"
                         f"{describe(shown)}")
    session.key("Return")
    # The edited row keeps the text as committed; tavo-convert writes its cells in ASCII.
    converted = expected_rows(tavo_convert, "Weight", "0", committed)[1:]
    session.expect_rows(window, [(unit, committed)] + converted,
                        f"weight window after 100, Return (commits {committed}), Return")
    return committed


def main():
    if len(sys.argv) != 4 or sys.argv[1] not in FRAMEWORKS:
        sys.exit(__doc__.split("\n\n")[1])
    framework, program, tavo_convert = sys.argv[1], sys.argv[2], sys.argv[3]

    def body(session):
        start, composing = FRAMEWORKS[framework]
        qt_module = start(session)
        _process, app, main_window = session.start_program(program, MAIN_TITLE, qt_module)
        check_length(session, app, main_window, tavo_convert)
        committed = check_weight(session, app, main_window, tavo_convert, composing)
        return (f"length converted on one Return; weight composed, committed {committed!r}, "
                "converted on the second Return")
    desktop.run_test(f"input_method_test {framework}", 50, body, logs=(framework, "tavometr"))


if __name__ == "__main__":
    main()
