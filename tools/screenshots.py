"""Takes the screenshots shown in the README, under the sandbox's Xvfb display: the tray icon
on and off, the open tray menu (English and one translation), each Options page and the
About box. Run through tools/screenshots, which sets up the display and the Wine prefix."""
import os
import sys
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "e2e"))
from harness import Harness, run  # noqa: E402

DOCS = os.path.join(os.path.dirname(__file__), "..", "docs", "screenshots")


# Translations whose dialogs are photographed too: (file, suffix). The README shows German;
# the others are there to check that every translation fits its controls. Polish and Russian
# need their own code page: tools/screenshots photographs each in a sandbox of that locale,
# naming it on the command line.
LANGUAGES = [
    ("Deutsch.lng", "-de"),
    ("Francais.lng", "-fr"),
    ("Espanol.lng", "-es"),
    ("Italiano.lng", "-it"),
    ("Nederlands.lng", "-nl"),
    ("PortuguesBR.lng", "-pt"),
]


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
    h.write_ini(f"LanguageFile={language or 'Default'}\n")
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


def dialog_rect(h):
    """The open dialog's screen rectangle (Options or About: only one is open at a time)."""
    for _ in range(100):
        out = h.probe("dialogrect")
        if out.returncode == 0:
            return tuple(map(int, out.stdout.split()))
        time.sleep(0.05)
    raise RuntimeError("no dialog appeared")


def dialog_shots(h, language=None, suffix=""):
    """Each Options page and the About box, opened the way a user does."""
    h.write_ini(f"LanguageFile={language or 'Default'}\n")
    h.start_quindlet()
    h.probe("keys", "0x11", "0x12", "0x76")  # the Options hotkey
    rect = dialog_rect(h)
    run("xdotool", "mousemove", "900", "100")
    for index, page in enumerate(("general", "blocking", "borders")):
        if index:
            x, y, w, hh = map(int, h.probe("tabrect", "-", str(index)).stdout.split())
            run("xdotool", "mousemove", str(x + w // 2), str(y + hh // 2), "click", "1")
            run("xdotool", "mousemove", "900", "100")
        time.sleep(0.4)
        shot(h, f"options-{page}{suffix}.png", rect)
    h.probe("dlgcommand", "-", "2")  # Cancel
    time.sleep(0.3)
    h.click_tray_icon(3)
    menu = h.wait_visible("Quindlet.exe")[0]
    x, y, w, hh = h.window_geometry(menu)
    run("xdotool", "mousemove", str(x + w // 2), str(y + 10), "click", "1")  # About, the first item
    rect = dialog_rect(h)
    run("xdotool", "mousemove", "900", "100")
    time.sleep(0.4)
    shot(h, f"about{suffix}.png", rect)
    h.probe("dlgcommand", "-", "1")
    h.probe("keys", "0x11", "0x12", "0x77")
    h.probe("waitgone", "TfmMain", "5000")


def main():
    test = Shots()
    h = Harness(test)
    try:
        if len(sys.argv) == 3:  # one language's dialogs only
            dialog_shots(h, sys.argv[1], sys.argv[2])
            return
        tray_shots(h)
        tray_shots(h, "Deutsch.lng", "-de")
        dialog_shots(h)
        for language, suffix in LANGUAGES:
            dialog_shots(h, language, suffix)
    finally:
        h.close()


if __name__ == "__main__":
    main()
