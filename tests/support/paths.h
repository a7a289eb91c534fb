#pragma once
// Locations the tests need, fixed at configure time.
namespace testpaths {
inline const char* sourceDir() { return LEVELKIT_SOURCE_DIR; }
inline const char* binaryDir() { return LEVELKIT_BINARY_DIR; }
inline const char* demoDir() { return LEVELKIT_DEMO_DIR; }  // STYLES/ and LEVELS/ made by make_demo_data
}  // namespace testpaths
