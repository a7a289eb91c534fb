#include "platform/keymap.h"

#include <SDL2/SDL.h>

#include "platform/virtual_keys.h"

struct KeyPair {
  SDL_Keycode key;
  int code;
};

// Keys outside the letter, digit and function-key runs.
static const KeyPair namedKeys[] = {
    {SDLK_BACKSPACE, VkBackspace},     {SDLK_TAB, VkTab},
    {SDLK_CLEAR, VkClear},             {SDLK_RETURN, VkReturn},
    {SDLK_KP_ENTER, VkReturn},         {SDLK_LSHIFT, VkShift},
    {SDLK_RSHIFT, VkShift},            {SDLK_LCTRL, VkControl},
    {SDLK_RCTRL, VkControl},           {SDLK_LALT, VkAlt},
    {SDLK_RALT, VkAlt},                {SDLK_PAUSE, VkPause},
    {SDLK_CAPSLOCK, VkCapsLock},       {SDLK_ESCAPE, VkEscape},
    {SDLK_SPACE, VkSpace},             {SDLK_PAGEUP, VkPageUp},
    {SDLK_PAGEDOWN, VkPageDown},       {SDLK_END, VkEnd},
    {SDLK_HOME, VkHome},               {SDLK_LEFT, VkLeft},
    {SDLK_UP, VkUp},                   {SDLK_RIGHT, VkRight},
    {SDLK_DOWN, VkDown},               {SDLK_PRINTSCREEN, VkPrintScreen},
    {SDLK_INSERT, VkInsert},           {SDLK_DELETE, VkDelete},
    {SDLK_LGUI, VkLeftSystem},         {SDLK_RGUI, VkRightSystem},
    {SDLK_APPLICATION, VkApplication}, {SDLK_KP_MULTIPLY, VkNumpadMultiply},
    {SDLK_KP_PLUS, VkNumpadAdd},       {SDLK_KP_MINUS, VkNumpadSubtract},
    {SDLK_KP_PERIOD, VkNumpadDecimal}, {SDLK_KP_DIVIDE, VkNumpadDivide},
    {SDLK_NUMLOCKCLEAR, VkNumLock},    {SDLK_SCROLLLOCK, VkScrollLock},
    {SDLK_SEMICOLON, VkSemicolon},     {SDLK_EQUALS, VkEquals},
    {SDLK_COMMA, VkComma},             {SDLK_MINUS, VkMinus},
    {SDLK_PERIOD, VkPeriod},           {SDLK_SLASH, VkSlash},
    {SDLK_BACKQUOTE, VkBackquote},     {SDLK_LEFTBRACKET, VkLeftBracket},
    {SDLK_BACKSLASH, VkBackslash},     {SDLK_RIGHTBRACKET, VkRightBracket},
    {SDLK_QUOTE, VkQuote},
};

static int codeFromKeycode(SDL_Keycode key) {
  if (key >= SDLK_a && key <= SDLK_z) return VkA + (key - SDLK_a);
  if (key >= SDLK_0 && key <= SDLK_9) return Vk0 + (key - SDLK_0);
  if (key >= SDLK_F1 && key <= SDLK_F12) return VkF1 + (key - SDLK_F1);
  if (key >= SDLK_F13 && key <= SDLK_F24) return VkF13 + (key - SDLK_F13);
  if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return VkNumpad1 + (key - SDLK_KP_1);
  if (key == SDLK_KP_0) return VkNumpad0;
  for (const KeyPair& p : namedKeys)
    if (p.key == key) return p.code;
  return VkNone;
}

// Scancodes name positions on a US keyboard: the nearest code for letters and
// digits of layouts whose keycodes are not Latin.
static int codeFromScancode(int scancode) {
  if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z) return VkA + (scancode - SDL_SCANCODE_A);
  if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9) return Vk1 + (scancode - SDL_SCANCODE_1);
  if (scancode == SDL_SCANCODE_0) return Vk0;
  return VkNone;
}

// Without NumLock the keypad's digits and point are the navigation keys
// printed beneath them, and the system reports them as such.
static int keypadNavigationCode(SDL_Keycode key) {
  static const KeyPair keypad[] = {
      {SDLK_KP_0, VkInsert}, {SDLK_KP_1, VkEnd},   {SDLK_KP_2, VkDown},   {SDLK_KP_3, VkPageDown},
      {SDLK_KP_4, VkLeft},   {SDLK_KP_5, VkClear}, {SDLK_KP_6, VkRight},  {SDLK_KP_7, VkHome},
      {SDLK_KP_8, VkUp},     {SDLK_KP_9, VkPageUp}, {SDLK_KP_PERIOD, VkDelete},
  };
  for (const KeyPair& p : keypad)
    if (p.key == key) return p.code;
  return VkNone;
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
