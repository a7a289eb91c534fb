// Read: fill the form from LEVEL___.DAT. The slots are filled through the
// slot rules in start-up's order, so they hold afterwards: each slot is
// switched off first (its memory kept), its list is prepared while disabled,
// its memory set, and only then is its check box set, whose handler shows the
// memory.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>

#include "form1.h"
#include "levelfile/cp1252.h"

// The name as the file holds it: up to its first zero, without trailing blanks.
static QString nameOfBytes(const uint8_t bytes[LevelNameStampSize]) {
  QString name = QString::fromStdString(cp1252ToUtf8(bytes, LevelNameStampSize));
  while (name.endsWith(' ')) name.chop(1);
  return name;
}

static const QString ApplyWillWrite = QStringLiteral("Apply will write ");

void Form1::readSlot(int i, int32_t code, int32_t quantity) {
  chkSkill[i]->setChecked(false);
  if (code == 0) return;  // an empty slot: off, its memory and list as they were

  // A code the list lacks becomes the slot's extra entry, after the list's own.
  if (slotExtraCode[i] != 0) cmbSkill[i]->removeItem(skillListSize);
  slotExtraCode[i] = 0;
  const auto listed = std::find(skillCodes.begin(), skillCodes.end(), code);
  if (listed == skillCodes.end()) {
    cmbSkill[i]->addItem(extraEntryText(code));
    slotExtraCode[i] = code;
  }
  slotSkill[i] = static_cast<int32_t>(listed - skillCodes.begin());  // skillListSize for the extra entry
  slotQuantity[i] = quantity;
  chkSkill[i]->setChecked(true);
}

void Form1::cmdRead_Click() {
  std::vector<uint8_t> levelBytes;
  if (!readLevelImage(&levelBytes, "Nothing was read.")) return;  // the message is shown; the form stays as it was
  const LevelPatch held = readLevelPatch(levelBytes);
  txtName->setText(nameOfBytes(held.name));
  showWhole(txtMin, QString::number(held.minutes));
  showWhole(txtSec, QString::number(held.seconds));
  showWhole(txtRelease, QString::number(held.releaseRate));
  for (int i = 0; i < LevelSkillSlots; ++i) readSlot(i, held.skillCode[i], held.quantity[i]);

  // Apply's rules may not give back what the file holds: say so before Apply does it.
  LevelPatch written;
  QString problem;
  const QString changes =
      patchOfForm(&written, &problem) ? QString::fromStdString(patchChanges(held, written)) : QString();
  if (!changes.isEmpty()) lblNotice->setText(ApplyWillWrite + changes);
  else if (lblNotice->text().startsWith(ApplyWillWrite)) lblNotice->clear();  // said of an earlier Read
}
