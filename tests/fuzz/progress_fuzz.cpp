// A long job's output as the install script and the build tools might print
// it, over any bytes: split into lines however the pipe hands the bytes over,
// cleaned, then read for "==> " steps and bracketed n/m counts. The lines don't
// depend on where the pipe cut the stream; the bar never moves back and stays
// within 0..1; the tail holds at most 500 lines; no control byte is left in a
// line or a step.
#include <algorithm>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "install/process_runner.h"
#include "install/progress_parser.h"
#include "state/launcher_status.h"

namespace {

std::vector<std::string> split(std::string_view bytes, size_t piece) {
  std::vector<std::string> lines;
  korvix::LineSplitter splitter([&lines](std::string_view line) { lines.emplace_back(line); });
  for (size_t at = 0; at < bytes.size(); at += piece) splitter.feed(bytes.substr(at, piece));
  splitter.finish();
  return lines;
}

bool readable(std::string_view text) {
  return std::none_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 32; });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes = korvix::fuzz::as_text(data, size);
  std::vector<std::string> lines = split(bytes, bytes.size() + 1);
  for (std::string_view line : lines) FUZZ_CHECK(!line.empty() && line.find_first_of("\r\n") == std::string::npos);
  FUZZ_CHECK(split(bytes, 1 + size % 13) == lines);

  korvix::LauncherStatus status;
  status.job_state = korvix::job_running;
  status.fraction = 0.0f;
  for (const std::string& line : lines) {
    float before = status.fraction;
    korvix::ProgressParser::handle_line(status, line);
    FUZZ_CHECK(status.fraction >= before && status.fraction <= 1.0f);
    FUZZ_CHECK(status.step_from <= status.step_to);
    FUZZ_CHECK(status.output_tail.size() <= korvix::output_tail_limit);
    FUZZ_CHECK(readable(status.step));
    FUZZ_CHECK(status.output_tail.empty() || readable(status.output_tail.back()));

    unsigned long n = 0;
    unsigned long m = 0;
    if (korvix::parse_build_count(line, n, m)) FUZZ_CHECK(line.find('[') < line.find(']'));
  }
  korvix::ProgressParser::finish(status, korvix::outcome_succeeded, "");
  FUZZ_CHECK(status.job_state == korvix::job_succeeded);
  return 0;
}
