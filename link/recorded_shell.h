#ifndef SMBOPENER_LINK_RECORDED_SHELL_H_
#define SMBOPENER_LINK_RECORDED_SHELL_H_

// The shell's launch calls for tests, fuzzers and benchmarks: they run
// nothing and record every request they are given, and by which call.

#include <string>
#include <vector>

#include "link/shell_execute.h"

struct ShellRequest {
  bool utf8;  // made through ShellExecuteUtf8, not ShellExecuteA
  HWND owner;
  bool has_verb, has_file, has_parameters, has_directory;
  std::string verb, file, parameters, directory;
  int show;
};

// The requests made since the last ClearShellRequests(), oldest first.
const std::vector<ShellRequest>& RecordedShellRequests();
void ClearShellRequests();

#endif  // SMBOPENER_LINK_RECORDED_SHELL_H_
