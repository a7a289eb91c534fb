#pragma once
// Keyboard commands.

void onKeyDown(int key);  // a VirtualKey (platform/virtual_keys.h)
void onKeyUp(int key);
