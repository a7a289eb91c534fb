// Apply: read LEVEL___.DAT next to the executable, stamp the form's values at
// their fixed offsets and replace the file. Everything that could make the
// write wrong (not an uncompressed level file, a name character or a quantity
// that does not fit a byte) is found before any box changes or any byte is
// written, and reported in one message.

#include <QCheckBox>
#include <QLineEdit>
#include <cstring>
#include <iterator>
#include <utility>

#include "form1.h"
#include "levelfile/cp1252.h"
#include "levelfile/replace_file.h"
#include "skills_core.h"

// The name as blank-padded single-byte codes; false (and the message) when a
// character has no code.
static bool encodeName(const QString& name, uint8_t bytes[LevelNameStampSize], QString* problem) {
  const QList<uint> codePoints = name.toUcs4();
  for (size_t k = 0; k < LevelNameStampSize; ++k) {
    bytes[k] = 0x20;
    if (k >= size_t(codePoints.size())) continue;
    const char32_t codePoint = codePoints[qsizetype(k)];
    if (!cp1252ByteOf(codePoint, &bytes[k])) {
      *problem = QStringLiteral("The name cannot hold the character \"%1\" (U+%2): the level file stores "
                                "only Western European letters.")
                     .arg(QString::fromUcs4(&codePoint, 1),
                          QString::number(static_cast<uint>(codePoint), 16).toUpper().rightJustified(4, '0'));
      return false;
    }
  }
  return true;
}

int32_t Form1::slotCode(int i) const {
  if (slotSkill[i] >= 0 && slotSkill[i] < skillListSize) return skillCodes[static_cast<size_t>(slotSkill[i])];
  return slotSkill[i] == skillListSize ? slotExtraCode[i] : 0;
}

QString Form1::slotName(int i) const {
  if (slotSkill[i] >= 0 && slotSkill[i] < skillListSize) return skillNames[static_cast<size_t>(slotSkill[i])];
  const bool extra = slotSkill[i] == skillListSize && slotExtraCode[i] != 0;
  return extra ? extraEntryText(slotExtraCode[i]) : QString();
}

static int32_t minutesOf(const QLineEdit* box) { return clampMinutes(integerOfText(box->text().toStdString())); }
static int32_t secondsOf(const QLineEdit* box) { return clampSeconds(integerOfText(box->text().toStdString())); }
static int32_t releaseOf(const QLineEdit* box) { return clampRelease(integerOfText(box->text().toStdString())); }

bool Form1::patchOfForm(LevelPatch* patch, QString* problem) const {
  *patch = LevelPatch{};
  if (!encodeName(txtName->text(), patch->name, problem)) return false;
  for (int i = 0; i < LevelSkillSlots; ++i) {
    if (chkSkill[i]->checkState() == Qt::Unchecked) continue;  // written as 0 whatever it remembers
    const int32_t quantity = slotQuantity[i];
    if (quantity < 0 || quantity > 255) {
      *problem = QStringLiteral("Skill slot %1 (%2) has the quantity %3; a quantity must lie between 0 and 255.")
                     .arg(i + 1)
                     .arg(slotName(i))
                     .arg(quantity);
      return false;
    }
    patch->skillCode[i] = static_cast<uint8_t>(slotCode(i));
    patch->quantity[i] = static_cast<uint8_t>(quantity);
  }
  patch->minutes = static_cast<uint8_t>(minutesOf(txtMin));
  patch->seconds = static_cast<uint8_t>(secondsOf(txtSec));
  patch->releaseRate = static_cast<int16_t>(releaseOf(txtRelease));
  return true;
}

QString Form1::boxChanges(const LevelPatch& written) const {
  const std::pair<const char*, const QLineEdit*> boxes[] = {
      {"minutes", txtMin}, {"seconds", txtSec}, {"release rate", txtRelease}};
  const int values[] = {written.minutes, written.seconds, written.releaseRate};
  QStringList changes;
  for (size_t k = 0; k < std::size(boxes); ++k) {
    const QString held = boxes[k].second->text().trimmed();
    if (held != QString::number(values[k]))
      changes << QStringLiteral("%1 %2 written as %3").arg(QString::fromLatin1(boxes[k].first), held).arg(values[k]);
  }
  return changes.join(", ");
}

void Form1::Command1_Click() {
  std::vector<uint8_t> levelBytes;
  if (!readLevelImage(&levelBytes, "Nothing was written.")) return;

  LevelPatch patch;
  QString problem;
  if (!patchOfForm(&patch, &problem)) {
    tell(problem + " Nothing was written.");
    return;
  }
  const QString changes = boxChanges(patch);  // before the boxes show the clamped values
  showWhole(txtMin, QString::number(minutesOf(txtMin)));  // minutes read from the file may need more than one digit
  showWhole(txtSec, QString::number(secondsOf(txtSec)));
  showWhole(txtRelease, QString::number(releaseOf(txtRelease)));
  applyLevelPatch(levelBytes, patch);

  const std::string path = levelFilePath().toStdString();
  const ReplaceResult written =
      replaceFileAtomically(path.c_str(), levelBytes.data(), levelBytes.size(), ReplaceWritableTarget);
  if (written.step != ReplaceDone) {
    const QString reason = QString::fromUtf8(std::strerror(written.error));
    tell("Cannot write " + quotedFileName() + ": " + reason + ". The file was left as it was.");
    return;
  }
  noteApplied(changes);
}
