"""End-to-end tests that need several monitors: the real Quindlet.exe on the Xorg display of
tools/test's monitors section, whose layouts (apply_layout in tools/sandbox.sh) are switched
with xrandr. Points are in Windows coordinates, the primary's top-left being (0, 0); on the X
screen the leftmost monitor is at 0, so the harness converts through the layout's origin."""
import os
import re
import unittest

from harness import BUILD, Harness, run

SANDBOX = os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../tools/sandbox.sh")
PROBE = os.path.join(BUILD, "probe.exe")

DEFAULTS = ""  # an empty settings file: every value its default
NO_CORNER = "IgnorableTRCornerHeight=0\n"
ACROSS = "WrapAcrossMonitors=1\n"  # the borders are the desktop's outer edges
PAUSED = ACROSS + "PauseInFullScreen=1\n"
PRIMARY_PAUSED = "PauseInFullScreen=1\n"
# Their rows: a window over "right"'s second monitor.
IN_FRONT = {PAUSED: (1024, 0, 1824, 600), PRIMARY_PAUSED: (1024, 0, 1824, 600)}
STAYS = None  # no wrap: the pointer stays where it was placed

# (layout, settings file text, start point, landing point or STAYS). The primary is 1024x768;
# "right" has an 800x600 monitor at 1024,0, "left" one at -800,0, "three" both. Off the
# primary, only the primary's borders count: every point right of it is at its right border,
# every point left of it at its left border, and row 0 of a top-aligned monitor at its top.
CASES = [
    ("right", DEFAULTS, (1500, 300), (1, 300)),
    ("right", DEFAULTS, (1823, 599), (1, 599)),
    ("right", DEFAULTS, (1023, 300), (1, 300)),
    ("right", DEFAULTS, (0, 300), (1022, 300)),
    ("right", DEFAULTS, (1500, 10), STAYS),  # right border with y < 63: the ignorable corner
    ("right", NO_CORNER, (1500, 10), (1, 10)),
    ("right", NO_CORNER, (1500, 0), (1, 766)),  # right and top border in one tick
    ("right", "DisabledBordersFlags=4\n", (1500, 300), STAYS),
    ("left", DEFAULTS, (-400, 300), (1022, 300)),
    ("left", DEFAULTS, (-800, 599), (1022, 599)),
    ("left", DEFAULTS, (-1, 300), (1022, 300)),
    ("left", DEFAULTS, (1023, 300), (1, 300)),
    ("left", DEFAULTS, (-400, 0), STAYS),  # lands at x = 1022, inside the corner at the top
    ("left", NO_CORNER, (-400, 0), (1022, 766)),
    ("left", "DisabledBordersFlags=1\n", (-400, 300), STAYS),
    ("three", DEFAULTS, (-400, 300), (1022, 300)),
    ("three", DEFAULTS, (1500, 300), (1, 300)),
    ("three", NO_CORNER, (1500, 0), (1, 766)),
    # Across all monitors: an edge shared with another monitor is crossed, an outer edge wraps
    # to one pixel inside the far outer edge of the same row or column, and each monitor has
    # its own top-right corner.
    ("right", ACROSS, (0, 300), (1822, 300)),
    ("right", ACROSS, (1823, 300), (1, 300)),
    ("right", ACROSS, (1023, 300), STAYS),
    ("right", ACROSS, (1023, 700), (1, 700)),  # only the primary holds row 700
    ("right", ACROSS, (1500, 0), (1500, 598)),
    ("right", ACROSS, (1500, 599), (1500, 1)),
    ("right", ACROSS, (1823, 10), STAYS),
    ("right", ACROSS, (980, 0), STAYS),
    ("left", ACROSS, (-800, 300), (1022, 300)),
    ("left", ACROSS, (1023, 300), (-799, 300)),
    ("left", ACROSS, (-1, 300), STAYS),
    ("left", ACROSS, (-400, 599), (-400, 1)),
    ("three", ACROSS, (-800, 300), (1822, 300)),
    ("three", ACROSS, (1823, 300), (-799, 300)),
    ("three", ACROSS, (0, 700), (1022, 700)),
    ("three", ACROSS, (-400, 0), (-400, 598)),
    ("three", ACROSS + "IgnorableCorners=8\n", (-800, 599), STAYS),  # the left one's bottom left
    ("three", ACROSS + "IgnorableCorners=8\n", (-800, 300), (1822, 300)),
    # Off centre ("below": 800x600 at 100,768; "lower": 800x600 at 1024,100): a landing point on
    # an outer edge of the monitor it lands on moves one pixel inside, so it stays there.
    ("below", ACROSS, (100, 0), (101, 1366)),
    ("below", ACROSS, (899, 0), (898, 1366)),
    ("below", ACROSS, (500, 1367), (500, 1)),
    ("lower", ACROSS, (0, 100), (1822, 101)),  # not held by the far monitor's top-right corner
    ("lower", ACROSS, (0, 699), (1822, 698)),
    # A full-screen window on the second monitor pauses only the wraps that start or land there.
    ("right", PAUSED, (0, 700), (1022, 700)),
    ("right", PAUSED, (0, 300), STAYS),  # lands there
    ("right", PAUSED, (1823, 300), STAYS),  # starts there
    # On the primary screen, only one on the primary pauses.
    ("right", PRIMARY_PAUSED, (1500, 300), (1, 300)),
    ("right", PRIMARY_PAUSED, (0, 300), (1022, 300)),
    ("right", "OnlyWithSeveralMonitors=1\n", (0, 300), (1022, 300)),
    ("right", ACROSS + "OnlyWithSeveralMonitors=1\n", (0, 300), (1822, 300)),
]

