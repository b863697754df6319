// Fuzzes the whole link path: arbitrary bytes as the command-line tail into
// OpenSmbLink, with the launch recorded instead of run. Every input is
// checked against an independent model that decodes each escape with strtol
// itself, and against the properties that must hold for any input: at most
// one launch, only of explorer.exe, with "open" and SW_SHOW, and a parameter
// that begins with two backslashes, holds no '/' and fits the buffer.

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "link/percent_decode.h"
#include "link/recorded_shell.h"
#include "link/smb_link.h"

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

// The parameters Explorer must get for `decoded`, or "" for no launch.
std::string ModelParameters(const std::string& decoded) {
  if (decoded.compare(0, 6, "smb://") != 0) return "";
  std::string path = "\\\\";
  std::size_t i = 4;
  while (i < decoded.size() && decoded[i] == '/') ++i;
  for (; i < decoded.size(); ++i) path += decoded[i] == '/' ? '\\' : decoded[i];
  return path;
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

  const std::string decoded = ModelDecode(tail.get());
  Require(decoded == PercentDecode(tail.get()).data());

  ClearShellRequests();
  OpenSmbLink(tail.get());
  const auto& requests = RecordedShellRequests();
  const std::string expected = ModelParameters(decoded);
  if (length == 0 || expected.empty()) {
    Require(requests.empty());
    return 0;
  }
  Require(requests.size() == 1);
  const ShellRequest& r = requests[0];
  Require(r.owner == nullptr && r.verb == "open" && r.file == "explorer.exe");
  Require(!r.has_directory && r.show == SW_SHOW);
  Require(r.parameters == expected);
  Require(r.parameters.compare(0, 2, "\\\\") == 0);
  Require(r.parameters.find('/') == std::string::npos);
  Require(r.parameters.size() <= LINK_BUFFER_SIZE - 5);
  return 0;
}
