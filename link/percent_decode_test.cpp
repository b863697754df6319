#include "link/percent_decode.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

namespace {

std::string Decode(const std::string& tail) {
  return PercentDecode(tail.c_str()).data();
}

struct DecodeCase {
  const char* tail;
  const char* decoded;
};

TEST(PercentDecode, Table) {
  const DecodeCase cases[] = {
      {"smb://server/share/file%20name.txt", "smb://server/share/file name.txt"},
      {"smb%3a//a/b", "smb://a/b"},
      {"smb%3A%2F%2Fa/b", "smb://a/b"},
      {"smb://a/%41%62", "smb://a/Ab"},
      {"smb://a/%2f", "smb://a//"},
      {"smb://a/%E9", "smb://a/\xE9"},
      {"smb://a/%e9%FF%80", "smb://a/\xE9\xFF\x80"},
      {"smb://a/%4zb", "smb://a/\x04" "b"},
      {"smb://a/%zzb", "smb://a/"},
      {"smb://a/%-1b", "smb://a/"},
      {"smb://a/% 5b", "smb://a/"},
      {"smb://a/%x41", "smb://a/"},
      {"smb://a/%00x", "smb://a/"},
      {"smb://a/%%41", "smb://a/"},
      {"smb://a/%\xE9" "1b", "smb://a/"},   // no byte from 0x80 up is a digit
      {"smb://a/%4\xE9", "smb://a/\x04"},  // ... and it is still consumed
      {"smb://a/%2541", "smb://a/%41"},     // decoded once, never twice
      {"smb://a/+b", "smb://a/+b"},
      {"smb://a\\b?c#d@e:f", "smb://a\\b?c#d@e:f"},
      {"\"smb://a/b\" x", "\"smb://a/b\" x"},
      {"x", "x"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Decode(c.tail), c.decoded) << "tail: " << c.tail;
  }
}

// A '%' among the last two bytes takes only what is there, and the scan
// stops at the terminator instead of running past it.
TEST(PercentDecode, EscapeCutShortByTheEnd) {
  const DecodeCase cases[] = {
      {"smb://a/b%", "smb://a/b"},
      {"smb://a/b%4", "smb://a/b\x04"},
      {"smb://a/b%z", "smb://a/b"},
      {"%", ""},
      {"%4", "\x04"},
  };
  for (const auto& c : cases) {
    // Copy into an exactly sized heap block so that AddressSanitizer catches
    // any read past the terminator.
    const std::string tail = c.tail;
    std::unique_ptr<char[]> exact(new char[tail.size() + 1]);
    std::copy(tail.c_str(), tail.c_str() + tail.size() + 1, exact.get());
    EXPECT_EQ(std::string(PercentDecode(exact.get()).data()), c.decoded)
        << "tail: " << c.tail;
  }
}

TEST(PercentDecode, LongestTextThatFits) {
  const std::string longest = "smb://a/" + std::string(491, 'x');
  ASSERT_EQ(longest.size(), LINK_BUFFER_SIZE - 1);
  EXPECT_EQ(Decode(longest), longest);
  // Escapes count by what they decode to, not by what they take in the tail.
  std::string escaped = "smb://a/";
  for (int i = 0; i < 491; ++i) escaped += "%41";
  EXPECT_EQ(Decode(escaped), "smb://a/" + std::string(491, 'A'));
}

TEST(PercentDecode, TextTooLongForTheBufferIsRefused) {
  const std::string tails[] = {
      "smb://a/" + std::string(492, 'x'),  // one byte over
      [] {
        std::string s = "smb://a/";
        for (int i = 0; i < 492; ++i) s += "%41";
        return s;
      }(),
      "smb://a/" + std::string(20000 - 8, 'x'),
      std::string(20000, '%'),  // every escape worth 0: empty anyway
  };
  for (const auto& tail : tails) {
    EXPECT_EQ(Decode(tail), "") << "tail of " << tail.size() << " bytes";
  }
}

// Bytes behind a zero byte are dropped unread, so they never count against
// the length limit.
TEST(PercentDecode, BytesBehindAZeroDoNotCount) {
  EXPECT_EQ(Decode("smb://a/b%00" + std::string(2000, 'x')), "smb://a/b");
  EXPECT_EQ(Decode("smb://a/b%zz" + std::string(20000, 'x')), "smb://a/b");
}

}  // namespace
