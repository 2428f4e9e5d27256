"""The program as a screen reader meets it: its own D-Bus session and AT-SPI
bus, the program started with Qt's accessibility on, and the accessibility
tree walked with pyatspi while methane is built. Usage (in a private bus,
as CTest runs it): dbus-run-session -- accessibility_e2e.py PROGRAM OUTDIR SCENARIO.
A failure leaves OUTDIR/SCENARIO-failure.png, SCENARIO-output.txt and
SCENARIO-tree.txt (the tree as last walked)."""
import os
import subprocess
import sys
import time

from xdrive import Failure, Session, poll

CARBON_DONE = "Carbon, 0 open bonds, 0 free electrons, bonded: 4 single (H, H, H, H)"
HYDROGEN_DONE = "Hydrogen, 0 open bonds, 0 free electrons, bonded: 1 single (C)"

# Roles a student acts on: any node with one of them, or focusable, needs a name.
INTERACTIVE_ROLES = {"push button", "toggle button", "check box", "radio button", "menu item", "menu",
                     "combo box", "canvas", "image", "list item", "entry", "text", "slider",
                     "spin button", "page tab", "link", "tool bar"}


class KeyboardBuilder:
    """The building steps by keys alone through the X server: no pointer
    event is sent. The frame is given the focus once; Qt hands it to the
    drawing area, which takes the letters, Enter and Alt+arrows."""

    def __init__(self, s, frame):
        self.s = s
        self.frame = frame
        s.focus(frame)

    def add(self, element):
        """A new atom in the tray by its letter ('c', 'h')."""
        self.s.key(element)
        time.sleep(0.3)

    def place_first(self):
        self.s.key("Return")

    def drop_beside(self, side):
        """Drops the tray atom on a side ('right', 'left', 'top', 'bottom') of the focused atom."""
        self.s.key("alt+" + {"right": "Right", "left": "Left", "top": "Up", "bottom": "Down"}[side])


def start_accessibility_bus(s):
    """The AT-SPI bus and registry in the test's own D-Bus session."""
    if "DBUS_SESSION_BUS_ADDRESS" not in os.environ:
        raise Failure("no private D-Bus session: run under dbus-run-session")
    launcher = next((p for p in ("/usr/libexec/at-spi-bus-launcher", "/usr/lib/at-spi2-core/at-spi-bus-launcher")
                     if os.path.exists(p)), None)
    registry = next((p for p in ("/usr/libexec/at-spi2-registryd", "/usr/lib/at-spi2-core/at-spi2-registryd")
                     if os.path.exists(p)), None)
    if launcher is None or registry is None:
        raise Failure("at-spi2-core is not installed")
    log = open(os.path.join(s.outdir, s.name + "-atspi.txt"), "w")
    s.helpers = [subprocess.Popen([launcher], env=s.env, stdout=log, stderr=subprocess.STDOUT)]
    time.sleep(0.5)
    s.helpers.append(subprocess.Popen([registry], env=s.env, stdout=log, stderr=subprocess.STDOUT))
    s.env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
    s.env["NO_AT_BRIDGE"] = "0"
    # pyatspi in this process looks for the bus on the same display.
    os.environ["DISPLAY"] = s.env["DISPLAY"]


def stop_helpers(s):
    for p in getattr(s, "helpers", []):
        if p.poll() is None:
            p.terminate()
            try:
                p.wait(5)
            except subprocess.TimeoutExpired:
                p.kill()
                p.wait()


class Tree:
    """Reads the program's accessibility tree through pyatspi."""

    def __init__(self, s):
        import pyatspi  # noqa: PLC0415 - only once the bus runs
        self.pyatspi = pyatspi
        self.s = s
        desktop = pyatspi.Registry.getDesktop(0)
        self.app = poll("the program on the accessibility bus",
                        lambda: next((a for a in desktop if a is not None and a.name == "Kovala"), None),
                        deadline=30)
        self.lines = []

    def walk(self, node=None, depth=0, path="", record=False):
        """Every node once: (node, role name, name, states, path); `record`
        keeps the tree's lines for SCENARIO-tree.txt."""
        node = self.app if node is None else node
        if depth > 40:
            raise Failure("the tree loops at " + path)
        role = node.getRoleName()
        name = node.name or ""
        states = node.getState()
        here = path + "/" + role
        if record:
            self.lines.append("  " * depth + "%s %r" % (role, name))
        yield node, role, name, states, here
        for i in range(node.childCount):
            child = node.getChildAtIndex(i)
            if child is not None:
                yield from self.walk(child, depth + 1, here, record)

    def save(self, label):
        with open(os.path.join(self.s.outdir, self.s.name + "-tree.txt"), "a") as out:
            out.write("== %s\n%s\n" % (label, "\n".join(self.lines)))
        self.lines = []

    def unnamed_interactive(self):
        missing, seen = [], 0
        for node, role, name, states, path in self.walk(record=True):
            focusable = states.contains(self.pyatspi.STATE_FOCUSABLE)
            if role in INTERACTIVE_ROLES or focusable:
                seen += 1
                if not name.strip():
                    missing.append(path)
        return seen, missing

    def find(self, role, name, showing=True):
        for node, r, n, states, _ in self.walk():
            if r == role and n == name and (not showing or states.contains(self.pyatspi.STATE_SHOWING)):
                return node
        return None

    def atoms(self):
        area = self.find("canvas", "Molecule drawing area")
        if area is None:
            raise Failure("no showing canvas named 'Molecule drawing area'")
        return [(area.getChildAtIndex(i).name, area.getChildAtIndex(i).description)
                for i in range(area.childCount)]

    def focused_atoms(self):
        """The names of the atoms that report the focused state."""
        area = self.find("canvas", "Molecule drawing area")
        if area is None:
            raise Failure("no showing canvas named 'Molecule drawing area'")
        return [area.getChildAtIndex(i).name for i in range(area.childCount)
                if area.getChildAtIndex(i).getState().contains(self.pyatspi.STATE_FOCUSED)]

    def panel_text(self):
        panel = self.find("notification", "Molecule panel")
        if panel is None:
            raise Failure("no showing node named 'Molecule panel'")
        text = panel.queryText()
        return text.getText(0, text.characterCount)


