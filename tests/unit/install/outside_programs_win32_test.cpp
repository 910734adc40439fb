// The outside programs on Windows: where each is started from, what a negative
// exit code means, and what curl and tar are given, with real processes under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <deque>

#include "install/install_flow.h"
#include "install/job.h"
#include "install/process_runner.h"
#include "platform/executable_path.h"
#include "platform/paths.h"
#include "platform/program_search_win32.h"
#include "platform/programs.h"
#include "recorder.h"
#include "support/system_programs_win32.h"
#include "update/http.h"

namespace korvix {
namespace {

using test::TempFolder;
using test::write_bytes;

std::filesystem::path child_tool_path() { return running_executable_path().parent_path() / KORVIX_CHILD_TOOL_NAME; }

class CurrentFolder {
 public:
  explicit CurrentFolder(const std::filesystem::path& folder) : saved_(std::filesystem::current_path()) {
    std::filesystem::current_path(folder);
  }
  ~CurrentFolder() { std::filesystem::current_path(saved_); }

 private:
  std::filesystem::path saved_;
};

TEST(ProgramSearchWin32, SystemProgramsFromTheSystemFolderOthersFromAbsolutePathEntriesOnly) {
  TempFolder temp;
  std::filesystem::path system = temp / "System32";
  for (const char* file : {"curl.exe", "tar.exe", "WindowsPowerShell\\v1.0\\powershell.exe"})
    write_bytes(system / file, "system");
  std::filesystem::path first = temp / "Program Files" / "Git" / "cmd";
  std::filesystem::path second = temp / "tools";
  write_bytes(first / "git.exe", "git");
  write_bytes(second / "git.exe", "second git");
  write_bytes(second / "curl.exe", "a curl on PATH");
  write_bytes(second / "helper.cmd", "cmd");
  CurrentFolder in_temp(temp.path());
  write_bytes(temp / "rel" / "git.exe", "relative");
  // Empty, relative and rooted-but-driveless entries all lean on the current folder.
  std::wstring path = L";.;rel;\\rel;" + (L"\"" + first.wstring() + L"\"") + L";" + second.wstring();

  struct Case {
    std::string program;
    std::optional<std::filesystem::path> found;
  } cases[] = {
      {"curl.exe", system / "curl.exe"},
      {"CURL.EXE", system / "curl.exe"},
      {"tar.exe", system / "tar.exe"},
      {"powershell.exe", system / "WindowsPowerShell" / "v1.0" / "powershell.exe"},
      {"git", first / "git.exe"},
      {"git.exe", first / "git.exe"},
      {"helper.cmd", second / "helper.cmd"},
      {"korvix-no-such-program", std::nullopt},
      {"", std::nullopt},
      {to_utf8(second / "git.exe"), second / "git.exe"},
      {to_utf8(second / "missing.exe"), std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(locate_program(c.program, system, path), c.found) << c.program;

  std::filesystem::remove(system / "curl.exe");
  EXPECT_EQ(locate_program("curl.exe", system, path), std::nullopt) << "never a curl.exe from PATH";
  EXPECT_EQ(locate_program("git", system, L";.;rel"), std::nullopt);
}

TEST(ProgramSearchWin32, AProgramPlantedInTheCurrentFolderNeverRuns) {
  // The launcher is first started from Downloads; what lies there must not run.
  TempFolder temp;
  std::filesystem::path downloads = temp / "Downloads";
  std::filesystem::create_directories(downloads);
  for (const char* name : {"curl.exe", "tar.exe", "powershell.exe", "git.exe"})
    std::filesystem::copy_file(child_tool_path(), downloads / name);  // started, it writes started.txt
  std::filesystem::path bin = temp / "bin";
  std::filesystem::create_directories(bin);
  std::filesystem::copy_file(test::recorder_program(), bin / "git.exe");
  test::ScopedEnv env;
  env.set("PATH", ";.;" + to_utf8(bin));
  env.set("KORVIX_RECORD_FILE", std::nullopt);  // stand-ins of other tests may be in the system folder
  CurrentFolder in_downloads(downloads);

  for (const char* program : {curl_program, tar_program, powershell_program}) {
    RunResult run = ProcessRunner::run({program}, {}, nullptr);
    if (!run.started()) {
      EXPECT_EQ(run.start_error, std::string("couldn't start ") + program + " (error 2)");
    }
  }
  env.set("KORVIX_RECORD_FILE", to_utf8(temp / "record.txt"));
  env.set("KORVIX_RECORD_EXIT", "0");
  RunResult git = ProcessRunner::run({git_program, "version"}, {}, nullptr);
  EXPECT_TRUE(git.succeeded()) << git.start_error;
  EXPECT_FALSE(std::filesystem::exists(downloads / "started.txt")) << test::read_bytes(downloads / "started.txt");
  std::vector<test::RecordedRun> runs = test::read_recorded_runs(temp / "record.txt");
  ASSERT_EQ(runs.size(), 1u) << "git from the absolute PATH entry";
  EXPECT_EQ(runs[0].arguments, std::vector<std::string>{"version"});
}

TEST(ProcessRunnerWin32, ANegativeExitCodeIsTheProgramsOwn) {
  // exit -1, PowerShell's -196608 for a missing script, an access violation.
  for (const char* code : {"-1", "-196608", "-1073741819"}) {
    RunResult run = ProcessRunner::run({to_utf8(child_tool_path()), "exit", code}, {}, nullptr);
    EXPECT_TRUE(run.started()) << run.start_error;
    EXPECT_EQ(run.exit_code, std::stoi(code));
  }
  // The job's log gets no empty line for it; a start failure logs its reason.
  LauncherStatus status;
  EXPECT_EQ(run_job_program(status, {to_utf8(child_tool_path()), "exit", "-1"}, {}), -1);
  EXPECT_TRUE(status.output_tail.empty());
  EXPECT_EQ(run_job_program(status, {"korvix-no-such-program"}, {}), -1);
  EXPECT_EQ(status.output_tail, std::deque<std::string>{"couldn't start korvix-no-such-program (error 2)"});
}

class SystemStandIns : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!test::place_in_system_folder(test::recorder_program(), {"curl.exe", "tar.exe"}))
      GTEST_SKIP() << "stand-ins go into the system folder only under Wine";
    env.set("KORVIX_RECORD_FILE", to_utf8(temp / "record.txt"));
  }
  std::vector<test::RecordedRun> runs() { return test::read_recorded_runs(temp / "record.txt"); }

