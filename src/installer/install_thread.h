// The install worker: fetches the release and installs it.
#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <string_view>

#include "base/write_gate.h"
#include "installer/install_pipeline.h"
#include "net/release_fetch.h"
#include "ui/shared_texts.h"
#include "ui/window_model.h"

// `base_url`: the release service's (tests name the bench's own).
void InstallThread(const std::shared_ptr<WindowModel>& model,
                   const std::atomic<bool>& cancel_requested, WriteGate& gate,
                   const std::wstring& install_dir, const InstallOptions& options = {},
                   std::string_view base_url = kReleaseBaseUrl);
