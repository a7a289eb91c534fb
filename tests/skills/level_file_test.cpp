// Reading and atomically replacing the level file on disk.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>
#include <unistd.h>

#include "file_size_limit.h"
#include "skills_core.h"

static void writeBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  QCOMPARE(file.write(bytes), bytes.size());
}

static QByteArray readBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

static std::vector<uint8_t> bytesOf(const char* text) { return std::vector<uint8_t>(text, text + strlen(text)); }

class LevelFileTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir;
  QString path;

 private slots:
  void init() {
    QVERIFY(dir.isValid());
    path = dir.filePath("LEVEL___.DAT");
    writeBytes(path, "old contents");
  }

  void cleanup() {
    QDir(dir.path()).removeRecursively();
    QDir().mkpath(dir.path());
  }

  void onlyRegularFilesCount() {
    QVERIFY(isOrdinaryFile(path.toStdString()));
    QVERIFY(!isOrdinaryFile(dir.filePath("missing").toStdString()));
    QVERIFY(QDir(dir.path()).mkdir("folder"));
    QVERIFY(!isOrdinaryFile(dir.filePath("folder").toStdString()));
  }

  void readGivesTheWholeFileOrTheReason() {
    std::vector<uint8_t> bytes;
    std::string reason;
    QCOMPARE(readWholeFile(path.toStdString(), &bytes, &reason), 0);
    QCOMPARE(bytes, bytesOf("old contents"));
    QCOMPARE(readWholeFile(dir.filePath("missing").toStdString(), &bytes, &reason), 1);
    QCOMPARE(reason, std::string("No such file or directory"));
    QCOMPARE(bytes, bytesOf("old contents"));
  }

  void replaceKeepsPermissionsAndLeavesNoTemporaryFile() {
    QVERIFY(chmod(path.toLocal8Bit().constData(), 0640) == 0);
    std::string reason;
    QCOMPARE(replaceFileAtomically(path.toStdString(), bytesOf("new"), &reason), 0);
    QCOMPARE(readBytes(path), QByteArray("new"));
    struct stat info;
    QVERIFY(stat(path.toLocal8Bit().constData(), &info) == 0);
    QCOMPARE(int(info.st_mode & 07777), 0640);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"LEVEL___.DAT"});
  }

  void replaceThroughALinkKeepsTheLink() {
    const QString target = dir.filePath("real.dat");
    QVERIFY(QFile::rename(path, target));
    QVERIFY(QFile::link(target, path));
    std::string reason;
    QCOMPARE(replaceFileAtomically(path.toStdString(), bytesOf("linked"), &reason), 0);
    QVERIFY(QFileInfo(path).isSymLink());
    QCOMPARE(readBytes(target), QByteArray("linked"));
  }

  void failedWriteLeavesTheOldFile() {
    int result = 0;
    std::string reason;
    {
      FileSizeLimit limit(4);
      QVERIFY(limit.active);
      result = replaceFileAtomically(path.toStdString(), bytesOf("far too long for the limit"), &reason);
    }
    QCOMPARE(result, 1);
    QCOMPARE(reason, std::string("File too large"));
    QCOMPARE(readBytes(path), QByteArray("old contents"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"LEVEL___.DAT"});
  }

  void readOnlyFileIsNotReplaced() {
    if (geteuid() == 0) QSKIP("root may write any file");
    QVERIFY(chmod(path.toLocal8Bit().constData(), 0444) == 0);
    std::string reason;
    QCOMPARE(replaceFileAtomically(path.toStdString(), bytesOf("new"), &reason), 1);
    QCOMPARE(reason, std::string("Permission denied"));
    QCOMPARE(readBytes(path), QByteArray("old contents"));
  }
};

QTEST_APPLESS_MAIN(LevelFileTest)
#include "level_file_test.moc"
