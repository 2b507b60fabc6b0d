// Named points a test build stops at, so that a test can kill the program at an exact step of
// its work (between two file moves, in the middle of a copy). Only a build configured with
// ORVANE_TEST_HOOKS has them; in any other build this is an empty inline function.
//
// The test build stops at `name` when ORVANE_PAUSE_AT names it ("name", or "name#N" for its
// N-th passage): it creates "<name>.reached" in the folder ORVANE_PAUSE_DIR names and waits
// until "<name>.resume" appears there (for ever, if it never does).
#pragma once

#ifdef ORVANE_TEST_HOOKS
void pause_point(const char* name);
#else
inline void pause_point(const char*) {}
#endif
