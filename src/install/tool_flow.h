// The optional tools' job: the subtitle maker and the texture upscaler, run
// through their PowerShell scripts from the install's sources.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "install/job.h"

namespace korvix {

struct ToolDescription {
  const char* step;    // the step title while it runs
  const char* script;  // in the sources' "installer" folder
  const char* tool;    // the program an earlier build may have left in out/build/<preset>
  const char* name;    // how messages name it
};

// The description of job_upscaler or job_subtitle_maker.
const ToolDescription& tool_description(int32_t kind);

// The first `out/build/<entry>/<tool>` under `build_dir` that exists, in listing
// order; empty when there is none (or no out/build folder).
std::filesystem::path find_built_tool(const std::filesystem::path& build_dir, const char* tool);

// The PowerShell command of the tool's script, with "-Tool" when one was found.
std::vector<std::string> tool_script_arguments(const std::filesystem::path& script,
                                               const std::filesystem::path& install_dir,
                                               const std::filesystem::path& built_tool);

// The thread body. Ends the job through ProgressParser::finish exactly once.
void run_tool_job(JobInputs inputs, int32_t kind);

}  // namespace korvix
