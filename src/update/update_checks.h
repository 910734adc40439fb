// The three background checks: the branch list, the comparison of the install
// with the chosen branch, and the launcher's own release.
//
// Each start_* returns at once; its detached worker holds a share of
// LauncherStatus, makes its requests without the lock, then stores its result
// in one short locked section. Comparison and release results carry a
// generation, so only the newest start's result is kept.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "state/launcher_status.h"
#include "update/http.h"

namespace korvix {

// One GET of the REST API (api_get, or a stand-in in tests).
using ApiGet = std::function<ApiReply(const std::string& repo, const std::string& path)>;

// Drops the results of the comparison and release checks that run now: after a
// change of the chosen branch they answer for the wrong branch or channel. Call
// with the status mutex held.
void supersede_checks(LauncherStatus& status);

// Branch list: the chosen branch stays chosen (appended when GitHub lacks it).
void start_branch_list(std::shared_ptr<LauncherStatus> status, std::string repo, ApiGet get = api_get);

// Comparison of the install (its recorded commit, empty when unknown) with the
// newest commit of the chosen branch.
void start_commit_check(std::shared_ptr<LauncherStatus> status, std::string repo, std::string installed_commit,
                        ApiGet get = api_get);

// After a build of `built`, the newest commit of `branch` when the sources were
// fetched: the comparison's answer is known, "up to date", and is stored as a
// finished comparison (one still running is dropped).
void store_built_commit(LauncherStatus& status, const std::string& branch, CommitInfo built);

// Newer launcher release on the chosen branch's channel. Does nothing while a
// download runs or waits to be started.
void start_launcher_check(std::shared_ptr<LauncherStatus> status, std::string repo, ApiGet get = api_get);

// What the workers find, before it is stored.

// Branch names in reply order; empty when the request failed or named none.
std::vector<std::string> fetch_branch_names(const ApiGet& get, const std::string& repo);

struct CommitComparison {
  bool ok = false;  // the latest commit was found
  CommitInfo latest;
  int32_t behind_by = -1;
  int32_t ahead_by = -1;
  std::vector<std::string> new_commits;  // newest first, at most 20
  std::string error;                     // why the latest commit wasn't found
};
CommitComparison fetch_commit_comparison(const ApiGet& get, const std::string& repo, const std::string& branch,
                                         const std::string& installed_commit);

struct ReleaseFinding {
  bool available = false;
  std::string name;  // "v" + version, or "experimental " + short commit
  std::string download_url;
  uint64_t size = 0;
  std::string digest;  // the asset's `digest`, such as "sha256:<64 hex>"; may be empty
};
ReleaseFinding fetch_release(const ApiGet& get, const std::string& repo, const std::string& channel);

// JSON numbers as the checks store them: out of range (or NaN) gives the most
// negative 32-bit value, and 0 for sizes.
int32_t json_to_int32(double number);
uint64_t json_to_uint64(double number);

}  // namespace korvix
