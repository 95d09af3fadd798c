"""Helpers for the end-to-end tests: start and stop Quindlet.exe in the test prefix, read and
place the X pointer, and drive probe.exe. Expects DISPLAY and WINEPREFIX from tools/test."""
import os
import re
import shutil
import subprocess
import tempfile
import time

BUILD = os.environ.get("QUINDLET_BUILD", os.path.join(os.path.dirname(__file__), "../../build/windows"))
# The program under test: the build's own, or another build of it (the probe stays the build's).
EXE = os.environ.get("QUINDLET_EXE", os.path.join(BUILD, "Quindlet.exe"))
NULL = subprocess.DEVNULL


def run(*args, timeout=30, check=False):
    return subprocess.run(list(args), stdin=NULL, capture_output=True, text=True,
                          timeout=timeout, check=check)


def tray_icons():
    """The explorer.exe X windows docked inside trayer's panel: (x, y, w, h) each."""
    icons, panel_indent = [], None
    for line in run("xwininfo", "-root", "-tree").stdout.splitlines():
        indent = len(line) - len(line.lstrip())
        if '"panel": ("panel" "trayer")' in line:
            panel_indent = indent
            continue
        if panel_indent is not None and indent <= panel_indent and line.strip():
            panel_indent = None
        if panel_indent is not None and '("explorer.exe"' in line:
            m = re.search(r"(\d+)x(\d+)\+-?\d+\+-?\d+\s+\+(-?\d+)\+(-?\d+)", line)
            if m:
                w, h, x, y = map(int, m.groups())
                if w >= 12 and h >= 12:
                    icons.append((x, y, w, h))
    return icons


