"""The player's main job, as the Windows program under Wine: the disc image found
in Downloads, Build and install, Update (as an archive and with git), Play, the
launcher's own update and Stop, through the launcher's real calls of curl.exe,
tar.exe and powershell.exe against the fake GitHub on 127.0.0.1.

One Wine prefix, one X server and one Wine server serve every scenario. The
prefix's user has a blank and letters outside ASCII (and outside the ANSI code
page) in the name, so every folder the launcher finds or makes has them too.
The stand-ins (tests/fixtures/wine_stand_in) sit where Windows keeps the programs
and hand the work to the host's curl, tar and git, and to the installer script's
stand-in (tests/fixtures/fake_pwsh); each notes how the launcher started it.
"""
import glob
import hashlib
import json
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest

import test_gui_smoke as wine

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from install_harness import (BUILD, FAKE_PWSH, REPO, SUCCESS, UPDATE, WARNING, FakeGitHub,  # noqa: E402
                             actions, game_project, has_colour, update_row_value)
from launcher_harness import file_lines  # noqa: E402

STAND_IN = os.environ.get("KORVIX_WINE_STAND_IN", "")
PLAYER = "Zo\u00eb \u0141ukasiewicz"
WINDOWS_HOME = "C:\\users\\" + PLAYER
SYSTEM32 = "C:\\windows\\system32"
RELEASE_ASSET = "korvix-launcher-windows-x64.exe"
# A healthy run takes at most about 35 s on a slow, busy machine: a hang fails
# fast rather than hold every scenario after it.
RUN_TIMEOUT = 100
# When a launcher that updates itself takes its screenshot and quits: its check,
# download and restart (or the download's failure) take up to about 10 s on a
# slow, busy machine, each start of a stand-in under Wine being slow; a
# screenshot before that ends the launcher short of them.
UPDATE_SETTLED_MS = "20000"
# Wine's own programs, which run as long as the prefix's server does.
WINE_SYSTEM = tuple(SYSTEM32.lower() + "\\" + name for name in (
    "services.exe", "winedevice.exe", "plugplay.exe", "svchost.exe", "rpcss.exe", "explorer.exe", "conhost.exe"))


def wineserver():
    return shutil.which("wineserver") or "/usr/lib/wine/wineserver"


