// The help box: every key and mouse action of the editor, one line each.
#include "edit/help.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "platform/window.h"
#include "state/editor_state.h"

static const char* const helpText =
    "Left / Right: previous / next level (edits are kept until the program ends)\n"
    "Page Up / Page Down: ten levels back / forward\n"
    "Up / Down, mouse wheel over the level: zoom in / out\n"
    "Mouse wheel over the item bar: scroll it by one item\n"
    "Right drag: pan\n"
    "Left click, left drag: select / rubber-band select (Shift adds, Ctrl toggles)\n"
    "Left drag on a selection: move it in whole blocks\n"
    "Left drag on a level edge or corner: resize the level\n"
    "Space held + left drag: move the start view\n"
    "1 / 2: item bar lists objects / terrain pieces\n"
    "Click an item, then click in the level: place it; drag to place copies\n"
    "Shift held when releasing a placement: the item stays picked; Escape drops it\n"
    "Delete, 3, Escape: delete the selection, toggle its terrain flag, clear it\n"
    "Ctrl+A: select all; Ctrl+arrows: move the selection by one block\n"
    "Ctrl+C / Ctrl+X: copy / cut the selection to the clipboard as text\n"
    "Ctrl+V: paste it with its top-left block under the pointer (or the view centre),\n"
    "  into any level of the style it came from; the text is the line\n"
    "  \"driver-elements 1\" and then JSON: {\"style\": stem, \"elements\": [{\"kind\",\n"
    "  \"value\", \"x\", \"y\", \"paramA\", \"paramB\", \"flags\"}, ...]}\n"
    "Ctrl+Z: undo; Ctrl+Y or Ctrl+Shift+Z: redo\n"
    "S: save LEVEL___.DAT; Ctrl+O: open LEVEL___.DAT again\n"
    "Ctrl+S: save into LEVELS/ (the level's own file); Ctrl+Shift+S: every unsaved level\n"
    "Backspace: alternate view (element classes in flat colours)\n"
    "F1: this help; F2: status line on / off\n"
    "A * before the title: no file holds the level as it is now.\n"
    "Closing the window asks first when edits are unsaved.";

void showHelp() {
  // The data folder is the current directory (entered at start-up), where S
  // saves and Ctrl+O opens.
  std::error_code ec;
  const std::string text = std::string(helpText) + "\n\nData folder: " + std::filesystem::current_path(ec).string();
  const char* const buttons[] = {"OK"};
  if (messageBox(editor.window, MessageBoxInformation, "driver keys", text.c_str(), buttons, 1) < 0)
    std::printf("%s\n", text.c_str());
}
