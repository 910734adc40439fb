"""A failed build's log, read inside the launcher with the scripted actions
alone: first while the job runs (View the log, after Stop), following its lines
to the failure; then, in a new run, from the Logs page, where it opens at its
first error. At 1280 x 760 the log's lines stand from y 149 to 673, 21.4 high,
right of the line numbers; the status line is at y 694."""
import os

from install_harness import BUILD, InstallTestBase
from launcher_harness import TIME_SCALE
from pixels import Screenshot

TEXT_LEFT, TEXT_RIGHT, TEXT_TOP, TEXT_BOTTOM = 240, 1080, 149, 674
STATUS_TOP, STATUS_BOTTOM = 690, 712
COMMANDS_TOP, COMMANDS_BOTTOM = 78, 114


class LogScreenTest(InstallTestBase):
    def colours(self, shot, top, bottom, left=TEXT_LEFT, right=TEXT_RIGHT):
        return [colour for _, _, colour in shot.text_lines(left, top, right, bottom)]

    def test_a_failed_build_is_read_with_the_actions_alone(self):
        self.make_iso()
        self.write_ini()
        # The script fails after a while. Meanwhile the running job's rows are
        # Stop and View the log, and the selection, clamped from "Build and
        # install", stands on the latter: accept opens the log, at its end.
        run = self.launch([*BUILD, "accept"], KORVIX_FAKE_PWSH_EXIT="5", KORVIX_FAKE_PWSH_SLOW=str(3 * TIME_SCALE))
        log = self.log("install_")
        self.assertTrue(log[-1].startswith("Failed: The build failed (exit 5)."))
        shot = Screenshot(run.screenshot)
        lines = self.colours(shot, TEXT_TOP, TEXT_BOTTOM)
        self.assertEqual(len(lines), len(log), "the whole log fits one page")
        # The view followed the job to its last line: the compiler's warning in
        # the accent colour, then its error and the launcher's failure in the
        # error colour, everything else white.
        self.assertEqual(lines[-3:], ["accent", "warning", "warning"])
        self.assertEqual(set(lines[:-3]), {"white"})
        self.assertEqual(self.colours(shot, STATUS_TOP, STATUS_BOTTOM, 186, 700), ["warning"], "Failed: ...")
        self.assertEqual(self.colours(shot, COMMANDS_TOP, COMMANDS_BOTTOM, 186, 280), ["accent"], "Back is chosen")

        # A new launcher: Logs stands just above Quit, so up twice; the newest
        # log is the first row.
        self.restore_binary()
        run = self.launch(["up", "up", "accept", "accept"])
        shot = Screenshot(run.screenshot)
        found = shot.text_lines(TEXT_LEFT, TEXT_TOP, TEXT_RIGHT, TEXT_BOTTOM)
        self.assertEqual([colour for _, _, colour in found], lines, "the same lines, coloured the same")
        # It opened at the first error line, which is marked with the selection's fill.
        first_error = next(i for i, line in enumerate(log) if line.startswith("error:"))
        top, bottom, colour = found[first_error]
        self.assertEqual(colour, "warning")
        r, g, b = shot.pixel(TEXT_RIGHT, (top + bottom) // 2)
        self.assertTrue(r > b + 25 and g > b + 20, "a yellow fill behind the marked line: %s" % ((r, g, b),))
        r, g, b = shot.pixel(TEXT_RIGHT, (found[0][0] + found[0][1]) // 2)
        self.assertLess(abs(r - b), 30, "no fill behind the others: %s" % ((r, g, b),))
        self.assertEqual(len(os.listdir(os.path.join(self.data, "logs"))), 1, "reading a log writes none")


if __name__ == "__main__":
    import unittest
    unittest.main()
