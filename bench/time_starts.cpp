// Times whole processes from start to exit, several programs interleaved.
//
//   time_starts.exe N PROGRAM HEX [PROGRAM HEX ...]
//
// Runs each PROGRAM with the command line HEX (hexadecimal bytes) N times,
// taking the programs in turn, in reverse order every other round so that
// none always follows the same one, and prints one line per run:
// "<index of the program> <microseconds from CreateProcess to its exit>".
// Between runs it waits, untimed, for whatever the program started.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/child_process.h"

int main(int argc, char** argv) {
  if (argc < 4 || argc % 2 != 0) return 2;
  const int runs = std::atoi(argv[1]);
  const int programs = (argc - 2) / 2;
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  for (int run = 0; run < runs; ++run) {
    for (int i = 0; i < programs; ++i) {
      const int p = 2 + 2 * (run % 2 == 0 ? i : programs - 1 - i);
      std::string command_line = FromHex(argv[p + 1]);
      STARTUPINFOA startup = {};
      startup.cb = sizeof startup;
      PROCESS_INFORMATION process;
      HANDLE job = CreateJobObjectA(nullptr, nullptr);
      LARGE_INTEGER start, end;
      QueryPerformanceCounter(&start);
      if (!CreateProcessA(argv[p], &command_line[0], nullptr, nullptr, FALSE,
                          CREATE_SUSPENDED, nullptr, nullptr, &startup,
                          &process))
        return 3;
      AssignProcessToJobObject(job, process.hProcess);
      ResumeThread(process.hThread);
      WaitForSingleObject(process.hProcess, INFINITE);
      QueryPerformanceCounter(&end);
      std::printf("%d %lld\n", (p - 2) / 2,
                  (end.QuadPart - start.QuadPart) * 1000000 /
                      frequency.QuadPart);
      WaitForJobToEmpty(job, 10000);
      CloseHandle(process.hProcess);
      CloseHandle(process.hThread);
      CloseHandle(job);
    }
  }
  return 0;
}
