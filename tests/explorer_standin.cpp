// A stand-in for explorer.exe in end-to-end tests: it opens nothing and
// appends one line per start to the file named by SMBOPENER_RECORD:
//
//   start <ANSI command line as hex> <show command or -> <wide command line
//   as UTF-8, as hex>
//
// and, when SMBOPENER_STANDIN_SLEEP_MS is set, sleeps that long and then
// appends "end". Wine's own starts of the desktop ("explorer.exe /desktop")
// are recorded as "desktop" so that a test can tell them apart.

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

void Append(const char* line) {
  const char* path = std::getenv("SMBOPENER_RECORD");
  if (path == nullptr) return;
  if (FILE* f = std::fopen(path, "ab")) {
    std::fputs(line, f);
    std::fclose(f);
  }
}

}  // namespace

int main() {
  const char* command_line = GetCommandLineA();
  if (std::strstr(command_line, "/desktop") != nullptr) {
    Append("desktop\n");
    return 0;
  }
  STARTUPINFOA startup;
  GetStartupInfoA(&startup);
  static char line[1 << 17];
  const char* const end = line + sizeof line - 32;
  char* out = line + std::sprintf(line, "start ");
  for (const char* p = command_line; *p && out < end; ++p)
    out += std::sprintf(out, "%02x", static_cast<unsigned char>(*p));
  if (startup.dwFlags & STARTF_USESHOWWINDOW)
    out += std::sprintf(out, " %u ",
                        static_cast<unsigned>(startup.wShowWindow));
  else
    out += std::sprintf(out, " - ");
  static char utf8[1 << 15];
  WideCharToMultiByte(CP_UTF8, 0, GetCommandLineW(), -1, utf8, sizeof utf8,
                      nullptr, nullptr);
  for (const char* p = utf8; *p && out < end; ++p)
    out += std::sprintf(out, "%02x", static_cast<unsigned char>(*p));
  std::sprintf(out, "\n");
  Append(line);
  if (const char* ms = std::getenv("SMBOPENER_STANDIN_SLEEP_MS")) {
    Sleep(static_cast<DWORD>(std::atol(ms)));
    Append("end\n");
  }
  return 0;
}
