#include "platform/clipboard.h"

#include <SDL3/SDL_clipboard.h>
#include <SDL3/SDL_error.h>

namespace korvix {

bool set_clipboard_text(const std::string& text, std::string& error) {
  if (SDL_SetClipboardText(text.c_str())) return true;
  error = SDL_GetError();
  return false;
}

}  // namespace korvix
