// The shell's launch calls where there is no Windows shell: run the named
// program, found on PATH, with the parameters as its one argument. The host
// reads every text as UTF-8, so both calls hand over the bytes as they are.

#include <spawn.h>
#include <sys/types.h>

#include "link/shell_execute.h"

extern char** environ;

HINSTANCE ShellExecuteA(HWND, const char*, const char* file,
                        const char* parameters, const char*, int) {
  char* argv[] = {const_cast<char*>(file), const_cast<char*>(parameters),
                  nullptr};
  pid_t pid;
  // Not waited for: the program ends at once and leaves the child running.
  posix_spawnp(&pid, file, nullptr, nullptr, argv, environ);
  return nullptr;
}

HINSTANCE ShellExecuteUtf8(HWND owner, const char* verb, const char* file,
                           const char* parameters, const char* directory,
                           int show) {
  return ShellExecuteA(owner, verb, file, parameters, directory, show);
}
