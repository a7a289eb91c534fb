// levelkit render and catalogue: picture sizes and scaling, the picture
// against driver's own frame of the same level, and the catalogue page.
#include <gtest/gtest.h>
#include <GL/gl.h>

#include <cstring>
#include <filesystem>
#include <regex>

#include "app/level_load.h"
#include "data/level_source.h"
#include "edit/panel_input.h"
#include "platform/window.h"
#include "render/scene.h"
#include "render/textures.h"
#include "run_levelkit.h"
#include "state/editor_state.h"
#include "headless/headless_gl.h"
#include "support/skips.h"
#include "support/level_fixtures.h"

namespace {

const unsigned char* pixelAt(const Rgb8Image& image, int x, int y) {
  return image.rgb.data() + (static_cast<size_t>(y) * image.width + x) * 3;
}

// Level 0 of the demo set is wider than levelkit's drawing tile, so its
// pictures are put together from several.
constexpr int WideLevel = 0;
constexpr int AnimatedLevel = 13;

}  // namespace

TEST(LevelkitRender, WholeZoomsRepeatEachLevelPixelAndSizeFitsTheBox) {
  SKIP_WITHOUT_DEMO_DATA();
  DemoDataCopy data;
  Level level;
  ASSERT_EQ(loadLevel(data.level(WideLevel).c_str(), &level), 0);
  ASSERT_EQ(runLevelkit({"render", data.level(WideLevel), data.dir.file("x1.png")}).exitCode, 0);
  ASSERT_EQ(runLevelkit({"render", "--scale", "3", data.level(WideLevel), data.dir.file("x3.png")}).exitCode, 0);
  const Rgb8Image x1 = readPng(data.dir.file("x1.png")), x3 = readPng(data.dir.file("x3.png"));
  ASSERT_EQ(x1.width, level.width * 16);
  ASSERT_EQ(x1.height, level.height * 8);
  ASSERT_EQ(x3.width, 3 * x1.width);
  ASSERT_EQ(x3.height, 3 * x1.height);
  int mismatches = 0;
  for (int y = 0; y < x3.height; ++y)
    for (int x = 0; x < x3.width; ++x)
      mismatches += std::memcmp(pixelAt(x3, x, y), pixelAt(x1, x / 3, y / 3), 3) != 0;
  EXPECT_EQ(mismatches, 0);

  ASSERT_EQ(runLevelkit({"render", "--size", "300", data.level(WideLevel), data.dir.file("fit.png")}).exitCode, 0);
  const Rgb8Image fit = readPng(data.dir.file("fit.png"));
  EXPECT_EQ(fit.width, 300);
  EXPECT_NEAR(fit.height, 300.0 * x1.height / x1.width, 1.0);
  // A box between zooms 3 and 4 takes zoom 3 whole, not a shrunk zoom 4.
  const std::string box = std::to_string(3 * x1.width + x1.width / 2);
  ASSERT_EQ(runLevelkit({"render", "--size", box, data.level(WideLevel), data.dir.file("x3fit.png")}).exitCode, 0);
  const Rgb8Image x3fit = readPng(data.dir.file("x3fit.png"));
  EXPECT_EQ(x3fit.width, x3.width);
  EXPECT_TRUE(x3fit.rgb == x3.rgb);

  const RunResult missing = runLevelkit({"render", data.level(WideLevel) + ".gone", data.dir.file("no.png")});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_EQ(missing.err, data.level(WideLevel) + ".gone: error: No such file or directory\n");
}

