#pragma once
// Keyboard commands (Windows virtual-key codes) and the camera.

void onKeyDown(int key);
void onKeyUp(int key);
void recentre();  // view centre from the client size and bar side; origin from the camera
