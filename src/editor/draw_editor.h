// The subtitle editor's screen, drawn each frame while it is the current one.
#pragma once

struct ImFont;

namespace korvix {

struct SubtitleEditor;

// Draws one frame at the editor scale `scale` (text at 17 x scale pixels) and
// runs its shortcuts. True when the player left the editor with its Back
// button; the document is closed then.
bool draw_editor(SubtitleEditor& editor, float scale, ImFont* font);

}  // namespace korvix