def accessibility_tree(s):
    """Methane built by keys alone while the tree is walked."""
    s.start_x()
    start_accessibility_bus(s)
    frame = s.start_app()
    tree = Tree(s)
    try:
        seen, missing = tree.unnamed_interactive()
        tree.save("at start")
        if missing:
            raise Failure("unnamed interactive nodes: %s" % missing)
        if seen < 12 + 5:
            raise Failure("only %d interactive nodes: the palette and menus are not in the tree" % seen)
        print("interactive nodes at start:", seen)

        b = KeyboardBuilder(s, frame)
        b.add("c")
        tray_carbon = "Carbon, 4 open bonds, 4 free electrons, not bonded"
        poll("the carbon in the accessible tray", lambda: tree.atoms() == [(tray_carbon, "In the tray")])
        poll("the tray carbon reported focused", lambda: tree.focused_atoms() == [tray_carbon])
        b.place_first()
        poll("the carbon placed", lambda: [d for _, d in tree.atoms()] == ["Placed"])
        b.add("h")
        b.drop_beside("right")
        b.add("h")
        before = poll("the panel's text with the hydrogen in the tray",
                      lambda: (lambda t: t if "H in the tray" in t else None)(tree.panel_text()))
        # The carbon's right side holds the first hydrogen: a refused drop.
        b.drop_beside("right")
        s.answer_box("Warning")
        refused = poll("the panel's text to change after the refused drop",
                       lambda: (lambda t: t if t != before else None)(tree.panel_text()))
        print("panel after the refused drop:", refused)
        b.drop_beside("left")
        for side in ("top", "bottom"):
            b.add("h")
            b.drop_beside(side)
        s.answer_box("Information")  # "This molecule is completed!!! ..."
        completed = poll("the panel's completion line",
                         lambda: (lambda t: t if t.startswith("Completed: methane") else None)(tree.panel_text()))
        print("panel after completion:", completed)
        names = poll("the five atoms of methane",
                     lambda: (lambda a: a if sorted(n for n, _ in a) == sorted([CARBON_DONE] + [HYDROGEN_DONE] * 4)
                              else None)(tree.atoms()))
        for name, description in names:
            print("atom:", name, "|", description)
        # The keys drop beside the carbon, which keeps the focus.
        focused = poll("the carbon reported focused", lambda: (lambda f: f if f == [CARBON_DONE] else None)(
            tree.focused_atoms()))
        print("focused:", focused)
        seen, missing = tree.unnamed_interactive()
        tree.save("methane built")
        if missing:
            raise Failure("unnamed interactive nodes after building: %s" % missing)
    finally:
        tree.save("last walk")


SCENARIOS = {"accessibility_tree": accessibility_tree}


def main():
    program, outdir, name = sys.argv[1:4]
    s = Session(program, outdir, name)
    open(os.path.join(outdir, name + "-tree.txt"), "w").close()
    try:
        SCENARIOS[name](s)
    except Exception as error:  # noqa: BLE001 - every failure leaves its traces
        shot = "%s/%s-failure.png" % (outdir, name)
        try:
            s.screenshot(shot)
        except Exception:  # noqa: BLE001
            shot = "(no screenshot)"
        print("FAILED %s: %s\nscreenshot: %s\nprogram output: %s" % (name, error, shot, s.log_path()))
        s.stop()
        stop_helpers(s)
        return 1
    s.stop()
    stop_helpers(s)
    print("passed", name)
    return 0


if __name__ == "__main__":
    sys.exit(main())
