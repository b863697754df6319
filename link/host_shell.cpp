// The shell's launch call where there is no Windows shell: runs the named
// program, found on PATH, with the parameters as its one argument.

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
