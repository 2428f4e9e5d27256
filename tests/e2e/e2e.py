"""End-to-end scenarios: the built program on its own Xvfb, used through the
X server as a student would. Usage: e2e.py PROGRAM OUTDIR SCENARIO [REPLAY].
A failure leaves OUTDIR/SCENARIO-failure.png and SCENARIO-output.txt."""
import os
import shutil
import sys
import time

from xdrive import Failure, Session, poll, run

WHITE = (255, 255, 255)


def client_rect(s, frame):
    """The editor's white client area (left, top, right, bottom) on screen."""
    p = s.pixels()
    midy = frame[3] + frame[5] // 2
    left = next(x for x in range(frame[2], frame[2] + frame[4]) if p.at(x, midy) == WHITE)
    top = next(y for y in range(frame[3], frame[3] + frame[5]) if p.at(left + 50, y) == WHITE)
    right = next(x for x in range(left, frame[2] + frame[4]) if p.at(x, midy) != WHITE) \
        if p.at(frame[2] + frame[4] - 1, midy) != WHITE else frame[2] + frame[4]
    bottom = next(y for y in range(top, frame[3] + frame[5]) if p.at(left + 50, y) != WHITE)
    return left, top, right, bottom


def palette_button(s, frame, client, index):
    """Centre of the palette button at `index` (0 carbon ... 11 cyclobutane)."""
    p = s.pixels()
    x = (frame[2] + client[0]) // 2
    top = next(y for y in range(client[1], client[3]) if p.at(x, y) == (0, 0, 0))
    return x, top + 10 + 28 * index


