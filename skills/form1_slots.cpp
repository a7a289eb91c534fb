// The slot rules. The step order of chkSkill_Click is what keeps a slot's
// memory: switching off disables the controls before clearing them, and
// switching on fills them while still disabled, so the handlers that the
// clearing and filling trigger at once see a disabled control and leave
// slotSkill and slotQuantity alone.

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include "form1.h"
#include "skills_core.h"

void Form1::chkSkill_Click(int i) {
  if (chkSkill[i]->checkState() == Qt::Unchecked) {
    cmbSkill[i]->setEnabled(false);
    txtSkill[i]->setEnabled(false);
    cmbSkill[i]->setCurrentIndex(-1);
    setBackColor(cmbSkill[i], ColorInactiveBorder);
    showWhole(txtSkill[i], QString());
    setBackColor(txtSkill[i], ColorInactiveBorder);
  } else {
    cmbSkill[i]->setCurrentIndex(slotSkill[i]);
    setBackColor(cmbSkill[i], ColorWindow);
    showWhole(txtSkill[i], QString::number(slotQuantity[i]));  // 100..255 from the file too
    setBackColor(txtSkill[i], ColorWindow);
    cmbSkill[i]->setEnabled(true);
    txtSkill[i]->setEnabled(true);
  }
}

void Form1::cmbSkill_Click(int i) {
  // An enabled pick-only list always has a selection; the guard keeps the
  // memory a valid list index whatever happens.
  if (cmbSkill[i]->isEnabled() && cmbSkill[i]->currentIndex() >= 0) slotSkill[i] = cmbSkill[i]->currentIndex();
}

void Form1::txtSkill_Change(int i) {
  if (txtSkill[i]->isEnabled()) slotQuantity[i] = integerOfText(txtSkill[i]->text().toStdString());
}
