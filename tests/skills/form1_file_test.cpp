// The notice: a change of LEVEL___.DAT on disk is noticed with its time but
// fills nothing in; a successful Apply says so and is not taken for a change.

#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>
#include <cstdio>

#include "form1.h"
#include "support/files.h"
#include "support/level_fixtures.h"

class Form1FileTest : public QObject {
  Q_OBJECT

  TempDir dir;

  std::string levelPath() const { return dir.file("LEVEL___.DAT"); }

  static bool says(const QLabel* label, const char* what, const QString& then = "") {
    const QRegularExpression notice(
        QString("^%1 at \\d\\d:\\d\\d:\\d\\d%2$").arg(what, QRegularExpression::escape(then)));
    return notice.match(label->text()).hasMatch();
  }

 private slots:
  void init() { std::remove(levelPath().c_str()); }

  void aSaveByRenameIsNoticedAndFillsNothing_data() {
    QTest::addColumn<bool>("fileAtStart");
    QTest::newRow("replaced") << true;
    QTest::newRow("created") << false;
  }

  void aSaveByRenameIsNoticedAndFillsNothing() {
    QFETCH(bool, fileAtStart);
    if (fileAtStart) writeFileBytes(levelPath(), makeLevelImage({}));
    Form1 form(QString::fromStdString(dir.path));
    const std::string temporary = dir.file("LEVEL___.DAT.new");  // as the editor saves
    writeFileBytes(temporary, makeLevelImage({}));
    QCOMPARE(std::rename(temporary.c_str(), levelPath().c_str()), 0);
    QTRY_VERIFY2(says(form.lblNotice, "File changed"), qPrintable(form.lblNotice->text()));
    QCOMPARE(form.txtName->text(), QString("New Level"));

    form.lblNotice->clear();  // the renamed file is watched too: a change written in place shows
    LevelDescription changed;
    changed.name = "In Place";
    writeFileBytes(levelPath(), makeLevelImage(changed));
    QTRY_VERIFY2(says(form.lblNotice, "File changed"), qPrintable(form.lblNotice->text()));
  }

  // Read says what Apply's rules will write differently from the file; Apply
  // says what it wrote differently from what the boxes held.
  void theNoticeNamesWhatApplyChanges() {
    struct Row {
      std::string name;  // padded with blanks
      int seconds, releaseRate, firstSlotCount;  // slot 1 holds code 0, which marks it empty
      QString typedRelease, afterRead, afterApply;  // afterApply: what follows "Applied at HH:MM:SS"
    };
    const Row rows[] = {
        {"Tidy", 30, 5, 0, "", "", ""},
        {"Tidy", 30, 42, 0, "", "Apply will write release rate 20 (the file holds 42)",
         "; release rate 42 written as 20"},
        {"Tidy", 99, 5, 0, "", "Apply will write seconds 59 (the file holds 99)", "; seconds 99 written as 59"},
        {std::string("Zero\0", 5), 30, 5, 0, "",
         "Apply will write name \"Zero\" (the file holds \"Zero\" padded with zeros)", ""},
        {"Tidy", 30, 5, 10, "", "Apply will write skill slot 1 empty (the file holds 00 x10)", ""},
        {"Tidy", 30, 5, 0, "abc", "", "; release rate abc written as 0"},
    };
    for (const Row& row : rows) {
      LevelDescription d;
      d.name = row.name + std::string(LevelNameSize - row.name.size(), ' ');
      d.timeSeconds = row.seconds;
      d.releaseRate = row.releaseRate;
      d.skillCount[0] = row.firstSlotCount;
      writeFileBytes(levelPath(), makeLevelImage(d));
      Form1 form(QString::fromStdString(dir.path));
      form.showMessage = [](const QString&, const QString& text) { QFAIL(qPrintable(text)); };
      form.cmdRead_Click();
      QCOMPARE(form.lblNotice->text(), row.afterRead);
      if (!row.typedRelease.isEmpty()) form.txtRelease->setText(row.typedRelease);
      form.Command1_Click();
      QVERIFY2(says(form.lblNotice, "Applied", row.afterApply), qPrintable(form.lblNotice->text()));
    }
  }

  void applySaysItWorkedAndIsNoChange() {
    writeFileBytes(levelPath(), makeLevelImage({}));
    Form1 form(QString::fromStdString(dir.path));
    form.showMessage = [](const QString&, const QString& text) { QFAIL(qPrintable(text)); };
    form.Command1_Click();
    QVERIFY2(says(form.lblNotice, "Applied"), qPrintable(form.lblNotice->text()));
    form.watchLevel_Change();  // what the watcher runs once the form's own write reaches it
    QVERIFY2(says(form.lblNotice, "Applied"), qPrintable(form.lblNotice->text()));
  }

  // A file named on the command line: the notice's tooltip names it in full
  // whatever happened last, its messages name it, and only its changes count.
  void aNamedFileIsTheOneNamedWatchedAndApplied() {
    const std::string named = dir.file("pack one.dat");
    const QString fullPath = QString::fromStdString(named);
    Form1 form(QString::fromStdString(dir.path), "pack one.dat");
    QCOMPARE(form.lblNotice->toolTip(), fullPath);
    QString told;
    form.showMessage = [&told](const QString&, const QString& text) { told = text; };
    form.Command1_Click();
    QCOMPARE(told, QString("\"pack one.dat\" not in present directory."));

    writeFileBytes(named, makeLevelImage({}));
    form.Command1_Click();
    QVERIFY2(says(form.lblNotice, "Applied"), qPrintable(form.lblNotice->text()));
    QCOMPARE(form.lblNotice->toolTip(), fullPath);
    writeFileBytes(levelPath(), makeLevelImage({}));  // the other file beside it
    form.watchLevel_Change();
    QVERIFY2(says(form.lblNotice, "Applied"), qPrintable(form.lblNotice->text()));
    const std::string temporary = named + ".new";
    writeFileBytes(temporary, makeLevelImage({}));
    QCOMPARE(std::rename(temporary.c_str(), named.c_str()), 0);
    QTRY_VERIFY2(says(form.lblNotice, "File changed"), qPrintable(form.lblNotice->text()));
    QVERIFY2(form.lblNotice->toolTip().startsWith(fullPath + "\n\"pack one.dat\" changed on disk at "),
             qPrintable(form.lblNotice->toolTip()));
  }
};

QTEST_MAIN(Form1FileTest)
#include "form1_file_test.moc"
