#include "platform/clipboard.h"

#include <SDL2/SDL.h>

int clipboardSetText(const std::string& text) { return SDL_SetClipboardText(text.c_str()) == 0 ? 0 : 1; }

std::string clipboardText() {
  char* text = SDL_GetClipboardText();  // never none: "" on any failure
  std::string copy = text ? text : "";
  SDL_free(text);
  return copy;
}
