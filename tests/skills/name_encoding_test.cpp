// Single-byte codes of the level name's characters.

#include <QTest>

#include "skills_core.h"

class NameEncodingTest : public QObject {
  Q_OBJECT

 private slots:
  void mapsCharactersOfTheWesternCodePage_data() {
    QTest::addColumn<uint>("codePoint");
    QTest::addColumn<int>("byte");
    QTest::newRow("letter") << uint('A') << 0x41;
    QTest::newRow("blank") << uint(' ') << 0x20;
    QTest::newRow("e acute") << 0xE9u << 0xE9;
    QTest::newRow("no-break space") << 0xA0u << 0xA0;
    QTest::newRow("y diaeresis") << 0xFFu << 0xFF;
    QTest::newRow("euro sign") << 0x20ACu << 0x80;
    QTest::newRow("left double quote") << 0x201Cu << 0x93;
    QTest::newRow("capital Y diaeresis") << 0x178u << 0x9F;
    QTest::newRow("undefined byte passes through") << 0x81u << 0x81;
  }

  void mapsCharactersOfTheWesternCodePage() {
    QFETCH(uint, codePoint);
    QFETCH(int, byte);
    uint8_t got = 0;
    QVERIFY(ansiByteOf(codePoint, &got));
    QCOMPARE(int(got), byte);
  }

  void refusesCharactersWithoutACode() {
    uint8_t got = 0x55;
    for (char32_t codePoint : {char32_t(0x80), char32_t(0x100), char32_t(0x4E2D), char32_t(0x1F600)}) {
      QVERIFY(!ansiByteOf(codePoint, &got));
    }
    QCOMPARE(int(got), 0x55);
  }
};

QTEST_APPLESS_MAIN(NameEncodingTest)
#include "name_encoding_test.moc"
