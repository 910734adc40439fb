"""Build and install and Update, run for real: the launcher fetches the fixture
game project (by git from a local origin, or as a commit archive from the fake
GitHub) and runs the fake PowerShell, which acts out the install script.
"""
import base64
import io
import os
import shutil
import signal
import subprocess
import tarfile
import time

from install_harness import (BUILD, REPO, UPDATE, SUCCESS, WARNING, InstallTestBase, actions, game_project,
                             has_colour, process_gone, update_row_value)


class BuildAndInstallTest(InstallTestBase):
    def test_archive_route_installs_records_and_logs_everything(self):
        self.make_iso()
        self.write_ini()
        # A file the archive lacks stays in the sources folder.
        os.makedirs(self.sources)
        with open(os.path.join(self.sources, "local-notes.txt"), "w") as f:
            f.write("mine")

        run = self.launch(BUILD)

        self.assertTrue(os.path.exists(os.path.join(self.install, "korvix.exe")))
        self.assertTrue(os.path.exists(os.path.join(self.install, "game", "default.xex")))
        version = self.record_of(os.path.join(self.install, "korvix-version.txt"))
        self.assertEqual(version, {"branch": "main", "commit": self.head, "date": "2024-03-06"})
        self.assertEqual(self.record_of(os.path.join(self.sources, ".korvix-source")), version)
        self.assertTrue(os.path.exists(os.path.join(self.sources, "installer", "Make-Subtitles.ps1")))
        self.assertTrue(os.path.exists(os.path.join(self.sources, "local-notes.txt")))
        self.assertFalse(os.path.exists(os.path.join(self.install, "build", ".korvix-download")))
        self.assertTrue(os.path.exists(os.path.join(self.install, "korvix-launcher")),
                        "the launcher keeps its copy in the install folder")
        ini = self.record_of(os.path.join(self.data, "launcher.ini"))
        self.assertEqual(ini["install_dir"], self.install)
        self.assertEqual(ini["iso"], self.iso)

        (call,) = self.calls()
        script = os.path.join(self.sources, "installer", "Install-Korvix.ps1")
        self.assertEqual(call["args"], ["-NoProfile", "-ExecutionPolicy", "Bypass", "-File", script,
                                        "-Iso", self.iso, "-InstallDir", self.install, "-Yes",
                                        "-UpscaleTextures", "no", "-Subtitles", "no",
                                        "-Graphics", "velarine", "-NoShortcut"])
        self.assertEqual(call["cwd"], self.sources)
        archive = [r["path"] for r in self.github.requests() if r["path"].startswith("/archive/")]
        self.assertEqual(archive, ["/archive/%s/tar.gz/%s" % (REPO, self.head)])

        log = self.log("install_")
        self.assertEqual(log[:2], ["Install folder: " + self.install, "Sources: " + self.sources])
        for line in ["== Getting main from GitHub", self.head[:7] + " 2024-03-06 Installer scripts for the tools",
                     "== Extracting the game and building (the first build takes a long time)",
                     "== Extracting to " + self.install, "extracting default.xex", "== Checking the build tools",
                     "== Building korvix (Release)", "[1/4] Compiling a.cpp", "[2/4] Compiling b.cpp",
                     "[4/4] Linking korvix.exe", "== Test run"]:
            self.assertIn(line, log)
        self.assertEqual(log[-1], "Finished.")
        self.assertTrue(has_colour(run.screenshot, SUCCESS), "Installed. Select Play. is shown in green")

    def test_links_in_the_repository_are_copied_as_links(self):
        # A link to a folder outside the repository, one that leads nowhere and
        # one that goes round: none is followed, each arrives as the link it is.
        outside = os.path.join(self.root, "outside")
        os.makedirs(outside)
        with open(os.path.join(outside, "private.txt"), "w") as f:
            f.write("not for the sources")
        links = {"to-outside": outside, "dangling": "missing.txt", "loop": "loop",
                 os.path.join("installer", "here"): "."}
        for name, target in links.items():
            os.symlink(target, os.path.join(self.origin, name))
        self.head = game_project.commit_change(self.origin, "NEWS.md", "links\n", "Links of every kind")
        self.make_iso()
        self.write_ini()

        run = self.launch(BUILD)

        self.assertEqual(self.log("install_")[-1], "Finished.")
        for name, target in links.items():
            self.assertEqual(os.readlink(os.path.join(self.sources, name)), target, name)
        self.assertFalse(os.path.exists(os.path.join(self.sources, "private.txt")))
        self.assertEqual(os.listdir(outside), ["private.txt"])
        self.assertEqual(self.record_of(os.path.join(self.sources, ".korvix-source"))["commit"], self.head)
        self.assertTrue(has_colour(run.screenshot, SUCCESS))

    def test_without_a_disc_image_nothing_starts(self):
        self.write_ini()
        self.launch(BUILD)
        self.assertEqual(self.calls(), [])
        self.assertFalse(os.path.exists(os.path.join(self.data, "logs")))


