// The cost of the link handling alone: decoding, checking and translating a
// link and making the launch request, which the recording shell takes in
// without starting anything.

#include <benchmark/benchmark.h>

#include <string>

#include "link/recorded_shell.h"
#include "link/smb_link.h"

namespace {

void OpenLink(benchmark::State& state, const std::string& link) {
  for (auto _ : state) {
    ClearShellRequests();
    OpenSmbLink(link.c_str());
    benchmark::DoNotOptimize(RecordedShellRequests().data());
  }
  if (RecordedShellRequests().size() != 1) state.SkipWithError("no launch");
}

std::string LongestLink() {
  return "smb://fileserver/" + std::string(482, 'x');
}

std::string EscapedLink() {
  std::string link = "smb://fileserver/";
  for (int i = 0; i < 160; ++i) link += "%41";
  return link;
}

BENCHMARK_CAPTURE(OpenLink, typical,
                  std::string("smb://fileserver/Public%20Docs/2026/report.pdf"));
BENCHMARK_CAPTURE(OpenLink, longest_499_bytes, LongestLink());
BENCHMARK_CAPTURE(OpenLink, full_of_escapes, EscapedLink());

}  // namespace

BENCHMARK_MAIN();
