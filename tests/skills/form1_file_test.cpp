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

  static bool says(const QLabel* label, const char* what) {
    const QRegularExpression notice(QString("^%1 at \\d\\d:\\d\\d:\\d\\d$").arg(what));
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
  void theNoticeNamesWhatApplyChanges_data() {
    QTest::addColumn<QByteArray>("name");  // the file's name bytes
    QTest::addColumn<int>("seconds");
    QTest::addColumn<int>("releaseRate");
    QTest::addColumn<int>("firstSlotCount");  // of code 0, which marks the slot empty
    QTest::addColumn<QString>("typed");  // "box=text" typed after Read, or empty
    QTest::addColumn<QString>("afterRead");
    QTest::addColumn<QString>("afterApply");  // what follows "Applied at HH:MM:SS"
    const QByteArray tidy = QByteArray("Tidy").leftJustified(LevelNameSize, ' ');
    using S = QString;
    QTest::newRow("as Apply writes it") << tidy << 30 << 5 << 0 << S() << S() << S();
    QTest::newRow("release rate above 20") << tidy << 30 << 42 << 0 << S()
                                           << S("Apply will write release rate 20 (the file holds 42)")
                                           << S("; release rate 42 written as 20");
    QTest::newRow("seconds above 59") << tidy << 99 << 5 << 0 << S() << S("Apply will write seconds 59 (the file holds 99)")
                                      << S("; seconds 99 written as 59");
    QTest::newRow("zero-padded name")
        << QByteArray("Zero").leftJustified(LevelNameSize, '\0') << 30 << 5 << 0 << S()
        << S("Apply will write name \"Zero\" (the file holds \"Zero\" padded with zeros)") << S();
    QTest::newRow("zero inside the name") << QByteArray("Ze\0ro", 5).leftJustified(LevelNameSize, ' ') << 30 << 5
                                          << 0 << S() << S("Apply will write name \"Ze\" (the file holds \"Ze\\0ro\")")
                                          << S();
    QTest::newRow("an empty slot with a count") << tidy << 30 << 5 << 10 << S()
                                                << S("Apply will write skill slot 1 empty (the file holds 00 x10)") << S();
    QTest::newRow("seconds typed too high") << tidy << 30 << 5 << 0 << S("txtSec=75") << S()
                                            << S("; seconds 75 written as 59");
    QTest::newRow("letters typed for the release rate") << tidy << 30 << 5 << 0 << S("txtRelease=abc") << S()
                                                        << S("; release rate abc written as 0");
  }

  void theNoticeNamesWhatApplyChanges() {
    QFETCH(QByteArray, name);
    QFETCH(int, seconds);
    QFETCH(int, releaseRate);
    QFETCH(int, firstSlotCount);
    QFETCH(QString, typed);
    QFETCH(QString, afterRead);
    QFETCH(QString, afterApply);
    LevelDescription d;
    d.name = name.toStdString();
    d.timeSeconds = seconds;
    d.releaseRate = releaseRate;
    d.skillCount[0] = firstSlotCount;
    writeFileBytes(levelPath(), makeLevelImage(d));
    Form1 form(QString::fromStdString(dir.path));
    form.showMessage = [](const QString&, const QString& text) { QFAIL(qPrintable(text)); };
    form.cmdRead_Click();
    QCOMPARE(form.lblNotice->text(), afterRead);
    if (!typed.isEmpty()) (typed.startsWith("txtSec") ? form.txtSec : form.txtRelease)->setText(typed.section('=', 1));
    form.Command1_Click();
    const QRegularExpression applied("^Applied at \\d\\d:\\d\\d:\\d\\d" + QRegularExpression::escape(afterApply) + "$");
    QVERIFY2(applied.match(form.lblNotice->text()).hasMatch(), qPrintable(form.lblNotice->text()));
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
};

QTEST_MAIN(Form1FileTest)
#include "form1_file_test.moc"
