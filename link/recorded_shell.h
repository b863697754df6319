#ifndef SMBOPENER_LINK_RECORDED_SHELL_H_
#define SMBOPENER_LINK_RECORDED_SHELL_H_

// A ShellExecuteA for tests, fuzzers and benchmarks: it runs nothing and
// records every request it is given.

#include <string>
#include <vector>

#include "link/shell_execute.h"

struct ShellRequest {
  HWND owner;
  bool has_verb, has_file, has_parameters, has_directory;
  std::string verb, file, parameters, directory;
  int show;
};

// The requests made since the last ClearShellRequests(), oldest first.
const std::vector<ShellRequest>& RecordedShellRequests();
void ClearShellRequests();

#endif  // SMBOPENER_LINK_RECORDED_SHELL_H_
