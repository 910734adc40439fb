// Test helpers: any schema row by key, and a temporary folder per test with
// whole-file byte helpers.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "settings/setting_schema.h"

namespace korvix {

inline const SettingSpec& setting_row(std::string_view key) {
  for (const auto* table : {&graphics_settings(), &effect_settings(), &subtitle_settings()}) {
    if (const SettingSpec* spec = find_setting(*table, key)) return *spec;
  }
  ADD_FAILURE() << "no row " << key;
  return graphics_settings()[0];
}

class SettingsFileTest : public ::testing::Test {
 protected:
  SettingsFileTest() {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    folder = std::filesystem::temp_directory_path() /
             (std::string("korvix-settings-") + info->test_suite_name() + "-" + info->name());
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    file = folder / "korvix.toml";
  }
  ~SettingsFileTest() override {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }

  void write(std::string_view bytes) const {
    std::ofstream out(file, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  std::string read() const {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  size_t entries_in_folder() const {
    return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
  }

  std::filesystem::path folder;
  std::filesystem::path file;
};

}  // namespace korvix
