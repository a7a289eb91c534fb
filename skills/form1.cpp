// Form1's controls at their fixed positions, the skill list parser and the
// start-up sequence that creates the eight slots from the index-8 templates.
// Positions in the tables below are in twips, 15 to the pixel at 96 dpi, and
// are divided by 15 when placed. The line of Read and the notice lies below
// the other controls, which keep their places.

#include "form1.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPalette>
#include <QPushButton>
#include <QRandomGenerator>
#include <QShortcut>
#include <QStringList>
#include <algorithm>
#include <chrono>
#include <cmath>

#include "skills_core.h"

static constexpr int TwipsPerPixel = 15;
static constexpr int FormWidthTwips = 3120;
static constexpr int FormHeightTwips = 5505;  // 5025 for the fields and slots, one line for Read and the notice
static constexpr char TypedLimitProperty[] = "TypedLimit";  // the most characters a user may type in a box

static void placeTwips(QWidget* control, int left, int top, int width, int height) {
  control->setGeometry(left / TwipsPerPixel, top / TwipsPerPixel, width / TwipsPerPixel,
                       height / TwipsPerPixel);
}

static int slotTopTwips(int i) { return (24 * i + 16) * TwipsPerPixel; }

QColor systemColor(uint32_t colorValue) {
  const QPalette palette = QApplication::palette();
  if (colorValue == ColorWindow) return palette.color(QPalette::Active, QPalette::Base);
  // The inactive border colour: a grey a shade darker than the window face.
  return palette.color(QPalette::Active, QPalette::Window).darker(115);
}

void setBackColor(QWidget* control, uint32_t colorValue) {
  const QColor color = systemColor(colorValue);
  QPalette palette = control->palette();
  // The disabled group too: an inactive slot is both disabled and grey.
  for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    palette.setColor(group, QPalette::Base, color);
    palette.setColor(group, QPalette::Button, color);
  }
  control->setPalette(palette);
  control->setProperty("BackColor", colorValue);
}

static QLineEdit* makeTextBox(QWidget* parent, const char* text, int maxLength) {
  auto* box = new QLineEdit(QString::fromLatin1(text), parent);
  box->setMaxLength(maxLength);
  box->setProperty(TypedLimitProperty, maxLength);
  box->setTextMargins(0, 0, 0, 0);
  QObject::connect(box, &QLineEdit::textEdited, box, [box] {
    const int typedLimit = box->property(TypedLimitProperty).toInt();
    if (box->text().size() <= typedLimit) box->setMaxLength(typedLimit);
  });
  return box;
}

void showWhole(QLineEdit* box, const QString& text) {
  const int limit = std::max(box->property(TypedLimitProperty).toInt(), static_cast<int>(text.size()));
  if (limit > box->maxLength()) box->setMaxLength(limit);  // before the text, or the box would cut it
  box->setText(text);
  box->setMaxLength(limit);
}

static void showMessageBox(QWidget* owner, const QString& caption, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, owner);
  box.exec();
}

Form1::Form1(const QString& levelDirectory, const QString& levelFileName, QWidget* parent)
    : QWidget(parent), levelDirectory(levelDirectory), levelFileName(levelFileName) {
  setWindowTitle(QString::fromLatin1(FormCaption));
  setFixedSize(FormWidthTwips / TwipsPerPixel, FormHeightTwips / TwipsPerPixel);
  // The boxes and labels are 13 to 21 pixels high and their captions
  // narrow: a small, condensed face keeps "Release:" and "-32768" readable.
  QFont small = font();
  small.setPixelSize(11);
  small.setStretch(QFont::Condensed);
  setFont(small);
  showMessage = [this](const QString& caption, const QString& text) { showMessageBox(this, caption, text); };

  Frame1 = new QGroupBox(QStringLiteral("Meta Data"), this);
  placeTwips(Frame1, 120, 120, 2895, 975);
  Label1 = new QLabel(QStringLiteral("Name:"), Frame1);
  placeTwips(Label1, 120, 240, 465, 195);
  txtName = makeTextBox(Frame1, "New Level", 20);
  placeTwips(txtName, 600, 240, 2175, 285);
  Label2 = new QLabel(QStringLiteral("Time:"), Frame1);
  placeTwips(Label2, 120, 600, 390, 195);
  txtMin = makeTextBox(Frame1, "9", 1);
  placeTwips(txtMin, 600, 600, 255, 285);
  txtMin->setToolTip(QStringLiteral("Minutes"));
  txtSec = makeTextBox(Frame1, "59", 2);
  placeTwips(txtSec, 840, 600, 375, 285);
  txtSec->setToolTip(QStringLiteral("Seconds"));
  Label3 = new QLabel(QStringLiteral("Release:"), Frame1);
  placeTwips(Label3, 1440, 600, 630, 195);
  txtRelease = makeTextBox(Frame1, "0", 6);
  placeTwips(txtRelease, 2160, 600, 615, 285);

  Frame2 = new QGroupBox(QStringLiteral("Skills"), this);
  placeTwips(Frame2, 120, 1200, 2895, 3255);
  Text1 = new QLineEdit(Frame2);
  Text1->setText(QString::fromStdString(skillListText()));
  placeTwips(Text1, 120, 720, 2655, 2415);
  Text1->setVisible(false);

  chkSkill[8] = new QCheckBox(QStringLiteral("Check1"), Frame2);
  placeTwips(chkSkill[8], 120, 360, 255, 255);
  chkSkill[8]->setVisible(false);
  cmbSkill[8] = new QComboBox(Frame2);
  placeTwips(cmbSkill[8], 480, 360, 1815, 315);
  cmbSkill[8]->setVisible(false);
  cmbSkill[8]->setEnabled(false);
  setBackColor(cmbSkill[8], ColorInactiveBorder);
  txtSkill[8] = makeTextBox(Frame2, "", 2);
  placeTwips(txtSkill[8], 2400, 360, 375, 315);
  txtSkill[8]->setVisible(false);
  txtSkill[8]->setEnabled(false);
  setBackColor(txtSkill[8], ColorInactiveBorder);

  Command1 = new QPushButton(QStringLiteral("Apply"), this);
  placeTwips(Command1, 2160, 4560, 855, 375);
  // A focused push button answers Enter as well as Space, as desktop forms'
  // buttons do; Qt grants that outside dialogs only to auto-default buttons.
  Command1->setAutoDefault(true);
  connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });

  cmdRead = new QPushButton(QStringLiteral("Read"), this);
  placeTwips(cmdRead, 120, 5040, 855, 375);
  cmdRead->setAutoDefault(true);
  cmdRead->setToolTip(QStringLiteral("Show what %1 holds (F5)").arg(levelFileName));
  connect(cmdRead, &QPushButton::clicked, this, [this] { cmdRead_Click(); });
  auto* readKey = new QShortcut(QKeySequence(Qt::Key_F5), this);
  connect(readKey, &QShortcut::activated, this, [this] { cmdRead_Click(); });
  lblNotice = new QLabel(this);
  placeTwips(lblNotice, 1095, 5040, 1920, 375);

  Form_Load();
  startWatching();
}

