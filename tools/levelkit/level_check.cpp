#include "level_check.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "data/failure.h"
#include "data/level_writer.h"
#include "data/style.h"
#include "level_source.h"
#include "progress.h"

namespace fs = std::filesystem;

static void addFinding(CheckReport* report, const std::string& file, FindingSeverity severity,
                       const std::string& reason) {
  report->findings.push_back({file, severity, reason});
}

static int countKind(const Level& level, uint32_t kind) {
  int count = 0;
  forEachElement(level, [&](const LevelObject& e) { count += e.kind == kind; });
  return count;
}

static std::string counted(int count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

void checkLevel(const std::string& path, const std::string& dataDir, CheckReport* report) {
  ++report->files;
  Level level;
  Style style{};
  LevelLoad load;
  if (readLevelFile(path, &level, &load) != 0) return addFinding(report, path, FindingError, loadFailureText(load));
  const int cells = countKind(level, ObjectKindTerrainCell);
  const int objects = countKind(level, ObjectKindObject);
  if (loadLevelStyle(dataDir, nullptr, &level, &style, &load) != 0)
    return addFinding(report, path, FindingError, loadFailureText(load));
  // Binding drops what the style cannot show; driver does so without a word.
  // Bound objects take their definition's kind, so they are what is left
  // besides the cells.
  const int cellsKept = countKind(level, ObjectKindTerrainCell);
  const int objectsKept = static_cast<int>(level.objectCount) - cellsKept;
  const int lostCells = cells - cellsKept;
  const int lostObjects = objects - objectsKept;
  if (lostCells > 0)
    addFinding(report, path, FindingWarning,
               counted(lostCells, "terrain cell names a block", "terrain cells name blocks") +
                   " the style lacks (dropped on load)");
  if (lostObjects > 0)
    addFinding(report, path, FindingWarning,
               counted(lostObjects, "object names a definition", "objects name definitions") +
                   " the style lacks (dropped on load)");
  uint8_t image[LevelFileSize];
  if (buildLevelImage(level, image) != 0)
    addFinding(report, path, FindingWarning, std::string("would not save: ") + failureReason());
  freeStyle(&style);
}

// The table index of a style file's name, or -1.
static int styleIndexOfName(const std::string& path) {
  std::string stem = fs::path(path).stem().string();
  std::string extension = fs::path(path).extension().string();
  std::transform(stem.begin(), stem.end(), stem.begin(), [](unsigned char c) { return std::toupper(c); });
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return std::toupper(c); });
  if (extension != ".DAT") return -1;
  for (int i = 0; i < StyleCount; ++i)
    if (stem == styleTable[i].stem) return i;
  return -1;
}

void checkStyle(const std::string& path, CheckReport* report) {
  ++report->files;
  Style style{};
  if (loadStyleFile(styleIndexOfName(path), path.c_str(), &style) != 0)
    addFinding(report, path, FindingError, failureReason());
  freeStyle(&style);
}

void checkPath(const std::string& path, const std::string& dataDir, CheckReport* report) {
  std::error_code error;
  if (fs::is_directory(path, error)) {
    if (!dataFolderLack(path).empty()) {
      ++report->files;
      return addFinding(report, path, FindingError, "a folder without LEVELS/ and STYLES/");
    }
    for (int i = 0; i < StyleCount; ++i) checkStyle(stylePathIn(path, i), report);
    for (int n = 0; n < LevelCount; ++n) {
      checkLevel(levelPathIn(path, n), path, report);
      showProgress(n + 1, LevelCount);
    }
    return endProgress();
  }
  if (styleIndexOfName(path) >= 0) return checkStyle(path, report);
  checkLevel(path, dataDir.empty() ? dataDirOfLevel(path) : dataDir, report);
}

int errorCount(const CheckReport& report) {
  return static_cast<int>(std::count_if(report.findings.begin(), report.findings.end(),
                                        [](const Finding& f) { return f.severity == FindingError; }));
}

int warningCount(const CheckReport& report) { return static_cast<int>(report.findings.size()) - errorCount(report); }

static const char* severityName(FindingSeverity severity) {
  return severity == FindingError ? "error" : "warning";
}

std::string findingLine(const Finding& finding) {
  return finding.file + ": " + severityName(finding.severity) + ": " + finding.reason;
}

// Always plural, so scripts can match one pattern.
std::string summaryLine(const CheckReport& report) {
  return std::to_string(report.files) + " files, " + std::to_string(errorCount(report)) + " errors, " +
         std::to_string(warningCount(report)) + " warnings";
}

nlohmann::ordered_json reportToJson(const CheckReport& report) {
  nlohmann::ordered_json findings = nlohmann::ordered_json::array();
  for (const Finding& f : report.findings)
    findings.push_back({{"file", f.file}, {"severity", severityName(f.severity)}, {"reason", f.reason}});
  return {{"files", report.files},
          {"errors", errorCount(report)},
          {"warnings", warningCount(report)},
          {"findings", findings}};
}
