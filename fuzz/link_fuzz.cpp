// Fuzzes the whole link path: arbitrary bytes as the command-line tail into
// OpenSmbLink, with the launch recorded instead of run. Every input is
// checked against an independent model that decodes each escape with strtol
// itself, and against the properties that must hold for any input: at most
// one launch, only of explorer.exe, with "open" and SW_SHOW; read the way
// Explorer reads its parameters, exactly the UNC path as the one object, no
// switch but a leading /select, and /select for every path that names a
// program; and the UTF-8 call exactly for parameters that glibc's own
// decoder takes as UTF-8 and that hold a byte from 0x80 up.

#include <iconv.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "link/explorer_model.h"
#include "link/percent_decode.h"
#include "link/recorded_shell.h"
#include "link/smb_link.h"
#include "link/utf8.h"

namespace {

// The decoded text, by the rule as stated: each escape is "0x0" c1 c2
// converted by strtol in base 16 (the terminator stops it at the end of the
// tail), the text ends at the first zero byte, and a text longer than the
// buffer allows is refused.
std::string ModelDecode(const char* tail) {
  std::string text;
  for (const char* p = tail; *p != '\0';) {
    if (*p != '%') {
      text += *p++;
      continue;
    }
    char escape[] = "0x0__";
    escape[3] = p[1];
    escape[4] = p[1] == '\0' ? '\0' : p[2];
    text += static_cast<char>(std::strtol(escape, nullptr, 16) & 0xFF);
    for (int i = 0; i < 3 && *p != '\0'; ++i) ++p;
  }
  text = text.c_str();  // what follows the first zero byte is dropped
  return text.size() < LINK_BUFFER_SIZE ? text : "";
}

// The UNC path for `decoded`, or "" if it is no smb link.
std::string ModelPath(const std::string& decoded) {
  if (decoded.compare(0, 6, "smb://") != 0) return "";
  std::string path = "\\\\";
  std::size_t i = 4;
  while (i < decoded.size() && decoded[i] == '/') ++i;
  for (; i < decoded.size(); ++i) path += decoded[i] == '/' ? '\\' : decoded[i];
  return path;
}

// The server of a UNC path, and the segments after it.
std::vector<std::string> Segments(const std::string& path) {
  std::vector<std::string> segments(1);
  for (std::size_t i = 2; i < path.size(); ++i) {
    if (path[i] == '\\')
      segments.emplace_back();
    else
      segments.back() += path[i];
  }
  return segments;
}

// Whether `name`, as Windows reads it (trailing dots and bytes up to 0x20
// dropped), ends in one of the types that run code.
bool ProgramType(std::string name) {
  static const std::unordered_set<std::string> types = {
      "exe", "com", "scr", "pif", "cpl", "msc", "msi", "msp", "mst", "msix",
      "msixbundle", "appx", "appxbundle", "appinstaller", "application",
      "appref-ms", "jar", "py", "pyw", "bat", "cmd", "vbs", "vbe", "js",
      "jse", "wsf", "wsh", "ws", "wsc", "ps1", "hta", "sct", "shb", "shs",
      "inf", "reg", "chm", "hlp", "xll", "lnk", "url", "scf", "website",
      "library-ms", "search-ms", "searchconnector-ms", "settingcontent-ms",
      "diagcab", "app", "lib", "sea", "set", "web", "dia"};
  while (!name.empty() && (name.back() == '.' ||
                           static_cast<unsigned char>(name.back()) <= 0x20))
    name.pop_back();
  const std::size_t dot = name.rfind('.');
  if (dot == std::string::npos) return false;
  std::string type = name.substr(dot + 1);
  for (char& c : type)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return types.count(type) != 0;
}

// Whether the path must be shown selected rather than opened.
bool ModelSelects(const std::string& path) {
  const std::vector<std::string> segments = Segments(path);
  if (segments.size() < 2 || segments.back().empty()) return false;
  const std::string& name = segments.back();
  if (std::all_of(name.begin(), name.end(), [](char c) {
        return c == '.' || static_cast<unsigned char>(c) <= 0x20;
      }))
    return true;  // "." or "..": a name further up the path
  return ProgramType(name.substr(0, name.find(':'))) || ProgramType(name);
}

// Whether `text` holds a byte from 0x80 up and glibc's iconv decodes all of
// it as UTF-8 (RFC 3629: it refuses overlong forms, surrogates, code points
// above U+10FFFF and sequences cut short).
bool ModelIsNonAsciiUtf8(const std::string& text) {
  if (std::all_of(text.begin(), text.end(),
                  [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
    return false;
  static const iconv_t to_utf32 = iconv_open("UTF-32LE", "UTF-8");
  iconv(to_utf32, nullptr, nullptr, nullptr, nullptr);
  std::string in = text, out(4 * text.size(), '\0');
  char* in_p = &in[0];
  char* out_p = &out[0];
  std::size_t in_left = in.size(), out_left = out.size();
  return iconv(to_utf32, &in_p, &in_left, &out_p, &out_left) !=
             static_cast<std::size_t>(-1) &&
         in_left == 0;
}

void Require(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  // The tail is a C string: it ends at the first zero byte. It is copied into
  // a block of exactly its size so that any read past the terminator is
  // caught.
  const std::size_t length =
      strnlen(reinterpret_cast<const char*>(data), size);
  std::unique_ptr<char[]> tail(new char[length + 1]);
  std::memcpy(tail.get(), data, length);
  tail[length] = '\0';

  Require(IsNonAsciiUtf8(tail.get()) == ModelIsNonAsciiUtf8(tail.get()));

  const std::string decoded = ModelDecode(tail.get());
  Require(decoded == PercentDecode(tail.get()).data());

  ClearShellRequests();
  OpenSmbLink(tail.get());
  const auto& requests = RecordedShellRequests();
  const std::string path = ModelPath(decoded);
  const std::vector<std::string> segments = Segments(path);
  const bool refused = path.empty() || segments[0] == "." ||
                       segments[0] == "?" ||
                       path.find('"') != std::string::npos;
  if (length == 0 || refused) {
    Require(requests.empty());
    return 0;
  }
  Require(requests.size() == 1);
  const ShellRequest& r = requests[0];
  Require(r.owner == nullptr && r.verb == "open" && r.file == "explorer.exe");
  Require(!r.has_directory && r.show == SW_SHOW);
  Require(r.utf8 == ModelIsNonAsciiUtf8(r.parameters));

  // Read the way Explorer reads it, the request names exactly the path
  // (Explorer drops the blanks and tabs at its end), and nothing else.
  const ExplorerCommand read = ParseExplorerParameters(r.parameters);
  Require(read.objects.size() == 1);
  const std::string& object = read.objects[0];
  Require(object == path.substr(0, path.find_last_not_of(" \t") + 1));
  Require(object.compare(0, 2, "\\\\") == 0);
  const bool selected = r.parameters.compare(0, 8, "/select,") == 0;
  Require(read.switches ==
          (selected ? std::vector<std::string>{"/select"}
                    : std::vector<std::string>{}));
  Require(selected == ModelSelects(path));
  // Whatever Explorer opens without /select is no program.
  if (!selected) Require(!ModelSelects(object));
  // Without a separator in the path, the request is the path, byte for byte.
  if (path.find_first_of(",=") == std::string::npos)
    Require(r.parameters == (selected ? "/select," : "") + path);
  return 0;
}
