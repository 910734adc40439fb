"""The test command's steps (scripts/steps.sh): a build beside the tests runs at
the lowest priority, its failure ends the run with its log, and a run that ends
early leaves nothing of it running."""

import os
import re
import subprocess
import tempfile
import time
import unittest

STEPS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts", "steps.sh")


def run_steps(body, folder):
    """Runs `body` after sourcing the steps, in `folder`: (exit code, output)."""
    script = "set -euo pipefail\nsource %s\n%s\n" % (STEPS, body)
    run = subprocess.run(["bash", "-c", script], cwd=folder, stdin=subprocess.DEVNULL,
                         capture_output=True, text=True, timeout=60)
    return run.returncode, run.stdout + run.stderr


def tests_beside_a_build(name, command):
    """The test command's shape: a build beside a test stage, then the stage
    that needs it."""
    return ('start_background "%s" bash -c "%s"\nstage "Linux tests" true\nfinish_background\n'
            'stage "Windows tests" echo never-run-when-the-build-fails' % (name, command))


def alive(pid):
    try:
        os.kill(pid, 0)
    except ProcessLookupError:
        return False
    with open("/proc/%d/stat" % pid) as f:
        return f.read().split(")")[-1].split()[0] != "Z"


class StepsTest(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.mkdtemp(prefix="korvix-steps-")
        self.addCleanup(subprocess.run, ["rm", "-rf", self.folder])

    def test_a_background_build_runs_niced_and_every_step_is_timed(self):
        code, out = run_steps(tests_beside_a_build("Sanitizer build", "nice; echo built"), self.folder)
        self.assertEqual(code, 0, out)
        with open(os.path.join(self.folder, "build", "sanitizer-build.log")) as f:
            self.assertEqual(f.read().split(), ["19", "built"])
        summary = out[out.index("=== step times"):].splitlines()
        # Seconds are whole and may tick over between two steps.
        self.assertEqual([re.sub(r"\d+ s", "N s", line).strip() for line in summary[1:]],
                         ["N s  Linux tests", "N s  Sanitizer build (waited for N s)", "N s  Windows tests",
                          "N s  in all"])

    def test_a_failed_background_build_ends_the_run_with_its_log_and_code(self):
        code, out = run_steps(
            tests_beside_a_build("Windows build", "echo compiling; echo \'x.cpp:3: error: no\' >&2; exit 7"),
            self.folder)
        self.assertEqual(code, 7, out)
        self.assertIn("x.cpp:3: error: no", out)
        self.assertIn("test: Windows build failed (whole output in build/windows-build.log)", out)
        self.assertNotIn("=== Windows tests", out)

    def test_a_run_that_fails_early_ends_the_background_build_and_all_it_started(self):
        pid_file = os.path.join(self.folder, "grandchild.pid")
        code, out = run_steps(
            'start_background "ASan build" bash -c "sleep 60 & echo \\$! > %s; wait"\n'
            'while [ ! -s %s ]; do sleep 0.05; done\n'
            'stage "Linux tests" false' % (pid_file, pid_file), self.folder)
        self.assertEqual(code, 1, out)
        with open(pid_file) as f:
            grandchild = int(f.read())
        deadline = time.monotonic() + 10
        while alive(grandchild) and time.monotonic() < deadline:
            time.sleep(0.05)
        self.assertFalse(alive(grandchild), "the background build's child still runs")


if __name__ == "__main__":
    unittest.main()
