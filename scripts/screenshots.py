#!/usr/bin/env python3
"""Takes the pictures of the real program that the software centre shows
(docs/screenshots/): the editor with a sample molecule, the organic course and
the 3-D view, each the main window's own picture on a private Xvfb.
Usage: scripts/screenshots.py BUILD_DIR"""
import os
import sys
import time

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(here, "..", "tests", "e2e"))
from xdrive import Session, poll  # noqa: E402


def main():
    build = os.path.abspath(sys.argv[1])
    out = os.path.join(here, "..", "docs", "screenshots")
    os.makedirs(out, exist_ok=True)
    s = Session(os.path.join(build, "app", "kovala"), build, "screenshots")
    try:
        s.start_x()
        sample = os.path.join(build, "dist", "ethanol.kvl")
        s.start_app_async([sample])
        frame = s.wait_window(sample, deadline=30)
        time.sleep(1)
        s.window_shot(frame, os.path.join(out, "editor.png"))

        s.focus(frame)
        s.key("End")
        frame = poll("the 3-D view", lambda: s.find_window(sample))
        time.sleep(1.5)
        s.window_shot(frame, os.path.join(out, "view3d.png"))
        s.key("Home")
        time.sleep(0.5)

        s.key("alt+p", "o")
        frame = s.wait_window("Organic Chemistry")
        time.sleep(1)
        s.window_shot(frame, os.path.join(out, "course.png"))
    finally:
        s.stop()
    for name in ("editor", "course", "view3d"):
        print(os.path.join(out, name + ".png"))


if __name__ == "__main__":
    main()
