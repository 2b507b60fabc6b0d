// Named points a test build stops at, so that a test can kill the program at an exact step of
// its work (between two file moves, in the middle of a copy). Only a build configured with
// ORVANE_TEST_HOOKS has them; in any other build this is an empty inline function.
//
// The test build stops at `name` when ORVANE_PAUSE_AT names it ("name", or "name#N" for its
// N-th passage): it creates "<name>.reached" in the folder ORVANE_PAUSE_DIR names and waits
// until "<name>.resume" appears there (for ever, if it never does).
//
// A test build also takes a few of its waits from the environment (test_milliseconds), so that a
// test sees a network bound hold without waiting minutes for it, and fails a named step when
// ORVANE_FAULT_AT names it (test_fault): a failure the bench cannot make for real.
#pragma once

#include <chrono>

#ifdef ORVANE_TEST_HOOKS
void pause_point(const char* name);
// The variable's whole number of milliseconds when it holds one above 0, else `fallback`.
std::chrono::milliseconds test_milliseconds(const wchar_t* variable,
                                            std::chrono::milliseconds fallback);
// True when ORVANE_FAULT_AT is `name`: the step is to fail as if the system had refused it.
bool test_fault(const char* name);
#else
inline void pause_point(const char*) {}
inline std::chrono::milliseconds test_milliseconds(const wchar_t*,
                                                   std::chrono::milliseconds fallback) {
  return fallback;
}
inline bool test_fault(const char*) {
  return false;
}
#endif
