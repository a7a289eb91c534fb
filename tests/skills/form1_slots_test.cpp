// The slot rules: switching a slot off blanks it but keeps its memory,
// switching it on shows the memory, and while on every pick and every
// keystroke updates the memory.

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include "form1.h"

// Replaces a quantity box's text the way a user does: select all, type.
static void typeQuantity(QLineEdit* box, const QString& keys) {
  box->selectAll();
  QTest::keyClick(box, Qt::Key_Backspace);
  QTest::keyClicks(box, keys);
}

class Form1SlotsTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir;

  static void verifyInactive(Form1& form, int i) {
    QVERIFY(!form.cmbSkill[i]->isEnabled());
    QVERIFY(!form.txtSkill[i]->isEnabled());
    QCOMPARE(form.cmbSkill[i]->currentIndex(), -1);
    QCOMPARE(form.txtSkill[i]->text(), QString());
    QCOMPARE(form.cmbSkill[i]->property("BackColor").toUInt(), ColorInactiveBorder);
    QCOMPARE(form.txtSkill[i]->property("BackColor").toUInt(), ColorInactiveBorder);
  }

 private slots:
  void slotRemembersItsChoiceAcrossOffAndOn() {
    Form1 form(dir.path());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const int startSkill = form.slotSkill[3];

    QTest::mouseClick(form.chkSkill[3], Qt::LeftButton);
    QCOMPARE(form.chkSkill[3]->checkState(), Qt::Checked);
    QCOMPARE(form.cmbSkill[3]->currentIndex(), startSkill);
    QCOMPARE(form.txtSkill[3]->text(), QString("1"));
    QVERIFY(form.cmbSkill[3]->isEnabled() && form.txtSkill[3]->isEnabled());
    QCOMPARE(form.txtSkill[3]->property("BackColor").toUInt(), ColorWindow);

    const int otherSkill = (startSkill + 7) % 51;
    form.cmbSkill[3]->setCurrentIndex(otherSkill);
    QCOMPARE(form.slotSkill[3], otherSkill);
    typeQuantity(form.txtSkill[3], "12");
    QCOMPARE(form.slotQuantity[3], 12);

    QTest::mouseClick(form.chkSkill[3], Qt::LeftButton);
    verifyInactive(form, 3);
    QCOMPARE(form.slotSkill[3], otherSkill);
    QCOMPARE(form.slotQuantity[3], 12);

    QTest::mouseClick(form.chkSkill[3], Qt::LeftButton);
    QCOMPARE(form.cmbSkill[3]->currentIndex(), otherSkill);
    QCOMPARE(form.txtSkill[3]->text(), QString("12"));
  }

  void keyboardPickInTheListUpdatesTheMemory() {
    Form1 form(dir.path());
    form.cmbSkill[0]->setCurrentIndex(0);
    QTest::keyClick(form.cmbSkill[0], Qt::Key_Down);
    QCOMPARE(form.cmbSkill[0]->currentIndex(), 1);
    QCOMPARE(form.slotSkill[0], 1);
  }

  void quantityFollowsEveryKeystroke() {
    Form1 form(dir.path());
    QLineEdit* box = form.txtSkill[0];
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    QCOMPARE(box->text(), QString());
    QCOMPARE(form.slotQuantity[0], 0);  // a deleted quantity counts as 0
    QTest::keyClick(box, Qt::Key_1);
    QCOMPARE(form.slotQuantity[0], 1);
    QTest::keyClick(box, Qt::Key_2);
    QCOMPARE(form.slotQuantity[0], 12);
  }

  void minusSignIsAcceptedAndRemembered() {
    Form1 form(dir.path());
    typeQuantity(form.txtSkill[0], "-57");
    QCOMPARE(form.txtSkill[0]->text(), QString("-5"));
    QCOMPARE(form.slotQuantity[0], -5);
    form.chkSkill[0]->setChecked(false);
    form.chkSkill[0]->setChecked(true);
    QCOMPARE(form.txtSkill[0]->text(), QString("-5"));
  }

  void inactiveSlotIgnoresChangesToItsControls() {
    Form1 form(dir.path());
    const int remembered = form.slotSkill[5];
    form.cmbSkill[5]->setCurrentIndex((remembered + 1) % 51);
    form.txtSkill[5]->setText("33");
    QCOMPARE(form.slotSkill[5], remembered);
    QCOMPARE(form.slotQuantity[5], 1);
  }

  void uncheckingSlotZeroLeavesNoActiveSlot() {
    Form1 form(dir.path());
    const int remembered = form.slotSkill[0];
    form.chkSkill[0]->setChecked(false);
    for (int i = 0; i < 8; ++i) verifyInactive(form, i);
    QCOMPARE(form.slotSkill[0], remembered);
    QCOMPARE(form.slotQuantity[0], 1);
  }

  void slotsAreIndependentAndMayShareASkill() {
    Form1 form(dir.path());
    form.chkSkill[1]->setChecked(true);
    form.cmbSkill[1]->setCurrentIndex(form.slotSkill[0]);
    form.chkSkill[0]->setChecked(false);
    QCOMPARE(form.slotSkill[1], form.slotSkill[0]);
    QCOMPARE(form.cmbSkill[1]->currentIndex(), form.slotSkill[0]);
    QVERIFY(form.cmbSkill[1]->isEnabled());
    QCOMPARE(form.cmbSkill[1]->y(), 40);  // keeps its own row
  }

  void greyedCheckStateCountsAsOn() {
    Form1 form(dir.path());
    form.chkSkill[4]->setTristate(true);
    form.chkSkill[4]->setCheckState(Qt::PartiallyChecked);
    QVERIFY(form.cmbSkill[4]->isEnabled());
    QCOMPARE(form.cmbSkill[4]->currentIndex(), form.slotSkill[4]);
  }
};

QTEST_MAIN(Form1SlotsTest)
#include "form1_slots_test.moc"
