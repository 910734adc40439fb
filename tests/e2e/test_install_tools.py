"""The optional tools, a flood of output, and the running-job view of the test hook."""
import os

from install_harness import BUILD, MAKE_SUBTITLES, SUCCESS, UPSCALE, InstallTestBase, game_project, has_colour


class ToolTest(InstallTestBase):
    def prepare(self, full=True):
        game_project.write_sources(self.sources, full=full)
        self.install_game()
        self.write_ini()
        self.toml = os.path.join(self.install, "korvix.toml")
        self.toml_text = b"# the game's settings\r\nnative_render_scale = 2\r\nnative_upscaled_textures = false\r\n"
        with open(self.toml, "wb") as f:
            f.write(self.toml_text)

    def test_a_missing_script_asks_for_an_update_and_runs_nothing(self):
        self.prepare(full=False)
        self.launch(UPSCALE)
        self.assertEqual(self.failure_of("upscale_"),
                         "The texture upscaler isn't in this install's sources (%s): "
                         "Update first (or choose a branch that has it)." % self.sources)
        self.assertEqual(self.calls(), [])

    def test_the_upscaler_gets_the_built_tool_and_switches_the_textures_on(self):
        self.prepare()
        tool = os.path.join(self.sources, "out", "build", "release", "korvix-texture-upscale.exe")
        os.makedirs(os.path.dirname(tool))
        with open(tool, "wb") as f:
            f.write(b"tool")

        run = self.launch(UPSCALE)

        (call,) = self.calls()
        self.assertEqual(call["args"][4:], [os.path.join(self.sources, "installer", "Upscale-Textures.ps1"),
                                            "-InstallDir", self.install, "-Tool", tool])
        with open(self.toml, "rb") as f:
            self.assertEqual(f.read(), self.toml_text.replace(b"textures = false", b"textures = true"))
        log = self.log("upscale_")
        self.assertIn("== Getting whisper.cpp", log)
        self.assertEqual(log[-1], "Finished.")
        self.assertTrue(has_colour(run.screenshot, SUCCESS))

    def test_the_subtitle_maker_runs_without_a_tool_and_leaves_the_settings(self):
        self.prepare()
        self.launch(MAKE_SUBTITLES)
        (call,) = self.calls()
        self.assertEqual(call["args"][4:], [os.path.join(self.sources, "installer", "Make-Subtitles.ps1"),
                                            "-InstallDir", self.install])
        with open(self.toml, "rb") as f:
            self.assertEqual(f.read(), self.toml_text)
        self.assertEqual(self.log("subtitles_")[-1], "Finished.")

    def test_a_failing_tool_names_its_exit_code(self):
        self.prepare()
        self.launch(MAKE_SUBTITLES, KORVIX_FAKE_PWSH_EXIT="3")
        self.assertEqual(self.failure_of("subtitles_"), "The subtitle maker failed (exit 3).")


class LoadTest(InstallTestBase):
    def test_a_million_lines_all_reach_the_log(self):
        self.make_iso()
        self.write_ini()
        self.launch(BUILD, KORVIX_FAKE_PWSH_LINES="1000000")
        log = self.log("install_")
        flood = [line for line in log if " flood line " in line]
        self.assertEqual(len(flood), 1000000)
        self.assertEqual(flood[0], "[1/1000000] flood line 1")
        self.assertEqual(flood[-1], "[1000000/1000000] flood line 1000000")
        self.assertEqual(log[-1], "Finished.")


class TestProgressHookTest(InstallTestBase):
    def test_the_running_view_without_a_job(self):
        run = self.launch([], KORVIX_LAUNCHER_TEST_PROGRESS="0.42")
        self.assertTrue(os.path.exists(run.screenshot))
        self.assertEqual(self.calls(), [])
