// What every step of an install or an update shares: the window it reports to, the flag that
// stops it, the gate the program's end waits at, and the installation it works on.
#pragma once

#include <atomic>
#include <string>

#include "base/write_gate.h"
#include "ui/window_model.h"

struct RunContext {
  WindowModel& window;
  const std::atomic<bool>& cancel;
  WriteGate& gate;
  const std::wstring& install_dir;

  bool cancelled() const { return cancel.load(); }
};
