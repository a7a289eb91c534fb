// The data folder: the command line, the check of the folder, the box for a
// folder that is not one, and the user's copy of the installed demo levels.
#include "app/start_folder.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <unistd.h>

#include "app/level_load.h"
#include "platform/window.h"

namespace fs = std::filesystem;

static const char* programName(const char* argv0) {
  const char* slash = std::strrchr(argv0, '/');
  return slash ? slash + 1 : argv0;
}

static void printHelp(const char* name) {
  std::printf(
      "Usage: %s [DATA_DIR]\n"
      "Edit the 120 levels of a data folder: LEVELS/LEVEL000.DAT .. LEVEL119.DAT\n"
      "with their graphic styles STYLES/*.DAT.\n"
      "\n"
      "  DATA_DIR   the folder holding LEVELS/ and STYLES/ (default: the current\n"
      "             directory); S saves LEVEL___.DAT there and Ctrl+O opens it\n"
      "  --help     print this help and exit\n"
      "  --version  print the version and exit\n"
      "\n"
      "F1 in the window lists the keys. Without a data folder a box offers the\n"
      "installed demo levels, copied to $XDG_DATA_HOME/levelkit/demo.\n",
      name);
}

StartRequest readStartArguments(int argc, char** argv) {
  const char* name = argc > 0 ? programName(argv[0]) : "driver";
  StartRequest request{nullptr, 0, 0};
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) {
      printHelp(name);
      return {nullptr, 1, 0};
    }
    if (std::strcmp(arg, "--version") == 0) {
      std::printf("%s (levelkit) %s\n", name, LEVELKIT_VERSION);
      return {nullptr, 1, 0};
    }
    if (arg[0] == '-' || request.dataDir) {
      std::fprintf(stderr, "%s: %s %s\nTry '%s --help'.\n", name,
                   arg[0] == '-' ? "unknown option" : "one data folder only, not also", arg, name);
      return {nullptr, 1, 2};
    }
    request.dataDir = arg;
  }
  return request;
}

static bool isFolder(const fs::path& path) {
  std::error_code ec;
  return fs::is_directory(path, ec);
}

FolderLack folderLackOf(const std::string& folder) {
  if (!isFolder(folder)) return {true, true, true};
  return {false, !isFolder(fs::path(folder) / "LEVELS"), !isFolder(fs::path(folder) / "STYLES")};
}

std::string missingFolderText(const std::string& folder, FolderLack lack, bool demoInstalled) {
  std::string text;
  if (lack.folder)
    text = "There is no folder " + folder + ".";
  else if (lack.levels && lack.styles)
    text = folder + " holds no LEVELS/ and no STYLES/.";
  else
    text = folder + " holds no " + (lack.levels ? "LEVELS/." : "STYLES/.");
  text +=
      "\n\ndriver edits the levels of a folder that holds LEVELS/ and STYLES/: start it inside that "
      "folder, or name the folder: driver FOLDER.";
  if (demoInstalled)
    text += "\n\nThe demo levels are installed: \"Open the demo levels\" opens your own copy of them.";
  return text;
}

// share/levelkit/demo of the prefix this program is installed under; empty
// when it is not there (a build tree, or a package without the data).
static std::string installedDemoFolder() {
  std::error_code ec;
  const fs::path program = fs::read_symlink("/proc/self/exe", ec);
  if (ec) return {};
  const fs::path demo = program.parent_path().parent_path() / LEVELKIT_DEMO_INSTALL_DIR;
  const FolderLack lack = folderLackOf(demo.string());
  return lack.folder || lack.levels || lack.styles ? std::string() : demo.string();
}

// Where the user's copy goes: the installed one is read-only, and S writes
// LEVEL___.DAT beside the levels.
static std::string demoCopyFolder() {
  const char* dataHome = std::getenv("XDG_DATA_HOME");
  if (dataHome && dataHome[0] == '/') return std::string(dataHome) + "/levelkit/demo";
  const char* home = std::getenv("HOME");
  if (!home || !home[0]) return {};
  return std::string(home) + "/.local/share/levelkit/demo";
}

// Copies what the user's copy lacks (all of it on first use); files already
// there are the user's and stay as they are.
static int copyDemo(const std::string& from, const std::string& to) {
  std::error_code ec;
  fs::create_directories(to, ec);
  if (!ec) fs::copy(from, to, fs::copy_options::recursive | fs::copy_options::skip_existing, ec);
  if (ec) {
    std::fprintf(stderr, "driver: cannot copy the demo levels to %s: %s\n", to.c_str(), ec.message().c_str());
    return 1;
  }
  return 0;
}

// The box for a folder that is not a data folder. 0 with the user's copy of
// the demo levels entered; 1 otherwise.
static int offerDemo(const std::string& folder, FolderLack lack) {
  const std::string demo = installedDemoFolder();
  const std::string text = missingFolderText(folder, lack, !demo.empty());
  const char* const withDemo[] = {"Open the demo levels", "Close"};
  const char* const closeOnly[] = {"Close"};
  const int choice = demo.empty() ? messageBoxAlone(MessageBoxWarning, "driver", text.c_str(), closeOnly, 1)
                                  : messageBoxAlone(MessageBoxWarning, "driver", text.c_str(), withDemo, 2);
  if (choice < 0) std::fprintf(stderr, "driver: %s\n", platformError());
  if (demo.empty() || choice != 0) return 1;
  const std::string copy = demoCopyFolder();
  if (copy.empty()) {
    std::fprintf(stderr, "driver: no place for the demo levels: neither XDG_DATA_HOME nor HOME is set\n");
    return 1;
  }
  if (copyDemo(demo, copy) != 0) return 1;
  if (chdir(copy.c_str()) != 0) {
    std::fprintf(stderr, "driver: cannot enter %s: %s\n", copy.c_str(), std::strerror(errno));
    return 1;
  }
  return 0;
}

int enterDataFolder(const char* dataDir) {
  std::error_code ec;
  if (dataDir && chdir(dataDir) != 0) {
    std::fprintf(stderr, "driver: cannot enter %s: %s\n", dataDir, std::strerror(errno));
    if (offerDemo(fs::absolute(dataDir, ec).lexically_normal().string(), {true, true, true}) != 0) return 1;
  } else if (const FolderLack lack = folderLackOf("."); lack.levels || lack.styles) {
    int unused = 0;
    LoadFailure why{};
    findStartLevel(&unused, &why);  // says on standard error what fails and what is missing, as it always did
    if (offerDemo(fs::current_path(ec).string(), lack) != 0) return 1;
  }
  std::printf("driver: data folder %s\n", fs::current_path(ec).c_str());
  std::fflush(stdout);
  return 0;
}
