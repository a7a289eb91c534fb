// make_demo_data <dir>: writes the demo data set, STYLES/<STEM>.DAT for the
// twelve styles and LEVELS/LEVEL000.DAT .. LEVEL119.DAT, into <dir>. The same
// bytes on every run.
#include <sys/stat.h>

#include <cstdio>
#include <string>

#include "data/bind.h"
#include "data/failure.h"
#include "demo_files.h"
#include "levelfile/data_folder.h"

// Styles stored GSCM-compressed; the rest are plain FORM files.
static bool styleCompressed(int index) {
  return index == 0 || index == 3 || index == 4 || index == 7 || index == 9 || index == 11;
}

static bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && ok;
}

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_demo_data <dir>\n");
    return 2;
  }
  std::string dir = argv[1];
  mkdir(dir.c_str(), 0777);
  mkdir((dir + "/STYLES").c_str(), 0777);
  mkdir((dir + "/LEVELS").c_str(), 0777);

  std::vector<DemoStyle> sources(StyleCount);
  std::vector<Style> styles(StyleCount);
  for (int i = 0; i < StyleCount; i++) {
    sources[static_cast<size_t>(i)] = buildDemoStyle(i);
    sources[static_cast<size_t>(i)].compressed = styleCompressed(i);
    std::vector<uint8_t> bytes =
        storeStyle(sources[static_cast<size_t>(i)], styleTable[i].size, styleTable[i].crc);
    if (bytes.empty()) {
      std::fprintf(stderr, "style %s does not fit its %u bytes (content %zu bytes)\n", styleTable[i].stem,
                   styleTable[i].size, styleContainer(sources[static_cast<size_t>(i)]).size());
      return 1;
    }
    // The levels are laid out with the style exactly as the loader will see it.
    Style& style = styles[static_cast<size_t>(i)];
    if (decodeStyle(i, bytes.data(), bytes.size(), &style) != 0) {
      std::fprintf(stderr, "style %s does not decode: %s\n", styleTable[i].stem, failureReason());
      return 1;
    }
    Level empty{};
    clearLevelObjects(&empty);
    bindLevelToStyle(&style, &empty);
    if (!writeFile(stylePathIn(dir, styleTable[i].stem), bytes)) {
      std::fprintf(stderr, "cannot write style %s\n", styleTable[i].stem);
      return 1;
    }
  }
  for (int n = 0; n < LevelCount; n++) {
    std::vector<uint8_t> bytes = storeDemoLevel(n, sources, styles);
    if (bytes.empty() || !writeFile(levelPathIn(dir, n), bytes)) {
      std::fprintf(stderr, "cannot build or write level %d: %s\n", n, failureReason());
      return 1;
    }
  }
  return 0;
}
