#include "platform/keymap.h"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>
#include <utility>

static int code(SDL_Keycode key, int modifiers = KMOD_NUM) {
  return virtualKeyFromSdl(key, SDL_GetScancodeFromKey(key), modifiers);
}

static void expectCodes(std::initializer_list<std::pair<SDL_Keycode, int>> pairs) {
  for (auto [key, expected] : pairs) EXPECT_EQ(code(key), expected) << SDL_GetKeyName(key);
}

TEST(KeyMap, LettersAndDigitsGiveTheirUpperCaseCharacterCodes) {
  expectCodes({{SDLK_a, 65}, {SDLK_s, 83}, {SDLK_z, 90}, {SDLK_0, 48}, {SDLK_1, 49}, {SDLK_9, 57}});
}

TEST(KeyMap, EditingKeysAndBothSidesOfModifiersGiveTheirCodes) {
  expectCodes({{SDLK_BACKSPACE, 8}, {SDLK_RETURN, 13}, {SDLK_ESCAPE, 27}, {SDLK_SPACE, 32},
               {SDLK_LEFT, 37}, {SDLK_UP, 38}, {SDLK_RIGHT, 39}, {SDLK_DOWN, 40}, {SDLK_DELETE, 46},
               {SDLK_LSHIFT, 16}, {SDLK_RSHIFT, 16}, {SDLK_LCTRL, 17}, {SDLK_RCTRL, 17}});
}

TEST(KeyMap, FunctionAndKeypadKeysCountUpFromTheirBase) {
  expectCodes({{SDLK_F1, 112}, {SDLK_F12, 123}, {SDLK_F13, 124}, {SDLK_KP_0, 96}, {SDLK_KP_9, 105}});
}

TEST(KeyMap, KeypadWithoutNumLockGivesTheNavigationKeys) {
  const std::pair<SDL_Keycode, int> navigation[] = {
      {SDLK_KP_0, 45}, {SDLK_KP_1, 35}, {SDLK_KP_2, 40}, {SDLK_KP_3, 34}, {SDLK_KP_4, 37},      {SDLK_KP_5, 12},
      {SDLK_KP_6, 39}, {SDLK_KP_7, 36}, {SDLK_KP_8, 38}, {SDLK_KP_9, 33}, {SDLK_KP_PERIOD, 46},
  };
  for (auto [key, expected] : navigation) EXPECT_EQ(code(key, 0), expected) << SDL_GetKeyName(key);
  // Keys that are the same with or without NumLock.
  EXPECT_EQ(code(SDLK_KP_ENTER, 0), 13);
  EXPECT_EQ(code(SDLK_KP_PLUS, 0), 107);
  EXPECT_EQ(code(SDLK_a, 0), 65);
  EXPECT_EQ(code(SDLK_4, 0), 52);
}

TEST(KeyMap, NonLatinLayoutFallsBackToTheKeyPosition) {
  EXPECT_EQ(virtualKeyFromSdl(0x0444, SDL_SCANCODE_A, 0), 65);  // a Cyrillic letter on the A key
  EXPECT_EQ(virtualKeyFromSdl(0x00E9, SDL_SCANCODE_2, 0), 50);  // e-acute on a French '2'
}

TEST(KeyMap, KeysWithoutCounterpartGiveZero) {
  EXPECT_EQ(code(SDLK_VOLUMEUP), 0);
  EXPECT_EQ(virtualKeyFromSdl(SDLK_UNKNOWN, SDL_SCANCODE_UNKNOWN, 0), 0);
}

TEST(KeyMap, AltAndF10AndAltCombinationsAreSystemKeys) {
  EXPECT_TRUE(isSystemKey(SDLK_LALT, KMOD_LALT));
  EXPECT_TRUE(isSystemKey(SDLK_RALT, 0));
  EXPECT_TRUE(isSystemKey(SDLK_F10, 0));
  EXPECT_TRUE(isSystemKey(SDLK_RIGHT, KMOD_LALT));
  EXPECT_FALSE(isSystemKey(SDLK_RIGHT, KMOD_LSHIFT | KMOD_LCTRL));
  EXPECT_FALSE(isSystemKey(SDLK_F9, 0));
}
