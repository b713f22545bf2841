#!/usr/bin/env python3
"""The converter window as a screen reader reads it, through the accessibility bus (AT-SPI).

Turns accessibility on the way a screen reader does (org.a11y.Status IsEnabled), starts the
program, reads its tree, then chooses 1 January 2024 with the keyboard on the civil lists and
reads the Hebrew date the program shows. Needs a display with a window manager, a session bus
(tools/x-session.sh --dbus) and xdotool.

  screen_reader_test.py PROGRAM VERSION      (VERSION: the project's, which the title shows)
"""
import datetime
import os
import subprocess
import sys
import tempfile
import time
import unittest
import warnings

import gi
gi.require_version("Atspi", "2.0")
from gi.repository import Gio, GLib  # noqa: E402
import pyatspi  # noqa: E402

warnings.filterwarnings("ignore", category=DeprecationWarning)  # pyatspi's own wrappers

PROGRAM = None
TITLE = None  # "Detron version" and the project's version
CIVIL_GROUP, HEBREW_GROUP = "תאריך לועזי", "תאריך עברי"
CIVIL_LISTS = ["יום לועזי", "חודש לועזי", "שנה לועזית"]
HEBREW_LISTS = ["יום עברי", "חודש עברי", "שנה עברית"]
CIVIL_MONTHS = ["ינואר", "פברואר", "מרץ", "אפריל", "מאי", "יוני", "יולי", "אוגוסט", "ספטמבר",
                "אוקטובר", "נובמבר", "דצמבר"]


def enable_accessibility():
    """What a screen reader does when it starts: tells applications to expose themselves."""
    bus = Gio.bus_get_sync(Gio.BusType.SESSION)
    bus.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.freedesktop.DBus.Properties", "Set",
                  GLib.Variant("(ssv)", ("org.a11y.Status", "IsEnabled", GLib.Variant("b", True))),
                  None, Gio.DBusCallFlags.NONE, 5000, None)


def wait_for(condition, what, seconds=60):
    """Waits for a state; the deadline only ends a wait that will never be met."""
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        value = condition()
        if value:
            return value
        time.sleep(0.1)
    raise AssertionError(f"timed out waiting for {what}")


def xdotool(*arguments):
    return subprocess.run(["xdotool", *arguments], check=True, capture_output=True, text=True).stdout.strip()


def hold_input_focus(window):
    """Keys go where the X server's input focus is: the window is made to hold it before any is sent."""
    def focused():
        if xdotool("getwindowfocus") == window:
            return True
        xdotool("windowactivate", window)
        return False
    wait_for(focused, "the window to hold the input focus")


def application_of(pid):
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.get_process_id() == pid and app.childCount > 0:
            return app
    return None


def descendants(node):
    for child in node:
        if child is None:
            continue
        yield child
        if child.getRole() != pyatspi.ROLE_LIST:  # not the thousands of items of an opened list
            yield from descendants(child)


def text_of(node):
    try:
        return node.queryText().getText(0, -1)
    except NotImplementedError:
        return None


class ScreenReaderTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        enable_accessibility()
        env = dict(os.environ)
        env.pop("QT_QPA_PLATFORM", None)  # the accessibility bridge lives in the X11 platform
        # Settings of its own, and a time zone outside Israel: the day line is abroad's.
        cls.settings = tempfile.TemporaryDirectory()
        env["XDG_CONFIG_HOME"] = cls.settings.name
        env["TZ"] = "Europe/London"
        cls.process = subprocess.Popen([PROGRAM], env=env)
        cls.app = wait_for(lambda: application_of(cls.process.pid), "the program on the accessibility bus")
        cls.window = cls.app[0]
        # The first pass has converted today's date once every list shows something.
        cls.lists = wait_for(lambda: cls.find_lists(), "six lists, each showing an item")
        cls.x_window = xdotool("search", "--sync", "--onlyvisible", "--pid", str(cls.process.pid)).split()[-1]

    @classmethod
    def tearDownClass(cls):
        cls.process.terminate()
        cls.process.wait(10)
        cls.settings.cleanup()

    @classmethod
    def find_lists(cls):
        lists = {node.name: node for node in descendants(cls.window) if node.getRole() == pyatspi.ROLE_COMBO_BOX}
        # A list read by its name alone shows its item there.
        showing = all(text_of(node) or node.name for node in lists.values())
        return lists if len(lists) == 6 and showing else None

    def named(self, role, name):
        found = [node for node in descendants(self.window) if node.getRole() == role and node.name == name]
        self.assertEqual(len(found), 1, f"one {pyatspi.Accessible.getRoleName(found[0]) if found else 'node'} named {name!r}")
        return found[0]

    def focus(self, name):
        self.lists[name].queryComponent().grabFocus()
        wait_for(lambda: self.lists[name].getState().contains(pyatspi.STATE_FOCUSED), f"focus on {name!r}")

    def test_the_window_is_a_frame_named_by_its_title(self):
        self.assertEqual(self.window.getRole(), pyatspi.ROLE_FRAME)
        self.assertEqual(self.window.name, TITLE)

    def test_each_list_is_named_for_what_it_holds_in_the_group_of_its_side(self):
        self.assertEqual(sorted(self.lists), sorted(CIVIL_LISTS + HEBREW_LISTS))
        for group, names in ((CIVIL_GROUP, CIVIL_LISTS), (HEBREW_GROUP, HEBREW_LISTS)):
            frame = self.named(pyatspi.ROLE_PANEL, group)
            members = [child.name for child in frame if child.getRole() == pyatspi.ROLE_COMBO_BOX]
            self.assertEqual(sorted(members), sorted(names), f"the lists of the group {group!r}")
            for name in names:
                labels = [target.name for relation in self.lists[name].getRelationSet()
                          if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY
                          for target in (relation.getTarget(i) for i in range(relation.getNTargets()))]
                self.assertNotIn(group, labels, f"{name!r} is named by itself, not by its group")

    def test_buttons_and_the_menu_item_keep_their_names(self):
        self.named(pyatspi.ROLE_PUSH_BUTTON, "היום")
        self.named(pyatspi.ROLE_PUSH_BUTTON, "סגור")
        self.named(pyatspi.ROLE_MENU_ITEM, "אודות")
        self.named(pyatspi.ROLE_MENU_ITEM, "חוץ לארץ")

    def test_values_are_todays_date_then_the_date_chosen_with_the_keyboard(self):
        today = datetime.date.today()
        self.assertEqual([text_of(self.lists[name]) for name in CIVIL_LISTS],
                         [str(today.day), CIVIL_MONTHS[today.month - 1], str(today.year)])
        for name in HEBREW_LISTS:
            self.assertNotEqual(text_of(self.lists[name]), "", f"{name!r} shows today's Hebrew date")

        # Home picks the first day and month; typing picks the year, as a person would. Each
        # key has reached the program once its list shows the item it picks.
        for name, first in zip(CIVIL_LISTS[:2], ["1", CIVIL_MONTHS[0]]):
            hold_input_focus(self.x_window)
            self.focus(name)
            xdotool("key", "Home")
            wait_for(lambda: text_of(self.lists[name]) == first, f"Home on {name!r}")
        hold_input_focus(self.x_window)
        self.focus(CIVIL_LISTS[2])
        # The keys go together: a list takes typed keys as one search only while they follow
        # each other closely.
        xdotool("type", "--delay", "0", "2024")
        expected = {CIVIL_LISTS[0]: "1", CIVIL_LISTS[1]: "ינואר", CIVIL_LISTS[2]: "2024",
                    HEBREW_LISTS[0]: "כ", HEBREW_LISTS[1]: "טבת", HEBREW_LISTS[2]: "ה'תשפד"}
        shown = wait_for(lambda: (lambda values: values if values == expected else None)(
            {name: text_of(node) for name, node in self.lists.items()}), "1 January 2024 = 20 Tevet 5784")
        self.assertEqual(shown, expected)
        for name in expected:
            self.assertEqual(self.lists[name].name, name, "a list keeps its name when its value changes")

    # Sorted after the test of today's values: it changes the date.
    def test_with_the_date_changed_the_day_line_is_heard_and_read_again(self):
        line = wait_for(lambda: next((node for node in descendants(self.window)
                                      if node.getRole() == pyatspi.ROLE_LABEL and node.name), None),
                        "the day line, naming today")
        self.assertFalse(line.getState().contains(pyatspi.STATE_FOCUSABLE), "the line is no focus stop")
        heard = set()
        kinds = ("object:property-change:accessible-name", "object:text-changed:insert")

        def listen(event):
            if event.source is not None and event.source.getRole() == pyatspi.ROLE_LABEL:
                heard.add((str(event.type), event.source.name))
        pyatspi.Registry.registerEventListener(listen, *kinds)
        context = GLib.MainContext.default()

        def hears(name):
            while context.pending():
                context.iteration(False)
            return all((kind, name) in heard for kind in kinds)
        try:
            # A day on at a time until the line names another day: a week on it always does.
            before = line.name
            for _ in range(8):
                # The line changes in the pass that shows the day's Hebrew date.
                days = [text_of(self.lists[name]) for name in (CIVIL_LISTS[0], HEBREW_LISTS[0])]
                hold_input_focus(self.x_window)
                self.focus(CIVIL_LISTS[0])
                xdotool("key", "Down")
                wait_for(lambda: all(text_of(self.lists[name]) != shown
                                     for name, shown in zip((CIVIL_LISTS[0], HEBREW_LISTS[0]), days)),
                         "the next day on both sides")
                if line.name != before:
                    break
            self.assertNotEqual(line.name, before)
            wait_for(lambda: hears(line.name), "the line's new name and text announced")
            # Read again, as a screen reader's review does: the whole text is the label's own.
            self.assertEqual(text_of(line), line.name)
        finally:
            pyatspi.Registry.deregisterEventListener(listen, *kinds)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    TITLE = "דטרון גרסא " + sys.argv.pop(2)
    PROGRAM = sys.argv.pop(1)
    unittest.main(verbosity=2)
