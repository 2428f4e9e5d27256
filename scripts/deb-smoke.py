#!/usr/bin/env python3
"""Installs the built package on this machine, uses it as a desktop would and
removes it again, checking that nothing is left behind. Needs root.
Usage: scripts/deb-smoke.py PACKAGE.deb [SCREENSHOT_DIR]
With a screenshot folder, keeps a picture of each window it checked."""
import os
import subprocess
import sys
import tempfile

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(here, "..", "tests", "e2e"))
from xdrive import Failure, Session  # noqa: E402

WATCHED = ["/usr", "/etc", "/opt"]
# Caches that triggers rebuild, and the package manager's own records.
CACHES = ("/usr/share/mime/", "/usr/share/icons/hicolor/icon-theme.cache",
          "/usr/share/applications/mimeinfo.cache", "/usr/lib/python3")


def files():
    found = set()
    for top in WATCHED:
        for root, _, names in os.walk(top):
            found.update(os.path.join(root, n) for n in names)
    return {f for f in found if not f.startswith(CACHES)}


def apt(*args):
    subprocess.run(["apt-get", "-y", "-qq", *args], check=True, stdout=subprocess.DEVNULL,
                   env=dict(os.environ, DEBIAN_FRONTEND="noninteractive"))


def main():
    deb = os.path.abspath(sys.argv[1])
    shots = os.path.abspath(sys.argv[2]) if len(sys.argv) > 2 else None
    if subprocess.run(["dpkg", "-s", "kovala"], capture_output=True).returncode == 0:
        raise Failure("kovala is installed already; remove it first")
    before = files()
    apt("install", "--no-install-recommends", deb)
    work = tempfile.mkdtemp()
    s = Session("/usr/bin/kovala", work, "package")
    try:
        for path in ("/usr/bin/kovala", "/usr/bin/kovala-thumbnailer"):
            if not os.access(path, os.X_OK):
                raise Failure(path + " is not installed")
        listed = subprocess.run(["dpkg", "-L", "kovala"], capture_output=True, text=True).stdout.split()
        if "/usr/bin/install" in listed or "/usr/bin/uninstall" in listed:
            raise Failure("the package puts a bare install or uninstall on the PATH")
        s.start_x()
        # The desktop's way: GIO reads the shared MIME database and the
        # desktop entries the package's triggers have indexed.
        env = dict(s.env, XDG_CURRENT_DESKTOP="GNOME")
        kind = subprocess.run(["xdg-mime", "query", "filetype", "/usr/share/kovala/samples/water.kvl"],
                              env=env, capture_output=True, text=True).stdout.strip()
        if kind != "application/x-kovala-molecule":
            raise Failure("water.kvl is %r" % kind)
        handler = subprocess.run(["xdg-mime", "query", "default", kind], env=env, capture_output=True,
                                 text=True).stdout.strip()
        if handler != "org.kovala.Kovala.desktop":
            raise Failure("the handler of %s is %r" % (kind, handler))

        # Started from the menu: the desktop entry's own Exec line.
        launch = subprocess.Popen(["gio", "launch", "/usr/share/applications/org.kovala.Kovala.desktop"],
                                  env=env, cwd=work)
        frame = s.wait_window("Untitled", deadline=30)
        if shots:
            s.window_shot(frame, os.path.join(shots, "package-menu.png"))
        launch.wait(10)
        s.focus(frame)
        s.key("alt+x")  # Exit; nothing changed, so nothing is asked
        s.wait_gone("Untitled")

        # A double click in the file manager: xdg-open on a sample.
        sample = "/usr/share/kovala/samples/water.kvl"
        opener = subprocess.Popen(["xdg-open", sample], env=env, cwd=work)
        frame = s.wait_window(sample, deadline=30)
        if shots:
            s.window_shot(frame, os.path.join(shots, "package-xdg-open.png"))
        s.focus(frame)
        s.key("alt+x")
        s.wait_gone(sample)
        opener.wait(10)
        print("installed: menu entry starts Kovala; xdg-open opens %s in it" % sample)
    finally:
        s.stop()
        apt("remove", "kovala")
    left = files() - before
    if left:
        raise Failure("left behind after removal: %s" % sorted(left))
    leftovers = subprocess.run("grep -rl kovala /usr/share/mime /usr/share/applications/mimeinfo.cache",
                               shell=True, capture_output=True, text=True).stdout.split()
    if leftovers:
        raise Failure("caches still name kovala: %s" % leftovers)
    print("removed: nothing left behind")


if __name__ == "__main__":
    main()
