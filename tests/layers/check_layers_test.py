"""The include check catches an include against the layers, and only such."""

import os
import subprocess
import sys
import tempfile
import unittest

SCRIPT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts", "check_layers.py")
sys.path.insert(0, os.path.dirname(SCRIPT))
import check_layers  # noqa: E402

# (file, its include lines, the include the check must name, or None for none).
CASES = [
    ("state/config.cpp", ['#include "app/launcher_app.h"'], "app/launcher_app.h"),
    ("menu/rows.cpp", ['#include "app/launcher_app.h"'], None),
    ("subtitles/file.cpp", ['#include "editor/document/editor_document.h"'], "editor/document/editor_document.h"),
    ("editor/document/edit.cpp", ["#include <imgui.h>"], "ImGui"),
    ("editor/document/edit.cpp", ['#include "editor/screen/editor_screen.h"'], "editor/screen/editor_screen.h"),
    ("editor/media/audio.cpp", ["#  include <SDL3/SDL.h>"], None),
    ("install/job.cpp", ["#include <SDL3/SDL_video.h>"], "SDL"),
    ("install/game_start.cpp", ["#include <SDL3/SDL.h>"], None),
    ("settings/schema.cpp", ["#include <imgui_internal.h>"], "ImGui"),
    ("editor/screen/panel.cpp", ["#include <imgui.h>", '#include "editor/document/edit.h"'], None),
    ("stray/thing.cpp", [], "lies in no folder"),
]


def build_tree(root, files):
    for path, lines in files.items():
        full = os.path.join(root, path)
        os.makedirs(os.path.dirname(full), exist_ok=True)
        with open(full, "w", encoding="utf-8") as out:
            out.write("// a file\n" + "\n".join(lines) + "\n")


class CheckLayersTest(unittest.TestCase):
    def test_each_case_alone(self):
        for path, lines, named in CASES:
            with self.subTest(path=path, lines=lines), tempfile.TemporaryDirectory() as root:
                build_tree(root, {path: lines})
                offences = check_layers.check(root)
                if named is None:
                    self.assertEqual(offences, [])
                else:
                    self.assertEqual(len(offences), 1, offences)
                    self.assertTrue(offences[0].startswith(f"src/{path}:"), offences[0])
                    self.assertIn(named, offences[0])

    def test_a_header_brings_in_what_it_includes(self):
        with tempfile.TemporaryDirectory() as root:
            build_tree(root, {
                "editor/timeline/colours.h": ['#include "editor/screen/style.h"'],
                "editor/screen/style.h": ["#include <imgui.h>"],
                "editor/timeline/layout.cpp": ['#include "colours.h"'],
            })
            offences = check_layers.check(root)
            self.assertEqual(len(offences), 2, offences)
            self.assertTrue(offences[0].startswith(
                "src/editor/timeline/colours.h:2: includes editor/screen/style.h; "), offences[0])
            self.assertTrue(offences[1].startswith(
                "src/editor/timeline/layout.cpp:2: includes editor/timeline/colours.h, which brings in ImGui; "),
                offences[1])

    def test_the_script_fails_with_one_line_per_offence(self):
        with tempfile.TemporaryDirectory() as root:
            build_tree(root, {"state/a.cpp": ['#include "app/launcher_app.h"', "#include <imgui.h>"]})
            run = subprocess.run([sys.executable, SCRIPT, root], capture_output=True, text=True)
            self.assertEqual(run.returncode, 1)
            lines = run.stdout.splitlines()
            self.assertEqual(len(lines), 3, run.stdout)
            self.assertTrue(lines[0].startswith("src/state/a.cpp:2: includes app/launcher_app.h; state/ may use only"))
            self.assertTrue(lines[1].startswith("src/state/a.cpp:3: includes ImGui; "))
        with tempfile.TemporaryDirectory() as root:
            build_tree(root, {"ui/fit.cpp": ['#include "ui/fit.h"'], "ui/fit.h": []})
            clean = subprocess.run([sys.executable, SCRIPT, root], capture_output=True, text=True)
            self.assertEqual((clean.returncode, clean.stdout), (0, ""))


if __name__ == "__main__":
    unittest.main()
