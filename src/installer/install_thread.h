// The install worker: fetches the release and installs it.
#pragma once

#include <atomic>
#include <memory>
#include <string>

#include "base/write_gate.h"
#include "installer/install_pipeline.h"
#include "ui/shared_texts.h"
#include "ui/window_model.h"

void InstallThread(const std::shared_ptr<WindowModel>& model,
                   const std::atomic<bool>& cancel_requested, WriteGate& gate,
                   const std::wstring& install_dir, const InstallOptions& options = {});
