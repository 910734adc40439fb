"""The editor's sound in the real binary: the selected clip's sound is fetched
by the subtitle maker into the install's cache, the screenshot hook doesn't
wait for a fetch, and quitting while the maker runs ends it and the launcher
cleanly."""
import os
import time
import unittest
import wave

from launcher_harness import EditorTestCase

SOURCE = "vo/dock/mira_01"
# The stand-in maker's default sound: one second of 16-bit mono at 22050 Hz.
WAV_BYTES = 44 + 22050 * 2


class EditorMediaTest(EditorTestCase):
    SUBTITLES = (
        "korvix-subtitles 2\n"
        f"clip speech 1000 1 1:00000000000000ab {SOURCE}\n"
        "names Mira||||||||||\n"
        "0 900 s1 Tie the boat up, Bo.\n"
    )

    def test_the_sound_is_fetched_into_the_cache_and_a_quit_never_waits_for_it(self):
        # The maker is still at work when the screenshot is due: the launcher
        # takes it and quits, the fetch thread and SDL notwithstanding, and
        # ends the maker with it.
        self.launch_editor(KORVIX_LAUNCHER_SCREENSHOT_MS="1200", KORVIX_MAKER_SLEEP_MS="3000")
        quit_at = time.monotonic()
        while not self.maker_runs() and time.monotonic() < quit_at + 20:
            time.sleep(0.05)
        self.assertEqual(len(self.maker_runs()), 1, "the maker was never started")
        command, part = self.maker_runs()[0].split(" > ")
        self.assertEqual((command, os.path.dirname(part)), (f"extract {SOURCE}", self.cache))
        self.assertTrue(part.endswith(".part.wav"), part)
        wav = part[: -len(".part.wav")] + ".wav"
        # Past the time the maker would have needed: it never finished its part.
        time.sleep(max(0.0, quit_at + 4.0 - time.monotonic()))
        self.assertFalse(os.path.exists(wav), "nothing under the cache's name before the maker succeeded")
        self.assertFalse(os.path.exists(part) and os.path.getsize(part) == WAV_BYTES, "the maker outlived the launcher")

        # The next run fetches it again from scratch, and keeps it.
        self.launch_editor(KORVIX_LAUNCHER_SCREENSHOT_MS="2500")
        self.assertEqual(len(self.maker_runs()), 2)
        self.assertEqual(os.listdir(self.cache), [os.path.basename(wav)])
        with wave.open(wav) as sound:
            self.assertEqual((sound.getnchannels(), sound.getframerate(), sound.getnframes()), (1, 22050, 22050))


if __name__ == "__main__":
    unittest.main()