class Harness:
    # Where Windows' (0, 0), the primary monitor's top-left, is on the X screen: not the X
    # origin when a monitor is left of the primary.
    origin = (0, 0)

    def __init__(self, test):
        self.test = test
        self.procs = []
        # Each test gets its own copy of the program folder, so settings never leak between tests.
        self.dir = tempfile.mkdtemp(prefix="quindlet-e2e-")
        shutil.copy(EXE, os.path.join(self.dir, "Quindlet.exe"))
        lngs = os.path.join(BUILD, "Lngs")
        if os.path.isdir(lngs):
            shutil.copytree(lngs, os.path.join(self.dir, "Lngs"))
        self.exe = os.path.join(self.dir, "Quindlet.exe")
        self.ini = os.path.join(self.dir, "Quindlet.ini")

    # --- the program ---------------------------------------------------------------
    def start_quindlet(self, exe=None, wait_ready=True):
        p = subprocess.Popen(["wine", exe or self.exe], stdin=NULL, stdout=NULL, stderr=NULL)
        self.procs.append(p)
        if wait_ready:
            self.wait_ready()
        return p

    def wait_ready(self, timeout=15):
        """Creation is done once the main window exists and its hotkeys are taken: the window
        is findable by class already while WM_CREATE runs."""
        end = time.time() + timeout
        while time.time() < end:
            if self.probe("findwindow", "TfmMain").returncode == 0:
                time.sleep(0.3)
                return
            time.sleep(0.05)
        self.test.fail("Quindlet's main window did not appear")

    def restart_with(self, ini):
        """Quindlet running on that settings file text: started anew only when it changes."""
        if ini != getattr(self, "running", None):
            self.close_quindlet()
            self.write_ini(ini)
            self.start_quindlet()
            self.running = ini

    def write_ini(self, text):
        with open(self.ini, "w", newline="\r\n") as f:
            f.write("[Options]\n" + text)

    def read_ini(self):
        try:
            with open(self.ini, newline="") as f:
                return f.read()
        except FileNotFoundError:
            return None

    def wait_ini(self, text, timeout=3):
        end = time.time() + timeout
        content = self.read_ini() or ""
        while text not in content and time.time() < end:
            time.sleep(0.05)
            content = self.read_ini() or ""
        return content

    def hold_hotkey(self, modifiers, key, ms=60000):
        """A combination registered, as another program would."""
        return self.hold("held", "hold", modifiers, key, str(ms))

    def hold(self, ready, *args):
        """A probe holding something down as the user would (probe.exe ARGS); returns once it
        prints that it is ready."""
        p = subprocess.Popen(["wine", os.path.join(BUILD, "probe.exe"), *args], stdin=NULL,
                             stdout=subprocess.PIPE, stderr=NULL, text=True)
        self.procs.append(p)
        self.test.assertEqual(p.stdout.readline().strip(), ready)
        return p

    def hold_key(self, vk, ms):
        return self.hold("down", "holdkey", vk, str(ms))

    def hold_button(self, button, ms):
        """The physical mouse button "L" or "R" for ms."""
        return self.hold("held", "button", button, str(ms))

    def hold_front(self, kind, rect, ms=60000):
        """A window over rect (left, top, right, bottom), "popup" or "caption", in front."""
        return self.hold("front", "front", kind, *map(str, rect), str(ms))

    def wait_visible(self, cls, timeout=5):
        end = time.time() + timeout
        found = self.visible_windows(cls)
        while not found and time.time() < end:
            time.sleep(0.05)
            found = self.visible_windows(cls)
        return found

    def probe(self, *args, timeout=30):
        return run("wine", os.path.join(BUILD, "probe.exe"), *args, timeout=timeout)

    # --- the X pointer -------------------------------------------------------------
    def screen_size(self):
        out = run("xdotool", "getdisplaygeometry", check=True).stdout.split()
        return int(out[0]), int(out[1])

    def pointer(self):
        out = run("xdotool", "getmouselocation", "--shell", check=True).stdout
        vals = dict(line.split("=") for line in out.split())
        return int(vals["X"]), int(vals["Y"])

    def place_pointer(self, x, y, park=None):
        """Wine moves the X pointer only when a SetCursorPos target differs from its own
        record of the cursor, and xdotool does not update that record: park the cursor through
        Wine first (somewhere no border is; X coordinates), then place it with xdotool."""
        w, h = self.screen_size()
        park = park or (w // 2 + 7, h // 2 + 5)
        self.probe("park", str(park[0] - self.origin[0]), str(park[1] - self.origin[1]))
        self.wait_pointer(park)
        run("xdotool", "mousemove", str(x), str(y), check=True)

    def wait_pointer(self, want, timeout=2.0):
        end = time.time() + timeout
        at = self.pointer()
        while at != tuple(want) and time.time() < end:
            time.sleep(0.01)
            at = self.pointer()
        return at

    def check_wrap(self, start, landing, park=None):
        """The pointer placed at start lands on landing, or stays where it is (None)."""
        self.place_pointer(*start, park=park)
        if landing is None:
            self.test.assertTrue(self.stays_at(start, 0.4), f"the pointer must stay at {start}")
        else:
            self.test.assertEqual(self.wait_pointer(landing), tuple(landing), f"from {start}")

    def stays_at(self, where, duration=0.5):
        end = time.time() + duration
        while time.time() < end:
            if self.pointer() != tuple(where):
                return False
            time.sleep(0.02)
        return True

    # --- the notification area (trayer) and the tray menu -------------------------
    def tray_icons(self):
        return tray_icons()

    def wait_tray_icons(self, count, timeout=10):
        end = time.time() + timeout
        icons = self.tray_icons()
        while len(icons) != count and time.time() < end:
            time.sleep(0.05)
            icons = self.tray_icons()
        return icons

    def click_tray_icon(self, button, repeat=1):
        icons = self.wait_tray_icons(1)
        self.test.assertEqual(len(icons), 1, "exactly one icon docked in the tray")
        x, y, w, h = icons[0]
        run("xdotool", "mousemove", str(x + w // 2), str(y + h // 2), check=True)
        time.sleep(0.2)
        run("xdotool", "click", "--repeat", str(repeat), "--delay", "80", str(button), check=True)

    def visible_windows(self, cls):
        out = run("xdotool", "search", "--onlyvisible", "--class", cls).stdout.split()
        return [int(w) for w in out]

    def window_geometry(self, wid):
        out = run("xdotool", "getwindowgeometry", "--shell", str(wid), check=True).stdout
        v = dict(line.split("=") for line in out.split())
        return int(v["X"]), int(v["Y"]), int(v["WIDTH"]), int(v["HEIGHT"])

    def screenshot(self, path, crop=None):
        """The whole X screen, or the (x, y, w, h) part of it, as a PNG."""
        run("/usr/bin/import", "-window", "root", path, check=True)
        if crop:
            x, y, w, h = crop
            run("/usr/bin/convert", path, "-crop", f"{w}x{h}+{x}+{y}", "+repage", path, check=True)

    # --- clean-up ------------------------------------------------------------------
    def close_quindlet(self):
        """Ends a running Quindlet by its own exit hotkey: a killed process leaves its global
        atoms behind for the life of the Wine server, as it would on Windows."""
        if self.probe("findwindow", "TfmMain").returncode == 0:
            self.probe("keys", "0x11", "0x12", "0x77")
            self.probe("waitgone", "TfmMain", "3000")

    def close(self):
        # A Quindlet left running would hold the mutex for the next test.
        self.close_quindlet()
        for p in self.procs:
            if p.poll() is None:
                p.kill()
                try:
                    p.wait(5)
                except subprocess.TimeoutExpired:
                    pass
        shutil.rmtree(self.dir, ignore_errors=True)
