// launcher.ini: every rule of reading, and the exact bytes of a save.
#include "state/launcher_config.h"

#include <gtest/gtest.h>

#include "app/launcher_app.h"
#include "state/folders.h"
#include "state/install_record.h"
#include "state_test_support.h"

namespace korvix {
namespace {

using test::read_bytes;
using test::write_bytes;

// Loading and saving as the application does, with its status and records.
void load_config(LauncherApp& app) { korvix::load_config(app, *app.status, app.install_records); }
bool save_config(LauncherApp& app, std::string* reason = nullptr) {
  return korvix::save_config(app, *app.status, reason);
}

class LauncherConfigTest : public test::TempUser {
 protected:
  fs::path ini() const { return temp / "appdata" / "KorvixVelarine" / "launcher.ini"; }
  void load(const std::string& text) {
    write_bytes(ini(), text);
    load_config(app);
  }
  std::vector<std::string> branches() {
    std::lock_guard lock(app.status->mutex);
    return app.status->branches;
  }
  std::string chosen_branch() {
    std::lock_guard lock(app.status->mutex);
    return app.status->chosen_branch();
  }

  LauncherApp app;
};

TEST_F(LauncherConfigTest, WithoutAFileEverythingTakesItsDefault) {
  load_config(app);
  fs::path install = temp / "home" / "Games" / "KorvixVelarine";
  EXPECT_EQ(config_path(), ini());
  EXPECT_EQ(app.install_dir, install);
  EXPECT_EQ(app.source_dir, install / "build" / "korvixvelarine");
  EXPECT_EQ(app.repo, default_repository);
  EXPECT_FALSE(app.direct_start || app.original_graphics || app.upscale_on_install || app.subtitles_on_install);
  EXPECT_EQ(branches(), (std::vector<std::string>{"main", "experimental"}));
  EXPECT_EQ(chosen_branch(), "main");
  EXPECT_FALSE(fs::exists(ini())) << "reading never writes";
}

TEST_F(LauncherConfigTest, OptionsAreOnOnlyForTheExactText) {
  load("direct_start=true\nlook=Original\nupscale_on_install=yes\nsubtitles_on_install= 1\n");
  EXPECT_FALSE(app.direct_start || app.original_graphics || app.upscale_on_install || app.subtitles_on_install);
  load("direct_start=1\r\nlook=original\r\nupscale_on_install=1  \r\nsubtitles_on_install=1\r\n");
  EXPECT_TRUE(app.direct_start && app.original_graphics && app.upscale_on_install && app.subtitles_on_install);
}

TEST_F(LauncherConfigTest, ACommentLineIsIgnoredEvenWithAKeyAndEquals) {
  load("#direct_start=1\n#repo=someone/else\n");
  EXPECT_FALSE(app.direct_start);
  EXPECT_EQ(app.repo, default_repository);
}

TEST_F(LauncherConfigTest, StoredFoldersAndRepositoryAreTakenAsWritten) {
  load("install_dir=/games/K\xC3\xB6rvix\nsource_dir=/src/korvix\nrepo=fork/korvix\n");
  EXPECT_EQ(app.install_dir, fs::path(u8"/games/K\u00f6rvix"));
  EXPECT_EQ(app.source_dir, fs::path("/src/korvix"));
  EXPECT_EQ(app.repo, "fork/korvix");
  load("repo=\n");
  EXPECT_EQ(app.repo, "fork/korvix") << "an empty value replaces nothing";
}

TEST_F(LauncherConfigTest, WithoutSourceDirTheInstallFolderNamesTheSources) {
  fs::path install = temp / "install";
  write_bytes(install / "source.path", to_utf8(temp / "my sources") + "  \r\r\nsecond line\n");
  load("install_dir=" + to_utf8(install) + "\n");
  EXPECT_EQ(app.source_dir, temp / "my sources");
  write_bytes(install / "source.path", "   \r\n/ignored\n");
  load("install_dir=" + to_utf8(install) + "\nsource_dir=\n");
  EXPECT_EQ(app.source_dir, install / "build" / "korvixvelarine") << "an empty first line";
}

TEST_F(LauncherConfigTest, WithoutABranchTheInstallRecordChoosesIt) {
  fs::path install = temp / "install";
  ASSERT_TRUE(write_install_record(install / "korvix-version.txt", {"experimental", "abc", ""}));
  load("install_dir=" + to_utf8(install) + "\n");
  EXPECT_EQ(chosen_branch(), "experimental");
  EXPECT_EQ(branches().size(), 2u);
  ASSERT_TRUE(write_install_record(install / "korvix-version.txt", {"feature/x", "abc", ""}));
  load("install_dir=" + to_utf8(install) + "\n");
  EXPECT_EQ(chosen_branch(), "feature/x");
  load("install_dir=" + to_utf8(install) + "\nbranch=main\n");
  EXPECT_EQ(chosen_branch(), "main") << "the file's own choice wins";
}

TEST_F(LauncherConfigTest, AnUnknownBranchIsAddedOnceAndChosen) {
  load("branch=feature/new-menu\n");
  EXPECT_EQ(branches(), (std::vector<std::string>{"main", "experimental", "feature/new-menu"}));
  EXPECT_EQ(chosen_branch(), "feature/new-menu");
  load_config(app);
  EXPECT_EQ(branches().size(), 3u);
}

TEST_F(LauncherConfigTest, GarbageLoadsWithoutHarm) {
  std::string garbage;
  for (int i = 0; i < 100000; ++i) garbage += static_cast<char>((i * 131) % 256);
  load(garbage + "\n" + std::string(1 << 20, 'k') + "\ndirect_start=1\ndirect_start=0\n=\n==\n");
  EXPECT_FALSE(app.direct_start) << "the later duplicate wins";
  EXPECT_EQ(app.install_dir, temp / "home" / "Games" / "KorvixVelarine");
}

TEST_F(LauncherConfigTest, ASaveWritesTheKnownKeysSortedWithCrLfAndNothingElse) {
  load("# my notes\nunknown=kept?\nlook=original\nbranch=experimental\n");
  app.install_dir = temp / "Korvix Velarine";
  app.source_dir = temp / "src";
  app.upscale_on_install = true;
  ASSERT_TRUE(save_config(app));
  std::string expected = "branch=experimental\r\ndirect_start=0\r\ninstall_dir=" + to_utf8(temp / "Korvix Velarine") +
                         "\r\nlook=original\r\nrepo=" + default_repository + "\r\nsource_dir=" + to_utf8(temp / "src") +
                         "\r\nsubtitles_on_install=0\r\nupscale_on_install=1\r\n";
  EXPECT_EQ(read_bytes(ini()), expected);
}

TEST_F(LauncherConfigTest, TheChosenDiscImageIsWrittenOnlyWhenThereAreAny) {
  load_config(app);
  ASSERT_TRUE(save_config(app));
  EXPECT_EQ(read_bytes(ini()).find("iso="), std::string::npos);
  app.disc_images = {temp / "a.iso", temp / "b.iso"};
  app.disc_image_index = 1;
  ASSERT_TRUE(save_config(app));
  std::string bytes = read_bytes(ini());
  EXPECT_NE(bytes.find("\r\ninstall_dir=" + to_utf8(app.install_dir) + "\r\niso=" + to_utf8(temp / "b.iso") +
                       "\r\nlook=velarine\r\n"),
            std::string::npos)
      << bytes;
  app.disc_image_index = 7;  // the list shrank under the index
  ASSERT_TRUE(save_config(app));
  EXPECT_NE(read_bytes(ini()).find("iso=" + to_utf8(temp / "b.iso") + "\r\n"), std::string::npos);
}

TEST_F(LauncherConfigTest, WhatIsSavedLoadsBackTheSame) {
  load_config(app);
  app.install_dir = fs::path(u8"/spiele/\u00c4rger Velarine");
  app.source_dir = temp / "src";
  app.repo = "fork/korvix";
  app.direct_start = app.original_graphics = app.subtitles_on_install = true;
  {
    std::lock_guard lock(app.status->mutex);
    app.status->branches = {"main", "experimental", "next"};
    app.status->branch_index = 2;
  }
  ASSERT_TRUE(save_config(app));
  LauncherApp again;
  load_config(again);
  EXPECT_EQ(again.install_dir, app.install_dir);
  EXPECT_EQ(again.source_dir, app.source_dir);
  EXPECT_EQ(again.repo, "fork/korvix");
  EXPECT_TRUE(again.direct_start && again.original_graphics && again.subtitles_on_install);
  EXPECT_FALSE(again.upscale_on_install);
  std::lock_guard lock(again.status->mutex);
  EXPECT_EQ(again.status->chosen_branch(), "next");
}

TEST_F(LauncherConfigTest, AFailedSaveKeepsTheFieldsAndTheMenuTellsWhy) {
  // A file where the data folder should be: nothing can be written.
  write_bytes(temp / "not-a-folder", "x");
  env.set("APPDATA", to_utf8(temp / "not-a-folder"));
  app.direct_start = true;
  std::string reason;
  EXPECT_FALSE(save_config(app, &reason));
  EXPECT_FALSE(reason.empty());
  EXPECT_TRUE(app.direct_start);
  EXPECT_EQ(read_bytes(temp / "not-a-folder"), "x");

  // A choice on the menu that can't be kept says so, with the system's reason.
  app.activate(row_start_directly);
  EXPECT_FALSE(app.direct_start) << "the choice stands for this run";
  EXPECT_EQ(app.message, "Couldn't save launcher.ini (" + reason + ").");
}

TEST_F(LauncherConfigTest, AReadOnlyFileStaysAsItWasAndTheMenuTellsSo) {
  write_bytes(ini(), "direct_start=0\r\n");
  fs::permissions(ini(), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  app.activate(row_start_directly);
  EXPECT_TRUE(app.message.starts_with("Couldn't save launcher.ini (")) << app.message;
  EXPECT_EQ(read_bytes(ini()), "direct_start=0\r\n");
  fs::permissions(ini(), fs::perms::owner_write, fs::perm_options::add);
  app.message.clear();
  app.activate(row_start_directly);
  EXPECT_EQ(app.message, "") << "saved once it may be written";
}

TEST_F(LauncherConfigTest, AValueThatCantBeStoredIsToldToo) {
  app.install_dir = temp / "ends in a blank ";
  std::string reason;
  EXPECT_FALSE(save_config(app, &reason));
  EXPECT_EQ(reason, "its install_dir has a line break or ends in a blank");
  EXPECT_TRUE(fs::exists(ini())) << "the rest is saved";
}

}  // namespace
}  // namespace korvix
