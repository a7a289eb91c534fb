// The form's access to LEVEL___.DAT besides the patching: finding and reading
// it with the messages that Apply and Read share, and watching it so the
// notice says when it changed on disk. The watcher only informs: the form's
// values stay the user's until Read.

#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QLabel>
#include <QTime>

#include "form1.h"

static QString clockText() { return QTime::currentTime().toString(QStringLiteral("HH:mm:ss")); }

QString Form1::quotedFileName() const { return "\"" + levelFileName + "\""; }

QString extraEntryText(int32_t code) {
  return "0x" + QString::number(code, 16).toUpper().rightJustified(2, '0');
}

QString Form1::levelFilePath() const { return levelDirectory + "/" + levelFileName; }

void Form1::setNoticeToolTip(const QString& event) {
  const QString path = QDir::toNativeSeparators(QDir::cleanPath(levelFilePath()));
  lblNotice->setToolTip(event.isEmpty() ? path : path + "\n" + event);
}

void Form1::tell(const QString& text) { showMessage(QString::fromLatin1(FormCaption), text); }

bool Form1::readLevelImage(std::vector<uint8_t>* levelBytes, const char* nothingDone) {
  const std::string localPath = levelFilePath().toStdString();
  if (!isOrdinaryFile(localPath)) {
    tell(quotedFileName() + " not in present directory.");
    return false;
  }
  std::string reason;
  if (readWholeFile(localPath, levelBytes, &reason) != 0) {
    tell("Cannot read " + quotedFileName() + ": " + QString::fromStdString(reason) + ".");
    return false;
  }
  const std::string problem = levelImageProblem(*levelBytes, levelFileName.toStdString());
  if (!problem.empty()) {
    tell(QString::fromStdString(problem) + " " + QString::fromLatin1(nothingDone));
    return false;
  }
  return true;
}

// The directory is watched as well as the file: the editor saves by renaming
// a new file over the old one, which ends the file's own watch.
void Form1::startWatching() {
  watchLevel = new QFileSystemWatcher(this);
  watchLevel->addPath(levelDirectory);
  connect(watchLevel, &QFileSystemWatcher::directoryChanged, this, [this] { watchLevel_Change(); });
  connect(watchLevel, &QFileSystemWatcher::fileChanged, this, [this] { watchLevel_Change(); });
  levelStamp = fileStampOf(levelFilePath().toStdString());
  if (levelStamp.exists) watchLevel->addPath(levelFilePath());
  setNoticeToolTip(QString());
}

void Form1::watchLevel_Change() {
  const QString path = levelFilePath();
  if (!watchLevel->files().contains(path) && QFileInfo::exists(path)) watchLevel->addPath(path);
  const FileStamp now = fileStampOf(path.toStdString());
  if (now == levelStamp) return;  // another file of the directory, or the form's own Apply
  levelStamp = now;
  const QString time = clockText();
  lblNotice->setText(QStringLiteral("File changed at %1").arg(time));
  setNoticeToolTip(
      QStringLiteral("%1 changed on disk at %2; Read shows what it holds now.").arg(quotedFileName(), time));
}

void Form1::noteApplied(const QString& changes) {
  levelStamp = fileStampOf(levelFilePath().toStdString());
  const QString applied = QStringLiteral("Applied at %1").arg(clockText());
  lblNotice->setText(changes.isEmpty() ? applied : applied + "; " + changes);
  setNoticeToolTip(QString());
}
