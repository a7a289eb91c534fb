#include "platform/keymap.h"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>

static int code(SDL_Keycode key) { return virtualKeyFromSdl(key, SDL_GetScancodeFromKey(key)); }

TEST(KeyMap, LettersAndDigitsGiveTheirUpperCaseCharacterCodes) {
  EXPECT_EQ(code(SDLK_a), 65);
  EXPECT_EQ(code(SDLK_s), 83);
  EXPECT_EQ(code(SDLK_z), 90);
  EXPECT_EQ(code(SDLK_0), 48);
  EXPECT_EQ(code(SDLK_1), 49);
  EXPECT_EQ(code(SDLK_9), 57);
}

TEST(KeyMap, EditingKeysGiveTheirVirtualKeyCodes) {
  EXPECT_EQ(code(SDLK_BACKSPACE), 8);
  EXPECT_EQ(code(SDLK_ESCAPE), 27);
  EXPECT_EQ(code(SDLK_SPACE), 32);
  EXPECT_EQ(code(SDLK_LEFT), 37);
  EXPECT_EQ(code(SDLK_UP), 38);
  EXPECT_EQ(code(SDLK_RIGHT), 39);
  EXPECT_EQ(code(SDLK_DOWN), 40);
  EXPECT_EQ(code(SDLK_DELETE), 46);
  EXPECT_EQ(code(SDLK_RETURN), 13);
}

TEST(KeyMap, BothShiftAndBothCtrlKeysShareOneCode) {
  EXPECT_EQ(code(SDLK_LSHIFT), 16);
  EXPECT_EQ(code(SDLK_RSHIFT), 16);
  EXPECT_EQ(code(SDLK_LCTRL), 17);
  EXPECT_EQ(code(SDLK_RCTRL), 17);
}

TEST(KeyMap, FunctionAndKeypadKeysCountUpFromTheirBase) {
  EXPECT_EQ(code(SDLK_F1), 112);
  EXPECT_EQ(code(SDLK_F12), 123);
  EXPECT_EQ(code(SDLK_F13), 124);
  EXPECT_EQ(code(SDLK_KP_0), 96);
  EXPECT_EQ(code(SDLK_KP_9), 105);
}

TEST(KeyMap, NonLatinLayoutFallsBackToTheKeyPosition) {
  const int cyrillicA = 0x0444;  // the letter on the F key of a Russian layout
  EXPECT_EQ(virtualKeyFromSdl(cyrillicA, SDL_SCANCODE_F), 70);
  EXPECT_EQ(virtualKeyFromSdl(0x00E9, SDL_SCANCODE_2), 50);  // e-acute on a French '2'
}

TEST(KeyMap, KeysWithoutCounterpartGiveZero) {
  EXPECT_EQ(code(SDLK_VOLUMEUP), 0);
  EXPECT_EQ(virtualKeyFromSdl(SDLK_UNKNOWN, SDL_SCANCODE_UNKNOWN), 0);
}

TEST(KeyMap, AltAndF10AndAltCombinationsAreSystemKeys) {
  EXPECT_TRUE(isSystemKey(SDLK_LALT, KMOD_LALT));
  EXPECT_TRUE(isSystemKey(SDLK_RALT, 0));
  EXPECT_TRUE(isSystemKey(SDLK_F10, 0));
  EXPECT_TRUE(isSystemKey(SDLK_RIGHT, KMOD_LALT));
  EXPECT_FALSE(isSystemKey(SDLK_RIGHT, KMOD_LSHIFT | KMOD_LCTRL));
  EXPECT_FALSE(isSystemKey(SDLK_F9, 0));
}
