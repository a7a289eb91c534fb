#pragma once
// Keyboard commands (Windows virtual-key codes).

void onKeyDown(int key);
void onKeyUp(int key);
