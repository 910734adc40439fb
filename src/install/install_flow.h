// The install and update job: get the chosen branch's sources (git, or a commit
// archive through curl and tar), run the project's install script, and record
// what was installed.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "install/job.h"

namespace korvix {

// GitHub's archive host, followed by OWNER/NAME + "/tar.gz/" + commit.
// KORVIX_LAUNCHER_ARCHIVE_BASE replaces it (a test hook for a local fake GitHub).
std::string archive_base();

// The PowerShell command of the install script at `build_dir`/installer.
// `script` is the script's whole text: the optional parameters are passed only
// when it mentions them. `disc_image` is used for an install only.
std::vector<std::string> install_script_arguments(const JobInputs& inputs, bool install,
                                                  const std::filesystem::path& disc_image,
                                                  const std::filesystem::path& build_dir, std::string_view script);

// The thread body. Ends the job through ProgressParser::finish exactly once.
void run_install_job(JobInputs inputs, bool install, std::string branch, std::filesystem::path disc_image);

}  // namespace korvix
