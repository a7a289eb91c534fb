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

#include "levelfile/data_folder.h"
#include "skills_core.h"

class QCheckBox;
class QComboBox;
class QFileSystemWatcher;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

constexpr char FormCaption[] = "Talveny";         // the window's and every message's caption

// System colours by their index in the platform colour table, high bit set.
constexpr uint32_t ColorWindow = 0x80000005;          // background of an active slot
constexpr uint32_t ColorInactiveBorder = 0x8000000B;  // background of an inactive slot

QColor systemColor(uint32_t colorValue);  // the platform palette's colour for one of the two

class Form1 : public QWidget {
  Q_OBJECT

 public:
  // levelDirectory/levelFileName: the file Read and Apply work on (the
  // program passes the file named on its command line, or LEVEL___.DAT in its
  // executable's directory). Runs Form_Load before returning.
  explicit Form1(const QString& levelDirectory, const QString& levelFileName = QString::fromLatin1(SharedLevelFileName),
                 QWidget* parent = nullptr);

  // Start-up (form1.cpp) ------------------------------------------------------
  void InitSkills();  // Text1's list -> skillListSize, skillCodes, skillNames
  void Form_Load();   // seed, list, the eight slots from the templates, slot 0 on

  // Slot rules (form1_slots.cpp) ----------------------------------------------
  void chkSkill_Click(int i);   // switch slot i on (show memory) or off (blank, memory kept)
  void cmbSkill_Click(int i);   // enabled list: remember the selection in slotSkill[i]
  void txtSkill_Change(int i);  // enabled box: remember its integer in slotQuantity[i]

  // Apply (form1_apply.cpp) ----------------------------------------------------
  void Command1_Click();  // patch LEVEL___.DAT with the form's values; the notice says when it worked

  // Read (form1_read.cpp) --------------------------------------------------------
  void cmdRead_Click();  // fill the form from LEVEL___.DAT (also F5); the same messages as Apply

  // Watching the file (form1_file.cpp) --------------------------------------------
  void watchLevel_Change();  // a change on disk that is not the form's own Apply: the notice says when

  // Where every message goes; tests replace it to see caption and text
  // instead of a modal box. Defaults to an OK-only message box.
  std::function<void(const QString& caption, const QString& text)> showMessage;

  // Form state ------------------------------------------------------------------
  int32_t skillListSize = 0;         // entries in the list (CR LF separators in Text1)
  std::vector<int32_t> skillCodes;   // code of each entry, list order
  std::vector<QString> skillNames;   // display name of each entry, list order
  int32_t slotQuantity[8] = {};      // each slot's remembered quantity
  int32_t slotSkill[8] = {};         // each slot's remembered list index, 0..skillListSize-1, or
                                     // skillListSize for the slot's extra entry
  int32_t slotExtraCode[8] = {};     // code of the extra entry Read adds after the list's own for a
                                     // code the list lacks; 0 when the slot's list has none

  // Controls; index 8 of each array is the hidden pattern the slots copy -------
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
  QPushButton* cmdRead;
  QLabel* lblNotice;                // when the file last changed on disk, or when Apply worked;
                                    // its tooltip names the file in full
  QFileSystemWatcher* watchLevel;   // LEVEL___.DAT and its directory (the editor saves by rename)

 private:
  QString levelDirectory;
  QString levelFileName;
  FileStamp levelStamp;  // the version of the file last seen, or written by Apply
  void createSlotElement(int i);  // the three controls of slot i, copied from the templates
  QString levelFilePath() const;
  QString quotedFileName() const;  // as messages name the file
  void setNoticeToolTip(const QString& event);  // the file's full path, then what happened to it
  void tell(const QString& text);  // one message, captioned like the form
  // False after showing why, the refusal ending in nothingDone ("Nothing was read.").
  bool readLevelImage(std::vector<uint8_t>* levelBytes, const char* nothingDone);
  void startWatching();
  void noteApplied(const QString& changes);  // Apply replaced the file: its new version is ours, not a change
  void readSlot(int i, int32_t code, int32_t quantity);
  // What Apply writes for the form as it stands; false with the refusal's
  // first sentences. Changes no box.
  bool patchOfForm(LevelPatch* patch, QString* problem) const;
  QString boxChanges(const LevelPatch& written) const;  // "seconds 99999 written as 59, ..."; empty when none
  int32_t slotCode(int i) const;     // the code Apply writes for a checked slot
  QString slotName(int i) const;     // what the slot's list shows for its memory
};

// The text of a slot list's extra entry for a code the skill list lacks.
QString extraEntryText(int32_t code);

// Sets a box's text from code in full although it may be longer than the box
// lets the user type; the box takes its typing limit back at the user's first
// edit that fits it, or at the next text that fits.
void showWhole(QLineEdit* box, const QString& text);

// Sets a control's background to one of the two system colours and records
// the value in its "BackColor" property.
void setBackColor(QWidget* control, uint32_t colorValue);
