#pragma once
// The Qt-free half of the skills program: the text of the built-in skill
// list, the lenient numeric reader behind every number box, the patching of
// LEVEL___.DAT at its fixed header offsets, and reading the file. The form
// calls these; tests link them without a window. The file's layout, the
// name's code page and the skills themselves come from levelfile.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "levelfile/file_read.h"
#include "levelfile/layout.h"
#include "levelfile/level_patch.h"

// Skill list ----------------------------------------------------------------

// The text of the hidden list box, made from levelfile's skill list: one line
// "<two upper-case hex digits><name>" per skill, in list order, each ending in
// CR LF (605 characters).
std::string skillListText();

// Numbers typed in the boxes -------------------------------------------------

// The number the text begins with: blanks, tabs and line feeds ignored
// anywhere, optional sign, digits with optional point and exponent, or "&H"
// and hex digits; stops at the first character that does not fit; 0 when no
// number starts the text. Huge values come back as +-infinity, never an error.
double numberOfText(std::string_view text);

// numberOfText rounded to the nearest integer (ties to even), saturated to the
// 32-bit range instead of overflowing.
int32_t integerOfText(std::string_view text);

// Patching LEVEL___.DAT ------------------------------------------------------

// Why the image is not an uncompressed level file ("" when it is): wrong
// length, compressed, or no FORM/QXLV signature. fileName goes into the text.
std::string levelImageProblem(const std::vector<uint8_t>& image, const std::string& fileName);

// What written changes of held, field by field in the header's order, as
// "release rate 20 (the file holds 42), seconds 59 (the file holds 99)"; empty
// when the two are the same.
std::string patchChanges(const LevelPatch& held, const LevelPatch& written);

// Clamps of the three number boxes, applied before the boxes are rewritten.
int32_t clampMinutes(int32_t minutes);   // 0 and up, no upper bound
int32_t clampSeconds(int32_t seconds);   // 0..59
int32_t clampRelease(int32_t release);   // -32768..20

// Level file on disk --------------------------------------------------------

// True when path names an existing regular file (following links).
bool isOrdinaryFile(const std::string& path);


