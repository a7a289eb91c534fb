// The built-in skill list must keep its fixed shape: the form parses it by
// CR LF and the level file receives its codes.

#include <QTest>
#include <set>

#include "skills_core.h"

class SkillListTest : public QObject {
  Q_OBJECT

 private slots:
  void listHas51OrderedLinesWithEveryCodeOnce() {
    const QString text = QString::fromLatin1(SkillListText);
    QCOMPARE(text.size(), 605);
    QVERIFY(text.endsWith("\r\n"));
    QStringList lines = text.split("\r\n");
    QCOMPARE(lines.takeLast(), QString());
    QCOMPARE(lines.size(), 51);

    std::set<int> codes;
    int twoWordNames = 0;
    QString previous;
    for (const QString& line : lines) {
      const QString code = line.left(2);
      QVERIFY2(code == code.toUpper(), qPrintable(line));
      bool ok = false;
      codes.insert(code.toInt(&ok, 16));
      QVERIFY2(ok, qPrintable(line));
      const QString name = line.mid(2);
      QVERIFY2(name.size() >= 5 && name.size() <= 13, qPrintable(line));
      QVERIFY2(previous < name, qPrintable(line));
      if (name.contains(' ')) ++twoWordNames;
      previous = name;
    }
    QCOMPARE(int(codes.size()), 51);
    QCOMPARE(*codes.begin(), 0x01);
    QCOMPARE(*codes.rbegin(), 0x33);
    QCOMPARE(twoWordNames, 12);
  }
};

QTEST_APPLESS_MAIN(SkillListTest)
#include "skill_list_test.moc"
