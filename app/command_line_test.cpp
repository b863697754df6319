#include "app/command_line.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

bool NoLeadBytes(unsigned char) { return false; }

// The lead bytes of the Japanese double-byte code page (932).
bool Cp932LeadByte(unsigned char b) {
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

struct TailCase {
  const char* command_line;
  const char* tail;
};

TEST(CommandLineTail, SingleByteCodePage) {
  const TailCase cases[] = {
      {"smbopener.exe", ""},
      {"smbopener.exe   ", ""},
      {"smbopener.exe smb://a/b", "smb://a/b"},
      {"\"C:\\some dir\\smbopener.exe\" smb://server/Public%20Docs/report",
       "smb://server/Public%20Docs/report"},
      // No blank after the closing quote: the name runs on to the next blank.
      {"\"C:\\some dir\\smbopener.exe\"smb://a/b", ""},
      {"\"C:\\some dir\\smbopener.exe\"smb://a/b c", "c"},
      {"smbopener.exe \t  \t smb://a/b", "smb://a/b"},
      {"smbopener.exe\tsmb://a/b", "smb://a/b"},
      {"smbopener.exe\x01\x1Fsmb://a/b", "smb://a/b"},
      {"smbopener.exe smb://a/b  ", "smb://a/b  "},
      {"smbopener.exe smb://a/b second", "smb://a/b second"},
      {"smbopener.exe \"smb://a/b\"", "\"smb://a/b\""},
      {"sm\"b op\"ener.exe smb://a/b", "smb://a/b"},
      // An unclosed quote takes the rest of the line into the name.
      {"\"C:\\smbopener.exe smb://a/b", ""},
      {"", ""},
  };
  for (const auto& c : cases) {
    EXPECT_STREQ(CommandLineTail(c.command_line, NoLeadBytes), c.tail)
        << "command line: " << c.command_line;
  }
  EXPECT_STREQ(CommandLineTail(nullptr, NoLeadBytes), "");
}

TEST(CommandLineTail, DoubleByteCodePage) {
  const TailCase cases[] = {
      // 0x81 0x20 is one character: its trail byte is no blank.
      {"\x81 x.exe smb://a/b", "smb://a/b"},
      // 0x81 0x22 is one character: its trail byte is no quote.
      {"\"\x81\"dir x.exe\" smb://a/b", "smb://a/b"},
  };
  for (const auto& c : cases) {
    EXPECT_STREQ(CommandLineTail(c.command_line, Cp932LeadByte), c.tail)
        << "command line: " << c.command_line;
  }
  EXPECT_STREQ(CommandLineTail("\x81 x.exe smb://a/b", NoLeadBytes),
               "x.exe smb://a/b");
}

// A lead byte directly before the terminator ends the name there; nothing is
// read past the terminator (AddressSanitizer checks the exact-size copy).
TEST(CommandLineTail, LeadByteBeforeTheTerminator) {
  for (const std::string line : {"x.exe\x81", "\x81", "x.exe a\x81"}) {
    std::unique_ptr<char[]> exact(new char[line.size() + 1]);
    line.copy(exact.get(), line.size());
    exact[line.size()] = '\0';
    const char* tail = CommandLineTail(exact.get(), Cp932LeadByte);
    EXPECT_GE(tail, exact.get());
    EXPECT_LE(tail, exact.get() + line.size());
  }
  EXPECT_STREQ(CommandLineTail("x.exe a\x81", Cp932LeadByte), "a\x81");
}

}  // namespace
