"""The progress window painted under Wine + Xvfb, checked by pixel colours at the layout's
coordinates. Every state is shown by orvane-window-fixture.exe, which runs the product's window
code with values from its command line; screenshots stay in build/windows/artifacts/."""
import time
import unittest

from support import runner, winebench
from support.winebench import argb, close_enough

FIXTURE = winebench.BUILD_DIR / "tests" / "support" / "orvane-window-fixture.exe"
BACKGROUND = argb(0xFF181A26)
ACCENT_START, ACCENT_END = argb(0xFF587EFF), argb(0xFFA878FF)
CARD, TRACK = argb(0xFF202434), argb(0xFF323648)
ERROR = argb(0xFFEB5757)
MUTED = argb(0xFF969EB9)
MAIN_HOT_START = argb(0xFF6C92FF)
EDIT = argb(0xFF202434)
BROWSE_HOT_FILL = argb(0xFF2A2E3E)
SETTLE = 1.5  # seconds for the first paint and the owner-drawn buttons


class Shown:
    """The fixture running with some values; its client area as an image."""

    def __init__(self, name, dpi=96, **values):
        self.name = name
        args = [f"{key}={value}" for key, value in values.items()]
        winebench.xdotool("mousemove", 0, 0)  # out of the way: no control starts hot
        with winebench.screen_dpi(dpi):
            self.process = winebench.start_wine([FIXTURE, *args])
            self.window = winebench.wait_for_window("^Orvane$", process=self.process)
        assert self.window, "the window did not appear"
        time.sleep(SETTLE)

    def shot(self, suffix=""):
        return winebench.client_shot(self.window, self.name + suffix)

    def close(self):
        self.process.kill()
        self.process.wait()
        deadline = time.monotonic() + 10
        while winebench.xdotool("search", "--onlyvisible", "--name", "Orvane") and time.monotonic() < deadline:
            time.sleep(0.1)


def count(image, colour, rect, tolerance=0):
    left, top, width, height = rect
    return sum(1 for y in range(top, top + height) for x in range(left, left + width)
               if close_enough(image.rgb(x, y), colour, tolerance))


