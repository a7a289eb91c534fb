// levelkit: the command-line companion of driver. Subcommands info, check,
// render, catalogue, pack and unpack; every failure is one line naming the
// file and the reason. Exit status: 0 done, 1 a file failed, 2 usage error.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <iostream>

#include "catalogue.h"
#include "gscm_files.h"
#include "headless/headless_gl.h"
#include "level_check.h"
#include "level_facts.h"
#include "level_render.h"
#include "level_source.h"
#include "png_file.h"

enum ExitStatus { ExitDone = 0, ExitFailed = 1, ExitUsage = 2 };

static const std::string DefaultDataHelp = "the level's folder if it holds STYLES/, else the folder above";

static void reportFailure(const std::string& file, const std::string& reason) {
  std::fprintf(stderr, "%s: error: %s\n", file.c_str(), reason.c_str());
}

static int runInfo(const std::vector<std::string>& files, bool json) {
  int status = ExitDone;
  int printed = 0;
  nlohmann::ordered_json all = nlohmann::ordered_json::array();
  for (const std::string& file : files) {
    Level level;
    LevelLoad load;
    if (readLevelFile(file, &level, &load) != 0) {
      reportFailure(file, loadFailureText(load));
      status = ExitFailed;
      continue;
    }
    const LevelFacts facts = factsOfLevel(level, load.compressed);
    if (json) all.push_back(factsToJson(file, facts));
    else std::cout << (printed++ > 0 ? "\n" : "") << factsToText(file, facts);  // a blank line between levels
  }
  if (json) std::cout << all.dump(2) << "\n";
  return status;
}

static int runCheck(const std::vector<std::string>& paths, const std::string& dataDir, bool json) {
  CheckReport report;
  for (const std::string& path : paths) checkPath(path, dataDir, &report);
  if (json) {
    std::cout << reportToJson(report).dump(2) << "\n";
  } else {
    for (const Finding& f : report.findings) std::cout << findingLine(f) << "\n";
    std::cout << summaryLine(report) << "\n";
  }
  return errorCount(report) > 0 ? ExitFailed : ExitDone;
}

static int runRender(const std::string& level, const std::string& out, RenderRequest request) {
  if (request.dataDir.empty()) request.dataDir = dataDirOfLevel(level);
  const HeadlessGl gl(PictureTileSize, PictureTileSize);
  if (!gl.ok()) {
    reportFailure(level, "cannot draw without OpenGL: " + gl.failure);
    return ExitFailed;
  }
  std::string reason;
  Picture picture;
  int status = ExitDone;
  if (renderLevelFile(level, request, &picture, &reason) != 0) {
    reportFailure(level, reason);
    status = ExitFailed;
  } else if (writePngFile(out, picture, &reason) != 0) {
    reportFailure(out, reason);
    status = ExitFailed;
  }
  return status;
}

static int runCatalogue(const std::string& data, const std::string& outDir) {
  const std::string lack = dataFolderLack(data);
  if (!lack.empty()) {  // a page of 120 unreadable levels would hide the mistake
    reportFailure(data, lack);
    return ExitUsage;
  }
  const HeadlessGl gl(PictureTileSize, PictureTileSize);
  if (!gl.ok()) {
    reportFailure(data, "cannot draw without OpenGL: " + gl.failure);
    return ExitFailed;
  }
  std::string reason;
  const int status = writeCatalogue(data, outDir, &reason) == 0 ? ExitDone : ExitFailed;
  if (status != ExitDone) reportFailure(outDir, reason);
  return status;
}

static int runGscm(int (*operation)(const std::string&, const std::string&, std::string*), const std::string& in,
                   const std::string& out) {
  std::string reason;
  if (operation(in, out, &reason) == 0) return ExitDone;
  reportFailure(in, reason);
  return ExitFailed;
}

int main(int argc, char** argv) {
  CLI::App app{"Renders levels to PNG, checks level packs, prints level facts and builds a catalogue page.",
               "levelkit"};
  app.set_version_flag("--version", LEVELKIT_VERSION);
  app.require_subcommand(1);
  int status = ExitDone;

  bool infoJson = false;
  std::vector<std::string> infoFiles;
  CLI::App* info = app.add_subcommand("info", "Print the facts of level files (plain or GSCM)");
  info->add_flag("--json", infoJson, "One JSON array with an object per level");
  info->add_option("FILE", infoFiles, "Level files")->required();
  info->callback([&] { status = runInfo(infoFiles, infoJson); });

  bool checkJson = false;
  std::string checkData;
  std::vector<std::string> checkPaths;
  CLI::App* check = app.add_subcommand("check", "Check level files, style files or data folders as driver loads them");
  check->add_flag("--json", checkJson, "Findings and counts as one JSON object");
  check->add_option("--data", checkData, "Folder holding STYLES/ for level files (default: " + DefaultDataHelp + ")");
  check->add_option("PATH", checkPaths, "Level file, style file, or folder holding LEVELS/ and STYLES/")->required();
  check->callback([&] { status = runCheck(checkPaths, checkData, checkJson); });

  RenderRequest request;
  std::string renderLevel, renderOut;
  CLI::App* render = app.add_subcommand("render", "Draw a whole level into a PNG file, as driver draws it");
  render->add_option("--data", request.dataDir, "Folder holding STYLES/ (default: " + DefaultDataHelp + ")");
  CLI::Option* scale = render->add_option("--scale", request.scale, "Pixels per level pixel")
                           ->check(CLI::Range(1, MaxPictureScale));
  render->add_option("--size", request.box, "Fit the picture into PX x PX pixels")
      ->check(CLI::Range(1, MaxPictureSide))
      ->excludes(scale);
  render->add_option("--frame", request.frame, "Animation frame of the objects")->check(CLI::NonNegativeNumber);
  render->add_flag("--alt", request.altView, "The alternate view: element classes in flat colours");
  render->add_option("LEVEL", renderLevel, "Level file")->required();
  render->add_option("OUT", renderOut, "PNG file to write")->required();
  render->callback([&] { status = runRender(renderLevel, renderOut, request); });

  std::string catalogueData, catalogueOut;
  CLI::App* catalogue = app.add_subcommand("catalogue", "Draw every level of a data folder and list them in OUTDIR/index.html");
  catalogue->add_option("DATA", catalogueData, "Folder holding LEVELS/ and STYLES/")->required();
  catalogue->add_option("OUTDIR", catalogueOut, "Folder for the pictures and index.html")->required();
  catalogue->callback([&] { status = runCatalogue(catalogueData, catalogueOut); });

  std::string gscmIn, gscmOut;
  CLI::App* unpack = app.add_subcommand("unpack", "Write the decompressed bytes of a GSCM file");
  CLI::App* pack = app.add_subcommand("pack", "Compress a file into a GSCM stream that driver reads");
  for (CLI::App* command : {unpack, pack}) {
    command->add_option("IN", gscmIn, "File to read")->required();
    command->add_option("OUT", gscmOut, "File to write")->required();
  }
  unpack->callback([&] { status = runGscm(unpackFile, gscmIn, gscmOut); });
  pack->callback([&] { status = runGscm(packFile, gscmIn, gscmOut); });

  // CLI11 reports usage errors, --help and --version by exception; nothing
  // below this parser throws.
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e) == 0 ? ExitDone : ExitUsage;
  }
  return status;
}
