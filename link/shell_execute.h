#ifndef SMBOPENER_LINK_SHELL_EXECUTE_H_
#define SMBOPENER_LINK_SHELL_EXECUTE_H_

// The one call by which the program acts on the world: asking the shell to
// run a program. On Windows, ShellExecuteA is SHELL32's own, and
// ShellExecuteUtf8 (windows_shell.cpp) converts its texts to UTF-16 for
// SHELL32's ShellExecuteW. Elsewhere both are declared here with the same
// parameters and defined by host_shell.cpp, or by a test that records the
// request instead of running anything.

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <shellapi.h>
#else
struct HWND__;
struct HINSTANCE__;
using HWND = HWND__*;
using HINSTANCE = HINSTANCE__*;

// Show the new program's window in its current size and position.
constexpr int SW_SHOW = 5;

// Runs `file` with `parameters` as one argument and does not wait for it.
// The result says nothing; callers ignore it.
HINSTANCE ShellExecuteA(HWND owner, const char* verb, const char* file,
                        const char* parameters, const char* directory,
                        int show);
#endif

// ShellExecuteA with every text read as UTF-8 rather than in the ANSI code
// page; the texts must be well-formed UTF-8. On Windows it is ShellExecuteW
// on their UTF-16 form, and nothing is run if one cannot be converted.
HINSTANCE ShellExecuteUtf8(HWND owner, const char* verb, const char* file,
                           const char* parameters, const char* directory,
                           int show);

#endif  // SMBOPENER_LINK_SHELL_EXECUTE_H_
