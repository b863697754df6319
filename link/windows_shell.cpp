// The shell's launch call for UTF-8 texts on Windows: SHELL32's ShellExecuteW
// on their UTF-16 form.

#include <string>

#include "link/shell_execute.h"

namespace {

// The UTF-16 form of a UTF-8 text; false if it is not well-formed.
bool ToUtf16(const char* utf8, std::wstring* wide) {
  if (utf8 == nullptr) return true;
  const int size =
      MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8, -1, nullptr, 0);
  if (size <= 0) return false;
  wide->resize(size);
  if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8, -1, &(*wide)[0],
                          size) != size)
    return false;
  wide->pop_back();  // the terminator, which c_str() provides anyway
  return true;
}

const wchar_t* OrNull(const char* utf8, const std::wstring& wide) {
  return utf8 == nullptr ? nullptr : wide.c_str();
}

}  // namespace

HINSTANCE ShellExecuteUtf8(HWND owner, const char* verb, const char* file,
                           const char* parameters, const char* directory,
                           int show) {
  std::wstring wide_verb, wide_file, wide_parameters, wide_directory;
  if (!ToUtf16(verb, &wide_verb) || !ToUtf16(file, &wide_file) ||
      !ToUtf16(parameters, &wide_parameters) ||
      !ToUtf16(directory, &wide_directory))
    return nullptr;
  return ShellExecuteW(owner, OrNull(verb, wide_verb), OrNull(file, wide_file),
                       OrNull(parameters, wide_parameters),
                       OrNull(directory, wide_directory), show);
}
