// Every child runs hidden in a job object that only kills on close: terminating
// the job ends the whole tree, and closing it ends whatever the child left behind.
#include "platform/child_process.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <vector>

#include "platform/command_line.h"

namespace korvix {

namespace {

// After a kill, at most this much output that is already in the pipe is still
// taken: a process that escaped the job may hold the pipe open and keep writing.
constexpr DWORD output_after_kill_limit = 1024 * 1024;

void close_handle(HANDLE& handle) {
  if (handle && handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
  handle = nullptr;
}

HANDLE create_kill_on_close_job() {
  HANDLE job = CreateJobObjectW(nullptr, nullptr);
  if (!job) return nullptr;
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof(limits));
  return job;
}

// Restricts what the child inherits to the given handles. Without the list a child
// started by one thread inherits the pipe of a run on another thread, and that run
// then waits for the wrong child to close its pipe.
class InheritList {
 public:
  InheritList(HANDLE* handles, size_t count) {
    SIZE_T size = 0;
    InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
    storage_.resize(size);
    auto* list = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(storage_.data());
    if (!InitializeProcThreadAttributeList(list, 1, 0, &size)) return;
    if (!UpdateProcThreadAttribute(list, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, handles, count * sizeof(HANDLE), nullptr,
                                   nullptr)) {
      DeleteProcThreadAttributeList(list);
      return;
    }
    list_ = list;
  }
  ~InheritList() {
    if (list_) DeleteProcThreadAttributeList(list_);
  }
  InheritList(const InheritList&) = delete;
  InheritList& operator=(const InheritList&) = delete;

  // Null when the system can't restrict inheritance; the child then inherits all.
  LPPROC_THREAD_ATTRIBUTE_LIST get() const { return list_; }

 private:
  std::vector<char> storage_;
  LPPROC_THREAD_ATTRIBUTE_LIST list_ = nullptr;
};

}  // namespace

struct ChildProcess::Handles {
  HANDLE output = nullptr;
  HANDLE process = nullptr;
  HANDLE job = nullptr;
  // The thread that reads the output, so a kill can abort a read that would wait
  // for a process outside the job.
  HANDLE reader = nullptr;
  std::atomic<bool> reading{false};
  std::atomic<bool> killed{false};
  DWORD read_after_kill = 0;
};

ChildProcess::ChildProcess() : handles_(std::make_unique<Handles>()) {}

ChildProcess::~ChildProcess() {
  Handles& h = *handles_;
  close_handle(h.output);
  close_handle(h.process);
  close_handle(h.reader);
  close_handle(h.job);  // kills whatever the child left running in the job
}

bool ChildProcess::start(const std::vector<std::string>& args, const std::filesystem::path& working_folder,
                         std::string& error) {
  Handles& h = *handles_;
  SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE write_end = nullptr;
  if (!CreatePipe(&h.output, &write_end, &inheritable, 0)) {
    h.output = nullptr;
    error = "CreatePipe failed";
    return false;
  }
  SetHandleInformation(h.output, HANDLE_FLAG_INHERIT, 0);
  HANDLE null_input =
      CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable, OPEN_EXISTING, 0, nullptr);
  std::wstring command_line = quote_command_line(args);
  HANDLE job = create_kill_on_close_job();

  HANDLE inherited[2] = {write_end, null_input};
  InheritList inherit_list(inherited, null_input == INVALID_HANDLE_VALUE ? 1 : 2);
  STARTUPINFOEXW startup{};
  startup.StartupInfo.cb = sizeof(startup);
  startup.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
  startup.StartupInfo.hStdInput = null_input;
  startup.StartupInfo.hStdOutput = write_end;
  startup.StartupInfo.hStdError = write_end;
  startup.lpAttributeList = inherit_list.get();
  DWORD flags = CREATE_SUSPENDED | CREATE_NO_WINDOW;
  if (startup.lpAttributeList) flags |= EXTENDED_STARTUPINFO_PRESENT;
  std::wstring folder = working_folder.wstring();

  PROCESS_INFORMATION process{};
  BOOL created = CreateProcessW(nullptr, command_line.data(), nullptr, nullptr, TRUE, flags, nullptr,
                                folder.empty() ? nullptr : folder.c_str(), &startup.StartupInfo, &process);
  DWORD error_number = created ? 0 : GetLastError();
  close_handle(write_end);
  close_handle(null_input);
  if (!created) {
    close_handle(h.output);
    close_handle(job);
    error = "couldn't start " + args[0] + " (error " + std::to_string(error_number) + ")";
    return false;
  }
  // In the job before it runs a single instruction, so nothing it starts escapes.
  if (job && !AssignProcessToJobObject(job, process.hProcess)) close_handle(job);
  ResumeThread(process.hThread);
  CloseHandle(process.hThread);
  h.process = process.hProcess;
  h.job = job;
  h.reader = OpenThread(THREAD_TERMINATE, FALSE, GetCurrentThreadId());
  return true;
}

size_t ChildProcess::read(char* buffer, size_t size) {
  Handles& h = *handles_;
  if (!h.output) return 0;
  DWORD got = 0;
  DWORD wanted = size > MAXDWORD ? MAXDWORD : static_cast<DWORD>(size);
  if (h.killed.load()) {
    // Once killed, take only what is already there.
    DWORD available = 0;
    if (h.read_after_kill >= output_after_kill_limit) return 0;
    if (!PeekNamedPipe(h.output, nullptr, 0, nullptr, &available, nullptr) || available == 0) return 0;
    if (!ReadFile(h.output, buffer, std::min(wanted, available), &got, nullptr)) return 0;
    h.read_after_kill += got;
    return got;
  }
  h.reading.store(true);
  BOOL done = ReadFile(h.output, buffer, wanted, &got, nullptr);
  h.reading.store(false);
  return done ? got : 0;
}

int ChildProcess::wait() {
  Handles& h = *handles_;
  close_handle(h.output);
  if (!h.process) return 1;
  WaitForSingleObject(h.process, INFINITE);
  DWORD code = 1;
  if (!GetExitCodeProcess(h.process, &code)) code = 1;
  close_handle(h.process);
  return static_cast<int>(code);
}

void ChildProcess::kill_tree() {
  Handles& h = *handles_;
  if (!h.job) return;
  TerminateJobObject(h.job, 1);
  h.killed.store(true);
  if (h.reading.load() && h.reader) CancelSynchronousIo(h.reader);
}

}  // namespace korvix
