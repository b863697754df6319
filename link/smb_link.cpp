#include "link/smb_link.h"

#include <cstring>
#include <string>

#include "link/explorer_parameters.h"
#include "link/percent_decode.h"
#include "link/shell_execute.h"
#include "link/utf8.h"

void OpenSmbLink(const char* tail) {
  if (tail == nullptr || *tail == '\0') return;

  static const char SMB_SCHEME[] = "smb://";
  const auto decoded = PercentDecode(tail);
  if (std::strncmp(decoded.data(), SMB_SCHEME, sizeof SMB_SCHEME - 1) != 0)
    return;

  // Step over every slash after "smb:", not just the two of the scheme.
  const char* rest = decoded.data() + 4;
  while (*rest == '/') ++rest;

  // The scheme and its slashes (at least six bytes) give way to two
  // backslashes, so the path is always shorter than the decoded text.
  char path[LINK_BUFFER_SIZE];
  char* out = path;
  *out++ = '\\';
  *out++ = '\\';
  for (; *rest != '\0'; ++rest) *out++ = *rest == '/' ? '\\' : *rest;
  *out = '\0';

  const std::string parameters = ExplorerParameters(path);
  if (parameters.empty()) return;
  // Links from the web spell names outside ASCII as UTF-8, which the ANSI
  // code page would misread; any other text is a legacy ANSI one. Failure
  // is Explorer's or the shell's to show; the program shows nothing.
  if (IsNonAsciiUtf8(parameters.c_str()))
    ShellExecuteUtf8(nullptr, "open", "explorer.exe", parameters.c_str(),
                     nullptr, SW_SHOW);
  else
    ShellExecuteA(nullptr, "open", "explorer.exe", parameters.c_str(), nullptr,
                  SW_SHOW);
}
