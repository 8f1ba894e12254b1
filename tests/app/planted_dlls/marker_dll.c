/* A stand-in for a system DLL, planted where a program must not take code
   from. Once loaded it appends the loading program's name to a file named
   after itself plus ".loaded", and lets the program go on. */
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID reserved) {
  char marker[MAX_PATH + 8];
  char program[MAX_PATH + 2];
  DWORD length;
  DWORD written;
  HANDLE file;
  (void)reserved;
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  length = GetModuleFileNameA(self, marker, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return TRUE;
  lstrcpyA(marker + length, ".loaded");
  length = GetModuleFileNameA(NULL, program, MAX_PATH);
  if (length >= MAX_PATH) length = 0;
  lstrcpyA(program + length, "\r\n");
  file = CreateFileA(marker, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_ALWAYS,
                     FILE_ATTRIBUTE_NORMAL, NULL);
  if (file == INVALID_HANDLE_VALUE) return TRUE;
  WriteFile(file, program, length + 2, &written, NULL);
  CloseHandle(file);
  return TRUE;
}
