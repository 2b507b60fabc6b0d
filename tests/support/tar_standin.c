/* Test-only tar.exe for the Wine prefix (Wine ships no tar).
 *
 * Maps every argument that is a drive path (X:\... or X:/...) to its host path and runs the
 * host's bsdtar with the same arguments, waiting for it. Exit code 0 exactly when bsdtar
 * exited with 0. Host programs must be started through ntdll's spawn call: that is the only
 * way from inside Wine that keeps the child's exit status.
 *
 * bsdtar is started through setpriv with a parent-death signal: when this process is killed
 * (as a job that ends kills it), bsdtar dies with it, as a real tar.exe would.
 */
#include <windows.h>

#include <stdlib.h>
#include <string.h>

#define HOST_TAR "/usr/bin/bsdtar"
static char *const kWithParent[] = {"/usr/bin/setpriv", "--pdeathsig", "KILL", HOST_TAR};
#define WITH_PARENT_COUNT (sizeof(kWithParent) / sizeof(kWithParent[0]))

typedef char *(CDECL *unix_file_name_fn)(LPCWSTR dos_path);
typedef LONG(CDECL *unix_spawnvp_fn)(char *const argv[], int wait);

static int is_drive_path(const wchar_t *arg) {
  return ((arg[0] >= L'A' && arg[0] <= L'Z') || (arg[0] >= L'a' && arg[0] <= L'z')) &&
         arg[1] == L':' && (arg[2] == L'\\' || arg[2] == L'/');
}

static char *to_utf8(const wchar_t *text) {
  int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, NULL, 0, NULL, NULL);
  char *out = size > 0 ? (char *)malloc((size_t)size) : NULL;
  if (out) WideCharToMultiByte(CP_UTF8, 0, text, -1, out, size, NULL, NULL);
  return out;
}

int wmain(int argc, wchar_t **argv) {
  unix_file_name_fn unix_file_name = (unix_file_name_fn)(void *)GetProcAddress(
      GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name");
  unix_spawnvp_fn unix_spawnvp = (unix_spawnvp_fn)(void *)GetProcAddress(
      GetModuleHandleW(L"ntdll.dll"), "__wine_unix_spawnvp");
  if (!unix_file_name || !unix_spawnvp) return 2;

  char **host_argv = (char **)calloc((size_t)argc + WITH_PARENT_COUNT, sizeof(char *));
  if (!host_argv) return 2;
  for (size_t k = 0; k < WITH_PARENT_COUNT; ++k) host_argv[k] = kWithParent[k];
  for (int i = 1; i < argc; ++i) {
    char *arg = is_drive_path(argv[i]) ? unix_file_name(argv[i]) : to_utf8(argv[i]);
    if (!arg) return 2;
    host_argv[WITH_PARENT_COUNT - 1 + (size_t)i] = arg;
  }
  return unix_spawnvp(host_argv, 1) == 0 ? 0 : 1;
}
