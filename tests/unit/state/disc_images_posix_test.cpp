// A folder the user may not read is skipped; the rest of the search goes on.
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "state/disc_images.h"
#include "state_test_support.h"

namespace korvix {
namespace {

// Runs the search as an unprivileged user when this is root, which reads every folder.
std::vector<fs::path> search_as_ordinary_user(const std::vector<fs::path>& folders, bool& ran) {
  ran = true;
  if (geteuid() != 0) return find_disc_images_in(folders);
  int channel[2];
  if (pipe(channel) != 0) return {};
  pid_t child = fork();
  if (child == 0) {
    close(channel[0]);
    const uid_t nobody = 65534;
    if (setgid(nobody) != 0 || setuid(nobody) != 0) _exit(2);
    std::string text;
    for (const fs::path& path : find_disc_images_in(folders)) text += to_utf8(path) + "\n";
    ssize_t written = write(channel[1], text.data(), text.size());
    _exit(written == static_cast<ssize_t>(text.size()) ? 0 : 3);
  }
  close(channel[1]);
  std::string text;
  char buffer[4096];
  for (ssize_t got; (got = read(channel[0], buffer, sizeof buffer)) > 0;) text.append(buffer, static_cast<size_t>(got));
  close(channel[0]);
  int status = 0;
  waitpid(child, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) ran = false;
  std::vector<fs::path> found;
  for (size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    found.emplace_back(text.substr(start, end - start));
  }
  return found;
}

TEST(DiscImageSearchPosix, AnUnreadableFolderIsSkipped) {
  test::TempFolder temp;
  fs::path drive = temp / "drive";
  test::make_sparse_file(drive / "locked" / "game.iso", 7 * test::gib);
  test::make_sparse_file(drive / "open" / "game.iso", 7 * test::gib);
  test::make_sparse_file(temp / "locked-root" / "top.iso", 7 * test::gib);
  fs::permissions(drive / "locked", fs::perms::none);
  fs::permissions(temp / "locked-root", fs::perms::none);
  bool ran = false;
  std::vector<fs::path> found = search_as_ordinary_user({temp / "locked-root", drive}, ran);
  fs::permissions(drive / "locked", fs::perms::owner_all);
  fs::permissions(temp / "locked-root", fs::perms::owner_all);
  ASSERT_TRUE(ran) << "the search could not run as an ordinary user";
  EXPECT_EQ(found, std::vector<fs::path>{drive / "open" / "game.iso"});
}

}  // namespace
}  // namespace korvix