void Form1::InitSkills() {
  const QStringList pieces = Text1->text().split(QStringLiteral("\r\n"));
  skillListSize = static_cast<int32_t>(pieces.size() - 1);  // separators, not lines
  skillCodes.assign(static_cast<size_t>(skillListSize), 0);
  skillNames.assign(static_cast<size_t>(skillListSize), QString());
  for (int32_t i = 0; i < skillListSize; ++i) {
    const QString& piece = pieces[i];
    skillCodes[static_cast<size_t>(i)] = integerOfText(("&H" + piece.left(2)).toStdString());
    skillNames[static_cast<size_t>(i)] = piece.mid(2);
  }
}

// A run-time element takes every setting from its template but the row.
void Form1::createSlotElement(int i) {
  const int top = slotTopTwips(i) / TwipsPerPixel;

  cmbSkill[i] = new QComboBox(Frame2);
  cmbSkill[i]->setGeometry(cmbSkill[8]->geometry().translated(0, top - cmbSkill[8]->y()));
  cmbSkill[i]->setEnabled(cmbSkill[8]->isEnabled());
  setBackColor(cmbSkill[i], cmbSkill[8]->property("BackColor").toUInt());
  cmbSkill[i]->setVisible(true);
  connect(cmbSkill[i], &QComboBox::currentIndexChanged, this, [this, i] { cmbSkill_Click(i); });

  txtSkill[i] = makeTextBox(Frame2, "", txtSkill[8]->maxLength());
  txtSkill[i]->setGeometry(txtSkill[8]->geometry().translated(0, top - txtSkill[8]->y()));
  txtSkill[i]->setEnabled(txtSkill[8]->isEnabled());
  setBackColor(txtSkill[i], txtSkill[8]->property("BackColor").toUInt());
  txtSkill[i]->setVisible(true);
  connect(txtSkill[i], &QLineEdit::textChanged, this, [this, i] { txtSkill_Change(i); });

  chkSkill[i] = new QCheckBox(chkSkill[8]->text(), Frame2);
  chkSkill[i]->setGeometry(chkSkill[8]->geometry().translated(0, top - chkSkill[8]->y()));
  chkSkill[i]->setVisible(true);
  chkSkill[i]->lower();
  connect(chkSkill[i], &QCheckBox::stateChanged, this, [this, i] { chkSkill_Click(i); });
}

void Form1::Form_Load() {
  QRandomGenerator random(static_cast<quint32>(
      std::chrono::system_clock::now().time_since_epoch().count() & 0xFFFFFFFF));
  InitSkills();
  for (int i = 0; i < 8; ++i) createSlotElement(i);

  // Focus order follows the controls' tab indexes, then Read; frames, labels
  // and the hidden list take no focus.
  QWidget* order[5 + 3 * 8 + 1] = {Command1, txtName, txtMin, txtSec, txtRelease};
  for (int i = 0; i < 8; ++i) {
    order[5 + i] = txtSkill[i];
    order[13 + i] = cmbSkill[i];
    order[21 + i] = chkSkill[i];
  }
  order[29] = cmdRead;
  for (int k = 1; k < 5 + 3 * 8 + 1; ++k) setTabOrder(order[k - 1], order[k]);

  for (int j = 0; j < 8; ++j) {
    cmbSkill[j]->clear();
    for (const QString& name : skillNames) cmbSkill[j]->addItem(name);
    cmbSkill[j]->setCurrentIndex(-1);
    slotSkill[j] = static_cast<int32_t>(std::floor(random.generateDouble() * skillListSize));
    slotQuantity[j] = 1;
  }
  chkSkill[0]->setChecked(true);  // runs chkSkill_Click(0): slot 0 shows its memory
  Command1->setFocus();
}
