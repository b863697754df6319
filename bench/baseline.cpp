// The floor for opening a link: a program that does nothing but ask the
// shell to run Explorer on a fixed path and return 1. Built with the same
// options as smbopener.exe, so the two can be timed side by side.

#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <shellapi.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  ShellExecuteA(nullptr, "open", "explorer.exe", "\\\\server\\Public Docs\\report",
                nullptr, SW_SHOW);
  return 1;
}