class MainJobUnderWine(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        for name, value in (("KORVIX_LAUNCHER_BINARY", wine.BINARY), ("KORVIX_WINE_RUN", wine.WINE_RUN),
                            ("KORVIX_WINE_PREFIX", wine.PREFIX), ("KORVIX_WINE_STAND_IN", STAND_IN)):
            if not value:
                raise AssertionError(f"{name} must be set")
        cls.prefix = os.path.abspath(wine.PREFIX)
        cls.scratch = tempfile.mkdtemp(prefix="korvix-main-job-")
        cls.addClassCleanup(shutil.rmtree, cls.scratch, ignore_errors=True)
        home = os.path.join(cls.scratch, "home")
        os.makedirs(home)
        cls.env = dict(os.environ, USER=PLAYER, HOME=home, WINEPREFIX=cls.prefix, SDL_AUDIO_DRIVER="dummy",
                       SDL_RENDER_DRIVER="software", GIT_CONFIG_NOSYSTEM="1")
        cls.env.pop("DISPLAY", None)
        # The prefix is made once, by its first run; that run's server must be
        # gone before windows open, as it started without a display.
        if not os.path.exists(os.path.join(cls.prefix, ".korvix-ready")):
            subprocess.run([wine.WINE_RUN, cls.prefix, "cmd.exe", "/c", "exit 0"], env=cls.env,
                           stdin=subprocess.DEVNULL, capture_output=True, timeout=600)
            subprocess.run([wineserver(), "-w"], env=cls.env, stdin=subprocess.DEVNULL, capture_output=True,
                           timeout=120)
        cls.profile = os.path.join(cls.prefix, "drive_c", "users", PLAYER)
        if not os.path.isdir(cls.profile):
            raise AssertionError("no profile folder for %s in %s" % (PLAYER, cls.prefix))
        cls.install_stand_ins()
        x_server, cls.env["DISPLAY"] = wine.start_x_server()
        cls.addClassCleanup(x_server.wait)
        cls.addClassCleanup(x_server.kill)
        # One Wine server for every run, with this display; it ends before the X server.
        cls.wine_server("-p")
        cls.addClassCleanup(cls.wine_server, "-k")

        cls.github = FakeGitHub(os.path.join(cls.scratch, "github")).start()
        cls.addClassCleanup(cls.github.stop)
        cls.origin = cls.github.make_repo(REPO)
        shutil.rmtree(cls.origin)
        game_project.make_game_project(cls.origin)
        downloads = os.path.join(cls.profile, "Downloads")
        shutil.rmtree(downloads)
        os.makedirs(downloads)
        cls.iso = os.path.join(downloads, "Korvix.iso")
        with open(cls.iso, "wb"):
            pass
        os.truncate(cls.iso, (1 << 30) + (1 << 20))  # sparse, just over 1 GiB
        cls.record = os.path.join(cls.scratch, "calls.jsonl")
        cls.script_record = os.path.join(cls.scratch, "script-calls.jsonl")
        cls.git_folder = os.path.join(cls.scratch, "git")
        os.makedirs(cls.git_folder)
        shutil.copy2(STAND_IN, os.path.join(cls.git_folder, "git.exe"))
        cls.env.update({
            "KORVIX_STAND_IN_RECORD": wine.windows_path(cls.record),
            "KORVIX_STAND_IN_POWERSHELL": os.path.abspath(FAKE_PWSH),
            "KORVIX_FAKE_PWSH_RECORD": cls.script_record,
            "KORVIX_LAUNCHER_API_BASE": cls.github.api_base,
            "KORVIX_LAUNCHER_ARCHIVE_BASE": cls.github.archive_base,
            # Wine puts this before the system's PATH: git is found there.
            "WINEPATH": wine.windows_path(cls.git_folder),
        })

    @classmethod
    def wine_server(cls, option):
        # Its output goes nowhere: a server that kept a pipe of ours would hold its reader.
        subprocess.run([wineserver(), option], env=cls.env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=60)

    @classmethod
    def prefix_processes(cls):
        """The id and command line of every process of this prefix: Wine's, and
        the host programs the stand-ins started."""
        found = []
        for entry in os.scandir("/proc"):
            if not entry.name.isdigit() or int(entry.name) == os.getpid():
                continue
            try:
                with open(os.path.join(entry.path, "environ"), "rb") as f:
                    if b"WINEPREFIX=" + cls.prefix.encode() + b"\0" not in f.read():
                        continue
                with open(os.path.join(entry.path, "cmdline"), "rb") as f:
                    command = f.read().decode("utf-8", "replace").replace("\0", " ").strip()
            except OSError:
                continue
            found.append((int(entry.name), command))
        return found

    @classmethod
    def end_prefix_processes(cls):
        """Ends everything that runs in this prefix, then starts its server again
        for the runs that follow. The prefix is this test's own."""
        cls.wine_server("-k")  # its Windows processes end with it
        cls.wine_server("-w")
        for pid, _ in cls.prefix_processes():
            try:
                os.kill(pid, signal.SIGKILL)
            except OSError:
                pass
        cls.wine_server("-p")

    def scenario_processes(self):
        """The command lines of what runs in this prefix besides Wine's own programs."""
        return [command for _, command in self.prefix_processes()
                if not command.lower().startswith(WINE_SYSTEM) and "wineserver" not in command]

    def end_leftovers(self):
        """After each scenario: whatever it left running ends, so that a stuck run
        can't trouble the scenarios after it."""
        left = self.scenario_processes()
        if left:
            print("\nending what the scenario left running: %s" % left, file=sys.stderr)
            self.end_prefix_processes()

    @classmethod
    def install_stand_ins(cls):
        system32 = os.path.join(cls.prefix, "drive_c", "windows", "system32")
        for name in ("curl.exe", "tar.exe", os.path.join("WindowsPowerShell", "v1.0", "powershell.exe")):
            target = os.path.join(system32, name)
            if os.path.lexists(target):
                os.remove(target)
            shutil.copy2(STAND_IN, target)

    def setUp(self):
        self.addCleanup(self.end_leftovers)
        # A player's folders as a first start finds them: the disc image in
        # Downloads, the launcher downloaded to the Desktop, nothing else.
        for name in ("Games", "Desktop", os.path.join("AppData", "Roaming", "KorvixVelarine")):
            shutil.rmtree(os.path.join(self.profile, name), ignore_errors=True)
        self.desktop = os.path.join(self.profile, "Desktop")
        os.makedirs(self.desktop)
        self.launcher = os.path.join(self.desktop, "korvix-launcher.exe")
        shutil.copy2(wine.BINARY, self.launcher)
        self.install = os.path.join(self.profile, "Games", "KorvixVelarine")
        self.sources = os.path.join(self.install, "build", "korvixvelarine")
        self.data = os.path.join(self.profile, "AppData", "Roaming", "KorvixVelarine")
        self.shot = os.path.join(self.scratch, "shot.bmp")
        for path in (self.record, self.script_record, self.shot, os.path.join(self.github.root, "requests.log")):
            if os.path.exists(path):
                os.remove(path)
        self.github.set_config({})
        self.head = game_project.git(self.origin, "rev-parse", "main")

    # What the scenarios share.

    def windows(self, path):
        """The launcher's name of a path in the player's profile."""
        return WINDOWS_HOME + "\\" + os.path.relpath(path, self.profile).replace("/", "\\")

    def run_launcher(self, steps=(), binary=None, **extra):
        env = dict(self.env, KORVIX_LAUNCHER_SCREENSHOT=wine.windows_path(self.shot), **extra)
        if steps:
            env["KORVIX_LAUNCHER_ACTIONS"] = actions(steps)
        # A session of its own, so that a run that hangs is ended whole.
        process = subprocess.Popen([wine.WINE_RUN, self.prefix, binary or self.launcher], env=env,
                                   cwd=self.scratch, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                                   stderr=subprocess.PIPE, text=True, errors="replace", start_new_session=True)
        try:
            stdout, stderr = process.communicate(timeout=RUN_TIMEOUT)
        except subprocess.TimeoutExpired:
            running = self.scenario_processes()
            os.killpg(process.pid, signal.SIGKILL)
            self.end_prefix_processes()
            stdout, stderr = process.communicate(timeout=60)
        else:
            running = None
        if running is not None:
            self.fail("the launcher did not end within %d s; running were %s\n%s%s" %
                      (RUN_TIMEOUT, running, stdout, stderr))
        run = subprocess.CompletedProcess(process.args, process.returncode, stdout, stderr)
        keep = os.environ.get("KORVIX_KEEP_SCREENSHOTS")
        if keep and os.path.exists(self.shot):
            os.makedirs(keep, exist_ok=True)
            shutil.copy2(self.shot, os.path.join(keep, "wine_" + self.id().split(".")[-1] + ".bmp"))
        return run

    def calls(self, program=None):
        calls = [json.loads(line) for line in file_lines(self.record)]
        return [c for c in calls if program is None or c["program"].lower().endswith("\\" + program)]

    def wine_processes(self, name):
        """Processes of this prefix whose command line names `name`."""
        return [command for _, command in self.prefix_processes() if name.lower() in command.lower()]

    def wait_until_gone(self, name, seconds=60):
        for _ in range(seconds * 10):
            if not self.wine_processes(name):
                return
            time.sleep(0.1)
        self.fail("%s still runs: %s" % (name, self.wine_processes(name)))

    def logs(self, prefix):
        """The lines of each log of one kind of job, oldest first."""
        found = []
        for path in sorted(glob.glob(os.path.join(self.data, "logs", prefix + "*.log"))):
            with open(path, encoding="utf-8") as f:
                found.append(f.read().splitlines())
        return found

    def record_of(self, path):
        with open(path, encoding="utf-8") as f:
            return dict(line.rstrip("\r\n").split("=", 1) for line in f if "=" in line)

    def installed(self, commit, with_sources=True):
        """An install of `commit` on main, as a build leaves it."""
        os.makedirs(os.path.join(self.install, "game"))
        shutil.copy2(STAND_IN, os.path.join(self.install, "korvix.exe"))
        with open(os.path.join(self.install, "game", "default.xex"), "wb") as f:
            f.write(b"XEX2")
        record = "branch=main\r\ncommit=%s\r\ndate=2024-03-06\r\n" % commit
        with open(os.path.join(self.install, "korvix-version.txt"), "w", encoding="utf-8", newline="") as f:
            f.write(record)
        if with_sources:
            game_project.write_sources(self.sources)
            with open(os.path.join(self.sources, ".korvix-source"), "w", encoding="utf-8", newline="") as f:
                f.write(record)

    def script_args(self, call):
        """The arguments after PowerShell's own, which the install script gets."""
        self.assertEqual(call["args"][:4], ["-NoProfile", "-ExecutionPolicy", "Bypass", "-File"])
        return call["args"][4:]

    # The scenarios.

    def test_build_and_install_from_the_disc_image_in_downloads(self):
        run = self.run_launcher(BUILD)
        self.assertEqual(run.returncode, 0, run.stdout + run.stderr)

        # The automatic search found the image in Downloads and the job took it;
        # the install went to the default folder in the player's profile.
        install = self.windows(self.install)
        ini = self.record_of(os.path.join(self.data, "launcher.ini"))
        self.assertEqual(ini["iso"], self.windows(self.iso))
        self.assertEqual(ini["install_dir"], install)

        # The system's programs ran, in this order, with relative names for
        # curl and tar in the download folder.
        archive_url = "%s%s/tar.gz/%s" % (self.github.archive_base, REPO, self.head)
        download = self.windows(os.path.join(self.install, "build", ".korvix-download"))
        (curl,) = [c for c in self.calls("curl.exe") if archive_url in c["args"]]
        (tar,) = self.calls("tar.exe")
        (powershell,) = self.calls("powershell.exe")
        self.assertEqual(curl["program"], SYSTEM32 + "\\curl.exe")
        self.assertEqual(curl["args"], ["-fsSL", "-g", "--retry", "3", "-o", "sources.tar.gz", archive_url])
        self.assertEqual((curl["cwd"], tar["cwd"]), (download, download))
        self.assertEqual(tar["program"], SYSTEM32 + "\\tar.exe")
        self.assertEqual(tar["args"], ["-xzf", "sources.tar.gz", "-C", "x"])
        self.assertEqual(powershell["program"], SYSTEM32 + "\\WindowsPowerShell\\v1.0\\powershell.exe")
        job_calls = [c for c in self.calls() if c in (curl, tar, powershell)]
        self.assertEqual(job_calls, [curl, tar, powershell])

        # The script ran from the short form of the sources folder (the profile's
        # name has a blank), which names the same folder.
        build_dir = powershell["cwd"]
        self.assertNotIn(" ", build_dir)
        self.assertEqual(self.script_args(powershell), [
            build_dir + "\\installer\\Install-Korvix.ps1", "-Iso", self.windows(self.iso), "-InstallDir", install,
            "-Yes", "-UpscaleTextures", "no", "-Subtitles", "no", "-Graphics", "velarine", "-NoShortcut"])
        (script,) = [json.loads(line) for line in file_lines(self.script_record)]
        self.assertEqual(script["cwd"], self.sources)

        # The sources, both records and the launcher's own copy in the install folder.
        version = {"branch": "main", "commit": self.head, "date": "2024-03-06"}
        self.assertEqual(self.record_of(os.path.join(self.install, "korvix-version.txt")), version)
        self.assertEqual(self.record_of(os.path.join(self.sources, ".korvix-source")), version)
        self.assertTrue(os.path.isfile(os.path.join(self.sources, "installer", "Make-Subtitles.ps1")))
        self.assertFalse(os.path.exists(os.path.join(self.install, "build", ".korvix-download")))
        self.assertTrue(os.path.isfile(os.path.join(self.install, "korvix-launcher.exe")))
        self.assertFalse(os.path.exists(self.launcher), "the launcher moved into the install folder")

        (log,) = self.logs("install_")
        self.assertEqual(log[:2], ["Install folder: " + install, "Sources: " + self.windows(self.sources)])
        for line in [self.head[:7] + " 2024-03-06 Installer scripts for the tools", "Building in " + build_dir,
                     "[4/4] Linking korvix.exe"]:
            self.assertIn(line, log)
        self.assertEqual(log[-1], "Finished.")
        # "Installed. Select Play." under the installed main menu.
        self.assertTrue(has_colour(self.shot, SUCCESS))

    def test_update_as_an_archive_then_with_git(self):
        first = game_project.git(self.origin, "rev-parse", "main~1")
        self.installed(first)
        run = self.run_launcher(UPDATE)
        self.assertEqual(run.returncode, 0, run.stdout + run.stderr)

        version = {"branch": "main", "commit": self.head, "date": "2024-03-06"}
        self.assertEqual(self.record_of(os.path.join(self.install, "korvix-version.txt")), version)
        self.assertEqual(self.record_of(os.path.join(self.sources, ".korvix-source")), version)
        (powershell,) = self.calls("powershell.exe")
        install = self.windows(self.install)
        self.assertEqual(self.script_args(powershell)[1:], [
            "-GameDir", install + "\\game", "-InstallDir", install, "-Yes", "-UpscaleTextures", "no",
            "-Subtitles", "no", "-NoShortcut"])
        self.assertEqual([len(self.calls(name)) > 0 for name in ("tar.exe", "git.exe")], [True, False])
        (log,) = self.logs("update_")
        self.assertIn("== Getting main from GitHub", log)
        self.assertEqual(log[-1], "Finished.")
        self.assertTrue(has_colour(self.shot, SUCCESS), "Updated. Select Play.")
        self.assertEqual(update_row_value(self.shot), ["success"], "up to date")

        # Sources that are a git checkout are brought up to date with git, from
        # the origin they were cloned from; nothing is downloaded.
        shutil.rmtree(self.sources)
        subprocess.run(["git", "clone", "-q", self.origin, self.sources], check=True, env=self.env)
        newer = game_project.commit_change(self.origin, "NEWS.md", "new\n", "A newer commit")
        os.remove(self.record)
        os.remove(os.path.join(self.github.root, "requests.log"))
        # The player starts the launcher where it moved itself: the install folder.
        run = self.run_launcher(UPDATE, binary=os.path.join(self.install, "korvix-launcher.exe"))
        self.assertEqual(run.returncode, 0, run.stdout + run.stderr)

        sources = self.windows(self.sources)
        git_calls = self.calls("git.exe")
        self.assertEqual([c["program"] for c in git_calls], [wine.windows_path(self.git_folder) + "\\git.exe"] * 3)
        self.assertEqual([c["args"] for c in git_calls], [
            ["-C", sources, "fetch", "origin", "+refs/heads/main:refs/remotes/origin/main"],
            ["-C", sources, "checkout", "-f", "-B", "main", "origin/main"],
            ["-C", sources, "log", "-1", "--format=%H %cs %s"]])
        self.assertEqual([c["cwd"] for c in git_calls[:2]], [sources] * 2)
        head = subprocess.run(["git", "-C", self.sources, "rev-parse", "HEAD"], capture_output=True, text=True)
        self.assertEqual(head.stdout.strip(), newer)
        self.assertEqual(self.record_of(os.path.join(self.install, "korvix-version.txt"))["commit"], newer)
        self.assertFalse([r for r in self.github.requests() if r["path"].startswith("/archive/")])
        self.assertEqual(self.calls("tar.exe"), [])
        log = self.logs("update_")[-1]
        self.assertIn("== Getting main (git)", log)
        self.assertEqual(log[-1], "Finished.")
        self.assertEqual(update_row_value(self.shot), ["success"], "up to date")

    def test_play_hides_the_launcher_and_ends_with_the_game(self):
        self.installed(self.head, with_sources=False)
        run = self.run_launcher(["accept"], KORVIX_STAND_IN_GAME_MS="2000")
        launcher_ended = time.time()
        self.assertEqual(run.returncode, 0, run.stdout + run.stderr)
        game = self.calls("korvix.exe")
        self.assertEqual(len(game), 2, game)
        started, ended = game
        # No arguments, in the install folder, with the launcher's window hidden.
        self.assertEqual(started["program"], self.windows(os.path.join(self.install, "korvix.exe")))
        self.assertEqual((started["cwd"], started["args"], started["window"]), (self.windows(self.install), [], "hidden"))
        # The launcher waited for the game's end (the game exits with 3, the
        # launcher with 0), and no frame came after.
        self.assertLessEqual(ended["ended_at_ms"] / 1000, launcher_ended)
        self.assertFalse(os.path.exists(self.shot))

    def offer_launcher(self, **asset):
        asset.setdefault("name", RELEASE_ASSET)
        asset.setdefault("file", wine.BINARY)
        self.github.set_config({"releases": {REPO: [{"tag_name": "launcher-v9.0.0", "assets": [asset],
                                                     "downloads": 1}]}})

    def release_requests(self):
        paths = [r["path"] for r in self.github.requests()]
        return ([p for p in paths if p.endswith("/releases/latest")],
                [p for p in paths if p.startswith("/assets/")])

    def test_the_launcher_updates_itself(self):
        with open(wine.BINARY, "rb") as f:
            program = f.read()
        self.offer_launcher(digest="sha256:" + hashlib.sha256(program).hexdigest())
        before = os.stat(self.launcher).st_ino
        run = self.run_launcher(KORVIX_LAUNCHER_UPDATE_TEST="go", KORVIX_LAUNCHER_SCREENSHOT_MS=UPDATE_SETTLED_MS)
        self.assertEqual(run.returncode, 0, run.stdout + run.stderr)
        # The new launcher runs on its own; it ends with its screenshot.
        self.wait_until_gone("korvix-launcher.exe")

        checks, downloads = self.release_requests()
        self.assertEqual(len(downloads), 1, "one download")
        self.assertEqual(len(checks), 2, "the new launcher checked for releases too: it started")
        self.assertTrue(os.path.exists(self.shot), "the new launcher ran until its screenshot")
        with open(self.launcher, "rb") as f:
            self.assertEqual(f.read(), program)
        self.assertNotEqual(os.stat(self.launcher).st_ino, before, "the download took the launcher's place")
        self.assertEqual(sorted(os.listdir(self.desktop)), ["korvix-launcher.exe"],
                         "the old launcher was cleaned up and no download is left")

    def test_a_corrupt_launcher_download_leaves_the_running_launcher(self):
        with open(wine.BINARY, "rb") as f:
            program = f.read()
        corrupt = os.path.join(self.scratch, "corrupt.exe")
        with open(corrupt, "wb") as f:
            f.write(program[:4096] + bytes([program[4096] ^ 0xFF]) + program[4097:])
        self.offer_launcher(file=corrupt, digest="sha256:" + hashlib.sha256(program).hexdigest())
        before = os.stat(self.launcher).st_ino
        run = self.run_launcher(KORVIX_LAUNCHER_UPDATE_TEST="go", KORVIX_LAUNCHER_SCREENSHOT_MS=UPDATE_SETTLED_MS)
        self.assertEqual(run.returncode, 0, run.stdout + run.stderr)

        self.assertEqual(len(self.release_requests()[1]), 1, "the download was made")
        self.assertTrue(os.path.exists(self.shot), "the launcher kept running")
        self.assertEqual(os.stat(self.launcher).st_ino, before)
        with open(self.launcher, "rb") as f:
            self.assertEqual(f.read(), program)
        self.assertEqual(sorted(os.listdir(self.desktop)), ["korvix-launcher.exe"])
        # "the download came out wrong (checksum mismatch): select to try again"
        self.assertTrue(has_colour(self.shot, WARNING))

    def test_stop_ends_the_whole_process_tree(self):
        hold = os.path.join(self.scratch, "hold.pids")
        # Once the job runs, its rows are Stop and View the log, the latter
        # selected: up puts the selection on Stop. The script's stand-in starts a
        # child, then presses Enter.
        run = self.run_launcher(BUILD + ["up"], KORVIX_STAND_IN_HOLD=wine.windows_path(hold))
        self.assertEqual(run.returncode, 0, run.stdout + run.stderr)

        with open(hold, encoding="utf-8") as f:
            self.assertEqual(len(f.read().split()), 2, "the script ran and started its child")
        # The Wine server of this prefix still runs: nothing of the tree is left.
        self.assertEqual(self.wine_processes("powershell.exe"), [])
        (log,) = self.logs("install_")
        self.assertTrue(log[-1].startswith("Failed: The build failed (exit 1)."), log[-3:])
        self.assertFalse(os.path.exists(os.path.join(self.install, "korvix-version.txt")))
        self.assertTrue(has_colour(self.shot, WARNING), "Stopped.")

    def test_a_start_without_a_renderer_says_why(self):
        run = self.run_launcher(SDL_RENDER_DRIVER="no-such-renderer")
        self.assertEqual(run.returncode, 1, run.stdout + run.stderr)
        with open(os.path.join(self.data, "launcher-error.log"), "rb") as f:
            self.assertEqual(f.read(), b"SDL_CreateRenderer failed: no-such-renderer not available\r\n")
        self.assertFalse(os.path.exists(self.shot))


if __name__ == "__main__":
    unittest.main()
