"""The Windows executable: one file, system DLLs only, GUI subsystem, manifest
and version resource."""
import os
import re
import struct
import subprocess
import unittest

BINARY = os.environ.get("KORVIX_LAUNCHER_BINARY", "")
OBJDUMP = os.environ.get("KORVIX_OBJDUMP", "x86_64-w64-mingw32-objdump")
VERSION = os.environ.get("KORVIX_LAUNCHER_VERSION", "")

# DLLs every Windows 10 and 11 installation has. Anything else (the compiler's
# runtime, SDL3.dll) would have to ship beside the .exe, so it must be linked in.
SYSTEM_DLLS = {
    "advapi32.dll", "bcrypt.dll", "cfgmgr32.dll", "comctl32.dll", "comdlg32.dll",
    "crypt32.dll", "dinput8.dll", "dwmapi.dll", "gdi32.dll", "hid.dll", "imm32.dll",
    "kernel32.dll", "msvcrt.dll", "ntdll.dll", "ole32.dll", "oleaut32.dll",
    "opengl32.dll", "powrprof.dll", "setupapi.dll", "shell32.dll", "shlwapi.dll",
    "ucrtbase.dll", "user32.dll", "userenv.dll", "uxtheme.dll", "version.dll",
    "winmm.dll", "ws2_32.dll", "xinput1_4.dll",
}


class WindowsExecutableTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        if not BINARY or not os.path.exists(BINARY):
            raise AssertionError("KORVIX_LAUNCHER_BINARY must name the built korvix-launcher.exe")
        cls.headers = subprocess.run([OBJDUMP, "-p", BINARY], check=True, capture_output=True,
                                     text=True).stdout
        with open(BINARY, "rb") as f:
            cls.data = f.read()

    def test_imports_only_system_dlls(self):
        imported = re.findall(r"DLL Name: (\S+)", self.headers)
        self.assertIn("KERNEL32.dll".lower(), {name.lower() for name in imported})
        foreign = [name for name in imported
                   if name.lower() not in SYSTEM_DLLS and not name.lower().startswith("api-ms-win-")]
        self.assertEqual(foreign, [], "the .exe needs DLLs that Windows does not have")

    def test_is_a_64_bit_gui_program(self):
        self.assertRegex(self.headers, r"file format pei-x86-64")
        self.assertRegex(self.headers, r"Subsystem\s+00000002\s+\(Windows GUI\)")

    def test_manifest_declares_dpi_code_page_and_long_paths(self):
        start = self.data.find(b"<assembly")
        end = self.data.find(b"</assembly>", start)
        self.assertGreaterEqual(start, 0, "no application manifest in the .exe")
        self.assertEqual(len(re.findall(rb"<assembly[\s>]", self.data)), 1, "more than one manifest")
        manifest = self.data[start:end].decode("utf-8")
        self.assertRegex(manifest, r"<dpiAwareness[^>]*>\s*PerMonitorV2")
        self.assertRegex(manifest, r"<dpiAware[^>]*>\s*true/pm\s*<")
        self.assertRegex(manifest, r"<activeCodePage[^>]*>\s*UTF-8\s*<")
        self.assertRegex(manifest, r"<longPathAware[^>]*>\s*true\s*<")

    def test_version_resource_carries_the_release(self):
        major, minor, patch = (int(part) for part in VERSION.split("."))
        # VS_FIXEDFILEINFO: signature, structure version, then file and product versions.
        fixed = self.data.find(struct.pack("<I", 0xFEEF04BD))
        self.assertGreaterEqual(fixed, 0, "no version resource in the .exe")
        file_ms, file_ls, product_ms, product_ls = struct.unpack("<4I", self.data[fixed + 8:fixed + 24])
        self.assertEqual((file_ms, file_ls), ((major << 16) | minor, patch << 16))
        self.assertEqual((product_ms, product_ls), (file_ms, file_ls))
        for key in ("FileVersion", "ProductVersion"):
            entry = (key + "\0").encode("utf-16-le")
            at = self.data.find(entry)
            self.assertGreaterEqual(at, 0, key)
            self.assertIn((VERSION + "\0").encode("utf-16-le"), self.data[at:at + 64], key)


if __name__ == "__main__":
    unittest.main()
