#include "menu/status_area.h"

#include <algorithm>

#include "app/launcher_app.h"
#include "menu/menu_theme.h"
#include "platform/paths.h"
#include "settings/setting_schema.h"

namespace korvix {

namespace {

constexpr const char* subtitle_maker_help =
    "Korvix has no subtitles of its own: Make subtitles writes them on this PC from your copy of the game, "
    "listening to its dialogue with offline speech recognition (a 142 MB model, downloaded once; it takes a "
    "while on the CPU, and can be stopped and run again). Each speaker of a scene gets their own colour: white, "
    "yellow, pink, green. Edit subtitles fixes the words, the times and who says them, with the sound to listen "
    "to.";
constexpr const char* not_installed_help =
    "Build and install downloads this project's sources from GitHub and builds Korvix Velarine from your disc "
    "image, into the folder above. Nothing from the game is downloaded. The first build takes about an hour on "
    "a PC and several hours on a handheld.";
constexpr const char* build_tools_help =
    "It needs Visual Studio 2022 Build Tools (C++), LLVM / Clang 20+ and Git; the installer offers to install "
    "what's missing (Windows asks for permission).";

const char* success_text(const MenuSnapshot& snapshot) {
  if (snapshot.job_upscaling)
    return "Textures upscaled and switched on (Graphics settings: Upscaled textures). Select Play.";
  if (snapshot.job_subtitles) return "Subtitles made. Edit subtitles corrects the words and who says them.";
  return snapshot.job_is_install ? "Installed. Select Play." : "Updated. Select Play.";
}

// New commits that the status area always makes room for, below their heading.
constexpr size_t commits_kept_in_view = 3;

void add(std::vector<StatusText>& texts, StatusKind kind, std::string text, ImU32 color, bool keep_room = false) {
  texts.push_back(StatusText{kind, std::move(text), color, {}, keep_room});
}

void add_check_texts(std::vector<StatusText>& texts, const MenuSnapshot& snapshot, const MenuFacts& facts) {
  if (snapshot.check_state == check_failed) {
    add(texts, StatusKind::wrapped, snapshot.check_error.empty() ? "Couldn't reach GitHub." : snapshot.check_error,
        theme::warning);
    return;
  }
  if (snapshot.check_state != check_done || snapshot.latest_commit.id.empty()) return;
  const CommitInfo& latest = snapshot.latest_commit;
  add(texts, StatusKind::clipped,
      "Latest on " + snapshot.branch + ": " + latest.id.substr(0, 7) + " (" + latest.date + ")  " + latest.message,
      theme::white);
  if (!facts.on_chosen_branch && snapshot.ahead_by >= 1)
    add(texts, StatusKind::clipped,
        "This install has " + count_of_changes(snapshot.ahead_by, "change") + " that " + snapshot.branch +
            " doesn't.",
        theme::dim);
  if (snapshot.new_commits.empty()) return;
  add(texts, StatusKind::clipped,
      facts.on_chosen_branch ? "New since this install:" : "Newest on " + snapshot.branch + ":", theme::dim, true);
  for (size_t i = 0; i < snapshot.new_commits.size(); ++i)
    add(texts, StatusKind::clipped, "  " + snapshot.new_commits[i], theme::white, i < commits_kept_in_view);
}

void add_idle_texts(std::vector<StatusText>& texts, const StatusInputs& inputs, const MenuSnapshot& snapshot,
                    const MenuFacts& facts) {
  if (!facts.installed) {
    add(texts, StatusKind::wrapped, not_installed_help, theme::dim);
    add(texts, StatusKind::wrapped, build_tools_help, theme::dim);
    return;
  }
  switch (inputs.screen) {
    case screen_subtitles:
      if (inputs.subtitles_summary.empty()) {
        add(texts, StatusKind::wrapped, "No subtitles made yet.", theme::accent);
      } else {
        add(texts, StatusKind::wrapped, "Made: " + inputs.subtitles_summary + ".", theme::white);
      }
      add(texts, StatusKind::wrapped, subtitle_maker_help, theme::dim);
      add(texts, StatusKind::wrapped, std::string(subtitles_help_text), theme::dim);
      break;
    case screen_display:
      add(texts, StatusKind::wrapped, std::string(graphics_help_text), theme::dim);
      break;
    case screen_effects:
      add(texts, StatusKind::wrapped, std::string(graphics_help_text), theme::dim);
      add(texts, StatusKind::wrapped, std::string(effects_help_text), theme::dim);
      break;
    default:
      add_check_texts(texts, snapshot, facts);
      break;
  }
}

}  // namespace

std::vector<StatusText> status_texts(const StatusInputs& inputs, const MenuSnapshot& snapshot,
                                     const MenuFacts& facts) {
  std::vector<StatusText> texts;
  if (!inputs.message.empty()) add(texts, StatusKind::wrapped, inputs.message, theme::accent, true);
  switch (snapshot.job_state) {
    case job_running:
      add(texts, StatusKind::wrapped, snapshot.step, theme::accent);
      break;
    case job_succeeded:
      add(texts, StatusKind::wrapped, success_text(snapshot), theme::success);
      break;
    case job_failed:
    case job_stopped:
      add(texts, StatusKind::wrapped, snapshot.job_error.empty() ? "Failed." : snapshot.job_error, theme::warning);
      // An empty or cut log is no full output.
      if (snapshot.log_error.empty()) {
        add(texts, StatusKind::wrapped, "Full output: " + to_utf8(snapshot.log_path), theme::dim);
      } else {
        add(texts, StatusKind::wrapped, snapshot.log_error, theme::warning);
      }
      break;
    default:
      break;
  }
  if (snapshot.job_state != job_idle) {
    texts.push_back(StatusText{StatusKind::output, {}, theme::dim, snapshot.output_tail});
  } else {
    add_idle_texts(texts, inputs, snapshot, facts);
  }
  return texts;
}

int status_lines_to_keep(const std::vector<StatusText>& texts, float width, const MeasureText& measure) {
  auto last_kept = std::find_if(texts.rbegin(), texts.rend(), [](const StatusText& text) { return text.keep_room; });
  int lines = 0;
  // Texts after the last kept one need no measuring.
  for (auto text = texts.begin(); text != last_kept.base(); ++text) {
    switch (text->kind) {
      case StatusKind::wrapped:
        lines += static_cast<int>(wrap_text(text->text, width, measure).size());
        break;
      case StatusKind::clipped:
        lines += 1;
        break;
      case StatusKind::output:
        lines += static_cast<int>(text->lines.size());
        break;
    }
  }
  return std::max(status_lines_kept, lines);
}

std::vector<PlacedLine> place_status_lines(const std::vector<StatusText>& texts, float top, float limit,
                                           float line_height, float width, const MeasureText& measure) {
  std::vector<PlacedLine> placed;
  float y = top;
  auto fits = [&] { return y + line_height <= limit; };
  for (const StatusText& text : texts) {
    switch (text.kind) {
      case StatusKind::wrapped:
        for (std::string& line : wrap_text(text.text, width, measure)) {
          if (!fits()) return placed;
          placed.push_back({std::move(line), text.color, y, true});
          y += line_height;
        }
        break;
      case StatusKind::clipped:
        if (!fits()) return placed;
        placed.push_back({text.text, text.color, y, true});
        y += line_height;
        break;
      case StatusKind::output: {
        y += 0.3f * line_height;
        size_t room = 0;
        while (room < text.lines.size() && y + static_cast<float>(room + 1) * line_height <= limit) ++room;
        for (size_t i = text.lines.size() - room; i < text.lines.size(); ++i) {
          placed.push_back({text.lines[i], text.color, y, true});
          y += line_height;
        }
        break;
      }
    }
  }
  return placed;
}

}  // namespace korvix
