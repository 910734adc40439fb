#include "install/process_runner.h"

#include <algorithm>
#include <mutex>

#include "platform/child_process.h"

namespace korvix {

namespace {

constexpr size_t read_chunk_size = 64 * 1024;

// Every running child, with whether it is one of the long job's (the current-job
// record). Never destroyed, so a detached worker that outlives `main` still finds it.
struct RunningChildren {
  struct Entry {
    ChildProcess* child;
    bool of_job;
  };
  std::mutex mutex;
  std::vector<Entry> children;
  bool ending = false;  // the program is ending: every child is killed as it comes
};

RunningChildren& running_children() {
  static RunningChildren* record = new RunningChildren;
  return *record;
}

// Lists one child in the record for its lifetime. Removal comes before the
// child's tree is released, so a kill never reaches a child that is gone.
class ChildListing {
 public:
  ChildListing(ChildProcess* child, bool of_job) : child_(child) {
    RunningChildren& record = running_children();
    std::lock_guard lock(record.mutex);
    record.children.push_back({child_, of_job});
    if (record.ending) child_->kill_tree();
  }
  ~ChildListing() {
    RunningChildren& record = running_children();
    std::lock_guard lock(record.mutex);
    std::erase_if(record.children, [this](const RunningChildren::Entry& entry) { return entry.child == child_; });
  }
  ChildListing(const ChildListing&) = delete;
  ChildListing& operator=(const ChildListing&) = delete;

 private:
  ChildProcess* child_;
};

bool is_final_byte(unsigned char byte) { return byte >= 64 && byte <= 126; }

RunResult run_child(const std::vector<std::string>& args, const std::filesystem::path& working_folder,
                    const LineHandler& line_handler, const std::atomic<bool>* job_cancel, size_t output_limit) {
  RunResult result;
  // Stop came before this run of the job: start nothing.
  if (job_cancel && job_cancel->load()) return result;
  if (args.empty()) {
    result.start_error = "couldn't start  (error 2)";
    return result;
  }
  LineSplitter splitter([&](std::string_view raw) { line_handler(clean_output_line(raw)); });
  {
    ChildProcess child;
    if (!child.start(args, working_folder, result.start_error)) return result;
    ChildListing listing(&child, job_cancel != nullptr);
    // Stop may have come while the child was starting; it found nothing to kill.
    if (job_cancel && job_cancel->load()) child.kill_tree();

    std::string buffer(read_chunk_size, '\0');
    size_t taken = 0;
    while (size_t got = child.read(buffer.data(), buffer.size())) {
      if (got > output_limit - taken) {
        child.kill_tree();
        result.output_cut = true;
        break;
      }
      taken += got;
      if (line_handler) splitter.feed(std::string_view(buffer.data(), got));
    }
    result.exit_code = child.wait();
  }  // Unlisted, then the child's tree is released: whatever it left running dies.
  if (line_handler && !result.output_cut) splitter.finish();
  return result;
}

}  // namespace

RunResult ProcessRunner::run(const std::vector<std::string>& args, const std::filesystem::path& working_folder,
                             const LineHandler& line_handler, const std::atomic<bool>* job_cancel) {
  return run_child(args, working_folder, line_handler, job_cancel, std::numeric_limits<size_t>::max());
}

RunResult ProcessRunner::run_captured(const std::vector<std::string>& args, std::string& output,
                                      const std::atomic<bool>* job_cancel, size_t output_limit) {
  output.clear();
  auto append = [&output](const std::string& line) {
    output += line;
    output += '\n';
  };
  return run_child(args, {}, append, job_cancel, output_limit);
}

void ProcessRunner::cancel_running() {
  RunningChildren& record = running_children();
  std::lock_guard lock(record.mutex);
  for (const RunningChildren::Entry& entry : record.children)
    if (entry.of_job) entry.child->kill_tree();
}

void ProcessRunner::end_all_runs() {
  RunningChildren& record = running_children();
  std::lock_guard lock(record.mutex);
  record.ending = true;
  for (const RunningChildren::Entry& entry : record.children) entry.child->kill_tree();
}

std::string clean_output_line(std::string_view raw) {
  // Most lines hold no control byte at all: only trailing blanks can go.
  if (std::none_of(raw.begin(), raw.end(), [](char c) { return static_cast<unsigned char>(c) < 32; })) {
    size_t last = raw.find_last_not_of(' ');
    return std::string(last == std::string_view::npos ? std::string_view() : raw.substr(0, last + 1));
  }
  std::string line;
  line.reserve(raw.size());
  for (size_t at = 0; at < raw.size(); ++at) {
    auto byte = static_cast<unsigned char>(raw[at]);
    if (byte == 27) {
      // A control sequence runs from ESC [ to its final byte (64 to 126), both
      // dropped with everything between; a lone escape goes by itself.
      if (at + 1 < raw.size() && raw[at + 1] == '[') {
        at += 2;
        while (at < raw.size() && !is_final_byte(static_cast<unsigned char>(raw[at]))) ++at;
      }
      continue;
    }
    if (byte == '\t') {
      line.append(4, ' ');
    } else if (byte >= 32) {
      line.push_back(static_cast<char>(byte));
    }
  }
  while (!line.empty() && line.back() == ' ') line.pop_back();
  return line;
}

void LineSplitter::feed(std::string_view bytes) {
  size_t start = 0;
  for (size_t at = 0; at < bytes.size(); ++at) {
    if (bytes[at] != '\r' && bytes[at] != '\n') continue;
    if (pending_.empty()) {
      if (at > start) on_line_(bytes.substr(start, at - start));
    } else {
      pending_.append(bytes.data() + start, at - start);
      on_line_(pending_);
      pending_.clear();
    }
    start = at + 1;
  }
  pending_.append(bytes.data() + start, bytes.size() - start);
}

void LineSplitter::finish() {
  if (pending_.empty()) return;
  on_line_(pending_);
  pending_.clear();
}

}  // namespace korvix
