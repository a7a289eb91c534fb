#pragma once
// Form1: the one window of the skills program. It holds the form state (the
// skill list parsed from the hidden Text1 and the eight slots' memory) and the
// handlers, each named after its control and event. Every handler is
// connected to a signal that also fires when code changes the control
// (stateChanged, currentIndexChanged, textChanged), because the slot rules
// rely on a programmatic change running its handler at once.

#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// System colours by their index in the platform colour table, high bit set.
constexpr uint32_t ColorWindow = 0x80000005;          // background of an active slot
constexpr uint32_t ColorInactiveBorder = 0x8000000B;  // background of an inactive slot

QColor systemColor(uint32_t colorValue);  // the platform palette's colour for one of the two

class Form1 : public QWidget {
  Q_OBJECT

 public:
  // levelDirectory: where Apply looks for LEVEL___.DAT (the program passes
  // its executable's directory). Runs Form_Load before returning.
  explicit Form1(const QString& levelDirectory, QWidget* parent = nullptr);

  // Start-up (form1.cpp) ------------------------------------------------------
  void InitSkills();  // Text1's list -> skillListSize, skillCodes, skillNames
  void Form_Load();   // seed, list, the eight slots from the templates, slot 0 on

  // Slot rules (form1_slots.cpp) ----------------------------------------------
  void chkSkill_Click(int i);   // switch slot i on (show memory) or off (blank, memory kept)
  void cmbSkill_Click(int i);   // enabled list: remember the selection in slotSkill[i]
  void txtSkill_Change(int i);  // enabled box: remember its integer in slotQuantity[i]

  // Apply (form1_apply.cpp) ----------------------------------------------------
  void Command1_Click();  // patch LEVEL___.DAT with the form's values

  // Where every message goes; tests replace it to see caption and text
  // instead of a modal box. Defaults to an OK-only message box.
  std::function<void(const QString& caption, const QString& text)> showMessage;

  // Form state ------------------------------------------------------------------
  int32_t skillListSize = 0;         // entries in the list (CR LF separators in Text1)
  std::vector<int32_t> skillCodes;   // code of each entry, list order
  std::vector<QString> skillNames;   // display name of each entry, list order
  int32_t slotQuantity[8] = {};      // each slot's remembered quantity
  int32_t slotSkill[8] = {};         // each slot's remembered list index, 0..skillListSize-1

  // Controls; index 8 of each array is the never-shown design template ---------
  QPushButton* Command1;
  QGroupBox* Frame1;
  QLabel* Label1;
  QLabel* Label2;
  QLabel* Label3;
  QLineEdit* txtName;
  QLineEdit* txtMin;
  QLineEdit* txtSec;
  QLineEdit* txtRelease;
  QGroupBox* Frame2;
  QLineEdit* Text1;  // single-line on purpose: a multi-line editor turns CR LF into LF
  QCheckBox* chkSkill[9] = {};
  QComboBox* cmbSkill[9] = {};
  QLineEdit* txtSkill[9] = {};

 private:
  QString levelDirectory;
  void createSlotElement(int i);  // the three controls of slot i, copied from the templates
};

// Sets a control's background to one of the two system colours and records
// the value in its "BackColor" property.
void setBackColor(QWidget* control, uint32_t colorValue);
