// The plainest program that does an install's work, for scripts/bench to measure against: each
// package in turn is downloaded with WinHTTP into a file, hashed with CNG from that file, then
// unpacked by tar (a zip, whose file is hashed too) or moved into place. No overlap, no checks
// beyond the digests, no records.
//   install-floor.exe DIR URL ZIP_MEMBER_OR_- [URL ZIP_MEMBER_OR_- ...]
// Prints each digest; exit code 0 when every step worked.
#include <windows.h>
#include <bcrypt.h>
#include <winhttp.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr DWORD kBuffer = 1024 * 1024;

bool download(const std::wstring& url, const std::wstring& path) {
  URL_COMPONENTS parts{};
  parts.dwStructSize = sizeof(parts);
  wchar_t host[256] = {};
  wchar_t object[2048] = {};
  parts.lpszHostName = host;
  parts.dwHostNameLength = 256;
  parts.lpszUrlPath = object;
  parts.dwUrlPathLength = 2048;
  if (!WinHttpCrackUrl(url.c_str(), 0, 0, &parts)) return false;
  HINTERNET session = WinHttpOpen(L"floor", WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, nullptr, nullptr, 0);
  HINTERNET connection = WinHttpConnect(session, host, parts.nPort, 0);
  HINTERNET request = WinHttpOpenRequest(connection, L"GET", object, nullptr, nullptr, nullptr, 0);
  bool ok = request && WinHttpSendRequest(request, nullptr, 0, nullptr, 0, 0, 0) &&
            WinHttpReceiveResponse(request, nullptr);
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  std::vector<char> buffer(kBuffer);
  while (ok && file != INVALID_HANDLE_VALUE) {
    DWORD read = 0;
    if (!WinHttpReadData(request, buffer.data(), kBuffer, &read)) ok = false;
    if (!ok || read == 0) break;
    DWORD written = 0;
    ok = WriteFile(file, buffer.data(), read, &written, nullptr) && written == read;
  }
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  WinHttpCloseHandle(request);
  WinHttpCloseHandle(connection);
  WinHttpCloseHandle(session);
  return ok && file != INVALID_HANDLE_VALUE;
}

std::string sha256(const std::wstring& path) {
  BCRYPT_ALG_HANDLE algorithm = nullptr;
  BCRYPT_HASH_HANDLE hash = nullptr;
  BCryptOpenAlgorithmProvider(&algorithm, BCRYPT_SHA256_ALGORITHM, nullptr, 0);
  BCryptCreateHash(algorithm, &hash, nullptr, 0, nullptr, 0, 0);
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  std::vector<UCHAR> buffer(kBuffer);
  DWORD read = 0;
  while (file != INVALID_HANDLE_VALUE && ReadFile(file, buffer.data(), kBuffer, &read, nullptr) && read > 0) {
    BCryptHashData(hash, buffer.data(), read, 0);
  }
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  UCHAR digest[32] = {};
  BCryptFinishHash(hash, digest, sizeof(digest), 0);
  BCryptDestroyHash(hash);
  BCryptCloseAlgorithmProvider(algorithm, 0);
  std::string hex;
  for (UCHAR value : digest) {
    char pair[3];
    std::snprintf(pair, sizeof(pair), "%02x", value);
    hex += pair;
  }
  return hex;
}

bool untar(const std::wstring& zip, const std::wstring& dir) {
  wchar_t system[MAX_PATH] = {};
  GetSystemDirectoryW(system, MAX_PATH);
  const std::wstring tar = std::wstring(system) + L"\\tar.exe";
  std::wstring line = L"\"" + tar + L"\" -xf \"" + zip + L"\" -C \"" + dir + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(tar.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &info)) {
    return false;
  }
  WaitForSingleObject(info.hProcess, INFINITE);
  DWORD code = 1;
  GetExitCodeProcess(info.hProcess, &code);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return code == 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 4 || (argc - 2) % 2 != 0) return 2;
  const std::wstring dir = argv[1];
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  for (int i = 2; i + 1 < argc; i += 2) {
    const std::wstring download_path = std::wstring(temp) + L"floor-" + std::to_wstring(i) + L".bin";
    if (!download(argv[i], download_path)) return 1;
    std::printf("%s\n", sha256(download_path).c_str());
    const std::wstring member = argv[i + 1];
    if (member == L"-") {
      const std::wstring target = dir + L"\\" + std::to_wstring(i) + L".bin";
      if (!MoveFileExW(download_path.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) return 1;
    } else {
      if (!untar(download_path, dir)) return 1;
      std::printf("%s\n", sha256(dir + L"\\" + member).c_str());
      DeleteFileW(download_path.c_str());
    }
  }
  return 0;
}
