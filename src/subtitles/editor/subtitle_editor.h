// The subtitle editor as the launcher holds it: the document and its media,
// wired to each other once and kept for the whole run.
#pragma once

#include "subtitles/editor/editor_document.h"
#include "subtitles/editor/editor_media.h"

namespace korvix {

struct SubtitleEditor {
  SubtitleEditor() : media(document) { document.media = &media; }
  SubtitleEditor(const SubtitleEditor&) = delete;
  SubtitleEditor& operator=(const SubtitleEditor&) = delete;

  EditorDocument document;
  EditorMedia media;
};

}  // namespace korvix
