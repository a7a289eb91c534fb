#pragma once
// `levelkit catalogue`: a picture of every level of a data folder and one
// HTML page listing them with their facts and check findings.

#include <string>
#include <vector>

#include "level_check.h"
#include "level_facts.h"

constexpr int CatalogueThumbnailBox = 384;  // pixels; a level fits in this square

struct CatalogueEntry {
  int number;                     // 0..119
  bool readable;                  // facts hold the level's header
  LevelFacts facts;
  std::vector<Finding> findings;  // check's findings, then why no picture was drawn
  std::string picture;            // file name inside the output folder; empty when none was drawn
  int pictureWidth, pictureHeight;
};

// Needs a current headless context. 0 on success; 1 with reason set when the
// output folder, a picture or the page cannot be written.
int writeCatalogue(const std::string& dataDir, const std::string& outDir, std::string* reason);

// The whole page; every text from a level file is HTML-escaped.
std::string cataloguePage(const std::string& title, const std::vector<CatalogueEntry>& entries);

std::string htmlEscape(const std::string& text);
