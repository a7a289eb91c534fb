// The byte map of Apply over an uncompressed level file, the file checks
// that come before it, and the clamps of the number boxes.

#include <QTest>
#include <cstring>

#include "skills_core.h"

// A level image whose every byte differs from its neighbours, so a stray
// write anywhere shows.
static std::vector<uint8_t> patternedImage() {
  std::vector<uint8_t> image(LevelImageSize);
  for (size_t k = 0; k < image.size(); ++k) image[k] = static_cast<uint8_t>(k * 7 + 3);
  std::memcpy(image.data(), "FORM", 4);
  std::memcpy(image.data() + 8, "QXLV", 4);
  return image;
}

static LevelPatch samplePatch() {
  LevelPatch patch{};
  std::memcpy(patch.name, "Hi                  ", LevelNameBytes);
  for (int i = 0; i < SkillSlots; ++i) {
    patch.skillCode[i] = static_cast<uint8_t>(0x10 + i);
    patch.quantity[i] = static_cast<uint8_t>(i * 30);
  }
  patch.minutes = 4;
  patch.seconds = 33;
  patch.releaseRate = -1;
  return patch;
}

class LevelPatchTest : public QObject {
  Q_OBJECT

 private slots:
  void patchWritesOnlyTheFormsBytes() {
    const std::vector<uint8_t> before = patternedImage();
    std::vector<uint8_t> image = before;
    applyLevelPatch(image, samplePatch());
    QCOMPARE(image.size(), LevelImageSize);

    std::vector<bool> owned(LevelImageSize, false);
    for (size_t k = 20; k < 40; ++k) owned[k] = true;
    for (int i = 0; i < SkillSlots; ++i) owned[44 + 2 * i] = owned[60 + i] = true;
    owned[68] = owned[70] = owned[88] = owned[89] = true;
    for (size_t k = 0; k < LevelImageSize; ++k)
      if (!owned[k]) QVERIFY2(image[k] == before[k], qPrintable(QString("byte %1 changed").arg(k)));

    QCOMPARE(std::memcmp(image.data() + 20, "Hi                  ", 20), 0);
    QCOMPARE(image[44], uint8_t(0x10));
    QCOMPARE(image[58], uint8_t(0x17));
    QCOMPARE(image[60], uint8_t(0));
    QCOMPARE(image[67], uint8_t(210));
    QCOMPARE(image[68], uint8_t(4));
    QCOMPARE(image[70], uint8_t(33));
    QCOMPARE(image[88], uint8_t(0xFF));
    QCOMPARE(image[89], uint8_t(0xFF));
  }

  void releaseRateIsLittleEndianTwosComplement_data() {
    QTest::addColumn<int>("release");
    QTest::addColumn<int>("low");
    QTest::addColumn<int>("high");
    QTest::newRow("lowest") << -32768 << 0x00 << 0x80;
    QTest::newRow("highest") << 20 << 0x14 << 0x00;
    QTest::newRow("minus one") << -1 << 0xFF << 0xFF;
    QTest::newRow("minus 300") << -300 << 0xD4 << 0xFE;
  }

  void releaseRateIsLittleEndianTwosComplement() {
    QFETCH(int, release);
    QFETCH(int, low);
    QFETCH(int, high);
    std::vector<uint8_t> image = patternedImage();
    LevelPatch patch = samplePatch();
    patch.releaseRate = static_cast<int16_t>(release);
    applyLevelPatch(image, patch);
    QCOMPARE(int(image[88]), low);
    QCOMPARE(int(image[89]), high);
  }

  void clampsBoundTheBoxes() {
    QCOMPARE(clampSeconds(75), 59);
    QCOMPARE(clampSeconds(-3), 0);
    QCOMPARE(clampSeconds(59), 59);
    QCOMPARE(clampMinutes(-1), 0);
    QCOMPARE(clampMinutes(9), 9);
    QCOMPARE(clampRelease(-40000), -32768);
    QCOMPARE(clampRelease(99), 20);
    QCOMPARE(clampRelease(-1), -1);
  }

  void onlyAnUncompressedLevelImagePasses() {
    QVERIFY(levelImageProblem(patternedImage(), "L.DAT").empty());

    std::vector<uint8_t> shorter = patternedImage();
    shorter.resize(100);
    const std::string lengthProblem = levelImageProblem(shorter, "L.DAT");
    QVERIFY(lengthProblem.find("100 bytes") != std::string::npos);
    QVERIFY(lengthProblem.find("\"L.DAT\"") != std::string::npos);

    std::vector<uint8_t> longer = patternedImage();
    longer.push_back(0);
    QVERIFY(!levelImageProblem(longer, "L.DAT").empty());

    std::vector<uint8_t> compressed = patternedImage();
    std::memcpy(compressed.data(), "GSCM", 4);
    compressed.resize(3000);
    QVERIFY(levelImageProblem(compressed, "L.DAT").find("compressed") != std::string::npos);

    std::vector<uint8_t> wrongForm = patternedImage();
    std::memcpy(wrongForm.data() + 8, "QXST", 4);
    QVERIFY(levelImageProblem(wrongForm, "L.DAT").find("QXLV") != std::string::npos);

    QVERIFY(!levelImageProblem({}, "L.DAT").empty());
  }

  void patchNeverWritesPastAShortImage() {
    std::vector<uint8_t> tiny(50, 0xAB);
    applyLevelPatch(tiny, samplePatch());
    QCOMPARE(tiny, std::vector<uint8_t>(50, 0xAB));
  }
};

QTEST_APPLESS_MAIN(LevelPatchTest)
#include "level_patch_test.moc"
