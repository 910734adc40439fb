#include "settings/setting_schema.h"

#include <utility>

namespace korvix {

namespace {

SettingSpec row(std::string_view key, std::string_view label, SettingKind kind, std::string_view default_value,
                bool velarine_effect) {
  SettingSpec spec;
  spec.key = key;
  spec.label = label;
  spec.kind = kind;
  spec.default_value = default_value;
  spec.velarine_effect = velarine_effect;
  return spec;
}

SettingSpec bool_row(std::string_view key, std::string_view label, std::string_view default_value,
                     bool velarine_effect = false) {
  return row(key, label, SettingKind::Bool, default_value, velarine_effect);
}

SettingSpec choice_row(std::string_view key, std::string_view label, std::string_view default_value,
                       std::vector<SettingChoice> choices, bool velarine_effect = false) {
  SettingSpec spec = row(key, label, SettingKind::Choice, default_value, velarine_effect);
  spec.choices = std::move(choices);
  return spec;
}

SettingSpec number_row(std::string_view key, std::string_view label, std::string_view default_value, double min,
                       double max, double step, bool percent, bool velarine_effect = false) {
  SettingSpec spec = row(key, label, SettingKind::Number, default_value, velarine_effect);
  spec.min = min;
  spec.max = max;
  spec.step = step;
  spec.percent = percent;
  return spec;
}

constexpr bool percent = true;
constexpr bool effect = true;

}  // namespace

const std::vector<SettingSpec>& graphics_settings() {
  static const std::vector<SettingSpec> table = {
      bool_row("fullscreen", "Fullscreen", "true"),
      choice_row("frame_rate_limit", "Frame rate", "auto",
                 {{"auto", "Auto"},
                  {"30", "30 fps"},
                  {"40", "40 fps"},
                  {"50", "50 fps"},
                  {"60", "60 fps"},
                  {"72", "72 fps"},
                  {"90", "90 fps"},
                  {"120", "120 fps"},
                  {"144", "144 fps"},
                  {"0", "Unlocked"}}),
      choice_row("resolution", "Display resolution", "",
                 {{"", "Native"}, {"1080p", "1920 x 1080"}, {"1440p", "2560 x 1440"}, {"4k", "3840 x 2160"}}),
      number_row("native_render_scale", "Render resolution", "100", 25, 100, 5, percent),
      choice_row("native_upscaler", "Upscaler", "off",
                 {{"off", "Off"}, {"xess", "Intel XeSS"}, {"fsr", "AMD FSR 3.1"}}),
      number_row("native_upscaler_sharpness", "FSR sharpness", "0.3", 0, 1, 0.05, !percent),
      bool_row("native_upscaler_msaa", "MSAA with the upscaler", "false"),
      bool_row("native_sharp_fonts", "Sharp fonts", "false"),
      bool_row("native_upscaled_textures", "Upscaled textures", "false"),
  };
  return table;
}

const std::vector<SettingSpec>& effect_settings() {
  static const std::vector<SettingSpec> table = {
      bool_row(velarine_graphics_key, "Velarine Graphics", "true"),
      bool_row("native_camera_motion_blur", "Camera motion blur", "true", effect),
      bool_row("native_object_motion_blur", "Object motion blur", "true", effect),
      number_row("native_camera_motion_blur_strength", "Motion blur strength", "1.0", 0, 3, 0.1, !percent, effect),
      bool_row("native_speed_blur", "Speed blur", "true", effect),
      bool_row("native_fog", "Distance fog", "true", effect),
      bool_row("native_ambient_occlusion", "Ambient occlusion", "true", effect),
      bool_row("native_god_rays", "God rays", "true", effect),
      choice_row("native_shadow_resolution", "Shadow resolution", "200",
                 {{"100", "1x (the game's)"}, {"150", "1.5x"}, {"200", "2x"}, {"300", "3x"}, {"400", "4x"}}, effect),
      choice_row("native_shadow_distance", "Shadow distance", "0",
                 {{"0", "The game's (40 m)"},
                  {"75", "75 m"},
                  {"100", "100 m"},
                  {"150", "150 m"},
                  {"200", "200 m"},
                  {"300", "300 m"}},
                 effect),
      choice_row("native_shadow_softness", "Shadow softness", "100",
                 {{"0", "Even (the game's)"}, {"50", "Subtle"}, {"100", "Natural"}, {"200", "Soft"}}, effect),
      choice_row("native_world_shadows", "World shadows", "2",
                 {{"0", "Painted (the game's)"}, {"2", "Baked, 2x"}, {"4", "Baked, 4x"}}, effect),
      bool_row("native_world_shadows_saved", "World shadows: saved only", "false", effect),
      bool_row("native_foliage_fade", "Branch fade", "true", effect),
      bool_row("native_map_clouds", "Trail map clouds", "true", effect),
  };
  return table;
}

const std::vector<SettingSpec>& subtitle_settings() {
  static const std::vector<SettingSpec> table = {
      choice_row("subtitles", "Subtitles", "1", {{"0", "Off"}, {"1", "Cutscenes and movies"}, {"2", "All speech"}}),
      bool_row("subtitles_speaker_colors", "Speaker colours", "true"),
      bool_row("subtitles_speaker_names", "Speaker names", "true"),
      number_row("subtitles_size", "Text size", "100", 50, 200, 10, percent),
      number_row("subtitles_background", "Shading", "60", 0, 100, 10, percent),
      choice_row("subtitles_box", "Shading shape", "0", {{"0", "Each row"}, {"1", "One block"}}),
      // Menu order, not value order.
      choice_row("subtitles_edge", "Letters", "1", {{"1", "Drop shadow"}, {"2", "Outline"}, {"0", "Plain"}}),
      number_row("subtitles_position", "Height", "8", 2, 45, 1, percent),
      number_row("subtitles_width", "Width", "78", 40, 100, 2, percent),
  };
  return table;
}

const SettingSpec* find_setting(const std::vector<SettingSpec>& table, std::string_view key) {
  for (const SettingSpec& spec : table) {
    if (spec.key == key) return &spec;
  }
  return nullptr;
}

const SettingSpec* find_subtitle_setting(std::string_view key) { return find_setting(subtitle_settings(), key); }

bool needs_quotes(const SettingSpec& spec) {
  if (spec.kind != SettingKind::Choice) return false;
  for (const SettingChoice& choice : spec.choices) {
    if (choice.value.empty() || choice.value.find_first_not_of("0123456789.-") != std::string_view::npos) return true;
  }
  return false;
}

}  // namespace korvix
