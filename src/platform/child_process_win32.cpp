// Every child runs hidden in a job object that only kills on close: terminating
// the job ends the whole tree, and closing it ends whatever the child left behind.
//
// The output arrives through a pipe whose read end is overlapped, so a read can
// also wait for the child's end and for a kill: a process the child left running
// may hold the pipe open for ever, and must hold neither the run nor a Stop.
#include "platform/child_process.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <vector>

#include "platform/command_line.h"
#include "platform/program_search_win32.h"

namespace korvix {

namespace {

constexpr DWORD pipe_buffer_size = 64 * 1024;

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

// A one-way pipe: an overlapped read end for the launcher, and an ordinary,
// inheritable write end for the child. Anonymous pipes can't be overlapped, so
// it is a named pipe of a name no other pipe has, open to one client only.
bool create_output_pipe(HANDLE& read_end, HANDLE& write_end) {
  static std::atomic<unsigned> counter{0};
  std::wstring name =
      L"\\\\.\\pipe\\korvix-launcher-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(counter++);
  read_end = CreateNamedPipeW(name.c_str(), PIPE_ACCESS_INBOUND | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
                              PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS, 1, 0,
                              pipe_buffer_size, 0, nullptr);
  if (read_end == INVALID_HANDLE_VALUE) {
    read_end = nullptr;
    return false;
  }
  SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  write_end = CreateFileW(name.c_str(), GENERIC_WRITE, 0, &inheritable, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (write_end == INVALID_HANDLE_VALUE) {
    write_end = nullptr;
    close_handle(read_end);
    return false;
  }
  return true;
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
  HANDLE read_done = nullptr;  // event of the read in flight
  HANDLE kill_event = nullptr;
  HANDLE process = nullptr;
  HANDLE job = nullptr;
  std::atomic<bool> killed{false};
  bool kill_seen = false;  // the reader has noticed the kill
  bool ended = false;      // the reader has noticed the child's own end
  ULONGLONG end_deadline = 0;
  size_t taken_after_end = 0;
};

ChildProcess::ChildProcess() : handles_(std::make_unique<Handles>()) {}

ChildProcess::~ChildProcess() {
  Handles& h = *handles_;
  close_handle(h.output);
  close_handle(h.read_done);
  close_handle(h.kill_event);
  close_handle(h.process);
  close_handle(h.job);  // kills whatever the child left running in the job
}

bool ChildProcess::start(const std::vector<std::string>& args, const std::filesystem::path& working_folder,
                         std::string& error) {
  Handles& h = *handles_;
  std::optional<std::filesystem::path> program = locate_program(args[0]);
  if (!program) {
    error = "couldn't start " + args[0] + " (error " + std::to_string(ERROR_FILE_NOT_FOUND) + ")";
    return false;
  }
  HANDLE write_end = nullptr;
  h.read_done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  h.kill_event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (!h.read_done || !h.kill_event || !create_output_pipe(h.output, write_end)) {
    error = "CreatePipe failed";
    return false;
  }
  SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
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
  BOOL created = CreateProcessW(program->c_str(), command_line.data(), nullptr, nullptr, TRUE, flags, nullptr,
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
  return true;
}

size_t ChildProcess::read(char* buffer, size_t size) {
  Handles& h = *handles_;
  if (!h.output) return 0;
  for (;;) {
    if (h.killed.load()) h.kill_seen = true;
    bool draining = h.kill_seen || h.ended;
    DWORD wanted = static_cast<DWORD>(std::min<size_t>(size, MAXDWORD));
    if (draining) {
      if (h.taken_after_end >= output_after_end_limit) return 0;
      wanted = static_cast<DWORD>(std::min<size_t>(wanted, output_after_end_limit - h.taken_after_end));
      if (!h.kill_seen && GetTickCount64() >= h.end_deadline) return 0;
    }
    if (h.kill_seen) {
      // Once killed, take only what is already there.
      DWORD available = 0;
      if (!PeekNamedPipe(h.output, nullptr, 0, nullptr, &available, nullptr) || available == 0) return 0;
      wanted = std::min(wanted, available);
    }

    OVERLAPPED overlapped{};
    overlapped.hEvent = h.read_done;
    ResetEvent(h.read_done);
    DWORD got = 0;
    bool finished = ReadFile(h.output, buffer, wanted, &got, &overlapped) != 0;
    if (!finished && GetLastError() != ERROR_IO_PENDING) return 0;  // every writer has closed it
    while (!finished) {
      HANDLE waits[3] = {h.read_done};
      DWORD count = 1;
      if (!h.kill_seen) waits[count++] = h.kill_event;
      if (!h.ended && !h.kill_seen) waits[count++] = h.process;
      DWORD timeout = INFINITE;
      if (h.kill_seen) {
        timeout = 0;
      } else if (h.ended) {
        ULONGLONG now = GetTickCount64();
        timeout = now >= h.end_deadline ? 0 : static_cast<DWORD>(h.end_deadline - now);
      }
      DWORD woken = WaitForMultipleObjects(count, waits, FALSE, timeout);
      if (woken == WAIT_OBJECT_0) {
        finished = true;
      } else if (woken != WAIT_TIMEOUT && waits[woken - WAIT_OBJECT_0] == h.process) {
        // The child itself has ended: what it wrote is still taken, for a while.
        h.ended = true;
        h.end_deadline = GetTickCount64() + output_after_end_millis;
      } else if (woken != WAIT_TIMEOUT && waits[woken - WAIT_OBJECT_0] == h.kill_event) {
        h.kill_seen = true;
      } else {
        // Timed out, killed or failed: give up the read, keeping what it got.
        CancelIoEx(h.output, &overlapped);
        finished = true;
      }
    }
    if (!GetOverlappedResult(h.output, &overlapped, &got, TRUE) && got == 0) {
      if (GetLastError() != ERROR_OPERATION_ABORTED) return 0;  // every writer has closed it
      if (h.ended && !h.kill_seen && GetTickCount64() >= h.end_deadline) return 0;
      continue;  // given up for a kill: take what is left, if anything
    }
    if (h.kill_seen || h.ended) h.taken_after_end += got;
    if (got > 0) return got;
  }
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
  if (h.kill_event) SetEvent(h.kill_event);
}

}  // namespace korvix
