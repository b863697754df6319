// Starts a program with an exact command line, as the shell or a browser
// would, and exits with the program's exit status.
//
//   start_exact.exe [/w] [/new-console] [/output FILE] PROGRAM HEX [SHOW]
//
// PROGRAM is the executable's path and HEX the whole command line, name
// included, both as hexadecimal bytes (so that quotes, blanks and any other
// byte reach the program exactly). They are ANSI text for CreateProcessA, or
// with /w UTF-8 text for CreateProcessW (for letters outside the ANSI code
// page). /new-console gives the program a console of its own, as a
// double-click does; /output sends its output to FILE. SHOW, if given, is the
// show command passed in the start-up information. The program runs in a
// job; once it has ended, this waits (up to 20 s) for anything it started,
// unless SMBOPENER_NO_WAIT_FOR_CHILDREN is set. Exit status 255: the program
// could not be started; 254: wrong arguments.

#include <cstdlib>
#include <cstring>
#include <string>

#include "tests/child_process.h"

int main(int argc, char** argv) {
  bool wide = false;
  DWORD flags = CREATE_SUSPENDED;
  const char* output = nullptr;
  int arg = 1;
  for (; arg < argc && argv[arg][0] == '/'; ++arg) {
    if (std::strcmp(argv[arg], "/w") == 0)
      wide = true;
    else if (std::strcmp(argv[arg], "/new-console") == 0)
      flags |= CREATE_NEW_CONSOLE;
    else if (std::strcmp(argv[arg], "/output") == 0 && arg + 1 < argc)
      output = argv[++arg];
    else
      return 254;
  }
  if (argc - arg < 2) return 254;
  const std::string program = FromHex(argv[arg]);
  std::string command_line = FromHex(argv[arg + 1]);

  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  if (argc - arg > 2) {
    startup.dwFlags |= STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(std::atoi(argv[arg + 2]));
  }
  if (output != nullptr) {
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    const HANDLE file =
        CreateFileA(output, GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                    CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 254;
    startup.dwFlags |= STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = startup.hStdError = file;
  }
  const BOOL inherit_handles = output != nullptr;
  // The same start-up information for CreateProcessA; its texts are unset.
  STARTUPINFOA startup_a = {};
  startup_a.cb = sizeof startup_a;
  startup_a.dwFlags = startup.dwFlags;
  startup_a.wShowWindow = startup.wShowWindow;
  startup_a.hStdInput = startup.hStdInput;
  startup_a.hStdOutput = startup.hStdOutput;
  startup_a.hStdError = startup.hStdError;

  HANDLE job = CreateJobObjectA(nullptr, nullptr);
  PROCESS_INFORMATION process;
  BOOL started;
  if (wide) {
    std::wstring wide_line = Utf16(command_line);
    started = CreateProcessW(Utf16(program).c_str(), &wide_line[0], nullptr,
                             nullptr, inherit_handles, flags, nullptr, nullptr,
                             &startup, &process);
  } else {
    started = CreateProcessA(program.c_str(), &command_line[0], nullptr,
                             nullptr, inherit_handles, flags, nullptr, nullptr,
                             &startup_a, &process);
  }
  if (!started) return 255;
  AssignProcessToJobObject(job, process.hProcess);
  ResumeThread(process.hThread);
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD status = 255;
  GetExitCodeProcess(process.hProcess, &status);
  if (std::getenv("SMBOPENER_NO_WAIT_FOR_CHILDREN") == nullptr)
    WaitForJobToEmpty(job, 20000);
  return static_cast<int>(status);
}
