// Texts both modes show.
#pragma once

inline constexpr const wchar_t* kReleaseUnavailable = L"无法获取版本信息，请检查网络连接";
