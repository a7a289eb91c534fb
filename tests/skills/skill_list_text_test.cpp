// The hidden list box's text: the form parses it by CR LF and two hex digits,
// so it must be exactly one such line per shared list entry, in list order.

#include <QTest>

#include "levelfile/skill_list.h"
#include "skills_core.h"

class SkillListTextTest : public QObject {
  Q_OBJECT

 private slots:
  void oneCrLfLinePerSkillInListOrder() {
    const QString text = QString::fromStdString(skillListText());
    QCOMPARE(text.size(), 605);
    QStringList lines = text.split("\r\n");
    QCOMPARE(lines.takeLast(), QString());  // the text ends with CR LF
    QCOMPARE(lines.size(), SkillListSize);
    for (int k = 0; k < SkillListSize; ++k) {
      const QString expected = QString::number(SkillList[k].code, 16).toUpper().rightJustified(2, '0') +
                               QString::fromLatin1(SkillList[k].name);
      QCOMPARE(lines[k], expected);
    }
  }
};

QTEST_APPLESS_MAIN(SkillListTextTest)
#include "skill_list_text_test.moc"
