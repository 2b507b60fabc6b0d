// The install worker: fetches the release and installs it.
#pragma once

#include <atomic>
#include <memory>
#include <string>

#include "ui/window_model.h"

inline constexpr const wchar_t* kReleaseUnavailable = L"无法获取版本信息，请检查网络连接";

void InstallThread(const std::shared_ptr<WindowModel>& model,
                   const std::shared_ptr<std::atomic<bool>>& cancel_requested,
                   const std::wstring& install_dir);
