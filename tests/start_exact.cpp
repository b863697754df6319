// Starts a program with an exact command line, as the shell or a browser
// would, and exits with the program's exit status.
//
//   start_exact.exe PROGRAM HEX [SHOW]
//
// PROGRAM is the executable's path; HEX is the whole command line, name
// included, as hexadecimal bytes (so that quotes, blanks and any other byte
// reach the program exactly); SHOW, if given, is the show command passed in
// the start-up information. The program runs in a job; once it has ended,
// this waits (up to 20 s) for anything it started, unless
// SMBOPENER_NO_WAIT_FOR_CHILDREN is set. Exit status 255: the program could
// not be started.

#include <cstdlib>
#include <string>

#include "tests/child_process.h"

int main(int argc, char** argv) {
  if (argc < 3) return 254;
  std::string command_line = FromHex(argv[2]);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  if (argc > 3) {
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(std::atoi(argv[3]));
  }
  HANDLE job = CreateJobObjectA(nullptr, nullptr);
  PROCESS_INFORMATION process;
  if (!CreateProcessA(argv[1], &command_line[0], nullptr, nullptr, FALSE,
                      CREATE_SUSPENDED, nullptr, nullptr, &startup, &process))
    return 255;
  AssignProcessToJobObject(job, process.hProcess);
  ResumeThread(process.hThread);
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD status = 255;
  GetExitCodeProcess(process.hProcess, &status);
  if (std::getenv("SMBOPENER_NO_WAIT_FOR_CHILDREN") == nullptr)
    WaitForJobToEmpty(job, 20000);
  return static_cast<int>(status);
}
