// register.exe and unregister.exe of the portable zip: they associate smb://
// links with the smbopener.exe beside them for the current user, and remove
// that association again. Built twice from this file; defining UNREGISTER
// makes the second.
//
//   register.exe [/q]     writes HKCU\Software\Classes\smb
//   unregister.exe [/q]   removes what register.exe wrote, and only while
//                         the association points at this folder
//
// Everything goes through the wide registry calls, so any folder name works,
// whatever its letters. A run is all or nothing: if any step fails, what that
// run changed is put back as it was. Started in a console window of its own
// (a double-click), the program waits for a key before the window closes,
// unless /q is given. Exit status: 0 done (or nothing to do), 1 failed, 2
// wrong arguments.

#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <shellapi.h>

#include <conio.h>

#include <string>
#include <vector>

namespace {

#ifdef UNREGISTER
constexpr bool UNREGISTERING = true;
#else
constexpr bool UNREGISTERING = false;
#endif

const wchar_t SMB_KEY[] = L"Software\\Classes\\smb";

// One value the association is made of: its key below SMB_KEY, its name
// ("" for the key's default value) and its text.
struct AssociationValue {
  const wchar_t* subkey;
  const wchar_t* name;
  std::wstring text;
};

// The association with `exe`, its open command last: the link reaches the
// program unquoted, as "%1" would make every link fail its scheme test.
std::vector<AssociationValue> Association(const std::wstring& exe) {
  const std::wstring quoted = L"\"" + exe + L"\"";
  return {{L"", L"", L"URL:smb link"},
          {L"", L"URL Protocol", L""},
          {L"\\DefaultIcon", L"", quoted + L",0"},
          {L"\\shell\\open\\command", L"", quoted + L" %1"}};
}

// Output goes to the console as text, whatever its code page, or as UTF-8
// bytes when it is redirected to a file or a pipe.
void Print(const std::wstring& text) {
  const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  DWORD mode, written;
  if (GetConsoleMode(out, &mode)) {
    WriteConsoleW(out, text.data(), static_cast<DWORD>(text.size()), &written,
                  nullptr);
    return;
  }
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(),
                                       static_cast<int>(text.size()), nullptr,
                                       0, nullptr, nullptr);
  std::string bytes(size, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                      &bytes[0], size, nullptr, nullptr);
  WriteFile(out, bytes.data(), static_cast<DWORD>(bytes.size()), &written,
            nullptr);
}

std::wstring ErrorText(LONG error) {
  wchar_t* text = nullptr;
  FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                     FORMAT_MESSAGE_IGNORE_INSERTS,
                 nullptr, static_cast<DWORD>(error), 0,
                 reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring message = text ? text : L"";
  LocalFree(text);
  while (!message.empty() &&
         (message.back() == L'\n' || message.back() == L'\r' ||
          message.back() == L'.' || message.back() == L' '))
    message.pop_back();
  return message + L" (error " + std::to_wstring(error) + L")";
}

// This program's own path, however long.
std::wstring ModulePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, &path[0],
                                            static_cast<DWORD>(path.size()));
    if (length == 0) return L"";
    if (length < path.size()) return path.substr(0, length);
    path.resize(path.size() * 2);
  }
}

bool SameText(const std::wstring& a, const std::wstring& b) {
  return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                              static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

// A value as it is in the registry: absent, or its type and bytes.
struct StoredValue {
  bool present = false;
  DWORD type = 0;
  std::vector<BYTE> data;
};

StoredValue ReadValue(const std::wstring& key, const wchar_t* name) {
  StoredValue value;
  HKEY handle;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_QUERY_VALUE,
                    &handle) != ERROR_SUCCESS)
    return value;
  DWORD size = 0;
  if (RegQueryValueExW(handle, name, nullptr, &value.type, nullptr, &size) ==
      ERROR_SUCCESS) {
    value.data.resize(size);
    value.present = RegQueryValueExW(handle, name, nullptr, &value.type,
                                     value.data.data(), &size) ==
                    ERROR_SUCCESS;
    value.data.resize(size);
  }
  RegCloseKey(handle);
  return value;
}

