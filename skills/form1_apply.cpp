// Apply: read LEVEL___.DAT next to the executable, stamp the form's values at
// their fixed offsets and replace the file. Everything that could make the
// write wrong (not an uncompressed level file, a name character or a quantity
// that does not fit a byte) is found before any box changes or any byte is
// written, and reported in one message.

#include <QCheckBox>
#include <QLineEdit>
#include <cstring>

#include "form1.h"
#include "levelfile/cp1252.h"
#include "levelfile/replace_file.h"
#include "skills_core.h"

static const QString Caption = QStringLiteral("Talveny");
static const QString LevelFileName = QStringLiteral("LEVEL___.DAT");

static QString quotedFileName() { return "\"" + LevelFileName + "\""; }

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

void Form1::Command1_Click() {
  const QString path = levelDirectory + "/" + LevelFileName;
  const std::string localPath = path.toStdString();
  if (!isOrdinaryFile(localPath)) {
    showMessage(Caption, quotedFileName() + " not in present directory.");
    return;
  }
  std::vector<uint8_t> levelBytes;
  std::string reason;
  if (readWholeFile(localPath, &levelBytes, &reason) != 0) {
    showMessage(Caption, "Cannot read " + quotedFileName() + ": " + QString::fromStdString(reason) + ".");
    return;
  }
  const std::string problem = levelImageProblem(levelBytes, LevelFileName.toStdString());
  if (!problem.empty()) {
    showMessage(Caption, QString::fromStdString(problem) + " Nothing was written.");
    return;
  }

  LevelPatch patch{};
  QString nameProblem;
  if (!encodeName(txtName->text(), patch.name, &nameProblem)) {
    showMessage(Caption, nameProblem + " Nothing was written.");
    return;
  }
  for (int i = 0; i < LevelSkillSlots; ++i) {
    if (chkSkill[i]->checkState() == Qt::Unchecked) continue;  // written as 0 whatever it remembers
    const bool known = slotSkill[i] >= 0 && slotSkill[i] < skillListSize;
    const int32_t quantity = slotQuantity[i];
    if (quantity < 0 || quantity > 255) {
      showMessage(Caption, QStringLiteral("Skill slot %1 (%2) has the quantity %3; a quantity must lie "
                                          "between 0 and 255. Nothing was written.")
                               .arg(i + 1)
                               .arg(known ? skillNames[static_cast<size_t>(slotSkill[i])] : QString())
                               .arg(quantity));
      return;
    }
    patch.skillCode[i] = known ? static_cast<uint8_t>(skillCodes[static_cast<size_t>(slotSkill[i])]) : 0;
    patch.quantity[i] = static_cast<uint8_t>(quantity);
  }

  const int32_t minutes = clampMinutes(integerOfText(txtMin->text().toStdString()));
  const int32_t seconds = clampSeconds(integerOfText(txtSec->text().toStdString()));
  txtMin->setText(QString::number(minutes));
  txtSec->setText(QString::number(seconds));
  const int32_t release = clampRelease(integerOfText(txtRelease->text().toStdString()));
  txtRelease->setText(QString::number(release));
  patch.minutes = static_cast<uint8_t>(minutes);
  patch.seconds = static_cast<uint8_t>(seconds);
  patch.releaseRate = static_cast<int16_t>(release);
  applyLevelPatch(levelBytes, patch);

  const ReplaceResult written =
      replaceFileAtomically(localPath.c_str(), levelBytes.data(), levelBytes.size(), ReplaceWritableTarget);
  if (written.step != ReplaceDone) {
    const QString reason = QString::fromUtf8(std::strerror(written.error));
    showMessage(Caption, "Cannot write " + quotedFileName() + ": " + reason + ". The file was left as it was.");
  }
}
