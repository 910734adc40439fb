// The logs folder as the logs page lists it: names, order, endings, sizes.
#include "install/log_catalog.h"

#include <gtest/gtest.h>

#include "state/state_test_support.h"

namespace korvix {
namespace {

TEST(LogCatalog, NamesAreReadAsTheJobsWriteThem) {
  struct Case {
    const char* file_name;
    std::optional<std::string> title;
  };
  const Case cases[] = {
      {"install_20260301-140322.log", "install  2026-03-01 14:03:22"},
      {"update_20260301-140322-2.log", "update  2026-03-01 14:03:22 (2)"},
      {"upscale_20251231-235959.log", "upscale  2025-12-31 23:59:59"},
      {"subtitles_20260101-000000.log", "subtitles  2026-01-01 00:00:00"},
      {"install_20260301-1403.log", std::nullopt},
      {"install_20260301-140322-.log", std::nullopt},
      {"build_20260301-140322.log", std::nullopt},
      {"install_20260301-140322.txt", std::nullopt},
  };
  for (const Case& c : cases) {
    std::optional<LogName> name = parse_log_name(c.file_name);
    ASSERT_EQ(name.has_value(), c.title.has_value()) << c.file_name;
    if (name) {
      EXPECT_EQ((LogEntry{{}, *name, 0, {}}.title()), *c.title);
    }
  }
}

TEST(LogCatalog, TheEndingIsTheLastLineUnlessTheJobRecordKnowsBetter) {
  fs::path mine = fs::path("logs") / "install_20260301-140322.log";
  fs::path other = fs::path("logs") / "update_20260201-100000.log";
  struct Case {
    const char* last_line;
    fs::path path;
    int32_t job_state;  // of the job whose log is `mine`
    const char* ending;
  };
  const Case cases[] = {
      {"Finished.", other, job_succeeded, "Finished"},
      {"Failed: The build failed (exit 5).", other, job_failed, "Failed: The build failed (exit 5)."},
      {"Failed: ", other, job_failed, "Failed"},
      {"[3/4] Linking korvix.exe", other, job_idle, "Cut off"},
      {"", other, job_idle, "Cut off"},
      {"[3/4] Linking korvix.exe", mine, job_running, "Running"},
      {"Failed: ", mine, job_stopped, "Stopped"},
      {"Failed: The build failed (exit 1).", mine, job_stopped, "Stopped"},
      {"Failed: The build failed (exit 1).", mine, job_failed, "Failed: The build failed (exit 1)."},
  };
  for (const Case& c : cases)
    EXPECT_EQ(log_ending(c.last_line, c.path, {mine, c.job_state}).describe(), c.ending) << c.last_line;
}

TEST(LogCatalog, TheFolderIsListedNewestFirstWithEveryFileInItsSize) {
  test::TempFolder temp;
  fs::path logs = temp / "logs";
  test::write_bytes(logs / "install_20260101-090000.log", "== Building\nFailed: The download was empty.\n");
  test::write_bytes(logs / "update_20260301-090000.log", "Finished.\r\n");
  test::write_bytes(logs / "update_20260301-090000-2.log", "[1/2] half");
  test::write_bytes(logs / "notes.txt", "kept by hand");
  LogCatalog catalog = list_logs(logs, {});
  ASSERT_EQ(catalog.entries.size(), 3u);
  EXPECT_EQ(catalog.entries[0].path.filename(), "update_20260301-090000-2.log");
  EXPECT_EQ(catalog.entries[0].ending.describe(), "Cut off");
  EXPECT_EQ(catalog.entries[1].ending.describe(), "Finished");
  EXPECT_EQ(catalog.entries[2].ending.describe(), "Failed: The download was empty.");
  EXPECT_EQ(catalog.file_count, 4u);
  EXPECT_EQ(catalog.total_bytes, 44u + 11u + 10u + 12u);
  EXPECT_TRUE(list_logs(temp / "none yet", {}).entries.empty());
  EXPECT_TRUE(list_logs(temp / "none yet", {}).error.empty()) << "no folder is no logs, not a failure";
}

TEST(LogCatalog, SizesAreShortAndNeverRoundUpToTheNextUnitsThousand) {
  EXPECT_EQ(format_size(0), "0 bytes");
  EXPECT_EQ(format_size(999), "999 bytes");
  EXPECT_EQ(format_size(1000), "1.0 KB");
  EXPECT_EQ(format_size(999'960), "1.0 MB");
  EXPECT_EQ(format_size(212'400'000), "212.4 MB");
}

}  // namespace
}  // namespace korvix
