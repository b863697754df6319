#include "link/recorded_shell.h"

namespace {

std::vector<ShellRequest>& Requests() {
  static std::vector<ShellRequest> requests;
  return requests;
}

std::string Text(const char* s) { return s ? s : ""; }

HINSTANCE Record(bool utf8, HWND owner, const char* verb, const char* file,
                 const char* parameters, const char* directory, int show) {
  Requests().push_back({utf8, owner, verb != nullptr, file != nullptr,
                        parameters != nullptr, directory != nullptr,
                        Text(verb), Text(file), Text(parameters),
                        Text(directory), show});
  return nullptr;
}

}  // namespace

HINSTANCE ShellExecuteA(HWND owner, const char* verb, const char* file,
                        const char* parameters, const char* directory,
                        int show) {
  return Record(false, owner, verb, file, parameters, directory, show);
}

HINSTANCE ShellExecuteUtf8(HWND owner, const char* verb, const char* file,
                           const char* parameters, const char* directory,
                           int show) {
  return Record(true, owner, verb, file, parameters, directory, show);
}

const std::vector<ShellRequest>& RecordedShellRequests() { return Requests(); }

void ClearShellRequests() { Requests().clear(); }
