// Reads the resources of the built orvane-setup.exe through the same Windows calls the shell
// and the loader use.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resource_ids.h"

namespace {

// The build folder is a host path; Wine shows the host's root as drive Z:.
std::wstring ExePath() {
  std::string host = ORVANE_SETUP_EXE;
  std::wstring path = L"Z:";
  for (char c : host) path.push_back(c == '/' ? L'\\' : static_cast<wchar_t>(c));
  return path;
}

struct ModuleCloser {
  void operator()(HMODULE module) const { FreeLibrary(module); }
};
using ModuleHandle = std::unique_ptr<std::remove_pointer_t<HMODULE>, ModuleCloser>;

ModuleHandle LoadAsData() {
  return ModuleHandle(LoadLibraryExW(ExePath().c_str(), nullptr,
                                     LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
}

std::string ResourceBytes(HMODULE module, LPCWSTR name, LPCWSTR type) {
  HRSRC found = FindResourceW(module, name, type);
  if (found == nullptr) return {};
  HGLOBAL loaded = LoadResource(module, found);
  const char* data = static_cast<const char*>(LockResource(loaded));
  return data ? std::string(data, SizeofResource(module, found)) : std::string();
}

std::wstring VersionString(const std::vector<char>& block, const wchar_t* name) {
  std::wstring query = std::wstring(L"\\StringFileInfo\\080404b0\\") + name;
  void* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(block.data(), query.c_str(), &value, &length) || length == 0) return {};
  return static_cast<const wchar_t*>(value);
}

TEST(ExeResources, IconGroupIsResource101WithSeveralSizes) {
  ModuleHandle module = LoadAsData();
  ASSERT_TRUE(module) << GetLastError();
  std::string group = ResourceBytes(module.get(), MAKEINTRESOURCEW(IDI_ORVANE), RT_GROUP_ICON);
  ASSERT_GE(group.size(), 6u);
  const auto count = static_cast<unsigned char>(group[4]);  // GRPICONDIR.idCount
  EXPECT_GE(count, 3u);
  HICON icon = static_cast<HICON>(
      LoadImageW(module.get(), MAKEINTRESOURCEW(IDI_ORVANE), IMAGE_ICON, 32, 32, 0));
  EXPECT_NE(icon, nullptr);
  if (icon) DestroyIcon(icon);
}

TEST(ExeResources, ManifestAsksForCommonControlsSixAndAsInvoker) {
  ModuleHandle module = LoadAsData();
  ASSERT_TRUE(module);
  std::string manifest = ResourceBytes(module.get(), MAKEINTRESOURCEW(1), RT_MANIFEST);
  EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
  EXPECT_NE(manifest.find("version=\"6.0.0.0\""), std::string::npos);
  EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
}

TEST(ExeResources, VersionBlockNamesTheProduct) {
  std::wstring path = ExePath();
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
  ASSERT_GT(size, 0u);
  std::vector<char> block(size);
  ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, block.data()));

  struct Case {
    const wchar_t* name;
    const wchar_t* expected;
  };
  const Case cases[] = {
      {L"ProductName", L"Orvane"},
      {L"FileDescription", L"Orvane Setup"},
      {L"OriginalFilename", L"orvane-setup.exe"},
      {L"FileVersion", L"1.0.0"},
  };
  for (const Case& c : cases) EXPECT_EQ(VersionString(block, c.name), c.expected) << c.name;
  // The tested build says which release service it talks to; only the shipping build is silent.
  const std::string special = ORVANE_EXPECTED_SPECIAL_BUILD;
  EXPECT_EQ(VersionString(block, L"SpecialBuild"), std::wstring(special.begin(), special.end()));
  EXPECT_NE(special.find("127.0.0.1"), std::string::npos);

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);  // 1.0
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
  EXPECT_EQ(fixed->dwFileFlags & VS_FF_SPECIALBUILD, static_cast<DWORD>(VS_FF_SPECIALBUILD));
}

}  // namespace