// driver's frame: its own level load, then the scene as a frame draws it in a
// client area that holds the whole level clear of the item bar. The editor's
// dashed level edges fall on some of the level's outermost pixels, so that
// ring is left out of the comparison.
TEST(LevelkitRender, PictureEqualsTheLevelInDriversFrameAtZoomOne) {
  SKIP_WITHOUT_DEMO_DATA();
  DemoDataCopy data;
  const uint32_t frame = 5;
  ASSERT_EQ(runLevelkit({"render", "--frame", std::to_string(frame), data.level(AnimatedLevel),
                         data.dir.file("level.png")})
                .exitCode,
            0);
  const Rgb8Image picture = readPng(data.dir.file("level.png"));
  ASSERT_FALSE(picture.rgb.empty());

  const InDir inData(data.dir.path);
  AppWindow window{};
  window.width = picture.width + 64;
  window.height = picture.height + 400;
  HeadlessGl gl(window.width, window.height);
  SKIP_WITHOUT_GL(gl);
  resetEditorState();
  editor.quadList = buildQuadList();
  editor.levelNumber = AnimatedLevel;
  ASSERT_EQ(loadCurrentLevel(), 0);
  editor.window = &window;
  layoutPanels();
  editor.animFrame = static_cast<int>(frame % static_cast<uint32_t>(editor.animPeriod));
  gl.setPixelProjection();
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  drawScene();
  const std::vector<Rgba> shown = gl.readFrame();
  ASSERT_EQ(picture.width, currentLevel.width * 16);
  int mismatches = 0;
  for (int y = 1; y + 1 < picture.height; ++y)
    for (int x = 1; x + 1 < picture.width; ++x) {
      const Rgba c = shown[static_cast<size_t>(editor.originY + y) * window.width + editor.originX + x];
      const unsigned char* p = pixelAt(picture, x, y);
      mismatches += c.r != p[0] || c.g != p[1] || c.b != p[2];
    }
  EXPECT_EQ(mismatches, 0);
  freeCurrentLevel();
  glDeleteLists(editor.quadList, 1);
  resetEditorState();
}

TEST(LevelkitCatalogue, PageListsEveryLevelWithItsPictureAndFindings) {
  SKIP_WITHOUT_DEMO_DATA();
  DemoDataCopy data;
  writeFileBytes(data.level(3), {'j', 'u', 'n', 'k'});
  LevelDescription named;
  named.name = "<b>Tom & 'Jerry'</b>";
  named.style = 0;
  named.cells = {{0, 0, 1}};
  writeFileBytes(data.level(4), makeLevelImage(named));
  const std::string out = data.dir.file("out");
  const InDir inData(data.dir.path);  // "." is headed with the folder's own name
  const RunResult r = runLevelkit({"catalogue", ".", out});
  ASSERT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.err, "");  // no progress counts where no terminal watches
  const std::vector<uint8_t> bytes = readFileBytes(out + "/index.html");
  const std::string page(bytes.begin(), bytes.end());
  EXPECT_NE(page.find("<title>Levels of " + std::filesystem::path(data.dir.path).filename().string() + "</title>"),
            std::string::npos);

  for (int n = 0; n < LevelCount; ++n) {
    Level level;
    if (loadLevel(data.level(n).c_str(), &level) != 0) continue;
    const std::string row = "<tr id=\"level" + std::string(n < 10 ? "00" : n < 100 ? "0" : "") + std::to_string(n);
    EXPECT_NE(page.find(row), std::string::npos) << n;
    if (n != 4) {
      EXPECT_NE(page.find(">" + std::string(level.name) + "<"), std::string::npos) << level.name;
    }
  }
  EXPECT_NE(page.find("&lt;b&gt;Tom &amp; &#39;Jerry&#39;&lt;/b&gt;"), std::string::npos);
  EXPECT_EQ(page.find("<b>Tom"), std::string::npos);
  EXPECT_NE(page.find("error: not a level file (no FORM or GSCM header)"), std::string::npos);

  const std::regex source("src=\"([^\"]+)\"");
  int pictures = 0;
  for (std::sregex_iterator m(page.begin(), page.end(), source), end; m != end; ++m, ++pictures)
    EXPECT_FALSE(readPng(out + "/" + (*m)[1].str()).rgb.empty()) << (*m)[1];
  EXPECT_EQ(pictures, 119);
}
