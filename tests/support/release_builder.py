"""The release builder under its old name for tests; it lives in tools/orvane_release/build.py."""
import pathlib
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[2] / "tools"))
from orvane_release.build import *  # noqa: E402,F401,F403
