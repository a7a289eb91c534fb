#include "platform/keymap.h"

#include <SDL2/SDL.h>

struct KeyPair {
  SDL_Keycode key;
  int code;
};

// Keys outside the letter, digit and function-key runs.
static const KeyPair namedKeys[] = {
    {SDLK_BACKSPACE, 8},  {SDLK_TAB, 9},        {SDLK_CLEAR, 12},      {SDLK_RETURN, 13},
    {SDLK_KP_ENTER, 13},  {SDLK_LSHIFT, 16},    {SDLK_RSHIFT, 16},     {SDLK_LCTRL, 17},
    {SDLK_RCTRL, 17},     {SDLK_LALT, 18},      {SDLK_RALT, 18},       {SDLK_PAUSE, 19},
    {SDLK_CAPSLOCK, 20},  {SDLK_ESCAPE, 27},    {SDLK_SPACE, 32},      {SDLK_PAGEUP, 33},
    {SDLK_PAGEDOWN, 34},  {SDLK_END, 35},       {SDLK_HOME, 36},       {SDLK_LEFT, 37},
    {SDLK_UP, 38},        {SDLK_RIGHT, 39},     {SDLK_DOWN, 40},       {SDLK_PRINTSCREEN, 44},
    {SDLK_INSERT, 45},    {SDLK_DELETE, 46},    {SDLK_LGUI, 91},       {SDLK_RGUI, 92},
    {SDLK_APPLICATION, 93}, {SDLK_KP_MULTIPLY, 106}, {SDLK_KP_PLUS, 107}, {SDLK_KP_MINUS, 109},
    {SDLK_KP_PERIOD, 110}, {SDLK_KP_DIVIDE, 111}, {SDLK_NUMLOCKCLEAR, 144}, {SDLK_SCROLLLOCK, 145},
    {SDLK_SEMICOLON, 186}, {SDLK_EQUALS, 187},  {SDLK_COMMA, 188},     {SDLK_MINUS, 189},
    {SDLK_PERIOD, 190},   {SDLK_SLASH, 191},    {SDLK_BACKQUOTE, 192}, {SDLK_LEFTBRACKET, 219},
    {SDLK_BACKSLASH, 220}, {SDLK_RIGHTBRACKET, 221}, {SDLK_QUOTE, 222},
};

static int codeFromKeycode(SDL_Keycode key) {
  if (key >= SDLK_a && key <= SDLK_z) return 'A' + (key - SDLK_a);
  if (key >= SDLK_0 && key <= SDLK_9) return '0' + (key - SDLK_0);
  if (key >= SDLK_F1 && key <= SDLK_F12) return 112 + (key - SDLK_F1);
  if (key >= SDLK_F13 && key <= SDLK_F24) return 124 + (key - SDLK_F13);
  if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return 97 + (key - SDLK_KP_1);
  if (key == SDLK_KP_0) return 96;
  for (const KeyPair& p : namedKeys)
    if (p.key == key) return p.code;
  return 0;
}

// Scancodes name positions on a US keyboard: the nearest code for letters and
// digits of layouts whose keycodes are not Latin.
static int codeFromScancode(int scancode) {
  if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z) return 'A' + (scancode - SDL_SCANCODE_A);
  if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9) return '1' + (scancode - SDL_SCANCODE_1);
  if (scancode == SDL_SCANCODE_0) return '0';
  return 0;
}

// Without NumLock the keypad's digits and point are the navigation keys
// printed beneath them, and the system reports them as such.
static int keypadNavigationCode(SDL_Keycode key) {
  static const KeyPair keypad[] = {
      {SDLK_KP_0, 45}, {SDLK_KP_1, 35}, {SDLK_KP_2, 40}, {SDLK_KP_3, 34}, {SDLK_KP_4, 37},      {SDLK_KP_5, 12},
      {SDLK_KP_6, 39}, {SDLK_KP_7, 36}, {SDLK_KP_8, 38}, {SDLK_KP_9, 33}, {SDLK_KP_PERIOD, 46},
  };
  for (const KeyPair& p : keypad)
    if (p.key == key) return p.code;
  return 0;
}

int virtualKeyFromSdl(int keycode, int scancode, int modifiers) {
  if (!(modifiers & KMOD_NUM)) {
    int navigation = keypadNavigationCode(keycode);
    if (navigation) return navigation;
  }
  int code = codeFromKeycode(keycode);
  return code ? code : codeFromScancode(scancode);
}

int isSystemKey(int keycode, int modifiers) {
  return keycode == SDLK_LALT || keycode == SDLK_RALT || keycode == SDLK_F10 || (modifiers & KMOD_ALT) != 0;
}
