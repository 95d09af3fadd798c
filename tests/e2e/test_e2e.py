"""End-to-end tests: the real Quindlet.exe under Wine on the harness's X display, checked
from outside through X (xdotool, xwininfo) and through probe.exe inside the same prefix."""
import os
import unittest

from harness import Harness


class EndToEnd(unittest.TestCase):
    def setUp(self):
        self.h = Harness(self)

    def tearDown(self):
        self.h.close()

    def test_WrapsAtEachBorderToJustInsideTheOpposite(self):
        w, h = self.h.screen_size()
        self.h.start_quindlet()
        cases = [((0, 300), (w - 2, 300)), ((w - 1, 300), (1, 300)),
                 ((500, 0), (500, h - 2)), ((500, h - 1), (500, 1))]
        for start, landing in cases:
            with self.subTest(start=start):
                self.h.place_pointer(*start)
                self.assertEqual(self.h.wait_pointer(landing), landing)


if __name__ == "__main__":
    unittest.main()
