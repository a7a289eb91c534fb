#pragma once
// `levelkit check`: level and style files checked as driver loads them and as
// its writer would save them, one finding per problem.

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

enum FindingSeverity {
  FindingError,    // driver would refuse the file
  FindingWarning,  // driver loads it, but drops part of it or could not save it back
};

struct Finding {
  std::string file;
  FindingSeverity severity;
  std::string reason;
};

struct CheckReport {
  int files = 0;  // files looked at, missing ones included
  std::vector<Finding> findings;
};

// A level file: read, style found in dataDir, bound, and built by the writer.
void checkLevel(const std::string& path, const std::string& dataDir, CheckReport* report);

// A style file, recognised by its name (one of the style table's stems):
// size and CRC against the table, decompression, chunks and decoding.
void checkStyle(const std::string& path, CheckReport* report);

// A level file (its styles from dataDir, or when that is empty from
// dataDirOfLevel), a style file, or a data folder holding LEVELS/ and STYLES/
// (then every style of the table and levels 000..119).
void checkPath(const std::string& path, const std::string& dataDir, CheckReport* report);

int errorCount(const CheckReport& report);
int warningCount(const CheckReport& report);

std::string findingLine(const Finding& finding);   // "FILE: error: reason"
std::string summaryLine(const CheckReport& report);  // "N files, E errors, W warnings"
nlohmann::ordered_json reportToJson(const CheckReport& report);
