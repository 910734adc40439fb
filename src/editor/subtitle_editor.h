// The subtitle editor as the launcher holds it: the document, its media, the
// screen's own state and the timeline's, wired to each other once and kept for the whole run.
#pragma once

#include "editor/document/editor_document.h"
#include "editor/media/editor_media.h"
#include "editor/screen/editor_screen.h"
#include "editor/timeline/draw_timeline.h"

namespace korvix {

struct SubtitleEditor {
  SubtitleEditor() : media(document) { document.transport = &media; }
  SubtitleEditor(const SubtitleEditor&) = delete;
  SubtitleEditor& operator=(const SubtitleEditor&) = delete;

  // Opens the install's subtitle file; the screen forgets the last document.
  bool open(const std::filesystem::path& install_folder, const std::filesystem::path& maker_folder,
            std::string& error) {
    if (!document.open(install_folder, maker_folder, error)) return false;
    screen.forget_document();
    return true;
  }

  EditorDocument document;
  EditorMedia media;
  EditorScreen screen;
  TimelineUi timeline{document, media};
};

}  // namespace korvix
