// Makes a volatile key (one that lives only until Windows restarts) under
// HKEY_CURRENT_USER, for tests. No lasting key can be made below a volatile
// one, which is how a test makes a registry write fail part-way through.
//
//   volatile_key.exe KEY_HEX   (the key below HKEY_CURRENT_USER, as UTF-8 in
//                               hexadecimal bytes)
//
// Exit status 0 if the key was made, 1 if not.

#include "tests/child_process.h"

int main(int argc, char** argv) {
  if (argc != 2) return 1;
  HKEY handle;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, Utf16(FromHex(argv[1])).c_str(), 0,
                      nullptr, REG_OPTION_VOLATILE, KEY_WRITE, nullptr,
                      &handle, nullptr) != ERROR_SUCCESS)
    return 1;
  RegCloseKey(handle);
  return 0;
}