# (layout, settings file text, start point, landing point) once "probe setmode 800 600" has
# made the primary 800x600 while the program runs (Wine then moves a monitor right of it to
# 800,0): the borders follow at once.
RESIZED_CASES = [
    ("right", DEFAULTS, (799, 300), (1, 300)),
    ("right", DEFAULTS, (0, 300), (798, 300)),
    ("right", DEFAULTS, (400, 599), (400, 1)),
    ("left", DEFAULTS, (0, 300), (798, 300)),
    ("left", DEFAULTS, (799, 300), (1, 300)),
    ("left", DEFAULTS, (400, 0), (400, 598)),
    # Across all monitors the layout is read again on the display change: the monitor right of
    # the primary now starts at 800.
    ("right", ACROSS, (0, 300), (1598, 300)),
    ("right", ACROSS, (1599, 300), (1, 300)),
    ("right", ACROSS, (799, 300), STAYS),
]


def groups(cases):
    """The cases by (layout, settings text), in the order each pair first appears."""
    keys = list(dict.fromkeys(c[:2] for c in cases))
    return [(key, [c[2:] for c in cases if c[:2] == key]) for key in keys]


def apply_layout(name):
    """Sets the layout with xrandr and returns once Wine reports its monitors."""
    result = run("bash", "-c", 'source "$0" && apply_layout "$1" "$2"', SANDBOX, name, PROBE,
                 timeout=60)
    if result.returncode != 0:
        raise AssertionError(f"layout {name} not applied: {result.stderr}")


def primary_on_x():
    """The primary output's (x, y, w, h) on the X screen."""
    out = run("xrandr", check=True).stdout
    m = re.search(r" connected primary (\d+)x(\d+)\+(\d+)\+(\d+)", out)
    w, h, x, y = map(int, m.groups())
    return x, y, w, h


class SeveralMonitors(unittest.TestCase):
    def tearDown(self):
        if getattr(self, "h", None):
            self.h.close()

    def start(self, ini):
        """Quindlet on the current layout, with that settings file."""
        self.h = Harness(self)
        self.follow_primary()
        self.h.write_ini(ini)
        self.h.start_quindlet()
        if ini in IN_FRONT:
            self.h.hold_front("popup", IN_FRONT[ini])

    def follow_primary(self):
        x, y, w, h = primary_on_x()
        self.h.origin = (x, y)
        # Park on the primary, where no border is (the X screen's middle may be another monitor).
        self.park = (x + w // 2 + 7, y + h // 2 + 5)
        return w, h

    def to_x(self, point):
        return point[0] + self.h.origin[0], point[1] + self.h.origin[1]

    def check(self, start, landing):
        self.h.check_wrap(self.to_x(start), landing and self.to_x(landing), park=self.park)

    def run_layout(self, layout):
        cases = groups([c for c in CASES if c[0] == layout])
        self.assertTrue(cases)
        apply_layout(layout)
        # One program run per settings text; a new harness gives it a fresh folder.
        for (_, ini), points in cases:
            self.start(ini)
            for start, landing in points:
                with self.subTest(ini=ini, start=start):
                    self.check(start, landing)
            self.h.close()
            self.h = None

    def test_MonitorRightOfThePrimary(self):
        self.run_layout("right")

    def test_MonitorLeftOfThePrimary(self):
        self.run_layout("left")

    def test_MonitorsOnBothSides(self):
        self.run_layout("three")

    def test_OffCentreMonitors(self):
        self.run_layout("below")
        self.run_layout("lower")

    def test_UnannouncedMonitorIsUsedOnceTheCursorIsOnIt(self):
        """xrandr sends no WM_DISPLAYCHANGE: the layout is read again off every known monitor."""
        apply_layout("single")
        self.start(ACROSS)
        apply_layout("right")
        self.check((1823, 300), (1, 300))
        self.check((0, 300), (1822, 300))

    def test_ResolutionChangeMovesTheBordersAtOnce(self):
        for (layout, ini), points in groups(RESIZED_CASES):
            apply_layout(layout)
            self.start(ini)
            try:
                self.assertEqual(self.h.probe("setmode", "800", "600").returncode, 0)
                self.assertEqual(self.follow_primary(), (800, 600))
                for start, landing in points:
                    with self.subTest(layout=layout, ini=ini, start=start):
                        self.check(start, landing)
            finally:
                self.h.probe("setmode", "1024", "768")
            self.h.close()
            self.h = None


if __name__ == "__main__":
    unittest.main()
