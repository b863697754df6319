#include "link/recorded_shell.h"

namespace {

std::vector<ShellRequest>& Requests() {
  static std::vector<ShellRequest> requests;
  return requests;
}

std::string Text(const char* s) { return s ? s : ""; }

}  // namespace

HINSTANCE ShellExecuteA(HWND owner, const char* verb, const char* file,
                        const char* parameters, const char* directory,
                        int show) {
  Requests().push_back({owner, verb != nullptr, file != nullptr,
                        parameters != nullptr, directory != nullptr,
                        Text(verb), Text(file), Text(parameters),
                        Text(directory), show});
  return nullptr;
}

const std::vector<ShellRequest>& RecordedShellRequests() { return Requests(); }

void ClearShellRequests() { Requests().clear(); }
