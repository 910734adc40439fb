"""korvix-launcher.exe under Wine: the "Desktop shortcut" row hands PowerShell the
command that saves the .lnk. A stand-in powershell.exe where the system's lives
(the only one the launcher starts) records the arguments it got; another in the
launcher's current folder must never run."""
import os
import shutil
import subprocess
import tempfile
import unittest

import test_gui_smoke as wine

RECORDER = os.environ.get("KORVIX_RECORDER", "")

# Installed main menu: the ninth row is "Desktop shortcut". The screenshot hook
# ends the run once the script is done.
ACTIONS = ",".join(["down"] * 8 + ["accept"])


def single_quoted(text):
    return text.replace("'", "''")


class WineShortcutTest(unittest.TestCase):
    setUp = wine.WineGuiSmokeTest.setUp
    run_under_wine = wine.WineGuiSmokeTest.run_under_wine

    def wine_appdata(self):
        """Wine sets APPDATA from its own profile, whatever the caller's variable
        says: the launcher's data folder is inside the prefix."""
        users = os.path.join(os.path.abspath(wine.PREFIX), "drive_c", "users")
        if not os.path.isdir(users):
            # A first run makes the prefix; the recorder is as good a program as any.
            subprocess.run([wine.WINE_RUN, wine.PREFIX, RECORDER], stdin=subprocess.DEVNULL, capture_output=True,
                           timeout=540)
            # That run's Wine server and desktop started without a display; a
            # window opened while they linger has no driver and the launcher
            # ends with code 1. Let them end first.
            wineserver = shutil.which("wineserver") or "/usr/lib/wine/wineserver"
            subprocess.run([wineserver, "-w"], env=dict(os.environ, WINEPREFIX=os.path.abspath(wine.PREFIX)),
                           stdin=subprocess.DEVNULL, capture_output=True, timeout=120)
        names = [name for name in os.listdir(users) if name != "Public"]
        self.assertEqual(len(names), 1, names)
        return os.path.join(users, names[0], "AppData", "Roaming")

    def write(self, path, data):
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)

    def test_powershell_gets_the_shortcut_command(self):
        if not RECORDER:
            self.fail("KORVIX_RECORDER must name the recorder fixture")
        install = os.path.join(self.root, "Games", "Rick's Korvix")
        for name in ("korvix.exe", os.path.join("game", "default.xex"), "korvix-icon.ico", "korvix-icon.png"):
            self.write(os.path.join(install, name), b"stand-in")
        ini = "install_dir=%s\r\n" % wine.windows_path(install)
        self.write(os.path.join(self.wine_appdata(), "KorvixVelarine", "launcher.ini"), ini.encode("utf-8"))
        system_powershell = os.path.join(os.path.abspath(wine.PREFIX), "drive_c", "windows", "system32",
                                         "WindowsPowerShell", "v1.0", "powershell.exe")
        shutil.copy2(RECORDER, system_powershell)
        planted = os.path.join(self.root, "powershell.exe")
        with open(planted, "wb") as f:
            f.write(b"MZ not a program that may run")
        # An ASCII path: the recorder reads its variables in the system code page.
        record_folder = tempfile.mkdtemp(prefix="korvix-record-")
        self.addCleanup(shutil.rmtree, record_folder, ignore_errors=True)
        record = os.path.join(record_folder, "record.txt")

        shot = os.path.join(self.root, "shot.bmp")
        # The software renderer: this run is about the command, and the GL path
        # has its own smoke test.
        run = self.run_under_wine(SDL_RENDER_DRIVER="software", KORVIX_LAUNCHER_ACTIONS=ACTIONS, KORVIX_RECORD_FILE=wine.windows_path(record),
                                  KORVIX_RECORD_EXIT="0", KORVIX_LAUNCHER_SCREENSHOT=wine.windows_path(shot))
        keep = os.environ.get("KORVIX_KEEP_SCREENSHOTS")
        if keep and os.path.exists(shot):
            os.makedirs(keep, exist_ok=True)
            shutil.copy2(shot, os.path.join(keep, "wine_shortcut.bmp"))

        self.assertEqual(run.returncode, 0, run.stdout + run.stderr)
        with open(record, encoding="utf-8") as f:
            lines = f.read().splitlines()
        folder = wine.windows_path(install)
        command = ("$s=(New-Object -ComObject WScript.Shell).CreateShortcut([IO.Path]::Combine("
                   "[Environment]::GetFolderPath('Desktop'),'Korvix Velarine.lnk'));"
                   "$s.TargetPath='%s\\korvix-launcher.exe';$s.WorkingDirectory='%s';"
                   "$s.IconLocation='%s\\korvix-icon.ico,0';$s.Save()") % ((single_quoted(folder),) * 3)
        # The launcher's own folder, then the three arguments, once: the system's
        # PowerShell ran, not the one beside the launcher.
        self.assertEqual(lines[1:], ["-NoProfile", "-Command", command, "--"])
        # Start-up placed the launcher in the install folder; the shortcut points there.
        self.assertTrue(os.path.exists(os.path.join(install, "korvix-launcher.exe")))


if __name__ == "__main__":
    unittest.main()
