"""What the job tests share: the fixture game project served by the fake GitHub,
the fake PowerShell first on PATH, a disc image, launcher.ini, and readers of
the results (the script's recorded calls, the job's log, the screenshot).
"""
import glob
import json
import os
import shutil
import sys

from launcher_harness import LauncherTestCase, file_lines
from pixels import SUCCESS, TEXT_CORE, WARNING, Screenshot

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "fixtures"))
sys.path.insert(0, os.path.join(HERE, "..", "fake_github"))
import game_project  # noqa: E402
from fake_github import FakeGitHub  # noqa: E402

REPO = "korvix-velarine/korvix-velarine"
FAKE_PWSH = os.path.join(HERE, "..", "fixtures", "fake_pwsh", "pwsh")

# Rows without an install: Disc image, Branch, Install to, Graphics, Upscale
# textures, Subtitles, Build and install, Quit. With one: Play, Graphics settings,
# Upscale textures, Subtitles, Update branch, Update, ...
BUILD = ["down"] * 6 + ["accept", "accept"]
UPDATE = ["down"] * 5 + ["accept", "accept"]
UPSCALE = ["down"] * 2 + ["accept", "accept"]
# On the subtitles page "Make subtitles" is third from the end: up wraps to it.
MAKE_SUBTITLES = ["down"] * 3 + ["accept"] + ["up"] * 3 + ["accept", "accept"]

def actions(*parts):
    return ",".join(a for part in parts for a in part)


def process_gone(pid):
    """True when the process has ended (a zombie that waits for its reaper counts as ended)."""
    try:
        with open("/proc/%d/stat" % pid, encoding="utf-8") as f:
            return f.read().rsplit(")", 1)[1].split()[0] == "Z"
    except FileNotFoundError:
        return True


def has_colour(path, colour):
    """Whether the screenshot shows the status text's colour anywhere."""
    return Screenshot(path).has_colour(colour, TEXT_CORE)


def update_row_value(shot):
    """The colours of the value of "Update", the sixth row of the installed menu."""
    top = int(224.2 + 5 * 36.94)
    return [colour for _, _, colour in Screenshot(shot).text_lines(520, top + 4, 1100, top + 33)]


class InstallTestBase(LauncherTestCase):
    def setUp(self):
        super().setUp()
        self.data = os.path.join(self.appdata, "KorvixVelarine")
        self.install = os.path.join(self.root, "games", "KorvixVelarine")
        self.sources = os.path.join(self.install, "build", "korvixvelarine")
        fake_bin = os.path.join(self.root, "fakebin")
        os.makedirs(fake_bin)
        shutil.copy2(FAKE_PWSH, os.path.join(fake_bin, "pwsh"))
        self.path = fake_bin + os.pathsep + os.environ.get("PATH", "/usr/bin:/bin")
        self.record = os.path.join(self.root, "pwsh-calls.jsonl")
        self.github = FakeGitHub(os.path.join(self.root, "github")).start()
        self.addCleanup(self.github.stop)
        self.origin = self.github.make_repo(REPO)
        shutil.rmtree(self.origin)
        self.head = game_project.make_game_project(self.origin)

    def make_iso(self):
        self.iso = os.path.join(self.home, "Downloads", "Korvix.iso")
        os.makedirs(os.path.dirname(self.iso), exist_ok=True)
        with open(self.iso, "wb"):
            pass
        os.truncate(self.iso, (1 << 30) + (1 << 20))  # sparse, just over 1 GiB

    def write_ini(self, **extra):
        entries = {"install_dir": self.install, "source_dir": self.sources, "branch": "main"}
        entries.update(extra)
        os.makedirs(self.data, exist_ok=True)
        with open(os.path.join(self.data, "launcher.ini"), "w", encoding="utf-8", newline="\r\n") as f:
            for key, value in sorted(entries.items()):
                f.write("%s=%s\n" % (key, value))

    def install_game(self):
        os.makedirs(os.path.join(self.install, "game"), exist_ok=True)
        for name in ("korvix.exe", os.path.join("game", "default.xex")):
            with open(os.path.join(self.install, name), "wb") as f:
                f.write(b"old")

    def env(self, **extra):
        env = {"PATH": self.path, "KORVIX_FAKE_PWSH_RECORD": self.record,
               "KORVIX_LAUNCHER_API_BASE": self.github.api_base,
               "KORVIX_LAUNCHER_ARCHIVE_BASE": self.github.archive_base}
        env.update(extra)
        return env

    def launch(self, steps, **extra):
        run = self.run_launcher(KORVIX_LAUNCHER_ACTIONS=actions(steps), **self.env(**extra))
        self.assertEqual(run.returncode, 0, run.stderr)
        return run

    def calls(self):
        return [json.loads(line) for line in file_lines(self.record)]

    def log(self, prefix):
        logs = sorted(glob.glob(os.path.join(self.data, "logs", prefix + "*.log")))
        self.assertEqual(len(logs), 1, "one log per job: %s" % logs)
        self.assertRegex(os.path.basename(logs[0]), r"^%s\d{8}-\d{6}\.log$" % prefix)
        with open(logs[0], encoding="utf-8") as f:
            return f.read().splitlines()

    def record_of(self, path):
        with open(path, encoding="utf-8") as f:
            return dict(line.rstrip("\r\n").split("=", 1) for line in f if "=" in line)

    def failure_of(self, prefix):
        lines = self.log(prefix)
        self.assertTrue(lines[-1].startswith("Failed: "), lines[-20:])
        return lines[-1][len("Failed: "):]
