// Writes into an installation that the program's end must not cut in half.
#pragma once

#include <mutex>

// Held by a worker around such a write (a file moved into place, a replacement of files, the
// records). The controller takes it once its window has closed and marks it closed: the
// program then never ends in the middle of one, and a worker that has not begun one by then
// does not begin.
struct WriteGate {
  std::mutex mutex;
  bool closed = false;
};
