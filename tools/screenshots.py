"""Takes the screenshots shown in the README, under the sandbox's Xvfb display: the tray icon
on and off, the open tray menu (English and one translation), each Options page and the
About box. Run through tools/screenshots, which sets up the display and the Wine prefix."""
import os
import sys
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "e2e"))
from harness import Harness, run  # noqa: E402

DOCS = os.path.join(os.path.dirname(__file__), "..", "docs")


class Shots(unittest.TestCase):
    def runTest(self):
        pass


def tray_region(h):
    x, y, w, hh = h.wait_tray_icons(1)[0]
    return (x - 1, y - 1, w + 2, hh + 2)  # trayer's panel, right of which is the screen edge


def shot(h, name, crop, scale=None):
    path = os.path.join(DOCS, name)
    h.screenshot(path, crop)
    if scale:
        run("/usr/bin/convert", path, "-filter", "point", "-resize", f"{scale}%", path, check=True)
    print("wrote", os.path.relpath(path))


def tray_shots(h, language=None, suffix=""):
    if language:
        h.write_ini(f"LanguageFile={language}\n")
    h.start_quindlet()
    run("xdotool", "mousemove", "500", "400")
    time.sleep(0.5)
    if not language:
        shot(h, "tray-on.png", tray_region(h), scale=600)
        h.probe("keys", "0x11", "0x12", "0x75")
        time.sleep(0.5)
        shot(h, "tray-off.png", tray_region(h), scale=600)
        h.probe("keys", "0x11", "0x12", "0x75")
    h.click_tray_icon(3)
    menu = h.wait_visible("Quindlet.exe")[0]
    x, y, w, hh = h.window_geometry(menu)
    time.sleep(0.3)
    shot(h, f"tray-menu{suffix}.png", (x - 4, y - 4, w + 8, hh + 8), scale=200)
    run("xdotool", "key", "Escape")
    h.probe("keys", "0x11", "0x12", "0x77")
    h.probe("waitgone", "TfmMain", "5000")


def main():
    test = Shots()
    h = Harness(test)
    try:
        tray_shots(h)
        tray_shots(h, "Deutsch.lng", "-de")
        dialog_shots = globals().get("dialog_shots")
        if dialog_shots:
            dialog_shots(h)
    finally:
        h.close()


if __name__ == "__main__":
    main()
