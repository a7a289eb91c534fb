// Apply on level files in a temporary directory: the bytes it stamps, the
// normalised boxes, the missing-file message and every refusal that leaves
// the file byte for byte.

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include "support/file_size_limit.h"
#include "form1.h"
#include "skills_core.h"

struct Message {
  QString caption;
  QString text;
};

// An uncompressed level image whose bytes all differ from their neighbours.
static QByteArray levelImage() {
  QByteArray image(int(LevelFileSize), '\0');
  for (int k = 0; k < image.size(); ++k) image[k] = char(k * 7 + 3);
  image.replace(0, 4, "FORM");
  image.replace(8, 4, "QXLV");
  return image;
}

static bool isStampedOffset(int k) {
  return (k >= 20 && k < 40) || (k >= 44 && k <= 58 && k % 2 == 0) || (k >= 60 && k < 68) || k == 68 ||
         k == 70 || k == 88 || k == 89;
}

class Form1ApplyTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir;
  QString levelPath;
  std::unique_ptr<Form1> form;
  QList<Message> messages;

  void writeLevel(const QByteArray& bytes) {
    QFile file(levelPath);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
  }

  QByteArray readLevel() const {
    QFile file(levelPath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  uint8_t at(int offset) const { return uint8_t(readLevel().at(offset)); }

  // Apply must refuse with one message, leave the file as it was and leave
  // the number boxes as typed.
  void verifyRefused(const QByteArray& before, const QString& textPart) {
    form->txtSec->setText("75");
    form->Command1_Click();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages[0].caption, QString("Talveny"));
    QVERIFY2(messages[0].text.contains(textPart), qPrintable(messages[0].text));
    QCOMPARE(readLevel(), before);
    QCOMPARE(form->txtSec->text(), QString("75"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"LEVEL___.DAT"});
  }

 private slots:
  void init() {
    levelPath = dir.filePath("LEVEL___.DAT");
    QFile::remove(levelPath);
    writeLevel(levelImage());
    messages.clear();
    form = std::make_unique<Form1>(dir.path());
    form->showMessage = [this](const QString& caption, const QString& text) { messages.append({caption, text}); };
  }

  void defaultsStampOnlyTheirBytes() {
    const QByteArray before = levelImage();
    form->Command1_Click();
    QVERIFY(messages.isEmpty());
    const QByteArray after = readLevel();
    QCOMPARE(after.size(), before.size());
    for (int k = 0; k < after.size(); ++k)
      if (!isStampedOffset(k)) QVERIFY2(after[k] == before[k], qPrintable(QString("byte %1").arg(k)));
    QCOMPARE(after.mid(20, 20), QByteArray("New Level           "));
    QCOMPARE(uint8_t(after[44]), uint8_t(form->skillCodes[size_t(form->slotSkill[0])]));
    QCOMPARE(uint8_t(after[60]), uint8_t(1));
    for (int i = 1; i < 8; ++i) {
      QCOMPARE(uint8_t(after[44 + 2 * i]), uint8_t(0));
      QCOMPARE(uint8_t(after[60 + i]), uint8_t(0));
    }
    QCOMPARE(uint8_t(after[68]), uint8_t(9));
    QCOMPARE(uint8_t(after[70]), uint8_t(59));
    QCOMPARE(after.mid(88, 2), QByteArray("\0\0", 2));
  }

  void nameIsPaddedWithBlanks_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("stored");
    QTest::newRow("two letters") << "Ab" << QByteArray("Ab                  ");
    QTest::newRow("empty") << "" << QByteArray(20, ' ');
    QTest::newRow("full") << "12345678901234567890" << QByteArray("12345678901234567890");
    QTest::newRow("western letter") << QString::fromUtf8("Caf\u00e9") << QByteArray("Caf\xe9                ");
  }

  void nameIsPaddedWithBlanks() {
    QFETCH(QString, name);
    QFETCH(QByteArray, stored);
    form->txtName->setText(name);
    form->Command1_Click();
    QVERIFY(messages.isEmpty());
    QCOMPARE(readLevel().mid(20, 20), stored);
  }

  void timeIsClampedAndShown_data() {
    QTest::addColumn<QString>("minutesText");
    QTest::addColumn<QString>("secondsText");
    QTest::addColumn<int>("minutes");
    QTest::addColumn<int>("seconds");
    QTest::newRow("seconds above 59") << "5" << "75" << 5 << 59;
    QTest::newRow("negative seconds") << "5" << "-3" << 5 << 0;
    QTest::newRow("empty minutes") << "" << "10" << 0 << 10;
    QTest::newRow("minus sign alone") << "-" << "1x" << 0 << 1;
  }

  void timeIsClampedAndShown() {
    QFETCH(QString, minutesText);
    QFETCH(QString, secondsText);
    QFETCH(int, minutes);
    QFETCH(int, seconds);
    form->txtMin->setText(minutesText);
    form->txtSec->setText(secondsText);
    form->Command1_Click();
    QCOMPARE(int(at(68)), minutes);
    QCOMPARE(int(at(70)), seconds);
    QCOMPARE(form->txtMin->text(), QString::number(minutes));
    QCOMPARE(form->txtSec->text(), QString::number(seconds));
  }

  void releaseRateIsClampedAndShown_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("low");
    QTest::addColumn<int>("high");
    QTest::newRow("below range") << "-40000" << "-32768" << 0x00 << 0x80;
    QTest::newRow("above range") << "99" << "20" << 0x14 << 0x00;
    QTest::newRow("minus one") << "-1" << "-1" << 0xFF << 0xFF;
    QTest::newRow("tie down") << "2.5" << "2" << 2 << 0;
    QTest::newRow("tie up") << "3.5" << "4" << 4 << 0;
    QTest::newRow("hexadecimal") << "&H10" << "16" << 16 << 0;
  }

  void releaseRateIsClampedAndShown() {
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(int, low);
    QFETCH(int, high);
    form->txtRelease->setText(typed);
    form->Command1_Click();
    QCOMPARE(int(at(88)), low);
    QCOMPARE(int(at(89)), high);
    QCOMPARE(form->txtRelease->text(), shown);
  }

  void uncheckedSlotBetweenCheckedOnesIsWrittenEmpty() {
    form->chkSkill[2]->setChecked(true);
    form->cmbSkill[2]->setCurrentIndex(50);  // Wood Carver, code 0x0A
    form->txtSkill[2]->setText("7");
    form->txtSkill[1]->setText("9");        // ignored: slot 1 is off
    form->slotQuantity[1] = -5;             // off slots are written as 0 whatever they remember
    form->Command1_Click();
    QVERIFY(messages.isEmpty());
    QCOMPARE(int(at(46)), 0);
    QCOMPARE(int(at(61)), 0);
    QCOMPARE(int(at(48)), 0x0A);
    QCOMPARE(int(at(62)), 7);
    QVERIFY(at(44) != 0);
  }

  void checkedSlotMayHoldQuantityZero() {
    form->txtSkill[0]->setText(".5");
    form->Command1_Click();
    QVERIFY(messages.isEmpty());
    QCOMPARE(int(at(60)), 0);
    QVERIFY(at(44) != 0);
  }

  void missingFileShowsTheOneMessageAndChangesNothing() {
    QVERIFY(QFile::remove(levelPath));
    form->txtSec->setText("75");
    form->txtRelease->setText("99");
    form->Command1_Click();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages[0].caption, QString("Talveny"));
    QCOMPARE(messages[0].text, QString("\"LEVEL___.DAT\" not in present directory."));
    QCOMPARE(messages[0].text.size(), 40);
    QCOMPARE(form->txtSec->text(), QString("75"));
    QCOMPARE(form->txtRelease->text(), QString("99"));
    QVERIFY(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
  }

  void directoryOfTheFilesNameCountsAsMissing() {
    QVERIFY(QFile::remove(levelPath));
    QVERIFY(QDir(dir.path()).mkdir("LEVEL___.DAT"));
    form->Command1_Click();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages[0].text, QString("\"LEVEL___.DAT\" not in present directory."));
    QVERIFY(QDir(dir.path()).rmdir("LEVEL___.DAT"));
  }

  void fileOfAnotherLengthIsRefused() {
    const QByteArray shortFile = levelImage().left(100);
    writeLevel(shortFile);
    verifyRefused(shortFile, "100 bytes");
  }

  void checkedQuantityMustFitAByte_data() {
    QTest::addColumn<int>("quantity");
    QTest::addColumn<bool>("written");
    QTest::newRow("negative") << -5 << false;
    QTest::newRow("largest byte") << 255 << true;
    QTest::newRow("past a byte") << 256 << false;
  }

  void checkedQuantityMustFitAByte() {
    QFETCH(int, quantity);
    QFETCH(bool, written);
    form->chkSkill[3]->setChecked(true);
    form->slotQuantity[3] = quantity;  // what the box cannot take by typing may come from the file
    if (written) {
      form->Command1_Click();
      QVERIFY(messages.isEmpty());
      QCOMPARE(int(at(LevelSkillCountOffset + 3)), quantity);
      return;
    }
    verifyRefused(levelImage(), "Skill slot 4");
    QVERIFY(messages[0].text.contains(QString::number(quantity)));
    QVERIFY(messages[0].text.contains(form->skillNames[size_t(form->slotSkill[3])]));
  }

  void nameCharacterWithoutSingleByteCodeIsRefused() {
    form->txtName->setText(QString::fromUtf8("Level \u4e2d"));
    verifyRefused(levelImage(), "U+4E2D");
  }

  void failedWriteIsReportedAndLeavesTheFile() {
    {
      FileSizeLimit limit(100);
      QVERIFY(limit.active);
      form->Command1_Click();
    }
    QCOMPARE(messages.size(), 1);
    QVERIFY2(messages[0].text.contains("File too large"), qPrintable(messages[0].text));
    QCOMPARE(readLevel(), levelImage());
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"LEVEL___.DAT"});
  }

  void repeatedApplyKeepsOtherProgramsEdits() {
    form->Command1_Click();
    QByteArray edited = readLevel();
    edited[5000] = char(0x5A);  // the editor saved a change in between
    writeLevel(edited);
    form->txtName->setText("Second");
    form->Command1_Click();
    const QByteArray after = readLevel();
    QCOMPARE(uint8_t(after[5000]), uint8_t(0x5A));
    QCOMPARE(after.mid(20, 6), QByteArray("Second"));
  }
};

QTEST_MAIN(Form1ApplyTest)
#include "form1_apply_test.moc"
