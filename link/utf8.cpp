#include "link/utf8.h"

namespace {

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

}  // namespace

bool IsNonAsciiUtf8(const char* text) {
  const auto* p = reinterpret_cast<const unsigned char*>(text);
  bool non_ascii = false;
  while (*p != '\0') {
    const unsigned char lead = *p;
    if (lead < 0x80) {
      ++p;
      continue;
    }
    non_ascii = true;
    // The lead byte gives the length and, with the second byte, the range
    // that keeps the character within its shortest form, outside the
    // surrogates and at most U+10FFFF.
    int length;
    unsigned char second_min = 0x80, second_max = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      if (lead == 0xE0) second_min = 0xA0;  // below U+0800: overlong
      if (lead == 0xED) second_max = 0x9F;  // U+D800 to U+DFFF: surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      if (lead == 0xF0) second_min = 0x90;  // below U+10000: overlong
      if (lead == 0xF4) second_max = 0x8F;  // above U+10FFFF
    } else {
      return false;  // a continuation byte, C0, C1 or F5 and above
    }
    if (p[1] < second_min || p[1] > second_max) return false;
    // A terminator is no continuation byte, so nothing is read past it.
    for (int i = 2; i < length; ++i)
      if (!IsContinuation(p[i])) return false;
    p += length;
  }
  return non_ascii;
}
