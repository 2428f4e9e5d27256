"""Drives the real program on its own Xvfb through the X server alone:
pointer, buttons and keys by xdotool, windows by xwininfo, pixels by xwd."""
import os
import re
import shutil
import subprocess
import time


class Failure(Exception):
    pass


def run(*args, env=None, input=None, check=True, timeout=30):
    r = subprocess.run(args, env=env, input=input, capture_output=True, timeout=timeout)
    if check and r.returncode != 0:
        raise Failure("%s failed: %s" % (" ".join(args), r.stderr.decode(errors="replace").strip()))
    return r.stdout


def poll(what, probe, deadline=20.0, step=0.1):
    """Calls probe until it returns something true; a Failure names `what`."""
    end = time.monotonic() + deadline
    while True:
        value = probe()
        if value:
            return value
        if time.monotonic() > end:
            raise Failure("timed out waiting for " + what)
        time.sleep(step)


class Session:
    def __init__(self, program, outdir, name):
        self.program = program
        self.outdir = outdir
        self.name = name
        self.xvfb = None
        self.app = None
        self.env = None
        self.pointer = None
        self.home = os.path.join(outdir, name + "-home")
        # Each run starts from an empty home: a file or setting left by the
        # last run would change what the program asks.
        shutil.rmtree(self.home, ignore_errors=True)
        os.makedirs(self.home, mode=0o700)

    # --- the X server and the program
    def start_x(self):
        read, write = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
            pass_fds=(write,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write)
        number = b""
        end = time.monotonic() + 30
        while not number.endswith(b"\n"):
            if time.monotonic() > end:
                raise Failure("Xvfb did not report its display")
            chunk = os.read(read, 16)
            if not chunk:
                raise Failure("Xvfb ended before it was ready")
            number += chunk
        os.close(read)
        self.env = dict(os.environ, DISPLAY=":" + number.decode().strip(), HOME=self.home,
                        XDG_RUNTIME_DIR=self.home, QT_QPA_PLATFORM="xcb")
        self.env.pop("WAYLAND_DISPLAY", None)
        where = run("xdotool", "getmouselocation", "--shell", env=self.env).decode()
        found = dict(line.split("=", 1) for line in where.split() if "=" in line)
        self.pointer = (int(found["X"]), int(found["Y"]))

    def start_app_async(self, args=()):
        self.app = subprocess.Popen([self.program, *args], env=self.env, stdout=open(self.log_path(), "w"),
                                    stderr=subprocess.STDOUT, cwd=self.home)

    def start_app(self, args=()):
        for attempt in (1, 2):
            log = open(self.log_path(), "w" if attempt == 1 else "a")
            self.app = subprocess.Popen([self.program, *args], env=self.env, stdout=log,
                                        stderr=subprocess.STDOUT, cwd=self.home)
            try:
                return poll("the frame window", lambda: self.find_window("Untitled"), deadline=30)
            except Failure:
                refused = "could not connect to display" in open(self.log_path(), errors="replace").read()
                if attempt == 2 or not refused or self.app.poll() is None:
                    raise
                self.app.wait()

    def log_path(self):
        return os.path.join(self.outdir, self.name + "-output.txt")

    def stop(self):
        for p in (self.app, self.xvfb):
            if p is not None and p.poll() is None:
                p.terminate()
                try:
                    p.wait(5)
                except subprocess.TimeoutExpired:
                    p.kill()
                    p.wait()

    # --- windows
    def windows(self):
        """(id, title, x, y, width, height) of the mapped top-level windows."""
        out = run("xwininfo", "-root", "-children", env=self.env, check=False).decode(errors="replace")
        found = []
        for m in re.finditer(r'^\s+(0x[0-9a-f]+) "(.*)": \(.*\)\s+(\d+)x(\d+)\+-?\d+\+-?\d+\s+\+(-?\d+)\+(-?\d+)',
                             out, re.M):
            wid = m.group(1)
            info = run("xwininfo", "-id", wid, env=self.env, check=False).decode(errors="replace")
            if "IsViewable" not in info:
                continue
            found.append((wid, m.group(2), int(m.group(5)), int(m.group(6)), int(m.group(3)), int(m.group(4))))
        return found

    def find_window(self, title):
        for w in self.windows():
            if w[1] == title:
                return w
        return None

    def wait_window(self, title, deadline=20.0):
        return poll('a window titled "%s"' % title, lambda: self.find_window(title), deadline)

    def wait_gone(self, title, deadline=20.0):
        poll('the window "%s" to close' % title, lambda: self.find_window(title) is None, deadline)

    # --- input
    def key(self, *keys):
        run("xdotool", "key", "--delay", "60", *keys, env=self.env)

    def type(self, text):
        run("xdotool", "type", "--delay", "20", text, env=self.env)

    def move(self, x, y):
        # A synced move to where the pointer already is waits for a motion
        # that never comes, so a second click on the same spot skips it.
        if self.pointer == (x, y):
            return
        run("xdotool", "mousemove", "--sync", str(x), str(y), env=self.env)
        self.pointer = (x, y)

    def click(self, x, y, button=1):
        self.move(x, y)
        run("xdotool", "click", str(button), env=self.env)

    def drag(self, x1, y1, x2, y2):
        self.move(x1, y1)
        run("xdotool", "mousedown", "1", env=self.env)
        time.sleep(0.1)
        self.move((x1 + x2) // 2, (y1 + y2) // 2)
        self.move(x2, y2)
        time.sleep(0.1)
        run("xdotool", "mouseup", "1", env=self.env)

    def answer_box(self, title, keys=("Return",)):
        """Waits for a message box, presses its button by key, waits for it to go."""
        box = self.wait_window(title)
        run("xdotool", "windowfocus", "--sync", box[0], env=self.env, check=False)
        self.key(*keys)
        self.wait_gone(title)
        return box

    def focus(self, window):
        run("xdotool", "windowfocus", "--sync", window[0], env=self.env, check=False)

    # --- pixels
    def screenshot(self, path):
        raw = run("xwd", "-root", "-silent", env=self.env)
        run("convert", "xwd:-", path, input=raw)

    def window_shot(self, window, path):
        """The window's own picture. Read from the root, Qt's message boxes and
        tooltips come out black under a bare Xvfb; read by id they show."""
        raw = run("xwd", "-id", window[0], "-silent", env=self.env)
        run("convert", "xwd:-", path, input=raw)

    def pixels(self, box=None):
        """The screen (or the box x, y, w, h) as rows of (r, g, b) bytes."""
        raw = run("xwd", "-root", "-silent", env=self.env)
        args = ["convert", "xwd:-"]
        if box:
            args += ["-crop", "%dx%d+%d+%d" % (box[2], box[3], box[0], box[1]), "+repage"]
        out = run(*args, "-depth", "8", "rgb:-", input=raw)
        width = box[2] if box else 1280
        return Picture(out, width)


class Picture:
    def __init__(self, data, width):
        self.data = data
        self.width = width
        self.height = len(data) // (3 * width)

    def at(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.data[i:i + 3])

    def colours(self):
        return len({self.data[i:i + 3] for i in range(0, len(self.data), 3)})

    def __eq__(self, other):
        return self.data == other.data