def startup(s):
    s.start_x()
    splash = None
    s.app = None
    # The splash shows before the frame; catch it while it stands.
    s.start_app_async()
    splash = poll("the splash", lambda: next((w for w in s.windows() if w[4] == 200 and w[5] == 200), None))
    if (splash[2], splash[3]) != (1280 // 2 - 100, 1024 // 2 - 100):
        raise Failure("splash not centred: %r" % (splash,))
    frame = s.wait_window("Untitled", deadline=30)
    poll("the splash to go", lambda: not any(w[4] == 200 and w[5] == 200 for w in s.windows()))
    if (frame[2], frame[3]) != (1280 // 9, 1024 // 9):
        raise Failure("frame not at a ninth of the screen: %r" % (frame,))
    client = client_rect(s, frame)
    p = s.pixels()
    # Palette: twelve buttons, each with its own colours.
    x = (frame[2] + client[0]) // 2
    if p.at(x, client[1] + 200) == WHITE:
        raise Failure("no palette left of the client")
    # Menu 500 has no Edit popup: Alt+E opens nothing, Alt+M opens Molecule.
    s.focus(frame)
    before = len(s.windows())
    s.key("alt+e")
    time.sleep(0.5)
    if len(s.windows()) != before:
        raise Failure("an Edit popup opened on the empty molecule's menu")
    s.key("alt+m")
    poll("the Molecule popup", lambda: len(s.windows()) > before)
    s.key("Escape")
    # Message bar below the client carries dark text.
    bar = s.pixels((frame[2], client[3] + 2, 400, frame[3] + frame[5] - client[3] - 2))
    if bar.colours() < 3:
        raise Failure("the message bar shows no text")


def build_methane(s, steps=None):
    """Builds CH4 with the palette and the tray; `steps` receives the palette
    commands and the drags (screen points) in the order they were made."""
    steps = [] if steps is None else steps
    frame = s.start_app()
    client = client_rect(s, frame)
    width = client[2] - client[0]
    cx, cy = (client[0] + client[2]) // 2, (client[1] + client[3]) // 2
    carbon = palette_button(s, frame, client, 0)
    hydrogen = palette_button(s, frame, client, 1)
    s.click(*carbon)
    tray = (client[0] + width - 50 + 10, client[1] + 10 + 10)
    poll("the carbon in the tray", lambda: s.pixels((tray[0] - 5, tray[1] - 5, 10, 10)).colours() > 1)
    s.drag(tray[0], tray[1], cx, cy)
    steps += [("command", 250), ("drag", tray[0], tray[1], cx, cy)]
    cell = (cx - 15, cy - 15)  # the first atom's cell, from the drop point
    poll("the carbon at the centre", lambda: s.pixels((cell[0], cell[1], 20, 20)).colours() > 1)
    # Drop points inside each side's band; the hydrogens' cells are 30 away.
    sides = (((30, 10), (30, 0)), ((-10, 10), (-30, 0)), ((10, -10), (0, -30)), ((10, 30), (0, 30)))
    for n, ((px, py), (dx, dy)) in enumerate(sides):
        s.click(*hydrogen)
        time.sleep(0.3)
        s.drag(tray[0], tray[1], cell[0] + px, cell[1] + py)
        steps += [("command", 251), ("drag", tray[0], tray[1], cell[0] + px, cell[1] + py)]
        if n < 3:
            target = (cell[0] + dx, cell[1] + dy)
            poll("hydrogen %d beside the carbon" % (n + 1),
                 lambda: s.pixels((target[0], target[1], 20, 20)).colours() > 1)
    return frame, client


def methane(s):
    s.start_x()
    frame, client = build_methane(s)
    s.answer_box("Information")  # "This molecule is completed!!! ..."
    before = s.pixels((client[0], client[1], client[2] - client[0], client[3] - client[1]))
    s.focus(frame)
    s.key("End")  # 3-D Model
    box = (client[0], client[1], client[2] - client[0], client[3] - client[1])
    model = poll("the ball model", lambda: (lambda p: p if p != before else None)(s.pixels(box)))
    s.key("Left")
    poll("the model to turn", lambda: s.pixels(box) != model)
    s.key("alt+a")  # Animate
    first = s.pixels(box)
    poll("the animation to move the model", lambda: s.pixels(box) != first)
    s.key("alt+t")  # Stop Animate
    time.sleep(0.5)
    still = s.pixels(box)
    time.sleep(0.5)
    if s.pixels(box) != still:
        raise Failure("the model still turns after Stop Animate")
    s.key("Home")  # Return to Kovala
    poll("the molecule window again", lambda: s.pixels(box) == before)


def refused_drop(s):
    s.start_x()
    frame = s.start_app()
    client = client_rect(s, frame)
    width = client[2] - client[0]
    s.click(*palette_button(s, frame, client, 0))
    s.click(*palette_button(s, frame, client, 0))
    tray = (client[0] + width - 50 + 10, client[1] + 10 + 10)
    cx, cy = (client[0] + client[2]) // 2, (client[1] + client[3]) // 2
    s.drag(tray[0], tray[1], cx, cy)
    time.sleep(0.3)
    # The second carbon dropped away from the first is refused.
    s.drag(tray[0], tray[1], cx - 200, cy - 200)
    s.answer_box("Warning")


def cancel_save(s):
    s.start_x()
    frame = s.start_app()
    client = client_rect(s, frame)
    width = client[2] - client[0]
    s.click(*palette_button(s, frame, client, 0))
    tray = (client[0] + width - 50 + 10, client[1] + 10 + 10)
    s.drag(tray[0], tray[1], (client[0] + client[2]) // 2, (client[1] + client[3]) // 2)
    box = (client[0], client[1], client[2] - client[0], client[3] - client[1])
    time.sleep(0.5)
    before = s.pixels(box)
    s.focus(frame)
    s.key("alt+m", "n")  # New on a changed molecule asks to save
    s.answer_box("Molecule has changed", keys=("Escape",))
    time.sleep(0.5)
    if s.pixels(box) != before:
        raise Failure("Cancel on the save question lost the molecule")


def copy_pictures(s):
    s.start_x()
    frame, client = build_methane(s)
    s.answer_box("Information")
    s.focus(frame)
    s.key("alt+e", "c")  # Copy to Clipboard
    s.answer_box("Information")
    check_clipboard(s, "2-D")
    s.key("End")
    time.sleep(1)
    s.focus(frame)
    s.key("alt+c")  # the 3-D view's Copy to Clipboard
    time.sleep(1)
    check_clipboard(s, "3-D")


def check_clipboard(s, what):
    def image():
        targets = run("xclip", "-selection", "clipboard", "-t", "TARGETS", "-o", env=s.env, check=False)
        if b"image/png" not in targets:
            return None
        return run("xclip", "-selection", "clipboard", "-t", "image/png", "-o", env=s.env)
    png = poll("a %s picture on the clipboard" % what, image)
    size = run("identify", "-format", "%w %h %k", "png:-", input=png).decode().split()
    w, h, colours = map(int, size)
    if w < 20 or h < 20 or colours < 2:
        raise Failure("%s clipboard picture %dx%d with %d colours" % (what, w, h, colours))


def save_open(s):
    s.start_x()
    steps = []
    frame, client = build_methane(s, steps)
    s.answer_box("Information")
    box = (client[0], client[1], client[2] - client[0], client[3] - client[1])
    time.sleep(0.5)
    molecule = s.pixels(box)
    # Save on an untitled molecule asks for a name in the file dialog; the
    # default extension is added to a name typed without one.
    s.focus(frame)
    s.key("F2")
    dialog = s.wait_window("Save As")
    s.focus(dialog)
    stem = os.path.join(os.path.realpath(s.home), "methane")
    saved = stem + ".kvl"
    s.key("ctrl+a")
    s.type(stem)
    s.key("Return")
    s.wait_gone("Save As")
    s.wait_window(saved)  # the caption is the file's name
    written = open(saved, "rb").read()
    reference = os.path.join(s.outdir, s.name + "-reference.kvl")
    if os.path.exists(reference):
        os.remove(reference)
    # The same palette presses and drags, in client points, on the Qt-free
    # program, saved by its own writer.
    args = [str(box[2]), str(box[3]), reference]
    for step in steps:
        if step[0] == "command":
            args.append("command:%d" % step[1])
        else:
            x1, y1, x2, y2 = step[1:]
            args.append("drag:%d,%d,%d,%d" % (x1 - client[0], y1 - client[1], x2 - client[0], y2 - client[1]))
    run(s.replay, *args)
    expected = open(reference, "rb").read()
    if written != expected:
        at = next((i for i in range(min(len(written), len(expected))) if written[i] != expected[i]),
                  min(len(written), len(expected)))
        raise Failure("saved %d bytes differ from the writer's %d bytes at offset %d (reference: %s)"
                      % (len(written), len(expected), at, reference))
    # New empties the saved molecule without a question; Open brings it back.
    s.key("alt+m", "n")
    s.wait_window("Untitled")
    poll("the emptied client", lambda: s.pixels(box).colours() == 1)
    s.key("F3")
    dialog = s.wait_window("Open")
    s.focus(dialog)
    s.key("ctrl+a")
    s.type(saved)
    s.key("Return")
    s.wait_gone("Open")
    s.wait_window(saved)
    poll("the opened molecule to look as it was saved", lambda: s.pixels(box) == molecule)


# Drop points in each side cell of an atom, and where the dropped atom's cell
# then stands, both from the atom's cell.
SIDES = {"right": ((30, 10), (30, 0)), "left": ((-10, 10), (-30, 0)),
         "top": ((10, -10), (0, -30)), "bottom": ((10, 30), (0, 30))}


def tray_slot(client, k):
    """The centre of tray slot k (its cell is 20 by 20, 30 apart)."""
    return client[2] - 50 + 10, client[1] + 10 + 30 * k + 10


def cell_filled(s, left, top):
    return s.pixels((left, top, 20, 20)).colours() > 1


def build_from_tray(s, client, plan):
    """Drags tray atoms into place. Each step is (slot, at, side): the atom in
    tray slot `slot` is dropped on the `side` of the atom whose cell stands `at`
    (grid offset) from the first atom's cell; the first step's atom goes to the
    client's centre. The tray closes up after every drop."""
    cx, cy = (client[0] + client[2]) // 2, (client[1] + client[3]) // 2
    first = (cx - 15, cy - 15)
    for n, (slot, at, side) in enumerate(plan):
        if at is None:
            drop, cell = (cx, cy), first
        else:
            (px, py), (dx, dy) = SIDES[side]
            base = (first[0] + at[0], first[1] + at[1])
            drop, cell = (base[0] + px, base[1] + py), (base[0] + dx, base[1] + dy)
        s.drag(*tray_slot(client, slot), *drop)
        if n < len(plan) - 1:  # the last drop completes, and a box comes up
            poll("atom %d at %r" % (n + 1, cell), lambda: cell_filled(s, *cell))
    return first


def tray_count(s, client, most):
    """How many of the first `most` tray slots hold an atom, from one picture
    of the tray column."""
    left, top = tray_slot(client, 0)[0] - 10, tray_slot(client, 0)[1] - 10
    column = s.pixels((left, top, 20, 30 * most))
    def filled(k):
        return len({column.at(x, y) for x in range(20) for y in range(30 * k, 30 * k + 20)}) > 1
    return sum(1 for k in range(most) if filled(k))


def practice_lesson(s):
    """The lab's fourth compound, water: reached with Next, built, viewed in 3-D
    and back to the lab; Quit returns to the editor."""
    s.start_x()
    frame = s.start_app()
    client = client_rect(s, frame)
    s.focus(frame)
    s.key("alt+p", "s")  # Practice, Start Lab
    frame = s.wait_window("Practice")
    poll("methane's five atoms in the tray", lambda: tray_count(s, client, 7) == 5)
    s.focus(frame)
    s.key("alt+n", "alt+n", "alt+n")  # Next to compound 4
    poll("water's three atoms in the tray", lambda: tray_count(s, client, 7) == 3)
    build_from_tray(s, client, [(0, None, None), (0, (0, 0), "right"), (0, (0, 0), "left")])
    s.answer_box("Information")  # "This molecule is completed!!! ..."
    box = (client[0], client[1], client[2] - client[0], client[3] - client[1])
    time.sleep(0.5)
    lab = s.pixels(box)
    s.focus(frame)
    s.key("End")
    poll("the water model", lambda: s.pixels(box) != lab)
    s.key("Home")
    poll("the lab again", lambda: s.pixels(box) == lab)
    if s.find_window("Practice") is None:
        raise Failure("Return to Kovala left the lab's caption")
    s.key("alt+q")  # Quit Practice/Organic
    s.wait_window("Untitled")
    poll("the empty editor", lambda: s.pixels(box).colours() == 1)


def true_shape(s):
    """The lab's water in its true shape: shown from the lab's View menu, lone
    pairs switched on, turned by a drag and by itself, and Return back to the
    lab as it was. KOVALA_E2E_SHOTS names a folder for pictures of each step."""
    s.start_x()
    frame = s.start_app()
    client = client_rect(s, frame)
    shots = os.environ.get("KOVALA_E2E_SHOTS")

    def shot(name):
        if shots:
            time.sleep(0.5)
            s.window_shot(frame, os.path.join(shots, name + ".png"))

    s.focus(frame)
    s.key("alt+p", "s")  # Practice, Start Lab
    frame = s.wait_window("Practice")
    poll("methane's five atoms in the tray", lambda: tray_count(s, client, 7) == 5)
    s.focus(frame)
    s.key("alt+n", "alt+n", "alt+n")  # Next to compound 4, water
    poll("water's three atoms in the tray", lambda: tray_count(s, client, 7) == 3)
    build_from_tray(s, client, [(0, None, None), (0, (0, 0), "right"), (0, (0, 0), "left")])
    s.answer_box("Information")  # "This molecule is completed!!! ..."
    box = (client[0], client[1], client[2] - client[0], client[3] - client[1])
    time.sleep(0.5)
    lab = s.pixels(box)
    s.focus(frame)
    s.key("alt+v", "t")  # View, True Shape...
    shape = poll("the true shape", lambda: (lambda p: p if p != lab else None)(s.pixels(box)))
    # Red oxygen and yellow hydrogens, shaded: many colours, not the lab's few.
    if shape.colours() < 50:
        raise Failure("the true shape shows only %d colours" % shape.colours())
    shot("true_shape-water")
    s.key("alt+s", "l")  # Show, Lone Pairs
    lobes = poll("the lone pairs", lambda: (lambda p: p if p != shape else None)(s.pixels(box)))
    s.key("alt+s", "a")  # Show, Angles
    labelled = poll("the angle label", lambda: (lambda p: p if p != lobes else None)(s.pixels(box)))
    shot("true_shape-water-options")
    cx, cy = (client[0] + client[2]) // 2, (client[1] + client[3]) // 2
    s.drag(cx - 60, cy + 120, cx + 20, cy + 100)
    turned = poll("the drag to turn it", lambda: (lambda p: p if p != labelled else None)(s.pixels(box)))
    shot("true_shape-water-turned")
    s.key("alt+a")  # Animate
    poll("the animation to turn it", lambda: s.pixels(box) != turned)
    s.key("alt+a")  # and stop
    time.sleep(0.3)
    still = s.pixels(box)
    time.sleep(0.5)
    if s.pixels(box) != still:
        raise Failure("the true shape still turns after Animate was switched off")
    s.key("alt+r")  # Return
    poll("the lab again", lambda: s.pixels(box) == lab)
    if s.find_window("Practice") is None:
        raise Failure("Return left the lab's caption")


# Ethanol's atoms in the course's tray order: C, C, O and six H.
ETHANOL = [(0, None, None), (0, (0, 0), "right"), (0, (30, 0), "right"),
           (0, (0, 0), "left"), (0, (0, 0), "top"), (0, (0, 0), "bottom"),
           (0, (30, 0), "top"), (0, (30, 0), "bottom"), (0, (60, 0), "right")]
# The isomer, dimethyl ether, from the same tray: the O (slot 1 once the first
# C is out) goes between the two C.
DIMETHYL_ETHER = [(0, None, None), (1, (0, 0), "right"), (0, (30, 0), "right"),
                  (0, (0, 0), "left"), (0, (0, 0), "top"), (0, (0, 0), "bottom"),
                  (0, (60, 0), "top"), (0, (60, 0), "bottom"), (0, (60, 0), "right")]


def organic_lesson(s):
    """Ethanol, the course's eleventh molecule: its isomer is refused and the
    row laid out afresh; the alcohol itself is accepted."""
    s.start_x()
    frame = s.start_app()
    client = client_rect(s, frame)
    s.focus(frame)
    s.key("alt+p", "o")  # Practice, Organic Chemistry
    frame = s.wait_window("Organic Chemistry")
    poll("methane's five atoms in the tray", lambda: tray_count(s, client, 10) == 5)
    s.focus(frame)
    s.key(*["alt+n"] * 10)  # Next to molecule 11
    poll("ethanol's nine atoms in the tray", lambda: tray_count(s, client, 10) == 9)
    # The first lines of the panel under the drawing area.
    panel = (client[0] + 2, client[3] + 2, client[2] - client[0] - 4, 30)
    first = build_from_tray(s, client, DIMETHYL_ETHER)
    s.answer_box("Warning")  # "In ethanol you must have the OH group ..."
    poll("the row laid out afresh", lambda: not cell_filled(s, *first) and tray_count(s, client, 10) == 9)
    refused = s.pixels(panel)  # the rule's message above what is still open
    if refused.colours() < 3:
        raise Failure("the panel shows no text after the rule's refusal")
    build_from_tray(s, client, ETHANOL)
    s.answer_box("Information")
    poll("the panel naming the completed molecule",
         lambda: (lambda p: p != refused and p.colours() > 2)(s.pixels(panel)))
    s.focus(frame)
    s.key("alt+q")
    s.wait_window("Untitled")


def open_argument(s):
    """`kovala FILE` opens the file after the splash as Open would; a file that
    cannot be read gets Open's message and an empty molecule; any other
    argument is ignored with a line on standard error."""
    s.start_x()
    data = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data")
    shutil.copy(os.path.join(data, "water.kvl"), os.path.join(s.home, "water.kvl"))
    # A name relative to the working directory, as typed in a terminal.
    s.start_app_async(["water.kvl"])
    frame = s.wait_window(os.path.join(s.home, "water.kvl"), deadline=30)
    client = client_rect(s, frame)
    box = (client[0], client[1], client[2] - client[0], client[3] - client[1])
    poll("the opened molecule", lambda: s.pixels(box).colours() > 1)
    # Menu 100, the one with atoms: its Edit popup opens.
    s.focus(frame)
    before = len(s.windows())
    s.key("alt+e")
    poll("the Edit popup", lambda: len(s.windows()) > before)
    s.key("Escape")
    s.app.terminate()
    s.app.wait(10)

    with open(os.path.join(s.home, "old.kvl"), "wb") as f:
        f.write(b"Kovala30\0" + bytes(19))
    s.start_app_async(["--unknown", os.path.join(s.home, "old.kvl"), "second.kvl"])
    s.answer_box("Warning")
    frame = s.wait_window("Untitled")
    client = client_rect(s, frame)
    box = (client[0], client[1], client[2] - client[0], client[3] - client[1])
    time.sleep(0.5)
    if s.pixels(box).colours() != 1:
        raise Failure("the molecule is not empty after a file that could not be read")
    output = open(s.log_path(), errors="replace").read()
    for argument in ("--unknown", "second.kvl"):
        if 'kovala: ignoring argument "%s"' % argument not in output:
            raise Failure("no line about %s on standard error: %r" % (argument, output))


def ink(picture):
    """How many pixels of a picture are not white."""
    return sum(1 for i in range(0, len(picture.data), 3) if picture.data[i:i + 3] != bytes(WHITE))


def keyboard_desktop_keys(s):
    """Ctrl+Z, Ctrl+plus, Ctrl+minus, Ctrl+0, Ctrl+N, F1 and Ctrl+Q as a desktop
    user presses them; a drop at twice the size bonds as it does at actual size.
    KOVALA_E2E_SHOTS names a folder for pictures at 1x, 2x and 3x."""
    s.start_x()
    frame = s.start_app()
    client = client_rect(s, frame)
    box = (client[0], client[1], client[2] - client[0], client[3] - client[1])
    width = box[2]
    shots = os.environ.get("KOVALA_E2E_SHOTS")

    def shot(name):
        if shots:
            time.sleep(0.5)
            s.window_shot(frame, os.path.join(shots, name + ".png"))

    def filled(x, y):
        return s.pixels((x, y, 20, 20)).colours() > 1

    # A carbon near the upper left, so that it stays in sight at every zoom.
    s.click(*palette_button(s, frame, client, 0))
    tray = (client[0] + width - 50 + 10, client[1] + 10 + 10)
    poll("the carbon in the tray", lambda: filled(tray[0] - 10, tray[1] - 10))
    drop = (client[0] + 100, client[1] + 80)
    s.drag(tray[0], tray[1], drop[0], drop[1])
    cell = (drop[0] - 15 - client[0], drop[1] - 15 - client[1])  # in program pixels
    poll("the carbon placed", lambda: filled(client[0] + cell[0], client[1] + cell[1]))
    # Ctrl+Z is Undo-Back: the carbon goes back to the tray.
    s.focus(frame)
    s.key("ctrl+z")
    poll("the carbon back in the tray", lambda: filled(tray[0] - 10, tray[1] - 10)
         and not filled(client[0] + cell[0], client[1] + cell[1]))
    s.drag(tray[0], tray[1], drop[0], drop[1])
    poll("the carbon placed again", lambda: filled(client[0] + cell[0], client[1] + cell[1]))
    time.sleep(0.5)
    actual = s.pixels(box)
    shot("keyboard_desktop_keys-1x")

    # Three presses of Ctrl+plus: 1.25, 1.5, then twice the size.
    s.focus(frame)
    s.key("ctrl+plus", "ctrl+plus", "ctrl+plus")
    on = lambda x, y: (client[0] + 2 * x, client[1] + 2 * y)  # noqa: E731 - a program point on screen
    doubled = poll("the carbon at twice the size",
                   lambda: (lambda p: p if ink(p) > 2 * ink(actual) else None)(s.pixels(box)))
    if not 3.0 < ink(doubled) / ink(actual) < 5.0:
        raise Failure("twice the size shows %d dark pixels for %d at actual size"
                      % (ink(doubled), ink(actual)))
    shot("keyboard_desktop_keys-2x")
    # A hydrogen from the tray (now at the right edge of what is seen, in
    # program pixels) dropped on the carbon's right side bonds as at 1x.
    s.click(*palette_button(s, frame, client, 1))
    seen = (width // 2, box[3] // 2)
    tray2 = on(seen[0] - 40, 20)
    poll("the hydrogen in the zoomed tray", lambda: filled(tray2[0] - 10, tray2[1] - 10))
    s.drag(tray2[0], tray2[1], *on(cell[0] + 30, cell[1] + 10))
    hydrogen = on(cell[0] + 30, cell[1])
    poll("the hydrogen bonded beside the carbon", lambda: filled(hydrogen[0] + 10, hydrogen[1] + 10))
    if filled(tray2[0] - 10, tray2[1] - 10):
        raise Failure("the hydrogen is still in the tray after its drop at 2x")
    # Ctrl+= and Ctrl+plus go on to three times; Ctrl+minus steps back.
    s.focus(frame)
    s.key("ctrl+equal", "ctrl+plus", "ctrl+plus")
    time.sleep(0.5)
    shot("keyboard_desktop_keys-3x")
    tripled = s.pixels(box)
    s.key("ctrl+minus")
    poll("one step smaller", lambda: s.pixels(box) != tripled)
    # Ctrl+Z twice undoes the zoomed drop and the hydrogen's palette press;
    # Ctrl+0 shows the actual size again: the picture from before the zoom.
    s.key("ctrl+z", "ctrl+z", "ctrl+0")
    poll("the actual size, as before the zoom", lambda: s.pixels(box) == actual)

    # Ctrl+Shift+S is Save as (a key of its own, not taken for Ctrl+S): its
    # dialog, cancelled; Ctrl+C copies the molecule and says so.
    s.key("ctrl+shift+s")
    dialog = s.wait_window("Save As")
    s.focus(dialog)
    s.key("Escape")
    s.wait_gone("Save As")
    s.focus(frame)
    s.key("ctrl+c")
    s.answer_box("Information")
    check_clipboard(s, "2-D")
    s.focus(frame)
    # Ctrl+N asks to save the changed molecule and, with No, empties it; F1
    # opens the help; Ctrl+Q then ends the program without a question and
    # closes the help with it.
    s.key("ctrl+n")
    s.answer_box("Molecule has changed", keys=("alt+n",))
    poll("the emptied client", lambda: s.pixels(box).colours() == 1)
    s.focus(frame)
    s.key("F1")
    s.wait_window("Kovala Help")
    s.focus(frame)
    s.key("ctrl+q")
    s.wait_gone("Untitled")
    s.wait_gone("Kovala Help")
    poll("the program to end", lambda: s.app.poll() is not None)


FOCUS_BLUE = (0, 84, 200)


def keyboard_build_methane(s):
    """Methane by keys alone, no pointer event: C into the tray, Enter puts it
    in the middle, and each H goes on a side of it with Alt+arrow. The
    completion box and the 3-D model on End show it is complete. The focus is
    drawn as a dotted blue ring. KOVALA_E2E_SHOTS names a folder for
    pictures of the ring and the panel's key hint."""
    s.start_x()
    frame = s.start_app()
    client = client_rect(s, frame)
    width = client[2] - client[0]
    box = (client[0], client[1], width, client[3] - client[1])
    shots = os.environ.get("KOVALA_E2E_SHOTS")

    def shot(name):
        if shots:
            time.sleep(0.5)
            s.window_shot(frame, os.path.join(shots, name + ".png"))

    def filled(x, y):
        return s.pixels((x, y, 20, 20)).colours() > 1

    def ring_around(x, y):
        """Blue focus dots in the 4 pixels round the cell at (x, y)."""
        p = s.pixels((x - 5, y - 5, 30, 30))
        return any(p.at(i, j) == FOCUS_BLUE for i in range(30) for j in range(30))

    s.focus(frame)
    s.key("c")
    tray = (client[0] + width - 50, client[1] + 10)
    poll("the carbon in the tray", lambda: filled(*tray))
    poll("the focus ring on the tray carbon", lambda: ring_around(*tray))
    shot("keyboard_build_methane-tray")
    s.key("Return")
    cx, cy = (client[0] + client[2]) // 2, (client[1] + client[3]) // 2
    cell = (cx - 15, cy - 15)
    poll("the carbon in the middle", lambda: filled(*cell) and not filled(*tray))
    poll("the focus ring on the carbon", lambda: ring_around(*cell))
    for n, (key, (dx, dy)) in enumerate((("alt+Right", (30, 0)), ("alt+Up", (0, -30)),
                                         ("alt+Left", (-30, 0)), ("alt+Down", (0, 30)))):
        s.key("h")
        poll("hydrogen %d in the tray" % (n + 1), lambda: filled(*tray))
        if n == 0:
            shot("keyboard_build_methane-next")
        s.key(key)
        if n < 3:
            target = (cell[0] + dx, cell[1] + dy)
            poll("hydrogen %d beside the carbon" % (n + 1), lambda: filled(*target) and not filled(*tray))
    completed = s.answer_box("Information")  # "This molecule is completed!!! ..."
    if completed is None:
        raise Failure("no completion")
    shot("keyboard_build_methane-done")
    if filled(*tray):
        raise Failure("an atom is left in the tray")
    before = s.pixels(box)
    s.focus(frame)
    s.key("End")  # the 3-D model, shown only for a completed molecule
    poll("the ball model", lambda: s.pixels(box) != before)
    s.key("Home")
    poll("the molecule window again", lambda: s.pixels(box) == before)


# The catalogues the program's German comes from.
PO_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "po")
# X key names of the letters a German mnemonic may be.
KEYSYMS = {"ä": "adiaeresis", "ö": "odiaeresis", "ü": "udiaeresis", "Ä": "adiaeresis", "Ö": "odiaeresis",
           "Ü": "udiaeresis"}


def catalogue(language):
    """The catalogue's translations by source text (no context, singular)."""
    sys.path.insert(0, PO_DIR)
    from check_catalogues import ReadCatalogue
    return {e.msgid: e.strings[0] for e in ReadCatalogue(os.path.join(PO_DIR, language + ".po"))
            if e.msgid and e.context is None}


def mnemonic_key(text):
    letter = text[text.index("&") + 1]
    return KEYSYMS.get(letter, letter.lower())


def said_in_boxes(s):
    """What the program's message boxes said so far, in order, as it echoes
    them to its output under KOVALA_ECHO_MESSAGES."""
    prefix = "message box: "
    with open(s.log_path(), encoding="utf-8", errors="replace") as log:
        return [line[len(prefix):].rstrip("\n").replace("\\n", "\n") for line in log if line.startswith(prefix)]


def box_text(s, title, seen):
    """The text of the next message box, titled `title` (the `seen` boxes
    before it are left out); the box is then answered with Return."""
    s.wait_window(title)
    said = poll("the box's text", lambda: (lambda boxes: boxes[seen] if len(boxes) > seen else None)(said_in_boxes(s)))
    if not said.startswith(title + ": "):
        raise Failure("the box titled %r said %r" % (title, said))
    s.answer_box(title)
    return said[len(title) + 2:]


def language_german(s):
    """The practice lab in German: a refused drop and water's completion say
    what the German catalogue says, under German captions and menus."""
    de = catalogue("de")
    if os.environ.get("LC_ALL", "").split(".")[0] != "de_DE":
        raise Failure("the scenario runs with LC_ALL=de_DE.UTF-8, not %r" % os.environ.get("LC_ALL"))
    s.start_x()
    s.env["KOVALA_ECHO_MESSAGES"] = "1"
    s.start_app_async()
    frame = s.wait_window(de["Untitled"], deadline=30)
    client = client_rect(s, frame)
    s.focus(frame)
    s.key("alt+" + mnemonic_key(de["&Practice"]), mnemonic_key(de[" &Start Lab"]))
    frame = s.wait_window(de["Practice"])
    poll("methane's five atoms in the tray", lambda: tray_count(s, client, 7) == 5)
    s.focus(frame)
    next_key = "alt+" + mnemonic_key(de["&Next"])
    s.key(next_key, next_key, next_key)  # to compound 4, water
    poll("water's three atoms in the tray", lambda: tray_count(s, client, 7) == 3)
    # The oxygen to the middle, then a hydrogen dropped far from it: refused.
    cx, cy = (client[0] + client[2]) // 2, (client[1] + client[3]) // 2
    s.drag(*tray_slot(client, 0), cx, cy)
    poll("the oxygen in the middle", lambda: cell_filled(s, cx - 15, cy - 15))
    s.drag(*tray_slot(client, 0), cx - 200, cy - 200)
    refusal = box_text(s, de["Warning"], 0)
    wanted = de["You must release the atom on the side of another atom to kovala!!"]
    if refusal != wanted:
        raise Failure("the refusal reads %r, not the catalogue's %r" % (refusal, wanted))
    # Both hydrogens beside the oxygen complete water.
    first = (cx - 15, cy - 15)
    for n, side in enumerate(("right", "left")):
        (px, py), (dx, dy) = SIDES[side]
        s.drag(*tray_slot(client, 0), first[0] + px, first[1] + py)
        if n == 0:
            poll("the first hydrogen", lambda: cell_filled(s, first[0] + dx, first[1] + dy))
    completion = box_text(s, de["Information"], 1)
    wanted = de["This molecule is completed!!!  Go to View for 3-D structure."]
    if completion != wanted:
        raise Failure("the completion reads %r, not the catalogue's %r" % (completion, wanted))
    if wanted == "This molecule is completed!!!  Go to View for 3-D structure.":
        raise Failure("the German catalogue leaves the completion in English")


SCENARIOS = {"startup": startup, "methane": methane, "refused_drop": refused_drop,
             "cancel_save": cancel_save, "copy_pictures": copy_pictures, "save_open": save_open,
             "practice_lesson": practice_lesson, "organic_lesson": organic_lesson,
             "open_argument": open_argument, "true_shape": true_shape,
             "keyboard_desktop_keys": keyboard_desktop_keys,
             "keyboard_build_methane": keyboard_build_methane, "language_german": language_german}


def main():
    program, outdir, name = sys.argv[1:4]
    s = Session(program, outdir, name)
    s.replay = sys.argv[4] if len(sys.argv) > 4 else None
    try:
        SCENARIOS[name](s)
    except Exception as error:  # noqa: BLE001 - every failure leaves its traces
        shot = "%s/%s-failure.png" % (outdir, name)
        try:
            s.screenshot(shot)
        except Exception:  # noqa: BLE001
            shot = "(no screenshot)"
        try:
            windows = s.windows()
            error = "%s; windows: %s" % (error, [w[1] for w in windows])
            # Each box and dialog on its own, since the screen shows them black.
            for n, w in enumerate(windows):
                if w[4] > 1 and w[5] > 1:
                    s.window_shot(w, "%s/%s-failure-window%d.png" % (outdir, name, n))
                    shot += ", %s-failure-window%d.png (%s)" % (name, n, w[1])
        except Exception:  # noqa: BLE001
            pass
        print("FAILED %s: %s\nscreenshot: %s\nprogram output: %s" % (name, error, shot, s.log_path()))
        s.stop()
        return 1
    s.stop()
    print("passed", name)
    return 0


if __name__ == "__main__":
    sys.exit(main())
