#include "link/explorer_parameters.h"

#include <string_view>

namespace {

// The file types that run code when Explorer opens them: programs, scripts,
// installers and packages, shortcuts, control-panel and help files, shell
// command files, search and library descriptions. Then the extensions that a
// short (8.3) name gives the longer ones ("EVIL~1.APP" is "evil.appref-ms").
constexpr std::string_view PROGRAM_TYPES[] = {
    "exe", "com", "scr", "pif", "cpl", "msc", "msi", "msp", "mst", "msix",
    "msixbundle", "appx", "appxbundle", "appinstaller", "application",
    "appref-ms", "jar", "py", "pyw", "bat", "cmd", "vbs", "vbe", "js", "jse",
    "wsf", "wsh", "ws", "wsc", "ps1", "hta", "sct", "shb", "shs", "inf", "reg",
    "chm", "hlp", "xll", "lnk", "url", "scf", "website", "library-ms",
    "search-ms", "searchconnector-ms", "settingcontent-ms", "diagcab",
    "app", "lib", "sea", "set", "web", "dia",
};

// The length of the longest type on the list: a name's type can only be
// found among its last LONGEST_TYPE + 1 bytes.
constexpr std::size_t LONGEST_TYPE = [] {
  std::size_t longest = 0;
  for (std::string_view type : PROGRAM_TYPES)
    if (type.size() > longest) longest = type.size();
  return longest;
}();

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; }

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  return true;
}

bool IsProgramType(std::string_view extension) {
  for (std::string_view type : PROGRAM_TYPES)
    if (EqualsIgnoringAsciiCase(extension, type)) return true;
  return false;
}

std::string_view WithoutTrailingDotsAndBlanks(std::string_view name) {
  while (!name.empty() && (name.back() == '.' ||
                           static_cast<unsigned char>(name.back()) <= 0x20))
    name.remove_suffix(1);
  return name;
}

// Whether a file name has a type that runs code: what follows its last '.',
// once the trailing dots and blanks that Windows drops are gone
// ("setup.exe. " is setup.exe).
bool HasProgramType(std::string_view name) {
  name = WithoutTrailingDotsAndBlanks(name);
  if (name.size() > LONGEST_TYPE + 1)
    name.remove_prefix(name.size() - (LONGEST_TYPE + 1));
  const std::size_t dot = name.rfind('.');
  return dot != std::string_view::npos && IsProgramType(name.substr(dot + 1));
}

// Whether Explorer would run code when asked to open a file of this name,
// the last segment of a path that has one after its server.
bool NamesProgram(std::string_view name) {
  if (name.empty()) return false;  // a trailing '\' names a folder
  // "." and ".." (or dots and blanks alone) stand for a name further up the
  // path, which the text does not show and which may be a program.
  if (WithoutTrailingDotsAndBlanks(name).empty()) return true;
  // After a ':' comes a stream of the file: "setup.exe::$DATA" is setup.exe
  // itself, and "x:setup.exe" is a stream named like a program. Both count.
  const std::size_t colon = name.find(':');
  return HasProgramType(name.substr(0, colon)) ||
         (colon != std::string_view::npos && HasProgramType(name));
}

}  // namespace

std::string ExplorerParameters(const char* unc_path) {
  const std::string_view path = unc_path;
  if (path.compare(0, 2, "\\\\") != 0) return "";

  // The server runs from the two backslashes to the next one, or to the end.
  const std::size_t server_end = path.find('\\', 2);
  const std::string_view server = path.substr(2, server_end - 2);
  if (server == "." || server == "?") return "";  // \\.\ and \\?\ are local
  if (path.find('"') != std::string_view::npos) return "";

  // "\\files.example.com" alone is a server, not a .com file.
  const bool select = server_end != std::string_view::npos &&
                      NamesProgram(path.substr(path.rfind('\\') + 1));
  // (One find per byte value: the standard's find_first_of tests the set
  // afresh at every byte, which costs more than the whole link handling.)
  const bool separator = path.find(',') != std::string_view::npos ||
                         path.find('=') != std::string_view::npos;
  std::string parameters = select ? "/select," : "";
  if (separator) {
    parameters += '"';
    parameters += path;
    parameters += '"';
  } else {
    parameters += path;
  }
  return parameters;
}
