"""Walks the running program through AT-SPI, as a screen reader would meet it, and drives it
with the keyboard (xdotool). Run by atspi_test.sh inside a private D-Bus session:

    walk.py PID

Checks that every control has a name and the buttons of a window are named apart, that the
grid's current cell is what takes the focus when the keyboard enters the grid, that Tab reaches
a topic from the start, that each window of the Phrase menu opens with the keyboard inside and
closes with Escape, and that Find exposes its count. Exits 1 on the first failure."""

import re
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

MAIN_TITLE = "Tarvolin - QZ7KV"
# The roles a user acts on or reads; each needs a name.
CONTROLS = {
    pyatspi.ROLE_PUSH_BUTTON,
    pyatspi.ROLE_RADIO_BUTTON,
    pyatspi.ROLE_CHECK_BOX,
    pyatspi.ROLE_TEXT,
    pyatspi.ROLE_ENTRY,
    pyatspi.ROLE_TABLE,
    pyatspi.ROLE_TREE_TABLE,
    pyatspi.ROLE_LIST,
    pyatspi.ROLE_TREE,
    pyatspi.ROLE_IMAGE,
    pyatspi.ROLE_MENU,
    pyatspi.ROLE_MENU_ITEM,
    pyatspi.ROLE_CHECK_MENU_ITEM,
    pyatspi.ROLE_GROUPING,
    pyatspi.ROLE_PANEL,
}
# Containers that only hold others and are not met on their own.
UNNAMED_CONTAINERS = {pyatspi.ROLE_PANEL, pyatspi.ROLE_GROUPING}


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    sys.exit(1)


def log(message):
    print("-- " + message, flush=True)


