// Form1 at start-up: controls where the design puts them, the parsed skill
// list in every slot's list, and the slots' first state.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "form1.h"

class Form1Test : public QObject {
  Q_OBJECT

  QTemporaryDir dir;

 private slots:
  void windowHasTitleSizeAndDefaults() {
    Form1 form(dir.path());
    QCOMPARE(form.windowTitle(), QString("Talveny"));
    QCOMPARE(form.size(), QSize(208, 367));  // the design's 335 and the line of Read and the notice
    QCOMPARE(form.txtName->text(), QString("New Level"));
    QCOMPARE(form.txtMin->text(), QString("9"));
    QCOMPARE(form.txtSec->text(), QString("59"));
    QCOMPARE(form.txtRelease->text(), QString("0"));
    QCOMPARE(form.Command1->text(), QString("Apply"));
    QCOMPARE(form.Frame1->title(), QString("Meta Data"));
    QCOMPARE(form.Frame2->title(), QString("Skills"));
    QCOMPARE(form.Label3->text(), QString("Release:"));
  }

  void controlsSitAtTheirDesignPositions() {
    Form1 form(dir.path());
    QCOMPARE(form.Frame1->geometry(), QRect(8, 8, 193, 65));
    QCOMPARE(form.txtName->geometry(), QRect(40, 16, 145, 19));
    QCOMPARE(form.txtSec->geometry(), QRect(56, 40, 25, 19));
    QCOMPARE(form.txtRelease->geometry(), QRect(144, 40, 41, 19));
    QCOMPARE(form.Frame2->geometry(), QRect(8, 80, 193, 217));
    QCOMPARE(form.Command1->geometry(), QRect(144, 304, 57, 25));
    QCOMPARE(form.cmdRead->geometry(), QRect(8, 336, 57, 25));
    QCOMPARE(form.lblNotice->geometry(), QRect(73, 336, 128, 25));
    QCOMPARE(form.lblNotice->text(), QString());
    QCOMPARE(form.txtMin->toolTip(), QString("Minutes"));
    QCOMPARE(form.txtSec->toolTip(), QString("Seconds"));
    for (int i = 0; i < 8; ++i) {
      const int top = 24 * i + 16;
      QCOMPARE(form.chkSkill[i]->geometry(), QRect(8, top, 17, 17));
      QCOMPARE(form.cmbSkill[i]->geometry(), QRect(32, top, 121, 21));
      QCOMPARE(form.txtSkill[i]->geometry(), QRect(160, top, 25, 21));
      QCOMPARE(form.cmbSkill[i]->parentWidget(), form.Frame2);
    }
    QVERIFY(form.Text1->isHidden());
    QVERIFY(form.chkSkill[8]->isHidden() && form.cmbSkill[8]->isHidden() && form.txtSkill[8]->isHidden());
  }

  void textBoxesLimitTheirLength() {
    Form1 form(dir.path());
    QCOMPARE(form.txtName->maxLength(), 20);
    QCOMPARE(form.txtMin->maxLength(), 1);
    QCOMPARE(form.txtSec->maxLength(), 2);
    QCOMPARE(form.txtRelease->maxLength(), 6);
    form.txtSec->clear();
    QTest::keyClicks(form.txtSec, "123");
    QCOMPARE(form.txtSec->text(), QString("12"));
    for (int i = 0; i < 8; ++i) QCOMPARE(form.txtSkill[i]->maxLength(), 2);
  }

