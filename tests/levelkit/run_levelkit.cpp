#include "run_levelkit.h"

#include <stb/stb_image.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>

#include "support/paths.h"

static std::string shellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

RunResult runLevelkit(const std::vector<std::string>& args) {
  TempDir streams;
  std::string command = shellQuoted(LEVELKIT_PROGRAM);
  for (const std::string& a : args) command += " " + shellQuoted(a);
  command += " >" + streams.file("out") + " 2>" + streams.file("err") + " </dev/null";
  const int status = std::system(command.c_str());
  RunResult r;
  if (status != -1 && WIFEXITED(status)) r.exitCode = WEXITSTATUS(status);
  const std::vector<uint8_t> out = readFileBytes(streams.file("out")), err = readFileBytes(streams.file("err"));
  r.out.assign(out.begin(), out.end());
  r.err.assign(err.begin(), err.end());
  return r;
}

DemoDataCopy::DemoDataCopy() {
  namespace fs = std::filesystem;
  const fs::path demo = testpaths::demoDir();
  if (!testpaths::demoDataPresent()) return;
  fs::copy(demo / "LEVELS", fs::path(dir.path) / "LEVELS", fs::copy_options::recursive);
  fs::copy(demo / "STYLES", fs::path(dir.path) / "STYLES", fs::copy_options::recursive);
}

std::string DemoDataCopy::level(int n) const { return levelPathIn(dir.path, n); }

std::string DemoDataCopy::style(const char* stem) const { return stylePathIn(dir.path, stem); }

Rgb8Image readPng(const std::string& path) {
  Rgb8Image image;
  int channels = 0;
  unsigned char* pixels = stbi_load(path.c_str(), &image.width, &image.height, &channels, 3);
  if (!pixels) return Rgb8Image{};
  image.rgb.assign(pixels, pixels + static_cast<size_t>(image.width) * image.height * 3);
  stbi_image_free(pixels);
  return image;
}
