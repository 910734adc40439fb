#include "install/tool_flow.h"

#include <system_error>

#include "install/progress_parser.h"
#include "platform/paths.h"
#include "platform/programs.h"
#include "settings/game_settings.h"
#include "state/folders.h"

namespace korvix {

namespace fs = std::filesystem;

namespace {

constexpr ToolDescription upscaler{
    "Upscaling textures (Real-ESRGAN): downloads 45 MB once, then a few minutes on the GPU", "Upscale-Textures.ps1",
    "korvix-texture-upscale.exe", "The texture upscaler"};
constexpr ToolDescription subtitle_maker{
    "Making subtitles (speech recognition): downloads 142 MB once, then a while on the CPU", "Make-Subtitles.ps1",
    "korvix-subtitles.exe", "The subtitle maker"};

// Switches the upscaled textures on in the game's settings, keeping every other line.
bool switch_on_upscaled_textures(const fs::path& install_dir, std::string& error) {
  GameSettings settings;
  settings.load(install_dir / "korvix.toml");
  const SettingSpec* spec = find_setting(graphics_settings(), "native_upscaled_textures");
  if (spec && settings.set(*spec, "true")) return true;
  error = settings.save_failed_message();
  return false;
}

}  // namespace

const ToolDescription& tool_description(int32_t kind) { return kind == job_upscaler ? upscaler : subtitle_maker; }

fs::path find_built_tool(const fs::path& build_dir, const char* tool) {
  std::error_code error;
  // A listing that fails part-way keeps what it found so far: the tool is optional.
  for (fs::directory_iterator it(build_dir / "out" / "build", error), end; !error && it != end; it.increment(error)) {
    fs::path candidate = it->path() / tool;
    std::error_code kind_error;
    if (fs::symlink_status(candidate, kind_error).type() != fs::file_type::not_found && !kind_error) return candidate;
  }
  return {};
}

std::vector<std::string> tool_script_arguments(const fs::path& script, const fs::path& install_dir,
                                               const fs::path& built_tool) {
  std::vector<std::string> args = {powershell_program, "-NoProfile", "-ExecutionPolicy", "Bypass",
                                   "-File",            to_utf8(script), "-InstallDir",    to_utf8(install_dir)};
  if (!built_tool.empty()) args.insert(args.end(), {"-Tool", to_utf8(built_tool)});
  return args;
}

void run_tool_job(JobInputs inputs, int32_t kind) {
  LauncherStatus& status = *inputs.status;
  const ToolDescription& tool = tool_description(kind);
  ProgressParser::set_step(status, tool.step);
  fs::path build_dir = space_free_path(inputs.source_dir);
  fs::path script = build_dir / "installer" / tool.script;
  std::vector<std::string> args = tool_script_arguments(script, inputs.install_dir, find_built_tool(build_dir, tool.tool));

  std::error_code error;
  if (!fs::exists(script, error)) {
    ProgressParser::finish(status, outcome_failed,
                           std::string(tool.name) + " isn't in this install's sources (" + to_utf8(inputs.source_dir) +
                               "): Update first (or choose a branch that has it).");
    return;
  }
  int result = run_job_program(status, args, build_dir);
  if (result != 0) {
    ProgressParser::finish(status, outcome_failed, std::string(tool.name) + " failed (exit " + std::to_string(result) + ").");
    return;
  }
  // Reporting "switched on" after a failed write would be wrong: say so instead.
  std::string save_error;
  if (kind == job_upscaler && !switch_on_upscaled_textures(inputs.install_dir, save_error)) {
    ProgressParser::finish(status, outcome_failed, save_error);
    return;
  }
  ProgressParser::finish(status, outcome_succeeded, "");
}

}  // namespace korvix
