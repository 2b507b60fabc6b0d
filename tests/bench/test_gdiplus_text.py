"""The bench renders Chinese text through GDI+: a real window, a real screenshot, pixel counts."""
import time
import unittest

from support import runner, winebench

PROGRAM = winebench.BUILD_DIR / "tests" / "support" / "gdiplus_text_window.exe"
TITLE = "Orvane Bench Text"
TEXT_RGB = (0xEB, 0x57, 0x57)
BACKGROUND_RGB = (0x18, 0x1A, 0x26)
CELL_ONE = (40, 40, 110, 90)   # x, y, width, height relative to the window: 一
CELL_TWO = (180, 40, 110, 90)  # 国
WINDOW_SIZE = (320, 160)


class GdiplusChineseText(unittest.TestCase):
    def test_chinese_glyphs_are_drawn(self):
        process = winebench.start_wine([PROGRAM])
        try:
            window = winebench.wait_for_window(TITLE, process=process)
            self.assertIsNotNone(window, "the test window never appeared")
            left, top, width, height = winebench.window_geometry(window)
            self.assertEqual((width, height), WINDOW_SIZE)

            def cell_count(image, cell):
                x, y, w, h = cell
                return image.count(TEXT_RGB, left + x, top + y, w, h)

            deadline = time.monotonic() + 30
            while True:
                image = winebench.screenshot("bench-gdiplus-text")
                one, two = cell_count(image, CELL_ONE), cell_count(image, CELL_TWO)
                if (one and two) or time.monotonic() > deadline:
                    break
                time.sleep(0.5)

            self.assertEqual(image.rgb(left + 5, top + 5), BACKGROUND_RGB)
            whole = image.count(TEXT_RGB, left, top, width, height)
            self.assertEqual(whole, one + two, "text colour outside the two cells")
            self.assertGreater(one, 50, "the horizontal stroke of 一 is missing")
            # A missing glyph draws the same box for both characters; 国 has far more ink than 一.
            self.assertGreater(two, 2 * one)

            winebench.xdotool("mousemove", "--window", window, 10, 10, "click", 1)
            self.assertEqual(process.wait(timeout=20), 0)
        finally:
            if process.poll() is None:
                process.kill()


if __name__ == "__main__":
    runner.main(verbosity=2)
