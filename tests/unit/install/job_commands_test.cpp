#include <gtest/gtest.h>

#include <fstream>

#include "install/install_flow.h"
#include "install/job.h"
#include "install/progress_parser.h"
#include "install/tool_flow.h"
#include "platform/paths.h"
#include "platform/programs.h"
#include "state/state_test_support.h"
#include "support/scoped_env.h"

namespace korvix {
namespace {

namespace fs = std::filesystem;
using Args = std::vector<std::string>;

const char* const full_script = "param([string]$Iso, [string]$Subtitles, [string]$Graphics, [switch]$NoShortcut)";

JobInputs inputs_with(bool upscale, bool subtitles, bool original) {
  JobInputs inputs;
  inputs.install_dir = fs::path("I");
  inputs.source_dir = fs::path("S");
  inputs.upscale_on_install = upscale;
  inputs.subtitles_on_install = subtitles;
  inputs.original_graphics = original;
  return inputs;
}

std::string u(const fs::path& p) { return to_utf8(p); }

TEST(InstallCommand, AnInstallPassesTheImageAndEveryOptionTheScriptKnows) {
  Args args = install_script_arguments(inputs_with(true, true, false), true, fs::path("disc.iso"), fs::path("B"),
                                       full_script);
  Args expected = {powershell_program, "-NoProfile", "-ExecutionPolicy", "Bypass", "-File",
                   u(fs::path("B") / "installer" / "Install-Korvix.ps1"), "-Iso", "disc.iso", "-InstallDir", "I",
                   "-Yes", "-UpscaleTextures", "yes", "-Subtitles", "yes", "-Graphics", "velarine", "-NoShortcut"};
  EXPECT_EQ(args, expected);
  args = install_script_arguments(inputs_with(false, false, true), true, fs::path("disc.iso"), fs::path("B"),
                                  full_script);
  EXPECT_EQ(Args(args.begin() + 10, args.end()),
            (Args{"-Yes", "-UpscaleTextures", "no", "-Subtitles", "no", "-Graphics", "original", "-NoShortcut"}));
}

TEST(InstallCommand, AnUpdatePassesTheGameFolderAndNoGraphicsWhateverTheOptions) {
  Args args = install_script_arguments(inputs_with(true, true, true), false, fs::path("ignored.iso"), fs::path("B"),
                                       full_script);
  Args tail(args.begin() + 6, args.end());
  EXPECT_EQ(tail, (Args{"-GameDir", u(fs::path("I") / "game"), "-InstallDir", "I", "-Yes", "-UpscaleTextures", "no",
                        "-Subtitles", "no", "-NoShortcut"}));
}

TEST(InstallCommand, AScriptWithoutTheTextsGetsNoneOfTheirArguments) {
  // "Subtitles" without the "$" and "Graphics" alone are not the parameters.
  Args args = install_script_arguments(inputs_with(true, true, true), true, fs::path("d.iso"), fs::path("B"),
                                       "param($Iso) # Subtitles, Graphics, Shortcut");
  EXPECT_EQ(args.size(), 13u);
  EXPECT_EQ(args.back(), "yes");  // -UpscaleTextures yes is always there
}

TEST(ToolCommand, PassesTheFirstBuiltToolInListingOrder) {
  test::TempFolder temp;
  const char* tool = tool_description(job_subtitle_maker).tool;
  EXPECT_TRUE(find_built_tool(temp.path(), tool).empty());  // no out/build at all
  fs::create_directories(temp / "out" / "build" / "empty-preset");
  EXPECT_TRUE(find_built_tool(temp.path(), tool).empty());
  for (const char* preset : {"release", "debug"}) {
    fs::create_directories(temp / "out" / "build" / preset);
    std::ofstream(temp / "out" / "build" / preset / tool) << "x";
  }
  fs::path first;
  for (const fs::directory_entry& entry : fs::directory_iterator(temp / "out" / "build"))
    if (fs::exists(entry.path() / tool)) {
      first = entry.path() / tool;
      break;
    }
  fs::path found = find_built_tool(temp.path(), tool);
  EXPECT_EQ(found, first);

  Args args = tool_script_arguments(fs::path("B") / "installer" / "Make-Subtitles.ps1", fs::path("I"), found);
  EXPECT_EQ(Args(args.begin() + 6, args.end()), (Args{"-InstallDir", "I", "-Tool", u(found)}));
  EXPECT_EQ(tool_script_arguments(fs::path("s.ps1"), fs::path("I"), {}).size(), 8u);
}

TEST(ToolDescriptions, EachKindHasItsOwnScriptToolAndName) {
  EXPECT_STREQ(tool_description(job_upscaler).script, "Upscale-Textures.ps1");
  EXPECT_STREQ(tool_description(job_upscaler).tool, "korvix-texture-upscale.exe");
  EXPECT_STREQ(tool_description(job_subtitle_maker).script, "Make-Subtitles.ps1");
  EXPECT_STREQ(tool_description(job_subtitle_maker).name, "The subtitle maker");
  EXPECT_EQ(find_step(tool_description(job_upscaler).step), nullptr);  // a tool's bar starts unknown
  EXPECT_EQ(find_step(tool_description(job_subtitle_maker).step), nullptr);
}

TEST(JobLog, NamedByKindAndTimeAndNeverOverwritten) {
  test::TempFolder temp;
  EXPECT_STREQ(job_log_prefix(true, job_build), "install_");
  EXPECT_STREQ(job_log_prefix(false, job_build), "update_");
  EXPECT_STREQ(job_log_prefix(false, job_upscaler), "upscale_");
  EXPECT_STREQ(job_log_prefix(true, job_subtitle_maker), "subtitles_");
  std::time_t moment = 1700000000;
  fs::path first = job_log_path(temp.path(), true, job_build, moment);
  std::string name = u(first.filename());
  ASSERT_EQ(name.size(), std::string("install_20231114-221320.log").size());
  EXPECT_EQ(name.rfind("install_2023111", 0), 0u);
  std::ofstream(first) << "earlier job";
  fs::path second = job_log_path(temp.path(), true, job_build, moment);
  EXPECT_NE(second, first);
  EXPECT_EQ(u(second.filename()), name.substr(0, name.size() - 4) + "-2.log");
}

TEST(ArchiveBase, GitHubUnlessTheTestHookReplacesIt) {
  ScopedEnv env("KORVIX_LAUNCHER_ARCHIVE_BASE", std::nullopt);
  EXPECT_EQ(archive_base(), "https://codeload.github.com/");
  env.set("http://127.0.0.1:1/archive/");
  EXPECT_EQ(archive_base(), "http://127.0.0.1:1/archive/");
}

}  // namespace
}  // namespace korvix
