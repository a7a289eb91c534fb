#pragma once
// F1: the keys and mouse actions, in a message box over the window.

void showHelp();  // printed to standard output when no box can be shown
