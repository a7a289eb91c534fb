// Read: the form shows what LEVEL___.DAT holds through the slot rules, and an
// Apply right after it leaves the file byte for byte. (F5 is pressed end to
// end; a refused file gives Apply's messages, ending in "Nothing was read.")

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <memory>

#include "form1.h"
#include "support/files.h"
#include "support/level_fixtures.h"

using Bytes = std::vector<uint8_t>;
Q_DECLARE_METATYPE(Bytes)

struct SlotContent {
  int code;
  int count;
};

// A level file from the project's writer; the name padded with blanks, as Apply pads it.
static Bytes levelFile(const std::string& name, int minutes, int seconds, int releaseRate,
                       const SlotContent (&content)[LevelSkillSlots]) {
  LevelDescription d;
  d.name = name + std::string(LevelNameSize - name.size(), ' ');
  d.timeMinutes = minutes;
  d.timeSeconds = seconds;
  d.releaseRate = releaseRate;
  for (int i = 0; i < LevelSkillSlots; ++i) {
    d.skillCode[i] = content[i].code;
    d.skillCount[i] = content[i].count;
  }
  return makeLevelImage(d);
}

// An unknown code (0x7F); quantities 200 and 0; an unchecked slot between
// checked ones; skill 0x1F in two slots.
static Bytes mixedFile() {
  return levelFile("Read Me", 7, 45, -3,
                   {{0x1F, 3}, {0x7F, 9}, {0, 0}, {0x1F, 200}, {0x03, 0}, {0, 0}, {0, 0}, {0x33, 255}});
}

class Form1ReadTest : public QObject {
  Q_OBJECT

  TempDir dir;
  QStringList messages;

  std::unique_ptr<Form1> formOver(const Bytes& file) {
    writeFileBytes(dir.file("LEVEL___.DAT"), file);
    auto form = std::make_unique<Form1>(QString::fromStdString(dir.path));
    form->showMessage = [this](const QString&, const QString& text) { messages << text; };
    return form;
  }

 private slots:
  void init() { messages.clear(); }

  void readThenApplyLeavesTheFile_data() {
    QTest::addColumn<Bytes>("file");
    QTest::newRow("mixed slots") << mixedFile();
    QTest::newRow("no skills, western name, lowest rate") << levelFile("Caf\xE9 au lait", 0, 0, -32768, {});
    QTest::newRow("full name, highest rate, unknown codes")
        << levelFile("12345678901234567890ABCD", 9, 59, 20,
                     {{0xFF, 1}, {0x34, 2}, {0x01, 99}, {0x80, 100}, {0x33, 1}, {0x0A, 2}, {0x02, 3},
                      {0x7F, 4}});
  }

  void readThenApplyLeavesTheFile() {
    QFETCH(Bytes, file);
    QCOMPARE(file.size(), LevelFileSize);
    auto form = formOver(file);
    form->cmdRead_Click();
    form->Command1_Click();
    QCOMPARE(messages, QStringList());
    QVERIFY(readFileBytes(dir.file("LEVEL___.DAT")) == file);
  }

  void readShowsTheFileAndTheSlotRulesHold() {
    auto form = formOver(mixedFile());
    const int slotTwoMemory = form->slotSkill[2];
    form->cmdRead_Click();
    form->cmdRead_Click();  // a second Read adds no second extra entry
    QCOMPARE(form->txtName->text(), QString("Read Me"));
    QCOMPARE(form->txtRelease->text(), QString("-3"));
    QCOMPARE(form->cmbSkill[1]->count(), form->skillListSize + 1);
    QCOMPARE(form->cmbSkill[0]->currentIndex(), form->cmbSkill[3]->currentIndex());
    QVERIFY(!form->cmbSkill[2]->isEnabled());
    QCOMPARE(form->slotSkill[2], slotTwoMemory);

    for (int i : {1, 3}) {  // the memory survives switching off and on
      form->chkSkill[i]->setChecked(false);
      form->chkSkill[i]->setChecked(true);
    }
    QCOMPARE(form->cmbSkill[1]->currentText(), QString("0x7F"));
    QCOMPARE(form->txtSkill[3]->text(), QString("200"));
    form->txtSkill[3]->selectAll();
    QTest::keyClicks(form->txtSkill[3], "123");  // typing keeps its two characters
    QCOMPARE(form->slotQuantity[3], 12);
  }

  void aMissingOrRefusedFileLeavesTheForm() {
    auto form = formOver(Bytes(100, 'x'));
    const int slotZeroSkill = form->slotSkill[0];
    form->cmdRead_Click();
    QVERIFY(std::remove(dir.file("LEVEL___.DAT").c_str()) == 0);
    form->cmdRead_Click();
    QCOMPARE(messages.size(), 2);
    QVERIFY2(messages[0].endsWith("bytes long, not 8648: it is not an uncompressed level file. Nothing was read."),
             qPrintable(messages[0]));
    QCOMPARE(messages[1], QString("\"LEVEL___.DAT\" not in present directory."));
    QCOMPARE(form->txtName->text(), QString("New Level"));
    QCOMPARE(form->chkSkill[0]->checkState(), Qt::Checked);
    QCOMPARE(form->slotSkill[0], slotZeroSkill);
  }
};

QTEST_MAIN(Form1ReadTest)
#include "form1_read_test.moc"