// Whether a stored value is the text `text`, in any case (paths on Windows
// are the same in any case).
bool HoldsText(const StoredValue& value, const std::wstring& text) {
  if (!value.present || (value.type != REG_SZ && value.type != REG_EXPAND_SZ))
    return false;
  std::wstring stored(reinterpret_cast<const wchar_t*>(value.data.data()),
                      value.data.size() / sizeof(wchar_t));
  while (!stored.empty() && stored.back() == L'\0') stored.pop_back();
  return SameText(stored, text);
}

// The changes one run makes to HKEY_CURRENT_USER, each noted with what it
// takes to put things back as they were: Undo() reverses them, latest first.
class Changes {
 public:
  LONG SetText(const std::wstring& key, const wchar_t* name,
               const std::wstring& text) {
    if (LONG error = CreateKey(key)) return error;
    undo_.push_back({Step::kValue, key, name, ReadValue(key, name)});
    HKEY handle;
    LONG error = RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0,
                               KEY_SET_VALUE, &handle);
    if (error != ERROR_SUCCESS) return error;
    error = RegSetValueExW(
        handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
        static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(handle);
    return error;
  }

  LONG DeleteValue(const std::wstring& key, const wchar_t* name) {
    undo_.push_back({Step::kValue, key, name, ReadValue(key, name)});
    HKEY handle;
    LONG error = RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0,
                               KEY_SET_VALUE, &handle);
    if (error != ERROR_SUCCESS) return error;
    error = RegDeleteValueW(handle, name);
    RegCloseKey(handle);
    return error == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : error;
  }

  // Deletes `key` if nothing is left in it: no value and no subkey.
  LONG DeleteKeyIfEmpty(const std::wstring& key) {
    HKEY handle;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_QUERY_VALUE,
                      &handle) != ERROR_SUCCESS)
      return ERROR_SUCCESS;  // already gone
    DWORD subkeys = 0, values = 0;
    LONG error = RegQueryInfoKeyW(handle, nullptr, nullptr, nullptr, &subkeys,
                                  nullptr, nullptr, &values, nullptr, nullptr,
                                  nullptr, nullptr);
    RegCloseKey(handle);
    if (error != ERROR_SUCCESS || subkeys != 0 || values != 0) return error;
    error = RegDeleteKeyW(HKEY_CURRENT_USER, key.c_str());
    if (error == ERROR_SUCCESS)
      undo_.push_back({Step::kDeletedKey, key, nullptr, {}});
    return error;
  }

  // Puts back what the changes so far replaced; false if it could not all
  // be put back.
  bool Undo() {
    bool complete = true;
    for (auto step = undo_.rbegin(); step != undo_.rend(); ++step)
      complete &= step->Apply();
    undo_.clear();
    return complete;
  }

 private:
  struct Step {
    enum Kind { kValue, kCreatedKey, kDeletedKey } kind;
    std::wstring key;
    const wchar_t* name = nullptr;
    StoredValue before;

    bool Apply() const {
      switch (kind) {
        case kCreatedKey:
          return RegDeleteKeyW(HKEY_CURRENT_USER, key.c_str()) ==
                 ERROR_SUCCESS;
        case kDeletedKey: {
          HKEY handle;
          if (RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0,
                              KEY_WRITE, nullptr, &handle,
                              nullptr) != ERROR_SUCCESS)
            return false;
          RegCloseKey(handle);
          return true;
        }
        case kValue: {
          HKEY handle;
          if (RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_SET_VALUE,
                            &handle) != ERROR_SUCCESS)
            return !before.present;  // the key is gone, and the value with it
          const LONG error =
              before.present
                  ? RegSetValueExW(handle, name, 0, before.type,
                                   before.data.data(),
                                   static_cast<DWORD>(before.data.size()))
                  : RegDeleteValueW(handle, name);
          RegCloseKey(handle);
          return error == ERROR_SUCCESS || error == ERROR_FILE_NOT_FOUND;
        }
      }
      return false;
    }
  };

  // Creates `key` and every missing key above it, each noted for Undo().
  LONG CreateKey(const std::wstring& key) {
    for (std::size_t end = key.find(L'\\'); ; end = key.find(L'\\', end + 1)) {
      const std::wstring part = key.substr(0, end);
      HKEY handle;
      DWORD disposition;
      const LONG error = RegCreateKeyExW(HKEY_CURRENT_USER, part.c_str(), 0,
                                         nullptr, 0, KEY_WRITE, nullptr,
                                         &handle, &disposition);
      if (error != ERROR_SUCCESS) return error;
      RegCloseKey(handle);
      if (disposition == REG_CREATED_NEW_KEY)
        undo_.push_back({Step::kCreatedKey, part, nullptr, {}});
      if (end == std::wstring::npos) return ERROR_SUCCESS;
    }
  }

  std::vector<Step> undo_;
};