class UpdateTest(InstallTestBase):
    def test_git_route_fetches_checks_out_and_passes_the_game_folder(self):
        bare = os.path.join(self.root, "origin.git")
        subprocess.run(["git", "clone", "-q", "--bare", self.origin, bare], check=True)
        subprocess.run(["git", "clone", "-q", bare, self.sources], check=True)
        newer = game_project.commit_change(self.origin, "NEWS.md", "new\n", "A newer commit")
        subprocess.run(["git", "-C", self.origin, "push", "-q", bare, "main"], check=True)
        self.install_game()
        self.write_ini(upscale_on_install="1", subtitles_on_install="1")

        run = self.launch(UPDATE)

        head = subprocess.run(["git", "-C", self.sources, "rev-parse", "HEAD"], capture_output=True,
                              text=True).stdout.strip()
        self.assertEqual(head, newer, "git fetch and checkout brought the new commit")
        self.assertEqual(self.record_of(os.path.join(self.install, "korvix-version.txt")),
                         {"branch": "main", "commit": newer, "date": "2024-03-06"})
        self.assertFalse(os.path.exists(os.path.join(self.sources, ".korvix-source")))
        (call,) = self.calls()
        self.assertEqual(call["args"][5:], ["-GameDir", os.path.join(self.install, "game"),
                                            "-InstallDir", self.install, "-Yes", "-UpscaleTextures", "no",
                                            "-Subtitles", "no", "-NoShortcut"])
        self.assertFalse([r for r in self.github.requests() if r["path"].startswith("/archive/")])
        log = self.log("update_")
        self.assertIn("== Getting main (git)", log)
        self.assertIn("== Building", log)
        self.assertEqual(log[-1], "Finished.")
        self.assertEqual(update_row_value(run.screenshot), ["success"], "up to date, not 1 new change")

    def test_a_single_branch_clone_gets_a_branch_it_does_not_track(self):
        # Such a clone (or a shallow one) fetches a branch into FETCH_HEAD only,
        # unless the fetch names where the branch goes.
        bare = os.path.join(self.root, "origin.git")
        subprocess.run(["git", "clone", "-q", "--bare", self.origin, bare], check=True)
        subprocess.run(["git", "clone", "-q", "--single-branch", "--branch", "main", bare, self.sources], check=True)
        subprocess.run(["git", "-C", self.origin, "checkout", "-q", "-b", "feature/x"], check=True)
        feature = game_project.commit_change(self.origin, "FEATURE.md", "x\n", "Work on a feature")
        subprocess.run(["git", "-C", self.origin, "push", "-q", bare, "feature/x"], check=True)
        self.install_game()
        self.write_ini(branch="feature/x")

        self.launch(UPDATE)

        log = self.log("update_")
        self.assertEqual(log[-1], "Finished.", log[-10:])
        head = subprocess.run(["git", "-C", self.sources, "rev-parse", "HEAD"], capture_output=True,
                              text=True).stdout.strip()
        self.assertEqual(head, feature)
        self.assertEqual(self.record_of(os.path.join(self.install, "korvix-version.txt"))["branch"], "feature/x")

    def test_a_sources_path_with_a_blank_is_passed_whole(self):
        # Linux has no short form: the script runs from the spaced folder itself,
        # and no "Building in" line says otherwise.
        self.sources = os.path.join(self.root, "my sources", "korvix")
        subprocess.run(["git", "clone", "-q", self.origin, self.sources], check=True)
        self.install_game()
        self.write_ini()

        self.launch(UPDATE)

        (call,) = self.calls()
        self.assertEqual(call["args"][4], os.path.join(self.sources, "installer", "Install-Korvix.ps1"))
        self.assertEqual(call["cwd"], self.sources)
        log = self.log("update_")
        self.assertFalse([line for line in log if line.startswith("Building in ")])
        self.assertEqual(log[-1], "Finished.")

    def test_a_checkout_whose_origin_fails_stops_before_the_script(self):
        subprocess.run(["git", "init", "-q", self.sources], check=True)  # no origin at all
        self.install_game()
        self.write_ini()
        self.launch(UPDATE)
        self.assertEqual(self.failure_of("update_"), "Getting the sources with git failed.")
        self.assertEqual(self.calls(), [])


