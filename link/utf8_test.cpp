#include "link/utf8.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

namespace {

struct Utf8Case {
  const char* text;
  bool is_utf8;
};

TEST(IsNonAsciiUtf8, Table) {
  const Utf8Case cases[] = {
      // ASCII alone stays in the ANSI code page.
      {"", false},
      {"\\\\nas\\plain", false},
      // Two-, three- and four-byte characters, and every boundary.
      {"\\\\nas\\B\xC3\xBCro", true},                   // U+00FC
      {"\\\\nas\\\xE6\x9D\xB1\xE4\xBA\xAC", true},      // U+6771 U+4EAC
      {"\\\\nas\\\xF0\x9F\x93\x81", true},              // U+1F4C1
      {"\xC2\x80", true},                               // U+0080
      {"\xDF\xBF", true},                               // U+07FF
      {"\xE0\xA0\x80", true},                           // U+0800
      {"\xED\x9F\xBF", true},                           // U+D7FF
      {"\xEE\x80\x80", true},                           // U+E000
      {"\xEF\xBF\xBF", true},                           // U+FFFF
      {"\xF0\x90\x80\x80", true},                       // U+10000
      {"\xF4\x8F\xBF\xBF", true},                       // U+10FFFF
      // Overlong forms.
      {"\xC0\xAF", false},
      {"\xC1\xBF", false},
      {"\xE0\x80\xAF", false},
      {"\xE0\x9F\xBF", false},
      {"\xF0\x8F\xBF\xBF", false},
      // Surrogates, and beyond U+10FFFF.
      {"\xED\xA0\x80", false},
      {"\xED\xBF\xBF", false},
      {"\xF4\x90\x80\x80", false},
      {"\xF5\x80\x80\x80", false},
      {"\xF8\x88\x80\x80\x80", false},
      // Cut short, at the end and in the middle; stray continuation bytes.
      {"\\\\nas\\B\xC3", false},
      {"\\\\nas\\\xE6\x9D", false},
      {"\\\\nas\\\xF0\x9F\x93", false},
      {"\xE6\x9D" "a", false},
      {"\x80", false},
      {"\xC3\xBC\xBC", false},
      // A legacy ANSI byte, alone or beside UTF-8.
      {"\\\\a\\caf\xE9", false},
      {"\\\\a\\B\xC3\xBCro\\caf\xE9", false},
      {"\\\\a\\\xFF", false},
  };
  for (const auto& c : cases) {
    // An exactly sized copy, so that AddressSanitizer catches a read past the
    // terminator of a sequence cut short.
    const std::string text = c.text;
    std::unique_ptr<char[]> exact(new char[text.size() + 1]);
    std::copy(text.c_str(), text.c_str() + text.size() + 1, exact.get());
    EXPECT_EQ(IsNonAsciiUtf8(exact.get()), c.is_utf8) << "text: " << c.text;
  }
}

}  // namespace
