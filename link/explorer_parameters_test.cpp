#include "link/explorer_parameters.h"

#include <gtest/gtest.h>

#include <string>

#include "link/explorer_model.h"

namespace {

struct ParametersCase {
  const char* path;
  const char* parameters;  // "" : nothing may be launched
};

// Every case is also read back the way Explorer reads it: what it opens or
// selects must be the path itself (less the blanks and tabs at its end,
// which Explorer drops), and /select may be the only switch.
void Check(const ParametersCase& c) {
  const std::string parameters = ExplorerParameters(c.path);
  EXPECT_EQ(parameters, c.parameters) << "path: " << c.path;
  if (parameters.empty()) return;
  const ExplorerCommand read = ParseExplorerParameters(parameters);
  ASSERT_EQ(read.objects.size(), 1u) << "parameters: " << parameters;
  EXPECT_EQ(read.objects[0], TrimBlanksAndTabs(c.path));
  const bool selected = parameters.compare(0, 8, "/select,") == 0;
  EXPECT_EQ(read.switches,
            selected ? std::vector<std::string>{"/select"}
                     : std::vector<std::string>{})
      << "parameters: " << parameters;
}

TEST(ExplorerParameters, OrdinaryPathsAreHandedOverAsTheyAre) {
  const ParametersCase cases[] = {
      {"\\\\server\\share\\dir\\file name.txt",
       "\\\\server\\share\\dir\\file name.txt"},
      {"\\\\a\\b", "\\\\a\\b"},
      {"\\\\a\\\\b\\", "\\\\a\\\\b\\"},
      {"\\\\a\\b?c#d", "\\\\a\\b?c#d"},
      {"\\\\user@a:445\\s", "\\\\user@a:445\\s"},
      {"\\\\a\\b x  ", "\\\\a\\b x  "},
      {"\\\\", "\\\\"},
      {"\\\\a\\b\x04", "\\\\a\\b\x04"},
      {"\\\\a\\caf\xE9", "\\\\a\\caf\xE9"},
      {"\\\\srv\\t\\report.pdf", "\\\\srv\\t\\report.pdf"},
      {"\\\\.hidden\\s", "\\\\.hidden\\s"},  // a server whose name has a dot
      {"\\\\..\\s", "\\\\..\\s"},
  };
  for (const auto& c : cases) Check(c);
}

TEST(ExplorerParameters, DeviceNamespaceAndQuotesAreRefused) {
  const ParametersCase cases[] = {
      {"\\\\.\\C:\\Windows", ""},
      {"\\\\?\\C:\\Windows\\notepad.exe", ""},
      {"\\\\.", ""},
      {"\\\\?", ""},
      {"\\\\.\\", ""},
      {"\\\\srv\\t\\run.ex\"e\"", ""},  // Explorer would read run.exe
      {"\\\\srv\\t\\\"", ""},
      {"\\\\\"srv\"\\t", ""},
      {"\\a", ""},  // not a UNC path at all
      {"", ""},
  };
  for (const auto& c : cases) Check(c);
}

TEST(ExplorerParameters, ProgramsAreSelectedNotOpened) {
  const ParametersCase cases[] = {
      {"\\\\srv\\tools\\setup.exe", "/select,\\\\srv\\tools\\setup.exe"},
      {"\\\\srv\\t\\Setup.EXE", "/select,\\\\srv\\t\\Setup.EXE"},
      {"\\\\srv\\t\\a.lnk", "/select,\\\\srv\\t\\a.lnk"},
      {"\\\\srv\\t\\a.appref-ms", "/select,\\\\srv\\t\\a.appref-ms"},
      {"\\\\srv\\t\\a.SettingContent-ms",
       "/select,\\\\srv\\t\\a.SettingContent-ms"},
      {"\\\\srv\\t\\EVIL~1.APP", "/select,\\\\srv\\t\\EVIL~1.APP"},
      {"\\\\srv\\t\\x.bat", "/select,\\\\srv\\t\\x.bat"},
      {"\\\\srv\\t\\x.ps1", "/select,\\\\srv\\t\\x.ps1"},
      // Windows drops trailing dots and blanks, and reads a stream name
      // after ':' as part of the same file.
      {"\\\\srv\\t\\setup.exe.", "/select,\\\\srv\\t\\setup.exe."},
      {"\\\\srv\\t\\setup.exe. . ", "/select,\\\\srv\\t\\setup.exe. . "},
      {"\\\\srv\\t\\setup.exe\t", "/select,\\\\srv\\t\\setup.exe\t"},
      {"\\\\srv\\t\\setup.exe\x01", "/select,\\\\srv\\t\\setup.exe\x01"},
      {"\\\\srv\\t\\setup.exe::$DATA", "/select,\\\\srv\\t\\setup.exe::$DATA"},
      {"\\\\srv\\t\\setup.exe:x:y", "/select,\\\\srv\\t\\setup.exe:x:y"},
      {"\\\\srv\\t\\x:setup.exe", "/select,\\\\srv\\t\\x:setup.exe"},
      // The share is the first segment after the server.
      {"\\\\srv\\setup.exe", "/select,\\\\srv\\setup.exe"},
      {"\\\\files.example.com\\x.com", "/select,\\\\files.example.com\\x.com"},
      // "." and ".." name something further up the path, which may be a
      // program: shown rather than opened.
      {"\\\\srv\\t\\setup.exe\\.", "/select,\\\\srv\\t\\setup.exe\\."},
      {"\\\\srv\\t\\setup.exe\\x\\..", "/select,\\\\srv\\t\\setup.exe\\x\\.."},
      {"\\\\srv\\t\\dir\\ ", "/select,\\\\srv\\t\\dir\\ "},
  };
  for (const auto& c : cases) Check(c);
}

TEST(ExplorerParameters, OnlyTheLastSegmentOfAFileCounts) {
  const ParametersCase cases[] = {
      {"\\\\srv\\t\\setup.exe\\", "\\\\srv\\t\\setup.exe\\"},  // a folder
      {"\\\\srv\\t\\setup.exe\\readme.txt",
       "\\\\srv\\t\\setup.exe\\readme.txt"},
      {"\\\\srv\\t\\a.exe1", "\\\\srv\\t\\a.exe1"},
      {"\\\\srv\\t\\exe", "\\\\srv\\t\\exe"},
      {"\\\\srv\\t\\a.exe.txt", "\\\\srv\\t\\a.exe.txt"},
      {"\\\\files.example.com", "\\\\files.example.com"},  // a server
      {"\\\\files.example.com\\", "\\\\files.example.com\\"},
      {"\\\\setup.exe", "\\\\setup.exe"},
  };
  for (const auto& c : cases) Check(c);
}

TEST(ExplorerParameters, SeparatorsAreQuoted) {
  const ParametersCase cases[] = {
      {"\\\\srv\\Smith, John\\Q1", "\"\\\\srv\\Smith, John\\Q1\""},
      {"\\\\srv\\a=b", "\"\\\\srv\\a=b\""},
      {"\\\\srv\\t\\x,", "\"\\\\srv\\t\\x,\""},
      {"\\\\srv\\t\\a,b.exe", "/select,\"\\\\srv\\t\\a,b.exe\""},
      {"\\\\srv\\a=b\\c.lnk ", "/select,\"\\\\srv\\a=b\\c.lnk \""},
  };
  for (const auto& c : cases) Check(c);
}

}  // namespace
