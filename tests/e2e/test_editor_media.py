"""The editor's sound in the real binary: the selected clip's sound is fetched
by the subtitle maker into the install's cache, the screenshot hook doesn't
wait for a fetch, and quitting while the maker runs ends cleanly."""
import os
import shutil
import time
import unittest
import wave

from launcher_harness import LauncherTestCase, make_install

SOURCE = "vo/dock/mira_01"
SUBTITLES = (
    "korvix-subtitles 2\n"
    f"clip speech 1000 1 1:00000000000000ab {SOURCE}\n"
    "names Mira||||||||||\n"
    "0 900 s1 Tie the boat up, Bo.\n"
)
# The stand-in maker's default sound: one second of 16-bit mono at 22050 Hz.
WAV_BYTES = 44 + 22050 * 2


def cache_key(source):
    """64-bit FNV-1a of the source's bytes, as 16 hex digits."""
    key = 0xCBF29CE484222325
    for byte in source.encode():
        key = ((key ^ byte) * 0x100000001B3) & 0xFFFFFFFFFFFFFFFF
    return "%016x" % key


def wait_until(done, seconds=20):
    deadline = time.monotonic() + seconds
    while not done():
        if time.monotonic() > deadline:
            return False
        time.sleep(0.05)
    return True


class EditorMediaTest(LauncherTestCase):
    def setUp(self):
        super().setUp()
        maker = os.environ.get("KORVIX_SUBTITLE_MAKER")
        if not maker or not os.path.exists(maker):
            self.fail("KORVIX_SUBTITLE_MAKER must name the built stand-in subtitle maker")
        self.install = os.path.join(self.home, "Games", "KorvixVelarine")
        make_install(self.install)
        os.makedirs(os.path.join(self.install, "subtitles"))
        with open(os.path.join(self.install, "subtitles", "korvix.subtitles"), "wb") as f:
            f.write(SUBTITLES.encode())
        shutil.copy2(maker, os.path.join(self.install, "korvix-subtitles.exe"))
        self.cache = os.path.join(self.install, "subtitles", "work", "play")
        self.runs = os.path.join(self.root, "runs.txt")

    def launch(self, **env):
        self.restore_binary()
        run = self.run_launcher(KORVIX_LAUNCHER_EDITOR="1", KORVIX_MAKER_RUNS=self.runs, **env)
        self.assertEqual(run.returncode, 0, run.stderr)
        return run

    def maker_runs(self):
        if not os.path.exists(self.runs):
            return []
        with open(self.runs, encoding="utf-8") as f:
            return f.read().splitlines()

    def test_the_sound_is_fetched_into_the_cache_and_a_quit_never_waits_for_it(self):
        key = cache_key(SOURCE)
        wav = os.path.join(self.cache, key + ".wav")
        part = os.path.join(self.cache, key + ".part.wav")

        # The maker is still at work when the screenshot is due: the launcher
        # takes it and quits, the fetch thread and SDL notwithstanding.
        self.launch(KORVIX_LAUNCHER_SCREENSHOT_MS="1200", KORVIX_MAKER_SLEEP_MS="3000")
        self.assertTrue(wait_until(lambda: len(self.maker_runs()) == 1), "the maker was never started")
        self.assertEqual(self.maker_runs(), [f"extract {SOURCE} > {part}"])
        self.assertFalse(os.path.exists(wav), "nothing under the cache's name before the maker succeeded")
        # The orphaned maker finishes its half-done part; nobody renames it.
        self.assertTrue(wait_until(lambda: os.path.exists(part) and os.path.getsize(part) == WAV_BYTES))

        # The next run fetches it again from scratch, and keeps it.
        self.launch(KORVIX_LAUNCHER_SCREENSHOT_MS="2500")
        self.assertEqual(len(self.maker_runs()), 2)
        self.assertEqual(sorted(os.listdir(self.cache)), [key + ".wav"])
        with wave.open(wav) as sound:
            self.assertEqual((sound.getnchannels(), sound.getframerate(), sound.getnframes()), (1, 22050, 22050))


if __name__ == "__main__":
    unittest.main()
