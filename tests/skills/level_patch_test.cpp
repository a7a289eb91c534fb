// The checks that come before Apply patches a file, and the patch's guard.
// The byte map itself is tested through the form's Apply.

#include <QTest>
#include <cstring>

#include "levelfile/data_folder.h"
#include "skills_core.h"

static std::vector<uint8_t> levelImage() {
  std::vector<uint8_t> image(LevelFileSize, 0x11);
  std::memcpy(image.data(), "FORM", 4);
  std::memcpy(image.data() + 8, "QXLV", 4);
  return image;
}

class LevelPatchTest : public QObject {
  Q_OBJECT

 private slots:
  void onlyAnUncompressedLevelImagePasses() {
    QVERIFY(levelImageProblem(levelImage(), "L.DAT").empty());

    std::vector<uint8_t> shorter = levelImage();
    shorter.resize(100);
    const std::string lengthProblem = levelImageProblem(shorter, "L.DAT");
    QVERIFY(lengthProblem.find("100 bytes") != std::string::npos);
    QVERIFY(lengthProblem.find("\"L.DAT\"") != std::string::npos);

    std::vector<uint8_t> longer = levelImage();
    longer.push_back(0);
    QVERIFY(!levelImageProblem(longer, "L.DAT").empty());

    std::vector<uint8_t> compressed = levelImage();
    std::copy(std::begin(GscmMagic), std::end(GscmMagic), compressed.begin());
    compressed.resize(3000);
    QVERIFY(levelImageProblem(compressed, "L.DAT").find("compressed") != std::string::npos);

    std::vector<uint8_t> wrongForm = levelImage();
    std::memcpy(wrongForm.data() + 8, "QXST", 4);
    QVERIFY(levelImageProblem(wrongForm, "L.DAT").find("QXLV") != std::string::npos);

    QVERIFY(!levelImageProblem({}, "L.DAT").empty());
  }

  void patchNeverWritesPastAShortImage() {
    std::vector<uint8_t> tiny(50, 0xAB);
    LevelPatch patch{};
    patch.releaseRate = -1;
    applyLevelPatch(tiny, patch);
    QCOMPARE(tiny, std::vector<uint8_t>(50, 0xAB));
  }
};

QTEST_APPLESS_MAIN(LevelPatchTest)
#include "level_patch_test.moc"
