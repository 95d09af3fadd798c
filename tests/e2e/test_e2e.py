"""End-to-end tests: the real Quindlet.exe under Wine on the harness's X display, checked
from outside through X (xdotool, xwininfo) and through probe.exe inside the same prefix."""
import os
import unittest

import time

from harness import Harness, run

SHIFT, CTRL, ALT, F6, F7, F8 = "0x10", "0x11", "0x12", "0x75", "0x76", "0x77"
MOD_CTRL_ALT = "3"  # MOD_ALT | MOD_CONTROL


class EndToEnd(unittest.TestCase):
    def setUp(self):
        self.h = Harness(self)

    def tearDown(self):
        self.h.close()

    def test_WrapsAtEachBorderToJustInsideTheOpposite(self):
        w, h = self.h.screen_size()
        # (settings, start, landing or None where the pointer must stay)
        classic, all_corners = "", "IgnorableCorners=15\n"
        cases = [
            ("OnlyWithSeveralMonitors=1\n", (0, 300), None),  # this display has one
            ("WrapAcrossMonitors=1\nOnlyWithSeveralMonitors=1\n", (0, 300), None),
            (classic, (0, 300), (w - 2, 300)), (classic, (w - 1, 300), (1, 300)),
            (classic, (500, 0), (500, h - 2)), (classic, (500, h - 1), (500, 1)),
            (classic, (0, h - 1), (w - 2, 1)),  # bottom left is no corner by default
            (classic, (w - 1, 10), None),  # the top-right corner
            (all_corners, (0, h - 1), None), (all_corners, (0, h - 63), None),
            (all_corners, (0, h - 64), (w - 2, h - 64)), (all_corners, (w - 1, h - 1), None),
            (all_corners, (10, 0), None), (all_corners, (62, h - 1), None),
            (all_corners, (63, h - 1), (63, 1)),
        ]
        for ini, start, landing in cases:
            with self.subTest(ini=ini, start=start):
                self.h.restart_with(ini)
                self.h.check_wrap(start, landing)
        # Shift, with UseKeyToPass on (the default), lets the pointer through a held corner.
        self.h.hold_key(SHIFT, 3000)
        self.h.place_pointer(0, h - 1)
        self.assertEqual(self.h.wait_pointer((w - 2, 1)), (w - 2, 1))

    def test_WindowsInFrontHoldTheWrap(self):
        w, h = self.h.screen_size()
        whole, small, front = (0, 0, w, h), (0, 0, 300, 200), None
        starts = ((0, 300), (w - 1, 300), (500, 0), (500, h - 1))
        wraps, held = ((w - 2, 300), (1, 300), (500, h - 2), (500, 1)), (None,) * 4
        # A hidden taskbar's 2-pixel strip along the bottom: held on it, landing above it.
        bar, beside = ("tray", (0, h - 2, w, h + 38)), wraps[:2] + ((500, h - 3), None)
        pause, keep = "PauseInFullScreen=1\n", "KeepTaskbarReachable=1\n"
        # Under Wine a cursor with nothing in front has no shape (hidden): a window stands in.
        # (settings, window or None, landing from each start); each row sees the last one's
        # window closed.
        for ini, window, landings in (
                (pause, ("popup", whole), held), (pause, ("caption", small), wraps),
                (pause, ("popup", (0, 0, w // 2, h)), wraps), (pause, ("caption", whole), wraps),
                ("", ("popup", whole), wraps), ("ExcludedPrograms=mstsc; PROBE\n",
                                                ("caption", small), held),
                (pause + "ExcludedPrograms=PROBE\n", ("caption", small), held),
                ("ExcludedPrograms=mstsc.exe; probe2.exe\n", ("caption", small), wraps),
                (pause, ("hidden", (0, 0, 600, 400)), held), ("", bar, wraps), (keep, bar, beside)):
            with self.subTest(ini=ini, window=window):
                if front:
                    front.kill()
                    gone = "ProbeFront" if front.args[3] != "tray" else "Shell_SecondaryTrayWnd"
                    self.assertEqual(self.h.probe("waitgone", gone, "3000").returncode, 0)
                self.h.restart_with(ini)
                front = window and self.h.hold_front(*window)
                for start, landing in zip(starts, landings):
                    self.h.check_wrap(start, landing)
        # Shift, with UseKeyToPass on (the default), lets the pointer held on the taskbar's
        # edge (the last start) through. Pressed once it is there: under Wine a key pressed
        # before the pointer crosses another program's window goes unseen by GetKeyState.
        self.h.hold_key(SHIFT, 3000)
        self.assertEqual(self.h.wait_pointer((500, 1)), (500, 1))

    def test_WrapDelayWaitsForTheCursorToRestOnTheBorder(self):
        w, _ = self.h.screen_size()
        self.h.restart_with("TimerInterval=50\nWrapDelay=200\n")
        self.h.place_pointer(5, 300)
        for _ in range(3):  # leaving the border after 100 ms starts the count over
            run("xdotool", "mousemove", "5", "300", "sleep", "0.1", "mousemove", "0", "300")
            placed = time.time()
            self.assertTrue(self.h.stays_at((0, 300), 0.1), "still on the border after 100 ms")
        landed = self.h.wait_pointer((w - 2, 300), placed + 0.4 - time.time())
        self.assertEqual(landed, (w - 2, 300), "wrapped by 400 ms")
        # Pushed past the right border, not along it: Wine hears it with a window in front.
        self.h.restart_with("WrapDistance=100\n")
        self.h.hold_front("caption", (0, 0, 300, 200))
        self.h.place_pointer(w - 1, 300, park=(w - 1, 300))
        time.sleep(0.15)  # two ticks on the border first: listening from the first
        for push, landing in (((5, 0), (w - 1, 300)), ((0, 5), (w - 1, 350)), ((5, 0), (1, 350))):
            self.assertEqual(self.h.probe("push", *map(str, push), "10").returncode, 0)
            self.assertTrue(self.h.wait_pointer(landing) == landing and
                            self.h.stays_at(landing, 0.2), f"pushed by {push}")

    def assert_wraps(self, wraps):
        w, _ = self.h.screen_size()
        self.h.place_pointer(0, 300)
        if wraps:
            self.assertEqual(self.h.wait_pointer((w - 2, 300)), (w - 2, 300))
        else:
            self.assertTrue(self.h.stays_at((0, 300), 0.4), "pointer must stay on the border")

    def test_SecondCopyExitsAtOnceWithZeroAndFirstKeepsWrapping(self):
        self.h.start_quindlet()
        second = self.h.start_quindlet(wait_ready=False)
        start = time.time()
        self.assertEqual(second.wait(10), 0)
        self.assertLess(time.time() - start, 5)
        self.assert_wraps(True)

    def test_DoubleClickOnTrayIconTogglesWrappingAndSavesIt(self):
        self.h.start_quindlet()
        self.h.click_tray_icon(1, repeat=2)
        self.assertIn("GlobalEnabled=0", self.h.wait_ini("GlobalEnabled=0"))
        self.assert_wraps(False)
        self.h.click_tray_icon(1, repeat=2)
        self.assertIn("GlobalEnabled=1", self.h.wait_ini("GlobalEnabled=1"))
        self.assert_wraps(True)

    def test_RightClickMenuExitEndsTheProgram(self):
        proc = self.h.start_quindlet()
        self.h.click_tray_icon(3)
        menus = self.h.wait_visible("Quindlet.exe")
        self.assertEqual(len(menus), 1, "the tray menu is open")
        x, y, w, h = self.h.window_geometry(menus[0])
        # Exit is the last item of the menu.
        run("xdotool", "mousemove", str(x + w // 2), str(y + h - 9), "click", "1")
        self.assertEqual(proc.wait(10), 0)
        self.assertEqual(self.h.wait_tray_icons(0), [])

    def test_HotKeysFromAnotherProcessToggleAndEndTheProgram(self):
        proc = self.h.start_quindlet()
        self.h.probe("keys", CTRL, ALT, F6)
        self.assertIn("GlobalEnabled=0", self.h.wait_ini("GlobalEnabled=0"))
        self.assert_wraps(False)
        self.h.probe("keys", CTRL, ALT, F6)
        self.assertIn("GlobalEnabled=1", self.h.wait_ini("GlobalEnabled=1"))
        self.assert_wraps(True)
        self.h.probe("keys", CTRL, ALT, F8)
        self.assertEqual(proc.wait(10), 0)
        self.assertEqual(self.h.wait_tray_icons(0), [])
        for key in (F6, F7, F8):
            self.assertEqual(self.h.probe("hold", MOD_CTRL_ALT, key, "0").returncode, 0,
                             f"combination {key} is free again")

    def test_CombinationHeldByAnotherProcessLeavesTheOtherTwoWorking(self):
        holder = self.h.hold_hotkey(MOD_CTRL_ALT, F6)
        proc = self.h.start_quindlet()
        self.h.probe("keys", CTRL, ALT, F6)
        time.sleep(0.3)
        self.assert_wraps(True)  # our toggle never fired
        self.assertIsNone(self.h.read_ini())
        # The failed registration's identifier must not be reused: the atom it freed is handed
        # to the next hotkey, and a stale identifier would make F7 toggle instead.
        self.h.probe("keys", CTRL, ALT, F7)
        self.wait_options(True)
        self.assertIsNone(self.h.read_ini(), "F7 must not toggle the effect")
        self.assert_wraps(True)
        self.h.probe("dlgcommand", "Options", "2")
        self.wait_options(False)
        self.h.probe("keys", CTRL, ALT, F8)
        self.assertEqual(proc.wait(10), 0)
        holder.kill()

    def options_windows(self):
        """Visible X windows named exactly "Options" (each Wine top-level window is one)."""
        out = run("xdotool", "search", "--onlyvisible", "--name", "^Options$").stdout.split()
        return [int(w) for w in out]

    def wait_options(self, is_open, timeout=5):
        end = time.time() + timeout
        while (self.h.probe("findwindow", "#32770", "Options").returncode == 0) != is_open:
            self.assertLess(time.time(), end, "Options did not " + ("open" if is_open else "close"))
            time.sleep(0.1)

    def test_SecondHotKeyOpensOneOptionsDialogWhileWrappingGoesOn(self):
        proc = self.h.start_quindlet()
        self.assertNotEqual(self.h.probe("findwindow", "#32770", "Options").returncode, 0)
        self.h.probe("keys", CTRL, ALT, F7)
        self.wait_options(True)
        self.assertEqual(len(self.options_windows()), 1)
        # The dialog's modal loop keeps dispatching the main window's timer.
        self.assert_wraps(True)
        self.h.probe("keys", CTRL, ALT, F7)
        time.sleep(0.5)
        self.assertEqual(len(self.options_windows()), 1, "a second request opens no copy")
        self.assertEqual(self.h.probe("findwindow", "#32770", "Options").returncode, 0)
        self.assertIsNone(proc.poll())
        self.assert_wraps(True)

    def test_OnlyThePrimaryMouseButtonHeldStopsTheWrap(self):
        """The physical left button, or the right one once the buttons are swapped, and neither
        with the setting off. Wine hands a swap to processes started after it, so each case
        gets its own start."""
        try:
            for swapped, ini, blocking in (("0", "DoNotTranferIfLMBPressed=0\n", None),
                                           ("0", "", "L"), ("1", "", "R")):
                self.h.probe("swapbuttons", swapped)
                self.h.write_ini(ini)
                proc = self.h.start_quindlet()
                for button in ("L", "R"):
                    with self.subTest(swapped=swapped, ini=ini, button=button):
                        holder = self.h.hold_button(button, 2500)
                        try:
                            self.assert_wraps(button != blocking)
                        finally:
                            holder.wait(10)  # released before the next case
                            time.sleep(0.3)
                self.h.probe("keys", CTRL, ALT, F8)
                self.assertEqual(proc.wait(10), 0)
        finally:
            self.h.probe("swapbuttons", "0")


if __name__ == "__main__":
    unittest.main()
