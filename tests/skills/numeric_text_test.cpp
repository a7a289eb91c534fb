// The lenient number reader behind every number box.

#include <QTest>
#include <cmath>
#include <limits>

#include "skills_core.h"

class NumericTextTest : public QObject {
  Q_OBJECT

 private slots:
  void integerOfTextReadsTheLeadingNumber_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");
    QTest::newRow("plain") << "42" << 42;
    QTest::newRow("tie rounds down to even") << "2.5" << 2;
    QTest::newRow("tie rounds up to even") << "3.5" << 4;
    QTest::newRow("negative tie to even") << "-2.5" << -2;
    QTest::newRow("not a tie") << "2.51" << 3;
    QTest::newRow("leading point") << ".5" << 0;
    QTest::newRow("point then digit") << ".6" << 1;
    QTest::newRow("hexadecimal") << "&H10" << 16;
    QTest::newRow("hexadecimal lower case") << "&hff" << 255;
    QTest::newRow("hex stops at non-hex") << "&H1G" << 1;
    QTest::newRow("hex without digits") << "&H" << 0;
    QTest::newRow("blanks inside digits") << " 1 2" << 12;
    QTest::newRow("tabs and line feeds") << "\t1\n2" << 12;
    QTest::newRow("blank after sign") << "- 5" << -5;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("sign alone") << "-" << 0;
    QTest::newRow("letters") << "abc" << 0;
    QTest::newRow("stops at letter") << "12abc" << 12;
    QTest::newRow("plus sign") << "+7" << 7;
    QTest::newRow("double sign") << "--5" << 0;
    QTest::newRow("exponent") << "1e3" << 1000;
    QTest::newRow("exponent with sign") << "15E-1" << 2;
    QTest::newRow("exponent letter alone") << "7e" << 7;
    QTest::newRow("exponent sign alone") << "7e+" << 7;
    QTest::newRow("second point stops") << "1.5.5" << 2;
    QTest::newRow("comma stops") << "1,5" << 1;
    QTest::newRow("carriage return stops") << "1\r2" << 1;
    QTest::newRow("huge saturates") << "9e999" << std::numeric_limits<int32_t>::max();
    QTest::newRow("huge negative saturates") << "-9e999" << std::numeric_limits<int32_t>::min();
    QTest::newRow("just above int range") << "2147483648" << std::numeric_limits<int32_t>::max();
    QTest::newRow("long hex saturates") << "&HFFFFFFFFFFFF" << std::numeric_limits<int32_t>::max();
    QTest::newRow("tiny is zero") << "1e-999" << 0;
    QTest::newRow("huge exponent digits") << "1e99999999999999999999" << std::numeric_limits<int32_t>::max();
  }

  void integerOfTextReadsTheLeadingNumber() {
    QFETCH(QString, text);
    QFETCH(int, expected);
    QCOMPARE(integerOfText(text.toStdString()), expected);
  }

  void numberOfTextKeepsFractionsAndSignOfInfinity() {
    QCOMPARE(numberOfText("0.25"), 0.25);
    QCOMPARE(numberOfText(" - 1 . 5 e 1"), -15.0);
    QVERIFY(std::isinf(numberOfText("9e999")) && numberOfText("9e999") > 0);
    QVERIFY(std::isinf(numberOfText("-9e999")) && numberOfText("-9e999") < 0);
  }
};

QTEST_APPLESS_MAIN(NumericTextTest)
#include "numeric_text_test.moc"
