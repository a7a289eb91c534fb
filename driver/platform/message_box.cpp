// Native message boxes over the editor's window.
#include <SDL2/SDL.h>
#include <vector>

#include "platform/platform_internal.h"
#include "platform/window.h"

// Shows the box over `window` (none: a box of its own on the desktop).
static int showBox(SDL_Window* window, int kind, const char* title, const char* text, const char* const* buttons,
                   int buttonCount, int escapeButton) {
  std::vector<SDL_MessageBoxButtonData> data(static_cast<size_t>(buttonCount));
  for (int i = 0; i < buttonCount; ++i) data[static_cast<size_t>(i)] = {0, i, buttons[i]};
  data.front().flags |= SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
  data[static_cast<size_t>(escapeButton)].flags |= SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
  SDL_MessageBoxData box{};
  box.flags = (kind == MessageBoxWarning ? SDL_MESSAGEBOX_WARNING : SDL_MESSAGEBOX_INFORMATION) |
              SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT;
  box.window = window;
  box.title = title;
  box.message = text;
  box.numbuttons = buttonCount;
  box.buttons = data.data();
  int chosen = -1;
  if (SDL_ShowMessageBox(&box, &chosen) != 0) {
    setPlatformError("cannot show a message box");
    return -1;
  }
  // A box closed by its own close box was dismissed, as Escape dismisses it.
  return chosen >= 0 && chosen < buttonCount ? chosen : escapeButton;
}

int messageBox(AppWindow* parent, int kind, const char* title, const char* text, const char* const* buttons,
               int buttonCount) {
  return messageBoxEscapeTo(parent, kind, title, text, buttons, buttonCount, buttonCount - 1);
}

int messageBoxEscapeTo(AppWindow* parent, int kind, const char* title, const char* text,
                       const char* const* buttons, int buttonCount, int escapeButton) {
  // Without a system window (tests drive the editor with a bare record) there
  // is nothing to put a box over.
  if (!parent || !parent->handle || buttonCount < 1 || escapeButton < 0 || escapeButton >= buttonCount) {
    setPlatformError("no window to show a message box over");
    return -1;
  }
  return showBox(static_cast<SDL_Window*>(parent->handle), kind, title, text, buttons, buttonCount, escapeButton);
}

int messageBoxAlone(int kind, const char* title, const char* text, const char* const* buttons, int buttonCount) {
  if (buttonCount < 1) {
    setPlatformError("a message box needs a button");
    return -1;
  }
  return showBox(nullptr, kind, title, text, buttons, buttonCount, buttonCount - 1);
}
