"""orvane-setup.exe as a file: a GUI program that needs no DLL beyond Windows' own and imports
only known DLLs. (How it starts, shows its window and ends is tests/e2e/.)"""
import pathlib
import subprocess
import sys
import unittest

from support import runner


EXE = pathlib.Path(sys.argv[1])
OBJDUMP = sys.argv[2]
# Known DLLs: Windows maps them from the system folder whatever lies beside the exe. Any other
# DLL in the import table would be looked up in the exe's folder first, before our code runs
# (a winhttp.dll planted beside the installer in Downloads); those are delay-loaded instead.
KNOWN_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "msvcrt.dll", "advapi32.dll",
              "shell32.dll", "ole32.dll", "oleaut32.dll", "comdlg32.dll", "shlwapi.dll"}
DELAY_LOADED = {"gdiplus.dll", "winhttp.dll", "comctl32.dll", "bcrypt.dll"}


class ExeFile(unittest.TestCase):
    def headers(self):
        return subprocess.run([OBJDUMP, "-p", str(EXE)], capture_output=True, text=True,
                              check=True).stdout

    def test_gui_subsystem_and_only_known_dlls_imported(self):
        text = self.headers()
        self.assertRegex(text, r"Subsystem\s+00000002\s+\(Windows GUI\)")
        dlls = {line.split(":", 1)[1].strip().lower() for line in text.splitlines()
                if "DLL Name:" in line}
        self.assertEqual(dlls - KNOWN_DLLS, set())
        # The others are named in the exe for the delay-load helper to load on first use.
        content = EXE.read_bytes().lower()
        for dll in DELAY_LOADED:
            self.assertIn(dll.encode(), content)


if __name__ == "__main__":
    runner.main(argv=sys.argv[:1], verbosity=2)
