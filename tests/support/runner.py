"""How every test script runs: unittest's main, with the script's skipped tests counted where
scripts/test sums them, and a skip taken as a failure under CI (ORVANE_CI), where a test that
cannot run checks nothing."""
import os
import pathlib
import sys
import unittest

SKIP_LOG = "ORVANE_SKIP_LOG"  # a file scripts/test names: one line per script with skips
STRICT = "ORVANE_CI"


def main(**options):
    """unittest.main with options (argv, verbosity), then the exit as above."""
    program = unittest.main(exit=False, **options)
    skipped = program.result.skipped
    script = pathlib.Path(sys.argv[0]).name
    if skipped and os.environ.get(SKIP_LOG):
        with open(os.environ[SKIP_LOG], "a", encoding="utf-8") as log:
            log.write(f"{script} {len(skipped)}\n")
    strict = bool(skipped and os.environ.get(STRICT))
    for case, reason in skipped if strict else ():
        print(f"{script}: {case.id()} skipped under CI: {reason}", file=sys.stderr)
    sys.exit(0 if program.result.wasSuccessful() and not strict else 1)
