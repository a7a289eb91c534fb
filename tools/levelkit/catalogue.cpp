#include "catalogue.h"

#include <cstdio>
#include <filesystem>

#include "level_render.h"
#include "level_source.h"
#include "file_io.h"
#include "png_file.h"
#include "progress.h"

namespace fs = std::filesystem;

static CatalogueEntry catalogueEntry(const std::string& dataDir, int number, const std::string& outDir,
                                     std::string* writeFailure) {
  CatalogueEntry entry{};
  entry.number = number;
  const std::string path = levelPathIn(dataDir, number);
  CheckReport report;
  checkLevel(path, dataDir, &report);
  entry.findings = report.findings;

  Level level;
  LevelLoad load;
  entry.readable = readLevelFile(path, &level, &load) == 0;
  if (!entry.readable) return entry;
  entry.facts = factsOfLevel(level, load.compressed);
  std::string reason;

  RenderRequest request;
  request.dataDir = dataDir;
  request.box = CatalogueThumbnailBox;
  Picture picture;
  if (renderLevelFile(path, request, &picture, &reason) != 0) {
    // A level or style that does not load is already among the errors.
    if (errorCount(report) == 0) entry.findings.push_back({path, FindingWarning, "no picture: " + reason});
    return entry;
  }
  char name[32];
  std::snprintf(name, sizeof name, "level%03d.png", number);
  if (writePngFile((fs::path(outDir) / name).string(), picture, &reason) != 0) {
    *writeFailure = std::string(name) + ": " + reason;
    return entry;
  }
  entry.picture = name;
  entry.pictureWidth = picture.width;
  entry.pictureHeight = picture.height;
  return entry;
}

// The folder as given; ".", ".." and the like by the name they stand for.
static std::string folderName(const std::string& dir) {
  const fs::path last = fs::path(dir).lexically_normal().filename();
  if (last != "." && last != "..") return dir;
  std::error_code error;
  const fs::path real = fs::canonical(dir, error);
  return error || !real.has_filename() ? dir : real.filename().string();
}

int writeCatalogue(const std::string& dataDir, const std::string& outDir, std::string* reason) {
  std::error_code error;
  fs::create_directories(outDir, error);
  if (error) {
    *reason = error.message();
    return 1;
  }
  std::vector<CatalogueEntry> entries;
  for (int n = 0; n < LevelCount; ++n) {
    std::string writeFailure;
    entries.push_back(catalogueEntry(dataDir, n, outDir, &writeFailure));
    showProgress(n + 1, LevelCount);
    if (!writeFailure.empty()) {
      endProgress();
      *reason = writeFailure;
      return 1;
    }
  }
  endProgress();
  const std::string page = cataloguePage("Levels of " + folderName(dataDir), entries);
  return writeOutputFile((fs::path(outDir) / "index.html").string(),
                               std::vector<uint8_t>(page.begin(), page.end()), reason);
}
