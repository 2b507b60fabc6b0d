/* Test-only stand-ins for what an attacker plants beside an installer in Downloads: copied as
 * cmd.exe / tar.exe it is a program, built as a DLL (PLANTED_DLL) it is any DLL. Whichever way
 * it runs, it leaves "<its own path>.ran" beside itself, so a test sees that it was used. */
#include <windows.h>

static void leave_mark(HMODULE self) {
  wchar_t path[MAX_PATH + 8];
  DWORD length = GetModuleFileNameW(self, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return;
  lstrcpyW(path + length, L".ran");
  HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
}

#ifdef PLANTED_DLL
BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  (void)reserved;
  if (reason == DLL_PROCESS_ATTACH) leave_mark(instance);
  return TRUE;
}
#else
int wmain(void) {
  leave_mark(NULL);
  return 0;
}
#endif
