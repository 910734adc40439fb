// The status area under the rows: messages, job results and output, help texts.
#pragma once

#include <imgui.h>

#include <string>
#include <vector>

#include "menu/menu_layout.h"
#include "menu/menu_snapshot.h"
#include "menu/row_views.h"
#include "ui/text_fit.h"

namespace korvix {

enum class StatusKind {
  wrapped,  // broken into lines at blanks
  clipped,  // one line, cut at the content width
  output,   // the job's output lines: as many of the newest as fit
};

struct StatusText {
  StatusKind kind = StatusKind::wrapped;
  std::string text;
  ImU32 color = 0;
  std::vector<std::string> lines;  // for output
  bool keep_room = false;          // the area makes room for this text and all before it
};

struct StatusInputs {
  int32_t screen = 0;
  std::string message;
  std::string subtitles_summary;  // empty when no subtitles exist yet
};

std::vector<StatusText> status_texts(const StatusInputs& inputs, const MenuSnapshot& snapshot,
                                     const MenuFacts& facts);

// How many lines the status area keeps room for: at least `status_lines_kept`,
// and enough for every text up to the last one marked `keep_room` (the message,
// and on the main menu the heading of the new commits and the first three).
int status_lines_to_keep(const std::vector<StatusText>& texts, float width, const MeasureText& measure);

struct PlacedLine {
  std::string text;
  ImU32 color = 0;
  float y = 0;
  bool clip = false;
};

// Places the texts from `top` down: a line is placed only while it ends above
// `limit`; output lines take the newest that fit, newest last.
std::vector<PlacedLine> place_status_lines(const std::vector<StatusText>& texts, float top, float limit,
                                           float line_height, float width, const MeasureText& measure);

}  // namespace korvix
