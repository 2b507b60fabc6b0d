// Starting a worker that nobody joins.
#pragma once

#include <functional>

// Runs `work` on a new detached thread; false when the thread could not be started (the
// standard library reports that by throwing, which must not end the program).
bool start_detached(std::function<void()> work);
