#include "link/smb_link.h"

#include <gtest/gtest.h>

#include <string>

#include "link/recorded_shell.h"

namespace {

class OpenSmbLinkTest : public ::testing::Test {
 protected:
  void SetUp() override { ClearShellRequests(); }
};

struct LinkCase {
  const char* tail;
  const char* parameters;  // null: nothing may be launched
  bool utf8 = false;       // handed over as UTF-8, not in the ANSI code page
};

// Each case is one whole call; the request the shell receives is checked in
// all six values and in the call it came through, and a case that must not
// launch must leave no request.
TEST_F(OpenSmbLinkTest, Table) {
  const LinkCase cases[] = {
      {"smb://server/share/dir/file name.txt",
       "\\\\server\\share\\dir\\file name.txt"},
      {"smb://server/Public%20Docs/report", "\\\\server\\Public Docs\\report"},
      {"smb://a/b", "\\\\a\\b"},
      {"smb:////a//b/", "\\\\a\\\\b\\"},
      {"smb://a\\b", "\\\\a\\b"},
      {"smb://a/b?c#d", "\\\\a\\b?c#d"},
      {"smb://user@a:445/s", "\\\\user@a:445\\s"},
      {"smb://a/b x  ", "\\\\a\\b x  "},
      {"smb://a/\xE9t\xE9", "\\\\a\\\xE9t\xE9"},
      {"smb://", "\\\\"},
      {"smb:///", "\\\\"},
      {"smb%3a%2f%2fa/b", "\\\\a\\b"},
      {"smb://a/b%2fc", "\\\\a\\b\\c"},
      {"smb://a/b%00/c", "\\\\a\\b"},
      {"smb://srv/Smith, John/Q1", "\"\\\\srv\\Smith, John\\Q1\""},
      {"smb://srv/tools/setup.exe", "/select,\\\\srv\\tools\\setup.exe"},
      {"smb://./C:/Windows", nullptr},
      {"smb://%3F/C:/Windows/notepad.exe", nullptr},
      {"smb://srv/t/run.ex%22e%22", nullptr},
      {"smb://nas/B%C3%BCro", "\\\\nas\\B\xC3\xBCro", true},
      {"smb://nas/%E6%9D%B1%E4%BA%AC",
       "\\\\nas\\\xE6\x9D\xB1\xE4\xBA\xAC", true},
      {"smb://nas/M%C3%BCller, Hans", "\"\\\\nas\\M\xC3\xBCller, Hans\"", true},
      {"smb://nas/%E5%AE%89%E8%A3%85.exe",
       "/select,\\\\nas\\\xE5\xAE\x89\xE8\xA3\x85.exe", true},
      {"smb://a/caf%E9", "\\\\a\\caf\xE9"},
      {"smb://a/B%C3%BCro/caf%E9", "\\\\a\\B\xC3\xBCro\\caf\xE9"},
      {"smb://a/B%C3", "\\\\a\\B\xC3"},
      {"SMB://a/b", nullptr},
      {"Smb://a/b", nullptr},
      {"smb:a", nullptr},
      {"smb:/", nullptr},
      {"smb:/a/b", nullptr},
      {"smb:", nullptr},
      {" smb://a/b", nullptr},
      {"\"smb://a/b\"", nullptr},
      {"http://a/b", nullptr},
      {"sm%00b://a/b", nullptr},
      {"%", nullptr},
  };
  for (const auto& c : cases) {
    ClearShellRequests();
    OpenSmbLink(c.tail);
    const auto& requests = RecordedShellRequests();
    if (c.parameters == nullptr) {
      EXPECT_TRUE(requests.empty()) << "tail: " << c.tail;
      continue;
    }
    ASSERT_EQ(requests.size(), 1u) << "tail: " << c.tail;
    const ShellRequest& r = requests[0];
    EXPECT_EQ(r.utf8, c.utf8) << "tail: " << c.tail;
    EXPECT_EQ(r.owner, nullptr);
    EXPECT_TRUE(r.has_verb && r.has_file && r.has_parameters);
    EXPECT_EQ(r.verb, "open");
    EXPECT_EQ(r.file, "explorer.exe");
    EXPECT_EQ(r.parameters, c.parameters) << "tail: " << c.tail;
    EXPECT_FALSE(r.has_directory);
    EXPECT_EQ(r.show, SW_SHOW);
  }
}

TEST_F(OpenSmbLinkTest, AbsentOrEmptyTailLaunchesNothing) {
  OpenSmbLink(nullptr);
  OpenSmbLink("");
  EXPECT_TRUE(RecordedShellRequests().empty());
}

TEST_F(OpenSmbLinkTest, LongestLinkFitsTheUncPath) {
  const std::string rest(491, 'x');
  OpenSmbLink(("smb://a/" + rest).c_str());
  ASSERT_EQ(RecordedShellRequests().size(), 1u);
  EXPECT_EQ(RecordedShellRequests()[0].parameters, "\\\\a\\" + rest);
}

TEST_F(OpenSmbLinkTest, OverlongLinkLaunchesNothing) {
  OpenSmbLink(("smb://a/" + std::string(492, 'x')).c_str());
  OpenSmbLink(("smb://a/" + std::string(20000, 'x')).c_str());
  EXPECT_TRUE(RecordedShellRequests().empty());
}

TEST_F(OpenSmbLinkTest, LongRestBehindAZeroIsDropped) {
  OpenSmbLink(("smb://a/b%00" + std::string(2000, 'x')).c_str());
  ASSERT_EQ(RecordedShellRequests().size(), 1u);
  EXPECT_EQ(RecordedShellRequests()[0].parameters, "\\\\a\\b");
}

}  // namespace
