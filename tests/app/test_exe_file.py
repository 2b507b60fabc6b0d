"""orvane-setup.exe as a file: a GUI program that needs no DLL beyond Windows' own. (How it
starts, shows its window and ends is tests/e2e/.)"""
import pathlib
import subprocess
import sys
import unittest


EXE = pathlib.Path(sys.argv[1])
OBJDUMP = sys.argv[2]
# DLLs every Windows installation has; anything else (the MinGW runtime DLLs above all) would
# have to ship next to the exe.
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "gdiplus.dll", "msvcrt.dll",
               "advapi32.dll", "shell32.dll", "ole32.dll", "oleaut32.dll", "winhttp.dll",
               "bcrypt.dll", "comdlg32.dll", "comctl32.dll", "shlwapi.dll", "version.dll"}


class ExeFile(unittest.TestCase):
    def headers(self):
        return subprocess.run([OBJDUMP, "-p", str(EXE)], capture_output=True, text=True,
                              check=True).stdout

    def test_gui_subsystem_and_only_system_dlls(self):
        text = self.headers()
        self.assertRegex(text, r"Subsystem\s+00000002\s+\(Windows GUI\)")
        dlls = {line.split(":", 1)[1].strip().lower() for line in text.splitlines()
                if "DLL Name:" in line}
        self.assertIn("gdiplus.dll", dlls)
        self.assertEqual(dlls - SYSTEM_DLLS, set())


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