// Reports a failed run, after putting back what it changed; returns the
// exit status of a failure.
int Fail(const std::wstring& what, LONG error, Changes& changes) {
  const bool undone = changes.Undo();
  Print(L"Could not " + what + L": " + ErrorText(error) + L".\r\n" +
        (undone ? L"Nothing was changed.\r\n"
                : L"Some of the changes could not be undone.\r\n"));
  return 1;
}

// Writes the association; on failure puts everything back as it was.
int Register(const std::wstring& exe) {
  Changes changes;
  for (const AssociationValue& value : Association(exe)) {
    const LONG error =
        changes.SetText(SMB_KEY + std::wstring(value.subkey), value.name,
                        value.text);
    if (error != ERROR_SUCCESS)
      return Fail(L"associate smb:// links with \"" + exe + L"\"", error,
                  changes);
  }
  Print(L"smb:// links now open with \"" + exe + L"\" for this user.\r\n");
  return 0;
}

// Removes what Register(exe) wrote, only while the association is ours, and
// every key of it that is left empty.
int Unregister(const std::wstring& exe) {
  const std::vector<AssociationValue> ours = Association(exe);
  const AssociationValue& command = ours.back();
  if (!HoldsText(ReadValue(SMB_KEY + std::wstring(command.subkey), L""),
                 command.text)) {
    Print(L"smb:// links do not open with \"" + exe +
          L"\" for this user; nothing to remove.\r\n");
    return 0;
  }
  Changes changes;
  LONG error = ERROR_SUCCESS;
  for (auto value = ours.rbegin(); value != ours.rend() && !error; ++value) {
    const std::wstring key = SMB_KEY + std::wstring(value->subkey);
    if (HoldsText(ReadValue(key, value->name), value->text))
      error = changes.DeleteValue(key, value->name);
  }
  for (const wchar_t* subkey :
       {L"\\shell\\open\\command", L"\\shell\\open", L"\\shell",
        L"\\DefaultIcon", L""}) {
    if (!error)
      error = changes.DeleteKeyIfEmpty(SMB_KEY + std::wstring(subkey));
  }
  if (error != ERROR_SUCCESS)
    return Fail(L"remove the association of smb:// links with \"" + exe +
                    L"\"",
                error, changes);
  Print(L"smb:// links no longer open with \"" + exe + L"\".\r\n");
  return 0;
}

int Run(const std::wstring& program) {
  const std::wstring folder = program.substr(0, program.rfind(L'\\'));
  const std::wstring exe = folder + L"\\smbopener.exe";
  if (UNREGISTERING) return Unregister(exe);
  const DWORD attributes = GetFileAttributesW(exe.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES ||
      (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    Print(L"smbopener.exe is not in \"" + folder +
          L"\"; nothing was changed.\r\n");
    return 1;
  }
  return Register(exe);
}

}  // namespace

int wmain() {
  int count = 0;
  wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
  bool quiet = false, usage = false;
  for (int i = 1; i < count; ++i) {
    if (SameText(args[i], L"/q") || SameText(args[i], L"-q"))
      quiet = true;
    else
      usage = true;
  }
  LocalFree(args);

  int status = 2;
  if (usage) {
    Print(UNREGISTERING
              ? L"Usage: unregister.exe [/q]\r\n"
                L"Stops smb:// links opening with the smbopener.exe in this "
                L"folder, for the current user.\r\n"
              : L"Usage: register.exe [/q]\r\n"
                L"Makes smb:// links open with the smbopener.exe in this "
                L"folder, for the current user.\r\n");
  } else {
    const std::wstring program = ModulePath();
    status = program.empty() ? 1 : Run(program);
  }

  // A console that holds no other process was made for this one: it was
  // double-clicked, and its window would close before the text is read.
  DWORD processes[2];
  if (!quiet && GetConsoleProcessList(processes, 2) == 1) {
    Print(L"Press any key to close this window.");
    _getwch();
  }
  return status;
}
