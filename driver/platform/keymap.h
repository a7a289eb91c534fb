#pragma once
// Translation of SDL keys into the Windows virtual-key codes that the editor's
// keyboard commands are written against. Takes SDL's numbers as plain ints so
// that nothing outside the platform layer needs SDL's headers.

// The virtual-key code (a VirtualKey, platform/virtual_keys.h) for an SDL
// keycode and scancode, or VkNone when the key has no counterpart (the event
// is then dropped). The scancode decides only when the keycode is not a Latin
// letter, digit or known key (other layouts).
// Without NumLock among the modifiers (SDL's KMOD_* bits) the keypad digits
// and point give the codes of the navigation keys they double as.
int virtualKeyFromSdl(int keycode, int scancode, int modifiers);

// 1 if the press is a system key that the editor never sees: Alt itself, F10,
// and any key pressed while Alt is held (modifiers = SDL's KMOD_* bits).
int isSystemKey(int keycode, int modifiers);
