#pragma once
// The system clipboard as text (UTF-8). Under X the text lives only while the
// window that set it does.

#include <string>

int clipboardSetText(const std::string& text);  // 0 on success
std::string clipboardText();                    // "" when it is empty, holds no text, or there is no display
