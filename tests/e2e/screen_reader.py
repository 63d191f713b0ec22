"""The program as a screen reader and an operator meet it: its windows and
controls through the accessibility bus (AT-SPI), its keyboard through the X
server's test extension (xdotool).

Controls are found by role and announced name. Nothing here reaches into the
program: what it does not announce, a test cannot see either.
"""

import os
import re
import subprocess

from waiting import Failure, wait_for, wait_for_value

# Imported once the environment names the run's own buses (see connect()).
pyatspi = None

# The lists of combo boxes hold thousands of entries; no control is looked
# for inside them.
SKIPPED_ROLES = ("ROLE_LIST", "ROLE_LIST_ITEM", "ROLE_TABLE", "ROLE_TREE_TABLE")


def connect():
    global pyatspi
    import pyatspi as module
    pyatspi = module
    # A program that hangs answers no call: give up on each after 5 s (and
    # 15 s while it starts) instead of the bus's 25.
    pyatspi.Atspi.set_timeout(5000, 15000)


def connect_to(env):
    """Connects this process to the buses of a desktop of its own (`env`
    names them), and to no accessibility bus named from outside."""
    os.environ.update(env)
    os.environ.pop("AT_SPI_BUS_ADDRESS", None)
    connect()


def role(name):
    """pyatspi's role constant for a short name: "push button" -> ROLE_PUSH_BUTTON."""
    return getattr(pyatspi, "ROLE_" + name.upper().replace(" ", "_"))


class Screen:
    def __init__(self, env, application, process):
        self.env = env
        self.application_name = application
        self.process = process

    # Finding --------------------------------------------------------------

    def application(self):
        if self.process.poll() is not None:
            raise Failure(f"the program ended with code {self.process.returncode}")
        desktop = pyatspi.Registry.getDesktop(0)
        for index in range(desktop.childCount):
            app = desktop.getChildAtIndex(index)
            if app is not None and app.name == self.application_name:
                # Read every property afresh: names change as the program runs.
                app.set_cache_mask(pyatspi.Atspi.Cache.NONE)
                return app
        raise LookupError(f"{self.application_name} is not on the accessibility bus")

    def window(self, title, limit):
        """The program's shown top-level window with that title."""
        def probe():
            app = self.application()
            for index in range(app.childCount):
                window = app.getChildAtIndex(index)
                if window.name == title and window.getState().contains(pyatspi.STATE_SHOWING):
                    return window
            return None

        return wait_for(f'the window "{title}"', probe, limit)

    def window_gone(self, title, limit):
        def probe():
            app = self.application()
            return all(app.getChildAtIndex(i).name != title
                       or not app.getChildAtIndex(i).getState().contains(pyatspi.STATE_SHOWING)
                       for i in range(app.childCount))

        wait_for(f'the window "{title}" to close', probe, limit)

    def find_all(self, root, role_name, name=None):
        wanted = role(role_name)
        skipped = tuple(getattr(pyatspi, r) for r in SKIPPED_ROLES)
        found = []

        def walk(node):
            if node is None:
                return
            if node.getRole() == wanted and (name is None or node.name == name):
                found.append(node)
            if node.getRole() in skipped:
                return
            for index in range(node.childCount):
                walk(node.getChildAtIndex(index))

        walk(root)
        return found

    def find(self, root, role_name, name, limit=5):
        """The first control of that role announced by that name."""
        seen = []

        def probe():
            found = self.find_all(root, role_name)
            seen[:] = [control.name for control in found]
            return next((control for control in found if control.name == name), None)

        try:
            return wait_for(f'a {role_name} "{name}" in "{root.name}"', probe, limit)
        except Failure as failure:
            raise Failure(f"{failure}; the {role_name}s there: {seen}") from None

    def labelled(self, root, role_name, label, limit=5):
        """The first control of that role that names the label `label` as
        its label (a screen reader announces that label with it)."""
        def labels(control):
            return [relation.getTarget(index).name
                    for relation in control.getRelationSet()
                    if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY
                    for index in range(relation.getNTargets())]

        return wait_for(f'a {role_name} labelled "{label}" in "{root.name}"',
                        lambda: next((control for control in self.find_all(root, role_name)
                                      if label in labels(control)), None), limit)

    # Reading --------------------------------------------------------------

    @staticmethod
    def text(control):
        return control.queryText().getText(0, -1)

    @staticmethod
    def shown(control):
        return control.getState().contains(pyatspi.STATE_SHOWING)

    @staticmethod
    def focused(control):
        return control.getState().contains(pyatspi.STATE_FOCUSED)

    @staticmethod
    def left_edge(control):
        return control.queryComponent().getExtents(pyatspi.DESKTOP_COORDS).x

    def describe(self, root=None, depth=0):
        """The tree of the program's windows as text, for a failure's record."""
        root = root if root is not None else self.application()
        lines = [f"{'  ' * depth}[{root.getRoleName()}] {root.name!r}"]
        if root.getRole() not in tuple(getattr(pyatspi, r) for r in SKIPPED_ROLES):
            for index in range(root.childCount):
                child = root.getChildAtIndex(index)
                if child is not None:
                    lines += self.describe(child, depth + 1)
        return lines if depth else "\n".join(lines) + "\n"

    # Acting ---------------------------------------------------------------

    def activate(self, window, limit=5):
        """Makes the window the active one, as a click on it would with a
        window manager (the run has none, so the X server is asked)."""
        if window.getState().contains(pyatspi.STATE_ACTIVE):
            return
        title = "^" + re.sub(r"([][.^$*+?(){}|\\])", r"\\\1", window.name) + "$"
        ids = self._xdotool("search", "--onlyvisible", "--name", title, check=False).split()
        if not ids:
            raise Failure(f'no X window is titled "{window.name}"')
        self._xdotool("windowfocus", "--sync", ids[-1])
        wait_for(f'the window "{window.name}" to become active',
                 lambda: window.getState().contains(pyatspi.STATE_ACTIVE), limit)

    def focus(self, control, limit=5):
        """Moves the keyboard focus to the control, as the Tab key would."""
        def probe():
            if self.focused(control):
                return True
            control.queryComponent().grabFocus()
            return False

        wait_for(f'the focus on "{control.name}"', probe, limit, interval=0.1)

    def press(self, button, limit=5):
        """Presses a button from the keyboard: focus on it, then Space."""
        self.focus(button, limit)
        self.keys("space")

    def choose(self, combo_box, entry, limit=5):
        """Chooses an entry of a combo box that is announced by its current
        entry, from the keyboard: Home, then Down until it is there."""
        listed = combo_box.getChildAtIndex(0)
        entries = [listed.getChildAtIndex(i).name for i in range(listed.childCount)]
        if entry not in entries:
            raise Failure(f'"{entry}" is not among the entries {entries}')
        self.focus(combo_box, limit)
        self.keys("Home")
        wait_for_value("the combo box's first entry", lambda: combo_box.name, entries[0], limit)
        for _ in entries:
            shown = combo_box.name
            if shown == entry:
                return
            self.keys("Down")
            wait_for(f'the entry after "{shown}"', lambda: combo_box.name != shown, limit)
        raise Failure(f'Down never reached "{entry}" among {entries}')

    def keys(self, *names):
        self._xdotool("key", "--delay", "30", *names)

    def type(self, text):
        self._xdotool("type", "--delay", "30", "--", text)

    def _xdotool(self, *args, check=True):
        return subprocess.run(["xdotool", *args], env=self.env, check=check, timeout=30,
                              stdin=subprocess.DEVNULL, capture_output=True, text=True).stdout