  void focusFollowsTheTabIndexes() {
    Form1 form(dir.path());
    QList<QWidget*> chain;
    QWidget* w = form.Command1;
    do {
      if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(&form)) chain.append(w);
      w = w->nextInFocusChain();
    } while (w != form.Command1 && chain.size() < 40);
    QCOMPARE(chain.size(), 5 + 3 * 8 + 1);
    const QList<QWidget*> upper = {form.Command1, form.txtName, form.txtMin, form.txtSec, form.txtRelease};
    QCOMPARE(chain.mid(0, 5), upper);
    QCOMPARE(chain[5], form.txtSkill[0]);
    QCOMPARE(chain[13], form.cmbSkill[0]);
    QCOMPARE(chain[28], form.chkSkill[7]);
    QCOMPARE(chain[29], form.cmdRead);
  }

  void focusedApplyButtonAnswersEnterAndSpace() {
    Form1 form(dir.path());  // no level file here: every press shows the one message
    int presses = 0;
    form.showMessage = [&presses](const QString&, const QString&) { ++presses; };
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(QApplication::focusWidget(), form.Command1);
    QTest::keyClick(form.Command1, Qt::Key_Return);
    QCOMPARE(presses, 1);
    QTest::keyClick(form.Command1, Qt::Key_Enter);
    QCOMPARE(presses, 2);
    QTest::keyClick(form.Command1, Qt::Key_Space);
    QCOMPARE(presses, 3);
  }

  void everyListHoldsTheSkillsInListOrder() {
    Form1 form(dir.path());
    QCOMPARE(form.skillListSize, 51);
    QCOMPARE(form.Text1->text().size(), 605);
    QCOMPARE(form.skillNames.front(), QString("Alchemist"));
    QCOMPARE(form.skillCodes.front(), 0x03);
    QCOMPARE(form.skillNames.back(), QString("Wood Carver"));
    QCOMPARE(form.skillCodes.back(), 0x0A);
    for (int j = 0; j < 8; ++j) {
      QCOMPARE(form.cmbSkill[j]->count(), 51);
      for (int k = 0; k < 51; ++k) QCOMPARE(form.cmbSkill[j]->itemText(k), form.skillNames[size_t(k)]);
    }
  }

  void slotZeroStartsActiveWithARandomSkill() {
    Form1 form(dir.path());
    QCOMPARE(form.chkSkill[0]->checkState(), Qt::Checked);
    QVERIFY(form.cmbSkill[0]->isEnabled() && form.txtSkill[0]->isEnabled());
    QCOMPARE(form.cmbSkill[0]->currentIndex(), form.slotSkill[0]);
    QCOMPARE(form.txtSkill[0]->text(), QString("1"));
    QCOMPARE(form.cmbSkill[0]->property("BackColor").toUInt(), ColorWindow);
    QCOMPARE(form.txtSkill[0]->palette().color(QPalette::Base), systemColor(ColorWindow));
    for (int i = 1; i < 8; ++i) {
      QCOMPARE(form.chkSkill[i]->checkState(), Qt::Unchecked);
      QCOMPARE(form.cmbSkill[i]->currentIndex(), -1);
      QCOMPARE(form.txtSkill[i]->text(), QString());
      QVERIFY(!form.cmbSkill[i]->isEnabled() && !form.txtSkill[i]->isEnabled());
      QCOMPARE(form.txtSkill[i]->property("BackColor").toUInt(), ColorInactiveBorder);
      QCOMPARE(form.cmbSkill[i]->palette().color(QPalette::Disabled, QPalette::Button),
               systemColor(ColorInactiveBorder));
    }
    for (int i = 0; i < 8; ++i) {
      QVERIFY(form.slotSkill[i] >= 0 && form.slotSkill[i] < 51);
      QCOMPARE(form.slotQuantity[i], 1);
    }
    QVERIFY(systemColor(ColorWindow) != systemColor(ColorInactiveBorder));
  }

  void drawsDifferFromStartToStartAndSlotToSlot() {
    QSet<QString> starts;
    bool slotsDiffer = false;
    for (int run = 0; run < 10; ++run) {
      Form1 form(dir.path());
      QStringList draws;
      for (int i = 0; i < 8; ++i) draws << QString::number(form.slotSkill[i]);
      starts.insert(draws.join(','));
      for (int i = 1; i < 8; ++i) slotsDiffer = slotsDiffer || form.slotSkill[i] != form.slotSkill[0];
      QTest::qWait(2);  // a new clock reading for the next seed
    }
    QVERIFY(starts.size() > 1);
    QVERIFY(slotsDiffer);
  }

  void listWithoutFinalSeparatorLosesItsLastEntry() {
    Form1 form(dir.path());
    form.Text1->setText("03Alchemist\r\n28Barber");
    form.InitSkills();
    QCOMPARE(form.skillListSize, 1);
    QCOMPARE(form.skillCodes, std::vector<int32_t>{0x03});
    QCOMPARE(form.skillNames, std::vector<QString>{"Alchemist"});

    form.Text1->setText("1Fkite\r\n");
    form.InitSkills();
    QCOMPARE(form.skillCodes, std::vector<int32_t>{0x1F});
  }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