class Walk:
    def __init__(self, pid):
        self.pid = pid
        self.app = None
        self.focused = []  # the objects that took the focus, in order

    # --- waiting: the events arrive through GLib's loop, which runs while we wait
    def wait(self, condition, seconds, what, quiet=False):
        context = GLib.MainContext.default()
        end = time.monotonic() + seconds
        while True:
            while context.pending():
                context.iteration(False)
            result = condition()
            if result:
                return result
            if time.monotonic() > end:
                if quiet:
                    return None
                fail("waited %g s for %s" % (seconds, what))
            time.sleep(0.02)

    def find_app(self):
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            try:
                if app is not None and app.get_process_id() == self.pid:
                    return app
            except Exception:  # an application that went away meanwhile
                continue
        return None

    def frames(self):
        return [frame for frame in self.app if frame is not None]

    def frame(self, title):
        for frame in self.frames():
            state = frame.getState()
            if frame.name == title and state.contains(pyatspi.STATE_SHOWING):
                return frame
        return None

    def active_frame(self, title):
        frame = self.frame(title)
        return frame if frame and frame.getState().contains(pyatspi.STATE_ACTIVE) else None

    # --- the keyboard
    def keys(self, *keys):
        for key in keys:
            subprocess.run(["xdotool", "key", "--clearmodifiers", key], check=True)

    def type(self, text):
        subprocess.run(["xdotool", "type", "--delay", "20", text], check=True)

    # --- focus events
    def on_focus(self, event):
        if event.detail1 == 1:
            self.focused.append(event.source)

    def focus_after(self, count, condition, what, seconds=10):
        """Waits for a focus event after the first `count` that satisfies `condition`."""

        def seen():
            for source in self.focused[count:]:
                try:
                    if condition(source):
                        return source
                except Exception:
                    continue
            return None

        found = self.wait(seen, seconds, what, quiet=True)
        if not found:
            fail("waited %g s for %s; the focus went to: %s" % (seconds, what, self.describe(self.focused[count:])))
        return found

    def describe(self, nodes):
        described = []
        for node in nodes:
            try:
                chain = []
                parent = node.parent
                while parent is not None and len(chain) < 12:
                    chain.append('%s "%s"' % (parent.getRoleName(), parent.name))
                    parent = parent.parent
                described.append('%s "%s" in %s' % (node.getRoleName(), node.name, " < ".join(chain)))
            except Exception as error:
                described.append("(gone: %s)" % error)
        return "; ".join(described) or "nowhere"

    # --- the walk
    def walk(self, node, visit, depth=0):
        if node is None or depth > 40:
            return
        visit(node)
        # The grid's cells are read by the grid check; its rows are many.
        if node.getRole() == pyatspi.ROLE_TABLE:
            return
        for child in node:
            if child is not None and child.getState().contains(pyatspi.STATE_SHOWING):
                self.walk(child, visit, depth + 1)

    def check_names(self, frame):
        """Every control of a window has a name; its buttons are named apart."""
        buttons = {}
        unnamed = []
        count = [0]

        def visit(node):
            count[0] += 1
            role = node.getRole()
            if role not in CONTROLS:
                return
            name = node.name.strip()
            if not name and role not in UNNAMED_CONTAINERS:
                unnamed.append("%s under %s" % (node.getRoleName(), node.parent.getRoleName() if node.parent else "?"))
            if role in (pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_RADIO_BUTTON) and name:
                if name in buttons:
                    unnamed.append('two buttons named "%s"' % name)
                buttons[name] = node

        self.walk(frame, visit)
        if unnamed:
            fail('in "%s": %s' % (frame.name, "; ".join(unnamed)))
        log('"%s": %d objects walked, %d buttons named apart' % (frame.name, count[0], len(buttons)))
        return count[0]

    def window_of(self, node):
        """The title of the window a node is in: its ancestor just below the application."""
        while node is not None:
            parent = node.parent
            if parent is None or parent.getRole() == pyatspi.ROLE_APPLICATION:
                return node.name
            node = parent
        return None

    def run(self):
        self.app = self.wait(self.find_app, 20, "the program on the accessibility bus")
        main = self.wait(lambda: self.active_frame(MAIN_TITLE), 20, "the active main window")
        # Listening only from now: before the main window is active, events are lost.
        pyatspi.Registry.registerEventListener(self.on_focus, "object:state-changed:focused")
        self.check_names(main)

        # The keyboard starts on the "Larger text" button; Shift+Tab reaches the topics.
        start = len(self.focused)
        self.keys("shift+Tab")
        topic = self.focus_after(start, lambda o: o.getRole() == pyatspi.ROLE_RADIO_BUTTON, "a topic by Shift+Tab")
        log('Shift+Tab from the start: topic "%s"' % topic.name)
        if topic.name != "Callsign":
            fail('Shift+Tab reached "%s", not the first topic' % topic.name)

        # Tab to the grid: the buttons, then the grid's current cell is what has the focus.
        start = len(self.focused)
        self.keys("Tab", "Tab", "Tab", "Tab")
        cell = self.focus_after(start, lambda o: o.getRole() == pyatspi.ROLE_TABLE_CELL, "a grid cell taking the focus")
        table = cell.parent
        if not cell.name or table.getRole() != pyatspi.ROLE_TABLE or not table.name:
            fail('the grid entered on "%s" in "%s"' % (cell.name, table.name if table else None))
        if table.queryTable().nColumns != 2:
            fail("the grid shows %d columns to the reader" % table.queryTable().nColumns)
        log('entering the grid "%s" reads "%s"' % (table.name, cell.name))
        held = [table.getChildAtIndex(i) for i in range(min(table.childCount, 6))]

        # Ctrl+Tab leaves the grid, on to the topics.
        start = len(self.focused)
        self.keys("ctrl+Tab")
        topic = self.focus_after(start, lambda o: o.getRole() == pyatspi.ROLE_RADIO_BUTTON, "a topic by Ctrl+Tab")
        log('Ctrl+Tab from the grid: topic "%s"' % topic.name)

        # Down loads the next topic, and again; the cells held from the table before still answer.
        self.keys("Down", "Down")
        self.wait(lambda: table.name == "Thanks for Call", 10, 'the grid to show "Thanks for Call"')
        self.ask(held)
        log('Down, Down loads "%s"; %d cells held from before answer' % (table.name, len(held)))

        # Each window of the Phrase menu: the keyboard inside as it opens, Escape closes it.
        for keys, title in (("ctrl+k", "Phrase card"), ("ctrl+f", "Find"), ("ctrl+l", "Speller")):
            start = len(self.focused)
            self.keys(keys)
            frame = self.wait(lambda: self.frame(title), 5, '"%s" to open' % title)
            inside = self.focus_after(start, lambda o: self.window_of(o) == title, 'the focus inside "%s"' % title)
            log('"%s" opens with the focus on %s "%s"' % (title, inside.getRoleName(), inside.name))
            self.check_names(frame)
            if title == "Find":
                self.check_find_count()
            self.keys("Escape")
            self.wait(lambda: self.frame(title) is None, 10, 'Escape to close "%s"' % title)
            self.wait(lambda: self.active_frame(MAIN_TITLE), 10, "the main window active again")
            log('Escape closes "%s"' % title)

        # Ctrl+T from the card: the main window's topics take the keyboard.
        self.keys("ctrl+k")
        self.wait(lambda: self.active_frame("Phrase card"), 10, "the phrase card active")
        start = len(self.focused)
        self.keys("ctrl+t")
        topic = self.focus_after(start, lambda o: o.getRole() == pyatspi.ROLE_RADIO_BUTTON, "a topic by Ctrl+T")
        self.wait(lambda: self.active_frame(MAIN_TITLE), 10, "the main window active after Ctrl+T")
        log('Ctrl+T from the phrase card: topic "%s"' % topic.name)

    def find_in(self, title, name):
        """The showing object of that name in the window of that title, if any."""
        frame = self.frame(title)
        found = []

        def visit(node):
            if node.name == name:
                found.append(node)

        if frame is not None:
            self.walk(frame, visit)
        return found[0] if found else None

    def check_find_count(self):
        self.type("qsl")
        counted = re.compile(r"\d+ rows? found")

        def described(name):
            node = self.find_in("Find", name)
            return node.description if node is not None and counted.match(node.description) else None

        count = self.wait(lambda: described("Found phrases"), 5, "Find's count on its results")
        log('Find: the results say "%s"' % count)
        # Once the typing settles, the field the keyboard is in says it too.
        self.wait(lambda: described("Find phrases") == count, 5, "the count as the field's description")
        log('Find: the field says "%s"' % count)

        # Results the reader holds answer after the typing replaced them (the run fails on a
        # warning of Qt's bridge).
        results = self.find_in("Find", "Found phrases")
        held = [results.getChildAtIndex(i) for i in range(min(results.childCount, 8))]
        self.type(" zzz")
        self.wait(lambda: described("Found phrases") == "0 rows found", 5, "Find's results replaced")
        self.ask(held)
        log("Find: %d results held across new results answer" % len(held))

    def ask(self, held):
        for node in held:
            node.name
            node.description
            node.getState()


def main():
    pid = int(sys.argv[1])
    began = time.monotonic()
    Walk(pid).run()
    log("done in %.1f s" % (time.monotonic() - began))


if __name__ == "__main__":
    main()
