#include "base/path_text.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

TEST(ParentDirectory, DropsTheLastElementButNeverTheRoot) {
  const struct {
    const wchar_t* path;
    const wchar_t* parent;
  } cases[] = {
      {L"C:\\Program Files\\Orvane\\setup.exe", L"C:\\Program Files\\Orvane"},
      {L"C:\\setup.exe", L"C:\\"},
      {L"C:/setup.exe", L"C:/"},
      {L"C:setup.exe", L"C:"},
      {L"C:\\dir\\\\\\setup.exe", L"C:\\dir"},
      {L"C:\\dir/sub\\setup.exe", L"C:\\dir/sub"},
      {L"\\\\server\\share\\setup.exe", L"\\\\server\\share"},
      {L"\\\\server\\setup.exe", L"\\\\server\\"},
      {L"\\\\?\\C:\\dir\\setup.exe", L"\\\\?\\C:\\dir"},
      {L"\\\\?\\setup.exe", L"\\\\?\\"},
      {L"\\\\.\\pipe\\x", L"\\\\.\\pipe"},
      {L"\\setup.exe", L"\\"},
      {L"setup.exe", L""},
      {L"", L""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(parent_directory(c.path), c.parent) << testing::PrintToString(std::wstring(c.path));
  }
}

TEST(JoinPath, ExactlyOneSeparator) {
  const struct {
    const wchar_t* dir;
    const wchar_t* name;
    const wchar_t* joined;
  } cases[] = {
      {L"D:\\Orvane", L"chrome.exe", L"D:\\Orvane\\chrome.exe"},
      {L"D:\\", L"chrome.exe", L"D:\\chrome.exe"},
      {L"D:/Orvane/", L"chrome.exe", L"D:/Orvane/chrome.exe"},
      {L"D:\\Orvane", L"\\chrome.exe", L"D:\\Orvane\\chrome.exe"},
      {L"D:\\Orvane", L"locales/zh-CN.pak", L"D:\\Orvane\\locales/zh-CN.pak"},
      {L"", L"chrome.exe", L"chrome.exe"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(join_path(c.dir, c.name), c.joined) << testing::PrintToString(std::wstring(c.dir));
  }
}

TEST(FullDirectory, RefusesRelativeFormsAndDropsTrailingSeparators) {
  const struct {
    const wchar_t* typed;
    std::optional<std::wstring> directory;
  } cases[] = {
      {L"D:\\Orvane", L"D:\\Orvane"},
      {L"D:\\Orvane\\", L"D:\\Orvane"},
      {L"D:\\Orvane\\/\\", L"D:\\Orvane"},
      {L"d:/Orvane/", L"d:/Orvane"},
      {L"D:\\", L"D:\\"},
      {L"D:\\\\", L"D:\\"},
      {L"\\\\server\\share\\Orvane\\", L"\\\\server\\share\\Orvane"},
      {L"\\\\server\\share", L"\\\\server\\share"},
      {L"\\\\?\\D:\\Orvane\\", L"\\\\?\\D:\\Orvane"},
      {L"\\\\?\\D:\\", L"\\\\?\\D:\\"},
      // As Windows makes the folder: the last element's trailing spaces and dots go.
      {L"D:\\Orvane ", L"D:\\Orvane"},
      {L"D:\\Orvane. \\", L"D:\\Orvane"},
      {L"D:\\a.b.", L"D:\\a.b"},
      {L"D:\\ ", L"D:\\"},
      {L"D:\\x\\..", L"D:\\x\\.."},
      {L"\\\\?\\D:\\Orvane ", L"\\\\?\\D:\\Orvane "},
      // Explorer's "Copy as path".
      {L"\"C:\\Orvane Quoted\"", L"C:\\Orvane Quoted"},
      {L"\"Orvane\"", std::nullopt},
      {L"\"", std::nullopt},
      // A quote left over (a command line's --dir "D:\X\" escapes its closing quote).
      {L"D:\\X\"", std::nullopt},
      {L"\"D:\\X", std::nullopt},
      {L"\"\"D:\\X\"\"", std::nullopt},
      {L"D:\\a\"b", std::nullopt},
      // Relative: they would land wherever the installer was started.
      {L"Orvane", std::nullopt},
      {L"..\\x", std::nullopt},
      {L".\\Orvane", std::nullopt},
      {L"D:Orvane", std::nullopt},
      {L"D:", std::nullopt},
      {L"\\Orvane", std::nullopt},
      {L"1:\\Orvane", std::nullopt},
      {L"\\\\server", std::nullopt},
      {L"\\\\server\\", std::nullopt},
      {L"\\\\.\\COM1", std::nullopt},
      {L"\\\\?\\Orvane", std::nullopt},
      {L"", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(full_directory(c.typed), c.directory) << testing::PrintToString(std::wstring(c.typed));
  }
}

}  // namespace