class FailureTest(InstallTestBase):
    def build(self, **extra):
        self.make_iso()
        self.write_ini()
        return self.launch(BUILD, **extra)

    def test_a_failing_script_names_its_exit_code_and_logs(self):
        run = self.build(KORVIX_FAKE_PWSH_EXIT="5")
        self.assertEqual(self.failure_of("install_"), "The build failed (exit 5). Its logs are in %s." %
                         os.path.join(self.sources, "logs"))
        self.assertIn("error: the build stopped with code 5", self.log("install_"))
        self.assertFalse(os.path.exists(os.path.join(self.install, "korvix-version.txt")))
        self.assertTrue(has_colour(run.screenshot, WARNING))

    def test_a_script_that_leaves_no_game_fails(self):
        self.build(KORVIX_FAKE_PWSH_GAME="0")
        self.assertEqual(self.failure_of("install_"),
                         "The installer finished but the game isn't in %s." % self.install)

    def archive_rule(self, **rule):
        rule["path"] = "/archive/%s/tar.gz/%s" % (REPO, self.head)
        self.github.set_config({"rules": [rule]})

    def test_an_archive_without_a_folder_is_empty(self):
        data = io.BytesIO()
        with tarfile.open(fileobj=data, mode="w:gz") as tar:
            info = tarfile.TarInfo("loose-file.txt")
            tar.addfile(info, io.BytesIO(b""))
        self.archive_rule(body_base64=base64.b64encode(data.getvalue()).decode())
        self.build()
        self.assertEqual(self.failure_of("install_"), "The download was empty.")
        self.assertEqual(self.calls(), [])

    def test_a_failed_download_and_a_broken_archive(self):
        self.archive_rule(mode="not_found")
        self.build()
        self.assertEqual(self.failure_of("install_"), "Downloading the sources failed.")
        shutil.rmtree(os.path.join(self.data, "logs"))

        self.archive_rule(status=200, body="this is no gzip data")
        self.launch(BUILD)
        self.assertEqual(self.failure_of("install_"), "Unpacking the sources failed.")
        self.assertEqual(self.calls(), [])

    def test_an_unknown_branch_ends_with_the_lookup_text(self):
        self.make_iso()
        self.write_ini(branch="no-such-branch")
        self.launch(BUILD)
        self.assertIn("no-such-branch", self.log("install_")[2])
        self.assertEqual(self.calls(), [])


class StopTest(InstallTestBase):
    def test_stop_kills_the_script_and_its_grandchild(self):
        self.make_iso()
        self.write_ini()
        hold = os.path.join(self.root, "hold.pids")
        # Stop and View the log are then the rows, the latter selected; an odd
        # count of ups ends on Stop, after about six seconds of frames.
        run = self.launch([*BUILD, *(["up"] * 41), "accept"], KORVIX_FAKE_PWSH_HOLD=hold)

        self.assertTrue(os.path.exists(hold), "the script was running when Stop came")
        with open(hold) as f:
            script_pid, grandchild = (int(p) for p in f.read().split())
        self.assertTrue(process_gone(script_pid))
        self.assertTrue(process_gone(grandchild), "the grandchild died with the script")
        # The killed script fails its step; the stop turns that into "Stopped.".
        self.assertTrue(self.failure_of("install_").startswith("The build failed (exit "))
        self.assertFalse(os.path.exists(os.path.join(self.install, "korvix-version.txt")))
        self.assertTrue(has_colour(run.screenshot, WARNING), "Stopped. is shown as a warning")

    def test_closing_the_window_during_a_job_kills_its_children(self):
        self.make_iso()
        self.write_ini()
        hold = os.path.join(self.root, "hold.pids")
        env = self.environment(KORVIX_LAUNCHER_ACTIONS=actions(BUILD), KORVIX_FAKE_PWSH_HOLD=hold,
                               **self.env())
        proc = subprocess.Popen([self.binary], env=env, cwd=self.root, stdin=subprocess.DEVNULL,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            for _ in range(600):
                if os.path.exists(hold):
                    break
                time.sleep(0.1)
            self.assertTrue(os.path.exists(hold), "the script started")
            proc.send_signal(signal.SIGTERM)  # SDL turns it into a quit, like closing the window
            self.assertEqual(proc.wait(timeout=60), 0)
        finally:
            if proc.poll() is None:
                proc.kill()
        with open(hold) as f:
            pids = [int(p) for p in f.read().split()]
        for _ in range(100):
            if all(process_gone(pid) for pid in pids):
                break
            time.sleep(0.1)
        self.assertTrue(all(process_gone(pid) for pid in pids))
