"""The release service under its old name for tests, and as a program (see main()); it lives
in tools/orvane_release/service.py."""
import pathlib
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[2] / "tools"))
from orvane_release.service import *  # noqa: E402,F401,F403
from orvane_release.service import main  # noqa: E402

if __name__ == "__main__":
    sys.exit(main())
