#ifndef SMBOPENER_TESTS_CHILD_PROCESS_H_
#define SMBOPENER_TESTS_CHILD_PROCESS_H_

// Helpers of the Windows test and benchmark programs: exact command lines
// and texts from hexadecimal bytes, and waiting for what a program started.

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstdlib>
#include <string>

// The bytes written as hexadecimal digits in `hex` ("2241" is "\"A").
inline std::string FromHex(const char* hex) {
  std::string bytes;
  for (; hex[0] && hex[1]; hex += 2) {
    const char pair[3] = {hex[0], hex[1], 0};
    bytes += static_cast<char>(std::strtol(pair, nullptr, 16));
  }
  return bytes;
}

// The UTF-16 form of a UTF-8 text.
inline std::wstring Utf16(const std::string& utf8) {
  std::wstring wide(utf8.size() + 1, L'\0');
  wide.resize(MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, &wide[0],
                                  static_cast<int>(wide.size())));
  if (!wide.empty()) wide.pop_back();  // the terminator
  return wide;
}

// Waits, up to `milliseconds`, until no process of `job` is left.
inline void WaitForJobToEmpty(HANDLE job, int milliseconds) {
  for (int waited = 0; waited < milliseconds; waited += 5) {
    JOBOBJECT_BASIC_ACCOUNTING_INFORMATION info;
    if (!QueryInformationJobObject(job, JobObjectBasicAccountingInformation,
                                   &info, sizeof info, nullptr) ||
        info.ActiveProcesses == 0)
      return;
    Sleep(5);
  }
}

#endif  // SMBOPENER_TESTS_CHILD_PROCESS_H_