  TempFolder temp;
  test::ScopedEnv env;
};

TEST_F(SystemStandIns, ACurlThatEndsWithANegativeCodeStillSaysWhy) {
  env.set("KORVIX_RECORD_EXIT", "-1");
  env.set("KORVIX_RECORD_OUTPUT", "curl: crashed\n");
  ApiReply reply = api_get("o/n", "/commits/main");
  EXPECT_FALSE(reply.ok);
  EXPECT_EQ(reply.error, "Couldn't reach GitHub (curl: crashed)");
  DownloadResult download = download_file("https://example.com/k.exe", to_utf8(temp / "k.exe"));
  EXPECT_EQ(download.error, "download failed (curl: crashed)");
}

TEST_F(SystemStandIns, CurlAndTarGetRelativeNamesInTheDownloadFolder) {
  // Windows' tar turns letters outside the ANSI code page of a path into look-alikes.
  const std::string commit(40, 'c');
  env.set("KORVIX_RECORD_EXIT", "0");
  env.set("KORVIX_RECORD_OUTPUT",
          R"({"sha": ")" + commit + R"(", "commit": {"committer": {"date": "2024-03-06T02:10:00Z"}, "message": "m"}})");
  env.set("KORVIX_LAUNCHER_ARCHIVE_BASE", "https://codeload.example/");
  JobInputs inputs;
  inputs.status = std::make_shared<LauncherStatus>();
  inputs.repo = "o/n";
  std::filesystem::path user = temp / path_from_utf8("\xC5\x81ukasz");
  inputs.install_dir = user / "Games" / "KorvixVelarine";
  inputs.source_dir = inputs.install_dir / "build" / "korvixvelarine";
  run_install_job(inputs, true, "main", user / "Downloads" / "Korvix.iso");

  EXPECT_EQ(inputs.status->job_error, "The download was empty.") << "the stand-ins unpack nothing";
  std::vector<test::RecordedRun> made = runs();
  ASSERT_EQ(made.size(), 3u) << "the commit lookup, the download, the unpacking";
  std::filesystem::path download = inputs.install_dir / "build" / ".korvix-download";
  EXPECT_EQ(made[1].arguments, (std::vector<std::string>{"-fsSL", "-g", "--retry", "3", "-o", "sources.tar.gz",
                                                         "https://codeload.example/o/n/tar.gz/" + commit}));
  EXPECT_EQ(made[2].arguments, (std::vector<std::string>{"-xzf", "sources.tar.gz", "-C", "x"}));
  for (size_t i : {1u, 2u}) EXPECT_TRUE(std::filesystem::equivalent(path_from_utf8(made[i].folder), download));
}

}  // namespace
}  // namespace korvix