class WindowPainting(unittest.TestCase):
    def show(self, name, dpi=96, **values):
        shown = Shown(name, dpi, **values)
        self.addCleanup(shown.close)
        image = shown.shot()
        self.width, self.height = image.width, image.height
        return shown, image

    def assert_frame(self, image):
        """What every state draws: background, accent strip, separator."""
        w, h = image.width, image.height
        self.assertEqual(image.rgb(5, 100), BACKGROUND)
        self.assertTrue(close_enough(image.rgb(1, 1), ACCENT_START, 16), image.rgb(1, 1))
        self.assertTrue(close_enough(image.rgb(w - 2, 2), ACCENT_END, 16), image.rgb(w - 2, 2))
        self.assertEqual(image.rgb(w // 2, 5), BACKGROUND)
        self.assertEqual(image.rgb(w // 2, h - 60), TRACK)

    def assert_path_centred(self, image, at):
        """The path's ink sits in the middle of the frame's height and starts where the card's
        text does (60), at the window's scale `at`."""
        inked = [(x, y) for y in range(at(251), at(282)) for x in range(at(41), at(379))
                 if not close_enough(image.rgb(x, y), EDIT, 40)]
        self.assertTrue(inked, "no path drawn")
        top, bottom = min(y for _, y in inked), max(y for _, y in inked)
        self.assertLessEqual(abs((top + bottom) / 2 - at(266)), at(2) + 1, (top, bottom))
        self.assertTrue(at(60) <= min(x for x, _ in inked) <= at(63), min(x for x, _ in inked))
        # As tall as the label's text: "D:\Orvane" from the top of its capitals to below the
        # backslash is about 10 of 13 pixels.
        self.assertTrue(at(9) <= bottom - top + 1 <= at(13), (top, bottom))

    def bar(self, image):
        """(pixels of accent fill, pixels of bare track) along the bar's middle row."""
        w = image.width
        row = [image.rgb(x, 206) for x in range(46, w - 46)]
        fill = sum(1 for c in row if c != TRACK and c != BACKGROUND)
        return fill, sum(1 for c in row if c == TRACK)

    def test_ready_with_and_without_summary(self):
        for label, values in {"without summary": {}, "with summary": {"version": "150.0.1", "count": 3,
                                                                      "bytes": 1572864}}.items():
            with self.subTest(label):
                shown, image = self.show("ready " + label, state=0, **values)
                self.assert_frame(image)
                self.assertEqual(image.rgb(100, 175), CARD)
                self.assertEqual(image.rgb(450, 140), CARD)
                # The version line in accent blue appears only with a version ("版本 " alone is shorter).
                version_pixels = count(image, ACCENT_START, (60, 117, 300, 26), 40)
                self.assertGreater(version_pixels, 30)
                # Edit frame around the edit (x 40..379): its outline runs at x = 39 and 39 + 342.
                self.assertEqual(image.rgb(39, 266), TRACK)
                self.assertEqual(image.rgb(381, 266), TRACK)
                self.assertEqual(image.rgb(50, 266), EDIT)  # the edit's own background, left of the path
                self.assert_path_centred(image, lambda length: length)
                self.assertEqual(self.bar(image), (0, 0))
                self.assertNotIn(ERROR, {image.rgb(x, y) for x in range(40, 470, 3) for y in range(200, 350, 3)})
                shown.close()
                if label == "with summary":
                    self.assertGreater(version_pixels, self.version_without)
                else:
                    self.version_without = version_pixels

    def test_working_bar_at_0_37_and_150_percent_and_finished(self):
        cases = [("working 0", {"state": 1, "progress": 0}, 0),
                 ("working 37", {"state": 1, "progress": 37}, 37),
                 ("working 150", {"state": 1, "progress": 150}, 100),
                 ("working negative", {"state": 1, "progress": -5}, 0),
                 ("finished at 12", {"state": 2, "progress": 12}, 100)]
        for name, values, percent in cases:
            with self.subTest(name):
                shown, image = self.show(name, status="下载: 1/3  chrome.exe", **values)
                self.assert_frame(image)
                self.assertEqual(image.rgb(100, 175), CARD)
                track_width = image.width - 80
                fill_end = 40 + percent * track_width // 100
                if percent == 0:
                    self.assertEqual(image.rgb(60, 206), TRACK)
                else:
                    self.assertTrue(close_enough(image.rgb(fill_end - 6, 206), ACCENT_END, 40),
                                    image.rgb(fill_end - 6, 206))
                    self.assertTrue(close_enough(image.rgb(46, 206), ACCENT_START, 40), image.rgb(46, 206))
                if percent < 100:
                    self.assertEqual(image.rgb(fill_end + 6, 206), TRACK)
                fill, bare = self.bar(image)
                self.assertAlmostEqual(fill, max(0, percent * track_width // 100 - 6), delta=8)
                # Percentage label ends at W - 40; the status line starts at x = 40.
                label = count(image, argb(0xFFEBEEF8), (image.width - 90, 220, 50, 20), 30)
                self.assertGreater(label, 10)
                self.assertEqual(count(image, argb(0xFFEBEEF8), (image.width - 39, 220, 30, 20), 30), 0)
                self.assertGreater(count(image, argb(0xFF969EB9), (40, 250, 200, 20), 30), 20)
                shown.close()

    def test_failed_with_two_lines_empty_error_and_out_of_range_state(self):
        shown, image = self.show("failed two lines", state=3, error="下载失败: chrome.exe\\nHTTP 404")
        self.assert_frame(image)
        first = count(image, ERROR, (40, 200, 434, 20), 40)
        second = count(image, ERROR, (40, 220, 434, 22), 40)
        self.assertGreater(first, 30)
        self.assertGreater(second, 10)
        self.assertEqual(image.rgb(100, 175), BACKGROUND)  # no card
        shown.close()
        for name, values in {"failed empty": {"state": 3}, "state 9": {"state": 9, "error": "hidden"}}.items():
            with self.subTest(name):
                shown, image = self.show(name, **values)
                self.assert_frame(image)
                self.assertEqual(image.rgb(100, 175), BACKGROUND)
                self.assertEqual(self.bar(image), (0, 0))
                self.assertEqual(count(image, ERROR, (40, 200, 434, 150), 40), 0)
                self.assertNotEqual(image.rgb(39, 266), TRACK)  # no directory chooser
                shown.close()

    def test_hover_colours_of_the_buttons(self):
        shown, image = self.show("hover none", state=0)
        main_point, browse_point = (165, 385), (394, 276)
        self.assertTrue(close_enough(image.rgb(*main_point), ACCENT_START, 30), image.rgb(*main_point))
        self.assertEqual(image.rgb(*browse_point), BACKGROUND)
        winebench.xdotool("mousemove", "--window", shown.window, 260, 380)
        time.sleep(1.0)
        hot = shown.shot(" main")
        self.assertTrue(close_enough(hot.rgb(*main_point), MAIN_HOT_START, 12), hot.rgb(*main_point))
        winebench.xdotool("mousemove", "--window", shown.window, 425, 266)
        time.sleep(1.0)
        hot = shown.shot(" browse")
        self.assertEqual(hot.rgb(*browse_point), BROWSE_HOT_FILL)
        self.assertTrue(close_enough(hot.rgb(*main_point), ACCENT_START, 30), hot.rgb(*main_point))
        # The edit's frame lights while the mouse is over the edit, and goes out when it leaves.
        for point, frame in (((200, 266), argb(0xFF505466)), ((200, 150), TRACK)):
            winebench.xdotool("mousemove", "--window", shown.window, *point)
            time.sleep(1.0)
            image = shown.shot(f" edit {point}")
            self.assertEqual(image.rgb(39, 266), frame)
            self.assertEqual(image.rgb(394, 276), BACKGROUND)  # the browse button is not hot

    def test_long_texts_stay_inside_their_areas(self):
        path = "C:\\Users\\" + "\\".join(["folder-with-a-long-name"] * 12) + "\\locales\\zh-CN.pak"
        self.assertGreater(len(path), 300)
        error = "\\n".join(f"第 {n} 行: 无法写入 {path[:60]}" for n in range(1, 21))
        version = "150.0." + "9" * 120
        cases = [("long status", {"state": 1, "progress": 50, "status": "下载: 3/40  " + path},
                  MUTED, (40, 246, None, 26), None),
                 ("long version", {"state": 0, "version": version}, ACCENT_START, (60, 112, -60, 34), 200),
                 ("twenty error lines", {"state": 3, "error": error}, ERROR, (40, 200, None, 150), None)]
        for name, values, colour, (left, top, right, height), bottom in cases:
            with self.subTest(name):
                shown, image = self.show(name, **values)
                w = image.width
                right = w - 40 if right is None else w + right
                inside = count(image, colour, (left, top, right - left, height), 40)
                self.assertGreater(inside, 200)
                # Nothing of the text right of its area or below it (down to the footer, or to
                # where the main button's accent begins).
                bottom = bottom or image.height - 80
                self.assertEqual(count(image, colour, (right, top, w - right, height), 40), 0)
                self.assertEqual(count(image, colour, (0, top + height, w, bottom - top - height), 40), 0)
                shown.close()

    def test_every_state_scales_with_the_dpi(self):
        for dpi in (144, 192):
            def at(length, dpi=dpi):
                return (length * dpi + 48) // 96

            for state, values in [(0, {"version": "150.0.1", "count": 3}), (1, {"progress": 37}),
                                  (2, {}), (3, {"error": "下载失败: chrome.exe\\nHTTP 404"}), (4, {})]:
                with self.subTest(dpi=dpi, state=state):
                    shown, image = self.show(f"dpi {dpi} state {state}", dpi, state=state,
                                             status="下载: 1/3  chrome.exe", **values)
                    w = image.width
                    self.assertGreater(w, at(500))
                    self.assertEqual(image.rgb(at(5), at(100)), BACKGROUND)
                    # The separator, 60 above the bottom (a 2-pixel line at 192 may round either way).
                    self.assertIn(TRACK, [image.rgb(w // 2, image.height - at(60) + d) for d in (-1, 0, 1)])
                    # The main button: its left end, and the background just outside it.
                    self.assertTrue(close_enough(image.rgb(at(165), at(385)), ACCENT_START, 40),
                                    image.rgb(at(165), at(385)))
                    self.assertEqual(image.rgb(at(150), at(371)), BACKGROUND)
                    if state in (0, 1, 2, 4):
                        self.assertEqual(image.rgb(at(100), at(175)), CARD)
                    if state == 0:
                        self.assertEqual(image.rgb(at(39), at(266)), TRACK)  # the edit's frame
                        self.assert_path_centred(image, at)
                    if state == 0 and dpi == 144:
                        # The hover follows the mouse in the window's own pixels: above the
                        # button (where it would be at 96 DPI) nothing lights, on it the button.
                        main = (at(165), at(385))
                        for point, lit in (((260, 380), False), ((at(260), at(380)), True)):
                            winebench.xdotool("mousemove", "--window", shown.window, *point)
                            time.sleep(1.0)
                            hot = shown.shot(f" mouse {point}")
                            # Nearer the hot colour than the plain one, or the other way round.
                            distance = {c: sum(abs(a - b) for a, b in zip(hot.rgb(*main), c))
                                        for c in (MAIN_HOT_START, ACCENT_START)}
                            self.assertEqual(distance[MAIN_HOT_START] < distance[ACCENT_START], lit,
                                             (point, hot.rgb(*main)))
                    if state == 1:
                        # The bar: starts at 40, 37 % of the track filled, ends 40 from the right.
                        track = w - 2 * at(40)
                        fill_end = at(40) + 37 * track // 100
                        self.assertTrue(close_enough(image.rgb(at(46), at(206)), ACCENT_START, 40))
                        self.assertEqual(image.rgb(fill_end + at(6), at(206)), TRACK)
                        self.assertEqual(image.rgb(w - at(40) - at(3), at(206)), TRACK)
                        self.assertEqual(image.rgb(w - at(40) + 2, at(206)), BACKGROUND)
                        self.assertEqual(image.rgb(at(40) - 2, at(206)), BACKGROUND)
                    if state == 3:
                        self.assertGreater(count(image, ERROR, (at(40), at(200), w - at(80), at(50)), 40), 60)
                    shown.close()


if __name__ == "__main__":
    runner.main()
