#include "link/percent_decode.h"

#include <cstring>
#include <string>

namespace {

// The value of an ASCII hexadecimal digit, or -1 for any other byte. Bytes
// from 0x80 up are never digits, whatever the code page.
int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::array<char, LINK_BUFFER_SIZE> PercentDecode(const char* tail) {
  std::array<char, LINK_BUFFER_SIZE> decoded{};
  std::string text;
  const char* p = tail;
  while (*p != '\0') {
    if (*p != '%') {
      text += *p++;
    } else {
      // The value is what base-16 conversion of "0x0" and the two bytes after
      // '%' gives: both bytes as hex digits, the first alone if only it is
      // one, else 0. The terminator is no digit, so a short escape at the
      // end of the tail never reads past it.
      const int high = HexDigitValue(p[1]);
      const int low = high < 0 ? -1 : HexDigitValue(p[2]);
      const int value = high < 0 ? 0 : low < 0 ? high : high * 16 + low;
      // A 0 ends the decoded text; whatever follows it is dropped unread.
      if (value == 0) break;
      text += static_cast<char>(value);
      // Both bytes after '%' belong to the escape, but the scan stops at the
      // terminator if it is one of them.
      p += 1;
      if (*p != '\0') ++p;
      if (*p != '\0') ++p;
    }
    if (text.size() >= LINK_BUFFER_SIZE) return decoded;  // too long: empty
  }
  std::memcpy(decoded.data(), text.data(), text.size());
  return decoded;
}
